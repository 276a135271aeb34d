// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/seven_segment_glyph.h"

#include "toolkit/rounding.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

using Code = SevenSegmentGlyph::Code;

// Corner arithmetic runs in 64 bits and is saturated to the pixel range
// (saturate), so that no setting, however large, can overflow an int.

constexpr std::uint8_t kPatterns[16] = {
    0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x67,  // 0..9
    0x77, 0x7C, 0x39, 0x5E, 0x79, 0x71,                          // A..F
};

constexpr char kGlyphChars[SevenSegmentGlyph::kCodeCount] = {
    '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'a', 'b', 'c',
    'd', 'e', 'f', '.', ':', '+', '-', ' ', '_', '<', '>', ';', ',',
};

// Builds polygons in a cell's coordinates.
class ShapeBuilder {
public:
    explicit ShapeBuilder(const GlyphCell &cell) : x_(cell.origin.x()), y_(cell.origin.y()) {}

    QPoint at(long long dx, long long dy) const { return QPoint(saturate(x_ + dx), saturate(y_ + dy)); }

    GlyphPolygon quad(QPoint a, QPoint b, QPoint c, QPoint d) const
    {
        GlyphPolygon p;
        p.points[0] = a;
        p.points[1] = b;
        p.points[2] = c;
        p.points[3] = d;
        p.count = 4;
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
    shapes.shapes[std::size_t(shapes.count)] = GlyphShape{polygon, lit};
    ++shapes.count;
}

// The sign cell's parts: the upper plus (two bars) and the lower bar.
void addSignCell(GlyphShapes &shapes, const GlyphCell &cell, bool plus)
{
    const ShapeBuilder b(cell);
    const double w = cell.width, h = cell.height, z = cell.size;
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

Code codeAt(int index)
{
    return Code(std::uint8_t(index));
}

}  // namespace

SevenSegmentGlyph::Code glyphForChar(char c)
{
    if (c >= '0' && c <= '9') return codeAt(c - '0');
    if (c >= 'A' && c <= 'F') return codeAt(int(Code::LetterA) + (c - 'A'));
    if (c >= 'a' && c <= 'f') return codeAt(int(Code::LetterA) + (c - 'a'));
    switch (c) {
    case '.': return Code::Period;
    case ':': return Code::Colon;
    case '+': return Code::Plus;
    case '-': return Code::Minus;
    case '_': return Code::Line;
    case '<': return Code::UpArrow;
    case '>': return Code::DownArrow;
    case ';': return Code::Semicolon;
    case ',': return Code::Comma;
    default: return Code::Blank;
    }
}

char charForGlyph(SevenSegmentGlyph::Code code)
{
    const int index = int(code);
    if (index >= SevenSegmentGlyph::kCodeCount) return ' ';
    return kGlyphChars[index];
}

bool isSegmentGlyph(SevenSegmentGlyph::Code code)
{
    return code <= Code::LetterF || code == Code::Blank;
}

std::uint8_t glyphPattern(SevenSegmentGlyph::Code code)
{
    if (code <= Code::LetterF) return kPatterns[int(code)];
    return 0;
}

GlyphPolygon segmentPolygon(const GlyphCell &cell, int segment)
{
    const ShapeBuilder b(cell);
    const long long W = cell.width, H = cell.height, M = cell.margin, S = cell.separation, Z = cell.size;
    const long long h = (H - 1) / 2;
    const long long Z2 = 2 * Z;
    switch (segment) {
    case 0:  // A
        return b.quad(b.at(M + S, M), b.at(W - M - S - 1, M), b.at(W - M - S - Z2 - 1, M + Z2),
                      b.at(M + S + Z2, M + Z2));
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
        return b.quad(b.at(M, h + S), b.at(M, H - M - S - 1), b.at(M + Z2, H - M - S - Z2 - 1),
                      b.at(M + Z2, h + S + Z2));
    case 5:  // F
        return b.quad(b.at(M, M + S), b.at(M, h - S), b.at(M + Z2, h - S - Z2), b.at(M + Z2, M + S + Z2));
    case 6: {  // G, a hexagon with pointed ends
        GlyphPolygon g;
        g.points = {b.at(M + S, h),         b.at(M + S + Z, h - Z),         b.at(W - M - S - Z - 1, h - Z),
                    b.at(W - M - S - 1, h), b.at(W - M - S - Z - 1, h + Z), b.at(M + S + Z, h + Z)};
        g.count = 6;
        return g;
    }
    default: return GlyphPolygon{};
    }
}

GlyphShapes glyphShapes(const GlyphCell &cell, SevenSegmentGlyph::Code code, bool useSegmentBits,
                        std::uint8_t segmentBits)
{
    GlyphShapes shapes;
    if (useSegmentBits || isSegmentGlyph(code)) {
        const std::uint8_t pattern = useSegmentBits ? segmentBits : glyphPattern(code);
        for (int s = 0; s < 7; ++s) add(shapes, segmentPolygon(cell, s), (pattern >> s) & 1);
        return shapes;
    }

    const ShapeBuilder b(cell);
    const long long W = cell.width, H = cell.height, M = cell.margin, Z = cell.size;
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
    case Code::Period: add(shapes, b.box(c - Z, H - 2 * Z, c + Z, H), true); break;
    case Code::Colon: colonDots(); break;
    case Code::Semicolon:
        colonDots();
        tail();
        break;
    case Code::Comma:
        add(shapes, b.box(c - Z, r(11), c + Z, r(13)), true);
        tail();
        break;
    case Code::Line: add(shapes, b.box(M, h - Z / 2, W - M - 1, h + Z / 2), true); break;
    case Code::UpArrow: {
        GlyphPolygon t;
        t.points[0] = b.at(x0 + a, y0);
        t.points[1] = b.at(x0 - a, y0);
        t.points[2] = b.at(x0, std::max(y0 - a, M));
        t.count = 3;
        add(shapes, t, true);
        break;
    }
    case Code::DownArrow: {
        GlyphPolygon t;
        t.points[0] = b.at(x0 + a, y0);
        t.points[1] = b.at(x0 - a, y0);
        t.points[2] = b.at(x0, std::min(y0 + a, H - 1 - M));
        t.count = 3;
        add(shapes, t, true);
        break;
    }
    case Code::Plus: addSignCell(shapes, cell, true); break;
    case Code::Minus: addSignCell(shapes, cell, false); break;
    default: break;
    }
    return shapes;
}

TColor unlitSegmentColor(TColor segmentColor, TColor offColor, bool autoOff)
{
    if (!autoOff) return offColor;
    // A system colour is divided as the colour it stands for.
    const TColor rgb = isSystemColor(segmentColor) ? fromQColor(toQColor(segmentColor)) : segmentColor;
    return rgbColor(redOf(rgb) / 3, greenOf(rgb) / 3, blueOf(rgb) / 3);
}
