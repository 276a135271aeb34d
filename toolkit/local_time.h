// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's short date and long time texts. The long time is hours, minutes
// and seconds (with the locale's day-half marker where it has one) but never a
// time-zone name, which Qt's long format would append.
#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

QString ShortDateText(const QDate &date, const QLocale &locale = QLocale());
QString LongTimeText(const QTime &time, const QLocale &locale = QLocale());
// The locale's long time format with its time-zone fields taken out.
QString LongTimeFormatWithoutZone(const QLocale &locale = QLocale());
