// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An X display of the scenario's own: Xvfb with one screen of the size the
// scenario needs, and openbox managing the windows on it, as on a student's
// desktop. Every X tool the scenarios use (xdotool, wmctrl, xprop, xwininfo,
// import, xclip) runs against this display through run().
#include <QByteArray>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

struct ToolResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    bool ok() const { return exitCode == 0; }
};

class XSession {
public:
    // Starts the X server and the window manager and waits until both are up.
    explicit XSession(QSize screen);
    ~XSession();
    XSession(const XSession &) = delete;
    XSession &operator=(const XSession &) = delete;

    // Empty when the display is usable; otherwise why it is not.
    QString failure() const { return failure_; }
    QSize screenSize() const { return screen_; }
    QString display() const { return display_; }

    // The environment of every program on this display: its DISPLAY, a UTF-8
    // locale, and a private runtime folder.
    QProcessEnvironment environment() const;
    // A folder that lives as long as the session.
    QString scratchPath() const { return scratch_.path(); }

    // Runs an X tool to its end (killed after the timeout).
    ToolResult run(const QString &tool, const QStringList &args, int timeoutMs = 30000) const;
    // Starts a tool that keeps running beside the scenario (a clipboard owner).
    void startBeside(QProcess &process, const QString &tool, const QStringList &args) const;

    // The tools the suite needs that this machine lacks.
    static QStringList missingTools();

private:
    bool startServer();
    bool useStudentKeyboard();
    bool startWindowManager();

    QSize screen_;
    QString display_;
    QString failure_;
    QTemporaryDir scratch_;
    QProcess server_;
    QProcess windowManager_;
};
