// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The numbers of a round dial: the angle of a value, the centre point, the
// automatic radius, the tick label rectangles, arc bands and pointer shapes.
// They are computed from the dial's settings as they stand, read where they
// live; text sizes come from a measurer, so the numbers do not depend on the
// fonts installed.
#include "toolkit/canvas.h"
#include "widgets/gauge_pointer.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

class AngularGauge;
class GaugeScale;

using TextMeasurer = std::function<QSize(const QString &)>;

// (C.x + round(R cos a), C.y - round(R sin a)), a in degrees counter-clockwise
// from 3 o'clock, rounded half to even.
QPoint polarPoint(QPoint center, double radius, double degrees);

struct PointerShape {
    bool hasLine = false;  // from lineFrom to lineTo
    QPoint lineFrom, lineTo;
    bool hasTriangle = false;  // filled
    QPoint triangle[3];
    TRect hitRect;
};

class DialGeometry {
public:
    // The dial's geometry with its scale's arc radius, or with `arcRadius`.
    DialGeometry(const AngularGauge &gauge, TextMeasurer measure);
    DialGeometry(const AngularGauge &gauge, TextMeasurer measure, int arcRadius);

    int arcRadius() const { return arcRadius_; }
    void setArcRadius(int radius) { arcRadius_ = radius; }

    double positionToDegrees(double value) const;
    // The rectangle of major tick `index`'s label around `center`.
    TRect tickLabelRect(int index, QPoint center) const;
    // The pivot of the dial: centred on the drawing's box when autoCenter or
    // autoSize is on, then moved by the offsets.
    QPoint centerPoint() const;
    // The arc radius that fits the scale and its labels into the widget.
    int autoSizeRadius() const;
    PointerShape pointerShape(QPoint center, double value, GaugePointer::Style style, int size, int margin,
                              bool outward) const;

private:
    double labelRadius() const;

    const AngularGauge &gauge_;
    const GaugeScale &scale_;
    TextMeasurer measure_;
    int arcRadius_;
};

// The outline of an arc line (401 points, when r1 equals r2) or of a band
// between two radii (803 points, closed), from angle a1 to a2.
std::vector<QPoint> arcBandPoints(QPoint center, double r1, double r2, double a1, double a2);

// The box of the points, widened to at least minSize in each direction.
TRect boundsWithMinSize(const std::vector<QPoint> &points, int minSize);

// The hub's square: the centre plus and minus half the hub size.
TRect hubRect(QPoint center, int hubSize);
