// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas facade's pixel semantics on a real QImage; thin lines and
// polygons against their pixels worked out from the definitions.
#include "common/reference_raster.h"
#include "toolkit/canvas.h"

#include <QPainter>
#include <QTest>
#include <climits>

namespace {

QImage whiteImage(int w = 40, int h = 40)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

TColor at(const QImage &image, int x, int y)
{
    return fromQColor(image.pixelColor(x, y));
}

#define COMPARE_AT(image, x, y, colour)                                                                                \
    QVERIFY2(at(image, x, y) == (colour),                                                                              \
             QByteArray("(" + QByteArray::number(x) + "," + QByteArray::number(y) + ") is " +                          \
                        QByteArray::number(at(image, x, y), 16))                                                       \
                 .constData())

}  // namespace

class TestCanvas : public QObject {
    Q_OBJECT
private slots:
    void rectangleEdgesAreExclusive();
    void fillRectHasNoOutline();
    void ellipseFillsItsBoxExclusively();
    void thinLinesLeaveOutTheirEndPixel_data();
    void thinLinesLeaveOutTheirEndPixel();
    void polygonsOwnTheirOutline_data();
    void polygonsOwnTheirOutline();
    void thinPolylineLeavesOutItsLastPoint();
    void farAwayCornersStayQuick();
    void widePenHasRoundCaps();
    void wideStraightLinesAsQtStrokesThem_data();
    void wideStraightLinesAsQtStrokesThem();
    void stateOutlivesTheCanvas();
};

void TestCanvas::rectangleEdgesAreExclusive()
{
    QImage image = whiteImage();
    {
        Canvas c(image);
        c.setBrushColor(clRed);
        c.rectangle(TRect{2, 3, 10, 8});
    }
    COMPARE_AT(image, 2, 3, clBlack);
    COMPARE_AT(image, 9, 3, clBlack);
    COMPARE_AT(image, 9, 7, clBlack);
    COMPARE_AT(image, 2, 7, clBlack);
    COMPARE_AT(image, 10, 5, clWhite);
    COMPARE_AT(image, 5, 8, clWhite);
    COMPARE_AT(image, 1, 5, clWhite);
    COMPARE_AT(image, 5, 2, clWhite);
    COMPARE_AT(image, 5, 5, clRed);
    COMPARE_AT(image, 8, 6, clRed);
    // An empty box draws nothing.
    QImage empty = whiteImage();
    {
        Canvas c(empty);
        c.rectangle(TRect{5, 5, 5, 9});
        c.ellipse(TRect{5, 5, 9, 4});
    }
    QVERIFY(empty == whiteImage());
}

void TestCanvas::fillRectHasNoOutline()
{
    QImage image = whiteImage();
    {
        Canvas c(image);
        c.setBrushColor(clBlue);
        c.fillRect(TRect{2, 3, 10, 8});
    }
    COMPARE_AT(image, 2, 3, clBlue);
    COMPARE_AT(image, 9, 7, clBlue);
    COMPARE_AT(image, 10, 7, clWhite);
    COMPARE_AT(image, 9, 8, clWhite);
    int filled = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) filled += at(image, x, y) == clBlue;
    QCOMPARE(filled, 8 * 5);
}

void TestCanvas::ellipseFillsItsBoxExclusively()
{
    QImage image = whiteImage();
    {
        Canvas c(image);
        c.setBrushColor(clRed);
        c.ellipse(TRect{0, 0, 15, 15});
    }
    // The outline touches columns and rows 0 and 14, never 15.
    COMPARE_AT(image, 0, 7, clBlack);
    COMPARE_AT(image, 14, 7, clBlack);
    COMPARE_AT(image, 7, 0, clBlack);
    COMPARE_AT(image, 7, 14, clBlack);
    for (int i = 0; i < 16; ++i) {
        COMPARE_AT(image, 15, i, clWhite);
        COMPARE_AT(image, i, 15, clWhite);
    }
    COMPARE_AT(image, 0, 0, clWhite);
    COMPARE_AT(image, 7, 7, clRed);
    // Symmetric about the box's centre line.
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 15; ++x) QCOMPARE(at(image, x, y), at(image, 14 - x, y));
}

void TestCanvas::thinLinesLeaveOutTheirEndPixel_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::newRow("right") << QPoint(2, 2) << QPoint(8, 2);
    QTest::newRow("left") << QPoint(8, 4) << QPoint(2, 4);
    QTest::newRow("down") << QPoint(2, 10) << QPoint(2, 16);
    QTest::newRow("up") << QPoint(4, 16) << QPoint(4, 10);
    QTest::newRow("diagonal down right") << QPoint(20, 20) << QPoint(26, 26);
    QTest::newRow("diagonal up left") << QPoint(26, 30) << QPoint(20, 24);
    QTest::newRow("diagonal up right") << QPoint(10, 30) << QPoint(16, 24);
    QTest::newRow("shallow right, ties") << QPoint(1, 33) << QPoint(13, 27);
    QTest::newRow("shallow left, ties") << QPoint(13, 37) << QPoint(1, 31);
    QTest::newRow("steep down") << QPoint(30, 2) << QPoint(33, 17);
    QTest::newRow("steep up left") << QPoint(38, 17) << QPoint(31, 1);
    QTest::newRow("a pointer's slope") << QPoint(35, 38) << QPoint(27, 5);
    QTest::newRow("one pixel") << QPoint(5, 38) << QPoint(6, 38);
    QTest::newRow("no length") << QPoint(30, 30) << QPoint(30, 30);
    QTest::newRow("out of the picture") << QPoint(-10, 5) << QPoint(50, 35);
}

