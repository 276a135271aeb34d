// SPDX-License-Identifier: GPL-3.0-or-later
// The panel's face and bevels, pixel for pixel: each bevel is a one-pixel ring
// inside the previous one, the outer bevel outermost; a raised ring is light
// along its top and left and shadowed along its bottom and right, a lowered one
// the reverse, and the shadowed sides own the two corners where they meet the
// lit ones. Inside the rings lies the panel's colour.
#include "toolkit/panel.h"

#include <QApplication>
#include <QTest>
#include <vector>

Q_DECLARE_METATYPE(TBevelCut)

namespace {

// The colour a pixel must have, worked out ring by ring from the edges.
QColor expectedPixel(int x, int y, QSize size, const std::vector<TBevelCut> &rings, const QColor &face)
{
    const int ring = std::min({x, y, size.width() - 1 - x, size.height() - 1 - y});
    if (ring >= int(rings.size())) return face;
    const QColor light = QApplication::palette().color(QPalette::Active, QPalette::Light);
    const QColor shadow = QApplication::palette().color(QPalette::Active, QPalette::Dark);
    const bool bottomOrRight = x == size.width() - 1 - ring || y == size.height() - 1 - ring;
    const bool raised = rings[ring] == TBevelCut::bvRaised;
    return bottomOrRight == raised ? shadow : light;
}

}  // namespace

class TstPanel : public QObject {
    Q_OBJECT

private slots:
    void bevelRings_data()
    {
        QTest::addColumn<TBevelCut>("outer");
        QTest::addColumn<TBevelCut>("inner");
        QTest::addColumn<QSize>("size");
        using B = TBevelCut;
        QTest::newRow("no bevel") << B::bvNone << B::bvNone << QSize(20, 12);
        // The bench's oscilloscope panel and the regulator's switch panel.
        QTest::newRow("raised inner only") << B::bvNone << B::bvRaised << QSize(245, 537);
        QTest::newRow("raised outer only") << B::bvRaised << B::bvNone << QSize(183, 50);
        QTest::newRow("lowered outer only") << B::bvLowered << B::bvNone << QSize(30, 17);
        QTest::newRow("raised in raised") << B::bvRaised << B::bvRaised << QSize(25, 9);
        QTest::newRow("lowered in raised") << B::bvRaised << B::bvLowered << QSize(9, 25);
        QTest::newRow("raised in lowered") << B::bvLowered << B::bvRaised << QSize(16, 16);
        QTest::newRow("smallest with two rings") << B::bvRaised << B::bvLowered << QSize(4, 4);
    }

    void bevelRings()
    {
        QFETCH(TBevelCut, outer);
        QFETCH(TBevelCut, inner);
        QFETCH(QSize, size);
        const QColor light = QApplication::palette().color(QPalette::Active, QPalette::Light);
        const QColor shadow = QApplication::palette().color(QPalette::Active, QPalette::Dark);
        const QColor face(0x80, 0x80, 0x80);
        QVERIFY2(light != shadow && light != face && shadow != face, "the palette cannot tell the rings apart");

        TPanel panel;
        panel.setColor(clGray);
        panel.setBevelOuter(outer);
        panel.setBevelInner(inner);
        panel.resize(size);
        const QImage image = panel.grab().toImage();
        QCOMPARE(image.size(), size);

        std::vector<TBevelCut> rings;
        for (TBevelCut cut : {outer, inner})
            if (cut != TBevelCut::bvNone) rings.push_back(cut);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                if (image.pixel(x, y) != expectedPixel(x, y, size, rings, face).rgb())
                    QFAIL(qPrintable(
                        QStringLiteral("pixel (%1, %2) is %3, not %4")
                            .arg(x)
                            .arg(y)
                            .arg(image.pixelColor(x, y).name(), expectedPixel(x, y, size, rings, face).name())));
    }
};

QTEST_MAIN(TstPanel)
#include "tst_panel.moc"
