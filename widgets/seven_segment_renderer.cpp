// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/seven_segment_renderer.h"

#include "toolkit/rounding.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

void drawShapes(Canvas &canvas, const GlyphShapes &shapes, TColor lit, TColor unlit, bool showOff)
{
    // Fill and outline share the colour, so the outline pixels belong to the
    // polygon. The pen and brush change only when the colour does.
    canvas.setPenWidth(1);
    bool first = true;
    TColor current = 0;
    for (int i = 0; i < shapes.count; ++i) {
        const GlyphShape &shape = shapes.shapes[std::size_t(i)];
        if (!shape.lit && !showOff) continue;
        const TColor color = shape.lit ? lit : unlit;
        if (first || color != current) {
            canvas.setPenColor(color);
            canvas.setBrushColor(color);
            current = color;
            first = false;
        }
        canvas.polygon(shape.polygon.points.data(), shape.polygon.count);
    }
}

}  // namespace

const SevenSegmentRenderer::CachedGlyph *SevenSegmentRenderer::cachedGlyph(SevenSegmentGlyph::Code code, const Key &key,
                                                                           TColor lit, TColor unlit)
{
    const auto index = std::size_t(code);
    if (index >= cache_.size()) return nullptr;
    CachedGlyph &slot = cache_[index];
    if (slot.valid && slot.key == key) return &slot;

    // The polygons' extent in the cell, outline pixels included, with a
    // pixel to spare on every side.
    const GlyphCell cell{QPoint(0, 0), key.width, key.height, key.margin, key.separation, key.size};
    const GlyphShapes shapes = glyphShapes(cell, code, key.useBits, key.bits);
    long long left = LLONG_MAX, top = LLONG_MAX, right = LLONG_MIN, bottom = LLONG_MIN;
    for (int i = 0; i < shapes.count; ++i) {
        const GlyphShape &shape = shapes.shapes[std::size_t(i)];
        if (!shape.lit && !key.showOff) continue;
        for (int k = 0; k < shape.polygon.count; ++k) {
            const QPoint p = shape.polygon.points[std::size_t(k)];
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
    drawShapes(glyph,
               glyphShapes(GlyphCell{-slot.offset, key.width, key.height, key.margin, key.separation, key.size}, code,
                           key.useBits, key.bits),
               lit, unlit, key.showOff);
    return &slot;
}

void SevenSegmentRenderer::draw(Canvas &canvas, const SevenSegmentLook &look, SevenSegmentGlyph::Code code,
                                QPoint origin, QSize cell, int margin, std::optional<std::uint8_t> segmentBits)
{
    const TColor unlit = unlitSegmentColor(look.segmentColor, look.segmentOffColor, look.autoSegmentOffColor);
    const TColor lit = look.powerOff ? unlit : look.segmentColor;
    const bool useBits = segmentBits.has_value();
    const std::uint8_t bits = segmentBits.value_or(0);
    // A glyph's image lands on whole device pixels only at a whole pixel
    // ratio; at 1.25 or 1.5 the glyph is drawn in place.
    const qreal ratio = canvas.image().devicePixelRatio();
    const bool wholeRatio = ratio == std::floor(ratio) && ratio <= 8;
    const Key key{cell.width(),
                  cell.height(),
                  margin,
                  look.segmentSeparation,
                  look.segmentSize,
                  int(ratio),
                  toQColor(lit).rgb(),
                  toQColor(unlit).rgb(),
                  look.showOffSegments,
                  useBits,
                  bits};
    // The cached pixels are exact: drawn without antialiasing, they are
    // either fully opaque or fully transparent.
    if (const CachedGlyph *glyph = wholeRatio ? cachedGlyph(code, key, lit, unlit) : nullptr) {
        if (!glyph->image.isNull())
            canvas.draw(saturate(origin.x() + (long long)glyph->offset.x()),
                        saturate(origin.y() + (long long)glyph->offset.y()), glyph->image);
        return;
    }
    const GlyphCell glyphCell{origin, cell.width(), cell.height(), margin, look.segmentSeparation, look.segmentSize};
    drawShapes(canvas, glyphShapes(glyphCell, code, useBits, bits), lit, unlit, look.showOffSegments);
}
