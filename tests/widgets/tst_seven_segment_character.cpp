// SPDX-License-Identifier: GPL-3.0-or-later
// The seven-segment glyph: codes and characters, segment and shape corners,
// colours, drawn pixels, clamps, automatic size and repaint requests.
#include "common/paint_counter.h"
#include "common/reference_raster.h"
#include "widgets/iSevenSegmentCharacter.h"

#include <QMetaProperty>
#include <QTest>
#include <climits>
#include <random>
#include <algorithm>

namespace {

using Corners = std::vector<QPoint>;

Corners cornersOf(const GlyphPolygon &p)
{
    return Corners(p.Points.begin(), p.Points.begin() + p.Count);
}

GlyphCell displayCell(int w = 10, int h = 18)
{
    return GlyphCell{QPoint(0, 0), w, h, 0, 1, 1};
}

TColor pixel(const QImage &image, int x, int y)
{
    return fromQColor(image.pixelColor(x, y));
}

QImage frameOf(QWidget &w) { return w.grab().toImage(); }

// A pixel inside each segment of a glyph of the widget's default 15 x 23
// cell (M 2, S 1, Z 1): A to G.
const QPoint kSegmentPixel[7] = {{7, 3}, {11, 6}, {11, 16}, {7, 19}, {3, 16}, {3, 6}, {7, 11}};

constexpr TColor kDimLime = 0x005500;

} // namespace

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
    QCOMPARE(int(ssc0), 0);
    QCOMPARE(int(ssc9), 9);
    QCOMPARE(int(sscF), 15);
    QCOMPARE(int(sscPeriod), 16);
    QCOMPARE(int(sscPlus), 18);
    QCOMPARE(int(sscBlank), 20);
    QCOMPARE(int(sscUpArrow), 22);
    QCOMPARE(int(sscComma), 25);
    QCOMPARE(kGlyphCodeCount, 26);
}

void TestSevenSegmentCharacter::charactersAndGlyphs()
{
    const std::string listed = "0123456789ABCDEFabcdef.:+-_<>;,";
    const TSevenSegmentCharacter expected[] = {
        ssc0, ssc1, ssc2, ssc3, ssc4, ssc5, ssc6, ssc7, ssc8, ssc9, sscA, sscB, sscC, sscD, sscE, sscF,
        sscA, sscB, sscC, sscD, sscE, sscF, sscPeriod, sscColon, sscPlus, sscMinus, sscLine, sscUpArrow,
        sscDownArrow, sscSemiColon, sscComma};
    for (std::size_t i = 0; i < listed.size(); ++i) QCOMPARE(CharToGlyph(listed[i]), expected[i]);
    // Everything else, the space and the other letters included, is blank.
    for (int c = -128; c < 128; ++c)
        if (listed.find(char(c)) == std::string::npos) QCOMPARE(CharToGlyph(char(c)), sscBlank);

    // Every code reads back as a character that gives the code again.
    for (int code = 0; code < kGlyphCodeCount; ++code)
        QCOMPARE(CharToGlyph(GlyphToChar(TSevenSegmentCharacter(code))), TSevenSegmentCharacter(code));
    QCOMPARE(GlyphToChar(sscB), 'b');
    QCOMPARE(GlyphToChar(sscBlank), ' ');
    QCOMPARE(GlyphToChar(sscUpArrow), '<');
}

void TestSevenSegmentCharacter::characterProperty()
{
    TiSevenSegmentCharacter w;
    QCOMPARE(w.Character(), '0');
    w.setCharacter('E');
    QCOMPARE(w.Value(), sscE);
    QCOMPARE(w.Character(), 'e');
    w.setCharacter('x');
    QCOMPARE(w.Value(), sscBlank);
    QCOMPARE(w.Character(), ' ');
    w.setCharacter('7');
    w.setCharacter(' ');
    QCOMPARE(w.Value(), sscBlank);
    QCOMPARE(w.Character(), ' ');
}

void TestSevenSegmentCharacter::patterns_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("pattern");
    const int table[] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x67,
                         0x77, 0x7C, 0x39, 0x5E, 0x79, 0x71};
    for (int code = 0; code < 16; ++code)
        QTest::newRow(qPrintable(QString(QChar(GlyphToChar(TSevenSegmentCharacter(code)))))) << code << table[code];
    QTest::newRow("blank") << int(sscBlank) << 0;
}

