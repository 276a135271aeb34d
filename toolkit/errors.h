// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Errors that end an event handler and reach the user through the default
// error box. Their texts are the program's own messages.
#include <stdexcept>
#include <string>

class QString;

// A text that does not convert to a number.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    static EConvertError notInteger(const QString &text);  // "'%s' is not a valid integer value"
    static EConvertError notFloat(const QString &text);    // "'%s' is not a valid floating point value"
};
