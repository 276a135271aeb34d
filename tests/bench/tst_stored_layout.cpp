// SPDX-License-Identifier: GPL-3.0-or-later
// What the bench's stored layout gives its read-outs and texts: each
// read-out's design size, digits, colours, value and enabled flag, loaded
// silently; the one serif face of the bench's captions, and its sans face.
#include "bench/stored_layout.h"
#include "widgets/seven_segment_display.h"

#include <QFontInfo>
#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(BenchReadout)

class TstStoredLayout : public QObject {
    Q_OBJECT

private slots:
    void storedReadouts_data();
    void storedReadouts();
    void serifFont_data();
    void serifFont();
    void sansFaceIsTheOneDrawnForTheWindowsFace();
};

void TstStoredLayout::storedReadouts_data()
{
    QTest::addColumn<BenchReadout>("which");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("digits");
    QTest::addColumn<int>("precision");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<int>("leading");
    QTest::addColumn<bool>("showOff");
    QTest::addColumn<bool>("autoOff");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("plate length") << BenchReadout::plateLength << QSize(40, 28) << 2 << 1 << 10
                                  << int(SevenSegmentDisplay::LeadingStyle::Spaces) << false << false << 0.5 << true;
    QTest::newRow("ammeter") << BenchReadout::ammeter << QSize(80, 28) << 4 << 3 << 10
                             << int(SevenSegmentDisplay::LeadingStyle::Zeros) << true << true << 0.0 << false;
    QTest::newRow("ripple") << BenchReadout::ripple << QSize(57, 28) << 3 << 2 << 8
                            << int(SevenSegmentDisplay::LeadingStyle::Spaces) << false << false << 0.1 << true;
    QTest::newRow("phase") << BenchReadout::phase << QSize(56, 28) << 3 << 2 << 8
                           << int(SevenSegmentDisplay::LeadingStyle::Spaces) << false << false << 0.4 << true;
}

void TstStoredLayout::storedReadouts()
{
    QFETCH(BenchReadout, which);
    QFETCH(QSize, size);
    QFETCH(int, digits);
    QFETCH(int, precision);
    QFETCH(int, spacing);
    QFETCH(int, leading);
    QFETCH(bool, showOff);
    QFETCH(bool, autoOff);
    QFETCH(double, value);
    QFETCH(bool, enabled);

    SevenSegmentDisplay w;
    w.setBounds(30, 40, 84, 28);
    QSignalSpy changes(&w, &SevenSegmentDisplay::valueChanged);
    loadBenchReadout(w, which);
    QVERIFY(!w.isLoading());
    QCOMPARE(w.geometry(), QRect(QPoint(30, 40), size));
    QCOMPARE(w.digitCount(), digits);
    QCOMPARE(w.precision(), precision);
    QCOMPARE(w.digitSpacing(), spacing);
    QVERIFY(!w.showSign());
    QCOMPARE(int(w.leadingStyle()), leading);
    QCOMPARE(w.showOffSegments(), showOff);
    QCOMPARE(w.autoSegmentOffColor(), autoOff);
    QCOMPARE(w.segmentColor(), clLime);
    QCOMPARE(w.segmentOffColor(), clGreen);
    QCOMPARE(w.value(), value);
    QCOMPARE(w.isEnabled(), enabled);
    QCOMPARE(w.segmentMargin(), 5);
    QCOMPARE(w.segmentSize(), 1);
    QCOMPARE(w.segmentSeparation(), 1);
    QCOMPARE(w.backgroundColor(), clBlack);
    QCOMPARE(w.borderStyle(), InstrumentWidget::BorderStyle::None);
    QVERIFY(w.autoSize());
    QCOMPARE(changes.count(), 0);
}

void TstStoredLayout::serifFont_data()
{
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("bold");
    QTest::newRow("window, 16") << 16 << false;
    QTest::newRow("switches and fields, 16 bold") << 16 << true;
    QTest::newRow("captions and status bar, 13 bold") << 13 << true;
}

void TstStoredLayout::serifFont()
{
    QFETCH(int, pixels);
    QFETCH(bool, bold);
    const QFont font = benchSerifFont(pixels, bold);
    QCOMPARE(font.pixelSize(), pixels);
    QCOMPARE(font.bold(), bold);
    // Times New Roman where the desktop has it, else its metric twin; either
    // way the family asked for is the one drawn, with no substitute to look up.
    QVERIFY2(font.family() == QStringLiteral("Times New Roman") || font.family() == QStringLiteral("Liberation Serif"),
             qPrintable(font.family()));
    QCOMPARE(QFontInfo(font).family(), font.family());
}

// The sans serif face is named so that no search through the installed fonts
// is made for a missing one; the face named must be the one the desktop would
// draw for the Windows face anyway, or the dial's labels would change.
void TstStoredLayout::sansFaceIsTheOneDrawnForTheWindowsFace()
{
    QFont windows(QStringLiteral("MS Sans Serif"));
    windows.setPixelSize(11);
    QFont named(benchSansFamily());
    named.setPixelSize(11);
    QCOMPARE(QFontInfo(named).family(), QFontInfo(windows).family());
    QCOMPARE(QFontInfo(named).family(), benchSansFamily());
}

QTEST_MAIN(TstStoredLayout)
#include "tst_stored_layout.moc"
