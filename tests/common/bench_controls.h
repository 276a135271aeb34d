// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bench window's controls, found once by their object names: what the
// tests look at and set as a student sees and handles them.
#include "common/bench_driver.h"
#include "toolkit/image_control.h"
#include "toolkit/labeled_edit.h"
#include "toolkit/panel.h"
#include "toolkit/text_label.h"
#include "widgets/angular_gauge.h"
#include "widgets/seven_segment_display.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

struct BenchControls {
    explicit BenchControls(const BenchDriver &d)
        : clientArea(d.find("clientArea")),
          statusBar(d.find<QStatusBar>("statusBar")),
          datePanel(d.find<QLabel>("datePanel")),
          clockPanel(d.find<QLabel>("clockPanel")),
          hintPanel(d.find<QLabel>("hintPanel")),
          scopePanel(d.find<TPanel>("scopePanel")),
          scopeSwitch(d.find<QPushButton>("scopeSwitch")),
          screen(d.find<TImage>("screen")),
          anodeVoltageField(d.find<TLabeledEdit>("anodeVoltageField")),
          turnDensityField(d.find<TLabeledEdit>("turnDensityField")),
          driftLengthField(d.find<TLabeledEdit>("driftLengthField")),
          plateLengthLabel(d.find<TLabel>("plateLengthLabel")),
          plateLengthReadout(d.find<SevenSegmentDisplay>("plateLengthReadout")),
          plateLengthArrows(d.find<TUpDown>("plateLengthArrows")),
          sourcePanel(d.find<TPanel>("sourcePanel")),
          sourceLamp(d.find<TImage>("sourceLamp")),
          ammeter(d.find<SevenSegmentDisplay>("ammeter")),
          sourceSwitch(d.find<QPushButton>("sourceSwitch")),
          coarseCurrentArrows(d.find<TUpDown>("coarseCurrentArrows")),
          fineCurrentArrows(d.find<TUpDown>("fineCurrentArrows")),
          rippleLabel(d.find<TLabel>("rippleLabel")),
          rippleReadout(d.find<SevenSegmentDisplay>("rippleReadout")),
          rippleArrows(d.find<TUpDown>("rippleArrows")),
          phaseLabel(d.find<TLabel>("phaseLabel")),
          phaseReadout(d.find<SevenSegmentDisplay>("phaseReadout")),
          phaseArrows(d.find<TUpDown>("phaseArrows")),
          regulatorDial(d.find<AngularGauge>("regulatorDial")),
          regulatorPanel(d.find<TPanel>("regulatorPanel")),
          regulatorSwitch(d.find<QPushButton>("regulatorSwitch")),
          calculateButton(d.find<QToolButton>("calculateButton")),
          specificChargeField(d.find<TEdit>("specificChargeField")),
          helixTurnsField(d.find<TEdit>("helixTurnsField")),
          clockTimer(d.find<QTimer>("clockTimer")),
          rampUpTimer(d.find<QTimer>("rampUpTimer")),
          rampDownTimer(d.find<QTimer>("rampDownTimer"))
    {}

    QWidget *clientArea;  // the window's own surface under the menu
    QStatusBar *statusBar;
    QLabel *datePanel, *clockPanel, *hintPanel;

    TPanel *scopePanel;
    QPushButton *scopeSwitch;
    TImage *screen;
    TLabeledEdit *anodeVoltageField, *turnDensityField, *driftLengthField;
    TLabel *plateLengthLabel;
    SevenSegmentDisplay *plateLengthReadout;
    TUpDown *plateLengthArrows;

    TPanel *sourcePanel;
    TImage *sourceLamp;
    SevenSegmentDisplay *ammeter;
    QPushButton *sourceSwitch;
    TUpDown *coarseCurrentArrows, *fineCurrentArrows;
    TLabel *rippleLabel;
    SevenSegmentDisplay *rippleReadout;
    TUpDown *rippleArrows;
    TLabel *phaseLabel;
    SevenSegmentDisplay *phaseReadout;
    TUpDown *phaseArrows;

    AngularGauge *regulatorDial;
    TPanel *regulatorPanel;
    QPushButton *regulatorSwitch;

    QToolButton *calculateButton;
    TEdit *specificChargeField, *helixTurnsField;

    QTimer *clockTimer, *rampUpTimer, *rampDownTimer;
};
