// SPDX-License-Identifier: GPL-3.0-or-later
// The dial's painting: whole frames against frames composed here from the
// drawing rules (radii, angles, label boxes, pointer shapes) and pixels worked
// out without the canvas; the two layers and their cache; pointer styles,
// labels, panel face; the dragging of the peak pointers; and settings at the
// ends of the int range.
#include "bench/stored_layout.h"
#include "common/paint_counter.h"
#include "common/property_path.h"
#include "common/reference_raster.h"
#include "widgets/angular_gauge.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <climits>
#include <cmath>
#include <numbers>

namespace {

TColor at(const QImage &image, QPoint p)
{
    return fromQColor(image.pixelColor(p));
}

#define COMPARE_AT(image, p, colour)                                                                                   \
    QVERIFY2(at(image, p) == (colour),                                                                                 \
             QByteArray("(" + QByteArray::number((p).x()) + "," + QByteArray::number((p).y()) + ") is " +              \
                        QByteArray::number(at(image, p), 16))                                                          \
                 .constData())

#define COMPARE_FRAMES(actual, expected) QVERIFY2((actual) == (expected), qPrintable(FirstDifference(actual, expected)))

QImage frameOf(QWidget &w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage blank(int w, int h, TColor colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(toQColor(colour));
    return image;
}

// A point at a radius and an angle (degrees, counter-clockwise, y down),
// each coordinate rounded to nearest with ties to even.
QPoint polar(QPoint c, double r, double degrees)
{
    const double a = degrees * std::numbers::pi / 180;
    return QPoint(c.x() + int(std::nearbyint(r * std::cos(a))), c.y() - int(std::nearbyint(r * std::sin(a))));
}

void line(QImage &image, QPoint from, QPoint to, TColor colour)
{
    PaintPixels(image, ReferenceLine(from, to), toQColor(colour));
}

void triangle(QImage &image, QPoint a, QPoint b, QPoint c, TColor colour)
{
    PaintPixels(image, ReferencePolygon({a, b, c}), toQColor(colour));
}

// The arc line through 401 points from angle lo to hi.
void arc(QImage &image, QPoint c, double r, double lo, double hi, TColor colour)
{
    QList<QPoint> points;
    for (int k = 0; k <= 400; ++k) points << polar(c, r, k == 400 ? hi : lo + k * ((hi - lo) / 400));
    PaintPixels(image, ReferencePolyline(points), toQColor(colour));
}

// A band between two radii: the outer edge from lo to hi, the inner edge
// back, closed.
void band(QImage &image, QPoint c, double r1, double r2, double lo, double hi, TColor colour)
{
    QList<QPoint> points;
    const double step = (hi - lo) / 400;
    for (int k = 0; k <= 400; ++k) points << polar(c, r1, k == 400 ? hi : lo + k * step);
    for (int k = 400; k >= 0; --k) points << polar(c, r2, k == 400 ? hi : lo + k * step);
    points << points.front();
    PaintPixels(image, ReferencePolygon(points), toQColor(colour));
}

// An arrow-and-line pointer: the line from the centre to the tip at radius
// r - margin, and the head's triangle on a base size wide at radius
// r - margin - size.
void arrowLinePointer(QImage &image, QPoint c, double r, double a, int size, int margin, TColor colour)
{
    const QPoint tip = polar(c, r - margin, a);
    const QPoint base = polar(c, r - margin - size, a);
    line(image, c, tip, colour);
    triangle(image, polar(base, size / 2.0, a + 90), polar(base, size / 2.0, a - 90), tip, colour);
}

// Text as the dial writes it: its box's top-left corner at (x, y), unclipped,
// without antialiasing.
void text(QImage &image, const QFont &font, TColor colour, int x, int y, const QString &s)
{
    QFont plain = font;
    plain.setStyleStrategy(QFont::NoAntialias);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(plain);
    p.setPen(toQColor(colour));
    p.drawText(QPoint(x, y + QFontMetrics(plain).ascent()), s);
}

// The raised 2-pixel border on the whole image.
void raisedBorder(QImage &image)
{
    const int r = image.width() - 1, b = image.height() - 1;
    QPainter p(&image);
    auto ring = [&](int i, TColor topLeft, TColor bottomRight) {
        p.fillRect(QRect(i, i, r - 2 * i + 1, 1), toQColor(topLeft));
        p.fillRect(QRect(i, i, 1, b - 2 * i + 1), toQColor(topLeft));
        p.fillRect(QRect(i, b - i, r - 2 * i + 1, 1), toQColor(bottomRight));
        p.fillRect(QRect(r - i, i, 1, b - 2 * i + 1), toQColor(bottomRight));
    };
    ring(0, cl3DLight, cl3DDkShadow);
    ring(1, clBtnHighlight, clBtnShadow);
}

void sendMouse(QWidget &w, QEvent::Type type, QPoint p, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(p), QPointF(w.mapToGlobal(p)), type == QEvent::MouseMove ? Qt::NoButton : button, held,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}

// A plain dial whose centre and radius do not depend on any font: no
// automatic centre or size, on white, nothing drawn unless a test asks.
void plainDial(AngularGauge &g)
{
    g.setBounds(0, 0, 150, 150);
    g.setBackgroundColor(clWhite);
    g.setAutoCenter(false);  // centre (75, 75), radius 60
    g.scale()->setShowTickLabels(false);
    g.scale()->setShowTicksMajor(false);
    g.scale()->setShowTicksMinor(false);
    g.setShowHub(false);
    g.setPointerStyle(GaugePointer::Style(4));  // draws nothing
}

constexpr QPoint kPlainCentre(75, 75);

// The angle of a value on 0..100 from 180 clockwise through 90 degrees.
double angleOf(double v)
{
    return 180 - v * 0.9;
}

// Counts how often the static layer is drawn: every drawing of it begins
// with the background.
class CountingGauge : public AngularGauge {
public:
    int backgroundLayers = 0;

protected:
    void paintBackground(Canvas &canvas, TColor color) override
    {
        ++backgroundLayers;
        AngularGauge::paintBackground(canvas, color);
    }
};

}  // namespace

class TestGaugePaint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void benchDialPixels();
    void arcLinesAndSectionsUnderTheTicks();
    void peakPointersInTheirOwnColours();
    void rampRedrawsOnlyTheDynamicLayer();
    void uncachedDrawingGivesTheSameFrame();
    void resizedCacheIsRedrawn();
    void labelFontAndTextsResizeTheDial();
    void unknownPointerStyleDrawsNothing();
    void severalPointersDrawInListOrder();
    void labelsByEdgeAlignment();
    void pictureFaceIsTheStandardFace();
    void extraMinorTicksOfFixedAutoScale();
    void switchingAutoScaleOffRedrawsTheTicks();
    void draggingTheMaximumAQuarterTurn();
    void draggingTheMinimumInSteps();
    void noDragWithoutPermission();
    void settingsAtTheEndsOfTheIntRange_data();
    void settingsAtTheEndsOfTheIntRange();
};

