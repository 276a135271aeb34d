// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/iPositionComponent.h"

#include <QAccessible>
#include <cmath>

double PositionFraction(double positionMin, double positionMax, double v)
{
    if (v > positionMax) return 1;
    if (v >= positionMin && positionMax != positionMin) {
        const double f = (v - positionMin) / (positionMax - positionMin);
        return std::isfinite(f) ? f : 0;  // a span too wide for a double
    }
    return 0;
}

TiPositionComponent::TiPositionComponent(QWidget *parent)
    : TiCustomComponent(parent)
{
}

TiPositionComponent::~TiPositionComponent() = default;

double TiPositionComponent::GetPosition() const
{
    return StoredPosition();
}

// A dial must never show an infinite or undefined value, so non-finite
// writes of the reals are ignored.
void TiPositionComponent::SetPosition(double value)
{
    if (!std::isfinite(value)) return;
    if (IsLoading()) {
        StorePosition(value);
        return;
    }
    if (value > positionMax_) value = positionMax_;
    if (value < positionMin_) value = positionMin_;
    if (value == StoredPosition()) return;
    StorePosition(value);

    if (value > currentMax_ && !minMaxFixed_) SetCurrentMax(value);
    if (value < currentMin_ && !minMaxFixed_) SetCurrentMin(value);

    if (value > currentMax_) emit PositionOverMax(this);
    if (value < currentMin_) emit PositionUnderMin(this);

    PositionChanged();
    emit PositionChange(this);
    // A screen reader hears the new position.
    QAccessibleValueChangeEvent event(this, value);
    QAccessible::updateAccessibility(&event);
}

void TiPositionComponent::SetRange(double newMax, double newMin)
{
    if (!std::isfinite(newMax) || !std::isfinite(newMin)) return;
    if (positionMin_ == newMin && positionMax_ == newMax) return;
    positionMin_ = newMin;
    positionMax_ = newMax;
    if (!IsLoading() && !minMaxFixed_) {
        if (currentMin_ < positionMin_) SetCurrentMin(positionMin_);
        if (currentMax_ > positionMax_) SetCurrentMax(positionMax_);
    }
    ClampPointersToRange();
    InvalidateBackground();
}

void TiPositionComponent::SetPositionMax(double value)
{
    if (value != positionMax_) SetRange(value, positionMin_);
}

void TiPositionComponent::SetPositionMin(double value)
{
    if (value != positionMin_) SetRange(positionMax_, value);
}

void TiPositionComponent::ClampPointersToRange()
{
    double p = StoredPosition();
    if (p < positionMin_) p = positionMin_;
    if (p > positionMax_) p = positionMax_;
    if (p != StoredPosition()) StorePosition(p);
}

void TiPositionComponent::SetCurrentMax(double value)
{
    if (!std::isfinite(value)) return;
    if (!IsLoading()) {
        if (value < positionMin_) value = positionMin_;
        if (value > positionMax_) value = positionMax_;
    }
    if (value == currentMax_) return;
    currentMax_ = value;
    if (showMaxPointer_) InvalidateContents();
    if (!IsLoading()) emit CurrentMaxChange(this);
}

void TiPositionComponent::SetCurrentMin(double value)
{
    if (!std::isfinite(value)) return;
    if (!IsLoading()) {
        if (value < positionMin_) value = positionMin_;
        if (value > positionMax_) value = positionMax_;
    }
    if (value == currentMin_) return;
    currentMin_ = value;
    if (showMinPointer_) InvalidateContents();
    if (!IsLoading()) emit CurrentMinChange(this);
}

double TiPositionComponent::PositionToFraction(double value) const
{
    return PositionFraction(positionMin_, positionMax_, value);
}

void TiPositionComponent::setMinMaxFixed(bool value)
{
    if (minMaxFixed_ == value) return;
    minMaxFixed_ = value;
    InvalidateContents();
}

void TiPositionComponent::setShowMaxPointer(bool value)
{
    if (showMaxPointer_ == value) return;
    showMaxPointer_ = value;
    InvalidateBackground();
}

void TiPositionComponent::setShowMinPointer(bool value)
{
    if (showMinPointer_ == value) return;
    showMinPointer_ = value;
    InvalidateBackground();
}

void TiPositionComponent::setMinMaxPointerSize(int value)
{
    if (minMaxPointerSize_ == value) return;
    minMaxPointerSize_ = value;
    InvalidateBackground();
}

void TiPositionComponent::setMinMaxPointerMargin(int value)
{
    if (minMaxPointerMargin_ == value) return;
    minMaxPointerMargin_ = value;
    InvalidateBackground();
}

void TiPositionComponent::setMaxPointerColor(TColor value)
{
    if (maxPointerColor_ == value) return;
    maxPointerColor_ = value;
    InvalidateContents();
}

void TiPositionComponent::setMinPointerColor(TColor value)
{
    if (minPointerColor_ == value) return;
    minPointerColor_ = value;
    InvalidateContents();
}

void TiPositionComponent::setMinMaxUserCanMove(bool value)
{
    if (minMaxUserCanMove_ == value) return;
    minMaxUserCanMove_ = value;
    InvalidateContents();
}
