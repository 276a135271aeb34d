// SPDX-License-Identifier: GPL-3.0-or-later
// The oscilloscope screen and the read-outs as the student sees them: the
// power sequence to a beam trace and back to all off, the trace's points
// where the lab's physics puts them, the warm-up line that must not cross a
// trace on a large window, and the seven-segment digits' segment tips.
#include "scenario.h"
#include "trace_model.h"
#include "wait.h"

class TestRealWindowPower : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void powerSequenceToATraceAndBack();
    void segmentTipsOnTheScreen();
    void noWarmupLineOverATrace();

private:
    std::unique_ptr<XSession> x;
};

void TestRealWindowPower::initTestCase()
{
    REQUIRE_DISPLAY(x, QSize(1024, 768));
}

void TestRealWindowPower::powerSequenceToATraceAndBack()
{
    BenchOnScreen b(*x);
    VERIFY_DONE(b.start());
    const BenchPlan &p = b.plan;
    const int c = b.screenCentre();
    const int reach = warmupLimit(b.screenSide) - 1;

    // All off: both lamps grey, the screen dark, the ammeter all eights in its unlit green.
    VERIFY_NONE(b.expectPixels("1_all_off",
                               {{p.screen, 7, 7, kGrey, "oscilloscope lamp"},
                                {p.screen, c, c, kDark, "screen centre"},
                                {p.sourceLamp, 7, 7, kGrey, "source lamp"}}));
    QCOMPARE(readReadout(b.shot(), b.onScreen(p.ammeter).topLeft(), kAmmeterLook, qRgb(0, 85, 0)), 8.888);

    // Oscilloscope on: red lamp, green spot at the centre.
    b.click(p.scopeSwitch);
    VERIFY_NONE(b.expectPixels("2_scope_on",
                               {{p.screen, 7, 7, kRed, "oscilloscope lamp"},
                                {p.screen, c, c, kGreen, "beam spot"},
                                {p.screen, c, c - 20, kDark, "screen above the spot"}}));

    // Regulator on: the dial ramps up and the warm-up line grows to limit - 1 either side.
    b.click(p.regulatorSwitch);
    VERIFY_NONE(b.expectPixels("3_regulator_on",
                               {{p.screen, c, c, kGreen, "warm-up line, centre"},
                                {p.screen, c, c - reach, kGreen, "warm-up line, top end"},
                                {p.screen, c, c + reach, kGreen, "warm-up line, bottom end"},
                                {p.screen, c, c - reach - 5, kDark, "above the warm-up line"},
                                {p.screen, c + 6, c, kDark, "beside the warm-up line"}}));

    // Source on: its lamp lights, the read-outs light up with their start values.
    QVERIFY(waitFor([&] { return b.looksEnabled(b.shot(), p.sourceSwitch); }));
    b.click(p.sourceSwitch);
    VERIFY_NONE(b.expectPixels(
        "4_source_on", {{p.sourceLamp, 7, 7, kRed, "source lamp"}, {p.screen, 7, 7, kRed, "oscilloscope lamp"}}));
    QImage shot = b.shot();
    QCOMPARE(b.ammeter(shot), 0.0);
    QCOMPARE(b.ripple(shot), 0.1);
    QCOMPARE(b.phase(shot), 0.4);

    // 0.2 A in twenty coarse steps: the turned, shortened trace, its points where the model puts them.
    b.input.xdotool({"mousemove", QString::number(b.nextArrow(p.coarseCurrentArrows).x()),
                     QString::number(b.nextArrow(p.coarseCurrentArrows).y()), "click", "--repeat", "20", "--delay",
                     "80", "1"});
    QVERIFY(waitFor([&] { return b.ammeter(b.shot()) == 0.2; }));
    TraceSetup setup;
    setup.current = 0.2;
    const QList<QPoint> trace = tracePoints(setup, b.screenSide);
    QList<PixelCheck> checks{{p.screen, 7, 7, kRed, "oscilloscope lamp"}};
    for (const int i : {0, 25, 50, 75, 100})
        checks << PixelCheck{p.screen, trace[i].x(), trace[i].y(), kGreen, QString("trace point %1").arg(i)};
    // The warm-up line is gone where the turned trace does not pass.
    checks << PixelCheck{p.screen, c, c - reach, kDark, "old warm-up line, top end"};
    VERIFY_NONE(b.expectPixels("5_trace", checks));

    // Source off: its lamp goes grey, the ammeter to zero, and the trace is drawn again at zero current.
    b.click(p.sourceSwitch);
    const QList<QPoint> zero = tracePoints(TraceSetup{}, b.screenSide);
    VERIFY_NONE(b.expectPixels("6_source_off",
                               {{p.sourceLamp, 7, 7, kGrey, "source lamp"},
                                {p.screen, zero[0].x(), zero[0].y(), kGreen, "zero-current trace, top"},
                                {p.screen, zero[50].x(), zero[50].y(), kGreen, "zero-current trace, bottom"},
                                {p.screen, trace[0].x(), trace[0].y(), kDark, "old trace's end"}}));
    QCOMPARE(readReadout(b.shot(), b.onScreen(p.ammeter).topLeft(), kAmmeterLook, qRgb(0, 85, 0)), 8.888);

    // Regulator off: the screen goes dark, and once the dial is down the spot returns.
    b.click(p.regulatorSwitch);
    VERIFY_NONE(b.expectPixels("7_regulator_off",
                               {{p.screen, 7, 7, kRed, "oscilloscope lamp"},
                                {p.screen, c, c, kGreen, "beam spot"},
                                {p.screen, c, c - 20, kDark, "where the trace was"},
                                {p.screen, zero[0].x(), zero[0].y(), kDark, "trace's top end"}}));

    // Oscilloscope off: all off again.
    QVERIFY(waitFor([&] { return b.looksEnabled(b.shot(), p.scopeSwitch); }));
    b.click(p.scopeSwitch);
    VERIFY_NONE(b.expectPixels("8_all_off_again",
                               {{p.screen, 7, 7, kGrey, "oscilloscope lamp"},
                                {p.screen, c, c, kDark, "screen centre"},
                                {p.sourceLamp, 7, 7, kGrey, "source lamp"}}));
    QVERIFY2(b.boxes().isEmpty(), "a box opened during the power sequence");
    QCOMPARE(b.process.closeAndWait(), 0);
}

