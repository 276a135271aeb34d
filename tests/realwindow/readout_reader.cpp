// SPDX-License-Identifier: GPL-3.0-or-later
#include "readout_reader.h"

#include <cmath>

QList<QRect> digitCells(const ReadoutLook &look)
{
    const int n = look.digits, W = look.size.width(), H = look.size.height();
    // Cell width in real arithmetic, truncated; the row centred with integer halving.
    const int cellWidth = int(double(W - 2 * look.margin - (n - 1) * look.spacing) / n);
    const int cellHeight = H - 2 * look.margin;
    const int first = (W - n * (cellWidth + look.spacing) + look.spacing) / 2;
    QList<QRect> cells;
    for (int i = 0; i < n; ++i)
        cells << QRect(first + i * (cellWidth + look.spacing), look.margin, cellWidth, cellHeight);
    return cells;
}

QList<QPolygon> segmentPolygons(QSize cell)
{
    const int W = cell.width(), H = cell.height();
    const int Z = 1, S = 1, M = 0;
    const int h = (H - 1) / 2;
    auto poly = [](std::initializer_list<QPoint> corners) { return QPolygon(QList<QPoint>(corners)); };
    return {
        poly({{M + S, M}, {W - M - S - 1, M}, {W - M - S - 2 * Z - 1, M + 2 * Z}, {M + S + 2 * Z, M + 2 * Z}}),
        poly({{W - M - 1, M + S},
              {W - M - 1, h - S},
              {W - M - 2 * Z - 1, h - S - 2 * Z},
              {W - M - 2 * Z - 1, M + S + 2 * Z}}),
        poly({{W - M - 1, h + S},
              {W - M - 1, H - M - S - 1},
              {W - M - 2 * Z - 1, H - M - S - 2 * Z - 1},
              {W - M - 2 * Z - 1, h + S + 2 * Z}}),
        poly({{M + S, H - M - 1},
              {W - M - S - 1, H - M - 1},
              {W - M - S - 2 * Z - 1, H - M - 2 * Z - 1},
              {M + S + 2 * Z, H - M - 2 * Z - 1}}),
        poly({{M, h + S}, {M, H - M - S - 1}, {M + 2 * Z, H - M - S - 2 * Z - 1}, {M + 2 * Z, h + S + 2 * Z}}),
        poly({{M, M + S}, {M, h - S}, {M + 2 * Z, h - S - 2 * Z}, {M + 2 * Z, M + S + 2 * Z}}),
        poly({{M + S, h},
              {M + S + Z, h - Z},
              {W - M - S - Z - 1, h - Z},
              {W - M - S - 1, h},
              {W - M - S - Z - 1, h + Z},
              {M + S + Z, h + Z}}),
    };
}

namespace {

// The digit shown in a cell (-1 for a blank cell, -2 for a pattern that is
// no digit), segments counted as lit where they show `lit`.
int readDigit(const QImage &shot, QRect cellOnScreen, QRgb lit)
{
    // Patterns with segment A as bit 0 up to G as bit 6.
    static const int kPatterns[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x67};
    const QList<QPolygon> segments = segmentPolygons(cellOnScreen.size());
    int pattern = 0;
    for (int s = 0; s < segments.size(); ++s) {
        // The mean of the corners lies well inside each segment.
        QPoint sum;
        for (const QPoint &corner : segments[s]) sum += corner;
        const QPoint centre = cellOnScreen.topLeft() + sum / double(segments[s].size());
        if (shot.rect().contains(centre) && (shot.pixel(centre) & 0xFFFFFF) == (lit & 0xFFFFFF)) pattern |= 1 << s;
    }
    if (pattern == 0) return -1;
    for (int digit = 0; digit < 10; ++digit)
        if (kPatterns[digit] == pattern) return digit;
    return -2;
}

}  // namespace

std::optional<double> readReadout(const QImage &shot, QPoint topLeft, const ReadoutLook &look, QRgb lit)
{
    long long shown = 0;
    for (const QRect &cell : digitCells(look)) {
        const int digit = readDigit(shot, cell.translated(topLeft), lit);
        if (digit < 0) return std::nullopt;
        shown = shown * 10 + digit;
    }
    return double(shown) / std::pow(10.0, look.precision);
}
