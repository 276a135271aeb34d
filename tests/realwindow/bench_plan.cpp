// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_plan.h"

#include <algorithm>
#include <cmath>

// Integer division halves toward zero throughout, as the layout does.

int ruleScreenSide(QSize outer)
{
    return outer.width() / 3 - 20;
}

BenchPlan planBench(QSize outer, int side, const LabelSizes &labels)
{
    const int W = outer.width(), H = outer.height();
    BenchPlan p;

    // The oscilloscope: a third of the width, centred, 100 shorter than the window.
    const int p2w = W / 3;
    p.Panel2 = QRect(W / 2 - p2w / 2, 10, p2w, H - 100);
    const QPoint o2 = p.Panel2.topLeft();
    p.knopka1 = QRect(5, 5, 65, 22).translated(o2);
    p.Image1 = QRect(10, 30, side, side).translated(o2);
    const int fieldLeft = p2w / 2 - 89 / 2;
    const int fieldStep = 27 + labels.fieldCaption + 10;
    p.LabeledEdit1 = QRect(fieldLeft, side + 50, 89, 27).translated(o2);
    p.LabeledEdit2 = p.LabeledEdit1.translated(0, fieldStep);
    p.LabeledEdit3 = p.LabeledEdit2.translated(0, fieldStep);
    p.Label2 = QRect(QPoint(p.LabeledEdit3.left(), p.LabeledEdit3.bottom() + 1 + 10), labels.label2);
    p.Dplastin1 = QRect(p.Label2.left(), p.Label2.bottom() + 1, 40, 28);
    p.UpDown3 = QRect(p.Dplastin1.right() + 1 + 10, p.Dplastin1.top(), 17, 32);

    // The source: a quarter of the width up to 272, 1.4 times as high, right of the oscilloscope.
    const int p3w = std::min(W / 4, 272);
    p.Panel3 = QRect(W / 2 + p2w / 2 + 10, 10, p3w, int(std::nearbyint(p3w * 1.4)));
    const QPoint o3 = p.Panel3.topLeft();
    p.Image2 = QRect(5, 5, 15, 15).translated(o3);
    p.amper = QRect(p3w / 2 - 80 + 10, 25, 80, 28).translated(o3);
    p.knopka3 = QRect(p3w - 57 - 10, 25, 57, 25).translated(o3);
    const int arrowsTop = 25 + 28 + 10;  // under the ammeter
    p.sh_vprm = QRect(p3w / 2 - 145 / 2, arrowsTop, 145, 17).translated(o3);
    p.sh_vprm_2 = QRect(p3w / 2 - 57 / 2, arrowsTop, 57, 17).translated(o3);
    p.Label1 = QRect(QPoint(p3w / 2 - labels.label1.width() / 2 - 15, arrowsTop + 40), labels.label1).translated(o3);
    p.Fmax1 = QRect(p.Label1.left(), p.Label1.bottom() + 1 + 5, 57, 28);
    p.UpDown1 = QRect(p.Fmax1.right() + 1, p.Fmax1.top(), 17, 32);
    p.Label3 = QRect(QPoint(p.Label1.left(), p.Fmax1.bottom() + 1 + 10), labels.label3);
    p.Faza1 = QRect(p.Label3.left(), p.Label3.bottom() + 1, 56, 28);
    p.UpDown2 = QRect(p.Faza1.right() + 1, p.Faza1.top(), 17, 33);

    // The regulator's dial left of the oscilloscope, as wide as the source panel, and its switch panel.
    p.transformator = QRect(p.Panel2.left() - p3w - 10, 10, p3w, p3w);
    p.Panel1 = QRect(p.transformator.left(), p3w + 4, p3w, 50);
    p.knopka2 = QRect(5, 5, 57, 30).translated(p.Panel1.topLeft());

    // The calculator under the source panel.
    p.SpeedButton1 = QRect(p.Panel3.left(), p.Panel3.height() + 10, 49, 49);
    p.Edit1 = QRect(p.SpeedButton1.left() + 49 + 3, p.SpeedButton1.top() + 49 / 2 - 27 / 2, 121, 27);
    p.Edit2 = QRect(p.SpeedButton1.left() + 49 + 3, p.SpeedButton1.top() + 49, 25, 27);
    return p;
}
