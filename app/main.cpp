// SPDX-License-Identifier: GPL-3.0-or-later
// The e/m lab bench: one window with the oscilloscope, the voltage regulator
// and the DC source, and the credits and about windows behind its menu.
#include "bench/bench_window_start.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    initialiseApplication(app);
    const BenchProgram program = createBenchProgram();
    return app.exec();
}
