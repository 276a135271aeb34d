// SPDX-License-Identifier: GPL-3.0-or-later
// The power sequence of the three instruments, the regulator's two ramps, the
// adjusters and the parameter fields' key filter. The order oscilloscope,
// regulator, source (and back) is kept only by enabling and disabling the
// switches.
#include "bench/bench_window.h"

#include "bench/oscilloscope_screen.h"
#include "toolkit/conversions.h"
#include "toolkit/handler.h"
#include "toolkit/image_control.h"
#include "toolkit/labeled_edit.h"
#include "widgets/angular_gauge.h"
#include "widgets/seven_segment_display.h"

#include <QPushButton>
#include <QTimer>
#include <cmath>
#include <cstdint>

namespace {

const QString kMissingParameters = QStringLiteral("Проверьте наличие данных в окнах панели ПАРАМЕТРЫ УСТАНОВКИ");

// The dial's top: the ramp-up climbs to it and then frees the switches.
constexpr double kRegulatorTop = 90;

// The read-outs hold decimal settings, the finest step being 0.001. Summed in
// binary, steps leave residues (ten steps of 0.001 less one of 0.01 give
// 1.7e-18, not 0): a read-out showing zero would not hold zero. Each sum is
// therefore put back on a grid of 1e-9, far below anything a read-out shows.
// The adjusters keep every value within a few hundred, so the count of
// billionths is an exact integer, and dividing it once gives the double
// nearest the decimal.
double onDecimalGrid(double sum)
{
    constexpr double kPerUnit = 1e9;
    return std::nearbyint(sum * kPerUnit) / kPerUnit;
}

// Adds or takes away one step of an adjuster from a read-out's value.
void adjust(SevenSegmentDisplay &readout, TUDBtnType button, double step)
{
    const double sum = button == TUDBtnType::btNext ? readout.value() + step : readout.value() - step;
    readout.setValue(onDecimalGrid(sum));
}

} // namespace

void ParameterKeyFilter(QChar &key)
{
    if (key != QChar(8) && !(key >= u'0' && key <= u'9')) key = QChar(0);
}

void TForm1::knopka1Click()
{
    runHandler([&] {
        if (Lab.ScopeOn == 0) {
            Lab.ScopeOn = 1;
            knopka2->setEnabled(true);
            LabeledEdit1->setEnabled(false);
            LabeledEdit2->setEnabled(false);
            LabeledEdit3->setEnabled(false);
            Dplastin1->setPowerOff(true);
            UpDown3->setEnabled(false);
        } else {
            Off();
            Lab.ScopeOn = 0;
            knopka2->setEnabled(false);
            knopka3->setEnabled(false);
            LabeledEdit1->setEnabled(true);
            LabeledEdit2->setEnabled(true);
            LabeledEdit3->setEnabled(true);
            Dplastin1->setPowerOff(false);
            UpDown3->setEnabled(true);
        }
        Lampochka1();
    });
}

void TForm1::knopka2Click()
{
    runHandler([&] {
        if (Lab.RegulatorOn != 0) {
            knopka1->setEnabled(true);
            knopka3->setEnabled(false);
            // A ramp-up still growing its warm-up line gives way to the ramp-down.
            Timer2->stop();
            Timer3->start();
            Lab.RegulatorOn = 0;
            Off();
            return;
        }
        const TLabeledEdit *fields[] = {LabeledEdit1, LabeledEdit2, LabeledEdit3};
        bool present = true;
        for (const TLabeledEdit *f : fields) present = present && !f->text().isEmpty();
        bool nonZero = true;
        for (const TLabeledEdit *f : fields) nonZero = nonZero && f->text() != QStringLiteral("0");
        if (!present || !nonZero) {
            dialogs().showMessage(kMissingParameters);
            return;
        }
        // Likewise a ramp-down not yet finished gives way to the ramp-up.
        Timer3->stop();
        Timer2->start();
        Lab.RegulatorOn = 1;
        knopka1->setEnabled(false);
    });
}

