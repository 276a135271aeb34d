// SPDX-License-Identifier: GPL-3.0-or-later
// The beam trace's numbers: speed, points, turn angles, focusing, faults.
#include "model/beam_trace.h"
#include "model/float_faults.h"

#include <QTest>
#include <cmath>
#include <random>

namespace {

constexpr int kWidth = 222;

// The bench at its start values on a 222-pixel screen.
LabState labAt(int width = kWidth)
{
    LabState s;
    setStartParameters(s);
    clearPowerFlags(s);
    applyScreenScale(s, width);
    return s;
}

TracePath traceOf(LabState &s, double current, const TraceSettings &settings, int width = kWidth)
{
    return tracePoints(s, beginTrace(s, settings), current, width);
}

const TraceSettings kNoRipple{0.0, 0.4, 0.5};
const TraceSettings kRipple{0.1, 0.4, 0.5};

bool near(double a, double b, double tolerance)
{
    return std::fabs(a - b) <= tolerance;
}

QByteArray show(PixelPoint p)
{
    return QByteArray::number(p.x) + "," + QByteArray::number(p.y);
}

}  // namespace

#define COMPARE_POINT(actual, ex, ey) QVERIFY2((actual) == (PixelPoint{ex, ey}), show(actual).constData())

class TestBeamTrace : public QObject {
    Q_OBJECT
private slots:
    void perCallValues();
    void zeroCurrentIsTheVerticalSweep();
    void turnedLineWithoutRipple();
    void loopWithRipple();
    void focusingDash();
    void oddWidthCentreRoundsToEven();
    void shapeOfTheCurve();
    void zeroWindingDensity();
    void zeroDriftLength();
    void zeroAnodeVoltage();
    void faultsBeforeTheLoop();
    void farPointsRaiseInsteadOfWrapping();
    void neverInfiniteOrNaN();
};

void TestBeamTrace::perCallValues()
{
    LabState s = labAt();
    const TraceSweep sweep = beginTrace(s, TraceSettings{0.25, 0.4, 0.5});
    QVERIFY2(near(sweep.beamSpeed, 2.2192e7, 0.00005e7), QByteArray::number(sweep.beamSpeed));
    QCOMPARE(s.plateLength, 0.005);
    QVERIFY(near(sweep.phaseShift, 0.4 * M_PI, 1e-15));
    QCOMPARE(s.rippleAmplitude, 0.25);
    QCOMPARE(sweep.steps, 100);
    QCOMPARE(sweep.angleStep, 6.283185307179586 / 100);
}

void TestBeamTrace::zeroCurrentIsTheVerticalSweep()
{
    LabState s = labAt();
    const TracePath p = traceOf(s, 0.0, kNoRipple);
    COMPARE_POINT(p[0], 111, 14);
    COMPARE_POINT(p[25], 111, 111);
    COMPARE_POINT(p[50], 111, 208);
    QCOMPARE(p[100], p[0]);
    // 194 pixels long, every point in the centre column.
    for (const PixelPoint &q : p) QCOMPARE(q.x, 111);
    QCOMPARE(p[50].y - p[0].y, 194);
}

void TestBeamTrace::turnedLineWithoutRipple()
{
    LabState s = labAt();
    const TraceSweep sweep = beginTrace(s, kNoRipple);
    for (int i : {0, 13, 25, 50, 77, 100}) {
        const double theta = tracePoint(s, sweep, i, 0.2, kWidth).turnAngle;
        QVERIFY2(near(theta, 3.0890, 0.00005), QByteArray::number(theta, 'f', 6));
    }
    const TracePath p = tracePoints(s, sweep, 0.2, kWidth);
    COMPARE_POINT(p[0], 172, 107);
    COMPARE_POINT(p[50], 50, 115);
    COMPARE_POINT(p[25], 111, 111);
}

