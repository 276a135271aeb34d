// SPDX-License-Identifier: GPL-3.0-or-later
// Rounding the dial's scale to tidy steps: the tick count choice, the two
// styles, their triggers, and limits where no tidy scale fits.
#include "widgets/angular_gauge.h"
#include "widgets/auto_scale.h"

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
    QCOMPARE(chooseTickCount(5, 6, 100), 5);
    QCOMPARE(chooseTickCount(4, 6, 100), 5);  // 3 and 5 tie: the larger
    QCOMPARE(chooseTickCount(9, 6, 100), 6);
    QCOMPARE(chooseTickCount(5, 3, 100), 3);
    // 55: 55, 27.5, 18.3, 13.75, 11 - none tidy.
    QCOMPARE(chooseTickCount(5, 6, 55), 7);
    QCOMPARE(chooseTickCount(5, 1, 100), 2);  // no count to try
    // 0.75: steps 0.75 and 0.25 are tidy; 3 lies between 2 and 4.
    QCOMPARE(chooseTickCount(2, 6, 0.75), 2);
    QCOMPARE(chooseTickCount(3, 6, 0.75), 4);
    QCOMPARE(chooseTickCount(5, 6, 0.1), 5);  // 0.025
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
    const auto r = autoScaleRange(lo, hi, 5, 6);
    QVERIFY(r.has_value());
    QCOMPARE(r->low, a);
    QCOMPARE(r->high, b);
    QCOMPARE(r->tickCount, ticks);
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
    const auto r = autoScaleTicksInRange(lo, hi, 5, 6);
    QVERIFY(r.has_value());
    QCOMPARE(r->low, a);
    QCOMPARE(r->high, b);
    QCOMPARE(r->tickCount, ticks);
}

void TestGaugeAutoScale::fixedRangeKeepsLimitsAndRoundsTicks()
{
    AngularGauge g;
    g.setPositionMin(3);
    g.setPositionMax(97);
    g.setAutoScaleStyle(ScaleInstrument::AutoScaleStyle::FixedMinMax);
    g.setAutoScaleEnabled(true);
    QCOMPARE(g.positionMin(), 3.0);
    QCOMPARE(g.positionMax(), 97.0);
    QCOMPARE(g.scale()->tickMajorCount(), 4);
    QCOMPARE(g.tickValue(0), 20.0);
    QCOMPARE(g.tickValue(3), 80.0);
    // The label precision still follows the position range.
    g.scale()->setPrecisionStyle(GaugeScale::PrecisionStyle::SignificantDigits);
    g.scale()->setTickLabelPrecision(3);
    QCOMPARE(g.labelPrecision(), 1);
    // Switched off, the ticks follow the position range again.
    g.setAutoScaleEnabled(false);
    QCOMPARE(g.tickValue(0), 3.0);
}

void TestGaugeAutoScale::gaugeZeroToHundredFiveTicks()
{
    AngularGauge g;
    g.scale()->setTickMajorCount(11);
    g.grab();
    g.setAutoScaleEnabled(true);
    QCOMPARE(g.positionMin(), 0.0);
    QCOMPARE(g.positionMax(), 100.0);
    QCOMPARE(g.scale()->tickMajorCount(), 5);
    const double expected[] = {0, 25, 50, 75, 100};
    for (int i = 0; i < 5; ++i) QCOMPARE(g.tickValue(i), expected[i]);
    QVERIFY(g.backgroundStale());
}

void TestGaugeAutoScale::triggers()
{
    AngularGauge g;
    g.setPositionMax(93);
    QCOMPARE(g.positionMax(), 93.0);  // not enabled: stored as written
    g.setAutoScaleEnabled(true);
    QCOMPARE(g.positionMax(), 100.0);
    g.setPositionMax(230);
    QCOMPARE(g.positionMax(), 250.0);
    QCOMPARE(g.scale()->tickMajorCount(), 6);
    g.setPositionMin(-7);
    QCOMPARE(g.positionMin(), -100.0);
    QCOMPARE(g.positionMax(), 300.0);
    g.setAutoScaleMaxTicks(4);
    QVERIFY(g.scale()->tickMajorCount() <= 4);
    const int ticks = g.scale()->tickMajorCount();
    g.setAutoScaleMaxTicks(1);  // ignored
    QCOMPARE(g.autoScaleMaxTicks(), 4);
    g.setAutoScaleDesiredTicks(0);  // ignored
    QCOMPARE(g.autoScaleDesiredTicks(), 5);
    QCOMPARE(g.scale()->tickMajorCount(), ticks);
}

