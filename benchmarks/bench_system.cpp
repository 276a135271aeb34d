// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-program measurements: a tick of the regulator's ramp-up in the real
// bench window against the dial's own dynamic repaint; the program's start to
// its first painted frame and its peak memory, each against two peers started
// the same way (offscreen, quitting after the first frame): the barest Qt
// window, and a window with the menu, status bar and serif texts that any
// program of the bench's kind shows.
#include "harness.h"

#include "bench/bench_window.h"
#include "common/bench_driver.h"
#include "widgets/angular_gauge.h"

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kLaunches = 15;
constexpr int kTimeoutMs = 20000;

QProcessEnvironment offscreenEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

// Milliseconds from QProcess::start to the exit after the first frame, or a
// negative number when the program did not end by itself.
double launchMilliseconds(const QString &program)
{
    QProcess process;
    process.setProcessEnvironment(offscreenEnvironment());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    if (!process.waitForFinished(kTimeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return double(clock.nsecsElapsed()) / 1e6;
}

// The program's peak resident set in MiB, as reported by the small launcher
// (see peers/peak_memory.cpp for why the benchmark does not measure it
// itself), or a negative number on failure.
double peakMemoryMiB(const QString &program)
{
    QProcess process;
    process.setProcessEnvironment(offscreenEnvironment());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(QStringLiteral(EMLAB_PEAK_MEMORY_PATH), {program});
    if (!process.waitForFinished(kTimeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    // The program's own output may come first; the launcher's line is last.
    const QList<QByteArray> lines = process.readAllStandardOutput().trimmed().split('\n');
    const QList<QByteArray> words = lines.last().split(' ');
    bool ok = false;
    const double kib = words.size() == 2 && words[0] == "maxrss" ? words[1].toDouble(&ok) : 0;
    return ok ? kib / 1024.0 : -1;
}

// Start-up milliseconds and peak MiB of one program: medians over the
// launches, or 0 when any launch failed (the ratio lines skip a 0).
struct ProcessFigures {
    double startup = 0, memory = 0;
};

struct Launched {
    const char *name;
    QString path;
    std::vector<double> startup, memory;
};

// The programs are launched in turn so that a slower or busier moment of the
// machine falls on all alike; the first launch of each only warms the page
// cache.
const std::map<std::string, ProcessFigures> &processFigures()
{
    static const std::map<std::string, ProcessFigures> figures = [] {
        std::vector<Launched> programs{{"program", QStringLiteral(EMLAB_FIRST_FRAME_PATH), {}, {}},
                                       {"bare_window", QStringLiteral(EMLAB_BARE_WINDOW_PATH), {}, {}},
                                       {"text_window", QStringLiteral(EMLAB_TEXT_WINDOW_PATH), {}, {}}};
        for (const Launched &p : programs) launchMilliseconds(p.path);
        for (int i = 0; i < kLaunches; ++i) {
            for (Launched &p : programs) {
                p.startup.push_back(launchMilliseconds(p.path));
                p.memory.push_back(peakMemoryMiB(p.path));
            }
        }
        const auto failed = [](const std::vector<double> &v) {
            return std::any_of(v.begin(), v.end(), [](double x) { return x < 0; });
        };
        std::map<std::string, ProcessFigures> f;
        for (const Launched &p : programs) {
            if (failed(p.startup) || failed(p.memory))
                std::fprintf(stderr, "%s did not quit after its first frame\n", p.name);
            f[p.name] = ProcessFigures{failed(p.startup) ? 0 : bench::median(p.startup),
                                       failed(p.memory) ? 0 : bench::median(p.memory)};
        }
        return f;
    }();
    return figures;
}

// One ramp-up tick as the bench does it 90 times: the ramp-up timer's event
// (the warm-up line and the dial's next position) and the dial's repaint;
// and, alternating with each ramp on the same dial, 90 of the dial's dynamic
// repaints alone (a new position painted over the cached background, as
// dial_dynamic does), so that a busy moment of the machine falls on both
// alike. Bringing the dial back to 0 between ramps (the regulator switched
// off, its ramp-down run, and on again) is not timed.
struct RampFigures {
    double tickNs = 0, dialDynamicNs = 0;
};

const RampFigures &rampFigures()
{
    static const RampFigures figures = [] {
        BenchWindow form;
        const BenchDriver bench(form);
        bench.click(QStringLiteral("scopeSwitch"));
        AngularGauge &dial = *bench.find<AngularGauge>(QStringLiteral("regulatorDial"));
        // The dial paints through its paint event, as on the screen.
        QImage frame(dial.size(), QImage::Format_RGB32);
        using Clock = std::chrono::steady_clock;
        std::vector<double> perTick, perRepaint;
        for (int ramp = 0; ramp < 60; ++ramp) {
            // Its timer never fires here: no event loop runs.
            bench.click(QStringLiteral("regulatorSwitch"));
            dial.render(&frame);
            const auto start = Clock::now();
            int ticks = 0;
            while (dial.position() < 90) {
                bench.tick(QStringLiteral("rampUpTimer"));
                dial.render(&frame);
                ++ticks;
            }
            const auto ramped = Clock::now();
            for (int p = 0; p < 90; ++p) {
                dial.setPosition(p);
                dial.render(&frame);
            }
            const auto repainted = Clock::now();
            bench.runTimer(QStringLiteral("rampUpTimer"));
            bench.click(QStringLiteral("regulatorSwitch"));
            bench.runTimer(QStringLiteral("rampDownTimer"));
            if (ramp < 5 || ticks == 0) continue;  // the first ramps warm the caches
            perTick.push_back(std::chrono::duration<double, std::nano>(ramped - start).count() / ticks);
            perRepaint.push_back(std::chrono::duration<double, std::nano>(repainted - ramped).count() / 90);
        }
        return RampFigures{bench::median(perTick), bench::median(perRepaint)};
    }();
    return figures;
}

const bool registered = [] {
    bench::addMeasurement("ramp_tick", "ns", [] { return rampFigures().tickNs; });
    bench::addMeasurement("ramp_dial_dynamic", "ns", [] { return rampFigures().dialDynamicNs; });
    bench::addRatio("ramp_tick_vs_dial_dynamic", "ramp_tick", "ramp_dial_dynamic");
    for (const char *name : {"program", "bare_window", "text_window"}) {
        bench::addMeasurement(std::string("startup_") + name, "ms",
                              [name] { return processFigures().at(name).startup; });
        bench::addMeasurement(std::string("peak_memory_") + name, "MiB",
                              [name] { return processFigures().at(name).memory; });
    }
    bench::addRatio("startup_vs_bare_window", "startup_program", "startup_bare_window");
    bench::addRatio("memory_vs_bare_window", "peak_memory_program", "peak_memory_bare_window");
    bench::addRatio("startup_vs_text_window", "startup_program", "startup_text_window");
    bench::addRatio("memory_vs_text_window", "peak_memory_program", "peak_memory_text_window");
    return true;
}();

}  // namespace
