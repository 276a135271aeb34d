// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads a seven-segment read-out off the screen: the digit cells worked out
// from the read-out's stored size, digit count and spacing (the row centred,
// every cell 10 wide and 18 high on the bench), the segment polygons from
// the segment size, separation and margin, and each digit decoded from the
// colour at its segments' centres.
#include <QImage>
#include <QList>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <optional>

struct ReadoutLook {
    QSize size;
    int digits;
    int precision;
    int spacing;
    int margin = 5;
};

// The bench's read-outs as its layout stores them (no sign cell).
inline constexpr ReadoutLook kAmmeterLook{{80, 28}, 4, 3, 10};
inline constexpr ReadoutLook kRippleLook{{57, 28}, 3, 2, 8};
inline constexpr ReadoutLook kPhaseLook{{56, 28}, 3, 2, 8};
inline constexpr ReadoutLook kPlateLengthLook{{40, 28}, 2, 1, 10};

// The digit cells, relative to the read-out's top-left corner.
QList<QRect> digitCells(const ReadoutLook &look);

// Segments A to G of a digit in a cell of this size, relative to the cell,
// for segment size 1, separation 1 and no margin.
QList<QPolygon> segmentPolygons(QSize cell);

// The number a read-out whose top-left corner is at `topLeft` shows;
// nothing when a cell does not show a digit.
std::optional<double> readReadout(const QImage &shot, QPoint topLeft, const ReadoutLook &look, QRgb lit);
