// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Checked floating-point arithmetic. The bench never shows an infinity or a
// NaN: an operation that would make one raises an error with the program's
// own message instead, which ends the handler and reaches the user through
// the default error box.
#include <stdexcept>

class EMathError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A non-zero number divided by zero.
class EZeroDivide : public EMathError {
public:
    EZeroDivide() : EMathError("Floating point division by zero") {}
};

// Zero over zero, the square root of a negative number, a NaN operand.
class EInvalidOp : public EMathError {
public:
    EInvalidOp() : EMathError("Invalid floating point operation") {}
};

// A result too large for a double.
class EOverflow : public EMathError {
public:
    EOverflow() : EMathError("Floating point overflow") {}
};

// The value itself if it is finite; NaN raises EInvalidOp, an infinity EOverflow.
double CheckFinite(double value);

double CheckedAdd(double a, double b);
double CheckedSub(double a, double b);
double CheckedMul(double a, double b);
// Non-zero over zero: EZeroDivide; zero over zero or a NaN operand:
// EInvalidOp; a quotient too large for a double: EOverflow.
double CheckedDiv(double a, double b);
// A negative or NaN operand: EInvalidOp. The root of -0 is -0.
double CheckedSqrt(double value);
// The nearest 32-bit integer, ties to even; a value outside the 32-bit range
// raises EOverflow, a NaN EInvalidOp.
int CheckedRoundToInt(double value);
