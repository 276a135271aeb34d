// SPDX-License-Identifier: GPL-3.0-or-later
// The dial's value model: position and range, running maximum and minimum
// with their notifications, loading, tick values and labels, clamps,
// section spans and the pointer list.
#include "common/paint_counter.h"
#include "bench/stored_layout.h"
#include "widgets/iAngularGauge.h"

#include <QLocale>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>


class TestGaugeModel : public QObject {
    Q_OBJECT
private slots:
    void positionIsClampedUpperBoundFirst();
    void equalPositionWriteDoesNothing();
    void loadingStoresPositionUnclampedAndSilently();
    void benchRampTracksCurrentMax();
    void fixedMinMaxRaisesOverAndUnder();
    void loweringMaxUnderThePointer();
    void invertedRangeAlwaysGivesMinimum();
    void nonFiniteWritesAreIgnored();
    void fractionOnDegenerateRange();
    void tickValuesAndLabels();
    void labelsFollowTheLocale();
    void zeroLabelHasNoSign();
    void customizedLabels();
    void significantDigitPrecision_data();
    void significantDigitPrecision();
    void clampsOfTheSettings();
    void repaintKindOfEachSetter_data();
    void repaintKindOfEachSetter();
    void enumerationsByName_data();
    void enumerationsByName();
    void sectionSpans_data();
    void sectionSpans();
    void pointerManagerNeedsAllHandlers();
    void pointerListReportsInOrder();
    void gaugeWithoutPointerRaisesIndexError();
    void storedEntriesApplyDirectly();
};

void TestGaugeModel::positionIsClampedUpperBoundFirst()
{
    TiAngularGauge g;
    g.setPosition(150);
    QCOMPARE(g.Position(), 100.0);
    g.setPosition(-5);
    QCOMPARE(g.Position(), 0.0);
    g.setPosition(42.5);
    QCOMPARE(g.Pointers().Items(0)->Position(), 42.5);
}

void TestGaugeModel::equalPositionWriteDoesNothing()
{
    TiAngularGauge g;
    g.setPosition(30);
    PaintCounter paints(g);
    QSignalSpy changes(&g, &TiPositionComponent::PositionChange);
    g.setPosition(30);
    g.setPosition(30.0 + 0.0);
    QCOMPARE(paints.take(), 0);
    g.setPosition(130);  // clamps to 100, which differs
    QCOMPARE(changes.count(), 1);
    QCOMPARE(paints.take(), 1);
    g.setPosition(200);  // clamps to 100 again: nothing
    QCOMPARE(changes.count(), 1);
    QCOMPARE(paints.take(), 0);
}

void TestGaugeModel::loadingStoresPositionUnclampedAndSilently()
{
    TiAngularGauge g;
    QSignalSpy changes(&g, &TiPositionComponent::PositionChange);
    QSignalSpy maxChanges(&g, &TiPositionComponent::CurrentMaxChange);
    QSignalSpy minChanges(&g, &TiPositionComponent::CurrentMinChange);
    QSignalSpy over(&g, &TiPositionComponent::PositionOverMax);
    QSignalSpy under(&g, &TiPositionComponent::PositionUnderMin);
    g.BeginLoading();
    g.setMinMaxFixed(true);
    g.setPosition(150);
    g.setCurrentMax(500);
    g.setCurrentMin(-40);
    QCOMPARE(g.Position(), 150.0);
    QCOMPARE(g.CurrentMax(), 500.0);
    QCOMPARE(g.CurrentMin(), -40.0);
    g.setPosition(-60);
    QCOMPARE(g.Position(), -60.0);
    // The range writes clamp the pointers even while loading, but not the
    // current maximum and minimum.
    g.setPositionMin(-50);
    g.setPositionMax(120);
    QCOMPARE(g.Position(), -50.0);
    QCOMPARE(g.CurrentMax(), 500.0);
    QCOMPARE(g.CurrentMin(), -40.0);
    g.EndLoading();
    for (const QSignalSpy *spy : {&changes, &maxChanges, &minChanges, &over, &under})
        QVERIFY2(spy->isEmpty(), spy->signal().constData());
    QVERIFY(!g.IsLoading());
}