void TestGaugePaint::benchDialPixels()
{
    // The bench's dial at 200 x 200 on position 90, as its window lays it out.
    AngularGauge g;
    loadBenchDial(g);
    g.setBounds(0, 0, 200, 200);
    g.label1()->setOffsetX(10 - 200 / 2);
    g.label1()->setOffsetY(200 / 2 - 10);
    g.setPosition(90);
    const QImage frame = frameOf(g);

    // The tick labels "0" ... "100" at 180, 171, ... 90 degrees, in the label
    // font's own measure, as (left, top, right, bottom) around their anchor.
    const QFont font = g.scale()->tickLabelFont().font;
    const QFontMetrics fm(font);
    struct Box {
        int l, t, r, b;
        void add(const Box &o)
        {
            l = std::min(l, o.l), t = std::min(t, o.t), r = std::max(r, o.r), b = std::max(b, o.b);
        }
    };
    auto labelBox = [&](int i, QPoint c, double radius) {
        const int w = fm.horizontalAdvance(QString::number(10 * i)), h = fm.height();
        const QPoint p = polar(c, radius, 180 - 9 * i);
        return Box{p.x() - w / 2, p.y() - h / 2, p.x() + w / 2, p.y() + h / 2};
    };
    // The radius: labels at 10 + 7 + 10 + 4 = 31 around (0, 0); what is left
    // of the smaller side, less the outer margin 5 and the hub 5.
    Box box{0, 0, 0, 0};
    for (int i = 0; i <= 10; ++i) box.add(labelBox(i, QPoint(0, 0), 31));
    const int radius = std::min(200 - (box.r - box.l), 200 - (box.b - box.t)) - 5 - 5;
    // The centre: the box of the hub, ten samples along the scale at the
    // minor tick radius and the labels, centred in the widget.
    box = Box{98, 98, 102, 102};
    for (int v = 0; v < 100; v += 10) {
        const QPoint s = polar(QPoint(100, 100), 10 + radius + 3, angleOf(v));
        box.add(Box{s.x(), s.y(), s.x(), s.y()});
    }
    for (int i = 0; i <= 10; ++i) box.add(labelBox(i, QPoint(100, 100), radius + 31));
    const QPoint c(100 - (box.l + box.r - 200) / 2, 100 - (box.t + box.b - 200) / 2);

    // The static layer: grey face, raised border, the arc line at R + 10,
    // then for each major tick its line from R + 17 in to R + 10, its label
    // in white, and the four minor ticks after it from R + 15 in to R + 12
    // (centred in the major tick band).
    QImage expected = blank(200, 200, clGray);
    raisedBorder(expected);
    arc(expected, c, radius + 10, 90, 180, clBlack);
    for (int i = 0; i <= 10; ++i) {
        const double a = 180 - 9 * i;
        line(expected, polar(c, radius + 17, a), polar(c, radius + 10, a), clBlack);
        const Box r = labelBox(i, c, radius + 31);
        const QString s = QString::number(10 * i);
        text(expected, font, clWhite, r.l + (r.r - r.l - fm.horizontalAdvance(s)) / 2,
             r.t + (r.b - r.t - fm.height()) / 2, s);
        for (int k = 1; k <= 4 && i < 10; ++k) {
            const double m = angleOf(10 * i + 2 * k);
            line(expected, polar(c, radius + 15, m), polar(c, radius + 12, m), clBlack);
        }
    }
    // The moving parts: the "U" lies below the widget; the pointer at 99
    // degrees, tip 10 inside the radius, a head 10 long; the white hub in
    // the square 2 around the centre.
    arrowLinePointer(expected, c, radius, 99, 10, 10, clBlack);
    {
        QPainter p(&expected);
        p.setPen(toQColor(clWhite));
        p.setBrush(toQColor(clWhite));
        p.drawEllipse(QRect(c.x() - 2, c.y() - 2, 3, 3));
    }
    COMPARE_FRAMES(frame, expected);
    COMPARE_AT(frame, polar(c, radius - 10, 99), clBlack);  // the tip
}

