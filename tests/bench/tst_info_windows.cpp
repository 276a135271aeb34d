// SPDX-License-Identifier: GPL-3.0-or-later
// The credits and about windows: their contents, swapping, centring, hiding,
// and the photographs they show.
#include "bench/info_windows.h"
#include "emlab_version.h"
#include "toolkit/colors.h"

#include <QApplication>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// The pictures live in a resource compiled into a static library; naming its
// initialiser makes sure the linker keeps it.
static void initPictures()
{
    Q_INIT_RESOURCE(emlab);
}

namespace {

// The offscreen platform cannot raise windows and says so each time.
QtMessageHandler defaultHandler = nullptr;
void quietRaise(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("does not support raise()"))) return;
    defaultHandler(type, context, message);
}

// A marker colour that none of the photographs contains.
const QColor kMarker(255, 0, 255);

// Renders a widget on a marker ground, so pixels it does not paint stay marker.
// The windows' controls, by their object names.
PhotoBox *programmerPhoto(const CreditsWindow &w)
{
    return w.findChild<PhotoBox *>(QStringLiteral("programmerPhoto"));
}
PhotoBox *leadPhoto(const CreditsWindow &w)
{
    return w.findChild<PhotoBox *>(QStringLiteral("leadPhoto"));
}
QLabel *personText(const CreditsWindow &w)
{
    return w.findChild<QLabel *>(QStringLiteral("personText"));
}
QLabel *aboutLabel(const AboutWindow &w)
{
    return w.findChild<QLabel *>(QStringLiteral("aboutText"));
}

QImage renderOnMarker(QWidget *widget)
{
    QImage image(widget->size(), QImage::Format_RGB32);
    image.fill(kMarker);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

bool isMarker(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y) == kMarker;
}

// Activation arrives from the window system; where it does not come (or has
// come already) the event is delivered by hand, as the system would.
void activate(QWidget *window)
{
    QEvent activation(QEvent::WindowActivate);
    QApplication::sendEvent(window, &activation);
}

QPoint expectedCentre(const QWidget *window)
{
    const QSize work = window->screen()->availableGeometry().size();
    const QSize outer = window->frameGeometry().size();
    return QPoint(work.width() / 2 - outer.width() / 2, work.height() / 2 - outer.height() / 2);
}

// Checks the padded line structure: every line equally long, its text in the
// middle (the blanks on either side differ by at most one), and a last line of
// blanks after the final line break. Returns the trimmed lines.
QStringList checkCentred(const QString &text, int expectedLines)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() != expectedLines + 1) {
        QTest::qFail(qPrintable(QStringLiteral("%1 lines instead of %2").arg(lines.size() - 1).arg(expectedLines)),
                     __FILE__, __LINE__);
        return {};
    }
    QStringList trimmed;
    for (const QString &line : lines) {
        if (line.size() != lines.first().size()) {
            QTest::qFail(qPrintable(QStringLiteral("line of another width: \"%1\"").arg(line)), __FILE__, __LINE__);
            return {};
        }
        const QString content = line.trimmed();
        if (!content.isEmpty()) {
            const qsizetype left = line.indexOf(content);
            const qsizetype right = line.size() - left - content.size();
            if (std::abs(left - right) > 1 || left < 1) {
                QTest::qFail(qPrintable(QStringLiteral("not centred: \"%1\"").arg(line)), __FILE__, __LINE__);
                return {};
            }
        }
        trimmed << content;
    }
    if (!trimmed.last().isEmpty() || lines.last().isEmpty()) {
        QTest::qFail("the text does not end with a line of blanks", __FILE__, __LINE__);
        return {};
    }
    trimmed.removeLast();
    return trimmed;
}

}  // namespace

class TestInfoWindows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void photoGeometry_data();
    void photoGeometry();
    void photographsDecode();
    void photographsAreDrawnWhereTheGeometrySays();
    void creditsWindowAtStart();
    void leadAndProgrammerSwapInPlace();
    void creditsRecentreOnEveryActivation();
    void closingHidesAndTheMenuShowsAgain();
    void departmentSections_data();
    void departmentSections();
    void textsKeepTheirLineStructure();
    void aboutLabelFitsTheWindow();
    void aboutWindowStaysWhereTheUserPutsIt();
    void infoWindowsDoNotKeepTheProgramRunning();
};

