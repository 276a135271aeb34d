// SPDX-License-Identifier: GPL-3.0-or-later
// The beam trace as a handler draws it (compute, darken the disc, 100 wide
// segments) against the bare cost of drawing the same 100 segments with one
// painter and one pen.
#include "bench/oscilloscope_screen.h"
#include "harness.h"
#include "model/beam_trace.h"
#include "model/lab_state.h"
#include "toolkit/colors.h"
#include "toolkit/image_control.h"

#include <QImage>
#include <QPainter>
#include <memory>

namespace {

constexpr int kSide = 281;
// Slightly turned and nearly full length: the longest trace a student sees
// before focusing.
constexpr double kCurrent = 0.05;
const TraceSettings kSettings{0.1, 0.4, 0.5};

LabState benchLab()
{
    LabState s;
    setStartParameters(s);
    clearPowerFlags(s);
    applyScreenScale(s, kSide);
    s.scopeOn = true;
    return s;
}

const bench::Register traceLine("trace_line", [] {
    auto screen = std::make_shared<TImage>();
    auto lab = std::make_shared<LabState>(benchLab());
    screen->setPictureSize(kSide, kSide);
    repaintScreen(*screen);
    drawScopeLamp(*screen, lab->scopeOn);
    return [screen, lab] { drawBeamTrace(*screen, *lab, kCurrent, kSettings); };
});

const bench::Register bareSegments("bare_segments", [] {
    LabState lab = benchLab();
    const TracePath path = tracePoints(lab, beginTrace(lab, kSettings), kCurrent, kSide);
    auto image = std::make_shared<QImage>(kSide, kSide, QImage::Format_RGB32);
    image->fill(toQColor(clScreenDark));
    return [image, path] {
        QPainter p(image.get());
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(toQColor(clGreen), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (std::size_t i = 1; i < path.size(); ++i)
            p.drawLine(QPoint(path[i - 1].x, path[i - 1].y), QPoint(path[i].x, path[i].y));
    };
});

const bench::RegisterRatio traceVsBare("trace_vs_bare", "trace_line", "bare_segments");

} // namespace
