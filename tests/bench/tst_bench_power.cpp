// SPDX-License-Identifier: GPL-3.0-or-later
// The power sequence: every state of the three instruments and the moves
// between them, the regulator's ramps on screens of several sizes, the
// adjusters and their limits, the parameter checks and conversions.
#include "common/up_down_arrows.h"
#include "bench_fixture.h"

#include "toolkit/labeled_edit.h"
#include "widgets/seven_segment_display.h"

#include <QApplication>
#include <QClipboard>
#include <QToolButton>
#include <cmath>
#include <random>

using namespace bench_test;

namespace {

// One column of the bench's state table.
struct Column {
    const char *name;
    int scope, regulator, source;
    bool knopka1, knopka2, knopka3;
    bool fields;          // the three parameter fields and UpDown3
    bool plateDark;       // Dplastin1 powered off
    bool sourceControls;  // UpDown1, UpDown2, sh_vprm, sh_vprm_2
    bool sourcePowered;   // Fmax1, Faza1 and amper powered
    bool timer2, timer3;
};

const Column kAllOff{"All off", 0, 0, 0, true, false, false, true, false, false, false, false, false};
const Column kScopeOn{"Scope on", 1, 0, 0, true, true, false, false, true, false, false, false, false};
const Column kRampingUp{"Ramping up", 1, 1, 0, false, false, false, false, true, false, false, true, false};
const Column kRegulatorOn{"Regulator on", 1, 1, 0, false, true, true, false, true, false, false, false, false};
const Column kSourceOn{"Source on", 1, 1, 1, false, false, true, false, true, true, true, false, false};
const Column kRampingDown{"Ramping down", 1, 0, 0, true, false, false, false, true, false, false, false, true};

void check(TForm1 &f, const Column &c)
{
    const QByteArray where = QByteArray("state ") + c.name;
    auto expect = [&](bool ok, const char *what) {
        if (!ok) QFAIL((where + ": " + what).constData());
    };
    expect(f.Lab.ScopeOn == c.scope, "ScopeOn");
    expect(f.Lab.RegulatorOn == c.regulator, "RegulatorOn");
    expect(f.Lab.SourceOn == c.source, "SourceOn");
    expect(f.knopka1->isEnabled() == c.knopka1, "knopka1");
    expect(f.knopka2->isEnabled() == c.knopka2, "knopka2");
    expect(f.knopka3->isEnabled() == c.knopka3, "knopka3");
    for (QWidget *w : {static_cast<QWidget *>(f.LabeledEdit1), static_cast<QWidget *>(f.LabeledEdit2),
                       static_cast<QWidget *>(f.LabeledEdit3), static_cast<QWidget *>(f.UpDown3)})
        expect(w->isEnabled() == c.fields, "parameter fields and UpDown3");
    expect(f.Dplastin1->powerOff() == c.plateDark, "Dplastin1 power");
    for (QWidget *w : {f.UpDown1, f.UpDown2, f.sh_vprm, f.sh_vprm_2})
        expect(w->isEnabled() == c.sourceControls, "source adjusters");
    expect(f.Fmax1->powerOff() == !c.sourcePowered, "Fmax1 power");
    expect(f.Faza1->powerOff() == !c.sourcePowered, "Faza1 power");
    expect(f.amper->powerOff() == !c.sourcePowered, "amper power");
    expect(f.Timer2->isActive() == c.timer2, "Timer2");
    expect(f.Timer3->isActive() == c.timer3, "Timer3");
}

// The number of ramp-up ticks until Timer2 stops, and the dial's
// position and the switches' state after chosen ticks.
struct RampRecord {
    int ticksToStop = 0;
    int firstTickEnablingSwitches = 0;
    int lastTickDrawing = 0;
};

RampRecord runRamp(TForm1 &f)
{
    RampRecord r;
    f.knopka2Click();
    for (int tick = 1; tick <= 500 && f.Timer2->isActive(); ++tick) {
        const int before = f.Lab.WarmupStep;
        f.Timer2Timer();
        if (f.Lab.WarmupStep == before + 1) r.lastTickDrawing = tick;
        if (!r.firstTickEnablingSwitches && f.knopka2->isEnabled() && f.knopka3->isEnabled())
            r.firstTickEnablingSwitches = tick;
        if (!f.Timer2->isActive()) r.ticksToStop = tick;
    }
    return r;
}

// The very double, not one within QCOMPARE's tolerance (which takes 1e-18
// for zero), and no negative zero.
bool exactly(double actual, double expected)
{
    if (actual == expected && std::signbit(actual) == std::signbit(expected)) return true;
    qWarning("%.17g instead of %.17g", actual, expected);
    return false;
}

} // namespace

