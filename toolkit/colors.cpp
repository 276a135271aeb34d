// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

QPalette::ColorRole systemRole(int index)
{
    switch (index) {
    case 0x07:  // menu text
    case 0x08:  // window text
        return QPalette::WindowText;
    case 0x0F: return QPalette::Button;    // button face
    case 0x10: return QPalette::Dark;      // button shadow
    case 0x14: return QPalette::Light;     // button highlight
    case 0x15: return QPalette::Shadow;    // 3-D dark shadow
    case 0x16: return QPalette::Midlight;  // 3-D light
    case 0x05: return QPalette::Base;      // window background
    case 0x12: return QPalette::ButtonText;
    default: return QPalette::Window;
    }
}

}  // namespace

QColor toQColor(TColor c)
{
    if (isSystemColor(c)) return QGuiApplication::palette().color(QPalette::Active, systemRole(int(c & 0xFF)));
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

TColor fromQColor(const QColor &c)
{
    return rgbColor(c.red(), c.green(), c.blue());
}
