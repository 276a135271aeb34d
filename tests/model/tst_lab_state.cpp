// SPDX-License-Identifier: GPL-3.0-or-later
// The lab state before and after the bench's creation, and the screen scale.
#include "model/float_faults.h"
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
    SetStartParameters(s);
    ClearPowerFlags(s);
    SetConstants(s);
    return s;
}

} // namespace

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
    QCOMPARE(s->ScopeOn, 0);
    QCOMPARE(s->WarmupStep, 0);
    QCOMPARE(s->AnodeVoltage, 0.0);
    QCOMPARE(s->PixelsPerCm, 0.0);
    QCOMPARE(s->ScreenHalfCm, 0);
    QCOMPARE(s->SpecificCharge, 0.0);
    QCOMPARE(s->HelixTurns, 0);
    QCOMPARE(s->PixelY2, 0);
    QCOMPARE(s->TurnAngle, 0.0);
    QCOMPARE(zero.PointY, 0.0);
    QCOMPARE(zero.TwoPi, 0.0);
    s->~LabState();
}

void TestLabState::startValues()
{
    LabState s;
    s.ScopeOn = s.RegulatorOn = s.SourceOn = s.CalcShown = 1;
    s.WarmupStep = 42;
    SetStartParameters(s);
    ClearPowerFlags(s);
    SetConstants(s);
    QCOMPARE(s.AnodeVoltage, 1400.0);
    QCOMPARE(s.TurnsPerMetre, 15500.0);
    QCOMPARE(s.DriftLength, 0.1);
    QCOMPARE(s.ScopeOn, 0);
    QCOMPARE(s.RegulatorOn, 0);
    QCOMPARE(s.SourceOn, 0);
    QCOMPARE(s.CalcShown, 0);
    QCOMPARE(s.WarmupStep, 0);
    QCOMPARE(s.ScreenHalfCm, 4);
    QCOMPARE(s.SweepAmplitudeCm, 3.5);
}

void TestLabState::constants()
{
    const LabState s = started();
    // Formed in extended precision and rounded once: the double nearest the
    // decimal value, give or take the last bit of exp/log.
    QVERIFY2(withinUlps(s.ElectronCharge, 1.6021892e-19, 1), QByteArray::number(s.ElectronCharge, 'g', 17));
    QVERIFY2(withinUlps(s.ElectronMass, 9.109383e-31, 1), QByteArray::number(s.ElectronMass, 'g', 17));
    QVERIFY2(withinUlps(s.Mu0, 1.2566370614359173e-6, 1), QByteArray::number(s.Mu0, 'g', 17));
    QCOMPARE(s.TwoPi, 6.283185307179586);
    // The charge-to-mass ratio the bench is built around.
    QVERIFY(std::fabs(s.ElectronCharge / s.ElectronMass - 1.7588e11) < 0.0001e11);
}

void TestLabState::eachGroupTouchesOnlyItsOwnValues()
{
    LabState s;
    SetConstants(s);
    QCOMPARE(s.AnodeVoltage, 0.0);
    QCOMPARE(s.ScopeOn, 0);
    s.ScopeOn = 1;
    s.AnodeVoltage = 5.0;
    SetConstants(s);
    QCOMPARE(s.ScopeOn, 1);
    QCOMPARE(s.AnodeVoltage, 5.0);
    ClearPowerFlags(s);
    QCOMPARE(s.AnodeVoltage, 5.0);
    QCOMPARE(s.ScreenHalfCm, 4);
    SetStartParameters(s);
    QCOMPARE(s.ScopeOn, 0);
    QCOMPARE(s.AnodeVoltage, 1400.0);
}

void TestLabState::screenScale()
{
    LabState s = started();
    ApplyScreenScale(s, 222);
    QCOMPARE(s.PixelsPerCm, 27.75);
    ApplyScreenScale(s, 281);  // the design size, as the creation's pass sees it
    QCOMPARE(s.PixelsPerCm, 35.125);
    ApplyScreenScale(s, 221);
    QCOMPARE(s.PixelsPerCm, 27.625);
    ApplyScreenScale(s, 0);
    QCOMPARE(s.PixelsPerCm, 0.0);
    // Before the constants there is no screen span: an error, never infinity.
    LabState bare;
    QVERIFY_THROWS_EXCEPTION(EZeroDivide, ApplyScreenScale(bare, 222));
    QCOMPARE(bare.PixelsPerCm, 0.0);
}

void TestLabState::screenScaleFollowsThePreviousWidth()
{
    // A layout pass takes the width the screen has when it begins and only
    // then resizes it; the new width shows in the scale one pass later.
    LabState s = started();
    int screenWidth = 222;
    auto layoutPass = [&](int newWidth) {
        ApplyScreenScale(s, screenWidth);
        screenWidth = newWidth;
    };
    layoutPass(240);
    QCOMPARE(s.PixelsPerCm, 27.75);
    layoutPass(240);
    QCOMPARE(s.PixelsPerCm, 30.0);
}

QTEST_APPLESS_MAIN(TestLabState)
#include "tst_lab_state.moc"
