// SPDX-License-Identifier: GPL-3.0-or-later
// The seven-segment numeric read-out: defaults and setters, automatic size,
// the cell layout of every bench read-out in a period and a comma locale, the
// edge cases of the number text, and the pixels of a painted ammeter.
#include "bench/stored_layout.h"
#include "common/paint_counter.h"
#include "widgets/seven_segment_display.h"

#include <QLocale>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>
#include <climits>
#include <cmath>
#include <functional>
#include <limits>

Q_DECLARE_METATYPE(BenchReadout)

namespace {

constexpr TColor kDimLime = 0x005500;

TColor pixel(const QImage &image, int x, int y)
{
    return fromQColor(image.pixelColor(x, y));
}

QImage frameOf(QWidget &w)
{
    return w.grab().toImage();
}

// Expected cells written as "c@x ...": c is the glyph's character ('<' and
// '>' are the arrows, ' ' written as '_' is the blank), x the cell's left
// edge. Digit cells are cw wide, the point and comma cw / 5.
std::vector<CellGlyph> cells(const QString &expected, int cw = 10, int y = 5, int h = 18)
{
    std::vector<CellGlyph> out;
    for (const QString &token : expected.split(' ', Qt::SkipEmptyParts)) {
        const char c = token.at(0).toLatin1();
        const SevenSegmentGlyph::Code code = c == '_' ? SevenSegmentGlyph::Code::Blank : glyphForChar(c);
        const int width =
            (code == SevenSegmentGlyph::Code::Period || code == SevenSegmentGlyph::Code::Comma) ? cw / 5 : cw;
        out.push_back(CellGlyph{code, token.mid(2).toInt(), y, width, h});
    }
    return out;
}

QString describe(const std::vector<CellGlyph> &list)
{
    QStringList parts;
    for (const CellGlyph &c : list)
        parts << QStringLiteral("%1@%2[%3x%4+%5]")
                     .arg(c.code == SevenSegmentGlyph::Code::Blank ? '_' : charForGlyph(c.code))
                     .arg(c.x)
                     .arg(c.width)
                     .arg(c.height)
                     .arg(c.y);
    return parts.join(' ');
}

#define COMPARE_CELLS(actual, expected) QCOMPARE(describe(actual), describe(expected))

}  // namespace

class TestSevenSegmentDisplay : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void defaults();
    void publishedProperties();
    void automaticSize();
    void setterEffects();
    void lookHasOneHome();
    void clamps();
    void valueRules();
    void powerOffRequests();
    void lastOfABurstIsPainted();
    void loadingKeepsStoredSizes();
    void workedExamples_data();
    void workedExamples();
    void signAndPrecisionEdges();
    void overflowArrows();
    void defaultWidgetLook();
    void largeNumbers();
    void leadingStyles();
    void layoutClampsItsSettings();
    void ammeterPixels();
    void ammeterPoweredOff();
    void commaInThePaint();
    void dimGreenReadouts();
    void disabledDrawsTheSame();

private:
    QLocale original_;
};

void TestSevenSegmentDisplay::initTestCase()
{
    original_ = QLocale();
}

void TestSevenSegmentDisplay::cleanup()
{
    QLocale::setDefault(original_);
}

void TestSevenSegmentDisplay::defaults()
{
    SevenSegmentDisplay w;
    QCOMPARE(w.size(), QSize(84, 28));
    QVERIFY(w.autoSize());
    QCOMPARE(w.digitSpacing(), 6);
    QCOMPARE(w.segmentMargin(), 5);
    QCOMPARE(w.segmentColor(), clWhite);
    QCOMPARE(w.segmentSeparation(), 1);
    QCOMPARE(w.segmentSize(), 1);
    QVERIFY(w.showOffSegments());
    QVERIFY(!w.powerOff());
    QCOMPARE(w.segmentOffColor(), clGray);
    QVERIFY(w.autoSegmentOffColor());
    QCOMPARE(w.backgroundColor(), clBlack);
    QCOMPARE(w.borderStyle(), InstrumentWidget::BorderStyle::None);
    QCOMPARE(w.digitCount(), 4);
    QCOMPARE(w.leadingStyle(), SevenSegmentDisplay::LeadingStyle::Spaces);
    QCOMPARE(w.value(), 0.0);
    QVERIFY(w.showSign());
    QCOMPARE(w.precision(), 2);
    QVERIFY(w.isEnabled());
}

