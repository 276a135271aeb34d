// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Checked floating-point arithmetic. The bench never shows an infinity or a
// NaN: an operation that would make one raises an error with the program's
// own message instead, which ends the handler and reaches the user through
// the default error box.
#include <stdexcept>

class MathError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A non-zero number divided by zero.
class DivisionByZero : public MathError {
public:
    DivisionByZero() : MathError("Floating point division by zero") {}
};

// Zero over zero, the square root of a negative number, a NaN operand.
class InvalidOperation : public MathError {
public:
    InvalidOperation() : MathError("Invalid floating point operation") {}
};

// A result too large for a double.
class FloatOverflow : public MathError {
public:
    FloatOverflow() : MathError("Floating point overflow") {}
};

// The value itself if it is finite; NaN raises InvalidOperation, an infinity FloatOverflow.
double checkFinite(double value);

double checkedAdd(double a, double b);
double checkedSub(double a, double b);
double checkedMul(double a, double b);
// Non-zero over zero: DivisionByZero; zero over zero or a NaN operand:
// InvalidOperation; a quotient too large for a double: FloatOverflow.
double checkedDiv(double a, double b);
// A negative or NaN operand: InvalidOperation. The root of -0 is -0.
double checkedSqrt(double value);
// The nearest 32-bit integer, ties to even; a value outside the 32-bit range
// raises FloatOverflow, a NaN InvalidOperation.
int checkedRoundToInt(double value);
