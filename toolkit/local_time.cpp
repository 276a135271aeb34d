#include "toolkit/local_time.h"

QString ShortDateText(const QDate &date, const QLocale &locale)
{
    return locale.toString(date, QLocale::ShortFormat);
}

QString LongTimeFormatWithoutZone(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    // Drop every unquoted run of 't' (the zone field) with the blanks before it.
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'') quoted = !quoted;
        if (!quoted && c == u't') {
            while (!out.isEmpty() && out.back().isSpace()) out.chop(1);
            while (i + 1 < format.size() && format[i + 1] == u't') ++i;
            continue;
        }
        out += c;
    }
    return out.trimmed();
}

QString LongTimeText(const QTime &time, const QLocale &locale)
{
    return locale.toString(time, LongTimeFormatWithoutZone(locale));
}