void TestGaugeModel::benchRampTracksCurrentMax()
{
    TiAngularGauge g;
    QSignalSpy changes(&g, &TiPositionComponent::PositionChange);
    QSignalSpy maxChanges(&g, &TiPositionComponent::CurrentMaxChange);
    loadBenchDial(g);  // silently, in loading mode
    QCOMPARE(maxChanges.count(), 0);
    QCOMPARE(g.CurrentMax(), 10.0);
    PaintCounter paints(g);
    QVERIFY(!g.BackgroundChanged());
    QSignalSpy minChanges(&g, &TiPositionComponent::CurrentMinChange);
    QSignalSpy over(&g, &TiPositionComponent::PositionOverMax);
    for (int step = 1; step <= 90; ++step) {
        g.setPosition(g.Position() + 1);
        // Each step asks for the moving parts only.
        QVERIFY(!g.BackgroundChanged());
        QCOMPARE(paints.take(), 1);
        QCOMPARE(g.CurrentMax(), step <= 10 ? 10.0 : double(step));
        QCOMPARE(changes.count(), step);
        QCOMPARE(maxChanges.count(), step <= 10 ? 0 : step - 10);
    }
    QCOMPARE(over.count(), 0);
    for (int step = 1; step <= 90; ++step) g.setPosition(g.Position() - 1);
    QCOMPARE(g.Position(), 0.0);
    QCOMPARE(g.CurrentMax(), 90.0);
    QCOMPARE(g.CurrentMin(), 0.0);
    QCOMPARE(minChanges.count(), 0);
    QCOMPARE(changes.count(), 180);
}

void TestGaugeModel::fixedMinMaxRaisesOverAndUnder()
{
    TiAngularGauge g;
    g.setCurrentMax(60);
    g.setCurrentMin(20);
    g.setMinMaxFixed(true);
    QSignalSpy over(&g, &TiPositionComponent::PositionOverMax);
    QSignalSpy under(&g, &TiPositionComponent::PositionUnderMin);
    QSignalSpy maxChanges(&g, &TiPositionComponent::CurrentMaxChange);
    g.setPosition(70);
    QCOMPARE(over.count(), 1);
    QCOMPARE(g.CurrentMax(), 60.0);
    g.setPosition(10);
    QCOMPARE(under.count(), 1);
    QCOMPARE(g.CurrentMin(), 20.0);
    QCOMPARE(maxChanges.count(), 0);
}

void TestGaugeModel::loweringMaxUnderThePointer()
{
    TiAngularGauge g;
    g.setPosition(90);
    PaintCounter paints(g);
    QVERIFY(!g.BackgroundChanged());
    QSignalSpy changes(&g, &TiPositionComponent::PositionChange);
    QSignalSpy maxChanges(&g, &TiPositionComponent::CurrentMaxChange);
    g.setPositionMax(50);
    QCOMPARE(g.Position(), 50.0);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(g.CurrentMax(), 50.0);
    QCOMPARE(maxChanges.count(), 1);
    QVERIFY(g.BackgroundChanged());
}

void TestGaugeModel::invertedRangeAlwaysGivesMinimum()
{
    TiAngularGauge g;
    g.setPositionMin(80);
    g.setPositionMax(20);  // accepted as it is
    QCOMPARE(g.PositionMin(), 80.0);
    QCOMPARE(g.PositionMax(), 20.0);
    g.setPosition(50);
    QCOMPARE(g.Position(), 80.0);
    QCOMPARE(g.PositionToFraction(50), 1.0);
    QCOMPARE(g.PositionToFraction(10), 0.0);
}

