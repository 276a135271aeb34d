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
    SetStartParameters(s);
    ClearPowerFlags(s);
    SetConstants(s);
    ApplyScreenScale(s, width);
    return s;
}

TracePath traceOf(LabState &s, double current, const TraceSettings &settings, int width = kWidth)
{
    BeginTrace(s, settings);
    return TracePoints(s, current, width);
}

const TraceSettings kNoRipple{0.0, 0.4, 0.5};
const TraceSettings kRipple{0.1, 0.4, 0.5};

bool near(double a, double b, double tolerance) { return std::fabs(a - b) <= tolerance; }

QByteArray show(PixelPoint p) { return QByteArray::number(p.x) + "," + QByteArray::number(p.y); }

} // namespace

#define COMPARE_POINT(actual, ex, ey) \
    QVERIFY2((actual) == (PixelPoint{ex, ey}), show(actual).constData())

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
    BeginTrace(s, TraceSettings{0.25, 0.4, 0.5});
    QVERIFY2(near(s.BeamSpeed, 2.2192e7, 0.00005e7), QByteArray::number(s.BeamSpeed));
    QCOMPARE(s.PlateLength, 0.005);
    QVERIFY(near(s.PhaseShift, 0.4 * M_PI, 1e-15));
    QCOMPARE(s.RippleAmplitude, 0.25);
    QCOMPARE(s.TraceSteps, 100);
    QCOMPARE(s.AngleStep, s.TwoPi / 100);
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
    // The state keeps the last point's working values.
    QCOMPARE(s.TraceIndex, 100);
    QCOMPARE(s.PixelX, p[100].x);
    QCOMPARE(s.PixelY, p[100].y);
}

void TestBeamTrace::turnedLineWithoutRipple()
{
    LabState s = labAt();
    BeginTrace(s, kNoRipple);
    for (int i : {0, 13, 25, 50, 77, 100}) {
        TracePoint(s, i, 0.2, kWidth);
        QVERIFY2(near(s.TurnAngle, 3.0890, 0.00005), QByteArray::number(s.TurnAngle, 'f', 6));
    }
    const TracePath p = TracePoints(s, 0.2, kWidth);
    COMPARE_POINT(p[0], 172, 107);
    COMPARE_POINT(p[50], 50, 115);
    COMPARE_POINT(p[25], 111, 111);
}

void TestBeamTrace::loopWithRipple()
{
    LabState s = labAt();
    BeginTrace(s, kRipple);
    const struct { int index; double theta; } angles[] = {{0, 3.1845}, {50, 3.1845}, {25, 2.9936}, {75, 2.9936}};
    for (const auto &a : angles) {
        TracePoint(s, a.index, 0.2, kWidth);
        QVERIFY2(near(s.TurnAngle, a.theta, 0.00005), QByteArray::number(s.TurnAngle, 'f', 6));
    }
    const TracePath p = TracePoints(s, 0.2, kWidth);
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
    QVERIFY(near(s.TurnAngle, s.TwoPi, 1e-4));
    COMPARE_POINT(p[0], 111, 109);
    COMPARE_POINT(p[50], 111, 113);
    for (const PixelPoint &q : p) {
        QCOMPARE(q.x, 111);
        QVERIFY(q.y >= 109 && q.y <= 113);
    }
    // Half-length S d / (d + 2 l) = 3.5 * 0.005 / 0.205 cm.
    TracePoint(s, 0, 0.40701 - 0.0001, kWidth);
    QVERIFY2(near(s.PointY, 0.0854, 0.00005), QByteArray::number(s.PointY, 'f', 6));
    QVERIFY(std::fabs(s.PointX) < 1e-4);
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
    s.TurnsPerMetre = 0.0;
    BeginTrace(s, kNoRipple);
    QVERIFY_THROWS_EXCEPTION(EZeroDivide, TracePoints(s, 0.2, kWidth));
    QCOMPARE(s.TraceIndex, 0);
    QCOMPARE(s.Induction, 0.0);
    QCOMPARE(s.CyclotronFrequency, 0.0);
    QCOMPARE(s.TurnFactorX, 0.0);
    QVERIFY(near(s.EffectiveCurrent, 0.2001, 1e-12));
    QCOMPARE(s.RadiusRatio, 0.0);  // never reached
}

