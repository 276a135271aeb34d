// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/decimal_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {

// |value| as 18 significant digits and the power of ten of the first one:
// value = 0.d1d2...d18 x 10^point, i.e. `point` digits stand before the
// decimal point (zero or negative for magnitudes below 1).
struct Digits {
    std::string digits;  // exactly 18 characters '0'..'9'
    int point = 0;
};

Digits significantDigits(double value)
{
    if (!std::isfinite(value)) throw std::invalid_argument("a number to be shown must be finite");
    // "%.17e" never needs more than 1 + 1 + 17 + 6 characters for a double;
    // the buffer leaves room to spare.
    char buffer[40];
    const int n = std::snprintf(buffer, sizeof buffer, "%.17e", std::fabs(value));
    if (n <= 0 || n >= int(sizeof buffer)) throw std::invalid_argument("a number could not be written");
    Digits d;
    d.digits.reserve(18);
    d.digits.push_back(buffer[0]);
    const char *p = buffer + 2;  // after "d."
    while (*p >= '0' && *p <= '9') d.digits.push_back(*p++);
    // *p is 'e'; the exponent follows with its sign.
    const int exponent = int(std::strtol(p + 1, nullptr, 10));
    if (d.digits == std::string(d.digits.size(), '0'))
        d.point = 1;  // zero: a single integer digit
    else
        d.point = exponent + 1;
    return d;
}

// Keeps the first `keep` digits (padding with zeros past the 18th; keep <= 0
// keeps none) and rounds half up on the first dropped digit. The result is an
// integer digit string, possibly one digit longer after a carry, "" for zero.
std::string cutHalfUp(const Digits &d, int keep)
{
    std::string kept;
    char firstDropped = '0';
    if (keep > 0) {
        const int fromDigits = std::min(keep, int(d.digits.size()));
        kept.assign(d.digits, 0, std::size_t(fromDigits));
        kept.append(std::size_t(keep - fromDigits), '0');
        if (keep < int(d.digits.size())) firstDropped = d.digits[std::size_t(keep)];
    } else if (keep == 0) {
        firstDropped = d.digits[0];
    }
    // keep < 0: the first dropped digit is one of the zeros in front of the
    // first significant digit, so nothing rounds up.
    if (firstDropped >= '5') {
        int i = int(kept.size()) - 1;
        while (i >= 0 && kept[std::size_t(i)] == '9') kept[std::size_t(i--)] = '0';
        if (i >= 0)
            ++kept[std::size_t(i)];
        else
            kept.insert(kept.begin(), '1');
    }
    return kept;
}

// An integer digit string scaled by 10^-decimals as fixed text.
std::string withPoint(std::string scaled, int decimals, const std::string &separator)
{
    // Leading zeros of a short fraction ("5" at two decimals is "0.05").
    if (int(scaled.size()) < decimals + 1) scaled.insert(0, std::size_t(decimals + 1 - int(scaled.size())), '0');
    const std::size_t integerDigits = scaled.size() - std::size_t(decimals);
    // Zeros in front of the first significant digit come only from padding;
    // "0.5" keeps one, nothing keeps more.
    std::size_t firstNonZero = 0;
    while (firstNonZero + 1 < integerDigits && scaled[firstNonZero] == '0') ++firstNonZero;
    std::string text = scaled.substr(firstNonZero, integerDigits - firstNonZero);
    if (decimals > 0) {
        text += separator;
        text.append(scaled, integerDigits, std::string::npos);
    }
    return text;
}

}  // namespace

std::string FormatFixed(double value, int decimals)
{
    decimals = std::clamp(decimals, 0, 13);
    const Digits d = significantDigits(value);
    return withPoint(cutHalfUp(d, d.point + decimals), decimals, ".");
}

std::string FormatSpecificCharge(double value, const std::string &separator)
{
    constexpr int significant = 4;
    constexpr int decimals = 2;
    const Digits d = significantDigits(value);
    const int keep = std::min(significant, d.point + decimals);
    // The rounded value is kept x 10^scale.
    const std::string kept = cutHalfUp(d, keep);
    const int scale = d.point - keep;
    const bool zero = kept.find_first_not_of('0') == std::string::npos;
    const std::string sign = (value < 0 && !zero) ? "-" : "";
    if (zero) return withPoint("0", decimals, separator);

    const int integerDigits = int(kept.size()) + scale;
    if (integerDigits <= significant) {
        // scale >= -decimals by the choice of keep, so this only appends zeros.
        std::string scaled = kept;
        const int zeros = scale + decimals;
        scaled.append(std::size_t(zeros), '0');
        return sign + withPoint(scaled, decimals, separator);
    }

    std::string mantissa = kept;
    mantissa.erase(mantissa.find_last_not_of('0') + 1);
    const int exponent = int(kept.size()) - 1 + scale;
    std::string text = sign + mantissa.substr(0, 1);
    if (mantissa.size() > 1) text += separator + mantissa.substr(1);
    const int magnitude = std::abs(exponent);
    text += 'E';
    if (exponent < 0) text += '-';
    if (magnitude < 10) text += '0';
    text += std::to_string(magnitude);
    return text;
}