void TestGaugeModel::nonFiniteWritesAreIgnored()
{
    TiAngularGauge g;
    g.setPosition(40);
    g.setPosition(qQNaN());
    g.setPosition(qInf());
    QCOMPARE(g.Position(), 40.0);
    g.setPositionMax(qInf());
    g.setPositionMin(qQNaN());
    QCOMPARE(g.PositionMax(), 100.0);
    QCOMPARE(g.PositionMin(), 0.0);
    g.setCurrentMax(qQNaN());
    QCOMPARE(g.CurrentMax(), 40.0);
    g.setSectionEnd1(qQNaN());
    QCOMPARE(g.SectionEnd1(), 50.0);
}

void TestGaugeModel::fractionOnDegenerateRange()
{
    TiAngularGauge g;
    QCOMPARE(g.PositionToFraction(90), 0.9);
    g.setPositionMin(5);
    g.setPositionMax(5);
    QCOMPARE(g.PositionToFraction(5), 0.0);
    QCOMPARE(g.PositionToFraction(4), 0.0);
    QCOMPARE(g.PositionToFraction(5.5), 1.0);
    // A span too wide for a double still gives a number.
    QCOMPARE(PositionFraction(-1e308, 1e308, 0), 0.0);
}

void TestGaugeModel::tickValuesAndLabels()
{
    QLocale::setDefault(QLocale::c());
    TiAngularGauge g;
    g.setTickMajorCount(11);
    for (int i = 0; i < 11; ++i) {
        QCOMPARE(g.GetTickValue(i), 10.0 * i);
        QCOMPARE(g.GetTickLabelText(i), QString::number(10 * i));
    }
    g.setPositionMin(-1);
    g.setPositionMax(1);
    g.setTickMajorCount(3);
    g.setTickLabelPrecision(2);
    QCOMPARE(g.GetTickLabelText(0), QStringLiteral("-1.00"));
    QCOMPARE(g.GetTickLabelText(1), QStringLiteral("0.00"));
    QCOMPARE(g.GetTickLabelText(2), QStringLiteral("1.00"));
}

void TestGaugeModel::labelsFollowTheLocale()
{
    TiAngularGauge g;
    g.setPositionMax(1);
    g.setTickMajorCount(5);
    g.setTickLabelPrecision(2);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QCOMPARE(g.GetTickLabelText(1), QStringLiteral("0,25"));
    g.setPositionMax(10000);
    g.setTickLabelPrecision(0);
    QCOMPARE(g.GetTickLabelText(4), QStringLiteral("10000"));  // no grouping
    QLocale::setDefault(QLocale::c());
    g.setTickLabelPrecision(1);
    QCOMPARE(g.GetTickLabelText(1), QStringLiteral("2500.0"));
}

void TestGaugeModel::zeroLabelHasNoSign()
{
    QLocale::setDefault(QLocale::c());
    TiAngularGauge g;
    // Ticks from -0.9 in steps of 0.1 miss zero by a hair, below it.
    g.setPositionMin(-0.9);
    g.setPositionMax(0.3);
    g.setTickMajorCount(13);
    g.setTickLabelPrecision(1);
    QVERIFY(g.GetTickValue(9) < 0.0);
    QCOMPARE(g.GetTickLabelText(9), QStringLiteral("0.0"));
    QCOMPARE(g.GetTickLabelText(8), QStringLiteral("-0.1"));
}

void TestGaugeModel::customizedLabels()
{
    QLocale::setDefault(QLocale::c());
    TiAngularGauge g;
    g.setTickMajorCount(11);
    QList<int> seen;
    QObject *sender = nullptr;
    g.setOnCustomizeTickLabel([&](QObject *s, int index, QString &text) {
        sender = s;
        seen << index;
        if (index == 3) text += QStringLiteral(" V");
        if (index == 4) text.clear();
    });
    QCOMPARE(g.GetTickLabelText(3), QStringLiteral("30 V"));
    QCOMPARE(g.GetTickLabelText(4), QString());
    QCOMPARE(g.GetTickLabelText(5), QStringLiteral("50"));
    QCOMPARE(seen, (QList<int>{3, 4, 5}));
    QCOMPARE(sender, &g);
}

