// SPDX-License-Identifier: GPL-3.0-or-later
// Texts a student can paste into the fields (the key filter never sees a
// paste): each is taken over by the source switch or by the calculator, and
// for each the table says what the program must do, the exact error message
// or the value taken (seen in the trace and the calculator's result that
// follow). Everything not named as changing must stay as it was: every
// control, the read-outs, the dial, the timers and both pictures.
#include "common/expected_bench.h"
#include "common/recording_dialogs.h"
#include "model/float_faults.h"
#include "stress/bench_probe.h"
#include "toolkit/decimal_format.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLocale>
#include <QTest>
#include <cmath>
#include <numbers>
#include <optional>

namespace {

const QString kMissing = QStringLiteral("Проверьте наличие данных в окнах панели ПАРАМЕТРЫ УСТАНОВКИ");
constexpr qsizetype kFieldCapacity = 32767;  // a QLineEdit keeps at most this many characters

enum class Kind { Value, NotFloat, NotInt };
struct Outcome {
    Kind kind;
    double value;
};
Outcome val(double v)
{
    return {Kind::Value, v};
}
const Outcome notFloat{Kind::NotFloat, 0};
const Outcome notInt{Kind::NotInt, 0};

struct Row {
    const char *name;
    QString text;
    // U and l are read as reals with the locale's separator, n and k as
    // whole numbers. l is given as the number typed, in centimetres.
    Outcome uComma, uPeriod, n, lComma, lPeriod, k;
};

QString repeated(QChar c, int n)
{
    return QString(n, c);
}

std::vector<Row> rows()
{
    const QString nul = QString("1") + QChar(0) + QString("2");
    const double huge = 2147483647.0;
    return {
        {"empty", "", notFloat, notFloat, notInt, notFloat, notFloat, notInt},
        {"zero", "0", val(0), val(0), val(0), val(0), val(0), val(0)},
        {"double zero", "00", val(0), val(0), val(0), val(0), val(0), val(0)},
        {"minus zero", "-0", val(-0.0), val(-0.0), val(0), val(-0.0), val(-0.0), val(0)},
        {"ten zeros", "0000000000", val(0), val(0), val(0), val(0), val(0), val(0)},
        {"leading zero", "0155", val(155), val(155), val(155), val(155), val(155), val(155)},
        {"minus one", "-1", val(-1), val(-1), val(-1), val(-1), val(-1), val(-1)},
        {"plus five", "+5", val(5), val(5), val(5), val(5), val(5), val(5)},
        {"exponent", "1e3", val(1000), val(1000), notInt, val(1000), val(1000), notInt},
        {"negative exponent", "1e-3", val(0.001), val(0.001), notInt, val(0.001), val(0.001), notInt},
        {"exponent overflow", "1e400", notFloat, notFloat, notInt, notFloat, notFloat, notInt},
        {"exponent underflow", "1e-400", val(0), val(0), notInt, val(0), val(0), notInt},
        {"bare exponent", "1e", notFloat, notFloat, notInt, notFloat, notFloat, notInt},
        {"leading blank", " 12", notFloat, notFloat, notInt, notFloat, notFloat, notInt},
        {"trailing blank", "12 ", notFloat, notFloat, notInt, notFloat, notFloat, notInt},
        {"inner blank", "1 000", notFloat, notFloat, notInt, notFloat, notFloat, notInt},
        {"comma", "1,5", val(1.5), notFloat, notInt, val(1.5), notFloat, notInt},
        {"period", "1.5", notFloat, val(1.5), notInt, notFloat, val(1.5), notInt},
        {"leading period", ".5", notFloat, val(0.5), notInt, notFloat, val(0.5), notInt},
        {"leading comma", ",5", val(0.5), notFloat, notInt, val(0.5), notFloat, notInt},
        {"trailing period", "5.", notFloat, val(5), notInt, notFloat, val(5), notInt},
        {"arabic-indic three", QString::fromUtf8("\u0663"), notFloat, notFloat, notInt, notFloat, notFloat, notInt},
        {"fullwidth twelve", QString::fromUtf8("\uFF11\uFF12"), notFloat, notFloat, notInt, notFloat, notFloat, notInt},
        {"int max", "2147483647", val(huge), val(huge), val(huge), val(huge), val(huge), val(huge)},
        {"int max + 1", "2147483648", val(huge + 1), val(huge + 1), notInt, val(huge + 1), val(huge + 1), notInt},
        {"int min", "-2147483648", val(-huge - 1), val(-huge - 1), val(-huge - 1), val(-huge - 1), val(-huge - 1),
         val(-huge - 1)},
        {"int min - 1", "-2147483649", val(-huge - 2), val(-huge - 2), notInt, val(-huge - 2), val(-huge - 2), notInt},
        // n x 100 leaves the 32-bit range from here on
        {"n x 100 beyond 32 bits", "21474837", val(21474837), val(21474837), val(21474837), val(21474837),
         val(21474837), val(21474837)},
        {"hex", "0x10", notFloat, notFloat, notInt, notFloat, notFloat, notInt},
        {"sign only", "-", notFloat, notFloat, notInt, notFloat, notFloat, notInt},
        {"infinity", "inf", notFloat, notFloat, notInt, notFloat, notFloat, notInt},
        {"not a number", "nan", notFloat, notFloat, notInt, notFloat, notFloat, notInt},
        {"10000 nines", repeated('9', 10000), notFloat, notFloat, notInt, notFloat, notFloat, notInt},
        {"10000 digits, value 7", repeated('0', 9999) + "7", val(7), val(7), val(7), val(7), val(7), val(7)},
        {"100000 letters", repeated('a', 100000), notFloat, notFloat, notInt, notFloat, notFloat, notInt},
        {"NUL inside", nul, notFloat, notFloat, notInt, notFloat, notFloat, notInt},
        {"line break inside", "1\n2", notFloat, notFloat, notInt, notFloat, notFloat, notInt},
        {"trailing CR LF", "12\r\n", notFloat, notFloat, notInt, notFloat, notFloat, notInt},
        {"tab in front", "\t7", notFloat, notFloat, notInt, notFloat, notFloat, notInt},
        {"right-to-left override", QString::fromUtf8("\u202E1400"), notFloat, notFloat, notInt, notFloat, notFloat,
         notInt},
        {"next line (C1 control)", QString::fromUtf8("14\u008500"), notFloat, notFloat, notInt, notFloat, notFloat,
         notInt},
    };
}

// What a field holds after the text was pasted: as much as it takes, with a
// right-to-left override (which would show "1400" as "0041") by its code.
QString fieldHolds(const QString &text)
{
    return text.left(kFieldCapacity).replace(QChar(0x202E), QStringLiteral("<U+202E>"));
}

// The message quotes the field's text on one line, each character that would
// show nothing or break the line by its symbol or code (a NUL would also end
// the message early).
QString messageFor(Kind kind, QString text)
{
    text.replace(QChar(0), QChar(0x2400))
        .replace(QChar(u'\t'), QChar(0x2409))
        .replace(QChar(u'\n'), QChar(0x240A))
        .replace(QChar(u'\r'), QChar(0x240D))
        .replace(QChar(0x85), QStringLiteral("<U+0085>"))
        .replace(QChar(0x202E), QStringLiteral("<U+202E>"));
    return kind == Kind::NotInt ? QString("'%1' is not a valid integer value").arg(text)
                                : QString("'%1' is not a valid floating point value").arg(text);
}

struct Bench {
    RecordingDialogs dialogs;
    BenchWindow window;
    BenchDriver drive{window};
    BenchControls c{drive};
    Bench() { window.show(); }
    probe::Snapshot snapshot() const { return probe::snapshot(window, c); }
};

void setLocale(bool comma)
{
    QLocale::setDefault(comma ? QLocale(QLocale::Russian, QLocale::Russia) : QLocale::c());
}

// Switches on the oscilloscope and the regulator and runs the ramp to its
// end; true when the source switch is then free.
bool toRegulatorOn(Bench &b)
{
    probe::click(b.c.scopeSwitch);
    probe::click(b.c.regulatorSwitch);
    return b.c.rampUpTimer->isActive() && b.drive.runTimer("rampUpTimer") < 1000 && b.c.sourceSwitch->isEnabled();
}

// The controls of the source-on column of the power sequence.
void verifySourceOn(const BenchControls &c)
{
    QCOMPARE(c.sourceLamp->picture().pixel(7, 7), qRgb(255, 0, 0));
    QVERIFY(c.rippleArrows->isEnabled() && c.phaseArrows->isEnabled());
    QVERIFY(c.coarseCurrentArrows->isEnabled() && c.fineCurrentArrows->isEnabled());
    QVERIFY(!c.rippleReadout->powerOff() && !c.phaseReadout->powerOff() && !c.ammeter->powerOff());
    QVERIFY(c.ammeter->isEnabled());
    QVERIFY(!c.regulatorSwitch->isEnabled());
    QVERIFY(c.sourceSwitch->isEnabled());
}

// The bench holds U, n and l as given: the next current step draws their
// trace (or fails as their trace fails), and the calculator's result at that
// current is theirs (or its error).
void verifyHolding(Bench &b, double u, double n, double l)
{
    b.dialogs.clear();
    probe::pressArrow(b.c.coarseCurrentArrows, TUDBtnType::btNext);
    const double current = b.c.ammeter->value();
    const TraceSettings settings{b.c.rippleReadout->value(), b.c.phaseReadout->value(),
                                 b.c.plateLengthReadout->value()};
    QString traceError;
    try {
        LabState lab = labHolding(u, n, l);
        const int width = b.c.screen->width();
        applyScreenScale(lab, width);
        tracePoints(lab, beginTrace(lab, settings), current, width);
    } catch (const MathError &e) {
        traceError = QString::fromUtf8(e.what());
    }
    if (traceError.isEmpty()) {
        QVERIFY2(b.dialogs.errors.isEmpty(), qPrintable(b.dialogs.errors.join('\n').left(300)));
        QVERIFY(showsTraceOf(*b.c.screen, u, n, l, current, settings));
    } else {
        QCOMPARE(b.dialogs.errors, QStringList{traceError});
    }
    b.dialogs.clear();
    b.c.helixTurnsField->setText(QStringLiteral("1"));
    probe::click(b.c.calculateButton);
    const char *separator = QLocale().decimalPoint() == QLatin1Char(',') ? "," : ".";
    try {
        const QString expected = specificChargeOf(u, n, l, 1, current, separator);
        QVERIFY2(b.dialogs.errors.isEmpty(), qPrintable(b.dialogs.errors.join('\n').left(300)));
        QCOMPARE(b.c.specificChargeField->text(), expected);
    } catch (const MathError &e) {
        QCOMPARE(b.dialogs.errors, QStringList{QString::fromUtf8(e.what())});
    }
}

}  // namespace

