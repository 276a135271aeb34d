// SPDX-License-Identifier: GPL-3.0-or-later
// The dial's value model: position and range, running maximum and minimum
// with their notifications, loading, tick values and labels, clamps,
// section spans and the pointer list.
#include "bench/stored_layout.h"
#include "common/paint_counter.h"
#include "common/property_path.h"
#include "widgets/angular_gauge.h"

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
    void gaugeWithoutPointerAnswersDefaults();
    void storedEntriesApplyDirectly();
};

void TestGaugeModel::positionIsClampedUpperBoundFirst()
{
    AngularGauge g;
    g.setPosition(150);
    QCOMPARE(g.position(), 100.0);
    g.setPosition(-5);
    QCOMPARE(g.position(), 0.0);
    g.setPosition(42.5);
    QCOMPARE(g.pointers().at(0)->position(), 42.5);
}

void TestGaugeModel::equalPositionWriteDoesNothing()
{
    AngularGauge g;
    g.setPosition(30);
    PaintCounter paints(g);
    QSignalSpy changes(&g, &PositionInstrument::positionChanged);
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
    AngularGauge g;
    QSignalSpy changes(&g, &PositionInstrument::positionChanged);
    QSignalSpy maxChanges(&g, &PositionInstrument::currentMaxChanged);
    QSignalSpy minChanges(&g, &PositionInstrument::currentMinChanged);
    QSignalSpy over(&g, &PositionInstrument::positionOverMax);
    QSignalSpy under(&g, &PositionInstrument::positionUnderMin);
    g.beginLoading();
    g.setMinMaxFixed(true);
    g.setPosition(150);
    g.setCurrentMax(500);
    g.setCurrentMin(-40);
    QCOMPARE(g.position(), 150.0);
    QCOMPARE(g.currentMax(), 500.0);
    QCOMPARE(g.currentMin(), -40.0);
    g.setPosition(-60);
    QCOMPARE(g.position(), -60.0);
    // The range writes clamp the pointers even while loading, but not the
    // current maximum and minimum.
    g.setPositionMin(-50);
    g.setPositionMax(120);
    QCOMPARE(g.position(), -50.0);
    QCOMPARE(g.currentMax(), 500.0);
    QCOMPARE(g.currentMin(), -40.0);
    g.endLoading();
    for (const QSignalSpy *spy : {&changes, &maxChanges, &minChanges, &over, &under})
        QVERIFY2(spy->isEmpty(), spy->signal().constData());
    QVERIFY(!g.isLoading());
}

void TestGaugeModel::benchRampTracksCurrentMax()
{
    AngularGauge g;
    QSignalSpy changes(&g, &PositionInstrument::positionChanged);
    QSignalSpy maxChanges(&g, &PositionInstrument::currentMaxChanged);
    loadBenchDial(g);  // silently, in loading mode
    QCOMPARE(maxChanges.count(), 0);
    QCOMPARE(g.currentMax(), 10.0);
    PaintCounter paints(g);
    QVERIFY(!g.backgroundStale());
    QSignalSpy minChanges(&g, &PositionInstrument::currentMinChanged);
    QSignalSpy over(&g, &PositionInstrument::positionOverMax);
    for (int step = 1; step <= 90; ++step) {
        g.setPosition(g.position() + 1);
        // Each step asks for the moving parts only.
        QVERIFY(!g.backgroundStale());
        QCOMPARE(paints.take(), 1);
        QCOMPARE(g.currentMax(), step <= 10 ? 10.0 : double(step));
        QCOMPARE(changes.count(), step);
        QCOMPARE(maxChanges.count(), step <= 10 ? 0 : step - 10);
    }
    QCOMPARE(over.count(), 0);
    for (int step = 1; step <= 90; ++step) g.setPosition(g.position() - 1);
    QCOMPARE(g.position(), 0.0);
    QCOMPARE(g.currentMax(), 90.0);
    QCOMPARE(g.currentMin(), 0.0);
    QCOMPARE(minChanges.count(), 0);
    QCOMPARE(changes.count(), 180);
}

