// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The trace the electron beam leaves on the oscilloscope screen. The sweep
// line, turned and shortened by the angle through which the electrons wind
// about the solenoid's field between the plates and the screen, is computed
// at 101 points. Pure computation: drawing is the screen's business.
//
// The work is split where the screen's disc is repainted: faults in the
// per-call values (a negative anode voltage, say) must stop the trace before
// the old one is erased, faults in the points after it.
#include "model/lab_state.h"

#include <array>
#include <cstddef>

// The read-outs' settings that the trace takes afresh on every call.
struct TraceSettings {
    double rippleAmplitude;  // fraction of the current
    double phasePi;          // ripple phase in units of pi
    double plateLengthCm;    // deflection plate length, centimetres
};

struct PixelPoint {
    int x;
    int y;
    friend bool operator==(const PixelPoint &, const PixelPoint &) = default;
};

inline constexpr int kTracePointCount = 101;
using TracePath = std::array<PixelPoint, kTracePointCount>;

// What one trace computes once, before its first point.
struct TraceSweep {
    double beamSpeed;   // m/s after the anode voltage
    double phaseShift;  // ripple phase, radians
    int steps;          // the sweep's steps: one point more than this
    double angleStep;   // sweep angle from one point to the next, radians
};

// One point of the trace: where the electrons turned, and where they land.
struct TracePointResult {
    double turnAngle;  // theta, radians turned between plates and screen
    double x;          // centimetres right of the screen's centre
    double y;          // centimetres above it
    PixelPoint pixel;  // in the screen picture's pixels
};

// Stores the plate length and the ripple amplitude in the state, then
// computes the per-call values. Raises InvalidOperation for a negative anode
// voltage and FloatOverflow for one too large to compute with.
TraceSweep beginTrace(LabState &state, const TraceSettings &settings);

// Point `index` (0..sweep.steps) of the trace at solenoid current `current`
// on a screen `screenWidth` pixels wide, square, centred at half the width.
// A zero anode voltage or winding density raises DivisionByZero, a zero drift
// length InvalidOperation.
TracePointResult tracePoint(const LabState &state, const TraceSweep &sweep, int index, double current, int screenWidth);

// All 101 points' pixels, in order.
TracePath tracePoints(const LabState &state, const TraceSweep &sweep, double current, int screenWidth);