void TestGaugePaint::arcLinesAndSectionsUnderTheTicks()
{
    // Three sections between the two arc lines, the ticks over them.
    AngularGauge g;
    plainDial(g);
    g.scale()->setShowTicksMajor(true);
    g.scale()->setShowTicksMinor(true);
    g.scale()->setTickMajorColor(clBlue);
    g.scale()->setTickMinorColor(clBlack);
    g.scale()->setTickMajorCount(3);
    g.scale()->setTickMinorCount(1);
    g.scale()->setShowInnerArcRadius(true);
    g.scale()->setShowOuterArcRadius(true);
    g.setSectionCount(3);
    const QImage frame = frameOf(g);

    // Radius 60, tick margin 5, major ticks 7 long: the arcs at 65 and 72,
    // the bands from 66 to 71 at 0..50 green, 50..75 yellow, 75..100 red.
    QImage expected = blank(150, 150, clWhite);
    band(expected, kPlainCentre, 66, 71, angleOf(50), angleOf(0), clGreen);
    band(expected, kPlainCentre, 66, 71, angleOf(75), angleOf(50), clYellow);
    band(expected, kPlainCentre, 66, 71, angleOf(100), angleOf(75), clRed);
    arc(expected, kPlainCentre, 65, 90, 180, clBlue);
    arc(expected, kPlainCentre, 72, 90, 180, clBlue);
    // Major ticks at 0, 50, 100 from 72 in to 65; minor ticks at 25 and 75,
    // inside: from 68 in to 65.
    for (double v : {0.0, 50.0, 100.0}) {
        line(expected, polar(kPlainCentre, 72, angleOf(v)), polar(kPlainCentre, 65, angleOf(v)), clBlue);
        if (v < 100)
            line(expected, polar(kPlainCentre, 68, angleOf(v + 25)), polar(kPlainCentre, 65, angleOf(v + 25)), clBlack);
    }
    COMPARE_FRAMES(frame, expected);
}

