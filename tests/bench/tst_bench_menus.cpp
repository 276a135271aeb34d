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
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>

using namespace bench_test;

namespace {

QString statusPanel(const Bench &b, int index)
{
    const QLabel *panels[] = {b.datePanel, b.clockPanel, b.hintPanel};
    return panels[index]->text();
}

// The program started in `folder`, with the desktop's data folders `home`
// and `shared`; put back as they were at the end.
struct StartedIn {
    StartedIn(const QString &folder, const QString &home, const QString &shared)
        : before(QDir::currentPath()), dataHome(qgetenv("XDG_DATA_HOME")), dataDirs(qgetenv("XDG_DATA_DIRS"))
    {
        QDir::setCurrent(folder);
        qputenv("XDG_DATA_HOME", home.toLocal8Bit());
        qputenv("XDG_DATA_DIRS", shared.toLocal8Bit());
    }
    ~StartedIn()
    {
        QDir::setCurrent(before);
        restore("XDG_DATA_HOME", dataHome);
        restore("XDG_DATA_DIRS", dataDirs);
    }
    static void restore(const char *name, const QByteArray &value)
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    QString before;
    QByteArray dataHome, dataDirs;
};

QStringList captions(const QList<QAction *> &actions)
{
    QStringList out;
    for (const QAction *a : actions) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

}  // namespace

class TstBenchMenus : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void cleanup() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void menuStructure()
    {
        Bench b;
        BenchWindow &f = b.window;
        auto menu = [&b](const char *name) { return b.find<QMenu>(QLatin1String(name)); };
        auto actions = [&b](std::initializer_list<const char *> names) {
            QList<QAction *> found;
            for (const char *name : names) found << b.find<QAction>(QLatin1String(name));
            return found;
        };
        QCOMPARE(f.menuBar()->objectName(), QStringLiteral("mainMenu"));
        QCOMPARE(captions(f.menuBar()->actions()), (QStringList{"Файл", "Помощь"}));
        QCOMPARE(f.menuBar()->actions().at(0)->menu(), menu("fileMenu"));
        QCOMPARE(f.menuBar()->actions().at(1)->menu(), menu("helpMenu"));
        QCOMPARE(
            captions(menu("fileMenu")->actions()),
            (QStringList{"Реальная лабораторная работа", "Компьютерная лабораторная работа", "Справка", "-", "Выход"}));
        QCOMPARE(menu("fileMenu")->actions().at(0)->menu(), menu("realLabMenu"));
        QCOMPARE(menu("fileMenu")->actions().at(1)->menu(), menu("computerLabMenu"));
        QCOMPARE(menu("fileMenu")->actions().mid(2), actions({"referenceAction", "fileMenuSeparator", "exitAction"}));
        QCOMPARE(captions(menu("realLabMenu")->actions()),
                 (QStringList{"Титульный лист", "Теоретическая часть", "Порядок выполнения работы",
                              "Контрольные вопросы и литтература"}));
        QCOMPARE(menu("realLabMenu")->actions(),
                 actions({"realTitlePageAction", "realTheoryAction", "realProcedureAction", "realQuestionsAction"}));
        QCOMPARE(captions(menu("computerLabMenu")->actions()),
                 (QStringList{"Титульный лист", "Порядок выполнения работы", "Руководство пользователя"}));
        QCOMPARE(menu("computerLabMenu")->actions(),
                 actions({"computerTitlePageAction", "computerProcedureAction", "userGuideAction"}));
        QCOMPARE(captions(menu("helpMenu")->actions()), (QStringList{"Авторы", "О программе..."}));
        QCOMPARE(menu("helpMenu")->actions().at(0)->menu(), menu("authorsMenu"));
        QCOMPARE(menu("helpMenu")->actions().at(1), b.find<QAction>("aboutAction"));
        QCOMPARE(menu("authorsMenu")->actions(), actions({"projectLeadAction", "programmerAction"}));
        QCOMPARE(captions(menu("authorsMenu")->actions()), (QStringList{"Руководитель проекта", "Программист"}));

