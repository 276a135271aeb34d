// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures of the bench that the build makes for the lab documents: not
// blank, and showing what their captions say. Where the trace lies is
// computed here on its own from the beam's physics, not by the program's
// model.
#include <QDir>
#include <QImage>
#include <QTest>

#include <cmath>
#include <numbers>

namespace {

QImage picture(const char *name)
{
    return QImage(QDir(QStringLiteral(EMLAB_DOC_GENERATED)).filePath(QString::fromLatin1(name)));
}

bool isTraceGreen(QColor c) { return c.red() == 0 && c.green() == 128 && c.blue() == 0; }

// Any trace-green pixel within `radius` of (x, y).
bool greenNear(const QImage &image, int x, int y, int radius)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint p(x + dx, y + dy);
            if (image.rect().contains(p) && isTraceGreen(image.pixelColor(p)))
                return true;
        }
    return false;
}

QRect greenBox(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isTraceGreen(image.pixelColor(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

int distinctColours(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

// A point of the sweep on the screen, in pixels: the electron leaves the
// plates with a transverse offset and winds on a helix through theta on its
// way to the screen. Start parameters: U = 1400 V, n = 15500 1/m,
// l = 0.1 m, d = 0.5 cm, the sweep's half-length 3.5 cm, the screen 8 cm
// across its width.
QPointF sweepPoint(int i, double current, double ripple, double phasePi, int width)
{
    const double e = 1.6021892e-19, m = 9.109383e-31, mu0 = 4e-7 * std::numbers::pi;
    const double U = 1400, n = 15500, l = 0.1, d = 0.005;
    const double v = std::sqrt(2 * e * U / m);
    const double t = 2 * std::numbers::pi * i / 100;
    const double I = (current + 0.0001) * (1 + ripple * std::cos(2 * t - std::numbers::pi * phasePi));
    const double omega = e * mu0 * n * I / m;
    const double theta = omega * l / v;
    const double radius = (v / omega) / (d / 2 + l) * 3.5 * std::cos(t);
    const double x = radius * (1 - std::cos(theta));
    const double y = radius * (std::sin(theta) + theta * d / (2 * l));
    const double scale = width / 8.0;
    return QPointF(width / 2.0 + x * scale, width / 2.0 - y * scale);
}

} // namespace

class TestDocumentPictures : public QObject {
    Q_OBJECT

private slots:
    void picturesAreNotBlank_data();
    void picturesAreNotBlank();
    void traceLiesWhereThePhysicsPutsIt_data();
    void traceLiesWhereThePhysicsPutsIt();
    void dotBeforeFocusingAndDashAtIt();
    void scopeOnShowsItsLampAndSpot();
    void warmupLineGrowsThroughTheCentre();
    void calculatorShowsItsResult();
};

void TestDocumentPictures::picturesAreNotBlank_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"bench-start.png", "scope-on.png", "warmup.png", "trace-ripple.png", "trace-plain.png",
                             "focus-before.png", "focus-dot.png", "focus-dash.png", "focus-before-zoom.png",
                             "focus-dot-zoom.png", "focus-dash-zoom.png", "calculator.png"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestDocumentPictures::picturesAreNotBlank()
{
    QFETCH(QString, name);
    const QImage image = picture(name.toLatin1().constData());
    QVERIFY2(!image.isNull(), qPrintable(name));
    QVERIFY(image.width() >= 100 && image.height() >= 100);
    QVERIFY(distinctColours(image) >= 2);
}

void TestDocumentPictures::traceLiesWhereThePhysicsPutsIt_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("current");
    QTest::addColumn<double>("ripple");
    QTest::newRow("0.2 A without ripple") << QStringLiteral("trace-plain.png") << 0.2 << 0.0;
    QTest::newRow("0.2 A with the start ripple") << QStringLiteral("trace-ripple.png") << 0.2 << 0.1;
}

void TestDocumentPictures::traceLiesWhereThePhysicsPutsIt()
{
    QFETCH(QString, name);
    QFETCH(double, current);
    QFETCH(double, ripple);
    const QImage screen = picture(name.toLatin1().constData());
    QCOMPARE(screen.width(), screen.height());
    for (int i = 0; i <= 100; i += 5) {
        const QPointF p = sweepPoint(i, current, ripple, 0.4, screen.width());
        QVERIFY2(greenNear(screen, int(std::lround(p.x())), int(std::lround(p.y())), 1),
                 qPrintable(QStringLiteral("point %1 at (%2, %3)").arg(i).arg(p.x()).arg(p.y())));
    }
    // Nothing of the trace is left from the undeflected vertical sweep.
    QVERIFY(!greenNear(screen, screen.width() / 2, screen.width() / 2 - int(3.0 * screen.width() / 8), 2));
}

void TestDocumentPictures::dotBeforeFocusingAndDashAtIt()
{
    // At the focusing the helix closes (theta = 2 pi): the trace is a
    // vertical dash of half-length 3.5 d / (d + 2 l) cm through the centre;
    // drawn with a 4-pixel pen it is taller than wide. Before it, the dot is
    // no taller than the pen.
    const QImage dash = picture("focus-dash.png");
    const QImage dot = picture("focus-dot.png");
    const double scale = dash.width() / 8.0;
    const double halfDash = 3.5 * 0.5 / (0.5 + 20.0) * scale;
    const QRect dashBox = greenBox(dash);
    const QRect dotBox = greenBox(dot);
    QVERIFY(!dashBox.isEmpty() && !dotBox.isEmpty());
    QVERIFY2(dashBox.height() >= dashBox.width() + 2, qPrintable(QStringLiteral("%1 x %2").arg(dashBox.width()).arg(dashBox.height())));
    QVERIFY(std::abs(dashBox.height() - (2 * halfDash + 4)) <= 2);
    QVERIFY(dotBox.height() <= 6 && dotBox.width() <= 6);
    QVERIFY(dotBox.height() < dashBox.height());
    for (const QRect &box : {dashBox, dotBox})
        QVERIFY(std::abs(box.center().x() - dash.width() / 2) <= 2 && std::abs(box.center().y() - dash.width() / 2) <= 2);
    // The enlarged views are the centres, four times, pixel for pixel.
    const QImage zoom = picture("focus-dash-zoom.png");
    QCOMPARE(zoom.size(), QSize(164, 164));
    QCOMPARE(greenBox(zoom).height(), 4 * dashBox.height());
}

void TestDocumentPictures::scopeOnShowsItsLampAndSpot()
{
    const QImage panel = picture("scope-on.png");
    int red = 0;
    for (int y = 0; y < panel.height() / 3; ++y)
        for (int x = 0; x < panel.width(); ++x) {
            const QColor c = panel.pixelColor(x, y);
            red += c.red() == 255 && c.green() == 0 && c.blue() == 0;
        }
    QVERIFY2(red > 20, "the oscilloscope's lamp is lit");
    // On the screen (the upper half; the parameter fields below show their
    // disabled digits in the same green) only the small spot, no trace yet.
    const QRect spot = greenBox(panel.copy(0, 0, panel.width(), panel.height() / 2));
    QVERIFY(!spot.isEmpty());
    QVERIFY2(spot.width() <= 8 && spot.height() <= 8, qPrintable(QStringLiteral("%1 x %2").arg(spot.width()).arg(spot.height())));
}

void TestDocumentPictures::warmupLineGrowsThroughTheCentre()
{
    // Halfway up the ramp: a vertical line about 2 x 45 pixels long, 4
    // pixels wide; the columns of longer green runs than any digit's.
    const QImage window = picture("warmup.png");
    int longest = 0, columns = 0;
    for (int x = 0; x < window.width(); ++x) {
        int run = 0, best = 0;
        for (int y = 0; y < window.height(); ++y) {
            run = isTraceGreen(window.pixelColor(x, y)) ? run + 1 : 0;
            best = std::max(best, run);
        }
        longest = std::max(longest, best);
        columns += best > 40;
    }
    QVERIFY2(longest >= 80 && longest <= 100, qPrintable(QString::number(longest)));
    QVERIFY2(columns >= 3 && columns <= 5, qPrintable(QString::number(columns)));
}

void TestDocumentPictures::calculatorShowsItsResult()
{
    // The source on (its lamp red), the result field filled with dark text.
    const QImage image = picture("calculator.png");
    int red = 0, dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() == 255 && c.green() == 0 && c.blue() == 0;
            dark += c.red() < 60 && c.green() < 60 && c.blue() < 60 && y > image.height() * 2 / 3;
        }
    QVERIFY(red > 20);
    QVERIFY(dark > 50);
}

QTEST_MAIN(TestDocumentPictures)
#include "tst_document_pictures.moc"
