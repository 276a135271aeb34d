// The dial's painting: the bench's dial in real pixels, the two layers and
// their cache, the pointer styles, sections, labels, panel face and the
// dragging of the peak pointers.
#include "widgets/iAngularGauge.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLocale>
#include <QMouseEvent>
#include <QTest>
#include <cmath>
#include <numbers>

namespace {

TColor at(const QImage &image, QPoint p) { return fromQColor(image.pixelColor(p)); }
TColor sys(TColor c) { return fromQColor(toQColor(c)); }

#define COMPARE_AT(image, p, colour) \
    QVERIFY2(at(image, p) == (colour), \
             QByteArray("(" + QByteArray::number((p).x()) + "," + QByteArray::number((p).y()) + ") is " + \
                        QByteArray::number(at(image, p), 16)).constData())

bool anyInBox(const QImage &image, const TRect &r, TColor colour)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (image.rect().contains(x, y) && at(image, QPoint(x, y)) == colour) return true;
    return false;
}

void sendMouse(QWidget &w, QEvent::Type type, QPoint p, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(p), QPointF(w.mapToGlobal(p)), type == QEvent::MouseMove ? Qt::NoButton : button,
                  held, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}

QPoint middle(const TRect &r) { return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

// The bench's dial at 200 x 200 on position 90.
void benchDialAt90(TiAngularGauge &g)
{
    LoadBenchDial(g);
    g.SetBounds(0, 0, 200, 200);
    g.setPosition(90);
}

} // namespace

class TestGaugePaint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void benchDialPixels();
    void rampRedrawsOnlyTheDynamicLayer();
    void uncachedDrawingGivesTheSameFrame();
    void resizedCacheIsRedrawn();
    void labelFontAndTextsResizeTheDial();
    void unknownPointerStyleDrawsNothing();
    void severalPointersDrawInListOrder();
    void sectionsAreColouredBands();
    void labelsByEdgeAlignment();
    void pictureFaceIsTheStandardFace();
    void extraMinorTicksOfFixedAutoScale();
    void draggingTheMaximumAQuarterTurn();
    void draggingTheMinimumInSteps();
    void noDragWithoutPermission();
};

void TestGaugePaint::benchDialPixels()
{
    TiAngularGauge g;
    benchDialAt90(g);
    const QImage frame = g.PaintFrame();

    // Expected points from the same functions, with the real label font.
    TiDialGeometry geometry = g.Geometry();
    geometry.ArcRadius = AutoSizeRadius(geometry);
    QCOMPARE(g.ArcRadius(), geometry.ArcRadius);
    const QPoint c = DialCenterPoint(geometry);
    QCOMPARE(g.LastCenter(), c);

    const TiPointerShape head = PointerShape(geometry, c, 90, iagpsArrowLine, 10, 10, false);
    const QPoint *t = head.Triangle;
    const QPoint centroid((t[0].x() + t[1].x() + t[2].x()) / 3, (t[0].y() + t[1].y() + t[2].y()) / 3);
    COMPARE_AT(frame, centroid, clBlack);
    COMPARE_AT(frame, t[0], clBlack);
    // The pointer's line, halfway out, passes within a pixel of its midpoint.
    const QPoint half = TiComponent::PolarPoint(c, (geometry.ArcRadius - 10) / 2.0, 99);
    QVERIFY(anyInBox(frame, TRect{half.x() - 1, half.y() - 1, half.x() + 2, half.y() + 2}, clBlack));

    const TRect hub = HubRect(c, 5);
    COMPARE_AT(frame, c, clWhite);
    COMPARE_AT(frame, QPoint(hub.Left + 1, hub.Top + 1), clWhite);
    COMPARE_AT(frame, QPoint(hub.Right + 1, hub.Top + 1), clGray);  // just right of the hub

    // The grey face and the raised 2-pixel border.
    COMPARE_AT(frame, QPoint(20, 20), clGray);
    COMPARE_AT(frame, QPoint(2, 100), clGray);
    COMPARE_AT(frame, QPoint(0, 0), sys(cl3DLight));
    COMPARE_AT(frame, QPoint(0, 100), sys(cl3DLight));
    COMPARE_AT(frame, QPoint(1, 1), sys(clBtnHighlight));
    COMPARE_AT(frame, QPoint(199, 199), sys(cl3DDkShadow));
    COMPARE_AT(frame, QPoint(199, 50), sys(cl3DDkShadow));
    COMPARE_AT(frame, QPoint(198, 198), sys(clBtnShadow));

    // The black arc line through the middle of the scale, white label text
    // inside the label rectangles.
    COMPARE_AT(frame, TiComponent::PolarPoint(c, geometry.ArcRadius + 10, 135), clBlack);
    QVERIFY(anyInBox(frame, TickLabelRect(geometry, 0, c), clWhite));
    QVERIFY(anyInBox(frame, TickLabelRect(geometry, 10, c), clWhite));
    QVERIFY(anyInBox(frame, TickLabelRect(geometry, 5, c), clWhite));
    // Major tick at 50: the outer end pixel; the first minor tick after it,
    // at 52, centred in the band (radii + 12 to + 15).
    COMPARE_AT(frame, TiComponent::PolarPoint(c, geometry.ArcRadius + 17, 135), clBlack);
    COMPARE_AT(frame, TiComponent::PolarPoint(c, geometry.ArcRadius + 15, 133.2), clBlack);
    COMPARE_AT(frame, TiComponent::PolarPoint(c, geometry.ArcRadius + 17, 133.2), clGray);
}

