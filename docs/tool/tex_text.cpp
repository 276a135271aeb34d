// SPDX-License-Identifier: GPL-3.0-or-later
#include "tex_text.h"

#include <QFile>

#include <stdexcept>

QString texDecimal(double value, int decimals)
{
    return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), QStringLiteral("{,}"));
}

QString texEscaped(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QStringLiteral("\\textbackslash{}"); break;
        case '{':
        case '}':
        case '$':
        case '&':
        case '#':
        case '_':
        case '%': out += QLatin1Char('\\') + c; break;
        case '~': out += QStringLiteral("\\textasciitilde{}"); break;
        case '^': out += QStringLiteral("\\textasciicircum{}"); break;
        default: out += c;
        }
    }
    return out;
}

QString texMacro(const QString &name, const QString &body)
{
    return QStringLiteral("\\newcommand\\%1{%2}\n").arg(name, body);
}

void writeTextFile(const QDir &folder, const QString &name, const QString &text)
{
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0)
        throw std::runtime_error("cannot write " + name.toStdString());
}
