// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/image_control.h"

#include "toolkit/accessible_roles.h"
#include "toolkit/vector_state.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

TImage::TImage(QWidget *parent) : QWidget(parent), picture_(1, 1, QImage::Format_RGB32)
{
    picture_.fill(Qt::white);
    setAttribute(Qt::WA_OpaquePaintEvent);
    InstallControlAccessibility();
}

Canvas TImage::canvas()
{
    // When the caller has drawn, the parts drawn on are repainted.
    return Canvas(picture_, &state_, this);
}

QSize TImage::pictureSize() const
{
    const qreal ratio = picture_.devicePixelRatio();
    return QSize(qRound(picture_.width() / ratio), qRound(picture_.height() / ratio));
}

void TImage::setPictureSize(int width, int height)
{
    const qreal ratio = devicePixelRatioF();
    const QSize size(qRound(qMax(width, 1) * ratio), qRound(qMax(height, 1) * ratio));
    if (picture_.size() == size && picture_.devicePixelRatio() == ratio) return;
    QImage resized(size, QImage::Format_RGB32);
    resized.setDevicePixelRatio(ratio);
    resized.fill(Qt::white);
    {
        QPainter p(&resized);
        p.drawImage(0, 0, picture_);
    }
    picture_ = std::move(resized);
    update();
    // The layout pass goes on computing after Qt's fill and copy.
    settleVectorState();
}

void TImage::paintEvent(QPaintEvent *e)
{
    // Only what needs painting is painted (the painter is clipped to it):
    // a handler's stroke repaints its own few pixels, not the whole screen.
    QPainter p(this);
    // The parts of the control the picture does not cover show the parent's colour.
    for (const QRect &r : e->region().subtracted(QRect(QPoint(0, 0), pictureSize())))
        p.fillRect(r, palette().color(backgroundRole()));
    p.drawImage(0, 0, picture_);
}

void TImage::mousePressEvent(QMouseEvent *e)
{
    pressed_ = e->button() == Qt::LeftButton;
}

void TImage::mouseReleaseEvent(QMouseEvent *e)
{
    const bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    pressed_ = false;
    if (click) emit clicked();
}
