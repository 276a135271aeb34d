// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one boundary at which errors are caught. Every handler connected to a
// signal or a timer runs inside runHandler: an error ends the handler, its
// message reaches the user through the default error box, and the program
// goes on. No exception ever unwinds through Qt's event dispatch.
#include "toolkit/dialogs.h"
#include "toolkit/vector_state.h"

#include <QString>
#include <exception>
#include <utility>

template <class F>
void runHandler(F &&handler) noexcept
{
    // Qt has painted since our code last ran (toolkit/vector_state.h).
    settleVectorState();
    try {
        std::forward<F>(handler)();
    } catch (const std::exception &e) {
        dialogs().showError(QString::fromUtf8(e.what()));
    } catch (...) {
        dialogs().showError(QStringLiteral("Unknown error"));
    }
}
