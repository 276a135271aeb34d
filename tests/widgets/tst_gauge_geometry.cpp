// SPDX-License-Identifier: GPL-3.0-or-later
// The dial's numbers: angles, the automatic radius and centre, tick label
// rectangles, arc bands and pointer shapes, with a label font whose digits
// are 6 pixels wide and whose text is 13 pixels high.
#include "bench/stored_layout.h"
#include "widgets/iAngularGauge.h"

#include <QLocale>
#include <QTest>

namespace {

QSize sixByThirteen(const QString &text) { return QSize(6 * int(text.size()), 13); }

bool sameRect(const TRect &r, int l, int t, int rr, int b) { return r == TRect{l, t, rr, b}; }

QByteArray show(const TRect &r)
{
    return QByteArray::number(r.Left) + "," + QByteArray::number(r.Top) + "," + QByteArray::number(r.Right) + "," +
           QByteArray::number(r.Bottom);
}

// The bench's dial at 200 x 200 with its radius found as a paint finds it.
TiDialGeometry workedExample(TiAngularGauge &g)
{
    loadBenchDial(g);
    g.SetBounds(0, 0, 200, 200);
    TiDialGeometry geometry = g.Geometry(sixByThirteen);
    geometry.ArcRadius = AutoSizeRadius(geometry);
    return geometry;
}

} // namespace

class TestGaugeGeometry : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void anglesOfTheBenchScale();
    void workedExampleRadiusAndCentre();
    void workedExampleLabels();
    void workedExamplePointerAndHub();
    void valuesOutsideTheRangeArePinned();
    void reversedScale();
    void fullCircleScale();
    void justifiedLabels();
    void autoSizeDivisors_data();
    void autoSizeDivisors();
    void centreWithoutAutoCentre();
    void centreOffsetsMoveTheDrawing();
    void hubSquare();
    void pointerStyles();
    void hitRectangles();
    void arcBandOutlines();
};

void TestGaugeGeometry::anglesOfTheBenchScale()
{
    TiAngularGauge g;
    loadBenchDial(g);
    QCOMPARE(g.PositionToDegrees(90), 99.0);
    for (int i = 0; i < 11; ++i) QCOMPARE(g.PositionToDegrees(g.GetTickValue(i)), 180.0 - 9 * i);
}

void TestGaugeGeometry::workedExampleRadiusAndCentre()
{
    TiAngularGauge g;
    TiDialGeometry geometry = workedExample(g);
    QCOMPARE(geometry.ArcRadius, 144);
    QCOMPARE(DialCenterPoint(geometry), QPoint(185, 187));
}

void TestGaugeGeometry::workedExampleLabels()
{
    TiAngularGauge g;
    TiDialGeometry geometry = workedExample(g);
    const QPoint c = DialCenterPoint(geometry);
    const TRect zero = TickLabelRect(geometry, 0, c);
    QVERIFY2(sameRect(zero, 7, 181, 13, 193), show(zero).constData());
    const TRect hundred = TickLabelRect(geometry, 10, c);
    QVERIFY2(sameRect(hundred, 176, 6, 194, 18), show(hundred).constData());
    // Their anchors, at radius 144 + 10 + 7 + 10 + 4.
    QCOMPARE(TiComponent::PolarPoint(c, 175, 180), QPoint(10, 187));
    QCOMPARE(TiComponent::PolarPoint(c, 175, 90), QPoint(185, 12));
}

void TestGaugeGeometry::workedExamplePointerAndHub()
{
    TiAngularGauge g;
    TiDialGeometry geometry = workedExample(g);
    const QPoint c = DialCenterPoint(geometry);
    const TiPointerShape s = PointerShape(geometry, c, 90, iagpsArrowLine, 10, 10, false);
    QVERIFY(s.HasLine);
    QCOMPARE(s.LineFrom, QPoint(185, 187));
    QCOMPARE(s.LineTo, QPoint(164, 55));
    QCOMPARE(TiComponent::PolarPoint(c, 124, 99), QPoint(166, 65));
    QVERIFY(s.HasTriangle);
    QCOMPARE(s.Triangle[0], QPoint(161, 66));
    QCOMPARE(s.Triangle[1], QPoint(171, 64));
    QCOMPARE(s.Triangle[2], QPoint(164, 55));
    const TRect hub = HubRect(c, geometry.HubSize);
    QVERIFY2(sameRect(hub, 183, 185, 187, 189), show(hub).constData());
}

void TestGaugeGeometry::valuesOutsideTheRangeArePinned()
{
    TiAngularGauge g;
    loadBenchDial(g);
    QCOMPARE(g.PositionToDegrees(150), 90.0);
    QCOMPARE(g.PositionToDegrees(-20), 180.0);
}

void TestGaugeGeometry::reversedScale()
{
    TiAngularGauge g;
    loadBenchDial(g);
    g.setReverseScale(true);
    QCOMPARE(g.PositionToDegrees(0), 90.0);
    QCOMPARE(g.PositionToDegrees(100), 180.0);
    QCOMPARE(g.PositionToDegrees(90), 171.0);
}

