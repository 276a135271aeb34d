// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/iSevenSegmentDisplay.h"

#include "toolkit/decimal_format.h"
#include "toolkit/rounding.h"

#include <QAccessible>
#include <QLocale>
#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <string>

namespace {

int widgetExtent(long long v)
{
    return int(std::clamp<long long>(v, 0, QWIDGETSIZE_MAX));
}

int truncateToInt(double v)
{
    if (!(v == v)) return 0;
    if (v >= double(INT_MAX)) return INT_MAX;
    if (v <= double(INT_MIN)) return INT_MIN;
    return int(v);  // truncates toward zero
}

} // namespace

// ---------------------------------------------------------------------------
// TiSevenSegmentDisplay

TiSevenSegmentDisplay::TiSevenSegmentDisplay(QWidget *parent)
    : TiCustomComponent(parent), renderer_(new TiSevenSegmentCharacter(this))
{
    // The renderer only ever draws into our frames: it stays hidden, and its
    // update batch never ends, so it never asks for a repaint of its own.
    renderer_->hide();
    renderer_->BeginUpdate();
    renderer_->setSegmentMargin(0);
    renderer_->setAutoSize(false);
    PrepareRenderer();
    setBackGroundColor(clBlack);
    SetBounds(x(), y(), 15, 15);
}

TiSevenSegmentDisplay::~TiSevenSegmentDisplay() = default;

void TiSevenSegmentDisplay::ApplyAutoSize()
{
    if (!autoSize_ || IsLoading()) return;
    const QSize extent = GetAutoSizeExtent();
    SetBounds(x(), y(), extent.width(), extent.height());
}

void TiSevenSegmentDisplay::PrepareRenderer()
{
    TiSevenSegmentCharacter &r = *renderer_;
    r.setSegmentMargin(0);
    r.setSegmentColor(segmentColor_);
    r.setSegmentOffColor(segmentOffColor_);
    r.setAutoSegmentOffColor(autoSegmentOffColor_);
    r.setSegmentSize(segmentSize_);
    r.setSegmentSeperation(segmentSeperation_);
    r.setShowOffSegments(showOffSegments_);
    r.setPowerOff(powerOff_);
}

void TiSevenSegmentDisplay::setAutoSize(bool value)
{
    if (autoSize_ == value) return;
    autoSize_ = value;
    ApplyAutoSize();
    InvalidateContents();
}

void TiSevenSegmentDisplay::setDigitSpacing(int value)
{
    if (digitSpacing_ == value) return;
    digitSpacing_ = value;
    ApplyAutoSize();
    InvalidateContents();
}

void TiSevenSegmentDisplay::setSegmentMargin(int value)
{
    if (segmentMargin_ == value) return;
    segmentMargin_ = std::max(value, 0);
    ApplyAutoSize();
    InvalidateContents();
}

void TiSevenSegmentDisplay::setSegmentColor(TColor value)
{
    if (segmentColor_ == value) return;
    segmentColor_ = value;
    renderer_->setSegmentColor(value);
    InvalidateContents();
}

void TiSevenSegmentDisplay::setSegmentSeperation(int value)
{
    if (segmentSeperation_ == value) return;
    segmentSeperation_ = std::max(value, 0);
    renderer_->setSegmentSeperation(segmentSeperation_);
    InvalidateContents();
}

void TiSevenSegmentDisplay::setSegmentSize(int value)
{
    if (segmentSize_ == value) return;
    segmentSize_ = std::clamp(value, 1, 100);
    renderer_->setSegmentSize(segmentSize_);
    ApplyAutoSize();
    InvalidateContents();
}

void TiSevenSegmentDisplay::setShowOffSegments(bool value)
{
    if (showOffSegments_ == value) return;
    showOffSegments_ = value;
    InvalidateContents();
}

