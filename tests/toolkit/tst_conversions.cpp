// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter and calculator fields' text-to-number conversions.
#include "toolkit/conversions.h"
#include "toolkit/errors.h"

#include <QLocale>
#include <QTest>
#include <cmath>

namespace {

// The error's text, or an empty string when the text converted.
template <class F>
QString failureOf(F convert)
{
    try {
        convert();
        return QString();
    } catch (const EConvertError &e) {
        return QString::fromUtf8(e.what());
    }
}

const QLocale kComma(QLocale::Russian, QLocale::Russia);
const QLocale kPeriod(QLocale::English, QLocale::UnitedStates);

}  // namespace

class TestConversions : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void integers_data();
    void integers();
    void integersIgnoreTheLocale();
    void reals_data();
    void reals();
    void messages();
    void messagesShowWhatWasPasted_data();
    void messagesShowWhatWasPasted();
};

void TestConversions::integers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");
    QTest::newRow("155") << "155" << true << 155;
    QTest::newRow("leading zeros") << "00" << true << 0;
    QTest::newRow("largest") << "2147483647" << true << 2147483647;
    QTest::newRow("one past") << "2147483648" << false << 0;
    QTest::newRow("smallest") << "-2147483648" << true << int(-2147483647 - 1);
    QTest::newRow("one below") << "-2147483649" << false << 0;
    QTest::newRow("far too long") << "99999999999999999999999" << false << 0;
    QTest::newRow("many zeros then 7") << "0000000000000000000007" << true << 7;
    QTest::newRow("plus") << "+5" << true << 5;
    QTest::newRow("minus") << "-1" << true << -1;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("sign alone") << "-" << false << 0;
    QTest::newRow("two signs") << "+-1" << false << 0;
    QTest::newRow("blank before") << " 12" << false << 0;
    QTest::newRow("blank after") << "12 " << false << 0;
    QTest::newRow("exponent") << "1e3" << false << 0;
    QTest::newRow("comma") << "1,5" << false << 0;
    QTest::newRow("period") << "1.5" << false << 0;
    QTest::newRow("hex") << "0x10" << false << 0;
    QTest::newRow("Arabic-Indic digit") << QString::fromUtf8("\u0663") << false << 0;
    QTest::newRow("fullwidth digit") << QString::fromUtf8("1\uFF12") << false << 0;
    QTest::newRow("letter") << "12a" << false << 0;
}

void TestConversions::integers()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, value);
    for (const QLocale &locale : {kComma, kPeriod}) {
        QLocale::setDefault(locale);
        if (ok) {
            QCOMPARE(StrToInt(text), value);
        } else {
            QCOMPARE(failureOf([&] { StrToInt(text); }), QStringLiteral("'%1' is not a valid integer value").arg(text));
        }
    }
}

void TestConversions::integersIgnoreTheLocale()
{
    // Group separators are never part of a whole number.
    for (const QLocale &locale : {kComma, kPeriod}) {
        QLocale::setDefault(locale);
        QVERIFY(!failureOf([] { StrToInt(QStringLiteral("1,000")); }).isEmpty());
        QVERIFY(!failureOf([] { StrToInt(QStringLiteral("1 000")); }).isEmpty());
        QVERIFY(!failureOf([] { StrToInt(QString::fromUtf8("1\u00A0000")); }).isEmpty());
    }
}

