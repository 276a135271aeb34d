// The eight lab documents the menu opens: built into Files/ under the build
// folder (the tests' working directory), laid out without cut tables, stray
// headings or blank pages, and the tool that makes them.
#include "pdf_pages.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace {

struct Document {
    const char *source;
    const char *name;
    int pages;
};

// The names are the ones the bench's menu opens; the page counts are those
// the documents are written for.
const Document kDocuments[] = {
    {"title_real.html", "Титульный лист(Р).pdf", 1},
    {"theory_real.html", "Теория(Р).pdf", 3},
    {"procedure_real.html", "Порядок выполнения(Р).pdf", 2},
    {"questions_real.html", "Контрольные вопросы(Р).pdf", 1},
    {"title_computer.html", "Титульный лист(К).pdf", 1},
    {"procedure_computer.html", "Порядок выполнения(К).pdf", 2},
    {"user_guide_computer.html", "Руководство пользователя(К).pdf", 5},
    {"help.html", "Справка.pdf", 1},
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString readSource(const QString &name)
{
    return QString::fromUtf8(readAll(QStringLiteral(EMLAB_LAB_SOURCES "/") + name));
}

// Page objects of a PDF: "/Type /Page", not the page tree's "/Type /Pages".
int pdfPageCount(const QByteArray &pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![A-Za-z])"));
    return int(QString::fromLatin1(pdf).count(page));
}

int pageOf(double y) { return int(y / pageBodySize().height()); }

QString fillerParagraphs(int count)
{
    QString html;
    for (int i = 0; i < count; ++i)
        html += QStringLiteral("<p>Строка %1 текста.</p>").arg(i);
    return html;
}

QString tableRows(int rows)
{
    QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" width=\"100%\">");
    for (int i = 0; i < rows; ++i)
        html += QStringLiteral("<tr><td>ячейка %1</td><td>значение</td></tr>").arg(i);
    return html + QStringLiteral("</table>");
}

// Faults in a laid-out document, described for the failure message:
// a table shorter than a page across a page boundary, a one-line block left
// at the foot of a page while the block after it starts the next page, and
// pages with nothing on them.
QStringList layoutFaults(QTextDocument &doc)
{
    QStringList faults;
    QAbstractTextDocumentLayout *layout = doc.documentLayout();
    const double pageHeight = pageBodySize().height();
    const int pages = doc.pageCount();
    QList<bool> used(pages, false);

    for (QTextFrame *frame : doc.rootFrame()->childFrames()) {
        auto *table = qobject_cast<QTextTable *>(frame);
        if (!table)
            continue;
        const QRectF box = layout->frameBoundingRect(table);
        if (box.height() < pageHeight && pageOf(box.top()) != pageOf(box.bottom() - 1))
            faults << QStringLiteral("table starting \"%1\" is cut by a page boundary")
                          .arg(doc.findBlock(table->firstPosition()).text());
    }
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QRectF here = layout->blockBoundingRect(block);
        if (!block.text().trimmed().isEmpty() && pageOf(here.top()) < pages)
            used[pageOf(here.top())] = true;
        const QTextBlock next = block.next();
        if (!next.isValid() || block.text().trimmed().isEmpty() || block.textList()
            || QTextCursor(block).currentFrame() != doc.rootFrame() || block.layout()->lineCount() != 1
            || (next.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore))
            continue;
        if (pageOf(here.top()) < pageOf(layout->blockBoundingRect(next).top()))
            faults << QStringLiteral("\"%1\" is left alone at the foot of page %2")
                          .arg(block.text())
                          .arg(pageOf(here.top()) + 1);
    }
    for (int page = 0; page < pages; ++page)
        if (!used[page])
            faults << QStringLiteral("page %1 is blank").arg(page + 1);
    return faults;
}

} // namespace

class TestDocuments : public QObject {
    Q_OBJECT

private slots:
    void builtDocuments_data();
    void builtDocuments();
    void sourcesLayOutCleanly_data();
    void sourcesLayOutCleanly();
    void tableCutByAPageMovesWholeWithItsHeading();
    void headingAtTheFootOfAPageMovesOn();
    void forcedBreaksMakeNoBlankPages();
    void tableTallerThanAPageIsLeftToRun();
    void toolWritesADocument();
    void toolFailsWithoutLeavingAFile();
};

void TestDocuments::builtDocuments_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("pages");
    for (const Document &d : kDocuments)
        QTest::newRow(d.source) << QString::fromLatin1(d.source) << QString::fromUtf8(d.name) << d.pages;
}

