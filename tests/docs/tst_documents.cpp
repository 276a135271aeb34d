// SPDX-License-Identifier: GPL-3.0-or-later
// The eight lab documents the menu opens, as the build typesets them into
// Files/ under the build folder (the tests' working directory): present,
// with embedded fonts, the build's year and the department's lines on the
// title pages, and every text they quote from the program found in the live
// program exactly as it stands. Typesetting lists the texts a document quotes
// from the program in <source>.prog; other quotations carry the same «...».
#include "bench/bench_window.h"
#include "bench/bench_window_start.h"
#include "bench/info_windows.h"
#include "common/bench_driver.h"
#include "common/recording_dialogs.h"
#include "emlab_version.h"
#include "toolkit/labeled_edit.h"
#include "widgets/seven_segment_display.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <numbers>

static void initPictures()
{
    Q_INIT_RESOURCE(emlab);
}

namespace {

struct Document {
    const char *name;
    int minPages;
    const char *source;
};

// The names are the ones the bench's menu opens.
const Document kDocuments[] = {
    {"Титульный лист(Р).pdf", 1, "title_real"},
    {"Теория(Р).pdf", 3, "theory_real"},
    {"Порядок выполнения(Р).pdf", 2, "procedure_real"},
    {"Контрольные вопросы(Р).pdf", 1, "questions_real"},
    {"Титульный лист(К).pdf", 1, "title_computer"},
    {"Порядок выполнения(К).pdf", 3, "procedure_computer"},
    {"Руководство пользователя(К).pdf", 4, "user_guide_computer"},
    {"Справка.pdf", 1, "help"},
};

// The texts the document's source quotes from the program, as typesetting
// listed them.
QStringList programQuotes(const Document &d)
{
    QFile list(QStringLiteral(EMLAB_DOC_TEX "/%1/%1.prog").arg(QLatin1String(d.source)));
    if (!list.open(QIODevice::ReadOnly)) return {};
    QStringList quotes;
    for (const QString &line : QString::fromUtf8(list.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        quotes << line.simplified();
    quotes.removeDuplicates();
    return quotes;
}

QString filesPath(const QString &name)
{
    return QDir::current().filePath(QStringLiteral("Files/") + name);
}

QString run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The document's text as pdftotext reads it, lines joined: a quotation may
// be broken across lines, never hyphenated.
QString documentText(const QString &name)
{
    QString text = run(QStringLiteral("pdftotext"),
                       {QStringLiteral("-enc"), QStringLiteral("UTF-8"), filesPath(name), QStringLiteral("-")});
    return text.replace(QLatin1Char('\f'), QLatin1Char(' ')).simplified();
}

QString shown(QString text)
{
    return text.remove(QLatin1Char('&')).simplified();
}

void collectWidgets(const QWidget *top, QSet<QString> &texts)
{
    QList<const QWidget *> widgets{top};
    for (const QWidget *w : top->findChildren<QWidget *>()) widgets << w;
    for (const QWidget *w : widgets) {
        texts << shown(w->toolTip()) << shown(w->windowTitle());
        if (auto *b = qobject_cast<const QAbstractButton *>(w)) texts << shown(b->text());
        if (auto *l = qobject_cast<const QLabel *>(w)) texts << shown(l->text());
        if (auto *e = qobject_cast<const QLineEdit *>(w)) texts << shown(e->text());
        if (auto *m = qobject_cast<const QMenu *>(w)) texts << shown(m->title());
    }
    for (const QAction *a : top->findChildren<QAction *>()) texts << shown(a->text());
}

// The currents of the k-th focusing on the ammeter's 0.001 A steps, from
// the focusing condition theta = 2 pi k with the start parameters and the
// trace's 0.0001 A offset, computed here on its own.
int focusingMilliamps(int k)
{
    const double e = 1.6021892e-19, m = 9.109383e-31, mu0 = 4e-7 * std::numbers::pi;
    const double U = 1400, n = 15500, l = 0.1;
    const double v = std::sqrt(2 * e * U / m);
    const double current = 2 * std::numbers::pi * k * m * v / (e * mu0 * n * l) - 0.0001;
    return int(std::lround(current * 1000));
}

// Steps the ammeter through the bench's own adjusters to `milliamps` from
// `now`, upward only.
void raiseCurrent(const BenchDriver &bench, int &now, int &fine, int milliamps)
{
    while (now < milliamps) {
        if (milliamps - now >= 10) {
            bench.press(QStringLiteral("coarseCurrentArrows"), TUDBtnType::btNext);
            now += 10;
        } else if (fine < 100) {
            bench.press(QStringLiteral("fineCurrentArrows"), TUDBtnType::btNext);
            ++fine;
            ++now;
        } else {
            bench.press(QStringLiteral("coarseCurrentArrows"), TUDBtnType::btNext);
            bench.press(QStringLiteral("fineCurrentArrows"), TUDBtnType::btPrev, 9);
            fine -= 9;
            ++now;
        }
    }
}

// Everything the program shows in words: captions, menu items, buttons,
// labels, hints, field texts, the boxes' texts (recorded, and once through
// Qt's real modal boxes) and the calculator's results over the currents of
// four focusings.
QSet<QString> programTexts()
{
    QSet<QString> texts;
    {
        RecordingDialogs dialogs;
        BenchWindow form;
        const BenchDriver bench(form);
        CreditsWindow credits;
        AboutWindow about;
        collectWidgets(&form, texts);
        credits.showLead();
        collectWidgets(&credits, texts);
        credits.showProgrammer();
        collectWidgets(&credits, texts);
        collectWidgets(&about, texts);

        // Boxes the bench raises.
        auto *voltage = bench.find<QLineEdit>(QStringLiteral("anodeVoltageField"));
        auto *turns = bench.find<QLineEdit>(QStringLiteral("helixTurnsField"));
        bench.trigger(QStringLiteral("exitAction"));
        voltage->setText(QString());
        bench.click(QStringLiteral("scopeSwitch"));
        bench.click(QStringLiteral("regulatorSwitch"));
        bench.click(QStringLiteral("scopeSwitch"));
        voltage->setText(QStringLiteral("1 400"));  // pasted, past the key filter
        bench.click(QStringLiteral("scopeSwitch"));
        bench.click(QStringLiteral("regulatorSwitch"));
        bench.runTimer(QStringLiteral("rampUpTimer"));
        bench.click(QStringLiteral("sourceSwitch"));
        bench.click(QStringLiteral("sourceLamp"));
        bench.click(QStringLiteral("calculateButton"));  // at 0 A
        turns->setText(QString());
        bench.click(QStringLiteral("calculateButton"));
        texts.unite(QSet<QString>(dialogs.messages.begin(), dialogs.messages.end()));
        texts.unite(QSet<QString>(dialogs.errors.begin(), dialogs.errors.end()));
        texts.unite(QSet<QString>(dialogs.questions.begin(), dialogs.questions.end()));

        // The calculator's results at every step up to past the fourth focusing.
        int now = 0, fine = 0;
        voltage->setText(QStringLiteral("1400"));
        bench.click(QStringLiteral("sourceSwitch"));
        auto *result = bench.find<QLineEdit>(QStringLiteral("specificChargeField"));
        for (int mA = 300; mA <= focusingMilliamps(4) + 20; ++mA) {
            raiseCurrent(bench, now, fine, mA);
            for (int k = 1; k <= 4; ++k) {
                turns->setText(QString::number(k));
                bench.click(QStringLiteral("calculateButton"));
                texts << result->text();
            }
        }

        BenchWindow zero;
        const BenchDriver zeroBench(zero);
        zeroBench.find<QLineEdit>(QStringLiteral("driftLengthField"))->setText(QStringLiteral("00"));
        zeroBench.click(QStringLiteral("scopeSwitch"));
        zeroBench.click(QStringLiteral("regulatorSwitch"));
        zeroBench.runTimer(QStringLiteral("rampUpTimer"));
        zeroBench.click(QStringLiteral("sourceSwitch"));
        zeroBench.click(QStringLiteral("sourceSwitch"));
        texts.unite(QSet<QString>(dialogs.errors.begin(), dialogs.errors.end()));
    }

    // The real boxes: their captions and buttons as a student sees them.
    BenchWindow form;
    const BenchDriver bench(form);
    auto readAndClose = [&texts](QAbstractButton *(*pick)(QMessageBox *)) {
        QTimer::singleShot(0, [&texts, pick] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box) return;
            texts << shown(box->windowTitle()) << shown(box->text());
            for (QAbstractButton *b : box->buttons()) texts << shown(b->text());
            pick(box)->click();
        });
    };
    readAndClose([](QMessageBox *box) { return box->buttons().constLast(); });
    bench.trigger(QStringLiteral("exitAction"));  // No, the last button, keeps the window
    bench.find<QLineEdit>(QStringLiteral("turnDensityField"))->setText(QString());
    bench.click(QStringLiteral("scopeSwitch"));
    readAndClose([](QMessageBox *box) { return box->buttons().constFirst(); });
    bench.click(QStringLiteral("regulatorSwitch"));
    texts.remove(QString());
    return texts;
}

}  // namespace