void TestCanvas::thinLinesLeaveOutTheirEndPixel()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QImage image = whiteImage();
    {
        Canvas c(image);
        c.moveTo(from.x(), from.y());
        c.lineTo(to.x(), to.y());
        QCOMPARE(c.penPos(), to);
    }
    QImage expected = whiteImage();
    PaintPixels(expected, ReferenceLine(from, to), Qt::black);
    QVERIFY2(image == expected, qPrintable(FirstDifference(image, expected)));
    // Drawn the other way, the same pixels but for the two ends.
    QImage back = whiteImage();
    {
        Canvas c(back);
        c.moveTo(to.x(), to.y());
        c.lineTo(from.x(), from.y());
        c.moveTo(from.x(), from.y());
        c.lineTo(from.x() + 1, from.y());  // adds `from`, which the reverse line leaves out
    }
    {
        Canvas c(image);
        c.moveTo(to.x(), to.y());
        c.lineTo(to.x() + 1, to.y());  // adds `to`
    }
    if (from != to) QVERIFY2(image == back, qPrintable(FirstDifference(back, image)));
}

void TestCanvas::polygonsOwnTheirOutline_data()
{
    QTest::addColumn<QList<QPoint>>("corners");
    // Segment B of a 10 x 18 display cell at (5, 5): its lower tip is the
    // corner (14, 12), on the right edge.
    QTest::newRow("segment B") << QList<QPoint>{{14, 6}, {14, 12}, {12, 10}, {12, 8}};
    QTest::newRow("segment G") << QList<QPoint>{{6, 13}, {7, 12}, {12, 12}, {13, 13}, {12, 14}, {7, 14}};
    QTest::newRow("pointer head") << QList<QPoint>{{21, 36}, {31, 34}, {24, 25}};
    QTest::newRow("thin sliver") << QList<QPoint>{{2, 2}, {30, 9}, {3, 4}};
    QTest::newRow("concave") << QList<QPoint>{{2, 20}, {18, 20}, {18, 36}, {10, 26}, {2, 36}};
    QTest::newRow("line as a polygon") << QList<QPoint>{{20, 3}, {35, 3}, {35, 3}, {20, 3}};
    QTest::newRow("crossing itself") << QList<QPoint>{{22, 12}, {38, 28}, {38, 12}, {22, 28}};
    QTest::newRow("partly outside") << QList<QPoint>{{30, 30}, {50, 34}, {36, 47}};
    QTest::newRow("corners all in one point") << QList<QPoint>{{5, 5}, {5, 5}, {5, 5}};
}

void TestCanvas::polygonsOwnTheirOutline()
{
    QFETCH(QList<QPoint>, corners);
    QImage image = whiteImage();
    {
        Canvas c(image);
        c.setPenColor(clGreen);
        c.setBrushColor(clGreen);
        c.polygon(corners.constData(), int(corners.size()));
    }
    QImage expected = whiteImage();
    PaintPixels(expected, ReferencePolygon(corners), toQColor(clGreen));
    QVERIFY2(image == expected, qPrintable(FirstDifference(image, expected)));

    // With another pen the outline is the pen's, the rest the brush's.
    {
        Canvas c(image);
        c.setPenColor(clBlue);
        c.setBrushColor(clRed);
        c.polygon(corners.constData(), int(corners.size()));
    }
    QList<QPoint> closed = corners;
    closed << corners.front();
    PaintPixels(expected, ReferencePolygon(corners), toQColor(clRed));
    PaintPixels(expected, ReferencePolyline(closed), toQColor(clBlue));
    QVERIFY2(image == expected, qPrintable(FirstDifference(image, expected)));
}

void TestCanvas::thinPolylineLeavesOutItsLastPoint()
{
    const QList<QPoint> points{{3, 30}, {5, 20}, {9, 12}, {15, 7}, {22, 4}, {30, 3}, {30, 3}, {36, 9}};
    QImage image = whiteImage();
    {
        Canvas c(image);
        c.polyline(points.constData(), int(points.size()));
    }
    QImage expected = whiteImage();
    PaintPixels(expected, ReferencePolyline(points), Qt::black);
    QVERIFY2(image == expected, qPrintable(FirstDifference(image, expected)));
    COMPARE_AT(image, 36, 9, clWhite);
}

