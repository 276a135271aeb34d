// SPDX-License-Identifier: GPL-3.0-or-later
// The oscilloscope screen and the source lamp, on real picture pixels.
#include "bench/oscilloscope_screen.h"
#include "model/float_faults.h"
#include "toolkit/colors.h"
#include "toolkit/image_control.h"

#include <QPainter>
#include <QTest>
#include <algorithm>
#include <cmath>

namespace {

constexpr TColor kDark = clScreenDark;

TColor pixel(const TImage &image, int x, int y)
{
    return fromQColor(image.picture().pixelColor(x, y));
}

QByteArray hex(TColor c)
{
    return QByteArray::number(c, 16);
}

#define COMPARE_PIXEL(image, x, y, colour)                                                                             \
    QVERIFY2(pixel(image, x, y) == (colour),                                                                           \
             QByteArray("(" + QByteArray::number(x) + "," + QByteArray::number(y) + ") is " + hex(pixel(image, x, y))) \
                 .constData())

LabState labAt(int width)
{
    LabState s;
    setStartParameters(s);
    clearPowerFlags(s);
    applyScreenScale(s, width);
    return s;
}

void penIsBlackAndThin(TImage &image)
{
    QCOMPARE(image.canvas().penColor(), clBlack);
    QCOMPARE(image.canvas().penWidth(), 1);
}

int countOf(const TImage &image, TColor colour, QRect area = QRect())
{
    if (area.isNull()) area = image.picture().rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (pixel(image, x, y) == colour) ++n;
    return n;
}

// First and last green row of a column.
QPair<int, int> greenRows(const TImage &image, int x)
{
    int first = -1, last = -1;
    for (int y = 0; y < image.picture().height(); ++y)
        if (pixel(image, x, y) == clGreen) {
            if (first < 0) first = y;
            last = y;
        }
    return {first, last};
}

// The trace's line as the desktop draws it: 4-pixel round-capped segments.
QImage referenceTrace(const QImage &background, const TracePath &path)
{
    QImage out = background.copy();
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(toQColor(clGreen), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (std::size_t i = 1; i < path.size(); ++i) {
        const QPoint a(path[i - 1].x, path[i - 1].y), b(path[i].x, path[i].y);
        if (a == b)
            p.drawPoint(b);
        else
            p.drawLine(a, b);
    }
    return out;
}

const TraceSettings kNoRipple{0.0, 0.4, 0.5};

}  // namespace

class TestOscilloscopeScreen : public QObject {
    Q_OBJECT
private slots:
    void zalivka();
    void lampAndSpotWithScopeOn();
    void lampWithScopeOff();
    void oddWidthCentres();
    void warmupLimits();
    void warmupLineGrows();
    void warmupNeedsTheScope();
    void sourceLampLooks();
    void traceAtZeroCurrent();
    void traceReplacesThePreviousOne();
    void traceShrunkToAPoint();
    void traceFaults();
    void faultPartWayKeepsTheSegmentsBefore();
};

void TestOscilloscopeScreen::zalivka()
{
    TImage screen;
    screen.setPictureSize(222, 222);
    repaintScreen(screen);
    for (QPoint corner : {QPoint(0, 0), QPoint(221, 0), QPoint(0, 221), QPoint(221, 221), QPoint(20, 20)})
        COMPARE_PIXEL(screen, corner.x(), corner.y(), clGray);
    COMPARE_PIXEL(screen, 111, 111, kDark);
    COMPARE_PIXEL(screen, 40, 40, kDark);
    // The disc is inscribed in (0, 0, 222, 222): its black outline touches
    // all four edges, the right and bottom ones at 221.
    COMPARE_PIXEL(screen, 0, 111, clBlack);
    COMPARE_PIXEL(screen, 221, 111, clBlack);
    COMPARE_PIXEL(screen, 111, 0, clBlack);
    COMPARE_PIXEL(screen, 111, 221, clBlack);
    COMPARE_PIXEL(screen, 1, 111, kDark);
    // Nothing but the three colours, in the proportions of a disc in a square.
    const int grey = countOf(screen, clGray), dark = countOf(screen, kDark), black = countOf(screen, clBlack);
    QCOMPARE(grey + dark + black, 222 * 222);
    const double disc = M_PI * 111 * 111;
    QVERIFY2(std::fabs(dark + black - disc) < 0.01 * disc, QByteArray::number(dark + black));
    penIsBlackAndThin(screen);
    QCOMPARE(screen.canvas().brushColor(), kDark);
    // A picture that is not square gets an inscribed ellipse.
    TImage wide;
    wide.setPictureSize(100, 40);
    repaintScreen(wide);
    COMPARE_PIXEL(wide, 0, 20, clBlack);
    COMPARE_PIXEL(wide, 99, 20, clBlack);
    COMPARE_PIXEL(wide, 50, 39, clBlack);
    COMPARE_PIXEL(wide, 5, 5, clGray);
}

void TestOscilloscopeScreen::lampAndSpotWithScopeOn()
{
    TImage screen;
    screen.setPictureSize(222, 222);
    LabState s = labAt(222);
    repaintScreen(screen);
    s.scopeOn = true;
    drawScopeLamp(screen, s.scopeOn);
    // The lit lamp in (0, 0, 15, 15), outlined in black, on the grey corner.
    COMPARE_PIXEL(screen, 7, 7, clRed);
    COMPARE_PIXEL(screen, 0, 7, clBlack);
    COMPARE_PIXEL(screen, 14, 7, clBlack);
    COMPARE_PIXEL(screen, 7, 14, clBlack);
    COMPARE_PIXEL(screen, 15, 7, clGray);
    COMPARE_PIXEL(screen, 0, 0, clGray);
    // The spot: a short, wide, round-ended green stroke at the centre.
    for (int y = 110; y <= 112; ++y) COMPARE_PIXEL(screen, 111, y, clGreen);
    COMPARE_PIXEL(screen, 110, 111, clGreen);
    COMPARE_PIXEL(screen, 111, 116, kDark);
    COMPARE_PIXEL(screen, 111, 106, kDark);
    COMPARE_PIXEL(screen, 116, 111, kDark);
    const int green = countOf(screen, clGreen);
    QVERIFY2(green >= 12 && green <= 30, QByteArray::number(green));
    penIsBlackAndThin(screen);
    QCOMPARE(screen.canvas().brushColor(), clBlack);
    // Drawn over whatever is there: a second call does not clear anything.
    screen.canvas().fillRect(TRect{150, 150, 152, 152});
    drawScopeLamp(screen, s.scopeOn);
    COMPARE_PIXEL(screen, 150, 150, clBlack);
}

void TestOscilloscopeScreen::lampWithScopeOff()
{
    TImage screen;
    screen.setPictureSize(222, 222);
    LabState s = labAt(222);
    repaintScreen(screen);
    s.scopeOn = true;
    drawScopeLamp(screen, s.scopeOn);
    s.scopeOn = false;
    drawScopeLamp(screen, s.scopeOn);
    COMPARE_PIXEL(screen, 7, 7, clGray);
    COMPARE_PIXEL(screen, 0, 7, clBlack);
    // The spot is gone, the disc dark again.
    QCOMPARE(countOf(screen, clGreen), 0);
    COMPARE_PIXEL(screen, 111, 111, kDark);
    QCOMPARE(screen.canvas().brushColor(), kDark);  // darkening leaves its brush
    penIsBlackAndThin(screen);
    // Darkening on its own leaves the lamp in the corner, whatever its look.
    darkenScreen(screen);
    COMPARE_PIXEL(screen, 7, 7, clGray);
    s.scopeOn = true;
    drawScopeLamp(screen, s.scopeOn);
    darkenScreen(screen);
    COMPARE_PIXEL(screen, 7, 7, clRed);
    COMPARE_PIXEL(screen, 111, 111, kDark);
    COMPARE_PIXEL(screen, 0, 0, clGray);
}

void TestOscilloscopeScreen::oddWidthCentres()
{
    TImage screen;
    screen.setPictureSize(221, 221);
    LabState s = labAt(221);
    repaintScreen(screen);
    s.scopeOn = true;
    drawScopeLamp(screen, s.scopeOn);
    for (int y = 109; y <= 111; ++y) COMPARE_PIXEL(screen, 110, y, clGreen);
    // The warm-up line's centre is 110 as well.
    s.warmupStep = 20;
    warmupLineStep(screen, s);
    COMPARE_PIXEL(screen, 110, 90, clGreen);
    COMPARE_PIXEL(screen, 110, 130, clGreen);
}

void TestOscilloscopeScreen::warmupLimits()
{
    const struct {
        int width;
        int limit;
    } cases[] = {{222, 97}, {225, 98}, {216, 94}, {200, 88}, {196, 86}};
    for (const auto &c : cases) {
        LabState s = labAt(c.width);
        QCOMPARE(warmupLimit(s), c.limit);
    }
}

void TestOscilloscopeScreen::warmupLineGrows()
{
    TImage screen;
    screen.setPictureSize(222, 222);
    LabState s = labAt(222);
    repaintScreen(screen);
    s.scopeOn = true;
    warmupLineStep(screen, s);
    QCOMPARE(s.warmupStep, 1);
    COMPARE_PIXEL(screen, 111, 111, clGreen);
    COMPARE_PIXEL(screen, 111, 120, kDark);
    int ticks = 1;
    while (s.warmupStep < 97 && ticks < 1000) {
        warmupLineStep(screen, s);
        ++ticks;
    }
    QCOMPARE(ticks, 97);
    // The last line ran from (111, 15) to (111, 207), round ends included.
    COMPARE_PIXEL(screen, 111, 15, clGreen);
    COMPARE_PIXEL(screen, 111, 207, clGreen);
    COMPARE_PIXEL(screen, 111, 11, kDark);
    COMPARE_PIXEL(screen, 111, 211, kDark);
    COMPARE_PIXEL(screen, 116, 111, kDark);
    penIsBlackAndThin(screen);
    // Full: further ticks draw nothing and keep the step.
    const QImage before = screen.picture().copy();
    for (int i = 0; i < 5; ++i) warmupLineStep(screen, s);
    QCOMPARE(s.warmupStep, 97);
    QVERIFY(screen.picture() == before);
    // The full line spans the same rows as the trace at zero current, to a pixel.
    TImage trace;
    trace.setPictureSize(222, 222);
    repaintScreen(trace);
    drawBeamTrace(trace, s, 0.0, kNoRipple);
    const QPair<int, int> warm = greenRows(screen, 111), line = greenRows(trace, 111);
    QVERIFY2(std::abs(warm.first - line.first) <= 1 && std::abs(warm.second - line.second) <= 1,
             QByteArray::number(warm.first) + ".." + QByteArray::number(warm.second) + " against " +
                 QByteArray::number(line.first) + ".." + QByteArray::number(line.second));
}

void TestOscilloscopeScreen::warmupNeedsTheScope()
{
    TImage screen;
    screen.setPictureSize(222, 222);
    LabState s = labAt(222);
    repaintScreen(screen);
    const QImage before = screen.picture().copy();
    for (int step : {0, 5, 96}) {
        s.warmupStep = step;
        warmupLineStep(screen, s);
        QCOMPARE(s.warmupStep, step);
    }
    QVERIFY(screen.picture() == before);
    // Past the limit (a smaller screen after a resize) nothing is drawn either.
    s.scopeOn = true;
    s.warmupStep = 120;
    warmupLineStep(screen, s);
    QCOMPARE(s.warmupStep, 120);
    QVERIFY(screen.picture() == before);
}

void TestOscilloscopeScreen::sourceLampLooks()
{
    TImage lamp;
    lamp.setPictureSize(15, 15);  // a new picture is white
    paintSourceLamp(lamp, true, false);
    COMPARE_PIXEL(lamp, 0, 0, clWhite);  // the ground was not filled
    COMPARE_PIXEL(lamp, 7, 7, clRed);
    COMPARE_PIXEL(lamp, 0, 7, clBlack);
    COMPARE_PIXEL(lamp, 14, 7, clBlack);
    penIsBlackAndThin(lamp);
    paintSourceLamp(lamp, false, true);
    COMPARE_PIXEL(lamp, 0, 0, clGray);
    COMPARE_PIXEL(lamp, 14, 14, clGray);
    COMPARE_PIXEL(lamp, 7, 7, clGray);
    COMPARE_PIXEL(lamp, 7, 0, clBlack);
    COMPARE_PIXEL(lamp, 7, 14, clBlack);
    paintSourceLamp(lamp, true, true);
    COMPARE_PIXEL(lamp, 0, 0, clGray);
    COMPARE_PIXEL(lamp, 7, 7, clRed);
    // The off look without filling: over the red disc, grey wins inside the outline.
    paintSourceLamp(lamp, false, false);
    COMPARE_PIXEL(lamp, 7, 7, clGray);
    QCOMPARE(countOf(lamp, clRed), 0);
    penIsBlackAndThin(lamp);
}

void TestOscilloscopeScreen::traceAtZeroCurrent()
{
    TImage screen;
    screen.setPictureSize(222, 222);
    LabState s = labAt(222);
    repaintScreen(screen);
    s.scopeOn = true;
    drawScopeLamp(screen, s.scopeOn);
    drawBeamTrace(screen, s, 0.0, kNoRipple);
    // The vertical sweep line through the centre, 4 pixels wide.
    for (int y = 14; y <= 208; ++y) COMPARE_PIXEL(screen, 111, y, clGreen);
    COMPARE_PIXEL(screen, 111, 8, kDark);
    COMPARE_PIXEL(screen, 111, 214, kDark);
    COMPARE_PIXEL(screen, 105, 111, kDark);
    COMPARE_PIXEL(screen, 117, 111, kDark);
    COMPARE_PIXEL(screen, 7, 7, clRed);  // the lamp stays
    penIsBlackAndThin(screen);
}

void TestOscilloscopeScreen::traceReplacesThePreviousOne()
{
    // Traces whose shape the worked numbers give on a 222-pixel screen at
    // 27.75 pixels per centimetre, each drawn over the one before: the sweep
    // line at zero current, the line at 0.2 A turned through the centre, and
    // the focusing dash. Every pixel on a trace's ideal segment is green, and
    // every pixel farther from it than the 4-pixel pen (and the rounding of
    // the points) reaches shows the screen as it was before any trace.
    struct Shape {
        double current;
        QPointF from, to;
    };
    const Shape shapes[] = {
        {0.0, {111, 14}, {111, 208}}, {0.2, {172, 107}, {50, 115}}, {0.40691, {111, 109}, {111, 113}},
        {0.0, {111, 14}, {111, 208}}, {0.2, {172, 107}, {50, 115}},
    };
    TImage screen;
    screen.setPictureSize(222, 222);
    LabState s = labAt(222);
    repaintScreen(screen);
    const QImage before = screen.picture().copy();
    const auto distance = [](QPointF p, QPointF a, QPointF b) {
        const QPointF ab = b - a;
        const double t = std::clamp(QPointF::dotProduct(p - a, ab) / QPointF::dotProduct(ab, ab), 0.0, 1.0);
        const QPointF d = p - (a + t * ab);
        return std::hypot(d.x(), d.y());
    };
    for (const Shape &shape : shapes) {
        drawBeamTrace(screen, s, shape.current, kNoRipple);
        for (int y = 0; y < 222; ++y)
            for (int x = 0; x < 222; ++x) {
                const double d = distance(QPointF(x, y), shape.from, shape.to);
                const QByteArray where = QByteArray::number(shape.current) + " at (" + QByteArray::number(x) + "," +
                    QByteArray::number(y) + ")";
                if (d <= 0.5 && pixel(screen, x, y) != clGreen) QFAIL(("not green " + where).constData());
                if (d > 3.5 && screen.picture().pixel(x, y) != before.pixel(x, y))
                    QFAIL(("not the bare screen " + where).constData());
            }
        penIsBlackAndThin(screen);
    }
}

void TestOscilloscopeScreen::traceShrunkToAPoint()
{
    // Tiny plates and a strong field: every point lands on the centre pixel,
    // and the trace is the pen's round dot there.
    TImage screen;
    screen.setPictureSize(222, 222);
    LabState s = labAt(222);
    repaintScreen(screen);
    const TraceSettings tinyPlates{0.0, 0.0, 0.001};
    const TracePath path = tracePoints(s, beginTrace(s, tinyPlates), 50.0, 222);
    for (const PixelPoint &p : path) QCOMPARE(p, (PixelPoint{111, 111}));
    drawBeamTrace(screen, s, 50.0, tinyPlates);
    COMPARE_PIXEL(screen, 111, 111, clGreen);
    const int dot = countOf(screen, clGreen);
    QVERIFY2(dot >= 9 && dot <= 16, QByteArray::number(dot));
    penIsBlackAndThin(screen);
}

void TestOscilloscopeScreen::traceFaults()
{
    TImage screen;
    screen.setPictureSize(222, 222);
    LabState s = labAt(222);
    repaintScreen(screen);
    s.scopeOn = true;
    drawScopeLamp(screen, s.scopeOn);
    drawBeamTrace(screen, s, 0.0, kNoRipple);
    const QImage withTrace = screen.picture().copy();
    // A negative voltage stops the trace before the disc is repainted.
    s.anodeVoltage = -5.0;
    QVERIFY_THROWS_EXCEPTION(InvalidOperation, drawBeamTrace(screen, s, 0.2, kNoRipple));
    QVERIFY(screen.picture() == withTrace);
    // No winding: the disc is cleared, then the first point fails.
    s = labAt(222);
    s.turnsPerMetre = 0.0;
    QVERIFY_THROWS_EXCEPTION(DivisionByZero, drawBeamTrace(screen, s, 0.2, kNoRipple));
    QCOMPARE(countOf(screen, clGreen), 0);
    COMPARE_PIXEL(screen, 111, 111, kDark);
    COMPARE_PIXEL(screen, 7, 7, clRed);
    penIsBlackAndThin(screen);
    s = labAt(222);
    s.driftLength = 0.0;
    QVERIFY_THROWS_EXCEPTION(InvalidOperation, drawBeamTrace(screen, s, 0.2, kNoRipple));
    QCOMPARE(countOf(screen, clGreen), 0);
}

void TestOscilloscopeScreen::faultPartWayKeepsTheSegmentsBefore()
{
    // A full ripple (amplitude 1, no phase) takes the current to exactly zero
    // where cos(2t) is -1: at point 25 there is no field, and the helix radius
    // divides by zero. The segments up to point 24 stay on the screen.
    TImage screen;
    screen.setPictureSize(222, 222);
    repaintScreen(screen);
    LabState s = labAt(222);
    const TraceSettings fullRipple{1.0, 0.0, 0.5};
    QVERIFY_THROWS_EXCEPTION(DivisionByZero, drawBeamTrace(screen, s, 0.2, fullRipple));
    LabState reference = labAt(222);
    const TraceSweep sweep = beginTrace(reference, fullRipple);
    QVERIFY_THROWS_EXCEPTION(DivisionByZero, tracePoint(reference, sweep, 25, 0.2, 222));
    TracePath points{};
    for (int i = 0; i < 25; ++i) points[std::size_t(i)] = tracePoint(reference, sweep, i, 0.2, 222).pixel;
    for (int i = 25; i < kTracePointCount; ++i) points[std::size_t(i)] = points[24];
    TImage blank;
    blank.setPictureSize(222, 222);
    repaintScreen(blank);
    const QImage expected = referenceTrace(blank.picture(), points);
    QVERIFY(countOf(screen, clGreen) > 50);
    QVERIFY(screen.picture() == expected);
    penIsBlackAndThin(screen);
}

QTEST_MAIN(TestOscilloscopeScreen)
#include "tst_oscilloscope_screen.moc"