void TestDocuments::builtDocuments()
{
    QFETCH(QString, source);
    QFETCH(QString, name);
    QFETCH(int, pages);

    // The menu opens "Files\<name>" relative to the working directory.
    const QString path = QDir::current().filePath(QStringLiteral("Files/") + name);
    QVERIFY2(QFile::exists(path), qPrintable(path + QStringLiteral(" is missing")));
    const QByteArray pdf = readAll(path);
    QVERIFY(pdf.size() > 1000);
    QVERIFY(pdf.startsWith("%PDF-"));
    QVERIFY(pdf.trimmed().endsWith("%%EOF"));
    QVERIFY2(pdf.contains("/FontFile2"), "the document embeds no font");
    QCOMPARE(pdfPageCount(pdf), pages);

    // Every page laid out was written.
    QTextDocument doc;
    loadDocument(doc, readSource(source), readSource(QStringLiteral("style.css")));
    QCOMPARE(doc.pageCount(), pages);
}

void TestDocuments::sourcesLayOutCleanly_data()
{
    QTest::addColumn<QString>("source");
    for (const Document &d : kDocuments)
        QTest::newRow(d.source) << QString::fromLatin1(d.source);
}

void TestDocuments::sourcesLayOutCleanly()
{
    QFETCH(QString, source);
    const QString html = readSource(source);
    QVERIFY(!html.isEmpty());
    QTextDocument doc;
    loadDocument(doc, html, readSource(QStringLiteral("style.css")));
    QVERIFY(!doc.metaInformation(QTextDocument::DocumentTitle).isEmpty());
    const QStringList faults = layoutFaults(doc);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
}

void TestDocuments::tableCutByAPageMovesWholeWithItsHeading()
{
    // Find a filler length that makes Qt cut the table, then check the mend.
    for (int filler = 20; filler < 80; ++filler) {
        const QString html = fillerParagraphs(filler) + QStringLiteral("<p>Заголовок таблицы</p>") + tableRows(10);
        QTextDocument raw;
        layOutDocument(raw, html, QString());
        QTextTable *rawTable = qobject_cast<QTextTable *>(raw.rootFrame()->childFrames().first());
        const QRectF rawBox = raw.documentLayout()->frameBoundingRect(rawTable);
        if (pageOf(rawBox.top()) == pageOf(rawBox.bottom() - 1))
            continue;

        QTextDocument doc;
        loadDocument(doc, html, QString());
        QTextTable *table = qobject_cast<QTextTable *>(doc.rootFrame()->childFrames().first());
        const QRectF box = doc.documentLayout()->frameBoundingRect(table);
        QCOMPARE(pageOf(box.top()), pageOf(box.bottom() - 1));
        const QTextBlock heading = doc.findBlock(table->firstPosition() - 1);
        QCOMPARE(heading.text(), QStringLiteral("Заголовок таблицы"));
        QCOMPARE(pageOf(doc.documentLayout()->blockBoundingRect(heading).top()), pageOf(box.top()));
        QVERIFY(layoutFaults(doc).isEmpty());
        return;
    }
    QFAIL("no filler length made the table cross a page");
}

void TestDocuments::headingAtTheFootOfAPageMovesOn()
{
    // Paragraphs of several lines, so that the page can end just after a
    // one-line heading; find where that happens without the mend.
    QString paragraph = QStringLiteral("<p>");
    for (int i = 0; i < 60; ++i)
        paragraph += QStringLiteral("слово ");
    paragraph += QStringLiteral("</p>");
    for (int before = 3; before < 60; ++before) {
        for (int lines = 0; lines < 6; ++lines) {
            const QString html = paragraph.repeated(before) + fillerParagraphs(lines)
                + QStringLiteral("<p>Заголовок раздела</p>") + paragraph.repeated(3);
            QTextDocument raw;
            layOutDocument(raw, html, QString());
            QTextBlock rawHeading = raw.begin();
            while (rawHeading.isValid() && rawHeading.text() != QStringLiteral("Заголовок раздела"))
                rawHeading = rawHeading.next();
            QVERIFY(rawHeading.isValid());
            QAbstractTextDocumentLayout *rawLayout = raw.documentLayout();
            if (pageOf(rawLayout->blockBoundingRect(rawHeading).top())
                == pageOf(rawLayout->blockBoundingRect(rawHeading.next()).top()))
                continue;

            QTextDocument doc;
            loadDocument(doc, html, QString());
            QTextBlock heading = doc.begin();
            while (heading.text() != QStringLiteral("Заголовок раздела"))
                heading = heading.next();
            QAbstractTextDocumentLayout *layout = doc.documentLayout();
            QCOMPARE(pageOf(layout->blockBoundingRect(heading).top()),
                     pageOf(layout->blockBoundingRect(heading.next()).top()));
            QVERIFY(layoutFaults(doc).isEmpty());
            return;
        }
    }
    QFAIL("no layout put the heading at the foot of a page");
}

