// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/oscilloscope_screen.h"

#include "toolkit/canvas.h"
#include "toolkit/colors.h"
#include "toolkit/image_control.h"
#include "toolkit/rounding.h"

#include <exception>

namespace {

constexpr int kLampSize = 15;
constexpr int kBeamPenWidth = 4;

TRect wholeOf(const Canvas &c)
{
    return TRect{0, 0, c.width(), c.height()};
}

// What the screen shows, in the words a screen reader says. Every routine
// records on the image what it leaves there, once it has drawn it. Qt
// announces every write, so a trace redrawn over a trace is not told again.
void shows(TImage &screen, const QString &what)
{
    if (screen.accessibleDescription() != what) screen.setAccessibleDescription(what);
}
const QString kShowsDark = QStringLiteral("Экран тёмный");
const QString kShowsSpot = QStringLiteral("Пятно луча в центре экрана");
const QString kShowsWarmupLine = QStringLiteral("Вертикальная линия прогрева");
const QString kShowsTrace = QStringLiteral("След электронного луча");

void darkDisc(TImage &screen)
{
    Canvas c = screen.canvas();
    c.setBrushColor(clScreenDark);
    c.ellipse(wholeOf(c));
}

// The wide green pen for one stroke, then back to the black 1-pixel pen.
void greenStroke(Canvas &c, int x, int y)
{
    c.setPenColor(clGreen);
    c.setPenWidth(kBeamPenWidth);
    c.lineTo(x, y);
    c.setPenWidth(1);
    c.setPenColor(clBlack);
}

// The trace's green line through `count` points: 4 pixels wide with round
// ends, as the segments from each point to the next would be drawn one after
// the other. Qt strokes a polyline with round joins to the very same pixels at
// a fraction of the cost of one stroke per segment; repeated points add
// nothing to it and are left out, and a trace that has shrunk to a single
// point still leaves its round dot.
void drawTrace(TImage &screen, const PixelPoint *points, int count)
{
    QPoint line[kTracePointCount];
    int n = 0;
    for (int i = 0; i < count && i < kTracePointCount; ++i) {
        const QPoint p(points[i].x, points[i].y);
        if (n == 0 || line[n - 1] != p) line[n++] = p;
    }
    Canvas c = screen.canvas();
    c.moveTo(line[0].x(), line[0].y());
    if (count == 1) return;  // a single point is only where the pen starts
    // Nothing else draws between the segments, so the wide green pen is
    // taken once for all of them and put back after the last.
    c.setPenColor(clGreen);
    c.setPenWidth(kBeamPenWidth);
    if (n == 1)
        c.lineTo(line[0].x(), line[0].y());
    else
        c.polyline(line, n);
    c.moveTo(line[n - 1].x(), line[n - 1].y());
    c.setPenWidth(1);
    c.setPenColor(clBlack);
}

}  // namespace

void repaintScreen(TImage &screen)
{
    {
        Canvas c = screen.canvas();
        c.setBrushColor(clGray);
        c.fillRect(wholeOf(c));
    }
    darkenScreen(screen);
}

void darkenScreen(TImage &screen)
{
    darkDisc(screen);
    shows(screen, kShowsDark);
}

void drawScopeLamp(TImage &screen, bool scopeOn)
{
    // The spot's column and rows come from the width; the screen is square.
    const int half = screen.pictureSize().width() / 2;
    {
        Canvas c = screen.canvas();
        if (scopeOn) {
            c.setBrushColor(clRed);
            c.ellipse(TRect{0, 0, kLampSize, kLampSize});
            c.setBrushColor(clBlack);
            c.moveTo(half, half + 1);
            greenStroke(c, half, half - 1);
            shows(screen, kShowsSpot);
            return;
        }
        c.setBrushColor(clGray);
        c.ellipse(TRect{0, 0, kLampSize, kLampSize});
        c.setBrushColor(clBlack);
    }
    darkenScreen(screen);
}

int warmupLimit(const LabState &state)
{
    return roundEven(kSweepAmplitudeCm * state.pixelsPerCm);
}

void warmupLineStep(TImage &screen, LabState &state)
{
    if (!(state.warmupStep < warmupLimit(state) && state.scopeOn)) return;
    {
        Canvas c = screen.canvas();
        const int cx = c.width() / 2;
        const int cy = c.height() / 2;
        c.moveTo(cx, cy - state.warmupStep);
        greenStroke(c, cx, cy + state.warmupStep);
    }
    shows(screen, kShowsWarmupLine);
    ++state.warmupStep;  // below the limit, so it cannot overflow
}

void paintSourceLamp(TImage &lamp, bool on, bool fillGround)
{
    Canvas c = lamp.canvas();
    c.setBrushColor(clGray);
    if (fillGround) c.fillRect(wholeOf(c));
    c.setBrushColor(on ? clRed : clGray);
    c.ellipse(wholeOf(c));
}

void drawBeamTrace(TImage &screen, LabState &state, double current, const TraceSettings &settings)
{
    const TraceSweep sweep = beginTrace(state, settings);
    darkDisc(screen);
    // All points first, then the drawing. A fault at a point ends the trace
    // there: the segments before it are still drawn, then the fault goes on
    // to the handler.
    const int width = screen.pictureSize().width();
    TracePath path{};
    int computed = 0;
    std::exception_ptr fault;
    try {
        for (; computed <= sweep.steps && computed < kTracePointCount; ++computed)
            path[std::size_t(computed)] = tracePoint(state, sweep, computed, current, width).pixel;
    } catch (...) {
        fault = std::current_exception();
    }
    if (computed > 0) drawTrace(screen, path.data(), computed);
    shows(screen, computed > 0 ? kShowsTrace : kShowsDark);
    if (fault) std::rethrow_exception(fault);
}
