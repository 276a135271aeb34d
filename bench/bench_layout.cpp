// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/bench_layout.h"

#include "toolkit/rounding.h"

#include <algorithm>

BenchLayout ComputeBenchLayout(const BenchLayoutInput &in)
{
    const int W = in.outer.width();
    const int H = in.outer.height();
    BenchLayout L;

    // The oscilloscope in the middle third.
    const int p2w = W / 3;
    L.Panel2 = QRect(W / 2 - p2w / 2, 10, p2w, H - 100);

    // The parameter fields under the screen, whose height is still the one
    // the previous pass gave it.
    const int editLeft = p2w / 2 - in.labeledEdit1.width() / 2;
    L.LabeledEdit1 = QRect(QPoint(editLeft, in.screen.height() + 50), in.labeledEdit1);
    L.LabeledEdit2 = QRect(QPoint(editLeft, L.LabeledEdit1.top() + in.labeledEdit1.height() + in.editLabel1Height + 10),
                           in.labeledEdit2);
    L.LabeledEdit3 = QRect(QPoint(editLeft, L.LabeledEdit2.top() + in.labeledEdit2.height() + in.editLabel2Height + 10),
                           in.labeledEdit3);
    L.knopka1 = QRect(QPoint(5, 5), in.knopka1);
    L.Label2 = QRect(QPoint(editLeft, L.LabeledEdit3.top() + in.labeledEdit3.height() + 10), in.label2);
    L.Dplastin1 = QRect(QPoint(editLeft, L.Label2.top() + in.label2.height()), in.dplastin1);
    L.UpDown3 = QRect(QPoint(L.Dplastin1.left() + in.dplastin1.width() + 10, L.Dplastin1.top()), in.upDown3);

    // The current source to the right, a quarter of the width at most 272.
    const int p3w = std::min(W / 4, in.panel3MaxWidth);
    L.Panel3 = QRect(W / 2 + p2w / 2 + 10, 10, p3w, roundEven(p3w * 1.4));
    L.amper = QRect(QPoint(p3w / 2 - in.amper.width() + 10, 25), in.amper);
    const int shTop = 25 + in.amper.height() + 10;
    L.sh_vprm = QRect(QPoint(p3w / 2 - in.shVprm.width() / 2, shTop), in.shVprm);
    // The fine pair lies over the middle of the coarse one.
    L.sh_vprm_2 = QRect(QPoint(p3w / 2 - in.shVprm2.width() / 2, shTop), in.shVprm2);
    L.knopka3 = QRect(QPoint(p3w - in.knopka3.width() - 10, 25), in.knopka3);
    const int labelLeft = p3w / 2 - in.label1.width() / 2 - 15;
    L.Label1 = QRect(QPoint(labelLeft, shTop + 40), in.label1);
    L.Fmax1 = QRect(QPoint(labelLeft, L.Label1.top() + in.label1.height() + 5), in.fmax1);
    L.UpDown1 = QRect(QPoint(labelLeft + in.fmax1.width(), L.Fmax1.top()), in.upDown1);
    L.Label3 = QRect(QPoint(labelLeft, L.Fmax1.top() + in.fmax1.height() + 10), in.label3);
    L.Faza1 = QRect(QPoint(labelLeft, L.Label3.top() + in.label3.height()), in.faza1);
    L.UpDown2 = QRect(QPoint(labelLeft + in.faza1.width(), L.Faza1.top()), in.upDown2);

    // The regulator's dial to the left, as wide as the source panel and square.
    L.transformator = QRect(L.Panel2.left() - p3w - 10, 10, p3w, p3w);
    L.label1OffsetX = 10 - p3w / 2;
    L.label1OffsetY = p3w / 2 - 10;
    // Its switch panel overlaps the dial's lowest pixels.
    L.Panel1 = QRect(L.transformator.left(), p3w + 4, p3w, 50);
    L.knopka2 = QRect(QPoint(5, 5), in.knopka2);

    // The calculator under the source panel.
    L.SpeedButton1 = QRect(QPoint(L.Panel3.left(), L.Panel3.height() + 10), in.speedButton1);
    const int calcRight = L.SpeedButton1.left() + in.speedButton1.width() + 3;
    L.Edit1 = QRect(QPoint(calcRight, L.SpeedButton1.top() + in.speedButton1.height() / 2 - in.edit1.height() / 2),
                    in.edit1);
    L.Edit2 = QRect(QPoint(calcRight, L.SpeedButton1.top() + in.speedButton1.height()), in.edit2);
    L.Image2 = QRect(5, 5, 15, 15);

    // The screen last: square, 10 pixels inside the oscilloscope panel and as
    // wide as the panel allows, but only as tall as leaves room under it for
    // the fields, the plate length and its arrows (all placed from the
    // screen's height), with a margin of 10 under the lowest. On a window wide
    // for its height, a maximised laptop screen say, the height decides; at
    // the designed proportions the width does. A window squeezed below its
    // smallest size still gets a screen of one pixel rather than none.
    const int lowest = std::max(L.Dplastin1.bottom(), L.UpDown3.bottom()) + 1;
    const int tallest = L.Panel2.height() - 10 - (lowest - in.screen.height());
    const int side = std::max(1, std::min(p2w - 20, tallest));
    L.Image1 = QRect(10, 30, side, side);
    return L;
}
