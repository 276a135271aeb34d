// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/panel.h"

#include "toolkit/accessible_roles.h"

#include <QPainter>
#include <qdrawutil.h>

TPanel::TPanel(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    InstallControlAccessibility();
}

void TPanel::setColor(TColor color)
{
    if (color == color_) return;
    color_ = color;
    update();
}

void TPanel::setBevelOuter(TBevelCut cut)
{
    if (cut == outer_) return;
    outer_ = cut;
    update();
}

void TPanel::setBevelInner(TBevelCut cut)
{
    if (cut == inner_) return;
    inner_ = cut;
    update();
}

void TPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), toQColor(color_));
    // The button highlight and shadow, whatever the window's own palette says.
    QPalette bevel;
    bevel.setColor(QPalette::Light, toQColor(clBtnHighlight));
    bevel.setColor(QPalette::Dark, toQColor(clBtnShadow));
    QRect r = rect();
    for (TBevelCut cut : {outer_, inner_}) {
        if (cut == TBevelCut::bvNone) continue;
        qDrawShadePanel(&p, r, bevel, cut == TBevelCut::bvLowered, 1);
        r.adjust(1, 1, -1, -1);
    }
}
