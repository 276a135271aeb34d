// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An image control that owns a picture: a bitmap into which handlers draw and
// which the control shows and keeps. Nothing is drawn at paint time; what was
// drawn stays until it is painted over. The control's size and the picture's
// size are set separately, as the layout pass resizes first one, then the other.
// Sizes are logical pixels; the bitmap has the device's resolution, so that on
// a high-density screen the drawing is made at device pixels.
#include "toolkit/canvas.h"

#include <QImage>
#include <QWidget>

class TImage : public QWidget {
    Q_OBJECT
public:
    explicit TImage(QWidget *parent = nullptr);

    // A canvas on the picture that keeps its brush, pen and pen position from
    // one use to the next. Keep at most one alive at a time.
    Canvas canvas();
    // The bitmap: logical size times the device pixel ratio it carries.
    const QImage &picture() const { return picture_; }
    // The picture's size in logical pixels, the size drawing works in.
    QSize pictureSize() const;
    // Resizes the picture, keeping what lies inside the new size; new areas
    // are white. The bitmap takes the device pixel ratio the control has now.
    void setPictureSize(int width, int height);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;

private:
    QImage picture_;
    CanvasState state_;
    bool pressed_ = false;
};
