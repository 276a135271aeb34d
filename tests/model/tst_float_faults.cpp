// SPDX-License-Identifier: GPL-3.0-or-later
// Checked arithmetic: which operations fault, with which error and text.
#include "model/float_faults.h"

#include <QTest>
#include <climits>
#include <cmath>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMax = std::numeric_limits<double>::max();

enum Outcome { Ok, ZeroDivide, InvalidOp, Overflow };

template <class F>
Outcome outcomeOf(F f, double *result = nullptr)
{
    try {
        const double r = f();
        if (result) *result = r;
        return Ok;
    } catch (const DivisionByZero &) {
        return ZeroDivide;
    } catch (const InvalidOperation &) {
        return InvalidOp;
    } catch (const FloatOverflow &) {
        return Overflow;
    }
}

}  // namespace

class TestFloatFaults : public QObject {
    Q_OBJECT
private slots:
    void messages();
    void division_data();
    void division();
    void squareRoot();
    void productsAndSums();
    void roundingToInt();
};

void TestFloatFaults::messages()
{
    // The error box shows what() as it is; these are the program's texts.
    QCOMPARE(QString(DivisionByZero().what()), QStringLiteral("Floating point division by zero"));
    QCOMPARE(QString(InvalidOperation().what()), QStringLiteral("Invalid floating point operation"));
    QCOMPARE(QString(FloatOverflow().what()), QStringLiteral("Floating point overflow"));
    // The handler boundary catches std::exception: each error must be one.
    try {
        checkedDiv(1.0, 0.0);
        QFAIL("no error");
    } catch (const std::exception &e) {
        QCOMPARE(QString(e.what()), QStringLiteral("Floating point division by zero"));
    }
}

void TestFloatFaults::division_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<double>("quotient");
    QTest::newRow("plain") << 7.0 << 2.0 << int(Ok) << 3.5;
    QTest::newRow("zero over non-zero") << 0.0 << 5.0 << int(Ok) << 0.0;
    QTest::newRow("one over zero") << 1.0 << 0.0 << int(ZeroDivide) << 0.0;
    QTest::newRow("minus one over minus zero") << -1.0 << -0.0 << int(ZeroDivide) << 0.0;
    QTest::newRow("zero over zero") << 0.0 << 0.0 << int(InvalidOp) << 0.0;
    QTest::newRow("minus zero over zero") << -0.0 << 0.0 << int(InvalidOp) << 0.0;
    QTest::newRow("NaN over one") << kNaN << 1.0 << int(InvalidOp) << 0.0;
    QTest::newRow("one over NaN") << 1.0 << kNaN << int(InvalidOp) << 0.0;
    QTest::newRow("NaN over zero") << kNaN << 0.0 << int(InvalidOp) << 0.0;
    QTest::newRow("infinite operand") << kInf << 2.0 << int(InvalidOp) << 0.0;
    QTest::newRow("quotient overflows") << kMax << 0.5 << int(Overflow) << 0.0;
    QTest::newRow("tiny divisor overflows") << 1e300 << 1e-300 << int(Overflow) << 0.0;
    QTest::newRow("underflow is zero") << 1e-300 << 1e300 << int(Ok) << 0.0;
}

void TestFloatFaults::division()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(int, outcome);
    QFETCH(double, quotient);
    double result = -1;
    QCOMPARE(int(outcomeOf([&] { return checkedDiv(a, b); }, &result)), outcome);
    if (outcome == Ok) QCOMPARE(result, quotient);
}

void TestFloatFaults::squareRoot()
{
    double r = 0;
    QCOMPARE(outcomeOf([] { return checkedSqrt(2.25); }, &r), Ok);
    QCOMPARE(r, 1.5);
    QCOMPARE(outcomeOf([] { return checkedSqrt(0.0); }, &r), Ok);
    QCOMPARE(r, 0.0);
    QCOMPARE(outcomeOf([] { return checkedSqrt(-0.0); }, &r), Ok);
    QCOMPARE(outcomeOf([] { return checkedSqrt(-1e-300); }), InvalidOp);
    QCOMPARE(outcomeOf([] { return checkedSqrt(-4.0); }), InvalidOp);
    QCOMPARE(outcomeOf([] { return checkedSqrt(kNaN); }), InvalidOp);
    QCOMPARE(outcomeOf([] { return checkedSqrt(kMax); }, &r), Ok);
    QVERIFY(std::isfinite(r));
}

void TestFloatFaults::productsAndSums()
{
    double r = 0;
    QCOMPARE(outcomeOf([] { return checkedMul(1e200, 1e200); }), Overflow);
    QCOMPARE(outcomeOf([] { return checkedMul(-1e200, 1e200); }), Overflow);
    QCOMPARE(outcomeOf([] { return checkedMul(1e-200, 1e-200); }, &r), Ok);
    QCOMPARE(r, 0.0);
    QCOMPARE(outcomeOf([] { return checkedMul(0.0, kInf); }), InvalidOp);
    QCOMPARE(outcomeOf([] { return checkedMul(3.0, -2.5); }, &r), Ok);
    QCOMPARE(r, -7.5);
    QCOMPARE(outcomeOf([] { return checkedAdd(kMax, kMax); }), Overflow);
    QCOMPARE(outcomeOf([] { return checkedSub(-kMax, kMax); }), Overflow);
    QCOMPARE(outcomeOf([] { return checkedAdd(kMax, -kMax); }, &r), Ok);
    QCOMPARE(r, 0.0);
    QCOMPARE(outcomeOf([] { return checkedSub(kNaN, 1.0); }), InvalidOp);
    QCOMPARE(outcomeOf([] { return checkFinite(kInf); }), Overflow);
    QCOMPARE(outcomeOf([] { return checkFinite(-kInf); }), Overflow);
    QCOMPARE(outcomeOf([] { return checkFinite(kNaN); }), InvalidOp);
    QCOMPARE(outcomeOf([] { return checkFinite(-0.5); }, &r), Ok);
    QCOMPARE(r, -0.5);
}

void TestFloatFaults::roundingToInt()
{
    // Ties go to the even neighbour, in both directions.
    QCOMPARE(checkedRoundToInt(110.5), 110);
    QCOMPARE(checkedRoundToInt(111.5), 112);
    QCOMPARE(checkedRoundToInt(-0.5), 0);
    QCOMPARE(checkedRoundToInt(-1.5), -2);
    QCOMPARE(checkedRoundToInt(97.125), 97);
    QCOMPARE(checkedRoundToInt(2147483647.4), INT_MAX);
    QCOMPARE(checkedRoundToInt(-2147483648.5), INT_MIN);  // the tie rounds to even, inside the range
    QCOMPARE(outcomeOf([] { return double(checkedRoundToInt(2147483647.5)); }), Overflow);
    QCOMPARE(outcomeOf([] { return double(checkedRoundToInt(-2147483649.5)); }), Overflow);
    QCOMPARE(outcomeOf([] { return double(checkedRoundToInt(1e300)); }), Overflow);
    QCOMPARE(outcomeOf([] { return double(checkedRoundToInt(kInf)); }), Overflow);
    QCOMPARE(outcomeOf([] { return double(checkedRoundToInt(kNaN)); }), InvalidOp);
}

QTEST_APPLESS_MAIN(TestFloatFaults)
#include "tst_float_faults.moc"
