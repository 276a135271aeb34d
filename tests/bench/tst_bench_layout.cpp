// SPDX-License-Identifier: GPL-3.0-or-later
// The bench's layout arithmetic: every rectangle for the design outer size,
// the smallest width, a width beyond the source panel's limit, and the
// one-pass lag of everything that follows the screen's previous size.
#include "bench/bench_layout.h"

#include <QTest>

class TstBenchLayout : public QObject {
    Q_OBJECT

    static BenchLayoutInput at(int w, int h, int screen = 281)
    {
        BenchLayoutInput in;
        in.outer = QSize(w, h);
        in.screen = QSize(screen, screen);
        return in;
    }

    // The layout at a window size once it has settled: the second pass finds
    // the screen the first one set.
    static BenchLayout settled(QSize outer)
    {
        BenchLayoutInput in = at(outer.width(), outer.height());
        in.screen = computeBenchLayout(in).screen.size();
        return computeBenchLayout(in);
    }

private slots:
    void designSizeColumns()
    {
        // 735 × 637, with the screen already at the size this width gives it.
        const BenchLayout L = computeBenchLayout(at(735, 637, 225));
        QCOMPARE(L.scopePanel, QRect(245, 10, 245, 537));
        QCOMPARE(L.sourcePanel, QRect(499, 10, 183, 256));  // 256.2 rounded
        QCOMPARE(L.regulatorDial, QRect(52, 10, 183, 183));
        QCOMPARE(L.dialLabelOffsetX, -81);
        QCOMPARE(L.dialLabelOffsetY, 81);
        QCOMPARE(L.regulatorPanel, QRect(52, 187, 183, 50));
        QCOMPARE(L.calculateButton.topLeft(), QPoint(499, 266));
        QCOMPARE(L.screen, QRect(10, 30, 225, 225));
        QCOMPARE(L.scopeSwitch, QRect(5, 5, 65, 22));
        QCOMPARE(L.regulatorSwitch, QRect(5, 5, 57, 30));
        QCOMPARE(L.sourceLamp, QRect(5, 5, 15, 15));
    }

    void oscilloscopeColumnAtDesignSize()
    {
        const BenchLayout L = computeBenchLayout(at(735, 637, 225));
        // Fields centred in the 245-wide panel, under the 225-high screen.
        QCOMPARE(L.anodeVoltageField, QRect(78, 275, 89, 27));
        QCOMPARE(L.turnDensityField, QRect(78, 275 + 27 + 15 + 10, 89, 27));
        QCOMPARE(L.driftLengthField, QRect(78, 327 + 27 + 15 + 10, 89, 27));
        QCOMPARE(L.plateLengthLabel, QRect(78, 379 + 27 + 10, 29, 19));
        QCOMPARE(L.plateLengthReadout, QRect(78, 435, 40, 28));
        QCOMPARE(L.plateLengthArrows, QRect(128, 435, 17, 32));
    }

    void sourceColumnAtDesignSize()
    {
        const BenchLayout L = computeBenchLayout(at(735, 637, 225));
        QCOMPARE(L.ammeter, QRect(91 - 80 + 10, 25, 80, 28));
        QCOMPARE(L.coarseCurrentArrows, QRect(91 - 72, 63, 145, 17));
        QCOMPARE(L.fineCurrentArrows, QRect(91 - 28, 63, 57, 17));
        // The fine pair covers the middle of the coarse one, leaving both ends free.
        QVERIFY(L.coarseCurrentArrows.left() < L.fineCurrentArrows.left());
        QVERIFY(L.coarseCurrentArrows.right() > L.fineCurrentArrows.right());
        QCOMPARE(L.sourceSwitch, QRect(183 - 57 - 10, 25, 57, 25));
        QCOMPARE(L.rippleLabel, QRect(91 - 35 - 15, 103, 71, 19));
        QCOMPARE(L.rippleReadout, QRect(41, 127, 57, 28));
        QCOMPARE(L.rippleArrows, QRect(98, 127, 17, 32));
        QCOMPARE(L.phaseLabel, QRect(41, 165, 87, 19));
        QCOMPARE(L.phaseReadout, QRect(41, 184, 56, 28));
        QCOMPARE(L.phaseArrows, QRect(97, 184, 17, 33));
        // The calculator beside and under its button.
        QCOMPARE(L.specificChargeField, QRect(499 + 49 + 3, 266 + 24 - 13, 121, 27));
        QCOMPARE(L.helixTurnsField, QRect(551, 266 + 49, 25, 27));
    }

