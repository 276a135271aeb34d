// SPDX-License-Identifier: GPL-3.0-or-later
// The seven-segment numeric read-out: defaults and setters, automatic size,
// the cell layout of every bench read-out in a period and a comma locale, the
// edge cases of the number text, and the pixels of a painted ammeter.
#include "common/paint_counter.h"
#include "bench/stored_layout.h"
#include "widgets/iSevenSegmentDisplay.h"

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

QImage frameOf(QWidget &w) { return w.grab().toImage(); }

// Expected cells written as "c@x ...": c is the glyph's character ('<' and
// '>' are the arrows, ' ' written as '_' is the blank), x the cell's left
// edge. Digit cells are cw wide, the point and comma cw / 5.
std::vector<CellGlyph> cells(const QString &expected, int cw = 10, int y = 5, int h = 18)
{
    std::vector<CellGlyph> out;
    for (const QString &token : expected.split(' ', Qt::SkipEmptyParts)) {
        const char c = token.at(0).toLatin1();
        const TSevenSegmentCharacter code = c == '_' ? sscBlank : CharToGlyph(c);
        const int width = (code == sscPeriod || code == sscComma) ? cw / 5 : cw;
        out.push_back(CellGlyph{code, token.mid(2).toInt(), y, width, h});
    }
    return out;
}

QString describe(const std::vector<CellGlyph> &list)
{
    QStringList parts;
    for (const CellGlyph &c : list)
        parts << QStringLiteral("%1@%2[%3x%4+%5]")
                     .arg(c.Code == sscBlank ? '_' : GlyphToChar(c.Code))
                     .arg(c.X)
                     .arg(c.Width)
                     .arg(c.Height)
                     .arg(c.Y);
    return parts.join(' ');
}

// Lets a test ask for the automatic size without applying it.
class ExposedReadout : public TiSevenSegmentAnalog {
public:
    using TiSevenSegmentAnalog::GetAutoSizeExtent;
};

#define COMPARE_CELLS(actual, expected) QCOMPARE(describe(actual), describe(expected))

} // namespace

class TestSevenSegmentDisplay : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void defaults();
    void publishedProperties();
    void automaticSize();
    void setterEffects();
    void rendererTakesTheLook();
    void clamps();
    void valueRules();
    void powerOffRequests();
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
    TiSevenSegmentAnalog w;
    QCOMPARE(w.size(), QSize(84, 28));
    QVERIFY(w.AutoSize());
    QCOMPARE(w.DigitSpacing(), 6);
    QCOMPARE(w.SegmentMargin(), 5);
    QCOMPARE(w.SegmentColor(), clWhite);
    QCOMPARE(w.SegmentSeperation(), 1);
    QCOMPARE(w.SegmentSize(), 1);
    QVERIFY(w.ShowOffSegments());
    QVERIFY(!w.PowerOff());
    QCOMPARE(w.SegmentOffColor(), clGray);
    QVERIFY(w.AutoSegmentOffColor());
    QCOMPARE(w.BackGroundColor(), clBlack);
    QCOMPARE(w.BorderStyle(), ibsNone);
    QCOMPARE(w.DigitCount(), 4);
    QCOMPARE(w.LeadingStyle(), ilsSpaces);
    QCOMPARE(w.Value(), 0.0);
    QVERIFY(w.ShowSign());
    QCOMPARE(w.Precision(), 2);
    QVERIFY(w.isEnabled());

    // The renderer is hidden, sizes nothing and keeps no margin of its own.
    const TiSevenSegmentCharacter &r = w.Renderer();
    QVERIFY(r.isHidden());
    QVERIFY(!r.AutoSize());
    QCOMPARE(r.SegmentMargin(), 0);
    QCOMPARE(r.parentWidget(), &w);
}

