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

private slots:
    void designSizeColumns()
    {
        // 735 × 637, with the screen already at the size this width gives it.
        const BenchLayout L = ComputeBenchLayout(at(735, 637, 225));
        QCOMPARE(L.Panel2, QRect(245, 10, 245, 537));
        QCOMPARE(L.Panel3, QRect(499, 10, 183, 256));   // 256.2 rounded
        QCOMPARE(L.transformator, QRect(52, 10, 183, 183));
        QCOMPARE(L.label1OffsetX, -81);
        QCOMPARE(L.label1OffsetY, 81);
        QCOMPARE(L.Panel1, QRect(52, 187, 183, 50));
        QCOMPARE(L.SpeedButton1.topLeft(), QPoint(499, 266));
        QCOMPARE(L.Image1, QRect(10, 30, 225, 225));
        QCOMPARE(L.knopka1, QRect(5, 5, 65, 22));
        QCOMPARE(L.knopka2, QRect(5, 5, 57, 30));
        QCOMPARE(L.Image2, QRect(5, 5, 15, 15));
    }

    void oscilloscopeColumnAtDesignSize()
    {
        const BenchLayout L = ComputeBenchLayout(at(735, 637, 225));
        // Fields centred in the 245-wide panel, under the 225-high screen.
        QCOMPARE(L.LabeledEdit1, QRect(78, 275, 89, 27));
        QCOMPARE(L.LabeledEdit2, QRect(78, 275 + 27 + 15 + 10, 89, 27));
        QCOMPARE(L.LabeledEdit3, QRect(78, 327 + 27 + 15 + 10, 89, 27));
        QCOMPARE(L.Label2, QRect(78, 379 + 27 + 10, 29, 19));
        QCOMPARE(L.Dplastin1, QRect(78, 435, 40, 28));
        QCOMPARE(L.UpDown3, QRect(128, 435, 17, 32));
    }

    void sourceColumnAtDesignSize()
    {
        const BenchLayout L = ComputeBenchLayout(at(735, 637, 225));
        QCOMPARE(L.amper, QRect(91 - 80 + 10, 25, 80, 28));
        QCOMPARE(L.sh_vprm, QRect(91 - 72, 63, 145, 17));
        QCOMPARE(L.sh_vprm_2, QRect(91 - 28, 63, 57, 17));
        // The fine pair covers the middle of the coarse one, leaving both ends free.
        QVERIFY(L.sh_vprm.left() < L.sh_vprm_2.left());
        QVERIFY(L.sh_vprm.right() > L.sh_vprm_2.right());
        QCOMPARE(L.knopka3, QRect(183 - 57 - 10, 25, 57, 25));
        QCOMPARE(L.Label1, QRect(91 - 35 - 15, 103, 71, 19));
        QCOMPARE(L.Fmax1, QRect(41, 127, 57, 28));
        QCOMPARE(L.UpDown1, QRect(98, 127, 17, 32));
        QCOMPARE(L.Label3, QRect(41, 165, 87, 19));
        QCOMPARE(L.Faza1, QRect(41, 184, 56, 28));
        QCOMPARE(L.UpDown2, QRect(97, 184, 17, 33));
        // The calculator beside and under its button.
        QCOMPARE(L.Edit1, QRect(499 + 49 + 3, 266 + 24 - 13, 121, 27));
        QCOMPARE(L.Edit2, QRect(551, 266 + 49, 25, 27));
    }

    void measuredSizesMoveTheirNeighbours()
    {
        // Labels and caption labels size themselves; the layout follows them.
        BenchLayoutInput in = at(735, 637, 225);
        in.label1 = QSize(73, 19);
        in.label2 = QSize(29, 17);
        in.label3 = QSize(90, 17);
        in.editLabel1Height = 16;
        in.editLabel2Height = 14;
        const BenchLayout L = ComputeBenchLayout(in);
        QCOMPARE(L.LabeledEdit2.top(), 275 + 27 + 16 + 10);
        QCOMPARE(L.LabeledEdit3.top(), 328 + 27 + 14 + 10);
        QCOMPARE(L.Dplastin1.top(), L.Label2.top() + 17);
        QCOMPARE(L.Label1.left(), 91 - 36 - 15);
        QCOMPARE(L.Faza1.top(), L.Label3.top() + 17);
        QCOMPARE(L.Fmax1.left(), L.Label1.left());
    }

    void smallestWidth()
    {
        const BenchLayout L = ComputeBenchLayout(at(650, 550, 225));
        QCOMPARE(L.Panel2, QRect(325 - 108, 10, 216, 450));
        QCOMPARE(L.Image1.size(), QSize(196, 196));
        QCOMPARE(L.Panel3.width(), 162);
        QCOMPARE(L.Panel3.height(), 227);   // 226.8 rounded
        QCOMPARE(L.transformator, QRect(217 - 162 - 10, 10, 162, 162));
        // Nothing of the three columns overlaps, nor leaves the window.
        QVERIFY(L.transformator.right() < L.Panel2.left());
        QVERIFY(L.Panel2.right() < L.Panel3.left());
        QVERIFY(L.transformator.left() >= 0);
        QVERIFY(L.Panel3.right() < 650);
    }

    void sourcePanelStopsAt272()
    {
        for (int w : {1091, 1092, 1200, 1600}) {
            const BenchLayout L = ComputeBenchLayout(at(w, 800, 225));
            const int expected = std::min(w / 4, 272);
            QCOMPARE(L.Panel3.width(), expected);
            QCOMPARE(L.transformator.size(), QSize(expected, expected));
            QCOMPARE(L.Panel2.width(), w / 3);
            QCOMPARE(L.Image1.width(), w / 3 - 20);
        }
        const BenchLayout L = ComputeBenchLayout(at(1200, 800, 225));
        QCOMPARE(L.Panel3.height(), 381);   // 380.8 rounded
        QCOMPARE(L.label1OffsetX, -126);
        QCOMPARE(L.SpeedButton1.top(), 391);
    }

    void sourcePanelHeightRoundsToNearest()
    {
        // 1.4 × width: 254.8 rounds up, 261.8 too, and 259 (185 × 1.4, not
        // exact in binary) stays 259.
        QCOMPARE(ComputeBenchLayout(at(728, 637)).Panel3.height(), 255);
        QCOMPARE(ComputeBenchLayout(at(740, 637)).Panel3.height(), 259);
        QCOMPARE(ComputeBenchLayout(at(748, 637)).Panel3.height(), 262);
        QCOMPARE(ComputeBenchLayout(at(751, 637)).Panel3.height(), 262);   // 187 × 1.4 = 261.8
        QCOMPARE(ComputeBenchLayout(at(756, 637)).Panel3.height(), 265);   // 189 × 1.4 = 264.6
    }

    void fieldsFollowTheScreenOfThePreviousPass()
    {
        // The first pass finds the design screen of 281 and places the fields
        // under it; the second finds the 225 the first one set.
        const BenchLayout first = ComputeBenchLayout(at(735, 637, 281));
        QCOMPARE(first.LabeledEdit1.top(), 331);
        QCOMPARE(first.Image1.size(), QSize(225, 225));
        BenchLayoutInput in = at(735, 637);
        in.screen = first.Image1.size();
        const BenchLayout second = ComputeBenchLayout(in);
        QCOMPARE(second.LabeledEdit1.top(), 275);
        QCOMPARE(ComputeBenchLayout(in).LabeledEdit1, second.LabeledEdit1);
    }

    void divisionsTruncate()
    {
        // Odd sizes: every half is taken toward zero.
        const BenchLayout L = ComputeBenchLayout(at(737, 601, 225));
        QCOMPARE(L.Panel2, QRect(368 - 122, 10, 245, 501));
        QCOMPARE(L.Panel3.left(), 368 + 122 + 10);
        QCOMPARE(L.transformator.left(), 246 - 184 - 10);
        QCOMPARE(L.label1OffsetX, 10 - 92);
        QCOMPARE(L.label1OffsetY, 92 - 10);
    }
};

QTEST_MAIN(TstBenchLayout)
#include "tst_bench_layout.moc"
