#include "toolkit/work_area.h"

#include <QGuiApplication>
#include <QScreen>

QSize workAreaSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize();
}

QPoint centredOrigin(QSize workArea, QSize outer)
{
    return QPoint(workArea.width() / 2 - outer.width() / 2, workArea.height() / 2 - outer.height() / 2);
}