        const QAction *exit = b.find<QAction>("exitAction");
        QCOMPARE(exit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
        QVERIFY(!exit->icon().isNull());
        QCOMPARE(exit->icon().actualSize(QSize(64, 64)), QSize(18, 18));
        for (QAction *a : f.findChildren<QAction *>())
            if (a != exit) QVERIFY2(a->shortcut().isEmpty(), qPrintable(a->objectName()));
    }

    void documentsAreFoundWhereverTheProgramStarts()
    {
        // Started in a folder that holds Files/, the program opens the
        // documents from there; started anywhere else, from the desktop's
        // data folders. (An installed program's share/emlab/Files beside its
        // own folder is proven in the real window.)
        const QList<QPair<QString, QString>> documents = {{"realTitlePageAction", "Титульный лист(Р).pdf"},
                                                          {"realTheoryAction", "Теория(Р).pdf"},
                                                          {"realProcedureAction", "Порядок выполнения(Р).pdf"},
                                                          {"realQuestionsAction", "Контрольные вопросы(Р).pdf"},
                                                          {"computerTitlePageAction", "Титульный лист(К).pdf"},
                                                          {"computerProcedureAction", "Порядок выполнения(К).pdf"},
                                                          {"userGuideAction", "Руководство пользователя(К).pdf"},
                                                          {"referenceAction", "Справка.pdf"}};
        QTemporaryDir started, elsewhere, data;
        const QString startedFiles = started.filePath(QStringLiteral("Files"));
        const QString dataFiles = data.filePath(QStringLiteral("emlab/Files"));
        QVERIFY(QDir().mkpath(startedFiles) && QDir().mkpath(dataFiles));
        for (const auto &[item, name] : documents) QVERIFY(QFile(startedFiles + '/' + name).open(QIODevice::WriteOnly));
        QVERIFY(QFile(dataFiles + QStringLiteral("/Справка.pdf")).open(QIODevice::WriteOnly));
        const StartedIn guard(started.path(), elsewhere.path(), data.path());

        Bench b;
        for (const auto &[item, name] : documents) {
            b.dialogs.clear();
            b.trigger(item);
            QCOMPARE(b.dialogs.opened, QStringList{startedFiles + '/' + name});
        }
        QVERIFY(b.dialogs.messages.isEmpty());

        QDir::setCurrent(elsewhere.path());
        b.dialogs.clear();
        b.trigger("referenceAction");
        QCOMPARE(b.dialogs.opened, QStringList{dataFiles + QStringLiteral("/Справка.pdf")});
        // A document in none of the folders is reported, with the folders looked in.
        b.trigger("userGuideAction");
        QCOMPARE(b.dialogs.opened.size(), 1);
        QCOMPARE(b.dialogs.messages.size(), 1);
        const QString missing = b.dialogs.messages.first();
        QVERIFY2(missing.contains(QStringLiteral("«Руководство пользователя(К).pdf» не найден")), qPrintable(missing));
        QVERIFY2(missing.contains(elsewhere.filePath(QStringLiteral("Files"))) && missing.contains(dataFiles),
                 qPrintable(missing));
        // So is a document that no viewer opens.
        b.dialogs.clear();
        b.dialogs.viewerOpens = false;
        b.trigger("referenceAction");
        QCOMPARE(b.dialogs.messages,
                 QStringList{QStringLiteral("Документ «Справка.pdf» не удалось открыть: для файла ") + dataFiles +
                             QStringLiteral("/Справка.pdf не нашлось программы просмотра PDF.")});
        QVERIFY(b.dialogs.errors.isEmpty());
    }

    void exitAsksFirst()
    {
        Bench b;
        BenchWindow &f = b.window;
        f.show();
        b.dialogs.answerYes = false;
        b.trigger("exitAction");
        QCOMPARE(b.dialogs.questions, QStringList{QStringLiteral("Вы действительно хотите выйти из программы ?")});
        QVERIFY(f.isVisible());
        b.dialogs.answerYes = true;
        b.trigger("exitAction");
        QCOMPARE(b.dialogs.questions.size(), 2);
        QVERIFY(!f.isVisible());
    }

