// SPDX-License-Identifier: GPL-3.0-or-later
// The read-outs' and the calculator's number texts.
#include "toolkit/decimal_format.h"

#include <QTest>
#include <cmath>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>

namespace {

// Replaces the period that FormatFixed always writes, as the callers do.
std::string withSeparator(std::string text, const std::string &separator)
{
    const auto p = text.find('.');
    if (p != std::string::npos) text.replace(p, 1, separator);
    return text;
}

}  // namespace

class TestDecimalFormat : public QObject {
    Q_OBJECT
private slots:
    void fixedText_data();
    void fixedText();
    void fixedRoundsOnEighteenDigitsNotOnTheBinaryValue();
    void fixedHugeMagnitudes();
    void fixedClampsDecimals();
    void fixedAgreesWithTheValue();
    void specificCharge_data();
    void specificCharge();
    void specificChargeSeparators();
    void nonFiniteIsRefused();
};

void TestDecimalFormat::fixedText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");
    // The bench's read-outs.
    QTest::newRow("ammeter 0") << 0.0 << 3 << "0.000";
    QTest::newRow("ammeter 1.234") << 1.234 << 3 << "1.234";
    QTest::newRow("ammeter -0.01 magnitude") << -0.01 << 3 << "0.010";
    QTest::newRow("ammeter 10") << 10.0 << 3 << "10.000";
    QTest::newRow("ripple 0.1") << 0.1 << 2 << "0.10";
    QTest::newRow("ripple 0.25") << 0.25 << 2 << "0.25";
    QTest::newRow("phase 0.4") << 0.4 << 2 << "0.40";
    QTest::newRow("phase -0.05") << -0.05 << 2 << "0.05";
    QTest::newRow("plate 0.5") << 0.5 << 1 << "0.5";
    QTest::newRow("plate 5") << 5.0 << 1 << "5.0";
    QTest::newRow("plate 10") << 10.0 << 1 << "10.0";
    QTest::newRow("signed -0.0004") << -0.0004 << 3 << "0.000";
    QTest::newRow("negative zero") << -0.0 << 2 << "0.00";
    // A first dropped digit of 5 rounds up, carries included.
    QTest::newRow("0.125") << 0.125 << 2 << "0.13";
    QTest::newRow("0.5 no decimals") << 0.5 << 0 << "1";
    QTest::newRow("1.5 no decimals") << 1.5 << 0 << "2";
    QTest::newRow("2.5 no decimals") << 2.5 << 0 << "3";
    QTest::newRow("99.4") << 99.4 << 0 << "99";
    QTest::newRow("99.5") << 99.5 << 0 << "100";
    QTest::newRow("9.995 reads 9.99499... in 18 digits") << 9.995 << 2 << "9.99";
    QTest::newRow("99.995 reads 99.99500... in 18 digits") << 99.995 << 2 << "100.00";
    QTest::newRow("9999.995") << 9999.995 << 2 << "10000.00";
    QTest::newRow("0.0049") << 0.0049 << 2 << "0.00";
    QTest::newRow("0.005") << 0.005 << 2 << "0.01";
    QTest::newRow("0.05 at one decimal") << 0.05 << 1 << "0.1";
    QTest::newRow("0.0005 at zero decimals") << 0.0005 << 0 << "0";
    QTest::newRow("0.95 no decimals") << 0.95 << 0 << "1";
    QTest::newRow("tiny") << 1e-300 << 13 << "0.0000000000000";
    QTest::newRow("denormal") << std::numeric_limits<double>::denorm_min() << 2 << "0.00";
    QTest::newRow("13 decimals") << 0.1234567890123456 << 13 << "0.1234567890123";
    QTest::newRow("13 decimals carry") << 0.99999999999995 << 13 << "1.0000000000000";
    // The read-outs' upper limit: 16 integer digits.
    QTest::newRow("1e15") << 1e15 << 3 << "1000000000000000.000";
    QTest::newRow("1e15 no decimals") << 1e15 << 0 << "1000000000000000";
    // Past 18 digits the text carries zeros, not the binary value's digits.
    QTest::newRow("2^70") << std::ldexp(1.0, 70) << 1 << "1180591620717411300000.0";
}

void TestDecimalFormat::fixedText()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(FormatFixed(value, decimals)), expected);
}

void TestDecimalFormat::fixedRoundsOnEighteenDigitsNotOnTheBinaryValue()
{
    // 1000.005 lies just below its decimal text, but its 18 digits read
    // 1000.00500000000000: the read-out shows 1000.01 where printf's exact
    // rounding gives 1000.00.
    char printed[64];
    std::snprintf(printed, sizeof printed, "%.2f", 1000.005);
    QCOMPARE(QString(printed), QStringLiteral("1000.00"));
    QCOMPARE(FormatFixed(1000.005, 2), std::string("1000.01"));
    // The tie of an exact binary value rounds up, not to even.
    std::snprintf(printed, sizeof printed, "%.2f", 0.125);
    QCOMPARE(QString(printed), QStringLiteral("0.12"));
    QCOMPARE(FormatFixed(0.125, 2), std::string("0.13"));
    // A value whose 18 digits show it below the tie stays below.
    QCOMPARE(FormatFixed(0.285, 2), std::string("0.28"));
}

