// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/float_faults.h"

#include <cmath>
#include <cstdint>

double checkFinite(double value)
{
    if (std::isnan(value)) throw InvalidOperation();
    if (std::isinf(value)) throw FloatOverflow();
    return value;
}

namespace {

// A NaN or infinite operand never comes from our own arithmetic; taking it
// as an invalid operation keeps it from travelling on.
void checkOperands(double a, double b)
{
    if (!std::isfinite(a) || !std::isfinite(b)) throw InvalidOperation();
}

}  // namespace

double checkedAdd(double a, double b)
{
    checkOperands(a, b);
    return checkFinite(a + b);
}

double checkedSub(double a, double b)
{
    checkOperands(a, b);
    return checkFinite(a - b);
}

double checkedMul(double a, double b)
{
    checkOperands(a, b);
    return checkFinite(a * b);
}

double checkedDiv(double a, double b)
{
    checkOperands(a, b);
    if (b == 0.0) {
        if (a == 0.0) throw InvalidOperation();
        throw DivisionByZero();
    }
    return checkFinite(a / b);
}

double checkedSqrt(double value)
{
    if (std::isnan(value) || value < 0.0) throw InvalidOperation();
    return checkFinite(std::sqrt(value));
}

int checkedRoundToInt(double value)
{
    if (std::isnan(value)) throw InvalidOperation();
    const double rounded = std::nearbyint(value);
    // Both limits are exact doubles; comparing before converting keeps the
    // conversion defined.
    if (!(rounded >= double(INT32_MIN) && rounded <= double(INT32_MAX))) throw FloatOverflow();
    return int(rounded);
}
