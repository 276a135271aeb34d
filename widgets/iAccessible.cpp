// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/iAccessible.h"

#include "widgets/iAngularGauge.h"
#include "widgets/iSevenSegmentDisplay.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QLocale>
#include <cmath>
#include <mutex>

namespace {

// What the cells of a read-out show, read out: the digits with the locale's
// separator, the unit after a space. A row of arrows is an overload, as a
// bench meter's "OL" is.
QString spokenText(const TiSevenSegmentAnalog &readout)
{
    const QLocale locale;
    QString text;
    for (const CellGlyph &cell : LayoutReadout(readout.LayoutSettings(), readout.Value(), locale.decimalPoint())) {
        const TSevenSegmentCharacter code = cell.Code;
        if (code >= ssc0 && code <= ssc9)
            text += QChar(u'0' + (code - ssc0));
        else if (code == sscPeriod || code == sscComma)
            text += locale.decimalPoint();
        else if (code == sscMinus)
            text += u'-';
        else if (code == sscPlus)
            text += u'+';
        else if (code == sscUpArrow || code == sscDownArrow)
            return QStringLiteral("перегрузка");
    }
    return readout.Unit().isEmpty() ? text : text + u' ' + readout.Unit();
}

// An instrument a screen reader reads and never sets: a widget with a value.
class InstrumentAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    InstrumentAccessible(QWidget *instrument, QAccessible::Role role)
        : QAccessibleWidget(instrument, role)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }

    // The program sets the value itself; nobody sets it from outside.
    void setCurrentValue(const QVariant &) override {}
};

class ReadoutAccessible : public InstrumentAccessible {
public:
    // A read-out shows text, as Qt's own number display does.
    explicit ReadoutAccessible(TiSevenSegmentAnalog *readout)
        : InstrumentAccessible(readout, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value) return spokenText(*readout());
        if (t == QAccessible::Description)
            return readout()->PowerOff() ? QStringLiteral("питание выключено") : QStringLiteral("питание включено");
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return readout()->Value(); }
    // The largest magnitude the cells show before they turn into arrows.
    QVariant maximumValue() const override
    {
        const int precision = readout()->Precision();
        return std::pow(10.0, readout()->DigitCount() - precision) - std::pow(10.0, -precision);
    }
    QVariant minimumValue() const override { return -maximumValue().toDouble(); }
    QVariant minimumStepSize() const override { return std::pow(10.0, -readout()->Precision()); }

private:
    TiSevenSegmentAnalog *readout() const { return static_cast<TiSevenSegmentAnalog *>(widget()); }
};

class DialAccessible : public InstrumentAccessible {
public:
    explicit DialAccessible(TiAngularGauge *gauge)
        : InstrumentAccessible(gauge, QAccessible::Dial)
    {
    }

    // The position written as the scale's labels are.
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value) return QLocale().toString(gauge()->Position(), 'f', gauge()->TickLabelPrecision());
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return gauge()->Position(); }
    QVariant maximumValue() const override { return gauge()->PositionMax(); }
    QVariant minimumValue() const override { return gauge()->PositionMin(); }
    QVariant minimumStepSize() const override { return 0.0; }

private:
    TiAngularGauge *gauge() const { return static_cast<TiAngularGauge *>(widget()); }
};

// Qt names the object's classes from the most derived one up.
QAccessibleInterface *instrumentFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("TiSevenSegmentAnalog"))
        return new ReadoutAccessible(static_cast<TiSevenSegmentAnalog *>(object));
    if (className == QLatin1String("TiAngularGauge")) return new DialAccessible(static_cast<TiAngularGauge *>(object));
    return nullptr;
}

} // namespace

void InstallInstrumentAccessibility()
{
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(instrumentFactory); });
}