void TestGaugeGeometry::fullCircleScale()
{
    TiAngularGauge g;
    g.setArcRangeDegrees(400);
    QCOMPARE(g.ArcRangeDegrees(), 360);
    TiDialGeometry geometry = g.Geometry(sixByThirteen);
    const QPoint c(75, 75);
    const int last = g.TickMajorCount() - 1;
    const double first = PositionToDegrees(geometry, g.GetTickValue(0));
    const double end = PositionToDegrees(geometry, g.GetTickValue(last));
    QCOMPARE(first - end, 360.0);
    QCOMPARE(TiComponent::PolarPoint(c, 72, first), TiComponent::PolarPoint(c, 72, end));
}

// Ticks at 270, 225, 180, 135, 90, 45 and 0 degrees, each label set beside
// its anchor on the side away from the centre.
void TestGaugeGeometry::justifiedLabels()
{
    TiAngularGauge g;
    g.setArcStartDegrees(270);
    g.setArcRangeDegrees(270);
    g.setPositionMax(6);
    g.setTickMajorCount(7);
    g.setTickLabelAlignment(ilaJustified);
    const TiDialGeometry geometry = g.Geometry(sixByThirteen);
    const QPoint c(100, 100);
    const double r = 60 + 5 + 7 + 15 + 4;
    auto anchor = [&](double a) { return TiComponent::PolarPoint(c, r, a); };
    struct Expect { int index; double angle; int dl, dt, dr, db; };
    // Offsets of Left, Top, Right, Bottom from the anchor for W = 6, H = 13.
    const Expect expects[] = {
        {0, 270, -3, 0, 3, 13},  // centred below
        {1, 225, -6, 0, 0, 13},
        {2, 180, -6, -6, 0, 6},  // vertically centred to the left
        {3, 135, -6, -13, 0, 0},
        {4, 90, -3, -13, 3, 0},  // centred above
        {5, 45, 0, -13, 6, 0},
        {6, 0, 0, -6, 6, 6},     // vertically centred to the right
    };
    for (const Expect &e : expects) {
        QCOMPARE(PositionToDegrees(geometry, g.GetTickValue(e.index)), e.angle);
        const QPoint p = anchor(e.angle);
        const TRect rect = TickLabelRect(geometry, e.index, c);
        QVERIFY2(sameRect(rect, p.x() + e.dl, p.y() + e.dt, p.x() + e.dr, p.y() + e.db),
                 (QByteArray::number(e.angle) + ": " + show(rect)).constData());
    }
    // An angle below 0 is placed by where it points: -90 as 270.
    g.setArcStartDegrees(0);
    g.setArcRangeDegrees(90);
    const TiDialGeometry below = g.Geometry(sixByThirteen);
    const double last = PositionToDegrees(below, g.GetTickValue(6));
    QCOMPARE(last, -90.0);
    const QPoint p = TiComponent::PolarPoint(c, r, last);
    QVERIFY(sameRect(TickLabelRect(below, 6, c), p.x() - 3, p.y(), p.x() + 3, p.y() + 13));
}

void TestGaugeGeometry::autoSizeDivisors_data()
{
    // With labels of no size the box is spanned by the anchors, at radius
    // 10 + 7 + 10 + 4 = 31 around the origin.
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("range");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("radius");
    // Box 31 x 31; Avail = 200 - 31; minus margin and hub.
    QTest::newRow("90") << 180 << 90 << 3 << 200 << 169 - 5 - 5;
    // Box 53 x 31 (cos 45 * 31 rounds to 22); 147 / 1.5.
    QTest::newRow("135") << 180 << 135 << 4 << 200 << 98 - 5;
    // Box 62 x 31; 138 / 2.
    QTest::newRow("180") << 180 << 180 << 5 << 200 << 69 - 5;
    // Box 62 x 62; 138 / 2.
    QTest::newRow("270") << 180 << 270 << 4 << 200 << 69 - 5;
    // 137 / 2 = 68.5 goes to the even 68.
    QTest::newRow("270 tie") << 180 << 270 << 4 << 199 << 68 - 5;
}

void TestGaugeGeometry::autoSizeDivisors()
{
    QFETCH(int, start);
    QFETCH(int, range);
    QFETCH(int, ticks);
    QFETCH(int, width);
    QFETCH(int, radius);
    TiAngularGauge g;
    loadBenchDial(g);
    g.SetBounds(0, 0, width, 200);
    g.setArcStartDegrees(start);
    g.setArcRangeDegrees(range);
    g.setTickMajorCount(ticks);
    const TiDialGeometry geometry = g.Geometry([](const QString &) { return QSize(0, 0); });
    QCOMPARE(AutoSizeRadius(geometry), radius);
}

void TestGaugeGeometry::centreWithoutAutoCentre()
{
    TiAngularGauge g;
    g.SetBounds(0, 0, 201, 161);
    g.setAutoCenter(false);
    g.setOffsetX(-7);
    g.setOffsetY(4);
    // The base's centre: the offsets once, y downward.
    QCOMPARE(DialCenterPoint(g.Geometry(sixByThirteen)), QPoint(93, 84));
}

