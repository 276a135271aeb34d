// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/instrument_accessibility.h"

#include "widgets/angular_gauge.h"
#include "widgets/seven_segment_display.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QLocale>
#include <cmath>
#include <mutex>

namespace {

// What the cells of a read-out show, read out: the digits with the locale's
// separator, the unit after a space. A row of arrows is an overload, as a
// bench meter's "OL" is.
QString spokenText(const SevenSegmentDisplay &readout)
{
    const QLocale locale;
    QString text;
    for (const CellGlyph &cell : layoutReadout(readout.layoutSettings(), readout.value(), locale.decimalPoint())) {
        using enum SevenSegmentGlyph::Code;
        const SevenSegmentGlyph::Code code = cell.code;
        if (code <= Digit9)
            text += QChar(u'0' + int(code));
        else if (code == Period || code == Comma)
            text += locale.decimalPoint();
        else if (code == Minus)
            text += u'-';
        else if (code == Plus)
            text += u'+';
        else if (code == UpArrow || code == DownArrow)
            return QStringLiteral("перегрузка");
    }
    return readout.unit().isEmpty() ? text : text + u' ' + readout.unit();
}

// An instrument a screen reader reads and never sets: a widget with a value.
class InstrumentAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    InstrumentAccessible(QWidget *instrument, QAccessible::Role role) : QAccessibleWidget(instrument, role) {}

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
    explicit ReadoutAccessible(SevenSegmentDisplay *readout) : InstrumentAccessible(readout, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value) return spokenText(*readout());
        if (t == QAccessible::Description)
            return readout()->powerOff() ? QStringLiteral("питание выключено") : QStringLiteral("питание включено");
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return readout()->value(); }
    // The largest magnitude the cells show before they turn into arrows.
    QVariant maximumValue() const override
    {
        const int precision = readout()->precision();
        return std::pow(10.0, readout()->digitCount() - precision) - std::pow(10.0, -precision);
    }
    QVariant minimumValue() const override { return -maximumValue().toDouble(); }
    QVariant minimumStepSize() const override { return std::pow(10.0, -readout()->precision()); }

private:
    SevenSegmentDisplay *readout() const { return static_cast<SevenSegmentDisplay *>(widget()); }
};

class DialAccessible : public InstrumentAccessible {
public:
    explicit DialAccessible(AngularGauge *gauge) : InstrumentAccessible(gauge, QAccessible::Dial) {}

    // The position written as the scale's labels are.
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return QLocale().toString(gauge()->position(), 'f', gauge()->scale()->tickLabelPrecision());
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return gauge()->position(); }
    QVariant maximumValue() const override { return gauge()->positionMax(); }
    QVariant minimumValue() const override { return gauge()->positionMin(); }
    QVariant minimumStepSize() const override { return 0.0; }

private:
    AngularGauge *gauge() const { return static_cast<AngularGauge *>(widget()); }
};

// Qt names the object's classes from the most derived one up.
QAccessibleInterface *instrumentFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("SevenSegmentDisplay"))
        return new ReadoutAccessible(static_cast<SevenSegmentDisplay *>(object));
    if (className == QLatin1String("AngularGauge")) return new DialAccessible(static_cast<AngularGauge *>(object));
    return nullptr;
}

}  // namespace

void installInstrumentAccessibility()
{
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(instrumentFactory); });
}