void TestSevenSegmentCharacter::patterns()
{
    QFETCH(int, code);
    QFETCH(int, pattern);
    const GlyphCell cell = displayCell();
    const GlyphShapes shapes = GlyphGeometry(cell, TSevenSegmentCharacter(code));
    QCOMPARE(shapes.Count, 7);
    for (int s = 0; s < 7; ++s) {
        QCOMPARE(shapes.Shapes[std::size_t(s)].Lit, ((pattern >> s) & 1) != 0);
        QCOMPARE(shapes.Shapes[std::size_t(s)].Polygon, SegmentPolygon(cell, s));
    }
}

void TestSevenSegmentCharacter::segmentCornersOfADisplayCell()
{
    // W 10, H 18, M 0, S 1, Z 1: h = 8.
    const GlyphCell cell = displayCell();
    QCOMPARE(cornersOf(SegmentPolygon(cell, 0)), (Corners{{1, 0}, {8, 0}, {6, 2}, {3, 2}}));
    QCOMPARE(cornersOf(SegmentPolygon(cell, 1)), (Corners{{9, 1}, {9, 7}, {7, 5}, {7, 3}}));
    QCOMPARE(cornersOf(SegmentPolygon(cell, 2)), (Corners{{9, 9}, {9, 16}, {7, 14}, {7, 11}}));
    QCOMPARE(cornersOf(SegmentPolygon(cell, 3)), (Corners{{1, 17}, {8, 17}, {6, 15}, {3, 15}}));
    QCOMPARE(cornersOf(SegmentPolygon(cell, 4)), (Corners{{0, 9}, {0, 16}, {2, 14}, {2, 11}}));
    QCOMPARE(cornersOf(SegmentPolygon(cell, 5)), (Corners{{0, 1}, {0, 7}, {2, 5}, {2, 3}}));
    QCOMPARE(cornersOf(SegmentPolygon(cell, 6)), (Corners{{1, 8}, {2, 7}, {7, 7}, {8, 8}, {7, 9}, {2, 9}}));
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
    QCOMPARE(cornersOf(SegmentPolygon(cell, 0)), shifted({{3, 2}, {16, 2}, {12, 6}, {7, 6}}));
    QCOMPARE(cornersOf(SegmentPolygon(cell, 2)), shifted({{17, 16}, {17, 27}, {13, 23}, {13, 20}}));
    QCOMPARE(cornersOf(SegmentPolygon(cell, 6)), shifted({{3, 15}, {5, 13}, {14, 13}, {16, 15}, {14, 17}, {5, 17}}));
    QCOMPARE(SegmentPolygon(cell, 7).Count, 0);
}

void TestSevenSegmentCharacter::segmentsAreMirrorImages()
{
    // D mirrors A and G mirrors itself top to bottom (about the row h when H
    // is odd); F mirrors B, E mirrors C and A mirrors itself left to right.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> size(4, 60), small(0, 4);
    for (int trial = 0; trial < 200; ++trial) {
        const int w = size(random), h = 2 * size(random) + 1;
        const GlyphCell cell{QPoint(small(random), small(random)), w, h, small(random), small(random), 1 + small(random)};
        const QPoint o = cell.Origin;
        auto flipY = [&](Corners c) {
            for (QPoint &p : c) p.setY(2 * o.y() + h - 1 - p.y());
            return c;
        };
        auto flipX = [&](Corners c) {
            for (QPoint &p : c) p.setX(2 * o.x() + w - 1 - p.x());
            return c;
        };
        auto sorted = [](Corners c) {
            std::sort(c.begin(), c.end(), [](QPoint a, QPoint b) { return std::pair(a.x(), a.y()) < std::pair(b.x(), b.y()); });
            return c;
        };
        const Corners a = cornersOf(SegmentPolygon(cell, 0));
        QCOMPARE(cornersOf(SegmentPolygon(cell, 3)), flipY(a));
        QCOMPARE(cornersOf(SegmentPolygon(cell, 5)), flipX(cornersOf(SegmentPolygon(cell, 1))));
        QCOMPARE(cornersOf(SegmentPolygon(cell, 4)), flipX(cornersOf(SegmentPolygon(cell, 2))));
        QCOMPARE(sorted(flipX(a)), sorted(a));
        const Corners g = cornersOf(SegmentPolygon(cell, 6));
        QCOMPARE(sorted(flipY(g)), sorted(g));
        QCOMPARE(sorted(flipX(g)), sorted(g));
    }
}