class TestHostileInput : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void parameterField_data();
    void parameterField();
    void calculatorField_data();
    void calculatorField();
    void extremeParameters_data();
    void extremeParameters();
    void typedThroughTheInputMethod_data();
    void typedThroughTheInputMethod();
};

void TestHostileInput::parameterField_data()
{
    QTest::addColumn<int>("field");         // 1 = U, 2 = n, 3 = l
    QTest::addColumn<bool>("comma");        // the locale's decimal separator
    QTest::addColumn<bool>("beforeScope");  // pasted with the field enabled, or set while the source waits
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("number");
    const char *fieldNames[] = {"", "U", "n", "l"};
    for (const Row &row : rows())
        for (int field = 1; field <= 3; ++field)
            for (bool comma : {true, false})
                for (bool before : {true, false}) {
                    const Outcome o = field == 1 ? (comma ? row.uComma : row.uPeriod)
                        : field == 2             ? row.n
                                                 : (comma ? row.lComma : row.lPeriod);
                    QTest::addRow("%s %s %s %s", row.name, fieldNames[field], comma ? "comma" : "period",
                                  before ? "pasted" : "set later")
                        << field << comma << before << row.text << int(o.kind) << o.value;
                }
}

// Pasted before the oscilloscope is on, the text meets the regulator's check
// first (empty or exactly "0" is refused) and then the source switch's
// conversions; set while the source switch waits (the field is disabled
// then, so only a program could do it) it meets the conversions directly.
void TestHostileInput::parameterField()
{
    QFETCH(int, field);
    QFETCH(bool, comma);
    QFETCH(bool, beforeScope);
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(double, number);
    setLocale(comma);
    Bench b;
    TLabeledEdit *edits[] = {nullptr, b.c.anodeVoltageField, b.c.turnDensityField, b.c.driftLengthField};
    TLabeledEdit *edit = edits[field];

    if (beforeScope) {
        probe::paste(edit, text);
        QCOMPARE(edit->text(), fieldHolds(text));
        if (text.isEmpty() || text == "0") {
            probe::click(b.c.scopeSwitch);
            const probe::Snapshot before = b.snapshot();
            probe::click(b.c.regulatorSwitch);
            QCOMPARE(b.dialogs.messages, QStringList{kMissing});
            QVERIFY(b.dialogs.errors.isEmpty());
            const QStringList changed = probe::unexpectedChanges(before, b.snapshot(), {});
            QVERIFY2(changed.isEmpty(), qPrintable(changed.join('\n')));
            return;
        }
        QVERIFY(toRegulatorOn(b));
    } else {
        QVERIFY(toRegulatorOn(b));
        edit->setText(text);
        QCOMPARE(edit->text(), fieldHolds(text));
    }
    QVERIFY(b.dialogs.messages.isEmpty());

    const probe::Snapshot before = b.snapshot();
    probe::click(b.c.sourceSwitch);
    const probe::Snapshot after = b.snapshot();

    if (Kind(kind) != Kind::Value) {
        QCOMPARE(b.dialogs.errors, QStringList{messageFor(Kind(kind), text.left(kFieldCapacity))});
        const QStringList changed = probe::unexpectedChanges(before, after, {});
        QVERIFY2(changed.isEmpty(), qPrintable(changed.join('\n')));
        return;
    }
    QVERIFY2(b.dialogs.errors.isEmpty(), qPrintable(b.dialogs.errors.join('\n').left(300)));
    const double u = field == 1 ? number : 1400.0;
    // n turns per centimetre are n x 100 per metre, exactly, also beyond the
    // 32-bit range of the text's conversion.
    const double n = field == 2 ? number * 100 : 15500.0;
    const double l = field == 3 ? number / 100 : 10.0 / 100;
    verifySourceOn(b.c);
    // The source-on transition and nothing more.
    const QStringList changed = probe::unexpectedChanges(
        before, after,
        {"rippleArrows.enabled:", "phaseArrows.enabled:", "coarseCurrentArrows.enabled:", "fineCurrentArrows.enabled:",
         "regulatorSwitch.enabled:", "ammeter.enabled:", "ammeter.PowerOff:", "rippleReadout.PowerOff:",
         "phaseReadout.PowerOff:", "sourceLamp.picture:"});
    QVERIFY2(changed.isEmpty(), qPrintable(changed.join('\n')));
    QVERIFY(b.dialogs.messages.isEmpty());
    verifyHolding(b, u, n, l);
}

