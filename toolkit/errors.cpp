// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/errors.h"

#include "toolkit/visible_text.h"

#include <QString>

namespace {

// The message quotes the text as it was pasted, with every character that
// would show nothing, break the message's line or reorder it (a tab, a line
// break, a right-to-left override) made visible. A NUL shown by its symbol
// also keeps the message, which travels as a C string, from ending early.
std::string quoting(const char *pattern, const QString &text)
{
    return QString::fromLatin1(pattern).arg(visibleText(text)).toStdString();
}

}  // namespace

EConvertError EConvertError::notInteger(const QString &text)
{
    return EConvertError(quoting("'%1' is not a valid integer value", text));
}

EConvertError EConvertError::notFloat(const QString &text)
{
    return EConvertError(quoting("'%1' is not a valid floating point value", text));
}
