// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's start: the application's title and icon, and its three
// windows, created in the order bench, credits, about, with only the bench
// shown. Closing the bench ends the program; the other two never keep it alive.
#include <QString>
#include <functional>
#include <memory>

class QApplication;
class QWidget;
class TForm1;
class TFRaz;
class TForm_o_programe;

QString ApplicationTitle();
void InitialiseApplication(QApplication &app);

struct BenchProgram {
    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<TFRaz> FRaz;
    std::unique_ptr<TForm_o_programe> Form_o_programe;

    BenchProgram();
    BenchProgram(BenchProgram &&) noexcept;
    BenchProgram &operator=(BenchProgram &&) noexcept;
    ~BenchProgram();
};

// Creates the three windows; `created` (if given) hears of each one as soon as
// it exists.
BenchProgram CreateBenchProgram(const std::function<void(QWidget *)> &created = {});