void TestInfoWindows::initTestCase()
{
    initPictures();
    defaultHandler = qInstallMessageHandler(quietRaise);
}

void TestInfoWindows::photoGeometry_data()
{
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<bool>("proportional");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("smaller, own size") << QSize(185, 233) << QSize(180, 230) << false << QRect(0, 0, 180, 230);
    QTest::newRow("larger, own size is clipped, not shrunk")
        << QSize(185, 233) << QSize(300, 400) << false << QRect(0, 0, 300, 400);
    QTest::newRow("smaller, proportional, not enlarged")
        << QSize(177, 226) << QSize(100, 120) << true << QRect(0, 0, 100, 120);
    QTest::newRow("exact fit") << QSize(177, 226) << QSize(177, 226) << true << QRect(0, 0, 177, 226);
    // 300 x 400 in 177 x 226: the height limits, 300 * 226 / 400 = 169.5 -> 169.
    QTest::newRow("taller than the box") << QSize(177, 226) << QSize(300, 400) << true << QRect(0, 0, 169, 226);
    // 600 x 300 in 177 x 226: the width limits, 300 * 177 / 600 = 88.5 -> 88.
    QTest::newRow("wider than the box") << QSize(177, 226) << QSize(600, 300) << true << QRect(0, 0, 177, 88);
    QTest::newRow("only one side too large") << QSize(177, 226) << QSize(170, 452) << true << QRect(0, 0, 85, 226);
    QTest::newRow("same proportions, twice the size")
        << QSize(177, 226) << QSize(354, 452) << true << QRect(0, 0, 177, 226);
    // Products of the sides exceed 32 bits here.
    QTest::newRow("huge photograph") << QSize(177, 226) << QSize(100000, 100000) << true << QRect(0, 0, 177, 177);
    QTest::newRow("a sliver keeps one pixel") << QSize(177, 226) << QSize(100000, 1) << true << QRect(0, 0, 177, 1);
    QTest::newRow("no photograph") << QSize(177, 226) << QSize() << true << QRect();
}

void TestInfoWindows::photoGeometry()
{
    QFETCH(QSize, box);
    QFETCH(QSize, photo);
    QFETCH(bool, proportional);
    QFETCH(QRect, expected);
    QCOMPARE(photoRectIn(box, photo, proportional), expected);
}

void TestInfoWindows::photographsDecode()
{
    QVERIFY2(QImageReader::supportedImageFormats().contains("jpeg"), "Qt's JPEG image plugin is not available");
    const QPixmap lead(QStringLiteral(":/department/lead.jpg"));
    const QPixmap programmer(QStringLiteral(":/department/programmer.jpg"));
    QVERIFY(!lead.isNull());
    QVERIFY(!programmer.isNull());
    // The lead's photograph is drawn at its own size and must fit its box;
    // the programmer's is larger than its box, so the window shrinks it.
    QVERIFY(lead.width() <= 185 && lead.height() <= 233);
    QVERIFY(programmer.width() > 177 || programmer.height() > 226);

    CreditsWindow credits;
    QCOMPARE(leadPhoto(credits)->photo().size(), lead.size());
    QCOMPARE(programmerPhoto(credits)->photo().size(), programmer.size());
    QVERIFY(programmerPhoto(credits)->proportional());
    QVERIFY(!leadPhoto(credits)->proportional());
}

