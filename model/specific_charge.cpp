// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/specific_charge.h"

#include "model/float_faults.h"

#include <numbers>

double ComputeSpecificCharge(LabState &state, std::int32_t k, double current)
{
    state.HelixTurns = k;
    // The denominator left to right, ((mu0 n) l) I; the quotient is squared
    // and then multiplied by 8 U.
    const double denominator =
        CheckedMul(CheckedMul(CheckedMul(state.Mu0, state.TurnsPerMetre), state.DriftLength), current);
    const double quotient = CheckedDiv(CheckedMul(double(k), std::numbers::pi), denominator);
    const double result = CheckedMul(CheckedMul(8.0, state.AnodeVoltage), CheckedMul(quotient, quotient));
    state.SpecificCharge = result;
    return result;
}
