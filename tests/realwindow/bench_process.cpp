// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_process.h"

#include "wait.h"
#include "x_input.h"

#include <QDir>
#include <QFile>

namespace {

// Stands in for the desktop's document viewer: notes the request and ends.
const char *kViewer = "#!/bin/sh\nprintf '%s\\n' \"$*\" >> \"$(dirname \"$0\")/../opened.log\"\n";

} // namespace

BenchProcess::BenchProcess(const XSession &x)
    : x_(x)
{
}

BenchProcess::~BenchProcess()
{
    if (process_.state() == QProcess::NotRunning) return;
    if (closeAndWait() != -1) return;
    process_.kill();
    process_.waitForFinished(5000);
}

QString BenchProcess::start()
{
    // A fresh folder per start: no documents beside the program, and the
    // viewer's notes of this run only.
    static int runs = 0;
    folder_ = QDir(x_.scratchPath()).filePath(QString("bench%1").arg(++runs));
    QDir().mkpath(folder_ + "/bin");
    QFile viewer(folder_ + "/bin/xdg-open");
    if (!viewer.open(QIODevice::WriteOnly) || viewer.write(kViewer) < 0) return "cannot write the stand-in viewer";
    viewer.close();
    viewer.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcessEnvironment env = x_.environment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("PATH", folder_ + "/bin:" + env.value("PATH"));
    // Typed characters go through Qt's own compose handling, as on a plain desktop.
    env.remove("QT_IM_MODULE");
    env.remove("XMODIFIERS");
    process_.setProcessEnvironment(env);
    process_.setWorkingDirectory(folder_);
    process_.setStandardOutputFile(folder_ + "/output.log");
    process_.setStandardErrorFile(folder_ + "/output.log", QIODevice::Append);
    // The program built beside the suite, or another build of it named in EMLAB_PROGRAM.
    process_.start(qEnvironmentVariable("EMLAB_PROGRAM", EMLAB_PROGRAM), {});
    if (!process_.waitForStarted(10000)) return "the program did not start: " + process_.errorString();

    const XReadback screen(x_);
    // A first start on a loaded machine loads fonts and caches: more patience than for a step.
    const bool shown = waitFor([&] {
        if (!alive()) return true;
        for (const XWindow &w : screen.windowsOf(pid())) {
            if (w.viewable && !w.transientFor && w.types.value(0) == "_NET_WM_WINDOW_TYPE_NORMAL") {
                window_ = w.id;
                return true;
            }
        }
        return false;
    }, 3 * kPatienceMs);
    if (!alive()) return "the program ended at start:\n" + output();
    if (!shown || !window_) return "the program showed no main window:\n" + output();
    return {};
}

bool BenchProcess::alive() const
{
    return process_.state() == QProcess::Running && QFile::exists(QString("/proc/%1").arg(pid()));
}

qint64 BenchProcess::residentKiB() const
{
    QFile status(QString("/proc/%1/status").arg(pid()));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

QString BenchProcess::output() const
{
    QFile log(folder_ + "/output.log");
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
}

QStringList BenchProcess::documentsOpened() const
{
    QFile log(folder_ + "/opened.log");
    if (!log.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
}

int BenchProcess::closeAndWait()
{
    if (process_.state() == QProcess::NotRunning) return -1;
    XInput(x_).close(window_);
    if (!process_.waitForFinished(15000)) return -1;
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}
