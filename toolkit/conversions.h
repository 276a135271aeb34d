// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text-to-number conversions of the parameter and calculator fields. They take
// exactly what a number looks like (no blanks around it, ASCII digits only)
// and raise EConvertError with the text otherwise.
#include <QString>
#include <cstdint>

// A decimal whole number with an optional sign, within the 32-bit signed range.
std::int32_t StrToInt(const QString &text);

// A decimal number with an optional sign, the locale's decimal separator and
// an optional exponent ("1e3"). A number too large for a double is refused
// rather than taken as infinity.
double StrToFloat(const QString &text);
