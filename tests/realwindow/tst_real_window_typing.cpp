// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever a student types or pastes: dead keys and Compose sequences,
// which reach a field through the input method and not as plain key
// presses, leave only what the field's filter lets through; Ctrl+A selects
// a field's text for what is typed next; and two hundred
// pastes of a long text leave the program's memory where it was. A field's
// text is read back as the X selection its selected text becomes.
#include "scenario.h"
#include "wait.h"

#include <QFile>
#include <QRegularExpression>

namespace {

// Ten keys a second: as fast as a person types a dead key or a Compose
// sequence.
constexpr int kPersonsKeyDelayMs = 100;

// Selects a field's whole text and reads it back as the PRIMARY selection.
// The selection is marked first: what was selected before must not pass for
// the field's text while the program has yet to select it.
QString fieldText(const BenchOnScreen &b, QRect field)
{
    const QByteArray mark = "(nothing selected yet)";
    QFile markFile(b.x.scratchPath() + "/selection-mark.txt");
    if (!markFile.open(QIODevice::WriteOnly) || markFile.write(mark) != mark.size()) return QString();
    markFile.close();
    b.x.run("xclip", {"-selection", "primary", "-i", markFile.fileName()});
    b.input.click(b.centre(field));
    b.input.keys({"End", "shift+Home"});
    QString text;
    waitFor([&] {
        const ToolResult r = b.x.run("xclip", {"-o", "-selection", "primary"}, 5000);
        text = QString::fromUtf8(r.out);
        return r.ok() && r.out != mark;
    });
    return text;
}

}  // namespace

class TestRealWindowTyping : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void deadKeysAndComposeLeaveOnlyDigits_data();
    void deadKeysAndComposeLeaveOnlyDigits();
    void ctrlASelectsTheWholeTurnCount();
    void pastesKeepMemoryBounded();

private:
    std::unique_ptr<XSession> x;
};

void TestRealWindowTyping::initTestCase()
{
    REQUIRE_DISPLAY(x, QSize(1024, 768));
}

void TestRealWindowTyping::deadKeysAndComposeLeaveOnlyDigits_data()
{
    QTest::addColumn<QRect BenchPlan::*>("field");
    QTest::addColumn<QString>("before");
    QTest::newRow("anodeVoltageField") << &BenchPlan::anodeVoltageField << "1400";
    QTest::newRow("turnDensityField") << &BenchPlan::turnDensityField << "155";
    QTest::newRow("driftLengthField") << &BenchPlan::driftLengthField << "10";
    QTest::newRow("helixTurnsField") << &BenchPlan::helixTurnsField << "1";
}

void TestRealWindowTyping::deadKeysAndComposeLeaveOnlyDigits()
{
    QFETCH(QRect BenchPlan::*, field);
    QFETCH(QString, before);
    BenchOnScreen b(*x);
    VERIFY_DONE(b.start());
    // The calculator's field shows once the source lamp is clicked.
    if (field == &BenchPlan::helixTurnsField) b.click(b.plan.sourceLamp);
    QCOMPARE(fieldText(b, b.plan.*field), before);

    // é, ½, ä and ² through dead keys and the Compose key, a letter, and one
    // digit that every field takes. On a busy machine the input stack may
    // still lose a composition and type its keys as they are: digits, which
    // the filter rightly takes. Only such a loss, a text of plain digits, is
    // typed again; a filter that lets anything else in fails at once, and one
    // that turns ² into 2 fails every time.
    QString typed;
    for (int attempt = 0; attempt < 3; ++attempt) {
        b.input.click(b.centre(b.plan.*field));
        if (attempt > 0) {
            QStringList again{"ctrl+a"};
            for (const QChar digit : before) again << QString(digit);
            b.input.keys(again);
        }
        b.input.keys(
            {"End", "dead_acute", "e", "Multi_key", "1", "2", "dead_diaeresis", "a", "dead_circumflex", "2", "x", "7"},
            kPersonsKeyDelayMs);
        typed = fieldText(b, b.plan.*field);
        static const QRegularExpression plainDigits(QStringLiteral("^[0-9]*$"));
        if (typed == before + "7" || !plainDigits.match(typed).hasMatch()) break;
        qInfo("a composition was lost on the way: %s", qPrintable(typed));
    }
    QCOMPARE(typed, before + "7");
}

// The turn count reads 1; Ctrl+A and a 4 leave 4, not 14.
void TestRealWindowTyping::ctrlASelectsTheWholeTurnCount()
{
    BenchOnScreen b(*x);
    VERIFY_DONE(b.start());
    b.click(b.plan.sourceLamp);
    b.input.click(b.centre(b.plan.helixTurnsField));
    b.input.keys({"ctrl+a", "4"});
    QCOMPARE(fieldText(b, b.plan.helixTurnsField), QStringLiteral("4"));
}

void TestRealWindowTyping::pastesKeepMemoryBounded()
{
    BenchOnScreen b(*x);
    VERIFY_DONE(b.start());

    // The clipboard holds 32,767 characters, the most a field ever held.
    const QString path = x->scratchPath() + "/long.txt";
    QFile text(path);
    QVERIFY(text.open(QIODevice::WriteOnly));
    QByteArray digits;
    while (digits.size() < 32767) digits += "1234567890";
    digits.truncate(32767);
    text.write(digits);
    text.close();
    QProcess owner;
    x->startBeside(owner, "xclip", {"-quiet", "-selection", "clipboard", "-i", path});
    QVERIFY(waitFor([&] { return x->run("xclip", {"-o", "-selection", "clipboard"}).out.size() == 32767; }));

    // Two hundred times: select the field's text and paste over it.
    b.input.click(b.centre(b.plan.anodeVoltageField));
    const qint64 start = b.process.residentKiB();
    for (int batch = 0; batch < 20; ++batch) {
        QStringList keys;
        for (int i = 0; i < 10; ++i)
            keys << "End"
                 << "shift+Home"
                 << "shift+Insert";
        b.input.keys(keys);
    }
    // The field's text read back: every paste has been handled by then.
    const QString pasted = fieldText(b, b.plan.anodeVoltageField);
    const qint64 end = b.process.residentKiB();
    owner.kill();
    owner.waitForFinished(5000);
    qInfo("resident memory: %lld KiB before the pastes, %lld KiB after", start, end);
    QVERIFY2(!pasted.isEmpty() && QByteArray(digits).startsWith(pasted.toLatin1()),
             qPrintable("the field holds \"" + pasted.left(40) + "…\""));
    QVERIFY(b.process.alive());
    QVERIFY2(b.boxes().isEmpty(), "pasting opened a box");
    QVERIFY2(end - start <= 10 * 1024, qPrintable(QString("grew by %1 KiB").arg(end - start)));
}

QTEST_GUILESS_MAIN(TestRealWindowTyping)
#include "tst_real_window_typing.moc"