void TestGaugeModel::fixedMinMaxRaisesOverAndUnder()
{
    AngularGauge g;
    g.setCurrentMax(60);
    g.setCurrentMin(20);
    g.setMinMaxFixed(true);
    QSignalSpy over(&g, &PositionInstrument::positionOverMax);
    QSignalSpy under(&g, &PositionInstrument::positionUnderMin);
    QSignalSpy maxChanges(&g, &PositionInstrument::currentMaxChanged);
    g.setPosition(70);
    QCOMPARE(over.count(), 1);
    QCOMPARE(g.currentMax(), 60.0);
    g.setPosition(10);
    QCOMPARE(under.count(), 1);
    QCOMPARE(g.currentMin(), 20.0);
    QCOMPARE(maxChanges.count(), 0);
}

void TestGaugeModel::loweringMaxUnderThePointer()
{
    AngularGauge g;
    g.setPosition(90);
    PaintCounter paints(g);
    QVERIFY(!g.backgroundStale());
    QSignalSpy changes(&g, &PositionInstrument::positionChanged);
    QSignalSpy maxChanges(&g, &PositionInstrument::currentMaxChanged);
    g.setPositionMax(50);
    QCOMPARE(g.position(), 50.0);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(g.currentMax(), 50.0);
    QCOMPARE(maxChanges.count(), 1);
    QVERIFY(g.backgroundStale());
}

void TestGaugeModel::invertedRangeAlwaysGivesMinimum()
{
    AngularGauge g;
    g.setPositionMin(80);
    g.setPositionMax(20);  // accepted as it is
    QCOMPARE(g.positionMin(), 80.0);
    QCOMPARE(g.positionMax(), 20.0);
    g.setPosition(50);
    QCOMPARE(g.position(), 80.0);
    QCOMPARE(g.positionToFraction(50), 1.0);
    QCOMPARE(g.positionToFraction(10), 0.0);
}

void TestGaugeModel::nonFiniteWritesAreIgnored()
{
    AngularGauge g;
    g.setPosition(40);
    g.setPosition(qQNaN());
    g.setPosition(qInf());
    QCOMPARE(g.position(), 40.0);
    g.setPositionMax(qInf());
    g.setPositionMin(qQNaN());
    QCOMPARE(g.positionMax(), 100.0);
    QCOMPARE(g.positionMin(), 0.0);
    g.setCurrentMax(qQNaN());
    QCOMPARE(g.currentMax(), 40.0);
    g.setSectionEnd1(qQNaN());
    QCOMPARE(g.sectionEnd1(), 50.0);
}

void TestGaugeModel::fractionOnDegenerateRange()
{
    AngularGauge g;
    QCOMPARE(g.positionToFraction(90), 0.9);
    g.setPositionMin(5);
    g.setPositionMax(5);
    QCOMPARE(g.positionToFraction(5), 0.0);
    QCOMPARE(g.positionToFraction(4), 0.0);
    QCOMPARE(g.positionToFraction(5.5), 1.0);
    // A span too wide for a double still gives a number.
    QCOMPARE(positionFraction(-1e308, 1e308, 0), 0.0);
}

void TestGaugeModel::tickValuesAndLabels()
{
    QLocale::setDefault(QLocale::c());
    AngularGauge g;
    g.scale()->setTickMajorCount(11);
    for (int i = 0; i < 11; ++i) {
        QCOMPARE(g.tickValue(i), 10.0 * i);
        QCOMPARE(g.tickLabelText(i), QString::number(10 * i));
    }
    g.setPositionMin(-1);
    g.setPositionMax(1);
    g.scale()->setTickMajorCount(3);
    g.scale()->setTickLabelPrecision(2);
    QCOMPARE(g.tickLabelText(0), QStringLiteral("-1.00"));
    QCOMPARE(g.tickLabelText(1), QStringLiteral("0.00"));
    QCOMPARE(g.tickLabelText(2), QStringLiteral("1.00"));
}

