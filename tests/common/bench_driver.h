// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drives a bench window from outside, as a student does: its controls are
// found by their object names, switches clicked and arrows pressed with the
// mouse, menu items triggered. The regulator's ramps and the clock advance a
// tick at a time through the timer event a timer receives when its interval
// ends, so a test runs a ramp without waiting for it.
#include "common/up_down_arrows.h"

#include <QAction>
#include <QCoreApplication>
#include <QTest>
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
    void click(const QString &name) const
    {
        QWidget *control = find(name);
        QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
    }

    // One arrow of the named pair, pressed `times` times.
    void press(const QString &pair, TUDBtnType which, int times = 1) const
    {
        QToolButton *arrow = arrowOf(find<TUpDown>(pair), which);
        for (int i = 0; i < times; ++i) QTest::mouseClick(arrow, Qt::LeftButton);
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

private:
    QWidget *window_;
};
