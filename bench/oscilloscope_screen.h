// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The oscilloscope screen and the source lamp: what the bench's handlers draw
// into the pictures of its two images. The pictures keep what was drawn;
// every routine leaves the pen black and 1 pixel wide, so outlines stay black.
// Sizes are the pictures' own, which the layout pass keeps equal to the
// images' sizes. The screen's accessible description says in a few words
// what the routines last left on it (dark, spot, warm-up line, trace), so a
// screen reader can tell what a sighted student sees.
#include "model/beam_trace.h"
#include "model/lab_state.h"

class TImage;

// Full repaint: grey ground, dark disc inscribed in the picture.
void repaintScreen(TImage &screen);
// The dark disc alone: erases trace, spot and warm-up line but leaves the
// grey corners and the power lamp in the top-left one.
void darkenScreen(TImage &screen);
// The power lamp in the corner, and with the oscilloscope on the beam spot at
// the centre; with it off the dark lamp and a dark disc.
void drawScopeLamp(TImage &screen, bool scopeOn);

// Half-length in pixels at which the warm-up line stops growing: the sweep
// amplitude on the current scale, rounded to nearest, ties to even.
int warmupLimit(const LabState &state);
// One tick of the regulator's ramp-up: with the oscilloscope on and the line
// not yet full, draws it one pixel longer at each end and advances
// warmupStep; otherwise draws nothing and changes nothing.
void warmupLineStep(TImage &screen, LabState &state);

// The source lamp's looks: a red (on) or grey (off) disc with a black
// outline, optionally after filling the whole picture grey.
void paintSourceLamp(TImage &lamp, bool on, bool fillGround);

// Computes the beam trace at `current` and draws it as a green line 4 pixels
// wide over a freshly darkened disc. A fault in the per-call values stops it
// before the disc is touched; a fault at a point stops it there, with the
// segments up to that point drawn.
void drawBeamTrace(TImage &screen, LabState &state, double current, const TraceSettings &settings);
