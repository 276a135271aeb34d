// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/lab_state.h"

#include <numbers>

static_assert(kPi == std::numbers::pi);

void setStartParameters(LabState &state)
{
    state.anodeVoltage = 1400.0;
    state.turnsPerMetre = 15500.0;
    state.driftLength = 0.1;
}

void clearPowerFlags(LabState &state)
{
    state.scopeOn = false;
    state.regulatorOn = false;
    state.sourceOn = false;
    state.calculatorShown = false;
    state.warmupStep = 0;
}

void applyScreenScale(LabState &state, int screenWidth)
{
    state.pixelsPerCm = double(screenWidth) / (2.0 * kScreenHalfCm);
}
