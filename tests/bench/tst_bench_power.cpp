// SPDX-License-Identifier: GPL-3.0-or-later
// The power sequence: every state of the three instruments and the moves
// between them, the regulator's ramps on screens of several sizes, the
// adjusters and their limits, the parameter checks and conversions.
#include "bench_fixture.h"
#include "common/up_down_arrows.h"

#include "common/expected_bench.h"
#include "toolkit/labeled_edit.h"
#include "widgets/seven_segment_display.h"

#include <QApplication>
#include <QClipboard>
#include <QToolButton>
#include <cmath>
#include <random>

using namespace bench_test;

namespace {

// One column of the bench's state table. Which instruments are on shows in
// the lamps: the oscilloscope's in the screen's corner, the source's own.
struct Column {
    const char *name;
    bool scopeLamp, sourceLamp;
    bool scopeSwitch, regulatorSwitch, sourceSwitch;
    bool fields;          // the three parameter fields and the plate length's arrows
    bool plateDark;       // the plate length read-out powered off
    bool sourceControls;  // the ripple, phase and current arrows
    bool sourcePowered;   // the ripple, phase and current read-outs powered
    bool rampUp, rampDown;
};

const Column kAllOff{"All off", false, false, true, false, false, true, false, false, false, false, false};
const Column kScopeOn{"Scope on", true, false, true, true, false, false, true, false, false, false, false};
const Column kRampingUp{"Ramping up", true, false, false, false, false, false, true, false, false, true, false};
const Column kRegulatorOn{"Regulator on", true, false, false, true, true, false, true, false, false, false, false};
const Column kSourceOn{"Source on", true, true, false, false, true, false, true, true, true, false, false};
const Column kRampingDown{"Ramping down", true, false, true, false, false, false, true, false, false, false, true};

void check(const Bench &b, const Column &c)
{
    const QByteArray where = QByteArray("state ") + c.name;
    auto expect = [&](bool ok, const char *what) {
        if (!ok) QFAIL((where + ": " + what).constData());
    };
    expect((pixel(*b.screen, 7, 7) == clRed) == c.scopeLamp, "oscilloscope lamp");
    expect((pixel(*b.sourceLamp, 7, 7) == clRed) == c.sourceLamp, "source lamp");
    expect(b.scopeSwitch->isEnabled() == c.scopeSwitch, "oscilloscope switch");
    expect(b.regulatorSwitch->isEnabled() == c.regulatorSwitch, "regulator switch");
    expect(b.sourceSwitch->isEnabled() == c.sourceSwitch, "source switch");
    for (QWidget *w : {static_cast<QWidget *>(b.anodeVoltageField), static_cast<QWidget *>(b.turnDensityField),
                       static_cast<QWidget *>(b.driftLengthField), static_cast<QWidget *>(b.plateLengthArrows)})
        expect(w->isEnabled() == c.fields, "parameter fields and plate length arrows");
    expect(b.plateLengthReadout->powerOff() == c.plateDark, "plate length power");
    for (QWidget *w : {b.rippleArrows, b.phaseArrows, b.coarseCurrentArrows, b.fineCurrentArrows})
        expect(w->isEnabled() == c.sourceControls, "source adjusters");
    expect(b.rippleReadout->powerOff() == !c.sourcePowered, "ripple power");
    expect(b.phaseReadout->powerOff() == !c.sourcePowered, "phase power");
    expect(b.ammeter->powerOff() == !c.sourcePowered, "ammeter power");
    expect(b.rampUpTimer->isActive() == c.rampUp, "ramp-up timer");
    expect(b.rampDownTimer->isActive() == c.rampDown, "ramp-down timer");
}

// The number of ramp-up ticks until its timer stops, the first tick that
// frees both switches, and the last tick that drew on the screen (the
// warm-up line grows by a pixel at each end with every tick that draws).
struct RampRecord {
    int ticksToStop = 0;
    int firstTickEnablingSwitches = 0;
    int lastTickDrawing = 0;
};

RampRecord runRamp(Bench &b)
{
    RampRecord r;
    b.click("regulatorSwitch");
    for (int tick = 1; tick <= 500 && b.rampUpTimer->isActive(); ++tick) {
        const QImage before = b.screen->picture().copy();
        b.tick("rampUpTimer");
        if (b.screen->picture() != before) r.lastTickDrawing = tick;
        if (!r.firstTickEnablingSwitches && b.regulatorSwitch->isEnabled() && b.sourceSwitch->isEnabled())
            r.firstTickEnablingSwitches = tick;
        if (!b.rampUpTimer->isActive()) r.ticksToStop = tick;
    }
    return r;
}

// What the bench's calculator shows for k = 1 with the ammeter at `current`.
QString calculated(Bench &b, double current)
{
    b.ammeter->setValue(current);
    b.helixTurnsField->setText(QStringLiteral("1"));
    b.click("calculateButton");
    return b.specificChargeField->text();
}

// The very double, not one within QCOMPARE's tolerance (which takes 1e-18
// for zero), and no negative zero.
bool exactly(double actual, double expected)
{
    if (actual == expected && std::signbit(actual) == std::signbit(expected)) return true;
    qWarning("%.17g instead of %.17g", actual, expected);
    return false;
}

}  // namespace

