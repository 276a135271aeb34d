// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drives a bench window from outside, as a student does: its controls are
// found by their object names, switches clicked and arrows pressed with the
// mouse, menu items triggered. The regulator's ramps and the clock advance a
// tick at a time through the timer event a timer receives when its interval
// ends, so a test runs a ramp without waiting for it. It needs nothing of Qt
// Test: the documents' tool and the benchmarks drive the bench with it too.
#include "common/up_down_arrows.h"

#include <QAction>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QTimerEvent>

class BenchDriver {
public:
    explicit BenchDriver(QWidget &window) : window_(&window) {}

    // The window's child of this type and name; a name it lacks ends the run.
    template <class T = QWidget>
    T *find(const QString &name) const
    {
        T *child = window_->findChild<T *>(name);
        if (!child) qFatal("the bench has no %s named \"%s\"", T::staticMetaObject.className(), qPrintable(name));
        return child;
    }

    // A left click in the middle of the named control.
    void click(const QString &name) const { leftClick(find(name)); }

    // One arrow of the named pair, pressed `times` times.
    void press(const QString &pair, TUDBtnType which, int times = 1) const
    {
        QToolButton *arrow = arrowOf(find<TUpDown>(pair), which);
        for (int i = 0; i < times; ++i) leftClick(arrow);
    }

    void trigger(const QString &action) const { find<QAction>(action)->trigger(); }

    // One tick of the named timer; false, and nothing happens, if it is not running.
    bool tick(const QString &timer) const
    {
        QTimer *t = find<QTimer>(timer);
        if (!t->isActive()) return false;
        QTimerEvent event(t->timerId());
        QCoreApplication::sendEvent(t, &event);
        return true;
    }

    // Ticks the named timer until it stops, at most `limit` times; returns the ticks.
    int runTimer(const QString &timer, int limit = 1000) const
    {
        int ticks = 0;
        while (ticks < limit && tick(timer)) ++ticks;
        return ticks;
    }

    // A press and a release of the left button in the middle of `control`,
    // the events a click brings.
    static void leftClick(QWidget *control)
    {
        const QPointF local = control->rect().center();
        const QPointF global = control->mapToGlobal(local);
        QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(control, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(control, &release);
    }

private:
    QWidget *window_;
};
