// SPDX-License-Identifier: GPL-3.0-or-later
// The seven-segment glyph: codes and characters, segment and shape corners,
// colours, drawn pixels, clamps, automatic size and repaint requests.
#include "common/paint_counter.h"
#include "common/reference_raster.h"
#include "widgets/seven_segment_character.h"

#include <QMetaProperty>
#include <QTest>
#include <algorithm>
#include <climits>
#include <random>

namespace {

using Corners = std::vector<QPoint>;

Corners cornersOf(const GlyphPolygon &p)
{
    return Corners(p.points.begin(), p.points.begin() + p.count);
}

GlyphCell displayCell(int w = 10, int h = 18)
{
    return GlyphCell{QPoint(0, 0), w, h, 0, 1, 1};
}

TColor pixel(const QImage &image, int x, int y)
{
    return fromQColor(image.pixelColor(x, y));
}

QImage frameOf(QWidget &w)
{
    return w.grab().toImage();
}

// A pixel inside each segment of a glyph of the widget's default 15 x 23
// cell (M 2, S 1, Z 1): A to G.
const QPoint kSegmentPixel[7] = {{7, 3}, {11, 6}, {11, 16}, {7, 19}, {3, 16}, {3, 6}, {7, 11}};

constexpr TColor kDimLime = 0x005500;

}  // namespace

class TestSevenSegmentCharacter : public QObject {
    Q_OBJECT
private slots:
    void codesAreInOrder();
    void charactersAndGlyphs();
    void characterProperty();
    void patterns_data();
    void patterns();
    void segmentCornersOfADisplayCell();
    void segmentCornersFollowMarginSeparationSizeAndOrigin();
    void segmentsAreMirrorImages();
    void specialShapes();
    void rowsRoundHalfToEven();
    void signCell();
    void segmentBitsOverrideTheCode();
    void unlitColour();
    void defaultWidget();
    void drawnSegments();
    void blankWithAndWithoutUnlitSegments();
    void powerOffLooks();
    void outlinesShareTheFillColour();
    void offColourChoice();
    void clampsAndGlyphSize();
    void automaticSize();
    void repaintRequests();
    void segmentFlagsAndBits();
    void publishedProperties();
    void hugeSettingsStayDefined();
    void wholeDigitCellPixelByPixel();
    void repeatedGlyphsDrawTheirPolygons();
};

void TestSevenSegmentCharacter::codesAreInOrder()
{
    QCOMPARE(int(SevenSegmentGlyph::Code::Digit0), 0);
    QCOMPARE(int(SevenSegmentGlyph::Code::Digit9), 9);
    QCOMPARE(int(SevenSegmentGlyph::Code::LetterF), 15);
    QCOMPARE(int(SevenSegmentGlyph::Code::Period), 16);
    QCOMPARE(int(SevenSegmentGlyph::Code::Plus), 18);
    QCOMPARE(int(SevenSegmentGlyph::Code::Blank), 20);
    QCOMPARE(int(SevenSegmentGlyph::Code::UpArrow), 22);
    QCOMPARE(int(SevenSegmentGlyph::Code::Comma), 25);
    QCOMPARE(SevenSegmentGlyph::kCodeCount, 26);
}

void TestSevenSegmentCharacter::charactersAndGlyphs()
{
    const std::string listed = "0123456789ABCDEFabcdef.:+-_<>;,";
    const SevenSegmentGlyph::Code expected[] = {
        SevenSegmentGlyph::Code::Digit0,  SevenSegmentGlyph::Code::Digit1,    SevenSegmentGlyph::Code::Digit2,
        SevenSegmentGlyph::Code::Digit3,  SevenSegmentGlyph::Code::Digit4,    SevenSegmentGlyph::Code::Digit5,
        SevenSegmentGlyph::Code::Digit6,  SevenSegmentGlyph::Code::Digit7,    SevenSegmentGlyph::Code::Digit8,
        SevenSegmentGlyph::Code::Digit9,  SevenSegmentGlyph::Code::LetterA,   SevenSegmentGlyph::Code::LetterB,
        SevenSegmentGlyph::Code::LetterC, SevenSegmentGlyph::Code::LetterD,   SevenSegmentGlyph::Code::LetterE,
        SevenSegmentGlyph::Code::LetterF, SevenSegmentGlyph::Code::LetterA,   SevenSegmentGlyph::Code::LetterB,
        SevenSegmentGlyph::Code::LetterC, SevenSegmentGlyph::Code::LetterD,   SevenSegmentGlyph::Code::LetterE,
        SevenSegmentGlyph::Code::LetterF, SevenSegmentGlyph::Code::Period,    SevenSegmentGlyph::Code::Colon,
        SevenSegmentGlyph::Code::Plus,    SevenSegmentGlyph::Code::Minus,     SevenSegmentGlyph::Code::Line,
        SevenSegmentGlyph::Code::UpArrow, SevenSegmentGlyph::Code::DownArrow, SevenSegmentGlyph::Code::Semicolon,
        SevenSegmentGlyph::Code::Comma};
    for (std::size_t i = 0; i < listed.size(); ++i) QCOMPARE(glyphForChar(listed[i]), expected[i]);
    // Everything else, the space and the other letters included, is blank.
    for (int c = -128; c < 128; ++c)
        if (listed.find(char(c)) == std::string::npos) QCOMPARE(glyphForChar(char(c)), SevenSegmentGlyph::Code::Blank);

    // Every code reads back as a character that gives the code again.
    for (int code = 0; code < SevenSegmentGlyph::kCodeCount; ++code)
        QCOMPARE(glyphForChar(charForGlyph(SevenSegmentGlyph::Code(code))), SevenSegmentGlyph::Code(code));
    QCOMPARE(charForGlyph(SevenSegmentGlyph::Code::LetterB), 'b');
    QCOMPARE(charForGlyph(SevenSegmentGlyph::Code::Blank), ' ');
    QCOMPARE(charForGlyph(SevenSegmentGlyph::Code::UpArrow), '<');
}

