// SPDX-License-Identifier: GPL-3.0-or-later
// The program's windows as the window system shows them: the five kinds of
// window with their exact titles, the bench and the about window centred on the work
// area, a maximised bench on the common laptop screens hiding no control of
// the oscilloscope panel, and the bench reachable on small screens.
#include "scenario.h"
#include "wait.h"

namespace {

bool isUtility(const XWindow &w)
{
    return w.viewable && w.types.value(0) == "_NET_WM_WINDOW_TYPE_UTILITY";
}

// Lime pixels in a rectangle of the screen: a field's digits.
int limePixels(const QImage &shot, QRect r)
{
    int n = 0;
    r &= shot.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += sameColour(shot.pixel(x, y), kLime);
    return n;
}

}  // namespace

class TestRealWindowWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void titlesAsTheWindowSystemShowsThem();
    void windowsOpenCentred_data();
    void windowsOpenCentred();
    void maximisedOnALaptopScreenHidesNoControl_data();
    void maximisedOnALaptopScreenHidesNoControl();
    void smallScreensKeepTheBenchReachable_data();
    void smallScreensKeepTheBenchReachable();

private:
    std::unique_ptr<XSession> x;
};

void TestRealWindowWindows::initTestCase()
{
    REQUIRE_DISPLAY(x, QSize(1024, 768));
}

void TestRealWindowWindows::titlesAsTheWindowSystemShowsThem()
{
    BenchOnScreen b(*x);
    VERIFY_DONE(b.start());
    // Every title read twice, by xprop and by xdotool; all mismatches told at the end.
    QStringList wrong;
    auto expectTitle = [&](const XWindow &w, const QString &kind, const QString &expected) {
        const QString byXdotool = b.screen.xdotoolName(w.id);
        if (w.name != expected || byXdotool != expected)
            wrong << QString("%1: \"%2\" (xdotool \"%3\")").arg(kind, w.name, byXdotool);
    };

    expectTitle(b.window, "bench", kBenchTitle);

    // The exit question: Qt's warning caption alone.
    b.input.keys({"ctrl+c"});
    QVERIFY(b.waitForABox());
    expectTitle(b.boxes().value(0), "exit question", "Warning");
    b.answer(b.boxes().value(0), "Escape");
    QVERIFY(b.waitForBoxes(0));

    // The credits window for each person, the caption swapped in place.
    b.chooseFromMenu(1, {"Down", "Right", "Return"});
    const XWindow credits = b.waitForWindow(isUtility);
    QVERIFY2(credits.id, "no credits window");
    expectTitle(credits, "credits, first person", "Руководитель проекта");
    b.chooseFromMenu(1, {"Down", "Right", "Down", "Return"});
    QVERIFY(waitFor([&] { return b.screen.window(credits.id).name != credits.name; }));
    expectTitle(b.screen.window(credits.id), "credits, second person", "Программист");
    b.input.close(credits.id);
    QVERIFY(waitFor([&] { return !b.screen.window(credits.id).viewable; }));

    // The about window.
    b.chooseFromMenu(1, {"Down", "Down", "Return"});
    const XWindow about = b.waitForWindow(isUtility);
    QVERIFY2(about.id, "no about window");
    expectTitle(about, "about", "О программе");
    b.input.close(about.id);
    QVERIFY(waitFor([&] { return !b.screen.window(about.id).viewable; }));

    // A message box of the bench: the regulator refuses an empty field.
    b.retype(b.plan.anodeVoltageField, "");
    b.click(b.plan.scopeSwitch);
    b.click(b.plan.regulatorSwitch);
    QVERIFY(b.waitForABox());
    expectTitle(b.boxes().value(0), "message box", kBenchTitle);
    b.answer(b.boxes().value(0), "Return");
    QVERIFY(b.waitForBoxes(0));
    VERIFY_NONE(wrong);
}

