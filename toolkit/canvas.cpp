// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/canvas.h"

#include "toolkit/vector_state.h"

#include <QFontMetrics>
#include <QLineF>
#include <QPen>
#include <QPolygonF>
#include <QWidget>
#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <map>
#include <tuple>

namespace {

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

// A wide round-capped line along a row or a column, as Qt's stroker draws
// it. The stroker builds and fills an outline with curved caps, which costs
// many times a handful of filled spans; but such a line is a band of equal
// spans with the same few rows at each end, whatever its length. So the ends
// are learnt once per width and direction from Qt itself, and the line is
// drawn span by span, to the very same pixels.
class StraightStroke {
public:
    // Learns from a line Qt draws; unusable if Qt's line is not made of
    // equal spans between two ends.
    StraightStroke(int width, QPoint direction) : reach_(width / 2 + 2)
    {
        const int length = 4 * reach_ + 4, margin = width + 4;
        const bool alongX = direction.x() != 0;
        QImage probe(alongX ? length + 2 * margin : 2 * margin, alongX ? 2 * margin : length + 2 * margin,
                     QImage::Format_RGB32);
        probe.fill(Qt::white);
        const QPoint start = direction.x() > 0 || direction.y() > 0
            ? QPoint(margin, margin)
            : QPoint(probe.width() - margin, probe.height() - margin);
        {
            QPainter p(&probe);
            p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLine(start, start + direction * length);
        }
        // Spans across the line, for every step u along it from the start.
        auto spanAt = [&](int u) {
            Span span;
            for (int v = -margin + 1; v < margin; ++v) {
                const QPoint at = start + direction * u + (alongX ? QPoint(0, v) : QPoint(v, 0));
                if (probe.pixel(at) != 0xFFFFFFFFu) {
                    if (span.empty()) span.from = v;
                    span.to = v;
                }
            }
            return span;
        };
        for (int u = -reach_; u < reach_; ++u) head_.push_back(spanAt(u));
        for (int u = -reach_ + 1; u <= reach_; ++u) tail_.push_back(spanAt(length + u));
        body_ = spanAt(reach_);
        usable_ = !body_.empty() && spanAt(-reach_ - 1).empty() && spanAt(length + reach_ + 1).empty();
        for (int u = reach_; u <= length - reach_ && usable_; ++u) usable_ = spanAt(u) == body_;
    }

    bool usable() const { return usable_; }
    // Lines shorter than this have ends that meet; they go to Qt.
    int shortest() const { return 2 * reach_; }

