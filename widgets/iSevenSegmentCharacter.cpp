// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/iSevenSegmentCharacter.h"

#include "toolkit/rounding.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Corner arithmetic runs in 64 bits and is saturated to the pixel range
// (saturate), so that no setting, however large, can overflow an int.

constexpr std::uint8_t kPatterns[16] = {
    0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x67,  // 0..9
    0x77, 0x7C, 0x39, 0x5E, 0x79, 0x71,                          // A..F
};

constexpr char kGlyphChars[kGlyphCodeCount] = {
    '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'a', 'b', 'c', 'd', 'e', 'f',
    '.', ':', '+', '-', ' ', '_', '<', '>', ';', ',',
};

// Builds polygons in a cell's coordinates.
class ShapeBuilder {
public:
    explicit ShapeBuilder(const GlyphCell &cell) : x_(cell.Origin.x()), y_(cell.Origin.y()) {}

    QPoint at(long long dx, long long dy) const { return QPoint(saturate(x_ + dx), saturate(y_ + dy)); }

    GlyphPolygon quad(QPoint a, QPoint b, QPoint c, QPoint d) const
    {
        GlyphPolygon p;
        p.Points[0] = a;
        p.Points[1] = b;
        p.Points[2] = c;
        p.Points[3] = d;
        p.Count = 4;
        return p;
    }
    // A rectangle given by two opposite corners, as its four corners
    // clockwise from the top-left one.
    GlyphPolygon box(long long left, long long top, long long right, long long bottom) const
    {
        return quad(at(left, top), at(right, top), at(right, bottom), at(left, bottom));
    }

private:
    long long x_, y_;
};

void add(GlyphShapes &shapes, const GlyphPolygon &polygon, bool lit)
{
    shapes.Shapes[std::size_t(shapes.Count)] = GlyphShape{polygon, lit};
    ++shapes.Count;
}

// The sign cell's parts: the upper plus (two bars) and the lower bar.
void addSignCell(GlyphShapes &shapes, const GlyphCell &cell, bool plus)
{
    const ShapeBuilder b(cell);
    const double w = cell.Width, h = cell.Height, z = cell.Size;
    auto p = [](double v) { return (long long)roundEven(v); };
    const long long barLeft = p(2.5 * w / 10), barRight = p(7.5 * w / 10);
    const GlyphPolygon across = b.box(barLeft, p(4.5 * h / 18 - z / 2), barRight, p(4.5 * h / 18 + z / 2));
    const GlyphPolygon upright = b.box(p(w / 2 - z / 2), p(2 * h / 18), p(w / 2 + z / 2), p(7 * h / 18));
    const GlyphPolygon lower = b.box(barLeft, p(13.5 * h / 18 - z / 2), barRight, p(13.5 * h / 18 + z / 2));
    if (plus) {
        add(shapes, across, true);
        add(shapes, upright, true);
        add(shapes, lower, false);
    } else {
        add(shapes, lower, true);
        add(shapes, across, false);
        add(shapes, upright, false);
    }
}

} // namespace

TSevenSegmentCharacter CharToGlyph(char c)
{
    if (c >= '0' && c <= '9') return TSevenSegmentCharacter(ssc0 + (c - '0'));
    if (c >= 'A' && c <= 'F') return TSevenSegmentCharacter(sscA + (c - 'A'));
    if (c >= 'a' && c <= 'f') return TSevenSegmentCharacter(sscA + (c - 'a'));
    switch (c) {
    case '.': return sscPeriod;
    case ':': return sscColon;
    case '+': return sscPlus;
    case '-': return sscMinus;
    case '_': return sscLine;
    case '<': return sscUpArrow;
    case '>': return sscDownArrow;
    case ';': return sscSemiColon;
    case ',': return sscComma;
    default: return sscBlank;
    }
}

char GlyphToChar(TSevenSegmentCharacter code)
{
    if (code < 0 || code >= kGlyphCodeCount) return ' ';
    return kGlyphChars[code];
}

bool IsSegmentGlyph(TSevenSegmentCharacter code)
{
    return (code >= ssc0 && code <= sscF) || code == sscBlank;
}

std::uint8_t GlyphPattern(TSevenSegmentCharacter code)
{
    if (code >= ssc0 && code <= sscF) return kPatterns[code];
    return 0;
}

