// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenario.h"

std::unique_ptr<XSession> startDisplay(QSize size, QString *skip, QString *failure)
{
    const QStringList missing = XSession::missingTools();
    if (missing.contains("Xvfb")) {
        *skip = "Xvfb is not installed, so there is no X display for the real-window suite";
        return nullptr;
    }
    if (!missing.isEmpty()) {
        *failure = "missing X tools: " + missing.join(", ") + " (scripts/deps.sh installs them)";
        return nullptr;
    }
    auto session = std::make_unique<XSession>(size);
    if (session->display().isEmpty()) {
        *skip = "Xvfb cannot start here: " + session->failure();
        return nullptr;
    }
    if (!session->failure().isEmpty()) *failure = session->failure();
    return session;
}
