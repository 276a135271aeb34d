// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The student's hands: X input events through xdotool (pointer, buttons,
// keys) and the window manager's commands through wmctrl and xdotool (move,
// resize, maximise, minimise, restore, close), as its title bar and frame
// would give them.
#include "x_readback.h"
#include "x_session.h"

#include <QPoint>
#include <QSize>
#include <QStringList>

class XInput {
public:
    explicit XInput(const XSession &x) : x_(x) {}

    void moveTo(QPoint p) const;
    // Moves there, presses and releases the left button.
    void click(QPoint p) const;
    // Moves there and presses the left button, which stays down until release().
    void press(QPoint p) const;
    void release() const;
    // Holds the left button from one point to another in a number of moves.
    void drag(QPoint from, QPoint to, int moves) const;
    // Key names as xdotool knows them ("Return", "ctrl+c", "dead_acute"),
    // each pressed and released in turn, to the window with the keyboard focus.
    // Keys one after another, `delayMs` apart: fast by default; a sequence
    // whose keys change the keyboard's state for the next (dead keys,
    // Compose) is typed at a person's pace, as Qt may read a key before the
    // state change of the one before when keys come faster than a person
    // types on a busy machine.
    void keys(const QStringList &names, int delayMs = 30) const;
    // Any xdotool command line, for a batch of events in one go.
    void xdotool(const QStringList &args) const;

    void moveWindow(XId id, QPoint frameTopLeft) const;
    void resizeWindow(XId id, QSize clientSize) const;
    void maximise(XId id) const;
    void restore(XId id) const;
    void minimise(XId id) const;
    // Raises a window and gives it the keyboard focus (also brings a minimised one back).
    void activate(XId id) const;
    // Asks a window to close, as its close button does.
    void close(XId id) const;

private:
    const XSession &x_;
};
