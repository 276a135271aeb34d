// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small benchmark harness: each case builds its fixture once and returns the
// operation to time; the harness times batches of it and reports the median
// time per operation. Ratios compare two cases run side by side in one run.
// Named on the command line, only those cases and measurements run.
#include <functional>
#include <string>
#include <vector>

namespace bench {

using Operation = std::function<void()>;
using Fixture = std::function<Operation()>;

void addCase(const std::string &name, Fixture fixture);
// Prints "ratio <name> <ours/peer>" after the table.
void addRatio(const std::string &name, const std::string &ours, const std::string &peer);
// For measurements that are not timed operations (peak memory, start-up):
// a value with its unit, computed when the run reaches it.
void addMeasurement(const std::string &name, const std::string &unit, std::function<double()> measure);

// The middle value (the upper of the two middle ones), or 0 for none.
double median(std::vector<double> values);

// Leaves the processor as Qt's painting leaves it. In the program every
// handler and every paint of ours runs after Qt has painted, so the cases
// that stand for them start from there too.
void afterQtPainting();

struct Register {
    Register(const std::string &name, Fixture fixture) { addCase(name, std::move(fixture)); }
};
struct RegisterRatio {
    RegisterRatio(const std::string &name, const std::string &ours, const std::string &peer)
    {
        addRatio(name, ours, peer);
    }
};

}  // namespace bench