void TestSevenSegmentCharacter::characterProperty()
{
    SevenSegmentCharacter w;
    QCOMPARE(w.character(), '0');
    w.setCharacter('E');
    QCOMPARE(w.glyph(), SevenSegmentGlyph::Code::LetterE);
    QCOMPARE(w.character(), 'e');
    w.setCharacter('x');
    QCOMPARE(w.glyph(), SevenSegmentGlyph::Code::Blank);
    QCOMPARE(w.character(), ' ');
    w.setCharacter('7');
    w.setCharacter(' ');
    QCOMPARE(w.glyph(), SevenSegmentGlyph::Code::Blank);
    QCOMPARE(w.character(), ' ');
}

void TestSevenSegmentCharacter::patterns_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("pattern");
    const int table[] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07,
                         0x7F, 0x67, 0x77, 0x7C, 0x39, 0x5E, 0x79, 0x71};
    for (int code = 0; code < 16; ++code)
        QTest::newRow(qPrintable(QString(QChar(charForGlyph(SevenSegmentGlyph::Code(code)))))) << code << table[code];
    QTest::newRow("blank") << int(SevenSegmentGlyph::Code::Blank) << 0;
}

void TestSevenSegmentCharacter::patterns()
{
    QFETCH(int, code);
    QFETCH(int, pattern);
    const GlyphCell cell = displayCell();
    const GlyphShapes shapes = glyphShapes(cell, SevenSegmentGlyph::Code(code));
    QCOMPARE(shapes.count, 7);
    for (int s = 0; s < 7; ++s) {
        QCOMPARE(shapes.shapes[std::size_t(s)].lit, ((pattern >> s) & 1) != 0);
        QCOMPARE(shapes.shapes[std::size_t(s)].polygon, segmentPolygon(cell, s));
    }
}

void TestSevenSegmentCharacter::segmentCornersOfADisplayCell()
{
    // W 10, H 18, M 0, S 1, Z 1: h = 8.
    const GlyphCell cell = displayCell();
    QCOMPARE(cornersOf(segmentPolygon(cell, 0)), (Corners{{1, 0}, {8, 0}, {6, 2}, {3, 2}}));
    QCOMPARE(cornersOf(segmentPolygon(cell, 1)), (Corners{{9, 1}, {9, 7}, {7, 5}, {7, 3}}));
    QCOMPARE(cornersOf(segmentPolygon(cell, 2)), (Corners{{9, 9}, {9, 16}, {7, 14}, {7, 11}}));
    QCOMPARE(cornersOf(segmentPolygon(cell, 3)), (Corners{{1, 17}, {8, 17}, {6, 15}, {3, 15}}));
    QCOMPARE(cornersOf(segmentPolygon(cell, 4)), (Corners{{0, 9}, {0, 16}, {2, 14}, {2, 11}}));
    QCOMPARE(cornersOf(segmentPolygon(cell, 5)), (Corners{{0, 1}, {0, 7}, {2, 5}, {2, 3}}));
    QCOMPARE(cornersOf(segmentPolygon(cell, 6)), (Corners{{1, 8}, {2, 7}, {7, 7}, {8, 8}, {7, 9}, {2, 9}}));
}

void TestSevenSegmentCharacter::segmentCornersFollowMarginSeparationSizeAndOrigin()
{
    // W 20, H 31 (h = 15), M 2, S 1, Z 2, placed at (30, 40).
    const GlyphCell cell{QPoint(30, 40), 20, 31, 2, 1, 2};
    const QPoint o(30, 40);
    auto shifted = [&](Corners c) {
        for (QPoint &p : c) p += o;
        return c;
    };
    QCOMPARE(cornersOf(segmentPolygon(cell, 0)), shifted({{3, 2}, {16, 2}, {12, 6}, {7, 6}}));
    QCOMPARE(cornersOf(segmentPolygon(cell, 2)), shifted({{17, 16}, {17, 27}, {13, 23}, {13, 20}}));
    QCOMPARE(cornersOf(segmentPolygon(cell, 6)), shifted({{3, 15}, {5, 13}, {14, 13}, {16, 15}, {14, 17}, {5, 17}}));
    QCOMPARE(segmentPolygon(cell, 7).count, 0);
}