    void measuredSizesMoveTheirNeighbours()
    {
        // Labels and caption labels size themselves; the layout follows them.
        BenchLayoutInput in = at(735, 637, 225);
        in.rippleLabel = QSize(73, 19);
        in.plateLengthLabel = QSize(29, 17);
        in.phaseLabel = QSize(90, 17);
        in.anodeVoltageCaptionHeight = 16;
        in.turnDensityCaptionHeight = 14;
        const BenchLayout L = computeBenchLayout(in);
        QCOMPARE(L.turnDensityField.top(), 275 + 27 + 16 + 10);
        QCOMPARE(L.driftLengthField.top(), 328 + 27 + 14 + 10);
        QCOMPARE(L.plateLengthReadout.top(), L.plateLengthLabel.top() + 17);
        QCOMPARE(L.rippleLabel.left(), 91 - 36 - 15);
        QCOMPARE(L.phaseReadout.top(), L.phaseLabel.top() + 17);
        QCOMPARE(L.rippleReadout.left(), L.rippleLabel.left());
    }

    void smallestWidth()
    {
        const BenchLayout L = computeBenchLayout(at(650, 550, 225));
        QCOMPARE(L.scopePanel, QRect(325 - 108, 10, 216, 450));
        QCOMPARE(L.screen.size(), QSize(196, 196));
        QCOMPARE(L.sourcePanel.width(), 162);
        QCOMPARE(L.sourcePanel.height(), 227);  // 226.8 rounded
        QCOMPARE(L.regulatorDial, QRect(217 - 162 - 10, 10, 162, 162));
        // Nothing of the three columns overlaps, nor leaves the window.
        QVERIFY(L.regulatorDial.right() < L.scopePanel.left());
        QVERIFY(L.scopePanel.right() < L.sourcePanel.left());
        QVERIFY(L.regulatorDial.left() >= 0);
        QVERIFY(L.sourcePanel.right() < 650);
    }

    void screenTakesTheLargestSquareThatLeavesRoom_data()
    {
        // Under the screen come 242 pixels of controls (50 to the first
        // field, three fields of 27 with captions of 15 and gaps of 10, the
        // label of 19 and the plate length's arrows of 32) and a margin of
        // 10; the panel is the window's height less 100.
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<int>("side");
        // The designed proportions: the width decides, as it always did.
        QTest::newRow("735x637") << QSize(735, 637) << 225;
        QTest::newRow("726x640") << QSize(726, 640) << 222;
        QTest::newRow("smallest 650x550") << QSize(650, 550) << 196;
        QTest::newRow("1200x800, wider than 1091") << QSize(1200, 800) << 380;
        QTest::newRow("1920x1080") << QSize(1920, 1080) << 620;
        // Wide for its height: 720 - 100 - 242 - 10 = 368, not 406.
        QTest::newRow("1280x720 maximised") << QSize(1280, 720) << 368;
        QTest::newRow("1366x768 maximised") << QSize(1366, 768) << 416;
        QTest::newRow("1280x560") << QSize(1280, 560) << 208;
        QTest::newRow("1920x560") << QSize(1920, 560) << 208;
        // Exactly where height and width give the same square.
        QTest::newRow("1092x696") << QSize(1092, 696) << 344;
        QTest::newRow("1092x695") << QSize(1092, 695) << 343;
    }

    void screenTakesTheLargestSquareThatLeavesRoom()
    {
        QFETCH(QSize, outer);
        QFETCH(int, side);
        const BenchLayout L = settled(outer);
        QCOMPARE(L.screen, QRect(10, 30, side, side));
    }

