#include "bench/oscilloscope_screen.h"

#include "toolkit/canvas.h"
#include "toolkit/colors.h"
#include "toolkit/image_control.h"
#include "toolkit/rounding.h"

namespace {

constexpr int kLampSize = 15;
constexpr int kBeamPenWidth = 4;

TRect wholeOf(const Canvas &c) { return TRect{0, 0, c.width(), c.height()}; }

// The wide green pen for one stroke, then back to the black 1-pixel pen.
void greenStroke(Canvas &c, int x, int y)
{
    c.setPenColor(clGreen);
    c.setPenWidth(kBeamPenWidth);
    c.lineTo(x, y);
    c.setPenWidth(1);
    c.setPenColor(clBlack);
}

} // namespace

void Zalivka(TImage &screen)
{
    Canvas c = screen.canvas();
    c.setBrushColor(clGray);
    c.fillRect(wholeOf(c));
    c.setBrushColor(clScreenDark);
    c.ellipse(wholeOf(c));
}

void Off(TImage &screen)
{
    Canvas c = screen.canvas();
    c.setBrushColor(clScreenDark);
    c.ellipse(wholeOf(c));
}

void Lampochka1(TImage &screen, LabState &state)
{
    // The spot's column and rows come from the width; the screen is square.
    const int half = screen.picture().width() / 2;
    state.PixelX = half;
    state.PixelY = half + 1;
    state.PixelY2 = half - 1;
    {
        Canvas c = screen.canvas();
        if (state.ScopeOn == 1) {
            c.setBrushColor(clRed);
            c.ellipse(TRect{0, 0, kLampSize, kLampSize});
            c.setBrushColor(clBlack);
            c.moveTo(state.PixelX, state.PixelY);
            greenStroke(c, state.PixelX, state.PixelY2);
            return;
        }
        c.setBrushColor(clGray);
        c.ellipse(TRect{0, 0, kLampSize, kLampSize});
        c.setBrushColor(clBlack);
    }
    Off(screen);
}

int WarmupLimit(const LabState &state)
{
    return roundEven(state.SweepAmplitudeCm * state.PixelsPerCm);
}

void WarmupLineStep(TImage &screen, LabState &state)
{
    if (!(state.WarmupStep < WarmupLimit(state) && state.ScopeOn == 1)) return;
    {
        Canvas c = screen.canvas();
        const int cx = c.width() / 2;
        const int cy = c.height() / 2;
        c.moveTo(cx, cy - state.WarmupStep);
        greenStroke(c, cx, cy + state.WarmupStep);
    }
    ++state.WarmupStep;  // below the limit, so it cannot overflow
}

void PaintSourceLamp(TImage &lamp, bool on, bool fillGround)
{
    Canvas c = lamp.canvas();
    c.setBrushColor(clGray);
    if (fillGround) c.fillRect(wholeOf(c));
    c.setBrushColor(on ? clRed : clGray);
    c.ellipse(wholeOf(c));
}

void Line(TImage &screen, LabState &state, double current, const TraceSettings &settings)
{
    BeginTrace(state, settings);
    Off(screen);
    const int width = screen.picture().width();
    Canvas c = screen.canvas();
    // Point by point, so that a fault at a point leaves the segments before it
    // on the screen and the pen black and thin.
    for (int i = 0; i <= state.TraceSteps && i < kTracePointCount; ++i) {
        const PixelPoint p = TracePoint(state, i, current, width);
        if (i == 0)
            c.moveTo(p.x, p.y);
        else
            greenStroke(c, p.x, p.y);
    }
}