void TestGaugeModel::significantDigitPrecision_data()
{
    QTest::addColumn<double>("span");
    QTest::addColumn<int>("precision");
    QTest::addColumn<int>("decimals");
    QTest::newRow("50") << 50.0 << 3 << 1;
    QTest::newRow("0.5") << 0.5 << 3 << 3;
    QTest::newRow("0") << 0.0 << 3 << 1;
    QTest::newRow("5000") << 5000.0 << 3 << 0;
    QTest::newRow("precision 0") << 0.5 << 0 << 0;
    QTest::newRow("0.004") << 0.004 << 2 << 4;
}

void TestGaugeModel::significantDigitPrecision()
{
    QFETCH(double, span);
    QFETCH(int, precision);
    QFETCH(int, decimals);
    TiAngularGauge g;
    g.setPrecisionStyle(ipsSignificantDigits);
    g.setTickLabelPrecision(precision);
    g.setPositionMin(-7);
    g.setPositionMax(-7 + span);
    QCOMPARE(g.GetLabelPrecision(), decimals);
    g.setPrecisionStyle(ipsFixedDecimalPoints);
    QCOMPARE(g.GetLabelPrecision(), precision);
}

void TestGaugeModel::clampsOfTheSettings()
{
    TiAngularGauge g;
    g.setTickMajorCount(1);
    QCOMPARE(g.TickMajorCount(), 2);
    g.setTickMajorCount(500);
    QCOMPARE(g.TickMajorCount(), 100);
    g.setTickMinorCount(0);
    QCOMPARE(g.TickMinorCount(), 1);
    g.setTickMinorCount(101);
    QCOMPARE(g.TickMinorCount(), 100);
    g.setTickMajorLength(0);
    QCOMPARE(g.TickMajorLength(), 1);
    g.setTickMinorLength(-3);
    QCOMPARE(g.TickMinorLength(), 1);
    g.setTickLabelPrecision(-1);
    QCOMPARE(g.TickLabelPrecision(), 0);
    g.setSectionCount(9);
    QCOMPARE(g.SectionCount(), 5);
    g.setSectionCount(-2);
    QCOMPARE(g.SectionCount(), 0);
    g.setArcRangeDegrees(400);
    QCOMPARE(g.ArcRangeDegrees(), 360);
    // A label precision beyond reason is shown with a bounded length.
    g.setTickLabelPrecision(1000000);
    QVERIFY(g.GetTickLabelText(0).size() < 40);
    g.setPrecisionStyle(ipsSignificantDigits);
    g.setTickLabelPrecision(2147483647);
    g.setPositionMax(1e-300);
    QVERIFY(g.GetLabelPrecision() <= 30);
}

