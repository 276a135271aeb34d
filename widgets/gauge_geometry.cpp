// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/gauge_geometry.h"

#include "toolkit/rounding.h"
#include "widgets/angular_gauge.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Pixel arithmetic on settings of any size is done in 64 bits and held in
// the int range.
QPoint point(long long x, long long y)
{
    return QPoint(saturate(x), saturate(y));
}

struct Box {
    int Left, Top, Right, Bottom;
    explicit Box(QPoint p) : Left(p.x()), Top(p.y()), Right(p.x()), Bottom(p.y()) {}
    void add(QPoint p)
    {
        Left = std::min(Left, p.x());
        Right = std::max(Right, p.x());
        Top = std::min(Top, p.y());
        Bottom = std::max(Bottom, p.y());
    }
    void add(const TRect &r)
    {
        Left = std::min(Left, r.Left);
        Right = std::max(Right, r.Right);
        Top = std::min(Top, r.Top);
        Bottom = std::max(Bottom, r.Bottom);
    }
};

}  // namespace

QPoint polarPoint(QPoint center, double radius, double degrees)
{
    const double a = degrees * std::numbers::pi / 180.0;
    return point(center.x() + (long long)roundEven(radius * std::cos(a)),
                 center.y() - (long long)roundEven(radius * std::sin(a)));
}

DialGeometry::DialGeometry(const AngularGauge &gauge, TextMeasurer measure)
    : DialGeometry(gauge, std::move(measure), gauge.scale()->arcRadius())
{}

DialGeometry::DialGeometry(const AngularGauge &gauge, TextMeasurer measure, int arcRadius)
    : gauge_(gauge), scale_(*gauge.scale()), measure_(std::move(measure)), arcRadius_(arcRadius)
{}

double DialGeometry::labelRadius() const
{
    return double(scale_.tickMargin()) + arcRadius_ + scale_.tickMajorLength() + scale_.tickLabelMargin() + 4;
}

double DialGeometry::positionToDegrees(double value) const
{
    const double f = positionFraction(gauge_.positionMin(), gauge_.positionMax(), value);
    const double range = scale_.arcRangeDegrees(), start = scale_.arcStartDegrees();
    if (scale_.reverseScale()) return f * range + (start - range);
    return start - f * range;
}

TRect DialGeometry::tickLabelRect(int index, QPoint center) const
{
    const QString text = gauge_.tickLabelText(index);
    double a = positionToDegrees(gauge_.tickValue(index));
    const QSize size = measure_(text);
    const long long w = size.width(), h = size.height();
    const QPoint anchor = polarPoint(center, labelRadius(), a);
    const long long x = anchor.x(), y = anchor.y();
    auto rect = [](long long left, long long top, long long right, long long bottom) {
        return TRect{saturate(left), saturate(top), saturate(right), saturate(bottom)};
    };
    if (scale_.tickLabelAlignment() == GaugeScale::TickLabelAlignment::Center)
        return rect(x - w / 2, y - h / 2, x + w / 2, y + h / 2);

    // Angles of a scale laid past a full turn or below 0 are placed by
    // where they point.
    a = std::fmod(a, 360.0);
    if (a < 0) a += 360;
    if (a == 0) return rect(x, y - h / 2, x + w, y + h / 2);
    if (a < 90) return rect(x, y - h, x + w, y);
    if (a == 90) return rect(x - w / 2, y - h, x + w / 2, y);
    if (a < 180) return rect(x - w, y - h, x, y);
    if (a == 180) return rect(x - w, y - h / 2, x, y + h / 2);
    if (a < 270) return rect(x - w, y, x, y + h);
    if (a == 270) return rect(x - w / 2, y, x + w / 2, y + h);
    return rect(x, y, x + w, y + h);
}

QPoint DialGeometry::centerPoint() const
{
    const int width = gauge_.width(), height = gauge_.height(), hubSize = gauge_.hubSize();
    const int offsetX = gauge_.offsetX(), offsetY = gauge_.offsetY();
    QPoint c = point(width / 2 + (long long)offsetX, height / 2 + (long long)offsetY);
    if (!gauge_.autoCenter() && !gauge_.autoSize()) return c;

    Box box(c);
    box.add(point(c.x() - (long long)(hubSize / 2), c.y() - (long long)(hubSize / 2)));
    box.add(point(c.x() + (long long)(hubSize / 2), c.y() + (long long)(hubSize / 2)));

    // Ten samples along the scale. The count is bounded: on a range far from
    // zero the step can vanish in the running sum, which would never end.
    const double sampleRadius = double(scale_.tickMargin()) + arcRadius_ + scale_.tickMinorLength();
    const double lo = gauge_.positionMin(), hi = gauge_.positionMax();
    const double step = (hi - lo) / 10;
    double v = lo;
    for (int i = 0; v < hi && i < 20; ++i) {
        box.add(polarPoint(c, sampleRadius, positionToDegrees(v)));
        v += step;
    }
    for (int i = 0; i < scale_.tickMajorCount(); ++i) box.add(tickLabelRect(i, c));

    const long long x = c.x() - ((long long)box.Left + box.Right - width) / 2;
    const long long y = c.y() - ((long long)box.Top + box.Bottom - height) / 2;
    return point(saturate(x) + (long long)offsetX, saturate(y) - (long long)offsetY);
}