void TestSevenSegmentDisplay::publishedProperties()
{
    SevenSegmentDisplay w;
    const QMetaObject *meta = w.metaObject();
    for (const char *name :
         {"autoSize", "digitSpacing", "segmentMargin", "segmentColor", "segmentSeparation", "segmentSize",
          "showOffSegments", "powerOff", "segmentOffColor", "autoSegmentOffColor", "backgroundColor", "borderStyle",
          "digitCount", "leadingStyle", "value", "showSign", "precision"}) {
        const int index = meta->indexOfProperty(name);
        QVERIFY2(index >= 0, name);
        QVERIFY2(meta->property(index).isWritable(), name);
    }
    QVERIFY(w.setProperty("value", 2e15));
    QCOMPARE(w.value(), 1e15);
    QVERIFY(w.setProperty("digitCount", 40));
    QCOMPARE(w.digitCount(), 32);
    // Enumerations by name.
    QVERIFY(w.setProperty("leadingStyle", QStringLiteral("Zeros")));
    QCOMPARE(w.leadingStyle(), SevenSegmentDisplay::LeadingStyle::Zeros);
    const QMetaProperty leading = meta->property(meta->indexOfProperty("leadingStyle"));
    QCOMPARE(leading.enumerator().valueToKey(w.property("leadingStyle").toInt()), "Zeros");
}

void TestSevenSegmentDisplay::automaticSize()
{
    SevenSegmentDisplay w;
    w.setShowSign(false);
    w.setDigitCount(2);
    w.setDigitSpacing(10);
    w.setSegmentSize(2);
    // n 2, glyph 20: (20 + 10) x 2 + 10 - 10 wide, 36 + 10 high.
    QCOMPARE(w.size(), QSize(60, 46));
    w.setSegmentMargin(0);
    QCOMPARE(w.size(), QSize(50, 36));
    // Spacing has no lower limit; the size never goes below zero.
    w.setDigitSpacing(-30);
    QCOMPARE(w.size(), QSize(10, 36));
    w.setDigitSpacing(-100);
    QCOMPARE(w.size(), QSize(0, 36));
    // Nor does it overflow; it is held at the largest widget size. The size
    // hint is the automatic size, applied or not.
    SevenSegmentDisplay big;
    big.setAutoSize(false);
    big.setDigitCount(32);
    big.setDigitSpacing(INT_MAX / 16);
    QCOMPARE(big.sizeHint().width(), QWIDGETSIZE_MAX);
    big.setSegmentMargin(INT_MAX);
    QCOMPARE(big.sizeHint().height(), QWIDGETSIZE_MAX);

    // Moves keep whatever size the widget has.
    SevenSegmentDisplay moved;
    moved.setBounds(0, 0, 57, 30);
    moved.setBounds(12, 34, 57, 30);
    moved.move(20, 40);
    QCOMPARE(moved.geometry(), QRect(20, 40, 57, 30));
}