class TstBenchPower : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }

    void everyStateOfTheSequence()
    {
        Bench b;
        TForm1 &f = b.form;
        b.setOuterSize(735, 637);
        check(f, kAllOff);
        QCOMPARE(pixel(*f.Image2, 7, 7), clGray);

        f.knopka1Click();
        check(f, kScopeOn);
        QVERIFY(!f.amper->isEnabled());
        const int c = f.Image1->width() / 2;
        QCOMPARE(pixel(*f.Image1, 7, 7), clRed);
        QCOMPARE(pixel(*f.Image1, c, c), clGreen);

        f.knopka2Click();
        QVERIFY(f.knopka2->isEnabled());   // disabled only from the first tick
        f.Timer2Timer();
        check(f, kRampingUp);
        QCOMPARE(b.dial(), 1.0);
        for (int i = 0; i < 89; ++i) f.Timer2Timer();
        QCOMPARE(b.dial(), 90.0);
        check(f, kRampingUp);
        f.Timer2Timer();   // the tick that finds 90 frees the switches
        QVERIFY(f.knopka2->isEnabled());
        QVERIFY(f.knopka3->isEnabled());
        while (f.Timer2->isActive()) f.Timer2Timer();
        check(f, kRegulatorOn);
        QVERIFY(!f.amper->isEnabled());
        QCOMPARE(f.amper->value(), 0.0);
        QCOMPARE(b.dial(), 90.0);
        // The full warm-up line: from 97 above to 97 below the centre.
        QCOMPARE(pixel(*f.Image1, 112, 112 - 97), clGreen);
        QCOMPARE(pixel(*f.Image1, 112, 112 + 97), clGreen);

        f.knopka3Click();
        check(f, kSourceOn);
        QVERIFY(f.amper->isEnabled());
        QCOMPARE(pixel(*f.Image2, 7, 7), clRed);
        QCOMPARE(pixel(*f.Image2, 0, 0), clGray);
        // The trace is not redrawn by the switch: the warm-up line stays.
        QCOMPARE(pixel(*f.Image1, 112, 112 - 97), clGreen);

        f.sh_vprmClick(TUDBtnType::btNext);
        QCOMPARE(f.amper->value(), 0.01);
        f.knopka3Click();
        check(f, kRegulatorOn);
        QVERIFY(f.amper->isEnabled());   // from now on
        QCOMPARE(f.amper->value(), 0.0);
        QCOMPARE(pixel(*f.Image2, 7, 7), clGray);

        f.knopka2Click();
        check(f, {"Ramping down, before the first tick", 1, 0, 0, true, true, false, false, true, false, false,
                  false, true});
        const int d = f.Image1->width() / 2;
        QCOMPARE(pixel(*f.Image1, d, d), clScreenDark);   // the screen goes dark at once
        f.Timer3Timer();
        check(f, kRampingDown);
        QCOMPARE(b.dial(), 89.0);
        QVERIFY(f.amper->isEnabled());
        for (int i = 0; i < 89; ++i) f.Timer3Timer();
        QCOMPARE(b.dial(), 0.0);
        check(f, kRampingDown);
        QCOMPARE(pixel(*f.Image1, d, d), clScreenDark);
        f.Timer3Timer();   // the tick that finds 0
        check(f, kScopeOn);
        QCOMPARE(pixel(*f.Image1, d, d), clGreen);   // the spot is back

        f.knopka1Click();
        check(f, kAllOff);
        QCOMPARE(pixel(*f.Image1, d, d), clScreenDark);
        QCOMPARE(pixel(*f.Image1, 7, 7), clGray);
        QVERIFY(b.dialogs.errors.isEmpty());
        QVERIFY(b.dialogs.messages.isEmpty());
    }

    void oscilloscopeSwitchStaysShownPressed()
    {
        Bench b;
        TForm1 &f = b.form;
        f.show();
        QTest::mouseClick(f.knopka1, Qt::LeftButton);
        QVERIFY(f.knopka1->isChecked());
        QCOMPARE(f.Lab.ScopeOn, 1);
        QTest::mouseClick(f.knopka1, Qt::LeftButton);
        QVERIFY(f.knopka1->isChecked());
        QCOMPARE(f.Lab.ScopeOn, 0);
        // Disabled switches ignore clicks.
        QTest::mouseClick(f.knopka2, Qt::LeftButton);
        QCOMPARE(f.Lab.RegulatorOn, 0);
        QVERIFY(!f.Timer2->isActive());
    }

    void rampOnA225PixelScreen()
    {
        Bench b;
        b.setOuterSize(735, 637);
        QCOMPARE(b.form.Lab.PixelsPerCm, 28.125);
        b.form.knopka1Click();
        const RampRecord r = runRamp(b.form);
        QCOMPARE(r.firstTickEnablingSwitches, 91);
        QCOMPARE(r.lastTickDrawing, 98);
        QCOMPARE(r.ticksToStop, 99);
        QCOMPARE(b.form.Lab.WarmupStep, 98);
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
        QCOMPARE(b.form.Image1->width(), screen);
        b.form.knopka1Click();
        const RampRecord r = runRamp(b.form);
        QCOMPARE(r.lastTickDrawing, limit);
        QCOMPARE(b.form.Lab.WarmupStep, limit);
        QCOMPARE(r.firstTickEnablingSwitches, 91);
        QCOMPARE(r.ticksToStop, stopTick);
        QCOMPARE(b.dial(), 90.0);
        // The last line reaches limit - 1 pixels each side of the centre.
        const int c = screen / 2;
        QCOMPARE(pixel(*b.form.Image1, c, c - (limit - 1)), clGreen);
        QCOMPARE(pixel(*b.form.Image1, c, c + (limit - 1)), clGreen);
    }

    void parameterChecks_data()
    {
        QTest::addColumn<QString>("u");
        QTest::addColumn<QString>("n");
        QTest::addColumn<QString>("l");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("start texts") << "1400" << "155" << "10" << true;
        QTest::newRow("00 is not 0") << "1400" << "00" << "10" << true;
        QTest::newRow("leading zero") << "1400" << "0155" << "10" << true;
        QTest::newRow("empty U") << "" << "155" << "10" << false;
        QTest::newRow("empty n") << "1400" << "" << "10" << false;
        QTest::newRow("empty l") << "1400" << "155" << "" << false;
        QTest::newRow("zero U") << "0" << "155" << "10" << false;
        QTest::newRow("zero n") << "1400" << "0" << "10" << false;
        QTest::newRow("zero l") << "1400" << "155" << "0" << false;
    }

    void parameterChecks()
    {
        QFETCH(QString, u);
        QFETCH(QString, n);
        QFETCH(QString, l);
        QFETCH(bool, accepted);
        Bench b;
        TForm1 &f = b.form;
        f.LabeledEdit1->setText(u);
        f.LabeledEdit2->setText(n);
        f.LabeledEdit3->setText(l);
        f.knopka1Click();
        f.knopka2Click();
        if (accepted) {
            QVERIFY(b.dialogs.messages.isEmpty());
            QCOMPARE(f.Lab.RegulatorOn, 1);
            QVERIFY(f.Timer2->isActive());
            QVERIFY(!f.knopka1->isEnabled());
        } else {
            QCOMPARE(b.dialogs.messages,
                     QStringList{QStringLiteral("Проверьте наличие данных в окнах панели ПАРАМЕТРЫ УСТАНОВКИ")});
            check(f, kScopeOn);
        }
        QCOMPARE(f.Lab.WarmupStep, 0);
    }

    void sourceSwitchTakesTheParametersOver()
    {
        Bench b;
        TForm1 &f = b.form;
        f.LabeledEdit1->setText(QStringLiteral("1200"));
        f.LabeledEdit2->setText(QStringLiteral("160"));
        f.LabeledEdit3->setText(QStringLiteral("20"));
        f.Fmax1->setValue(0.15);
        b.toSourceOn();
        QCOMPARE(f.Lab.AnodeVoltage, 1200.0);
        QCOMPARE(f.Lab.TurnsPerMetre, 16000.0);
        QCOMPARE(f.Lab.DriftLength, 0.2);
        QCOMPARE(f.Lab.RippleAmplitude, 0.15);
        QVERIFY(b.dialogs.errors.isEmpty());
    }

    void largeWindingDensityDoesNotWrap()
    {
        // n × 100 beyond the 32-bit range is computed exactly.
        Bench b;
        TForm1 &f = b.form;
        f.LabeledEdit2->setText(QStringLiteral("21474837"));
        b.toSourceOn();
        QCOMPARE(f.Lab.TurnsPerMetre, 2147483700.0);
        QCOMPARE(f.Lab.SourceOn, 1);
        f.knopka3Click();
        f.LabeledEdit2->setText(QStringLiteral("2147483647"));
        f.knopka3Click();
        QCOMPARE(f.Lab.TurnsPerMetre, 214748364700.0);
        // Past the integer range the text itself is refused.
        f.knopka3Click();
        f.LabeledEdit2->setText(QStringLiteral("2147483648"));
        b.dialogs.clear();
        f.knopka3Click();
        QCOMPARE(b.dialogs.errors, QStringList{QStringLiteral("'2147483648' is not a valid integer value")});
        QCOMPARE(f.Lab.TurnsPerMetre, 214748364700.0);
        QCOMPARE(f.Lab.SourceOn, 0);
    }

    void pastedTextsStopTheSourceSwitchKeepingWhatWasTaken()
    {
        Bench b;
        TForm1 &f = b.form;
        f.show();
        // Pasting passes the key filter.
        f.LabeledEdit2->setFocus();
        f.LabeledEdit2->selectAll();
        QApplication::clipboard()->setText(QStringLiteral("1x5"));
        QTest::keyClick(f.LabeledEdit2, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(f.LabeledEdit2->text(), QStringLiteral("1x5"));
        f.LabeledEdit1->setText(QStringLiteral("1500"));
        b.toRegulatorOn();
        QCOMPARE(f.Lab.RegulatorOn, 1);
        f.knopka3Click();
        QCOMPARE(b.dialogs.errors, QStringList{QStringLiteral("'1x5' is not a valid integer value")});
        QCOMPARE(f.Lab.AnodeVoltage, 1500.0);
        QCOMPARE(f.Lab.TurnsPerMetre, 15500.0);
        QCOMPARE(f.Lab.SourceOn, 0);
        check(f, kRegulatorOn);
        QCOMPARE(pixel(*f.Image2, 7, 7), clGray);

        // A bad distance stops after U and n were taken.
        b.dialogs.clear();
        f.LabeledEdit2->setText(QStringLiteral("170"));
        f.LabeledEdit3->setText(QStringLiteral("1e999"));
        f.knopka3Click();
        QCOMPARE(b.dialogs.errors, QStringList{QStringLiteral("'1e999' is not a valid floating point value")});
        QCOMPARE(f.Lab.TurnsPerMetre, 17000.0);
        QCOMPARE(f.Lab.DriftLength, 0.1);
        QCOMPARE(f.Lab.SourceOn, 0);

        // A bad voltage stops before anything is taken.
        b.dialogs.clear();
        f.LabeledEdit1->setText(QStringLiteral("abc"));
        f.LabeledEdit2->setText(QStringLiteral("180"));
        f.knopka3Click();
        QCOMPARE(b.dialogs.errors, QStringList{QStringLiteral("'abc' is not a valid floating point value")});
        QCOMPARE(f.Lab.AnodeVoltage, 1500.0);
        QCOMPARE(f.Lab.TurnsPerMetre, 17000.0);
    }

    void zeroParametersFaultInTheTraceNotInTheSwitch()
    {
        // "00" passes the regulator's check and converts to zero: the trace
        // then stops on its first point with a clean, dark screen.
        Bench b;
        TForm1 &f = b.form;
        f.LabeledEdit2->setText(QStringLiteral("00"));
        b.toSourceOn();
        QVERIFY(b.dialogs.errors.isEmpty());
        f.sh_vprmClick(TUDBtnType::btNext);
        QCOMPARE(b.dialogs.errors, QStringList{QStringLiteral("Floating point division by zero")});
        const int c = f.Image1->width() / 2;
        QCOMPARE(pixel(*f.Image1, c, c), clScreenDark);
        QCOMPARE(f.amper->value(), 0.01);
    }

    void adjusterLimits()
    {
        Bench b;
        TForm1 &f = b.form;
        f.show();
        // The plate length is set with the oscilloscope off.
        for (int i = 0; i < 6; ++i) QTest::mouseClick(arrowOf(f.UpDown3, TUDBtnType::btNext), Qt::LeftButton);
        QCOMPARE(f.Dplastin1->value(), 2.5);
        for (int i = 0; i < 6; ++i) QTest::mouseClick(arrowOf(f.UpDown3, TUDBtnType::btPrev), Qt::LeftButton);
        QCOMPARE(f.Dplastin1->value(), 0.0);

        b.toSourceOn();
        auto press = [](TUpDown *u, TUDBtnType button, int times) {
            for (int i = 0; i < times; ++i)
                QTest::mouseClick(arrowOf(u, button), Qt::LeftButton);
        };
        press(f.UpDown1, TUDBtnType::btNext, 3);
        QVERIFY(exactly(f.Fmax1->value(), 0.25));
        press(f.UpDown1, TUDBtnType::btNext, 2);
        QVERIFY(exactly(f.Fmax1->value(), 0.25));
        press(f.UpDown1, TUDBtnType::btPrev, 5);
        QVERIFY(exactly(f.Fmax1->value(), 0.0));
        press(f.UpDown1, TUDBtnType::btPrev, 3);
        QVERIFY(exactly(f.Fmax1->value(), 0.0));

        press(f.UpDown2, TUDBtnType::btNext, 4);
        QVERIFY(exactly(f.Faza1->value(), 0.5));
        press(f.UpDown2, TUDBtnType::btPrev, 12);
        QVERIFY(exactly(f.Faza1->value(), 0.0));
        QCOMPARE(f.UpDown2->Position(), 0);
        QVERIFY(b.dialogs.errors.isEmpty());
    }

    void rippleConditionHoldsEvenAgainstThePairsPosition()
    {
        // The read-out's own bounds hold when the pair still has room.
        Bench b;
        TForm1 &f = b.form;
        b.toSourceOn();
        f.Fmax1->setValue(0.25);
        f.UpDown1Click(TUDBtnType::btNext);
        QCOMPARE(f.Fmax1->value(), 0.25);
        f.Fmax1->setValue(0.0);
        f.UpDown1Click(TUDBtnType::btPrev);
        QCOMPARE(f.Fmax1->value(), 0.0);
        f.Fmax1->setValue(0.2);
        f.UpDown1Click(TUDBtnType::btNext);
        QVERIFY(exactly(f.Fmax1->value(), 0.25));
    }

    void blockedRippleStillRedrawsTheTrace()
    {
        Bench b;
        TForm1 &f = b.form;
        b.toSourceOn();
        f.Fmax1->setValue(0.25);
        {
            Canvas c = f.Image1->canvas();
            c.setBrushColor(clWhite);
            c.fillRect(TRect{0, 0, f.Image1->width(), f.Image1->height()});
        }
        f.UpDown1Click(TUDBtnType::btNext);
        const int c = f.Image1->width() / 2;
        QCOMPARE(pixel(*f.Image1, c + 30, c + 30), clScreenDark);
        QVERIFY(countPixels(*f.Image1, clGreen) > 0);
    }

    void plateLengthLeavesTheScreenAlone()
    {
        Bench b;
        TForm1 &f = b.form;
        {
            Canvas c = f.Image1->canvas();
            c.setBrushColor(clWhite);
            c.fillRect(TRect{0, 0, f.Image1->width(), f.Image1->height()});
        }
        f.UpDown3Click(TUDBtnType::btNext);
        QCOMPARE(f.Dplastin1->value(), 1.0);
        QCOMPARE(countPixels(*f.Image1, clWhite), f.Image1->width() * f.Image1->height());
    }

    void currentAdjusters()
    {
        Bench b;
        TForm1 &f = b.form;
        f.show();
        b.toSourceOn();
        auto press = [](TUpDown *u, TUDBtnType button) {
            QTest::mouseClick(arrowOf(u, button), Qt::LeftButton);
        };
        // The fine pair starts at the bottom of its range: its first previous does nothing.
        press(f.sh_vprm_2, TUDBtnType::btPrev);
        QCOMPARE(f.amper->value(), 0.0);
        QCOMPARE(f.sh_vprm_2->Position(), 0);
        // The coarse one lets the current go below zero.
        press(f.sh_vprm, TUDBtnType::btPrev);
        QCOMPARE(f.amper->value(), -0.01);
        press(f.sh_vprm, TUDBtnType::btNext);
        press(f.sh_vprm, TUDBtnType::btNext);
        press(f.sh_vprm_2, TUDBtnType::btNext);
        press(f.sh_vprm_2, TUDBtnType::btNext);
        QVERIFY(exactly(f.amper->value(), 0.012));
        // Accumulated, not recomputed from the pairs' positions.
        f.amper->setValue(0.5);
        press(f.sh_vprm_2, TUDBtnType::btNext);
        QVERIFY(exactly(f.amper->value(), 0.501));

        // Switching the source off zeroes the ammeter but not the pairs.
        f.knopka3Click();
        QCOMPARE(f.amper->value(), 0.0);
        QCOMPARE(f.sh_vprm->Position(), 1);
        QCOMPARE(f.sh_vprm_2->Position(), 3);
        f.knopka3Click();
        press(f.sh_vprm_2, TUDBtnType::btPrev);
        QVERIFY(exactly(f.amper->value(), -0.001));
        QCOMPARE(f.sh_vprm_2->Position(), 2);
    }

    void readoutsHoldTheDecimalsTheyShow_data()
    {
        // Presses as "<adjuster><direction><count>": f fine and c coarse current,
        // r ripple, p phase, d plate length; + next, - previous.
        QTest::addColumn<QString>("presses");
        QTest::addColumn<QString>("readout");
        QTest::addColumn<double>("value");
        QTest::newRow("ten fine up, one coarse down") << "f+10 c-1" << "amper" << 0.0;
        QTest::newRow("coarse up and fine down to zero") << "c+3 f+4 f-4 c-3" << "amper" << 0.0;
        QTest::newRow("fine up seven") << "f+7" << "amper" << 0.007;
        QTest::newRow("coarse down past zero") << "f+3 c-1" << "amper" << -0.007;
        QTest::newRow("ripple three up from 0.1") << "r+3" << "Fmax1" << 0.25;
        QTest::newRow("ripple two down from 0.1") << "r-2" << "Fmax1" << 0.0;
        QTest::newRow("ripple up and back") << "r+1 r-3" << "Fmax1" << 0.0;
        QTest::newRow("phase two up from 0.4") << "p+2" << "Faza1" << 0.5;
        QTest::newRow("phase eight down from 0.4") << "p-8" << "Faza1" << 0.0;
        QTest::newRow("phase three down") << "p-3" << "Faza1" << 0.25;
        QTest::newRow("plate four up from 0.5") << "d+4" << "Dplastin1" << 2.5;
        QTest::newRow("plate one down from 0.5") << "d-1" << "Dplastin1" << 0.0;
    }

    void readoutsHoldTheDecimalsTheyShow()
    {
        QFETCH(QString, presses);
        QFETCH(QString, readout);
        QFETCH(double, value);
        Bench b;
        TForm1 &f = b.form;
        b.setOuterSize(735, 637);
        b.toSourceOn();
        for (const QString &p : presses.split(QLatin1Char(' '))) {
            const TUDBtnType button = p[1] == QLatin1Char('+') ? TUDBtnType::btNext : TUDBtnType::btPrev;
            for (int i = 0; i < p.mid(2).toInt(); ++i) {
                switch (p[0].toLatin1()) {
                case 'f': f.sh_vprm_2Click(button); break;
                case 'c': f.sh_vprmClick(button); break;
                case 'r': f.UpDown1Click(button); break;
                case 'p': f.UpDown2Click(button); break;
                case 'd': f.UpDown3Click(button); break;
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
        TForm1 &f = b.form;
        b.toSourceOn();
        std::mt19937 random(20240305);
        long long milliamperes = 0;
        for (int i = 0; i < 3000; ++i) {
            const bool coarse = random() % 2 == 0;
            const TUDBtnType button = random() % 2 == 0 ? TUDBtnType::btNext : TUDBtnType::btPrev;
            const int step = (coarse ? 10 : 1) * (button == TUDBtnType::btNext ? 1 : -1);
            coarse ? f.sh_vprmClick(button) : f.sh_vprm_2Click(button);
            milliamperes += step;
            if (!exactly(f.amper->value(), double(milliamperes) / 1000)) QFAIL(qPrintable(QString::number(i)));
        }
    }

    void calculatorSeesTheZeroTheAmmeterShows()
    {
        // From a fresh source, ten fine presses up and one coarse down: the
        // ammeter reads 0, and the calculator divides by that zero.
        Bench b;
        TForm1 &f = b.form;
        b.setOuterSize(735, 637);
        b.toSourceOn();
        for (int i = 0; i < 10; ++i) f.sh_vprm_2Click(TUDBtnType::btNext);
        f.sh_vprmClick(TUDBtnType::btPrev);
        f.Image2Click();
        f.SpeedButton3Click();
        QCOMPARE(b.dialogs.errors, QStringList{QStringLiteral("Floating point division by zero")});
        QVERIFY(f.Edit1->text().isEmpty());
    }

    void heldArrowShowsOneRealErrorBox()
    {
        // Qt's own boxes, each in its own event loop: with every trace
        // failing, the coarse arrow is held down while the box is open (the
        // release goes to the box). One box, one step.
        TForm1 f;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTest::qWait(300);   // the first showing's pass is over
        {
            RecordingDialogs quiet;
            makeEveryTraceFail(f);
        }
        f.knopka3Click();   // the source on again: the switch draws no trace
        setRepeatPace(f.sh_vprm, 20, 10);
        RealBoxes boxes(300);
        QTest::mousePress(arrowOf(f.sh_vprm, TUDBtnType::btNext), Qt::LeftButton);
        QTest::qWait(200);
        QCOMPARE(boxes.shown, 1);
        QCOMPARE(boxes.mostOpen, 1);
        QCOMPARE(boxes.caption, QCoreApplication::applicationName());
        QCOMPARE(boxes.text, QStringLiteral("Floating point division by zero"));
        QCOMPARE(f.amper->value(), 0.01);
        QCOMPARE(f.sh_vprm->Position(), 1);
    }

    void ammeterKeepsCountingPastItsDisplay()
    {
        Bench b;
        TForm1 &f = b.form;
        b.toSourceOn();
        f.amper->setValue(9.995);
        for (int i = 0; i < 3; ++i) f.sh_vprmClick(TUDBtnType::btNext);
        QVERIFY(exactly(f.amper->value(), 10.025));
        QVERIFY(b.dialogs.errors.isEmpty());
    }

    void interlocks()
    {
        Bench b;
        TForm1 &f = b.form;
        f.show();
        b.toSourceOn();
        // With the source on the regulator cannot be switched off, and with
        // the regulator on the oscilloscope cannot.
        QTest::mouseClick(f.knopka2, Qt::LeftButton);
        QTest::mouseClick(f.knopka1, Qt::LeftButton);
        check(f, kSourceOn);
    }

    void oscilloscopeOffDuringTheRampDown()
    {
        Bench b;
        TForm1 &f = b.form;
        b.setOuterSize(735, 637);
        b.toRegulatorOn();
        f.knopka2Click();
        for (int i = 0; i < 10; ++i) f.Timer3Timer();
        QVERIFY(f.knopka1->isEnabled());
        f.knopka1Click();
        QCOMPARE(f.Lab.ScopeOn, 0);
        QVERIFY(!f.knopka2->isEnabled());
        QVERIFY(!f.knopka3->isEnabled());
        QVERIFY(f.LabeledEdit1->isEnabled());
        QCOMPARE(pixel(*f.Image1, 112, 112), clScreenDark);
        QVERIFY(f.Timer3->isActive());
        while (f.Timer3->isActive()) f.Timer3Timer();
        QCOMPARE(b.dial(), 0.0);
        QVERIFY(f.knopka2->isEnabled());   // with the oscilloscope off
        QCOMPARE(pixel(*f.Image1, 7, 7), clGray);
        QCOMPARE(pixel(*f.Image1, 112, 112), clScreenDark);

        // A ramp-up from here draws no warm-up line and stops at 90.
        const RampRecord r = runRamp(f);
        QCOMPARE(r.lastTickDrawing, 0);
        QCOMPARE(r.ticksToStop, 91);
        QCOMPARE(f.Lab.WarmupStep, 0);
        QCOMPARE(countPixels(*f.Image1, clGreen), 0);
    }

    void switchingOffWhileTheWarmUpLineGrowsEndsTheRampUp()
    {
        Bench b;
        TForm1 &f = b.form;
        b.setOuterSize(735, 637);
        f.knopka1Click();
        f.knopka2Click();
        for (int i = 0; i < 93; ++i) f.Timer2Timer();
        QVERIFY(f.Timer2->isActive());   // the line is still growing
        QVERIFY(f.knopka2->isEnabled());
        f.knopka2Click();
        QVERIFY(!f.Timer2->isActive());
        QVERIFY(f.Timer3->isActive());
        int ticks = 0;
        while (f.Timer3->isActive() && ticks < 1000) {
            f.Timer3Timer();
            ++ticks;
        }
        QCOMPARE(ticks, 91);
        QCOMPARE(b.dial(), 0.0);
        check(f, kScopeOn);
    }

    void switchingOnBeforeTheFirstRampDownTickEndsTheRampDown()
    {
        Bench b;
        TForm1 &f = b.form;
        b.setOuterSize(735, 637);
        b.toRegulatorOn();
        f.knopka2Click();   // off: the ramp-down is due
        QVERIFY(f.knopka2->isEnabled());
        f.knopka2Click();   // on again before its first tick
        QVERIFY(!f.Timer3->isActive());
        QVERIFY(f.Timer2->isActive());
        int ticks = 0;
        while (f.Timer2->isActive() && ticks < 1000) {
            f.Timer2Timer();
            ++ticks;
        }
        QVERIFY(ticks < 1000);
        QCOMPARE(b.dial(), 90.0);
        check(f, kRegulatorOn);
    }

    void switchingTheSourceOnEndsTheWarmUpLine()
    {
        // At 1280 wide (a 406-pixel screen, 50.75 pixels per centimetre) the
        // warm-up line grows to 3.5 cm = 177.6, rounded 178 pixels, while the
        // switches free up at tick 91. The source switched on in that span
        // ends the ramp-up, so no warm-up line is drawn over the trace the
        // adjusters draw, however long the ramp would have gone on.
        Bench b;
        TForm1 &f = b.form;
        b.setOuterSize(1280, 800);
        QCOMPARE(f.Image1->width(), 406);
        QCOMPARE(f.Lab.PixelsPerCm, 50.75);
        f.knopka1Click();
        f.knopka2Click();
        for (int i = 0; i < 92; ++i) f.Timer2Timer();
        QVERIFY(f.knopka3->isEnabled());
        QCOMPARE(f.Lab.WarmupStep, 92);   // the line is still growing
        f.knopka3Click();
        check(f, kSourceOn);
        // 0.2 A: the trace lies nearly flat across the centre.
        for (int i = 0; i < 20; ++i) f.sh_vprmClick(TUDBtnType::btNext);
        const QImage trace = f.Image1->picture().copy();
        for (int i = 0; i < 200 && f.Timer2->isActive(); ++i) f.Timer2Timer();
        QCOMPARE(f.Image1->picture(), trace);
        QCOMPARE(f.Lab.WarmupStep, 92);
        // The centre column above and below the trace stays dark.
        const int c = 203;
        QCOMPARE(pixel(*f.Image1, c, c), clGreen);
        for (int dy = 20; dy < 178; ++dy) {
            QCOMPARE(pixel(*f.Image1, c, c - dy), clScreenDark);
            QCOMPARE(pixel(*f.Image1, c, c + dy), clScreenDark);
        }
        // With the source off again the regulator may go off.
        f.knopka3Click();
        QVERIFY(f.knopka2->isEnabled());
        QVERIFY(b.dialogs.errors.isEmpty());
    }

    void sourceOffRedrawsTheTraceAtZeroCurrent()
    {
        // A 225-pixel screen, 28.125 pixels per centimetre: at zero current
        // the trace is the vertical sweep of 3.5 cm each side of the centre,
        // rows 112.5 -/+ 98.4 rounded, 14 to 211, drawn 4 pixels wide.
        Bench b;
        TForm1 &f = b.form;
        b.setOuterSize(735, 637);
        QCOMPARE(f.Image1->width(), 225);
        b.toSourceOn();
        for (int i = 0; i < 20; ++i) f.sh_vprmClick(TUDBtnType::btNext);
        QVERIFY(greenWidth(*f.Image1) > 100);   // the trace at 0.2 A lies nearly flat
        f.knopka3Click();
        QCOMPARE(f.amper->value(), 0.0);
        const QImage &screen = f.Image1->picture();
        for (int y = 0; y < 225; ++y)
            for (int x = 0; x < 225; ++x) {
                const bool onSweep = x >= 109 && x <= 115 && y >= 11 && y <= 214;
                if (!onSweep && fromQColor(screen.pixelColor(x, y)) == clGreen)
                    QFAIL(qPrintable(QStringLiteral("green at (%1, %2), off the sweep line").arg(x).arg(y)));
            }
        for (int y = 16; y <= 209; ++y) QCOMPARE(pixel(*f.Image1, 112, y), clGreen);
        QCOMPARE(pixel(*f.Image1, 7, 7), clRed);   // the oscilloscope's lamp stays
        QCOMPARE(pixel(*f.Image2, 7, 7), clGray);  // the source lamp is off
    }

    void parameterFieldsTakeDigitsAndBackspaceOnly()
    {
        Bench b;
        TForm1 &f = b.form;
        f.show();
        for (TLabeledEdit *e : {f.LabeledEdit1, f.LabeledEdit2, f.LabeledEdit3}) {
            e->setFocus();
            e->clear();
            QTest::keyClicks(e, QStringLiteral("1a2,3.-4 e5"));
            QCOMPARE(e->text(), QStringLiteral("12345"));
            QTest::keyClick(e, Qt::Key_Backspace);
            QCOMPARE(e->text(), QStringLiteral("1234"));
            QTest::keyClick(e, Qt::Key_Tab, Qt::NoModifier);
        }
        QChar key(u'7');
        f.LabeledEdit2KeyPress(key);
        QCOMPARE(key, QChar(u'7'));
        key = QChar(8);
        f.LabeledEdit3KeyPress(key);
        QCOMPARE(key, QChar(8));
        for (QChar c : {QChar(u'x'), QChar(u','), QChar(13), QChar(0x0663), QChar(u'+')}) {
            key = c;
            f.LabeledEdit1KeyPress(key);
            QCOMPARE(key, QChar(0));
        }
    }
};

QTEST_MAIN(TstBenchPower)
#include "tst_bench_power.moc"
