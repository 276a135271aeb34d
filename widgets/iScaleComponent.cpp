// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/iScaleComponent.h"

#include "widgets/iAutoScale.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

TiFont MakeFont(const QString &family, int pixelHeight, TColor color, bool bold)
{
    TiFont f;
    f.Font = QFont(family);
    f.Font.setPixelSize(pixelHeight);
    f.Font.setBold(bold);
    // Instrument faces are pixel-exact: glyphs in the font's own colour only.
    f.Font.setStyleStrategy(QFont::NoAntialias);
    f.Color = color;
    return f;
}

int LabelPrecision(TiPrecisionStyle style, int precision, double span)
{
    if (style == ipsFixedDecimalPoints) return precision;
    if (precision == 0) return 0;
    span = std::fabs(span);
    // A span beyond a double's range has no digits to show.
    if (!std::isfinite(span)) return 0;
    long long d = 0;
    if (span != 0) d = (long long)precision - ((long long)std::trunc(std::log10(span)) + 1);
    if (span < 1) d += 1;
    // Labels longer than this carry no information a dial can show.
    return int(std::clamp(d, 0LL, 30LL));
}

QString FormatTickLabel(double value, int decimals)
{
    if (!std::isfinite(value)) return QString();
    QString text = QString::number(value, 'f', std::clamp(decimals, 0, 30));
    // A value that rounds to zero is shown as zero, without a sign.
    if (text.startsWith(QLatin1Char('-')) &&
        std::none_of(text.cbegin(), text.cend(), [](QChar c) { return c >= QLatin1Char('1') && c <= QLatin1Char('9'); }))
        text.remove(0, 1);
    text.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return text.trimmed();
}

double TickValue(double lo, double hi, int count, int index)
{
    return (hi - lo) / (count - 1) * index + lo;
}

TiScaleObject::TiScaleObject(std::function<void()> changed)
    : changed_(std::move(changed))
{
}

void TiScaleObject::setTickMajorCount(int v)
{
    assign(tickMajorCount_, std::clamp(v, 2, 100));
}

void TiScaleObject::setTickMinorCount(int v)
{
    assign(tickMinorCount_, std::clamp(v, 1, 100));
}

TiScaleComponent::TiScaleComponent(QWidget *parent)
    : TiPositionComponent(parent),
      scale_(std::make_unique<TiScaleObject>([this] { InvalidateBackground(); }))
{
}

TiScaleComponent::~TiScaleComponent() = default;

void TiScaleComponent::setOnCustomizeTickLabel(TOnCustomizeTickLabel handler)
{
    onCustomizeTickLabel_ = std::move(handler);
    InvalidateBackground();  // the labels may read differently now
}

void TiScaleComponent::setAutoScaleEnabled(bool v)
{
    if (autoScaleEnabled_ == v) return;
    const bool ownRange = TickRangeIsOwn();
    autoScaleEnabled_ = v;
    DoAutoScale(PositionMin(), PositionMax());
    tickRangeSwitched(ownRange);
}

void TiScaleComponent::setAutoScaleDesiredTicks(int v)
{
    if (v < 2 || autoScaleDesiredTicks_ == v) return;
    autoScaleDesiredTicks_ = v;
    DoAutoScale(PositionMin(), PositionMax());
}

void TiScaleComponent::setAutoScaleMaxTicks(int v)
{
    if (v < 2 || autoScaleMaxTicks_ == v) return;
    autoScaleMaxTicks_ = v;
    DoAutoScale(PositionMin(), PositionMax());
}

void TiScaleComponent::setAutoScaleStyle(TiAutoScaleStyle v)
{
    if (autoScaleStyle_ == v) return;
    const bool ownRange = TickRangeIsOwn();
    autoScaleStyle_ = v;
    DoAutoScale(PositionMin(), PositionMax());
    tickRangeSwitched(ownRange);
}

// The ticks drawn on the background follow the tick range: when the scale's
// own range stops (or starts) applying, the background must be drawn again,
// even though auto scaling itself, switched off, requests nothing.
void TiScaleComponent::tickRangeSwitched(bool ownRangeBefore)
{
    if (TickRangeIsOwn() != ownRangeBefore) InvalidateBackground();
}

void TiScaleComponent::SetPositionMin(double value)
{
    if (autoScaleEnabled_ && !IsLoading())
        DoAutoScale(value, PositionMax());
    else
        TiPositionComponent::SetPositionMin(value);
}

void TiScaleComponent::SetPositionMax(double value)
{
    if (autoScaleEnabled_ && !IsLoading())
        DoAutoScale(PositionMin(), value);
    else
        TiPositionComponent::SetPositionMax(value);
}

void TiScaleComponent::Loaded()
{
    TiPositionComponent::Loaded();
    DoAutoScale(PositionMin(), PositionMax());
}

// When no tidy scale fits, the requested range and the present tick count
// stay as they are, so the dial still shows what was asked for.
void TiScaleComponent::DoAutoScale(double lo, double hi)
{
    if (!autoScaleEnabled_ || IsLoading()) return;
    if (!std::isfinite(lo) || !std::isfinite(hi)) return;
    if (autoScaleStyle_ == iassAutoMinMax) {
        const auto r = AutoScaleAutoMinMax(lo, hi, autoScaleDesiredTicks_, autoScaleMaxTicks_);
        if (r) {
            SetRange(r->B, r->A);
            setTickMajorCount(r->TickCount);
        } else {
            SetRange(hi, lo);
        }
    } else {
        const auto r = AutoScaleFixedMinMax(lo, hi, autoScaleDesiredTicks_, autoScaleMaxTicks_);
        SetRange(hi, lo);
        tickLo_ = r ? r->A : lo;
        tickHi_ = r ? r->B : hi;
        InvalidateBackground();
        if (r) setTickMajorCount(r->TickCount);
    }
}

double TiScaleComponent::GetTickValue(int index) const
{
    return TickValue(TickRangeLo(), TickRangeHi(), TickMajorCount(), index);
}

int TiScaleComponent::GetLabelPrecision() const
{
    return LabelPrecision(PrecisionStyle(), TickLabelPrecision(), PositionMax() - PositionMin());
}

QString TiScaleComponent::GetTickLabelText(int index)
{
    QString text = FormatTickLabel(GetTickValue(index), GetLabelPrecision());
    if (onCustomizeTickLabel_) onCustomizeTickLabel_(this, index, text);
    return text;
}
