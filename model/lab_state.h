// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The variables the bench's handlers share: power flags, installation
// parameters in SI units, the screen scale and the warm-up line's progress;
// and the physical constants and screen geometry they compute with.
// Everything in the state is zero (or off) until the bench's creation gives
// it its start values.

// Physical and mathematical constants. (The bench window's header brings this
// one in, and Qt's moc reads it: it cannot read <numbers>, so pi is written out.)
inline constexpr double kPi = 3.141592653589793;
inline constexpr double kElectronCharge = 1.6021892e-19;  // C
inline constexpr double kElectronMass = 9.109383e-31;     // kg
inline constexpr double kMu0 = 4e-7 * kPi;                // H/m
inline constexpr double kTwoPi = 2.0 * kPi;

// The simulated screen: 4 cm from its centre to its edge, and an undeflected
// sweep of 3.5 cm to either side of the centre.
inline constexpr int kScreenHalfCm = 4;
inline constexpr double kSweepAmplitudeCm = 3.5;

struct LabState {
    // Which instruments are on, and whether the calculator is shown.
    bool scopeOn = false;
    bool regulatorOn = false;
    bool sourceOn = false;
    bool calculatorShown = false;

    // Screen and warm-up line.
    double pixelsPerCm = 0;  // pixels per centimetre of the simulated screen
    int warmupStep = 0;      // half-length of the next warm-up line, pixels

    // Installation parameters (SI units).
    double anodeVoltage = 0;     // V
    double turnsPerMetre = 0;    // 1/m
    double driftLength = 0;      // m, deflection plates to screen
    double plateLength = 0;      // m, length of the deflection plates
    double rippleAmplitude = 0;  // fraction of the current
};

// The start values, one group at a time, in the order the bench's creation
// sets them between its own steps.
// Parameters as the start texts "1400", "155" and "10" convert.
void setStartParameters(LabState &state);
// All instruments off, calculator hidden, no warm-up line.
void clearPowerFlags(LabState &state);

// The layout pass's first step: the screen spans 2 x kScreenHalfCm
// centimetres across the width the screen image has when the pass begins.
void applyScreenScale(LabState &state, int screenWidth);
