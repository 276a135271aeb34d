// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/stored_layout.h"

#include "bench/bench_layout.h"
#include "widgets/angular_gauge.h"
#include "widgets/seven_segment_display.h"

#include <QFontDatabase>

namespace {

struct StoredReadout {
    QSize size;
    int digitCount, precision, digitSpacing;
    bool showSign;
    SevenSegmentDisplay::LeadingStyle leadingStyle;
    bool showOffSegments, autoSegmentOffColor;
    TColor segmentColor, segmentOffColor;
    double value;
    bool enabled;
};

StoredReadout storedReadout(BenchReadout which)
{
    constexpr auto spaces = SevenSegmentDisplay::LeadingStyle::Spaces, zeros = SevenSegmentDisplay::LeadingStyle::Zeros;
    switch (which) {
    case BenchReadout::plateLength:
        return {kBenchDesign.plateLengthReadout, 2, 1, 10, false, spaces, false, false, clLime, clGreen, 0.5, true};
    case BenchReadout::ammeter:
        return {kBenchDesign.ammeter, 4, 3, 10, false, zeros, true, true, clLime, clGreen, 0.0, false};
    case BenchReadout::ripple:
        return {kBenchDesign.rippleReadout, 3, 2, 8, false, spaces, false, false, clLime, clGreen, 0.1, true};
    case BenchReadout::phase:
        return {kBenchDesign.phaseReadout, 3, 2, 8, false, spaces, false, false, clLime, clGreen, 0.4, true};
    }
    return {};
}

}  // namespace

void loadBenchReadout(SevenSegmentDisplay &readout, BenchReadout which)
{
    const StoredReadout s = storedReadout(which);
    readout.beginLoading();
    readout.setBounds(readout.x(), readout.y(), s.size.width(), s.size.height());
    readout.setDigitCount(s.digitCount);
    readout.setPrecision(s.precision);
    readout.setDigitSpacing(s.digitSpacing);
    readout.setShowSign(s.showSign);
    readout.setLeadingStyle(s.leadingStyle);
    readout.setShowOffSegments(s.showOffSegments);
    readout.setAutoSegmentOffColor(s.autoSegmentOffColor);
    readout.setSegmentColor(s.segmentColor);
    readout.setSegmentOffColor(s.segmentOffColor);
    readout.setValue(s.value);
    readout.setSegmentMargin(5);
    readout.setSegmentSize(1);
    readout.setSegmentSeparation(1);
    readout.setBackgroundColor(clBlack);
    readout.setBorderStyle(InstrumentWidget::BorderStyle::None);
    readout.setEnabled(s.enabled);
    readout.endLoading();
}

void loadBenchDial(AngularGauge &dial)
{
    dial.beginLoading();
    dial.setBounds(dial.x(), dial.y(), kBenchDesign.regulatorDial.width(), kBenchDesign.regulatorDial.height());
    dial.setBackgroundColor(clGray);
    dial.setBorderStyle(InstrumentWidget::BorderStyle::Raised);
    dial.setPositionMax(100);
    dial.setCurrentMax(10);
    dial.setMaxPointerColor(clBlue);
    dial.scale()->setTickMajorCount(11);
    dial.scale()->setTickMinorAlignment(GaugeScale::TickMinorAlignment::Center);
    dial.scale()->setTickMargin(10);
    dial.scale()->setTickLabelMargin(10);
    dial.scale()->setTickLabelFont(instrumentFont(benchSansFamily(), 11, clWhite));
    dial.setSectionEnd1(50);
    dial.setSectionEnd2(75);
    dial.label1()->setText(QStringLiteral("U"));
    dial.label1()->setFont(instrumentFont(benchSerifFamily(), 21, clWindowText, true));
    dial.label2()->setText(QString());
    dial.setHubSize(5);
    dial.setHubColor(clWhite);
    dial.scale()->setShowInnerArcRadius(true);
    dial.label1()->setVisible(true);
    dial.label2()->setVisible(true);
    dial.setAutoCenter(true);
    dial.setAutoSize(true);
    dial.setOuterMargin(5);
    dial.setPanelFaceStyle(AngularGauge::PanelFaceStyle::None);

    GaugeStoredEntries entries;
    entries.positionMax = 100;
    entries.sectionEnd1 = 50;
    entries.sectionEnd2 = 75;
    StoredPointer pointer;
    pointer.size = 10;
    pointer.margin = 10;
    pointer.color = clBlack;
    pointer.style = GaugePointer::Style::ArrowLine;
    entries.pointers = std::vector<StoredPointer>{pointer};
    dial.readStoredEntries(entries);
    dial.endLoading();
}

namespace {

// The Windows face where the desktop has it, else its stand-in. The installed
// families are listed once: asking the font database for a family it lacks
// would search every installed font for the nearest.
QString installedOr(const QString &family, const QString &standIn)
{
    static const QStringList installed = QFontDatabase::families();
    return installed.contains(family, Qt::CaseInsensitive) ? family : standIn;
}

}  // namespace

QString benchSerifFamily()
{
    static const QString family = installedOr(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    return family;
}

QString benchSansFamily()
{
    static const QString family = installedOr(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));
    return family;
}

QFont benchSerifFont(int pixels, bool bold)
{
    QFont f(benchSerifFamily());
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}