void TestHostileInput::calculatorField_data()
{
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("k");
    for (const Row &row : rows())
        for (bool comma : {true, false})
            QTest::addRow("%s %s", row.name, comma ? "comma" : "period")
                << comma << row.text << int(row.k.kind) << row.k.value;
}

// The calculator with the source on at the focusing current 0.407 A.
void TestHostileInput::calculatorField()
{
    QFETCH(bool, comma);
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(double, k);
    setLocale(comma);
    Bench b;
    const BenchControls &f = b.c;
    QVERIFY(toRegulatorOn(b));
    probe::click(f.sourceSwitch);
    for (int i = 0; i < 40; ++i) probe::pressArrow(f.coarseCurrentArrows, TUDBtnType::btNext);
    for (int i = 0; i < 7; ++i) probe::pressArrow(f.fineCurrentArrows, TUDBtnType::btNext);
    QVERIFY(std::fabs(f.ammeter->value() - 0.407) < 1e-9);
    probe::click(f.sourceLamp);
    QVERIFY(f.helixTurnsField->isVisible());
    // A first result, so that a failure can be seen to keep it.
    probe::click(f.calculateButton);
    QCOMPARE(f.specificChargeField->text(), QString(comma ? "1,759E11 Кл/кг" : "1.759E11 Кл/кг"));
    QVERIFY(b.dialogs.errors.isEmpty());

    probe::paste(f.helixTurnsField, text);
    QCOMPARE(f.helixTurnsField->text(), fieldHolds(text));
    const probe::Snapshot before = b.snapshot();
    probe::click(f.calculateButton);
    const probe::Snapshot after = b.snapshot();
    if (Kind(kind) != Kind::Value) {
        QCOMPARE(b.dialogs.errors, QStringList{messageFor(Kind::NotInt, text.left(kFieldCapacity))});
        const QStringList changed = probe::unexpectedChanges(before, after, {});
        QVERIFY2(changed.isEmpty(), qPrintable(changed.join('\n')));
        return;
    }
    QVERIFY2(b.dialogs.errors.isEmpty(), qPrintable(b.dialogs.errors.join('\n').left(300)));
    // The start parameters: 1400 V, 155 turns per centimetre, 10 cm.
    const double q = k * std::numbers::pi / (((kMu0 * 15500.0) * 0.1) * f.ammeter->value());
    const double em = 8 * 1400.0 * (q * q);
    QVERIFY(std::isfinite(em));
    const std::string separator = comma ? "," : ".";
    QCOMPARE(f.specificChargeField->text(), QString::fromStdString(FormatSpecificCharge(em, separator)) + " Кл/кг");
    const QStringList changed = probe::unexpectedChanges(before, after, {"specificChargeField.text:"});
    QVERIFY2(changed.isEmpty(), qPrintable(changed.join('\n')));
}

