// SPDX-License-Identifier: GPL-3.0-or-later
#include "student_processing.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace {

constexpr double kMu0 = 4e-7 * std::numbers::pi;  // H/m, as the procedure gives it

// Student's coefficients for a confidence of 0.95, by the number of values.
double studentCoefficient(std::size_t values)
{
    static const double table[] = {0, 0, 12.71, 4.30, 3.18, 2.78, 2.57, 2.45};
    if (values < 2 || values >= std::size(table)) throw std::runtime_error("no Student coefficient for this count");
    return table[values];
}

}  // namespace

double specificCharge(const InstallationReadings &bench, int k, double current)
{
    const double distance = bench.fieldDistance + bench.plateLength / 2;
    const double q = k * std::numbers::pi / (kMu0 * bench.turnsPerMetre * distance * current);
    return 8 * bench.anodeVoltage * q * q;
}

ProcessedResult processReadings(const InstallationReadings &bench, const std::vector<FocusingReadings> &focusings)
{
    ProcessedResult r;
    double relativeStep = 0;
    for (const FocusingReadings &f : focusings) {
        r.perFocusing.push_back(specificCharge(bench, f.k, f.current()));
        r.mean += r.perFocusing.back();
        // I' and I'' each lie within a step of the band's edge, their mean
        // within half a step; e/m goes as 1/I^2.
        relativeStep += 2 * (kAmmeterStep / 2) / f.current();
    }
    const double n = double(focusings.size());
    r.mean /= n;
    for (double value : r.perFocusing) r.spread += (value - r.mean) * (value - r.mean);
    r.spread = std::sqrt(r.spread / (n - 1));
    r.student = studentCoefficient(focusings.size());
    r.random = r.student * r.spread / std::sqrt(n);
    r.instrument = r.mean * relativeStep / n;
    r.total = std::hypot(r.random, r.instrument);
    return r;
}

Rounded roundUncertainty(double uncertainty)
{
    const int exponent = int(std::floor(std::log10(uncertainty)));
    const double leading = uncertainty / std::pow(10.0, exponent);
    // A leading 1 keeps a second digit: 0.012, not 0.01. A 9.6 that rounds
    // up to 10 is a leading 1 with its second digit, 0.010, as it should be.
    const int digits = std::nearbyint(leading * 10) < 20 ? 2 : 1;
    const int decimals = digits - 1 - exponent;
    return {std::nearbyint(uncertainty * std::pow(10.0, decimals)) / std::pow(10.0, decimals), decimals};
}
