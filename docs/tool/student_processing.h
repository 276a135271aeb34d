// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The computer procedure's processing, done as the procedure tells the
// student: e/m from each focusing current with the distance counted from the
// plates' middle, the mean, the random half-width of the mean with Student's
// coefficient, the ammeter's share, and the result rounded to its uncertainty.
#include "automated_student.h"

#include <vector>

// The narrow arrows' step, the ammeter's last digit: 0.001 A.
inline constexpr double kAmmeterStep = 0.001;

// e/m = 8 U (k pi / (mu0 n L I))^2 with L = l + d/2, the distance from the
// plates' middle to the screen.
double specificCharge(const InstallationReadings &bench, int k, double current);

struct ProcessedResult {
    std::vector<double> perFocusing;  // e/m of each focusing, C/kg
    double mean = 0;                  // C/kg
    double spread = 0;                // sample standard deviation of the values, C/kg
    double student = 0;               // Student's coefficient for 0.95 and the number of values
    double random = 0;                // student x spread / sqrt(N), C/kg
    double instrument = 0;            // the ammeter's half step carried into e/m, C/kg
    double total = 0;                 // both together, C/kg
};

ProcessedResult processReadings(const InstallationReadings &bench, const std::vector<FocusingReadings> &focusings);

// An uncertainty rounded as a result is written: one significant digit, two
// when the first is 1; `decimals` is how many places after the point that
// leaves (negative for tens and above).
struct Rounded {
    double uncertainty;
    int decimals;
};
Rounded roundUncertainty(double uncertainty);