void TestGaugePaint::peakPointersInTheirOwnColours()
{
    AngularGauge g;
    plainDial(g);
    g.setShowMaxPointer(true);
    g.setShowMinPointer(true);
    g.setCurrentMax(80);
    g.setCurrentMin(20);
    g.setMaxPointerColor(clBlue);
    g.setMinPointerColor(clRed);
    const QImage frame = frameOf(g);
    // Arrow-and-line pointers 8 long with no margin: the maximum's first,
    // then the minimum's.
    QImage expected = blank(150, 150, clWhite);
    arrowLinePointer(expected, kPlainCentre, 60, angleOf(80), 8, 0, clBlue);
    arrowLinePointer(expected, kPlainCentre, 60, angleOf(20), 8, 0, clRed);
    COMPARE_FRAMES(frame, expected);
}

void TestGaugePaint::rampRedrawsOnlyTheDynamicLayer()
{
    CountingGauge g;
    loadBenchDial(g);
    g.setBounds(0, 0, 183, 183);
    PaintCounter paints(g);
    const int shown = g.backgroundLayers;
    QVERIFY(shown >= 1);
    for (int p = 1; p <= 90; ++p) {
        g.setPosition(p);
        QVERIFY(!g.backgroundStale());
        QCOMPARE(paints.take(), 1);
    }
    const QImage frame = frameOf(g);
    QCOMPARE(g.backgroundLayers, shown);
    // The dynamic layer over the cache gives the frame a full redraw gives.
    g.invalidateBackground();
    const QImage full = frameOf(g);
    QCOMPARE(g.backgroundLayers, shown + 1);
    QCOMPARE(frame, full);
    // A setting of the static parts rebuilds the layer.
    g.scale()->setTickMajorColor(clRed);
    frameOf(g);
    QCOMPARE(g.backgroundLayers, shown + 2);
}

void TestGaugePaint::uncachedDrawingGivesTheSameFrame()
{
    CountingGauge g;
    loadBenchDial(g);
    g.setBounds(0, 0, 200, 200);
    g.setPosition(90);
    g.setShowMaxPointer(true);
    g.setSectionCount(3);
    const QImage cached = frameOf(g);
    g.setCachedDrawing(false);
    const int before = g.backgroundLayers;
    const QImage direct = frameOf(g);
    frameOf(g);
    QCOMPARE(g.backgroundLayers, before + 2);  // every paint draws everything
    QCOMPARE(direct, cached);
}

void TestGaugePaint::resizedCacheIsRedrawn()
{
    AngularGauge g;
    loadBenchDial(g);
    g.setBounds(0, 0, 200, 200);
    frameOf(g);
    g.resize(190, 190);  // hidden: no resize event reaches the base
    const QImage frame = frameOf(g);
    g.invalidateBackground();
    QCOMPARE(frame, frameOf(g));
    COMPARE_AT(frame, QPoint(20, 20), clGray);
}

void TestGaugePaint::labelFontAndTextsResizeTheDial()
{
    AngularGauge g;
    loadBenchDial(g);
    g.setBounds(0, 0, 200, 200);
    frameOf(g);
    const int radius = g.scale()->arcRadius();
    auto fresh = [&] {
        const QFontMetrics fm(g.scale()->tickLabelFont().font);
        return g.dialGeometry([&](const QString &t) { return QSize(fm.horizontalAdvance(t), fm.height()); })
            .autoSizeRadius();
    };
    QCOMPARE(radius, fresh());
    g.scale()->setTickLabelFont(instrumentFont(QStringLiteral("DejaVu Sans"), 22, clWhite));
    frameOf(g);
    QVERIFY(g.scale()->arcRadius() < radius);
    QCOMPARE(g.scale()->arcRadius(), fresh());
    const int bigFont = g.scale()->arcRadius();
    g.setTickLabelCustomizer([](int, QString &text) { text += QStringLiteral(" kV"); });
    frameOf(g);
    QVERIFY(g.scale()->arcRadius() < bigFont);
    QCOMPARE(g.scale()->arcRadius(), fresh());
}

