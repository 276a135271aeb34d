#include "toolkit/canvas.h"

#include <QFontMetrics>
#include <QPen>

namespace {

// Qt's raster fills leave the upper halves of the AVX registers in use, and
// until something clears them every SSE instruction that follows pays for it:
// the trace's trigonometry ran fifteen times slower right after a repaint.
// Every canvas therefore settles them when its drawing ends.
#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx"))) void clearUpperVectorHalves() { __builtin_ia32_vzeroupper(); }
void settleVectorState()
{
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx) clearUpperVectorHalves();
}
#else
void settleVectorState() {}
#endif

} // namespace

Canvas::Canvas(QImage &image, CanvasState *state)
    : image_(&image), state_(state ? state : &ownState_)
{
    painter_.begin(image_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
    applyPen();
    applyBrush();
    painter_.setFont(state_->font);
}

Canvas::~Canvas()
{
    painter_.end();
    settleVectorState();
}

void Canvas::applyPen()
{
    QColor c = toQColor(state_->penColor);
    if (state_->penWidth <= 1) {
        // A flat cap leaves out the end pixel of a 1-pixel line, as LineTo does.
        painter_.setPen(QPen(c, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    } else {
        // Wide pens have round caps and joins.
        painter_.setPen(QPen(c, state_->penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
}

void Canvas::applyBrush()
{
    if (state_->brushStyle == BrushStyle::Clear)
        painter_.setBrush(Qt::NoBrush);
    else
        painter_.setBrush(toQColor(state_->brushColor));
}

void Canvas::setBrushColor(TColor c)
{
    state_->brushColor = c;
    state_->brushStyle = BrushStyle::Solid;
    applyBrush();
}

void Canvas::setBrushStyle(BrushStyle s)
{
    state_->brushStyle = s;
    applyBrush();
}

void Canvas::setPenColor(TColor c)
{
    state_->penColor = c;
    applyPen();
}

void Canvas::setPenWidth(int w)
{
    state_->penWidth = w;
    applyPen();
}

void Canvas::setFont(const QFont &f, TColor color)
{
    // The render hint alone does not stop glyph antialiasing; the font's own
    // strategy does. Instrument faces keep pure colours.
    state_->font = f;
    state_->font.setStyleStrategy(QFont::NoAntialias);
    state_->fontColor = color;
    painter_.setFont(state_->font);
}

void Canvas::moveTo(int x, int y)
{
    state_->penPos = QPoint(x, y);
}

void Canvas::lineTo(int x, int y)
{
    const QPoint to(x, y);
    if (to != state_->penPos)
        painter_.drawLine(state_->penPos, to);
    else if (state_->penWidth > 1)
        painter_.drawPoint(to);  // a wide pen still leaves its round dot
    state_->penPos = to;
}

// Qt's QRect outlines reach one pixel past width and height; the exclusive
// edges of TRect need one less.
static QRect outlineRect(const TRect &r)
{
    return QRect(r.Left, r.Top, r.Right - r.Left - 1, r.Bottom - r.Top - 1);
}

void Canvas::fillRect(const TRect &r)
{
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    painter_.fillRect(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top), toQColor(state_->brushColor));
}

void Canvas::rectangle(const TRect &r)
{
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    painter_.drawRect(outlineRect(r));
}

void Canvas::ellipse(const TRect &r)
{
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    painter_.drawEllipse(outlineRect(r));
}

void Canvas::roundRect(const TRect &r, int cornerWidth, int cornerHeight)
{
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    painter_.drawRoundedRect(outlineRect(r), cornerWidth / 2.0, cornerHeight / 2.0);
}

void Canvas::polygon(const QPoint *points, int count)
{
    painter_.drawPolygon(points, count);
}

void Canvas::polyline(const QPoint *points, int count)
{
    painter_.drawPolyline(points, count);
}

void Canvas::textOut(int x, int y, const QString &text)
{
    const QFontMetrics fm(state_->font);
    const QRect box(x, y, fm.horizontalAdvance(text), fm.height());
    if (state_->brushStyle == BrushStyle::Solid)
        painter_.fillRect(box, toQColor(state_->brushColor));
    painter_.save();
    painter_.setPen(toQColor(state_->fontColor));
    painter_.drawText(QPoint(x, y + fm.ascent()), text);
    painter_.restore();
}

void Canvas::textCentered(const TRect &r, const QString &text)
{
    const QSize size = textExtent(text);
    textOut(r.Left + (r.width() - size.width()) / 2, r.Top + (r.height() - size.height()) / 2, text);
}

QSize Canvas::textExtent(const QString &text) const
{
    const QFontMetrics fm(state_->font);
    return QSize(fm.horizontalAdvance(text), fm.height());
}

void Canvas::draw(int x, int y, const QImage &picture)
{
    painter_.drawImage(QPoint(x, y), picture);
}

void Canvas::stretchDraw(const TRect &r, const QImage &picture)
{
    painter_.drawImage(QRect(r.Left, r.Top, r.width(), r.height()), picture);
}

void Canvas::edge3D(const TRect &r, bool raised)
{
    // Outer ring, then inner ring; each ring is a top-left and a bottom-right colour.
    const TColor outerTL = raised ? cl3DLight : clBtnShadow;
    const TColor outerBR = raised ? cl3DDkShadow : clBtnHighlight;
    const TColor innerTL = raised ? clBtnHighlight : cl3DDkShadow;
    const TColor innerBR = raised ? clBtnShadow : cl3DLight;
    auto ring = [&](int inset, TColor tl, TColor br) {
        const int l = r.Left + inset, t = r.Top + inset, rr = r.Right - 1 - inset, b = r.Bottom - 1 - inset;
        if (rr < l || b < t) return;
        painter_.fillRect(QRect(l, t, rr - l + 1, 1), toQColor(tl));
        painter_.fillRect(QRect(l, t, 1, b - t + 1), toQColor(tl));
        painter_.fillRect(QRect(l, b, rr - l + 1, 1), toQColor(br));
        painter_.fillRect(QRect(rr, t, 1, b - t + 1), toQColor(br));
    };
    ring(0, outerTL, outerBR);
    ring(1, innerTL, innerBR);
}