void TestSevenSegmentCharacter::specialShapes()
{
    // The point in a 2-pixel cell of a display row.
    GlyphShapes s = GlyphGeometry(displayCell(2, 18), sscPeriod);
    QCOMPARE(s.Count, 1);
    QCOMPARE(cornersOf(s.Shapes[0].Polygon), (Corners{{0, 16}, {2, 16}, {2, 18}, {0, 18}}));

    // Arrows in a 10 x 18 cell: base on the centre line, apex clipped to the
    // inner rectangle.
    s = GlyphGeometry(displayCell(), sscUpArrow);
    QCOMPARE(s.Count, 1);
    QCOMPARE(cornersOf(s.Shapes[0].Polygon), (Corners{{8, 9}, {0, 9}, {4, 5}}));
    s = GlyphGeometry(displayCell(), sscDownArrow);
    QCOMPARE(cornersOf(s.Shapes[0].Polygon), (Corners{{8, 9}, {0, 9}, {4, 13}}));
    s = GlyphGeometry(GlyphCell{QPoint(0, 0), 30, 18, 1, 1, 1}, sscUpArrow);
    QCOMPARE(cornersOf(s.Shapes[0].Polygon), (Corners{{27, 9}, {1, 9}, {14, 1}}));
    s = GlyphGeometry(GlyphCell{QPoint(0, 0), 30, 18, 1, 1, 1}, sscDownArrow);
    QCOMPARE(cornersOf(s.Shapes[0].Polygon), (Corners{{27, 9}, {1, 9}, {14, 16}}));

    // Colon, semicolon and comma: c = 5, rows at 5/18 ... of the height.
    s = GlyphGeometry(displayCell(), sscColon);
    QCOMPARE(s.Count, 2);
    QCOMPARE(cornersOf(s.Shapes[0].Polygon), (Corners{{4, 5}, {6, 5}, {6, 7}, {4, 7}}));
    QCOMPARE(cornersOf(s.Shapes[1].Polygon), (Corners{{4, 11}, {6, 11}, {6, 13}, {4, 13}}));
    s = GlyphGeometry(displayCell(), sscSemiColon);
    QCOMPARE(s.Count, 3);
    QCOMPARE(cornersOf(s.Shapes[2].Polygon), (Corners{{5, 13}, {6, 13}, {6, 16}, {5, 16}}));
    s = GlyphGeometry(displayCell(2, 18), sscComma);
    QCOMPARE(s.Count, 2);
    QCOMPARE(cornersOf(s.Shapes[0].Polygon), (Corners{{0, 11}, {2, 11}, {2, 13}, {0, 13}}));
    QCOMPARE(cornersOf(s.Shapes[1].Polygon), (Corners{{1, 13}, {2, 13}, {2, 16}, {1, 16}}));

    // The mid-height line, thin and with a thicker segment size.
    s = GlyphGeometry(displayCell(), sscLine);
    QCOMPARE(cornersOf(s.Shapes[0].Polygon), (Corners{{0, 8}, {9, 8}, {9, 8}, {0, 8}}));
    s = GlyphGeometry(GlyphCell{QPoint(0, 0), 10, 18, 1, 1, 3}, sscLine);
    QCOMPARE(cornersOf(s.Shapes[0].Polygon), (Corners{{1, 7}, {8, 7}, {8, 9}, {1, 9}}));

    // Special shapes have no unlit parts.
    for (TSevenSegmentCharacter code : {sscPeriod, sscColon, sscSemiColon, sscComma, sscLine, sscUpArrow, sscDownArrow}) {
        const GlyphShapes shapes = GlyphGeometry(displayCell(), code);
        QVERIFY(shapes.Count > 0);
        for (int i = 0; i < shapes.Count; ++i) QVERIFY(shapes.Shapes[std::size_t(i)].Lit);
    }
}