    void ctrlCInAFieldAsksToExitInsteadOfCopying()
    {
        Bench b;
        BenchWindow &f = b.window;
        f.show();
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QApplication::clipboard()->setText(QStringLiteral("unchanged"));
        for (QLineEdit *edit :
             {static_cast<QLineEdit *>(b.anodeVoltageField), static_cast<QLineEdit *>(b.specificChargeField)}) {
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
        b.specificChargeField->setFocus();
        b.specificChargeField->selectAll();
        b.dialogs.clear();
        QTest::keyClick(b.specificChargeField, Qt::Key_Insert, Qt::ControlModifier);
        QVERIFY(b.dialogs.questions.isEmpty());
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1400"));
        QVERIFY(f.isVisible());
    }

    void creditsAndAboutItems()
    {
        Bench b;
        BenchWindow &f = b.window;
        CreditsWindow credits;
        AboutWindow about;
        // Without the windows handed over the items do nothing.
        b.trigger("projectLeadAction");
        b.trigger("aboutAction");
        QVERIFY(b.dialogs.errors.isEmpty());
        f.setInformationWindows(&credits, &about);
        b.trigger("projectLeadAction");
        QVERIFY(credits.isVisible());
        QCOMPARE(credits.windowTitle(), QStringLiteral("Руководитель проекта"));
        b.trigger("programmerAction");
        QCOMPARE(credits.windowTitle(), QStringLiteral("Программист"));
        QVERIFY(!about.isVisible());
        // Wherever it was left, the about window opens centred on the work area.
        about.move(3, 4);
        b.trigger("aboutAction");
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
        QTest::newRow("C locale") << QLocale::c() << "Дата: 5 Mar 2024"
                                  << "Время: 09:05:07";
    }

    void statusBarTexts()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, date);
        QFETCH(QString, time);
        QLocale::setDefault(locale);
        Bench b([] { return QDateTime(QDate(2024, 3, 5), QTime(9, 5, 7)); });
        QCOMPARE(statusPanel(b, 0), date);
        QCOMPARE(statusPanel(b, 1), time);
        QVERIFY(!statusPanel(b, 1).contains(QStringLiteral("UTC")));
        QCOMPARE(statusPanel(b, 2), QString());
    }

    void clockAdvancesWhileTheDateStays()
    {
        QDateTime clockValue(QDate(2024, 3, 5), QTime(23, 59, 58));
        Bench b([&clockValue] { return clockValue; });
        QCOMPARE(statusPanel(b, 1), QStringLiteral("Время: 23:59:58"));
        clockValue = clockValue.addSecs(3);
        b.tick("clockTimer");
        QCOMPARE(statusPanel(b, 1), QStringLiteral("Время: 00:00:01"));
        QCOMPARE(statusPanel(b, 0), QStringLiteral("Дата: 05.03.2024"));
        // The running timer does the same once a second.
        clockValue = clockValue.addSecs(1);
        QTRY_COMPARE_WITH_TIMEOUT(statusPanel(b, 1), QStringLiteral("Время: 00:00:02"), 3000);
    }

    void mouseOverTheBenchSurfaceEmptiesTheLastPanel()
    {
        Bench b;
        BenchWindow &f = b.window;
        b.setOuterSize(735, 637);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        b.hintPanel->setText(QStringLiteral("x"));
        // Over a control: the window's surface is not under the mouse.
        const QPoint overPanel = b.scopePanel->geometry().center();
        QMouseEvent overControl(QEvent::MouseMove, overPanel, b.clientArea->mapToGlobal(QPointF(overPanel)),
                                Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(b.clientArea, &overControl);
        QCOMPARE(statusPanel(b, 2), QStringLiteral("x"));
        // Over the bare surface, left of the dial.
        const QPoint bare(20, 400);
        QVERIFY(!b.clientArea->childAt(bare));
        QTest::mouseMove(b.clientArea, bare);
        QTRY_COMPARE(statusPanel(b, 2), QString());
    }
};

QTEST_MAIN(TstBenchMenus)
#include "tst_bench_menus.moc"