void TestSevenSegmentCharacter::segmentsAreMirrorImages()
{
    // D mirrors A and G mirrors itself top to bottom (about the row h when H
    // is odd); F mirrors B, E mirrors C and A mirrors itself left to right.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> size(4, 60), small(0, 4);
    for (int trial = 0; trial < 200; ++trial) {
        const int w = size(random), h = 2 * size(random) + 1;
        const GlyphCell cell{
            QPoint(small(random), small(random)), w, h, small(random), small(random), 1 + small(random)};
        const QPoint o = cell.origin;
        auto flipY = [&](Corners c) {
            for (QPoint &p : c) p.setY(2 * o.y() + h - 1 - p.y());
            return c;
        };
        auto flipX = [&](Corners c) {
            for (QPoint &p : c) p.setX(2 * o.x() + w - 1 - p.x());
            return c;
        };
        auto sorted = [](Corners c) {
            std::sort(c.begin(), c.end(),
                      [](QPoint a, QPoint b) { return std::pair(a.x(), a.y()) < std::pair(b.x(), b.y()); });
            return c;
        };
        const Corners a = cornersOf(segmentPolygon(cell, 0));
        QCOMPARE(cornersOf(segmentPolygon(cell, 3)), flipY(a));
        QCOMPARE(cornersOf(segmentPolygon(cell, 5)), flipX(cornersOf(segmentPolygon(cell, 1))));
        QCOMPARE(cornersOf(segmentPolygon(cell, 4)), flipX(cornersOf(segmentPolygon(cell, 2))));
        QCOMPARE(sorted(flipX(a)), sorted(a));
        const Corners g = cornersOf(segmentPolygon(cell, 6));
        QCOMPARE(sorted(flipY(g)), sorted(g));
        QCOMPARE(sorted(flipX(g)), sorted(g));
    }
}

void TestSevenSegmentCharacter::specialShapes()
{
    // The point in a 2-pixel cell of a display row.
    GlyphShapes s = glyphShapes(displayCell(2, 18), SevenSegmentGlyph::Code::Period);
    QCOMPARE(s.count, 1);
    QCOMPARE(cornersOf(s.shapes[0].polygon), (Corners{{0, 16}, {2, 16}, {2, 18}, {0, 18}}));

    // Arrows in a 10 x 18 cell: base on the centre line, apex clipped to the
    // inner rectangle.
    s = glyphShapes(displayCell(), SevenSegmentGlyph::Code::UpArrow);
    QCOMPARE(s.count, 1);
    QCOMPARE(cornersOf(s.shapes[0].polygon), (Corners{{8, 9}, {0, 9}, {4, 5}}));
    s = glyphShapes(displayCell(), SevenSegmentGlyph::Code::DownArrow);
    QCOMPARE(cornersOf(s.shapes[0].polygon), (Corners{{8, 9}, {0, 9}, {4, 13}}));
    s = glyphShapes(GlyphCell{QPoint(0, 0), 30, 18, 1, 1, 1}, SevenSegmentGlyph::Code::UpArrow);
    QCOMPARE(cornersOf(s.shapes[0].polygon), (Corners{{27, 9}, {1, 9}, {14, 1}}));
    s = glyphShapes(GlyphCell{QPoint(0, 0), 30, 18, 1, 1, 1}, SevenSegmentGlyph::Code::DownArrow);
    QCOMPARE(cornersOf(s.shapes[0].polygon), (Corners{{27, 9}, {1, 9}, {14, 16}}));

    // Colon, semicolon and comma: c = 5, rows at 5/18 ... of the height.
    s = glyphShapes(displayCell(), SevenSegmentGlyph::Code::Colon);
    QCOMPARE(s.count, 2);
    QCOMPARE(cornersOf(s.shapes[0].polygon), (Corners{{4, 5}, {6, 5}, {6, 7}, {4, 7}}));
    QCOMPARE(cornersOf(s.shapes[1].polygon), (Corners{{4, 11}, {6, 11}, {6, 13}, {4, 13}}));
    s = glyphShapes(displayCell(), SevenSegmentGlyph::Code::Semicolon);
    QCOMPARE(s.count, 3);
    QCOMPARE(cornersOf(s.shapes[2].polygon), (Corners{{5, 13}, {6, 13}, {6, 16}, {5, 16}}));
    s = glyphShapes(displayCell(2, 18), SevenSegmentGlyph::Code::Comma);
    QCOMPARE(s.count, 2);
    QCOMPARE(cornersOf(s.shapes[0].polygon), (Corners{{0, 11}, {2, 11}, {2, 13}, {0, 13}}));
    QCOMPARE(cornersOf(s.shapes[1].polygon), (Corners{{1, 13}, {2, 13}, {2, 16}, {1, 16}}));

    // The mid-height line, thin and with a thicker segment size.
    s = glyphShapes(displayCell(), SevenSegmentGlyph::Code::Line);
    QCOMPARE(cornersOf(s.shapes[0].polygon), (Corners{{0, 8}, {9, 8}, {9, 8}, {0, 8}}));
    s = glyphShapes(GlyphCell{QPoint(0, 0), 10, 18, 1, 1, 3}, SevenSegmentGlyph::Code::Line);
    QCOMPARE(cornersOf(s.shapes[0].polygon), (Corners{{1, 7}, {8, 7}, {8, 9}, {1, 9}}));

    // Special shapes have no unlit parts.
    for (SevenSegmentGlyph::Code code :
         {SevenSegmentGlyph::Code::Period, SevenSegmentGlyph::Code::Colon, SevenSegmentGlyph::Code::Semicolon,
          SevenSegmentGlyph::Code::Comma, SevenSegmentGlyph::Code::Line, SevenSegmentGlyph::Code::UpArrow,
          SevenSegmentGlyph::Code::DownArrow}) {
        const GlyphShapes shapes = glyphShapes(displayCell(), code);
        QVERIFY(shapes.count > 0);
        for (int i = 0; i < shapes.count; ++i) QVERIFY(shapes.shapes[std::size_t(i)].lit);
    }
}