void TestBeamTrace::loopWithRipple()
{
    LabState s = labAt();
    const TraceSweep sweep = beginTrace(s, kRipple);
    const struct {
        int index;
        double theta;
    } angles[] = {{0, 3.1845}, {50, 3.1845}, {25, 2.9936}, {75, 2.9936}};
    for (const auto &a : angles) {
        const double theta = tracePoint(s, sweep, a.index, 0.2, kWidth).turnAngle;
        QVERIFY2(near(theta, a.theta, 0.00005), QByteArray::number(theta, 'f', 6));
    }
    const TracePath p = tracePoints(s, sweep, 0.2, kWidth);
    COMPARE_POINT(p[0], 170, 110);
    COMPARE_POINT(p[50], 52, 112);
    COMPARE_POINT(p[25], 111, 111);
    COMPARE_POINT(p[75], 111, 111);
    // The two halves of the sweep differ: the line opens into a loop.
    QVERIFY(p[10] != p[90]);
}

void TestBeamTrace::focusingDash()
{
    LabState s = labAt();
    const TracePath p = traceOf(s, 0.40701 - 0.0001, kNoRipple);
    const TracePointResult first = tracePoint(s, beginTrace(s, kNoRipple), 0, 0.40701 - 0.0001, kWidth);
    QVERIFY(near(first.turnAngle, 2 * M_PI, 1e-4));
    COMPARE_POINT(p[0], 111, 109);
    COMPARE_POINT(p[50], 111, 113);
    for (const PixelPoint &q : p) {
        QCOMPARE(q.x, 111);
        QVERIFY(q.y >= 109 && q.y <= 113);
    }
    // Half-length S d / (d + 2 l) = 3.5 * 0.005 / 0.205 cm.
    QVERIFY2(near(first.y, 0.0854, 0.00005), QByteArray::number(first.y, 'f', 6));
    QVERIFY(std::fabs(first.x) < 1e-4);
}

void TestBeamTrace::oddWidthCentreRoundsToEven()
{
    // The centre is 110.5 in both directions, a real half, not 110.
    LabState s = labAt(221);
    const TracePath p = traceOf(s, 0.0, kNoRipple, 221);
    // Point 25 sits on the centre, a hair to its left: column 110.
    QCOMPARE(p[25].x, 110);
    // Point 0 lies 0.07 pixel right of the centre and 96.69 above it:
    // 110.57 and 13.81 round to (111, 14), where a centre of 110 would give
    // (110, 13); point 50 mirrors it to 110.43 and 207.19.
    COMPARE_POINT(p[0], 111, 14);
    COMPARE_POINT(p[50], 110, 207);
}

void TestBeamTrace::shapeOfTheCurve()
{
    for (double current : {0.0, 0.05, 0.2, 0.33, 0.6, 1.234}) {
        LabState s = labAt();
        const TracePath line = traceOf(s, current, kNoRipple);
        QCOMPARE(line[100], line[0]);
        // Without ripple the way back retraces the way out, through the centre.
        for (int i = 1; i < 50; ++i) QCOMPARE(line[std::size_t(i)], line[std::size_t(100 - i)]);
        QVERIFY(std::abs(line[25].x - 111) <= 1 && std::abs(line[25].y - 111) <= 1);
        // Point 50 mirrors point 0 through the centre.
        QVERIFY(std::abs(line[0].x + line[50].x - 222) <= 1);
        QVERIFY(std::abs(line[0].y + line[50].y - 222) <= 1);
        const TracePath loop = traceOf(s, current, TraceSettings{0.1, 0.4, 0.5});
        QCOMPARE(loop[100], loop[0]);  // the loop closes too
    }
}

void TestBeamTrace::zeroWindingDensity()
{
    // A field reading "00" converts to zero turns: no field, so the helix
    // radius v/omega divides by zero at the very first point.
    LabState s = labAt();
    s.turnsPerMetre = 0.0;
    const TraceSweep sweep = beginTrace(s, kNoRipple);
    QVERIFY_THROWS_EXCEPTION(DivisionByZero, tracePoint(s, sweep, 0, 0.2, kWidth));
    QVERIFY_THROWS_EXCEPTION(DivisionByZero, tracePoints(s, sweep, 0.2, kWidth));
}

void TestBeamTrace::zeroDriftLength()
{
    // The turn angle is 0; the plate term then divides 0 by 2 l = 0.
    LabState s = labAt();
    s.driftLength = 0.0;
    const TraceSweep sweep = beginTrace(s, kNoRipple);
    QVERIFY_THROWS_EXCEPTION(InvalidOperation, tracePoint(s, sweep, 0, 0.2, kWidth));
}

