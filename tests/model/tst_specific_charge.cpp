// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator's arithmetic and the text the bench shows for it.
#include "model/float_faults.h"
#include "model/specific_charge.h"
#include "toolkit/decimal_format.h"

#include <QTest>
#include <climits>
#include <cmath>

namespace {

LabState labAt()
{
    LabState s;
    setStartParameters(s);
    clearPowerFlags(s);
    return s;
}

QString shown(double value)
{
    return QString::fromStdString(FormatSpecificCharge(value, ",")) + " Кл/кг";
}

}  // namespace

class TestSpecificCharge : public QObject {
    Q_OBJECT
private slots:
    void focusingCurrents();
    void zeroCurrent();
    void zeroParameters();
    void hugeTurnCountOverflows();
};

void TestSpecificCharge::focusingCurrents()
{
    LabState s = labAt();
    const double first = computeSpecificCharge(s, 1, 0.407);
    QVERIFY2(std::fabs(first - 1.7589e11) < 0.00005e11, QByteArray::number(first, 'g', 8));
    QCOMPARE(shown(first), QStringLiteral("1,759E11 Кл/кг"));
    // The second collapse at twice the current gives the same ratio.
    const double second = computeSpecificCharge(s, 2, 0.814);
    QVERIFY(std::fabs(second - first) < first * 1e-14);
    QCOMPARE(shown(second), QStringLiteral("1,759E11 Кл/кг"));
    QCOMPARE(shown(computeSpecificCharge(s, 1, 0.41)), QStringLiteral("1,733E11 Кл/кг"));
    QCOMPARE(QString::fromStdString(FormatSpecificCharge(first, ".")), QStringLiteral("1.759E11"));
    // The sign of the current does not matter; the quotient is squared.
    QCOMPARE(computeSpecificCharge(s, 1, -0.407), first);
    // The parameters come from the state, not from anywhere else.
    s.driftLength = 0.2;
    QVERIFY(std::fabs(computeSpecificCharge(s, 1, 0.407) - first / 4) < first * 1e-14);
}

void TestSpecificCharge::zeroCurrent()
{
    const LabState s = labAt();
    QVERIFY_THROWS_EXCEPTION(DivisionByZero, computeSpecificCharge(s, 3, 0.0));
}

void TestSpecificCharge::zeroParameters()
{
    LabState s = labAt();
    s.turnsPerMetre = 0.0;
    QVERIFY_THROWS_EXCEPTION(DivisionByZero, computeSpecificCharge(s, 1, 0.407));
    s = labAt();
    s.driftLength = 0.0;
    QVERIFY_THROWS_EXCEPTION(DivisionByZero, computeSpecificCharge(s, 1, 0.407));
    s = labAt();
    s.anodeVoltage = 0.0;
    const double none = computeSpecificCharge(s, 1, 0.407);
    QCOMPARE(none, 0.0);
    QCOMPARE(shown(none), QStringLiteral("0,00 Кл/кг"));
}

void TestSpecificCharge::hugeTurnCountOverflows()
{
    // A pasted k of 2147483647 at a microampere still computes; at a tiny
    // current the square no longer fits a double.
    LabState s = labAt();
    const double big = computeSpecificCharge(s, INT_MAX, 1e-6);
    QVERIFY(std::isfinite(big) && big > 1e30);
    QVERIFY_THROWS_EXCEPTION(FloatOverflow, computeSpecificCharge(s, INT_MAX, 1e-200));
    s.anodeVoltage = 1e302;
    QVERIFY_THROWS_EXCEPTION(FloatOverflow, computeSpecificCharge(s, 1, 0.407));
}

QTEST_APPLESS_MAIN(TestSpecificCharge)
#include "tst_specific_charge.moc"