void TestGaugeModel::labelsFollowTheLocale()
{
    AngularGauge g;
    g.setPositionMax(1);
    g.scale()->setTickMajorCount(5);
    g.scale()->setTickLabelPrecision(2);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QCOMPARE(g.tickLabelText(1), QStringLiteral("0,25"));
    g.setPositionMax(10000);
    g.scale()->setTickLabelPrecision(0);
    QCOMPARE(g.tickLabelText(4), QStringLiteral("10000"));  // no grouping
    QLocale::setDefault(QLocale::c());
    g.scale()->setTickLabelPrecision(1);
    QCOMPARE(g.tickLabelText(1), QStringLiteral("2500.0"));
}

void TestGaugeModel::zeroLabelHasNoSign()
{
    QLocale::setDefault(QLocale::c());
    AngularGauge g;
    // Ticks from -0.9 in steps of 0.1 miss zero by a hair, below it.
    g.setPositionMin(-0.9);
    g.setPositionMax(0.3);
    g.scale()->setTickMajorCount(13);
    g.scale()->setTickLabelPrecision(1);
    QVERIFY(g.tickValue(9) < 0.0);
    QCOMPARE(g.tickLabelText(9), QStringLiteral("0.0"));
    QCOMPARE(g.tickLabelText(8), QStringLiteral("-0.1"));
}

void TestGaugeModel::customizedLabels()
{
    QLocale::setDefault(QLocale::c());
    AngularGauge g;
    g.scale()->setTickMajorCount(11);
    QList<int> seen;
    g.setTickLabelCustomizer([&](int index, QString &text) {
        seen << index;
        if (index == 3) text += QStringLiteral(" V");
        if (index == 4) text.clear();
    });
    QCOMPARE(g.tickLabelText(3), QStringLiteral("30 V"));
    QCOMPARE(g.tickLabelText(4), QString());
    QCOMPARE(g.tickLabelText(5), QStringLiteral("50"));
    QCOMPARE(seen, (QList<int>{3, 4, 5}));
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
    AngularGauge g;
    g.scale()->setPrecisionStyle(GaugeScale::PrecisionStyle::SignificantDigits);
    g.scale()->setTickLabelPrecision(precision);
    g.setPositionMin(-7);
    g.setPositionMax(-7 + span);
    QCOMPARE(g.labelPrecision(), decimals);
    g.scale()->setPrecisionStyle(GaugeScale::PrecisionStyle::FixedDecimalPoints);
    QCOMPARE(g.labelPrecision(), precision);
}

void TestGaugeModel::clampsOfTheSettings()
{
    AngularGauge g;
    g.scale()->setTickMajorCount(1);
    QCOMPARE(g.scale()->tickMajorCount(), 2);
    g.scale()->setTickMajorCount(500);
    QCOMPARE(g.scale()->tickMajorCount(), 100);
    g.scale()->setTickMinorCount(0);
    QCOMPARE(g.scale()->tickMinorCount(), 1);
    g.scale()->setTickMinorCount(101);
    QCOMPARE(g.scale()->tickMinorCount(), 100);
    g.scale()->setTickMajorLength(0);
    QCOMPARE(g.scale()->tickMajorLength(), 1);
    g.scale()->setTickMinorLength(-3);
    QCOMPARE(g.scale()->tickMinorLength(), 1);
    g.scale()->setTickLabelPrecision(-1);
    QCOMPARE(g.scale()->tickLabelPrecision(), 0);
    g.setSectionCount(9);
    QCOMPARE(g.sectionCount(), 5);
    g.setSectionCount(-2);
    QCOMPARE(g.sectionCount(), 0);
    g.scale()->setArcRangeDegrees(400);
    QCOMPARE(g.scale()->arcRangeDegrees(), 360);
    // A label precision beyond reason is shown with a bounded length.
    g.scale()->setTickLabelPrecision(1000000);
    QVERIFY(g.tickLabelText(0).size() < 40);
    g.scale()->setPrecisionStyle(GaugeScale::PrecisionStyle::SignificantDigits);
    g.scale()->setTickLabelPrecision(2147483647);
    g.setPositionMax(1e-300);
    QVERIFY(g.labelPrecision() <= 30);
}

