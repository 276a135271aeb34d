// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/work_area.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QRect workArea(const QWidget *window)
{
    const QScreen *screen = window ? window->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QPoint centredOrigin(const QRect &workArea, QSize outer)
{
    const auto along = [](int areaStart, int areaLength, int length) {
        return length > areaLength ? areaStart : areaLength / 2 - length / 2;
    };
    return QPoint(along(workArea.x(), workArea.width(), outer.width()),
                  along(workArea.y(), workArea.height(), outer.height()));
}
