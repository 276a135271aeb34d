// SPDX-License-Identifier: GPL-3.0-or-later
#include "x_input.h"

namespace {

QString hexId(XId id)
{
    return QString("0x%1").arg(id, 0, 16);
}

QStringList at(QPoint p)
{
    return {"mousemove", QString::number(p.x()), QString::number(p.y())};
}

}  // namespace

void XInput::xdotool(const QStringList &args) const
{
    x_.run("xdotool", args);
}

void XInput::moveTo(QPoint p) const
{
    xdotool(at(p));
}

void XInput::click(QPoint p) const
{
    xdotool(at(p) + QStringList{"click", "1"});
}

void XInput::press(QPoint p) const
{
    xdotool(at(p) + QStringList{"mousedown", "1"});
}

void XInput::release() const
{
    xdotool({"mouseup", "1"});
}

void XInput::drag(QPoint from, QPoint to, int moves) const
{
    QStringList args = at(from) + QStringList{"mousedown", "1"};
    for (int i = 1; i <= moves; ++i) {
        const QPoint step = from + (to - from) * i / moves;
        args << "sleep"
             << "0.03" << at(step);
    }
    args << "sleep"
         << "0.05"
         << "mouseup"
         << "1";
    xdotool(args);
}

void XInput::keys(const QStringList &names, int delayMs) const
{
    xdotool(QStringList{"key", "--delay", QString::number(delayMs)} + names);
}

void XInput::moveWindow(XId id, QPoint frameTopLeft) const
{
    x_.run("wmctrl",
           {"-i", "-r", hexId(id), "-e", QString("0,%1,%2,-1,-1").arg(frameTopLeft.x()).arg(frameTopLeft.y())});
}

void XInput::resizeWindow(XId id, QSize clientSize) const
{
    xdotool(
        {"windowsize", QString::number(id), QString::number(clientSize.width()), QString::number(clientSize.height())});
}

void XInput::maximise(XId id) const
{
    x_.run("wmctrl", {"-i", "-r", hexId(id), "-b", "add,maximized_vert,maximized_horz"});
}

void XInput::restore(XId id) const
{
    x_.run("wmctrl", {"-i", "-r", hexId(id), "-b", "remove,maximized_vert,maximized_horz"});
}

void XInput::minimise(XId id) const
{
    xdotool({"windowminimize", QString::number(id)});
}

void XInput::activate(XId id) const
{
    x_.run("wmctrl", {"-i", "-a", hexId(id)});
}

void XInput::close(XId id) const
{
    x_.run("wmctrl", {"-i", "-c", hexId(id)});
}