void TestGaugeModel::repaintKindOfEachSetter_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("full");
    QTest::newRow("scale.arcRadius") << QByteArray("scale.arcRadius") << QVariant(70) << true;
    QTest::newRow("scale.arcStartDegrees") << QByteArray("scale.arcStartDegrees") << QVariant(200) << true;
    QTest::newRow("label1.offsetX") << QByteArray("label1.offsetX") << QVariant(3) << true;
    QTest::newRow("hubSize") << QByteArray("hubSize") << QVariant(9) << true;
    QTest::newRow("showHub") << QByteArray("showHub") << QVariant(false) << true;
    QTest::newRow("scale.reverseScale") << QByteArray("scale.reverseScale") << QVariant(true) << true;
    QTest::newRow("scale.tickMajorCount") << QByteArray("scale.tickMajorCount") << QVariant(7) << true;
    QTest::newRow("scale.tickMargin") << QByteArray("scale.tickMargin") << QVariant(2) << true;
    QTest::newRow("scale.tickMinorColor") << QByteArray("scale.tickMinorColor") << QVariant(uint(clRed)) << true;
    QTest::newRow("sectionCount") << QByteArray("sectionCount") << QVariant(2) << true;
    QTest::newRow("sectionEnd3") << QByteArray("sectionEnd3") << QVariant(12.0) << true;
    QTest::newRow("showMaxPointer") << QByteArray("showMaxPointer") << QVariant(true) << true;
    QTest::newRow("minMaxPointerSize") << QByteArray("minMaxPointerSize") << QVariant(4) << true;
    QTest::newRow("positionMin") << QByteArray("positionMin") << QVariant(-10.0) << true;
    QTest::newRow("panelFaceSize") << QByteArray("panelFaceSize") << QVariant(20) << true;
    const QVariant font = QVariant::fromValue(instrumentFont(QStringLiteral("Liberation Serif"), 17, clRed, true));
    QTest::newRow("scale.tickLabelFont") << QByteArray("scale.tickLabelFont") << font << true;
    QTest::newRow("label1.font") << QByteArray("label1.font") << font << true;
    QTest::newRow("label2.font") << QByteArray("label2.font") << font << true;
    QTest::newRow("position") << QByteArray("position") << QVariant(33.0) << false;
    QTest::newRow("pointerColor") << QByteArray("pointerColor") << QVariant(uint(clRed)) << false;
    QTest::newRow("pointerSize") << QByteArray("pointerSize") << QVariant(12) << false;
    QTest::newRow("pointerMargin") << QByteArray("pointerMargin") << QVariant(3) << false;
    QTest::newRow("maxPointerColor") << QByteArray("maxPointerColor") << QVariant(uint(clRed)) << false;
    QTest::newRow("minPointerColor") << QByteArray("minPointerColor") << QVariant(uint(clRed)) << false;
    QTest::newRow("minMaxFixed") << QByteArray("minMaxFixed") << QVariant(true) << false;
    QTest::newRow("minMaxUserCanMove") << QByteArray("minMaxUserCanMove") << QVariant(true) << false;
}

void TestGaugeModel::repaintKindOfEachSetter()
{
    QFETCH(QByteArray, property);
    QFETCH(QVariant, value);
    QFETCH(bool, full);
    AngularGauge g;
    PaintCounter paints(g);
    QVERIFY(!g.backgroundStale());
    const PropertyAt setting = propertyAt(g, property);
    const QVariant old = setting.read();
    QVERIFY(old.isValid());
    QVERIFY(setting.write(old));  // the same value
    QCOMPARE(paints.take(), 0);
    QVERIFY(setting.write(value));
    QCOMPARE(setting.read(), value);
    QCOMPARE(g.backgroundStale(), full);
    QCOMPARE(paints.take(), 1);
}

