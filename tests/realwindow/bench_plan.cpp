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
    p.scopePanel = QRect(W / 2 - p2w / 2, 10, p2w, H - 100);
    const QPoint o2 = p.scopePanel.topLeft();
    p.scopeSwitch = QRect(5, 5, 65, 22).translated(o2);
    p.screen = QRect(10, 30, side, side).translated(o2);
    const int fieldLeft = p2w / 2 - 89 / 2;
    const int fieldStep = 27 + labels.fieldCaption + 10;
    p.anodeVoltageField = QRect(fieldLeft, side + 50, 89, 27).translated(o2);
    p.turnDensityField = p.anodeVoltageField.translated(0, fieldStep);
    p.driftLengthField = p.turnDensityField.translated(0, fieldStep);
    p.plateLengthLabel =
        QRect(QPoint(p.driftLengthField.left(), p.driftLengthField.bottom() + 1 + 10), labels.plateLengthLabel);
    p.plateLengthReadout = QRect(p.plateLengthLabel.left(), p.plateLengthLabel.bottom() + 1, 40, 28);
    p.plateLengthArrows = QRect(p.plateLengthReadout.right() + 1 + 10, p.plateLengthReadout.top(), 17, 32);

    // The source: a quarter of the width up to 272, 1.4 times as high, right of the oscilloscope.
    const int p3w = std::min(W / 4, 272);
    p.sourcePanel = QRect(W / 2 + p2w / 2 + 10, 10, p3w, int(std::nearbyint(p3w * 1.4)));
    const QPoint o3 = p.sourcePanel.topLeft();
    p.sourceLamp = QRect(5, 5, 15, 15).translated(o3);
    p.ammeter = QRect(p3w / 2 - 80 + 10, 25, 80, 28).translated(o3);
    p.sourceSwitch = QRect(p3w - 57 - 10, 25, 57, 25).translated(o3);
    const int arrowsTop = 25 + 28 + 10;  // under the ammeter
    p.coarseCurrentArrows = QRect(p3w / 2 - 145 / 2, arrowsTop, 145, 17).translated(o3);
    p.fineCurrentArrows = QRect(p3w / 2 - 57 / 2, arrowsTop, 57, 17).translated(o3);
    p.rippleLabel =
        QRect(QPoint(p3w / 2 - labels.rippleLabel.width() / 2 - 15, arrowsTop + 40), labels.rippleLabel).translated(o3);
    p.rippleReadout = QRect(p.rippleLabel.left(), p.rippleLabel.bottom() + 1 + 5, 57, 28);
    p.rippleArrows = QRect(p.rippleReadout.right() + 1, p.rippleReadout.top(), 17, 32);
    p.phaseLabel = QRect(QPoint(p.rippleLabel.left(), p.rippleReadout.bottom() + 1 + 10), labels.phaseLabel);
    p.phaseReadout = QRect(p.phaseLabel.left(), p.phaseLabel.bottom() + 1, 56, 28);
    p.phaseArrows = QRect(p.phaseReadout.right() + 1, p.phaseReadout.top(), 17, 33);

    // The regulator's dial left of the oscilloscope, as wide as the source panel, and its switch panel.
    p.regulatorDial = QRect(p.scopePanel.left() - p3w - 10, 10, p3w, p3w);
    p.regulatorPanel = QRect(p.regulatorDial.left(), p3w + 4, p3w, 50);
    p.regulatorSwitch = QRect(5, 5, 57, 30).translated(p.regulatorPanel.topLeft());

    // The calculator under the source panel.
    p.calculateButton = QRect(p.sourcePanel.left(), p.sourcePanel.height() + 10, 49, 49);
    p.specificChargeField =
        QRect(p.calculateButton.left() + 49 + 3, p.calculateButton.top() + 49 / 2 - 27 / 2, 121, 27);
    p.helixTurnsField = QRect(p.calculateButton.left() + 49 + 3, p.calculateButton.top() + 49, 25, 27);
    return p;
}