void TestRealWindowPower::segmentTipsOnTheScreen()
{
    // Segments B and C of every lit digit keep their lower tips: the
    // corners (W-1, h-1) and (W-1, H-2) of the cell, on the real screen.
    BenchOnScreen b(*x);
    VERIFY_DONE(b.start());
    VERIFY_DONE(b.switchOnToSource());
    QVERIFY(waitFor([&] { return b.ammeter(b.shot()) == 0.0; }));
    const QList<QPolygon> segments = segmentPolygons(QSize(10, 18));
    const QPoint tipB = segments[1][1], tipC = segments[2][1];
    QList<PixelCheck> checks;
    for (const QRect &cell : digitCells(kAmmeterLook)) {
        checks << PixelCheck{b.plan.ammeter, cell.x() + tipB.x(), cell.y() + tipB.y(), kLime,
                             QString("B's lower tip, cell at %1").arg(cell.x())};
        checks << PixelCheck{b.plan.ammeter, cell.x() + tipC.x(), cell.y() + tipC.y(), kLime,
                             QString("C's lower tip, cell at %1").arg(cell.x())};
    }
    VERIFY_NONE(b.expectPixels("segment_tips", checks));
}

void TestRealWindowPower::noWarmupLineOverATrace()
{
    // At 1280 wide the screen is 406 pixels and the warm-up line needs 178
    // ticks, while the source switch is enabled from the dial's tick 91.
    // (The screen's side is measured: the layout of a maximised window is
    // checked elsewhere.)
    std::unique_ptr<XSession> wide;
    REQUIRE_DISPLAY(wide, QSize(1280, 1024));
    BenchOnScreen b(*wide);
    VERIFY_DONE(b.start());
    b.input.maximise(b.process.window());
    QVERIFY(waitFor([&] { return b.screen.window(b.process.window()).outer().width() == 1280; }));
    VERIFY_DONE(b.locate(true));
    QVERIFY2(b.screenSide >= 400, "the screen is not as large as a 1280-wide window makes it");
    const BenchPlan &p = b.plan;
    const int c = b.screenCentre(), limit = warmupLimit(b.screenSide);

    // Points of the centre column the warm-up line covers and the trace of
    // one coarse step (0.01 A, turned a little off the vertical) keeps clear of.
    TraceSetup oneStep;
    oneStep.current = 0.01;
    const QList<QPoint> trace = tracePoints(oneStep, b.screenSide);
    QList<PixelCheck> clear;
    for (const int k : {limit - 1, limit * 3 / 4, -(limit - 1), -(limit * 3 / 4)}) {
        const QPoint point(c, c - k);
        const bool nearTrace =
            std::any_of(trace.begin(), trace.end(), [&](QPoint t) { return (t - point).manhattanLength() < 8; });
        QVERIFY2(!nearTrace, "the trace of one step passes too near the centre column's check point");
        clear << PixelCheck{p.screen, point.x(), point.y(), kDark, QString("centre column %1 from the centre").arg(k)};
    }

    b.click(p.scopeSwitch);
    VERIFY_NONE(b.expectPixels("race_scope_on", {{p.screen, 7, 7, kRed, "oscilloscope lamp"}}));
    b.click(p.regulatorSwitch);
    // The moment the source switch looks enabled: source on and one coarse
    // step, in one go, while the warm-up line is still growing.
    bool growing = false;
    QVERIFY(waitFor(
        [&] {
            const QImage image = b.shot();
            if (!b.looksEnabled(image, p.sourceSwitch)) return false;
            growing = !sameColour(b.screenPixel(image, c, c - (limit - 1)), kGreen);
            const QPoint sw = b.centre(p.sourceSwitch), arrow = b.nextArrow(p.coarseCurrentArrows);
            b.input.xdotool({"mousemove", QString::number(sw.x()), QString::number(sw.y()), "click", "1", "sleep",
                             "0.05", "mousemove", QString::number(arrow.x()), QString::number(arrow.y()), "click",
                             "1"});
            return true;
        },
        kPatienceMs, 0));
    if (!growing) qInfo("the source switch was enabled only after the warm-up line was complete: no race to lose");
    QVERIFY(waitFor([&] { return b.ammeter(b.shot()) == 0.01; }));
    VERIFY_NONE(b.expectPixels("race_trace",
                               {{p.sourceLamp, 7, 7, kRed, "source lamp"},
                                {p.screen, trace[0].x(), trace[0].y(), kGreen, "trace's top end"}}));
    // However long the ramp goes on, the centre column beside the trace stays dark.
    QImage image;
    QStringList crossed;
    keepsHolding([&] { return (crossed = b.mismatches(image = b.shot(), clear)).isEmpty(); }, 3000, 0);
    if (!crossed.isEmpty()) crossed << "screenshot " + keepScreenshot(image, "race_crossed");
    VERIFY_NONE(crossed);
}

QTEST_GUILESS_MAIN(TestRealWindowPower)
#include "tst_real_window_power.moc"