class TestDocuments : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void builtDocuments_data();
    void builtDocuments();
    void titlePagesCarryTheBuildsYearAndTheDepartment();
    void quotedTextsExistInTheProgram();
    void automatedStudentMeasuresWithinTheBound();

private:
    QSet<QString> program_;
};

void TestDocuments::initTestCase()
{
    initPictures();
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
             "pdftotext (poppler-utils) is needed");
    // The boxes carry the program's title, as when the program runs.
    initialiseApplication(*qApp);
    program_ = programTexts();
    // The collection itself works: a few texts every bench shows.
    for (const char *known : {"On/Off", "Файл", "Проверьте наличие данных в окнах панели ПАРАМЕТРЫ УСТАНОВКИ",
                              "Warning", "Yes", "No", "OK", "1,759E11 Кл/кг", "'' is not a valid integer value",
                              "Invalid floating point operation", "Floating point division by zero"})
        QVERIFY2(program_.contains(QString::fromUtf8(known)), known);
}

void TestDocuments::builtDocuments_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("minPages");
    for (const Document &d : kDocuments) QTest::newRow(d.name) << QString::fromUtf8(d.name) << d.minPages;
}

void TestDocuments::builtDocuments()
{
    QFETCH(QString, name);
    QFETCH(int, minPages);

    // The menu opens "Files\<name>" relative to the working directory.
    const QString path = filesPath(name);
    QVERIFY2(QFile::exists(path), qPrintable(path + QStringLiteral(" is missing")));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");

    const QString info = run(QStringLiteral("pdfinfo"), {path});
    const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    QVERIFY(pages.hasMatch());
    QVERIFY(pages.captured(1).toInt() >= minPages);

    // Every font embedded: the "emb" column of pdffonts says yes throughout.
    const QStringList fonts = run(QStringLiteral("pdffonts"), {path}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(fonts.size() > 2);
    for (const QString &line : fonts.mid(2)) {
        const QStringList columns = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QVERIFY(columns.size() >= 5);
        QCOMPARE(columns[columns.size() - 5], QStringLiteral("yes"));
    }
    QVERIFY(run(QStringLiteral("pdffonts"), {path}).contains(QStringLiteral("LiberationSerif")));
}

void TestDocuments::titlePagesCarryTheBuildsYearAndTheDepartment()
{
    for (const char *name : {"Титульный лист(Р).pdf", "Титульный лист(К).pdf"}) {
        const QString text = documentText(QString::fromUtf8(name));
        QVERIFY(text.contains(QStringLiteral(EMLAB_RELEASE_YEAR)));
        const QStringList lines = departmentLines(QStringLiteral("title page"));
        QVERIFY(!lines.isEmpty());
        for (const QString &line : lines) QVERIFY2(text.contains(line.simplified()), qPrintable(line));
        QVERIFY(text.contains(departmentLines(QStringLiteral("city")).value(0)));
        QVERIFY(text.contains(QStringLiteral("Определение удельного заряда электрона")));
    }
}

void TestDocuments::quotedTextsExistInTheProgram()
{
    int count = 0;
    QStringList missing;
    for (const Document &d : kDocuments) {
        const QString text = documentText(QString::fromUtf8(d.name));
        QVERIFY(!text.isEmpty());
        for (const QString &quote : programQuotes(d)) {
            ++count;
            if (!program_.contains(quote))
                missing << QStringLiteral("%1: «%2» is not in the program").arg(QString::fromUtf8(d.name), quote);
            if (!text.contains(QStringLiteral("«%1»").arg(quote)))
                missing << QStringLiteral("%1: «%2» is not printed as it stands").arg(QString::fromUtf8(d.name), quote);
        }
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
    // The guide and the procedures quote the program a lot; none got lost.
    QVERIFY(count > 60);
}

// The computer procedure's worked example is the automated student's, who
// applies the procedure's rule to the screen's pixels in the standard window.
// From the currents the example prints, e/m is computed here on its own with
// the start parameters and the distance counted from the plates' middle:
// every focusing is within 0.5 % of the table value and their mean within
// 0.3 %, as the procedure promises, and the deviations printed are these.
void TestDocuments::automatedStudentMeasuresWithinTheBound()
{
    const double table = 1.7588e11, mu0 = 4e-7 * std::numbers::pi;
    const double U = 1400, n = 15500, distance = 0.10 + 0.005 / 2;
    auto number = [](QString text) { return text.replace(u'−', u'-').replace(u',', u'.').toDouble(); };

    const QString layout = run(QStringLiteral("pdftotext"),
                               {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                filesPath(QStringLiteral("Порядок выполнения(К).pdf")), QStringLiteral("-")});
    // k, I', I'', I_k, e/m in 1e11 C/kg, deviation in per cent.
    static const QRegularExpression row(
        QStringLiteral("^ *([1-9]) +(\\d,\\d{3}) +(\\d,\\d{3}) +(\\d,\\d{4}) +(\\d,\\d{4}) +([+−-]\\d,\\d{2}) *$"),
        QRegularExpression::MultilineOption);
    QList<double> deviations;
    double sum = 0;
    for (const QRegularExpressionMatch &m : row.globalMatch(layout)) {
        const int k = m.captured(1).toInt();
        const double current = (number(m.captured(2)) + number(m.captured(3))) / 2;
        QVERIFY(std::abs(number(m.captured(4)) - current) < 1e-6);
        const double q = k * std::numbers::pi / (mu0 * n * distance * current);
        const double em = 8 * U * q * q;
        deviations << em / table - 1;
        QVERIFY2(std::abs(deviations.last()) <= 0.005, qPrintable(m.captured(0)));
        QVERIFY(std::abs(number(m.captured(6)) - 100 * deviations.last()) < 0.0051);
        sum += em;
    }
    QCOMPARE(deviations.size(), 3);
    const double mean = sum / 3 / table - 1;
    QVERIFY2(std::abs(mean) <= 0.003, qPrintable(QString::number(100 * mean)));
    static const QRegularExpression printed(
        QStringLiteral("Отклонение среднего от табличного значения ([+−-]\\d,\\d{2}) %"));
    const QRegularExpressionMatch said = printed.match(documentText(QStringLiteral("Порядок выполнения(К).pdf")));
    QVERIFY(said.hasMatch());
    QVERIFY(std::abs(number(said.captured(1)) - 100 * mean) < 0.0051);
}

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
