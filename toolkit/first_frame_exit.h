#pragma once
// Start-up measurement: with EMLAB_EXIT_AFTER_FIRST_FRAME=1 in the environment
// a program quits as soon as its main window has painted its first frame, so
// that the time from launch to a visible window, and the memory it took, can
// be measured from outside. Without the variable nothing is installed.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

class ExitAfterFirstFrame final : public QObject {
public:
    static void installIfAsked(QWidget &window)
    {
        if (qEnvironmentVariable("EMLAB_EXIT_AFTER_FIRST_FRAME") == QLatin1String("1"))
            new ExitAfterFirstFrame(window);
    }

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
    explicit ExitAfterFirstFrame(QWidget &window) : QObject(&window) { window.installEventFilter(this); }
    bool quitting_ = false;
};
