// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Number texts of the read-outs and of the specific-charge calculator.
// Both round in two stages, as the instruments always have: the value is
// first written with 18 significant decimal digits (to nearest), and that
// digit string is then cut, a first dropped digit of 5 or more rounding up.
// So 0.125 shows as 0.13 with two decimals although the double lies just
// below it. Plain C++: the callers put in the locale's separator.
#include <string>

// The magnitude |value| in fixed notation with exactly `decimals` decimals
// (clamped to 0..13), '.' as the separator and no grouping. Works for every
// finite double; a non-finite value throws std::invalid_argument.
std::string FormatFixed(double value, int decimals);

// The calculator's result text: rounded to at most four significant digits
// and at most two decimals; up to four integer digits it is written fixed with
// two decimals ("1235,00", "0,50", "0,00"), otherwise in scientific form with
// the trailing zeros dropped ("1,759E11", "1,5E05", "1E04"). Negative values
// get a leading minus unless they round to zero. A non-finite value throws
// std::invalid_argument.
std::string FormatSpecificCharge(double value, const std::string &separator);
