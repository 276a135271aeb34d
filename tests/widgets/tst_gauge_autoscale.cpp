// SPDX-License-Identifier: GPL-3.0-or-later
// Rounding the dial's scale to tidy steps: the tick count choice, the two
// styles, their triggers, and limits where no tidy scale fits.
#include "widgets/iAngularGauge.h"
#include "widgets/iAutoScale.h"

#include <QElapsedTimer>
#include <QTest>

class TestGaugeAutoScale : public QObject {
    Q_OBJECT
private slots:
    void chooseCount();
    void roundsTheRange_data();
    void roundsTheRange();
    void fixedRangeRoundsTheTicks_data();
    void fixedRangeRoundsTheTicks();
    void fixedRangeKeepsLimitsAndRoundsTicks();
    void gaugeZeroToHundredFiveTicks();
    void triggers();
    void runsAtTheEndOfLoading();
    void equalLimitsGiveTwoTicks();
    void unfitRangeIsKeptAsRequested();
    void farFromZeroEnds();
    void hugeTickLimitsStayBounded();
};

void TestGaugeAutoScale::chooseCount()
{
    // Steps of 100: 100, 50, 33.3, 25, 20 for 2..6 ticks; all but 33.3 tidy.
    QCOMPARE(ChooseCount(5, 6, 100), 5);
    QCOMPARE(ChooseCount(4, 6, 100), 5);  // 3 and 5 tie: the larger
    QCOMPARE(ChooseCount(9, 6, 100), 6);
    QCOMPARE(ChooseCount(5, 3, 100), 3);
    // 55: 55, 27.5, 18.3, 13.75, 11 - none tidy.
    QCOMPARE(ChooseCount(5, 6, 55), 7);
    QCOMPARE(ChooseCount(5, 1, 100), 2);  // no count to try
    // 0.75: steps 0.75 and 0.25 are tidy; 3 lies between 2 and 4.
    QCOMPARE(ChooseCount(2, 6, 0.75), 2);
    QCOMPARE(ChooseCount(3, 6, 0.75), 4);
    QCOMPARE(ChooseCount(5, 6, 0.1), 5);   // 0.025
}

void TestGaugeAutoScale::roundsTheRange_data()
{
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<int>("ticks");
    QTest::newRow("0..100") << 0.0 << 100.0 << 0.0 << 100.0 << 5;
    QTest::newRow("0..93") << 0.0 << 93.0 << 0.0 << 100.0 << 5;
    // Length 50 with 6 ticks of 10 falls short at -10..40; 75 in 4 of 25 fits.
    QTest::newRow("-7..42") << -7.0 << 42.0 << -25.0 << 50.0 << 4;
    QTest::newRow("-93..-5") << -93.0 << -5.0 << -100.0 << 0.0 << 5;
    QTest::newRow("0..230") << 0.0 << 230.0 << 0.0 << 250.0 << 6;
    // 7.5 in 4 ticks of 2.5 reaches only 12.5..20; 8 in 5 ticks of 2 fits.
    QTest::newRow("12..19") << 12.0 << 19.0 << 12.0 << 20.0 << 5;
}

void TestGaugeAutoScale::roundsTheRange()
{
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(int, ticks);
    const auto r = AutoScaleAutoMinMax(lo, hi, 5, 6);
    QVERIFY(r.has_value());
    QCOMPARE(r->A, a);
    QCOMPARE(r->B, b);
    QCOMPARE(r->TickCount, ticks);
}

void TestGaugeAutoScale::fixedRangeRoundsTheTicks_data()
{
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<int>("ticks");
    QTest::newRow("0..100") << 0.0 << 100.0 << 0.0 << 100.0 << 5;
    // Lengths 94 down to 61 have no tidy step; 60 in 4 ticks of 20 placed
    // from 20 fits, with no room for another step above 80.
    QTest::newRow("3..97") << 3.0 << 97.0 << 20.0 << 80.0 << 4;
    // Lengths 130 to 110 (decade 100, in tenths) have no tidy step; 100 in
    // 5 ticks of 25 leaves room for one more step below 130, and so with 4
    // ticks at most; with 3 at most, 100 in steps of 50 fits.
    QTest::newRow("0..130") << 0.0 << 130.0 << 0.0 << 100.0 << 3;
    // Placed down from 0, the same 5 ticks of 25 end at the top: they fit.
    QTest::newRow("-130..0") << -130.0 << 0.0 << -100.0 << 0.0 << 5;
}

void TestGaugeAutoScale::fixedRangeRoundsTheTicks()
{
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(int, ticks);
    const auto r = AutoScaleFixedMinMax(lo, hi, 5, 6);
    QVERIFY(r.has_value());
    QCOMPARE(r->A, a);
    QCOMPARE(r->B, b);
    QCOMPARE(r->TickCount, ticks);
}

void TestGaugeAutoScale::fixedRangeKeepsLimitsAndRoundsTicks()
{
    TiAngularGauge g;
    g.setPositionMin(3);
    g.setPositionMax(97);
    g.setAutoScaleStyle(iassFixedMinMax);
    g.setAutoScaleEnabled(true);
    QCOMPARE(g.PositionMin(), 3.0);
    QCOMPARE(g.PositionMax(), 97.0);
    QCOMPARE(g.TickMajorCount(), 4);
    QCOMPARE(g.GetTickValue(0), 20.0);
    QCOMPARE(g.GetTickValue(3), 80.0);
    // The label precision still follows the position range.
    g.setPrecisionStyle(ipsSignificantDigits);
    g.setTickLabelPrecision(3);
    QCOMPARE(g.GetLabelPrecision(), 1);
    // Switched off, the ticks follow the position range again.
    g.setAutoScaleEnabled(false);
    QCOMPARE(g.GetTickValue(0), 3.0);
}