void TestGaugeModel::enumerationsByName_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<int>("value");
    QTest::newRow("borderStyle") << QByteArray("borderStyle") << QByteArray("Raised")
                                 << int(InstrumentWidget::BorderStyle::Raised);
    QTest::newRow("scale.tickMinorAlignment") << QByteArray("scale.tickMinorAlignment") << QByteArray("Outside")
                                              << int(GaugeScale::TickMinorAlignment::Outside);
    QTest::newRow("scale.precisionStyle") << QByteArray("scale.precisionStyle") << QByteArray("SignificantDigits")
                                          << int(GaugeScale::PrecisionStyle::SignificantDigits);
    QTest::newRow("autoScaleStyle") << QByteArray("autoScaleStyle") << QByteArray("FixedMinMax")
                                    << int(ScaleInstrument::AutoScaleStyle::FixedMinMax);
    QTest::newRow("label1.alignVertical")
        << QByteArray("label1.alignVertical") << QByteArray("Bottom") << int(DialLabel::VerticalAlignment::Bottom);
    QTest::newRow("label2.alignHorizontal")
        << QByteArray("label2.alignHorizontal") << QByteArray("Right") << int(DialLabel::HorizontalAlignment::Right);
    QTest::newRow("minMaxPointerStyle") << QByteArray("minMaxPointerStyle") << QByteArray("Triangle")
                                        << int(GaugePointer::Style::Triangle);
    QTest::newRow("pointerStyle") << QByteArray("pointerStyle") << QByteArray("Line") << int(GaugePointer::Style::Line);
    QTest::newRow("scale.tickLabelAlignment") << QByteArray("scale.tickLabelAlignment") << QByteArray("Justified")
                                              << int(GaugeScale::TickLabelAlignment::Justified);
    QTest::newRow("panelFaceStyle") << QByteArray("panelFaceStyle") << QByteArray("Picture")
                                    << int(AngularGauge::PanelFaceStyle::Picture);
}

void TestGaugeModel::enumerationsByName()
{
    QFETCH(QByteArray, property);
    QFETCH(QByteArray, key);
    QFETCH(int, value);
    AngularGauge g;
    const PropertyAt setting = propertyAt(g, property);
    const QMetaObject *owner = setting.owner->metaObject();
    const QMetaProperty meta = owner->property(owner->indexOfProperty(setting.name.constData()));
    QVERIFY(meta.isEnumType());
    QVERIFY(setting.write(QString::fromLatin1(key)));
    QCOMPARE(setting.read().toInt(), value);
    QCOMPARE(QByteArray(meta.enumerator().valueToKey(value)), key);
    QVERIFY(!setting.write(QStringLiteral("noSuchValue")));
    QCOMPARE(setting.read().toInt(), value);
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
    AngularGauge g;
    g.setSectionCount(count);
    const std::vector<SectionSpan> spans = g.sectionSpans();
    QCOMPARE(int(spans.size()), colors.size());
    for (int i = 0; i < colors.size(); ++i) {
        QCOMPARE(spans[std::size_t(i)].start, bounds[2 * i]);
        QCOMPARE(spans[std::size_t(i)].end, bounds[2 * i + 1]);
        QCOMPARE(spans[std::size_t(i)].color, TColor(colors[i]));
    }
}

void TestGaugeModel::pointerManagerNeedsAllHandlers()
{
    const GaugePointerList::Handler h = [](GaugePointer *) {};
    auto message = [](auto make) {
        try {
            make();
        } catch (const std::invalid_argument &e) {
            return QString::fromUtf8(e.what());
        }
        return QString();
    };
    QCOMPARE(message([&] { GaugePointerList m({}, {}, {}); }),
             QStringLiteral("OnChange event handler can not be null"));
    QCOMPARE(message([&] { GaugePointerList m(h, {}, {}); }), QStringLiteral("OnInsert event handler can not be null"));
    QCOMPARE(message([&] { GaugePointerList m(h, h, {}); }), QStringLiteral("OnRemove event handler can not be null"));
    QCOMPARE(message([&] { GaugePointerList m(h, h, h); }), QString());
}

