#include "toolkit/canvas.h"

#include <QFontMetrics>
#include <QLineF>
#include <QPen>
#include <QPolygonF>
#include <algorithm>
#include <climits>
#include <cstdlib>

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

// The product of two pixel distances, each up to 2^32 when a setting is
// extreme, needs more than 64 bits.
__extension__ typedef __int128 Wide;

long long floorDiv(Wide numerator, Wide denominator)  // denominator > 0
{
    Wide q = numerator / denominator;
    if (numerator % denominator != 0 && numerator < 0) --q;
    return (long long)q;
}

// Appends the pixels of the thin line from a to b, b left out, that lie in
// `bounds`. Along the line's longer axis u every step is a pixel; across it
// the pixel nearest the line, v = v0 + floor((u - u0) * dv / du + 1/2),
// which depends only on the line and not on the direction it is drawn in.
void appendLinePixels(QPoint a, QPoint b, const QRect &bounds, std::vector<QPoint> &out)
{
    const long long dx = (long long)b.x() - a.x(), dy = (long long)b.y() - a.y();
    if (dx == 0 && dy == 0) return;
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const long long u0 = alongX ? a.x() : a.y(), v0 = alongX ? a.y() : a.x();
    long long du = alongX ? dx : dy, dv = alongX ? dy : dx;
    const long long uLow = alongX ? bounds.left() : bounds.top(), uHigh = alongX ? bounds.right() : bounds.bottom();
    const long long vLow = alongX ? bounds.top() : bounds.left(), vHigh = alongX ? bounds.bottom() : bounds.right();

    // The pixels run from u0 towards u0 + du, the end excluded; only the part
    // inside the bounds is walked, so no line takes longer than the image is
    // wide, however far away its ends lie.
    const long long first = du > 0 ? std::max(u0, uLow) : std::max(u0 + du + 1, uLow);
    const long long last = du > 0 ? std::min(u0 + du - 1, uHigh) : std::min(u0, uHigh);
    if (first > last) return;

    // v(u) = v0 + floor(n / d) with n = 2 (u - u0) dv + du and d = 2 du,
    // walked with a remainder so the division is done once.
    if (du < 0) {
        du = -du;
        dv = -dv;
    }
    const Wide d = Wide(2) * du;
    const Wide n = Wide(2) * (first - u0) * dv + du;
    long long q = floorDiv(n, d);
    long long r = (long long)(n - Wide(q) * d);  // 0 <= r < d
    const long long twoDu = 2 * du, twoDv = 2 * dv;
    for (long long u = first; u <= last; ++u) {
        const long long v = v0 + q;
        if (v >= vLow && v <= vHigh) out.push_back(alongX ? QPoint(int(u), int(v)) : QPoint(int(v), int(u)));
        r += twoDv;  // |2 dv| <= d: one correction at most
        if (r >= twoDu) {
            r -= twoDu;
            ++q;
        } else if (r < 0) {
            r += twoDu;
            --q;
        }
    }
}

// Coordinates beyond this cannot reach an image; keeping rectangles inside
// it keeps Qt's int arithmetic (right = left + width - 1) from overflowing.
constexpr int kCoordinateLimit = 1 << 24;

int held(int v) { return std::clamp(v, -kCoordinateLimit, kCoordinateLimit); }

TRect heldRect(const TRect &r) { return TRect{held(r.Left), held(r.Top), held(r.Right), held(r.Bottom)}; }

bool isEmpty(const TRect &r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

// Qt's QRect outlines reach one pixel past width and height; the exclusive
// edges of TRect need one less.
QRect outlineRect(const TRect &r)
{
    return QRect(r.Left, r.Top, r.Right - r.Left - 1, r.Bottom - r.Top - 1);
}

// The same outline on a high-density image: through the centres of the edge
// pixels, so that a 1-pixel pen covers exactly the pixels from Left to
// Right - 1.
QRectF centreOutlineRect(const TRect &r)
{
    return QRectF(r.Left + 0.5, r.Top + 0.5, r.Right - r.Left - 1, r.Bottom - r.Top - 1);
}

QPointF centreOf(QPoint p) { return QPointF(p.x() + 0.5, p.y() + 0.5); }

} // namespace