void TestSevenSegmentDisplay::setterEffects()
{
    struct Effect {
        const char *name;
        std::function<void(SevenSegmentDisplay &)> change;
        QSize autoSize;  // invalid: the size stays
    };
    const std::vector<Effect> effects = {
        {"digitCount", [](auto &w) { w.setDigitCount(5); }, QSize(100, 28)},
        {"digitSpacing", [](auto &w) { w.setDigitSpacing(2); }, QSize(68, 28)},
        {"autoSize",
         [](auto &w) {
             w.setAutoSize(false);
             w.setBounds(0, 0, 50, 50);
             w.setAutoSize(true);
         },
         QSize(84, 28)},
        {"segmentMargin", [](auto &w) { w.setSegmentMargin(0); }, QSize(74, 18)},
        {"precision", [](auto &w) { w.setPrecision(3); }, QSize(84, 28)},
        {"showSign", [](auto &w) { w.setShowSign(false); }, QSize(68, 28)},
        {"segmentSize", [](auto &w) { w.setSegmentSize(2); }, QSize(134, 46)},
        {"segmentColor", [](auto &w) { w.setSegmentColor(clRed); }, QSize()},
        {"segmentOffColor", [](auto &w) { w.setSegmentOffColor(clRed); }, QSize()},
        {"autoSegmentOffColor", [](auto &w) { w.setAutoSegmentOffColor(false); }, QSize()},
        {"segmentSeparation", [](auto &w) { w.setSegmentSeparation(3); }, QSize()},
        {"showOffSegments", [](auto &w) { w.setShowOffSegments(false); }, QSize()},
        {"leadingStyle", [](auto &w) { w.setLeadingStyle(SevenSegmentDisplay::LeadingStyle::Zeros); }, QSize()},
        {"powerOff", [](auto &w) { w.setPowerOff(true); }, QSize()},
        {"value", [](auto &w) { w.setValue(1.5); }, QSize()},
    };
    for (const Effect &e : effects) {
        SevenSegmentDisplay w;
        w.setBounds(0, 0, 50, 50);
        PaintCounter paints(w);
        e.change(w);
        const int got = paints.take();
        if (e.autoSize.isValid()) {
            QVERIFY2(w.size() == e.autoSize, e.name);
            QVERIFY2(got >= 1, e.name);
        } else {
            QVERIFY2(w.size() == QSize(50, 50), e.name);
            QVERIFY2(got == 1, e.name);
        }
    }

    // Writing what is stored asks for nothing.
    SevenSegmentDisplay w;
    PaintCounter paints(w);
    w.setDigitCount(4);
    w.setDigitSpacing(6);
    w.setAutoSize(true);
    w.setSegmentMargin(5);
    w.setPrecision(2);
    w.setShowSign(true);
    w.setSegmentSize(1);
    w.setSegmentColor(clWhite);
    w.setSegmentOffColor(clGray);
    w.setAutoSegmentOffColor(true);
    w.setSegmentSeparation(1);
    w.setShowOffSegments(true);
    w.setLeadingStyle(SevenSegmentDisplay::LeadingStyle::Spaces);
    w.setPowerOff(false);
    w.setValue(0);
    QCOMPARE(paints.take(), 0);
}

void TestSevenSegmentDisplay::lookHasOneHome()
{
    // The look lives in the read-out alone: each setting is in its look at
    // once, and there is no child widget to keep in step with it.
    SevenSegmentDisplay w;
    w.setSegmentColor(clYellow);
    w.setSegmentOffColor(clRed);
    w.setAutoSegmentOffColor(false);
    w.setSegmentSeparation(2);
    w.setSegmentSize(3);
    w.setShowOffSegments(false);
    w.setPowerOff(true);
    const SevenSegmentLook &look = w.look();
    QCOMPARE(look.segmentColor, clYellow);
    QCOMPARE(look.segmentOffColor, clRed);
    QVERIFY(!look.autoSegmentOffColor);
    QCOMPARE(look.segmentSeparation, 2);
    QCOMPARE(look.segmentSize, 3);
    QVERIFY(!look.showOffSegments);
    QVERIFY(look.powerOff);
    QVERIFY(w.findChildren<QWidget *>().isEmpty());
}

