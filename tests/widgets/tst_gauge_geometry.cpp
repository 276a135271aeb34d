// SPDX-License-Identifier: GPL-3.0-or-later
// The dial's numbers: angles, the automatic radius and centre, tick label
// rectangles, arc bands and pointer shapes, with a label font whose digits
// are 6 pixels wide and whose text is 13 pixels high.
#include "bench/stored_layout.h"
#include "widgets/angular_gauge.h"

#include <QLocale>
#include <QTest>

namespace {

QSize sixByThirteen(const QString &text)
{
    return QSize(6 * int(text.size()), 13);
}

bool sameRect(const TRect &r, int l, int t, int rr, int b)
{
    return r == TRect{l, t, rr, b};
}

QByteArray show(const TRect &r)
{
    return QByteArray::number(r.Left) + "," + QByteArray::number(r.Top) + "," + QByteArray::number(r.Right) + "," +
        QByteArray::number(r.Bottom);
}

// The bench's dial at 200 x 200 with its radius found as a paint finds it.
DialGeometry workedExample(AngularGauge &g)
{
    loadBenchDial(g);
    g.setBounds(0, 0, 200, 200);
    DialGeometry geometry = g.dialGeometry(sixByThirteen);
    geometry.setArcRadius(geometry.autoSizeRadius());
    return geometry;
}

}  // namespace

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
    AngularGauge g;
    loadBenchDial(g);
    QCOMPARE(g.positionToDegrees(90), 99.0);
    for (int i = 0; i < 11; ++i) QCOMPARE(g.positionToDegrees(g.tickValue(i)), 180.0 - 9 * i);
}

void TestGaugeGeometry::workedExampleRadiusAndCentre()
{
    AngularGauge g;
    DialGeometry geometry = workedExample(g);
    QCOMPARE(geometry.arcRadius(), 144);
    QCOMPARE(geometry.centerPoint(), QPoint(185, 187));
}

void TestGaugeGeometry::workedExampleLabels()
{
    AngularGauge g;
    DialGeometry geometry = workedExample(g);
    const QPoint c = geometry.centerPoint();
    const TRect zero = geometry.tickLabelRect(0, c);
    QVERIFY2(sameRect(zero, 7, 181, 13, 193), show(zero).constData());
    const TRect hundred = geometry.tickLabelRect(10, c);
    QVERIFY2(sameRect(hundred, 176, 6, 194, 18), show(hundred).constData());
    // Their anchors, at radius 144 + 10 + 7 + 10 + 4.
    QCOMPARE(polarPoint(c, 175, 180), QPoint(10, 187));
    QCOMPARE(polarPoint(c, 175, 90), QPoint(185, 12));
}

void TestGaugeGeometry::workedExamplePointerAndHub()
{
    AngularGauge g;
    DialGeometry geometry = workedExample(g);
    const QPoint c = geometry.centerPoint();
    const PointerShape s = geometry.pointerShape(c, 90, GaugePointer::Style::ArrowLine, 10, 10, false);
    QVERIFY(s.hasLine);
    QCOMPARE(s.lineFrom, QPoint(185, 187));
    QCOMPARE(s.lineTo, QPoint(164, 55));
    QCOMPARE(polarPoint(c, 124, 99), QPoint(166, 65));
    QVERIFY(s.hasTriangle);
    QCOMPARE(s.triangle[0], QPoint(161, 66));
    QCOMPARE(s.triangle[1], QPoint(171, 64));
    QCOMPARE(s.triangle[2], QPoint(164, 55));
    const TRect hub = hubRect(c, g.hubSize());
    QVERIFY2(sameRect(hub, 183, 185, 187, 189), show(hub).constData());
}

void TestGaugeGeometry::valuesOutsideTheRangeArePinned()
{
    AngularGauge g;
    loadBenchDial(g);
    QCOMPARE(g.positionToDegrees(150), 90.0);
    QCOMPARE(g.positionToDegrees(-20), 180.0);
}

void TestGaugeGeometry::reversedScale()
{
    AngularGauge g;
    loadBenchDial(g);
    g.scale()->setReverseScale(true);
    QCOMPARE(g.positionToDegrees(0), 90.0);
    QCOMPARE(g.positionToDegrees(100), 180.0);
    QCOMPARE(g.positionToDegrees(90), 171.0);
}