void TestGaugeModel::repaintKindOfEachSetter_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("full");
    QTest::newRow("ArcRadius") << QByteArray("ArcRadius") << QVariant(70) << true;
    QTest::newRow("ArcStartDegrees") << QByteArray("ArcStartDegrees") << QVariant(200) << true;
    QTest::newRow("Label1OffsetX") << QByteArray("Label1OffsetX") << QVariant(3) << true;
    QTest::newRow("HubSize") << QByteArray("HubSize") << QVariant(9) << true;
    QTest::newRow("ShowHub") << QByteArray("ShowHub") << QVariant(false) << true;
    QTest::newRow("ReverseScale") << QByteArray("ReverseScale") << QVariant(true) << true;
    QTest::newRow("TickMajorCount") << QByteArray("TickMajorCount") << QVariant(7) << true;
    QTest::newRow("TickMargin") << QByteArray("TickMargin") << QVariant(2) << true;
    QTest::newRow("TickMinorColor") << QByteArray("TickMinorColor") << QVariant(uint(clRed)) << true;
    QTest::newRow("SectionCount") << QByteArray("SectionCount") << QVariant(2) << true;
    QTest::newRow("SectionEnd3") << QByteArray("SectionEnd3") << QVariant(12.0) << true;
    QTest::newRow("ShowMaxPointer") << QByteArray("ShowMaxPointer") << QVariant(true) << true;
    QTest::newRow("MinMaxPointerSize") << QByteArray("MinMaxPointerSize") << QVariant(4) << true;
    QTest::newRow("PositionMin") << QByteArray("PositionMin") << QVariant(-10.0) << true;
    QTest::newRow("PanelFaceSize") << QByteArray("PanelFaceSize") << QVariant(20) << true;
    const QVariant font = QVariant::fromValue(MakeFont(QStringLiteral("Liberation Serif"), 17, clRed, true));
    QTest::newRow("TickLabelFont") << QByteArray("TickLabelFont") << font << true;
    QTest::newRow("Label1Font") << QByteArray("Label1Font") << font << true;
    QTest::newRow("Label2Font") << QByteArray("Label2Font") << font << true;
    QTest::newRow("Position") << QByteArray("Position") << QVariant(33.0) << false;
    QTest::newRow("PointerColor") << QByteArray("PointerColor") << QVariant(uint(clRed)) << false;
    QTest::newRow("PointerSize") << QByteArray("PointerSize") << QVariant(12) << false;
    QTest::newRow("PointerMargin") << QByteArray("PointerMargin") << QVariant(3) << false;
    QTest::newRow("MaxPointerColor") << QByteArray("MaxPointerColor") << QVariant(uint(clRed)) << false;
    QTest::newRow("MinPointerColor") << QByteArray("MinPointerColor") << QVariant(uint(clRed)) << false;
    QTest::newRow("MinMaxFixed") << QByteArray("MinMaxFixed") << QVariant(true) << false;
    QTest::newRow("MinMaxUserCanMove") << QByteArray("MinMaxUserCanMove") << QVariant(true) << false;
}

void TestGaugeModel::repaintKindOfEachSetter()
{
    QFETCH(QByteArray, property);
    QFETCH(QVariant, value);
    QFETCH(bool, full);
    TiAngularGauge g;
    PaintCounter paints(g);
    QVERIFY(!g.BackgroundChanged());
    const QVariant old = g.property(property.constData());
    QVERIFY(old.isValid());
    QVERIFY(g.setProperty(property.constData(), old));  // the same value
    QCOMPARE(paints.take(), 0);
    QVERIFY(g.setProperty(property.constData(), value));
    QCOMPARE(g.property(property.constData()), value);
    QCOMPARE(g.BackgroundChanged(), full);
    QCOMPARE(paints.take(), 1);
}

void TestGaugeModel::enumerationsByName_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<int>("value");
    QTest::newRow("BorderStyle") << QByteArray("BorderStyle") << QByteArray("ibsRaised") << int(ibsRaised);
    QTest::newRow("TickMinorAlignment") << QByteArray("TickMinorAlignment") << QByteArray("itmnaOutside") << int(itmnaOutside);
    QTest::newRow("PrecisionStyle") << QByteArray("PrecisionStyle") << QByteArray("ipsSignificantDigits") << int(ipsSignificantDigits);
    QTest::newRow("AutoScaleStyle") << QByteArray("AutoScaleStyle") << QByteArray("iassFixedMinMax") << int(iassFixedMinMax);
    QTest::newRow("Label1AlignVertical") << QByteArray("Label1AlignVertical") << QByteArray("iavBottom") << int(iavBottom);
    QTest::newRow("Label2AlignHorizontal") << QByteArray("Label2AlignHorizontal") << QByteArray("iahRight") << int(iahRight);
    QTest::newRow("MinMaxPointerStyle") << QByteArray("MinMaxPointerStyle") << QByteArray("iagpsTriangle") << int(iagpsTriangle);
    QTest::newRow("PointerStyle") << QByteArray("PointerStyle") << QByteArray("iagpsLine") << int(iagpsLine);
    QTest::newRow("TickLabelAlignment") << QByteArray("TickLabelAlignment") << QByteArray("ilaJustified") << int(ilaJustified);
    QTest::newRow("PanelFaceStyle") << QByteArray("PanelFaceStyle") << QByteArray("ipfsPicture") << int(ipfsPicture);
}

