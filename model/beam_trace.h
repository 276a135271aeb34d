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

// The per-call values: PlateLength, BeamSpeed, PhaseShift, RippleAmplitude,
// TraceSteps and AngleStep. Raises EInvalidOp for a negative anode voltage
// and EOverflow for one too large to compute with.
void BeginTrace(LabState &state, const TraceSettings &settings);

// Point `index` (0..TraceSteps) of the trace at solenoid current `current`
// on a screen `screenWidth` pixels wide, square, centred at half the width.
// Stores every working value in `state` as it goes, so after a fault the
// values computed up to it remain. A zero anode voltage or winding density
// raises EZeroDivide, a zero drift length EInvalidOp.
PixelPoint TracePoint(LabState &state, int index, double current, int screenWidth);

// All 101 points, in order. BeginTrace must have run.
TracePath TracePoints(LabState &state, double current, int screenWidth);