void TestRealWindowWindows::windowsOpenCentred_data()
{
    QTest::addColumn<bool>("about");
    QTest::newRow("the bench") << false;
    QTest::newRow("the about window") << true;
}

// Centred with the window manager's frame counted, as a student sees it.
void TestRealWindowWindows::windowsOpenCentred()
{
    QFETCH(bool, about);
    BenchOnScreen b(*x);
    VERIFY_DONE(b.start());
    XWindow w = b.screen.window(b.process.window());
    if (about) {
        b.chooseFromMenu(1, {"Down", "Down", "Return"});
        w = b.waitForWindow(isUtility);
        QVERIFY2(w.id, "no about window");
    }
    // Where the window manager has settled it: the same place twice.
    QVERIFY(waitFor([&] {
        const XWindow before = w;
        w = b.screen.window(w.id);
        return w.outer() == before.outer() && !w.frame.isNull();
    }));
    const QRect area = b.screen.workArea();
    const QSize outer = w.outer().size();
    const QPoint centred(area.width() / 2 - outer.width() / 2, area.height() / 2 - outer.height() / 2);
    QCOMPARE(w.outer().topLeft(), centred);
}

void TestRealWindowWindows::maximisedOnALaptopScreenHidesNoControl_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::newRow("1280x720") << QSize(1280, 720);
    QTest::newRow("1366x768") << QSize(1366, 768);
}

void TestRealWindowWindows::maximisedOnALaptopScreenHidesNoControl()
{
    QFETCH(QSize, screen);
    std::unique_ptr<XSession> laptop;
    REQUIRE_DISPLAY(laptop, screen);
    BenchOnScreen b(*laptop);
    VERIFY_DONE(b.start());
    b.input.maximise(b.process.window());
    QVERIFY(waitFor([&] { return b.screen.window(b.process.window()).maximised(); }));

    // The panel where the layout puts it for the outer size the X server
    // gives: its bevel's first column, the grey one after it, the window's
    // background before it. The layout pass follows the maximise a moment
    // later, so the screen is watched until it shows or time runs out.
    const BenchPlan &p = b.plan;
    QImage shot;
    const auto panelEdgeShows = [&] {
        b.follow();
        shot = b.shot();
        const int middle = p.scopePanel.height() / 2;
        return !sameColour(b.pixel(shot, p.scopePanel, -1, middle), kGrey) &&
            !sameColour(b.pixel(shot, p.scopePanel, 0, middle), kGrey) &&
            sameColour(b.pixel(shot, p.scopePanel, 1, middle), kGrey);
    };
    if (!waitFor(panelEdgeShows))
        QFAIL(qPrintable(QString("scopePanel's left edge is not at %1 for an outer width of %2; screenshot %3")
                             .arg(b.onScreen(p.scopePanel).left())
                             .arg(b.window.outer().width())
                             .arg(keepScreenshot(shot, "maximised_unlaid"))));
    VERIFY_DONE(b.locate(true));
    QCOMPARE(b.window.outer().width(), screen.width());
    shot = b.shot();
    keepScreenshot(shot, QString("maximised_%1x%2").arg(screen.width()).arg(screen.height()));

    // Every control of the oscilloscope panel lies inside the panel, and shows there.
    QVERIFY(b.onScreen(p.scopePanel).bottom() <= b.window.client.bottom());
    const QList<std::pair<const char *, QRect>> controls{{"anodeVoltageField", p.anodeVoltageField},
                                                         {"turnDensityField", p.turnDensityField},
                                                         {"driftLengthField", p.driftLengthField},
                                                         {"plateLengthReadout", p.plateLengthReadout},
                                                         {"plateLengthArrows", p.plateLengthArrows}};
    for (const auto &[name, rect] : controls)
        QVERIFY2(p.scopePanel.contains(rect),
                 qPrintable(QString("%1 is not inside scopePanel (screen %2 pixels)").arg(name).arg(b.screenSide)));
    for (const QRect field : {p.anodeVoltageField, p.turnDensityField, p.driftLengthField})
        QVERIFY2(limePixels(shot, b.onScreen(field)) > 20, "a parameter field's digits do not show");
    QCOMPARE(readReadout(shot, b.onScreen(p.plateLengthReadout).topLeft(), kPlateLengthLook, kLime), 0.5);
    QVERIFY2(!sameColour(b.pixel(shot, p.plateLengthArrows, 8, 8), kGrey),
             "plateLengthArrows's upper arrow does not show");
    QVERIFY2(!sameColour(b.pixel(shot, p.plateLengthArrows, 8, 24), kGrey),
             "plateLengthArrows's lower arrow does not show");
}

