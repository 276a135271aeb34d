// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/gauge_scale.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

InstrumentFont instrumentFont(const QString &family, int pixelHeight, TColor color, bool bold)
{
    InstrumentFont f;
    f.font = QFont(family);
    f.font.setPixelSize(pixelHeight);
    f.font.setBold(bold);
    // Instrument faces are pixel-exact: glyphs in the font's own colour only.
    f.font.setStyleStrategy(QFont::NoAntialias);
    f.color = color;
    return f;
}

int tickLabelDecimals(GaugeScale::PrecisionStyle style, int precision, double span)
{
    if (style == GaugeScale::PrecisionStyle::FixedDecimalPoints) return precision;
    if (precision == 0) return 0;
    span = std::fabs(span);
    // A span beyond a double's range has no digits to show.
    if (!std::isfinite(span)) return 0;
    long long d = 0;
    if (span != 0) d = (long long)precision - ((long long)std::trunc(std::log10(span)) + 1);
    if (span < 1) d += 1;
    // Labels longer than this carry no information a dial can show.
    return int(std::clamp(d, 0LL, 30LL));
}

QString formatTickLabel(double value, int decimals)
{
    if (!std::isfinite(value)) return QString();
    QString text = QString::number(value, 'f', std::clamp(decimals, 0, 30));
    // A value that rounds to zero is shown as zero, without a sign.
    if (text.startsWith(QLatin1Char('-')) && std::none_of(text.cbegin(), text.cend(), [](QChar c) {
            return c >= QLatin1Char('1') && c <= QLatin1Char('9');
        }))
        text.remove(0, 1);
    text.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return text.trimmed();
}

double tickValueOn(double lo, double hi, int count, int index)
{
    return (hi - lo) / (count - 1) * index + lo;
}

GaugeScale::GaugeScale(QObject *parent) : InstrumentPart(parent) {}

void GaugeScale::setTickMajorCount(int v)
{
    assign(tickMajorCount_, std::clamp(v, 2, 100));
}

void GaugeScale::setTickMinorCount(int v)
{
    assign(tickMinorCount_, std::clamp(v, 1, 100));
}