void TestSevenSegmentDisplay::clamps()
{
    SevenSegmentDisplay w;
    w.setDigitCount(0);
    QCOMPARE(w.digitCount(), 1);
    w.setDigitCount(40);
    QCOMPARE(w.digitCount(), 32);
    w.setSegmentSize(150);
    QCOMPARE(w.segmentSize(), 100);
    w.setSegmentSize(0);
    QCOMPARE(w.segmentSize(), 1);
    w.setSegmentMargin(-1);
    QCOMPARE(w.segmentMargin(), 0);
    w.setSegmentSeparation(-4);
    QCOMPARE(w.segmentSeparation(), 0);
    w.setDigitSpacing(-3);
    QCOMPARE(w.digitSpacing(), -3);

    w.setPrecision(20);
    QCOMPARE(w.precision(), 13);
    // Values above 13 are held before the comparison: no second request.
    PaintCounter paints(w);
    w.setPrecision(99);
    QCOMPARE(paints.take(), 0);
    w.setPrecision(-2);
    QCOMPARE(w.precision(), 0);
}

void TestSevenSegmentDisplay::valueRules()
{
    SevenSegmentDisplay w;
    QSignalSpy changes(&w, &SevenSegmentDisplay::valueChanged);
    PaintCounter paints(w);

    w.setValue(2e15);
    QCOMPARE(w.value(), 1e15);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(paints.take(), 1);
    w.setValue(3e15);  // held at the same 1e15: nothing changes
    QCOMPARE(changes.count(), 1);
    QCOMPARE(paints.take(), 0);

    w.setValue(-0.01);  // no lower limit
    QCOMPARE(w.value(), -0.01);
    QCOMPARE(changes.count(), 2);
    QCOMPARE(paints.take(), 1);
    w.setValue(-0.01);
    QCOMPARE(changes.count(), 2);
    QCOMPARE(paints.take(), 0);
    w.setValue(-1e20);
    QCOMPARE(w.value(), -1e20);

    // Never NaN or infinity.
    w.setValue(std::numeric_limits<double>::quiet_NaN());
    QCOMPARE(w.value(), -1e20);
    w.setValue(std::numeric_limits<double>::infinity());
    QCOMPARE(w.value(), 1e15);
    w.setValue(-std::numeric_limits<double>::infinity());
    QCOMPARE(w.value(), -std::numeric_limits<double>::max());
    QVERIFY(!frameOf(w).isNull());

    // No notification while the layout is loaded.
    changes.clear();
    w.beginLoading();
    w.setValue(0.5);
    w.endLoading();
    QCOMPARE(w.value(), 0.5);
    QCOMPARE(changes.count(), 0);
}

void TestSevenSegmentDisplay::powerOffRequests()
{
    SevenSegmentDisplay w;
    PaintCounter paints(w);
    w.setPowerOff(true);
    QCOMPARE(paints.take(), 1);
    w.setPowerOff(true);
    QCOMPARE(paints.take(), 0);
    QVERIFY(w.powerOff());
}

void TestSevenSegmentDisplay::lastOfABurstIsPainted()
{
    // Under the frame-rate limit, values set faster than the frames are held
    // back; the last one still reaches the screen once its frame is due,
    // though nothing asks for a repaint again.
    auto now = InstrumentWidget::Clock::time_point(std::chrono::hours(1));
    SevenSegmentDisplay w;
    w.setClock([&now] { return now; });
    PaintCounter paints(w);
    w.setAutoFrameRate(true);
    now += std::chrono::seconds(1);
    w.setValue(1.0);
    QCOMPARE(paints.take(), 1);
    for (double v : {1.5, 2.0, 2.5}) w.setValue(v);  // within one frame
    QCOMPARE(paints.take(), 0);
    now += std::chrono::milliseconds(17);  // past 1/60 s
    int painted = 0;
    QTRY_VERIFY((painted += paints.take()) > 0);
    QCOMPARE(painted, 1);
    QCOMPARE(w.value(), 2.5);
}

void TestSevenSegmentDisplay::loadingKeepsStoredSizes()
{
    // The ripple read-out's stored width is 57 where the automatic size would be 56; it
    // stays 57 after loading, after moves and after value changes.
    SevenSegmentDisplay w;
    loadBenchReadout(w, BenchReadout::ripple);
    QCOMPARE(w.size(), QSize(57, 28));
    w.setBounds(100, 200, 57, 28);
    w.setValue(0.25);
    w.setPowerOff(true);
    QCOMPARE(w.geometry(), QRect(100, 200, 57, 28));
    // A setter that sizes does size it again.
    w.setDigitSpacing(9);
    QCOMPARE(w.size(), QSize(58, 28));
}

