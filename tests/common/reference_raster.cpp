// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/reference_raster.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdlib>

QSet<QPoint> ReferenceLine(QPoint a, QPoint b)
{
    QSet<QPoint> pixels;
    const long long dx = b.x() - a.x(), dy = b.y() - a.y();
    const long long steps = std::max(std::llabs(dx), std::llabs(dy));
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const long long du = alongX ? dx : dy, dv = alongX ? dy : dx;
    for (long long k = 0; k < steps; ++k) {
        const long long u = k * (du > 0 ? 1 : -1);  // along the longer axis, from a
        // The line crosses this column (or row) at v = u * dv / du. Of the
        // integers near it, the one with v - exact in (-1/2, 1/2]; in whole
        // numbers, 2 (v du - u dv) / |du| in (-|du|, |du|] after sign care.
        const double guess = double(u) * double(dv) / double(du);
        for (long long v = (long long)std::floor(guess) - 1; v <= (long long)std::floor(guess) + 2; ++v) {
            const long long twice = 2 * (v * du - u * dv) * (du > 0 ? 1 : -1);
            if (twice > -std::llabs(du) && twice <= std::llabs(du)) {
                pixels.insert(alongX ? QPoint(a.x() + int(u), a.y() + int(v)) : QPoint(a.x() + int(v), a.y() + int(u)));
                break;
            }
        }
    }
    return pixels;
}

namespace {

long long cross(QPoint o, QPoint p, QPoint q)
{
    return (long long)(p.x() - o.x()) * (q.y() - o.y()) - (long long)(p.y() - o.y()) * (q.x() - o.x());
}

// On the edge from a to b; an edge without length has no points of its own
// (a polygon whose corners all coincide draws nothing).
bool onSegment(QPoint p, QPoint a, QPoint b)
{
    return a != b && cross(a, b, p) == 0 && std::min(a.x(), b.x()) <= p.x() && p.x() <= std::max(a.x(), b.x()) &&
        std::min(a.y(), b.y()) <= p.y() && p.y() <= std::max(a.y(), b.y());
}

// Even-odd: a ray from p to the left crosses the outline an odd number of
// times. Edges count when they span p's row half-open. Points on the outline
// are decided before this is asked.
bool inside(QPoint p, const QList<QPoint> &c)
{
    bool odd = false;
    for (qsizetype i = 0, j = c.size() - 1; i < c.size(); j = i++) {
        const QPoint a = c[i], b = c[j];
        if ((a.y() > p.y()) == (b.y() > p.y())) continue;
        // Counted when the edge crosses p's row to the left of p.
        const long long side = cross(a, b, p) * (b.y() > a.y() ? 1 : -1);
        if (side < 0) odd = !odd;
    }
    return odd;
}

}  // namespace

QSet<QPoint> ReferencePolygon(const QList<QPoint> &corners)
{
    QSet<QPoint> pixels;
    if (corners.isEmpty()) return pixels;
    int left = corners[0].x(), right = left, top = corners[0].y(), bottom = top;
    for (const QPoint p : corners) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            const QPoint p(x, y);
            bool onOutline = false;
            for (qsizetype i = 0; i < corners.size() && !onOutline; ++i)
                onOutline = onSegment(p, corners[i], corners[(i + 1) % corners.size()]);
            if (onOutline || inside(p, corners)) pixels.insert(p);
        }
    for (qsizetype i = 0; i < corners.size(); ++i)
        pixels.unite(ReferenceLine(corners[i], corners[(i + 1) % corners.size()]));
    return pixels;
}

QSet<QPoint> ReferencePolyline(const QList<QPoint> &points)
{
    QSet<QPoint> pixels;
    for (qsizetype i = 1; i < points.size(); ++i) pixels.unite(ReferenceLine(points[i - 1], points[i]));
    return pixels;
}

void PaintPixels(QImage &image, const QSet<QPoint> &pixels, const QColor &colour)
{
    for (const QPoint p : pixels)
        if (image.rect().contains(p)) image.setPixelColor(p, colour);
}

QString FirstDifference(const QImage &actual, const QImage &expected)
{
    if (actual.size() != expected.size())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y))
                return QStringLiteral("(%1, %2) is %3, expected %4")
                    .arg(x)
                    .arg(y)
                    .arg(actual.pixelColor(x, y).name(), expected.pixelColor(x, y).name());
    return QString();
}
