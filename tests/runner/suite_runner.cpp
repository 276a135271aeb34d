// SPDX-License-Identifier: GPL-3.0-or-later
// The main of a folder's test executable: the first argument names the suite
// (its file's name), the rest is that suite's own command line.
#include "suite_list.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::pair<std::string, emlab_suites::Main>> &suites()
{
    static std::vector<std::pair<std::string, emlab_suites::Main>> all;
    return all;
}

} // namespace

bool emlab_suites::add(const char *sourceFile, Main main)
{
    std::string name = sourceFile;
    name.erase(0, name.find_last_of('/') + 1);
    if (const auto dot = name.find('.'); dot != std::string::npos)
        name.erase(dot);
    suites().emplace_back(name, main);
    return true;
}

int main(int argc, char **argv)
{
    if (argc >= 2) {
        for (const auto &[name, suiteMain] : suites()) {
            if (name == argv[1]) {
                // The suite sees the program's name, then its own options.
                argv[1] = argv[0];
                return suiteMain(argc - 1, argv + 1);
            }
        }
    }
    std::fprintf(stderr, "usage: %s SUITE [Qt Test options]\nsuites:", argv[0]);
    for (const auto &suite : suites())
        std::fprintf(stderr, " %s", suite.first.c_str());
    std::fputc('\n', stderr);
    return 2;
}
