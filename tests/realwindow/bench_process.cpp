// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_process.h"

#include "wait.h"
#include "x_input.h"

#include <QDir>
#include <QFile>
#include <QUrl>

namespace {

// Stands in for the desktop's document viewer: notes the request and ends.
const char *kViewer = "#!/bin/sh\nprintf '%s\\n' \"$*\" >> \"$(dirname \"$0\")/../opened.log\"\n";

// The documents the "Файл" menu opens, by the names the lab gives them.
const char *const kDocuments[] = {
    "Титульный лист(Р).pdf",           "Теория(Р).pdf",         "Порядок выполнения(Р).pdf",
    "Контрольные вопросы(Р).pdf",      "Титульный лист(К).pdf", "Порядок выполнения(К).pdf",
    "Руководство пользователя(К).pdf", "Справка.pdf",
};

// Stands in for the eight documents in `folder`: the viewer only notes them.
bool layDocuments(const QString &folder)
{
    if (!QDir().mkpath(folder)) return false;
    for (const char *name : kDocuments) {
        QFile document(folder + '/' + QString::fromUtf8(name));
        if (!document.open(QIODevice::WriteOnly) || document.write("%PDF-1.4\n") < 0) return false;
    }
    return true;
}

}  // namespace

BenchProcess::BenchProcess(const XSession &x) : x_(x) {}

BenchProcess::~BenchProcess()
{
    if (process_.state() == QProcess::NotRunning) return;
    if (closeAndWait() != -1) return;
    process_.kill();
    process_.waitForFinished(5000);
}

QString BenchProcess::start(Documents documents)
{
    // A fresh folder per start: the documents as the scenario wants them,
    // and the viewer's notes of this run only.
    static int runs = 0;
    folder_ = QDir(x_.scratchPath()).filePath(QString("bench%1").arg(++runs));
    QDir().mkpath(folder_ + "/bin");
    // The program built beside the suite, or another build of it named in EMLAB_PROGRAM.
    QString program = qEnvironmentVariable("EMLAB_PROGRAM", EMLAB_PROGRAM);
    QString startFolder = folder_;
    documents_.clear();
    if (documents == Documents::InTheStartFolder) {
        documents_ = folder_ + "/Files";
    } else if (documents == Documents::InstalledBesideTheProgram) {
        const QString prefix = folder_ + "/prefix";
        QDir().mkpath(prefix + "/bin");
        if (!QFile::copy(program, prefix + "/bin/emlab")) return "cannot install the program under " + prefix;
        program = prefix + "/bin/emlab";
        documents_ = prefix + "/share/emlab/Files";
        startFolder = folder_ + "/elsewhere";
        QDir().mkpath(startFolder);
    }
    if (!documents_.isEmpty() && !layDocuments(documents_)) return "cannot lay the stand-in documents in " + documents_;
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
    if (documents != Documents::InTheStartFolder) {
        // Data folders of its own, empty: documents installed on this machine stay out of it.
        QDir().mkpath(folder_ + "/data");
        env.insert("XDG_DATA_HOME", folder_ + "/data");
        env.insert("XDG_DATA_DIRS", folder_ + "/data");
    }
    process_.setProcessEnvironment(env);
    startFolder_ = startFolder;
    process_.setWorkingDirectory(startFolder);
    process_.setStandardOutputFile(folder_ + "/output.log");
    process_.setStandardErrorFile(folder_ + "/output.log", QIODevice::Append);
    process_.start(program, {});
    if (!process_.waitForStarted(10000)) return "the program did not start: " + process_.errorString();

    const XReadback screen(x_);
    // A first start on a loaded machine loads fonts and caches: more patience
    // than for a step. Beside the whole test run (two builds, the unit suites
    // and four scenario suites on two processors) a start once took longer
    // than a minute.
    const bool shown = waitFor(
        [&] {
            if (!alive()) return true;
            for (const XWindow &w : screen.windowsOf(pid())) {
                if (w.viewable && !w.transientFor && w.types.value(0) == "_NET_WM_WINDOW_TYPE_NORMAL") {
                    window_ = w.id;
                    return true;
                }
            }
            return false;
        },
        6 * kPatienceMs);
    if (!alive()) return "the program ended at start:\n" + output();
    if (!shown || !window_) {
        // What the window system knows of the program, for whoever reads the failure.
        QStringList seen;
        for (const XWindow &w : screen.windowsOf(pid()))
            seen << QString("\"%1\" %2%3%4")
                        .arg(w.name, w.types.value(0), w.viewable ? "" : " unmapped",
                             w.transientFor ? " transient" : "");
        return "the program showed no main window (its windows: " + (seen.isEmpty() ? "none" : seen.join(", ")) +
            "):\n" + output();
    }
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
    // The viewer is handed a file's address (file:///...), its letters encoded.
    QStringList paths;
    for (const QString &line : QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts)) {
        const QUrl url = QUrl::fromEncoded(line.toUtf8());
        paths << (url.isLocalFile() ? url.toLocalFile() : line);
    }
    return paths;
}

int BenchProcess::closeAndWait()
{
    if (process_.state() == QProcess::NotRunning) return -1;
    XInput(x_).close(window_);
    if (!process_.waitForFinished(15000)) return -1;
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}
