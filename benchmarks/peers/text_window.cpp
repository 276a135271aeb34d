// SPDX-License-Identifier: GPL-3.0-or-later
// The honest peer for start-up time and peak memory: the least a program with
// the bench's kind of window must do. A main window with the bench's caption,
// a menu bar with its two top menus, a status bar with one label, one label
// and one push button in the bench's serif face, the bench's size; started
// and ended the same way.
#include "first_frame_exit.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Определение удельного заряда электрона"));
    window.menuBar()->addMenu(QStringLiteral("Файл"));
    window.menuBar()->addMenu(QStringLiteral("Помощь"));
    window.statusBar()->addWidget(new QLabel(QStringLiteral("Дата: 08.12.2026")));

    QFont serif(QStringLiteral("Liberation Serif"));
    serif.setPixelSize(16);
    serif.setBold(true);
    auto *client = new QWidget;
    auto *label = new QLabel(QStringLiteral("Пульсация"), client);
    label->setFont(serif);
    label->move(10, 10);
    auto *button = new QPushButton(QStringLiteral("On/Off"), client);
    button->setFont(serif);
    button->setGeometry(10, 40, 65, 22);
    window.setCentralWidget(client);

    window.resize(719, window.menuBar()->sizeHint().height() + 579);
    new QuitAfterFirstFrame(window);
    window.show();
    return app.exec();
}
