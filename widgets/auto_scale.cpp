// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/auto_scale.h"

#include "toolkit/rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// No scale can show more major ticks than this.
constexpr int kMaxTickCount = 100;
// Walks along a tick grid longer than this jump to near their end first;
// a limit far from zero in small steps would otherwise take ages, or never
// end once the step is lost in the limit's rounding.
constexpr double kLongWalk = 1024;

bool isTidy(double step)
{
    if (!(step > 0) || !std::isfinite(step)) return false;
    const double decade = std::pow(10.0, std::trunc(std::log10(step)));
    const int mantissa = roundEven(step / decade * 1000);
    switch (mantissa) {
    case 100:
    case 200:
    case 250:
    case 500:
    case 750:
    case 1000:
    case 2000:
    case 2500:
    case 5000:
    case 7500: return true;
    default: return false;
    }
}

// The tick counts 2..maxTicks whose step on a scale of `length` is tidy.
std::vector<int> tidyCounts(int maxTicks, double length)
{
    std::vector<int> counts;
    for (int t = 2; t <= std::min(maxTicks, kMaxTickCount); ++t)
        if (isTidy(length / (t - 1))) counts.push_back(t);
    return counts;
}

int nearestCount(int desired, int maxTicks, const std::vector<int> &counts)
{
    int best = -1;
    for (int t : counts) {
        if (t > maxTicks) break;
        // Ascending order: an equal distance later is the larger count.
        if (best < 0 || std::abs(t - desired) <= std::abs(best - desired)) best = t;
    }
    return best < 0 ? maxTicks + 1 : best;
}

// Adds `delta` to x while cond(x) holds. False when the walk cannot make
// progress (a zero, NaN or vanishing step).
template <class Cond>
bool walk(double &x, double delta, double bound, Cond cond)
{
    if (!std::isfinite(delta) || delta == 0) return false;
    const double n = (bound - x) / delta;
    if (n > kLongWalk) x += std::floor(n - 2) * delta;
    for (int i = 0; cond(x); ++i) {
        const double next = x + delta;
        if (next == x || !std::isfinite(next) || i > kLongWalk + 8) return false;
        x = next;
    }
    return true;
}

double decadeOf(double span)
{
    double decade = std::pow(10.0, std::trunc(std::log10(span)));
    if (span < 1) decade /= 10;
    return decade;
}

// What both searches start from: limits that cannot be scaled give no fit,
// equal limits give themselves with two ticks, and the search gets the span,
// its decade and a tick count no larger than a scale can hold.
template <class Search>
std::optional<AutoScaleResult> searchFrom(double lo, double hi, int &maxTicks, Search search)
{
    if (!std::isfinite(lo) || !std::isfinite(hi)) return std::nullopt;
    if (lo == hi) return AutoScaleResult{lo, hi, 2};
    const double span = std::fabs(hi - lo);
    if (!std::isfinite(span)) return std::nullopt;
    maxTicks = std::min(maxTicks, kMaxTickCount);
    return search(span, decadeOf(span));
}

}  // namespace

int chooseTickCount(int desired, int maxTicks, double length)
{
    maxTicks = std::min(maxTicks, kMaxTickCount);
    return nearestCount(desired, maxTicks, tidyCounts(maxTicks, length));
}

std::optional<AutoScaleResult> autoScaleRange(double lo, double hi, int desiredTicks, int maxTicks)
{
    return searchFrom(lo, hi, maxTicks, [&](double span, double decade) -> std::optional<AutoScaleResult> {
        for (int i = 2; i <= 40; ++i) {
            const double length = decade * 0.5 * i;
            if (length < span) continue;
            const int t = chooseTickCount(desiredTicks, maxTicks, length);
            if (t > maxTicks) continue;
            const double step = length / (t - 1);
            double a = 0, b = 0;
            bool ok = true;
            if (hi > 0 && lo < 0) {
                a = length;
                ok = walk(a, -step, lo, [&](double x) { return x > lo; });
                b = a + length;
            } else if (hi > 0) {
                b = 0;
                ok = walk(b, step, hi, [&](double x) { return x < hi; });
                a = b - length;
                for (int k = 0; ok && lo >= 0 && a < 0; ++k) {
                    if (k > kMaxTickCount) ok = false;
                    a += step;
                    b += step;
                }
            } else {
                a = 0;
                ok = walk(a, -step, lo, [&](double x) { return x > lo; });
                b = a + length;
                if (b > 0) {
                    a -= step;
                    b -= step;
                }
            }
            if (ok && b >= hi && a <= lo) return AutoScaleResult{a, b, t};
        }
        return std::nullopt;
    });
}

std::optional<AutoScaleResult> autoScaleTicksInRange(double lo, double hi, int desiredTicks, int maxTicks)
{
    return searchFrom(lo, hi, maxTicks, [&](double span, double decade) -> std::optional<AutoScaleResult> {
        for (int n = 100; n >= 2; --n) {
            const double length = 0.1 * decade * n;
            if (length > span) continue;
            const std::vector<int> counts = tidyCounts(maxTicks, length);
            for (int mx = maxTicks; mx >= 2; --mx) {
                const int t = nearestCount(desiredTicks, mx, counts);
                if (t > mx) continue;
                const double step = length / (t - 1);
                double a = 0, b = 0;
                bool ok = true;
                if (hi > 0 && lo < 0) {
                    a = length;
                    ok = walk(a, -step, lo, [&](double x) { return x >= lo; });
                    a += step;
                    b = a + length;
                } else if (lo >= 0) {
                    a = 0;
                    ok = walk(a, step, lo, [&](double x) { return x < lo; });
                    b = a + length;
                } else {
                    b = 0;
                    ok = walk(b, -step, hi, [&](double x) { return x > hi; });
                    a = b - length;
                }
                if (ok && b <= hi && a >= lo && b + step > hi) return AutoScaleResult{a, b, t};
            }
        }
        return std::nullopt;
    });
}
