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

QString ApplicationTitle()
{
    return QStringLiteral("Определение удельного заряда электрона");
}

void InitialiseApplication(QApplication &app)
{
    // The boxes take their caption from the application's name. A display
    // name would be appended to every window's caption on X11, so none is set.
    app.setApplicationName(ApplicationTitle());
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

BenchProgram CreateBenchProgram(const std::function<void(QWidget *)> &created)
{
    BenchProgram p;
    p.Form1 = std::make_unique<TForm1>();
    if (created) created(p.Form1.get());
    p.FRaz = std::make_unique<TFRaz>();
    if (created) created(p.FRaz.get());
    p.Form_o_programe = std::make_unique<TForm_o_programe>();
    if (created) created(p.Form_o_programe.get());
    // Only the bench's closing ends the program.
    p.FRaz->setAttribute(Qt::WA_QuitOnClose, false);
    p.Form_o_programe->setAttribute(Qt::WA_QuitOnClose, false);
    p.Form1->setInformationWindows(p.FRaz.get(), p.Form_o_programe.get());
    p.Form1->show();
    return p;
}
