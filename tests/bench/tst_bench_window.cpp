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
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }

    void windowProperties()
    {
        Bench b;
        TForm1 &f = b.form;
        QCOMPARE(f.windowTitle(), QStringLiteral("Определение удельного заряда электрона"));
        QCOMPARE(f.palette().color(QPalette::Window), toQColor(cl3DLight));
        QCOMPARE(f.font().pixelSize(), 16);
        QVERIFY(!f.font().bold());
        QCOMPARE(QFontInfo(f.font()).family(), QStringLiteral("Liberation Serif"));
        // Designed client: 719 × 579 under the menu, status bar included.
        QCOMPARE(f.width(), 719);
        QCOMPARE(f.height() - f.menuBar()->sizeHint().height(), 579);
        QCOMPARE(f.StatusBar1->height(), 18);
        // Centred on the work area.
        const QSize work = f.screen()->availableGeometry().size();
        QCOMPARE(f.pos(), QPoint(work.width() / 2 - f.outerSize().width() / 2,
                                 work.height() / 2 - f.outerSize().height() / 2));
    }

    void stackingAndSelfSizing()
    {
        Bench b;
        TForm1 &f = b.form;
        // The fine current pair lies over the coarse one, the switch panel over the dial.
        const QObjectList &p3 = f.Panel3->children();
        QVERIFY(p3.indexOf(f.sh_vprm_2) > p3.indexOf(f.sh_vprm));
        const QObjectList &top = f.ClientArea->children();
        QVERIFY(top.indexOf(f.Panel1) > top.indexOf(f.transformator));
        // Labels size themselves to their text, measured as the desktop does.
        for (TLabel *l : {f.Label1, f.Label2, f.Label3}) {
            QCOMPARE(l->size(), l->autoSize());
            QCOMPARE(l->height(), 19);
        }
        QCOMPARE(f.Label2->width(), 29);
        // Each caption, 15 high, sits just above its field.
        for (TLabeledEdit *e : {f.LabeledEdit1, f.LabeledEdit2, f.LabeledEdit3}) {
            QCOMPARE(e->EditLabel()->height(), 15);
            QCOMPARE(e->EditLabel()->geometry().bottom() + 1 + e->LabelSpacing(), e->y());
            QCOMPARE(e->EditLabel()->x(), e->x());
        }
        // Switches never take the focus away from a field.
        for (QPushButton *k : {f.knopka1, f.knopka2, f.knopka3}) QCOMPARE(k->focusPolicy(), Qt::NoFocus);
        QCOMPARE(f.SpeedButton1->icon().actualSize(QSize(64, 64)), QSize(46, 46));
    }

    void startState()
    {
        Bench b;
        TForm1 &f = b.form;
        const LabState &s = f.Lab;
        QCOMPARE(f.LabeledEdit1->text(), QStringLiteral("1400"));
        QCOMPARE(f.LabeledEdit2->text(), QStringLiteral("155"));
        QCOMPARE(f.LabeledEdit3->text(), QStringLiteral("10"));
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
        // The first pass scales the design screen of 281 pixels.
        QCOMPARE(s.PixelsPerCm, 35.125);

        QVERIFY(f.knopka1->isEnabled());
        QVERIFY(!f.knopka1->isChecked());
        QVERIFY(!f.knopka2->isEnabled());
        QVERIFY(!f.knopka3->isEnabled());
        for (QWidget *w : {static_cast<QWidget *>(f.LabeledEdit1), static_cast<QWidget *>(f.LabeledEdit2),
                           static_cast<QWidget *>(f.LabeledEdit3), static_cast<QWidget *>(f.UpDown3)})
            QVERIFY(w->isEnabled());
        for (QWidget *w : {f.UpDown1, f.UpDown2, f.sh_vprm, f.sh_vprm_2}) QVERIFY(!w->isEnabled());
        QVERIFY(!f.Dplastin1->powerOff());
        QVERIFY(f.Fmax1->powerOff());
        QVERIFY(f.Faza1->powerOff());
        QVERIFY(f.amper->powerOff());
        QVERIFY(!f.amper->isEnabled());
        QCOMPARE(f.amper->value(), 0.0);
        QCOMPARE(f.Fmax1->value(), 0.1);
        QCOMPARE(f.Faza1->value(), 0.4);
        QCOMPARE(f.Dplastin1->value(), 0.5);
        QCOMPARE(b.dial(), 0.0);
        QVERIFY(!f.Timer2->isActive());
        QVERIFY(!f.Timer3->isActive());
        QVERIFY(f.Timer1->isActive());
        QCOMPARE(f.Timer1->interval(), 1000);
        QCOMPARE(f.Timer2->interval(), 10);
        QCOMPARE(f.Timer3->interval(), 10);
        // The calculator is hidden, its turn count reads 1.
        QVERIFY(f.SpeedButton1->isHidden());
        QVERIFY(f.Edit1->isHidden());
        QVERIFY(f.Edit2->isHidden());
        QCOMPARE(f.Edit2->text(), QStringLiteral("1"));
        QVERIFY(f.Edit1->text().isEmpty());
        // The source lamp is grey on grey.
        QCOMPARE(f.Image2->picture().size(), QSize(15, 15));
        QCOMPARE(pixel(*f.Image2, 7, 7), clGray);
        QCOMPARE(pixel(*f.Image2, 0, 0), clGray);
        QCOMPARE(pixel(*f.Image2, 7, 0), clBlack);
        QVERIFY(b.dialogs.errors.isEmpty());
    }

    void firstShowingPaintsTheDarkScreen()
    {
        Bench b;
        b.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b.form));
        const TImage &s = *b.form.Image1;
        const int c = s.width() / 2;
        QCOMPARE(s.picture().size(), s.size());
        QCOMPARE(pixel(s, c, c), clScreenDark);
        QCOMPARE(pixel(s, s.width() - 1, 0), clGray);
        QCOMPARE(pixel(s, 7, 7), clGray);   // the oscilloscope's lamp, off
        QCOMPARE(countPixels(s, clGreen), 0);
    }

    void layoutAtTheDesignOuterSize()
    {
        Bench b;
        TForm1 &f = b.form;
        b.setOuterSize(735, 637);
        QCOMPARE(f.outerSize(), QSize(735, 637));
        QCOMPARE(f.Panel2->geometry(), QRect(245, 10, 245, 537));
        QCOMPARE(f.Panel3->geometry(), QRect(499, 10, 183, 256));
        QCOMPARE(f.transformator->geometry(), QRect(52, 10, 183, 183));
        QCOMPARE(f.transformator->label1()->offsetX(), -81);
        QCOMPARE(f.transformator->label1()->offsetY(), 81);
        QCOMPARE(f.Panel1->geometry(), QRect(52, 187, 183, 50));
        QCOMPARE(f.SpeedButton1->pos(), QPoint(499, 266));
        QCOMPARE(f.Image1->geometry(), QRect(10, 30, 225, 225));
        QCOMPARE(f.Image1->picture().size(), QSize(225, 225));
        QCOMPARE(f.Lab.PixelsPerCm, 28.125);
        QCOMPARE(f.LabeledEdit1->geometry(), QRect(78, 275, 89, 27));
        QCOMPARE(f.LabeledEdit2->y(), 275 + 27 + 15 + 10);
        QCOMPARE(f.LabeledEdit3->y(), 327 + 27 + 15 + 10);
        QCOMPARE(f.Label2->pos(), QPoint(78, 416));
        QCOMPARE(f.Dplastin1->geometry(), QRect(78, 435, 40, 28));
        QCOMPARE(f.UpDown3->pos(), QPoint(128, 435));
        QCOMPARE(f.knopka1->pos(), QPoint(5, 5));
        QCOMPARE(f.knopka2->pos(), QPoint(5, 5));
        QCOMPARE(f.Image2->geometry(), QRect(5, 5, 15, 15));
        QCOMPARE(f.amper->pos(), QPoint(21, 25));
        QCOMPARE(f.knopka3->pos(), QPoint(116, 25));
        QCOMPARE(f.sh_vprm->pos(), QPoint(19, 63));
        QCOMPARE(f.sh_vprm_2->pos(), QPoint(63, 63));
        QCOMPARE(f.Label1->y(), 103);
        QCOMPARE(f.Fmax1->y(), 103 + 19 + 5);
        QCOMPARE(f.UpDown1->pos(), QPoint(f.Fmax1->x() + 57, f.Fmax1->y()));
        QCOMPARE(f.Label3->y(), 127 + 28 + 10);
        QCOMPARE(f.Faza1->pos(), QPoint(f.Label1->x(), 165 + 19));
        QCOMPARE(f.UpDown2->pos(), QPoint(f.Faza1->x() + 56, f.Faza1->y()));
        QCOMPARE(f.Edit1->pos(), QPoint(551, 277));
        QCOMPARE(f.Edit2->pos(), QPoint(551, 315));
    }

    void scaleLagsOnePass()
    {
        Bench b;
        TForm1 &f = b.form;
        b.setOuterSize(735, 637);
        const QSize frame = f.outerSize() - f.size();
        f.resize(QSize(1050, 700) - frame);
        f.Border();
        // The pass measured the 225-pixel screen, then made it 330.
        QCOMPARE(f.Lab.PixelsPerCm, 28.125);
        QCOMPARE(f.Image1->width(), 330);
        f.Border();
        QCOMPARE(f.Lab.PixelsPerCm, 41.25);
    }

    void oneResizeSettlesTheLayout()
    {
        // A single size change (a tiling window manager, a restore) leaves
        // no field hidden under the old screen and no trace at the old scale.
        Bench b;
        TForm1 &f = b.form;
        b.setOuterSize(1200, 800);
        QCOMPARE(f.Image1->width(), 380);
        const QSize frame = f.outerSize() - f.size();
        f.resize(QSize(650, 550) - frame);
        f.FormResize();
        QCOMPARE(f.Image1->width(), 196);
        QCOMPARE(f.Lab.PixelsPerCm, 24.5);
        QCOMPARE(f.LabeledEdit1->y(), 196 + 50);
        QVERIFY(f.LabeledEdit3->geometry().bottom() < f.Panel2->height());
        QVERIFY(f.Dplastin1->geometry().bottom() < f.Panel2->height());
        // The same after a system command that finds the screen off its size.
        f.Image1->resize(200, 200);
        f.WMSysCommand();
        QCOMPARE(f.Image1->width(), 196);
        QCOMPARE(f.Lab.PixelsPerCm, 24.5);
    }

    void smallestSize()
    {
        Bench b;
        TForm1 &f = b.form;
        b.setOuterSize(600, 500);   // refused below 650 × 550
        QCOMPARE(f.outerSize(), QSize(650, 550));
        QCOMPARE(f.Panel2->width(), 216);
        QCOMPARE(f.Image1->size(), QSize(196, 196));
        QCOMPARE(f.Panel3->width(), 162);
        QCOMPARE(f.transformator->width(), 162);
        QVERIFY(f.transformator->x() >= 0);

        // On screen the limit is on the outer size, the frame included.
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        b.setOuterSize(600, 500);
        QCOMPARE(f.outerSize(), QSize(650, 550));
        QCOMPARE(f.Image1->width(), 196);
    }

    void wideWindowKeepsTheSourceAndDialAt272()
    {
        Bench b;
        TForm1 &f = b.form;
        b.setOuterSize(1200, 800);
        QCOMPARE(f.Panel3->size(), QSize(272, 381));
        QCOMPARE(f.transformator->size(), QSize(272, 272));
        QCOMPARE(f.Panel2->width(), 400);
        QCOMPARE(f.Image1->size(), QSize(380, 380));
        b.setOuterSize(1600, 900);
        QCOMPARE(f.Panel3->width(), 272);
        QCOMPARE(f.Panel2->width(), 533);
        QCOMPARE(f.Image1->width(), 513);
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
        TForm1 &f = b.form;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        b.setOuterSize(outer.width(), outer.height());
        QCOMPARE(f.outerSize(), outer);
        const auto children = f.Panel2->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        QVERIFY(children.size() >= 11);
        for (const QWidget *w : children)
            QVERIFY2(f.Panel2->rect().contains(w->geometry()), qPrintable(w->objectName()));
        QVERIFY(f.ClientArea->rect().contains(f.Panel2->geometry()));
        QCOMPARE(f.Image1->width(), f.Image1->height());
        QCOMPARE(f.Lab.PixelsPerCm, f.Image1->width() / 8.0);
    }

    void resizeRedrawsTheTraceOnlyWhileTheRegulatorIsOn()
    {
        Bench b;
        TForm1 &f = b.form;
        b.setOuterSize(735, 637);
        b.toSourceOn();
        f.amper->setValue(0.2);   // the trace lies nearly flat
        f.Line();
        QVERIFY(greenWidth(*f.Image1) > 100);
        b.setOuterSize(800, 637);
        QCOMPARE(f.Image1->width(), 246);
        QVERIFY(greenWidth(*f.Image1) > 100);
        QCOMPARE(pixel(*f.Image1, 7, 7), clRed);

        // Regulator off: the lamp and the spot only.
        f.knopka3Click();
        b.rampDown();
        b.setOuterSize(760, 637);
        const int c = f.Image1->width() / 2;
        QCOMPARE(pixel(*f.Image1, c, c), clGreen);
        QVERIFY(greenWidth(*f.Image1) <= 5);
        QCOMPARE(pixel(*f.Image1, 7, 7), clRed);

        // Oscilloscope off: the dark screen and the grey lamp.
        f.knopka1Click();
        b.setOuterSize(735, 637);
        QCOMPARE(countPixels(*f.Image1, clGreen), 0);
        QCOMPARE(pixel(*f.Image1, 112, 112), clScreenDark);
        QCOMPARE(pixel(*f.Image1, 7, 7), clGray);
        QVERIFY(b.dialogs.errors.isEmpty());
    }

    void movesAndStateChangesRepaintTheScreen()
    {
        Bench b;
        TForm1 &f = b.form;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.knopka1Click();
        {
            Canvas c = f.Image1->canvas();
            c.setBrushColor(clWhite);
            c.fillRect(TRect{0, 0, f.Image1->width(), f.Image1->height()});
        }
        f.move(f.pos() + QPoint(7, 3));
        QTRY_COMPARE(pixel(*f.Image1, f.Image1->width() - 1, 0), clGray);
        QCOMPARE(pixel(*f.Image1, 7, 7), clRed);

        {
            Canvas c = f.Image1->canvas();
            c.setBrushColor(clWhite);
            c.fillRect(TRect{0, 0, f.Image1->width(), f.Image1->height()});
        }
        f.setWindowState(Qt::WindowMaximized);
        QTRY_COMPARE(pixel(*f.Image1, f.Image1->width() - 1, 0), clGray);
        QTRY_COMPARE(f.Panel2->width(), f.outerSize().width() / 3);
    }

    void aDragIsOneSystemCommand()
    {
        // Every pass fails here, so each pass shows up as one error. A drag
        // moves the window again and again; the pass comes once the moves
        // have settled.
        Bench b;
        TForm1 &f = b.form;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTest::qWait(300);   // the first showing's pass is over
        makeEveryTraceFail(f);
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
        TForm1 &f = b.form;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTest::qWait(300);   // the first showing's pass is over
        makeEveryTraceFail(f);
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
        TForm1 &f = b.form;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTest::qWait(300);   // the first showing's pass is over
        makeEveryTraceFail(f);
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
        TForm1 f;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTest::qWait(300);   // the first showing's pass is over
        {
            RecordingDialogs quiet;
            makeEveryTraceFail(f);
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
        QCOMPARE(f.Panel2->width(), f.outerSize().width() / 3);
    }

    void statusBar()
    {
        const QDateTime when(QDate(2024, 3, 5), QTime(23, 50, 23));
        Bench b([when] { return when; });
        const QList<QLabel *> panels = b.form.StatusBar1->findChildren<QLabel *>();
        QCOMPARE(panels.size(), 3);
        const int widths[] = {120, 120, 50};
        const Qt::Alignment alignments[] = {Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignLeft};
        const QString texts[] = {QStringLiteral("Дата: 05.03.2024"), QStringLiteral("Время: 23:50:23"), QString()};
        for (int i = 0; i < 3; ++i) {
            const QLabel *panel = b.form.StatusBar1->findChild<QLabel *>(QStringLiteral("StatusPanel%1").arg(i));
            QVERIFY(panel);
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