void TestSevenSegmentCharacter::rowsRoundHalfToEven()
{
    // With H = 9 the rows 5, 7, 11 and 13 eighteenths fall on halves:
    // 2.5 -> 2, 3.5 -> 4, 5.5 -> 6, 6.5 -> 6.
    const GlyphShapes s = GlyphGeometry(GlyphCell{QPoint(0, 0), 10, 9, 0, 1, 1}, sscSemiColon);
    QCOMPARE(cornersOf(s.Shapes[0].Polygon), (Corners{{4, 2}, {6, 2}, {6, 4}, {4, 4}}));
    QCOMPARE(cornersOf(s.Shapes[1].Polygon), (Corners{{4, 6}, {6, 6}, {6, 6}, {4, 6}}));
    QCOMPARE(cornersOf(s.Shapes[2].Polygon), (Corners{{5, 6}, {6, 6}, {6, 8}, {5, 8}}));
}

void TestSevenSegmentCharacter::signCell()
{
    // W 10, H 18, Z 1: the bars' ends at 2.5 -> 2 and 7.5 -> 8, the upper
    // bar's top at 4.5 - 0.5 = 4, the upright from 4.5 -> 4 to 5.5 -> 6.
    const Corners across{{2, 4}, {8, 4}, {8, 5}, {2, 5}};
    const Corners upright{{4, 2}, {6, 2}, {6, 7}, {4, 7}};
    const Corners lower{{2, 13}, {8, 13}, {8, 14}, {2, 14}};
    GlyphShapes s = GlyphGeometry(displayCell(), sscPlus);
    QCOMPARE(s.Count, 3);
    QCOMPARE(cornersOf(s.Shapes[0].Polygon), across);
    QCOMPARE(cornersOf(s.Shapes[1].Polygon), upright);
    QCOMPARE(cornersOf(s.Shapes[2].Polygon), lower);
    QVERIFY(s.Shapes[0].Lit && s.Shapes[1].Lit && !s.Shapes[2].Lit);

    s = GlyphGeometry(displayCell(), sscMinus);
    QCOMPARE(s.Count, 3);
    QCOMPARE(cornersOf(s.Shapes[0].Polygon), lower);
    QCOMPARE(cornersOf(s.Shapes[1].Polygon), across);
    QCOMPARE(cornersOf(s.Shapes[2].Polygon), upright);
    QVERIFY(s.Shapes[0].Lit && !s.Shapes[1].Lit && !s.Shapes[2].Lit);

    // A wider cell, placed away from the origin, Z 2.
    s = GlyphGeometry(GlyphCell{QPoint(5, 5), 20, 36, 0, 1, 2}, sscPlus);
    QCOMPARE(cornersOf(s.Shapes[0].Polygon), (Corners{{10, 13}, {20, 13}, {20, 15}, {10, 15}}));
    QCOMPARE(cornersOf(s.Shapes[1].Polygon), (Corners{{14, 9}, {16, 9}, {16, 19}, {14, 19}}));
}

void TestSevenSegmentCharacter::segmentBitsOverrideTheCode()
{
    const GlyphCell cell = displayCell();
    const GlyphShapes s = GlyphGeometry(cell, sscPeriod, true, SegA | SegG);
    QCOMPARE(s.Count, 7);
    for (int i = 0; i < 7; ++i) QCOMPARE(s.Shapes[std::size_t(i)].Lit, i == 0 || i == 6);
    QCOMPARE(s.Shapes[6].Polygon, SegmentPolygon(cell, 6));
}

void TestSevenSegmentCharacter::unlitColour()
{
    QCOMPARE(UnlitSegmentColor(clLime, clRed, true), TColor(0x005500));
    QCOMPARE(UnlitSegmentColor(clWhite, clRed, true), TColor(0x555555));
    QCOMPARE(UnlitSegmentColor(0x7F20FE, clRed, true), TColor(0x2A0A54));
    QCOMPARE(UnlitSegmentColor(clLime, clRed, false), clRed);
    // A system colour is divided as the colour it stands for.
    const TColor face = fromQColor(toQColor(clBtnFace));
    QCOMPARE(UnlitSegmentColor(clBtnFace, clRed, true), rgbColor(redOf(face) / 3, greenOf(face) / 3, blueOf(face) / 3));
}

