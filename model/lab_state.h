// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The variables the bench's handlers share: power flags, installation
// parameters in SI units, physical constants, the screen scale, the warm-up
// line's progress and the working values of the trace, the power lamp and the
// calculator. Everything is zero until the bench's creation gives it its
// start values; flags are 0 or 1.
#include <cstdint>

struct LabState {
    // Power and display flags.
    std::int32_t ScopeOn = 0;
    std::int32_t RegulatorOn = 0;
    std::int32_t SourceOn = 0;
    std::int32_t CalcShown = 0;

    // Screen and warm-up line.
    double PixelsPerCm = 0;         // pixels per centimetre of the simulated screen
    std::int32_t ScreenHalfCm = 0;  // centimetres from the screen's centre to its edge
    double SweepAmplitudeCm = 0;    // half-length of the undeflected sweep, centimetres
    std::int32_t WarmupStep = 0;    // half-length of the next warm-up line, pixels

    // Installation parameters (SI units).
    double AnodeVoltage = 0;     // V
    double TurnsPerMetre = 0;    // 1/m
    double DriftLength = 0;      // m, deflection plates to screen
    double PlateLength = 0;      // m, length of the deflection plates
    double RippleAmplitude = 0;  // fraction of the current

    // Constants.
    double ElectronCharge = 0;  // C
    double ElectronMass = 0;    // kg
    double Mu0 = 0;             // H/m
    double TwoPi = 0;

    // Beam trace: per call.
    double BeamSpeed = 0;   // m/s after the anode voltage
    double PhaseShift = 0;  // ripple phase, radians
    std::int32_t TraceSteps = 0;
    double AngleStep = 0;
    std::int32_t TraceIndex = 0;
    // Beam trace: per point, the last one computed.
    double SweepAngle = 0;          // t, radians
    double RippleFactor = 0;        // f
    double EffectiveCurrent = 0;    // A
    double Induction = 0;           // B, T
    double CyclotronFrequency = 0;  // omega, rad/s
    double TurnAngle = 0;           // theta, radians turned between plates and screen
    double PlateTerm = 0;           // theta d / (2 l)
    double TurnFactorY = 0;         // sin theta + plate term
    double TurnFactorX = 0;         // 1 - cos theta
    double RadiusRatio = 0;         // helix radius over undeflected offset
    double SweepOffset = 0;         // S, cm
    double HelixRadius = 0;         // R, cm
    double PointX = 0;              // cm right of the centre
    double PointY = 0;              // cm above the centre

    // Pixel coordinates: the trace's current point, or the power lamp's spot.
    std::int32_t PixelX = 0;
    std::int32_t PixelY = 0;
    std::int32_t PixelY2 = 0;

    // Calculator.
    std::int32_t HelixTurns = 0;
    double SpecificCharge = 0;  // C/kg
};

// The start values, one group at a time, in the order the bench's creation
// sets them between its own steps.
// Parameters as the start texts "1400", "155" and "10" convert.
void SetStartParameters(LabState &state);
// All instruments off, calculator hidden, no warm-up line.
void ClearPowerFlags(LabState &state);
// Physical constants and the screen's geometry.
void SetConstants(LabState &state);

// The layout pass's first step: the screen spans 2 x ScreenHalfCm
// centimetres across the width the screen image has when the pass begins.
void ApplyScreenScale(LabState &state, int image1Width);