void TestSevenSegmentDisplay::workedExamples_data()
{
    QTest::addColumn<BenchReadout>("which");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ammeter 0") << BenchReadout::ammeter << 0.0 << "0@5 .@19 0@25 0@45 0@65";
    QTest::newRow("ammeter 1.234") << BenchReadout::ammeter << 1.234 << "1@5 .@19 2@25 3@45 4@65";
    QTest::newRow("ammeter -0.01") << BenchReadout::ammeter << -0.01 << "0@5 .@19 0@25 1@45 0@65";
    QTest::newRow("ammeter 10") << BenchReadout::ammeter << 10.0 << "<@5 <@25 <@45 <@65";
    QTest::newRow("ripple 0.1") << BenchReadout::ripple << 0.1 << "0@5 .@18 1@23 0@41";
    QTest::newRow("ripple 0.25") << BenchReadout::ripple << 0.25 << "0@5 .@18 2@23 5@41";
    QTest::newRow("phase 0.4") << BenchReadout::phase << 0.4 << "0@5 .@18 4@23 0@41";
    QTest::newRow("phase -0.05") << BenchReadout::phase << -0.05 << "0@5 .@18 0@23 5@41";
    QTest::newRow("plate length 0.5") << BenchReadout::plateLength << 0.5 << "0@5 .@19 5@25";
    QTest::newRow("plate length 5") << BenchReadout::plateLength << 5.0 << "5@5 .@19 0@25";
    QTest::newRow("plate length 10") << BenchReadout::plateLength << 10.0 << "<@5 <@25";
    // Sums of steps as the bench makes them, with their binary error.
    QTest::newRow("ammeter 0.1+0.01x3") << BenchReadout::ammeter << (0.1 + 0.01 + 0.01 + 0.01)
                                        << "0@5 .@19 1@25 3@45 0@65";
    QTest::newRow("ripple 0.125") << BenchReadout::ripple << 0.125 << "0@5 .@18 1@23 3@41";
}

void TestSevenSegmentDisplay::workedExamples()
{
    QFETCH(BenchReadout, which);
    QFETCH(double, value);
    QFETCH(QString, expected);
    SevenSegmentDisplay w;
    loadBenchReadout(w, which);
    w.setValue(value);

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    COMPARE_CELLS(layoutReadout(w.layoutSettings(), w.value(), QLocale().decimalPoint()), cells(expected));

    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
    COMPARE_CELLS(layoutReadout(w.layoutSettings(), w.value(), QLocale().decimalPoint()),
                  cells(QString(expected).replace('.', ',')));
}

void TestSevenSegmentDisplay::signAndPrecisionEdges()
{
    ReadoutSettings s;  // the default widget: 84 x 28, sign cell, cells 10 wide from x 5
    s.precision = 3;
    COMPARE_CELLS(layoutReadout(s, -0.0004, "."), cells("-@5 0@21 .@33 0@37 0@53 0@69"));
    // Minus zero and plus zero both read as positive.
    COMPARE_CELLS(layoutReadout(s, -0.0, "."), cells("+@5 0@21 .@33 0@37 0@53 0@69"));

    // Precision 0: no point, and a text of DigitCount characters fits.
    ReadoutSettings two;
    two.width = 40;
    two.digitCount = 2;
    two.precision = 0;
    two.showSign = false;  // cells 12 wide from x 5
    COMPARE_CELLS(layoutReadout(two, 99.4, "."), cells("9@5 9@23", 12));
    COMPARE_CELLS(layoutReadout(two, 99.5, "."), cells("<@5 <@23", 12));
    COMPARE_CELLS(layoutReadout(two, 7, "."), cells("_@5 7@23", 12));

    // The point sits Round(cw / 10 + spacing / 2) before the first fraction
    // digit, halves to even: 3.5 + 5 = 8.5 goes to 8, 1.5 + 5 = 6.5 to 6.
    ReadoutSettings wide;
    wide.width = 90;
    wide.digitCount = 2;
    wide.precision = 1;
    wide.digitSpacing = 10;
    wide.showSign = false;  // cw (90 - 10 - 10) / 2 = 35, x from 5
    COMPARE_CELLS(layoutReadout(wide, 4.2, "."), cells("4@5 .@42 2@50", 35));
    wide.width = 50;  // cw 15, x from 5
    COMPARE_CELLS(layoutReadout(wide, 4.2, "."), cells("4@5 .@24 2@30", 15));
}

