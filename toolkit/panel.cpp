#include "toolkit/panel.h"

#include "toolkit/accessible_roles.h"

#include <QPainter>

TPanel::TPanel(QWidget *parent)
    : QWidget(parent)
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

namespace {

// One bevel along the inside of r; r shrinks by the bevel's pixel.
void drawBevel(QPainter &p, QRect &r, TBevelCut cut)
{
    if (cut == TBevelCut::bvNone) return;
    const QColor light = toQColor(clBtnHighlight);
    const QColor shadow = toQColor(clBtnShadow);
    const QColor topLeft = cut == TBevelCut::bvRaised ? light : shadow;
    const QColor bottomRight = cut == TBevelCut::bvRaised ? shadow : light;
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
    r.adjust(1, 1, -1, -1);
}

} // namespace

void TPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), toQColor(color_));
    QRect r = rect();
    drawBevel(p, r, outer_);
    drawBevel(p, r, inner_);
}
