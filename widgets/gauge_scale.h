// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scale of a dial: the arc it lies on, its major and minor ticks, the tick
// labels' font, margin, placement and precision, and the arc lines. The gauge
// owns one scale and its paint reads the settings here.
#include "toolkit/colors.h"
#include "widgets/instrument_part.h"

#include <QFont>
#include <QString>

// A font as the instruments keep it: the face with its colour.
struct InstrumentFont {
    QFont font;
    TColor color = clWindowText;
    friend bool operator==(const InstrumentFont &a, const InstrumentFont &b)
    {
        return a.color == b.color && a.font == b.font;
    }
};
// A font given by face name and character height in pixels.
InstrumentFont instrumentFont(const QString &family, int pixelHeight, TColor color, bool bold = false);

class GaugeScale : public InstrumentPart {
    Q_OBJECT
    Q_PROPERTY(int arcRadius READ arcRadius WRITE setArcRadius NOTIFY changed)
    Q_PROPERTY(int arcRangeDegrees READ arcRangeDegrees WRITE setArcRangeDegrees NOTIFY changed)
    Q_PROPERTY(int arcStartDegrees READ arcStartDegrees WRITE setArcStartDegrees NOTIFY changed)
    Q_PROPERTY(bool reverseScale READ reverseScale WRITE setReverseScale NOTIFY changed)
    Q_PROPERTY(bool showInnerArcRadius READ showInnerArcRadius WRITE setShowInnerArcRadius NOTIFY changed)
    Q_PROPERTY(bool showOuterArcRadius READ showOuterArcRadius WRITE setShowOuterArcRadius NOTIFY changed)
    Q_PROPERTY(bool showTicksMajor READ showTicksMajor WRITE setShowTicksMajor NOTIFY changed)
    Q_PROPERTY(bool showTicksMinor READ showTicksMinor WRITE setShowTicksMinor NOTIFY changed)
    Q_PROPERTY(bool showTickLabels READ showTickLabels WRITE setShowTickLabels NOTIFY changed)
    Q_PROPERTY(int tickMajorCount READ tickMajorCount WRITE setTickMajorCount NOTIFY changed)
    Q_PROPERTY(int tickMajorLength READ tickMajorLength WRITE setTickMajorLength NOTIFY changed)
    Q_PROPERTY(TColor tickMajorColor READ tickMajorColor WRITE setTickMajorColor NOTIFY changed)
    Q_PROPERTY(int tickMinorCount READ tickMinorCount WRITE setTickMinorCount NOTIFY changed)
    Q_PROPERTY(int tickMinorLength READ tickMinorLength WRITE setTickMinorLength NOTIFY changed)
    Q_PROPERTY(TColor tickMinorColor READ tickMinorColor WRITE setTickMinorColor NOTIFY changed)
    Q_PROPERTY(TickMinorAlignment tickMinorAlignment READ tickMinorAlignment WRITE setTickMinorAlignment NOTIFY changed)
    Q_PROPERTY(int tickMargin READ tickMargin WRITE setTickMargin NOTIFY changed)
    Q_PROPERTY(int tickLabelMargin READ tickLabelMargin WRITE setTickLabelMargin NOTIFY changed)
    Q_PROPERTY(InstrumentFont tickLabelFont READ tickLabelFont WRITE setTickLabelFont NOTIFY changed)
    Q_PROPERTY(int tickLabelPrecision READ tickLabelPrecision WRITE setTickLabelPrecision NOTIFY changed)
    Q_PROPERTY(PrecisionStyle precisionStyle READ precisionStyle WRITE setPrecisionStyle NOTIFY changed)
    Q_PROPERTY(TickLabelAlignment tickLabelAlignment READ tickLabelAlignment WRITE setTickLabelAlignment NOTIFY changed)

public:
    // Where the minor ticks stand in the band of the major ones.
    enum class TickMinorAlignment { Inside, Center, Outside };
    Q_ENUM(TickMinorAlignment)
    // How the tick labels' decimals are counted.
    enum class PrecisionStyle { SignificantDigits, FixedDecimalPoints };
    Q_ENUM(PrecisionStyle)
    // Labels centred on their anchor, or set beside it on the side the tick
    // points to.
    enum class TickLabelAlignment { Center, Justified };
    Q_ENUM(TickLabelAlignment)

    explicit GaugeScale(QObject *parent = nullptr);

