// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A drawing surface that speaks the classic desktop drawing API: a brush, a pen
// with a colour and a width, a pen position (MoveTo/LineTo), and rectangles and
// ellipses whose right and bottom edges are exclusive. All of Qt's
// rasterisation quirks are handled here, so the instruments' drawing code can
// read like its documented steps. Antialiasing is always off.
//
// Coordinates are logical pixels. On an image whose device pixel ratio is 1
// every thin line and polygon is rasterised here, pixel by pixel, by the
// rules below; on a high-density image (ratio 1.25, 1.5, 2, ...) the same
// logical shapes are drawn by Qt at the device's resolution, so their edges
// are device pixels rather than enlarged logical ones.
//
// Thin lines (pen width 1): in each column (or row, for a line steeper than
// 45 degrees) the pixel nearest to the line, a tie going to the larger
// coordinate, from the start pixel up to the end pixel, which is left out in
// whatever direction the line runs. Polygons: the pixels inside the polygon
// in the brush colour, then the thin lines from each corner to the next
// (closing the shape) in the pen colour, so the outline pixels belong to the
// polygon.
#include "toolkit/colors.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

class QWidget;

// Left, top inclusive; right, bottom exclusive.
struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend bool operator==(const TRect &, const TRect &) = default;
    int width() const { return Right - Left; }
    int height() const { return Bottom - Top; }
    bool contains(QPoint p) const { return p.x() >= Left && p.x() < Right && p.y() >= Top && p.y() < Bottom; }
};

enum class BrushStyle { Solid, Clear };

// What a canvas remembers between drawing operations. An image control keeps
// one, so that its picture's canvas behaves as one object across handlers.
struct CanvasState {
    TColor brushColor = clWhite;
    BrushStyle brushStyle = BrushStyle::Solid;
    TColor penColor = clBlack;
    int penWidth = 1;
    QPoint penPos;
    QFont font;
    TColor fontColor = clBlack;
};

class Canvas {
public:
    // Draws on `image` with the given state; without one, the canvas starts
    // from a default state of its own. The image's device pixel ratio says
    // how many of its pixels make one logical pixel. A widget that shows the
    // image is asked, when the canvas ends, to repaint what was drawn on.
    explicit Canvas(QImage &image, CanvasState *state = nullptr, QWidget *shownOn = nullptr);
    ~Canvas();
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    QImage &image() { return *image_; }
    // The logical size.
    int width() const { return size_.width(); }
    int height() const { return size_.height(); }

    void setBrushColor(TColor c);
    TColor brushColor() const { return state_->brushColor; }
    void setBrushStyle(BrushStyle s);
    BrushStyle brushStyle() const { return state_->brushStyle; }
    void setPenColor(TColor c);
    TColor penColor() const { return state_->penColor; }
    void setPenWidth(int w);
    int penWidth() const { return state_->penWidth; }
    void setFont(const QFont &f, TColor color);
    const QFont &font() const { return state_->font; }

    void moveTo(int x, int y);
    void lineTo(int x, int y);
    QPoint penPos() const { return state_->penPos; }

    void fillRect(const TRect &r);   // brush only, no outline
    void rectangle(const TRect &r);  // filled and outlined
    void ellipse(const TRect &r);    // filled and outlined
    void roundRect(const TRect &r, int cornerWidth, int cornerHeight);
    void polygon(const QPoint *points, int count);  // filled and outlined
    // The lines from each point to the next; the last point is left out.
    void polyline(const QPoint *points, int count);

    void textOut(int x, int y, const QString &text);
    // Single line centred in r, not clipped to it, '&' shown as itself.
    void textCentered(const TRect &r, const QString &text);
    QSize textExtent(const QString &text) const;

    void draw(int x, int y, const QImage &picture);
    void stretchDraw(const TRect &r, const QImage &picture);
    // The desktop's 2-pixel 3-D edge around r: raised or sunken.
    void edge3D(const TRect &r, bool raised);

private:
    // A shape inside r, filled with the brush and outlined with the pen.
    template <typename Draw>
    void filledAndOutlined(const TRect &r, Draw draw);
    void usePen();
    void useBrush();
    void applyPen();
    void applyBrush();
    bool thinPen() const { return state_->penWidth <= 1; }
    // Thin lines on a high-density image: from pixel centre to pixel centre,
    // each stroke covering its start pixel and stopping short of its end.
    void strokeThinPath(const QPoint *points, int count);
    void wideLine(QPoint from, QPoint to);
    // Notes a part of the image drawn on, for the widget that shows it.
    void touch(const QRect &area);
    void touchPoints(const QPoint *points, int count);
    void plotPixels();

    QImage *image_;
    CanvasState ownState_;
    CanvasState *state_;
    QSize size_;
    bool exact_;            // one image pixel per logical pixel
    bool penStale_ = true;  // the painter's pen is not yet the state's
    bool brushStale_ = true;
    std::vector<QPoint> pixels_;  // thin line pixels waiting to be plotted
    QWidget *shownOn_;
    QRect touched_;
    QPainter painter_;
};
