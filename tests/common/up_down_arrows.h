// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two arrow buttons of an arrow pair, found by their object names, and
// their auto-repeat pace: what a test presses, holds or speeds up.
#include "toolkit/up_down.h"

#include <QToolButton>

inline QToolButton *arrowOf(const TUpDown *pair, TUDBtnType which)
{
    return pair->findChild<QToolButton *>(which == TUDBtnType::btNext ? QStringLiteral("next")
                                                                      : QStringLiteral("previous"));
}

inline void setRepeatPace(TUpDown *pair, int delayMs, int intervalMs)
{
    for (QToolButton *arrow : pair->findChildren<QToolButton *>()) {
        arrow->setAutoRepeatDelay(delayMs);
        arrow->setAutoRepeatInterval(intervalMs);
    }
}
