#pragma once
// An image control that owns a picture: a bitmap into which handlers draw and
// which the control shows and keeps. Nothing is drawn at paint time; what was
// drawn stays until it is painted over. The control's size and the picture's
// size are set separately, as the layout pass resizes first one, then the other.
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
    const QImage &picture() const { return picture_; }
    const CanvasState &canvasState() const { return state_; }
    // Resizes the picture, keeping what lies inside the new size; new areas
    // are white.
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