void TestGaugePaint::unknownPointerStyleDrawsNothing()
{
    AngularGauge g;
    loadBenchDial(g);
    g.setPosition(90);
    g.setPointerStyle(GaugePointer::Style(4));
    const QImage styleFour = frameOf(g);
    g.pointers().clear();
    const QImage none = frameOf(g);
    QCOMPARE(styleFour, none);
    g.pointers().add()->setStyle(GaugePointer::Style::Line);
    QVERIFY(frameOf(g) != none);
}

void TestGaugePaint::severalPointersDrawInListOrder()
{
    AngularGauge g;
    plainDial(g);
    g.setPosition(90);
    g.setPointerStyle(GaugePointer::Style::ArrowLine);
    g.setPointerMargin(10);
    GaugePointer *second = g.pointers().add();
    second->setStyle(GaugePointer::Style::Line);
    second->setColor(clRed);
    second->setPosition(90);
    second->setMargin(10);
    const QImage frame = frameOf(g);
    // The later, red line covers the black one but not the black head.
    QImage expected = blank(150, 150, clWhite);
    arrowLinePointer(expected, kPlainCentre, 60, angleOf(90), 10, 10, clBlack);
    line(expected, kPlainCentre, polar(kPlainCentre, 50, angleOf(90)), clRed);
    COMPARE_FRAMES(frame, expected);
}

void TestGaugePaint::labelsByEdgeAlignment()
{
    AngularGauge g;
    g.setBounds(0, 0, 150, 150);
    g.setBackgroundColor(clGray);
    g.label2()->setVisible(true);
    g.label2()->setText(QStringLiteral("WW"));
    g.label2()->setFont(instrumentFont(QStringLiteral("DejaVu Sans"), 14, clRed));
    g.label2()->setAlignHorizontal(DialLabel::HorizontalAlignment::Right);
    g.label2()->setAlignVertical(DialLabel::VerticalAlignment::Bottom);
    g.label2()->setOffsetX(-10);
    g.label2()->setOffsetY(-20);
    const QImage frame = frameOf(g);
    const QFontMetrics fm(g.label2()->font().font);
    const int w = fm.horizontalAdvance(QStringLiteral("WW")), h = fm.height();
    const TRect box{150 - 10 - w, 150 - 20 - h, 150 - 10, 150 - 20};
    int inside = 0, outside = 0;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 150; ++x)
            if (at(frame, QPoint(x, y)) == clRed) (box.contains(QPoint(x, y)) ? inside : outside)++;
    QVERIFY(inside > 10);
    QCOMPARE(outside, 0);
}

void TestGaugePaint::pictureFaceIsTheStandardFace()
{
    AngularGauge g;
    plainDial(g);
    g.setPanelFaceStyle(AngularGauge::PanelFaceStyle::Standard);
    g.setPanelFaceOuterColor(clBlue);
    g.setPanelFaceInnerColor(clYellow);
    const QImage standard = frameOf(g);
    COMPARE_AT(standard, QPoint(75, 20), clYellow);  // inside the inner ellipse
    COMPARE_AT(standard, QPoint(8, 75), clBlue);     // between the ellipse and the edge
    COMPARE_AT(standard, QPoint(75, 0), clWhite);    // the outline of the rounded face
    g.setPanelFaceStyle(AngularGauge::PanelFaceStyle::Picture);
    QCOMPARE(frameOf(g), standard);
    g.setPanelFaceStyle(AngularGauge::PanelFaceStyle::None);
    QVERIFY(frameOf(g) != standard);
}

