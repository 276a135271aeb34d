#include "toolkit/errors.h"

#include <QString>

EConvertError EConvertError::notInteger(const QString &text)
{
    return EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text).toStdString());
}

EConvertError EConvertError::notFloat(const QString &text)
{
    return EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text).toStdString());
}
