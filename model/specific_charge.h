// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculator: the specific charge of the electron from the current at
// which the trace collapses for the k-th time. At focusing the electrons turn
// through 2 pi k on the drift length, which gives
//   e/m = 8 U (k pi / (mu0 n l I))^2.
#include "model/lab_state.h"

#include <cstdint>

// Stores k in HelixTurns first, then computes e/m with the parameters held in
// the state. Only a successful result is stored in SpecificCharge and
// returned; a zero current, winding density or drift length raises
// EZeroDivide and leaves SpecificCharge as it was.
double ComputeSpecificCharge(LabState &state, std::int32_t k, double current);