void TForm1::Timer2Timer()
{
    runHandler([&] {
        const std::int32_t before = Lab.WarmupStep;
        WarmupLineStep(*Image1, Lab);
        if (Lab.WarmupStep == before && transformator->position() == kRegulatorTop) Timer2->stop();
        if (transformator->position() >= kRegulatorTop) {
            knopka3->setEnabled(true);
            knopka2->setEnabled(true);
        } else {
            knopka2->setEnabled(false);
            transformator->setPosition(transformator->position() + 1);
        }
    });
}

void TForm1::Timer3Timer()
{
    runHandler([&] {
        if (transformator->position() > 0) {
            transformator->setPosition(transformator->position() - 1);
            Lab.WarmupStep = 0;
            knopka2->setEnabled(false);
        } else {
            Lampochka1();
            knopka2->setEnabled(true);
            Timer3->stop();
        }
    });
}

void TForm1::knopka3Click()
{
    runHandler([&] {
        // The parameters are taken over one by one; a text that does not
        // convert stops here and keeps what was taken before it.
        Lab.AnodeVoltage = StrToFloat(LabeledEdit1->text());
        // Turns per centimetre to turns per metre, in 64 bits: a 32-bit
        // product would wrap for large n.
        Lab.TurnsPerMetre = double(std::int64_t(StrToInt(LabeledEdit2->text())) * 100);
        Lab.DriftLength = StrToFloat(LabeledEdit3->text()) / 100;
        Lab.RippleAmplitude = Fmax1->value();

        if (Lab.SourceOn == 0) {
            UpDown1->setEnabled(true);
            UpDown2->setEnabled(true);
            Fmax1->setPowerOff(false);
            Faza1->setPowerOff(false);
            amper->setPowerOff(false);
            knopka2->setEnabled(false);
            sh_vprm->setEnabled(true);
            sh_vprm_2->setEnabled(true);
            amper->setEnabled(true);
            Lab.SourceOn = 1;
            PaintSourceLamp(*Image2, true, true);
            // The dial is at its top: a ramp-up still growing its warm-up
            // line ends here, so that the line is never drawn over a trace.
            Timer2->stop();
        } else {
            UpDown1->setEnabled(false);
            UpDown2->setEnabled(false);
            Fmax1->setPowerOff(true);
            Faza1->setPowerOff(true);
            amper->setPowerOff(true);
            knopka2->setEnabled(true);
            sh_vprm->setEnabled(false);
            sh_vprm_2->setEnabled(false);
            Lab.SourceOn = 0;
            amper->setValue(0);
            PaintSourceLamp(*Image2, false, false);
            Line();
        }
    });
}

void TForm1::sh_vprmClick(TUDBtnType Button)
{
    runHandler([&] {
        adjust(*amper, Button, 0.01);
        Line();
    });
}

void TForm1::sh_vprm_2Click(TUDBtnType Button)
{
    runHandler([&] {
        adjust(*amper, Button, 0.001);
        Line();
    });
}

void TForm1::UpDown1Click(TUDBtnType Button)
{
    runHandler([&] {
        // The ripple stays within 0 to 0.25.
        const double v = Fmax1->value();
        if (Button == TUDBtnType::btNext ? v < 0.25 : v > 0) adjust(*Fmax1, Button, 0.05);
        Line();
    });
}

void TForm1::UpDown2Click(TUDBtnType Button)
{
    runHandler([&] {
        adjust(*Faza1, Button, 0.05);
        Line();
    });
}

void TForm1::UpDown3Click(TUDBtnType Button)
{
    // The new plate length shows the next time the trace is drawn.
    runHandler([&] { adjust(*Dplastin1, Button, 0.5); });
}

void TForm1::LabeledEdit1KeyPress(QChar &Key)
{
    runHandler([&] { ParameterKeyFilter(Key); });
}

void TForm1::LabeledEdit2KeyPress(QChar &Key)
{
    runHandler([&] { ParameterKeyFilter(Key); });
}

void TForm1::LabeledEdit3KeyPress(QChar &Key)
{
    runHandler([&] { ParameterKeyFilter(Key); });
}