void TestSevenSegmentDisplay::publishedProperties()
{
    TiSevenSegmentAnalog w;
    const QMetaObject *meta = w.metaObject();
    for (const char *name : {"AutoSize", "DigitSpacing", "SegmentMargin", "SegmentColor", "SegmentSeperation",
                             "SegmentSize", "ShowOffSegments", "PowerOff", "SegmentOffColor", "AutoSegmentOffColor",
                             "BackGroundColor", "BorderStyle", "DigitCount", "LeadingStyle", "Value", "ShowSign",
                             "Precision"}) {
        const int index = meta->indexOfProperty(name);
        QVERIFY2(index >= 0, name);
        QVERIFY2(meta->property(index).isWritable(), name);
    }
    QVERIFY(w.setProperty("Value", 2e15));
    QCOMPARE(w.Value(), 1e15);
    QVERIFY(w.setProperty("DigitCount", 40));
    QCOMPARE(w.DigitCount(), 32);
    // Enumerations by name.
    QVERIFY(w.setProperty("LeadingStyle", QStringLiteral("ilsZeros")));
    QCOMPARE(w.LeadingStyle(), ilsZeros);
    const QMetaProperty leading = meta->property(meta->indexOfProperty("LeadingStyle"));
    QCOMPARE(leading.enumerator().valueToKey(w.property("LeadingStyle").toInt()), "ilsZeros");
    QVERIFY(w.Renderer().metaObject()->property(w.Renderer().metaObject()->indexOfProperty("Value")).isEnumType());
}

void TestSevenSegmentDisplay::automaticSize()
{
    TiSevenSegmentAnalog w;
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
    // Nor does it overflow; it is held at the largest widget size.
    ExposedReadout big;
    big.setAutoSize(false);
    big.setDigitCount(32);
    big.setDigitSpacing(INT_MAX / 16);
    QCOMPARE(big.GetAutoSizeExtent().width(), QWIDGETSIZE_MAX);
    big.setSegmentMargin(INT_MAX);
    QCOMPARE(big.GetAutoSizeExtent().height(), QWIDGETSIZE_MAX);

    // Moves keep whatever size the widget has.
    TiSevenSegmentAnalog moved;
    moved.SetBounds(0, 0, 57, 30);
    moved.SetBounds(12, 34, 57, 30);
    moved.move(20, 40);
    QCOMPARE(moved.geometry(), QRect(20, 40, 57, 30));
}

