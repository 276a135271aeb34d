// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start-up programs the benchmark launches quit as soon as their main
// window has painted its first frame, so that the time from launch to a
// visible window, and the memory it took, can be measured from outside.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

class QuitAfterFirstFrame final : public QObject {
public:
    explicit QuitAfterFirstFrame(QWidget &window) : QObject(&window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !quitting_) {
            quitting_ = true;
            // Queued, so the quit comes once the whole frame, children
            // included, has been painted and flushed.
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool quitting_ = false;
};