void TestInfoWindows::photographsAreDrawnWhereTheGeometrySays()
{
    CreditsWindow credits;
    const QRect shrunk = programmerPhoto(credits)->photoRect();
    QCOMPARE(shrunk, photoRectIn(QSize(177, 226), programmerPhoto(credits)->photo().size(), true));
    QVERIFY(shrunk.width() <= 177 && shrunk.height() <= 226);
    QVERIFY(shrunk.width() == 177 || shrunk.height() == 226);

    const QImage programmer = renderOnMarker(programmerPhoto(credits));
    QVERIFY(!isMarker(programmer, 0, 0));
    QVERIFY(!isMarker(programmer, shrunk.right(), shrunk.bottom()));
    if (shrunk.width() < 177) QVERIFY(isMarker(programmer, shrunk.right() + 2, shrunk.height() / 2));
    if (shrunk.height() < 226) QVERIFY(isMarker(programmer, shrunk.width() / 2, shrunk.bottom() + 2));

    const QSize own = leadPhoto(credits)->photo().size();
    const QImage lead = renderOnMarker(leadPhoto(credits));
    QVERIFY(!isMarker(lead, 0, 0));
    QVERIFY(!isMarker(lead, own.width() - 1, own.height() - 1));
    if (own.width() < 185) QVERIFY(isMarker(lead, own.width() + 1, own.height() / 2));
    if (own.height() < 233) QVERIFY(isMarker(lead, own.width() / 2, own.height() + 1));
}

void TestInfoWindows::creditsWindowAtStart()
{
    CreditsWindow credits;
    QVERIFY(!credits.isVisible());
    QCOMPARE(credits.windowTitle(), QStringLiteral("Разработчик"));
    QCOMPARE(credits.size(), QSize(322, 387));
    QCOMPARE(credits.minimumSize(), credits.maximumSize());
    const Qt::WindowFlags flags = credits.windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QCOMPARE(credits.palette().color(QPalette::Window), toQColor(cl3DLight));
    QCOMPARE(credits.font().pixelSize(), 11);
    QCOMPARE(programmerPhoto(credits)->geometry(), QRect(80, 31, 177, 226));
    QCOMPARE(leadPhoto(credits)->geometry(), QRect(72, 32, 185, 233));
    QCOMPARE(personText(credits)->pos(), QPoint(64, 272));
}

void TestInfoWindows::leadAndProgrammerSwapInPlace()
{
    CreditsWindow credits;
    credits.showLead();
    QCOMPARE(credits.windowTitle(), QStringLiteral("Руководитель проекта"));
    QVERIFY(leadPhoto(credits)->isVisible());
    QVERIFY(!programmerPhoto(credits)->isVisible());
    QCOMPARE(personText(credits)->text(), CreditsWindow::leadText());
    QCOMPARE(personText(credits)->size(), personText(credits)->sizeHint());
    const QPoint where = credits.pos();

    credits.showProgrammer();
    QCOMPARE(credits.windowTitle(), QStringLiteral("Программист"));
    QVERIFY(!leadPhoto(credits)->isVisible());
    QVERIFY(programmerPhoto(credits)->isVisible());
    QCOMPARE(personText(credits)->text(), CreditsWindow::programmerText());
    // Sized to the new, shorter text.
    QCOMPARE(personText(credits)->size(), personText(credits)->sizeHint());
    QCOMPARE(credits.pos(), where);

    credits.showLead();
    QCOMPARE(credits.windowTitle(), QStringLiteral("Руководитель проекта"));
    QVERIFY(leadPhoto(credits)->isVisible());
    QVERIFY(!programmerPhoto(credits)->isVisible());
    QCOMPARE(personText(credits)->text(), CreditsWindow::leadText());
}

void TestInfoWindows::creditsRecentreOnEveryActivation()
{
    CreditsWindow credits;
    credits.showLead();
    QVERIFY(QTest::qWaitForWindowExposed(&credits));
    activate(&credits);
    QCOMPARE(credits.pos(), expectedCentre(&credits));
    const int outerWidth = credits.frameGeometry().width();
    QCOMPARE(programmerPhoto(credits)->x(), outerWidth / 2 - 177 / 2);
    QCOMPARE(leadPhoto(credits)->x(), outerWidth / 2 - 185 / 2);
    QCOMPARE(personText(credits)->x(), 50);
    // The tops stay as designed.
    QCOMPARE(programmerPhoto(credits)->y(), 31);
    QCOMPARE(leadPhoto(credits)->y(), 32);
    QCOMPARE(personText(credits)->y(), 272);

    // Moved by the user, it returns to the centre when next activated.
    credits.move(expectedCentre(&credits) + QPoint(37, 23));
    QVERIFY(credits.pos() != expectedCentre(&credits));
    activate(&credits);
    QCOMPARE(credits.pos(), expectedCentre(&credits));
}