GlyphPolygon SegmentPolygon(const GlyphCell &cell, int segment)
{
    const ShapeBuilder b(cell);
    const long long W = cell.Width, H = cell.Height, M = cell.Margin, S = cell.Separation, Z = cell.Size;
    const long long h = (H - 1) / 2;
    const long long Z2 = 2 * Z;
    switch (segment) {
    case 0:  // A
        return b.quad(b.at(M + S, M), b.at(W - M - S - 1, M), b.at(W - M - S - Z2 - 1, M + Z2), b.at(M + S + Z2, M + Z2));
    case 1:  // B
        return b.quad(b.at(W - M - 1, M + S), b.at(W - M - 1, h - S), b.at(W - M - Z2 - 1, h - S - Z2),
                      b.at(W - M - Z2 - 1, M + S + Z2));
    case 2:  // C
        return b.quad(b.at(W - M - 1, h + S), b.at(W - M - 1, H - M - S - 1), b.at(W - M - Z2 - 1, H - M - S - Z2 - 1),
                      b.at(W - M - Z2 - 1, h + S + Z2));
    case 3:  // D
        return b.quad(b.at(M + S, H - M - 1), b.at(W - M - S - 1, H - M - 1), b.at(W - M - S - Z2 - 1, H - M - Z2 - 1),
                      b.at(M + S + Z2, H - M - Z2 - 1));
    case 4:  // E
        return b.quad(b.at(M, h + S), b.at(M, H - M - S - 1), b.at(M + Z2, H - M - S - Z2 - 1), b.at(M + Z2, h + S + Z2));
    case 5:  // F
        return b.quad(b.at(M, M + S), b.at(M, h - S), b.at(M + Z2, h - S - Z2), b.at(M + Z2, M + S + Z2));
    case 6: {  // G, a hexagon with pointed ends
        GlyphPolygon g;
        g.Points = {b.at(M + S, h), b.at(M + S + Z, h - Z), b.at(W - M - S - Z - 1, h - Z),
                    b.at(W - M - S - 1, h), b.at(W - M - S - Z - 1, h + Z), b.at(M + S + Z, h + Z)};
        g.Count = 6;
        return g;
    }
    default:
        return GlyphPolygon{};
    }
}

GlyphShapes GlyphGeometry(const GlyphCell &cell, TSevenSegmentCharacter code, bool useSegmentBits,
                          std::uint8_t segmentBits)
{
    GlyphShapes shapes;
    if (useSegmentBits || IsSegmentGlyph(code)) {
        const std::uint8_t pattern = useSegmentBits ? segmentBits : GlyphPattern(code);
        for (int s = 0; s < 7; ++s) add(shapes, SegmentPolygon(cell, s), (pattern >> s) & 1);
        return shapes;
    }

    const ShapeBuilder b(cell);
    const long long W = cell.Width, H = cell.Height, M = cell.Margin, Z = cell.Size;
    const long long c = W / 2;
    const long long h = (H - 1) / 2;
    // Rows at k eighteenths of the cell height, rounded half to even.
    auto r = [H](int k) { return (long long)roundEven(double(k) * double(H) / 18.0); };
    auto colonDots = [&] {
        add(shapes, b.box(c - Z, r(5), c + Z, r(7)), true);
        add(shapes, b.box(c - Z, r(11), c + Z, r(13)), true);
    };
    auto tail = [&] { add(shapes, b.box(c, r(13), c + Z, r(16)), true); };
    const long long a = (W - 1 - 2 * M) / 2, x0 = (W - 1) / 2, y0 = H / 2;

    switch (code) {
    case sscPeriod:
        add(shapes, b.box(c - Z, H - 2 * Z, c + Z, H), true);
        break;
    case sscColon:
        colonDots();
        break;
    case sscSemiColon:
        colonDots();
        tail();
        break;
    case sscComma:
        add(shapes, b.box(c - Z, r(11), c + Z, r(13)), true);
        tail();
        break;
    case sscLine:
        add(shapes, b.box(M, h - Z / 2, W - M - 1, h + Z / 2), true);
        break;
    case sscUpArrow: {
        GlyphPolygon t;
        t.Points[0] = b.at(x0 + a, y0);
        t.Points[1] = b.at(x0 - a, y0);
        t.Points[2] = b.at(x0, std::max(y0 - a, M));
        t.Count = 3;
        add(shapes, t, true);
        break;
    }
    case sscDownArrow: {
        GlyphPolygon t;
        t.Points[0] = b.at(x0 + a, y0);
        t.Points[1] = b.at(x0 - a, y0);
        t.Points[2] = b.at(x0, std::min(y0 + a, H - 1 - M));
        t.Count = 3;
        add(shapes, t, true);
        break;
    }
    case sscPlus:
        addSignCell(shapes, cell, true);
        break;
    case sscMinus:
        addSignCell(shapes, cell, false);
        break;
    default:
        break;
    }
    return shapes;
}

