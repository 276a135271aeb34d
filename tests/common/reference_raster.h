// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pixels the canvas promises for thin lines and polygons, worked out here
// straight from their definitions and without the canvas, so that drawings
// can be checked against them pixel by pixel:
// - a thin line from a to b covers, for every step along its longer axis from
//   a up to b (b left out), the pixel whose distance across the line is at
//   most half a pixel, a tie going to the larger coordinate;
// - a polygon covers every pixel whose point lies inside it or on its
//   outline (even-odd rule), and the thin lines from each corner to the next;
//   one whose corners all coincide covers nothing.
#include <QImage>
#include <QList>
#include <QPoint>
#include <QSet>

QSet<QPoint> ReferenceLine(QPoint a, QPoint b);
QSet<QPoint> ReferencePolygon(const QList<QPoint> &corners);
// The lines from each point to the next; the last point is left out.
QSet<QPoint> ReferencePolyline(const QList<QPoint> &points);

// Paints the pixels into the image in one colour (those inside it).
void PaintPixels(QImage &image, const QSet<QPoint> &pixels, const QColor &colour);

// The first pixel where two images differ, with both colours, or an empty
// string when they are equal.
QString FirstDifference(const QImage &actual, const QImage &expected);
