// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures of the bench that the build makes for the lab documents: not
// blank, and showing what their captions say. Where the trace lies is
// computed here on its own from the beam's physics, not by the program's
// model. The bench is pictured at several device pixels to a pixel, for
// print; the pictures of the focusing are the screen's own pixels, enlarged.
#include <QDir>
#include <QImage>
#include <QTest>

#include <cmath>
#include <numbers>
#include <numeric>

namespace {

QImage picture(const char *name)
{
    return QImage(QDir(QStringLiteral(EMLAB_DOC_GENERATED)).filePath(QString::fromLatin1(name)));
}

bool isTraceGreen(QColor c)
{
    return c.red() == 0 && c.green() == 128 && c.blue() == 0;
}

// Any trace-green pixel within `radius` of (x, y).
bool greenNear(const QImage &image, int x, int y, int radius)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint p(x + dx, y + dy);
            if (image.rect().contains(p) && isTraceGreen(image.pixelColor(p))) return true;
        }
    return false;
}

QRect greenBox(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isTraceGreen(image.pixelColor(x, y))) box |= QRect(x, y, 1, 1);
    return box;
}

// Device pixels to a window pixel in the bench's pictures: the window is
// designed 719 pixels wide.
int devicePixels()
{
    return int(std::lround(picture("bench-start.png").width() / 719.0));
}

int distinctColours(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
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

}  // namespace

class TestDocumentPictures : public QObject {
    Q_OBJECT

private slots:
    void picturesAreNotBlank_data();
    void picturesAreNotBlank();
    void traceLiesWhereThePhysicsPutsIt_data();
    void traceLiesWhereThePhysicsPutsIt();
    void lowestTraceBetweenTallerOnes();
    void scopeOnShowsItsLampAndSpot();
    void warmupLineGrowsThroughTheCentre();
    void calculatorShowsItsResult();
};

void TestDocumentPictures::picturesAreNotBlank_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name :
         {"bench-start.png", "scope-on.png", "warmup.png", "trace-ripple.png", "trace-plain.png", "focus-1-before.png",
          "focus-1-first.png", "focus-1-last.png", "focus-1-after.png", "focus-3-before.png", "focus-3-first.png",
          "focus-3-last.png", "focus-3-after.png", "calculator.png"})
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

void TestDocumentPictures::lowestTraceBetweenTallerOnes()
{
    // The screen's own pixels, each a square of the same whole number of
    // picture pixels: the greatest common divisor of the runs of one colour
    // along the rows of all of them.
    const QStringList names = {QStringLiteral("1-before"), QStringLiteral("1-first"),  QStringLiteral("1-last"),
                               QStringLiteral("1-after"),  QStringLiteral("3-before"), QStringLiteral("3-first"),
                               QStringLiteral("3-last"),   QStringLiteral("3-after")};
    int factor = 0;
    for (const QString &name : names) {
        const QImage shot = picture(qPrintable(QStringLiteral("focus-%1.png").arg(name)));
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0, run = 1; x < shot.width(); ++x, ++run)
                if (x + 1 == shot.width() || shot.pixel(x + 1, y) != shot.pixel(x, y)) {
                    factor = std::gcd(factor, run);
                    run = 0;
                }
    }
    QVERIFY(factor >= 4);
    for (const QString &name : names) {
        const QImage shot = picture(qPrintable(QStringLiteral("focus-%1.png").arg(name)));
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                QCOMPARE(shot.pixel(x, y), shot.pixel(x / factor * factor, y / factor * factor));
    }

    // At either end of the band of lowest traces the trace is as low as the
    // 4-pixel pen (a pixel more where the centre falls between pixels); just
    // before and just after it, taller, and after it a vertical dash.
    for (const char *k : {"1", "3"}) {
        auto box = [&](const char *shot) {
            const QRect b = greenBox(picture(qPrintable(QStringLiteral("focus-%1-%2.png").arg(k, shot))));
            return QSize(b.width() / factor, b.height() / factor);
        };
        QVERIFY(box("first").height() <= 5);
        QCOMPARE(box("last").height(), box("first").height());
        QVERIFY(box("before").height() > box("first").height());
        QVERIFY(box("after").height() > box("last").height());
        QVERIFY(box("after").height() > box("after").width());
    }
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
    const int most = 8 * devicePixels();
    QVERIFY2(spot.width() <= most && spot.height() <= most,
             qPrintable(QStringLiteral("%1 x %2").arg(spot.width()).arg(spot.height())));
}

void TestDocumentPictures::warmupLineGrowsThroughTheCentre()
{
    // Halfway up the ramp: a vertical line about 2 x 45 pixels long, 4
    // pixels wide; the columns of longer green runs than any digit's.
    const QImage window = picture("warmup.png");
    const int ratio = devicePixels();
    int longest = 0, columns = 0;
    for (int x = 0; x < window.width(); ++x) {
        int run = 0, best = 0;
        for (int y = 0; y < window.height(); ++y) {
            run = isTraceGreen(window.pixelColor(x, y)) ? run + 1 : 0;
            best = std::max(best, run);
        }
        longest = std::max(longest, best);
        columns += best > 40 * ratio;
    }
    QVERIFY2(longest >= 80 * ratio && longest <= 100 * ratio, qPrintable(QString::number(longest)));
    QVERIFY2(columns >= 3 * ratio && columns <= 5 * ratio, qPrintable(QString::number(columns)));
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