void TestHostileInput::extremeParameters_data()
{
    QTest::addColumn<QString>("u");
    QTest::addColumn<QString>("n");
    QTest::addColumn<QString>("l");
    QTest::addColumn<QString>("k");
    QTest::addColumn<QString>("traceError");  // of the first current step, "" for none
    QTest::addColumn<QString>("calcError");   // of the calculator at 0.407 A, "" for a result
    const QString overflow = "Floating point overflow", zeroDivide = "Floating point division by zero",
                  invalid = "Invalid floating point operation";
    // 2eU/m, the square of the beam's speed, is beyond a double
    QTest::newRow("U 1e300") << "1e300"
                             << "155"
                             << "10"
                             << "1" << overflow << "";
    QTest::newRow("U 1e300, k max") << "1e300"
                                    << "155"
                                    << "10"
                                    << "2147483647" << overflow << overflow;
    QTest::newRow("everything max") << "1e308"
                                    << "2147483647"
                                    << "1e308"
                                    << "2147483647" << overflow << overflow;
    QTest::newRow("U 1e-300") << "1e-300"
                              << "155"
                              << "10"
                              << "1"
                              << ""
                              << "";
    // the beam's speed underflows to zero: as for a zero voltage
    QTest::newRow("U 4e-324") << "4e-324"
                              << "155"
                              << "10"
                              << "1" << zeroDivide << "";
    QTest::newRow("U zero") << "00"
                            << "155"
                            << "10"
                            << "1" << zeroDivide << "";
    QTest::newRow("U negative") << "-1400"
                                << "155"
                                << "10"
                                << "1" << invalid << "";
    QTest::newRow("n zero") << "1400"
                            << "00"
                            << "10"
                            << "1" << zeroDivide << zeroDivide;
    QTest::newRow("n negative") << "1400"
                                << "-155"
                                << "10"
                                << "1"
                                << ""
                                << "";
    // mu0 n l I underflows to zero
    QTest::newRow("l 1e-320") << "1400"
                              << "155"
                              << "1e-320"
                              << "1"
                              << "" << zeroDivide;
    QTest::newRow("l zero") << "1400"
                            << "155"
                            << "00"
                            << "1" << invalid << zeroDivide;
    QTest::newRow("l 1e300") << "1400"
                             << "155"
                             << "1e300"
                             << "1"
                             << ""
                             << "";
    QTest::newRow("l negative") << "1400"
                                << "155"
                                << "-10"
                                << "1"
                                << ""
                                << "";
}