void TestSevenSegmentCharacter::rowsRoundHalfToEven()
{
    // With H = 9 the rows 5, 7, 11 and 13 eighteenths fall on halves:
    // 2.5 -> 2, 3.5 -> 4, 5.5 -> 6, 6.5 -> 6.
    const GlyphShapes s = glyphShapes(GlyphCell{QPoint(0, 0), 10, 9, 0, 1, 1}, SevenSegmentGlyph::Code::Semicolon);
    QCOMPARE(cornersOf(s.shapes[0].polygon), (Corners{{4, 2}, {6, 2}, {6, 4}, {4, 4}}));
    QCOMPARE(cornersOf(s.shapes[1].polygon), (Corners{{4, 6}, {6, 6}, {6, 6}, {4, 6}}));
    QCOMPARE(cornersOf(s.shapes[2].polygon), (Corners{{5, 6}, {6, 6}, {6, 8}, {5, 8}}));
}

void TestSevenSegmentCharacter::signCell()
{
    // W 10, H 18, Z 1: the bars' ends at 2.5 -> 2 and 7.5 -> 8, the upper
    // bar's top at 4.5 - 0.5 = 4, the upright from 4.5 -> 4 to 5.5 -> 6.
    const Corners across{{2, 4}, {8, 4}, {8, 5}, {2, 5}};
    const Corners upright{{4, 2}, {6, 2}, {6, 7}, {4, 7}};
    const Corners lower{{2, 13}, {8, 13}, {8, 14}, {2, 14}};
    GlyphShapes s = glyphShapes(displayCell(), SevenSegmentGlyph::Code::Plus);
    QCOMPARE(s.count, 3);
    QCOMPARE(cornersOf(s.shapes[0].polygon), across);
    QCOMPARE(cornersOf(s.shapes[1].polygon), upright);
    QCOMPARE(cornersOf(s.shapes[2].polygon), lower);
    QVERIFY(s.shapes[0].lit && s.shapes[1].lit && !s.shapes[2].lit);

    s = glyphShapes(displayCell(), SevenSegmentGlyph::Code::Minus);
    QCOMPARE(s.count, 3);
    QCOMPARE(cornersOf(s.shapes[0].polygon), lower);
    QCOMPARE(cornersOf(s.shapes[1].polygon), across);
    QCOMPARE(cornersOf(s.shapes[2].polygon), upright);
    QVERIFY(s.shapes[0].lit && !s.shapes[1].lit && !s.shapes[2].lit);

    // A wider cell, placed away from the origin, Z 2.
    s = glyphShapes(GlyphCell{QPoint(5, 5), 20, 36, 0, 1, 2}, SevenSegmentGlyph::Code::Plus);
    QCOMPARE(cornersOf(s.shapes[0].polygon), (Corners{{10, 13}, {20, 13}, {20, 15}, {10, 15}}));
    QCOMPARE(cornersOf(s.shapes[1].polygon), (Corners{{14, 9}, {16, 9}, {16, 19}, {14, 19}}));
}

void TestSevenSegmentCharacter::segmentBitsOverrideTheCode()
{
    const GlyphCell cell = displayCell();
    const GlyphShapes s = glyphShapes(cell, SevenSegmentGlyph::Code::Period, true,
                                      SevenSegmentGlyph::SegmentA | SevenSegmentGlyph::SegmentG);
    QCOMPARE(s.count, 7);
    for (int i = 0; i < 7; ++i) QCOMPARE(s.shapes[std::size_t(i)].lit, i == 0 || i == 6);
    QCOMPARE(s.shapes[6].polygon, segmentPolygon(cell, 6));
}

void TestSevenSegmentCharacter::unlitColour()
{
    QCOMPARE(unlitSegmentColor(clLime, clRed, true), TColor(0x005500));
    QCOMPARE(unlitSegmentColor(clWhite, clRed, true), TColor(0x555555));
    QCOMPARE(unlitSegmentColor(0x7F20FE, clRed, true), TColor(0x2A0A54));
    QCOMPARE(unlitSegmentColor(clLime, clRed, false), clRed);
    // A system colour is divided as the colour it stands for.
    const TColor face = fromQColor(toQColor(clBtnFace));
    QCOMPARE(unlitSegmentColor(clBtnFace, clRed, true), rgbColor(redOf(face) / 3, greenOf(face) / 3, blueOf(face) / 3));
}

