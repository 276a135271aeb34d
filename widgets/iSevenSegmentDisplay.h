// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seven-segment numeric read-out: a real number in fixed notation on a row
// of character cells, like the display of a bench meter. The decimal point
// takes no cell of its own; it sits in the gap before the first fraction
// digit. A number that does not fit shows a row of arrows instead.
//
// TiSevenSegmentDisplay holds the look and owns the hidden glyph renderer;
// TiSevenSegmentAnalog adds the number. Where the cells go and what each one
// shows is worked out by LayoutReadout, a pure function the paint draws from.
#include "widgets/iSevenSegmentCharacter.h"

#include <QSize>
#include <QString>
#include <vector>

class TiSevenSegmentDisplay : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
    Q_PROPERTY(int DigitSpacing READ DigitSpacing WRITE setDigitSpacing)
    Q_PROPERTY(int SegmentMargin READ SegmentMargin WRITE setSegmentMargin)
    Q_PROPERTY(TColor SegmentColor READ SegmentColor WRITE setSegmentColor)
    Q_PROPERTY(int SegmentSeperation READ SegmentSeperation WRITE setSegmentSeperation)
    Q_PROPERTY(int SegmentSize READ SegmentSize WRITE setSegmentSize)
    Q_PROPERTY(bool ShowOffSegments READ ShowOffSegments WRITE setShowOffSegments)
    Q_PROPERTY(bool PowerOff READ PowerOff WRITE setPowerOff)
    Q_PROPERTY(TColor SegmentOffColor READ SegmentOffColor WRITE setSegmentOffColor)
    Q_PROPERTY(bool AutoSegmentOffColor READ AutoSegmentOffColor WRITE setAutoSegmentOffColor)

public:
    explicit TiSevenSegmentDisplay(QWidget *parent = nullptr);
    ~TiSevenSegmentDisplay() override;

    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool value);
    int DigitSpacing() const { return digitSpacing_; }
    void setDigitSpacing(int value);
    int SegmentMargin() const { return segmentMargin_; }
    void setSegmentMargin(int value);          // negative values become 0
    TColor SegmentColor() const { return segmentColor_; }
    void setSegmentColor(TColor value);
    int SegmentSeperation() const { return segmentSeperation_; }
    void setSegmentSeperation(int value);      // negative values become 0
    int SegmentSize() const { return segmentSize_; }
    void setSegmentSize(int value);            // held in 1..100
    bool ShowOffSegments() const { return showOffSegments_; }
    void setShowOffSegments(bool value);
    bool PowerOff() const { return powerOff_; }
    void setPowerOff(bool value);
    TColor SegmentOffColor() const { return segmentOffColor_; }
    void setSegmentOffColor(TColor value);
    bool AutoSegmentOffColor() const { return autoSegmentOffColor_; }
    void setAutoSegmentOffColor(bool value);

    // Published by the analog read-out.
    int DigitCount() const { return digitCount_; }
    void setDigitCount(int value);             // held in 1..32
    TiLeadingStyle LeadingStyle() const { return leadingStyle_; }
    void setLeadingStyle(TiLeadingStyle value);

    // The hidden renderer that draws every cell.
    const TiSevenSegmentCharacter &Renderer() const { return *renderer_; }

signals:
    // Raised after the value has changed (not while the layout is loaded).
    void ValueChange();

protected:
    // The size the automatic sizing gives the widget.
    virtual QSize GetAutoSizeExtent() = 0;
    // Resizes to GetAutoSizeExtent when AutoSize is on and not loading.
    void ApplyAutoSize();
    // Copies the look into the renderer, as each paint does first.
    void PrepareRenderer();
    TiSevenSegmentCharacter &renderer() { return *renderer_; }

private:
    TiSevenSegmentCharacter *renderer_;  // a hidden child widget
    bool autoSize_ = true;
    int digitSpacing_ = 6;
    int segmentMargin_ = 5;
    TColor segmentColor_ = clWhite;
    int segmentSeperation_ = 1;
    int segmentSize_ = 1;
    bool showOffSegments_ = true;
    bool powerOff_ = false;
    TColor segmentOffColor_ = clGray;
    bool autoSegmentOffColor_ = true;
    int digitCount_ = 4;
    TiLeadingStyle leadingStyle_ = ilsSpaces;
};

// What the cell layout of a read-out depends on.
struct ReadoutSettings {
    int Width = 84;
    int Height = 28;
    int DigitCount = 4;
    int Precision = 2;
    int DigitSpacing = 6;
    int SegmentMargin = 5;
    bool ShowSign = true;
    TiLeadingStyle LeadingStyle = ilsSpaces;
};

// One glyph of a paint and the cell it goes into.
struct CellGlyph {
    TSevenSegmentCharacter Code = sscBlank;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    friend bool operator==(const CellGlyph &, const CellGlyph &) = default;
};

// The glyphs a paint draws, in drawing order: the sign cell, the integer
// cells, the decimal point, the fraction digits (or the sign cell and a row
// of arrows). Cells that get no glyph are not listed; they stay background.
// `decimalPoint` is the locale's separator.
std::vector<CellGlyph> LayoutReadout(const ReadoutSettings &settings, double value, const QString &decimalPoint);

class TiSevenSegmentAnalog : public TiSevenSegmentDisplay {
    Q_OBJECT
    Q_PROPERTY(int DigitCount READ DigitCount WRITE setDigitCount)
    Q_PROPERTY(TiTypes::TiLeadingStyle LeadingStyle READ LeadingStyle WRITE setLeadingStyle)
    Q_PROPERTY(double Value READ Value WRITE setValue)
    Q_PROPERTY(bool ShowSign READ ShowSign WRITE setShowSign)
    Q_PROPERTY(int Precision READ Precision WRITE setPrecision)
    Q_PROPERTY(QString Unit READ Unit WRITE setUnit)

public:
    static constexpr double MaxValue = 1e15;

    explicit TiSevenSegmentAnalog(QWidget *parent = nullptr);
    ~TiSevenSegmentAnalog() override;

    double Value() const { return value_; }
    void setValue(double value);               // held at most 1e15
    bool ShowSign() const { return showSign_; }
    void setShowSign(bool value);
    int Precision() const { return precision_; }
    void setPrecision(int value);              // held in 0..13
    // The unit a screen reader says after the number ("А", "см"); it is
    // not drawn, so setting it repaints nothing.
    QString Unit() const { return unit_; }
    void setUnit(const QString &value) { unit_ = value; }

    ReadoutSettings LayoutSettings() const;

protected:
    QSize GetAutoSizeExtent() override;
    void PaintContents(Canvas &canvas) override;

private:
    double value_ = 0.0;
    bool showSign_ = true;
    int precision_ = 2;
    QString unit_;
};