void TestDocuments::forcedBreaksMakeNoBlankPages()
{
    // Sections that each start a page, one ending in a table; the empty block
    // Qt keeps after a table must not push the next section a page further.
    const QString html = QStringLiteral("<p>Раздел 1</p>") + fillerParagraphs(5) + tableRows(3)
        + QStringLiteral("<p style=\"page-break-before: always;\">Раздел 2</p>") + fillerParagraphs(5)
        + QStringLiteral("<p style=\"page-break-before: always;\">Раздел 3</p>") + tableRows(4);
    QTextDocument doc;
    loadDocument(doc, html, QString());
    QCOMPARE(doc.pageCount(), 3);
    QVERIFY(layoutFaults(doc).isEmpty());

    // The same with the first section filling its page up to the table.
    for (int filler = 20; filler < 80; filler += 3) {
        const QString full = fillerParagraphs(filler) + tableRows(6)
            + QStringLiteral("<p style=\"page-break-before: always;\">Раздел 2</p>") + fillerParagraphs(3);
        QTextDocument d;
        loadDocument(d, full, QString());
        const QStringList faults = layoutFaults(d);
        QVERIFY2(faults.isEmpty(), qPrintable(QString::number(filler) + QStringLiteral(": ") + faults.join(u';')));
    }
}

void TestDocuments::tableTallerThanAPageIsLeftToRun()
{
    QTextDocument doc;
    loadDocument(doc, QStringLiteral("<p>Перед таблицей</p>") + tableRows(200), QString());
    QTextTable *table = qobject_cast<QTextTable *>(doc.rootFrame()->childFrames().first());
    const QRectF box = doc.documentLayout()->frameBoundingRect(table);
    QVERIFY(box.height() > pageBodySize().height());
    QVERIFY(doc.pageCount() > 1);
    // It was not pushed off the first page, which would leave it blank.
    QCOMPARE(pageOf(box.top()), 0);
}

void TestDocuments::toolWritesADocument()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString input = dir.filePath(QStringLiteral("in.html"));
    const QString output = dir.filePath(QStringLiteral("Документ (проба).pdf"));
    QFile file(input);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("<html><head><title>Проба</title></head><body><p>Первая</p>"
                              "<p style=\"page-break-before: always;\">Вторая</p></body></html>")
                   .toUtf8());
    file.close();

    QProcess tool;
    tool.start(QStringLiteral(EMLAB_MAKE_PDF), {QStringLiteral("--no-page-numbers"), input, output});
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tool.exitCode(), 0);
    const QByteArray pdf = readAll(output);
    QVERIFY(pdf.startsWith("%PDF-"));
    QCOMPARE(pdfPageCount(pdf), 2);
    QVERIFY(!QFile::exists(output + QStringLiteral(".part")));
}

void TestDocuments::toolFailsWithoutLeavingAFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString input = dir.filePath(QStringLiteral("in.html"));
    QFile file(input);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<p>text</p>");
    file.close();

    struct Case {
        QStringList args;
        QString output;
    };
    const QString missingOut = dir.filePath(QStringLiteral("missing-input.pdf"));
    const QString noFolderOut = dir.filePath(QStringLiteral("no/such/folder/out.pdf"));
    const QString noStyleOut = dir.filePath(QStringLiteral("missing-style.pdf"));
    const Case cases[] = {
        {{dir.filePath(QStringLiteral("absent.html")), missingOut}, missingOut},
        {{input, noFolderOut}, noFolderOut},
        {{QStringLiteral("--style"), dir.filePath(QStringLiteral("absent.css")), input, noStyleOut}, noStyleOut},
        {{QStringLiteral("--unknown"), input, missingOut}, missingOut},
        {{input}, QString()},
    };
    for (const Case &c : cases) {
        QProcess tool;
        tool.start(QStringLiteral(EMLAB_MAKE_PDF), c.args);
        QVERIFY(tool.waitForFinished(60000));
        QVERIFY2(tool.exitCode() != 0, qPrintable(c.args.join(u' ')));
        if (!c.output.isEmpty()) {
            QVERIFY(!QFile::exists(c.output));
            QVERIFY(!QFile::exists(c.output + QStringLiteral(".part")));
        }
    }
}

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