void TestDecimalFormat::fixedHugeMagnitudes()
{
    const std::string big = FormatFixed(1e300, 13);
    QCOMPARE(big.size(), std::size_t(301 + 1 + 13));
    QCOMPARE(big.substr(0, 18), std::string("100000000000000005"));  // 1e300's 18 digits
    QCOMPARE(big.find_first_not_of('0', 18), std::size_t(301));
    QCOMPARE(big[301], '.');
    const std::string largest = FormatFixed(-std::numeric_limits<double>::max(), 2);
    QCOMPARE(largest.size(), std::size_t(309 + 1 + 2));
    QCOMPARE(largest.substr(0, 18), std::string("179769313486231571"));
    QCOMPARE(largest.substr(largest.size() - 3), std::string(".00"));
}

void TestDecimalFormat::fixedClampsDecimals()
{
    QCOMPARE(FormatFixed(1.25, -3), std::string("1"));
    QCOMPARE(FormatFixed(1.25, 20), std::string("1.2500000000000"));
}

void TestDecimalFormat::fixedAgreesWithTheValue()
{
    // Whatever the value, the text has the decimals asked for and reads back
    // within half a unit of the last decimal (plus the 18-digit step).
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> exponent(-6.0, 15.0);
    std::uniform_int_distribution<int> decimals(0, 13);
    for (int n = 0; n < 5000; ++n) {
        const double value = std::pow(10.0, exponent(random)) * ((n & 1) ? -1 : 1);
        const int d = decimals(random);
        const std::string text = FormatFixed(value, d);
        const auto point = text.find('.');
        if (d == 0) {
            QVERIFY2(point == std::string::npos, text.c_str());
        } else {
            QVERIFY2(point != std::string::npos && text.size() - point - 1 == std::size_t(d), text.c_str());
        }
        QVERIFY2(text.find_first_not_of("0123456789.") == std::string::npos, text.c_str());
        const double back = std::strtod(text.c_str(), nullptr);
        const double tolerance = 0.5 * std::pow(10.0, -d) + std::fabs(value) * 1e-15;
        QVERIFY2(std::fabs(back - std::fabs(value)) <= tolerance, (text + " for " + std::to_string(value)).c_str());
    }
}

void TestDecimalFormat::specificCharge_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("lab result") << 1.7589e11 << "1,759E11";
    QTest::newRow("5 at the cut of 1.7325e11") << 1.7325e11 << "1,733E11";
    QTest::newRow("1234.5") << 1234.5 << "1235,00";
    QTest::newRow("0.5") << 0.5 << "0,50";
    QTest::newRow("zero") << 0.0 << "0,00";
    QTest::newRow("150000") << 150000.0 << "1,5E05";
    QTest::newRow("10000") << 10000.0 << "1E04";
    QTest::newRow("9999.4 stays fixed") << 9999.4 << "9999,00";
    QTest::newRow("9999.5 carries into five digits") << 9999.5 << "1E04";
    QTest::newRow("9999.995") << 9999.995 << "1E04";
    QTest::newRow("12.345 four digits") << 12.345 << "12,35";
    QTest::newRow("1.2345 two decimals") << 1.2345 << "1,23";
    QTest::newRow("0.125") << 0.125 << "0,13";
    QTest::newRow("0.005") << 0.005 << "0,01";
    QTest::newRow("0.0049") << 0.0049 << "0,00";
    QTest::newRow("0.0005") << 0.0005 << "0,00";
    QTest::newRow("1000.005 four digits") << 1000.005 << "1000,00";
    QTest::newRow("99.995") << 99.995 << "100,00";
    QTest::newRow("12345") << 12345.0 << "1,235E04";
    QTest::newRow("123456789") << 123456789.0 << "1,235E08";
    QTest::newRow("1.0001e11 drops zeros") << 1.0001e11 << "1E11";
    QTest::newRow("1.02e11") << 1.02e11 << "1,02E11";
    QTest::newRow("9.9996e20 carries") << 9.9996e20 << "1E21";
    QTest::newRow("1e100") << 1e100 << "1E100";
    QTest::newRow("negative fixed") << -2.5 << "-2,50";
    QTest::newRow("negative scientific") << -1.7589e11 << "-1,759E11";
    QTest::newRow("negative rounding to zero") << -0.001 << "0,00";
    QTest::newRow("largest double") << std::numeric_limits<double>::max() << "1,798E308";
}

void TestDecimalFormat::specificCharge()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(FormatSpecificCharge(value, ",")), expected);
}

void TestDecimalFormat::specificChargeSeparators()
{
    QCOMPARE(FormatSpecificCharge(1.7589e11, "."), std::string("1.759E11"));
    QCOMPARE(FormatSpecificCharge(1234.5, "."), std::string("1235.00"));
    QCOMPARE(FormatSpecificCharge(0.0, "."), std::string("0.00"));
    QCOMPARE(FormatSpecificCharge(150000.0, "."), std::string("1.5E05"));
    QCOMPARE(FormatSpecificCharge(10000.0, "."), std::string("1E04"));
    // A separator of more than one byte (UTF-8) goes in whole.
    QCOMPARE(FormatSpecificCharge(0.5, "\xd9\xab"),
             std::string("0\xd9\xab"
                         "50"));
    // The read-outs swap their separator in the same way.
    QCOMPARE(withSeparator(FormatFixed(0.4, 2), ","), std::string("0,40"));
}

void TestDecimalFormat::nonFiniteIsRefused()
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, FormatFixed(inf, 2));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, FormatFixed(-inf, 0));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, FormatFixed(nan, 3));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, FormatSpecificCharge(inf, ","));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, FormatSpecificCharge(nan, ","));
}

QTEST_APPLESS_MAIN(TestDecimalFormat)
#include "tst_decimal_format.moc"
