// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/scale_instrument.h"

#include "widgets/auto_scale.h"

#include <cmath>

ScaleInstrument::ScaleInstrument(QWidget *parent) : PositionInstrument(parent), scale_(new GaugeScale(this))
{
    connect(scale_, &GaugeScale::changed, this, &ScaleInstrument::invalidateBackground);
}

ScaleInstrument::~ScaleInstrument() = default;

void ScaleInstrument::setTickLabelCustomizer(TickLabelCustomizer customizer)
{
    tickLabelCustomizer_ = std::move(customizer);
    invalidateBackground();  // the labels may read differently now
}

void ScaleInstrument::setAutoScaleEnabled(bool v)
{
    if (autoScaleEnabled_ == v) return;
    const bool ownRange = hasOwnTickRange();
    autoScaleEnabled_ = v;
    autoScale(positionMin(), positionMax());
    tickRangeSwitched(ownRange);
    emit autoScaleEnabledChanged(v);
}

void ScaleInstrument::setAutoScaleDesiredTicks(int v)
{
    if (v < 2 || !assign(autoScaleDesiredTicks_, v)) return;
    autoScale(positionMin(), positionMax());
    emit autoScaleDesiredTicksChanged(v);
}

void ScaleInstrument::setAutoScaleMaxTicks(int v)
{
    if (v < 2 || !assign(autoScaleMaxTicks_, v)) return;
    autoScale(positionMin(), positionMax());
    emit autoScaleMaxTicksChanged(v);
}

void ScaleInstrument::setAutoScaleStyle(AutoScaleStyle v)
{
    if (autoScaleStyle_ == v) return;
    const bool ownRange = hasOwnTickRange();
    autoScaleStyle_ = v;
    autoScale(positionMin(), positionMax());
    tickRangeSwitched(ownRange);
    emit autoScaleStyleChanged(v);
}

// The ticks drawn on the background follow the tick range: when the scale's
// own range stops (or starts) applying, the background must be drawn again,
// even though auto scaling itself, switched off, requests nothing.
void ScaleInstrument::tickRangeSwitched(bool ownRangeBefore)
{
    if (hasOwnTickRange() != ownRangeBefore) invalidateBackground();
}

void ScaleInstrument::setPositionMin(double value)
{
    if (autoScaleEnabled_ && !isLoading())
        autoScale(value, positionMax());
    else
        PositionInstrument::setPositionMin(value);
}

void ScaleInstrument::setPositionMax(double value)
{
    if (autoScaleEnabled_ && !isLoading())
        autoScale(positionMin(), value);
    else
        PositionInstrument::setPositionMax(value);
}

void ScaleInstrument::loaded()
{
    PositionInstrument::loaded();
    autoScale(positionMin(), positionMax());
}

// When no tidy scale fits, the requested range and the present tick count
// stay as they are, so the dial still shows what was asked for.
void ScaleInstrument::autoScale(double lo, double hi)
{
    if (!autoScaleEnabled_ || isLoading()) return;
    if (!std::isfinite(lo) || !std::isfinite(hi)) return;
    if (autoScaleStyle_ == AutoScaleStyle::AutoMinMax) {
        const auto r = autoScaleRange(lo, hi, autoScaleDesiredTicks_, autoScaleMaxTicks_);
        if (r) {
            setRange(r->low, r->high);
            scale_->setTickMajorCount(r->tickCount);
        } else {
            setRange(lo, hi);
        }
    } else {
        const auto r = autoScaleTicksInRange(lo, hi, autoScaleDesiredTicks_, autoScaleMaxTicks_);
        setRange(lo, hi);
        tickLow_ = r ? r->low : lo;
        tickHigh_ = r ? r->high : hi;
        invalidateBackground();
        if (r) scale_->setTickMajorCount(r->tickCount);
    }
}

double ScaleInstrument::tickValue(int index) const
{
    return tickValueOn(tickRangeLow(), tickRangeHigh(), scale_->tickMajorCount(), index);
}

int ScaleInstrument::labelPrecision() const
{
    return tickLabelDecimals(scale_->precisionStyle(), scale_->tickLabelPrecision(), positionMax() - positionMin());
}

QString ScaleInstrument::tickLabelText(int index) const
{
    QString text = formatTickLabel(tickValue(index), labelPrecision());
    if (tickLabelCustomizer_) tickLabelCustomizer_(index, text);
    return text;
}