void TestConversions::reals_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("commaLocale");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    for (bool comma : {true, false}) {
        const char *tag = comma ? "comma: " : "period: ";
        auto row = [&](const char *name) -> QTestData & { return QTest::newRow((QByteArray(tag) + name).constData()); };
        row("1400") << "1400" << comma << true << 1400.0;
        row("10") << "10" << comma << true << 10.0;
        row("exponent") << "1e3" << comma << true << 1000.0;
        row("capital exponent") << "2E-2" << comma << true << 0.02;
        row("exponent plus") << "1e+3" << comma << true << 1000.0;
        row("plus") << "+5" << comma << true << 5.0;
        row("minus") << "-1" << comma << true << -1.0;
        row("own separator") << (comma ? "1,5" : "1.5") << comma << true << 1.5;
        row("other separator") << (comma ? "1.5" : "1,5") << comma << false << 0.0;
        row("no integer digits") << (comma ? ",5" : ".5") << comma << true << 0.5;
        row("no fraction digits") << (comma ? "2," : "2.") << comma << true << 2.0;
        row("separator alone") << (comma ? "," : ".") << comma << false << 0.0;
        row("two separators") << (comma ? "1,2,3" : "1.2.3") << comma << false << 0.0;
        row("empty") << "" << comma << false << 0.0;
        row("blank before") << " 12" << comma << false << 0.0;
        row("blank after") << "12 " << comma << false << 0.0;
        row("exponent without digits") << "1e" << comma << false << 0.0;
        row("exponent alone") << "e3" << comma << false << 0.0;
        row("too large") << "1e400" << comma << false << 0.0;
        row("too large by digits") << QString(400, u'9') << comma << false << 0.0;
        row("too small") << "1e-400" << comma << true << 0.0;
        row("too small, negative") << "-1e-400" << comma << true << 0.0;
        row("largest") << "1.7976931348623157e308" << comma << !comma << 1.7976931348623157e308;
        row("infinity word") << "inf" << comma << false << 0.0;
        row("nan word") << "nan" << comma << false << 0.0;
        row("Arabic-Indic digit") << QString::fromUtf8("\u0661\u0662") << comma << false << 0.0;
        row("hex") << "0x1p3" << comma << false << 0.0;
    }
}

void TestConversions::reals()
{
    QFETCH(QString, text);
    QFETCH(bool, commaLocale);
    QFETCH(bool, ok);
    QFETCH(double, value);
    QLocale::setDefault(commaLocale ? kComma : kPeriod);
    if (ok) {
        const double got = StrToFloat(text);
        QCOMPARE(got, value);
        QVERIFY(std::isfinite(got));
    } else {
        QCOMPARE(failureOf([&] { StrToFloat(text); }),
                 QStringLiteral("'%1' is not a valid floating point value").arg(text));
    }
}

void TestConversions::messages()
{
    QCOMPARE(failureOf([] { StrToInt(QString()); }), QStringLiteral("'' is not a valid integer value"));
    QCOMPARE(failureOf([] { StrToInt(QStringLiteral("abc")); }), QStringLiteral("'abc' is not a valid integer value"));
    QLocale::setDefault(kComma);
    QCOMPARE(failureOf([] { StrToFloat(QStringLiteral("1.5")); }),
             QStringLiteral("'1.5' is not a valid floating point value"));
    // Cyrillic text reaches the message intact.
    QCOMPARE(failureOf([] { StrToFloat(QString::fromUtf8("пять")); }),
             QString::fromUtf8("'пять' is not a valid floating point value"));
}

void TestConversions::messagesShowWhatWasPasted_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("quoted");
    QTest::newRow("NUL") << QString("1") + QChar(0) + "2" << QString::fromUtf8("1␀2");
    QTest::newRow("tab in front") << "\t7" << QString::fromUtf8("␉7");
    QTest::newRow("line break") << "1\n2" << QString::fromUtf8("1␊2");
    QTest::newRow("CR LF at the end") << "12\r\n" << QString::fromUtf8("12␍␊");
    QTest::newRow("right-to-left override") << QString::fromUtf8("\u202E1400") << "<U+202E>1400";
    QTest::newRow("isolate") << QString::fromUtf8("\u20671400\u2069") << "<U+2067>1400<U+2069>";
    QTest::newRow("next line") << QString::fromUtf8("14\u008500") << "14<U+0085>00";
}

// The message quotes the text on one line, in the order it was pasted, with
// every character that would show nothing shown.
void TestConversions::messagesShowWhatWasPasted()
{
    QFETCH(QString, text);
    QFETCH(QString, quoted);
    QCOMPARE(failureOf([&] { StrToInt(text); }), "'" + quoted + "' is not a valid integer value");
    QCOMPARE(failureOf([&] { StrToFloat(text); }), "'" + quoted + "' is not a valid floating point value");
}

QTEST_APPLESS_MAIN(TestConversions)
#include "tst_conversions.moc"