void TestRealWindowWindows::smallScreensKeepTheBenchReachable_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<bool>("statusBarShows");
    QTest::newRow("640x480") << QSize(640, 480) << false;
    QTest::newRow("800x600") << QSize(800, 600) << true;
}

void TestRealWindowWindows::smallScreensKeepTheBenchReachable()
{
    QFETCH(QSize, screen);
    QFETCH(bool, statusBarShows);
    std::unique_ptr<XSession> small;
    REQUIRE_DISPLAY(small, screen);
    BenchOnScreen b(*small);
    VERIFY_DONE(b.start());
    const QRect area = b.screen.workArea();

    // The title bar and the menu bar on the screen.
    QVERIFY2(area.contains(b.window.outer().topLeft()),
             qPrintable(
                 QString("the window's frame starts at (%1, %2)").arg(b.window.outer().x()).arg(b.window.outer().y())));
    const QRect menuBar(b.window.client.topLeft(), QSize(b.window.client.width(), b.menuHeight));
    QVERIFY2(area.contains(menuBar.topLeft()) && area.contains(menuBar.bottomLeft()), "the menu bar is off the screen");
    const QImage shot = b.shot();
    keepScreenshot(shot, QString("small_%1x%2").arg(screen.width()).arg(screen.height()));
    QCOMPARE(b.menuBarItems(shot).size(), 2);

    // The status bar's red date and clock, where the screen shows the window's bottom.
    if (statusBarShows) {
        QVERIFY2(b.window.client.bottom() <= area.bottom(), "the status bar is below the screen's edge");
        const QRect bar = QRect(b.window.client.left(), b.window.client.bottom() - 17, b.window.client.width(), 18);
        bool red = false;
        for (int y = bar.top(); y <= bar.bottom(); ++y)
            for (int x = bar.left(); x <= bar.right(); ++x)
                red = red || (qRed(shot.pixel(x, y)) > 200 && qGreen(shot.pixel(x, y)) < 60);
        QVERIFY2(red, "the status bar's text does not show");
    }

    // The menu reached with the mouse: the about window opens.
    b.chooseFromMenu(1, {"Down", "Down", "Return"});
    const XWindow about = b.waitForWindow(isUtility);
    QVERIFY2(about.id, "the Help menu could not be used");
    b.input.close(about.id);
    QVERIFY(waitFor([&] { return !b.screen.window(about.id).viewable; }));

    // Maximised on a screen smaller than the window's smallest size (the
    // window manager may then leave the state unset and only resize it), the
    // menu stays in reach.
    const QRect unmaximised = b.window.client;
    b.input.maximise(b.process.window());
    QVERIFY(waitFor([&] {
        const XWindow w = b.screen.window(b.process.window());
        return w.maximised() || w.client != unmaximised;
    }));
    VERIFY_DONE(b.locate());
    QVERIFY2(area.contains(b.window.client.topLeft()), "maximised, the menu bar is off the screen");
    b.chooseFromMenu(1, {"Down", "Down", "Return"});
    QVERIFY2(b.waitForWindow(isUtility).id, "maximised, the Help menu could not be used");
}

QTEST_GUILESS_MAIN(TestRealWindowWindows)
#include "tst_real_window_windows.moc"
