// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the X server shows, and nothing else: the managed top-level windows
// with their titles, kinds, states and frames as the window manager sees
// them, the work area, and the screen's pixels.
#include "x_session.h"

#include <QImage>
#include <QList>
#include <QMargins>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>

using XId = quint32;

struct XWindow {
    XId id = 0;             // 0: the window has gone
    QString name;           // _NET_WM_NAME, the title the window manager draws
    qint64 pid = 0;         // _NET_WM_PID
    QStringList types;      // _NET_WM_WINDOW_TYPE, most specific first
    QStringList states;     // _NET_WM_STATE
    XId transientFor = 0;   // WM_TRANSIENT_FOR
    QMargins frame;         // _NET_FRAME_EXTENTS: the window manager's decoration
    QRect client;           // the client window on the root, from xwininfo
    bool viewable = false;  // mapped, and every ancestor too

    QRect outer() const { return client.marginsAdded(frame); }
    bool modal() const { return states.contains("_NET_WM_STATE_MODAL"); }
    bool minimised() const { return states.contains("_NET_WM_STATE_HIDDEN"); }
    bool maximised() const
    {
        return states.contains("_NET_WM_STATE_MAXIMIZED_VERT") && states.contains("_NET_WM_STATE_MAXIMIZED_HORZ");
    }
};

class XReadback {
public:
    explicit XReadback(const XSession &x) : x_(x) {}

    // The top-level windows the window manager manages (_NET_CLIENT_LIST).
    QList<XId> clients() const;
    // One window's properties and place; id 0 when it has gone meanwhile.
    XWindow window(XId id) const;
    // Its properties alone, one tool run instead of two (no place, not viewable).
    XWindow properties(XId id) const;
    // The managed windows of one process, in the order they were mapped.
    QList<XWindow> windowsOf(qint64 pid) const;
    // The title as xdotool reads it, a second reader besides xprop's.
    QString xdotoolName(XId id) const;
    // The root window's _NET_WORKAREA of the current desktop.
    QRect workArea() const;

    // The whole screen, as `import -window root` reads it from the server.
    QImage screenshot() const;

private:
    const XSession &x_;
};

// The managed windows as the window manager announces them, without a tool
// run per look: `xprop -spy` prints the root's client list at every change.
class ClientListWatch {
public:
    explicit ClientListWatch(const XSession &x);
    ~ClientListWatch();
    QList<XId> clients();

private:
    QProcess spy_;
    QByteArray pending_;
    QList<XId> clients_;
};

// Keeps a screenshot for a person to look at: <working folder>/realwindow-shots/<name>.png.
QString keepScreenshot(const QImage &shot, const QString &name);