void TestSevenSegmentCharacter::defaultWidget()
{
    SevenSegmentCharacter w;
    QCOMPARE(w.size(), QSize(15, 23));
    QCOMPARE(w.glyph(), SevenSegmentGlyph::Code::Digit0);
    QCOMPARE(w.segmentColor(), clLime);
    QCOMPARE(w.segmentOffColor(), clGreen);
    QVERIFY(w.autoSegmentOffColor());
    QVERIFY(w.showOffSegments());
    QVERIFY(!w.powerOff());
    QCOMPARE(w.segmentSize(), 1);
    QCOMPARE(w.segmentSeparation(), 1);
    QCOMPARE(w.segmentMargin(), 2);
    QVERIFY(w.autoSize());
    QVERIFY(!w.useSegmentBits());
    QCOMPARE(int(w.segmentBits()), 0);
    QCOMPARE(w.backgroundColor(), clBlack);
    QCOMPARE(w.borderStyle(), InstrumentWidget::BorderStyle::None);
}

void TestSevenSegmentCharacter::drawnSegments()
{
    SevenSegmentCharacter w;
    w.setShowOffSegments(false);
    for (SevenSegmentGlyph::Code code :
         {SevenSegmentGlyph::Code::Digit9, SevenSegmentGlyph::Code::Digit7, SevenSegmentGlyph::Code::Digit2}) {
        w.setGlyph(code);
        const QImage frame = frameOf(w);
        const int pattern = glyphPattern(code);
        for (int s = 0; s < 7; ++s) {
            const TColor want = ((pattern >> s) & 1) ? clLime : clBlack;
            QCOMPARE(pixel(frame, kSegmentPixel[s].x(), kSegmentPixel[s].y()), want);
        }
        QCOMPARE(pixel(frame, 0, 0), clBlack);
        QCOMPARE(pixel(frame, 14, 22), clBlack);
    }
    // 9 has no bottom segment and 7 no upper-left one.
    w.setGlyph(SevenSegmentGlyph::Code::Digit9);
    QCOMPARE(pixel(frameOf(w), 7, 19), clBlack);
    w.setGlyph(SevenSegmentGlyph::Code::Digit7);
    QCOMPARE(pixel(frameOf(w), 3, 6), clBlack);

    // A special shape at the cell's origin: the up arrow of a 15 x 23 cell
    // with M 2 has its base on row 11 from x 2 to 12 and its apex at (7, 6).
    w.setGlyph(SevenSegmentGlyph::Code::UpArrow);
    w.setAutoSize(false);
    w.setBounds(0, 0, 15, 23);
    const QImage arrow = frameOf(w);
    QCOMPARE(pixel(arrow, 2, 11), clLime);
    QCOMPARE(pixel(arrow, 12, 11), clLime);
    QCOMPARE(pixel(arrow, 7, 6), clLime);
    QCOMPARE(pixel(arrow, 7, 5), clBlack);
    QCOMPARE(pixel(arrow, 7, 12), clBlack);
}

void TestSevenSegmentCharacter::blankWithAndWithoutUnlitSegments()
{
    SevenSegmentCharacter w;
    w.setGlyph(SevenSegmentGlyph::Code::Blank);
    const QImage shown = frameOf(w);
    for (const QPoint p : kSegmentPixel) QCOMPARE(pixel(shown, p.x(), p.y()), kDimLime);

    w.setShowOffSegments(false);
    const QImage hidden = frameOf(w);
    for (int y = 0; y < hidden.height(); ++y)
        for (int x = 0; x < hidden.width(); ++x) QCOMPARE(pixel(hidden, x, y), clBlack);
}

void TestSevenSegmentCharacter::powerOffLooks()
{
    // With the unlit segments shown, every powered-off digit is an unlit 8.
    SevenSegmentCharacter w;
    w.setPowerOff(true);
    w.setGlyph(SevenSegmentGlyph::Code::Digit8);
    const QImage eight = frameOf(w);
    for (const QPoint p : kSegmentPixel) QCOMPARE(pixel(eight, p.x(), p.y()), kDimLime);
    for (SevenSegmentGlyph::Code code : {SevenSegmentGlyph::Code::Digit1, SevenSegmentGlyph::Code::Digit4,
                                         SevenSegmentGlyph::Code::Blank, SevenSegmentGlyph::Code::LetterF}) {
        w.setGlyph(code);
        QCOMPARE(frameOf(w), eight);
    }

    // Without them, the digit's own segments are drawn in the unlit colour.
    w.setShowOffSegments(false);
    w.setGlyph(SevenSegmentGlyph::Code::Digit4);
    const QImage dimFour = frameOf(w);
    SevenSegmentCharacter reference;
    reference.setShowOffSegments(false);
    reference.setGlyph(SevenSegmentGlyph::Code::Digit4);
    reference.setSegmentColor(kDimLime);
    QCOMPARE(dimFour, frameOf(reference));
    QCOMPARE(pixel(dimFour, kSegmentPixel[6].x(), kSegmentPixel[6].y()), kDimLime);  // G of the 4
    QCOMPARE(pixel(dimFour, kSegmentPixel[0].x(), kSegmentPixel[0].y()), clBlack);   // no A

    // Special shapes dim as well.
    w.setGlyph(SevenSegmentGlyph::Code::UpArrow);
    QCOMPARE(pixel(frameOf(w), 7, 10), kDimLime);
}

