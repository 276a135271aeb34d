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

}  // namespace

void BenchWindow::filterParameterKey(QChar &key)
{
    if (key != QChar(8) && !(key >= u'0' && key <= u'9')) key = QChar(0);
}

void BenchWindow::onScopeSwitchClicked()
{
    runHandler([&] {
        if (!lab_.scopeOn) {
            lab_.scopeOn = true;
            regulatorSwitch_->setEnabled(true);
            anodeVoltageField_->setEnabled(false);
            turnDensityField_->setEnabled(false);
            driftLengthField_->setEnabled(false);
            plateLengthReadout_->setPowerOff(true);
            plateLengthArrows_->setEnabled(false);
        } else {
            darkenScreen(*screen_);
            lab_.scopeOn = false;
            regulatorSwitch_->setEnabled(false);
            sourceSwitch_->setEnabled(false);
            anodeVoltageField_->setEnabled(true);
            turnDensityField_->setEnabled(true);
            driftLengthField_->setEnabled(true);
            plateLengthReadout_->setPowerOff(false);
            plateLengthArrows_->setEnabled(true);
        }
        drawScopeLamp(*screen_, lab_.scopeOn);
    });
}

void BenchWindow::onRegulatorSwitchClicked()
{
    runHandler([&] {
        if (lab_.regulatorOn) {
            scopeSwitch_->setEnabled(true);
            sourceSwitch_->setEnabled(false);
            // A ramp-up still growing its warm-up line gives way to the ramp-down.
            rampUpTimer_->stop();
            rampDownTimer_->start();
            lab_.regulatorOn = false;
            darkenScreen(*screen_);
            return;
        }
        const TLabeledEdit *fields[] = {anodeVoltageField_, turnDensityField_, driftLengthField_};
        bool present = true;
        for (const TLabeledEdit *f : fields) present = present && !f->text().isEmpty();
        bool nonZero = true;
        for (const TLabeledEdit *f : fields) nonZero = nonZero && f->text() != QStringLiteral("0");
        if (!present || !nonZero) {
            dialogs().showMessage(kMissingParameters);
            return;
        }
        // Likewise a ramp-down not yet finished gives way to the ramp-up.
        rampDownTimer_->stop();
        rampUpTimer_->start();
        lab_.regulatorOn = true;
        scopeSwitch_->setEnabled(false);
    });
}

void BenchWindow::onRampUpTick()
{
    runHandler([&] {
        const int before = lab_.warmupStep;
        warmupLineStep(*screen_, lab_);
        if (lab_.warmupStep == before && regulatorDial_->position() == kRegulatorTop) rampUpTimer_->stop();
        if (regulatorDial_->position() >= kRegulatorTop) {
            sourceSwitch_->setEnabled(true);
            regulatorSwitch_->setEnabled(true);
        } else {
            regulatorSwitch_->setEnabled(false);
            regulatorDial_->setPosition(regulatorDial_->position() + 1);
        }
    });
}

void BenchWindow::onRampDownTick()
{
    runHandler([&] {
        if (regulatorDial_->position() > 0) {
            regulatorDial_->setPosition(regulatorDial_->position() - 1);
            lab_.warmupStep = 0;
            regulatorSwitch_->setEnabled(false);
        } else {
            drawScopeLamp(*screen_, lab_.scopeOn);
            regulatorSwitch_->setEnabled(true);
            rampDownTimer_->stop();
        }
    });
}

void BenchWindow::onSourceSwitchClicked()
{
    runHandler([&] {
        // The parameters are taken over one by one; a text that does not
        // convert stops here and keeps what was taken before it.
        lab_.anodeVoltage = StrToFloat(anodeVoltageField_->text());
        // Turns per centimetre to turns per metre, in 64 bits: a 32-bit
        // product would wrap for large n.
        lab_.turnsPerMetre = double(std::int64_t(StrToInt(turnDensityField_->text())) * 100);
        lab_.driftLength = StrToFloat(driftLengthField_->text()) / 100;
        lab_.rippleAmplitude = rippleReadout_->value();

        if (!lab_.sourceOn) {
            rippleArrows_->setEnabled(true);
            phaseArrows_->setEnabled(true);
            rippleReadout_->setPowerOff(false);
            phaseReadout_->setPowerOff(false);
            ammeter_->setPowerOff(false);
            regulatorSwitch_->setEnabled(false);
            coarseCurrentArrows_->setEnabled(true);
            fineCurrentArrows_->setEnabled(true);
            ammeter_->setEnabled(true);
            lab_.sourceOn = true;
            paintSourceLamp(*sourceLamp_, true, true);
            // The dial is at its top: a ramp-up still growing its warm-up
            // line ends here, so that the line is never drawn over a trace.
            rampUpTimer_->stop();
        } else {
            rippleArrows_->setEnabled(false);
            phaseArrows_->setEnabled(false);
            rippleReadout_->setPowerOff(true);
            phaseReadout_->setPowerOff(true);
            ammeter_->setPowerOff(true);
            regulatorSwitch_->setEnabled(true);
            coarseCurrentArrows_->setEnabled(false);
            fineCurrentArrows_->setEnabled(false);
            lab_.sourceOn = false;
            // The current is back at 0, and so are its adjusters: a fine pair
            // left at the top of its range would never raise it again.
            ammeter_->setValue(0);
            coarseCurrentArrows_->setPosition(0);
            fineCurrentArrows_->setPosition(0);
            paintSourceLamp(*sourceLamp_, false, false);
            drawTrace();
        }
    });
}

void BenchWindow::onCoarseCurrentArrow(TUDBtnType button)
{
    runHandler([&] {
        adjust(*ammeter_, button, 0.01);
        drawTrace();
    });
}

void BenchWindow::onFineCurrentArrow(TUDBtnType button)
{
    runHandler([&] {
        adjust(*ammeter_, button, 0.001);
        drawTrace();
    });
}

void BenchWindow::onRippleArrow(TUDBtnType button)
{
    runHandler([&] {
        // The ripple stays within 0 to 0.25.
        const double v = rippleReadout_->value();
        if (button == TUDBtnType::btNext ? v < 0.25 : v > 0) adjust(*rippleReadout_, button, 0.05);
        drawTrace();
    });
}

void BenchWindow::onPhaseArrow(TUDBtnType button)
{
    runHandler([&] {
        adjust(*phaseReadout_, button, 0.05);
        drawTrace();
    });
}

void BenchWindow::onPlateLengthArrow(TUDBtnType button)
{
    // The new plate length shows the next time the trace is drawn.
    runHandler([&] { adjust(*plateLengthReadout_, button, 0.5); });
}