void TestGaugeAutoScale::runsAtTheEndOfLoading()
{
    AngularGauge g;
    g.beginLoading();
    g.setAutoScaleEnabled(true);
    g.setPositionMax(93);
    QCOMPARE(g.positionMax(), 93.0);
    g.endLoading();
    QCOMPARE(g.positionMax(), 100.0);
    QCOMPARE(g.scale()->tickMajorCount(), 5);
}

void TestGaugeAutoScale::equalLimitsGiveTwoTicks()
{
    AngularGauge g;
    g.setPositionMax(5);
    g.setPositionMin(5);
    g.setAutoScaleEnabled(true);
    QCOMPARE(g.scale()->tickMajorCount(), 2);
    QCOMPARE(g.positionMin(), 5.0);
    QCOMPARE(g.positionMax(), 5.0);
}

void TestGaugeAutoScale::unfitRangeIsKeptAsRequested()
{
    // A span beyond a double's range has no tidy scale.
    QVERIFY(!autoScaleRange(-1e308, 1e308, 5, 6).has_value());
    QVERIFY(!autoScaleTicksInRange(-1e308, 1e308, 5, 6).has_value());
    AngularGauge g;
    g.scale()->setTickMajorCount(7);
    g.setAutoScaleEnabled(true);
    g.setAutoScaleStyle(ScaleInstrument::AutoScaleStyle::FixedMinMax);
    g.setPositionMin(-1e308);
    g.setPositionMax(1e308);
    QCOMPARE(g.positionMin(), -1e308);
    QCOMPARE(g.positionMax(), 1e308);
    QCOMPARE(g.tickRangeLow(), -1e308);
    QCOMPARE(g.tickRangeHigh(), 1e308);
    const int ticks = g.scale()->tickMajorCount();
    g.setAutoScaleStyle(ScaleInstrument::AutoScaleStyle::AutoMinMax);
    QCOMPARE(g.positionMin(), -1e308);
    QCOMPARE(g.scale()->tickMajorCount(), ticks);
    g.grab();  // and it paints without hanging
}

void TestGaugeAutoScale::farFromZeroEnds()
{
    QElapsedTimer clock;
    clock.start();
    for (double base : {1e6, 1e12, 1e17, 1e300, -1e17}) {
        const double lo = base, hi = base + std::fabs(base) * 1e-15 * 64;
        const auto r = autoScaleRange(lo, hi, 5, 6);
        if (r) {
            QVERIFY(r->low <= lo);
            QVERIFY(r->high >= hi);
            QVERIFY(r->tickCount >= 2 && r->tickCount <= 6);
        }
        const auto f = autoScaleTicksInRange(lo, hi, 5, 6);
        if (f) {
            QVERIFY(f->low >= lo);
            QVERIFY(f->high <= hi);
        }
    }
    // A range just off zero still gets its exact tidy scale.
    const auto r = autoScaleRange(1e6 + 3, 1e6 + 97, 5, 6);
    QVERIFY(r.has_value());
    QCOMPARE(r->low, 1e6);
    QCOMPARE(r->high, 1e6 + 100);
    // Each of these would run for ages walking from zero in small steps.
    QVERIFY(clock.elapsed() < 20000);
}

void TestGaugeAutoScale::hugeTickLimitsStayBounded()
{
    AngularGauge g;
    g.setAutoScaleMaxTicks(1000000);
    g.setAutoScaleDesiredTicks(1000000);
    g.setAutoScaleStyle(ScaleInstrument::AutoScaleStyle::FixedMinMax);
    g.setAutoScaleEnabled(true);
    QVERIFY(g.scale()->tickMajorCount() <= 100);
    QVERIFY(g.tickRangeLow() >= g.positionMin());
    QVERIFY(g.tickRangeHigh() <= g.positionMax());
    g.setAutoScaleStyle(ScaleInstrument::AutoScaleStyle::AutoMinMax);
    QVERIFY(g.scale()->tickMajorCount() <= 100);
}

QTEST_MAIN(TestGaugeAutoScale)
#include "tst_gauge_autoscale.moc"
