#include "toolkit/errors.h"

#include <QString>

namespace {

// The message travels as a C string, which would end at a NUL inside a pasted
// text and cut the message short; the NUL is shown by its symbol instead.
std::string quoting(const char *pattern, const QString &text)
{
    QString shown = text;
    shown.replace(QChar(0), QChar(0x2400));
    return QString::fromLatin1(pattern).arg(shown).toStdString();
}

} // namespace

EConvertError EConvertError::notInteger(const QString &text)
{
    return EConvertError(quoting("'%1' is not a valid integer value", text));
}

EConvertError EConvertError::notFloat(const QString &text)
{
    return EConvertError(quoting("'%1' is not a valid floating point value", text));
}