void TestGaugeAutoScale::gaugeZeroToHundredFiveTicks()
{
    TiAngularGauge g;
    g.setTickMajorCount(11);
    g.grab();
    g.setAutoScaleEnabled(true);
    QCOMPARE(g.PositionMin(), 0.0);
    QCOMPARE(g.PositionMax(), 100.0);
    QCOMPARE(g.TickMajorCount(), 5);
    const double expected[] = {0, 25, 50, 75, 100};
    for (int i = 0; i < 5; ++i) QCOMPARE(g.GetTickValue(i), expected[i]);
    QVERIFY(g.BackgroundChanged());
}

void TestGaugeAutoScale::triggers()
{
    TiAngularGauge g;
    g.setPositionMax(93);
    QCOMPARE(g.PositionMax(), 93.0);  // not enabled: stored as written
    g.setAutoScaleEnabled(true);
    QCOMPARE(g.PositionMax(), 100.0);
    g.setPositionMax(230);
    QCOMPARE(g.PositionMax(), 250.0);
    QCOMPARE(g.TickMajorCount(), 6);
    g.setPositionMin(-7);
    QCOMPARE(g.PositionMin(), -100.0);
    QCOMPARE(g.PositionMax(), 300.0);
    g.setAutoScaleMaxTicks(4);
    QVERIFY(g.TickMajorCount() <= 4);
    const int ticks = g.TickMajorCount();
    g.setAutoScaleMaxTicks(1);  // ignored
    QCOMPARE(g.AutoScaleMaxTicks(), 4);
    g.setAutoScaleDesiredTicks(0);  // ignored
    QCOMPARE(g.AutoScaleDesiredTicks(), 5);
    QCOMPARE(g.TickMajorCount(), ticks);
}

void TestGaugeAutoScale::runsAtTheEndOfLoading()
{
    TiAngularGauge g;
    g.BeginLoading();
    g.setAutoScaleEnabled(true);
    g.setPositionMax(93);
    QCOMPARE(g.PositionMax(), 93.0);
    g.EndLoading();
    QCOMPARE(g.PositionMax(), 100.0);
    QCOMPARE(g.TickMajorCount(), 5);
}

void TestGaugeAutoScale::equalLimitsGiveTwoTicks()
{
    TiAngularGauge g;
    g.setPositionMax(5);
    g.setPositionMin(5);
    g.setAutoScaleEnabled(true);
    QCOMPARE(g.TickMajorCount(), 2);
    QCOMPARE(g.PositionMin(), 5.0);
    QCOMPARE(g.PositionMax(), 5.0);
}

void TestGaugeAutoScale::unfitRangeIsKeptAsRequested()
{
    // A span beyond a double's range has no tidy scale.
    QVERIFY(!AutoScaleAutoMinMax(-1e308, 1e308, 5, 6).has_value());
    QVERIFY(!AutoScaleFixedMinMax(-1e308, 1e308, 5, 6).has_value());
    TiAngularGauge g;
    g.setTickMajorCount(7);
    g.setAutoScaleEnabled(true);
    g.setAutoScaleStyle(iassFixedMinMax);
    g.setPositionMin(-1e308);
    g.setPositionMax(1e308);
    QCOMPARE(g.PositionMin(), -1e308);
    QCOMPARE(g.PositionMax(), 1e308);
    QCOMPARE(g.TickRangeLo(), -1e308);
    QCOMPARE(g.TickRangeHi(), 1e308);
    const int ticks = g.TickMajorCount();
    g.setAutoScaleStyle(iassAutoMinMax);
    QCOMPARE(g.PositionMin(), -1e308);
    QCOMPARE(g.TickMajorCount(), ticks);
    g.grab();  // and it paints without hanging
}

void TestGaugeAutoScale::farFromZeroEnds()
{
    QElapsedTimer clock;
    clock.start();
    for (double base : {1e6, 1e12, 1e17, 1e300, -1e17}) {
        const double lo = base, hi = base + std::fabs(base) * 1e-15 * 64;
        const auto r = AutoScaleAutoMinMax(lo, hi, 5, 6);
        if (r) {
            QVERIFY(r->A <= lo);
            QVERIFY(r->B >= hi);
            QVERIFY(r->TickCount >= 2 && r->TickCount <= 6);
        }
        const auto f = AutoScaleFixedMinMax(lo, hi, 5, 6);
        if (f) {
            QVERIFY(f->A >= lo);
            QVERIFY(f->B <= hi);
        }
    }
    // A range just off zero still gets its exact tidy scale.
    const auto r = AutoScaleAutoMinMax(1e6 + 3, 1e6 + 97, 5, 6);
    QVERIFY(r.has_value());
    QCOMPARE(r->A, 1e6);
    QCOMPARE(r->B, 1e6 + 100);
    // Each of these would run for ages walking from zero in small steps.
    QVERIFY(clock.elapsed() < 20000);
}

void TestGaugeAutoScale::hugeTickLimitsStayBounded()
{
    TiAngularGauge g;
    g.setAutoScaleMaxTicks(1000000);
    g.setAutoScaleDesiredTicks(1000000);
    g.setAutoScaleStyle(iassFixedMinMax);
    g.setAutoScaleEnabled(true);
    QVERIFY(g.TickMajorCount() <= 100);
    QVERIFY(g.TickRangeLo() >= g.PositionMin());
    QVERIFY(g.TickRangeHi() <= g.PositionMax());
    g.setAutoScaleStyle(iassAutoMinMax);
    QVERIFY(g.TickMajorCount() <= 100);
}

QTEST_MAIN(TestGaugeAutoScale)
#include "tst_gauge_autoscale.moc"
