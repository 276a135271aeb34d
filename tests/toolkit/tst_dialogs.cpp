// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own error box, shown for real (a modal box with its own
// event loop): a message quoting a long pasted text shows its two ends, and
// the box stays within the screen however the text runs.
#include "toolkit/dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

struct SeenBox {
    bool seen = false;
    QRect frame;
    QString text;
};

// Shows the error box and reads it while its own event loop runs.
SeenBox showErrorAndRead(const QString &message)
{
    SeenBox seen;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) return;
        seen = {true, box->frameGeometry(), box->text()};
        box->accept();
    });
    dialogs().showError(message);
    return seen;
}

bool hasUnpairedSurrogate(const QString &s)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            ++i;
        else if (s[i].isSurrogate())
            return true;
    }
    return false;
}

QString quoted(const QString &text)
{
    return "'" + text + "' is not a valid integer value";
}

}  // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void errorBoxFitsTheScreen_data();
    void errorBoxFitsTheScreen();
};

void TestDialogs::errorBoxFitsTheScreen_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");  // the text shown, line-break opportunities aside
    const QString digits400 = quoted(QString(400, u'9'));
    const QString digitsField = quoted(QString(32767, u'9'));
    const QString cyrillic = quoted(QString(2000, u'Ж'));
    const QString ideographs = quoted(QString(1000, u'漢'));
    QTest::newRow("ordinary message") << "Floating point division by zero"
                                      << "Floating point division by zero";
    QTest::newRow("400 digits") << digits400 << digits400.left(200) + " … " + digits400.right(200);
    QTest::newRow("a field's worth of digits") << digitsField << digitsField.left(200) + " … " + digitsField.right(200);
    QTest::newRow("long Cyrillic word") << cyrillic << cyrillic.left(200) + " … " + cyrillic.right(200);
    QTest::newRow("ideographs") << ideographs << ideographs.left(200) + " … " + ideographs.right(200);
    // 300 faces beyond 16 bits: the 200th and the 200th-last 16-bit units are
    // halves of a pair, so each end keeps 199.
    const QString faces = "'" + QString::fromUtf8("\U0001F600").repeated(300) + "' is not a valid floating point value";
    QTest::newRow("pairs at both cuts") << faces << faces.left(199) + " … " + faces.right(199);
    QTest::newRow("digits just short of shortening") << quoted(QString(367, u'1')) << quoted(QString(367, u'1'));
}

void TestDialogs::errorBoxFitsTheScreen()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    const SeenBox box = showErrorAndRead(message);
    QVERIFY(box.seen);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(screen.contains(box.frame),
             qPrintable(QString("box %1,%2 %3x%4 on a %5x%6 screen")
                            .arg(box.frame.x())
                            .arg(box.frame.y())
                            .arg(box.frame.width())
                            .arg(box.frame.height())
                            .arg(screen.width())
                            .arg(screen.height())));
    QString text = box.text;
    text.remove(QChar(0x200B));
    QCOMPARE(text, shown);
    QVERIFY(!hasUnpairedSurrogate(box.text));
    // An ordinary message keeps its lines as they are.
    if (message.size() < 100) QCOMPARE(box.text, message);
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