void TestSevenSegmentCharacter::outlinesShareTheFillColour()
{
    // The corners and the bottom edge of segment A (from (3, 2) to (11, 2),
    // bottom edge on row 4) lie on the polygon's outline: only a pen of the
    // segment's own colour paints them.
    SevenSegmentCharacter w;
    w.setShowOffSegments(false);
    const QImage frame = frameOf(w);
    for (const QPoint p : {QPoint(3, 2), QPoint(11, 2), QPoint(5, 4), QPoint(7, 4), QPoint(9, 4)})
        QCOMPARE(pixel(frame, p.x(), p.y()), clLime);
    QCOMPARE(pixel(frame, 7, 5), clBlack);
    QCOMPARE(pixel(frame, 2, 2), clBlack);
}

void TestSevenSegmentCharacter::offColourChoice()
{
    SevenSegmentCharacter w;
    w.setGlyph(SevenSegmentGlyph::Code::Digit1);  // A is unlit
    w.setSegmentOffColor(clRed);
    QCOMPARE(pixel(frameOf(w), 7, 3), kDimLime);  // automatic: SegmentOffColor ignored
    w.setAutoSegmentOffColor(false);
    QCOMPARE(pixel(frameOf(w), 7, 3), clRed);
    w.setPowerOff(true);
    QCOMPARE(pixel(frameOf(w), 11, 6), clRed);  // lit B in the unlit colour
    w.setSegmentColor(clWhite);
    w.setAutoSegmentOffColor(true);
    QCOMPARE(pixel(frameOf(w), 11, 6), TColor(0x555555));
}

void TestSevenSegmentCharacter::clampsAndGlyphSize()
{
    SevenSegmentCharacter w;
    w.setAutoSize(false);
    QCOMPARE(w.glyphWidth(), 14);
    QCOMPARE(w.glyphHeight(), 22);
    w.setSegmentSize(0);
    QCOMPARE(w.segmentSize(), 1);
    w.setSegmentSize(-7);
    QCOMPARE(w.segmentSize(), 1);
    w.setSegmentMargin(-3);
    QCOMPARE(w.segmentMargin(), 0);
    w.setSegmentSeparation(-2);
    QCOMPARE(w.segmentSeparation(), 0);
    w.setSegmentSize(3);
    w.setSegmentMargin(4);
    QCOMPARE(w.glyphWidth(), 38);
    QCOMPARE(w.glyphHeight(), 62);
    for (SevenSegmentGlyph::Code narrow : {SevenSegmentGlyph::Code::Period, SevenSegmentGlyph::Code::Colon,
                                           SevenSegmentGlyph::Code::Semicolon, SevenSegmentGlyph::Code::Comma}) {
        w.setGlyph(narrow);
        QCOMPARE(w.glyphWidth(), 14);
        QCOMPARE(w.glyphHeight(), 62);
    }
    w.setGlyph(SevenSegmentGlyph::Code::Minus);
    QCOMPARE(w.glyphWidth(), 38);
}

void TestSevenSegmentCharacter::automaticSize()
{
    SevenSegmentCharacter w;
    w.setSegmentSize(2);
    QCOMPARE(w.size(), QSize(25, 41));
    w.setSegmentMargin(0);
    QCOMPARE(w.size(), QSize(21, 37));
    w.setGlyph(SevenSegmentGlyph::Code::Comma);
    QCOMPARE(w.size(), QSize(5, 37));
    w.setGlyph(SevenSegmentGlyph::Code::Digit3);

    w.setAutoSize(false);
    w.setSegmentSize(1);
    QCOMPARE(w.size(), QSize(21, 37));
    w.setAutoSize(true);
    QCOMPARE(w.size(), QSize(11, 19));

    // Not while loading, and not when loading ends.
    w.beginLoading();
    w.setSegmentMargin(5);
    w.setGlyph(SevenSegmentGlyph::Code::Period);
    w.endLoading();
    QCOMPARE(w.size(), QSize(11, 19));
    // The position stays where it was.
    w.setBounds(30, 40, 11, 19);
    w.setGlyph(SevenSegmentGlyph::Code::Digit8);
    QCOMPARE(w.geometry(), QRect(30, 40, 21, 29));
}

void TestSevenSegmentCharacter::repaintRequests()
{
    SevenSegmentCharacter w;
    PaintCounter paints(w);
    auto expect = [&](int wanted, const char *what) {
        const int got = paints.take();
        if (got != wanted)
            QFAIL(qPrintable(QStringLiteral("%1: %2 paints, %3 expected").arg(what).arg(got).arg(wanted)));
    };
    // Unchanged values ask for nothing.
    w.setGlyph(SevenSegmentGlyph::Code::Digit0);
    w.setSegmentColor(clLime);
    w.setSegmentOffColor(clGreen);
    w.setAutoSegmentOffColor(true);
    w.setShowOffSegments(true);
    w.setPowerOff(false);
    w.setSegmentSize(1);
    w.setSegmentSeparation(1);
    w.setSegmentMargin(2);
    w.setAutoSize(true);
    w.setUseSegmentBits(false);
    w.setSegAOn(false);
    expect(0, "unchanged");

    // Each change is a repaint.
    w.setGlyph(SevenSegmentGlyph::Code::Digit1);
    expect(1, "glyph");
    w.setSegmentColor(clRed);
    expect(1, "segmentColor");
    w.setSegmentOffColor(clRed);
    expect(1, "segmentOffColor");
    w.setAutoSegmentOffColor(false);
    expect(1, "autoSegmentOffColor");
    w.setShowOffSegments(false);
    expect(1, "showOffSegments");
    w.setPowerOff(true);
    expect(1, "powerOff");
    w.setSegmentSeparation(2);
    expect(1, "segmentSeparation");
    w.setUseSegmentBits(true);
    expect(1, "useSegmentBits");
    w.setSegDOn(true);
    expect(1, "segDOn");
    w.setSegDOn(true);
    expect(0, "segDOn again");
    w.setSegmentBits(w.segmentBits());  // always repaints
    expect(1, "segmentBits");

    // A change of size also moves the bounds, which marks the background.
    w.clearBackgroundStale();
    w.setSegmentSize(2);
    QVERIFY(w.backgroundStale());
    QVERIFY(paints.take() >= 1);
}

