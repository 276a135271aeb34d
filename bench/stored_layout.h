// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the bench's stored layout gives its instruments and texts: the four
// seven-segment read-outs, the regulator's dial, and the serif face of the
// bench's captions, buttons and fields.
#include <QFont>
#include <QString>

class AngularGauge;
class SevenSegmentDisplay;

// The four read-outs: plate length, current, ripple amplitude and phase.
enum class BenchReadout { plateLength, ammeter, ripple, phase };

// Applies the stored settings of one bench read-out inside the loading scope:
// design size, digits, colours, value and the enabled flag.
void loadBenchReadout(SevenSegmentDisplay &readout, BenchReadout which);

// The regulator's dial: loads every stored setting, in loading mode, at its
// design size.
void loadBenchDial(AngularGauge &dial);

// Times New Roman, or where the desktop lacks it its metric twin Liberation
// Serif; looked up once, so every font of the bench names one family.
QString benchSerifFamily();
// MS Sans Serif, or where the desktop lacks it DejaVu Sans, the face the
// font configuration gives for it on a Debian desktop.
QString benchSansFamily();
QFont benchSerifFont(int pixels, bool bold);
