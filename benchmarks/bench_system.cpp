// Whole-program measurements: a tick of the regulator's ramp-up in the real
// bench window against the dial's own dynamic repaint; the program's start to
// its first painted frame and its peak memory, each against the barest Qt
// window program started the same way (offscreen, quitting after the first
// frame).
#include "harness.h"

#include "bench/bench_window.h"
#include "widgets/iAngularGauge.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <chrono>
#include <cstdio>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char **environ;

namespace {

constexpr int kLaunches = 15;
constexpr int kTimeoutMs = 20000;

double median(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QProcessEnvironment firstFrameEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("EMLAB_EXIT_AFTER_FIRST_FRAME", "1");
    return env;
}

// Milliseconds from QProcess::start to the exit after the first frame, or a
// negative number when the program did not end by itself.
double launchMilliseconds(const QString &program)
{
    QProcess process;
    process.setProcessEnvironment(firstFrameEnvironment());
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

// The child's peak resident set in MiB. QProcess reaps its children itself, so
// their resource usage is out of its reach: this launch goes through
// posix_spawn and wait4, which report the child's own maximum.
double peakMemoryMiB(const char *program)
{
    std::vector<std::string> storage;
    for (char **e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("QT_QPA_PLATFORM=", 0) == 0 || entry.rfind("EMLAB_EXIT_AFTER_FIRST_FRAME=", 0) == 0) continue;
        storage.push_back(entry);
    }
    storage.push_back("QT_QPA_PLATFORM=offscreen");
    storage.push_back("EMLAB_EXIT_AFTER_FIRST_FRAME=1");
    std::vector<char *> envp;
    for (auto &s : storage) envp.push_back(s.data());
    envp.push_back(nullptr);
    std::string path = program;
    char *argv[] = {path.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;

    int status = 0;
    rusage usage{};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeoutMs);
    for (;;) {
        const pid_t done = wait4(pid, &status, WNOHANG, &usage);
        if (done == pid) break;
        if (done < 0 && errno != EINTR) return -1;
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return double(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB on Linux
}

struct ProcessFigures {
    double startupOurs = 0, startupPeer = 0, memoryOurs = 0, memoryPeer = 0;
};

// Both programs are launched alternately so that a slower or busier moment of
// the machine falls on both alike; the first launch of each only warms the
// page cache.
const ProcessFigures &processFigures()
{
    static const ProcessFigures figures = [] {
        ProcessFigures f;
        const QString ours = QStringLiteral(EMLAB_PROGRAM_PATH);
        const QString peer = QStringLiteral(EMLAB_BARE_WINDOW_PATH);
        launchMilliseconds(ours);
        launchMilliseconds(peer);
        std::vector<double> startOurs, startPeer, memOurs, memPeer;
        for (int i = 0; i < kLaunches; ++i) {
            startOurs.push_back(launchMilliseconds(ours));
            startPeer.push_back(launchMilliseconds(peer));
            memOurs.push_back(peakMemoryMiB(EMLAB_PROGRAM_PATH));
            memPeer.push_back(peakMemoryMiB(EMLAB_BARE_WINDOW_PATH));
        }
        const auto failed = [](const std::vector<double> &v) {
            return std::any_of(v.begin(), v.end(), [](double x) { return x < 0; });
        };
        if (failed(startOurs) || failed(memOurs))
            std::fprintf(stderr, "the program did not quit after its first frame (EMLAB_EXIT_AFTER_FIRST_FRAME)\n");
        if (failed(startPeer) || failed(memPeer))
            std::fprintf(stderr, "the bare window did not quit after its first frame\n");
        // A failed launch leaves 0, which the ratio lines skip.
        f.startupOurs = failed(startOurs) ? 0 : median(startOurs);
        f.startupPeer = failed(startPeer) ? 0 : median(startPeer);
        f.memoryOurs = failed(memOurs) ? 0 : median(memOurs);
        f.memoryPeer = failed(memPeer) ? 0 : median(memPeer);
        return f;
    }();
    return figures;
}

// One ramp-up tick as the bench does it 90 times: Timer2Timer (the warm-up
// line and the dial's next position) and the dial's repaint. Only the ticks
// are timed; putting the dial back to 0 between ramps is not.
double rampTickNanoseconds()
{
    TForm1 form;
    form.knopka1Click();
    form.knopka2Click();  // starts Timer2, which never fires here: no event loop runs
    using Clock = std::chrono::steady_clock;
    std::vector<double> perTick;
    for (int ramp = 0; ramp < 60; ++ramp) {
        form.Timer2->start();
        form.transformator->setPosition(0);
        form.Lab.WarmupStep = 0;
        form.transformator->PaintFrame();
        const auto start = Clock::now();
        int ticks = 0;
        while (form.transformator->Position() < 90) {
            form.Timer2Timer();
            form.transformator->PaintFrame();
            ++ticks;
        }
        const double ns = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
        if (ramp >= 5 && ticks > 0) perTick.push_back(ns / ticks);  // the first ramps warm caches
    }
    return median(perTick);
}

const bool registered = [] {
    bench::addMeasurement("ramp_tick", "ns", rampTickNanoseconds);
    bench::addRatio("ramp_tick_vs_dial_dynamic", "ramp_tick", "dial_dynamic");
    bench::addMeasurement("startup_program", "ms", [] { return processFigures().startupOurs; });
    bench::addMeasurement("startup_bare_window", "ms", [] { return processFigures().startupPeer; });
    bench::addMeasurement("peak_memory_program", "MiB", [] { return processFigures().memoryOurs; });
    bench::addMeasurement("peak_memory_bare_window", "MiB", [] { return processFigures().memoryPeer; });
    bench::addRatio("startup_vs_bare_window", "startup_program", "startup_bare_window");
    bench::addRatio("memory_vs_bare_window", "peak_memory_program", "peak_memory_bare_window");
    return true;
}();

} // namespace
