// The peer for start-up time and peak memory: the barest Qt Widgets program
// with one window of the bench's size, started and ended the same way.
#include "toolkit/first_frame_exit.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Qt"));
    window.resize(719, 579);
    ExitAfterFirstFrame::installIfAsked(window);
    window.show();
    return app.exec();
}