void TestSevenSegmentCharacter::segmentFlagsAndBits()
{
    SevenSegmentCharacter w;
    w.setAutoSize(false);
    w.setSegmentBits(0xFF);  // bit 7 is no segment
    QCOMPARE(int(w.segmentBits()), 0x7F);
    w.setSegmentBits(quint8(SevenSegmentGlyph::SegmentB | SevenSegmentGlyph::SegmentE | SevenSegmentGlyph::SegmentG));
    QVERIFY(!w.segAOn() && w.segBOn() && !w.segCOn() && !w.segDOn() && w.segEOn() && !w.segFOn() && w.segGOn());
    w.setSegBOn(false);
    w.setSegFOn(true);
    QCOMPARE(int(w.segmentBits()),
             SevenSegmentGlyph::SegmentE | SevenSegmentGlyph::SegmentF | SevenSegmentGlyph::SegmentG);

    // The flags draw only while UseSegmentBits is on, whatever the Value.
    w.setShowOffSegments(false);
    w.setGlyph(SevenSegmentGlyph::Code::Period);
    QCOMPARE(pixel(frameOf(w), 3, 6), clBlack);
    w.setUseSegmentBits(true);
    const QImage frame = frameOf(w);
    const int bits = w.segmentBits();
    for (int s = 0; s < 7; ++s)
        QCOMPARE(pixel(frame, kSegmentPixel[s].x(), kSegmentPixel[s].y()), ((bits >> s) & 1) ? clLime : clBlack);
}

void TestSevenSegmentCharacter::publishedProperties()
{
    SevenSegmentCharacter w;
    const QMetaObject *meta = w.metaObject();
    for (const char *name : {"glyph",
                             "character",
                             "segmentColor",
                             "segmentOffColor",
                             "autoSegmentOffColor",
                             "showOffSegments",
                             "powerOff",
                             "segmentSize",
                             "segmentSeparation",
                             "segmentMargin",
                             "autoSize",
                             "useSegmentBits",
                             "segAOn",
                             "segBOn",
                             "segCOn",
                             "segDOn",
                             "segEOn",
                             "segFOn",
                             "segGOn",
                             "segmentBits",
                             "backgroundColor"}) {
        const int index = meta->indexOfProperty(name);
        QVERIFY2(index >= 0, name);
        QVERIFY2(meta->property(index).isWritable(), name);
    }
    // Writing through the property system goes through the setters.
    QVERIFY(w.setProperty("segmentSize", 0));
    QCOMPARE(w.segmentSize(), 1);
    QVERIFY(w.setProperty("character", QVariant::fromValue('C')));
    QCOMPARE(w.glyph(), SevenSegmentGlyph::Code::LetterC);
    QVERIFY(w.setProperty("glyph", QStringLiteral("Minus")));
    QCOMPARE(w.glyph(), SevenSegmentGlyph::Code::Minus);
    QCOMPARE(meta->property(meta->indexOfProperty("glyph")).enumerator().valueToKey(w.property("glyph").toInt()),
             "Minus");
    QVERIFY(w.setProperty("segmentBits", SevenSegmentGlyph::SegmentA | SevenSegmentGlyph::SegmentC));
    QVERIFY(w.property("segCOn").toBool());
    QVERIFY(!w.property("segBOn").toBool());
}

void TestSevenSegmentCharacter::hugeSettingsStayDefined()
{
    // Corner arithmetic may not overflow, however large the settings.
    SevenSegmentCharacter w;
    w.setAutoSize(false);
    w.setSegmentSize(INT_MAX);
    w.setSegmentMargin(INT_MAX);
    QCOMPARE(w.glyphWidth(), INT_MAX);
    QCOMPARE(w.glyphHeight(), INT_MAX);
    const GlyphCell cell{QPoint(INT_MAX, INT_MIN), INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MAX};
    for (int code = 0; code < SevenSegmentGlyph::kCodeCount; ++code) {
        const GlyphShapes s = glyphShapes(cell, SevenSegmentGlyph::Code(code));
        QVERIFY(s.count <= 7);
    }
    QCOMPARE(segmentPolygon(cell, 0).points[0], QPoint(INT_MAX, -1));
    // Drawing such a glyph into a small frame is harmless.
    w.setBounds(0, 0, 20, 20);
    const QImage frame = frameOf(w);
    QCOMPARE(frame.size(), QSize(20, 20));
}