TColor UnlitSegmentColor(TColor segmentColor, TColor offColor, bool autoOff)
{
    if (!autoOff) return offColor;
    // A system colour is divided as the colour it stands for.
    const TColor rgb = isSystemColor(segmentColor) ? fromQColor(toQColor(segmentColor)) : segmentColor;
    return rgbColor(redOf(rgb) / 3, greenOf(rgb) / 3, blueOf(rgb) / 3);
}

TiSevenSegmentCharacter::TiSevenSegmentCharacter(QWidget *parent)
    : TiCustomComponent(parent)
{
    setBackGroundColor(clBlack);
    applyAutoSize();
}

TiSevenSegmentCharacter::~TiSevenSegmentCharacter() = default;

void TiSevenSegmentCharacter::setValue(TSevenSegmentCharacter value)
{
    if (value_ == value) return;
    value_ = value;
    InvalidateContents();
    applyAutoSize();
}

void TiSevenSegmentCharacter::setSegmentColor(TColor value)
{
    if (segmentColor_ == value) return;
    segmentColor_ = value;
    InvalidateContents();
}

void TiSevenSegmentCharacter::setSegmentOffColor(TColor value)
{
    if (segmentOffColor_ == value) return;
    segmentOffColor_ = value;
    InvalidateContents();
}

void TiSevenSegmentCharacter::setAutoSegmentOffColor(bool value)
{
    if (autoSegmentOffColor_ == value) return;
    autoSegmentOffColor_ = value;
    InvalidateContents();
}

void TiSevenSegmentCharacter::setShowOffSegments(bool value)
{
    if (showOffSegments_ == value) return;
    showOffSegments_ = value;
    InvalidateContents();
}

void TiSevenSegmentCharacter::setPowerOff(bool value)
{
    if (powerOff_ == value) return;
    powerOff_ = value;
    InvalidateContents();
}

void TiSevenSegmentCharacter::setSegmentSize(int value)
{
    if (segmentSize_ == value) return;
    segmentSize_ = std::max(value, 1);
    InvalidateContents();
    applyAutoSize();
}

void TiSevenSegmentCharacter::setSegmentSeperation(int value)
{
    if (segmentSeperation_ == value) return;
    segmentSeperation_ = std::max(value, 0);
    InvalidateContents();
}

void TiSevenSegmentCharacter::setSegmentMargin(int value)
{
    if (segmentMargin_ == value) return;
    segmentMargin_ = std::max(value, 0);
    InvalidateContents();
    applyAutoSize();
}

void TiSevenSegmentCharacter::setAutoSize(bool value)
{
    if (autoSize_ == value) return;
    autoSize_ = value;
    applyAutoSize();
    InvalidateContents();
}

void TiSevenSegmentCharacter::setUseSegmentBits(bool value)
{
    if (useSegmentBits_ == value) return;
    useSegmentBits_ = value;
    InvalidateContents();
}

void TiSevenSegmentCharacter::setSegmentOn(SegmentBit bit, bool on)
{
    if (segmentOn(bit) == on) return;
    segmentBits_ = quint8(on ? (segmentBits_ | bit) : (segmentBits_ & ~bit));
    InvalidateContents();
}

void TiSevenSegmentCharacter::setSegmentBits(quint8 bits)
{
    segmentBits_ = quint8(bits & 0x7F);
    InvalidateContents();
}

int TiSevenSegmentCharacter::GlyphWidth() const
{
    const bool narrow = value_ == sscPeriod || value_ == sscColon || value_ == sscSemiColon || value_ == sscComma;
    return saturate(2LL * segmentMargin_ + (narrow ? 2LL : 10LL) * segmentSize_);
}

int TiSevenSegmentCharacter::GlyphHeight() const
{
    return saturate(2LL * segmentMargin_ + 18LL * segmentSize_);
}

void TiSevenSegmentCharacter::applyAutoSize()
{
    if (!autoSize_ || IsLoading()) return;
    const int w = saturate(std::min<long long>(GlyphWidth() + 1LL, QWIDGETSIZE_MAX));
    const int h = saturate(std::min<long long>(GlyphHeight() + 1LL, QWIDGETSIZE_MAX));
    SetBounds(x(), y(), w, h);
}

void TiSevenSegmentCharacter::drawShapes(Canvas &canvas, const GlyphShapes &shapes, TColor lit, TColor unlit) const
{
    // Fill and outline share the colour, so the outline pixels belong to the
    // polygon. The pen and brush change only when the colour does.
    canvas.setPenWidth(1);
    bool first = true;
    TColor current = 0;
    for (int i = 0; i < shapes.Count; ++i) {
        const GlyphShape &shape = shapes.Shapes[std::size_t(i)];
        if (!shape.Lit && !showOffSegments_) continue;
        const TColor color = shape.Lit ? lit : unlit;
        if (first || color != current) {
            canvas.setPenColor(color);
            canvas.setBrushColor(color);
            current = color;
            first = false;
        }
        canvas.polygon(shape.Polygon.Points.data(), shape.Polygon.Count);
    }
}

