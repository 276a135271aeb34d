// SPDX-License-Identifier: GPL-3.0-or-later
// The arrow pairs under a real mouse: a press or a held press whose handler
// fails shows one box and moves its read-out by one step; a held arrow stops
// when a modal question opens; and held without a failure it repeats at an
// even pace. The read-outs are read from the screen's pixels.
#include "scenario.h"
#include "wait.h"

#include <QElapsedTimer>

namespace {

struct Adjuster {
    QRect BenchPlan::*pair;
    std::optional<double> (BenchOnScreen::*read)(const QImage &) const;
    double start;
    double step;
};

// The read-out settles on a value: two screenshots in a row agree.
std::optional<double> settled(const BenchOnScreen &b, const Adjuster &a)
{
    std::optional<double> last, now;
    waitFor([&] {
        last = now;
        now = (b.*a.read)(b.shot());
        return now && now == last;
    });
    return now;
}

bool near(std::optional<double> value, double expected)
{
    return value && std::abs(*value - expected) < 1e-9;
}

QString describe(std::optional<double> value)
{
    return value ? QString::number(*value, 'f', 3) : QString("nothing readable");
}

}  // namespace

Q_DECLARE_METATYPE(Adjuster)

class TestRealWindowArrows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void oneBoxPerPressAndPerHeldPress_data();
    void oneBoxPerPressAndPerHeldPress();
    void heldArrowStopsWhenTheExitQuestionOpens();
    void heldArrowRepeatsAtAnEvenPace();
    void fineArrowRaisesAgainAfterTheSourceIsOffAndOn();

private:
    std::unique_ptr<XSession> x;
};

void TestRealWindowArrows::initTestCase()
{
    REQUIRE_DISPLAY(x, QSize(1024, 768));
}

void TestRealWindowArrows::oneBoxPerPressAndPerHeldPress_data()
{
    QTest::addColumn<Adjuster>("adjuster");
    QTest::newRow("coarseCurrentArrows") << Adjuster{&BenchPlan::coarseCurrentArrows, &BenchOnScreen::ammeter, 0, 0.01};
    QTest::newRow("fineCurrentArrows") << Adjuster{&BenchPlan::fineCurrentArrows, &BenchOnScreen::ammeter, 0, 0.001};
    QTest::newRow("rippleArrows") << Adjuster{&BenchPlan::rippleArrows, &BenchOnScreen::ripple, 0.1, 0.05};
    QTest::newRow("phaseArrows") << Adjuster{&BenchPlan::phaseArrows, &BenchOnScreen::phase, 0.4, 0.05};
}

void TestRealWindowArrows::oneBoxPerPressAndPerHeldPress()
{
    QFETCH(Adjuster, adjuster);
    // A winding density of "00" passes the regulator's check, and once the
    // source has taken it over every trace divides by zero.
    BenchOnScreen b(*x);
    VERIFY_DONE(b.start());
    b.retype(b.plan.turnDensityField, "00");
    VERIFY_DONE(b.switchOnToSource());
    QVERIFY(near(settled(b, adjuster), adjuster.start));
    const QPoint arrow = b.nextArrow(b.plan.*adjuster.pair);
    auto atMostOneBox = [&] { return b.boxes().size() <= 1; };

    // One click: one error box, carrying the bench's title.
    b.input.click(arrow);
    QVERIFY2(b.waitForABox(), "no error box after the click");
    QVERIFY2(keepsHolding(atMostOneBox, 1500), "more than one box after one click");
    const QList<XWindow> boxes = b.boxes();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].name, kBenchTitle);
    b.answer(boxes[0], "Return");
    QVERIFY2(b.waitForBoxes(0), "the box did not close on Return");
    const double once = adjuster.start + adjuster.step;
    std::optional<double> shown = settled(b, adjuster);
    QVERIFY2(near(shown, once), qPrintable("after one click the read-out shows " + describe(shown)));
    QVERIFY2(keepsHolding([&] { return b.boxes().isEmpty() && near((b.*adjuster.read)(b.shot()), once); }, 1000),
             "the read-out or the boxes went on after the box was answered");

    // Three seconds held: still one box, and one more step.
    b.input.press(arrow);
    const bool boxed = b.waitForABox();
    const bool single = keepsHolding(atMostOneBox, 3000);
    b.input.release();
    QVERIFY2(boxed, "no error box while the arrow was held");
    QVERIFY2(single, "more than one box while the arrow was held");
    b.answer(b.boxes().value(0), "Return");
    QVERIFY2(b.waitForBoxes(0), "the box did not close on Return");
    const double twice = once + adjuster.step;
    shown = settled(b, adjuster);
    QVERIFY2(near(shown, twice), qPrintable("after the held press the read-out shows " + describe(shown)));
    QVERIFY2(keepsHolding([&] { return b.boxes().isEmpty() && near((b.*adjuster.read)(b.shot()), twice); }, 1000),
             "the read-out or the boxes went on after the box was answered");
    QVERIFY(b.process.alive());
}