void TestSevenSegmentDisplay::overflowArrows()
{
    ReadoutSettings one;
    one.digitCount = 1;
    one.precision = 1;
    one.showSign = false;
    one.width = 20;  // cw 10, x from 5
    COMPARE_CELLS(layoutReadout(one, 0, "."), cells("<@5"));
    COMPARE_CELLS(layoutReadout(one, -0.01, "."), cells(">@5"));
    one.precision = 0;  // a single digit fits
    COMPARE_CELLS(layoutReadout(one, 3, "."), cells("3@5"));

    // Precision >= DigitCount always overflows; the sign cell stays.
    ReadoutSettings s;
    s.digitCount = 3;
    s.precision = 3;
    s.width = 68;  // n 4: cw (68 - 10 - 18) / 4 = 10, x from 5
    COMPARE_CELLS(layoutReadout(s, 0, "."), cells("+@5 <@21 <@37 <@53"));
    COMPARE_CELLS(layoutReadout(s, -1, "."), cells("-@5 >@21 >@37 >@53"));

    // Negative values with no sign cell: magnitude, or arrows pointing down.
    SevenSegmentDisplay ammeter;
    loadBenchReadout(ammeter, BenchReadout::ammeter);
    COMPARE_CELLS(layoutReadout(ammeter.layoutSettings(), -10, "."), cells(">@5 >@25 >@45 >@65"));
    COMPARE_CELLS(layoutReadout(ammeter.layoutSettings(), -9.9996, "."), cells(">@5 >@25 >@45 >@65"));
    COMPARE_CELLS(layoutReadout(ammeter.layoutSettings(), -9.9994, "."), cells("9@5 .@19 9@25 9@45 9@65"));
}

void TestSevenSegmentDisplay::defaultWidgetLook()
{
    SevenSegmentDisplay w;
    COMPARE_CELLS(layoutReadout(w.layoutSettings(), 0, "."), cells("+@5 _@21 0@37 .@49 0@53 0@69"));
    const QImage frame = frameOf(w);
    QCOMPARE(pixel(frame, 10, 9), clWhite);            // the plus, lit
    QCOMPARE(pixel(frame, 10, 18), TColor(0x555555));  // the minus bar, unlit
    QCOMPARE(pixel(frame, 25, 6), TColor(0x555555));   // the blank cell's A
    QCOMPARE(pixel(frame, 25, 13), TColor(0x555555));  // ... and G
    QCOMPARE(pixel(frame, 41, 6), clWhite);            // the 0's A
    QCOMPARE(pixel(frame, 41, 13), TColor(0x555555));  // the 0's G
    QCOMPARE(pixel(frame, 50, 22), clWhite);           // the point
    QCOMPARE(pixel(frame, 0, 0), clBlack);
    QCOMPARE(pixel(frame, 83, 27), clBlack);
}