void TestGaugeModel::enumerationsByName()
{
    QFETCH(QByteArray, property);
    QFETCH(QByteArray, key);
    QFETCH(int, value);
    TiAngularGauge g;
    const QMetaProperty meta = g.metaObject()->property(g.metaObject()->indexOfProperty(property.constData()));
    QVERIFY(meta.isEnumType());
    QVERIFY(g.setProperty(property.constData(), QString::fromLatin1(key)));
    QCOMPARE(g.property(property.constData()).toInt(), value);
    QCOMPARE(QByteArray(meta.enumerator().valueToKey(value)), key);
    QVERIFY(!g.setProperty(property.constData(), QStringLiteral("noSuchValue")));
    QCOMPARE(g.property(property.constData()).toInt(), value);
}

void TestGaugeModel::sectionSpans_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<double>>("bounds");  // start, end pairs
    QTest::addColumn<QList<uint>>("colors");
    QTest::newRow("0") << 0 << QList<double>{} << QList<uint>{};
    QTest::newRow("1") << 1 << QList<double>{0, 100} << QList<uint>{clGreen};
    QTest::newRow("2") << 2 << QList<double>{0, 50, 50, 100} << QList<uint>{clGreen, clYellow};
    QTest::newRow("3") << 3 << QList<double>{0, 50, 50, 75, 75, 100} << QList<uint>{clGreen, clYellow, clRed};
    QTest::newRow("5") << 5 << QList<double>{0, 50, 50, 75, 75, 100} << QList<uint>{clGreen, clYellow, clRed};
}

void TestGaugeModel::sectionSpans()
{
    QFETCH(int, count);
    QFETCH(QList<double>, bounds);
    QFETCH(QList<uint>, colors);
    TiAngularGauge g;
    g.setSectionCount(count);
    const std::vector<TiSectionSpan> spans = g.GetSectionSpans();
    QCOMPARE(int(spans.size()), colors.size());
    for (int i = 0; i < colors.size(); ++i) {
        QCOMPARE(spans[std::size_t(i)].Start, bounds[2 * i]);
        QCOMPARE(spans[std::size_t(i)].End, bounds[2 * i + 1]);
        QCOMPARE(spans[std::size_t(i)].Color, TColor(colors[i]));
    }
}

void TestGaugeModel::pointerManagerNeedsAllHandlers()
{
    const TiGaugePointerManager::Handler h = [](TiGaugePointer *) {};
    auto message = [](auto make) {
        try {
            make();
        } catch (const std::invalid_argument &e) {
            return QString::fromUtf8(e.what());
        }
        return QString();
    };
    QCOMPARE(message([&] { TiGaugePointerManager m({}, {}, {}); }),
             QStringLiteral("OnChange event handler can not be null"));
    QCOMPARE(message([&] { TiGaugePointerManager m(h, {}, {}); }),
             QStringLiteral("OnInsert event handler can not be null"));
    QCOMPARE(message([&] { TiGaugePointerManager m(h, h, {}); }),
             QStringLiteral("OnRemove event handler can not be null"));
    QCOMPARE(message([&] { TiGaugePointerManager m(h, h, h); }), QString());
}

