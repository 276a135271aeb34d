// SPDX-License-Identifier: GPL-3.0-or-later
// The started program as the desktop meets it: its windows belong to the menu
// entry the build writes, Qt's own texts read in Russian, and the texts the
// program fixes itself stay exactly as they are.
#include "bench/bench_window.h"
#include "bench/bench_window_start.h"
#include "toolkit/dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

// The texts of a menu's actions as a student reads them: no accelerator
// marks, no shortcut column, no separators.
QStringList readableTexts(const QMenu &menu)
{
    QStringList texts;
    for (const QAction *action : menu.actions()) {
        if (action->isSeparator()) continue;
        texts << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
    }
    return texts;
}

enum Box { Question, Error, Message };

struct BoxSeen {
    QString title;
    QString text;
    QStringList buttons;
};

// Runs `open`, which shows a real modal box, reads the box from inside its
// own event loop and closes it with its escape or only button.
BoxSeen readModalBox(const std::function<void()> &open)
{
    BoxSeen seen;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) return;
        poll.stop();
        seen.title = box->windowTitle();
        seen.text = box->text();
        for (const QAbstractButton *button : box->buttons()) seen.buttons << button->text();
        std::sort(seen.buttons.begin(), seen.buttons.end());
        QAbstractButton *close = box->escapeButton() ? box->escapeButton() : box->buttons().constFirst();
        close->click();
    });
    poll.start();
    open();
    return seen;
}

}  // namespace

class TstDesktopIntegration : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { initialiseApplication(*qApp); }

    void windowsBelongToTheBuiltMenuEntry()
    {
        const QString id = QGuiApplication::desktopFileName();
        QVERIFY(!id.isEmpty());
        // The tests run in the build folder, where the entry is written.
        QVERIFY2(QFile::exists(QStringLiteral("packaging/") + id + QStringLiteral(".desktop")), qPrintable(id));
        QVERIFY2(QFile::exists(QStringLiteral("packaging/") + id + QStringLiteral(".metainfo.xml")), qPrintable(id));
    }

    void fieldContextMenuReadsInRussian()
    {
        const BenchProgram program = createBenchProgram();
        auto *field = program.bench->findChild<QLineEdit *>(QStringLiteral("anodeVoltageField"));
        QVERIFY(field);
        QVERIFY(QTest::qWaitForWindowExposed(program.bench.get()));

        QContextMenuEvent event(QContextMenuEvent::Mouse, field->rect().center(),
                                field->mapToGlobal(field->rect().center()));
        QApplication::sendEvent(field, &event);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        const QStringList texts = readableTexts(*menu);
        menu->close();
        QCOMPARE(texts,
                 (QStringList{
                     QStringLiteral("Отменить действие"),
                     QStringLiteral("Повторить действие"),
                     QStringLiteral("Вырезать"),
                     QStringLiteral("Копировать"),
                     QStringLiteral("Вставить"),
                     QStringLiteral("Удалить"),
                     QStringLiteral("Выделить всё"),
                 }));
    }

    void boxesKeepTheirOwnTexts_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("buttons");
        // An empty title: the application's, whatever it is; only the
        // question's caption is fixed.
        QTest::newRow("exit question") << int(Question) << QStringLiteral("Выйти из программы?")
                                       << QStringLiteral("Warning")
                                       << QStringList{QStringLiteral("&No"), QStringLiteral("&Yes")};
        QTest::newRow("error box") << int(Error) << QStringLiteral("'1a' is not a valid integer value") << QString()
                                   << QStringList{QStringLiteral("OK")};
        QTest::newRow("message box") << int(Message) << QStringLiteral("Введите значение") << QString()
                                     << QStringList{QStringLiteral("OK")};
    }

    void boxesKeepTheirOwnTexts()
    {
        QFETCH(int, box);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(QStringList, buttons);
        const BoxSeen seen = readModalBox([&] {
            if (box == Question)
                dialogs().askWarningYesNo(text);
            else if (box == Error)
                dialogs().showError(text);
            else
                dialogs().showMessage(text);
        });
        QCOMPARE(seen.text, text);
        QCOMPARE(seen.buttons, buttons);
        if (!title.isEmpty()) QCOMPARE(seen.title, title);
    }
};

QTEST_MAIN(TstDesktopIntegration)
#include "tst_desktop_integration.moc"
