// SPDX-License-Identifier: GPL-3.0-or-later
// The lab state before and after the bench's creation, its constants, and the
// screen scale.
#include "model/lab_state.h"

#include <QTest>
#include <cmath>
#include <cstring>

namespace {

bool withinUlps(double a, double b, int ulps)
{
    double x = b;
    for (int i = 0; i < ulps; ++i) x = std::nextafter(x, a);
    return a == b || (a > b ? a <= x : a >= x);
}

LabState started()
{
    LabState s;
    setStartParameters(s);
    clearPowerFlags(s);
    return s;
}

// mantissa x 10^k with the power of ten formed as exp(k ln 10), all in
// extended precision, rounded to a double once.
double scaledByPowerOfTen(long double mantissa, int k)
{
    const long double power = std::exp(static_cast<long double>(k) * std::log(10.0L));
    return static_cast<double>(mantissa * power);
}

}  // namespace

class TestLabState : public QObject {
    Q_OBJECT
private slots:
    void zeroBeforeCreation();
    void startValues();
    void constants();
    void eachGroupTouchesOnlyItsOwnValues();
    void screenScale();
    void screenScaleFollowsThePreviousWidth();
};

void TestLabState::zeroBeforeCreation()
{
    // Value-initialised and default-constructed states are both all zero,
    // whatever the memory held before.
    alignas(LabState) unsigned char storage[sizeof(LabState)];
    std::memset(storage, 0xA5, sizeof storage);
    LabState *s = new (storage) LabState;
    const LabState zero{};
    QCOMPARE(s->scopeOn, false);
    QCOMPARE(s->calculatorShown, false);
    QCOMPARE(s->warmupStep, 0);
    QCOMPARE(s->anodeVoltage, 0.0);
    QCOMPARE(s->pixelsPerCm, 0.0);
    QCOMPARE(s->plateLength, 0.0);
    QCOMPARE(s->rippleAmplitude, 0.0);
    QCOMPARE(zero.driftLength, 0.0);
    QCOMPARE(zero.sourceOn, false);
    s->~LabState();
}

void TestLabState::startValues()
{
    LabState s;
    s.scopeOn = s.regulatorOn = s.sourceOn = s.calculatorShown = true;
    s.warmupStep = 42;
    setStartParameters(s);
    clearPowerFlags(s);
    QCOMPARE(s.anodeVoltage, 1400.0);
    QCOMPARE(s.turnsPerMetre, 15500.0);
    QCOMPARE(s.driftLength, 0.1);
    QCOMPARE(s.scopeOn, false);
    QCOMPARE(s.regulatorOn, false);
    QCOMPARE(s.sourceOn, false);
    QCOMPARE(s.calculatorShown, false);
    QCOMPARE(s.warmupStep, 0);
    QCOMPARE(kScreenHalfCm, 4);
    QCOMPARE(kSweepAmplitudeCm, 3.5);
}

void TestLabState::constants()
{
    // Each is the double that the mantissa times exp(k ln 10), carried in
    // extended precision and rounded once, gives.
    QCOMPARE(kElectronCharge, scaledByPowerOfTen(1.6021892L, -19));
    QCOMPARE(kElectronMass, scaledByPowerOfTen(9.109383L, -31));
    QCOMPARE(kMu0, scaledByPowerOfTen(4.0L * 3.14159265358979323846264338327950288L, -7));
    QVERIFY2(withinUlps(kMu0, 1.2566370614359173e-6, 1), QByteArray::number(kMu0, 'g', 17));
    QCOMPARE(kTwoPi, 6.283185307179586);
    // The charge-to-mass ratio the bench is built around.
    QVERIFY(std::fabs(kElectronCharge / kElectronMass - 1.7588e11) < 0.0001e11);
}

void TestLabState::eachGroupTouchesOnlyItsOwnValues()
{
    LabState s;
    s.scopeOn = true;
    s.anodeVoltage = 5.0;
    s.pixelsPerCm = 2.0;
    clearPowerFlags(s);
    QCOMPARE(s.scopeOn, false);
    QCOMPARE(s.anodeVoltage, 5.0);
    QCOMPARE(s.pixelsPerCm, 2.0);
    s.scopeOn = true;
    setStartParameters(s);
    QCOMPARE(s.scopeOn, true);
    QCOMPARE(s.anodeVoltage, 1400.0);
    QCOMPARE(s.pixelsPerCm, 2.0);
}

void TestLabState::screenScale()
{
    LabState s = started();
    applyScreenScale(s, 222);
    QCOMPARE(s.pixelsPerCm, 27.75);
    applyScreenScale(s, 281);  // the design size, as the creation's pass sees it
    QCOMPARE(s.pixelsPerCm, 35.125);
    applyScreenScale(s, 221);
    QCOMPARE(s.pixelsPerCm, 27.625);
    applyScreenScale(s, 0);
    QCOMPARE(s.pixelsPerCm, 0.0);
}

void TestLabState::screenScaleFollowsThePreviousWidth()
{
    // A layout pass takes the width the screen has when it begins and only
    // then resizes it; the new width shows in the scale one pass later.
    LabState s = started();
    int screenWidth = 222;
    auto layoutPass = [&](int newWidth) {
        applyScreenScale(s, screenWidth);
        screenWidth = newWidth;
    };
    layoutPass(240);
    QCOMPARE(s.pixelsPerCm, 27.75);
    layoutPass(240);
    QCOMPARE(s.pixelsPerCm, 30.0);
}

QTEST_APPLESS_MAIN(TestLabState)
#include "tst_lab_state.moc"
