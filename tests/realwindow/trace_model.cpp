// SPDX-License-Identifier: GPL-3.0-or-later
#include "trace_model.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kCharge = 1.6021892e-19;  // C
constexpr double kMass = 9.109383e-31;     // kg
constexpr double kMu0 = 4 * std::numbers::pi * 1e-7;
constexpr double kSweepCm = 3.5;

double pixelsPerCm(int side)
{
    return side / 8.0;
}

}  // namespace

QList<QPoint> tracePoints(const TraceSetup &s, int side)
{
    const double d = s.plateCm * 0.01, l = s.driftMetres;
    const double v = std::sqrt(2 * kCharge * s.anodeVolts / kMass);
    const double phase = std::numbers::pi * s.phasePi;
    const double centre = side / 2.0;
    QList<QPoint> points;
    for (int i = 0; i <= 100; ++i) {
        const double t = i * (2 * std::numbers::pi / 100);
        const double current = (s.current + 0.0001) * (std::cos(2 * t - phase) * s.ripple + 1);
        const double omega = kCharge * (kMu0 * current * s.turnsPerMetre) / kMass;
        const double theta = omega * l / v;
        const double ratio = (v / omega) / (d / 2 + l);
        const double offset = ratio * std::cos(t) * kSweepCm;
        const double x = offset * (1 - std::cos(theta));
        const double y = offset * (std::sin(theta) + theta * d / (2 * l));
        points << QPoint(int(std::nearbyint(x * pixelsPerCm(side) + centre)),
                         int(std::nearbyint(centre - y * pixelsPerCm(side))));
    }
    return points;
}

int warmupLimit(int side)
{
    return int(std::nearbyint(kSweepCm * pixelsPerCm(side)));
}
