// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculator: the specific charge of the electron from the current at
// which the trace collapses for the k-th time. At focusing the electrons turn
// through 2 pi k on the drift length, which gives
//   e/m = 8 U (k pi / (mu0 n l I))^2.
#include "model/lab_state.h"

#include <cstdint>

// e/m with the parameters held in the state for k helix turns at `current`.
// A zero current, winding density or drift length raises DivisionByZero.
double computeSpecificCharge(const LabState &state, std::int32_t k, double current);
