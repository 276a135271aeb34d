// SPDX-License-Identifier: GPL-3.0-or-later
// The bench window as built: its controls and their fixed properties, the
// state it starts in, and the layout pass at the sizes that matter.
#include "bench_fixture.h"

#include "toolkit/labeled_edit.h"
#include "toolkit/local_time.h"
#include "toolkit/panel.h"
#include "toolkit/text_label.h"
#include "widgets/seven_segment_display.h"

#include <QFontInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>

using namespace bench_test;

class TstBenchWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void windowProperties()
    {
        Bench b;
        BenchWindow &f = b.window;
        QCOMPARE(f.windowTitle(), QStringLiteral("Определение удельного заряда электрона"));
        QCOMPARE(f.palette().color(QPalette::Window), toQColor(cl3DLight));
        QCOMPARE(f.font().pixelSize(), 16);
        QVERIFY(!f.font().bold());
        QCOMPARE(QFontInfo(f.font()).family(), QStringLiteral("Liberation Serif"));
        // Designed client: 719 × 579 under the menu, status bar included.
        QCOMPARE(f.width(), 719);
        QCOMPARE(f.height() - f.menuBar()->sizeHint().height(), 579);
        QCOMPARE(b.statusBar->height(), 18);
        // Centred on the work area.
        const QSize work = f.screen()->availableGeometry().size();
        QCOMPARE(f.pos(),
                 QPoint(work.width() / 2 - b.outerSize().width() / 2, work.height() / 2 - b.outerSize().height() / 2));
    }

    void stackingAndSelfSizing()
    {
        Bench b;
        // The fine current pair lies over the coarse one, the switch panel over the dial.
        const QObjectList &p3 = b.sourcePanel->children();
        QVERIFY(p3.indexOf(b.fineCurrentArrows) > p3.indexOf(b.coarseCurrentArrows));
        const QObjectList &top = b.clientArea->children();
        QVERIFY(top.indexOf(b.regulatorPanel) > top.indexOf(b.regulatorDial));
        // Labels size themselves to their text, measured as the desktop does.
        for (TLabel *l : {b.rippleLabel, b.plateLengthLabel, b.phaseLabel}) {
            QCOMPARE(l->size(), l->autoSize());
            QCOMPARE(l->height(), 19);
        }
        QCOMPARE(b.plateLengthLabel->width(), 29);
        // Each caption, 15 high, sits just above its field.
        for (TLabeledEdit *e : {b.anodeVoltageField, b.turnDensityField, b.driftLengthField}) {
            QCOMPARE(e->EditLabel()->height(), 15);
            QCOMPARE(e->EditLabel()->geometry().bottom() + 1 + e->LabelSpacing(), e->y());
            QCOMPARE(e->EditLabel()->x(), e->x());
        }
        // Switches never take the focus away from a field.
        for (QPushButton *k : {b.scopeSwitch, b.regulatorSwitch, b.sourceSwitch})
            QCOMPARE(k->focusPolicy(), Qt::NoFocus);
        QCOMPARE(b.calculateButton->icon().actualSize(QSize(64, 64)), QSize(46, 46));
    }

    void startState()
    {
        Bench b;
        QCOMPARE(b.anodeVoltageField->text(), QStringLiteral("1400"));
        QCOMPARE(b.turnDensityField->text(), QStringLiteral("155"));
        QCOMPARE(b.driftLengthField->text(), QStringLiteral("10"));

        QVERIFY(b.scopeSwitch->isEnabled());
        QVERIFY(!b.scopeSwitch->isChecked());
        QVERIFY(!b.regulatorSwitch->isEnabled());
        QVERIFY(!b.sourceSwitch->isEnabled());
        for (QWidget *w : {static_cast<QWidget *>(b.anodeVoltageField), static_cast<QWidget *>(b.turnDensityField),
                           static_cast<QWidget *>(b.driftLengthField), static_cast<QWidget *>(b.plateLengthArrows)})
            QVERIFY(w->isEnabled());
        for (QWidget *w : {b.rippleArrows, b.phaseArrows, b.coarseCurrentArrows, b.fineCurrentArrows})
            QVERIFY(!w->isEnabled());
        QVERIFY(!b.plateLengthReadout->powerOff());
        QVERIFY(b.rippleReadout->powerOff());
        QVERIFY(b.phaseReadout->powerOff());
        QVERIFY(b.ammeter->powerOff());
        QVERIFY(!b.ammeter->isEnabled());
        QCOMPARE(b.ammeter->value(), 0.0);
        QCOMPARE(b.rippleReadout->value(), 0.1);
        QCOMPARE(b.phaseReadout->value(), 0.4);
        QCOMPARE(b.plateLengthReadout->value(), 0.5);
        QCOMPARE(b.dial(), 0.0);
        QVERIFY(!b.rampUpTimer->isActive());
        QVERIFY(!b.rampDownTimer->isActive());
        QVERIFY(b.clockTimer->isActive());
        QCOMPARE(b.clockTimer->interval(), 1000);
        QCOMPARE(b.rampUpTimer->interval(), 10);
        QCOMPARE(b.rampDownTimer->interval(), 10);
        // The calculator is hidden, its turn count reads 1.
        QVERIFY(b.calculateButton->isHidden());
        QVERIFY(b.specificChargeField->isHidden());
        QVERIFY(b.helixTurnsField->isHidden());
        QCOMPARE(b.helixTurnsField->text(), QStringLiteral("1"));
        QVERIFY(b.specificChargeField->text().isEmpty());
        // The source lamp is grey on grey.
        QCOMPARE(b.sourceLamp->picture().size(), QSize(15, 15));
        QCOMPARE(pixel(*b.sourceLamp, 7, 7), clGray);
        QCOMPARE(pixel(*b.sourceLamp, 0, 0), clGray);
        QCOMPARE(pixel(*b.sourceLamp, 7, 0), clBlack);
        QVERIFY(b.dialogs.errors.isEmpty());
        // The lab holds the parameters the start texts stand for before the
        // source takes any over: the calculator computes with 1400 V, 15500
        // turns per metre and 0.1 m.
        b.click("scopeSwitch");
        b.ammeter->setValue(0.407);
        b.click("calculateButton");
        QCOMPARE(b.specificChargeField->text(), QStringLiteral("1,759E11 Кл/кг"));
    }

    void firstShowingPaintsTheDarkScreen()
    {
        Bench b;
        b.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b.window));
        const TImage &s = *b.screen;
        const int c = s.width() / 2;
        QCOMPARE(s.picture().size(), s.size());
        QCOMPARE(pixel(s, c, c), clScreenDark);
        QCOMPARE(pixel(s, s.width() - 1, 0), clGray);
        QCOMPARE(pixel(s, 7, 7), clGray);  // the oscilloscope's lamp, off
        QCOMPARE(countPixels(s, clGreen), 0);
    }

    void layoutAtTheDesignOuterSize()
    {
        Bench b;
        b.setOuterSize(735, 637);
        QCOMPARE(b.outerSize(), QSize(735, 637));
        QCOMPARE(b.scopePanel->geometry(), QRect(245, 10, 245, 537));
        QCOMPARE(b.sourcePanel->geometry(), QRect(499, 10, 183, 256));
        QCOMPARE(b.regulatorDial->geometry(), QRect(52, 10, 183, 183));
        QCOMPARE(b.regulatorDial->label1()->offsetX(), -81);
        QCOMPARE(b.regulatorDial->label1()->offsetY(), 81);
        QCOMPARE(b.regulatorPanel->geometry(), QRect(52, 187, 183, 50));
        QCOMPARE(b.calculateButton->pos(), QPoint(499, 266));
        QCOMPARE(b.screen->geometry(), QRect(10, 30, 225, 225));
        QCOMPARE(b.screen->picture().size(), QSize(225, 225));
        QCOMPARE(b.anodeVoltageField->geometry(), QRect(78, 275, 89, 27));
        QCOMPARE(b.turnDensityField->y(), 275 + 27 + 15 + 10);
        QCOMPARE(b.driftLengthField->y(), 327 + 27 + 15 + 10);
        QCOMPARE(b.plateLengthLabel->pos(), QPoint(78, 416));
        QCOMPARE(b.plateLengthReadout->geometry(), QRect(78, 435, 40, 28));
        QCOMPARE(b.plateLengthArrows->pos(), QPoint(128, 435));
        QCOMPARE(b.scopeSwitch->pos(), QPoint(5, 5));
        QCOMPARE(b.regulatorSwitch->pos(), QPoint(5, 5));
        QCOMPARE(b.sourceLamp->geometry(), QRect(5, 5, 15, 15));
        QCOMPARE(b.ammeter->pos(), QPoint(21, 25));
        QCOMPARE(b.sourceSwitch->pos(), QPoint(116, 25));
        QCOMPARE(b.coarseCurrentArrows->pos(), QPoint(19, 63));
        QCOMPARE(b.fineCurrentArrows->pos(), QPoint(63, 63));
        QCOMPARE(b.rippleLabel->y(), 103);
        QCOMPARE(b.rippleReadout->y(), 103 + 19 + 5);
        QCOMPARE(b.rippleArrows->pos(), QPoint(b.rippleReadout->x() + 57, b.rippleReadout->y()));
        QCOMPARE(b.phaseLabel->y(), 127 + 28 + 10);
        QCOMPARE(b.phaseReadout->pos(), QPoint(b.rippleLabel->x(), 165 + 19));
        QCOMPARE(b.phaseArrows->pos(), QPoint(b.phaseReadout->x() + 56, b.phaseReadout->y()));
        QCOMPARE(b.specificChargeField->pos(), QPoint(551, 277));
        QCOMPARE(b.helixTurnsField->pos(), QPoint(551, 315));
    }

    void traceFollowsTheNewScaleAtOnce()
    {
        // A layout pass measures the screen before it resizes it; one resize
        // still leaves the trace at the new screen's scale, 41.25 pixels per
        // centimetre on 330 pixels, not at the old one's 28.125.
        Bench b;
        b.setOuterSize(735, 637);
        b.toRegulatorOn();
        b.setOuterSize(1050, 700);
        QCOMPARE(b.screen->width(), 330);
        QVERIFY(showsTheSweepAtItsOwnScale(*b.screen));
    }

    void oneResizeSettlesTheLayout()
    {
        // A single size change (a tiling window manager, a restore) leaves
        // no field hidden under the old screen and no trace at the old scale.
        Bench b;
        BenchWindow &f = b.window;
        b.toRegulatorOn();
        b.setOuterSize(1200, 800);
        QCOMPARE(b.screen->width(), 380);
        b.setOuterSize(650, 550);
        QCOMPARE(b.screen->width(), 196);
        QVERIFY(showsTheSweepAtItsOwnScale(*b.screen));
        QCOMPARE(b.anodeVoltageField->y(), 196 + 50);
        QVERIFY(b.driftLengthField->geometry().bottom() < b.scopePanel->height());
        QVERIFY(b.plateLengthReadout->geometry().bottom() < b.scopePanel->height());
        // The same after a system command (here a move) that finds the screen off its size.
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTest::qWait(300);  // the first showing's pass is over
        const int side = b.screen->width();
        b.screen->resize(side + 4, side + 4);
        f.move(f.pos() + QPoint(3, 2));
        QTRY_COMPARE(b.screen->width(), side);
        QVERIFY(showsTheSweepAtItsOwnScale(*b.screen));
    }

    void smallestSize()
    {
        Bench b;
        BenchWindow &f = b.window;
        b.setOuterSize(600, 500);  // refused below 650 × 550
        QCOMPARE(b.outerSize(), QSize(650, 550));
        QCOMPARE(b.scopePanel->width(), 216);
        QCOMPARE(b.screen->size(), QSize(196, 196));
        QCOMPARE(b.sourcePanel->width(), 162);
        QCOMPARE(b.regulatorDial->width(), 162);
        QVERIFY(b.regulatorDial->x() >= 0);

        // On screen the limit is on the outer size, the frame included.
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        b.setOuterSize(600, 500);
        QCOMPARE(b.outerSize(), QSize(650, 550));
        QCOMPARE(b.screen->width(), 196);
    }

    void wideWindowKeepsTheSourceAndDialAt272()
    {
        Bench b;
        b.setOuterSize(1200, 800);
        QCOMPARE(b.sourcePanel->size(), QSize(272, 381));
        QCOMPARE(b.regulatorDial->size(), QSize(272, 272));
        QCOMPARE(b.scopePanel->width(), 400);
        QCOMPARE(b.screen->size(), QSize(380, 380));
        b.setOuterSize(1600, 900);
        QCOMPARE(b.sourcePanel->width(), 272);
        QCOMPARE(b.scopePanel->width(), 533);
        QCOMPARE(b.screen->width(), 513);
    }

    void maximisedOnALaptopScreenHidesNothing_data()
    {
        QTest::addColumn<QSize>("outer");
        QTest::newRow("1280x720") << QSize(1280, 720);
        QTest::newRow("1366x768") << QSize(1366, 768);
        QTest::newRow("1280x560") << QSize(1280, 560);
        QTest::newRow("1920x560") << QSize(1920, 560);
        QTest::newRow("650x550") << QSize(650, 550);
    }

    void maximisedOnALaptopScreenHidesNothing()
    {
        // Read back from the widgets themselves: every child of the
        // oscilloscope panel, the fields' caption labels included, lies
        // inside the panel, and the panel inside the window's client area.
        QFETCH(QSize, outer);
        Bench b;
        BenchWindow &f = b.window;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        b.setOuterSize(outer.width(), outer.height());
        QCOMPARE(b.outerSize(), outer);
        const auto children = b.scopePanel->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        QVERIFY(children.size() >= 11);
        for (const QWidget *w : children)
            QVERIFY2(b.scopePanel->rect().contains(w->geometry()), qPrintable(w->objectName()));
        QVERIFY(b.clientArea->rect().contains(b.scopePanel->geometry()));
        QCOMPARE(b.screen->width(), b.screen->height());
    }

    void resizeRedrawsTheTraceOnlyWhileTheRegulatorIsOn()
    {
        Bench b;
        b.setOuterSize(735, 637);
        b.toSourceOn();
        b.press("coarseCurrentArrows", TUDBtnType::btNext, 20);  // 0.2 A: the trace lies nearly flat
        QVERIFY(greenWidth(*b.screen) > 100);
        b.setOuterSize(800, 637);
        QCOMPARE(b.screen->width(), 246);
        QVERIFY(greenWidth(*b.screen) > 100);
        QCOMPARE(pixel(*b.screen, 7, 7), clRed);

        // Regulator off: the lamp and the spot only.
        b.click("sourceSwitch");
        b.rampDown();
        b.setOuterSize(760, 637);
        const int c = b.screen->width() / 2;
        QCOMPARE(pixel(*b.screen, c, c), clGreen);
        QVERIFY(greenWidth(*b.screen) <= 5);
        QCOMPARE(pixel(*b.screen, 7, 7), clRed);

        // Oscilloscope off: the dark screen and the grey lamp.
        b.click("scopeSwitch");
        b.setOuterSize(735, 637);
        QCOMPARE(countPixels(*b.screen, clGreen), 0);
        QCOMPARE(pixel(*b.screen, 112, 112), clScreenDark);
        QCOMPARE(pixel(*b.screen, 7, 7), clGray);
        QVERIFY(b.dialogs.errors.isEmpty());
    }

    void movesAndStateChangesRepaintTheScreen()
    {
        Bench b;
        BenchWindow &f = b.window;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        b.click("scopeSwitch");
        {
            Canvas c = b.screen->canvas();
            c.setBrushColor(clWhite);
            c.fillRect(TRect{0, 0, b.screen->width(), b.screen->height()});
        }
        f.move(f.pos() + QPoint(7, 3));
        QTRY_COMPARE(pixel(*b.screen, b.screen->width() - 1, 0), clGray);
        QCOMPARE(pixel(*b.screen, 7, 7), clRed);

        {
            Canvas c = b.screen->canvas();
            c.setBrushColor(clWhite);
            c.fillRect(TRect{0, 0, b.screen->width(), b.screen->height()});
        }
        f.setWindowState(Qt::WindowMaximized);
        QTRY_COMPARE(pixel(*b.screen, b.screen->width() - 1, 0), clGray);
        QTRY_COMPARE(b.scopePanel->width(), b.outerSize().width() / 3);
    }

    void aDragIsOneSystemCommand()
    {
        // Every pass fails here, so each pass shows up as one error. A drag
        // moves the window again and again; the pass comes once the moves
        // have settled.
        Bench b;
        BenchWindow &f = b.window;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTest::qWait(300);  // the first showing's pass is over
        makeEveryTraceFail(b);
        b.dialogs.clear();
        for (int i = 1; i <= 5; ++i) {
            f.move(f.pos() + QPoint(4, 2));
            QTest::qWait(10);
        }
        QTRY_COMPARE(b.dialogs.errors.size(), 1);
        QTest::qWait(300);
        QCOMPARE(b.dialogs.errors, QStringList{QStringLiteral("Floating point division by zero")});
        // A second move, later, is a command of its own.
        f.move(f.pos() + QPoint(-9, 5));
        QTRY_COMPARE(b.dialogs.errors.size(), 2);
    }

    void noBoxOverAMinimisedWindow()
    {
        Bench b;
        BenchWindow &f = b.window;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTest::qWait(300);  // the first showing's pass is over
        makeEveryTraceFail(b);
        b.dialogs.clear();
        f.showMinimized();
        QTRY_VERIFY(f.isMinimized());
        QTest::qWait(300);
        QVERIFY(b.dialogs.errors.isEmpty());
        // Restored, the window is laid out and its trace drawn (and failing) once.
        f.showNormal();
        QTRY_COMPARE(b.dialogs.errors.size(), 1);
        QTest::qWait(300);
        QCOMPARE(b.dialogs.errors.size(), 1);
    }

    void aClosedWindowAnswersNoCommand()
    {
        // Moved, then closed (the exit question answered Yes) before the
        // move settled: nothing is drawn, nothing reported after the end.
        Bench b;
        BenchWindow &f = b.window;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTest::qWait(300);  // the first showing's pass is over
        makeEveryTraceFail(b);
        b.dialogs.clear();
        f.move(f.pos() + QPoint(6, 6));
        f.close();
        QTest::qWait(300);
        QVERIFY(b.dialogs.errors.isEmpty());
    }

    void realBoxesOfThePassesNeverStack()
    {
        // Qt's own boxes: a move's pass opens one; while it is open the
        // window is moved four more times and resized once. The moves need
        // nothing afterwards; the resize is laid out, with its one box,
        // after the first box has gone.
        BenchWindow f;
        const BenchDriver d(f);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTest::qWait(300);  // the first showing's pass is over
        {
            RecordingDialogs quiet;
            makeEveryTraceFail(d);
        }
        RealBoxes boxes(400);
        QTimer whileOpen;
        int changes = 0;
        connect(&whileOpen, &QTimer::timeout, [&] {
            if (!QApplication::activeModalWidget() || changes == 5) return;
            ++changes;
            if (changes < 5)
                f.move(f.pos() + QPoint(3, 3));
            else
                f.resize(f.size() + QSize(40, 20));
        });
        whileOpen.start(30);
        f.move(f.pos() + QPoint(5, 0));
        QTRY_COMPARE(boxes.shown, 1);
        QTRY_COMPARE(changes, 5);
        QTRY_COMPARE(boxes.shown, 2);
        QTest::qWait(600);
        QCOMPARE(boxes.shown, 2);
        QCOMPARE(boxes.mostOpen, 1);
        QCOMPARE(boxes.open, 0);
        QCOMPARE(d.find<TPanel>("scopePanel")->width(), f.frameGeometry().width() / 3);
    }

    void statusBar()
    {
        const QDateTime when(QDate(2024, 3, 5), QTime(23, 50, 23));
        Bench b([when] { return when; });
        const QList<QLabel *> panels = b.statusBar->findChildren<QLabel *>();
        QCOMPARE(panels.size(), 3);
        const int widths[] = {120, 120, 50};
        const Qt::Alignment alignments[] = {Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignLeft};
        const QString texts[] = {QStringLiteral("Дата: 05.03.2024"), QStringLiteral("Время: 23:50:23"), QString()};
        const QLabel *inOrder[] = {b.datePanel, b.clockPanel, b.hintPanel};
        for (int i = 0; i < 3; ++i) {
            const QLabel *panel = inOrder[i];
            QCOMPARE(panels.at(i), panel);
            QCOMPARE(panel->width(), widths[i]);
            QVERIFY(panel->alignment() & alignments[i]);
            QCOMPARE(panel->font().pixelSize(), 13);
            QVERIFY(panel->font().bold());
            QCOMPARE(QFontInfo(panel->font()).family(), QStringLiteral("Liberation Serif"));
            QCOMPARE(panel->palette().color(QPalette::WindowText), QColor(Qt::red));
            QCOMPARE(panel->text(), texts[i]);
        }
    }
};

QTEST_MAIN(TstBenchWindow)
#include "tst_bench_window.moc"