void TestSevenSegmentCharacter::defaultWidget()
{
    TiSevenSegmentCharacter w;
    QCOMPARE(w.size(), QSize(15, 23));
    QCOMPARE(w.Value(), ssc0);
    QCOMPARE(w.SegmentColor(), clLime);
    QCOMPARE(w.SegmentOffColor(), clGreen);
    QVERIFY(w.AutoSegmentOffColor());
    QVERIFY(w.ShowOffSegments());
    QVERIFY(!w.PowerOff());
    QCOMPARE(w.SegmentSize(), 1);
    QCOMPARE(w.SegmentSeperation(), 1);
    QCOMPARE(w.SegmentMargin(), 2);
    QVERIFY(w.AutoSize());
    QVERIFY(!w.UseSegmentBits());
    QCOMPARE(int(w.SegmentBits()), 0);
    QCOMPARE(w.BackGroundColor(), clBlack);
    QCOMPARE(w.BorderStyle(), ibsNone);
}

void TestSevenSegmentCharacter::drawnSegments()
{
    TiSevenSegmentCharacter w;
    w.setShowOffSegments(false);
    for (TSevenSegmentCharacter code : {ssc9, ssc7, ssc2}) {
        w.setValue(code);
        const QImage frame = frameOf(w);
        const int pattern = GlyphPattern(code);
        for (int s = 0; s < 7; ++s) {
            const TColor want = ((pattern >> s) & 1) ? clLime : clBlack;
            QCOMPARE(pixel(frame, kSegmentPixel[s].x(), kSegmentPixel[s].y()), want);
        }
        QCOMPARE(pixel(frame, 0, 0), clBlack);
        QCOMPARE(pixel(frame, 14, 22), clBlack);
    }
    // 9 has no bottom segment and 7 no upper-left one.
    w.setValue(ssc9);
    QCOMPARE(pixel(frameOf(w), 7, 19), clBlack);
    w.setValue(ssc7);
    QCOMPARE(pixel(frameOf(w), 3, 6), clBlack);

    // A special shape at the cell's origin: the up arrow of a 15 x 23 cell
    // with M 2 has its base on row 11 from x 2 to 12 and its apex at (7, 6).
    w.setValue(sscUpArrow);
    w.setAutoSize(false);
    w.SetBounds(0, 0, 15, 23);
    const QImage arrow = frameOf(w);
    QCOMPARE(pixel(arrow, 2, 11), clLime);
    QCOMPARE(pixel(arrow, 12, 11), clLime);
    QCOMPARE(pixel(arrow, 7, 6), clLime);
    QCOMPARE(pixel(arrow, 7, 5), clBlack);
    QCOMPARE(pixel(arrow, 7, 12), clBlack);
}

void TestSevenSegmentCharacter::blankWithAndWithoutUnlitSegments()
{
    TiSevenSegmentCharacter w;
    w.setValue(sscBlank);
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
    TiSevenSegmentCharacter w;
    w.setPowerOff(true);
    w.setValue(ssc8);
    const QImage eight = frameOf(w);
    for (const QPoint p : kSegmentPixel) QCOMPARE(pixel(eight, p.x(), p.y()), kDimLime);
    for (TSevenSegmentCharacter code : {ssc1, ssc4, sscBlank, sscF}) {
        w.setValue(code);
        QCOMPARE(frameOf(w), eight);
    }

    // Without them, the digit's own segments are drawn in the unlit colour.
    w.setShowOffSegments(false);
    w.setValue(ssc4);
    const QImage dimFour = frameOf(w);
    TiSevenSegmentCharacter reference;
    reference.setShowOffSegments(false);
    reference.setValue(ssc4);
    reference.setSegmentColor(kDimLime);
    QCOMPARE(dimFour, frameOf(reference));
    QCOMPARE(pixel(dimFour, kSegmentPixel[6].x(), kSegmentPixel[6].y()), kDimLime);  // G of the 4
    QCOMPARE(pixel(dimFour, kSegmentPixel[0].x(), kSegmentPixel[0].y()), clBlack);   // no A

    // Special shapes dim as well.
    w.setValue(sscUpArrow);
    QCOMPARE(pixel(frameOf(w), 7, 10), kDimLime);
}

