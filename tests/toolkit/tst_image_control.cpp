// SPDX-License-Identifier: GPL-3.0-or-later
// The screen image and the instruments on a screen of device pixel ratio 2
// (the whole suite runs with QT_SCALE_FACTOR=2): drawings are made at the
// device's resolution, with edges on device pixels, while every logical
// position stays where it is at ratio 1.
#include "bench/oscilloscope_screen.h"
#include "bench/stored_layout.h"
#include "model/lab_state.h"
#include "toolkit/image_control.h"
#include "widgets/angular_gauge.h"
#include "widgets/seven_segment_display.h"

#include <QApplication>
#include <QPaintEvent>
#include <QTest>
#include <cmath>
#include <numbers>

namespace {

TColor at(const QImage &image, int x, int y)
{
    return fromQColor(image.pixelColor(x, y));
}

// Whether some 2 x 2 block of device pixels (one logical pixel) holds
// `colour` and another colour together: an edge drawn at device resolution.
// An enlarged logical picture has none.
bool splitsLogicalPixels(const QImage &image, TColor colour)
{
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const int hits = (at(image, x, y) == colour) + (at(image, x + 1, y) == colour) +
                (at(image, x, y + 1) == colour) + (at(image, x + 1, y + 1) == colour);
            if (hits == 1 || hits == 2 || hits == 3) return true;
        }
    return false;
}

// Point i of the beam trace on a 222-pixel screen, worked out from the
// trace's formulas with the bench's start values, no ripple.
QPoint tracePoint(int i, double current)
{
    const double e = 1.6021892e-19, m = 9.109383e-31, mu0 = 4 * std::numbers::pi * 1e-7;
    const double u = 1400, n = 15500, l = 0.1, d = 0.005, pixelsPerCm = 222 / 8.0;
    const double v = std::sqrt(2 * e * u / m);
    const double t = i * (2 * std::numbers::pi / 100);
    const double omega = e * (mu0 * (current + 0.0001) * n) / m;
    const double theta = omega * l / v;
    const double rho = (v / omega) / (d / 2 + l);
    const double r = rho * std::cos(t) * 3.5;
    const double x = r * (1 - std::cos(theta)), y = r * (std::sin(theta) + theta * d / (2 * l));
    return QPoint(int(std::nearbyint(x * pixelsPerCm + 111)), int(std::nearbyint(111 - y * pixelsPerCm)));
}

}  // namespace

class TestImageControl : public QObject {
    Q_OBJECT
private slots:
    void pictureHasTheDeviceResolution();
    void discOutlineAtDeviceResolution();
    void traceEndsAtTwiceTheirLogicalPoints();
    void lampAtDeviceResolution();
    void instrumentsAtDeviceResolution();
    void aStrokeRepaintsItsOwnPixels();
};

void TestImageControl::pictureHasTheDeviceResolution()
{
    TImage screen;
    QCOMPARE(screen.devicePixelRatioF(), 2.0);
    screen.setPictureSize(222, 221);
    QCOMPARE(screen.pictureSize(), QSize(222, 221));
    QCOMPARE(screen.picture().size(), QSize(444, 442));
    QCOMPARE(screen.picture().devicePixelRatio(), 2.0);
    QCOMPARE(screen.canvas().width(), 222);
    // What was drawn stays, at device resolution, when the picture grows.
    repaintScreen(screen);
    const QImage before = screen.picture();
    screen.setPictureSize(230, 230);
    QCOMPARE(screen.picture().copy(0, 0, 444, 442), before);
    QCOMPARE(at(screen.picture(), 450, 450), clWhite);
}

void TestImageControl::discOutlineAtDeviceResolution()
{
    TImage screen;
    screen.setPictureSize(222, 222);
    repaintScreen(screen);
    const QImage &picture = screen.picture();
    // The disc spans the whole picture: its outline touches the middle of
    // every edge, one logical pixel (two device pixels) thick.
    QCOMPARE(at(picture, 0, 222), clBlack);
    QCOMPARE(at(picture, 1, 222), clBlack);
    QCOMPARE(at(picture, 2, 222), clScreenDark);
    QCOMPARE(at(picture, 443, 222), clBlack);
    QCOMPARE(at(picture, 222, 0), clBlack);
    QCOMPARE(at(picture, 222, 443), clBlack);
    QCOMPARE(at(picture, 0, 0), clGray);
    QCOMPARE(at(picture, 222, 222), clScreenDark);
    QVERIFY(splitsLogicalPixels(picture, clBlack));
}