// Parameters at the edges of what a double holds: every fault is one of the
// program's own errors, nothing becomes an infinity or a NaN, and a failed
// step keeps what was shown.
void TestHostileInput::extremeParameters()
{
    QFETCH(QString, u);
    QFETCH(QString, n);
    QFETCH(QString, l);
    QFETCH(QString, k);
    QFETCH(QString, traceError);
    QFETCH(QString, calcError);
    setLocale(false);
    Bench b;
    const BenchControls &f = b.c;
    probe::paste(f.anodeVoltageField, u);
    probe::paste(f.turnDensityField, n);
    probe::paste(f.driftLengthField, l);
    QVERIFY(toRegulatorOn(b));
    probe::click(f.sourceSwitch);
    QVERIFY(b.dialogs.errors.isEmpty());

    probe::pressArrow(f.coarseCurrentArrows, TUDBtnType::btNext);
    const int centre = f.screen->picture().width() / 2;
    if (traceError.isEmpty()) {
        QVERIFY2(b.dialogs.errors.isEmpty(), qPrintable(b.dialogs.errors.join('\n')));
    } else {
        QCOMPARE(b.dialogs.errors, QStringList{traceError});
        // A fault in the beam's speed stops the trace before the disc is
        // cleared, so the warm-up line stays; a fault in the points comes
        // after it, and the disc is left dark.
        const bool inSpeed = traceError == "Floating point overflow" || u.startsWith('-');
        QCOMPARE(f.screen->picture().pixel(centre, centre), inSpeed ? qRgb(0, 128, 0) : qRgb(70, 70, 70));
    }
    for (int i = 0; i < 39; ++i) probe::pressArrow(f.coarseCurrentArrows, TUDBtnType::btNext);
    for (int i = 0; i < 7; ++i) probe::pressArrow(f.fineCurrentArrows, TUDBtnType::btNext);
    b.dialogs.clear();

    probe::click(f.sourceLamp);
    probe::paste(f.helixTurnsField, k);
    const probe::Snapshot before = b.snapshot();
    probe::click(f.calculateButton);
    const probe::Snapshot after = b.snapshot();
    if (calcError.isEmpty()) {
        QVERIFY2(b.dialogs.errors.isEmpty(), qPrintable(b.dialogs.errors.join('\n')));
        // The parameters the texts stand for: n per centimetre in whole numbers, l in centimetres.
        const double q = k.toDouble() * std::numbers::pi /
            (((kMu0 * (n.toDouble() * 100)) * (l.toDouble() / 100)) * f.ammeter->value());
        const double em = 8 * u.toDouble() * (q * q);
        QVERIFY(std::isfinite(em));
        QCOMPARE(f.specificChargeField->text(), QString::fromStdString(FormatSpecificCharge(em, ".")) + " Кл/кг");
    } else {
        QCOMPARE(b.dialogs.errors, QStringList{calcError});
        const QStringList changed = probe::unexpectedChanges(before, after, {});
        QVERIFY2(changed.isEmpty(), qPrintable(changed.join('\n')));
    }
    for (const SevenSegmentDisplay *r : {f.ammeter, f.rippleReadout, f.phaseReadout, f.plateLengthReadout})
        QVERIFY(std::isfinite(r->value()));
    QVERIFY(!f.specificChargeField->text().contains("inf", Qt::CaseInsensitive) &&
            !f.specificChargeField->text().contains("nan", Qt::CaseInsensitive));
}

