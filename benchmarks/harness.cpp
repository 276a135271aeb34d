// SPDX-License-Identifier: GPL-3.0-or-later
#include "harness.h"

#include <QApplication>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <vector>

namespace bench {
namespace {

    struct Case {
        std::string name;
        Fixture fixture;
    };
    struct Ratio {
        std::string name, ours, peer;
    };
    struct Measurement {
        std::string name, unit;
        std::function<double()> measure;
    };

    std::vector<Case> &cases()
    {
        static std::vector<Case> v;
        return v;
    }
    std::vector<Ratio> &ratios()
    {
        static std::vector<Ratio> v;
        return v;
    }
    std::vector<Measurement> &measurements()
    {
        static std::vector<Measurement> v;
        return v;
    }

    using Clock = std::chrono::steady_clock;

    double secondsFor(const Operation &op, long iterations)
    {
        const auto start = Clock::now();
        for (long i = 0; i < iterations; ++i) op();
        return std::chrono::duration<double>(Clock::now() - start).count();
    }

    // Median nanoseconds per operation over a number of batches, each batch long
    // enough (about 20 ms) that the clock's resolution does not matter.
    double medianNanoseconds(const Operation &op)
    {
        op();  // warm up caches and lazy initialisation
        long iterations = 1;
        while (secondsFor(op, iterations) < 0.02 && iterations < (1L << 30)) iterations *= 2;
        std::vector<double> samples;
        for (int s = 0; s < 15; ++s) samples.push_back(secondsFor(op, iterations) * 1e9 / double(iterations));
        return median(samples);
    }

}  // namespace

double median(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void addCase(const std::string &name, Fixture fixture)
{
    cases().push_back({name, std::move(fixture)});
}
void addRatio(const std::string &name, const std::string &ours, const std::string &peer)
{
    ratios().push_back({name, ours, peer});
}
void addMeasurement(const std::string &name, const std::string &unit, std::function<double()> measure)
{
    measurements().push_back({name, unit, std::move(measure)});
}

void afterQtPainting()
{
    // One row of fill is enough: Qt's fill leaves the upper halves of the
    // vector registers in use (toolkit/vector_state.h), and costs next to nothing.
    static QImage row(256, 1, QImage::Format_RGB32);
    row.fill(Qt::black);
}

}  // namespace bench

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    using namespace bench;
    const QStringList named = app.arguments().mid(1);
    auto wanted = [&](const std::string &name) {
        return named.isEmpty() || named.contains(QString::fromStdString(name));
    };
    std::map<std::string, double> results;
    std::printf("%-40s %14s\n", "case", "median");
    for (const Case &c : cases()) {
        if (!wanted(c.name)) continue;
        const Operation op = c.fixture();
        const double ns = medianNanoseconds(op);
        results[c.name] = ns;
        std::printf("%-40s %11.2f us\n", c.name.c_str(), ns / 1000.0);
        std::fflush(stdout);
    }
    for (const Measurement &m : measurements()) {
        if (!wanted(m.name)) continue;
        const double v = m.measure();
        results[m.name] = v;
        std::printf("%-40s %11.2f %s\n", m.name.c_str(), v, m.unit.c_str());
        std::fflush(stdout);
    }
    std::printf("\n");
    for (const Ratio &r : ratios()) {
        if (!results.count(r.ours) || !results.count(r.peer) || results[r.peer] <= 0) continue;
        std::printf("ratio %s %.3f\n", r.name.c_str(), results[r.ours] / results[r.peer]);
    }
    return 0;
}
