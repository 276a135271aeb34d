// SPDX-License-Identifier: GPL-3.0-or-later
// The main menu with the lab documents, the exit question and the credits and
// about windows; the status bar's date and clock.
#include "bench/bench_window.h"

#include "bench/info_windows.h"
#include "bench/stored_layout.h"
#include "toolkit/colors.h"
#include "toolkit/dialogs.h"
#include "toolkit/handler.h"
#include "toolkit/local_time.h"

#include <QAction>
#include <QApplication>
#include <QDir>
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

} // namespace

void TForm1::createMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    // Menus keep the desktop's own menu font, not the bench's.
    bar->setFont(QApplication::font("QMenuBar"));

    N1 = addMenu(this, "N1", QStringLiteral("Файл"));
    N5 = addMenu(N1, "N5", QStringLiteral("Реальная лабораторная работа"));
    N10 = addItem(N5, "N10", QStringLiteral("Титульный лист"));
    N15 = addItem(N5, "N15", QStringLiteral("Теоретическая часть"));
    N16 = addItem(N5, "N16", QStringLiteral("Порядок выполнения работы"));
    N20 = addItem(N5, "N20", QStringLiteral("Контрольные вопросы и литтература"));
    N1->addMenu(N5);
    N13 = addMenu(N1, "N13", QStringLiteral("Компьютерная лабораторная работа"));
    N17 = addItem(N13, "N17", QStringLiteral("Титульный лист"));
    N18 = addItem(N13, "N18", QStringLiteral("Порядок выполнения работы"));
    N19 = addItem(N13, "N19", QStringLiteral("Руководство пользователя"));
    N1->addMenu(N13);
    N4 = addItem(N1, "N4", QStringLiteral("Справка"));
    N11 = N1->addSeparator();
    N11->setObjectName(QStringLiteral("N11"));
    N2 = addItem(N1, "N2", QStringLiteral("Выход"));
    N2->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    N2->setIcon(QIcon(QStringLiteral(":/icons/exit-18.png")));
    bar->addMenu(N1);

    N3 = addMenu(this, "N3", QStringLiteral("Помощь"));
    N6 = addMenu(N3, "N6", QStringLiteral("Авторы"));
    N8 = addItem(N6, "N8", QStringLiteral("Руководитель проекта"));
    N9 = addItem(N6, "N9", QStringLiteral("Программист"));
    N3->addMenu(N6);
    N7 = addItem(N3, "N7", QStringLiteral("О программе..."));
    bar->addMenu(N3);

    connect(N10, &QAction::triggered, this, &TForm1::N10Click);
    connect(N15, &QAction::triggered, this, &TForm1::N15Click);
    connect(N16, &QAction::triggered, this, &TForm1::N16Click);
    connect(N20, &QAction::triggered, this, &TForm1::N20Click);
    connect(N17, &QAction::triggered, this, &TForm1::N17Click);
    connect(N18, &QAction::triggered, this, &TForm1::N18Click);
    connect(N19, &QAction::triggered, this, &TForm1::N19Click);
    connect(N4, &QAction::triggered, this, &TForm1::N4Click);
    connect(N2, &QAction::triggered, this, &TForm1::N2Click);
    connect(N8, &QAction::triggered, this, &TForm1::N8Click);
    connect(N9, &QAction::triggered, this, &TForm1::N9Click);
    connect(N7, &QAction::triggered, this, &TForm1::N7Click);
}

void TForm1::createStatusBar()
{
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(18);
    StatusBar1->setFont(BenchSerifFont(13, true));
    QPalette p = StatusBar1->palette();
    p.setColor(QPalette::WindowText, toQColor(clRed));
    StatusBar1->setPalette(p);
    // Three panels from the left: the date, the clock, and an empty one.
    const struct {
        int width;
        Qt::Alignment alignment;
    } panels[] = {{120, Qt::AlignHCenter}, {120, Qt::AlignHCenter}, {50, Qt::AlignLeft}};
    for (int i = 0; i < 3; ++i) {
        auto *label = new QLabel(StatusBar1);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setFixedWidth(panels[i].width);
        label->setAlignment(panels[i].alignment | Qt::AlignVCenter);
        label->setContentsMargins(2, 0, 2, 0);
        StatusBar1->addWidget(label);
        statusPanels_[i] = label;
    }
    setStatusBar(StatusBar1);
}

void TForm1::openDocument(const QString &name)
{
    // Relative to the working directory, as the documents lie beside the program.
    runHandler([&] { dialogs().shellOpen(QDir::toNativeSeparators(QStringLiteral("Files/") + name)); });
}

void TForm1::N10Click() { openDocument(QStringLiteral("Титульный лист(Р).pdf")); }
void TForm1::N15Click() { openDocument(QStringLiteral("Теория(Р).pdf")); }
void TForm1::N16Click() { openDocument(QStringLiteral("Порядок выполнения(Р).pdf")); }
void TForm1::N20Click() { openDocument(QStringLiteral("Контрольные вопросы(Р).pdf")); }
void TForm1::N17Click() { openDocument(QStringLiteral("Титульный лист(К).pdf")); }
void TForm1::N18Click() { openDocument(QStringLiteral("Порядок выполнения(К).pdf")); }
void TForm1::N19Click() { openDocument(QStringLiteral("Руководство пользователя(К).pdf")); }
void TForm1::N4Click() { openDocument(QStringLiteral("Справка.pdf")); }

void TForm1::N2Click()
{
    runHandler([&] {
        if (dialogs().askWarningYesNo(QStringLiteral("Вы действительно хотите выйти из программы ?"))) close();
    });
}

void TForm1::N8Click()
{
    runHandler([&] {
        if (credits_) credits_->showLead();
    });
}

void TForm1::N9Click()
{
    runHandler([&] {
        if (credits_) credits_->showProgrammer();
    });
}

void TForm1::N7Click()
{
    runHandler([&] {
        if (about_) about_->showAbout();
    });
}

void TForm1::Timer1Timer()
{
    runHandler([&] { statusPanels_[1]->setText(QStringLiteral("Время: ") + LongTimeText(clock_().time())); });
}

void TForm1::FormMouseMove()
{
    runHandler([&] { statusPanels_[2]->clear(); });
}
