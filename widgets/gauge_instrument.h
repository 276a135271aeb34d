// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scale with pointers and coloured sections. The gauge's position is the
// position of its first pointer.
#include "widgets/gauge_pointer.h"
#include "widgets/scale_instrument.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

// One coloured band of the scale, [start, end].
struct SectionSpan {
    double start = 0;
    double end = 0;
    TColor color = clBlack;
    friend bool operator==(const SectionSpan &, const SectionSpan &) = default;
};

// The consecutive spans of `count` sections on [positionMin, positionMax]:
// they begin at the minimum and the last one ends at the maximum.
std::vector<SectionSpan> spansOfSections(double positionMin, double positionMax, int count,
                                         const std::array<double, 4> &ends, const std::array<TColor, 5> &colors);

// A pointer as a stored layout keeps it.
struct StoredPointer {
    int size = 10;
    int margin = 0;
    TColor color = clBlack;
    GaugePointer::Style style = GaugePointer::Style::Triangle;
    double position = 0;
};

// The entries a gauge writes into a stored layout beyond its ordinary
// properties, read after them.
struct GaugeStoredEntries {
    double positionMax = 100;
    double sectionEnd1 = 50;
    double sectionEnd2 = 75;
    // Absent when the gauge had no pointer; replaces the pointers otherwise.
    std::optional<std::vector<StoredPointer>> pointers;
};

class GaugeInstrument : public ScaleInstrument {
    Q_OBJECT
    Q_PROPERTY(int sectionCount READ sectionCount WRITE setSectionCount NOTIFY sectionsChanged)
    Q_PROPERTY(double sectionEnd1 READ sectionEnd1 WRITE setSectionEnd1 NOTIFY sectionsChanged)
    Q_PROPERTY(double sectionEnd2 READ sectionEnd2 WRITE setSectionEnd2 NOTIFY sectionsChanged)
    Q_PROPERTY(double sectionEnd3 READ sectionEnd3 WRITE setSectionEnd3 NOTIFY sectionsChanged)
    Q_PROPERTY(double sectionEnd4 READ sectionEnd4 WRITE setSectionEnd4 NOTIFY sectionsChanged)
    Q_PROPERTY(TColor sectionColor1 READ sectionColor1 WRITE setSectionColor1 NOTIFY sectionsChanged)
    Q_PROPERTY(TColor sectionColor2 READ sectionColor2 WRITE setSectionColor2 NOTIFY sectionsChanged)
    Q_PROPERTY(TColor sectionColor3 READ sectionColor3 WRITE setSectionColor3 NOTIFY sectionsChanged)
    Q_PROPERTY(TColor sectionColor4 READ sectionColor4 WRITE setSectionColor4 NOTIFY sectionsChanged)
    Q_PROPERTY(TColor sectionColor5 READ sectionColor5 WRITE setSectionColor5 NOTIFY sectionsChanged)

public:
    explicit GaugeInstrument(QWidget *parent = nullptr);
    ~GaugeInstrument() override;

    GaugePointerList &pointers() { return *pointers_; }
    const GaugePointerList &pointers() const { return *pointers_; }

    int sectionCount() const { return sectionCount_; }
    void setSectionCount(int v);  // held in 0..5
    double sectionEnd1() const { return sectionEnds_[0]; }
    void setSectionEnd1(double v) { setSectionEnd(0, v); }
    double sectionEnd2() const { return sectionEnds_[1]; }
    void setSectionEnd2(double v) { setSectionEnd(1, v); }
    double sectionEnd3() const { return sectionEnds_[2]; }
    void setSectionEnd3(double v) { setSectionEnd(2, v); }
    double sectionEnd4() const { return sectionEnds_[3]; }
    void setSectionEnd4(double v) { setSectionEnd(3, v); }
    TColor sectionColor1() const { return sectionColors_[0]; }
    void setSectionColor1(TColor v) { setSectionColor(0, v); }
    TColor sectionColor2() const { return sectionColors_[1]; }
    void setSectionColor2(TColor v) { setSectionColor(1, v); }
    TColor sectionColor3() const { return sectionColors_[2]; }
    void setSectionColor3(TColor v) { setSectionColor(2, v); }
    TColor sectionColor4() const { return sectionColors_[3]; }
    void setSectionColor4(TColor v) { setSectionColor(3, v); }
    TColor sectionColor5() const { return sectionColors_[4]; }
    void setSectionColor5(TColor v) { setSectionColor(4, v); }

    std::vector<SectionSpan> sectionSpans() const;

    // Applies the extra entries of a stored layout; called while loading,
    // after the ordinary properties.
    void readStoredEntries(const GaugeStoredEntries &entries);

signals:
    void sectionsChanged();
    // A pointer was added, changed or removed.
    void pointersChanged();

protected:
    double storedPosition() const override;
    bool storePosition(double value) override;
    void clampPointersToRange() override;

private:
    void setSectionEnd(int index, double v);
    void setSectionColor(int index, TColor v);

    std::unique_ptr<GaugePointerList> pointers_;
    int sectionCount_ = 0;
    std::array<double, 4> sectionEnds_{50, 75, 0, 0};
    std::array<TColor, 5> sectionColors_{clGreen, clYellow, clRed, clYellow, clYellow};
};
