// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/stored_layout.h"

#include "bench/bench_layout.h"
#include "widgets/iAngularGauge.h"
#include "widgets/iSevenSegmentDisplay.h"

#include <QFontDatabase>

namespace {

struct StoredReadout {
    QSize size;
    int digitCount, precision, digitSpacing;
    bool showSign;
    TiLeadingStyle leadingStyle;
    bool showOffSegments, autoSegmentOffColor;
    TColor segmentColor, segmentOffColor;
    double value;
    bool enabled;
};

StoredReadout storedReadout(BenchReadout which)
{
    switch (which) {
    case BenchReadout::plateLength:
        return {kBenchDesign.plateLengthReadout, 2, 1, 10, false, ilsSpaces, false, false, clLime, clGreen, 0.5, true};
    case BenchReadout::ammeter:
        return {kBenchDesign.ammeter, 4, 3, 10, false, ilsZeros, true, true, clLime, clGreen, 0.0, false};
    case BenchReadout::ripple:
        return {kBenchDesign.rippleReadout, 3, 2, 8, false, ilsSpaces, false, false, clLime, clGreen, 0.1, true};
    case BenchReadout::phase:
        return {kBenchDesign.phaseReadout, 3, 2, 8, false, ilsSpaces, false, false, clLime, clGreen, 0.4, true};
    }
    return {};
}

} // namespace

void loadBenchReadout(TiSevenSegmentAnalog &readout, BenchReadout which)
{
    const StoredReadout s = storedReadout(which);
    readout.BeginLoading();
    readout.SetBounds(readout.x(), readout.y(), s.size.width(), s.size.height());
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
    readout.setSegmentSeperation(1);
    readout.setBackGroundColor(clBlack);
    readout.setBorderStyle(ibsNone);
    readout.setEnabled(s.enabled);
    readout.EndLoading();
}

void loadBenchDial(TiAngularGauge &dial)
{
    dial.BeginLoading();
    dial.SetBounds(dial.x(), dial.y(), kBenchDesign.regulatorDial.width(), kBenchDesign.regulatorDial.height());
    dial.setBackGroundColor(clGray);
    dial.setBorderStyle(ibsRaised);
    dial.setPositionMax(100);
    dial.setCurrentMax(10);
    dial.setMaxPointerColor(clBlue);
    dial.setTickMajorCount(11);
    dial.setTickMinorAlignment(itmnaCenter);
    dial.setTickMargin(10);
    dial.setTickLabelMargin(10);
    dial.setTickLabelFont(MakeFont(benchSansFamily(), 11, clWhite));
    dial.setSectionEnd1(50);
    dial.setSectionEnd2(75);
    dial.setLabel1Text(QStringLiteral("U"));
    dial.setLabel1Font(MakeFont(benchSerifFamily(), 21, clWindowText, true));
    dial.setLabel2Text(QString());
    dial.setHubSize(5);
    dial.setHubColor(clWhite);
    dial.setShowInnerArcRadius(true);
    dial.setShowLabel1(true);
    dial.setShowLabel2(true);
    dial.setAutoCenter(true);
    dial.setAutoSize(true);
    dial.setOuterMargin(5);
    dial.setPanelFaceStyle(ipfsNone);

    TiGaugeStoredEntries entries;
    entries.PositionMax_2 = 100;
    entries.SectionEnd1_2 = 50;
    entries.SectionEnd2_2 = 75;
    TiStoredPointer pointer;
    pointer.Size = 10;
    pointer.Margin = 10;
    pointer.Color = clBlack;
    pointer.Style = iagpsArrowLine;
    entries.Pointers = std::vector<TiStoredPointer>{pointer};
    dial.ReadStoredEntries(entries);
    dial.EndLoading();
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

} // namespace

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
