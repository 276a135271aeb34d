// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/position_instrument.h"

#include <QAccessible>
#include <cmath>

double positionFraction(double positionMin, double positionMax, double v)
{
    if (v > positionMax) return 1;
    if (v >= positionMin && positionMax != positionMin) {
        const double f = (v - positionMin) / (positionMax - positionMin);
        return std::isfinite(f) ? f : 0;  // a span too wide for a double
    }
    return 0;
}

PositionInstrument::PositionInstrument(QWidget *parent)
    : InstrumentWidget(parent)
{
}

PositionInstrument::~PositionInstrument() = default;

// A dial must never show an infinite or undefined value, so non-finite
// writes of the reals are ignored.
void PositionInstrument::setPosition(double value)
{
    if (!std::isfinite(value)) return;
    if (isLoading()) {
        storePosition(value);
        return;
    }
    if (value > positionMax_) value = positionMax_;
    if (value < positionMin_) value = positionMin_;
    if (value == storedPosition() || !storePosition(value)) return;

    if (value > currentMax_ && !minMaxFixed_) setCurrentMax(value);
    if (value < currentMin_ && !minMaxFixed_) setCurrentMin(value);

    if (value > currentMax_) emit positionOverMax(value);
    if (value < currentMin_) emit positionUnderMin(value);

    emit positionChanged(value);
    // A screen reader hears the new position.
    QAccessibleValueChangeEvent event(this, value);
    QAccessible::updateAccessibility(&event);
}

void PositionInstrument::setRange(double newMin, double newMax)
{
    if (!std::isfinite(newMax) || !std::isfinite(newMin)) return;
    if (positionMin_ == newMin && positionMax_ == newMax) return;
    positionMin_ = newMin;
    positionMax_ = newMax;
    if (!isLoading() && !minMaxFixed_) {
        if (currentMin_ < positionMin_) setCurrentMin(positionMin_);
        if (currentMax_ > positionMax_) setCurrentMax(positionMax_);
    }
    clampPointersToRange();
    invalidateBackground();
    if (!isLoading()) emit rangeChanged(positionMin_, positionMax_);
}

void PositionInstrument::setPositionMax(double value)
{
    if (value != positionMax_) setRange(positionMin_, value);
}

void PositionInstrument::setPositionMin(double value)
{
    if (value != positionMin_) setRange(value, positionMax_);
}

void PositionInstrument::setCurrentMax(double value)
{
    if (!std::isfinite(value)) return;
    if (!isLoading()) {
        if (value < positionMin_) value = positionMin_;
        if (value > positionMax_) value = positionMax_;
    }
    if (!assign(currentMax_, value)) return;
    if (showMaxPointer_) invalidateContents();
    if (!isLoading()) emit currentMaxChanged(value);
}

void PositionInstrument::setCurrentMin(double value)
{
    if (!std::isfinite(value)) return;
    if (!isLoading()) {
        if (value < positionMin_) value = positionMin_;
        if (value > positionMax_) value = positionMax_;
    }
    if (!assign(currentMin_, value)) return;
    if (showMinPointer_) invalidateContents();
    if (!isLoading()) emit currentMinChanged(value);
}

double PositionInstrument::positionToFraction(double value) const
{
    return positionFraction(positionMin_, positionMax_, value);
}

void PositionInstrument::setMinMaxFixed(bool value)
{
    if (!assign(minMaxFixed_, value)) return;
    invalidateContents();
    emit minMaxFixedChanged(value);
}

void PositionInstrument::setShowMaxPointer(bool value)
{
    if (!assign(showMaxPointer_, value)) return;
    invalidateBackground();
    emit showMaxPointerChanged(value);
}

void PositionInstrument::setShowMinPointer(bool value)
{
    if (!assign(showMinPointer_, value)) return;
    invalidateBackground();
    emit showMinPointerChanged(value);
}

void PositionInstrument::setMinMaxPointerSize(int value)
{
    if (!assign(minMaxPointerSize_, value)) return;
    invalidateBackground();
    emit minMaxPointerSizeChanged(value);
}

void PositionInstrument::setMinMaxPointerMargin(int value)
{
    if (!assign(minMaxPointerMargin_, value)) return;
    invalidateBackground();
    emit minMaxPointerMarginChanged(value);
}

void PositionInstrument::setMaxPointerColor(TColor value)
{
    if (!assign(maxPointerColor_, value)) return;
    invalidateContents();
    emit maxPointerColorChanged(value);
}

void PositionInstrument::setMinPointerColor(TColor value)
{
    if (!assign(minPointerColor_, value)) return;
    invalidateContents();
    emit minPointerColorChanged(value);
}

void PositionInstrument::setMinMaxUserCanMove(bool value)
{
    if (!assign(minMaxUserCanMove_, value)) return;
    invalidateContents();
    emit minMaxUserCanMoveChanged(value);
}
