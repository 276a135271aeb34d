// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/bench_accessible_names.h"

#include "bench/bench_window.h"
#include "toolkit/image_control.h"
#include "toolkit/labeled_edit.h"
#include "toolkit/panel.h"
#include "widgets/iSevenSegmentDisplay.h"

#include <QLabel>
#include <QToolButton>

void NameBenchControls(TForm1 &form)
{
    // A label's name is its caption already.
    for (QWidget *w : form.findChildren<QWidget *>())
        if (!w->toolTip().isEmpty() && !qobject_cast<QLabel *>(w)) w->setAccessibleName(w->toolTip());

    form.Panel2->setAccessibleName(QStringLiteral("Осциллограф"));
    form.Image1->setAccessibleName(QStringLiteral("Экран осциллографа"));
    form.UpDown3->setAccessibleName(QStringLiteral("Изменение длины пластин на 0,5 см"));
    form.Image2->setAccessibleName(QStringLiteral("Лампа источника тока"));
    form.Fmax1->setAccessibleName(form.Label1->text());
    form.UpDown1->setAccessibleName(QStringLiteral("Изменение пульсации на 0,05"));
    form.Faza1->setAccessibleName(form.Label3->text());
    form.UpDown2->setAccessibleName(QStringLiteral("Изменение сдвига фаз на 0,05 π"));
    form.Panel1->setAccessibleName(QStringLiteral("Включение РНШ"));
    form.SpeedButton1->setAccessibleName(QStringLiteral("Вычислить e/m"));
    form.Edit1->setAccessibleName(QStringLiteral("Удельный заряд электрона e/m"));

    // Arrows have no caption: they raise or lower what their pair adjusts.
    for (TUpDown *pair : form.findChildren<TUpDown *>())
        pair->setArrowNames(QStringLiteral("Больше"), QStringLiteral("Меньше"));

    // The ripple is a fraction of the current and has no unit; the phase is
    // counted in units of pi.
    form.amper->setUnit(QStringLiteral("А"));
    form.Faza1->setUnit(QStringLiteral("π"));
    form.Dplastin1->setUnit(QStringLiteral("см"));
}
