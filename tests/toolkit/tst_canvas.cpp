// The canvas facade's pixel semantics on a real QImage.
#include "toolkit/canvas.h"

#include <QTest>

namespace {

QImage whiteImage(int w = 40, int h = 40)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

TColor at(const QImage &image, int x, int y) { return fromQColor(image.pixelColor(x, y)); }

#define COMPARE_AT(image, x, y, colour) \
    QVERIFY2(at(image, x, y) == (colour), \
             QByteArray("(" + QByteArray::number(x) + "," + QByteArray::number(y) + ") is " + \
                        QByteArray::number(at(image, x, y), 16)).constData())

} // namespace

class TestCanvas : public QObject {
    Q_OBJECT
private slots:
    void rectangleEdgesAreExclusive();
    void fillRectHasNoOutline();
    void ellipseFillsItsBoxExclusively();
    void thinLineToLeavesOutItsEndPixel();
    void widePenHasRoundCaps();
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

void TestCanvas::thinLineToLeavesOutItsEndPixel()
{
    QImage image = whiteImage();
    {
        Canvas c(image);
        c.moveTo(2, 2);
        c.lineTo(8, 2);
        QCOMPARE(c.penPos(), QPoint(8, 2));
        c.moveTo(2, 10);
        c.lineTo(2, 16);
        c.moveTo(20, 20);
        c.lineTo(26, 26);
        c.moveTo(30, 30);
        c.lineTo(30, 30);  // nothing at all with a thin pen
    }
    for (int x = 2; x < 8; ++x) COMPARE_AT(image, x, 2, clBlack);
    COMPARE_AT(image, 8, 2, clWhite);
    COMPARE_AT(image, 1, 2, clWhite);
    for (int y = 10; y < 16; ++y) COMPARE_AT(image, 2, y, clBlack);
    COMPARE_AT(image, 2, 16, clWhite);
    for (int i = 20; i < 26; ++i) COMPARE_AT(image, i, i, clBlack);
    COMPARE_AT(image, 26, 26, clWhite);
    COMPARE_AT(image, 30, 30, clWhite);
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
    for (QPoint p : {QPoint(8, 8), QPoint(8, 11), QPoint(32, 8), QPoint(32, 11)}) capCorners += at(image, p.x(), p.y()) == clGreen;
    QVERIFY2(capCorners < 4, QByteArray::number(capCorners));
    int dot = 0;
    for (int y = 15; y < 26; ++y)
        for (int x = 40; x < 51; ++x) dot += at(image, x, y) == clGreen;
    QVERIFY2(dot >= 9 && dot <= 16, QByteArray::number(dot));
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