void TestGaugeGeometry::fullCircleScale()
{
    AngularGauge g;
    g.scale()->setArcRangeDegrees(400);
    QCOMPARE(g.scale()->arcRangeDegrees(), 360);
    DialGeometry geometry = g.dialGeometry(sixByThirteen);
    const QPoint c(75, 75);
    const int last = g.scale()->tickMajorCount() - 1;
    const double first = geometry.positionToDegrees(g.tickValue(0));
    const double end = geometry.positionToDegrees(g.tickValue(last));
    QCOMPARE(first - end, 360.0);
    QCOMPARE(polarPoint(c, 72, first), polarPoint(c, 72, end));
}

// Ticks at 270, 225, 180, 135, 90, 45 and 0 degrees, each label set beside
// its anchor on the side away from the centre.
void TestGaugeGeometry::justifiedLabels()
{
    AngularGauge g;
    g.scale()->setArcStartDegrees(270);
    g.scale()->setArcRangeDegrees(270);
    g.setPositionMax(6);
    g.scale()->setTickMajorCount(7);
    g.scale()->setTickLabelAlignment(GaugeScale::TickLabelAlignment::Justified);
    const DialGeometry geometry = g.dialGeometry(sixByThirteen);
    const QPoint c(100, 100);
    const double r = 60 + 5 + 7 + 15 + 4;
    auto anchor = [&](double a) { return polarPoint(c, r, a); };
    struct Expect {
        int index;
        double angle;
        int dl, dt, dr, db;
    };
    // Offsets of Left, Top, Right, Bottom from the anchor for W = 6, H = 13.
    const Expect expects[] = {
        {0, 270, -3, 0, 3, 13},                           // centred below
        {1, 225, -6, 0, 0, 13},  {2, 180, -6, -6, 0, 6},  // vertically centred to the left
        {3, 135, -6, -13, 0, 0}, {4, 90, -3, -13, 3, 0},  // centred above
        {5, 45, 0, -13, 6, 0},   {6, 0, 0, -6, 6, 6},     // vertically centred to the right
    };
    for (const Expect &e : expects) {
        QCOMPARE(geometry.positionToDegrees(g.tickValue(e.index)), e.angle);
        const QPoint p = anchor(e.angle);
        const TRect rect = geometry.tickLabelRect(e.index, c);
        QVERIFY2(sameRect(rect, p.x() + e.dl, p.y() + e.dt, p.x() + e.dr, p.y() + e.db),
                 (QByteArray::number(e.angle) + ": " + show(rect)).constData());
    }
    // An angle below 0 is placed by where it points: -90 as 270.
    g.scale()->setArcStartDegrees(0);
    g.scale()->setArcRangeDegrees(90);
    const DialGeometry below = g.dialGeometry(sixByThirteen);
    const double last = below.positionToDegrees(g.tickValue(6));
    QCOMPARE(last, -90.0);
    const QPoint p = polarPoint(c, r, last);
    QVERIFY(sameRect(below.tickLabelRect(6, c), p.x() - 3, p.y(), p.x() + 3, p.y() + 13));
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
    AngularGauge g;
    loadBenchDial(g);
    g.setBounds(0, 0, width, 200);
    g.scale()->setArcStartDegrees(start);
    g.scale()->setArcRangeDegrees(range);
    g.scale()->setTickMajorCount(ticks);
    const DialGeometry geometry = g.dialGeometry([](const QString &) { return QSize(0, 0); });
    QCOMPARE(geometry.autoSizeRadius(), radius);
}

void TestGaugeGeometry::centreWithoutAutoCentre()
{
    AngularGauge g;
    g.setBounds(0, 0, 201, 161);
    g.setAutoCenter(false);
    g.setOffsetX(-7);
    g.setOffsetY(4);
    // The base's centre: the offsets once, y downward.
    QCOMPARE(g.dialGeometry(sixByThirteen).centerPoint(), QPoint(93, 84));
}

void TestGaugeGeometry::centreOffsetsMoveTheDrawing()
{
    AngularGauge g;
    DialGeometry geometry = workedExample(g);
    g.setOffsetX(3);
    g.setOffsetY(5);
    // The box is centred as before, then moved right by 3 and up by 5.
    QCOMPARE(geometry.centerPoint(), QPoint(188, 182));
}

void TestGaugeGeometry::hubSquare()
{
    const TRect five = hubRect(QPoint(50, 60), 5);
    QCOMPARE(five.width(), 4);
    QCOMPARE(five.height(), 4);
    QVERIFY(sameRect(hubRect(QPoint(50, 60), 14), 43, 53, 57, 67));
}

