// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/float_faults.h"

#include <cmath>
#include <cstdint>

double CheckFinite(double value)
{
    if (std::isnan(value)) throw EInvalidOp();
    if (std::isinf(value)) throw EOverflow();
    return value;
}

namespace {

// A NaN or infinite operand never comes from our own arithmetic; taking it
// as an invalid operation keeps it from travelling on.
void checkOperands(double a, double b)
{
    if (!std::isfinite(a) || !std::isfinite(b)) throw EInvalidOp();
}

} // namespace

double CheckedAdd(double a, double b)
{
    checkOperands(a, b);
    return CheckFinite(a + b);
}

double CheckedSub(double a, double b)
{
    checkOperands(a, b);
    return CheckFinite(a - b);
}

double CheckedMul(double a, double b)
{
    checkOperands(a, b);
    return CheckFinite(a * b);
}

double CheckedDiv(double a, double b)
{
    checkOperands(a, b);
    if (b == 0.0) {
        if (a == 0.0) throw EInvalidOp();
        throw EZeroDivide();
    }
    return CheckFinite(a / b);
}

double CheckedSqrt(double value)
{
    if (std::isnan(value) || value < 0.0) throw EInvalidOp();
    return CheckFinite(std::sqrt(value));
}

int CheckedRoundToInt(double value)
{
    if (std::isnan(value)) throw EInvalidOp();
    const double rounded = std::nearbyint(value);
    // Both limits are exact doubles; comparing before converting keeps the
    // conversion defined.
    if (!(rounded >= double(INT32_MIN) && rounded <= double(INT32_MAX))) throw EOverflow();
    return int(rounded);
}
