// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/bench_layout.h"

#include "toolkit/rounding.h"

#include <algorithm>

BenchLayout computeBenchLayout(const BenchLayoutInput &in)
{
    const int W = in.outer.width();
    const int H = in.outer.height();
    BenchLayout L;

    // The oscilloscope in the middle third.
    const int scopeWidth = W / 3;
    L.scopePanel = QRect(W / 2 - scopeWidth / 2, 10, scopeWidth, H - 100);

    // The parameter fields under the screen, whose height is still the one
    // the previous pass gave it.
    const int fieldLeft = scopeWidth / 2 - in.anodeVoltageField.width() / 2;
    L.anodeVoltageField = QRect(QPoint(fieldLeft, in.screen.height() + 50), in.anodeVoltageField);
    L.turnDensityField =
        QRect(QPoint(fieldLeft,
                     L.anodeVoltageField.top() + in.anodeVoltageField.height() + in.anodeVoltageCaptionHeight + 10),
              in.turnDensityField);
    L.driftLengthField = QRect(
        QPoint(fieldLeft, L.turnDensityField.top() + in.turnDensityField.height() + in.turnDensityCaptionHeight + 10),
        in.driftLengthField);
    L.scopeSwitch = QRect(QPoint(5, 5), in.scopeSwitch);
    L.plateLengthLabel =
        QRect(QPoint(fieldLeft, L.driftLengthField.top() + in.driftLengthField.height() + 10), in.plateLengthLabel);
    L.plateLengthReadout =
        QRect(QPoint(fieldLeft, L.plateLengthLabel.top() + in.plateLengthLabel.height()), in.plateLengthReadout);
    L.plateLengthArrows =
        QRect(QPoint(L.plateLengthReadout.left() + in.plateLengthReadout.width() + 10, L.plateLengthReadout.top()),
              in.plateLengthArrows);

    // The current source to the right, a quarter of the width at most 272.
    const int sourceWidth = std::min(W / 4, in.sourcePanelMaxWidth);
    L.sourcePanel = QRect(W / 2 + scopeWidth / 2 + 10, 10, sourceWidth, roundEven(sourceWidth * 1.4));
    L.ammeter = QRect(QPoint(sourceWidth / 2 - in.ammeter.width() + 10, 25), in.ammeter);
    const int arrowsTop = 25 + in.ammeter.height() + 10;
    L.coarseCurrentArrows =
        QRect(QPoint(sourceWidth / 2 - in.coarseCurrentArrows.width() / 2, arrowsTop), in.coarseCurrentArrows);
    // The fine pair lies over the middle of the coarse one.
    L.fineCurrentArrows =
        QRect(QPoint(sourceWidth / 2 - in.fineCurrentArrows.width() / 2, arrowsTop), in.fineCurrentArrows);
    L.sourceSwitch = QRect(QPoint(sourceWidth - in.sourceSwitch.width() - 10, 25), in.sourceSwitch);
    const int labelLeft = sourceWidth / 2 - in.rippleLabel.width() / 2 - 15;
    L.rippleLabel = QRect(QPoint(labelLeft, arrowsTop + 40), in.rippleLabel);
    L.rippleReadout = QRect(QPoint(labelLeft, L.rippleLabel.top() + in.rippleLabel.height() + 5), in.rippleReadout);
    L.rippleArrows = QRect(QPoint(labelLeft + in.rippleReadout.width(), L.rippleReadout.top()), in.rippleArrows);
    L.phaseLabel = QRect(QPoint(labelLeft, L.rippleReadout.top() + in.rippleReadout.height() + 10), in.phaseLabel);
    L.phaseReadout = QRect(QPoint(labelLeft, L.phaseLabel.top() + in.phaseLabel.height()), in.phaseReadout);
    L.phaseArrows = QRect(QPoint(labelLeft + in.phaseReadout.width(), L.phaseReadout.top()), in.phaseArrows);

    // The regulator's dial to the left, as wide as the source panel and square.
    L.regulatorDial = QRect(L.scopePanel.left() - sourceWidth - 10, 10, sourceWidth, sourceWidth);
    L.dialLabelOffsetX = 10 - sourceWidth / 2;
    L.dialLabelOffsetY = sourceWidth / 2 - 10;
    // Its switch panel overlaps the dial's lowest pixels.
    L.regulatorPanel = QRect(L.regulatorDial.left(), sourceWidth + 4, sourceWidth, 50);
    L.regulatorSwitch = QRect(QPoint(5, 5), in.regulatorSwitch);

    // The calculator under the source panel.
    L.calculateButton = QRect(QPoint(L.sourcePanel.left(), L.sourcePanel.height() + 10), in.calculateButton);
    const int calculatorRight = L.calculateButton.left() + in.calculateButton.width() + 3;
    L.specificChargeField =
        QRect(QPoint(calculatorRight,
                     L.calculateButton.top() + in.calculateButton.height() / 2 - in.specificChargeField.height() / 2),
              in.specificChargeField);
    L.helixTurnsField =
        QRect(QPoint(calculatorRight, L.calculateButton.top() + in.calculateButton.height()), in.helixTurnsField);
    L.sourceLamp = QRect(5, 5, 15, 15);

    // The screen last: square, 10 pixels inside the oscilloscope panel and as
    // wide as the panel allows, but only as tall as leaves room under it for
    // the fields, the plate length and its arrows (all placed from the
    // screen's height), with a margin of 10 under the lowest. On a window wide
    // for its height, a maximised laptop screen say, the height decides; at
    // the designed proportions the width does. A window squeezed below its
    // smallest size still gets a screen of one pixel rather than none.
    const int lowest = std::max(L.plateLengthReadout.bottom(), L.plateLengthArrows.bottom()) + 1;
    const int tallest = L.scopePanel.height() - 10 - (lowest - in.screen.height());
    const int side = std::max(1, std::min(scopeWidth - 20, tallest));
    L.screen = QRect(10, 30, side, side);
    return L;
}
