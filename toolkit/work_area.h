// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's work area: the screen less the task bars and panels.
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The work area of the screen the window is on (the primary screen for a
// window not yet shown, or without a window).
QRect workArea(const QWidget *window = nullptr);

// Where a window of the given outer size sits to be centred on the work area:
// half the area's width less half the window's, and the same for the heights,
// each halved with integer division; the work area's own origin is not added.
// A window wider (or taller) than the work area would thus start left of (or
// above) the screen, its title bar and menu out of reach: along that direction
// it starts at the work area's left (or top) edge instead.
QPoint centredOrigin(const QRect &workArea, QSize outer);