void TestSevenSegmentCharacter::outlinesShareTheFillColour()
{
    // The corners and the bottom edge of segment A (from (3, 2) to (11, 2),
    // bottom edge on row 4) lie on the polygon's outline: only a pen of the
    // segment's own colour paints them.
    TiSevenSegmentCharacter w;
    w.setShowOffSegments(false);
    const QImage frame = frameOf(w);
    for (const QPoint p : {QPoint(3, 2), QPoint(11, 2), QPoint(5, 4), QPoint(7, 4), QPoint(9, 4)})
        QCOMPARE(pixel(frame, p.x(), p.y()), clLime);
    QCOMPARE(pixel(frame, 7, 5), clBlack);
    QCOMPARE(pixel(frame, 2, 2), clBlack);
}

void TestSevenSegmentCharacter::offColourChoice()
{
    TiSevenSegmentCharacter w;
    w.setValue(ssc1);  // A is unlit
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
    TiSevenSegmentCharacter w;
    w.setAutoSize(false);
    QCOMPARE(w.GlyphWidth(), 14);
    QCOMPARE(w.GlyphHeight(), 22);
    w.setSegmentSize(0);
    QCOMPARE(w.SegmentSize(), 1);
    w.setSegmentSize(-7);
    QCOMPARE(w.SegmentSize(), 1);
    w.setSegmentMargin(-3);
    QCOMPARE(w.SegmentMargin(), 0);
    w.setSegmentSeperation(-2);
    QCOMPARE(w.SegmentSeperation(), 0);
    w.setSegmentSize(3);
    w.setSegmentMargin(4);
    QCOMPARE(w.GlyphWidth(), 38);
    QCOMPARE(w.GlyphHeight(), 62);
    for (TSevenSegmentCharacter narrow : {sscPeriod, sscColon, sscSemiColon, sscComma}) {
        w.setValue(narrow);
        QCOMPARE(w.GlyphWidth(), 14);
        QCOMPARE(w.GlyphHeight(), 62);
    }
    w.setValue(sscMinus);
    QCOMPARE(w.GlyphWidth(), 38);
}

void TestSevenSegmentCharacter::automaticSize()
{
    TiSevenSegmentCharacter w;
    w.setSegmentSize(2);
    QCOMPARE(w.size(), QSize(25, 41));
    w.setSegmentMargin(0);
    QCOMPARE(w.size(), QSize(21, 37));
    w.setValue(sscComma);
    QCOMPARE(w.size(), QSize(5, 37));
    w.setValue(ssc3);

    w.setAutoSize(false);
    w.setSegmentSize(1);
    QCOMPARE(w.size(), QSize(21, 37));
    w.setAutoSize(true);
    QCOMPARE(w.size(), QSize(11, 19));

    // Not while loading, and not when loading ends.
    w.BeginLoading();
    w.setSegmentMargin(5);
    w.setValue(sscPeriod);
    w.EndLoading();
    QCOMPARE(w.size(), QSize(11, 19));
    // The position stays where it was.
    w.SetBounds(30, 40, 11, 19);
    w.setValue(ssc8);
    QCOMPARE(w.geometry(), QRect(30, 40, 21, 29));
}