    int arcRadius() const { return arcRadius_; }
    void setArcRadius(int v) { assign(arcRadius_, v); }
    // The radius the automatic sizing found, stored without a change report:
    // the paint that found it is already drawing with it.
    void adoptArcRadius(int v) { arcRadius_ = v; }
    int arcRangeDegrees() const { return arcRangeDegrees_; }
    void setArcRangeDegrees(int v) { assign(arcRangeDegrees_, v > 360 ? 360 : v); }
    int arcStartDegrees() const { return arcStartDegrees_; }
    void setArcStartDegrees(int v) { assign(arcStartDegrees_, v); }
    bool reverseScale() const { return reverseScale_; }
    void setReverseScale(bool v) { assign(reverseScale_, v); }
    bool showInnerArcRadius() const { return showInnerArcRadius_; }
    void setShowInnerArcRadius(bool v) { assign(showInnerArcRadius_, v); }
    bool showOuterArcRadius() const { return showOuterArcRadius_; }
    void setShowOuterArcRadius(bool v) { assign(showOuterArcRadius_, v); }

    bool showTicksMajor() const { return showTicksMajor_; }
    void setShowTicksMajor(bool v) { assign(showTicksMajor_, v); }
    bool showTicksMinor() const { return showTicksMinor_; }
    void setShowTicksMinor(bool v) { assign(showTicksMinor_, v); }
    bool showTickLabels() const { return showTickLabels_; }
    void setShowTickLabels(bool v) { assign(showTickLabels_, v); }
    int tickMajorCount() const { return tickMajorCount_; }
    void setTickMajorCount(int v);  // held in 2..100
    int tickMajorLength() const { return tickMajorLength_; }
    void setTickMajorLength(int v) { assign(tickMajorLength_, v <= 0 ? 1 : v); }
    TColor tickMajorColor() const { return tickMajorColor_; }
    void setTickMajorColor(TColor v) { assign(tickMajorColor_, v); }
    int tickMinorCount() const { return tickMinorCount_; }
    void setTickMinorCount(int v);  // held in 1..100
    int tickMinorLength() const { return tickMinorLength_; }
    void setTickMinorLength(int v) { assign(tickMinorLength_, v <= 0 ? 1 : v); }
    TColor tickMinorColor() const { return tickMinorColor_; }
    void setTickMinorColor(TColor v) { assign(tickMinorColor_, v); }
    TickMinorAlignment tickMinorAlignment() const { return tickMinorAlignment_; }
    void setTickMinorAlignment(TickMinorAlignment v) { assign(tickMinorAlignment_, v); }
    int tickMargin() const { return tickMargin_; }
    void setTickMargin(int v) { assign(tickMargin_, v); }
    int tickLabelMargin() const { return tickLabelMargin_; }
    void setTickLabelMargin(int v) { assign(tickLabelMargin_, v); }
    const InstrumentFont &tickLabelFont() const { return tickLabelFont_; }
    void setTickLabelFont(const InstrumentFont &v) { assign(tickLabelFont_, v); }
    int tickLabelPrecision() const { return tickLabelPrecision_; }
    void setTickLabelPrecision(int v) { assign(tickLabelPrecision_, v < 0 ? 0 : v); }
    PrecisionStyle precisionStyle() const { return precisionStyle_; }
    void setPrecisionStyle(PrecisionStyle v) { assign(precisionStyle_, v); }
    TickLabelAlignment tickLabelAlignment() const { return tickLabelAlignment_; }
    void setTickLabelAlignment(TickLabelAlignment v) { assign(tickLabelAlignment_, v); }

private:
    int arcRadius_ = 60;
    int arcRangeDegrees_ = 90;
    int arcStartDegrees_ = 180;
    bool reverseScale_ = false;
    bool showInnerArcRadius_ = false;
    bool showOuterArcRadius_ = false;
    bool showTicksMajor_ = true;
    bool showTicksMinor_ = true;
    bool showTickLabels_ = true;
    int tickMajorCount_ = 5;
    int tickMajorLength_ = 7;
    TColor tickMajorColor_ = clBlack;
    int tickMinorCount_ = 4;
    int tickMinorLength_ = 3;
    TColor tickMinorColor_ = clBlack;
    TickMinorAlignment tickMinorAlignment_ = TickMinorAlignment::Inside;
    int tickMargin_ = 5;
    int tickLabelMargin_ = 5;
    InstrumentFont tickLabelFont_;
    int tickLabelPrecision_ = 0;
    PrecisionStyle precisionStyle_ = PrecisionStyle::FixedDecimalPoints;
    TickLabelAlignment tickLabelAlignment_ = TickLabelAlignment::Center;
};

// The digits after the decimal point of the tick labels.
int tickLabelDecimals(GaugeScale::PrecisionStyle style, int precision, double span);
// "%.<decimals>f" with the locale's decimal separator, no grouping, trimmed.
QString formatTickLabel(double value, int decimals);
// The value of major tick `index` on [lo, hi] with `count` major ticks.
double tickValueOn(double lo, double hi, int count, int index);