void TestGaugeGeometry::centreOffsetsMoveTheDrawing()
{
    TiAngularGauge g;
    TiDialGeometry geometry = workedExample(g);
    geometry.OffsetX = 3;
    geometry.OffsetY = 5;
    // The box is centred as before, then moved right by 3 and up by 5.
    QCOMPARE(DialCenterPoint(geometry), QPoint(188, 182));
}

void TestGaugeGeometry::hubSquare()
{
    const TRect five = HubRect(QPoint(50, 60), 5);
    QCOMPARE(five.width(), 4);
    QCOMPARE(five.height(), 4);
    QVERIFY(sameRect(HubRect(QPoint(50, 60), 14), 43, 53, 57, 67));
}

void TestGaugeGeometry::pointerStyles()
{
    TiAngularGauge g;  // radius 60, 0 at 180 degrees, 100 at 90
    const TiDialGeometry geometry = g.Geometry(sixByThirteen);
    const QPoint c(100, 100);

    // A needle whose base straddles the centre; a size of 7 gives real
    // halves of 3.5, which round to the even 4.
    const TiPointerShape triangle = PointerShape(geometry, c, 100, iagpsTriangle, 7, 5, false);
    QVERIFY(triangle.HasLine && triangle.HasTriangle);
    QCOMPARE(triangle.LineTo, QPoint(100, 45));
    QCOMPARE(triangle.Triangle[0], QPoint(96, 100));
    QCOMPARE(triangle.Triangle[1], QPoint(104, 100));
    QCOMPARE(triangle.Triangle[2], QPoint(100, 45));

    const TiPointerShape line = PointerShape(geometry, c, 0, iagpsLine, 7, 0, false);
    QVERIFY(line.HasLine && !line.HasTriangle);
    QCOMPARE(line.LineTo, QPoint(40, 100));

    // The arrow alone, inside the arc and, turned outward, outside it.
    const TiPointerShape inward = PointerShape(geometry, c, 0, iagpsArrow, 8, 2, false);
    QVERIFY(!inward.HasLine && inward.HasTriangle);
    QCOMPARE(inward.Triangle[2], QPoint(42, 100));
    QCOMPARE(inward.Triangle[0], QPoint(50, 104));
    QCOMPARE(inward.Triangle[1], QPoint(50, 96));
    const TiPointerShape outward = PointerShape(geometry, c, 0, iagpsArrow, 8, 2, true);
    QCOMPARE(outward.Triangle[2], QPoint(38, 100));
    QCOMPARE(outward.Triangle[0], QPoint(30, 104));

    for (int style : {4, 17, -1}) {
        const TiPointerShape none = PointerShape(geometry, c, 50, style, 10, 0, false);
        QVERIFY(!none.HasLine && !none.HasTriangle);
    }
}

void TestGaugeGeometry::hitRectangles()
{
    // Wide enough: the box itself. Narrow: 6 pixels around the middle.
    QVERIFY(sameRect(BoundsWithMinSize({QPoint(10, 20), QPoint(30, 22)}, 6), 10, 18, 30, 24));
    QVERIFY(sameRect(BoundsWithMinSize({QPoint(7, 7)}, 6), 4, 4, 10, 10));
    QVERIFY(sameRect(BoundsWithMinSize({QPoint(0, 0), QPoint(6, 6)}, 6), 0, 0, 6, 6));

    TiAngularGauge g;
    const TiDialGeometry geometry = g.Geometry(sixByThirteen);
    const QPoint c(100, 100);
    const TiPointerShape arrow = PointerShape(geometry, c, 0, iagpsArrowLine, 8, 0, false);
    QVERIFY(sameRect(arrow.HitRect, 40, 96, 48, 104));  // the head, wider than 6
    const TiPointerShape line = PointerShape(geometry, c, 0, iagpsLine, 8, 0, false);
    QVERIFY(sameRect(line.HitRect, 37, 97, 43, 103));   // the tip (40, 100) alone
}

void TestGaugeGeometry::arcBandOutlines()
{
    const QPoint c(100, 100);
    const std::vector<QPoint> line = ArcBandPoints(c, 50, 50, 90, 180);
    QCOMPARE(int(line.size()), 401);
    QCOMPARE(line.front(), QPoint(100, 50));
    QCOMPARE(line.back(), QPoint(50, 100));
    QCOMPARE(line[200], TiComponent::PolarPoint(c, 50, 135));
    // The angles may come in either order.
    QCOMPARE(ArcBandPoints(c, 50, 50, 180, 90), line);

    const std::vector<QPoint> band = ArcBandPoints(c, 50, 40, 90, 180);
    QCOMPARE(int(band.size()), 803);
    QCOMPARE(band[400], QPoint(50, 100));
    QCOMPARE(band[401], QPoint(60, 100));
    QCOMPARE(band[801], QPoint(100, 60));
    QCOMPARE(band[802], band[0]);
}

QTEST_MAIN(TestGaugeGeometry)
#include "tst_gauge_geometry.moc"
