#include "toolkit/image_control.h"

#include <QMouseEvent>
#include <QPainter>

TImage::TImage(QWidget *parent)
    : QWidget(parent), picture_(1, 1, QImage::Format_RGB32)
{
    picture_.fill(Qt::white);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Canvas TImage::canvas()
{
    update();  // the paint comes later, after the caller has drawn
    return Canvas(picture_, &state_);
}

void TImage::setPictureSize(int width, int height)
{
    width = qMax(width, 1);
    height = qMax(height, 1);
    if (picture_.width() == width && picture_.height() == height) return;
    QImage resized(width, height, QImage::Format_RGB32);
    resized.fill(Qt::white);
    {
        QPainter p(&resized);
        p.drawImage(0, 0, picture_);
    }
    picture_ = std::move(resized);
    update();
}

void TImage::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // The parts of the control the picture does not cover show the parent's colour.
    p.fillRect(rect(), palette().color(backgroundRole()));
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
