// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where every control of the bench lies, worked out here from the layout's
// own rules (the panels from the window's outer size, everything on the
// oscilloscope panel from the screen's side, the source panel's controls from
// its width), never taken from the program. Rectangles are in the
// coordinates of the window's surface under the menu bar; the controls on a
// panel are already moved by the panel's origin.
#include <QRect>
#include <QSize>

// Labels size themselves to their text, so their sizes come from the design
// until the screen shows otherwise.
struct LabelSizes {
    QSize label1{71, 19};   // "Пульсация"
    QSize label2{29, 19};   // "d,cм"
    QSize label3{87, 19};   // "Сдвиг фаз, pi"
    int fieldCaption = 15;  // the parameter fields' caption labels
};

struct BenchPlan {
    QRect Panel2, knopka1, Image1, LabeledEdit1, LabeledEdit2, LabeledEdit3, Label2, Dplastin1, UpDown3;
    QRect Panel3, Image2, amper, knopka3, sh_vprm, sh_vprm_2, Label1, Fmax1, UpDown1, Label3, Faza1, UpDown2;
    QRect transformator, Panel1, knopka2, SpeedButton1, Edit1, Edit2;
};

// The screen's side by the layout's rule: the oscilloscope panel's width less 20.
int ruleScreenSide(QSize outer);

// The plan for a window of this outer size (frame, caption and menu
// included) whose screen is `side` pixels square.
BenchPlan planBench(QSize outer, int side, const LabelSizes &labels = {});
