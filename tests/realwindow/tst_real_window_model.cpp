// SPDX-License-Identifier: GPL-3.0-or-later
// The suite's own model of the bench (the layout plan, the read-outs' cells
// and segments, the beam trace and the warm-up limit) against the worked
// numbers of the lab's description, before any scenario trusts it. No display.
#include "bench_plan.h"
#include "readout_reader.h"
#include "trace_model.h"

#include <QTest>

class TestRealWindowModel : public QObject {
    Q_OBJECT
private slots:
    void planAtWorkedSizes_data();
    void planAtWorkedSizes();
    void readoutCells_data();
    void readoutCells();
    void segmentsOfADisplayCell();
    void tracePoints_data();
    void tracePoints();
    void warmupLimit_data();
    void warmupLimit();
};

void TestRealWindowModel::planAtWorkedSizes_data()
{
    QTest::addColumn<QSize>("outer");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("expected");
    const QSize worked(735, 637);
    QTest::newRow("scopePanel") << worked << "scopePanel" << QRect(245, 10, 245, 537);
    QTest::newRow("screen") << worked << "screen" << QRect(245 + 10, 10 + 30, 225, 225);
    QTest::newRow("sourcePanel") << worked << "sourcePanel" << QRect(499, 10, 183, 256);
    QTest::newRow("dial") << worked << "regulatorDial" << QRect(52, 10, 183, 183);
    QTest::newRow("regulatorPanel") << worked << "regulatorPanel" << QRect(52, 187, 183, 50);
    QTest::newRow("calculateButton") << worked << "calculateButton" << QRect(499, 266, 49, 49);
    QTest::newRow("smallest scopePanel") << QSize(650, 550) << "scopePanel" << QRect(325 - 108, 10, 216, 450);
    QTest::newRow("smallest screen") << QSize(650, 550) << "screen" << QRect(325 - 108 + 10, 40, 196, 196);
    QTest::newRow("smallest sourcePanel") << QSize(650, 550) << "sourcePanel" << QRect(325 + 108 + 10, 10, 162, 227);
    QTest::newRow("wide sourcePanel") << QSize(1200, 900) << "sourcePanel" << QRect(600 + 200 + 10, 10, 272, 381);
}

void TestRealWindowModel::planAtWorkedSizes()
{
    QFETCH(QSize, outer);
    QFETCH(QString, control);
    QFETCH(QRect, expected);
    const BenchPlan p = planBench(outer, ruleScreenSide(outer));
    const QMap<QString, QRect> named{{"scopePanel", p.scopePanel},         {"screen", p.screen},
                                     {"sourcePanel", p.sourcePanel},       {"regulatorDial", p.regulatorDial},
                                     {"regulatorPanel", p.regulatorPanel}, {"calculateButton", p.calculateButton}};
    QCOMPARE(named.value(control), expected);
}

void TestRealWindowModel::readoutCells_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QList<int>>("lefts");
    QTest::newRow("ammeter") << 0 << QList<int>{5, 25, 45, 65};
    QTest::newRow("rippleReadout") << 1 << QList<int>{5, 23, 41};
    QTest::newRow("phaseReadout") << 2 << QList<int>{5, 23, 41};
    QTest::newRow("plateLengthReadout") << 3 << QList<int>{5, 25};
}

void TestRealWindowModel::readoutCells()
{
    QFETCH(int, which);
    QFETCH(QList<int>, lefts);
    const ReadoutLook looks[] = {kAmmeterLook, kRippleLook, kPhaseLook, kPlateLengthLook};
    const QList<QRect> cells = digitCells(looks[which]);
    QCOMPARE(cells.size(), lefts.size());
    for (int i = 0; i < cells.size(); ++i) QCOMPARE(cells[i], QRect(lefts[i], 5, 10, 18));
}

void TestRealWindowModel::segmentsOfADisplayCell()
{
    const QList<QPolygon> segments = segmentPolygons(QSize(10, 18));
    QCOMPARE(segments.size(), 7);
    QCOMPARE(segments[0], QPolygon(QList<QPoint>{{1, 0}, {8, 0}, {6, 2}, {3, 2}}));
    QCOMPARE(segments[6], QPolygon(QList<QPoint>{{1, 8}, {2, 7}, {7, 7}, {8, 8}, {7, 9}, {2, 9}}));
}

void TestRealWindowModel::tracePoints_data()
{
    QTest::addColumn<double>("current");
    QTest::addColumn<double>("ripple");
    QTest::addColumn<int>("index");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("0 A, point 0") << 0.0 << 0.0 << 0 << QPoint(111, 14);
    QTest::newRow("0 A, point 25") << 0.0 << 0.0 << 25 << QPoint(111, 111);
    QTest::newRow("0 A, point 50") << 0.0 << 0.0 << 50 << QPoint(111, 208);
    QTest::newRow("0 A, point 100") << 0.0 << 0.0 << 100 << QPoint(111, 14);
    QTest::newRow("0.2 A, point 0") << 0.2 << 0.0 << 0 << QPoint(172, 107);
    QTest::newRow("0.2 A, point 50") << 0.2 << 0.0 << 50 << QPoint(50, 115);
    QTest::newRow("ripple, point 0") << 0.2 << 0.1 << 0 << QPoint(170, 110);
    QTest::newRow("ripple, point 50") << 0.2 << 0.1 << 50 << QPoint(52, 112);
    QTest::newRow("ripple, point 75") << 0.2 << 0.1 << 75 << QPoint(111, 111);
    QTest::newRow("focused, point 0") << 0.40701 - 0.0001 << 0.0 << 0 << QPoint(111, 109);
    QTest::newRow("focused, point 50") << 0.40701 - 0.0001 << 0.0 << 50 << QPoint(111, 113);
}

void TestRealWindowModel::tracePoints()
{
    QFETCH(double, current);
    QFETCH(double, ripple);
    QFETCH(int, index);
    QFETCH(QPoint, expected);
    TraceSetup setup;
    setup.current = current;
    setup.ripple = ripple;
    QCOMPARE(::tracePoints(setup, 222).value(index), expected);
}

void TestRealWindowModel::warmupLimit_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("limit");
    QTest::newRow("222") << 222 << 97;
    QTest::newRow("225") << 225 << 98;
    QTest::newRow("216, half to even") << 216 << 94;
    QTest::newRow("200, half to even") << 200 << 88;
    QTest::newRow("196") << 196 << 86;
}

void TestRealWindowModel::warmupLimit()
{
    QFETCH(int, side);
    QFETCH(int, limit);
    QCOMPARE(::warmupLimit(side), limit);
}

QTEST_GUILESS_MAIN(TestRealWindowModel)
#include "tst_real_window_model.moc"
