// SPDX-License-Identifier: GPL-3.0-or-later
// The program as the start-up benchmark launches it: created exactly as
// app/main.cpp creates it, and ended after the bench's first painted frame.
#include "first_frame_exit.h"

#include "bench/bench_window.h"
#include "bench/bench_window_start.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    initialiseApplication(app);
    const BenchProgram program = createBenchProgram();
    new QuitAfterFirstFrame(*program.bench);
    return app.exec();
}
