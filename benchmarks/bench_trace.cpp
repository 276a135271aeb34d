// SPDX-License-Identifier: GPL-3.0-or-later
// The beam trace as a handler draws it after Qt has painted (darken the disc,
// compute, 100 wide segments) against the bare cost of drawing the same 100
// segments with one painter and one pen; and the same trace in child
// processes of this benchmark, as it runs against a C library told not to
// use AVX. Where AVX code of Qt's or the C library's leaves a burden on our
// arithmetic, the trace as it runs is the slower of the two.
#include "bench/oscilloscope_screen.h"
#include "harness.h"
#include "model/beam_trace.h"
#include "model/lab_state.h"
#include "toolkit/colors.h"
#include "toolkit/image_control.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QProcessEnvironment>
#include <algorithm>
#include <memory>
#include <vector>

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
    return [screen, lab] {
        bench::afterQtPainting();
        drawBeamTrace(*screen, *lab, kCurrent, kSettings);
    };
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

// trace_line in a child process of this benchmark, as it runs or with the C
// library told not to use AVX: nanoseconds, or a negative number when the
// child failed.
double childTraceNanoseconds(bool plain)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (plain)
        env.insert("GLIBC_TUNABLES", "glibc.cpu.hwcaps=-AVX512F,-AVX512VL,-AVX512BW,-AVX512DQ,-AVX2,-AVX,-FMA,-FMA4");
    QProcess child;
    child.setProcessEnvironment(env);
    child.setStandardErrorFile(QProcess::nullDevice());
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("trace_line")});
    if (!child.waitForFinished(120000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return -1;
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> words = line.simplified().split(' ');
        bool ok = false;
        const double us = words.size() == 3 && words[0] == "trace_line" ? words[1].toDouble(&ok) : 0;
        if (ok) return us * 1000;
    }
    return -1;
}

// The two kinds of child in turn, so that a busier moment of the machine
// falls on both alike; medians, or 0 when any child failed (the ratio line
// skips a 0).
struct ChildTraces {
    double asItRuns = 0, plain = 0;
};

const ChildTraces &childTraces()
{
    static const ChildTraces traces = [] {
        std::vector<double> asItRuns, plain;
        for (int i = 0; i < 5; ++i) {
            asItRuns.push_back(childTraceNanoseconds(false));
            plain.push_back(childTraceNanoseconds(true));
        }
        if (std::ranges::min(asItRuns) < 0 || std::ranges::min(plain) < 0) return ChildTraces{};
        return ChildTraces{bench::median(asItRuns), bench::median(plain)};
    }();
    return traces;
}

const bool childTracesRegistered = [] {
    bench::addMeasurement("trace_line_child", "ns", [] { return childTraces().asItRuns; });
    bench::addMeasurement("trace_line_child_plain", "ns", [] { return childTraces().plain; });
    bench::addRatio("trace_avx_vs_trace_plain", "trace_line_child", "trace_line_child_plain");
    return true;
}();

}  // namespace