void TestBeamTrace::zeroDriftLength()
{
    LabState s = labAt();
    s.DriftLength = 0.0;
    BeginTrace(s, kNoRipple);
    QVERIFY_THROWS_EXCEPTION(EInvalidOp, TracePoints(s, 0.2, kWidth));
    QCOMPARE(s.TraceIndex, 0);
    QCOMPARE(s.TurnAngle, 0.0);
    QVERIFY(s.CyclotronFrequency > 0);
}

void TestBeamTrace::zeroAnodeVoltage()
{
    LabState s = labAt();
    s.AnodeVoltage = 0.0;
    BeginTrace(s, kNoRipple);  // a zero speed is still a speed
    QCOMPARE(s.BeamSpeed, 0.0);
    QVERIFY_THROWS_EXCEPTION(EZeroDivide, TracePoints(s, 0.0, kWidth));
    QCOMPARE(s.TraceIndex, 0);
    QVERIFY(s.CyclotronFrequency > 0);
}

void TestBeamTrace::faultsBeforeTheLoop()
{
    // A negative voltage has no speed: the trace stops before anything of the
    // old one would be erased, keeping the values already set.
    LabState s = labAt();
    s.AnodeVoltage = -1400.0;
    QVERIFY_THROWS_EXCEPTION(EInvalidOp, BeginTrace(s, kRipple));
    QCOMPARE(s.PlateLength, 0.005);
    QCOMPARE(s.BeamSpeed, 0.0);
    QCOMPARE(s.TraceSteps, 0);
    // A pasted 1e300 V would give an infinite speed squared.
    s.AnodeVoltage = 1e300;
    QVERIFY_THROWS_EXCEPTION(EOverflow, BeginTrace(s, kRipple));
    // 1e200 V still has a speed.
    s.AnodeVoltage = 1e200;
    BeginTrace(s, kNoRipple);
    QVERIFY(std::isfinite(s.BeamSpeed));
}

void TestBeamTrace::farPointsRaiseInsteadOfWrapping()
{
    // Plates of nearly -2 l make the helix radius's denominator d/2 + l almost
    // vanish: the points fly off the screen. As long as they fit an integer
    // they are delivered; beyond that the pixel must not wrap round.
    LabState s = labAt();
    BeginTrace(s, TraceSettings{0.0, 0.4, -20.0 + 1e-3});
    const TracePath far = TracePoints(s, 0.2, kWidth);
    QVERIFY2(std::abs(far[0].x) > 100000, show(far[0]).constData());
    BeginTrace(s, TraceSettings{0.0, 0.4, -20.0 + 1e-9});
    QVERIFY_THROWS_EXCEPTION(EOverflow, TracePoints(s, 0.2, kWidth));
    QCOMPARE(s.TraceIndex, 0);
    // Exactly -0.0001 A leaves no field at all.
    BeginTrace(s, kNoRipple);
    QVERIFY_THROWS_EXCEPTION(EZeroDivide, TracePoints(s, -0.0001, kWidth));
    // Just off it the field is tiny and the trace the plain sweep line again.
    const TracePath weak = TracePoints(s, -0.0001 + 1e-15, kWidth);
    COMPARE_POINT(weak[0], 111, 14);
}

void TestBeamTrace::neverInfiniteOrNaN()
{
    // Whatever the inputs, a trace either completes with finite working values
    // or stops with one of the three errors.
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
        s.AnodeVoltage = wild(1400);
        s.TurnsPerMetre = wild(15500);
        s.DriftLength = wild(0.1);
        const TraceSettings settings{wild(0.1), wild(0.4), wild(0.5)};
        try {
            traceOf(s, wild(0.2), settings);
            ++completed;
        } catch (const EMathError &) {
        }
        for (double v : {s.BeamSpeed, s.PhaseShift, s.AngleStep, s.SweepAngle, s.RippleFactor, s.EffectiveCurrent,
                         s.Induction, s.CyclotronFrequency, s.TurnAngle, s.PlateTerm, s.TurnFactorX, s.TurnFactorY,
                         s.RadiusRatio, s.SweepOffset, s.HelixRadius, s.PointX, s.PointY, s.PlateLength})
            QVERIFY(std::isfinite(v));
    }
    QVERIFY(completed > 50);
}

QTEST_APPLESS_MAIN(TestBeamTrace)
#include "tst_beam_trace.moc"