void TestGaugePaint::rampRedrawsOnlyTheDynamicLayer()
{
    TiAngularGauge g;
    LoadBenchDial(g);
    g.SetBounds(0, 0, 183, 183);
    g.PaintFrame();
    QCOMPARE(g.BackgroundLayerDraws(), 1);
    QImage frame;
    for (int p = 1; p <= 90; ++p) {
        g.setPosition(p);
        QVERIFY(!g.BackgroundChanged());
        frame = g.PaintFrame();
    }
    QCOMPARE(g.BackgroundLayerDraws(), 1);
    // The dynamic layer over the cache gives the frame a full redraw gives.
    g.InvalidateBackground();
    const QImage full = g.PaintFrame();
    QCOMPARE(g.BackgroundLayerDraws(), 2);
    QCOMPARE(frame, full);
    // A setting of the static parts rebuilds the layer.
    g.setTickMajorColor(clRed);
    g.PaintFrame();
    QCOMPARE(g.BackgroundLayerDraws(), 3);
}

void TestGaugePaint::uncachedDrawingGivesTheSameFrame()
{
    TiAngularGauge g;
    benchDialAt90(g);
    g.setShowMaxPointer(true);
    g.setSectionCount(3);
    const QImage cached = g.PaintFrame();
    g.setCachedDrawing(false);
    const int before = g.BackgroundLayerDraws();
    const QImage direct = g.PaintFrame();
    g.PaintFrame();
    QCOMPARE(g.BackgroundLayerDraws(), before + 2);  // every paint draws everything
    QCOMPARE(direct, cached);
}

void TestGaugePaint::resizedCacheIsRedrawn()
{
    TiAngularGauge g;
    benchDialAt90(g);
    g.PaintFrame();
    g.resize(190, 190);  // hidden: no resize event reaches the base
    const QImage frame = g.PaintFrame();
    g.InvalidateBackground();
    QCOMPARE(frame, g.PaintFrame());
    COMPARE_AT(frame, QPoint(20, 20), clGray);
}

void TestGaugePaint::labelFontAndTextsResizeTheDial()
{
    TiAngularGauge g;
    benchDialAt90(g);
    g.PaintFrame();
    const int radius = g.ArcRadius();
    auto freshRadius = [&] {
        const QFontMetrics fm(g.TickLabelFont().Font);
        return AutoSizeRadius(g.Geometry([&](const QString &t) { return QSize(fm.horizontalAdvance(t), fm.height()); }));
    };
    QCOMPARE(radius, freshRadius());
    g.setTickLabelFont(MakeFont(QStringLiteral("DejaVu Sans"), 22, clWhite));
    g.PaintFrame();
    QVERIFY(g.ArcRadius() < radius);
    QCOMPARE(g.ArcRadius(), freshRadius());
    const int bigFont = g.ArcRadius();
    g.setOnCustomizeTickLabel([](QObject *, int, QString &text) { text += QStringLiteral(" kV"); });
    g.PaintFrame();
    QVERIFY(g.ArcRadius() < bigFont);
    QCOMPARE(g.ArcRadius(), freshRadius());
}

void TestGaugePaint::unknownPointerStyleDrawsNothing()
{
    TiAngularGauge g;
    benchDialAt90(g);
    g.setPointerStyle(TiAngularGaugePointerStyle(4));
    const QImage styleFour = g.PaintFrame();
    g.Pointers().Clear();
    const QImage none = g.PaintFrame();
    QCOMPARE(styleFour, none);
    g.Pointers().Add()->setStyle(iagpsLine);
    QVERIFY(g.PaintFrame() != none);
}

