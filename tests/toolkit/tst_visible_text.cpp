// SPDX-License-Identifier: GPL-3.0-or-later
// Characters that show nothing as themselves, made visible for messages, and
// the bidirectional controls made visible for the fields.
#include "toolkit/visible_text.h"

#include <QTest>

class TestVisibleText : public QObject {
    Q_OBJECT
private slots:
    void visibleText_data();
    void visibleText();
    void directionControls_data();
    void directionControls();
};

void TestVisibleText::visibleText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("digits") << "1400"
                            << "1400";
    QTest::newRow("blanks stay") << " 1 000 "
                                 << " 1 000 ";
    QTest::newRow("no-break space stays") << QString::fromUtf8("1\u00A0000") << QString::fromUtf8("1\u00A0000");
    QTest::newRow("Cyrillic") << QString::fromUtf8("пять") << QString::fromUtf8("пять");
    QTest::newRow("Arabic-Indic digit") << QString::fromUtf8("\u0663") << QString::fromUtf8("\u0663");
    QTest::newRow("combining accent stays on its letter")
        << QString::fromUtf8("e\u0301") << QString::fromUtf8("e\u0301");
    QTest::newRow("pair beyond 16 bits") << QString::fromUtf8("1\U0001F600") << QString::fromUtf8("1\U0001F600");
    QTest::newRow("NUL") << QString("1") + QChar(0) + "2" << QString::fromUtf8("1␀2");
    QTest::newRow("tab") << "\t7" << QString::fromUtf8("␉7");
    QTest::newRow("line feed") << "1\n2" << QString::fromUtf8("1␊2");
    QTest::newRow("CR LF") << "12\r\n" << QString::fromUtf8("12␍␊");
    QTest::newRow("escape") << "\x1b"
                               "5"
                            << QString::fromUtf8("␛5");
    QTest::newRow("unit separator") << "\x1f" << QString::fromUtf8("␟");
    QTest::newRow("delete") << "5\x7f" << QString::fromUtf8("5␡");
    QTest::newRow("next line (C1)") << QString::fromUtf8("1\u00852") << "1<U+0085>2";
    QTest::newRow("last C1 control") << QString::fromUtf8("\u009F") << "<U+009F>";
    QTest::newRow("right-to-left override") << QString::fromUtf8("\u202E1400") << "<U+202E>1400";
    QTest::newRow("embeddings and pop") << QString::fromUtf8("\u202A1\u202B2\u202C") << "<U+202A>1<U+202B>2<U+202C>";
    QTest::newRow("left-to-right override") << QString::fromUtf8("\u202D5") << "<U+202D>5";
    QTest::newRow("isolates") << QString::fromUtf8("\u20661\u20672\u20683\u2069")
                              << "<U+2066>1<U+2067>2<U+2068>3<U+2069>";
    QTest::newRow("marks") << QString::fromUtf8("\u200E1\u200F2\u061C3") << "<U+200E>1<U+200F>2<U+061C>3";
    QTest::newRow("zero-width space and joiners")
        << QString::fromUtf8("1\u200B2\u200C3\u200D") << "1<U+200B>2<U+200C>3<U+200D>";
    // (fromUtf8 would take a leading byte order mark for the encoding's)
    QTest::newRow("byte order mark") << QChar(0xFEFF) + QString("12") << "<U+FEFF>12";
    QTest::newRow("soft hyphen") << QString::fromUtf8("1\u00AD2") << "1<U+00AD>2";
    QTest::newRow("line and paragraph separators") << QString::fromUtf8("1\u20282\u2029") << "1<U+2028>2<U+2029>";
    QTest::newRow("format character beyond 16 bits") << QString::fromUtf8("\U000E00017") << "<U+E0001>7";
    QTest::newRow("unpaired high surrogate") << QString("1") + QChar(0xD800) + "2"
                                             << "1<U+D800>2";
    QTest::newRow("unpaired low surrogate") << QString(QChar(0xDC00)) << "<U+DC00>";
    QTest::newRow("low before high") << QString(QChar(0xDC00)) + QChar(0xD800) << "<U+DC00><U+D800>";
}

void TestVisibleText::visibleText()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(::visibleText(text), shown);
}

void TestVisibleText::directionControls_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("digits") << "1400"
                            << "1400";
    QTest::newRow("line feed stays") << "1\n2"
                                     << "1\n2";
    QTest::newRow("zero-width space stays") << QString::fromUtf8("1\u200B2") << QString::fromUtf8("1\u200B2");
    QTest::newRow("right-to-left override") << QString::fromUtf8("\u202E1400") << "<U+202E>1400";
    QTest::newRow("every direction control")
        << QString::fromUtf8("\u061C\u200E\u200F\u202A\u202B\u202C\u202D\u202E\u2066\u2067\u2068\u2069")
        << "<U+061C><U+200E><U+200F><U+202A><U+202B><U+202C><U+202D><U+202E><U+2066><U+2067><U+2068><U+2069>";
    QTest::newRow("neighbours are not controls")
        << QString::fromUtf8("\u2029\u202F\u2065\u206A") << QString::fromUtf8("\u2029\u202F\u2065\u206A");
}

void TestVisibleText::directionControls()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(visibleDirectionControls(text), shown);
}

QTEST_APPLESS_MAIN(TestVisibleText)
#include "tst_visible_text.moc"
