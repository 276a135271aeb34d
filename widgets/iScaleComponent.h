// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scale of a position instrument: tick counts, lengths, margins and
// colours, the tick label font, precision and text, and the automatic
// rounding of the scale to tidy steps.
#include "widgets/iPositionComponent.h"

#include <QFont>
#include <QString>
#include <functional>
#include <memory>

// A font as the instruments keep it: the face with its colour.
struct TiFont {
    QFont Font;
    TColor Color = clWindowText;
    friend bool operator==(const TiFont &a, const TiFont &b) { return a.Color == b.Color && a.Font == b.Font; }
};
// A font given by face name and character height in pixels.
TiFont MakeFont(const QString &family, int pixelHeight, TColor color, bool bold = false);

// Called for every major tick's label: Index from 0, DisplayText in and out.
using TOnCustomizeTickLabel = std::function<void(QObject *Sender, int Index, QString &DisplayText)>;

// The digits after the decimal point of the tick labels.
int LabelPrecision(TiPrecisionStyle style, int precision, double span);
// "%.<decimals>f" with the locale's decimal separator, no grouping, trimmed.
QString FormatTickLabel(double value, int decimals);
// The value of major tick `index` on [lo, hi] with `count` major ticks.
double TickValue(double lo, double hi, int count, int index);

// The tick and label settings. Every change reports to the owner.
class TiScaleObject {
public:
    explicit TiScaleObject(std::function<void()> changed);

    bool ShowTicksMajor() const { return showTicksMajor_; }
    void setShowTicksMajor(bool v) { assign(showTicksMajor_, v); }
    bool ShowTicksMinor() const { return showTicksMinor_; }
    void setShowTicksMinor(bool v) { assign(showTicksMinor_, v); }
    bool ShowTickLabels() const { return showTickLabels_; }
    void setShowTickLabels(bool v) { assign(showTickLabels_, v); }
    int TickMajorCount() const { return tickMajorCount_; }
    void setTickMajorCount(int v);
    int TickMajorLength() const { return tickMajorLength_; }
    void setTickMajorLength(int v) { assign(tickMajorLength_, v <= 0 ? 1 : v); }
    TColor TickMajorColor() const { return tickMajorColor_; }
    void setTickMajorColor(TColor v) { assign(tickMajorColor_, v); }
    int TickMinorCount() const { return tickMinorCount_; }
    void setTickMinorCount(int v);
    int TickMinorLength() const { return tickMinorLength_; }
    void setTickMinorLength(int v) { assign(tickMinorLength_, v <= 0 ? 1 : v); }
    TColor TickMinorColor() const { return tickMinorColor_; }
    void setTickMinorColor(TColor v) { assign(tickMinorColor_, v); }
    TiTickMinorAlignment TickMinorAlignment() const { return tickMinorAlignment_; }
    void setTickMinorAlignment(TiTickMinorAlignment v) { assign(tickMinorAlignment_, v); }
    int TickMargin() const { return tickMargin_; }
    void setTickMargin(int v) { assign(tickMargin_, v); }
    int TickLabelMargin() const { return tickLabelMargin_; }
    void setTickLabelMargin(int v) { assign(tickLabelMargin_, v); }
    const TiFont &TickLabelFont() const { return tickLabelFont_; }
    void setTickLabelFont(const TiFont &v) { assign(tickLabelFont_, v); }
    int TickLabelPrecision() const { return tickLabelPrecision_; }
    void setTickLabelPrecision(int v) { assign(tickLabelPrecision_, v < 0 ? 0 : v); }
    TiPrecisionStyle PrecisionStyle() const { return precisionStyle_; }
    void setPrecisionStyle(TiPrecisionStyle v) { assign(precisionStyle_, v); }

private:
    template <class T>
    void assign(T &field, const T &value)
    {
        if (field == value) return;
        field = value;
        changed_();
    }

