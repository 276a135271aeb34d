// For now the program shows the oscilloscope screen alone: switched on, with
// the beam trace at a current where the line is turned well away from the
// vertical.
#include "bench/oscilloscope_screen.h"
#include "model/lab_state.h"
#include "toolkit/handler.h"
#include "toolkit/image_control.h"

#include <QApplication>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString title = QStringLiteral("Определение удельного заряда электрона");
    QApplication::setApplicationName(title);
    QApplication::setApplicationDisplayName(title);

    QWidget window;
    window.setWindowTitle(title);
    auto *layout = new QVBoxLayout(&window);
    auto *screen = new TImage(&window);
    constexpr int side = 281;
    screen->setFixedSize(side, side);
    screen->setPictureSize(side, side);
    layout->addWidget(screen);

    LabState lab;
    SetStartParameters(lab);
    ClearPowerFlags(lab);
    SetConstants(lab);
    ApplyScreenScale(lab, side);
    lab.ScopeOn = 1;
    runHandler([&] {
        Zalivka(*screen);
        Lampochka1(*screen, lab);
        Line(*screen, lab, 0.2, TraceSettings{0.1, 0.4, 0.5});
    });

    window.show();
    return app.exec();
}