void TestGaugeModel::pointerListReportsInOrder()
{
    QStringList log;
    {
        TiGaugePointerManager m([&](TiGaugePointer *) { log << "change"; }, [&](TiGaugePointer *) { log << "insert"; },
                                [&](TiGaugePointer *) { log << "remove"; });
        TiGaugePointer *a = m.Add();
        TiGaugePointer *b = m.Add();
        QCOMPARE(log, (QStringList{"insert", "change", "insert", "change"}));
        QCOMPARE(a->Size(), 10);
        QCOMPARE(a->Style(), 3);
        QCOMPARE(a->Margin(), 0);
        log.clear();
        a->setSize(10);  // unchanged
        a->setSize(12);
        QCOMPARE(log, QStringList{"change"});
        log.clear();
        delete a;
        QCOMPARE(log, (QStringList{"remove", "change"}));
        QCOMPARE(m.Count(), 1);
        QCOMPARE(m.Items(0), b);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, m.Items(1));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, m.Items(-1));
        m.Add();
        log.clear();
        m.Clear();
        QCOMPARE(m.Count(), 0);
        QCOMPARE(log, (QStringList{"remove", "change", "remove", "change"}));
        m.Add();
        log.clear();
    }
    // The manager's end destroys what is left, each reporting its removal.
    QCOMPARE(log, (QStringList{"remove", "change"}));
}

void TestGaugeModel::gaugeWithoutPointerRaisesIndexError()
{
    TiAngularGauge g;
    QCOMPARE(g.Pointers().Count(), 1);
    g.Pointers().Clear();
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, g.Position());
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, g.setPosition(3));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, g.PointerColor());
    try {
        g.Position();
    } catch (const std::out_of_range &e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("List index out of bounds (0)"));
    }
    // A range change has no pointer to clamp and goes through.
    g.setPositionMax(50);
    QCOMPARE(g.PositionMax(), 50.0);
    g.Pointers().Add();
    g.setPosition(70);
    QCOMPARE(g.Position(), 50.0);
}

void TestGaugeModel::storedEntriesApplyDirectly()
{
    TiAngularGauge g;
    g.BeginLoading();
    g.setPosition(80);
    g.setPointerStyle(iagpsLine);
    PaintCounter paints(g);
    TiGaugeStoredEntries entries;
    entries.PositionMax_2 = 60;
    entries.SectionEnd1_2 = 20;
    entries.SectionEnd2_2 = 30;
    g.ReadStoredEntries(entries);
    // No range logic: the pointer is not clamped, nothing is repainted.
    QCOMPARE(g.PositionMax(), 60.0);
    QCOMPARE(g.Position(), 80.0);
    QCOMPARE(g.SectionEnd1(), 20.0);
    QCOMPARE(g.SectionEnd2(), 30.0);
    QCOMPARE(paints.take(), 0);
    QCOMPARE(g.PointerStyle(), iagpsLine);

    TiStoredPointer first, second;
    first.Margin = 4;
    first.Style = iagpsArrow;
    first.Position = 25;
    second.Color = clRed;
    entries.Pointers = std::vector<TiStoredPointer>{first, second};
    g.ReadStoredEntries(entries);
    g.EndLoading();
    QCOMPARE(g.Pointers().Count(), 2);
    QCOMPARE(g.PointerStyle(), iagpsArrow);  // replaced by the collection
    QCOMPARE(g.PointerMargin(), 4);
    QCOMPARE(g.Position(), 25.0);
    QCOMPARE(g.Pointers().Items(1)->Color(), clRed);
    QCOMPARE(g.Pointers().Items(1)->Style(), 3);

    entries.Pointers = std::vector<TiStoredPointer>{};
    g.BeginLoading();
    g.ReadStoredEntries(entries);
    g.EndLoading();
    QCOMPARE(g.Pointers().Count(), 0);
}

QTEST_MAIN(TestGaugeModel)
#include "tst_gauge_model.moc"