    // The line from a, `length` steps in `direction`, as rectangles.
    template <class Fill>
    void draw(QPoint a, QPoint direction, int length, Fill fill) const
    {
        const bool alongX = direction.x() != 0;
        // Steps u from u0 to u1 with the same span, as one rectangle.
        auto band = [&](int u0, int u1, const Span &span) {
            if (span.empty()) return;
            const QPoint p = a + direction * u0, q = a + direction * u1;
            const QRect across = alongX ? QRect(QPoint(std::min(p.x(), q.x()), a.y() + span.from),
                                                QPoint(std::max(p.x(), q.x()), a.y() + span.to))
                                        : QRect(QPoint(a.x() + span.from, std::min(p.y(), q.y())),
                                                QPoint(a.x() + span.to, std::max(p.y(), q.y())));
            fill(across);
        };
        for (int k = 0; k < int(head_.size()); ++k) band(k - reach_, k - reach_, head_[std::size_t(k)]);
        band(reach_, length - reach_, body_);
        for (int k = 0; k < int(tail_.size()); ++k)
            band(length - reach_ + 1 + k, length - reach_ + 1 + k, tail_[std::size_t(k)]);
    }

private:
    struct Span {
        int from = 1, to = 0;
        bool empty() const { return from > to; }
        friend bool operator==(const Span &, const Span &) = default;
    };
    int reach_;               // how far the caps' influence reaches along the line
    std::vector<Span> head_;  // steps -reach .. reach - 1 from the start
    std::vector<Span> tail_;  // steps -reach + 1 .. reach from the end
    Span body_;
    bool usable_ = false;
};

// The learnt strokes, one per width and direction, for the widths the
// program draws with.
const StraightStroke *straightStroke(int width, QPoint direction)
{
    constexpr int kWidestLearnt = 32;
    if (width > kWidestLearnt) return nullptr;
    thread_local std::map<std::tuple<int, int, int>, StraightStroke> learnt;
    const auto key = std::make_tuple(width, direction.x(), direction.y());
    auto found = learnt.find(key);
    if (found == learnt.end()) found = learnt.emplace(key, StraightStroke(width, direction)).first;
    return found->second.usable() ? &found->second : nullptr;
}

// Coordinates beyond this cannot reach an image; keeping rectangles inside
// it keeps Qt's int arithmetic (right = left + width - 1) from overflowing.
constexpr int kCoordinateLimit = 1 << 24;

int held(int v)
{
    return std::clamp(v, -kCoordinateLimit, kCoordinateLimit);
}

TRect heldRect(const TRect &r)
{
    return TRect{held(r.Left), held(r.Top), held(r.Right), held(r.Bottom)};
}

bool isEmpty(const TRect &r)
{
    return r.Right <= r.Left || r.Bottom <= r.Top;
}

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

QPointF centreOf(QPoint p)
{
    return QPointF(p.x() + 0.5, p.y() + 0.5);
}

// Held at the top of every operation that hands work to Qt (QPainter, the
// font metrics): the vector registers are settled when it returns, since the
// caller computes between operations (toolkit/vector_state.h).
struct SettlesOnReturn {
    SettlesOnReturn() = default;
    SettlesOnReturn(const SettlesOnReturn &) = delete;
    SettlesOnReturn &operator=(const SettlesOnReturn &) = delete;
    ~SettlesOnReturn() { settleVectorState(); }
};

}  // namespace

Canvas::Canvas(QImage &image, CanvasState *state, QWidget *shownOn)
    : image_(&image), state_(state ? state : &ownState_), shownOn_(shownOn)
{
    const qreal ratio = image.devicePixelRatio();
    exact_ = ratio == 1;
    size_ = exact_ ? image.size() : QSize(qRound(image.width() / ratio), qRound(image.height() / ratio));
    painter_.begin(image_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
    // An instrument's paint starts here, after Qt has painted what came before it.
    settleVectorState();
}

Canvas::~Canvas()
{
    painter_.end();
    if (shownOn_ && !touched_.isEmpty()) shownOn_->update(touched_);
    settleVectorState();
}

void Canvas::touch(const QRect &area)
{
    if (shownOn_) touched_ |= area & QRect(QPoint(0, 0), size_);
}

// The box of the points, wide enough for the pen.
void Canvas::touchPoints(const QPoint *points, int count)
{
    if (!shownOn_) return;
    auto heldPoint = [](QPoint p) { return QPoint(held(p.x()), held(p.y())); };
    QRect box(heldPoint(points[0]), heldPoint(points[0]));
    for (int i = 1; i < count; ++i) box |= QRect(heldPoint(points[i]), heldPoint(points[i]));
    const int reach = std::clamp(state_->penWidth, 1, kCoordinateLimit);
    touch(box.adjusted(-reach, -reach, reach, reach));
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
    const SettlesOnReturn settled;
    const QPoint to(x, y);
    touchPoints(std::array<QPoint, 2>{state_->penPos, to}.data(), 2);
    if (thinPen()) {
        const QPoint ends[2] = {state_->penPos, to};
        if (exact_) {
            appendLinePixels(ends[0], ends[1], QRect(QPoint(0, 0), size_), pixels_);
            plotPixels();
        } else if (to != state_->penPos) {
            strokeThinPath(ends, 2);
        }
    } else if (to != state_->penPos) {
        wideLine(state_->penPos, to);
    } else {
        usePen();
        painter_.drawPoint(to);  // a wide pen still leaves its round dot
    }
    state_->penPos = to;
}

void Canvas::wideLine(QPoint from, QPoint to)
{
    const QPoint step(from.x() == to.x() ? 0 : (to.x() > from.x() ? 1 : -1),
                      from.y() == to.y() ? 0 : (to.y() > from.y() ? 1 : -1));
    const long long length =
        std::max(std::llabs((long long)to.x() - from.x()), std::llabs((long long)to.y() - from.y()));
    const bool near = from == QPoint(held(from.x()), held(from.y())) && to == QPoint(held(to.x()), held(to.y()));
    const StraightStroke *stroke =
        exact_ && near && (step.x() == 0 || step.y() == 0) ? straightStroke(state_->penWidth, step) : nullptr;
    if (!stroke || length < stroke->shortest()) {
        usePen();
        painter_.drawLine(from, to);
        return;
    }
    const QColor colour = toQColor(state_->penColor);
    stroke->draw(from, step, int(length), [&](const QRect &r) { painter_.fillRect(r, colour); });
}

void Canvas::fillRect(const TRect &rect)
{
    const SettlesOnReturn settled;
    const TRect r = heldRect(rect);
    if (isEmpty(r)) return;
    touch(QRect(r.Left, r.Top, r.width(), r.height()));
    painter_.fillRect(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top), toQColor(state_->brushColor));
}

