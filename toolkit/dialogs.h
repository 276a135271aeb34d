// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every modal box the program shows, and the shell's open operation, go
// through one service. The program uses Qt's dialogs; tests install a
// recorder so that no test ever blocks on a modal window.
#include <QString>

class DialogService {
public:
    virtual ~DialogService() = default;
    // The default error box for an error that ended an event handler.
    virtual void showError(const QString &message) = 0;
    // A plain message box: no icon, one OK button, the application's title.
    virtual void showMessage(const QString &text) = 0;
    // The warning question with Yes (default) and No (cancel); true for Yes.
    virtual bool askWarningYesNo(const QString &text) = 0;
    // Asks the desktop to open a file with its viewer; false when no viewer
    // could be started for it.
    virtual bool shellOpen(const QString &path) = 0;
};

DialogService &dialogs();
// Installs a replacement (nullptr restores Qt's dialogs). The caller keeps
// ownership and must restore the default before destroying it.
void setDialogs(DialogService *service);
