// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One character cell of a seven-segment read-out: the ten digits, the
// hexadecimal letters, a blank and a few special glyphs (point, comma, colon,
// semicolon, a sign cell, a mid-height line and two overflow arrows).
//
// The look is made of filled polygons whose corners follow from three
// integers: the segment size Z (half the stroke), the separation S (the gap at
// each segment end) and the margin M (the inset from the cell border). The
// corners are computed by the pure functions below, so a read-out can lay out
// its cells and draw them through one hidden renderer of this class.
#include "widgets/iVCLComponent.h"

#include <QImage>
#include <QPoint>
#include <QRgb>
#include <array>
#include <cstdint>

inline constexpr int kGlyphCodeCount = 26;  // ssc0 ... sscComma

// Segment bits of a pattern: A (top) = bit 0 ... G (middle) = bit 6.
enum SegmentBit : std::uint8_t {
    SegA = 0x01, SegB = 0x02, SegC = 0x04, SegD = 0x08, SegE = 0x10, SegF = 0x20, SegG = 0x40
};

// The glyph code of a character: digits, letters A to F in either case and the
// listed punctuation; every other character (a space too) is the blank.
TSevenSegmentCharacter CharToGlyph(char c);
// The character a code reads back as (letters in lower case, blank as space).
char GlyphToChar(TSevenSegmentCharacter code);
// The 7-bit segment pattern of a digit-like code (ssc0..sscF, sscBlank); 0 for
// the special shapes.
std::uint8_t GlyphPattern(TSevenSegmentCharacter code);
// Whether a code is drawn from segments A to G (digits, letters, blank).
bool IsSegmentGlyph(TSevenSegmentCharacter code);

// A cell to draw a glyph in: its top-left corner, its size, and M, S and Z.
struct GlyphCell {
    QPoint Origin;
    int Width = 0;
    int Height = 0;
    int Margin = 0;
    int Separation = 0;
    int Size = 1;
};

// A polygon of at most six corners, held by value.
struct GlyphPolygon {
    std::array<QPoint, 6> Points{};
    int Count = 0;
    friend bool operator==(const GlyphPolygon &a, const GlyphPolygon &b)
    {
        if (a.Count != b.Count) return false;
        for (int i = 0; i < a.Count; ++i)
            if (a.Points[std::size_t(i)] != b.Points[std::size_t(i)]) return false;
        return true;
    }
};

// A polygon of a glyph and whether it shows in the lit or in the unlit colour.
struct GlyphShape {
    GlyphPolygon Polygon;
    bool Lit = false;
};

// Every polygon of a glyph in drawing order, lit and unlit ones alike; at most
// seven of them.
struct GlyphShapes {
    std::array<GlyphShape, 7> Shapes{};
    int Count = 0;
};

// Corners of segment 0 (A) to 6 (G), in the cell's coordinates (origin added).
GlyphPolygon SegmentPolygon(const GlyphCell &cell, int segment);

// The polygons of a glyph. Segment glyphs give all seven segments, lit where
// the pattern has the bit; with useSegmentBits every code is a segment glyph
// whose pattern is `segmentBits`. The sign cell gives its lit part first, then
// its unlit part; the other special shapes are lit only.
GlyphShapes GlyphGeometry(const GlyphCell &cell, TSevenSegmentCharacter code, bool useSegmentBits = false,
                          std::uint8_t segmentBits = 0);

// The unlit colour: with autoOff the red, green and blue bytes of the lit
// colour divided by three, otherwise offColor unchanged.
TColor UnlitSegmentColor(TColor segmentColor, TColor offColor, bool autoOff);

class TiSevenSegmentCharacter : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(TiTypes::TSevenSegmentCharacter Value READ Value WRITE setValue)
    Q_PROPERTY(char Character READ Character WRITE setCharacter)
    Q_PROPERTY(TColor SegmentColor READ SegmentColor WRITE setSegmentColor)
    Q_PROPERTY(TColor SegmentOffColor READ SegmentOffColor WRITE setSegmentOffColor)
    Q_PROPERTY(bool AutoSegmentOffColor READ AutoSegmentOffColor WRITE setAutoSegmentOffColor)
    Q_PROPERTY(bool ShowOffSegments READ ShowOffSegments WRITE setShowOffSegments)
    Q_PROPERTY(bool PowerOff READ PowerOff WRITE setPowerOff)
    Q_PROPERTY(int SegmentSize READ SegmentSize WRITE setSegmentSize)
    Q_PROPERTY(int SegmentSeperation READ SegmentSeperation WRITE setSegmentSeperation)
    Q_PROPERTY(int SegmentMargin READ SegmentMargin WRITE setSegmentMargin)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
    Q_PROPERTY(bool UseSegmentBits READ UseSegmentBits WRITE setUseSegmentBits)
    Q_PROPERTY(bool SegAOn READ SegAOn WRITE setSegAOn)
    Q_PROPERTY(bool SegBOn READ SegBOn WRITE setSegBOn)
    Q_PROPERTY(bool SegCOn READ SegCOn WRITE setSegCOn)
    Q_PROPERTY(bool SegDOn READ SegDOn WRITE setSegDOn)
    Q_PROPERTY(bool SegEOn READ SegEOn WRITE setSegEOn)
    Q_PROPERTY(bool SegFOn READ SegFOn WRITE setSegFOn)
    Q_PROPERTY(bool SegGOn READ SegGOn WRITE setSegGOn)
    Q_PROPERTY(quint8 SegmentBits READ SegmentBits WRITE setSegmentBits)

