// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws seven-segment glyphs in a given look. The character widget and the
// numeric read-out each own their look and one renderer, and hand the look to
// every draw: the look has a single home, in the widget that publishes it.
#include "toolkit/canvas.h"
#include "widgets/seven_segment_glyph.h"

#include <QImage>
#include <QRgb>
#include <QSize>
#include <array>
#include <optional>

// How a glyph looks: its colours, what unlit segments do, and the segment size
// Z and separation S of the glyph geometry.
struct SevenSegmentLook {
    TColor segmentColor = clLime;
    TColor segmentOffColor = clGreen;
    bool autoSegmentOffColor = true;
    bool showOffSegments = true;
    // Lit segments take the unlit colour, as on a meter switched off.
    bool powerOff = false;
    int segmentSize = 1;
    int segmentSeparation = 1;
};

class SevenSegmentRenderer {
public:
    // Draws the glyph of `code` into the cell of size `cell` at `origin`, with
    // the glyph margin M; with segmentBits every code is drawn as that segment
    // pattern. Draws nothing but the glyph.
    void draw(Canvas &canvas, const SevenSegmentLook &look, SevenSegmentGlyph::Code code, QPoint origin, QSize cell,
              int margin = 0, std::optional<std::uint8_t> segmentBits = std::nullopt);

private:
    // A glyph as last drawn: everything its pixels depend on, and the pixels
    // themselves (transparent around the polygons), placed at `offset` from
    // the cell's origin. A read-out draws the same few glyphs over and over.
    struct Key {
        int width = 0, height = 0, margin = 0, separation = 0, size = 0;
        int pixelRatio = 1;  // device pixels per logical pixel
        QRgb lit = 0, unlit = 0;
        bool showOff = false, useBits = false;
        std::uint8_t bits = 0;
        friend bool operator==(const Key &, const Key &) = default;
    };
    struct CachedGlyph {
        bool valid = false;
        Key key;
        QPoint offset;
        QImage image;  // null when the glyph draws nothing
    };
    const CachedGlyph *cachedGlyph(SevenSegmentGlyph::Code code, const Key &key, TColor lit, TColor unlit);

    std::array<CachedGlyph, SevenSegmentGlyph::kCodeCount> cache_;
};
