// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The numbers of a round dial: the angle of a value, the centre point, the
// automatic radius, the tick label rectangles, arc bands and pointer shapes.
// Pure functions over a snapshot of the dial's settings; text sizes come from
// a measurer, so the numbers do not depend on the fonts installed.
#include "toolkit/canvas.h"
#include "widgets/iTypes.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

using TiTextMeasurer = std::function<QSize(const QString &)>;

struct TiDialGeometry {
    int Width = 150;
    int Height = 150;
    int OffsetX = 0;
    int OffsetY = 0;
    double PositionMin = 0;
    double PositionMax = 100;
    int ArcRadius = 60;
    int ArcRangeDegrees = 90;
    int ArcStartDegrees = 180;
    bool ReverseScale = false;
    int TickMargin = 5;
    int TickMajorLength = 7;
    int TickMinorLength = 3;
    int TickLabelMargin = 15;
    int TickMajorCount = 5;
    int HubSize = 14;
    bool AutoCenter = true;
    bool AutoSize = false;
    int OuterMargin = 5;
    TiLabelAlignment TickLabelAlignment = ilaCenter;
    // Value and label text of major tick I.
    std::function<double(int)> TickValue;
    std::function<QString(int)> TickLabelText;
    TiTextMeasurer Measure;
};

double PositionToDegrees(const TiDialGeometry &g, double value);
// The rectangle of major tick `index`'s label around `center`.
TRect TickLabelRect(const TiDialGeometry &g, int index, QPoint center);
// The pivot of the dial: centred on the drawing's box when AutoCenter or
// AutoSize is on, then moved by the offsets.
QPoint DialCenterPoint(const TiDialGeometry &g);
// The arc radius that fits the scale and its labels into the widget.
int AutoSizeRadius(const TiDialGeometry &g);

// The outline of an arc line (401 points, when r1 equals r2) or of a band
// between two radii (803 points, closed), from angle a1 to a2.
std::vector<QPoint> ArcBandPoints(QPoint center, double r1, double r2, double a1, double a2);

// The box of the points, widened to at least minSize in each direction.
TRect BoundsWithMinSize(const std::vector<QPoint> &points, int minSize);

// The hub's square: the centre plus and minus half the hub size.
TRect HubRect(QPoint center, int hubSize);

struct TiPointerShape {
    bool HasLine = false;      // from LineFrom to LineTo
    QPoint LineFrom, LineTo;
    bool HasTriangle = false;  // filled
    QPoint Triangle[3];
    TRect HitRect;
};
TiPointerShape PointerShape(const TiDialGeometry &g, QPoint center, double value, int style, int size, int margin,
                            bool outward);