void TestInfoWindows::closingHidesAndTheMenuShowsAgain()
{
    auto *credits = new CreditsWindow;
    QPointer<CreditsWindow> alive(credits);
    credits->showProgrammer();
    QVERIFY(credits->close());
    QCoreApplication::processEvents();
    QVERIFY(alive);
    QVERIFY(!credits->isVisible());

    credits->showLead();
    QVERIFY(credits->isVisible());
    QCOMPARE(credits->windowTitle(), QStringLiteral("Руководитель проекта"));
    QVERIFY(leadPhoto(*credits)->isVisible());
    QVERIFY(!programmerPhoto(*credits)->isVisible());
    delete credits;

    auto *about = new AboutWindow;
    QPointer<AboutWindow> aboutAlive(about);
    about->showAbout();
    QVERIFY(about->isVisible());
    QVERIFY(about->close());
    QCoreApplication::processEvents();
    QVERIFY(aboutAlive);
    QVERIFY(!about->isVisible());
    about->showAbout();
    QVERIFY(about->isVisible());
    delete about;
}

void TestInfoWindows::departmentSections_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QStringList>("expected");

    const QString text = QStringLiteral("# a comment before any section\n"
                                        "stray line\n"
                                        "[lead]\n"
                                        "  Иванов Иван Иванович  \n"
                                        "\n"
                                        "# a comment inside\n"
                                        "кандидат наук, доцент\r\n"
                                        "[ author ]\n"
                                        "Иванов И. И.\n"
                                        "[lead]\n"
                                        "a second [lead] section adds to the first\n");
    QTest::newRow("lines trimmed, comments and blanks dropped")
        << text << QStringLiteral("lead")
        << QStringList{QStringLiteral("Иванов Иван Иванович"), QStringLiteral("кандидат наук, доцент"),
                       QStringLiteral("a second [lead] section adds to the first")};
    QTest::newRow("blanks inside the brackets")
        << text << QStringLiteral("author") << QStringList{QStringLiteral("Иванов И. И.")};
    QTest::newRow("missing section") << text << QStringLiteral("programmer") << QStringList{};
    QTest::newRow("lines before any section belong to none") << text << QString() << QStringList{};
    QTest::newRow("a hash inside a line is text")
        << QStringLiteral("[registration]\nСвидетельство № 1 # 2\n") << QStringLiteral("registration")
        << QStringList{QStringLiteral("Свидетельство № 1 # 2")};
}

void TestInfoWindows::departmentSections()
{
    QFETCH(QString, text);
    QFETCH(QString, section);
    QFETCH(QStringList, expected);
    QCOMPARE(departmentSection(text, section), expected);
}

