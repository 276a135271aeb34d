// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the bench must show when it holds given parameters (U in volts, n in
// turns per metre, l in metres), worked out by the model and the number
// format on their own: how a test sees which parameters the source switch
// took over, the bench's own state being its private business.
#include "model/beam_trace.h"
#include "model/specific_charge.h"
#include "toolkit/colors.h"
#include "toolkit/decimal_format.h"
#include "toolkit/image_control.h"

#include <QString>

inline LabState labHolding(double u, double n, double l)
{
    LabState lab;
    lab.anodeVoltage = u;
    lab.turnsPerMetre = n;
    lab.driftLength = l;
    return lab;
}

// Whether the trace these parameters give at `current` is on the screen:
// every point of it that falls on the screen lies on its green, and some do.
inline bool showsTraceOf(const TImage &screen, double u, double n, double l, double current,
                         const TraceSettings &settings)
{
    LabState lab = labHolding(u, n, l);
    applyScreenScale(lab, screen.width());
    const TracePath path = tracePoints(lab, beginTrace(lab, settings), current, screen.width());
    int seen = 0;
    for (const PixelPoint &p : path) {
        if (!screen.rect().contains(p.x, p.y)) continue;
        if (fromQColor(screen.picture().pixelColor(p.x, p.y)) != clGreen) return false;
        ++seen;
    }
    return seen > 0;
}

// The calculator's text for k helix turns at `current`, with the decimal
// separator given.
inline QString specificChargeOf(double u, double n, double l, int k, double current, const char *separator = ",")
{
    return QString::fromStdString(
               FormatSpecificCharge(computeSpecificCharge(labHolding(u, n, l), k, current), separator)) +
        QStringLiteral(" Кл/кг");
}
