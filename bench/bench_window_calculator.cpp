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

void BenchWindow::onSourceLampClicked()
{
    runHandler([&] {
        const bool show = !lab_.calculatorShown;
        calculateButton_->setVisible(show);
        specificChargeField_->setVisible(show);
        helixTurnsField_->setVisible(show);
        lab_.calculatorShown = show;
    });
}

void BenchWindow::filterHelixTurnsKey(QChar &key)
{
    // The number of helix turns: 1 to 9, no zero.
    if (key != QChar(8) && !(key >= u'1' && key <= u'9')) key = QChar(0);
}

void BenchWindow::onCalculateClicked()
{
    runHandler([&] {
        if (!lab_.scopeOn) return;
        const std::int32_t k = StrToInt(helixTurnsField_->text());
        const double em = computeSpecificCharge(lab_, k, ammeter_->value());
        const std::string separator = QLocale().decimalPoint().toStdString();
        specificChargeField_->setText(QString::fromStdString(FormatSpecificCharge(em, separator)) +
                                      QStringLiteral(" Кл/кг"));
    });
}
