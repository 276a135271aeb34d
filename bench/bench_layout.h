// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bench window's layout pass as arithmetic: from the window's outer size
// and the current sizes of the controls to every control's place and size.
// The pass itself (TForm1::Border) applies the result in order and paints.
//
// All divisions halve integers toward zero; the only real arithmetic is the
// source panel's height, width × 1.4 rounded to nearest, ties to even.
#include <QRect>
#include <QSize>

// The controls' design sizes, as the stored layout gives them: the one place
// they are written. Creation gives every control its size from here, and the
// layout pass starts from them.
struct BenchDesignSizes {
    QSize screen{281, 281};         // Image1, the oscilloscope screen
    QSize image2{9, 9};             // the source lamp
    QSize labeledEdit{89, 27};      // each of the three parameter fields
    QSize knopka1{65, 22}, knopka2{57, 30}, knopka3{57, 25};
    QSize dplastin1{40, 28}, amper{80, 28}, fmax1{57, 28}, faza1{56, 28};
    QSize upDown1{17, 32}, upDown2{17, 33}, upDown3{17, 32};
    QSize shVprm{145, 17}, shVprm2{57, 17};
    QSize speedButton1{49, 49}, edit1{121, 27}, edit2{25, 27};
    QSize transformator{201, 161};  // the regulator's dial before its auto-size
    int panel3MaxWidth = 272;       // the source panel's size limit
};
inline constexpr BenchDesignSizes kBenchDesign;

struct BenchLayoutInput {
    QSize outer;                    // the window's outer size: frame, caption and menu included
    QSize screen = kBenchDesign.screen;   // Image1 as the previous pass left it
    int panel3MaxWidth = kBenchDesign.panel3MaxWidth;

    QSize labeledEdit1 = kBenchDesign.labeledEdit, labeledEdit2 = kBenchDesign.labeledEdit,
          labeledEdit3 = kBenchDesign.labeledEdit;
    // The labels size themselves to their texts: these are the sizes the
    // bench's serif gives them.
    int editLabel1Height = 15, editLabel2Height = 15;   // caption labels of fields 1 and 2
    QSize label1{71, 19}, label2{29, 19}, label3{87, 19};
    QSize knopka1 = kBenchDesign.knopka1, knopka2 = kBenchDesign.knopka2, knopka3 = kBenchDesign.knopka3;
    QSize dplastin1 = kBenchDesign.dplastin1, amper = kBenchDesign.amper, fmax1 = kBenchDesign.fmax1,
          faza1 = kBenchDesign.faza1;
    QSize upDown1 = kBenchDesign.upDown1, upDown2 = kBenchDesign.upDown2, upDown3 = kBenchDesign.upDown3;
    QSize shVprm = kBenchDesign.shVprm, shVprm2 = kBenchDesign.shVprm2;
    QSize speedButton1 = kBenchDesign.speedButton1, edit1 = kBenchDesign.edit1, edit2 = kBenchDesign.edit2;
};

struct BenchLayout {
    // Inside Panel2 (the oscilloscope).
    QRect Panel2, knopka1, Image1, LabeledEdit1, LabeledEdit2, LabeledEdit3, Label2, Dplastin1, UpDown3;
    // Inside Panel3 (the current source).
    QRect Panel3, Image2, amper, knopka3, sh_vprm, sh_vprm_2, Label1, Fmax1, UpDown1, Label3, Faza1, UpDown2;
    // The regulator's dial and its switch panel, and the calculator.
    QRect transformator, Panel1, knopka2, SpeedButton1, Edit1, Edit2;
    int label1OffsetX = 0, label1OffsetY = 0;   // the dial's label 1
};

BenchLayout ComputeBenchLayout(const BenchLayoutInput &in);
