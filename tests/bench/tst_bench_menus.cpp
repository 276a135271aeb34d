// SPDX-License-Identifier: GPL-3.0-or-later
// The main menu: its items, the documents they open, the exit question and
// its shortcut; the status bar's date and clock in two locales.
#include "bench_fixture.h"

#include "bench/info_windows.h"
#include "toolkit/labeled_edit.h"
#include "toolkit/panel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>

using namespace bench_test;

namespace {

QString statusPanel(const TForm1 &form, int index)
{
    return form.StatusBar1->findChild<QLabel *>(QStringLiteral("StatusPanel%1").arg(index))->text();
}

QStringList captions(const QList<QAction *> &actions)
{
    QStringList out;
    for (const QAction *a : actions) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

} // namespace

class TstBenchMenus : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }

    void cleanup()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }

    void menuStructure()
    {
        Bench b;
        TForm1 &f = b.form;
        QCOMPARE(f.menuBar()->objectName(), QStringLiteral("MainMenu1"));
        QCOMPARE(captions(f.menuBar()->actions()), (QStringList{"Файл", "Помощь"}));
        QCOMPARE(f.menuBar()->actions().at(0)->menu(), f.N1);
        QCOMPARE(f.menuBar()->actions().at(1)->menu(), f.N3);
        QCOMPARE(captions(f.N1->actions()), (QStringList{"Реальная лабораторная работа",
                                                         "Компьютерная лабораторная работа", "Справка", "-",
                                                         "Выход"}));
        QCOMPARE(f.N1->actions().at(0)->menu(), f.N5);
        QCOMPARE(f.N1->actions().at(1)->menu(), f.N13);
        QCOMPARE(f.N1->actions().at(3), f.N11);
        QCOMPARE(captions(f.N5->actions()), (QStringList{"Титульный лист", "Теоретическая часть",
                                                         "Порядок выполнения работы",
                                                         "Контрольные вопросы и литтература"}));
        QCOMPARE(f.N5->actions(), (QList<QAction *>{f.N10, f.N15, f.N16, f.N20}));
        QCOMPARE(captions(f.N13->actions()),
                 (QStringList{"Титульный лист", "Порядок выполнения работы", "Руководство пользователя"}));
        QCOMPARE(f.N13->actions(), (QList<QAction *>{f.N17, f.N18, f.N19}));
        QCOMPARE(captions(f.N3->actions()), (QStringList{"Авторы", "О программе..."}));
        QCOMPARE(f.N3->actions().at(0)->menu(), f.N6);
        QCOMPARE(f.N6->actions(), (QList<QAction *>{f.N8, f.N9}));
        QCOMPARE(captions(f.N6->actions()), (QStringList{"Руководитель проекта", "Программист"}));

        QCOMPARE(f.N2->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
        QVERIFY(!f.N2->icon().isNull());
        QCOMPARE(f.N2->icon().actualSize(QSize(64, 64)), QSize(18, 18));
        for (QAction *a : {f.N10, f.N15, f.N16, f.N20, f.N17, f.N18, f.N19, f.N4, f.N8, f.N9, f.N7})
            QVERIFY(a->shortcut().isEmpty());
    }

    void documentsOpenRelativeToTheWorkingDirectory()
    {
        Bench b;
        TForm1 &f = b.form;
        const QList<QPair<QAction *, QString>> documents = {
            {f.N10, "Титульный лист(Р).pdf"},         {f.N15, "Теория(Р).pdf"},
            {f.N16, "Порядок выполнения(Р).pdf"},     {f.N20, "Контрольные вопросы(Р).pdf"},
            {f.N17, "Титульный лист(К).pdf"},         {f.N18, "Порядок выполнения(К).pdf"},
            {f.N19, "Руководство пользователя(К).pdf"}, {f.N4, "Справка.pdf"}};
        for (const auto &[item, name] : documents) {
            b.dialogs.clear();
            item->trigger();
            QCOMPARE(b.dialogs.opened, QStringList{QDir::toNativeSeparators(QStringLiteral("Files/") + name)});
        }
        QVERIFY(b.dialogs.errors.isEmpty());
        QVERIFY(b.dialogs.messages.isEmpty());
    }

    void exitAsksFirst()
    {
        Bench b;
        TForm1 &f = b.form;
        f.show();
        b.dialogs.answerYes = false;
        f.N2->trigger();
        QCOMPARE(b.dialogs.questions, QStringList{QStringLiteral("Вы действительно хотите выйти из программы ?")});
        QVERIFY(f.isVisible());
        b.dialogs.answerYes = true;
        f.N2->trigger();
        QCOMPARE(b.dialogs.questions.size(), 2);
        QVERIFY(!f.isVisible());
    }

    void ctrlCInAFieldAsksToExitInsteadOfCopying()
    {
        Bench b;
        TForm1 &f = b.form;
        f.show();
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QApplication::clipboard()->setText(QStringLiteral("unchanged"));
        for (QLineEdit *edit : {static_cast<QLineEdit *>(f.LabeledEdit1), static_cast<QLineEdit *>(f.Edit1)}) {
            edit->setVisible(true);
            edit->setText(QStringLiteral("1400"));
            edit->setFocus();
            edit->selectAll();
            QTRY_VERIFY(edit->hasFocus());
            b.dialogs.clear();
            QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
            QCOMPARE(b.dialogs.questions, QStringList{QStringLiteral("Вы действительно хотите выйти из программы ?")});
            QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("unchanged"));
            QCOMPARE(edit->text(), QStringLiteral("1400"));
        }
        // Other editing shortcuts stay the field's own.
        f.Edit1->setFocus();
        f.Edit1->selectAll();
        b.dialogs.clear();
        QTest::keyClick(f.Edit1, Qt::Key_Insert, Qt::ControlModifier);
        QVERIFY(b.dialogs.questions.isEmpty());
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1400"));
        QVERIFY(f.isVisible());
    }

    void creditsAndAboutItems()
    {
        Bench b;
        TForm1 &f = b.form;
        TFRaz credits;
        TForm_o_programe about;
        // Without the windows handed over the items do nothing.
        f.N8->trigger();
        f.N7->trigger();
        QVERIFY(b.dialogs.errors.isEmpty());
        f.setInformationWindows(&credits, &about);
        f.N8->trigger();
        QVERIFY(credits.isVisible());
        QCOMPARE(credits.windowTitle(), QStringLiteral("Руководитель проекта"));
        f.N9->trigger();
        QCOMPARE(credits.windowTitle(), QStringLiteral("Программист"));
        QVERIFY(!about.isVisible());
        // Wherever it was left, the about window opens centred on the work area.
        about.move(3, 4);
        f.N7->trigger();
        QVERIFY(about.isVisible());
        const QSize work = about.screen()->availableGeometry().size();
        const QSize outer = about.frameGeometry().size();
        QCOMPARE(about.pos(), QPoint(work.width() / 2 - outer.width() / 2, work.height() / 2 - outer.height() / 2));
    }

    void statusBarTexts_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::newRow("comma locale") << QLocale(QLocale::Russian, QLocale::Russia) << "Дата: 05.03.2024"
                                      << "Время: 09:05:07";
        QTest::newRow("period locale") << QLocale(QLocale::English, QLocale::UnitedStates) << "Дата: 3/5/24"
                                       << "Время: 9:05:07 AM";
        QTest::newRow("C locale") << QLocale::c() << "Дата: 5 Mar 2024" << "Время: 09:05:07";
    }

    void statusBarTexts()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, date);
        QFETCH(QString, time);
        QLocale::setDefault(locale);
        Bench b([] { return QDateTime(QDate(2024, 3, 5), QTime(9, 5, 7)); });
        QCOMPARE(statusPanel(b.form, 0), date);
        QCOMPARE(statusPanel(b.form, 1), time);
        QVERIFY(!statusPanel(b.form, 1).contains(QStringLiteral("UTC")));
        QCOMPARE(statusPanel(b.form, 2), QString());
    }

    void clockAdvancesWhileTheDateStays()
    {
        QDateTime clockValue(QDate(2024, 3, 5), QTime(23, 59, 58));
        Bench b([&clockValue] { return clockValue; });
        QCOMPARE(statusPanel(b.form, 1), QStringLiteral("Время: 23:59:58"));
        clockValue = clockValue.addSecs(3);
        b.form.Timer1Timer();
        QCOMPARE(statusPanel(b.form, 1), QStringLiteral("Время: 00:00:01"));
        QCOMPARE(statusPanel(b.form, 0), QStringLiteral("Дата: 05.03.2024"));
        // The running timer does the same once a second.
        clockValue = clockValue.addSecs(1);
        QTRY_COMPARE_WITH_TIMEOUT(statusPanel(b.form, 1), QStringLiteral("Время: 00:00:02"), 3000);
    }

    void mouseOverTheBenchSurfaceEmptiesTheLastPanel()
    {
        Bench b;
        TForm1 &f = b.form;
        b.setOuterSize(735, 637);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.StatusBar1->findChild<QLabel *>(QStringLiteral("StatusPanel2"))->setText(QStringLiteral("x"));
        // Over a control: the window's surface is not under the mouse.
        const QPoint overPanel = f.Panel2->geometry().center();
        QMouseEvent overControl(QEvent::MouseMove, overPanel, f.ClientArea->mapToGlobal(QPointF(overPanel)),
                                Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(f.ClientArea, &overControl);
        QCOMPARE(statusPanel(f, 2), QStringLiteral("x"));
        // Over the bare surface, left of the dial.
        const QPoint bare(20, 400);
        QVERIFY(!f.ClientArea->childAt(bare));
        QTest::mouseMove(f.ClientArea, bare);
        QTRY_COMPARE(statusPanel(f, 2), QString());
    }
};

QTEST_MAIN(TstBenchMenus)
#include "tst_bench_menus.moc"
