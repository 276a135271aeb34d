// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/visible_text.h"

namespace {

bool isDirectionControl(char32_t c)
{
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

bool showsNothingAsItself(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph: return true;
    default: return false;
    }
}

QString visibleForm(char32_t c)
{
    if (c < 0x20) return QChar(char16_t(0x2400 + c));
    if (c == 0x7F) return QChar(char16_t(0x2421));
    return QStringLiteral("<U+%1>").arg(QString::number(c, 16).toUpper().rightJustified(4, u'0'));
}

// The text with the characters `shown` picks replaced by their visible form;
// a surrogate pair is one character, an unpaired surrogate one of its own.
template <class Pick>
QString showing(const QString &text, Pick shown)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        char32_t c = text[i].unicode();
        qsizetype units = 1;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            units = 2;
        }
        if (shown(c))
            out += visibleForm(c);
        else
            out += QStringView(text).mid(i, units);
        i += units;
    }
    return out;
}

}  // namespace

QString visibleText(const QString &text)
{
    return showing(text, showsNothingAsItself);
}

QString visibleDirectionControls(const QString &text)
{
    return showing(text, isDirectionControl);
}
