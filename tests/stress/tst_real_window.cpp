// The bench on a real X display: the test starts itself again under Xvfb
// (xvfb-run -a) on the xcb platform, opens the program's windows as the
// program's start does, drives the power sequence with synthetic input to a
// visible trace, takes screenshots of the whole X screen with ImageMagick's
// `import` and checks key pixels: the lamps, the warm-up line at the screen's
// centre column and the trace's points where the beam trace model puts them.
// Skipped where xvfb-run or import is missing.
#include "bench/bench_window_start.h"
#include "common/recording_dialogs.h"
#include "model/beam_trace.h"
#include "stress/bench_probe.h"
#include "toolkit/rounding.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <vector>

namespace {

const char *kChildVariable = "EMLAB_REAL_WINDOW_CHILD";

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 128, 0);
const QRgb kGrey = qRgb(128, 128, 128);
const QRgb kDark = qRgb(70, 70, 70);

QString hex(QRgb c) { return QString("#%1").arg(c & 0xFFFFFF, 6, 16, QChar('0')); }

// The whole X screen as the X server has it.
QImage screenshot(const QString &name)
{
    // Let every pending paint reach the server before it is read back.
    for (int i = 0; i < 4; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(50);
    }
    const QString path = QDir::current().absoluteFilePath(QString("real_window_%1.png").arg(name));
    QFile::remove(path);
    const int rc = QProcess::execute("import", {"-window", "root", path});
    if (rc != 0) return {};
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

// A pixel of `widget` at local (x, y), read from the screenshot.
QRgb pixelOf(const QImage &shot, const QWidget *widget, int x, int y)
{
    const QPoint p = widget->mapToGlobal(QPoint(x, y));
    if (!shot.rect().contains(p)) return 0xDEADBEEF;
    return shot.pixel(p) | 0xFF000000;
}

struct PixelCheck {
    const QWidget *widget;
    int x, y;
    QRgb colour;
    QString what;
};

// Takes screenshots of one stage until every pixel is as expected (the X
// server may lag behind a busy machine for a moment); the mismatches of the
// last attempt otherwise.
QStringList screenStage(const QString &name, const std::vector<PixelCheck> &checks)
{
    QStringList failures;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QImage shot = screenshot(name);
        if (shot.isNull()) return {"import could not take a screenshot"};
        failures.clear();
        for (const PixelCheck &c : checks) {
            const QRgb got = pixelOf(shot, c.widget, c.x, c.y);
            if (got != (c.colour | 0xFF000000))
                failures << QString("%1 at (%2, %3): %4, expected %5")
                                .arg(c.what).arg(c.x).arg(c.y).arg(hex(got), hex(c.colour));
        }
        if (failures.isEmpty()) return {};
        QTest::qWait(250);
    }
    return failures;
}

#define VERIFY_STAGE(name, ...)                                                                                   \
    do {                                                                                                          \
        const QStringList failures_ = screenStage(name, __VA_ARGS__);                                             \
        QVERIFY2(failures_.isEmpty(), qPrintable(QString(name) + ": " + failures_.join("; ")));                   \
    } while (0)

} // namespace

class TestRealWindow : public QObject {
    Q_OBJECT
private slots:
    void powerSequenceOnScreen();

private:
    void runUnderXvfb();
    void driveTheBench();
};

void TestRealWindow::powerSequenceOnScreen()
{
    if (qEnvironmentVariable(kChildVariable) == "1")
        driveTheBench();
    else
        runUnderXvfb();
}

void TestRealWindow::runUnderXvfb()
{
    const QString xvfb = QStandardPaths::findExecutable("xvfb-run");
    if (xvfb.isEmpty()) QSKIP("xvfb-run is not installed");
    if (QStandardPaths::findExecutable("import").isEmpty()) QSKIP("ImageMagick's import is not installed");
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert(kChildVariable, "1");
    env.remove("DISPLAY");
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(xvfb, {"-a", "-s", "-screen 0 1280x1024x24", QCoreApplication::applicationFilePath(),
                       "powerSequenceOnScreen"});
    QVERIFY2(child.waitForStarted(), "xvfb-run did not start");
    const bool finished = child.waitForFinished(180000);
    const QString output = QString::fromLocal8Bit(child.readAll());
    if (!finished) child.kill();
    QVERIFY2(finished, qPrintable("the bench under Xvfb did not finish:\n" + output));
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, qPrintable(output));
    QVERIFY2(output.contains("PASS   : TestRealWindow::powerSequenceOnScreen()"), qPrintable(output));
}

