// SPDX-License-Identifier: GPL-3.0-or-later
// The barest peer for start-up time and peak memory: a Qt Widgets program
// with one empty window of the bench's size, started and ended the same way.
#include "first_frame_exit.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Qt"));
    window.resize(719, 579);
    new QuitAfterFirstFrame(window);
    window.show();
    return app.exec();
}
