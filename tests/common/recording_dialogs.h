// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A dialog service for tests: records every box and open request instead of
// showing it, and answers questions with a preset reply. Installed for the
// lifetime of the object.
#include "toolkit/dialogs.h"

#include <QString>
#include <QStringList>
#include <functional>

class RecordingDialogs final : public DialogService {
public:
    RecordingDialogs() { setDialogs(this); }
    ~RecordingDialogs() override { setDialogs(nullptr); }

    void showError(const QString &message) override { errors << message; }
    void showMessage(const QString &text) override { messages << text; }
    bool askWarningYesNo(const QString &text) override
    {
        questions << text;
        if (onQuestion) onQuestion();
        return answerYes;
    }
    bool shellOpen(const QString &path) override
    {
        opened << path;
        return viewerOpens;
    }

    void clear()
    {
        errors.clear();
        messages.clear();
        questions.clear();
        opened.clear();
    }

    QStringList errors, messages, questions, opened;
    bool answerYes = false;
    bool viewerOpens = true;  // whether the desktop found a viewer for a document
    // Runs while a question is "open", e.g. to let timers tick meanwhile.
    std::function<void()> onQuestion;
};