void TestSevenSegmentDisplay::setterEffects()
{
    struct Effect {
        const char *name;
        std::function<void(TiSevenSegmentAnalog &)> change;
        QSize autoSize;  // invalid: the size stays
    };
    const std::vector<Effect> effects = {
        {"DigitCount", [](auto &w) { w.setDigitCount(5); }, QSize(100, 28)},
        {"DigitSpacing", [](auto &w) { w.setDigitSpacing(2); }, QSize(68, 28)},
        {"AutoSize", [](auto &w) { w.setAutoSize(false); w.SetBounds(0, 0, 50, 50); w.setAutoSize(true); }, QSize(84, 28)},
        {"SegmentMargin", [](auto &w) { w.setSegmentMargin(0); }, QSize(74, 18)},
        {"Precision", [](auto &w) { w.setPrecision(3); }, QSize(84, 28)},
        {"ShowSign", [](auto &w) { w.setShowSign(false); }, QSize(68, 28)},
        {"SegmentSize", [](auto &w) { w.setSegmentSize(2); }, QSize(134, 46)},
        {"SegmentColor", [](auto &w) { w.setSegmentColor(clRed); }, QSize()},
        {"SegmentOffColor", [](auto &w) { w.setSegmentOffColor(clRed); }, QSize()},
        {"AutoSegmentOffColor", [](auto &w) { w.setAutoSegmentOffColor(false); }, QSize()},
        {"SegmentSeperation", [](auto &w) { w.setSegmentSeperation(3); }, QSize()},
        {"ShowOffSegments", [](auto &w) { w.setShowOffSegments(false); }, QSize()},
        {"LeadingStyle", [](auto &w) { w.setLeadingStyle(ilsZeros); }, QSize()},
        {"PowerOff", [](auto &w) { w.setPowerOff(true); }, QSize()},
        {"Value", [](auto &w) { w.setValue(1.5); }, QSize()},
    };
    for (const Effect &e : effects) {
        TiSevenSegmentAnalog w;
        w.SetBounds(0, 0, 50, 50);
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
    TiSevenSegmentAnalog w;
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
    w.setSegmentSeperation(1);
    w.setShowOffSegments(true);
    w.setLeadingStyle(ilsSpaces);
    w.setPowerOff(false);
    w.setValue(0);
    QCOMPARE(paints.take(), 0);
}

void TestSevenSegmentDisplay::rendererTakesTheLook()
{
    TiSevenSegmentAnalog w;
    const TiSevenSegmentCharacter &r = w.Renderer();
    // These go to the renderer at once ...
    w.setSegmentColor(clYellow);
    w.setSegmentOffColor(clRed);
    w.setAutoSegmentOffColor(false);
    w.setSegmentSeperation(2);
    w.setSegmentSize(3);
    QCOMPARE(r.SegmentColor(), clYellow);
    QCOMPARE(r.SegmentOffColor(), clRed);
    QVERIFY(!r.AutoSegmentOffColor());
    QCOMPARE(r.SegmentSeperation(), 2);
    QCOMPARE(r.SegmentSize(), 3);
    // ... the rest with each paint.
    PaintCounter paints(w);
    w.setShowOffSegments(false);
    w.setPowerOff(true);
    QCOMPARE(paints.take(), 1);
    QVERIFY(!r.ShowOffSegments());
    QVERIFY(r.PowerOff());
    QCOMPARE(r.SegmentMargin(), 0);
    // Handing the look to the renderer during a paint asks for no paint.
    QVERIFY(r.isHidden());
    QCOMPARE(paints.take(), 0);
}

void TestSevenSegmentDisplay::clamps()
{
    TiSevenSegmentAnalog w;
    w.setDigitCount(0);
    QCOMPARE(w.DigitCount(), 1);
    w.setDigitCount(40);
    QCOMPARE(w.DigitCount(), 32);
    w.setSegmentSize(150);
    QCOMPARE(w.SegmentSize(), 100);
    w.setSegmentSize(0);
    QCOMPARE(w.SegmentSize(), 1);
    w.setSegmentMargin(-1);
    QCOMPARE(w.SegmentMargin(), 0);
    w.setSegmentSeperation(-4);
    QCOMPARE(w.SegmentSeperation(), 0);
    w.setDigitSpacing(-3);
    QCOMPARE(w.DigitSpacing(), -3);

    w.setPrecision(20);
    QCOMPARE(w.Precision(), 13);
    // Values above 13 are held before the comparison: no second request.
    PaintCounter paints(w);
    w.setPrecision(99);
    QCOMPARE(paints.take(), 0);
    w.setPrecision(-2);
    QCOMPARE(w.Precision(), 0);
}

void TestSevenSegmentDisplay::valueRules()
{
    TiSevenSegmentAnalog w;
    QSignalSpy changes(&w, &TiSevenSegmentDisplay::ValueChange);
    PaintCounter paints(w);

    w.setValue(2e15);
    QCOMPARE(w.Value(), 1e15);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(paints.take(), 1);
    w.setValue(3e15);  // held at the same 1e15: nothing changes
    QCOMPARE(changes.count(), 1);
    QCOMPARE(paints.take(), 0);

    w.setValue(-0.01);  // no lower limit
    QCOMPARE(w.Value(), -0.01);
    QCOMPARE(changes.count(), 2);
    QCOMPARE(paints.take(), 1);
    w.setValue(-0.01);
    QCOMPARE(changes.count(), 2);
    QCOMPARE(paints.take(), 0);
    w.setValue(-1e20);
    QCOMPARE(w.Value(), -1e20);

    // Never NaN or infinity.
    w.setValue(std::numeric_limits<double>::quiet_NaN());
    QCOMPARE(w.Value(), -1e20);
    w.setValue(std::numeric_limits<double>::infinity());
    QCOMPARE(w.Value(), 1e15);
    w.setValue(-std::numeric_limits<double>::infinity());
    QCOMPARE(w.Value(), -std::numeric_limits<double>::max());
    QVERIFY(!frameOf(w).isNull());

    // No notification while the layout is loaded.
    changes.clear();
    w.BeginLoading();
    w.setValue(0.5);
    w.EndLoading();
    QCOMPARE(w.Value(), 0.5);
    QCOMPARE(changes.count(), 0);
}

void TestSevenSegmentDisplay::powerOffRequests()
{
    TiSevenSegmentAnalog w;
    PaintCounter paints(w);
    w.setPowerOff(true);
    QCOMPARE(paints.take(), 1);
    w.setPowerOff(true);
    QCOMPARE(paints.take(), 0);
    QVERIFY(w.PowerOff());
}

void TestSevenSegmentDisplay::loadingKeepsStoredSizes()
{
    // Fmax1's stored width is 57 where the automatic size would be 56; it
    // stays 57 after loading, after moves and after value changes.
    TiSevenSegmentAnalog w;
    loadBenchReadout(w, BenchReadout::ripple);
    QCOMPARE(w.size(), QSize(57, 28));
    w.SetBounds(100, 200, 57, 28);
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
    QTest::newRow("amper 0") << BenchReadout::ammeter << 0.0 << "0@5 .@19 0@25 0@45 0@65";
    QTest::newRow("amper 1.234") << BenchReadout::ammeter << 1.234 << "1@5 .@19 2@25 3@45 4@65";
    QTest::newRow("amper -0.01") << BenchReadout::ammeter << -0.01 << "0@5 .@19 0@25 1@45 0@65";
    QTest::newRow("amper 10") << BenchReadout::ammeter << 10.0 << "<@5 <@25 <@45 <@65";
    QTest::newRow("Fmax1 0.1") << BenchReadout::ripple << 0.1 << "0@5 .@18 1@23 0@41";
    QTest::newRow("Fmax1 0.25") << BenchReadout::ripple << 0.25 << "0@5 .@18 2@23 5@41";
    QTest::newRow("Faza1 0.4") << BenchReadout::phase << 0.4 << "0@5 .@18 4@23 0@41";
    QTest::newRow("Faza1 -0.05") << BenchReadout::phase << -0.05 << "0@5 .@18 0@23 5@41";
    QTest::newRow("Dplastin1 0.5") << BenchReadout::plateLength << 0.5 << "0@5 .@19 5@25";
    QTest::newRow("Dplastin1 5") << BenchReadout::plateLength << 5.0 << "5@5 .@19 0@25";
    QTest::newRow("Dplastin1 10") << BenchReadout::plateLength << 10.0 << "<@5 <@25";
    // Sums of steps as the bench makes them, with their binary error.
    QTest::newRow("amper 0.1+0.01x3") << BenchReadout::ammeter << (0.1 + 0.01 + 0.01 + 0.01) << "0@5 .@19 1@25 3@45 0@65";
    QTest::newRow("Fmax1 0.125") << BenchReadout::ripple << 0.125 << "0@5 .@18 1@23 3@41";
}

void TestSevenSegmentDisplay::workedExamples()
{
    QFETCH(BenchReadout, which);
    QFETCH(double, value);
    QFETCH(QString, expected);
    TiSevenSegmentAnalog w;
    loadBenchReadout(w, which);
    w.setValue(value);

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    COMPARE_CELLS(LayoutReadout(w.LayoutSettings(), w.Value(), QLocale().decimalPoint()), cells(expected));

    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
    COMPARE_CELLS(LayoutReadout(w.LayoutSettings(), w.Value(), QLocale().decimalPoint()),
                  cells(QString(expected).replace('.', ',')));
}

void TestSevenSegmentDisplay::signAndPrecisionEdges()
{
    ReadoutSettings s;  // the default widget: 84 x 28, sign cell, cells 10 wide from x 5
    s.Precision = 3;
    COMPARE_CELLS(LayoutReadout(s, -0.0004, "."), cells("-@5 0@21 .@33 0@37 0@53 0@69"));
    // Minus zero and plus zero both read as positive.
    COMPARE_CELLS(LayoutReadout(s, -0.0, "."), cells("+@5 0@21 .@33 0@37 0@53 0@69"));

    // Precision 0: no point, and a text of DigitCount characters fits.
    ReadoutSettings two;
    two.Width = 40;
    two.DigitCount = 2;
    two.Precision = 0;
    two.ShowSign = false;  // cells 12 wide from x 5
    COMPARE_CELLS(LayoutReadout(two, 99.4, "."), cells("9@5 9@23", 12));
    COMPARE_CELLS(LayoutReadout(two, 99.5, "."), cells("<@5 <@23", 12));
    COMPARE_CELLS(LayoutReadout(two, 7, "."), cells("_@5 7@23", 12));

    // The point sits Round(cw / 10 + spacing / 2) before the first fraction
    // digit, halves to even: 3.5 + 5 = 8.5 goes to 8, 1.5 + 5 = 6.5 to 6.
    ReadoutSettings wide;
    wide.Width = 90;
    wide.DigitCount = 2;
    wide.Precision = 1;
    wide.DigitSpacing = 10;
    wide.ShowSign = false;  // cw (90 - 10 - 10) / 2 = 35, x from 5
    COMPARE_CELLS(LayoutReadout(wide, 4.2, "."), cells("4@5 .@42 2@50", 35));
    wide.Width = 50;  // cw 15, x from 5
    COMPARE_CELLS(LayoutReadout(wide, 4.2, "."), cells("4@5 .@24 2@30", 15));
}

void TestSevenSegmentDisplay::overflowArrows()
{
    ReadoutSettings one;
    one.DigitCount = 1;
    one.Precision = 1;
    one.ShowSign = false;
    one.Width = 20;  // cw 10, x from 5
    COMPARE_CELLS(LayoutReadout(one, 0, "."), cells("<@5"));
    COMPARE_CELLS(LayoutReadout(one, -0.01, "."), cells(">@5"));
    one.Precision = 0;  // a single digit fits
    COMPARE_CELLS(LayoutReadout(one, 3, "."), cells("3@5"));

    // Precision >= DigitCount always overflows; the sign cell stays.
    ReadoutSettings s;
    s.DigitCount = 3;
    s.Precision = 3;
    s.Width = 68;  // n 4: cw (68 - 10 - 18) / 4 = 10, x from 5
    COMPARE_CELLS(LayoutReadout(s, 0, "."), cells("+@5 <@21 <@37 <@53"));
    COMPARE_CELLS(LayoutReadout(s, -1, "."), cells("-@5 >@21 >@37 >@53"));

    // Negative values with no sign cell: magnitude, or arrows pointing down.
    TiSevenSegmentAnalog amper;
    loadBenchReadout(amper, BenchReadout::ammeter);
    COMPARE_CELLS(LayoutReadout(amper.LayoutSettings(), -10, "."), cells(">@5 >@25 >@45 >@65"));
    COMPARE_CELLS(LayoutReadout(amper.LayoutSettings(), -9.9996, "."), cells(">@5 >@25 >@45 >@65"));
    COMPARE_CELLS(LayoutReadout(amper.LayoutSettings(), -9.9994, "."), cells("9@5 .@19 9@25 9@45 9@65"));
}

void TestSevenSegmentDisplay::defaultWidgetLook()
{
    TiSevenSegmentAnalog w;
    COMPARE_CELLS(LayoutReadout(w.LayoutSettings(), 0, "."), cells("+@5 _@21 0@37 .@49 0@53 0@69"));
    const QImage frame = frameOf(w);
    QCOMPARE(pixel(frame, 10, 9), clWhite);             // the plus, lit
    QCOMPARE(pixel(frame, 10, 18), TColor(0x555555));   // the minus bar, unlit
    QCOMPARE(pixel(frame, 25, 6), TColor(0x555555));    // the blank cell's A
    QCOMPARE(pixel(frame, 25, 13), TColor(0x555555));   // ... and G
    QCOMPARE(pixel(frame, 41, 6), clWhite);             // the 0's A
    QCOMPARE(pixel(frame, 41, 13), TColor(0x555555));   // the 0's G
    QCOMPARE(pixel(frame, 50, 22), clWhite);            // the point
    QCOMPARE(pixel(frame, 0, 0), clBlack);
    QCOMPARE(pixel(frame, 83, 27), clBlack);
}

void TestSevenSegmentDisplay::largeNumbers()
{
    // 1e15 has a 16-digit integer part.
    ReadoutSettings s;
    s.Width = 1000;
    s.DigitCount = 16;
    s.Precision = 0;
    s.ShowSign = false;
    auto codes = [](const std::vector<CellGlyph> &list) {
        QString text;
        for (const CellGlyph &c : list) text += QChar(GlyphToChar(c.Code));
        return text;
    };
    TiSevenSegmentAnalog w;
    w.setValue(2e15);
    QCOMPARE(codes(LayoutReadout(s, w.Value(), ".")), QStringLiteral("1000000000000000"));
    s.DigitCount = 32;
    s.Precision = 2;
    QCOMPARE(codes(LayoutReadout(s, w.Value(), ".")), QString(14, ' ') + "1000000000000000.00");
    QCOMPARE(codes(LayoutReadout(s, -1e15, ",")), QString(14, ' ') + "1000000000000000,00");
    // The default widget shows arrows for it.
    QCOMPARE(codes(LayoutReadout(w.LayoutSettings(), w.Value(), ".")), QStringLiteral("+<<<<"));
    // Magnitudes far beyond, only reachable downwards, point down.
    QCOMPARE(codes(LayoutReadout(s, -1e300, ".")), QString(32, '>'));
    QCOMPARE(codes(LayoutReadout(s, -std::numeric_limits<double>::max(), ".")), QString(32, '>'));
    // Not a number at all cannot reach a read-out, but is no text either.
    QCOMPARE(codes(LayoutReadout(s, std::numeric_limits<double>::infinity(), ".")), QString(32, '<'));
}

void TestSevenSegmentDisplay::leadingStyles()
{
    ReadoutSettings s;
    s.DigitCount = 4;
    s.Precision = 1;
    s.ShowSign = false;  // cw (84 - 10 - 18) / 4 = 14, x from 5, step 20
    s.LeadingStyle = ilsNone;
    COMPARE_CELLS(LayoutReadout(s, 5, "."), cells("5@5 .@21 0@25", 14));
    s.LeadingStyle = ilsSpaces;
    COMPARE_CELLS(LayoutReadout(s, 5, "."), cells("_@5 _@25 5@45 .@61 0@65", 14));
    s.LeadingStyle = ilsZeros;
    COMPARE_CELLS(LayoutReadout(s, 5, "."), cells("0@5 0@25 5@45 .@61 0@65", 14));
    COMPARE_CELLS(LayoutReadout(s, 123.44, "."), cells("1@5 2@25 3@45 .@61 4@65", 14));
}

void TestSevenSegmentDisplay::layoutClampsItsSettings()
{
    ReadoutSettings s;
    s.ShowSign = false;
    s.DigitCount = 0;  // as 1
    s.Precision = 0;
    s.Width = 20;
    COMPARE_CELLS(LayoutReadout(s, 4, "."), cells("4@5"));
    s.DigitCount = 40;  // as 32
    s.Precision = 40;   // as 13, which overflows 32 cells: 0.0000000000000 has 15 characters, fits
    s.Width = 32 * 16 + 4;
    const auto list = LayoutReadout(s, 0, ".");
    QCOMPARE(int(list.size()), 19 + 1 + 13);  // 18 spaces and a 0, the point, 13 zeros
    // Spacing and margins of any size stay defined.
    s.DigitSpacing = INT_MAX;
    s.SegmentMargin = INT_MAX;
    QVERIFY(LayoutReadout(s, 1, ".").size() <= 34);
    s.DigitSpacing = INT_MIN;
    QVERIFY(LayoutReadout(s, -1, ",").size() <= 34);
}

void TestSevenSegmentDisplay::ammeterPixels()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TiSevenSegmentAnalog amper;
    loadBenchReadout(amper, BenchReadout::ammeter);
    amper.setValue(1.234);
    const QImage frame = frameOf(amper);
    QCOMPARE(frame.size(), QSize(80, 28));
    // Cells 10 x 18 at x 5, 25, 45, 65 from y 5; the point at x 19..21.
    QCOMPARE(pixel(frame, 13, 9), clLime);      // 1: B
    QCOMPARE(pixel(frame, 9, 6), kDimLime);     // 1: A unlit
    QCOMPARE(pixel(frame, 20, 22), clLime);     // the point
    QCOMPARE(pixel(frame, 20, 17), clBlack);    // no comma
    QCOMPARE(pixel(frame, 29, 6), clLime);      // 2: A
    QCOMPARE(pixel(frame, 33, 17), kDimLime);   // 2: C unlit
    QCOMPARE(pixel(frame, 49, 13), clLime);     // 3: G
    QCOMPARE(pixel(frame, 46, 9), kDimLime);    // 3: F unlit
    QCOMPARE(pixel(frame, 69, 6), kDimLime);    // 4: A unlit
    QCOMPARE(pixel(frame, 66, 9), clLime);      // 4: F
    for (const QPoint p : {QPoint(0, 0), QPoint(16, 14), QPoint(23, 14), QPoint(79, 27), QPoint(9, 4), QPoint(9, 23)})
        QCOMPARE(pixel(frame, p.x(), p.y()), clBlack);
}

