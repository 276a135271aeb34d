// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start and end: the three windows in their order, only the
// bench shown, and the bench's closing ending the program at once.
#include "bench/bench_window.h"
#include "bench/bench_window_start.h"
#include "bench/info_windows.h"
#include "common/recording_dialogs.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

class TstBenchStart : public QObject {
    Q_OBJECT

private slots:
    void windowsInOrderOnlyTheBenchShown()
    {
        RecordingDialogs dialogs;
        QStringList order;
        const BenchProgram p = CreateBenchProgram([&](QWidget *w) {
            order << QString::fromLatin1(w->metaObject()->className());
            QVERIFY(!w->isVisible());
        });
        QCOMPARE(order, (QStringList{"TForm1", "TFRaz", "TForm_o_programe"}));
        QVERIFY(p.Form1->isVisible());
        QVERIFY(!p.FRaz->isVisible());
        QVERIFY(!p.Form_o_programe->isVisible());
        // The Help menu reaches the two windows made here.
        p.Form1->N7->trigger();
        QVERIFY(p.Form_o_programe->isVisible());
    }

    void applicationTitleAndIcon()
    {
        InitialiseApplication(*qApp);
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Определение удельного заряда электрона"));
        // No display name of its own (which X11 would append to every other
        // window's caption): the display name still follows the name.
        QApplication::setApplicationName(QStringLiteral("emlab-probe"));
        QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("emlab-probe"));
        InitialiseApplication(*qApp);
        // The bench and the boxes that carry the application's title say it once.
        RecordingDialogs dialogs;
        TForm1 bench;
        QCOMPARE(bench.windowTitle(), QApplication::applicationName());
        QCOMPARE(QApplication::windowIcon().actualSize(QSize(32, 32)), QSize(32, 32));
        QCOMPARE(QApplication::windowIcon().actualSize(QSize(256, 256)), QSize(128, 128));
        // The windows show the program's icon, the 32 x 32 picture among its sizes.
        QCOMPARE(bench.windowIcon().actualSize(QSize(32, 32)), QSize(32, 32));
    }

    void closingTheBenchEndsTheProgramWithoutAQuestion()
    {
        RecordingDialogs dialogs;
        const BenchProgram p = CreateBenchProgram();
        // Even with both information windows open.
        p.Form1->N8->trigger();
        p.Form1->N7->trigger();
        QVERIFY(p.FRaz->isVisible());
        bool endedByTheBench = false;
        QTimer::singleShot(50, p.Form1.get(), [&] { p.Form1->close(); });
        QTimer::singleShot(5000, qApp, [&] { QApplication::exit(1); });
        const int code = QApplication::exec();
        endedByTheBench = code == 0;
        QVERIFY(endedByTheBench);
        QVERIFY(dialogs.questions.isEmpty());
    }
};

QTEST_MAIN(TstBenchStart)
#include "tst_bench_start.moc"
