// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/beam_trace.h"

#include "model/float_faults.h"

#include <cmath>
#include <numbers>

void BeginTrace(LabState &state, const TraceSettings &settings)
{
    state.PlateLength = CheckedMul(settings.plateLengthCm, 0.01);
    const double energyTerm = CheckedMul(CheckedMul(2.0, state.ElectronCharge), state.AnodeVoltage);
    state.BeamSpeed = CheckedSqrt(CheckedDiv(energyTerm, state.ElectronMass));
    state.PhaseShift = CheckedMul(std::numbers::pi, settings.phasePi);
    state.RippleAmplitude = CheckFinite(settings.rippleAmplitude);
    state.TraceSteps = kTracePointCount - 1;
    state.AngleStep = CheckedDiv(state.TwoPi, double(state.TraceSteps));
}

PixelPoint TracePoint(LabState &state, int index, double current, int screenWidth)
{
    LabState &s = state;
    s.TraceIndex = index;
    s.SweepAngle = CheckedMul(double(index), s.AngleStep);
    // The ripple runs at twice the sweep frequency.
    const double rippleArgument = CheckedSub(CheckedMul(2.0, s.SweepAngle), s.PhaseShift);
    s.RippleFactor = CheckedAdd(CheckedMul(std::cos(rippleArgument), s.RippleAmplitude), 1.0);
    // The small offset keeps the cyclotron frequency off zero at 0 A.
    s.EffectiveCurrent = CheckedMul(CheckedAdd(current, 0.0001), s.RippleFactor);
    s.Induction = CheckedMul(CheckedMul(s.Mu0, s.EffectiveCurrent), s.TurnsPerMetre);
    s.CyclotronFrequency = CheckedDiv(CheckedMul(s.ElectronCharge, s.Induction), s.ElectronMass);
    s.TurnAngle = CheckedDiv(CheckedMul(s.CyclotronFrequency, s.DriftLength), s.BeamSpeed);
    s.PlateTerm = CheckedDiv(CheckedMul(s.TurnAngle, s.PlateLength), CheckedMul(2.0, s.DriftLength));
    s.TurnFactorY = CheckedAdd(std::sin(s.TurnAngle), s.PlateTerm);
    s.TurnFactorX = CheckedSub(1.0, std::cos(s.TurnAngle));
    s.RadiusRatio = CheckedDiv(CheckedDiv(s.BeamSpeed, s.CyclotronFrequency),
                               CheckedAdd(CheckedDiv(s.PlateLength, 2.0), s.DriftLength));
    s.SweepOffset = CheckedMul(std::cos(s.SweepAngle), s.SweepAmplitudeCm);
    s.HelixRadius = CheckedMul(s.RadiusRatio, s.SweepOffset);
    s.PointX = CheckedMul(s.HelixRadius, s.TurnFactorX);
    s.PointY = CheckedMul(s.HelixRadius, s.TurnFactorY);
    // Both centres come from the width (the screen is square), as a real:
    // an odd width puts the centre on a half pixel, which rounds to even.
    const double centre = double(screenWidth) / 2.0;
    s.PixelX = CheckedRoundToInt(CheckedAdd(CheckedMul(s.PointX, s.PixelsPerCm), centre));
    s.PixelY = CheckedRoundToInt(CheckedSub(centre, CheckedMul(s.PointY, s.PixelsPerCm)));
    return PixelPoint{s.PixelX, s.PixelY};
}

TracePath TracePoints(LabState &state, double current, int screenWidth)
{
    TracePath path{};
    for (int i = 0; i <= state.TraceSteps && i < kTracePointCount; ++i)
        path[std::size_t(i)] = TracePoint(state, i, current, screenWidth);
    return path;
}
