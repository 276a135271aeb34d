// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start and end: the three windows in their order, only the
// bench shown, and the bench's closing ending the program at once.
#include "bench/bench_window.h"
#include "bench/bench_window_start.h"
#include "bench/info_windows.h"
#include "common/recording_dialogs.h"

#include <QAction>
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
        const BenchProgram p = createBenchProgram([&](QWidget *w) {
            order << QString::fromLatin1(w->metaObject()->className());
            QVERIFY(!w->isVisible());
        });
        QCOMPARE(order, (QStringList{"BenchWindow", "CreditsWindow", "AboutWindow"}));
        QVERIFY(p.bench->isVisible());
        QVERIFY(!p.credits->isVisible());
        QVERIFY(!p.about->isVisible());
        // The Help menu reaches the two windows made here.
        p.bench->findChild<QAction *>("aboutAction")->trigger();
        QVERIFY(p.about->isVisible());
    }

    void applicationTitleAndIcon()
    {
        initialiseApplication(*qApp);
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Определение удельного заряда электрона"));
        // No display name of its own (which X11 would append to every other
        // window's caption): the display name still follows the name.
        QApplication::setApplicationName(QStringLiteral("emlab-probe"));
        QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("emlab-probe"));
        initialiseApplication(*qApp);
        // The bench and the boxes that carry the application's title say it once.
        RecordingDialogs dialogs;
        BenchWindow bench;
        QCOMPARE(bench.windowTitle(), QApplication::applicationName());
        QCOMPARE(QApplication::windowIcon().actualSize(QSize(32, 32)), QSize(32, 32));
        QCOMPARE(QApplication::windowIcon().actualSize(QSize(256, 256)), QSize(128, 128));
        // The windows show the program's icon, the 32 x 32 picture among its sizes.
        QCOMPARE(bench.windowIcon().actualSize(QSize(32, 32)), QSize(32, 32));
    }

    void closingTheBenchEndsTheProgramWithoutAQuestion()
    {
        RecordingDialogs dialogs;
        const BenchProgram p = createBenchProgram();
        // Even with both information windows open.
        p.bench->findChild<QAction *>("projectLeadAction")->trigger();
        p.bench->findChild<QAction *>("aboutAction")->trigger();
        QVERIFY(p.credits->isVisible());
        bool endedByTheBench = false;
        QTimer::singleShot(50, p.bench.get(), [&] { p.bench->close(); });
        QTimer::singleShot(5000, qApp, [&] { QApplication::exit(1); });
        const int code = QApplication::exec();
        endedByTheBench = code == 0;
        QVERIFY(endedByTheBench);
        QVERIFY(dialogs.questions.isEmpty());
    }
};

QTEST_MAIN(TstBenchStart)
#include "tst_bench_start.moc"
