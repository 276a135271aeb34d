// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's start: the application's title and icon, and its three
// windows, created in the order bench, credits, about, with only the bench
// shown. Closing the bench ends the program; the other two never keep it alive.
#include <QString>
#include <functional>
#include <memory>

class AboutWindow;
class BenchWindow;
class CreditsWindow;
class QApplication;
class QWidget;

QString applicationTitle();
void initialiseApplication(QApplication &app);

struct BenchProgram {
    std::unique_ptr<BenchWindow> bench;
    std::unique_ptr<CreditsWindow> credits;
    std::unique_ptr<AboutWindow> about;

    BenchProgram();
    BenchProgram(BenchProgram &&) noexcept;
    BenchProgram &operator=(BenchProgram &&) noexcept;
    ~BenchProgram();
};

// Creates the three windows; `created` (if given) hears of each one as soon as
// it exists.
BenchProgram createBenchProgram(const std::function<void(QWidget *)> &created = {});
