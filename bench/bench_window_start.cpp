// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/bench_window_start.h"

#include "bench/bench_window.h"
#include "bench/info_windows.h"

#include "emlab_version.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QString applicationTitle()
{
    return QStringLiteral("Определение удельного заряда электрона");
}

void initialiseApplication(QApplication &app)
{
    // The boxes take their caption from the application's name. A display
    // name would be appended to every window's caption on X11, so none is set.
    app.setApplicationName(applicationTitle());
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/emlab-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/icons/emlab-128.png"), QSize(128, 128));
    app.setWindowIcon(icon);
    // Docks and task bars match the windows to the menu entry by this name.
    app.setDesktopFileName(QStringLiteral(EMLAB_APP_ID));
    // Qt's own texts, such as the fields' context menus, in the program's
    // language. Without Qt's translations installed they stay English.
    auto *qtTexts = new QTranslator(&app);
    if (qtTexts->load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(qtTexts);
}

BenchProgram::BenchProgram() = default;
BenchProgram::BenchProgram(BenchProgram &&) noexcept = default;
BenchProgram &BenchProgram::operator=(BenchProgram &&) noexcept = default;
BenchProgram::~BenchProgram() = default;

BenchProgram createBenchProgram(const std::function<void(QWidget *)> &created)
{
    BenchProgram p;
    p.bench = std::make_unique<BenchWindow>();
    if (created) created(p.bench.get());
    p.credits = std::make_unique<CreditsWindow>();
    if (created) created(p.credits.get());
    p.about = std::make_unique<AboutWindow>();
    if (created) created(p.about.get());
    // Only the bench's closing ends the program.
    p.credits->setAttribute(Qt::WA_QuitOnClose, false);
    p.about->setAttribute(Qt::WA_QuitOnClose, false);
    p.bench->setInformationWindows(p.credits.get(), p.about.get());
    p.bench->show();
    return p;
}