void TestSevenSegmentDisplay::ammeterPoweredOff()
{
    TiSevenSegmentAnalog amper;
    loadBenchReadout(amper, BenchReadout::ammeter);
    amper.setValue(1.234);
    amper.setPowerOff(true);
    const QImage frame = frameOf(amper);
    // Every digit cell is an unlit 8, the point is unlit too.
    const QImage first = frame.copy(5, 5, 10, 18);
    for (int x : {25, 45, 65}) QCOMPARE(frame.copy(x, 5, 10, 18), first);
    for (const QPoint p : {QPoint(4, 1), QPoint(8, 4), QPoint(8, 12), QPoint(4, 16), QPoint(1, 12), QPoint(1, 4), QPoint(4, 8)})
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
    TiSevenSegmentAnalog amper;
    loadBenchReadout(amper, BenchReadout::ammeter);
    amper.setValue(1.234);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    const QImage comma = frameOf(amper);
    QCOMPARE(pixel(comma, 20, 17), clLime);   // the comma's dot
    QCOMPARE(pixel(comma, 21, 20), clLime);   // its tail
    QCOMPARE(pixel(comma, 20, 22), clBlack);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QImage period = frameOf(amper);
    // Only the point's cell differs.
    QCOMPARE(period.copy(0, 0, 18, 28), comma.copy(0, 0, 18, 28));
    QCOMPARE(period.copy(23, 0, 57, 28), comma.copy(23, 0, 57, 28));
    QVERIFY(period != comma);
}

