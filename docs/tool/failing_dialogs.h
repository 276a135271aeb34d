// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The documents' tools fail their run on any box the bench raises: a picture
// or a number of a bench in an unexpected state must not reach the documents.
#include "toolkit/dialogs.h"

#include <stdexcept>

class FailingDialogs final : public DialogService {
public:
    FailingDialogs() { setDialogs(this); }
    ~FailingDialogs() override { setDialogs(nullptr); }
    FailingDialogs(const FailingDialogs &) = delete;
    FailingDialogs &operator=(const FailingDialogs &) = delete;

    void showError(const QString &message) override { fail(QStringLiteral("error box: ") + message); }
    void showMessage(const QString &text) override { fail(QStringLiteral("message box: ") + text); }
    bool askWarningYesNo(const QString &text) override
    {
        fail(QStringLiteral("question: ") + text);
        return false;
    }
    bool shellOpen(const QString &path) override { fail(QStringLiteral("open: ") + path); }

private:
    [[noreturn]] static void fail(const QString &what) { throw std::runtime_error(what.toStdString()); }
};
