// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pixel arithmetic: a real becomes a pixel coordinate by rounding to nearest
// with ties to even (110.5 -> 110, 111.5 -> 112). std::round would round ties
// away from zero, which moves pixels.
#include <algorithm>
#include <climits>
#include <cmath>

inline int roundEven(double v)
{
    if (!(v == v)) return 0;  // NaN never reaches a pixel
    if (v >= double(INT_MAX)) return INT_MAX;
    if (v <= double(INT_MIN)) return INT_MIN;
    return int(std::nearbyint(v));
}

// Pixel arithmetic done in 64 bits comes back into the int range saturated,
// so that no setting, however large, can overflow an int.
inline int saturate(long long v)
{
    return int(std::clamp<long long>(v, INT_MIN, INT_MAX));
}
