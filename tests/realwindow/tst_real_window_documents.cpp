// SPDX-License-Identifier: GPL-3.0-or-later
// The "Файл" menu's documents as a student meets them: an installed program
// started from any other folder opens them from its data folder beside its
// own, and a document that is nowhere is said so in a box that names it and
// where it was looked for. The stand-in viewer notes what it is asked to
// open.
#include "scenario.h"
#include "wait.h"

namespace {

// "Файл", then past its two submenus to "Справка".
const QStringList kHelpDocument{"Down", "Down", "Down", "Return"};

}  // namespace

class TestRealWindowDocuments : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void installedProgramOpensItsDocumentsFromAnyFolder();
    void missingDocumentIsReported();

private:
    std::unique_ptr<XSession> x;
};

void TestRealWindowDocuments::initTestCase()
{
    REQUIRE_DISPLAY(x, QSize(1024, 768));
}

void TestRealWindowDocuments::installedProgramOpensItsDocumentsFromAnyFolder()
{
    BenchOnScreen b(*x);
    VERIFY_DONE(b.start(BenchProcess::Documents::InstalledBesideTheProgram));
    QVERIFY(!QDir(b.process.startFolder()).exists("Files"));
    b.chooseFromMenu(0, kHelpDocument);
    const QStringList expected{b.process.documentFolder() + "/Справка.pdf"};
    QVERIFY2(waitFor([&] { return b.process.documentsOpened() == expected; }),
             qPrintable("the viewer was asked for: " + b.process.documentsOpened().join(", ")));
    QVERIFY2(keepsHolding([&] { return b.boxes().isEmpty(); }, 1000), "a box came with the document");
    QVERIFY(b.process.alive());
}

void TestRealWindowDocuments::missingDocumentIsReported()
{
    BenchOnScreen b(*x);
    VERIFY_DONE(b.start(BenchProcess::Documents::Nowhere));
    b.chooseFromMenu(0, kHelpDocument);
    QVERIFY2(b.waitForABox(), "no box for the missing document");
    const QList<XWindow> boxes = b.boxes();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].name, kBenchTitle);
    // Its words, which name the document and the folders looked in, are
    // read by a person on the screenshot kept here.
    keepScreenshot(b.shot(), "document_missing");
    b.answer(boxes[0], "Return");
    QVERIFY2(b.waitForBoxes(0), "the box did not close on Return");
    QVERIFY(b.process.documentsOpened().isEmpty());
    QVERIFY(b.process.alive());
}

QTEST_GUILESS_MAIN(TestRealWindowDocuments)
#include "tst_real_window_documents.moc"