void TestGaugePaint::severalPointersDrawInListOrder()
{
    TiAngularGauge g;
    benchDialAt90(g);
    g.setShowHub(false);
    TiGaugePointer *second = g.Pointers().Add();
    second->setStyle(iagpsLine);
    second->setColor(clRed);
    second->setPosition(90);
    second->setMargin(10);
    const QImage frame = g.PaintFrame();
    TiDialGeometry geometry = g.Geometry();
    geometry.ArcRadius = g.ArcRadius();
    const QPoint c = g.LastCenter();
    // Both lie on the same line: the later, red one covers the black line
    // but not the black head beyond its tip.
    const QPoint half = TiComponent::PolarPoint(c, (geometry.ArcRadius - 10) / 2.0, 99);
    QVERIFY(anyInBox(frame, TRect{half.x() - 1, half.y() - 1, half.x() + 2, half.y() + 2}, clRed));
    QVERIFY(!anyInBox(frame, TRect{half.x() - 1, half.y() - 1, half.x() + 2, half.y() + 2}, clBlack));
    const TiPointerShape head = PointerShape(geometry, c, 90, iagpsArrowLine, 10, 10, false);
    COMPARE_AT(frame, head.Triangle[0], clBlack);
}

void TestGaugePaint::sectionsAreColouredBands()
{
    TiAngularGauge g;
    benchDialAt90(g);
    g.setShowTicksMajor(false);
    g.setShowTicksMinor(false);
    g.setSectionCount(3);
    const QImage frame = g.PaintFrame();
    const QPoint c = g.LastCenter();
    const double r = g.ArcRadius() + 10 + 3.5;  // the middle of the band
    COMPARE_AT(frame, TiComponent::PolarPoint(c, r, g.PositionToDegrees(25)), clGreen);
    COMPARE_AT(frame, TiComponent::PolarPoint(c, r, g.PositionToDegrees(62)), clYellow);
    COMPARE_AT(frame, TiComponent::PolarPoint(c, r, g.PositionToDegrees(90)), clRed);
    // The inner arc line keeps its own pixel row.
    COMPARE_AT(frame, TiComponent::PolarPoint(c, g.ArcRadius() + 10, g.PositionToDegrees(25)), clBlack);
}

void TestGaugePaint::labelsByEdgeAlignment()
{
    TiAngularGauge g;
    g.SetBounds(0, 0, 150, 150);
    g.setBackGroundColor(clGray);
    g.setShowLabel2(true);
    g.setLabel2Text(QStringLiteral("WW"));
    g.setLabel2Font(MakeFont(QStringLiteral("DejaVu Sans"), 14, clRed));
    g.setLabel2AlignHorizontal(iahRight);
    g.setLabel2AlignVertical(iavBottom);
    g.setLabel2OffsetX(-10);
    g.setLabel2OffsetY(-20);
    const QImage frame = g.PaintFrame();
    const QFontMetrics fm(g.Label2Font().Font);
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
    TiAngularGauge g;
    g.setShowTicksMajor(false);
    g.setShowTicksMinor(false);
    g.setShowTickLabels(false);
    g.setShowHub(false);
    g.setPointerStyle(TiAngularGaugePointerStyle(4));
    g.setPanelFaceStyle(ipfsStandard);
    g.setPanelFaceOuterColor(clBlue);
    g.setPanelFaceInnerColor(clYellow);
    const QImage standard = g.PaintFrame();
    COMPARE_AT(standard, QPoint(75, 20), clYellow);  // inside the inner ellipse
    COMPARE_AT(standard, QPoint(8, 75), clBlue);      // between the ellipse and the edge
    COMPARE_AT(standard, QPoint(75, 0), clWhite);     // the outline of the rounded face
    g.setPanelFaceStyle(ipfsPicture);
    QCOMPARE(g.PaintFrame(), standard);
    g.setPanelFaceStyle(ipfsNone);
    QVERIFY(g.PaintFrame() != standard);
}

void TestGaugePaint::extraMinorTicksOfFixedAutoScale()
{
    TiAngularGauge g;
    g.SetBounds(0, 0, 150, 150);
    g.setBackGroundColor(clWhite);
    g.setShowTicksMajor(false);
    g.setShowTickLabels(false);
    g.setShowHub(false);
    g.setPointerStyle(TiAngularGaugePointerStyle(4));
    g.setTickMinorColor(clRed);
    g.setPositionMin(3);
    g.setPositionMax(97);
    g.setAutoScaleStyle(iassFixedMinMax);
    g.setAutoScaleEnabled(true);
    QCOMPARE(g.TickRangeLo(), 20.0);
    QCOMPARE(g.TickRangeHi(), 80.0);
    QCOMPARE(g.TickMajorCount(), 4);
    const QImage frame = g.PaintFrame();
    const QPoint c = g.LastCenter();
    // Minor ticks every 4 (20 / 5), inside: from radius 65 + 3 inward.
    auto tickStart = [&](double v) { return TiComponent::PolarPoint(c, 68, g.PositionToDegrees(v)); };
    COMPARE_AT(frame, tickStart(24), clRed);
    COMPARE_AT(frame, tickStart(96), clRed);  // beyond the tick range, up to the maximum
    COMPARE_AT(frame, tickStart(4), clRed);   // and down to the minimum
    COMPARE_AT(frame, tickStart(20), clWhite);  // no major ticks drawn
    COMPARE_AT(frame, tickStart(100), clWhite);
}

