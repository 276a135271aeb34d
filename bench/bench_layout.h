// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bench window's layout pass as arithmetic: from the window's outer size
// and the current sizes of the controls to every control's place and size.
// The pass itself (BenchWindow::layOut) applies the result in order and paints.
//
// All divisions halve integers toward zero; the only real arithmetic is the
// source panel's height, width × 1.4 rounded to nearest, ties to even.
#include <QRect>
#include <QSize>

// The controls' design sizes, as the stored layout gives them: the one place
// they are written. Creation gives every control its size from here, and the
// layout pass starts from them.
struct BenchDesignSizes {
    QSize screen{281, 281};  // the oscilloscope screen
    QSize sourceLamp{9, 9};
    QSize parameterField{89, 27};  // each of the three parameter fields
    QSize scopeSwitch{65, 22}, regulatorSwitch{57, 30}, sourceSwitch{57, 25};
    QSize plateLengthReadout{40, 28}, ammeter{80, 28}, rippleReadout{57, 28}, phaseReadout{56, 28};
    QSize rippleArrows{17, 32}, phaseArrows{17, 33}, plateLengthArrows{17, 32};
    QSize coarseCurrentArrows{145, 17}, fineCurrentArrows{57, 17};
    QSize calculateButton{49, 49}, specificChargeField{121, 27}, helixTurnsField{25, 27};
    QSize regulatorDial{201, 161};  // before its auto-size
    int sourcePanelMaxWidth = 272;  // the source panel's size limit
};
inline constexpr BenchDesignSizes kBenchDesign;

struct BenchLayoutInput {
    QSize outer;                         // the window's outer size: frame, caption and menu included
    QSize screen = kBenchDesign.screen;  // the screen as the previous pass left it
    int sourcePanelMaxWidth = kBenchDesign.sourcePanelMaxWidth;

    QSize anodeVoltageField = kBenchDesign.parameterField, turnDensityField = kBenchDesign.parameterField,
          driftLengthField = kBenchDesign.parameterField;
    // The labels size themselves to their texts: these are the sizes the
    // bench's serif gives them.
    int anodeVoltageCaptionHeight = 15, turnDensityCaptionHeight = 15;  // the first two fields' captions
    QSize rippleLabel{71, 19}, plateLengthLabel{29, 19}, phaseLabel{87, 19};
    QSize scopeSwitch = kBenchDesign.scopeSwitch, regulatorSwitch = kBenchDesign.regulatorSwitch,
          sourceSwitch = kBenchDesign.sourceSwitch;
    QSize plateLengthReadout = kBenchDesign.plateLengthReadout, ammeter = kBenchDesign.ammeter,
          rippleReadout = kBenchDesign.rippleReadout, phaseReadout = kBenchDesign.phaseReadout;
    QSize rippleArrows = kBenchDesign.rippleArrows, phaseArrows = kBenchDesign.phaseArrows,
          plateLengthArrows = kBenchDesign.plateLengthArrows;
    QSize coarseCurrentArrows = kBenchDesign.coarseCurrentArrows, fineCurrentArrows = kBenchDesign.fineCurrentArrows;
    QSize calculateButton = kBenchDesign.calculateButton, specificChargeField = kBenchDesign.specificChargeField,
          helixTurnsField = kBenchDesign.helixTurnsField;
};

struct BenchLayout {
    // The oscilloscope panel and what lies on it.
    QRect scopePanel, scopeSwitch, screen, anodeVoltageField, turnDensityField, driftLengthField, plateLengthLabel,
        plateLengthReadout, plateLengthArrows;
    // The current source panel and what lies on it.
    QRect sourcePanel, sourceLamp, ammeter, sourceSwitch, coarseCurrentArrows, fineCurrentArrows, rippleLabel,
        rippleReadout, rippleArrows, phaseLabel, phaseReadout, phaseArrows;
    // The regulator's dial and its switch panel, and the calculator.
    QRect regulatorDial, regulatorPanel, regulatorSwitch, calculateButton, specificChargeField, helixTurnsField;
    int dialLabelOffsetX = 0, dialLabelOffsetY = 0;  // the dial's "U" label
};

BenchLayout computeBenchLayout(const BenchLayoutInput &in);
