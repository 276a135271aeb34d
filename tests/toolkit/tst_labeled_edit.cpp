// The edit fields' key filter, pasting past it, and the caption label that
// follows its field; the self-sizing label's measures.
#include "toolkit/labeled_edit.h"
#include "toolkit/text_label.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTest>

namespace {

// Lets through what the bench's parameter fields take: digits and backspace.
void digitsOnly(QChar &key)
{
    if (key != QChar(8) && !(key >= u'0' && key <= u'9')) key = QChar(0);
}

QFont times(int pixels, bool bold)
{
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

} // namespace

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

    void ctrlLettersArriveAsControlCharacters()
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
        QApplication::clipboard()->setText(QStringLiteral("abc"));
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(seen, QList<QChar>{QChar(22)});
        // Ctrl+V is a typed control character here, so the filter stops the paste.
        QCOMPARE(edit->text(), QString());
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
        edit->paste();   // what the context menu's Paste does
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
