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
    if (g.ReverseScale) return f * g.ArcRangeDegrees + (g.ArcStartDegrees - g.ArcRangeDegrees);
    return g.ArcStartDegrees - f * g.ArcRangeDegrees;
}

TRect TickLabelRect(const TiDialGeometry &g, int index, QPoint center)
{
    const QString text = g.TickLabelText(index);
    double a = PositionToDegrees(g, g.TickValue(index));
    const QSize size = g.Measure(text);
    const int w = size.width(), h = size.height();
    const QPoint p = polar(center, labelRadius(g), a);
    if (g.TickLabelAlignment == ilaCenter) return {p.x() - w / 2, p.y() - h / 2, p.x() + w / 2, p.y() + h / 2};

    // Angles of a scale laid past a full turn or below 0 are placed by
    // where they point.
    a = std::fmod(a, 360.0);
    if (a < 0) a += 360;
    if (a == 0) return {p.x(), p.y() - h / 2, p.x() + w, p.y() + h / 2};
    if (a < 90) return {p.x(), p.y() - h, p.x() + w, p.y()};
    if (a == 90) return {p.x() - w / 2, p.y() - h, p.x() + w / 2, p.y()};
    if (a < 180) return {p.x() - w, p.y() - h, p.x(), p.y()};
    if (a == 180) return {p.x() - w, p.y() - h / 2, p.x(), p.y() + h / 2};
    if (a < 270) return {p.x() - w, p.y(), p.x(), p.y() + h};
    if (a == 270) return {p.x() - w / 2, p.y(), p.x() + w / 2, p.y() + h};
    return {p.x(), p.y(), p.x() + w, p.y() + h};
}

QPoint DialCenterPoint(const TiDialGeometry &g)
{
    QPoint c(g.Width / 2 + g.OffsetX, g.Height / 2 + g.OffsetY);
    if (!g.AutoCenter && !g.AutoSize) return c;

    Box box(c);
    box.add(QPoint(c.x() - g.HubSize / 2, c.y() - g.HubSize / 2));
    box.add(QPoint(c.x() + g.HubSize / 2, c.y() + g.HubSize / 2));

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

    c.rx() -= (box.Left + box.Right - g.Width) / 2;
    c.ry() -= (box.Top + box.Bottom - g.Height) / 2;
    c.rx() += g.OffsetX;
    c.ry() -= g.OffsetY;
    return c;
}

int AutoSizeRadius(const TiDialGeometry &geometry)
{
    TiDialGeometry g = geometry;
    g.ArcRadius = 0;
    const QPoint origin(0, 0);
    Box box(origin);
    for (int i = 0; i < g.TickMajorCount; ++i) box.add(TickLabelRect(g, i, origin));
    const int avail = std::min(g.Width - (box.Right - box.Left), g.Height - (box.Bottom - box.Top));
    if (g.ArcRangeDegrees <= 90) return avail - g.OuterMargin - g.HubSize;
    if (g.ArcRangeDegrees <= 180)
        return roundEven(avail / ((g.ArcRangeDegrees - 90) / 90.0 + 1)) - g.OuterMargin;
    return roundEven(avail / 2.0) - g.OuterMargin;
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
        if (high - low > minSize) return;
        low = (low + high) / 2 - minSize / 2;
        high = low + minSize;
    };
    TRect r{box.Left, box.Top, box.Right, box.Bottom};
    widen(r.Left, r.Right);
    widen(r.Top, r.Bottom);
    return r;
}

TRect HubRect(QPoint center, int hubSize)
{
    const int half = hubSize / 2;
    return {center.x() - half, center.y() - half, center.x() + half, center.y() + half};
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