void TestRealWindow::driveTheBench()
{
    QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
    RecordingDialogs dialogs;  // no box may block the run
    InitialiseApplication(*qApp);
    const BenchProgram program = CreateBenchProgram();
    TForm1 &f = *program.Form1;
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const int w = f.Image1->picture().width();
    QVERIFY(w > 100);
    const int centre = w / 2;

    // All off: both lamps grey, the screen dark.
    VERIFY_STAGE("1_all_off", {{f.Image1, 7, 7, kGrey, "oscilloscope lamp"},
                               {f.Image1, centre, centre, kDark, "screen centre"},
                               {f.Image2, 7, 7, kGrey, "source lamp"}});

    // Oscilloscope on: red lamp, green spot at the centre.
    probe::click(f.knopka1);
    VERIFY_STAGE("2_scope_on", {{f.Image1, 7, 7, kRed, "oscilloscope lamp"},
                                {f.Image1, centre, centre, kGreen, "beam spot"},
                                {f.Image1, centre, centre - 20, kDark, "screen above the spot"}});

    // Regulator on: the real 10 ms timer ramps the dial up and grows the
    // warm-up line to its full half-length, limit - 1 pixels.
    probe::click(f.knopka2);
    QTRY_VERIFY_WITH_TIMEOUT(!f.Timer2->isActive(), 20000);
    QCOMPARE(f.transformator->Position(), 90.0);
    QVERIFY(f.knopka3->isEnabled());
    const int limit = roundEven(f.Lab.SweepAmplitudeCm * f.Lab.PixelsPerCm);
    QCOMPARE(f.Lab.WarmupStep, limit);
    VERIFY_STAGE("3_regulator_on", {{f.Image1, centre, centre, kGreen, "warm-up line, centre"},
                                    {f.Image1, centre, centre - (limit - 1), kGreen, "warm-up line, top end"},
                                    {f.Image1, centre, centre + (limit - 1), kGreen, "warm-up line, bottom end"},
                                    {f.Image1, centre, centre - limit - 4, kDark, "above the warm-up line"},
                                    {f.Image1, centre + 6, centre, kDark, "beside the warm-up line"}});

    // Source on: the source lamp turns red.
    probe::click(f.knopka3);
    QCOMPARE(f.Lab.SourceOn, 1);
    VERIFY_STAGE("4_source_on",
                 {{f.Image2, 7, 7, kRed, "source lamp"}, {f.Image1, 7, 7, kRed, "oscilloscope lamp"}});

    // 0.2 A in twenty coarse steps: the turned, shortened trace, its points
    // where the beam trace model puts them.
    for (int i = 0; i < 20; ++i) probe::pressArrow(f.sh_vprm, TUDBtnType::btNext);
    QVERIFY(std::fabs(f.amper->Value() - 0.2) < 1e-9);
    LabState model = f.Lab;
    BeginTrace(model, {f.Fmax1->Value(), f.Faza1->Value(), f.Dplastin1->Value()});
    const TracePath path = TracePoints(model, f.amper->Value(), w);
    std::vector<PixelCheck> trace;
    for (const int i : {0, 25, 50, 75, 100})
        trace.push_back({f.Image1, path[size_t(i)].x, path[size_t(i)].y, kGreen, QString("trace point %1").arg(i)});
    // The warm-up line is gone where the turned trace does not pass.
    if (std::abs(path[0].x - centre) >= 8)
        trace.push_back({f.Image1, centre, centre - (limit - 1), kDark, "old warm-up line end"});
    trace.push_back({f.Image1, 7, 7, kRed, "oscilloscope lamp"});
    VERIFY_STAGE("5_trace", trace);
    QVERIFY2(dialogs.errors.isEmpty(), qPrintable(dialogs.errors.join('\n')));
}

QTEST_MAIN(TestRealWindow)
#include "tst_real_window.moc"
