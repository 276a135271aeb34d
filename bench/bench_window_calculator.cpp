// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator under the source panel: a click on the source lamp shows or
// hides it; its button turns the ammeter's reading at the k-th focusing into
// the electron's specific charge.
#include "bench/bench_window.h"

#include "model/specific_charge.h"
#include "toolkit/conversions.h"
#include "toolkit/decimal_format.h"
#include "toolkit/handler.h"
#include "toolkit/labeled_edit.h"
#include "widgets/seven_segment_display.h"

#include <QLocale>
#include <QToolButton>

void TForm1::Image2Click()
{
    runHandler([&] {
        const bool show = Lab.CalcShown == 0;
        SpeedButton1->setVisible(show);
        Edit1->setVisible(show);
        Edit2->setVisible(show);
        Lab.CalcShown = show ? 1 : 0;
    });
}

void TForm1::Edit2KeyPress(QChar &Key)
{
    // The number of helix turns: 1 to 9, no zero.
    runHandler([&] {
        if (Key != QChar(8) && !(Key >= u'1' && Key <= u'9')) Key = QChar(0);
    });
}

void TForm1::SpeedButton3Click()
{
    runHandler([&] {
        if (Lab.ScopeOn != 1) return;
        const std::int32_t k = StrToInt(Edit2->text());
        const double em = ComputeSpecificCharge(Lab, k, amper->value());
        const std::string separator = QLocale().decimalPoint().toStdString();
        Edit1->setText(QString::fromStdString(FormatSpecificCharge(em, separator)) + QStringLiteral(" Кл/кг"));
    });
}