void TestGaugeGeometry::pointerStyles()
{
    AngularGauge g;  // radius 60, 0 at 180 degrees, 100 at 90
    const DialGeometry geometry = g.dialGeometry(sixByThirteen);
    const QPoint c(100, 100);

    // A needle whose base straddles the centre; a size of 7 gives real
    // halves of 3.5, which round to the even 4.
    const PointerShape triangle = geometry.pointerShape(c, 100, GaugePointer::Style::Triangle, 7, 5, false);
    QVERIFY(triangle.hasLine && triangle.hasTriangle);
    QCOMPARE(triangle.lineTo, QPoint(100, 45));
    QCOMPARE(triangle.triangle[0], QPoint(96, 100));
    QCOMPARE(triangle.triangle[1], QPoint(104, 100));
    QCOMPARE(triangle.triangle[2], QPoint(100, 45));

    const PointerShape line = geometry.pointerShape(c, 0, GaugePointer::Style::Line, 7, 0, false);
    QVERIFY(line.hasLine && !line.hasTriangle);
    QCOMPARE(line.lineTo, QPoint(40, 100));

    // The arrow alone, inside the arc and, turned outward, outside it.
    const PointerShape inward = geometry.pointerShape(c, 0, GaugePointer::Style::Arrow, 8, 2, false);
    QVERIFY(!inward.hasLine && inward.hasTriangle);
    QCOMPARE(inward.triangle[2], QPoint(42, 100));
    QCOMPARE(inward.triangle[0], QPoint(50, 104));
    QCOMPARE(inward.triangle[1], QPoint(50, 96));
    const PointerShape outward = geometry.pointerShape(c, 0, GaugePointer::Style::Arrow, 8, 2, true);
    QCOMPARE(outward.triangle[2], QPoint(38, 100));
    QCOMPARE(outward.triangle[0], QPoint(30, 104));

    for (int style : {4, 17, -1}) {
        const PointerShape none = geometry.pointerShape(c, 50, GaugePointer::Style(style), 10, 0, false);
        QVERIFY(!none.hasLine && !none.hasTriangle);
    }
}

void TestGaugeGeometry::hitRectangles()
{
    // Wide enough: the box itself. Narrow: 6 pixels around the middle.
    QVERIFY(sameRect(boundsWithMinSize({QPoint(10, 20), QPoint(30, 22)}, 6), 10, 18, 30, 24));
    QVERIFY(sameRect(boundsWithMinSize({QPoint(7, 7)}, 6), 4, 4, 10, 10));
    QVERIFY(sameRect(boundsWithMinSize({QPoint(0, 0), QPoint(6, 6)}, 6), 0, 0, 6, 6));

    AngularGauge g;
    const DialGeometry geometry = g.dialGeometry(sixByThirteen);
    const QPoint c(100, 100);
    const PointerShape arrow = geometry.pointerShape(c, 0, GaugePointer::Style::ArrowLine, 8, 0, false);
    QVERIFY(sameRect(arrow.hitRect, 40, 96, 48, 104));  // the head, wider than 6
    const PointerShape line = geometry.pointerShape(c, 0, GaugePointer::Style::Line, 8, 0, false);
    QVERIFY(sameRect(line.hitRect, 37, 97, 43, 103));  // the tip (40, 100) alone
}

void TestGaugeGeometry::arcBandOutlines()
{
    const QPoint c(100, 100);
    const std::vector<QPoint> line = arcBandPoints(c, 50, 50, 90, 180);
    QCOMPARE(int(line.size()), 401);
    QCOMPARE(line.front(), QPoint(100, 50));
    QCOMPARE(line.back(), QPoint(50, 100));
    QCOMPARE(line[200], polarPoint(c, 50, 135));
    // The angles may come in either order.
    QCOMPARE(arcBandPoints(c, 50, 50, 180, 90), line);

    const std::vector<QPoint> band = arcBandPoints(c, 50, 40, 90, 180);
    QCOMPARE(int(band.size()), 803);
    QCOMPARE(band[400], QPoint(50, 100));
    QCOMPARE(band[401], QPoint(60, 100));
    QCOMPARE(band[801], QPoint(100, 60));
    QCOMPARE(band[802], band[0]);
}

QTEST_MAIN(TestGaugeGeometry)
#include "tst_gauge_geometry.moc"
