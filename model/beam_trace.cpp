// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/beam_trace.h"

#include "model/float_faults.h"

#include <cmath>
#include <numbers>

TraceSweep beginTrace(LabState &state, const TraceSettings &settings)
{
    state.plateLength = checkedMul(settings.plateLengthCm, 0.01);
    TraceSweep sweep{};
    const double energyTerm = checkedMul(checkedMul(2.0, kElectronCharge), state.anodeVoltage);
    sweep.beamSpeed = checkedSqrt(checkedDiv(energyTerm, kElectronMass));
    sweep.phaseShift = checkedMul(std::numbers::pi, settings.phasePi);
    state.rippleAmplitude = checkFinite(settings.rippleAmplitude);
    sweep.steps = kTracePointCount - 1;
    sweep.angleStep = checkedDiv(kTwoPi, double(sweep.steps));
    return sweep;
}

TracePointResult tracePoint(const LabState &state, const TraceSweep &sweep, int index, double current, int screenWidth)
{
    const LabState &s = state;
    const double sweepAngle = checkedMul(double(index), sweep.angleStep);
    // The ripple runs at twice the sweep frequency.
    const double rippleArgument = checkedSub(checkedMul(2.0, sweepAngle), sweep.phaseShift);
    const double rippleFactor = checkedAdd(checkedMul(std::cos(rippleArgument), s.rippleAmplitude), 1.0);
    // The small offset keeps the cyclotron frequency off zero at 0 A.
    const double effectiveCurrent = checkedMul(checkedAdd(current, 0.0001), rippleFactor);
    const double induction = checkedMul(checkedMul(kMu0, effectiveCurrent), s.turnsPerMetre);
    const double cyclotronFrequency = checkedDiv(checkedMul(kElectronCharge, induction), kElectronMass);
    const double turnAngle = checkedDiv(checkedMul(cyclotronFrequency, s.driftLength), sweep.beamSpeed);
    const double plateTerm = checkedDiv(checkedMul(turnAngle, s.plateLength), checkedMul(2.0, s.driftLength));
    const double turnFactorY = checkedAdd(std::sin(turnAngle), plateTerm);
    const double turnFactorX = checkedSub(1.0, std::cos(turnAngle));
    // The helix radius over the undeflected offset.
    const double radiusRatio = checkedDiv(checkedDiv(sweep.beamSpeed, cyclotronFrequency),
                                          checkedAdd(checkedDiv(s.plateLength, 2.0), s.driftLength));
    const double sweepOffset = checkedMul(std::cos(sweepAngle), kSweepAmplitudeCm);
    const double helixRadius = checkedMul(radiusRatio, sweepOffset);
    TracePointResult point{};
    point.turnAngle = turnAngle;
    point.x = checkedMul(helixRadius, turnFactorX);
    point.y = checkedMul(helixRadius, turnFactorY);
    // Both centres come from the width (the screen is square), as a real:
    // an odd width puts the centre on a half pixel, which rounds to even.
    const double centre = double(screenWidth) / 2.0;
    point.pixel.x = checkedRoundToInt(checkedAdd(checkedMul(point.x, s.pixelsPerCm), centre));
    point.pixel.y = checkedRoundToInt(checkedSub(centre, checkedMul(point.y, s.pixelsPerCm)));
    return point;
}

TracePath tracePoints(const LabState &state, const TraceSweep &sweep, double current, int screenWidth)
{
    TracePath path{};
    for (int i = 0; i <= sweep.steps && i < kTracePointCount; ++i)
        path[std::size_t(i)] = tracePoint(state, sweep, i, current, screenWidth).pixel;
    return path;
}
