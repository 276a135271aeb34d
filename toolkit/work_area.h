#pragma once
// The desktop's work area: the primary screen less the task bars and panels.
#include <QPoint>
#include <QSize>

QSize workAreaSize();

// Where a window of the given outer size sits to be centred on a work area of
// the given size: half the area less half the window, each halved with
// integer division. The work area's own origin is not added.
QPoint centredOrigin(QSize workArea, QSize outer);
