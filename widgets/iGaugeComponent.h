// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scale with pointers and coloured sections. The gauge's position is the
// position of its first pointer.
#include "widgets/iGaugePointer.h"
#include "widgets/iScaleComponent.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

// One coloured band of the scale, [Start, End].
struct TiSectionSpan {
    double Start = 0;
    double End = 0;
    TColor Color = clBlack;
    friend bool operator==(const TiSectionSpan &, const TiSectionSpan &) = default;
};

// The consecutive spans of `count` sections on [positionMin, positionMax]:
// they begin at the minimum and the last one ends at the maximum.
std::vector<TiSectionSpan> SectionSpans(double positionMin, double positionMax, int count,
                                        const std::array<double, 4> &ends, const std::array<TColor, 5> &colors);

// A pointer as a stored layout keeps it.
struct TiStoredPointer {
    int Size = 10;
    int Margin = 0;
    TColor Color = clBlack;
    int Style = 3;
    double Position = 0;
};

// The entries a gauge writes into a stored layout beyond its ordinary
// properties, read after them.
struct TiGaugeStoredEntries {
    double PositionMax_2 = 100;
    double SectionEnd1_2 = 50;
    double SectionEnd2_2 = 75;
    // Absent when the gauge had no pointer; replaces the pointers otherwise.
    std::optional<std::vector<TiStoredPointer>> Pointers;
};

class TiGaugeComponent : public TiScaleComponent {
    Q_OBJECT
    Q_PROPERTY(int SectionCount READ SectionCount WRITE setSectionCount)
    Q_PROPERTY(double SectionEnd1 READ SectionEnd1 WRITE setSectionEnd1)
    Q_PROPERTY(double SectionEnd2 READ SectionEnd2 WRITE setSectionEnd2)
    Q_PROPERTY(double SectionEnd3 READ SectionEnd3 WRITE setSectionEnd3)
    Q_PROPERTY(double SectionEnd4 READ SectionEnd4 WRITE setSectionEnd4)
    Q_PROPERTY(TColor SectionColor1 READ SectionColor1 WRITE setSectionColor1)
    Q_PROPERTY(TColor SectionColor2 READ SectionColor2 WRITE setSectionColor2)
    Q_PROPERTY(TColor SectionColor3 READ SectionColor3 WRITE setSectionColor3)
    Q_PROPERTY(TColor SectionColor4 READ SectionColor4 WRITE setSectionColor4)
    Q_PROPERTY(TColor SectionColor5 READ SectionColor5 WRITE setSectionColor5)

public:
    explicit TiGaugeComponent(QWidget *parent = nullptr);
    ~TiGaugeComponent() override;

    TiGaugePointerManager &Pointers() { return *pointers_; }
    const TiGaugePointerManager &Pointers() const { return *pointers_; }

    int SectionCount() const { return sectionCount_; }
    void setSectionCount(int v);
    double SectionEnd1() const { return sectionEnds_[0]; }
    void setSectionEnd1(double v) { setSectionEnd(0, v); }
    double SectionEnd2() const { return sectionEnds_[1]; }
    void setSectionEnd2(double v) { setSectionEnd(1, v); }
    double SectionEnd3() const { return sectionEnds_[2]; }
    void setSectionEnd3(double v) { setSectionEnd(2, v); }
    double SectionEnd4() const { return sectionEnds_[3]; }
    void setSectionEnd4(double v) { setSectionEnd(3, v); }
    TColor SectionColor1() const { return sectionColors_[0]; }
    void setSectionColor1(TColor v) { setSectionColor(0, v); }
    TColor SectionColor2() const { return sectionColors_[1]; }
    void setSectionColor2(TColor v) { setSectionColor(1, v); }
    TColor SectionColor3() const { return sectionColors_[2]; }
    void setSectionColor3(TColor v) { setSectionColor(2, v); }
    TColor SectionColor4() const { return sectionColors_[3]; }
    void setSectionColor4(TColor v) { setSectionColor(3, v); }
    TColor SectionColor5() const { return sectionColors_[4]; }
    void setSectionColor5(TColor v) { setSectionColor(4, v); }

    std::vector<TiSectionSpan> GetSectionSpans() const;

    // Applies the extra entries of a stored layout; called while loading,
    // after the ordinary properties.
    void ReadStoredEntries(const TiGaugeStoredEntries &entries);

protected:
    double StoredPosition() const override;
    void StorePosition(double value) override;
    void ClampPointersToRange() override;

private:
    void setSectionEnd(int index, double v);
    void setSectionColor(int index, TColor v);

    std::unique_ptr<TiGaugePointerManager> pointers_;
    int sectionCount_ = 0;
    std::array<double, 4> sectionEnds_{50, 75, 0, 0};
    std::array<TColor, 5> sectionColors_{clGreen, clYellow, clRed, clYellow, clYellow};
};
