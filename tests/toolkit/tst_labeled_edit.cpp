// SPDX-License-Identifier: GPL-3.0-or-later
// The edit fields' key filter (by key and through the input method), pasting
// past it, the order a field shows, its bounded undo history, and the caption
// label that follows its field; the self-sizing label's measures.
#include "toolkit/labeled_edit.h"
#include "toolkit/text_label.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTest>
#if defined(__SANITIZE_ADDRESS__)
// From AddressSanitizer's run-time library (GCC ships no header for it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace {

// Lets through what the bench's parameter fields take: digits and backspace.
void digitsOnly(QChar &key)
{
    if (key != QChar(8) && !(key >= u'0' && key <= u'9')) key = QChar(0);
}

// What the input method commits after a dead key or a Compose sequence.
void commit(QWidget *w, const QString &text, int replaceFrom = 0, int replaceLength = 0)
{
    QInputMethodEvent e;
    e.setCommitString(text, replaceFrom, replaceLength);
    QApplication::sendEvent(w, &e);
}

// The bytes the heap holds for the program: its own allocator's count under
// AddressSanitizer (whose quarantine keeps freed memory resident), glibc's
// otherwise.
qint64 heapBytes()
{
#if defined(__SANITIZE_ADDRESS__)
    return qint64(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
#endif
}

QFont times(int pixels, bool bold)
{
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

}  // namespace

class TstLabeledEdit : public QObject {
    Q_OBJECT

private slots:
    void filterSeesTypedCharactersAndCanDiscardThem()
    {
        QWidget host;
        auto *edit = new TEdit(&host);
        QList<QChar> seen;
        edit->setOnKeyPress([&](QChar &key) {
            seen << key;
            digitsOnly(key);
        });
        host.show();
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("1a2 -3,4."));
        QCOMPARE(edit->text(), QStringLiteral("1234"));
        QCOMPARE(seen.size(), 9);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QStringLiteral("123"));
        QCOMPARE(seen.last(), QChar(8));
        // Control characters reach the filter too, and are discarded by it.
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(seen.mid(seen.size() - 2), (QList<QChar>{QChar(13), QChar(27)}));
        // A non-Latin digit is not a digit 0 to 9.
        QKeyEvent arabicThree(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(0x0663)));
        QApplication::sendEvent(edit, &arabicThree);
        QCOMPARE(edit->text(), QStringLiteral("123"));
    }

    void keysThatTypeNothingBypassTheFilter()
    {
        QWidget host;
        auto *edit = new TEdit(&host);
        int calls = 0;
        edit->setOnKeyPress([&](QChar &key) {
            ++calls;
            digitsOnly(key);
        });
        edit->setText(QStringLiteral("1234"));
        host.show();
        edit->setFocus();
        edit->setCursorPosition(0);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClick(edit, Qt::Key_Right);
        QTest::keyClick(edit, Qt::Key_End);
        QCOMPARE(calls, 0);
        QCOMPARE(edit->text(), QStringLiteral("234"));
    }

    void editingShortcutsBypassTheFilter()
    {
        // Select all, paste and undo edit the field as in any other; other
        // Ctrl+letters still arrive as control characters.
        QWidget host;
        auto *edit = new TEdit(&host);
        QList<QChar> seen;
        edit->setOnKeyPress([&](QChar &key) {
            seen << key;
            digitsOnly(key);
        });
        host.show();
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("12"));
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, QStringLiteral("4"));
        QCOMPARE(edit->text(), QStringLiteral("4"));
        QApplication::clipboard()->setText(QStringLiteral("abc"));
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), QStringLiteral("4abc"));
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(edit->text(), QStringLiteral("4"));
        QTest::keyClick(edit, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(seen, (QList<QChar>{QChar(u'1'), QChar(u'2'), QChar(u'4'), QChar(2)}));
        QCOMPARE(edit->text(), QStringLiteral("4"));
    }

    void pastingBypassesTheFilter()
    {
        QWidget host;
        auto *edit = new TEdit(&host);
        int calls = 0;
        edit->setOnKeyPress([&](QChar &key) {
            ++calls;
            digitsOnly(key);
        });
        host.show();
        edit->setFocus();
        QApplication::clipboard()->setText(QStringLiteral("12x"));
        QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(edit->text(), QStringLiteral("12x"));
        edit->clear();
        edit->paste();  // what the context menu's Paste does
        QCOMPARE(edit->text(), QStringLiteral("12x"));
        QCOMPARE(calls, 0);
    }

    void filterCanReplaceTheCharacter()
    {
        QWidget host;
        auto *edit = new TEdit(&host);
        edit->setOnKeyPress([](QChar &key) { key = key.toUpper(); });
        host.show();
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("ab1"));
        QCOMPARE(edit->text(), QStringLiteral("AB1"));
    }

    void inputMethodTextPassesTheFilter_data()
    {
        QTest::addColumn<QString>("committed");
        QTest::addColumn<int>("replaceFrom");
        QTest::addColumn<int>("replaceLength");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("calls");  // characters the filter saw
        // The field holds "14" with the cursor at its end.
        QTest::newRow("dead acute, e") << QString::fromUtf8("é") << 0 << 0 << "14" << 1;
        QTest::newRow("Compose 1 2") << QString::fromUtf8("½") << 0 << 0 << "14" << 1;
        QTest::newRow("dead diaeresis, a") << QString::fromUtf8("ä") << 0 << 0 << "14" << 1;
        QTest::newRow("dead circumflex, 2") << QString::fromUtf8("²") << 0 << 0 << "14" << 1;
        QTest::newRow("a digit") << "5" << 0 << 0 << "145" << 1;
        QTest::newRow("digits and letters") << QString::fromUtf8("1é2") << 0 << 0 << "1412" << 3;
        QTest::newRow("beyond 16 bits, in halves") << QString::fromUtf8("\U0001D7D9") << 0 << 0 << "14" << 2;
        // An input method that replaces the character before the cursor.
        QTest::newRow("a digit replacing one") << "7" << -1 << 1 << "17" << 1;
        QTest::newRow("nothing typed replaces nothing") << QString::fromUtf8("é") << -1 << 1 << "14" << 1;
        // Backspace passes the filter as a key, but is no text to insert.
        QTest::newRow("control characters are no keys") << "\b5\t" << 0 << 0 << "145" << 1;
    }

    void inputMethodTextPassesTheFilter()
    {
        QFETCH(QString, committed);
        QFETCH(int, replaceFrom);
        QFETCH(int, replaceLength);
        QFETCH(QString, text);
        QFETCH(int, calls);
        QWidget host;
        auto *edit = new TEdit(&host);
        int seen = 0;
        edit->setOnKeyPress([&](QChar &key) {
            ++seen;
            digitsOnly(key);
        });
        edit->setText(QStringLiteral("14"));
        host.show();
        edit->setFocus();
        commit(edit, committed, replaceFrom, replaceLength);
        QCOMPARE(edit->text(), text);
        QCOMPARE(seen, calls);
    }

    void inputMethodKeepsComposingAndReplacesWhatTheFilterMadeOfIt()
    {
        QWidget host;
        auto *edit = new TEdit(&host);
        int calls = 0;
        edit->setOnKeyPress([&](QChar &key) {
            ++calls;
            key = key.toUpper();
        });
        host.show();
        edit->setFocus();
        // Text still being composed is no typed character.
        QInputMethodEvent composing(QString::fromUtf8("é"), {});
        QApplication::sendEvent(edit, &composing);
        QCOMPARE(calls, 0);
        QCOMPARE(edit->text(), QString());
        commit(edit, QStringLiteral("ab"));
        QCOMPARE(edit->text(), QStringLiteral("AB"));
        QCOMPARE(calls, 2);
    }

    void aKeyTypingSeveralCharactersPassesEachOfThem()
    {
        QWidget host;
        auto *edit = new TEdit(&host);
        edit->setOnKeyPress(digitsOnly);
        host.show();
        edit->setFocus();
        QKeyEvent several(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("1é2"));
        QApplication::sendEvent(edit, &several);
        QCOMPARE(edit->text(), QStringLiteral("12"));
    }

    void withoutAFilterTheInputMethodTypesEverything()
    {
        QWidget host;
        auto *edit = new TEdit(&host);
        host.show();
        edit->setFocus();
        commit(edit, QString::fromUtf8("é½"));
        QCOMPARE(edit->text(), QString::fromUtf8("é½"));
    }

    void directionControlsAreShownByTheirCode_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("cursor");
        QTest::newRow("right-to-left override") << QString::fromUtf8("\u202E1400") << "<U+202E>1400" << 12;
        QTest::newRow("right-to-left isolate") << QString::fromUtf8("\u2067-5\u2069") << "<U+2067>-5<U+2069>" << 18;
        QTest::newRow("right-to-left mark") << QString::fromUtf8("\u200F12") << "<U+200F>12" << 10;
        QTest::newRow("a line break is no direction control") << "1\n2"
                                                              << "1\n2" << 3;
    }

    // A right-to-left override would show "1400" as "0041"; the field shows
    // its text in the order it holds it, the control by its code.
    void directionControlsAreShownByTheirCode()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, shown);
        QFETCH(int, cursor);
        QWidget host;
        auto *edit = new TEdit(&host);
        edit->setOnKeyPress(digitsOnly);
        host.show();
        edit->setFocus();
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(edit->text(), shown);
        QCOMPARE(edit->cursorPosition(), cursor);
        // Set by the program, too.
        edit->setText(pasted);
        QCOMPARE(edit->text(), shown);
    }

    void fieldsReadLeftToRightInAnyWindow()
    {
        QImage pictures[2];
        for (const Qt::LayoutDirection d : {Qt::LeftToRight, Qt::RightToLeft}) {
            QWidget host;
            host.setLayoutDirection(d);
            auto *edit = new TEdit(&host);
            edit->resize(89, 27);
            edit->setText(QStringLiteral("-5"));
            edit->setCursorPosition(0);
            host.show();
            QCOMPARE(edit->layoutDirection(), Qt::LeftToRight);
            pictures[d == Qt::RightToLeft] = edit->grab().toImage();
        }
        QCOMPARE(pictures[1], pictures[0]);
    }

    void longPastesDoNotPileUpInTheUndoHistory()
    {
        QWidget host;
        auto *edit = new TEdit(&host);
        edit->setOnKeyPress(digitsOnly);
        host.show();
        edit->setFocus();
        // Typing keeps its undo step.
        QTest::keyClicks(edit, QStringLiteral("12"));
        edit->undo();
        QCOMPARE(edit->text(), QString());
        // A long paste in the middle keeps the cursor after it and cannot be undone.
        edit->setText(QStringLiteral("1234"));
        edit->setCursorPosition(2);
        QApplication::clipboard()->setText(QString(5000, u'x'));
        edit->paste();
        QCOMPARE(edit->text(), QStringLiteral("12") + QString(5000, u'x') + QStringLiteral("34"));
        QCOMPARE(edit->cursorPosition(), 5002);
        QVERIFY(!edit->isUndoAvailable());
        // Typing over it all drops the history again, and keeps the next steps.
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("5"));
        QVERIFY(!edit->isUndoAvailable());
        QTest::keyClicks(edit, QStringLiteral("6"));
        QVERIFY(edit->isUndoAvailable());

        // Each paste of a field's worth kept a megabyte and more for good.
        QApplication::clipboard()->setText(QString(32767, u'9'));
        const qint64 before = heapBytes();
        for (int i = 0; i < 50; ++i) {
            edit->selectAll();
            edit->paste();
        }
        const qint64 grown = heapBytes() - before;
        QVERIFY2(before > 0 && grown < 10 << 20, qPrintable(QString("the heap grew by %1 kB").arg(grown >> 10)));
        QCOMPARE(edit->text(), QString(32767, u'9'));
    }

    void withoutAFilterEverythingIsTyped()
    {
        QWidget host;
        auto *edit = new TEdit(&host);
        host.show();
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("x,1"));
        QCOMPARE(edit->text(), QStringLiteral("x,1"));
    }

    void captionLabelSitsAboveAndFollowsTheField()
    {
        QWidget host;
        host.resize(300, 300);
        auto *edit = new TLabeledEdit(&host);
        edit->EditLabel()->setFont(times(13, true));
        edit->EditLabel()->setCaption(QStringLiteral("U, B"));
        QCOMPARE(edit->EditLabel()->parentWidget(), &host);
        QCOMPARE(edit->EditLabel()->height(), 15);
        host.show();
        edit->setGeometry(40, 100, 89, 27);
        QCOMPARE(edit->EditLabel()->pos(), QPoint(40, 100 - 15 - 3));
        edit->move(60, 200);
        QCOMPARE(edit->EditLabel()->pos(), QPoint(60, 182));
        edit->setLabelSpacing(5);
        QCOMPARE(edit->EditLabel()->pos(), QPoint(60, 180));

        edit->setEnabled(false);
        QVERIFY(!edit->EditLabel()->isEnabled());
        edit->setEnabled(true);
        QVERIFY(edit->EditLabel()->isEnabled());
        edit->hide();
        QVERIFY(edit->EditLabel()->isHidden());
        edit->show();
        QVERIFY(edit->EditLabel()->isVisible());
    }

    void labelMeasuresItsTextAsTheDesktopDoes()
    {
        // Ascent and descent each rounded up: 16-pixel Times is 19 high, 13-pixel bold 15.
        TLabel label(QStringLiteral("d,cм"));
        label.setFont(times(16, false));
        QCOMPARE(label.height(), 19);
        QCOMPARE(label.width(), QFontMetrics(times(16, false)).horizontalAdvance(QStringLiteral("d,cм")));
        const int narrow = label.width();
        label.setCaption(QStringLiteral("Сдвиг фаз, pi"));
        QVERIFY(label.width() > narrow);
        QCOMPARE(label.height(), 19);
        label.setFont(times(13, true));
        QCOMPARE(label.height(), 15);
        QCOMPARE(textHeight(times(16, false)), 19);
    }
};

QTEST_MAIN(TstLabeledEdit)
#include "tst_labeled_edit.moc"
