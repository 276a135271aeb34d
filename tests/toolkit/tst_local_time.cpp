// SPDX-License-Identifier: GPL-3.0-or-later
// The status bar's date and clock texts in the user's locale: the long time
// without the time zone, and without what only framed the zone.
#include "toolkit/local_time.h"

#include <QRegularExpression>
#include <QTest>
#include <QTimeZone>

class TestLocalTime : public QObject {
    Q_OBJECT
private slots:
    void longTimeHasNoZone_data();
    void longTimeHasNoZone();
    void knownTexts_data();
    void knownTexts();
};

void TestLocalTime::longTimeHasNoZone_data()
{
    QTest::addColumn<QString>("locale");
    // Zones at the end, in brackets, after a comma, before the time, after a
    // quoted word; 12- and 24-hour clocks; several digit sets.
    for (const char *name : {"fa_IR", "ru_RU", "en_US", "de_DE", "ar_EG", "ca_ES", "eu_ES", "sq_AL", "be_BY", "zh_HK",
                             "zh_TW", "yue_HK", "my_MM", "bg_BG", "fr_CA", "ja_JP", "ko_KR", "C"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// The expectation is the locale's full long time of a moment in UTC, with the
// zone's name cut out of the text: with brackets that held only it, and with
// the blanks and commas that then stand at either end.
void TestLocalTime::longTimeHasNoZone()
{
    QFETCH(QString, locale);
    const QLocale l(locale);
    const QTime time(4, 42, 5);
    const QString full =
        l.toString(QDateTime(QDate(2024, 3, 5), time, QTimeZone::utc()), l.timeFormat(QLocale::LongFormat));
    QVERIFY2(full.contains(QStringLiteral("UTC")), qPrintable(full));
    QString expected = full;
    expected.remove(QRegularExpression(QStringLiteral("\\s*[(\\[]UTC[)\\]]|UTC")));
    expected.remove(QRegularExpression(QStringLiteral("^[\\s,]+|[\\s,]+$")));

    const QString shown = LongTimeText(time, l);
    QCOMPARE(shown, expected);
    QVERIFY(!shown.contains(QStringLiteral("()")) && !shown.contains(QStringLiteral("[]")));
    QVERIFY(!shown.isEmpty() && !shown.back().isSpace() && shown.back() != u',' && !shown.front().isSpace());
    // The seconds are there, in the locale's digits.
    QVERIFY2(shown.contains(l.toString(5)), qPrintable(shown));
}

void TestLocalTime::knownTexts_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("clock");
    QTest::newRow("Russian") << "ru_RU" << QTime(23, 50, 23) << "23:50:23";
    QTest::newRow("Persian") << "fa_IR" << QTime(4, 42, 5) << QString::fromUtf8("۴:۴۲:۰۵");
    QTest::newRow("Catalan") << "ca_ES" << QTime(4, 42, 5) << "4:42:05";
    QTest::newRow("Albanian") << "sq_AL" << QTime(4, 42, 5) << "4:42:05 E PARADITES";
    QTest::newRow("Cantonese") << "yue_HK" << QTime(16, 42, 5) << QString::fromUtf8("下午4:42:05");
    QTest::newRow("American") << "en_US" << QTime(16, 42, 5) << "4:42:05 PM";
}

void TestLocalTime::knownTexts()
{
    QFETCH(QString, locale);
    QFETCH(QTime, time);
    QFETCH(QString, clock);
    QCOMPARE(LongTimeText(time, QLocale(locale)), clock);
}

QTEST_APPLESS_MAIN(TestLocalTime)
#include "tst_local_time.moc"
