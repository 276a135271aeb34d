// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Waiting on a busy machine (other builds share its two cores): poll what the
// X server shows until it holds or a generous deadline passes. No bare long
// sleeps, and no assertion about how long anything took.
#include <QElapsedTimer>
#include <QThread>

// How long anything the program does in answer to one input may take.
constexpr int kPatienceMs = 20000;

template <class Ready>
bool waitFor(Ready ready, int timeoutMs = kPatienceMs, int pollMs = 40)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (ready()) return true;
        if (clock.elapsed() > timeoutMs) return false;
        QThread::msleep(pollMs);
    }
}

// Watches for a while, for things that must NOT happen (a second box): calls
// `look` until the span has passed or it returns false.
template <class Look>
bool keepsHolding(Look look, int spanMs, int pollMs = 40)
{
    QElapsedTimer clock;
    clock.start();
    do {
        if (!look()) return false;
        QThread::msleep(pollMs);
    } while (clock.elapsed() < spanMs);
    return look();
}
