#pragma once
// A drawing surface that speaks the classic desktop drawing API: a brush, a pen
// with a colour and a width, a pen position (MoveTo/LineTo), and rectangles and
// ellipses whose right and bottom edges are exclusive. All of Qt's
// rasterisation quirks are handled here, so the instruments' drawing code can
// read like its documented steps. Antialiasing is always off.
#include "toolkit/colors.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

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
    // from a default state of its own.
    explicit Canvas(QImage &image, CanvasState *state = nullptr);
    ~Canvas();
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    QImage &image() { return *image_; }
    int width() const { return image_->width(); }
    int height() const { return image_->height(); }

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

    void fillRect(const TRect &r);                 // brush only, no outline
    void rectangle(const TRect &r);                // filled and outlined
    void ellipse(const TRect &r);                  // filled and outlined
    void roundRect(const TRect &r, int cornerWidth, int cornerHeight);
    void polygon(const QPoint *points, int count); // filled and outlined
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
    void applyPen();
    void applyBrush();

    QImage *image_;
    CanvasState ownState_;
    CanvasState *state_;
    QPainter painter_;
};
