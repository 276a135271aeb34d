// SPDX-License-Identifier: GPL-3.0-or-later
// The window manager's commands on a bench whose trace fails: every move,
// drag, resize, maximise and restore redraws the screen once and so shows at
// most one error box, and a minimised bench shows none until it is restored.
#include "scenario.h"
#include "wait.h"

class TestRealWindowSystem : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void oneBoxPerWindowCommand();

private:
    std::unique_ptr<XSession> x;
};

void TestRealWindowSystem::initTestCase()
{
    REQUIRE_DISPLAY(x, QSize(1024, 768));
}

void TestRealWindowSystem::oneBoxPerWindowCommand()
{
    // "00" turns per centimetre taken over by the source: with the
    // regulator on, every redraw of the trace divides by zero.
    BenchOnScreen b(*x);
    VERIFY_DONE(b.start());
    b.retype(b.plan.turnDensityField, "00");
    VERIFY_DONE(b.switchOnToSource());
    QVERIFY2(b.boxes().isEmpty(), "a box before any window command");
    const XId bench = b.process.window();
    auto benchNow = [&] { return b.screen.window(bench); };

    // Each command: once the window manager has carried it out, at most one
    // box for a while; that box answered. Every failure told at the end.
    QStringList failures;
    auto command = [&](const QString &name, const std::function<void()> &give,
                       const std::function<bool(const XWindow &)> &done) {
        give();
        if (!waitFor([&] { return done(benchNow()); })) {
            failures << name + ": the window manager did not carry it out";
            return;
        }
        int most = 0;
        keepsHolding([&] { return (most = std::max<int>(most, b.boxes().size())) <= 1; }, 1500);
        qInfo("%s: %d box(es)", qPrintable(name), most);
        if (most > 1) failures << QString("%1: %2 boxes").arg(name).arg(most);
        for (const XWindow &box : b.boxes()) b.answer(box, "Return");
        if (!b.waitForBoxes(0)) failures << name + ": the boxes did not close";
    };

    for (int i = 1; i <= 5; ++i) {
        const QPoint to(40 * i, 30 * i);
        command(
            QString("move %1").arg(i), [&] { b.input.moveWindow(bench, to); },
            [&](const XWindow &w) { return w.outer().topLeft() == to; });
    }
    const QRect before = benchNow().outer();
    const QPoint grip(before.center().x(), before.top() + benchNow().frame.top() / 2);
    command(
        "drag", [&] { b.input.drag(grip, grip + QPoint(90, 60), 12); },
        [&](const XWindow &w) { return w.outer().topLeft() == before.topLeft() + QPoint(90, 60); });
    command(
        "resize", [&] { b.input.resizeWindow(bench, QSize(800, 660)); },
        [&](const XWindow &w) { return w.client.size() == QSize(800, 660); });
    command(
        "maximise", [&] { b.input.maximise(bench); }, [&](const XWindow &w) { return w.maximised(); });
    command(
        "restore", [&] { b.input.restore(bench); }, [&](const XWindow &w) { return !w.maximised(); });

    // Minimised: no box at all while it stays so; restored: at most one.
    b.input.minimise(bench);
    if (waitFor([&] { return benchNow().minimised(); })) {
        int most = 0;
        keepsHolding([&] { return (most = std::max<int>(most, b.boxes().size())) == 0; }, 2000);
        if (most > 0) failures << QString("minimise: %1 boxes over the minimised window").arg(most);
    } else {
        failures << "minimise: the window manager did not carry it out";
    }
    command(
        "restore from minimised", [&] { b.input.activate(bench); },
        [&](const XWindow &w) { return !w.minimised() && w.viewable; });

    QVERIFY(b.process.alive());
    VERIFY_NONE(failures);
    QCOMPARE(b.process.closeAndWait(), 0);
}

QTEST_GUILESS_MAIN(TestRealWindowSystem)
#include "tst_real_window_system.moc"