void TestGaugePaint::extraMinorTicksOfFixedAutoScale()
{
    AngularGauge g;
    plainDial(g);
    g.scale()->setShowTicksMinor(true);
    g.scale()->setTickMinorColor(clRed);
    g.setPositionMin(3);
    g.setPositionMax(97);
    g.setAutoScaleStyle(ScaleInstrument::AutoScaleStyle::FixedMinMax);
    g.setAutoScaleEnabled(true);
    QCOMPARE(g.tickRangeLow(), 20.0);
    QCOMPARE(g.tickRangeHigh(), 80.0);
    QCOMPARE(g.scale()->tickMajorCount(), 4);
    const QImage frame = frameOf(g);
    // Minor ticks every 4 (20 / 5), inside: from radius 68 in to 65, also
    // beyond the tick range up to the maximum and down to the minimum.
    auto angle = [](double v) { return 180 - (v - 3) / 94 * 90; };
    QImage expected = blank(150, 150, clWhite);
    for (double v = 4; v <= 97; v += 4)
        if (std::fmod(v - 20, 20) != 0 || v < 20 || v > 80)
            line(expected, polar(kPlainCentre, 68, angle(v)), polar(kPlainCentre, 65, angle(v)), clRed);
    COMPARE_FRAMES(frame, expected);
}

void TestGaugePaint::switchingAutoScaleOffRedrawsTheTicks()
{
    AngularGauge g;
    plainDial(g);
    g.scale()->setShowTicksMajor(true);
    g.scale()->setTickMajorColor(clBlue);
    g.setPositionMin(3);
    g.setPositionMax(97);
    g.setAutoScaleStyle(ScaleInstrument::AutoScaleStyle::FixedMinMax);
    g.setAutoScaleEnabled(true);  // major ticks at 20, 40, 60, 80
    frameOf(g);
    auto outerEnd = [](double v) { return polar(kPlainCentre, 72, 180 - (v - 3) / 94 * 90); };
    g.setAutoScaleEnabled(false);  // the same four ticks, now from 3 to 97
    QVERIFY(g.backgroundStale());
    QImage frame = frameOf(g);
    COMPARE_AT(frame, outerEnd(3), clBlue);
    COMPARE_AT(frame, outerEnd(97), clBlue);
    COMPARE_AT(frame, outerEnd(20), clWhite);
    COMPARE_AT(frame, outerEnd(80), clWhite);
}

void TestGaugePaint::draggingTheMaximumAQuarterTurn()
{
    AngularGauge g;
    plainDial(g);
    g.setShowMaxPointer(true);
    g.setMinMaxUserCanMove(true);
    g.setCurrentMax(80);
    g.setCurrentMin(50);
    PaintCounter paints(g);
    // The middle of the maximum's head: between its base at radius 52 and
    // its tip at 60.
    const QPoint press = polar(kPlainCentre, 56, angleOf(80));
    sendMouse(g, QEvent::MouseButtonPress, press);
    QCOMPARE(paints.take(), 1);
    // A quarter turn counter-clockwise on the screen: 90 of 90 degrees,
    // so 100 down, clamped to the minimum, pulling CurrentMin with it.
    const QPoint d = press - kPlainCentre;
    sendMouse(g, QEvent::MouseMove, kPlainCentre + QPoint(d.y(), -d.x()));
    QCOMPARE(g.currentMax(), 0.0);
    QCOMPARE(g.currentMin(), 0.0);
    sendMouse(g, QEvent::MouseButtonRelease, kPlainCentre + QPoint(d.y(), -d.x()));
    g.setCurrentMax(80);
    sendMouse(g, QEvent::MouseMove, press);  // released: no drag
    QCOMPARE(g.currentMax(), 80.0);
}

void TestGaugePaint::draggingTheMinimumInSteps()
{
    AngularGauge g;
    plainDial(g);
    g.setShowMinPointer(true);
    g.setShowMaxPointer(true);
    g.setMinMaxUserCanMove(true);
    g.setCurrentMax(30);
    g.setCurrentMin(10);
    frameOf(g);
    const QPoint press = polar(kPlainCentre, 56, angleOf(10));
    sendMouse(g, QEvent::MouseButtonPress, press);
    // Clockwise, in steps, raises the minimum by the angle turned.
    const double start = std::atan2(double(press.y() - 75), double(press.x() - 75));
    const double radius = std::hypot(press.x() - 75, press.y() - 75);
    QPoint last = press;
    for (int step = 1; step <= 5; ++step) {
        const double a = start + step * 9.0 * std::numbers::pi / 180;
        last = QPoint(75 + int(radius * std::cos(a)), 75 + int(radius * std::sin(a)));
        sendMouse(g, QEvent::MouseMove, last);
    }
    const double turned = (std::atan2(double(last.y() - 75), double(last.x() - 75)) - start) * 180 / std::numbers::pi;
    QVERIFY(qAbs(turned - 45) < 2);
    QVERIFY(qAbs(g.currentMin() - (10 + turned / 90 * 100)) < 1e-9);
    // The maximum is pushed up to stay above the minimum.
    QCOMPARE(g.currentMax(), g.currentMin());
    sendMouse(g, QEvent::MouseButtonRelease, last);
}

