// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/conversions.h"

#include "toolkit/errors.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Appends a run of ASCII digits starting at i to out; returns how many.
int takeDigits(const QString &text, qsizetype &i, std::string &out)
{
    int n = 0;
    while (i < text.size() && isAsciiDigit(text[i])) {
        out.push_back(char(text[i].unicode()));
        ++i;
        ++n;
    }
    return n;
}

void takeSign(const QString &text, qsizetype &i, std::string &out)
{
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-') out.push_back('-');
        ++i;
    }
}

// The power of ten of the first significant digit of a normalised number
// ("[-]digits[.digits][e[-]digits]"), saturating far outside double's range.
long decimalMagnitude(const std::string &number)
{
    const auto e = number.find('e');
    const std::string mantissa = number.substr(0, e);
    long exponent = 0;
    if (e != std::string::npos) {
        const bool negative = number[e + 1] == '-';
        for (std::size_t k = e + 1 + (negative ? 1 : 0); k < number.size(); ++k)
            exponent = std::min(exponent * 10 + (number[k] - '0'), 100000L);
        if (negative) exponent = -exponent;
    }
    const auto point = mantissa.find('.');
    const std::size_t intEnd = point == std::string::npos ? mantissa.size() : point;
    const auto first = mantissa.find_first_of("123456789");
    if (first == std::string::npos) return -100000;
    if (first < intEnd) return long(intEnd - first) - 1 + exponent;
    return -long(first - intEnd) + exponent;
}

}  // namespace

std::int32_t StrToInt(const QString &text)
{
    std::string digits;
    qsizetype i = 0;
    takeSign(text, i, digits);
    if (takeDigits(text, i, digits) == 0 || i != text.size()) throw EConvertError::notInteger(text);
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size()) throw EConvertError::notInteger(text);
    return value;
}

double StrToFloat(const QString &text)
{
    const QString separator = QLocale().decimalPoint();
    std::string number;
    qsizetype i = 0;
    takeSign(text, i, number);
    int mantissaDigits = takeDigits(text, i, number);
    if (!separator.isEmpty() && text.mid(i, separator.size()) == separator) {
        i += separator.size();
        number.push_back('.');
        mantissaDigits += takeDigits(text, i, number);
    }
    if (mantissaDigits == 0) throw EConvertError::notFloat(text);
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        number.push_back('e');
        takeSign(text, i, number);
        if (takeDigits(text, i, number) == 0) throw EConvertError::notFloat(text);
    }
    if (i != text.size()) throw EConvertError::notFloat(text);
    double value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Out of range is overflow or underflow: a tiny number is taken as
        // zero, a huge one refused rather than taken as infinity.
        if (decimalMagnitude(number) > 0) throw EConvertError::notFloat(text);
        return number[0] == '-' ? -0.0 : 0.0;
    }
    if (ec != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        throw EConvertError::notFloat(text);
    return value;
}