void TestSevenSegmentCharacter::repaintRequests()
{
    TiSevenSegmentCharacter w;
    PaintCounter paints(w);
    auto expect = [&](int wanted, const char *what) {
        const int got = paints.take();
        if (got != wanted) QFAIL(qPrintable(QStringLiteral("%1: %2 paints, %3 expected").arg(what).arg(got).arg(wanted)));
    };
    // Unchanged values ask for nothing.
    w.setValue(ssc0);
    w.setSegmentColor(clLime);
    w.setSegmentOffColor(clGreen);
    w.setAutoSegmentOffColor(true);
    w.setShowOffSegments(true);
    w.setPowerOff(false);
    w.setSegmentSize(1);
    w.setSegmentSeperation(1);
    w.setSegmentMargin(2);
    w.setAutoSize(true);
    w.setUseSegmentBits(false);
    w.setSegAOn(false);
    expect(0, "unchanged");

    // Each change is a repaint.
    w.setValue(ssc1);
    expect(1, "Value");
    w.setSegmentColor(clRed);
    expect(1, "SegmentColor");
    w.setSegmentOffColor(clRed);
    expect(1, "SegmentOffColor");
    w.setAutoSegmentOffColor(false);
    expect(1, "AutoSegmentOffColor");
    w.setShowOffSegments(false);
    expect(1, "ShowOffSegments");
    w.setPowerOff(true);
    expect(1, "PowerOff");
    w.setSegmentSeperation(2);
    expect(1, "SegmentSeperation");
    w.setUseSegmentBits(true);
    expect(1, "UseSegmentBits");
    w.setSegDOn(true);
    expect(1, "SegDOn");
    w.setSegDOn(true);
    expect(0, "SegDOn again");
    w.setSegmentBits(w.SegmentBits());  // always repaints
    expect(1, "SegmentBits");

    // A change of size also moves the bounds, which marks the background.
    w.ClearBackgroundChanged();
    w.setSegmentSize(2);
    QVERIFY(w.BackgroundChanged());
    QVERIFY(paints.take() >= 1);
}

void TestSevenSegmentCharacter::segmentFlagsAndBits()
{
    TiSevenSegmentCharacter w;
    w.setAutoSize(false);
    w.setSegmentBits(0xFF);  // bit 7 is no segment
    QCOMPARE(int(w.SegmentBits()), 0x7F);
    w.setSegmentBits(quint8(SegB | SegE | SegG));
    QVERIFY(!w.SegAOn() && w.SegBOn() && !w.SegCOn() && !w.SegDOn() && w.SegEOn() && !w.SegFOn() && w.SegGOn());
    w.setSegBOn(false);
    w.setSegFOn(true);
    QCOMPARE(int(w.SegmentBits()), SegE | SegF | SegG);

    // The flags draw only while UseSegmentBits is on, whatever the Value.
    w.setShowOffSegments(false);
    w.setValue(sscPeriod);
    QCOMPARE(pixel(frameOf(w), 3, 6), clBlack);
    w.setUseSegmentBits(true);
    const QImage frame = frameOf(w);
    const int bits = w.SegmentBits();
    for (int s = 0; s < 7; ++s)
        QCOMPARE(pixel(frame, kSegmentPixel[s].x(), kSegmentPixel[s].y()), ((bits >> s) & 1) ? clLime : clBlack);
}

void TestSevenSegmentCharacter::publishedProperties()
{
    TiSevenSegmentCharacter w;
    const QMetaObject *meta = w.metaObject();
    for (const char *name : {"Value", "Character", "SegmentColor", "SegmentOffColor", "AutoSegmentOffColor",
                             "ShowOffSegments", "PowerOff", "SegmentSize", "SegmentSeperation", "SegmentMargin",
                             "AutoSize", "UseSegmentBits", "SegAOn", "SegBOn", "SegCOn", "SegDOn", "SegEOn",
                             "SegFOn", "SegGOn", "SegmentBits", "BackGroundColor"}) {
        const int index = meta->indexOfProperty(name);
        QVERIFY2(index >= 0, name);
        QVERIFY2(meta->property(index).isWritable(), name);
    }
    // Writing through the property system goes through the setters.
    QVERIFY(w.setProperty("SegmentSize", 0));
    QCOMPARE(w.SegmentSize(), 1);
    QVERIFY(w.setProperty("Character", QVariant::fromValue('C')));
    QCOMPARE(w.Value(), sscC);
    QVERIFY(w.setProperty("Value", QStringLiteral("sscMinus")));
    QCOMPARE(w.Value(), sscMinus);
    QCOMPARE(meta->property(meta->indexOfProperty("Value")).enumerator().valueToKey(w.property("Value").toInt()),
             "sscMinus");
    QVERIFY(w.setProperty("SegmentBits", SegA | SegC));
    QVERIFY(w.property("SegCOn").toBool());
    QVERIFY(!w.property("SegBOn").toBool());
}