void TestImageControl::traceEndsAtTwiceTheirLogicalPoints()
{
    // At 0.2 A the trace is a straight line from point 0 through the centre
    // to point 50: (172, 107) and (50, 115) on a 222-pixel screen.
    const QPoint first = tracePoint(0, 0.2), middle = tracePoint(50, 0.2);
    QCOMPARE(first, QPoint(172, 107));
    QCOMPARE(middle, QPoint(50, 115));
    TImage screen;
    screen.setPictureSize(222, 222);
    LabState lab;
    setStartParameters(lab);
    clearPowerFlags(lab);
    applyScreenScale(lab, 222);
    lab.scopeOn = true;
    repaintScreen(screen);
    drawBeamTrace(screen, lab, 0.2, TraceSettings{0, 0.4, 0.5});
    const QImage &picture = screen.picture();
    // The 4-pixel line is 8 device pixels wide, centred on each end point at
    // twice its logical coordinates; its round ends reach 4 device pixels
    // past them and no further.
    for (const QPoint end : {first, middle}) {
        const QPoint device = end * 2;
        const QPointF along = QPointF(end - (end == first ? middle : first)) /
            std::hypot(end.x() - (end == first ? middle : first).x(), end.y() - (end == first ? middle : first).y());
        for (const QPoint p : {device, device + QPoint(-1, -1), device + QPoint(-1, 0), device + QPoint(0, -1)})
            QVERIFY2(at(picture, p.x(), p.y()) == clGreen,
                     qPrintable(QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y())));
        const QPoint beyond = (QPointF(device) + along * 6).toPoint();
        QCOMPARE(at(picture, beyond.x(), beyond.y()), clScreenDark);
    }
    QVERIFY(splitsLogicalPixels(picture, clGreen));
}

void TestImageControl::lampAtDeviceResolution()
{
    TImage lamp;
    lamp.setPictureSize(15, 15);
    paintSourceLamp(lamp, true, true);
    const QImage &picture = lamp.picture();
    QCOMPARE(picture.size(), QSize(30, 30));
    QCOMPARE(at(picture, 15, 15), clRed);
    QCOMPARE(at(picture, 0, 15), clBlack);
    QCOMPARE(at(picture, 0, 0), clGray);
    QVERIFY(splitsLogicalPixels(picture, clBlack));
}

void TestImageControl::instrumentsAtDeviceResolution()
{
    // The ammeter at its bench size: twice the pixels, the 45-degree ends
    // of the segments cut through logical pixels; segment B of the 1 in the
    // cell at (5, 5) runs from x 12 to 14, so device x 24 to 29.
    SevenSegmentDisplay ammeter;
    loadBenchReadout(ammeter, BenchReadout::ammeter);
    ammeter.setValue(1.234);
    const QImage readout = ammeter.grab().toImage();
    QCOMPARE(readout.size(), QSize(160, 56));
    QCOMPARE(at(readout, 27, 20), clLime);
    QCOMPARE(at(readout, 2, 2), clBlack);
    QVERIFY(splitsLogicalPixels(readout, clLime));

    // The dial: its black arc line and pointer cut through logical pixels.
    AngularGauge dial;
    loadBenchDial(dial);
    dial.setBounds(0, 0, 183, 183);
    dial.setPosition(90);
    const QImage face = dial.grab().toImage();
    QCOMPARE(face.size(), QSize(366, 366));
    QCOMPARE(at(face, 40, 40), clGray);
    QVERIFY(splitsLogicalPixels(face, clBlack));
}

void TestImageControl::aStrokeRepaintsItsOwnPixels()
{
    // The regulator's ramp draws a few pixels a tick: only they are painted
    // again, and the control shows what its picture holds.
    struct PaintRegions : QObject {
        QRegion painted;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Paint) painted += static_cast<QPaintEvent *>(e)->region();
            return false;
        }
    } regions;
    TImage screen;
    screen.resize(222, 222);
    screen.setPictureSize(222, 222);
    repaintScreen(screen);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    QCoreApplication::processEvents();
    screen.installEventFilter(&regions);
    {
        Canvas c = screen.canvas();
        c.setPenColor(clGreen);
        c.setPenWidth(4);
        c.moveTo(111, 60);
        c.lineTo(111, 160);
    }
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QVERIFY(!regions.painted.isEmpty());
    QVERIFY2(QRect(104, 53, 15, 115).contains(regions.painted.boundingRect()),
             qPrintable(QStringLiteral("%1 %2 %3 %4")
                            .arg(regions.painted.boundingRect().x())
                            .arg(regions.painted.boundingRect().y())
                            .arg(regions.painted.boundingRect().width())
                            .arg(regions.painted.boundingRect().height())));
    QCOMPARE(screen.grab().toImage().convertToFormat(QImage::Format_RGB32), screen.picture());
}

int main(int argc, char **argv)
{
    // Every window of this suite is shown at twice its logical size.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestImageControl test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_image_control.moc"