void TiSevenSegmentDisplay::setPowerOff(bool value)
{
    if (powerOff_ == value) return;
    powerOff_ = value;
    InvalidateContents();
    if (IsLoading()) return;
    // A screen reader hears the power state as the read-out's description.
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

void TiSevenSegmentDisplay::setSegmentOffColor(TColor value)
{
    if (segmentOffColor_ == value) return;
    segmentOffColor_ = value;
    renderer_->setSegmentOffColor(value);
    InvalidateContents();
}

void TiSevenSegmentDisplay::setAutoSegmentOffColor(bool value)
{
    if (autoSegmentOffColor_ == value) return;
    autoSegmentOffColor_ = value;
    renderer_->setAutoSegmentOffColor(value);
    InvalidateContents();
}

void TiSevenSegmentDisplay::setDigitCount(int value)
{
    if (digitCount_ == value) return;
    digitCount_ = std::clamp(value, 1, 32);
    ApplyAutoSize();
    InvalidateContents();
}

void TiSevenSegmentDisplay::setLeadingStyle(TiLeadingStyle value)
{
    if (leadingStyle_ == value) return;
    leadingStyle_ = value;
    InvalidateContents();
}

// ---------------------------------------------------------------------------
// Layout of a paint

std::vector<CellGlyph> LayoutReadout(const ReadoutSettings &s, double value, const QString &decimalPoint)
{
    const int digits = std::clamp(s.DigitCount, 1, 32);
    const int precision = std::clamp(s.Precision, 0, 13);
    const long long spacing = s.DigitSpacing;
    const long long n = digits + (s.ShowSign ? 1 : 0);

    // The row of n cells is centred; cells stretch to the full inner height.
    const int cw = truncateToInt((double(s.Width) - 2.0 * s.SegmentMargin - double(n - 1) * double(spacing)) / double(n));
    const int ch = saturate((long long)s.Height - 2LL * s.SegmentMargin);
    const long long step = cw + spacing;
    long long x = ((long long)s.Width - n * step + spacing) / 2;
    const int y = s.SegmentMargin;

    std::vector<CellGlyph> cells;
    cells.reserve(std::size_t(digits) + 2);
    auto put = [&](TSevenSegmentCharacter code, long long atX, int width) {
        cells.push_back(CellGlyph{code, saturate(atX), y, width, ch});
    };
    auto putAndAdvance = [&](TSevenSegmentCharacter code) {
        put(code, x, cw);
        x += step;
    };

    const bool negative = !(value >= 0);  // -0.0 counts as positive
    if (s.ShowSign) putAndAdvance(negative ? sscMinus : sscPlus);

    // The digits come with '.' as the separator; which glyph marks the point
    // follows the locale. A locale with a separator other than a comma still
    // gets a point rather than an unreadable row.
    std::string text;
    const bool finite = std::isfinite(value);
    if (finite) text = FormatFixed(value, precision);
    const std::size_t point = text.find('.');
    const std::size_t limit = std::size_t(digits) + (precision > 0 ? 1 : 0);
    if (!finite || text.size() > limit) {
        for (int i = 0; i < digits; ++i) putAndAdvance(negative ? sscDownArrow : sscUpArrow);
        return cells;
    }
    std::string integer = point == std::string::npos ? text : text.substr(0, point);
    const std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);

    const int wanted = digits - precision;
    if (s.LeadingStyle != ilsNone && int(integer.size()) < wanted)
        integer.insert(0, std::size_t(wanted - int(integer.size())), s.LeadingStyle == ilsZeros ? '0' : ' ');

    for (char c : integer) putAndAdvance(CharToGlyph(c));

    if (precision > 0 && digits > 1) {
        const TSevenSegmentCharacter mark = decimalPoint == QStringLiteral(",") ? sscComma : sscPeriod;
        put(mark, x - roundEven(cw / 10.0 + double(spacing) / 2.0), cw / 5);
        const int shown = std::min({precision, digits - 1, int(fraction.size())});
        for (int i = 0; i < shown; ++i) putAndAdvance(CharToGlyph(fraction[std::size_t(i)]));
    }
    return cells;
}

// ---------------------------------------------------------------------------
// TiSevenSegmentAnalog

TiSevenSegmentAnalog::TiSevenSegmentAnalog(QWidget *parent)
    : TiSevenSegmentDisplay(parent)
{
    ApplyAutoSize();
}

TiSevenSegmentAnalog::~TiSevenSegmentAnalog() = default;

void TiSevenSegmentAnalog::setValue(double value)
{
    // A read-out never shows NaN or infinity: NaN leaves the value as it was,
    // minus infinity is held at the most negative double.
    if (std::isnan(value)) return;
    if (value > MaxValue) value = MaxValue;
    if (value < -std::numeric_limits<double>::max()) value = -std::numeric_limits<double>::max();
    if (value == value_) return;
    value_ = value;
    InvalidateContents();
    if (IsLoading()) return;
    emit ValueChange();
    // A screen reader hears the new number.
    QAccessibleValueChangeEvent event(this, value_);
    QAccessible::updateAccessibility(&event);
}

void TiSevenSegmentAnalog::setShowSign(bool value)
{
    if (showSign_ == value) return;
    showSign_ = value;
    ApplyAutoSize();
    InvalidateContents();
}

void TiSevenSegmentAnalog::setPrecision(int value)
{
    value = std::min(value, 13);
    if (precision_ == value) return;
    precision_ = std::max(value, 0);
    ApplyAutoSize();
    InvalidateContents();
}

ReadoutSettings TiSevenSegmentAnalog::LayoutSettings() const
{
    ReadoutSettings s;
    s.Width = width();
    s.Height = height();
    s.DigitCount = DigitCount();
    s.Precision = precision_;
    s.DigitSpacing = DigitSpacing();
    s.SegmentMargin = SegmentMargin();
    s.ShowSign = showSign_;
    s.LeadingStyle = LeadingStyle();
    return s;
}

QSize TiSevenSegmentAnalog::GetAutoSizeExtent()
{
    const long long n = DigitCount() + (showSign_ ? 1 : 0);
    const long long glyph = Renderer().GlyphWidth();
    const long long spacing = DigitSpacing(), margin = SegmentMargin();
    return QSize(widgetExtent((glyph + spacing) * n + 2 * margin - spacing),
                 widgetExtent(18LL * SegmentSize() + 2 * margin));
}

void TiSevenSegmentAnalog::PaintContents(Canvas &canvas)
{
    PrepareRenderer();
    PaintBackground(canvas, BackGroundColor());
    TiSevenSegmentCharacter &glyphs = renderer();
    for (const CellGlyph &cell : LayoutReadout(LayoutSettings(), value_, QLocale().decimalPoint()))
        glyphs.DrawGlyph(canvas, QPoint(cell.X, cell.Y), cell.Code, cell.Height, cell.Width);
}
