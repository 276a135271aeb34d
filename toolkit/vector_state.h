// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt's raster fills, and some other Qt code built for AVX (on processors with
// VAES, its hashing of short strings), return with the upper halves of the
// AVX registers in use. Until something clears them, every SSE instruction
// that follows, which is all of our scalar floating point (built for any
// x86-64 processor), pays for it on many Intel processors: a loop of sin and
// cos after one fill ran twenty times slower, the beam trace more than twice.
// Other processors, AMD's among them, show no cost, but all of them report
// the state (XGETBV with ECX = 1, bit 2).
//
// So the state is settled, with the one instruction made for it, wherever Qt
// hands back to code of ours that computes:
//  - at the start of every handler (toolkit/handler.h): Qt has painted its
//    widgets and our images in the event loop before it;
//  - by the canvas when it is made, which is where an instrument's paint
//    starts, after Qt has painted what comes before it; after every operation
//    it hands to Qt, since the instruments compute their geometry between
//    operations; and when it ends, before the trace's points are computed;
//  - by the image control after it resizes its picture, within the layout
//    pass;
//  - by code of ours that calls Qt in the middle of its arithmetic, right
//    after the call.
// That costs a few cycles at each of these points, on every processor, and
// nothing in between. Building our arithmetic instead so that it never
// executes SSE encodings (an AVX version of every function that computes,
// chosen at run time) would have to reach all of our code that can run after
// Qt, and the C library's SSE routines (its sin and cos where the processor
// has no FMA) would still pay.
//
// A processor without AVX has no upper halves to clear and no instruction to
// clear them with: there it does nothing.
void settleVectorState();
