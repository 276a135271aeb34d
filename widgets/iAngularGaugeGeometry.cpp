// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/iAngularGaugeGeometry.h"

#include "toolkit/rounding.h"
#include "widgets/iComponent.h"
#include "widgets/iPositionComponent.h"

#include <algorithm>
#include <cmath>

namespace {

QPoint polar(QPoint center, double radius, double degrees)
{
    return TiComponent::PolarPoint(center, radius, degrees);
}

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

double labelRadius(const TiDialGeometry &g)
{
    return double(g.TickMargin) + g.ArcRadius + g.TickMajorLength + g.TickLabelMargin + 4;
}

} // namespace

double PositionToDegrees(const TiDialGeometry &g, double value)
{
    const double f = PositionFraction(g.PositionMin, g.PositionMax, value);
    if (g.ReverseScale) return f * g.ArcRangeDegrees + (double(g.ArcStartDegrees) - g.ArcRangeDegrees);
    return g.ArcStartDegrees - f * g.ArcRangeDegrees;
}

TRect TickLabelRect(const TiDialGeometry &g, int index, QPoint center)
{
    const QString text = g.TickLabelText(index);
    double a = PositionToDegrees(g, g.TickValue(index));
    const QSize size = g.Measure(text);
    const long long w = size.width(), h = size.height();
    const QPoint anchor = polar(center, labelRadius(g), a);
    const long long x = anchor.x(), y = anchor.y();
    auto rect = [](long long left, long long top, long long right, long long bottom) {
        return TRect{saturate(left), saturate(top), saturate(right), saturate(bottom)};
    };
    if (g.TickLabelAlignment == ilaCenter) return rect(x - w / 2, y - h / 2, x + w / 2, y + h / 2);

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

QPoint DialCenterPoint(const TiDialGeometry &g)
{
    QPoint c = point(g.Width / 2 + (long long)g.OffsetX, g.Height / 2 + (long long)g.OffsetY);
    if (!g.AutoCenter && !g.AutoSize) return c;

    Box box(c);
    box.add(point(c.x() - (long long)(g.HubSize / 2), c.y() - (long long)(g.HubSize / 2)));
    box.add(point(c.x() + (long long)(g.HubSize / 2), c.y() + (long long)(g.HubSize / 2)));

    // Ten samples along the scale. The count is bounded: on a range far from
    // zero the step can vanish in the running sum, which would never end.
    const double sampleRadius = double(g.TickMargin) + g.ArcRadius + g.TickMinorLength;
    const double step = (g.PositionMax - g.PositionMin) / 10;
    double v = g.PositionMin;
    for (int i = 0; v < g.PositionMax && i < 20; ++i) {
        box.add(polar(c, sampleRadius, PositionToDegrees(g, v)));
        v += step;
    }
    for (int i = 0; i < g.TickMajorCount; ++i) box.add(TickLabelRect(g, i, c));

    const long long x = c.x() - ((long long)box.Left + box.Right - g.Width) / 2;
    const long long y = c.y() - ((long long)box.Top + box.Bottom - g.Height) / 2;
    return point(saturate(x) + (long long)g.OffsetX, saturate(y) - (long long)g.OffsetY);
}

int AutoSizeRadius(const TiDialGeometry &geometry)
{
    TiDialGeometry g = geometry;
    g.ArcRadius = 0;
    const QPoint origin(0, 0);
    Box box(origin);
    for (int i = 0; i < g.TickMajorCount; ++i) box.add(TickLabelRect(g, i, origin));
    const long long avail = std::min(g.Width - ((long long)box.Right - box.Left),
                                     g.Height - ((long long)box.Bottom - box.Top));
    if (g.ArcRangeDegrees <= 90) return saturate(avail - g.OuterMargin - g.HubSize);
    if (g.ArcRangeDegrees <= 180)
        return saturate((long long)roundEven(avail / ((g.ArcRangeDegrees - 90) / 90.0 + 1)) - g.OuterMargin);
    return saturate((long long)roundEven(avail / 2.0) - g.OuterMargin);
}

std::vector<QPoint> ArcBandPoints(QPoint center, double r1, double r2, double a1, double a2)
{
    const double lo = std::min(a1, a2), hi = std::max(a1, a2);
    const double step = (hi - lo) / 400;
    std::vector<QPoint> points;
    points.reserve(r1 == r2 ? 401 : 803);
    points.push_back(polar(center, r1, lo));
    for (int k = 1; k <= 399; ++k) points.push_back(polar(center, r1, lo + k * step));
    points.push_back(polar(center, r1, hi));
    if (r1 == r2) return points;
    points.push_back(polar(center, r2, hi));
    for (int k = 399; k >= 1; --k) points.push_back(polar(center, r2, lo + k * step));
    points.push_back(polar(center, r2, lo));
    points.push_back(points.front());
    return points;
}

TRect BoundsWithMinSize(const std::vector<QPoint> &points, int minSize)
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

TRect HubRect(QPoint center, int hubSize)
{
    const long long half = hubSize / 2;
    return {saturate(center.x() - half), saturate(center.y() - half), saturate(center.x() + half),
            saturate(center.y() + half)};
}

TiPointerShape PointerShape(const TiDialGeometry &g, QPoint center, double value, int style, int size, int margin,
                            bool outward)
{
    TiPointerShape s;
    const double a = PositionToDegrees(g, value);
    const double half = size / 2.0;
    QPoint tip = polar(center, double(g.ArcRadius) - margin, a);
    auto arrowHead = [&](QPoint base) {
        s.HasTriangle = true;
        s.Triangle[0] = polar(base, half, a + 90);
        s.Triangle[1] = polar(base, half, a - 90);
        s.Triangle[2] = tip;
    };
    switch (style) {
    case iagpsArrowLine:
        s.HasLine = true;
        arrowHead(polar(center, double(g.ArcRadius) - margin - size, a));
        break;
    case iagpsArrow:
        if (outward) {
            tip = polar(center, double(g.ArcRadius) + margin, a);
            arrowHead(polar(center, double(g.ArcRadius) + margin + size, a));
        } else {
            arrowHead(polar(center, double(g.ArcRadius) - margin - size, a));
        }
        break;
    case iagpsLine:
        s.HasLine = true;
        break;
    case iagpsTriangle:
        s.HasLine = true;
        arrowHead(center);
        break;
    default:
        break;  // an unknown style draws nothing
    }
    s.LineFrom = center;
    s.LineTo = tip;
    if (style == iagpsArrowLine || style == iagpsArrow)
        s.HitRect = BoundsWithMinSize({s.Triangle[0], s.Triangle[1], s.Triangle[2]}, 6);
    else
        s.HitRect = BoundsWithMinSize({tip}, 6);
    return s;
}
