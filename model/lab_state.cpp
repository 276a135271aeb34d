// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/lab_state.h"

#include "model/float_faults.h"

#include <cmath>
#include <numbers>

namespace {

// mantissa x 10^k with the power of ten formed as exp(k ln 10), all in
// extended precision, rounded to a double once.
double scaledByPowerOfTen(long double mantissa, int k)
{
    const long double power = std::exp(static_cast<long double>(k) * std::log(10.0L));
    return static_cast<double>(mantissa * power);
}

} // namespace

void SetStartParameters(LabState &state)
{
    state.AnodeVoltage = 1400.0;
    state.TurnsPerMetre = 15500.0;
    state.DriftLength = 0.1;
}

void ClearPowerFlags(LabState &state)
{
    state.ScopeOn = 0;
    state.RegulatorOn = 0;
    state.SourceOn = 0;
    state.CalcShown = 0;
    state.WarmupStep = 0;
}

void SetConstants(LabState &state)
{
    state.ElectronCharge = scaledByPowerOfTen(1.6021892L, -19);
    state.ElectronMass = scaledByPowerOfTen(9.109383L, -31);
    state.Mu0 = scaledByPowerOfTen(4.0L * std::numbers::pi_v<long double>, -7);
    state.ScreenHalfCm = 4;
    state.SweepAmplitudeCm = 3.5;
    state.TwoPi = 2.0 * std::numbers::pi;
}

void ApplyScreenScale(LabState &state, int image1Width)
{
    // A state whose constants are not yet set has no screen span; that is a
    // division by zero, not an infinite scale.
    state.PixelsPerCm = CheckedDiv(double(image1Width), 2.0 * double(state.ScreenHalfCm));
}
