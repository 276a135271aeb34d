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
    QSize rippleLabel{71, 19};       // "Пульсация"
    QSize plateLengthLabel{29, 19};  // "d,cм"
    QSize phaseLabel{87, 19};        // "Сдвиг фаз, pi"
    int fieldCaption = 15;           // the parameter fields' caption labels
};

struct BenchPlan {
    QRect scopePanel, scopeSwitch, screen, anodeVoltageField, turnDensityField, driftLengthField, plateLengthLabel,
        plateLengthReadout, plateLengthArrows;
    QRect sourcePanel, sourceLamp, ammeter, sourceSwitch, coarseCurrentArrows, fineCurrentArrows, rippleLabel,
        rippleReadout, rippleArrows, phaseLabel, phaseReadout, phaseArrows;
    QRect regulatorDial, regulatorPanel, regulatorSwitch, calculateButton, specificChargeField, helixTurnsField;
};

// The screen's side by the layout's rule: the oscilloscope panel's width less 20.
int ruleScreenSide(QSize outer);

// The plan for a window of this outer size (frame, caption and menu
// included) whose screen is `side` pixels square.
BenchPlan planBench(QSize outer, int side, const LabelSizes &labels = {});
