// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/paint_counter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTest>

PaintCounter::PaintCounter(QWidget &widget) : widget_(&widget)
{
    widget.window()->show();
    if (!QTest::qWaitForWindowExposed(widget.window())) qWarning("the widget's window was not exposed");
    widget.installEventFilter(this);
    take();
}

int PaintCounter::take()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    const int paints = paints_;
    paints_ = 0;
    return paints;
}

bool PaintCounter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == widget_ && event->type() == QEvent::Paint) ++paints_;
    return QObject::eventFilter(watched, event);
}
