// SPDX-License-Identifier: GPL-3.0-or-later
// A random student at the real window: seeded, reproducible actions over
// every control, the menus (the documents too: the stand-in viewer only
// notes them), typed and pasted text, the exit question answered No, and the
// window manager's commands. After every action: the program alive, never
// more than one modal box (any box answered), and the resident memory not
// growing by more than a few MiB. A failure prints the seed and the last
// actions. EMLAB_STUDENT_SEED and EMLAB_STUDENT_ACTIONS choose another run.
#include "scenario.h"
#include "wait.h"

#include <QElapsedTimer>
#include <random>

namespace {

enum class Spot { Anywhere, Next, Previous };

struct Target {
    const char *name;
    QRect BenchPlan::*rect;
    Spot spot;
};

const Target kTargets[] = {
    {"scopeSwitch", &BenchPlan::scopeSwitch, Spot::Anywhere},
    {"regulatorSwitch", &BenchPlan::regulatorSwitch, Spot::Anywhere},
    {"sourceSwitch", &BenchPlan::sourceSwitch, Spot::Anywhere},
    {"coarseCurrentArrows right", &BenchPlan::coarseCurrentArrows, Spot::Next},
    {"coarseCurrentArrows left", &BenchPlan::coarseCurrentArrows, Spot::Previous},
    {"fineCurrentArrows right", &BenchPlan::fineCurrentArrows, Spot::Next},
    {"fineCurrentArrows left", &BenchPlan::fineCurrentArrows, Spot::Previous},
    {"rippleArrows up", &BenchPlan::rippleArrows, Spot::Next},
    {"rippleArrows down", &BenchPlan::rippleArrows, Spot::Previous},
    {"phaseArrows up", &BenchPlan::phaseArrows, Spot::Next},
    {"phaseArrows down", &BenchPlan::phaseArrows, Spot::Previous},
    {"plateLengthArrows up", &BenchPlan::plateLengthArrows, Spot::Next},
    {"plateLengthArrows down", &BenchPlan::plateLengthArrows, Spot::Previous},
    {"anodeVoltageField", &BenchPlan::anodeVoltageField, Spot::Anywhere},
    {"turnDensityField", &BenchPlan::turnDensityField, Spot::Anywhere},
    {"driftLengthField", &BenchPlan::driftLengthField, Spot::Anywhere},
    {"sourceLamp (calculator)", &BenchPlan::sourceLamp, Spot::Anywhere},
    {"calculateButton", &BenchPlan::calculateButton, Spot::Anywhere},
    {"specificChargeField", &BenchPlan::specificChargeField, Spot::Anywhere},
    {"helixTurnsField", &BenchPlan::helixTurnsField, Spot::Anywhere},
    {"screen", &BenchPlan::screen, Spot::Anywhere},
    {"regulatorDial", &BenchPlan::regulatorDial, Spot::Anywhere},
    {"ammeter", &BenchPlan::ammeter, Spot::Anywhere},
    {"rippleReadout", &BenchPlan::rippleReadout, Spot::Anywhere},
    {"phaseReadout", &BenchPlan::phaseReadout, Spot::Anywhere},
    {"plateLengthReadout", &BenchPlan::plateLengthReadout, Spot::Anywhere},
    {"rippleLabel", &BenchPlan::rippleLabel, Spot::Anywhere},
    {"plateLengthLabel", &BenchPlan::plateLengthLabel, Spot::Anywhere},
    {"phaseLabel", &BenchPlan::phaseLabel, Spot::Anywhere},
    {"regulatorPanel", &BenchPlan::regulatorPanel, Spot::Anywhere},
    {"scopePanel", &BenchPlan::scopePanel, Spot::Anywhere},
    {"sourcePanel", &BenchPlan::sourcePanel, Spot::Anywhere},
};

// Keys a student types into whatever has the focus. Return, space and the
// letter y are left out: they would answer Yes to an exit question that
// opened a moment after the last look.
const char *const kKeys[] = {
    "0",         "1",      "2",         "3",         "4",      "5",          "6",         "7",
    "8",         "9",      "BackSpace", "Delete",    "Left",   "Right",      "Home",      "End",
    "a",         "e",      "z",         "minus",     "period", "comma",      "plus",      "Tab",
    "shift+Tab", "Escape", "KP_3",      "shift+End", "x",      "dead_acute", "Multi_key", "dead_diaeresis",
    "shift+Home"};

// What the clipboard may hold when a student pastes.
const char *const kClipboardTexts[] = {"00", "0", "12.5", "1e400", "2147483648", " 7", "-3", "абв", "155"};

#ifdef __SANITIZE_ADDRESS__
// AddressSanitizer holds freed memory back in quarantine, so resident memory
// tells nothing there; its leak check as the program ends does.
constexpr bool kMemoryTells = false;
#else
constexpr bool kMemoryTells = true;
#endif

int environmentNumber(const char *name, int fallback)
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue(name, &ok);
    return ok ? n : fallback;
}

}  // namespace

