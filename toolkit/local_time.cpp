// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/local_time.h"

#include <vector>

namespace {

// A time format as runs of quoted text (kept as written, quotes included)
// and unquoted text (fields and the punctuation between them).
struct FormatRun {
    bool quoted;
    QString text;
};

std::vector<FormatRun> formatRuns(const QString &format)
{
    std::vector<FormatRun> runs;
    qsizetype i = 0;
    while (i < format.size()) {
        const bool quoted = format[i] == u'\'';
        qsizetype end = i + 1;
        if (quoted) {
            // Up to the closing quote; two quotes in a row stand for one.
            while (end < format.size()) {
                if (format[end] == u'\'' && !(end + 1 < format.size() && format[end + 1] == u'\'')) break;
                end += format[end] == u'\'' ? 2 : 1;
            }
            end = qMin(end + 1, format.size());
        } else {
            while (end < format.size() && format[end] != u'\'') ++end;
        }
        runs.push_back({quoted, format.mid(i, end - i)});
        i = end;
    }
    return runs;
}

// Drops bracket pairs holding nothing but blanks, with the blanks before
// them: what framed a zone field once the field is gone.
QString withoutEmptyBrackets(const QString &text)
{
    static constexpr char16_t kPairs[][2] = {{u'(', u')'}, {u'[', u']'}, {u'（', u'）'}, {u'［', u'］'}};
    QString out;
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype close = -1;
        for (const auto &pair : kPairs) {
            if (text[i] != pair[0]) continue;
            qsizetype j = i + 1;
            while (j < text.size() && text[j].isSpace()) ++j;
            if (j < text.size() && text[j] == pair[1]) close = j;
        }
        if (close < 0) {
            out += text[i++];
            continue;
        }
        while (!out.isEmpty() && out.back().isSpace()) out.chop(1);
        i = close + 1;
    }
    return out;
}

bool isZoneSeparator(QChar c)
{
    return c.isSpace() || c == u',' || c == u'،' || c == u'，';
}

}  // namespace

QString ShortDateText(const QDate &date, const QLocale &locale)
{
    return locale.toString(date, QLocale::ShortFormat);
}

QString LongTimeFormatWithoutZone(const QLocale &locale)
{
    // The zone field ('t') goes, and with it what only framed it: brackets
    // left empty ("H:mm:ss (t)") and the blanks and commas that joined it to
    // the time at either end ("h:mm:ss AP, t", "t HH:mm:ss").
    std::vector<FormatRun> runs = formatRuns(locale.timeFormat(QLocale::LongFormat));
    for (FormatRun &run : runs) {
        if (run.quoted) continue;
        run.text.remove(u't');
        run.text = withoutEmptyBrackets(run.text);
    }
    if (!runs.empty() && !runs.front().quoted) {
        QString &first = runs.front().text;
        while (!first.isEmpty() && isZoneSeparator(first.front())) first.remove(0, 1);
    }
    if (!runs.empty() && !runs.back().quoted) {
        QString &last = runs.back().text;
        while (!last.isEmpty() && isZoneSeparator(last.back())) last.chop(1);
    }
    QString format;
    for (const FormatRun &run : runs) format += run.text;
    return format;
}

QString LongTimeText(const QTime &time, const QLocale &locale)
{
    return locale.toString(time, LongTimeFormatWithoutZone(locale));
}