class TstBenchPower : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void everyStateOfTheSequence()
    {
        Bench b;
        b.setOuterSize(735, 637);
        check(b, kAllOff);
        QCOMPARE(pixel(*b.sourceLamp, 7, 7), clGray);

        b.click("scopeSwitch");
        check(b, kScopeOn);
        QVERIFY(!b.ammeter->isEnabled());
        const int c = b.screen->width() / 2;
        QCOMPARE(pixel(*b.screen, 7, 7), clRed);
        QCOMPARE(pixel(*b.screen, c, c), clGreen);

        b.click("regulatorSwitch");
        QVERIFY(b.regulatorSwitch->isEnabled());  // disabled only from the first tick
        b.tick("rampUpTimer");
        check(b, kRampingUp);
        QCOMPARE(b.dial(), 1.0);
        for (int i = 0; i < 89; ++i) b.tick("rampUpTimer");
        QCOMPARE(b.dial(), 90.0);
        check(b, kRampingUp);
        b.tick("rampUpTimer");  // the tick that finds 90 frees the switches
        QVERIFY(b.regulatorSwitch->isEnabled());
        QVERIFY(b.sourceSwitch->isEnabled());
        while (b.rampUpTimer->isActive()) b.tick("rampUpTimer");
        check(b, kRegulatorOn);
        QVERIFY(!b.ammeter->isEnabled());
        QCOMPARE(b.ammeter->value(), 0.0);
        QCOMPARE(b.dial(), 90.0);
        // The full warm-up line: from 97 above to 97 below the centre.
        QCOMPARE(pixel(*b.screen, 112, 112 - 97), clGreen);
        QCOMPARE(pixel(*b.screen, 112, 112 + 97), clGreen);

        b.click("sourceSwitch");
        check(b, kSourceOn);
        QVERIFY(b.ammeter->isEnabled());
        QCOMPARE(pixel(*b.sourceLamp, 7, 7), clRed);
        QCOMPARE(pixel(*b.sourceLamp, 0, 0), clGray);
        // The trace is not redrawn by the switch: the warm-up line stays.
        QCOMPARE(pixel(*b.screen, 112, 112 - 97), clGreen);

        b.press("coarseCurrentArrows", TUDBtnType::btNext);
        QCOMPARE(b.ammeter->value(), 0.01);
        b.click("sourceSwitch");
        check(b, kRegulatorOn);
        QVERIFY(b.ammeter->isEnabled());  // from now on
        QCOMPARE(b.ammeter->value(), 0.0);
        QCOMPARE(pixel(*b.sourceLamp, 7, 7), clGray);

        b.click("regulatorSwitch");
        check(b,
              {"Ramping down, before the first tick", true, false, true, true, false, false, true, false, false, false,
               true});
        const int d = b.screen->width() / 2;
        QCOMPARE(pixel(*b.screen, d, d), clScreenDark);  // the screen goes dark at once
        b.tick("rampDownTimer");
        check(b, kRampingDown);
        QCOMPARE(b.dial(), 89.0);
        QVERIFY(b.ammeter->isEnabled());
        for (int i = 0; i < 89; ++i) b.tick("rampDownTimer");
        QCOMPARE(b.dial(), 0.0);
        check(b, kRampingDown);
        QCOMPARE(pixel(*b.screen, d, d), clScreenDark);
        b.tick("rampDownTimer");  // the tick that finds 0
        check(b, kScopeOn);
        QCOMPARE(pixel(*b.screen, d, d), clGreen);  // the spot is back

        b.click("scopeSwitch");
        check(b, kAllOff);
        QCOMPARE(pixel(*b.screen, d, d), clScreenDark);
        QCOMPARE(pixel(*b.screen, 7, 7), clGray);
        QVERIFY(b.dialogs.errors.isEmpty());
        QVERIFY(b.dialogs.messages.isEmpty());
    }

    void oscilloscopeSwitchStaysShownPressed()
    {
        Bench b;
        BenchWindow &f = b.window;
        f.show();
        QTest::mouseClick(b.scopeSwitch, Qt::LeftButton);
        QVERIFY(b.scopeSwitch->isChecked());
        QCOMPARE(pixel(*b.screen, 7, 7), clRed);
        QTest::mouseClick(b.scopeSwitch, Qt::LeftButton);
        QVERIFY(b.scopeSwitch->isChecked());
        QCOMPARE(pixel(*b.screen, 7, 7), clGray);
        // Disabled switches ignore clicks.
        QTest::mouseClick(b.regulatorSwitch, Qt::LeftButton);
        QVERIFY(!b.rampUpTimer->isActive());
    }

    void rampOnA225PixelScreen()
    {
        Bench b;
        b.setOuterSize(735, 637);
        QCOMPARE(b.screen->width(), 225);
        b.click("scopeSwitch");
        const RampRecord r = runRamp(b);
        QCOMPARE(r.firstTickEnablingSwitches, 91);
        QCOMPARE(r.lastTickDrawing, 98);
        QCOMPARE(r.ticksToStop, 99);
        // 3.5 cm at 28.125 pixels per centimetre: the last line reaches 97 pixels each side.
        QCOMPARE(pixel(*b.screen, 112, 112 - 97), clGreen);
        QCOMPARE(pixel(*b.screen, 112, 112 + 97), clGreen);
    }

    void rampOnOtherScreens_data()
    {
        QTest::addColumn<int>("outerWidth");
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("stopTick");
        QTest::newRow("216: 94.5 rounds to 94") << 710 << 216 << 94 << 95;
        QTest::newRow("200: 87.5 rounds to 88") << 660 << 200 << 88 << 91;
        QTest::newRow("196: line done before the dial") << 650 << 196 << 86 << 91;
    }

    void rampOnOtherScreens()
    {
        QFETCH(int, outerWidth);
        QFETCH(int, screen);
        QFETCH(int, limit);
        QFETCH(int, stopTick);
        Bench b;
        b.setOuterSize(outerWidth, 637);
        QCOMPARE(b.screen->width(), screen);
        b.click("scopeSwitch");
        const RampRecord r = runRamp(b);
        QCOMPARE(r.lastTickDrawing, limit);
        QCOMPARE(r.firstTickEnablingSwitches, 91);
        QCOMPARE(r.ticksToStop, stopTick);
        QCOMPARE(b.dial(), 90.0);
        // The last line reaches limit - 1 pixels each side of the centre.
        const int c = screen / 2;
        QCOMPARE(pixel(*b.screen, c, c - (limit - 1)), clGreen);
        QCOMPARE(pixel(*b.screen, c, c + (limit - 1)), clGreen);
    }

    void parameterChecks_data()
    {
        QTest::addColumn<QString>("u");
        QTest::addColumn<QString>("n");
        QTest::addColumn<QString>("l");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("start texts") << "1400"
                                     << "155"
                                     << "10" << true;
        QTest::newRow("00 is not 0") << "1400"
                                     << "00"
                                     << "10" << true;
        QTest::newRow("leading zero") << "1400"
                                      << "0155"
                                      << "10" << true;
        QTest::newRow("empty U") << ""
                                 << "155"
                                 << "10" << false;
        QTest::newRow("empty n") << "1400"
                                 << ""
                                 << "10" << false;
        QTest::newRow("empty l") << "1400"
                                 << "155"
                                 << "" << false;
        QTest::newRow("zero U") << "0"
                                << "155"
                                << "10" << false;
        QTest::newRow("zero n") << "1400"
                                << "0"
                                << "10" << false;
        QTest::newRow("zero l") << "1400"
                                << "155"
                                << "0" << false;
    }

    void parameterChecks()
    {
        QFETCH(QString, u);
        QFETCH(QString, n);
        QFETCH(QString, l);
        QFETCH(bool, accepted);
        Bench b;
        b.anodeVoltageField->setText(u);
        b.turnDensityField->setText(n);
        b.driftLengthField->setText(l);
        b.click("scopeSwitch");
        b.click("regulatorSwitch");
        if (accepted) {
            QVERIFY(b.dialogs.messages.isEmpty());
            QVERIFY(b.rampUpTimer->isActive());
            QVERIFY(!b.scopeSwitch->isEnabled());
        } else {
            QCOMPARE(b.dialogs.messages,
                     QStringList{QStringLiteral("Проверьте наличие данных в окнах панели ПАРАМЕТРЫ УСТАНОВКИ")});
            check(b, kScopeOn);
        }
    }

    void sourceSwitchTakesTheParametersOver()
    {
        Bench b;
        b.anodeVoltageField->setText(QStringLiteral("1200"));
        b.turnDensityField->setText(QStringLiteral("160"));
        b.driftLengthField->setText(QStringLiteral("20"));
        b.rippleReadout->setValue(0.15);
        b.setOuterSize(735, 637);
        b.toSourceOn();
        b.press("coarseCurrentArrows", TUDBtnType::btNext, 20);
        const TraceSettings settings{0.15, 0.4, 0.5};
        QVERIFY(showsTraceOf(*b.screen, 1200.0, 16000.0, 0.2, 0.2, settings));
        QVERIFY(!showsTraceOf(*b.screen, 1400.0, 15500.0, 0.1, 0.2, settings));
        QCOMPARE(calculated(b, 0.407), specificChargeOf(1200.0, 16000.0, 0.2, 1, 0.407));
        QVERIFY(b.dialogs.errors.isEmpty());
    }

    void largeWindingDensityDoesNotWrap()
    {
        // n × 100 beyond the 32-bit range is computed exactly.
        Bench b;
        const TraceSettings settings{0.1, 0.4, 0.5};
        b.setOuterSize(735, 637);
        b.turnDensityField->setText(QStringLiteral("21474837"));
        b.toSourceOn();
        b.press("coarseCurrentArrows", TUDBtnType::btNext);
        QVERIFY(showsTraceOf(*b.screen, 1400.0, 2147483700.0, 0.1, 0.01, settings));
        QCOMPARE(pixel(*b.sourceLamp, 7, 7), clRed);
        b.click("sourceSwitch");
        b.turnDensityField->setText(QStringLiteral("2147483647"));
        b.click("sourceSwitch");
        b.press("coarseCurrentArrows", TUDBtnType::btNext);
        QVERIFY(showsTraceOf(*b.screen, 1400.0, 214748364700.0, 0.1, 0.01, settings));
        // Past the integer range the text itself is refused.
        b.click("sourceSwitch");
        b.turnDensityField->setText(QStringLiteral("2147483648"));
        b.dialogs.clear();
        b.click("sourceSwitch");
        QCOMPARE(b.dialogs.errors, QStringList{QStringLiteral("'2147483648' is not a valid integer value")});
        QCOMPARE(calculated(b, 0.407), specificChargeOf(1400.0, 214748364700.0, 0.1, 1, 0.407));
        QCOMPARE(pixel(*b.sourceLamp, 7, 7), clGray);
    }

    void pastedTextsStopTheSourceSwitchKeepingWhatWasTaken()
    {
        Bench b;
        BenchWindow &f = b.window;
        f.show();
        // Pasting passes the key filter.
        b.turnDensityField->setFocus();
        b.turnDensityField->selectAll();
        QApplication::clipboard()->setText(QStringLiteral("1x5"));
        QTest::keyClick(b.turnDensityField, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(b.turnDensityField->text(), QStringLiteral("1x5"));
        b.anodeVoltageField->setText(QStringLiteral("1500"));
        b.toRegulatorOn();
        b.click("sourceSwitch");
        QCOMPARE(b.dialogs.errors, QStringList{QStringLiteral("'1x5' is not a valid integer value")});
        check(b, kRegulatorOn);
        QCOMPARE(calculated(b, 0.407), specificChargeOf(1500.0, 15500.0, 0.1, 1, 0.407));
        QCOMPARE(pixel(*b.sourceLamp, 7, 7), clGray);

        // A bad distance stops after U and n were taken.
        b.dialogs.clear();
        b.turnDensityField->setText(QStringLiteral("170"));
        b.driftLengthField->setText(QStringLiteral("1e999"));
        b.click("sourceSwitch");
        QCOMPARE(b.dialogs.errors, QStringList{QStringLiteral("'1e999' is not a valid floating point value")});
        QCOMPARE(calculated(b, 0.407), specificChargeOf(1500.0, 17000.0, 0.1, 1, 0.407));
        QCOMPARE(pixel(*b.sourceLamp, 7, 7), clGray);

        // A bad voltage stops before anything is taken.
        b.dialogs.clear();
        b.anodeVoltageField->setText(QStringLiteral("abc"));
        b.turnDensityField->setText(QStringLiteral("180"));
        b.click("sourceSwitch");
        QCOMPARE(b.dialogs.errors, QStringList{QStringLiteral("'abc' is not a valid floating point value")});
        QCOMPARE(calculated(b, 0.407), specificChargeOf(1500.0, 17000.0, 0.1, 1, 0.407));
    }

    void zeroParametersFaultInTheTraceNotInTheSwitch()
    {
        // "00" passes the regulator's check and converts to zero: the trace
        // then stops on its first point with a clean, dark screen.
        Bench b;
        b.turnDensityField->setText(QStringLiteral("00"));
        b.toSourceOn();
        QVERIFY(b.dialogs.errors.isEmpty());
        b.press("coarseCurrentArrows", TUDBtnType::btNext);
        QCOMPARE(b.dialogs.errors, QStringList{QStringLiteral("Floating point division by zero")});
        const int c = b.screen->width() / 2;
        QCOMPARE(pixel(*b.screen, c, c), clScreenDark);
        QCOMPARE(b.ammeter->value(), 0.01);
    }

    void adjusterLimits()
    {
        Bench b;
        BenchWindow &f = b.window;
        f.show();
        // The plate length is set with the oscilloscope off.
        for (int i = 0; i < 6; ++i) QTest::mouseClick(arrowOf(b.plateLengthArrows, TUDBtnType::btNext), Qt::LeftButton);
        QCOMPARE(b.plateLengthReadout->value(), 2.5);
        for (int i = 0; i < 6; ++i) QTest::mouseClick(arrowOf(b.plateLengthArrows, TUDBtnType::btPrev), Qt::LeftButton);
        QCOMPARE(b.plateLengthReadout->value(), 0.0);

        b.toSourceOn();
        auto press = [](TUpDown *u, TUDBtnType button, int times) {
            for (int i = 0; i < times; ++i) QTest::mouseClick(arrowOf(u, button), Qt::LeftButton);
        };
        press(b.rippleArrows, TUDBtnType::btNext, 3);
        QVERIFY(exactly(b.rippleReadout->value(), 0.25));
        press(b.rippleArrows, TUDBtnType::btNext, 2);
        QVERIFY(exactly(b.rippleReadout->value(), 0.25));
        press(b.rippleArrows, TUDBtnType::btPrev, 5);
        QVERIFY(exactly(b.rippleReadout->value(), 0.0));
        press(b.rippleArrows, TUDBtnType::btPrev, 3);
        QVERIFY(exactly(b.rippleReadout->value(), 0.0));

        press(b.phaseArrows, TUDBtnType::btNext, 4);
        QVERIFY(exactly(b.phaseReadout->value(), 0.5));
        press(b.phaseArrows, TUDBtnType::btPrev, 12);
        QVERIFY(exactly(b.phaseReadout->value(), 0.0));
        QCOMPARE(b.phaseArrows->Position(), 0);
        QVERIFY(b.dialogs.errors.isEmpty());
    }

    void rippleConditionHoldsEvenAgainstThePairsPosition()
    {
        // The read-out's own bounds hold when the pair still has room.
        Bench b;
        b.toSourceOn();
        b.rippleReadout->setValue(0.25);
        b.press("rippleArrows", TUDBtnType::btNext);
        QCOMPARE(b.rippleReadout->value(), 0.25);
        b.rippleReadout->setValue(0.0);
        b.press("rippleArrows", TUDBtnType::btPrev);
        QCOMPARE(b.rippleReadout->value(), 0.0);
        b.rippleReadout->setValue(0.2);
        b.press("rippleArrows", TUDBtnType::btNext);
        QVERIFY(exactly(b.rippleReadout->value(), 0.25));
    }

    void blockedRippleStillRedrawsTheTrace()
    {
        Bench b;
        b.toSourceOn();
        b.rippleReadout->setValue(0.25);
        {
            Canvas c = b.screen->canvas();
            c.setBrushColor(clWhite);
            c.fillRect(TRect{0, 0, b.screen->width(), b.screen->height()});
        }
        b.press("rippleArrows", TUDBtnType::btNext);
        const int c = b.screen->width() / 2;
        QCOMPARE(pixel(*b.screen, c + 30, c + 30), clScreenDark);
        QVERIFY(countPixels(*b.screen, clGreen) > 0);
    }

    void plateLengthLeavesTheScreenAlone()
    {
        Bench b;
        {
            Canvas c = b.screen->canvas();
            c.setBrushColor(clWhite);
            c.fillRect(TRect{0, 0, b.screen->width(), b.screen->height()});
        }
        b.press("plateLengthArrows", TUDBtnType::btNext);
        QCOMPARE(b.plateLengthReadout->value(), 1.0);
        QCOMPARE(countPixels(*b.screen, clWhite), b.screen->width() * b.screen->height());
    }

    void currentAdjusters()
    {
        Bench b;
        BenchWindow &f = b.window;
        f.show();
        b.toSourceOn();
        auto press = [](TUpDown *u, TUDBtnType button) { QTest::mouseClick(arrowOf(u, button), Qt::LeftButton); };
        // The fine pair starts at the bottom of its range: its first previous does nothing.
        press(b.fineCurrentArrows, TUDBtnType::btPrev);
        QCOMPARE(b.ammeter->value(), 0.0);
        QCOMPARE(b.fineCurrentArrows->Position(), 0);
        // The coarse one lets the current go below zero.
        press(b.coarseCurrentArrows, TUDBtnType::btPrev);
        QCOMPARE(b.ammeter->value(), -0.01);
        press(b.coarseCurrentArrows, TUDBtnType::btNext);
        press(b.coarseCurrentArrows, TUDBtnType::btNext);
        press(b.fineCurrentArrows, TUDBtnType::btNext);
        press(b.fineCurrentArrows, TUDBtnType::btNext);
        QVERIFY(exactly(b.ammeter->value(), 0.012));
        // Accumulated, not recomputed from the pairs' positions.
        b.ammeter->setValue(0.5);
        press(b.fineCurrentArrows, TUDBtnType::btNext);
        QVERIFY(exactly(b.ammeter->value(), 0.501));

        // Switching the source off zeroes the ammeter and both pairs, so that
        // the bench after an off and on is the bench after the start: even a
        // fine pair left at the top of its range raises the current again.
        for (int i = 0; i < 100; ++i) press(b.fineCurrentArrows, TUDBtnType::btNext);
        QCOMPARE(b.fineCurrentArrows->Position(), 100);
        b.click("sourceSwitch");
        QCOMPARE(b.ammeter->value(), 0.0);
        QCOMPARE(b.coarseCurrentArrows->Position(), 0);
        QCOMPARE(b.fineCurrentArrows->Position(), 0);
        b.click("sourceSwitch");
        press(b.fineCurrentArrows, TUDBtnType::btPrev);
        QCOMPARE(b.ammeter->value(), 0.0);
        press(b.fineCurrentArrows, TUDBtnType::btNext);
        QVERIFY(exactly(b.ammeter->value(), 0.001));
        QCOMPARE(b.fineCurrentArrows->Position(), 1);
    }

    void readoutsHoldTheDecimalsTheyShow_data()
    {
        // Presses as "<adjuster><direction><count>": f fine and c coarse current,
        // r ripple, p phase, d plate length; + next, - previous.
        QTest::addColumn<QString>("presses");
        QTest::addColumn<QString>("readout");
        QTest::addColumn<double>("value");
        QTest::newRow("ten fine up, one coarse down") << "f+10 c-1"
                                                      << "ammeter" << 0.0;
        QTest::newRow("coarse up and fine down to zero") << "c+3 f+4 f-4 c-3"
                                                         << "ammeter" << 0.0;
        QTest::newRow("fine up seven") << "f+7"
                                       << "ammeter" << 0.007;
        QTest::newRow("coarse down past zero") << "f+3 c-1"
                                               << "ammeter" << -0.007;
        QTest::newRow("ripple three up from 0.1") << "r+3"
                                                  << "rippleReadout" << 0.25;
        QTest::newRow("ripple two down from 0.1") << "r-2"
                                                  << "rippleReadout" << 0.0;
        QTest::newRow("ripple up and back") << "r+1 r-3"
                                            << "rippleReadout" << 0.0;
        QTest::newRow("phase two up from 0.4") << "p+2"
                                               << "phaseReadout" << 0.5;
        QTest::newRow("phase eight down from 0.4") << "p-8"
                                                   << "phaseReadout" << 0.0;
        QTest::newRow("phase three down") << "p-3"
                                          << "phaseReadout" << 0.25;
        QTest::newRow("plate four up from 0.5") << "d+4"
                                                << "plateLengthReadout" << 2.5;
        QTest::newRow("plate one down from 0.5") << "d-1"
                                                 << "plateLengthReadout" << 0.0;
    }

    void readoutsHoldTheDecimalsTheyShow()
    {
        QFETCH(QString, presses);
        QFETCH(QString, readout);
        QFETCH(double, value);
        Bench b;
        BenchWindow &f = b.window;
        b.setOuterSize(735, 637);
        // The plate length is set with the oscilloscope off, the rest with the source on.
        if (readout != QStringLiteral("plateLengthReadout")) b.toSourceOn();
        for (const QString &p : presses.split(QLatin1Char(' '))) {
            const TUDBtnType button = p[1] == QLatin1Char('+') ? TUDBtnType::btNext : TUDBtnType::btPrev;
            for (int i = 0; i < p.mid(2).toInt(); ++i) {
                switch (p[0].toLatin1()) {
                case 'f': b.press("fineCurrentArrows", button); break;
                case 'c': b.press("coarseCurrentArrows", button); break;
                case 'r': b.press("rippleArrows", button); break;
                case 'p': b.press("phaseArrows", button); break;
                case 'd': b.press("plateLengthArrows", button); break;
                }
            }
        }
        const auto *r = f.findChild<SevenSegmentDisplay *>(readout);
        QVERIFY(r);
        QVERIFY(exactly(r->value(), value));
        QVERIFY(b.dialogs.errors.isEmpty());
    }

    void everyCurrentReachedIsTheDoubleNearestItsDecimal()
    {
        // A long random walk of both current adjusters, counted in whole
        // milliamperes on the side: after every press the ammeter holds the
        // double nearest that count's decimal (a division is correctly rounded).
        Bench b;
        b.toSourceOn();
        std::mt19937 random(20240305);
        long long milliamperes = 0;
        for (int i = 0; i < 3000; ++i) {
            // The fine pair stays within 0 to 100: a step counts where its pair moved.
            const bool coarse = random() % 2 == 0;
            const TUDBtnType button = random() % 2 == 0 ? TUDBtnType::btNext : TUDBtnType::btPrev;
            TUpDown *pair = coarse ? b.coarseCurrentArrows : b.fineCurrentArrows;
            const int before = pair->Position();
            b.press(pair->objectName(), button);
            milliamperes += (pair->Position() - before) * (coarse ? 10 : 1);
            if (!exactly(b.ammeter->value(), double(milliamperes) / 1000)) QFAIL(qPrintable(QString::number(i)));
        }
    }

    void calculatorSeesTheZeroTheAmmeterShows()
    {
        // From a fresh source, ten fine presses up and one coarse down: the
        // ammeter reads 0, and the calculator divides by that zero.
        Bench b;
        b.setOuterSize(735, 637);
        b.toSourceOn();
        for (int i = 0; i < 10; ++i) b.press("fineCurrentArrows", TUDBtnType::btNext);
        b.press("coarseCurrentArrows", TUDBtnType::btPrev);
        b.click("sourceLamp");
        b.click("calculateButton");
        QCOMPARE(b.dialogs.errors, QStringList{QStringLiteral("Floating point division by zero")});
        QVERIFY(b.specificChargeField->text().isEmpty());
    }

    void heldArrowShowsOneRealErrorBox()
    {
        // Qt's own boxes, each in its own event loop: with every trace
        // failing, the coarse arrow is held down while the box is open (the
        // release goes to the box). One box, one step.
        BenchWindow f;
        const BenchDriver d(f);
        const BenchControls c(d);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTest::qWait(300);  // the first showing's pass is over
        {
            RecordingDialogs quiet;
            makeEveryTraceFail(d);
        }
        d.click("sourceSwitch");  // the source on again: the switch draws no trace
        setRepeatPace(c.coarseCurrentArrows, 20, 10);
        RealBoxes boxes(300);
        QTest::mousePress(arrowOf(c.coarseCurrentArrows, TUDBtnType::btNext), Qt::LeftButton);
        QTest::qWait(200);
        QCOMPARE(boxes.shown, 1);
        QCOMPARE(boxes.mostOpen, 1);
        QCOMPARE(boxes.caption, QCoreApplication::applicationName());
        QCOMPARE(boxes.text, QStringLiteral("Floating point division by zero"));
        QCOMPARE(c.ammeter->value(), 0.01);
        QCOMPARE(c.coarseCurrentArrows->Position(), 1);
    }

    void ammeterKeepsCountingPastItsDisplay()
    {
        Bench b;
        b.toSourceOn();
        b.ammeter->setValue(9.995);
        for (int i = 0; i < 3; ++i) b.press("coarseCurrentArrows", TUDBtnType::btNext);
        QVERIFY(exactly(b.ammeter->value(), 10.025));
        QVERIFY(b.dialogs.errors.isEmpty());
    }

    void interlocks()
    {
        Bench b;
        BenchWindow &f = b.window;
        f.show();
        b.toSourceOn();
        // With the source on the regulator cannot be switched off, and with
        // the regulator on the oscilloscope cannot.
        QTest::mouseClick(b.regulatorSwitch, Qt::LeftButton);
        QTest::mouseClick(b.scopeSwitch, Qt::LeftButton);
        check(b, kSourceOn);
    }

    void oscilloscopeOffDuringTheRampDown()
    {
        Bench b;
        b.setOuterSize(735, 637);
        b.toRegulatorOn();
        b.click("regulatorSwitch");
        for (int i = 0; i < 10; ++i) b.tick("rampDownTimer");
        QVERIFY(b.scopeSwitch->isEnabled());
        b.click("scopeSwitch");
        QCOMPARE(pixel(*b.screen, 7, 7), clGray);
        QVERIFY(!b.regulatorSwitch->isEnabled());
        QVERIFY(!b.sourceSwitch->isEnabled());
        QVERIFY(b.anodeVoltageField->isEnabled());
        QCOMPARE(pixel(*b.screen, 112, 112), clScreenDark);
        QVERIFY(b.rampDownTimer->isActive());
        while (b.rampDownTimer->isActive()) b.tick("rampDownTimer");
        QCOMPARE(b.dial(), 0.0);
        QVERIFY(b.regulatorSwitch->isEnabled());  // with the oscilloscope off
        QCOMPARE(pixel(*b.screen, 7, 7), clGray);
        QCOMPARE(pixel(*b.screen, 112, 112), clScreenDark);

        // A ramp-up from here draws no warm-up line and stops at 90.
        const RampRecord r = runRamp(b);
        QCOMPARE(r.lastTickDrawing, 0);
        QCOMPARE(r.ticksToStop, 91);
        QCOMPARE(countPixels(*b.screen, clGreen), 0);
    }

    void switchingOffWhileTheWarmUpLineGrowsEndsTheRampUp()
    {
        Bench b;
        b.setOuterSize(735, 637);
        b.click("scopeSwitch");
        b.click("regulatorSwitch");
        for (int i = 0; i < 93; ++i) b.tick("rampUpTimer");
        QVERIFY(b.rampUpTimer->isActive());  // the line is still growing
        QVERIFY(b.regulatorSwitch->isEnabled());
        b.click("regulatorSwitch");
        QVERIFY(!b.rampUpTimer->isActive());
        QVERIFY(b.rampDownTimer->isActive());
        int ticks = 0;
        while (b.rampDownTimer->isActive() && ticks < 1000) {
            b.tick("rampDownTimer");
            ++ticks;
        }
        QCOMPARE(ticks, 91);
        QCOMPARE(b.dial(), 0.0);
        check(b, kScopeOn);
    }

    void switchingOnBeforeTheFirstRampDownTickEndsTheRampDown()
    {
        Bench b;
        b.setOuterSize(735, 637);
        b.toRegulatorOn();
        b.click("regulatorSwitch");  // off: the ramp-down is due
        QVERIFY(b.regulatorSwitch->isEnabled());
        b.click("regulatorSwitch");  // on again before its first tick
        QVERIFY(!b.rampDownTimer->isActive());
        QVERIFY(b.rampUpTimer->isActive());
        int ticks = 0;
        while (b.rampUpTimer->isActive() && ticks < 1000) {
            b.tick("rampUpTimer");
            ++ticks;
        }
        QVERIFY(ticks < 1000);
        QCOMPARE(b.dial(), 90.0);
        check(b, kRegulatorOn);
    }

    void switchingTheSourceOnEndsTheWarmUpLine()
    {
        // At 1280 wide (a 406-pixel screen, 50.75 pixels per centimetre) the
        // warm-up line grows to 3.5 cm = 177.6, rounded 178 pixels, while the
        // switches free up at tick 91. The source switched on in that span
        // ends the ramp-up, so no warm-up line is drawn over the trace the
        // adjusters draw, however long the ramp would have gone on.
        Bench b;
        b.setOuterSize(1280, 800);
        QCOMPARE(b.screen->width(), 406);
        b.click("scopeSwitch");
        b.click("regulatorSwitch");
        for (int i = 0; i < 92; ++i) b.tick("rampUpTimer");
        QVERIFY(b.sourceSwitch->isEnabled());
        // The line is still growing: 91 pixels above the centre, and its round end.
        QCOMPARE(greenRows(*b.screen, 203).first, 203 - 91 - 2);
        b.click("sourceSwitch");
        check(b, kSourceOn);
        // 0.2 A: the trace lies nearly flat across the centre.
        for (int i = 0; i < 20; ++i) b.press("coarseCurrentArrows", TUDBtnType::btNext);
        const QImage trace = b.screen->picture().copy();
        for (int i = 0; i < 200 && b.rampUpTimer->isActive(); ++i) b.tick("rampUpTimer");
        QCOMPARE(b.screen->picture(), trace);
        // The centre column above and below the trace stays dark.
        const int c = 203;
        QCOMPARE(pixel(*b.screen, c, c), clGreen);
        for (int dy = 20; dy < 178; ++dy) {
            QCOMPARE(pixel(*b.screen, c, c - dy), clScreenDark);
            QCOMPARE(pixel(*b.screen, c, c + dy), clScreenDark);
        }
        // With the source off again the regulator may go off.
        b.click("sourceSwitch");
        QVERIFY(b.regulatorSwitch->isEnabled());
        QVERIFY(b.dialogs.errors.isEmpty());
    }

    void sourceOffRedrawsTheTraceAtZeroCurrent()
    {
        // A 225-pixel screen, 28.125 pixels per centimetre: at zero current
        // the trace is the vertical sweep of 3.5 cm each side of the centre,
        // rows 112.5 -/+ 98.4 rounded, 14 to 211, drawn 4 pixels wide.
        Bench b;
        b.setOuterSize(735, 637);
        QCOMPARE(b.screen->width(), 225);
        b.toSourceOn();
        for (int i = 0; i < 20; ++i) b.press("coarseCurrentArrows", TUDBtnType::btNext);
        QVERIFY(greenWidth(*b.screen) > 100);  // the trace at 0.2 A lies nearly flat
        b.click("sourceSwitch");
        QCOMPARE(b.ammeter->value(), 0.0);
        const QImage &screen = b.screen->picture();
        for (int y = 0; y < 225; ++y)
            for (int x = 0; x < 225; ++x) {
                const bool onSweep = x >= 109 && x <= 115 && y >= 11 && y <= 214;
                if (!onSweep && fromQColor(screen.pixelColor(x, y)) == clGreen)
                    QFAIL(qPrintable(QStringLiteral("green at (%1, %2), off the sweep line").arg(x).arg(y)));
            }
        for (int y = 16; y <= 209; ++y) QCOMPARE(pixel(*b.screen, 112, y), clGreen);
        QCOMPARE(pixel(*b.screen, 7, 7), clRed);       // the oscilloscope's lamp stays
        QCOMPARE(pixel(*b.sourceLamp, 7, 7), clGray);  // the source lamp is off
    }

    void parameterFieldsTakeDigitsAndBackspaceOnly()
    {
        Bench b;
        BenchWindow &f = b.window;
        f.show();
        for (TLabeledEdit *e : {b.anodeVoltageField, b.turnDensityField, b.driftLengthField}) {
            e->setFocus();
            e->clear();
            QTest::keyClicks(e, QStringLiteral("1a2,3.-4 e5"));
            QCOMPARE(e->text(), QStringLiteral("12345"));
            QTest::keyClick(e, Qt::Key_Backspace);
            QCOMPARE(e->text(), QStringLiteral("1234"));
            QTest::keyClick(e, Qt::Key_Tab, Qt::NoModifier);
        }
        // Nor signs, Enter or another script's digits.
        TLabeledEdit *e = b.anodeVoltageField;
        e->setFocus();
        QTest::keyClicks(e, QStringLiteral("+7"));
        QTest::keyClick(e, Qt::Key_Return);
        QKeyEvent arabicThree(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(0x0663)));
        QApplication::sendEvent(e, &arabicThree);
        QCOMPARE(e->text(), QStringLiteral("12347"));
    }
};

QTEST_MAIN(TstBenchPower)
#include "tst_bench_power.moc"
