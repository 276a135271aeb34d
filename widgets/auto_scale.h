// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tidy scales: rounding a range, or the ticks inside a fixed range, to steps
// whose mantissas are 1, 2, 2.5, 5 or 7.5 times a power of ten. Pure
// functions of the requested limits and tick counts.
#include <optional>

// The number of major ticks for a scale of length `length`: among 2..maxTicks,
// the counts whose step is tidy, the one nearest to `desired` (the larger on a
// tie); maxTicks + 1 when there is none.
int chooseTickCount(int desired, int maxTicks, double length);

struct AutoScaleResult {
    double low = 0;   // lower limit (of the range, or of the ticks)
    double high = 0;  // upper limit
    int tickCount = 2;
};

// Rounds the range itself: the smallest tidy range [A, B] that covers
// [lo, hi], with its tick count. Empty when no candidate fits.
std::optional<AutoScaleResult> autoScaleRange(double lo, double hi, int desiredTicks, int maxTicks);

// Keeps the range and places tidy ticks [A, B] inside it, with their count.
// Empty when no candidate fits.
std::optional<AutoScaleResult> autoScaleTicksInRange(double lo, double hi, int desiredTicks, int maxTicks);