void TestSevenSegmentDisplay::largeNumbers()
{
    // 1e15 has a 16-digit integer part.
    ReadoutSettings s;
    s.width = 1000;
    s.digitCount = 16;
    s.precision = 0;
    s.showSign = false;
    auto codes = [](const std::vector<CellGlyph> &list) {
        QString text;
        for (const CellGlyph &c : list) text += QChar(charForGlyph(c.code));
        return text;
    };
    SevenSegmentDisplay w;
    w.setValue(2e15);
    QCOMPARE(codes(layoutReadout(s, w.value(), ".")), QStringLiteral("1000000000000000"));
    s.digitCount = 32;
    s.precision = 2;
    QCOMPARE(codes(layoutReadout(s, w.value(), ".")), QString(14, ' ') + "1000000000000000.00");
    QCOMPARE(codes(layoutReadout(s, -1e15, ",")), QString(14, ' ') + "1000000000000000,00");
    // The default widget shows arrows for it.
    QCOMPARE(codes(layoutReadout(w.layoutSettings(), w.value(), ".")), QStringLiteral("+<<<<"));
    // Magnitudes far beyond, only reachable downwards, point down.
    QCOMPARE(codes(layoutReadout(s, -1e300, ".")), QString(32, '>'));
    QCOMPARE(codes(layoutReadout(s, -std::numeric_limits<double>::max(), ".")), QString(32, '>'));
    // Not a number at all cannot reach a read-out, but is no text either.
    QCOMPARE(codes(layoutReadout(s, std::numeric_limits<double>::infinity(), ".")), QString(32, '<'));
}

void TestSevenSegmentDisplay::leadingStyles()
{
    ReadoutSettings s;
    s.digitCount = 4;
    s.precision = 1;
    s.showSign = false;  // cw (84 - 10 - 18) / 4 = 14, x from 5, step 20
    s.leadingStyle = SevenSegmentDisplay::LeadingStyle::None;
    COMPARE_CELLS(layoutReadout(s, 5, "."), cells("5@5 .@21 0@25", 14));
    s.leadingStyle = SevenSegmentDisplay::LeadingStyle::Spaces;
    COMPARE_CELLS(layoutReadout(s, 5, "."), cells("_@5 _@25 5@45 .@61 0@65", 14));
    s.leadingStyle = SevenSegmentDisplay::LeadingStyle::Zeros;
    COMPARE_CELLS(layoutReadout(s, 5, "."), cells("0@5 0@25 5@45 .@61 0@65", 14));
    COMPARE_CELLS(layoutReadout(s, 123.44, "."), cells("1@5 2@25 3@45 .@61 4@65", 14));
}

void TestSevenSegmentDisplay::layoutClampsItsSettings()
{
    ReadoutSettings s;
    s.showSign = false;
    s.digitCount = 0;  // as 1
    s.precision = 0;
    s.width = 20;
    COMPARE_CELLS(layoutReadout(s, 4, "."), cells("4@5"));
    s.digitCount = 40;  // as 32
    s.precision = 40;   // as 13, which overflows 32 cells: 0.0000000000000 has 15 characters, fits
    s.width = 32 * 16 + 4;
    const auto list = layoutReadout(s, 0, ".");
    QCOMPARE(int(list.size()), 19 + 1 + 13);  // 18 spaces and a 0, the point, 13 zeros
    // Spacing and margins of any size stay defined.
    s.digitSpacing = INT_MAX;
    s.segmentMargin = INT_MAX;
    QVERIFY(layoutReadout(s, 1, ".").size() <= 34);
    s.digitSpacing = INT_MIN;
    QVERIFY(layoutReadout(s, -1, ",").size() <= 34);
}

void TestSevenSegmentDisplay::ammeterPixels()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    SevenSegmentDisplay ammeter;
    loadBenchReadout(ammeter, BenchReadout::ammeter);
    ammeter.setValue(1.234);
    const QImage frame = frameOf(ammeter);
    QCOMPARE(frame.size(), QSize(80, 28));
    // Cells 10 x 18 at x 5, 25, 45, 65 from y 5; the point at x 19..21.
    QCOMPARE(pixel(frame, 13, 9), clLime);     // 1: B
    QCOMPARE(pixel(frame, 9, 6), kDimLime);    // 1: A unlit
    QCOMPARE(pixel(frame, 20, 22), clLime);    // the point
    QCOMPARE(pixel(frame, 20, 17), clBlack);   // no comma
    QCOMPARE(pixel(frame, 29, 6), clLime);     // 2: A
    QCOMPARE(pixel(frame, 33, 17), kDimLime);  // 2: C unlit
    QCOMPARE(pixel(frame, 49, 13), clLime);    // 3: G
    QCOMPARE(pixel(frame, 46, 9), kDimLime);   // 3: F unlit
    QCOMPARE(pixel(frame, 69, 6), kDimLime);   // 4: A unlit
    QCOMPARE(pixel(frame, 66, 9), clLime);     // 4: F
    for (const QPoint p : {QPoint(0, 0), QPoint(16, 14), QPoint(23, 14), QPoint(79, 27), QPoint(9, 4), QPoint(9, 23)})
        QCOMPARE(pixel(frame, p.x(), p.y()), clBlack);
}

