// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the bench's stored layout gives its instruments and texts: the four
// seven-segment read-outs, the regulator's dial, and the serif face of the
// bench's captions, buttons and fields.
#include <QFont>
#include <QString>

class AngularGauge;
class SevenSegmentDisplay;

enum class BenchReadout { Dplastin1, amper, Fmax1, Faza1 };

// Applies the stored settings of one bench read-out inside the loading scope:
// design size, digits, colours, value and the enabled flag.
void LoadBenchReadout(SevenSegmentDisplay &readout, BenchReadout which);

// The regulator's dial: loads every stored setting, in loading mode, at its
// design size.
void LoadBenchDial(AngularGauge &dial);

// Times New Roman, or where the desktop lacks it its metric twin Liberation
// Serif; looked up once, so every font of the bench names one family.
QString BenchSerifFamily();
// MS Sans Serif, or where the desktop lacks it DejaVu Sans, the face the
// font configuration gives for it on a Debian desktop.
QString BenchSansFamily();
QFont BenchSerifFont(int pixels, bool bold);