void TestRealWindowArrows::heldArrowStopsWhenTheExitQuestionOpens()
{
    BenchOnScreen b(*x);
    VERIFY_DONE(b.start());
    VERIFY_DONE(b.switchOnToSource());
    const Adjuster coarse{&BenchPlan::coarseCurrentArrows, &BenchOnScreen::ammeter, 0, 0.01};

    // Held until it repeats, then Ctrl+C while it is still held.
    b.input.press(b.nextArrow(b.plan.coarseCurrentArrows));
    const bool repeating = waitFor([&] { return b.ammeter(b.shot()).value_or(0) >= 0.03; });
    b.input.keys({"ctrl+c"});
    const bool asked = b.waitForABox();
    std::optional<double> atQuestion;
    bool stopped = false;
    if (asked) {
        atQuestion = settled(b, coarse);
        stopped = keepsHolding([&] { return b.ammeter(b.shot()) == atQuestion; }, 1500);
    }
    b.input.release();
    QVERIFY2(repeating, "the held arrow did not repeat");
    QVERIFY2(asked, "Ctrl+C opened no question");
    QVERIFY2(stopped, qPrintable("the ammeter went on from " + describe(atQuestion) + " behind the question"));
    QVERIFY(b.boxes().value(0).name.startsWith("Warning"));

    // No: the question closes, the program goes on, and the arrow does not resume.
    b.answer(b.boxes().value(0), "Escape");
    QVERIFY2(b.waitForBoxes(0), "the question did not close on Escape");
    QVERIFY2(keepsHolding([&] { return b.ammeter(b.shot()) == atQuestion; }, 1500),
             "the arrow resumed after the question was answered");
    QVERIFY(b.process.alive());
}

void TestRealWindowArrows::heldArrowRepeatsAtAnEvenPace()
{
    BenchOnScreen b(*x);
    VERIFY_DONE(b.start());
    VERIFY_DONE(b.switchOnToSource());

    // The ammeter read every screenshot while the right arrow is held.
    struct Sample {
        double seconds;
        double amperes;
    };
    QList<Sample> samples;
    QElapsedTimer clock;
    b.input.press(b.nextArrow(b.plan.coarseCurrentArrows));
    clock.start();
    while (clock.elapsed() < 4000) {
        const qint64 before = clock.elapsed();
        const std::optional<double> shown = b.ammeter(b.shot());
        if (shown) samples << Sample{(before + clock.elapsed()) / 2000.0, *shown};
    }
    b.input.release();
    const std::optional<double> released = b.ammeter(b.shot());
    QVERIFY2(keepsHolding([&] { return b.ammeter(b.shot()) == released; }, 1000), "the arrow went on after release");

    // From the first step on, the last third of the hold steps no faster
    // than the first third: no acceleration (a loose bound, as the machine
    // is shared and a busy moment slows either third).
    while (!samples.isEmpty() && samples.first().amperes == 0) samples.removeFirst();
    QVERIFY2(samples.size() >= 6, "too few readings of a repeating ammeter");
    const double span = samples.last().seconds - samples.first().seconds;
    auto nearest = [&](double seconds) {
        return *std::min_element(samples.begin(), samples.end(), [&](const Sample &a, const Sample &b) {
            return std::abs(a.seconds - seconds) < std::abs(b.seconds - seconds);
        });
    };
    auto pace = [](const Sample &from, const Sample &to) {
        return (to.amperes - from.amperes) / 0.01 / (to.seconds - from.seconds);
    };
    const double earlier = pace(samples.first(), nearest(samples.first().seconds + span / 3));
    const double later = pace(nearest(samples.last().seconds - span / 3), samples.last());
    QVERIFY2(samples.last().amperes >= 0.1 - 1e-9, "fewer than ten steps in a long hold");
    QVERIFY2(later <= 1.5 * earlier + 1,
             qPrintable(QString("%1 steps a second, then %2: the repeat speeds up").arg(earlier).arg(later)));
}

// The fine pair held until it stops at the top of its range (0.1 A); the
// source off and on again; then its raise arrow steps the current again.
void TestRealWindowArrows::fineArrowRaisesAgainAfterTheSourceIsOffAndOn()
{
    BenchOnScreen b(*x);
    VERIFY_DONE(b.start());
    VERIFY_DONE(b.switchOnToSource());
    const Adjuster fine{&BenchPlan::fineCurrentArrows, &BenchOnScreen::ammeter, 0, 0.001};
    const QPoint raise = b.nextArrow(b.plan.fineCurrentArrows);
    b.input.press(raise);
    const bool top = waitFor([&] { return near(b.ammeter(b.shot()), 0.1); }, 3 * kPatienceMs);
    b.input.release();
    QVERIFY2(top, qPrintable("the held fine arrow stopped at " + describe(settled(b, fine))));
    b.input.click(raise);
    QVERIFY2(keepsHolding([&] { return near(b.ammeter(b.shot()), 0.1); }, 1000), "the fine pair went past its top");

    auto sourceLamp = [&](QRgb colour) {
        return waitFor([&] { return sameColour(b.pixel(b.shot(), b.plan.sourceLamp, 7, 7), colour); });
    };
    b.click(b.plan.sourceSwitch);
    QVERIFY2(sourceLamp(kGrey), "the source did not go off");
    b.click(b.plan.sourceSwitch);
    QVERIFY2(sourceLamp(kRed), "the source did not come on again");
    QVERIFY2(near(settled(b, fine), 0), "the ammeter did not start again at 0");
    b.input.click(raise);
    const std::optional<double> shown = settled(b, fine);
    keepScreenshot(b.shot(), "fine_arrow_after_off_and_on");
    QVERIFY2(near(shown, 0.001), qPrintable("after the off and on the fine arrow gives " + describe(shown)));
}

QTEST_GUILESS_MAIN(TestRealWindowArrows)
#include "tst_real_window_arrows.moc"
