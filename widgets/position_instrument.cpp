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

PositionInstrument::PositionInstrument(QWidget *parent) : InstrumentWidget(parent) {}

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
    changeSetting(minMaxFixed_, value, Repaint::Contents, &PositionInstrument::minMaxFixedChanged);
}

void PositionInstrument::setShowMaxPointer(bool value)
{
    changeSetting(showMaxPointer_, value, Repaint::Background, &PositionInstrument::showMaxPointerChanged);
}

void PositionInstrument::setShowMinPointer(bool value)
{
    changeSetting(showMinPointer_, value, Repaint::Background, &PositionInstrument::showMinPointerChanged);
}

void PositionInstrument::setMinMaxPointerSize(int value)
{
    changeSetting(minMaxPointerSize_, value, Repaint::Background, &PositionInstrument::minMaxPointerSizeChanged);
}

void PositionInstrument::setMinMaxPointerMargin(int value)
{
    changeSetting(minMaxPointerMargin_, value, Repaint::Background, &PositionInstrument::minMaxPointerMarginChanged);
}

void PositionInstrument::setMaxPointerColor(TColor value)
{
    changeSetting(maxPointerColor_, value, Repaint::Contents, &PositionInstrument::maxPointerColorChanged);
}

void PositionInstrument::setMinPointerColor(TColor value)
{
    changeSetting(minPointerColor_, value, Repaint::Contents, &PositionInstrument::minPointerColorChanged);
}

void PositionInstrument::setMinMaxUserCanMove(bool value)
{
    changeSetting(minMaxUserCanMove_, value, Repaint::Contents, &PositionInstrument::minMaxUserCanMoveChanged);
}