    std::function<void()> changed_;
    bool showTicksMajor_ = true;
    bool showTicksMinor_ = true;
    bool showTickLabels_ = true;
    int tickMajorCount_ = 5;
    int tickMajorLength_ = 7;
    TColor tickMajorColor_ = clBlack;
    int tickMinorCount_ = 4;
    int tickMinorLength_ = 3;
    TColor tickMinorColor_ = clBlack;
    TiTickMinorAlignment tickMinorAlignment_ = itmnaInside;
    int tickMargin_ = 5;
    int tickLabelMargin_ = 5;
    TiFont tickLabelFont_;
    int tickLabelPrecision_ = 0;
    TiPrecisionStyle precisionStyle_ = ipsFixedDecimalPoints;
};

class TiScaleComponent : public TiPositionComponent {
    Q_OBJECT
    Q_PROPERTY(bool ShowTicksMajor READ ShowTicksMajor WRITE setShowTicksMajor)
    Q_PROPERTY(bool ShowTicksMinor READ ShowTicksMinor WRITE setShowTicksMinor)
    Q_PROPERTY(bool ShowTickLabels READ ShowTickLabels WRITE setShowTickLabels)
    Q_PROPERTY(int TickMajorCount READ TickMajorCount WRITE setTickMajorCount)
    Q_PROPERTY(int TickMajorLength READ TickMajorLength WRITE setTickMajorLength)
    Q_PROPERTY(TColor TickMajorColor READ TickMajorColor WRITE setTickMajorColor)
    Q_PROPERTY(TiFont TickLabelFont READ TickLabelFont WRITE setTickLabelFont)
    Q_PROPERTY(int TickMinorCount READ TickMinorCount WRITE setTickMinorCount)
    Q_PROPERTY(int TickMinorLength READ TickMinorLength WRITE setTickMinorLength)
    Q_PROPERTY(TColor TickMinorColor READ TickMinorColor WRITE setTickMinorColor)
    Q_PROPERTY(TiTypes::TiTickMinorAlignment TickMinorAlignment READ TickMinorAlignment WRITE setTickMinorAlignment)
    Q_PROPERTY(int TickMargin READ TickMargin WRITE setTickMargin)
    Q_PROPERTY(int TickLabelMargin READ TickLabelMargin WRITE setTickLabelMargin)
    Q_PROPERTY(int TickLabelPrecision READ TickLabelPrecision WRITE setTickLabelPrecision)
    Q_PROPERTY(TiTypes::TiPrecisionStyle PrecisionStyle READ PrecisionStyle WRITE setPrecisionStyle)
    Q_PROPERTY(bool AutoScaleEnabled READ AutoScaleEnabled WRITE setAutoScaleEnabled)
    Q_PROPERTY(int AutoScaleDesiredTicks READ AutoScaleDesiredTicks WRITE setAutoScaleDesiredTicks)
    Q_PROPERTY(int AutoScaleMaxTicks READ AutoScaleMaxTicks WRITE setAutoScaleMaxTicks)
    Q_PROPERTY(TiTypes::TiAutoScaleStyle AutoScaleStyle READ AutoScaleStyle WRITE setAutoScaleStyle)

public:
    explicit TiScaleComponent(QWidget *parent = nullptr);
    ~TiScaleComponent() override;

    TiScaleObject &Scale() { return *scale_; }
    const TiScaleObject &Scale() const { return *scale_; }