class TestRealWindowStudent : public QObject {
    Q_OBJECT
private slots:
    void randomStudent();
};

void TestRealWindowStudent::randomStudent()
{
    std::unique_ptr<XSession> x;
    REQUIRE_DISPLAY(x, QSize(1024, 768));
    const int seed = environmentNumber("EMLAB_STUDENT_SEED", 1957);
    const int actions = environmentNumber("EMLAB_STUDENT_ACTIONS", 700);
    std::mt19937 random(seed);
    auto pick = [&](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(random)); };
    auto chance = [&](double p) { return std::uniform_real_distribution<double>(0, 1)(random) < p; };

    BenchOnScreen b(*x);
    VERIFY_DONE(b.start());
    const XId bench = b.process.window();
    const QSize screen = x->screenSize();
    QProcess clipboard;
    auto setClipboard = [&](const QString &text) {
        clipboard.kill();
        clipboard.waitForFinished(5000);
        QFile file(x->scratchPath() + "/clipboard.txt");
        file.open(QIODevice::WriteOnly);
        file.write(text.toUtf8());
        file.close();
        x->startBeside(clipboard, "xclip", {"-quiet", "-selection", "clipboard", "-i", file.fileName()});
    };
    setClipboard(kClipboardTexts[0]);

    QStringList story;  // the actions so far, for a failure's report
    QMap<QString, int> done;
    qint64 xEvents = 0;
    auto told = [&](const QString &why) {
        return QString("%1 after action %2 (seed %3; EMLAB_STUDENT_SEED=%3 repeats the run)\nlast actions:\n  %4\n"
                       "the program said:\n%5")
            .arg(why)
            .arg(story.size())
            .arg(seed)
            .arg(story.mid(std::max<qsizetype>(0, story.size() - 25)).join("\n  "))
            .arg(b.process.output().right(2000));
    };
    auto pointIn = [&](QRect r) {
        r = b.onScreen(r).adjusted(2, 2, -2, -2);
        return QPoint(r.left() + pick(std::max(1, r.width())), r.top() + pick(std::max(1, r.height())));
    };
    auto spotOf = [&](const Target &t) {
        const QRect r = b.plan.*t.rect;
        const QPoint jitter(pick(5) - 2, pick(5) - 2);
        switch (t.spot) {
        case Spot::Next: return b.nextArrow(r) + jitter;
        case Spot::Previous: return b.previousArrow(r) + jitter;
        default: return pointIn(r);
        }
    };
    auto args = [](QPoint p) { return QStringList{"mousemove", QString::number(p.x()), QString::number(p.y())}; };
    auto windowDone = [&](const std::function<bool(const XWindow &)> &state) {
        waitFor([&] { return state(b.screen.window(bench)); }, 5000);
        b.follow();
    };

    // Memory from the end of a warm-up in which every kind of window, box
    // and menu has been shown once.
    const int warmUp = actions / 10;
    qint64 baseline = 0, peak = 0;
    QElapsedTimer clock;
    clock.start();

    for (int step = 0; step < actions; ++step) {
        QString what;
        const int kind = pick(100);
        if (kind < 38) {
            const Target &t = kTargets[pick(int(std::size(kTargets)))];
            what = QString("click %1").arg(t.name);
            b.input.xdotool(args(spotOf(t)) + QStringList{"click", "1"});
            xEvents += 3;
            ++done[t.name];
        } else if (kind < 46) {
            const Target &t = kTargets[3 + pick(10)];  // an arrow
            const double seconds = 0.2 + pick(7) / 10.0;
            what = QString("hold %1 for %2 s").arg(t.name).arg(seconds);
            b.input.xdotool(args(spotOf(t)) +
                            QStringList{"mousedown", "1", "sleep", QString::number(seconds), "mouseup", "1"});
            xEvents += 3;
            ++done[t.name];
        } else if (kind < 60) {
            QStringList keys;
            for (int n = 1 + pick(4); n > 0; --n) keys << kKeys[pick(int(std::size(kKeys)))];
            what = "keys " + keys.join(' ');
            b.input.keys(keys);
            for (const QString &key : keys) xEvents += 2 * (1 + key.count('+'));
            ++done["keys"];
        } else if (kind < 63) {
            what = "paste with shift+Insert";
            b.input.keys({"shift+Insert"});
            xEvents += 4;
            ++done["paste"];
        } else if (kind < 64) {
            const QString text = kClipboardTexts[pick(int(std::size(kClipboardTexts)))];
            what = "copy \"" + text + "\" to the clipboard";
            setClipboard(text);
        } else if (kind < 70) {
            // Down a few items, perhaps into a submenu, then choose or give up.
            const int menu = pick(2);
            QStringList keys;
            for (int n = 1 + pick(5); n > 0; --n) keys << "Down";
            if (chance(0.5)) keys << "Right";
            for (int n = pick(3); n > 0; --n) keys << "Down";
            keys << (chance(0.7) ? "Return" : "Escape");
            what = QString("menu %1: %2").arg(menu).arg(keys.join(' '));
            b.chooseFromMenu(menu, keys);
            xEvents += 3 + 2 * keys.size();
            ++done["menu"];
            // A choice may have opened the exit question: give it its moment.
            if (keys.last() == "Return") keepsHolding([&] { return b.boxes().isEmpty(); }, 300);
        } else if (kind < 73) {
            // Back to the bench, any menu closed, and Ctrl+C: the question must come.
            what = "ctrl+c in the bench, the exit question";
            b.input.xdotool({"windowactivate", "--sync", QString::number(bench), "key", "--delay", "30", "Escape",
                             "Escape", "Escape", "ctrl+c"});
            xEvents += 11;
            if (!b.waitForABox()) QFAIL(qPrintable(told("Ctrl+C opened no exit question")));
            ++done["exit question"];
        } else if (kind < 76) {
            const QSize size(650 + pick(screen.width() - 680), 560 + pick(screen.height() - 620));
            what = QString("resize to %1x%2").arg(size.width()).arg(size.height());
            if (b.window.maximised()) b.input.restore(bench);
            b.input.resizeWindow(bench, size);
            xEvents += 2;
            windowDone([&](const XWindow &w) { return w.client.size() == size; });
            ++done["resize"];
        } else if (kind < 79) {
            const bool maximised = b.screen.window(bench).maximised();
            what = maximised ? "restore" : "maximise";
            maximised ? b.input.restore(bench) : b.input.maximise(bench);
            xEvents += 1;
            windowDone([&](const XWindow &w) { return w.maximised() != maximised; });
            ++done[what];
        } else if (kind < 81) {
            const QSize outer = b.window.outer().size();
            const QPoint to(pick(std::max(1, screen.width() - outer.width())),
                            pick(std::max(1, screen.height() - outer.height())));
            what = QString("move to (%1, %2)").arg(to.x()).arg(to.y());
            b.input.moveWindow(bench, to);
            xEvents += 1;
            windowDone([&](const XWindow &w) { return w.outer().topLeft() == to; });
            ++done["move"];
        } else if (kind < 83) {
            what = "minimise, then restore";
            b.input.minimise(bench);
            waitFor([&] { return b.screen.window(bench).minimised(); }, 5000);
            b.input.activate(bench);
            xEvents += 2;
            windowDone([&](const XWindow &w) { return !w.minimised() && w.viewable; });
            ++done["minimise"];
        } else if (kind < 85) {
            what = "close the information windows";
            for (const XWindow &w : b.screen.windowsOf(b.process.pid()))
                if (w.id != bench && !w.modal() && w.viewable) b.input.close(w.id), ++xEvents;
            ++done["close windows"];
        } else if (kind < 95) {
            const QPoint p = pointIn(QRect(QPoint(0, 0), b.window.client.size() - QSize(0, b.menuHeight)));
            what = QString("click the window at (%1, %2)").arg(p.x()).arg(p.y());
            b.input.xdotool(args(p) + QStringList{"click", "1"});
            xEvents += 3;
            ++done["click anywhere"];
        } else {
            const QPoint p = pointIn(QRect(QPoint(0, 0), b.window.client.size() - QSize(0, b.menuHeight)));
            what = QString("move the mouse to (%1, %2)").arg(p.x()).arg(p.y());
            b.input.moveTo(p);
            xEvents += 1;
            ++done["mouse move"];
        }
        story << what;

        // The invariants, and any box answered: No to the exit question, OK to the rest.
        if (!b.process.alive()) QFAIL(qPrintable(told("the program ended")));
        const QList<XWindow> boxes = b.boxes();
        if (boxes.size() > 1) QFAIL(qPrintable(told(QString("%1 modal boxes at once").arg(boxes.size()))));
        if (boxes.size() == 1) {
            const bool question = boxes[0].name.startsWith("Warning");
            story << QString("  answer \"%1\" with %2").arg(boxes[0].name, question ? "Escape" : "Return");
            b.answer(boxes[0], question ? "Escape" : "Return");
            xEvents += 2;
            if (!b.waitForBoxes(0)) QFAIL(qPrintable(told("a box would not close")));
        }
        const qint64 resident = b.process.residentKiB();
        if (step == warmUp) baseline = resident;
        if (step >= warmUp) peak = std::max(peak, resident);
    }

    qInfo("%d actions, %lld X events in %.0f s; resident memory %lld KiB after the warm-up, at most %lld KiB later; "
          "%d documents opened",
          actions, xEvents, clock.elapsed() / 1000.0, baseline, peak, int(b.process.documentsOpened().size()));
    QStringList coverage;
    for (auto it = done.cbegin(); it != done.cend(); ++it) coverage << QString("%1 %2").arg(it.key()).arg(it.value());
    qInfo("%s", qPrintable(coverage.join(", ")));
    clipboard.kill();
    clipboard.waitForFinished(5000);

    if (actions >= 700) {
        QVERIFY2(xEvents >= 2000, "fewer than 2,000 X events");
        for (const Target &t : kTargets) QVERIFY2(done.value(t.name) > 0, t.name);
    }
    if (kMemoryTells)
        QVERIFY2(peak - baseline <= 6 * 1024,
                 qPrintable(told(QString("resident memory grew by %1 KiB").arg(peak - baseline))));
    QCOMPARE(b.process.closeAndWait(), 0);
}

QTEST_GUILESS_MAIN(TestRealWindowStudent)
#include "tst_real_window_student.moc"
