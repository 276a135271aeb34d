// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/seven_segment_display.h"

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

using Code = SevenSegmentGlyph::Code;
using LeadingStyle = SevenSegmentDisplay::LeadingStyle;

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

}  // namespace

std::vector<CellGlyph> layoutReadout(const ReadoutSettings &s, double value, const QString &decimalPoint)
{
    const int digits = std::clamp(s.digitCount, 1, 32);
    const int precision = std::clamp(s.precision, 0, 13);
    const long long spacing = s.digitSpacing;
    const long long n = digits + (s.showSign ? 1 : 0);

    // The row of n cells is centred; cells stretch to the full inner height.
    const int cw =
        truncateToInt((double(s.width) - 2.0 * s.segmentMargin - double(n - 1) * double(spacing)) / double(n));
    const int ch = saturate((long long)s.height - 2LL * s.segmentMargin);
    const long long step = cw + spacing;
    long long x = ((long long)s.width - n * step + spacing) / 2;
    const int y = s.segmentMargin;

    std::vector<CellGlyph> cells;
    cells.reserve(std::size_t(digits) + 2);
    auto put = [&](Code code, long long atX, int width) {
        cells.push_back(CellGlyph{code, saturate(atX), y, width, ch});
    };
    auto putAndAdvance = [&](Code code) {
        put(code, x, cw);
        x += step;
    };

    const bool negative = !(value >= 0);  // -0.0 counts as positive
    if (s.showSign) putAndAdvance(negative ? Code::Minus : Code::Plus);

    // The digits come with '.' as the separator; which glyph marks the point
    // follows the locale. A locale with a separator other than a comma still
    // gets a point rather than an unreadable row.
    std::string text;
    const bool finite = std::isfinite(value);
    if (finite) text = FormatFixed(value, precision);
    const std::size_t point = text.find('.');
    const std::size_t limit = std::size_t(digits) + (precision > 0 ? 1 : 0);
    if (!finite || text.size() > limit) {
        for (int i = 0; i < digits; ++i) putAndAdvance(negative ? Code::DownArrow : Code::UpArrow);
        return cells;
    }
    std::string integer = point == std::string::npos ? text : text.substr(0, point);
    const std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);

    const int wanted = digits - precision;
    if (s.leadingStyle != LeadingStyle::None && int(integer.size()) < wanted)
        integer.insert(0, std::size_t(wanted - int(integer.size())), s.leadingStyle == LeadingStyle::Zeros ? '0' : ' ');

    for (char c : integer) putAndAdvance(glyphForChar(c));

    if (precision > 0 && digits > 1) {
        const Code mark = decimalPoint == QStringLiteral(",") ? Code::Comma : Code::Period;
        put(mark, x - roundEven(cw / 10.0 + double(spacing) / 2.0), cw / 5);
        const int shown = std::min({precision, digits - 1, int(fraction.size())});
        for (int i = 0; i < shown; ++i) putAndAdvance(glyphForChar(fraction[std::size_t(i)]));
    }
    return cells;
}

SevenSegmentDisplay::SevenSegmentDisplay(QWidget *parent)
    : SevenSegmentWidget(parent, SevenSegmentLook{clWhite, clGray, true, true, false, 1, 1}, 5, 100)
{
    setBounds(x(), y(), 15, 15);
    applyAutoSize();
}

SevenSegmentDisplay::~SevenSegmentDisplay() = default;

void SevenSegmentDisplay::setDigitSpacing(int value)
{
    if (!assign(digitSpacing_, value)) return;
    applyAutoSize();
    invalidateContents();
    emit digitSpacingChanged(value);
}

void SevenSegmentDisplay::setDigitCount(int value)
{
    if (digitCount_ == value) return;
    const int before = digitCount_;
    digitCount_ = std::clamp(value, 1, 32);
    applyAutoSize();
    invalidateContents();
    if (digitCount_ != before) emit digitCountChanged(digitCount_);
}

void SevenSegmentDisplay::setLeadingStyle(LeadingStyle value)
{
    changeSetting(leadingStyle_, value, Repaint::Contents, &SevenSegmentDisplay::leadingStyleChanged);
}

void SevenSegmentDisplay::setValue(double value)
{
    // A read-out never shows NaN or infinity: NaN leaves the value as it was,
    // minus infinity is held at the most negative double.
    if (std::isnan(value)) return;
    if (value > kMaxValue) value = kMaxValue;
    if (value < -std::numeric_limits<double>::max()) value = -std::numeric_limits<double>::max();
    if (!assign(value_, value)) return;
    invalidateContents();
    if (isLoading()) return;
    emit valueChanged(value_);
    // A screen reader hears the new number.
    QAccessibleValueChangeEvent event(this, value_);
    QAccessible::updateAccessibility(&event);
}

void SevenSegmentDisplay::setShowSign(bool value)
{
    if (!assign(showSign_, value)) return;
    applyAutoSize();
    invalidateContents();
    emit showSignChanged(value);
}

void SevenSegmentDisplay::setPrecision(int value)
{
    // Values above 13 are held before the comparison, negative ones after it.
    value = std::min(value, 13);
    if (precision_ == value) return;
    const int before = precision_;
    precision_ = std::max(value, 0);
    applyAutoSize();
    invalidateContents();
    if (precision_ != before) emit precisionChanged(precision_);
}

void SevenSegmentDisplay::setUnit(const QString &value)
{
    if (assign(unit_, value)) emit unitChanged(value);
}

ReadoutSettings SevenSegmentDisplay::layoutSettings() const
{
    return ReadoutSettings{width(),       height(),        digitCount_, precision_,
                           digitSpacing_, segmentMargin(), showSign_,   leadingStyle_};
}

QSize SevenSegmentDisplay::extentFor(int segmentSize) const
{
    const long long n = digitCount_ + (showSign_ ? 1 : 0);
    const long long glyph = 10LL * segmentSize;
    const long long spacing = digitSpacing_, margin = segmentMargin();
    return QSize(widgetExtent((glyph + spacing) * n + 2 * margin - spacing),
                 widgetExtent(18LL * segmentSize + 2 * margin));
}

void SevenSegmentDisplay::paintContents(Canvas &canvas)
{
    paintBackground(canvas, backgroundColor());
    for (const CellGlyph &cell : layoutReadout(layoutSettings(), value_, QLocale().decimalPoint()))
        renderer_.draw(canvas, look(), cell.code, QPoint(cell.x, cell.y), QSize(cell.width, cell.height));
}