int DialGeometry::autoSizeRadius() const
{
    const DialGeometry g(gauge_, measure_, 0);
    const QPoint origin(0, 0);
    Box box(origin);
    for (int i = 0; i < scale_.tickMajorCount(); ++i) box.add(g.tickLabelRect(i, origin));
    const long long avail = std::min(gauge_.width() - ((long long)box.Right - box.Left),
                                     gauge_.height() - ((long long)box.Bottom - box.Top));
    const int range = scale_.arcRangeDegrees(), outerMargin = gauge_.outerMargin();
    if (range <= 90) return saturate(avail - outerMargin - gauge_.hubSize());
    if (range <= 180) return saturate((long long)roundEven(double(avail) / ((range - 90) / 90.0 + 1)) - outerMargin);
    return saturate((long long)roundEven(double(avail) / 2.0) - outerMargin);
}

std::vector<QPoint> arcBandPoints(QPoint center, double r1, double r2, double a1, double a2)
{
    const double lo = std::min(a1, a2), hi = std::max(a1, a2);
    const double step = (hi - lo) / 400;
    std::vector<QPoint> points;
    points.reserve(r1 == r2 ? 401 : 803);
    points.push_back(polarPoint(center, r1, lo));
    for (int k = 1; k <= 399; ++k) points.push_back(polarPoint(center, r1, lo + k * step));
    points.push_back(polarPoint(center, r1, hi));
    if (r1 == r2) return points;
    points.push_back(polarPoint(center, r2, hi));
    for (int k = 399; k >= 1; --k) points.push_back(polarPoint(center, r2, lo + k * step));
    points.push_back(polarPoint(center, r2, lo));
    points.push_back(points.front());
    return points;
}

TRect boundsWithMinSize(const std::vector<QPoint> &points, int minSize)
{
    if (points.empty()) return {};
    Box box(points.front());
    for (const QPoint &p : points) box.add(p);
    // An extent narrower than minSize is widened to it around its middle.
    auto widen = [minSize](int &low, int &high) {
        if ((long long)high - low > minSize) return;
        const long long from = ((long long)low + high) / 2 - minSize / 2;
        low = saturate(from);
        high = saturate(from + minSize);
    };
    TRect r{box.Left, box.Top, box.Right, box.Bottom};
    widen(r.Left, r.Right);
    widen(r.Top, r.Bottom);
    return r;
}

TRect hubRect(QPoint center, int hubSize)
{
    const long long half = hubSize / 2;
    return {saturate(center.x() - half), saturate(center.y() - half), saturate(center.x() + half),
            saturate(center.y() + half)};
}

PointerShape DialGeometry::pointerShape(QPoint center, double value, GaugePointer::Style style, int size, int margin,
                                        bool outward) const
{
    using enum GaugePointer::Style;
    PointerShape s;
    const double a = positionToDegrees(value);
    const double half = size / 2.0;
    QPoint tip = polarPoint(center, double(arcRadius_) - margin, a);
    auto arrowHead = [&](QPoint base) {
        s.hasTriangle = true;
        s.triangle[0] = polarPoint(base, half, a + 90);
        s.triangle[1] = polarPoint(base, half, a - 90);
        s.triangle[2] = tip;
    };
    switch (style) {
    case ArrowLine:
        s.hasLine = true;
        arrowHead(polarPoint(center, double(arcRadius_) - margin - size, a));
        break;
    case Arrow:
        if (outward) {
            tip = polarPoint(center, double(arcRadius_) + margin, a);
            arrowHead(polarPoint(center, double(arcRadius_) + margin + size, a));
        } else {
            arrowHead(polarPoint(center, double(arcRadius_) - margin - size, a));
        }
        break;
    case Line: s.hasLine = true; break;
    case Triangle:
        s.hasLine = true;
        arrowHead(center);
        break;
    default: break;  // an unknown style draws nothing
    }
    s.lineFrom = center;
    s.lineTo = tip;
    if (style == ArrowLine || style == Arrow)
        s.hitRect = boundsWithMinSize({s.triangle[0], s.triangle[1], s.triangle[2]}, 6);
    else
        s.hitRect = boundsWithMinSize({tip}, 6);
    return s;
}