void TestSevenSegmentCharacter::wholeDigitCellPixelByPixel()
{
    // An 8 in a read-out's 10 x 18 cell (M 0, S 1, Z 1, h 8): the seven
    // segments of the corner table, each filled with its outline, lower
    // tips of B and C included.
    SevenSegmentCharacter w;
    w.setAutoSize(false);
    w.setSegmentMargin(0);
    w.setGlyph(SevenSegmentGlyph::Code::Digit8);
    w.setBounds(0, 0, 10, 18);
    const QList<QList<QPoint>> segments{
        {{1, 0}, {8, 0}, {6, 2}, {3, 2}},                  // A
        {{9, 1}, {9, 7}, {7, 5}, {7, 3}},                  // B
        {{9, 9}, {9, 16}, {7, 14}, {7, 11}},               // C
        {{1, 17}, {8, 17}, {6, 15}, {3, 15}},              // D
        {{0, 9}, {0, 16}, {2, 14}, {2, 11}},               // E
        {{0, 1}, {0, 7}, {2, 5}, {2, 3}},                  // F
        {{1, 8}, {2, 7}, {7, 7}, {8, 8}, {7, 9}, {2, 9}},  // G
    };
    QImage expected(10, 18, QImage::Format_RGB32);
    expected.fill(Qt::black);
    for (const QList<QPoint> &corners : segments) PaintPixels(expected, ReferencePolygon(corners), toQColor(clLime));
    const QImage cell = frameOf(w).convertToFormat(QImage::Format_RGB32);
    QVERIFY2(cell == expected, qPrintable(FirstDifference(cell, expected)));
    QCOMPARE(pixel(cell, 9, 7), clLime);   // B's lower tip
    QCOMPARE(pixel(cell, 9, 16), clLime);  // C's lower tip
}

void TestSevenSegmentCharacter::repeatedGlyphsDrawTheirPolygons()
{
    // Whatever the renderer keeps between glyphs, each one it draws is exactly
    // its polygons in its colours, over whatever lies beneath, and follows
    // every change of the settings.
    std::mt19937 random(11);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const TColor colours[] = {clLime, clWhite, clRed, 0x123456, clBtnFace};
    SevenSegmentCharacter w;  // holds the look
    SevenSegmentRenderer renderer;
    w.setAutoSize(false);
    QImage background(80, 64, QImage::Format_RGB32);
    for (int y = 0; y < background.height(); ++y)
        for (int x = 0; x < background.width(); ++x) background.setPixel(x, y, qRgb(x * 4, y * 5, (x * y) & 0xFF));

    for (int trial = 0; trial < 600; ++trial) {
        // Few distinct settings, so that glyphs repeat as in a read-out.
        w.setSegmentColor(colours[pick(0, 4)]);
        w.setSegmentOffColor(colours[pick(0, 4)]);
        w.setAutoSegmentOffColor(pick(0, 1));
        w.setShowOffSegments(pick(0, 1));
        w.setPowerOff(pick(0, 3) == 0);
        w.setUseSegmentBits(pick(0, 5) == 0);
        w.setSegmentBits(quint8(pick(0, 127)));
        w.setSegmentSize(pick(1, 2));
        w.setSegmentSeparation(pick(0, 1));
        w.setSegmentMargin(pick(0, 2));
        const auto code = SevenSegmentGlyph::Code(pick(0, SevenSegmentGlyph::kCodeCount - 1));
        const int width = pick(0, 1) ? 10 : pick(1, 30), height = pick(0, 1) ? 18 : pick(1, 40);
        const QPoint origin(pick(-4, 60), pick(-4, 40));

        QImage drawn = background.copy();
        {
            Canvas canvas(drawn);
            renderer.draw(canvas, w.look(), code, origin, QSize(width, height), w.segmentMargin(),
                          w.useSegmentBits() ? std::optional<std::uint8_t>(w.segmentBits()) : std::nullopt);
        }
        QImage expected = background.copy();
        const TColor unlit = unlitSegmentColor(w.segmentColor(), w.segmentOffColor(), w.autoSegmentOffColor());
        const TColor lit = w.powerOff() ? unlit : w.segmentColor();
        const GlyphShapes shapes =
            glyphShapes(GlyphCell{origin, width, height, w.segmentMargin(), w.segmentSeparation(), w.segmentSize()},
                        code, w.useSegmentBits(), w.segmentBits());
        for (int i = 0; i < shapes.count; ++i) {
            const GlyphShape &shape = shapes.shapes[std::size_t(i)];
            if (!shape.lit && !w.showOffSegments()) continue;
            const QList<QPoint> corners(shape.polygon.points.begin(),
                                        shape.polygon.points.begin() + shape.polygon.count);
            PaintPixels(expected, ReferencePolygon(corners), toQColor(shape.lit ? lit : unlit));
        }
        if (drawn != expected)
            QFAIL(qPrintable(QStringLiteral("trial %1: code %2 in %3 x %4 at (%5, %6): %7")
                                 .arg(trial)
                                 .arg(int(code))
                                 .arg(width)
                                 .arg(height)
                                 .arg(origin.x())
                                 .arg(origin.y())
                                 .arg(FirstDifference(drawn, expected))));
    }
}

QTEST_MAIN(TestSevenSegmentCharacter)
#include "tst_seven_segment_character.moc"