Canvas::Canvas(QImage &image, CanvasState *state)
    : image_(&image), state_(state ? state : &ownState_)
{
    const qreal ratio = image.devicePixelRatio();
    exact_ = ratio == 1;
    size_ = exact_ ? image.size() : QSize(qRound(image.width() / ratio), qRound(image.height() / ratio));
    painter_.begin(image_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
}

Canvas::~Canvas()
{
    painter_.end();
    settleVectorState();
}

// The painter takes the pen and brush of the state only when something is
// drawn with them: a handler that sets a colour and a width and puts them back
// afterwards costs nothing for the settings it never draws with.
void Canvas::usePen()
{
    if (penStale_) applyPen();
}

void Canvas::useBrush()
{
    if (brushStale_) applyBrush();
}

void Canvas::applyPen()
{
    penStale_ = false;
    QColor c = toQColor(state_->penColor);
    if (thinPen()) {
        // Thin lines leave out their end pixel. On an exact image they are
        // worked out here and this pen only plots their pixels (and outlines
        // rectangles and ellipses).
        painter_.setPen(QPen(c, 1, Qt::SolidLine, Qt::FlatCap, exact_ ? Qt::MiterJoin : Qt::RoundJoin));
    } else {
        // Wide pens have round caps and joins.
        painter_.setPen(QPen(c, state_->penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
}

void Canvas::applyBrush()
{
    brushStale_ = false;
    if (state_->brushStyle == BrushStyle::Clear)
        painter_.setBrush(Qt::NoBrush);
    else
        painter_.setBrush(toQColor(state_->brushColor));
}

void Canvas::setBrushColor(TColor c)
{
    state_->brushColor = c;
    state_->brushStyle = BrushStyle::Solid;
    brushStale_ = true;
}

void Canvas::setBrushStyle(BrushStyle s)
{
    state_->brushStyle = s;
    brushStale_ = true;
}

void Canvas::setPenColor(TColor c)
{
    state_->penColor = c;
    penStale_ = true;
}

void Canvas::setPenWidth(int w)
{
    state_->penWidth = w;
    penStale_ = true;
}

void Canvas::setFont(const QFont &f, TColor color)
{
    // The render hint alone does not stop glyph antialiasing; the font's own
    // strategy does. Instrument faces keep pure colours.
    state_->font = f;
    state_->font.setStyleStrategy(QFont::NoAntialias);
    state_->fontColor = color;
}

void Canvas::moveTo(int x, int y)
{
    state_->penPos = QPoint(x, y);
}

void Canvas::plotPixels()
{
    if (!pixels_.empty()) {
        usePen();
        painter_.drawPoints(pixels_.data(), int(pixels_.size()));
    }
    pixels_.clear();
}

void Canvas::strokeThinPath(const QPoint *points, int count)
{
    QPolygonF path;
    path.reserve(count);
    for (int i = 0; i < count; ++i)
        if (path.isEmpty() || centreOf(points[i]) != path.back()) path << centreOf(points[i]);
    if (path.size() < 2) return;
    usePen();
    // A flat cap ends exactly at its point: half a pixel more at the start
    // covers the start pixel, half a pixel less at the end leaves out the end.
    auto moved = [](QPointF p, QPointF toward, qreal by) {
        const QLineF line(p, toward);
        return p + (toward - p) / line.length() * by;
    };
    path.front() = moved(path[0], path[1], -0.5);
    path.back() = moved(path.back(), path[path.size() - 2], 0.5);
    painter_.drawPolyline(path);
}

void Canvas::lineTo(int x, int y)
{
    const QPoint to(x, y);
    if (thinPen()) {
        const QPoint ends[2] = {state_->penPos, to};
        if (exact_) {
            appendLinePixels(ends[0], ends[1], QRect(QPoint(0, 0), size_), pixels_);
            plotPixels();
        } else if (to != state_->penPos) {
            strokeThinPath(ends, 2);
        }
    } else if (to != state_->penPos) {
        usePen();
        painter_.drawLine(state_->penPos, to);
    } else {
        usePen();
        painter_.drawPoint(to);  // a wide pen still leaves its round dot
    }
    state_->penPos = to;
}

void Canvas::fillRect(const TRect &rect)
{
    const TRect r = heldRect(rect);
    if (isEmpty(r)) return;
    painter_.fillRect(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top), toQColor(state_->brushColor));
}

void Canvas::rectangle(const TRect &rect)
{
    const TRect r = heldRect(rect);
    if (isEmpty(r)) return;
    usePen();
    useBrush();
    if (exact_)
        painter_.drawRect(outlineRect(r));
    else
        painter_.drawRect(centreOutlineRect(r));
}

void Canvas::ellipse(const TRect &rect)
{
    const TRect r = heldRect(rect);
    if (isEmpty(r)) return;
    usePen();
    useBrush();
    if (exact_)
        painter_.drawEllipse(outlineRect(r));
    else
        painter_.drawEllipse(centreOutlineRect(r));
}

void Canvas::roundRect(const TRect &rect, int cornerWidth, int cornerHeight)
{
    const TRect r = heldRect(rect);
    if (isEmpty(r)) return;
    usePen();
    useBrush();
    if (exact_)
        painter_.drawRoundedRect(outlineRect(r), cornerWidth / 2.0, cornerHeight / 2.0);
    else
        painter_.drawRoundedRect(centreOutlineRect(r), cornerWidth / 2.0, cornerHeight / 2.0);
}

void Canvas::polygon(const QPoint *points, int count)
{
    if (count <= 0) return;
    useBrush();
    if (!exact_) {
        QPolygonF shape;
        shape.reserve(count);
        for (int i = 0; i < count; ++i) shape << centreOf(points[i]);
        usePen();
        painter_.drawPolygon(shape);
        return;
    }
    if (state_->brushStyle == BrushStyle::Solid) {
        // Qt fills the pixels whose centres lie inside; half a pixel of shift
        // makes that the pixels whose own points lie inside, as the outline
        // below counts them. What lies on the outline is the outline's.
        painter_.setPen(Qt::NoPen);
        penStale_ = true;
        painter_.translate(0.5, 0.5);
        painter_.drawPolygon(points, count);
        painter_.translate(-0.5, -0.5);
    }
    const QRect bounds(QPoint(0, 0), size_);
    for (int i = 0; i < count; ++i) appendLinePixels(points[i], points[(i + 1) % count], bounds, pixels_);
    plotPixels();
}

void Canvas::polyline(const QPoint *points, int count)
{
    if (count < 2) return;
    if (!thinPen()) {
        usePen();
        painter_.drawPolyline(points, count);
    } else if (exact_) {
        const QRect bounds(QPoint(0, 0), size_);
        for (int i = 1; i < count; ++i) appendLinePixels(points[i - 1], points[i], bounds, pixels_);
        plotPixels();
    } else {
        strokeThinPath(points, count);
    }
}

void Canvas::textOut(int x, int y, const QString &text)
{
    // Text that far away cannot reach the image.
    if (x != held(x) || y != held(y)) return;
    const QFontMetrics fm(state_->font);
    const QRect box(x, y, fm.horizontalAdvance(text), fm.height());
    if (state_->brushStyle == BrushStyle::Solid)
        painter_.fillRect(box, toQColor(state_->brushColor));
    painter_.setPen(toQColor(state_->fontColor));
    penStale_ = true;
    painter_.setFont(state_->font);
    painter_.drawText(QPoint(x, y + fm.ascent()), text);
}

void Canvas::textCentered(const TRect &r, const QString &text)
{
    const QSize size = textExtent(text);
    const long long x = r.Left + ((long long)r.Right - r.Left - size.width()) / 2;
    const long long y = r.Top + ((long long)r.Bottom - r.Top - size.height()) / 2;
    textOut(int(std::clamp<long long>(x, INT_MIN, INT_MAX)), int(std::clamp<long long>(y, INT_MIN, INT_MAX)), text);
}

QSize Canvas::textExtent(const QString &text) const
{
    const QFontMetrics fm(state_->font);
    return QSize(fm.horizontalAdvance(text), fm.height());
}

void Canvas::draw(int x, int y, const QImage &picture)
{
    if (x != held(x) || y != held(y)) return;  // far off the image
    painter_.drawImage(QPoint(x, y), picture);
}

void Canvas::stretchDraw(const TRect &rect, const QImage &picture)
{
    const TRect r = heldRect(rect);
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