void TestGaugePaint::noDragWithoutPermission()
{
    AngularGauge g;
    plainDial(g);
    g.setShowMaxPointer(true);
    g.setCurrentMax(80);
    frameOf(g);
    const QPoint press = polar(kPlainCentre, 56, angleOf(80));
    const QPoint d = press - kPlainCentre;
    const QPoint quarter = kPlainCentre + QPoint(d.y(), -d.x());
    sendMouse(g, QEvent::MouseButtonPress, press);
    sendMouse(g, QEvent::MouseMove, quarter);
    QCOMPARE(g.currentMax(), 80.0);
    sendMouse(g, QEvent::MouseButtonRelease, press);

    g.setMinMaxUserCanMove(true);
    sendMouse(g, QEvent::MouseButtonPress, press, Qt::RightButton);
    sendMouse(g, QEvent::MouseMove, quarter);
    QCOMPARE(g.currentMax(), 80.0);
    sendMouse(g, QEvent::MouseButtonRelease, press, Qt::RightButton);
    sendMouse(g, QEvent::MouseButtonPress, kPlainCentre);  // off the pointer
    sendMouse(g, QEvent::MouseMove, quarter);
    QCOMPARE(g.currentMax(), 80.0);
}

void TestGaugePaint::settingsAtTheEndsOfTheIntRange_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<int>("value");
    for (const char *name : {"scale.arcRadius", "scale.arcRangeDegrees", "scale.arcStartDegrees", "scale.tickMargin",
                             "scale.tickMajorLength", "scale.tickMinorLength", "scale.tickLabelMargin", "outerMargin",
                             "hubSize", "pointerSize", "pointerMargin", "minMaxPointerSize", "minMaxPointerMargin",
                             "panelFaceSize", "label1.offsetX", "label1.offsetY", "offsetX", "offsetY"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1 max").arg(name))) << QByteArray(name) << INT_MAX;
        QTest::newRow(qPrintable(QStringLiteral("%1 min").arg(name))) << QByteArray(name) << INT_MIN;
    }
}

void TestGaugePaint::settingsAtTheEndsOfTheIntRange()
{
    // Every part drawn: sections, both arcs, peak pointers, face, labels.
    // The pixel arithmetic holds such settings in range instead of
    // overflowing (the sanitized build would stop here otherwise).
    QFETCH(QByteArray, property);
    QFETCH(int, value);
    for (bool automatic : {true, false}) {
        AngularGauge g;
        loadBenchDial(g);
        g.setBounds(0, 0, 183, 183);
        g.setAutoSize(automatic);
        g.setAutoCenter(automatic);
        g.setSectionCount(3);
        g.scale()->setShowOuterArcRadius(true);
        g.setShowMaxPointer(true);
        g.setShowMinPointer(true);
        g.setPanelFaceStyle(AngularGauge::PanelFaceStyle::Standard);
        g.label1()->setOffsetX(-20);
        g.label1()->setOffsetY(20);
        g.setPosition(60);
        const PropertyAt setting = propertyAt(g, property);
        QVERIFY(setting.write(value));
        // Settings are never rejected, only held as their setters say: the
        // arc's range at a full turn, tick lengths at one pixel or more.
        int stored = value;
        if (property == "scale.arcRangeDegrees") stored = std::min(value, 360);
        if (property.startsWith("scale.tick") && property.endsWith("Length")) stored = std::max(value, 1);
        QCOMPARE(setting.read().toInt(), stored);
        QCOMPARE(frameOf(g).size(), QSize(183, 183));
        g.setPosition(61);  // the dynamic layer alone
        QCOMPARE(frameOf(g).size(), QSize(183, 183));
    }
}

QTEST_MAIN(TestGaugePaint)
#include "tst_gauge_paint.moc"