template <typename Draw>
void Canvas::filledAndOutlined(const TRect &rect, Draw draw)
{
    const SettlesOnReturn settled;
    const TRect r = heldRect(rect);
    if (isEmpty(r)) return;
    touch(QRect(r.Left, r.Top, r.width(), r.height()));
    usePen();
    useBrush();
    if (exact_)
        draw(outlineRect(r));
    else
        draw(centreOutlineRect(r));
}

void Canvas::rectangle(const TRect &rect)
{
    filledAndOutlined(rect, [this](const auto &outline) { painter_.drawRect(outline); });
}

void Canvas::ellipse(const TRect &rect)
{
    filledAndOutlined(rect, [this](const auto &outline) { painter_.drawEllipse(outline); });
}

void Canvas::roundRect(const TRect &rect, int cornerWidth, int cornerHeight)
{
    filledAndOutlined(
        rect, [&](const auto &outline) { painter_.drawRoundedRect(outline, cornerWidth / 2.0, cornerHeight / 2.0); });
}

void Canvas::polygon(const QPoint *points, int count)
{
    const SettlesOnReturn settled;
    if (count <= 0) return;
    touchPoints(points, count);
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
    const SettlesOnReturn settled;
    if (count < 2) return;
    touchPoints(points, count);
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
    const SettlesOnReturn settled;
    // Text that far away cannot reach the image.
    if (x != held(x) || y != held(y)) return;
    const QFontMetrics fm(state_->font);
    const QRect box(x, y, fm.horizontalAdvance(text), fm.height());
    touch(box.adjusted(-box.height(), -box.height(), box.height(), box.height()));  // glyphs may reach past it
    if (state_->brushStyle == BrushStyle::Solid) painter_.fillRect(box, toQColor(state_->brushColor));
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
    const SettlesOnReturn settled;
    const QFontMetrics fm(state_->font);
    return QSize(fm.horizontalAdvance(text), fm.height());
}

void Canvas::draw(int x, int y, const QImage &picture)
{
    const SettlesOnReturn settled;
    if (x != held(x) || y != held(y)) return;  // far off the image
    touch(QRect(QPoint(x, y), picture.deviceIndependentSize().toSize()));
    painter_.drawImage(QPoint(x, y), picture);
}

void Canvas::stretchDraw(const TRect &rect, const QImage &picture)
{
    const SettlesOnReturn settled;
    const TRect r = heldRect(rect);
    touch(QRect(r.Left, r.Top, r.width(), r.height()));
    painter_.drawImage(QRect(r.Left, r.Top, r.width(), r.height()), picture);
}

void Canvas::edge3D(const TRect &r, bool raised)
{
    const SettlesOnReturn settled;
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
    touch(QRect(r.Left, r.Top, r.width(), r.height()));
    ring(0, outerTL, outerBR);
    ring(1, innerTL, innerBR);
}
