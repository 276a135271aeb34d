// SPDX-License-Identifier: GPL-3.0-or-later
// The suites linked into one test executable, each under its file's name.
#pragma once

namespace emlab_suites {
using Main = int (*)(int argc, char **argv);
// Adds the suite of the source file given; returns true.
bool add(const char *sourceFile, Main main);
}