void TestGaugeModel::pointerListReportsInOrder()
{
    QStringList log;
    {
        GaugePointerList m([&](GaugePointer *) { log << "change"; }, [&](GaugePointer *) { log << "insert"; },
                           [&](GaugePointer *) { log << "remove"; });
        GaugePointer *a = m.add();
        GaugePointer *b = m.add();
        QCOMPARE(log, (QStringList{"insert", "change", "insert", "change"}));
        QCOMPARE(a->size(), 10);
        QCOMPARE(a->style(), GaugePointer::Style::Triangle);
        QCOMPARE(a->margin(), 0);
        log.clear();
        a->setSize(10);  // unchanged
        a->setSize(12);
        QCOMPARE(log, QStringList{"change"});
        log.clear();
        delete a;
        QCOMPARE(log, (QStringList{"remove", "change"}));
        QCOMPARE(m.count(), 1);
        QCOMPARE(m.at(0), b);
        QCOMPARE(m.at(1), nullptr);  // outside the list: no pointer
        QCOMPARE(m.at(-1), nullptr);
        m.add();
        log.clear();
        m.clear();
        QCOMPARE(m.count(), 0);
        QCOMPARE(log, (QStringList{"remove", "change", "remove", "change"}));
        m.add();
        log.clear();
    }
    // The manager's end destroys what is left, each reporting its removal.
    QCOMPARE(log, (QStringList{"remove", "change"}));
}

void TestGaugeModel::gaugeWithoutPointerAnswersDefaults()
{
    // Without a pointer the position reads as the minimum and the pointer's
    // settings as a new pointer's; writing them changes nothing.
    AngularGauge g;
    g.setPositionMin(-5);
    QCOMPARE(g.pointers().count(), 1);
    g.pointers().clear();
    QSignalSpy moves(&g, &PositionInstrument::positionChanged);
    QCOMPARE(g.position(), -5.0);
    g.setPosition(3);
    QCOMPARE(g.position(), -5.0);
    QCOMPARE(moves.count(), 0);
    g.setPointerColor(clRed);
    QCOMPARE(g.pointerColor(), clBlack);
    QCOMPARE(g.pointerSize(), 10);
    QCOMPARE(g.pointerStyle(), GaugePointer::Style::Triangle);
    // A range change has no pointer to clamp and goes through.
    g.setPositionMax(50);
    QCOMPARE(g.positionMax(), 50.0);
    g.pointers().add();
    g.setPosition(70);
    QCOMPARE(g.position(), 50.0);
}

void TestGaugeModel::storedEntriesApplyDirectly()
{
    AngularGauge g;
    g.beginLoading();
    g.setPosition(80);
    g.setPointerStyle(GaugePointer::Style::Line);
    PaintCounter paints(g);
    GaugeStoredEntries entries;
    entries.positionMax = 60;
    entries.sectionEnd1 = 20;
    entries.sectionEnd2 = 30;
    g.readStoredEntries(entries);
    // No range logic: the pointer is not clamped, nothing is repainted.
    QCOMPARE(g.positionMax(), 60.0);
    QCOMPARE(g.position(), 80.0);
    QCOMPARE(g.sectionEnd1(), 20.0);
    QCOMPARE(g.sectionEnd2(), 30.0);
    QCOMPARE(paints.take(), 0);
    QCOMPARE(g.pointerStyle(), GaugePointer::Style::Line);

    StoredPointer first, second;
    first.margin = 4;
    first.style = GaugePointer::Style::Arrow;
    first.position = 25;
    second.color = clRed;
    entries.pointers = std::vector<StoredPointer>{first, second};
    g.readStoredEntries(entries);
    g.endLoading();
    QCOMPARE(g.pointers().count(), 2);
    QCOMPARE(g.pointerStyle(), GaugePointer::Style::Arrow);  // replaced by the collection
    QCOMPARE(g.pointerMargin(), 4);
    QCOMPARE(g.position(), 25.0);
    QCOMPARE(g.pointers().at(1)->color(), clRed);
    QCOMPARE(g.pointers().at(1)->style(), GaugePointer::Style::Triangle);

    entries.pointers = std::vector<StoredPointer>{};
    g.beginLoading();
    g.readStoredEntries(entries);
    g.endLoading();
    QCOMPARE(g.pointers().count(), 0);
}

QTEST_MAIN(TestGaugeModel)
#include "tst_gauge_model.moc"