void TestInfoWindows::textsKeepTheirLineStructure()
{
    // The department's file gives every line the windows show.
    const QStringList leadLines = departmentLines(QStringLiteral("lead"));
    QCOMPARE(leadLines.size(), 6);
    const QStringList lead = checkCentred(CreditsWindow::leadText(), 6);
    QCOMPARE(lead, leadLines);

    const QStringList programmerLines = departmentLines(QStringLiteral("programmer"));
    QCOMPARE(programmerLines.size(), 2);
    QCOMPARE(checkCentred(CreditsWindow::programmerText(), 2), programmerLines);

    // Three lines naming the work, the version and date, an empty line, the
    // registration lines and the closing line with the author and the year.
    const QStringList registration = departmentLines(QStringLiteral("registration"));
    QVERIFY(!registration.isEmpty());
    const QStringList about = checkCentred(AboutWindow::aboutText(), 6 + int(registration.size()));
    QVERIFY(!about.isEmpty());
    const QString purpose = about.mid(0, 3).join(QLatin1Char(' '));
    QVERIFY(purpose.contains(QStringLiteral("«Определение удельного заряда электрона методом магнитной фокусировки»")));
    QVERIFY(about[3].contains(QStringLiteral(EMLAB_VERSION)));
    QVERIFY(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$")).match(QStringLiteral(EMLAB_VERSION)).hasMatch());
    const QDate released = QDate::fromString(QStringLiteral(EMLAB_RELEASE_DATE), Qt::ISODate);
    QVERIFY(released.isValid());
    QVERIFY(about[3].contains(QStringLiteral("%1.%2.%3")
                                  .arg(released.day(), 2, 10, QLatin1Char('0'))
                                  .arg(released.month(), 2, 10, QLatin1Char('0'))
                                  .arg(released.year())));
    QVERIFY(about[4].isEmpty());
    QCOMPARE(about.mid(5, registration.size()), registration);
    QCOMPARE(about.last(),
             QStringLiteral("© %1, %2").arg(departmentLines(QStringLiteral("author")).value(0)).arg(released.year()));

    // Until a department fills them in, the lines say what goes on them;
    // nothing poses as somebody's address.
    for (const QString &text : {CreditsWindow::leadText(), CreditsWindow::programmerText(), AboutWindow::aboutText()})
        QVERIFY(!text.contains(QLatin1Char('@')));
}

void TestInfoWindows::aboutLabelFitsTheWindow()
{
    AboutWindow about;
    QCOMPARE(about.windowTitle(), QStringLiteral("О программе"));
    QCOMPARE(about.size(), QSize(537, 162));
    QCOMPARE(about.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    QCOMPARE(aboutLabel(about)->geometry(), QRect(8, 16, 520, 130));

    about.showAbout();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    activate(&about);
    const QSize outer = about.frameGeometry().size();
    QCOMPARE(aboutLabel(about)->width(), outer.width() - 10);
    QCOMPARE(aboutLabel(about)->height(), outer.height() - 10);
    QCOMPARE(aboutLabel(about)->y(), 10);
    QCOMPARE(aboutLabel(about)->x(), outer.width() / 2 - (outer.width() - 10) / 2);

    // The whole text is readable inside the label and the window.
    const QFontMetrics metrics(aboutLabel(about)->font());
    const QStringList lines = aboutLabel(about)->text().split(QLatin1Char('\n'));
    for (const QString &line : lines)
        QVERIFY2(metrics.horizontalAdvance(line) <= aboutLabel(about)->width(), qPrintable(line));
    QVERIFY(lines.size() * metrics.lineSpacing() <= about.height() - aboutLabel(about)->y());

    // The credits window's texts fit it as well, from the label's left of 50.
    CreditsWindow credits;
    for (const QString &text : {CreditsWindow::leadText(), CreditsWindow::programmerText()}) {
        personText(credits)->setText(text);
        personText(credits)->adjustSize();
        QVERIFY(50 + personText(credits)->width() <= credits.width());
        QVERIFY(272 + personText(credits)->height() <= credits.height());
    }
}

void TestInfoWindows::aboutWindowStaysWhereTheUserPutsIt()
{
    AboutWindow about;
    about.showAbout();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    activate(&about);
    const QPoint centred = expectedCentre(&about);
    QCOMPARE(about.pos(), centred);

    const QPoint moved = centred + QPoint(-41, 17);
    about.move(moved);
    activate(&about);
    about.showAbout();
    activate(&about);
    QCOMPARE(about.pos(), moved);

    // Closed and opened again, it comes up centred once more.
    about.close();
    about.showAbout();
    activate(&about);
    QCOMPARE(about.pos(), centred);
}

void TestInfoWindows::infoWindowsDoNotKeepTheProgramRunning()
{
    // With both information windows open, closing the bench still ends the
    // message loop; a guard ends it otherwise, and the test then fails.
    QWidget bench;
    CreditsWindow credits;
    AboutWindow about;
    bench.show();
    credits.showLead();
    about.showAbout();
    QVERIFY(QTest::qWaitForWindowExposed(&bench));
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    bool guardFired = false;
    QTimer::singleShot(0, &bench, &QWidget::close);
    QTimer::singleShot(5000, qApp, [&guardFired] {
        guardFired = true;
        QCoreApplication::quit();
    });
    QApplication::exec();
    QVERIFY(!guardFired);
    QCOMPARE(lastClosed.count(), 1);
}

QTEST_MAIN(TestInfoWindows)
#include "tst_info_windows.moc"