void TestCanvas::farAwayCornersStayQuick()
{
    // Corners at the ends of the int range: only what falls on the picture
    // is drawn, the diagonal through it, and nothing overflows.
    QImage image = whiteImage();
    {
        Canvas c(image);
        c.moveTo(INT_MIN, INT_MIN);
        c.lineTo(INT_MAX, INT_MAX);
        const QPoint huge[] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}};
        c.setBrushColor(clRed);
        c.setPenColor(clRed);
        c.polygon(huge, 4);
        c.setPenColor(clBlue);
        c.moveTo(INT_MAX, 0);
        c.lineTo(INT_MIN, 39);
        c.ellipse(TRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    }
    QVERIFY(at(image, 0, 0) != clWhite);
    QVERIFY(at(image, 39, 39) != clWhite);
}

void TestCanvas::widePenHasRoundCaps()
{
    QImage image = whiteImage(60, 40);
    {
        Canvas c(image);
        c.setPenColor(clGreen);
        c.setPenWidth(4);
        c.moveTo(10, 10);
        c.lineTo(30, 10);
        c.moveTo(45, 20);
        c.lineTo(45, 20);  // a wide pen leaves a round dot
    }
    // 4 pixels across the line, reaching past both ends by the cap.
    int across = 0;
    for (int y = 0; y < 20; ++y) across += at(image, 20, y) == clGreen;
    QCOMPARE(across, 4);
    COMPARE_AT(image, 30, 10, clGreen);
    COMPARE_AT(image, 31, 10, clGreen);
    COMPARE_AT(image, 9, 10, clGreen);
    COMPARE_AT(image, 34, 10, clWhite);
    COMPARE_AT(image, 6, 10, clWhite);
    // Round, not square: the cap's far corners stay clear.
    int capCorners = 0;
    for (QPoint p : {QPoint(8, 8), QPoint(8, 11), QPoint(32, 8), QPoint(32, 11)})
        capCorners += at(image, p.x(), p.y()) == clGreen;
    QVERIFY2(capCorners < 4, QByteArray::number(capCorners));
    int dot = 0;
    for (int y = 15; y < 26; ++y)
        for (int x = 40; x < 51; ++x) dot += at(image, x, y) == clGreen;
    QVERIFY2(dot >= 9 && dot <= 16, QByteArray::number(dot));
}

void TestCanvas::wideStraightLinesAsQtStrokesThem_data()
{
    QTest::addColumn<int>("width");
    for (int width = 2; width <= 9; ++width) QTest::newRow(qPrintable(QString::number(width))) << width;
}

void TestCanvas::wideStraightLinesAsQtStrokesThem()
{
    // Along a row or a column, every length, both ways, near and across the
    // picture's edges: the same pixels as Qt's own stroke of the line.
    QFETCH(int, width);
    for (const QPoint direction : {QPoint(0, 1), QPoint(0, -1), QPoint(1, 0), QPoint(-1, 0)})
        for (int length = 0; length <= 60; ++length)
            for (const QPoint from : {QPoint(70, 70), QPoint(2, 1), QPoint(139, 138), QPoint(-5, 30)}) {
                const QPoint to = from + direction * (length == 60 ? 194 : length);
                QImage image = whiteImage(140, 140), expected = whiteImage(140, 140);
                {
                    Canvas c(image);
                    c.setPenColor(clGreen);
                    c.setPenWidth(width);
                    c.moveTo(from.x(), from.y());
                    c.lineTo(to.x(), to.y());
                }
                {
                    QPainter p(&expected);
                    p.setPen(QPen(toQColor(clGreen), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                    if (from == to)
                        p.drawPoint(from);
                    else
                        p.drawLine(from, to);
                }
                if (image != expected)
                    QFAIL(qPrintable(QStringLiteral("(%1, %2) to (%3, %4): %5")
                                         .arg(from.x())
                                         .arg(from.y())
                                         .arg(to.x())
                                         .arg(to.y())
                                         .arg(FirstDifference(image, expected))));
            }
}

void TestCanvas::stateOutlivesTheCanvas()
{
    QImage image = whiteImage();
    CanvasState state;
    {
        Canvas c(image, &state);
        c.setBrushColor(clRed);
        c.setPenColor(clBlue);
        c.setPenWidth(3);
        c.moveTo(5, 6);
    }
    QCOMPARE(state.brushColor, clRed);
    QCOMPARE(state.penColor, clBlue);
    QCOMPARE(state.penWidth, 3);
    QCOMPARE(state.penPos, QPoint(5, 6));
    {
        // A later canvas on the same state draws with it.
        Canvas c(image, &state);
        c.setPenWidth(1);
        c.lineTo(5, 12);
        c.fillRect(TRect{20, 20, 22, 22});
    }
    COMPARE_AT(image, 5, 6, clBlue);
    COMPARE_AT(image, 5, 11, clBlue);
    COMPARE_AT(image, 21, 21, clRed);
}

QTEST_MAIN(TestCanvas)
#include "tst_canvas.moc"