void TestSevenSegmentCharacter::hugeSettingsStayDefined()
{
    // Corner arithmetic may not overflow, however large the settings.
    TiSevenSegmentCharacter w;
    w.setAutoSize(false);
    w.setSegmentSize(INT_MAX);
    w.setSegmentMargin(INT_MAX);
    QCOMPARE(w.GlyphWidth(), INT_MAX);
    QCOMPARE(w.GlyphHeight(), INT_MAX);
    const GlyphCell cell{QPoint(INT_MAX, INT_MIN), INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MAX};
    for (int code = 0; code < kGlyphCodeCount; ++code) {
        const GlyphShapes s = GlyphGeometry(cell, TSevenSegmentCharacter(code));
        QVERIFY(s.Count <= 7);
    }
    QCOMPARE(SegmentPolygon(cell, 0).Points[0], QPoint(INT_MAX, -1));
    // Drawing such a glyph into a small frame is harmless.
    w.SetBounds(0, 0, 20, 20);
    const QImage frame = frameOf(w);
    QCOMPARE(frame.size(), QSize(20, 20));
}

void TestSevenSegmentCharacter::wholeDigitCellPixelByPixel()
{
    // An 8 in a read-out's 10 x 18 cell (M 0, S 1, Z 1, h 8): the seven
    // segments of the corner table, each filled with its outline, lower
    // tips of B and C included.
    TiSevenSegmentCharacter w;
    w.setAutoSize(false);
    w.setSegmentMargin(0);
    w.setValue(ssc8);
    w.SetBounds(0, 0, 10, 18);
    const QList<QList<QPoint>> segments{
        {{1, 0}, {8, 0}, {6, 2}, {3, 2}},                    // A
        {{9, 1}, {9, 7}, {7, 5}, {7, 3}},                    // B
        {{9, 9}, {9, 16}, {7, 14}, {7, 11}},                 // C
        {{1, 17}, {8, 17}, {6, 15}, {3, 15}},                // D
        {{0, 9}, {0, 16}, {2, 14}, {2, 11}},                 // E
        {{0, 1}, {0, 7}, {2, 5}, {2, 3}},                    // F
        {{1, 8}, {2, 7}, {7, 7}, {8, 8}, {7, 9}, {2, 9}},    // G
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
    TiSevenSegmentCharacter w;
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
        w.setSegmentSeperation(pick(0, 1));
        w.setSegmentMargin(pick(0, 2));
        const auto code = TSevenSegmentCharacter(pick(0, kGlyphCodeCount - 1));
        const int width = pick(0, 1) ? 10 : pick(1, 30), height = pick(0, 1) ? 18 : pick(1, 40);
        const QPoint origin(pick(-4, 60), pick(-4, 40));

        QImage drawn = background.copy();
        {
            Canvas canvas(drawn);
            w.DrawGlyph(canvas, origin, code, height, width);
        }
        QImage expected = background.copy();
        const TColor unlit = UnlitSegmentColor(w.SegmentColor(), w.SegmentOffColor(), w.AutoSegmentOffColor());
        const TColor lit = w.PowerOff() ? unlit : w.SegmentColor();
        const GlyphShapes shapes = GlyphGeometry(
            GlyphCell{origin, width, height, w.SegmentMargin(), w.SegmentSeperation(), w.SegmentSize()}, code,
            w.UseSegmentBits(), w.SegmentBits());
        for (int i = 0; i < shapes.Count; ++i) {
            const GlyphShape &shape = shapes.Shapes[std::size_t(i)];
            if (!shape.Lit && !w.ShowOffSegments()) continue;
            const QList<QPoint> corners(shape.Polygon.Points.begin(), shape.Polygon.Points.begin() + shape.Polygon.Count);
            PaintPixels(expected, ReferencePolygon(corners), toQColor(shape.Lit ? lit : unlit));
        }
        if (drawn != expected)
            QFAIL(qPrintable(QStringLiteral("trial %1: code %2 in %3 x %4 at (%5, %6): %7")
                                 .arg(trial).arg(int(code)).arg(width).arg(height).arg(origin.x()).arg(origin.y())
                                 .arg(FirstDifference(drawn, expected))));
    }
}

QTEST_MAIN(TestSevenSegmentCharacter)
#include "tst_seven_segment_character.moc"