void TestSevenSegmentDisplay::dimGreenReadouts()
{
    // The settings read-outs draw lit segments only, in dim green when off.
    TiSevenSegmentAnalog fmax;
    loadBenchReadout(fmax, BenchReadout::ripple);
    QImage frame = frameOf(fmax);
    QCOMPARE(pixel(frame, 31, 9), clLime);    // the 1's B (cell at 23)
    QCOMPARE(pixel(frame, 27, 6), clBlack);   // no unlit A
    QCOMPARE(pixel(frame, 19, 22), clLime);   // the point (cell at 18)
    fmax.setPowerOff(true);
    frame = frameOf(fmax);
    QCOMPARE(pixel(frame, 31, 9), clGreen);
    QCOMPARE(pixel(frame, 27, 6), clBlack);
    QCOMPARE(pixel(frame, 19, 22), clGreen);
}

void TestSevenSegmentDisplay::disabledDrawsTheSame()
{
    TiSevenSegmentAnalog amper;
    loadBenchReadout(amper, BenchReadout::ammeter);
    amper.setValue(0.5);
    QVERIFY(!amper.isEnabled());
    const QImage disabled = frameOf(amper);
    amper.setEnabled(true);
    QCOMPARE(frameOf(amper), disabled);
}

QTEST_MAIN(TestSevenSegmentDisplay)
#include "tst_seven_segment_display.moc"