const TiSevenSegmentCharacter::CachedGlyph *TiSevenSegmentCharacter::cachedGlyph(TSevenSegmentCharacter code,
                                                                               const GlyphKey &key, TColor lit,
                                                                               TColor unlit)
{
    if (code < 0 || code >= kGlyphCodeCount) return nullptr;
    CachedGlyph &slot = glyphCache_[std::size_t(code)];
    if (slot.valid && slot.key == key) return &slot;

    // The polygons' extent in the cell, outline pixels included, with a
    // pixel to spare on every side.
    const GlyphCell cell{QPoint(0, 0), key.width, key.height, key.margin, key.separation, key.size};
    const GlyphShapes shapes = GlyphGeometry(cell, code, key.useBits, key.bits);
    long long left = LLONG_MAX, top = LLONG_MAX, right = LLONG_MIN, bottom = LLONG_MIN;
    for (int i = 0; i < shapes.Count; ++i) {
        const GlyphShape &shape = shapes.Shapes[std::size_t(i)];
        if (!shape.Lit && !key.showOff) continue;
        for (int k = 0; k < shape.Polygon.Count; ++k) {
            const QPoint p = shape.Polygon.Points[std::size_t(k)];
            left = std::min<long long>(left, p.x());
            right = std::max<long long>(right, p.x());
            top = std::min<long long>(top, p.y());
            bottom = std::max<long long>(bottom, p.y());
        }
    }
    slot.key = key;
    slot.valid = true;
    slot.image = QImage();
    if (left > right) return &slot;  // nothing to draw
    // Large glyphs are rare and cheap enough to draw directly.
    constexpr long long kMaxSide = 256;
    if (right - left + 3 > kMaxSide || bottom - top + 3 > kMaxSide) {
        slot.valid = false;
        return nullptr;
    }
    slot.offset = QPoint(int(left) - 1, int(top) - 1);
    slot.image = QImage(int(right - left + 3) * key.pixelRatio, int(bottom - top + 3) * key.pixelRatio,
                        QImage::Format_ARGB32_Premultiplied);
    slot.image.setDevicePixelRatio(key.pixelRatio);
    slot.image.fill(Qt::transparent);
    Canvas glyph(slot.image);
    drawShapes(glyph, GlyphGeometry(GlyphCell{-slot.offset, key.width, key.height, key.margin, key.separation, key.size},
                                    code, key.useBits, key.bits),
               lit, unlit);
    return &slot;
}

void TiSevenSegmentCharacter::DrawGlyph(Canvas &canvas, QPoint origin, TSevenSegmentCharacter code, int cellHeight,
                                        int cellWidth)
{
    const TColor unlit = UnlitSegmentColor(segmentColor_, segmentOffColor_, autoSegmentOffColor_);
    const TColor lit = powerOff_ ? unlit : segmentColor_;
    // A glyph's image lands on whole device pixels only at a whole pixel
    // ratio; at 1.25 or 1.5 the glyph is drawn in place.
    const qreal ratio = canvas.image().devicePixelRatio();
    const bool wholeRatio = ratio == std::floor(ratio) && ratio <= 8;
    const GlyphKey key{cellWidth, cellHeight, segmentMargin_, segmentSeperation_, segmentSize_, int(ratio),
                       toQColor(lit).rgb(), toQColor(unlit).rgb(), showOffSegments_, useSegmentBits_,
                       useSegmentBits_ ? segmentBits_ : quint8(0)};
    // The cached pixels are exact: drawn without antialiasing, they are
    // either fully opaque or fully transparent.
    if (const CachedGlyph *glyph = wholeRatio ? cachedGlyph(code, key, lit, unlit) : nullptr) {
        if (!glyph->image.isNull())
            canvas.draw(saturate(origin.x() + (long long)glyph->offset.x()),
                        saturate(origin.y() + (long long)glyph->offset.y()), glyph->image);
        return;
    }
    const GlyphCell cell{origin, cellWidth, cellHeight, segmentMargin_, segmentSeperation_, segmentSize_};
    drawShapes(canvas, GlyphGeometry(cell, code, useSegmentBits_, segmentBits_), lit, unlit);
}

void TiSevenSegmentCharacter::PaintContents(Canvas &canvas)
{
    PaintBackground(canvas, BackGroundColor());
    DrawGlyph(canvas, QPoint(0, 0), value_, height(), width());
}
