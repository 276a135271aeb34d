// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A position instrument with a scale: the scale object it owns, the values and
// label texts of the major ticks, and the automatic rounding of the scale to
// tidy steps.
#include "widgets/gauge_scale.h"
#include "widgets/position_instrument.h"

#include <functional>

// Called for every major tick's label: its index from 0 and its text, which
// the call may change.
using TickLabelCustomizer = std::function<void(int index, QString &text)>;

class ScaleInstrument : public PositionInstrument {
    Q_OBJECT
    Q_PROPERTY(GaugeScale *scale READ scale CONSTANT)
    Q_PROPERTY(bool autoScaleEnabled READ autoScaleEnabled WRITE setAutoScaleEnabled NOTIFY autoScaleEnabledChanged)
    Q_PROPERTY(int autoScaleDesiredTicks READ autoScaleDesiredTicks WRITE setAutoScaleDesiredTicks NOTIFY
                   autoScaleDesiredTicksChanged)
    Q_PROPERTY(int autoScaleMaxTicks READ autoScaleMaxTicks WRITE setAutoScaleMaxTicks NOTIFY autoScaleMaxTicksChanged)
    Q_PROPERTY(AutoScaleStyle autoScaleStyle READ autoScaleStyle WRITE setAutoScaleStyle NOTIFY autoScaleStyleChanged)

public:
    // Auto scaling rounds the range itself, or keeps it and rounds the ticks
    // inside it.
    enum class AutoScaleStyle { AutoMinMax, FixedMinMax };
    Q_ENUM(AutoScaleStyle)

    explicit ScaleInstrument(QWidget *parent = nullptr);
    ~ScaleInstrument() override;

    GaugeScale *scale() const { return scale_; }

    const TickLabelCustomizer &tickLabelCustomizer() const { return tickLabelCustomizer_; }
    void setTickLabelCustomizer(TickLabelCustomizer customizer);

    bool autoScaleEnabled() const { return autoScaleEnabled_; }
    void setAutoScaleEnabled(bool v);
    int autoScaleDesiredTicks() const { return autoScaleDesiredTicks_; }
    void setAutoScaleDesiredTicks(int v);  // a value below 2 is ignored
    int autoScaleMaxTicks() const { return autoScaleMaxTicks_; }
    void setAutoScaleMaxTicks(int v);  // a value below 2 is ignored
    AutoScaleStyle autoScaleStyle() const { return autoScaleStyle_; }
    void setAutoScaleStyle(AutoScaleStyle v);

    // With auto scaling on, a new limit is handed to the rounding.
    void setPositionMin(double value) override;
    void setPositionMax(double value) override;

    // The range the major ticks span: the position range, or the tidy tick
    // range while auto scaling keeps a fixed range.
    bool hasOwnTickRange() const { return autoScaleEnabled_ && autoScaleStyle_ == AutoScaleStyle::FixedMinMax; }
    double tickRangeLow() const { return hasOwnTickRange() ? tickLow_ : positionMin(); }
    double tickRangeHigh() const { return hasOwnTickRange() ? tickHigh_ : positionMax(); }

    double tickValue(int index) const;
    int labelPrecision() const;
    QString tickLabelText(int index) const;

signals:
    void autoScaleEnabledChanged(bool value);
    void autoScaleDesiredTicksChanged(int value);
    void autoScaleMaxTicksChanged(int value);
    void autoScaleStyleChanged(ScaleInstrument::AutoScaleStyle value);

protected:
    void loaded() override;

private:
    // Rounds the scale for the requested limits; nothing unless enabled and
    // not loading.
    void autoScale(double lo, double hi);
    void tickRangeSwitched(bool ownRangeBefore);

    GaugeScale *scale_;
    TickLabelCustomizer tickLabelCustomizer_;
    bool autoScaleEnabled_ = false;
    int autoScaleDesiredTicks_ = 5;
    int autoScaleMaxTicks_ = 6;
    AutoScaleStyle autoScaleStyle_ = AutoScaleStyle::AutoMinMax;
    double tickLow_ = 0;
    double tickHigh_ = 100;
};
