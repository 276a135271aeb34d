// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader calls each control of the bench, and the units it
// says after the read-outs' numbers.

class TForm1;

// A control with a hint is called by its hint, which says what it is for
// where its caption ("On/Off") does not; the others by the caption beside
// them or by a name of their own. Run once the controls exist.
void NameBenchControls(TForm1 &form);
