// SPDX-License-Identifier: GPL-3.0-or-later
// The main menu with the lab documents, the exit question and the credits and
// about windows; the status bar's date and clock.
#include "bench/bench_window.h"

#include "bench/documents.h"
#include "bench/info_windows.h"
#include "bench/stored_layout.h"
#include "toolkit/colors.h"
#include "toolkit/dialogs.h"
#include "toolkit/handler.h"
#include "toolkit/local_time.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

namespace {

QAction *addItem(QMenu *menu, const char *name, const QString &caption)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    return a;
}

QMenu *addMenu(QWidget *owner, const char *name, const QString &caption)
{
    auto *m = new QMenu(caption, owner);
    m->setObjectName(QLatin1String(name));
    return m;
}

}  // namespace

void BenchWindow::createMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("mainMenu"));
    // Menus keep the desktop's own menu font, not the bench's.
    bar->setFont(QApplication::font("QMenuBar"));

    // The lab's documents, each opened by the item of that name.
    const auto addDocument = [this](QMenu *menu, const char *name, const QString &caption, const QString &file) {
        connect(addItem(menu, name, caption), &QAction::triggered, this, [this, file] { openDocument(file); });
    };

    QMenu *file = addMenu(this, "fileMenu", QStringLiteral("Файл"));
    QMenu *realLab = addMenu(file, "realLabMenu", QStringLiteral("Реальная лабораторная работа"));
    addDocument(realLab, "realTitlePageAction", QStringLiteral("Титульный лист"),
                QStringLiteral("Титульный лист(Р).pdf"));
    addDocument(realLab, "realTheoryAction", QStringLiteral("Теоретическая часть"), QStringLiteral("Теория(Р).pdf"));
    addDocument(realLab, "realProcedureAction", QStringLiteral("Порядок выполнения работы"),
                QStringLiteral("Порядок выполнения(Р).pdf"));
    addDocument(realLab, "realQuestionsAction", QStringLiteral("Контрольные вопросы и литтература"),
                QStringLiteral("Контрольные вопросы(Р).pdf"));
    file->addMenu(realLab);
    QMenu *computerLab = addMenu(file, "computerLabMenu", QStringLiteral("Компьютерная лабораторная работа"));
    addDocument(computerLab, "computerTitlePageAction", QStringLiteral("Титульный лист"),
                QStringLiteral("Титульный лист(К).pdf"));
    addDocument(computerLab, "computerProcedureAction", QStringLiteral("Порядок выполнения работы"),
                QStringLiteral("Порядок выполнения(К).pdf"));
    addDocument(computerLab, "userGuideAction", QStringLiteral("Руководство пользователя"),
                QStringLiteral("Руководство пользователя(К).pdf"));
    file->addMenu(computerLab);
    addDocument(file, "referenceAction", QStringLiteral("Справка"), QStringLiteral("Справка.pdf"));
    file->addSeparator()->setObjectName(QStringLiteral("fileMenuSeparator"));
    QAction *exit = addItem(file, "exitAction", QStringLiteral("Выход"));
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    exit->setIcon(QIcon(QStringLiteral(":/icons/exit-18.png")));
    connect(exit, &QAction::triggered, this, &BenchWindow::onExitTriggered);
    bar->addMenu(file);

    QMenu *help = addMenu(this, "helpMenu", QStringLiteral("Помощь"));
    QMenu *authors = addMenu(help, "authorsMenu", QStringLiteral("Авторы"));
    connect(addItem(authors, "projectLeadAction", QStringLiteral("Руководитель проекта")), &QAction::triggered, this,
            &BenchWindow::onProjectLeadTriggered);
    connect(addItem(authors, "programmerAction", QStringLiteral("Программист")), &QAction::triggered, this,
            &BenchWindow::onProgrammerTriggered);
    help->addMenu(authors);
    connect(addItem(help, "aboutAction", QStringLiteral("О программе...")), &QAction::triggered, this,
            &BenchWindow::onAboutTriggered);
    bar->addMenu(help);
}

void BenchWindow::createStatusBar()
{
    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("statusBar"));
    statusBar_->setFixedHeight(18);
    statusBar_->setFont(benchSerifFont(13, true));
    QPalette p = statusBar_->palette();
    p.setColor(QPalette::WindowText, toQColor(clRed));
    statusBar_->setPalette(p);
    // Three panels from the left: the date, the clock, and one the mouse
    // empties when it moves over the bench's bare surface.
    const auto addPanel = [this](const char *name, int width, Qt::Alignment alignment) {
        auto *label = new QLabel(statusBar_);
        label->setObjectName(QLatin1String(name));
        label->setFixedWidth(width);
        label->setAlignment(alignment | Qt::AlignVCenter);
        label->setContentsMargins(2, 0, 2, 0);
        statusBar_->addWidget(label);
        return label;
    };
    datePanel_ = addPanel("datePanel", 120, Qt::AlignHCenter);
    clockPanel_ = addPanel("clockPanel", 120, Qt::AlignHCenter);
    hintPanel_ = addPanel("hintPanel", 50, Qt::AlignLeft);
    setStatusBar(statusBar_);
}

void BenchWindow::openDocument(const QString &name)
{
    // A document that is not there, or that nothing opens, is said so: a
    // menu item that silently does nothing looks broken.
    runHandler([&] {
        const QStringList folders = documentFolders();
        const QString path = findDocument(name, folders);
        if (path.isEmpty())
            dialogs().showMessage(documentMissingText(name, folders));
        else if (!dialogs().shellOpen(path))
            dialogs().showMessage(documentNotOpenedText(name, path));
    });
}

void BenchWindow::onExitTriggered()
{
    runHandler([&] {
        if (dialogs().askWarningYesNo(QStringLiteral("Вы действительно хотите выйти из программы ?"))) close();
    });
}

void BenchWindow::onProjectLeadTriggered()
{
    runHandler([&] {
        if (credits_) credits_->showLead();
    });
}

void BenchWindow::onProgrammerTriggered()
{
    runHandler([&] {
        if (credits_) credits_->showProgrammer();
    });
}

void BenchWindow::onAboutTriggered()
{
    runHandler([&] {
        if (about_) about_->showAbout();
    });
}

void BenchWindow::onClockTick()
{
    runHandler([&] { clockPanel_->setText(QStringLiteral("Время: ") + LongTimeText(clock_().time())); });
}

void BenchWindow::onSurfaceMouseMove()
{
    runHandler([&] { hintPanel_->clear(); });
}