void TestGaugePaint::draggingTheMaximumAQuarterTurn()
{
    TiAngularGauge g;
    g.SetBounds(0, 0, 150, 150);
    g.setShowMaxPointer(true);
    g.setMinMaxUserCanMove(true);
    g.setCurrentMax(80);
    g.setCurrentMin(50);
    g.PaintFrame();
    const QPoint c = g.LastCenter();
    const QPoint press = middle(g.MaxPointerRect());
    QVERIFY(g.MaxPointerRect().contains(press));
    const int requests = g.RepaintRequests();
    sendMouse(g, QEvent::MouseButtonPress, press);
    QVERIFY(g.DraggingMax());
    QVERIFY(g.RepaintRequests() > requests);
    // A quarter turn counter-clockwise on the screen: 90 of 90 degrees,
    // so 100 down, clamped to the minimum, pulling CurrentMin with it.
    const QPoint d = press - c;
    sendMouse(g, QEvent::MouseMove, c + QPoint(d.y(), -d.x()));
    QCOMPARE(g.CurrentMax(), 0.0);
    QCOMPARE(g.CurrentMin(), 0.0);
    sendMouse(g, QEvent::MouseButtonRelease, c + QPoint(d.y(), -d.x()));
    QVERIFY(!g.DraggingMax());
    sendMouse(g, QEvent::MouseMove, press);
    QCOMPARE(g.CurrentMax(), 0.0);
}

void TestGaugePaint::draggingTheMinimumInSteps()
{
    TiAngularGauge g;
    g.SetBounds(0, 0, 150, 150);
    g.setShowMinPointer(true);
    g.setShowMaxPointer(true);
    g.setMinMaxUserCanMove(true);
    g.setCurrentMax(30);
    g.setCurrentMin(10);
    g.PaintFrame();
    const QPoint c = g.LastCenter();
    const QPoint press = middle(g.MinPointerRect());
    sendMouse(g, QEvent::MouseButtonPress, press);
    QVERIFY(g.DraggingMin());
    QVERIFY(!g.DraggingMax());
    // Clockwise, in steps, raises the minimum by the angle turned.
    const double start = std::atan2(double(press.y() - c.y()), double(press.x() - c.x()));
    const double radius = std::hypot(press.x() - c.x(), press.y() - c.y());
    QPoint last = press;
    for (int step = 1; step <= 5; ++step) {
        const double a = start + step * 9.0 * std::numbers::pi / 180;
        last = QPoint(c.x() + int(radius * std::cos(a)), c.y() + int(radius * std::sin(a)));
        sendMouse(g, QEvent::MouseMove, last);
    }
    const double turned = (std::atan2(double(last.y() - c.y()), double(last.x() - c.x())) - start) * 180 / std::numbers::pi;
    QVERIFY(qAbs(turned - 45) < 2);
    QVERIFY(qAbs(g.CurrentMin() - (10 + turned / 90 * 100)) < 1e-9);
    // The maximum is pushed up to stay above the minimum.
    QCOMPARE(g.CurrentMax(), g.CurrentMin());
    sendMouse(g, QEvent::MouseButtonRelease, last);
}

void TestGaugePaint::noDragWithoutPermission()
{
    TiAngularGauge g;
    g.SetBounds(0, 0, 150, 150);
    g.setShowMaxPointer(true);
    g.setCurrentMax(80);
    g.PaintFrame();
    const QPoint c = g.LastCenter();
    const QPoint press = middle(g.MaxPointerRect());
    const QPoint d = press - c;
    sendMouse(g, QEvent::MouseButtonPress, press);
    QVERIFY(!g.DraggingMax());
    sendMouse(g, QEvent::MouseMove, c + QPoint(d.y(), -d.x()));
    QCOMPARE(g.CurrentMax(), 80.0);
    sendMouse(g, QEvent::MouseButtonRelease, press);

    g.setMinMaxUserCanMove(true);
    sendMouse(g, QEvent::MouseButtonPress, press, Qt::RightButton);
    QVERIFY(!g.DraggingMax());
    sendMouse(g, QEvent::MouseButtonRelease, press, Qt::RightButton);
    sendMouse(g, QEvent::MouseButtonPress, c);  // off the pointer
    QVERIFY(!g.DraggingMax());
    sendMouse(g, QEvent::MouseMove, c + QPoint(d.y(), -d.x()));
    QCOMPARE(g.CurrentMax(), 80.0);
}

QTEST_MAIN(TestGaugePaint)
#include "tst_gauge_paint.moc"