public:
    explicit TiSevenSegmentCharacter(QWidget *parent = nullptr);
    ~TiSevenSegmentCharacter() override;

    TSevenSegmentCharacter Value() const { return value_; }
    void setValue(TSevenSegmentCharacter value);
    char Character() const { return GlyphToChar(value_); }
    void setCharacter(char c) { setValue(CharToGlyph(c)); }

    TColor SegmentColor() const { return segmentColor_; }
    void setSegmentColor(TColor value);
    TColor SegmentOffColor() const { return segmentOffColor_; }
    void setSegmentOffColor(TColor value);
    bool AutoSegmentOffColor() const { return autoSegmentOffColor_; }
    void setAutoSegmentOffColor(bool value);
    bool ShowOffSegments() const { return showOffSegments_; }
    void setShowOffSegments(bool value);
    bool PowerOff() const { return powerOff_; }
    void setPowerOff(bool value);

    int SegmentSize() const { return segmentSize_; }
    void setSegmentSize(int value);             // values <= 0 become 1
    int SegmentSeperation() const { return segmentSeperation_; }
    void setSegmentSeperation(int value);       // negative values become 0
    int SegmentMargin() const { return segmentMargin_; }
    void setSegmentMargin(int value);           // negative values become 0
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool value);

    bool UseSegmentBits() const { return useSegmentBits_; }
    void setUseSegmentBits(bool value);
    bool SegAOn() const { return segmentOn(SegA); }
    void setSegAOn(bool on) { setSegmentOn(SegA, on); }
    bool SegBOn() const { return segmentOn(SegB); }
    void setSegBOn(bool on) { setSegmentOn(SegB, on); }
    bool SegCOn() const { return segmentOn(SegC); }
    void setSegCOn(bool on) { setSegmentOn(SegC, on); }
    bool SegDOn() const { return segmentOn(SegD); }
    void setSegDOn(bool on) { setSegmentOn(SegD, on); }
    bool SegEOn() const { return segmentOn(SegE); }
    void setSegEOn(bool on) { setSegmentOn(SegE, on); }
    bool SegFOn() const { return segmentOn(SegF); }
    void setSegFOn(bool on) { setSegmentOn(SegF, on); }
    bool SegGOn() const { return segmentOn(SegG); }
    void setSegGOn(bool on) { setSegmentOn(SegG, on); }
    quint8 SegmentBits() const { return segmentBits_; }
    void setSegmentBits(quint8 bits);           // always repaints

    // Natural cell size of the current Value.
    int GlyphWidth() const;
    int GlyphHeight() const;

    // Draws the glyph of `code` into the cell at `origin`, cellWidth wide and
    // cellHeight high, with the current colours, M, S, Z, ShowOffSegments,
    // PowerOff and UseSegmentBits. Draws nothing but the glyph.
    void DrawGlyph(Canvas &canvas, QPoint origin, TSevenSegmentCharacter code, int cellHeight, int cellWidth);

protected:
    void PaintContents(Canvas &canvas) override;

private:
    // A glyph as last drawn: everything its pixels depend on, and the pixels
    // themselves (transparent around the polygons), placed at `offset` from
    // the cell's origin. A read-out draws the same few glyphs over and over.
    struct GlyphKey {
        int width = 0, height = 0, margin = 0, separation = 0, size = 0;
        int pixelRatio = 1;  // device pixels per logical pixel
        QRgb lit = 0, unlit = 0;
        bool showOff = false, useBits = false;
        quint8 bits = 0;
        friend bool operator==(const GlyphKey &, const GlyphKey &) = default;
    };
    struct CachedGlyph {
        bool valid = false;
        GlyphKey key;
        QPoint offset;
        QImage image;  // null when the glyph draws nothing
    };
    void drawShapes(Canvas &canvas, const GlyphShapes &shapes, TColor lit, TColor unlit) const;
    const CachedGlyph *cachedGlyph(TSevenSegmentCharacter code, const GlyphKey &key, TColor lit, TColor unlit);

    bool segmentOn(SegmentBit bit) const { return (segmentBits_ & bit) != 0; }
    void setSegmentOn(SegmentBit bit, bool on);
    void applyAutoSize();

    TSevenSegmentCharacter value_ = ssc0;
    TColor segmentColor_ = clLime;
    TColor segmentOffColor_ = clGreen;
    bool autoSegmentOffColor_ = true;
    bool showOffSegments_ = true;
    bool powerOff_ = false;
    int segmentSize_ = 1;
    int segmentSeperation_ = 1;
    int segmentMargin_ = 2;
    bool autoSize_ = true;
    bool useSegmentBits_ = false;
    quint8 segmentBits_ = 0;
    std::array<CachedGlyph, kGlyphCodeCount> glyphCache_;
};
