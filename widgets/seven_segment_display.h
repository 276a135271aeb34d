// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seven-segment numeric read-out: a real number in fixed notation on a row
// of character cells, like the display of a bench meter. The decimal point
// takes no cell of its own; it sits in the gap before the first fraction
// digit. A number that does not fit shows a row of arrows instead.
//
// Where the cells go and what each one shows is worked out by layoutReadout,
// a pure function the paint draws from.
#include "widgets/seven_segment_widget.h"

#include <QString>
#include <vector>

struct ReadoutSettings;

class SevenSegmentDisplay : public SevenSegmentWidget {
    Q_OBJECT
    Q_PROPERTY(int digitSpacing READ digitSpacing WRITE setDigitSpacing NOTIFY digitSpacingChanged)
    Q_PROPERTY(int digitCount READ digitCount WRITE setDigitCount NOTIFY digitCountChanged)
    Q_PROPERTY(LeadingStyle leadingStyle READ leadingStyle WRITE setLeadingStyle NOTIFY leadingStyleChanged)
    Q_PROPERTY(double value READ value WRITE setValue NOTIFY valueChanged)
    Q_PROPERTY(bool showSign READ showSign WRITE setShowSign NOTIFY showSignChanged)
    Q_PROPERTY(int precision READ precision WRITE setPrecision NOTIFY precisionChanged)
    Q_PROPERTY(QString unit READ unit WRITE setUnit NOTIFY unitChanged)

public:
    // What fills the integer cells left of a short number.
    enum class LeadingStyle { None, Zeros, Spaces };
    Q_ENUM(LeadingStyle)

    static constexpr double kMaxValue = 1e15;

    explicit SevenSegmentDisplay(QWidget *parent = nullptr);
    ~SevenSegmentDisplay() override;

    int digitSpacing() const { return digitSpacing_; }
    void setDigitSpacing(int value);
    int digitCount() const { return digitCount_; }
    void setDigitCount(int value);  // held in 1..32
    LeadingStyle leadingStyle() const { return leadingStyle_; }
    void setLeadingStyle(LeadingStyle value);
    double value() const { return value_; }
    void setValue(double value);  // held at most 1e15
    bool showSign() const { return showSign_; }
    void setShowSign(bool value);
    int precision() const { return precision_; }
    void setPrecision(int value);  // held in 0..13
    // The unit a screen reader says after the number ("А", "см"); it is
    // not drawn, so setting it repaints nothing.
    QString unit() const { return unit_; }
    void setUnit(const QString &value);

    ReadoutSettings layoutSettings() const;

signals:
    void digitSpacingChanged(int value);
    void digitCountChanged(int value);
    void leadingStyleChanged(SevenSegmentDisplay::LeadingStyle value);
    // Raised after the value has changed (not while the layout is loaded).
    void valueChanged(double value);
    void showSignChanged(bool value);
    void precisionChanged(int value);
    void unitChanged(const QString &value);

protected:
    QSize extentFor(int segmentSize) const override;
    void paintContents(Canvas &canvas) override;

private:
    int digitSpacing_ = 6;
    int digitCount_ = 4;
    LeadingStyle leadingStyle_ = LeadingStyle::Spaces;
    double value_ = 0.0;
    bool showSign_ = true;
    int precision_ = 2;
    QString unit_;
};

// What the cell layout of a read-out depends on.
struct ReadoutSettings {
    int width = 84;
    int height = 28;
    int digitCount = 4;
    int precision = 2;
    int digitSpacing = 6;
    int segmentMargin = 5;
    bool showSign = true;
    SevenSegmentDisplay::LeadingStyle leadingStyle = SevenSegmentDisplay::LeadingStyle::Spaces;
};

// One glyph of a paint and the cell it goes into.
struct CellGlyph {
    SevenSegmentGlyph::Code code = SevenSegmentGlyph::Code::Blank;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const CellGlyph &, const CellGlyph &) = default;
};

// The glyphs a paint draws, in drawing order: the sign cell, the integer
// cells, the decimal point, the fraction digits (or the sign cell and a row
// of arrows). Cells that get no glyph are not listed; they stay background.
// `decimalPoint` is the locale's separator.
std::vector<CellGlyph> layoutReadout(const ReadoutSettings &settings, double value, const QString &decimalPoint);