void TestHostileInput::typedThroughTheInputMethod_data()
{
    QTest::addColumn<int>("field");  // 1 to 3 the parameter fields, 4 the calculator's k
    QTest::addColumn<QStringList>("commits");
    QTest::addColumn<QString>("text");
    // dead_acute e, Multi_key 1 2, dead_diaeresis a, dead_circumflex 2
    const QStringList composed{QString::fromUtf8("é"), QString::fromUtf8("½"), QString::fromUtf8("ä"),
                               QString::fromUtf8("²")};
    QTest::newRow("U: composed characters") << 1 << composed << "1400";
    QTest::newRow("n: composed characters") << 2 << composed << "155";
    QTest::newRow("l: composed characters") << 3 << composed << "10";
    QTest::newRow("k: composed characters") << 4 << composed << "1";
    QTest::newRow("U: digits") << 1 << QStringList{"0", "5"} << "140005";
    QTest::newRow("U: an input method's word") << 1 << QStringList{QString::fromUtf8("1,5е3")} << "1400153";
    QTest::newRow("n: Arabic-Indic digits") << 2 << QStringList{QString::fromUtf8("\u0661\u0662")} << "155";
    QTest::newRow("k: zero and seven") << 4 << QStringList{"0", "7"} << "17";
    QTest::newRow("k: a direction control") << 4 << QStringList{QString::fromUtf8("\u202E2")} << "12";
}

// A dead key, the Compose key or an input method editor deliver their
// characters as committed text, not as key presses; the fields' filters see
// them all the same, so no such text gets in.
void TestHostileInput::typedThroughTheInputMethod()
{
    QFETCH(int, field);
    QFETCH(QStringList, commits);
    QFETCH(QString, text);
    Bench b;
    const BenchControls &f = b.c;
    probe::click(f.sourceLamp);  // the calculator shows its k field
    QLineEdit *edits[] = {nullptr, f.anodeVoltageField, f.turnDensityField, f.driftLengthField, f.helixTurnsField};
    QLineEdit *edit = edits[field];
    edit->setFocus();
    edit->end(false);
    for (const QString &c : commits) {
        QInputMethodEvent e;
        e.setCommitString(c);
        QApplication::sendEvent(edit, &e);
    }
    QCOMPARE(edit->text(), text);
    QVERIFY(b.dialogs.errors.isEmpty());
}

QTEST_MAIN(TestHostileInput)
#include "tst_hostile_input.moc"
