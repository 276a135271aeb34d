// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The geometry of a seven-segment glyph: the ten digits, the hexadecimal
// letters, a blank and a few special glyphs (point, comma, colon, semicolon,
// a sign cell, a mid-height line and two overflow arrows).
//
// The look is made of filled polygons whose corners follow from three
// integers: the segment size Z (half the stroke), the separation S (the gap at
// each segment end) and the margin M (the inset from the cell border). The
// corners are computed by the pure functions below; the renderer draws them.
#include "toolkit/colors.h"

#include <QObject>
#include <QPoint>
#include <array>
#include <cstdint>

class SevenSegmentGlyph {
    Q_GADGET
public:
    enum class Code : std::uint8_t {
        Digit0,
        Digit1,
        Digit2,
        Digit3,
        Digit4,
        Digit5,
        Digit6,
        Digit7,
        Digit8,
        Digit9,
        LetterA,
        LetterB,
        LetterC,
        LetterD,
        LetterE,
        LetterF,
        Period,
        Colon,
        Plus,
        Minus,
        Blank,
        Line,
        UpArrow,
        DownArrow,
        Semicolon,
        Comma
    };
    Q_ENUM(Code)
    static constexpr int kCodeCount = 26;

    // Segment bits of a pattern: A (top) = bit 0 ... G (middle) = bit 6.
    enum Segment : std::uint8_t {
        SegmentA = 0x01,
        SegmentB = 0x02,
        SegmentC = 0x04,
        SegmentD = 0x08,
        SegmentE = 0x10,
        SegmentF = 0x20,
        SegmentG = 0x40
    };
};

// The glyph code of a character: digits, letters A to F in either case and the
// listed punctuation; every other character (a space too) is the blank.
SevenSegmentGlyph::Code glyphForChar(char c);
// The character a code reads back as (letters in lower case, blank as space).
char charForGlyph(SevenSegmentGlyph::Code code);
// The 7-bit segment pattern of a digit-like code (digits, letters, blank); 0
// for the special shapes.
std::uint8_t glyphPattern(SevenSegmentGlyph::Code code);
// Whether a code is drawn from segments A to G (digits, letters, blank).
bool isSegmentGlyph(SevenSegmentGlyph::Code code);

// A cell to draw a glyph in: its top-left corner, its size, and M, S and Z.
struct GlyphCell {
    QPoint origin;
    int width = 0;
    int height = 0;
    int margin = 0;
    int separation = 0;
    int size = 1;
};

// A polygon of at most six corners, held by value.
struct GlyphPolygon {
    std::array<QPoint, 6> points{};
    int count = 0;
    friend bool operator==(const GlyphPolygon &a, const GlyphPolygon &b)
    {
        if (a.count != b.count) return false;
        for (int i = 0; i < a.count; ++i)
            if (a.points[std::size_t(i)] != b.points[std::size_t(i)]) return false;
        return true;
    }
};

// A polygon of a glyph and whether it shows in the lit or in the unlit colour.
struct GlyphShape {
    GlyphPolygon polygon;
    bool lit = false;
};

// Every polygon of a glyph in drawing order, lit and unlit ones alike; at most
// seven of them.
struct GlyphShapes {
    std::array<GlyphShape, 7> shapes{};
    int count = 0;
};

// Corners of segment 0 (A) to 6 (G), in the cell's coordinates (origin added).
GlyphPolygon segmentPolygon(const GlyphCell &cell, int segment);

// The polygons of a glyph. Segment glyphs give all seven segments, lit where
// the pattern has the bit; with useSegmentBits every code is a segment glyph
// whose pattern is `segmentBits`. The sign cell gives its lit part first, then
// its unlit part; the other special shapes are lit only.
GlyphShapes glyphShapes(const GlyphCell &cell, SevenSegmentGlyph::Code code, bool useSegmentBits = false,
                        std::uint8_t segmentBits = 0);

// The unlit colour: with autoOff the red, green and blue bytes of the lit
// colour divided by three, otherwise offColor unchanged.
TColor unlitSegmentColor(TColor segmentColor, TColor offColor, bool autoOff);