    bool ShowTicksMajor() const { return scale_->ShowTicksMajor(); }
    void setShowTicksMajor(bool v) { scale_->setShowTicksMajor(v); }
    bool ShowTicksMinor() const { return scale_->ShowTicksMinor(); }
    void setShowTicksMinor(bool v) { scale_->setShowTicksMinor(v); }
    bool ShowTickLabels() const { return scale_->ShowTickLabels(); }
    void setShowTickLabels(bool v) { scale_->setShowTickLabels(v); }
    int TickMajorCount() const { return scale_->TickMajorCount(); }
    void setTickMajorCount(int v) { scale_->setTickMajorCount(v); }
    int TickMajorLength() const { return scale_->TickMajorLength(); }
    void setTickMajorLength(int v) { scale_->setTickMajorLength(v); }
    TColor TickMajorColor() const { return scale_->TickMajorColor(); }
    void setTickMajorColor(TColor v) { scale_->setTickMajorColor(v); }
    int TickMinorCount() const { return scale_->TickMinorCount(); }
    void setTickMinorCount(int v) { scale_->setTickMinorCount(v); }
    int TickMinorLength() const { return scale_->TickMinorLength(); }
    void setTickMinorLength(int v) { scale_->setTickMinorLength(v); }
    TColor TickMinorColor() const { return scale_->TickMinorColor(); }
    void setTickMinorColor(TColor v) { scale_->setTickMinorColor(v); }
    TiTickMinorAlignment TickMinorAlignment() const { return scale_->TickMinorAlignment(); }
    void setTickMinorAlignment(TiTickMinorAlignment v) { scale_->setTickMinorAlignment(v); }
    int TickMargin() const { return scale_->TickMargin(); }
    void setTickMargin(int v) { scale_->setTickMargin(v); }
    int TickLabelMargin() const { return scale_->TickLabelMargin(); }
    void setTickLabelMargin(int v) { scale_->setTickLabelMargin(v); }
    const TiFont &TickLabelFont() const { return scale_->TickLabelFont(); }
    void setTickLabelFont(const TiFont &v) { scale_->setTickLabelFont(v); }
    int TickLabelPrecision() const { return scale_->TickLabelPrecision(); }
    void setTickLabelPrecision(int v) { scale_->setTickLabelPrecision(v); }
    TiPrecisionStyle PrecisionStyle() const { return scale_->PrecisionStyle(); }
    void setPrecisionStyle(TiPrecisionStyle v) { scale_->setPrecisionStyle(v); }
    const TOnCustomizeTickLabel &OnCustomizeTickLabel() const { return onCustomizeTickLabel_; }
    void setOnCustomizeTickLabel(TOnCustomizeTickLabel handler);

    bool AutoScaleEnabled() const { return autoScaleEnabled_; }
    void setAutoScaleEnabled(bool v);
    int AutoScaleDesiredTicks() const { return autoScaleDesiredTicks_; }
    void setAutoScaleDesiredTicks(int v);
    int AutoScaleMaxTicks() const { return autoScaleMaxTicks_; }
    void setAutoScaleMaxTicks(int v);
    TiAutoScaleStyle AutoScaleStyle() const { return autoScaleStyle_; }
    void setAutoScaleStyle(TiAutoScaleStyle v);

    // The range the major ticks span: the position range, or the tidy tick
    // range while auto scaling keeps a fixed range.
    bool TickRangeIsOwn() const { return autoScaleEnabled_ && autoScaleStyle_ == iassFixedMinMax; }
    double TickRangeLo() const { return TickRangeIsOwn() ? tickLo_ : PositionMin(); }
    double TickRangeHi() const { return TickRangeIsOwn() ? tickHi_ : PositionMax(); }

    double GetTickValue(int index) const;
    virtual int GetLabelPrecision() const;
    QString GetTickLabelText(int index);

protected:
    void SetPositionMin(double value) override;
    void SetPositionMax(double value) override;
    void Loaded() override;
    // Rounds the scale for the requested limits; nothing unless enabled
    // and not loading.
    void DoAutoScale(double lo, double hi);

private:
    void tickRangeSwitched(bool ownRangeBefore);

    std::unique_ptr<TiScaleObject> scale_;
    TOnCustomizeTickLabel onCustomizeTickLabel_;
    bool autoScaleEnabled_ = false;
    int autoScaleDesiredTicks_ = 5;
    int autoScaleMaxTicks_ = 6;
    TiAutoScaleStyle autoScaleStyle_ = iassAutoMinMax;
    double tickLo_ = 0;
    double tickHi_ = 100;
};