void TestSevenSegmentDisplay::ammeterPoweredOff()
{
    SevenSegmentDisplay ammeter;
    loadBenchReadout(ammeter, BenchReadout::ammeter);
    ammeter.setValue(1.234);
    ammeter.setPowerOff(true);
    const QImage frame = frameOf(ammeter);
    // Every digit cell is an unlit 8, the point is unlit too.
    const QImage first = frame.copy(5, 5, 10, 18);
    for (int x : {25, 45, 65}) QCOMPARE(frame.copy(x, 5, 10, 18), first);
    for (const QPoint p :
         {QPoint(4, 1), QPoint(8, 4), QPoint(8, 12), QPoint(4, 16), QPoint(1, 12), QPoint(1, 4), QPoint(4, 8)})
        QCOMPARE(pixel(first, p.x(), p.y()), kDimLime);
    QCOMPARE(pixel(frame, 20, 22), kDimLime);
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) {
            const TColor c = pixel(frame, x, y);
            QVERIFY(c == clBlack || c == kDimLime);
        }
}

void TestSevenSegmentDisplay::commaInThePaint()
{
    SevenSegmentDisplay ammeter;
    loadBenchReadout(ammeter, BenchReadout::ammeter);
    ammeter.setValue(1.234);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    const QImage comma = frameOf(ammeter);
    QCOMPARE(pixel(comma, 20, 17), clLime);  // the comma's dot
    QCOMPARE(pixel(comma, 21, 20), clLime);  // its tail
    QCOMPARE(pixel(comma, 20, 22), clBlack);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QImage period = frameOf(ammeter);
    // Only the point's cell differs.
    QCOMPARE(period.copy(0, 0, 18, 28), comma.copy(0, 0, 18, 28));
    QCOMPARE(period.copy(23, 0, 57, 28), comma.copy(23, 0, 57, 28));
    QVERIFY(period != comma);
}

void TestSevenSegmentDisplay::dimGreenReadouts()
{
    // The settings read-outs draw lit segments only, in dim green when off.
    SevenSegmentDisplay fmax;
    loadBenchReadout(fmax, BenchReadout::ripple);
    QImage frame = frameOf(fmax);
    QCOMPARE(pixel(frame, 31, 9), clLime);   // the 1's B (cell at 23)
    QCOMPARE(pixel(frame, 27, 6), clBlack);  // no unlit A
    QCOMPARE(pixel(frame, 19, 22), clLime);  // the point (cell at 18)
    fmax.setPowerOff(true);
    frame = frameOf(fmax);
    QCOMPARE(pixel(frame, 31, 9), clGreen);
    QCOMPARE(pixel(frame, 27, 6), clBlack);
    QCOMPARE(pixel(frame, 19, 22), clGreen);
}

void TestSevenSegmentDisplay::disabledDrawsTheSame()
{
    SevenSegmentDisplay ammeter;
    loadBenchReadout(ammeter, BenchReadout::ammeter);
    ammeter.setValue(0.5);
    QVERIFY(!ammeter.isEnabled());
    const QImage disabled = frameOf(ammeter);
    ammeter.setEnabled(true);
    QCOMPARE(frameOf(ammeter), disabled);
}

QTEST_MAIN(TestSevenSegmentDisplay)
#include "tst_seven_segment_display.moc"
