// SPDX-License-Identifier: GPL-3.0-or-later
#include "x_session.h"

#include "wait.h"

#include <QDir>
#include <QStandardPaths>

namespace {

const QStringList kTools = {"Xvfb",     "openbox", "xdotool", "wmctrl",   "xprop",
                            "xwininfo", "import",  "xclip",   "setxkbmap"};

void stop(QProcess &process)
{
    if (process.state() == QProcess::NotRunning) return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

}  // namespace

QStringList XSession::missingTools()
{
    QStringList missing;
    for (const QString &tool : kTools)
        if (QStandardPaths::findExecutable(tool).isEmpty()) missing << tool;
    return missing;
}

XSession::XSession(QSize screen) : screen_(screen)
{
    if (!scratch_.isValid()) {
        failure_ = "no temporary folder";
        return;
    }
    QDir(scratch_.path()).mkpath("runtime");
    QFile::setPermissions(scratch_.filePath("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // A display that vanishes under a starting window manager (another
    // program on the machine may end X servers) is started afresh.
    for (int attempt = 0; attempt < 3; ++attempt) {
        failure_.clear();
        if (startServer() && useStudentKeyboard() && startWindowManager()) return;
        stop(windowManager_);
        stop(server_);
    }
}

XSession::~XSession()
{
    stop(windowManager_);
    stop(server_);
}

bool XSession::startServer()
{
    // The server picks a free display itself and writes its number to
    // standard output: several suites may run their displays side by side.
    display_.clear();
    server_.setStandardErrorFile(scratch_.filePath("xvfb.log"));
    server_.start("Xvfb",
                  {"-displayfd", "1", "-screen", "0", QString("%1x%2x24").arg(screen_.width()).arg(screen_.height()),
                   "-nolisten", "tcp"});
    if (!server_.waitForStarted(10000)) {
        failure_ = "Xvfb did not start: " + server_.errorString();
        return false;
    }
    QByteArray number;
    const bool told = waitFor([&] {
        server_.waitForReadyRead(100);
        number += server_.readAllStandardOutput();
        return number.contains('\n') || server_.state() == QProcess::NotRunning;
    });
    if (!told || !number.contains('\n')) {
        QFile log(scratch_.filePath("xvfb.log"));
        log.open(QIODevice::ReadOnly);
        failure_ = "Xvfb gave no display: " + QString::fromLocal8Bit(log.readAll());
        return false;
    }
    display_ = ":" + QString::fromLatin1(number.trimmed());
    return true;
}

bool XSession::useStudentKeyboard()
{
    // A US keyboard with dead keys and a Compose key (right Alt), so that
    // accents and composed characters are typed with keys the keyboard has,
    // not through keys xdotool maps in for a moment (a race with the
    // program reading the new map). The server keeps a map per keyboard
    // device and xdotool types through its XTEST keyboard, so every
    // keyboard takes the map; the devices that are no keyboard refuse it.
    int keyboards = 0;
    for (int device = 2; device < 16; ++device)
        keyboards +=
            run("setxkbmap",
                {"-device", QString::number(device), "-layout", "us", "-variant", "intl", "-option", "compose:ralt"})
                .ok();
    if (keyboards < 2) failure_ = "setxkbmap found no keyboard to take the map";
    return keyboards >= 2;
}

bool XSession::startWindowManager()
{
    windowManager_.setProcessEnvironment(environment());
    windowManager_.setStandardOutputFile(scratch_.filePath("openbox.log"));
    windowManager_.setStandardErrorFile(scratch_.filePath("openbox.log"), QIODevice::Append);
    windowManager_.start("openbox", {"--sm-disable"});
    if (!windowManager_.waitForStarted(10000)) {
        failure_ = "openbox did not start";
        return false;
    }
    // Up once it announces itself on the root window.
    bool up = false;
    waitFor([&] {
        up = run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).out.contains("window id");
        return up || windowManager_.state() == QProcess::NotRunning;
    });
    if (!up) {
        QFile log(scratch_.filePath("openbox.log"));
        log.open(QIODevice::ReadOnly);
        failure_ = "openbox did not take over the display " + display_ + ": " + QString::fromLocal8Bit(log.readAll());
    }
    return up;
}

QProcessEnvironment XSession::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display_);
    env.insert("LC_ALL", "C.UTF-8");
    env.insert("XDG_RUNTIME_DIR", scratch_.filePath("runtime"));
    env.remove("QT_QPA_PLATFORM");
    return env;
}

ToolResult XSession::run(const QString &tool, const QStringList &args, int timeoutMs) const
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(tool, args);
    ToolResult result;
    if (!process.waitForStarted(10000)) return result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

void XSession::startBeside(QProcess &process, const QString &tool, const QStringList &args) const
{
    process.setProcessEnvironment(environment());
    process.start(tool, args);
    process.waitForStarted(10000);
}