    void everyControlOfTheOscilloscopeStaysInside()
    {
        // At every size the window accepts, each control of the oscilloscope
        // panel (the fields with their captions above them) lies inside the
        // panel once the layout has settled, and none overlaps another.
        QList<QSize> sizes{{1280, 720}, {1366, 768}, {1920, 560}, {1920, 1080}, {650, 550}, {2560, 1440}};
        for (int w = 650; w <= 2600; w += 50)
            for (int h = 550; h <= 1400; h += 50) sizes << QSize(w, h) << QSize(w + 7, h + 3);
        for (const QSize outer : sizes) {
            const BenchLayout L = settled(outer);
            const BenchLayoutInput in = at(outer.width(), outer.height());
            const auto caption = [&](const QRect &field) {
                return QRect(field.left(), field.top() - in.anodeVoltageCaptionHeight - 3, 89,
                             in.anodeVoltageCaptionHeight);
            };
            const QList<QRect> controls{L.scopeSwitch,
                                        L.screen,
                                        caption(L.anodeVoltageField),
                                        L.anodeVoltageField,
                                        caption(L.turnDensityField),
                                        L.turnDensityField,
                                        caption(L.driftLengthField),
                                        L.driftLengthField,
                                        L.plateLengthLabel,
                                        L.plateLengthReadout,
                                        L.plateLengthArrows};
            const QRect panel(QPoint(0, 0), L.scopePanel.size());
            const QByteArray where = QByteArray::number(outer.width()) + "x" + QByteArray::number(outer.height());
            for (int i = 0; i < controls.size(); ++i) {
                QVERIFY2(panel.contains(controls[i]), (where + " control " + QByteArray::number(i)).constData());
                for (int j = i + 1; j < controls.size(); ++j)
                    QVERIFY2(!controls[i].intersects(controls[j]),
                             (where + " controls " + QByteArray::number(i) + ", " + QByteArray::number(j)).constData());
            }
            // The largest such square: one pixel more and either the panel's
            // width or the room under it would be exceeded.
            BenchLayoutInput bigger = in;
            bigger.screen = L.screen.size() + QSize(1, 1);
            const BenchLayout B = computeBenchLayout(bigger);
            const bool tooWide = L.screen.width() + 1 > L.scopePanel.width() - 20;
            const bool tooTall = B.plateLengthArrows.bottom() + 1 + 10 > B.scopePanel.height();
            QVERIFY2(tooWide || tooTall, where.constData());
        }
    }

    void sourcePanelStopsAt272()
    {
        // With height to spare for the screen.
        for (int w : {1091, 1092, 1200, 1600}) {
            const BenchLayout L = computeBenchLayout(at(w, 1000, 225));
            const int expected = std::min(w / 4, 272);
            QCOMPARE(L.sourcePanel.width(), expected);
            QCOMPARE(L.regulatorDial.size(), QSize(expected, expected));
            QCOMPARE(L.scopePanel.width(), w / 3);
            QCOMPARE(L.screen.width(), w / 3 - 20);
        }
        const BenchLayout L = computeBenchLayout(at(1200, 800, 225));
        QCOMPARE(L.sourcePanel.height(), 381);  // 380.8 rounded
        QCOMPARE(L.dialLabelOffsetX, -126);
        QCOMPARE(L.calculateButton.top(), 391);
    }

    void sourcePanelHeightRoundsToNearest()
    {
        // 1.4 × width: 254.8 rounds up, 261.8 too, and 259 (185 × 1.4, not
        // exact in binary) stays 259.
        QCOMPARE(computeBenchLayout(at(728, 637)).sourcePanel.height(), 255);
        QCOMPARE(computeBenchLayout(at(740, 637)).sourcePanel.height(), 259);
        QCOMPARE(computeBenchLayout(at(748, 637)).sourcePanel.height(), 262);
        QCOMPARE(computeBenchLayout(at(751, 637)).sourcePanel.height(), 262);  // 187 × 1.4 = 261.8
        QCOMPARE(computeBenchLayout(at(756, 637)).sourcePanel.height(), 265);  // 189 × 1.4 = 264.6
    }

    void fieldsFollowTheScreenOfThePreviousPass()
    {
        // The first pass finds the design screen of 281 and places the fields
        // under it; the second finds the 225 the first one set.
        const BenchLayout first = computeBenchLayout(at(735, 637, 281));
        QCOMPARE(first.anodeVoltageField.top(), 331);
        QCOMPARE(first.screen.size(), QSize(225, 225));
        BenchLayoutInput in = at(735, 637);
        in.screen = first.screen.size();
        const BenchLayout second = computeBenchLayout(in);
        QCOMPARE(second.anodeVoltageField.top(), 275);
        QCOMPARE(computeBenchLayout(in).anodeVoltageField, second.anodeVoltageField);
    }

    void divisionsTruncate()
    {
        // Odd sizes: every half is taken toward zero.
        const BenchLayout L = computeBenchLayout(at(737, 601, 225));
        QCOMPARE(L.scopePanel, QRect(368 - 122, 10, 245, 501));
        QCOMPARE(L.sourcePanel.left(), 368 + 122 + 10);
        QCOMPARE(L.regulatorDial.left(), 246 - 184 - 10);
        QCOMPARE(L.dialLabelOffsetX, 10 - 92);
        QCOMPARE(L.dialLabelOffsetY, 92 - 10);
    }
};

QTEST_MAIN(TstBenchLayout)
#include "tst_bench_layout.moc"
