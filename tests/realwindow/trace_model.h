// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The beam trace and the warm-up line as the lab's physics puts them on the
// round screen, computed here from the model's formulas (sweep, ripple,
// solenoid field, cyclotron turn, projection) for a screen of a given side.
#include <QList>
#include <QPoint>

struct TraceSetup {
    double current = 0;            // the ammeter, A
    double ripple = 0.1;           // rippleReadout
    double phasePi = 0.4;          // phaseReadout, in units of pi
    double plateCm = 0.5;          // plateLengthReadout
    double anodeVolts = 1400;      // U
    double turnsPerMetre = 15500;  // n
    double driftMetres = 0.1;      // l
};

// The 101 points of the trace in the screen image's pixels, on a screen
// `side` pixels square that spans 8 cm.
QList<QPoint> tracePoints(const TraceSetup &setup, int side);

// The warm-up line's limit: 3.5 cm in pixels, rounded half to even; the
// longest line drawn reaches limit - 1 pixels either side of the centre.
int warmupLimit(int side);
