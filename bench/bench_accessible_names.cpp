// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader calls each control of the bench, and the units it
// says after the read-outs' numbers.
#include "bench/bench_window.h"

#include "toolkit/image_control.h"
#include "toolkit/labeled_edit.h"
#include "toolkit/panel.h"
#include "widgets/seven_segment_display.h"

#include <QLabel>
#include <QToolButton>

// A control with a hint is called by its hint, which says what it is for
// where its caption ("On/Off") does not; the others by the caption beside
// them or by a name of their own. Run once the controls exist.
void BenchWindow::nameControls()
{
    // A label's name is its caption already.
    for (QWidget *w : findChildren<QWidget *>())
        if (!w->toolTip().isEmpty() && !qobject_cast<QLabel *>(w)) w->setAccessibleName(w->toolTip());

    scopePanel_->setAccessibleName(QStringLiteral("Осциллограф"));
    screen_->setAccessibleName(QStringLiteral("Экран осциллографа"));
    plateLengthArrows_->setAccessibleName(QStringLiteral("Изменение длины пластин на 0,5 см"));
    sourceLamp_->setAccessibleName(QStringLiteral("Лампа источника тока"));
    rippleReadout_->setAccessibleName(rippleLabel_->text());
    rippleArrows_->setAccessibleName(QStringLiteral("Изменение пульсации на 0,05"));
    phaseReadout_->setAccessibleName(phaseLabel_->text());
    phaseArrows_->setAccessibleName(QStringLiteral("Изменение сдвига фаз на 0,05 π"));
    regulatorPanel_->setAccessibleName(QStringLiteral("Включение РНШ"));
    calculateButton_->setAccessibleName(QStringLiteral("Вычислить e/m"));
    specificChargeField_->setAccessibleName(QStringLiteral("Удельный заряд электрона e/m"));

    // Arrows have no caption: they raise or lower what their pair adjusts.
    for (TUpDown *pair : findChildren<TUpDown *>())
        pair->setArrowNames(QStringLiteral("Больше"), QStringLiteral("Меньше"));

    // The ripple is a fraction of the current and has no unit; the phase is
    // counted in units of pi.
    ammeter_->setUnit(QStringLiteral("А"));
    phaseReadout_->setUnit(QStringLiteral("π"));
    plateLengthReadout_->setUnit(QStringLiteral("см"));
}
