// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/specific_charge.h"

#include "model/float_faults.h"

#include <numbers>

double computeSpecificCharge(const LabState &state, std::int32_t k, double current)
{
    // The denominator left to right, ((mu0 n) l) I; the quotient is squared
    // and then multiplied by 8 U.
    const double denominator =
        checkedMul(checkedMul(checkedMul(kMu0, state.turnsPerMetre), state.driftLength), current);
    const double quotient = checkedDiv(checkedMul(double(k), std::numbers::pi), denominator);
    return checkedMul(checkedMul(8.0, state.anodeVoltage), checkedMul(quotient, quotient));
}
