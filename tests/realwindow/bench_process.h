// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program itself, the binary a student starts, on the scenario's display:
// started in a folder of its own, with stand-ins for its documents where the
// scenario wants them and a document viewer that only notes what it was
// asked to open (so that the "Файл" menu may be used freely), found through
// the window manager, and measured through /proc.
#include "x_readback.h"
#include "x_session.h"

#include <QProcess>
#include <QString>
#include <QStringList>

class BenchProcess {
public:
    explicit BenchProcess(const XSession &x);
    ~BenchProcess();
    BenchProcess(const BenchProcess &) = delete;
    BenchProcess &operator=(const BenchProcess &) = delete;

    // Where the lab documents lie when the program starts.
    enum class Documents {
        // In Files/ under the folder it starts in, as when it runs from its build folder.
        InTheStartFolder,
        // Installed: the program copied to <prefix>/bin, its documents in
        // <prefix>/share/emlab/Files, and started in another folder.
        InstalledBesideTheProgram,
        // Nowhere the program looks.
        Nowhere,
    };

    // Starts the program and waits until its main window is on the screen;
    // empty when it is, otherwise what went wrong.
    QString start(Documents documents = Documents::InTheStartFolder);

    // The folder the program was started in, and the one the stand-in
    // documents lie in (empty when there are none).
    QString startFolder() const { return startFolder_; }
    QString documentFolder() const { return documents_; }

    qint64 pid() const { return process_.processId(); }
    // The main window's client window.
    XId window() const { return window_; }
    bool alive() const;
    // VmRSS from /proc, in KiB; 0 once the process has gone.
    qint64 residentKiB() const;
    // What the program wrote to its standard output and error.
    QString output() const;
    // The documents the viewer was asked to open, one path a line.
    QStringList documentsOpened() const;

    // Closes the main window as its close button does and waits for the end;
    // the exit code, or -1 when the program did not end normally.
    int closeAndWait();

private:
    const XSession &x_;
    QString folder_;
    QString startFolder_;
    QString documents_;
    QProcess process_;
    XId window_ = 0;
};