void TestBeamTrace::zeroAnodeVoltage()
{
    LabState s = labAt();
    s.anodeVoltage = 0.0;
    const TraceSweep sweep = beginTrace(s, kNoRipple);  // a zero speed is still a speed
    QCOMPARE(sweep.beamSpeed, 0.0);
    QVERIFY_THROWS_EXCEPTION(DivisionByZero, tracePoint(s, sweep, 0, 0.0, kWidth));
}

void TestBeamTrace::faultsBeforeTheLoop()
{
    // A negative voltage has no speed: the trace stops before anything of the
    // old one would be erased, keeping the values already set.
    LabState s = labAt();
    s.anodeVoltage = -1400.0;
    QVERIFY_THROWS_EXCEPTION(InvalidOperation, beginTrace(s, kRipple));
    QCOMPARE(s.plateLength, 0.005);
    QCOMPARE(s.rippleAmplitude, 0.0);
    // A pasted 1e300 V would give an infinite speed squared.
    s.anodeVoltage = 1e300;
    QVERIFY_THROWS_EXCEPTION(FloatOverflow, beginTrace(s, kRipple));
    // 1e200 V still has a speed.
    s.anodeVoltage = 1e200;
    QVERIFY(std::isfinite(beginTrace(s, kNoRipple).beamSpeed));
}

void TestBeamTrace::farPointsRaiseInsteadOfWrapping()
{
    // Plates of nearly -2 l make the helix radius's denominator d/2 + l almost
    // vanish: the points fly off the screen. As long as they fit an integer
    // they are delivered; beyond that the pixel must not wrap round.
    LabState s = labAt();
    const TracePath far = traceOf(s, 0.2, TraceSettings{0.0, 0.4, -20.0 + 1e-3});
    QVERIFY2(std::abs(far[0].x) > 100000, show(far[0]).constData());
    TraceSweep sweep = beginTrace(s, TraceSettings{0.0, 0.4, -20.0 + 1e-9});
    QVERIFY_THROWS_EXCEPTION(FloatOverflow, tracePoint(s, sweep, 0, 0.2, kWidth));
    // Exactly -0.0001 A leaves no field at all.
    sweep = beginTrace(s, kNoRipple);
    QVERIFY_THROWS_EXCEPTION(DivisionByZero, tracePoints(s, sweep, -0.0001, kWidth));
    // Just off it the field is tiny and the trace the plain sweep line again.
    const TracePath weak = tracePoints(s, sweep, -0.0001 + 1e-15, kWidth);
    COMPARE_POINT(weak[0], 111, 14);
}

void TestBeamTrace::neverInfiniteOrNaN()
{
    // Whatever the inputs, a trace either completes with finite results or
    // stops with one of the three errors.
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    auto wild = [&](double scale) {
        const double r = unit(random);
        if (r < 0.1) return 0.0;
        if (r < 0.2) return -scale * unit(random);
        return std::pow(10.0, 12.0 * unit(random) - 6.0) * scale;
    };
    int completed = 0;
    for (int n = 0; n < 400; ++n) {
        LabState s = labAt();
        s.anodeVoltage = wild(1400);
        s.turnsPerMetre = wild(15500);
        s.driftLength = wild(0.1);
        const TraceSettings settings{wild(0.1), wild(0.4), wild(0.5)};
        const double current = wild(0.2);
        try {
            const TraceSweep sweep = beginTrace(s, settings);
            for (double v : {sweep.beamSpeed, sweep.phaseShift, sweep.angleStep}) QVERIFY(std::isfinite(v));
            for (int i = 0; i < kTracePointCount; ++i) {
                const TracePointResult point = tracePoint(s, sweep, i, current, kWidth);
                for (double v : {point.turnAngle, point.x, point.y}) QVERIFY(std::isfinite(v));
            }
            ++completed;
        } catch (const MathError &) {}
        QVERIFY(std::isfinite(s.plateLength) && std::isfinite(s.rippleAmplitude));
    }
    QVERIFY(completed > 50);
}

QTEST_APPLESS_MAIN(TestBeamTrace)
#include "tst_beam_trace.moc"
