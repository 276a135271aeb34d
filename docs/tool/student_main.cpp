// SPDX-License-Identifier: GPL-3.0-or-later
// The automated student at work: it measures e/m on the bench by the computer
// procedure's rule, in the standard window and in the maximised one, and
// processes its readings as the procedure says. What it writes is the
// procedure's worked example: its numbers (student-numbers.tex), the pictures
// of the rule in the screen's own pixels (focus-*.png) and the calculator at
// the first focusing (calculator.png). It prints its readings, its e/m and
// their deviations from the table value:
//
//   emlab_automated_student <folder>        the documents' two windows, written into <folder>
//   emlab_automated_student --outer WxH     one window of that outer size, printed only
//
// Its windows stand on a desktop of its own: one offscreen 1920 x 1080
// screen at one device pixel per pixel, with no window manager's frame, so
// that the window's outer size is the one the student gives it.
#include "automated_student.h"
#include "failing_dialogs.h"
#include "student_processing.h"
#include "tex_text.h"

#include "bench/bench_window_start.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMargins>
#include <QTemporaryFile>
#include <QWidget>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

// The value the documents compare with, C/kg.
constexpr double kTableValue = 1.7588e11;
// The standard window as a desktop frames it: openbox's default theme, on
// which the real-window tests run, adds a pixel at either side, a 20-pixel
// title bar and a 5-pixel foot. The bench lays itself out by that outer size.
constexpr QMargins kWindowFrame(1, 20, 1, 5);
// The procedure measures the first three focusings; the student looks at the
// fourth as well, where the formula's approximation shows.
constexpr int kUsedFocusings = 3;
constexpr int kFocusingsLookedAt = 4;
// The pictures of the rule: the screen's centre, each pixel 24 times, which
// prints at over 300 pixels an inch in the documents' width.
constexpr int kZoom = 24;
// The calculator's picture, each pixel 3 times: 300 pixels an inch in print.
constexpr int kCalculatorZoom = 3;

struct Study {
    QString window;
    int screenSide = 0;
    InstallationReadings bench;
    std::vector<FocusingReadings> focusings;  // all looked at
    ProcessedResult result;                   // of those the procedure uses
    // The calculator at I' of the first focusing.
    double calculatorCurrent = 0;
    QString calculatorText;
    QImage calculatorPicture;

    std::vector<FocusingReadings> used() const { return {focusings.begin(), focusings.begin() + kUsedFocusings}; }
    double deviation(int k) const
    {
        const FocusingReadings &f = focusings[std::size_t(k - 1)];
        return specificCharge(bench, k, f.current()) / kTableValue - 1;
    }
};

// Every pixel as a square of factor x factor pixels.
QImage enlarged(const QImage &image, int factor)
{
    return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

enum class Window { Standard, Maximised, Given };

Study study(Window window, QSize given = {})
{
    QWidget *bench = nullptr;
    const BenchProgram program = createBenchProgram([&](QWidget *w) {
        if (!bench) bench = w;
    });
    Study s;
    switch (window) {
    case Window::Standard:
        bench->resize(bench->size().grownBy(kWindowFrame));
        s.window = QStringLiteral("standard");
        break;
    case Window::Maximised:
        bench->showMaximized();
        s.window = QStringLiteral("maximised");
        break;
    case Window::Given:
        bench->resize(given);
        s.window = QStringLiteral("%1x%2").arg(given.width()).arg(given.height());
        break;
    }
    AutomatedStudent student(*bench);
    student.waitForLayout();
    s.screenSide = student.screenSide();
    student.switchOn();
    s.bench = student.readInstallation();
    s.focusings.push_back(student.findFirstFocusing());
    for (int k = 2; k <= kFocusingsLookedAt; ++k)
        s.focusings.push_back(student.findFocusing(k, s.focusings.front().current()));
    s.result = processReadings(s.bench, s.used());

    const FocusingReadings &first = s.focusings.front();
    s.calculatorCurrent = first.lower;
    student.setCurrent(int(std::lround(first.lower * 1000)));
    s.calculatorText = student.calculate(1);
    s.calculatorPicture = enlarged(student.grabCalculator().convertToFormat(QImage::Format_RGB32), kCalculatorZoom);
    return s;
}

void print(const Study &s)
{
    std::printf("%s window, screen %d px: U = %g V, n = %g 1/m, l = %g m, d = %g m\n", qPrintable(s.window),
                s.screenSide, s.bench.anodeVoltage, s.bench.turnsPerMetre, s.bench.fieldDistance, s.bench.plateLength);
    for (const FocusingReadings &f : s.focusings)
        std::printf("  k = %d: I' = %.3f A, I'' = %.3f A, I = %.4f A, e/m = %.4e C/kg, %+.2f %%%s\n", f.k, f.lower,
                    f.upper, f.current(), specificCharge(s.bench, f.k, f.current()), 100 * s.deviation(f.k),
                    f.k > kUsedFocusings ? " (not used)" : "");
    const ProcessedResult &r = s.result;
    std::printf("  mean of k = 1..%d: %.4e C/kg, %+.2f %%; random %.2e, ammeter %.2e, total %.2e C/kg\n",
                kUsedFocusings, r.mean, 100 * (r.mean / kTableValue - 1), r.random, r.instrument, r.total);
    std::printf("  calculator at %.3f A, k = 1: %s\n", s.calculatorCurrent, qPrintable(s.calculatorText));
}

// The focusings are named by letters in TeX: A for k = 1 and so on.
QString letter(int k)
{
    return QString(QLatin1Char(char('A' + k - 1)));
}

QString signedPercent(double fraction)
{
    return (fraction >= 0 ? QStringLiteral("+") : QString()) + texDecimal(100 * fraction, 2);
}

// The pictures of the rule at one focusing: the last reading before the
// lowest trace, the first and last lowest, the first after. Their currents
// and the trace's size in pixels go into the documents' captions.
const std::pair<const char *, int> kShots[] = {{"before", -1}, {"first", 0}, {"last", 0}, {"after", 1}};

int shotMilliamps(const FocusingReadings &f, const char *shot, int offset)
{
    const double reading = QByteArray(shot) == "before" || QByteArray(shot) == "first" ? f.lower : f.upper;
    return int(std::lround(reading * 1000)) + offset;
}

void savePictures(const QDir &folder, const FocusingReadings &f, QString &tex)
{
    for (const auto &[shot, offset] : kShots) {
        const int milliamps = shotMilliamps(f, shot, offset);
        const auto found = f.centres.find(milliamps);
        if (found == f.centres.end()) throw std::runtime_error("no look at the screen at the rule's readings");
        const QString file = QStringLiteral("focus-%1-%2.png").arg(f.k).arg(QLatin1String(shot));
        if (!enlarged(found->second, kZoom).save(folder.filePath(file)))
            throw std::runtime_error("cannot write " + file.toStdString());
        const QString name = letter(f.k) + QLatin1Char(char(std::toupper(shot[0]))) + QLatin1String(shot + 1);
        const QRect box = traceBounds(found->second);
        tex += texMacro(QStringLiteral("StudentShot") + name, texDecimal(milliamps / 1000.0, 3));
        tex += texMacro(QStringLiteral("StudentShape") + name,
                        QStringLiteral("%1\\times %2").arg(box.width()).arg(box.height()));
    }
}

// "в 24 раза", "в 5 раз": the count of times with its Russian word.
QString timesOver(int n)
{
    const int lastTwo = n % 100, last = n % 10;
    const bool few = last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14);
    return QString::number(n) + (few ? QStringLiteral("~раза") : QStringLiteral("~раз"));
}

QString worked(const Study &standard, const Study &maximised)
{
    QString tex = QStringLiteral("%% Written by the build: the automated student's readings at the bench.\n");
    auto add = [&tex](const QString &name, const QString &body) { tex += texMacro(name, body); };
    add(QStringLiteral("StudentScreenSide"), QString::number(standard.screenSide));
    add(QStringLiteral("StudentZoom"), timesOver(kZoom));
    add(QStringLiteral("StudentCalculatorZoom"), timesOver(kCalculatorZoom));
    for (const FocusingReadings &f : standard.focusings) {
        const QString n = letter(f.k);
        add(QStringLiteral("StudentLower%1").arg(n), texDecimal(f.lower, 3));
        add(QStringLiteral("StudentUpper%1").arg(n), texDecimal(f.upper, 3));
        add(QStringLiteral("StudentCurrent%1").arg(n), texDecimal(f.current(), 4));
        add(QStringLiteral("StudentCurrentValue%1").arg(n), QString::number(f.current(), 'f', 4));
        add(QStringLiteral("StudentEm%1").arg(n),
            texDecimal(specificCharge(standard.bench, f.k, f.current()) / 1e11, 4));
        add(QStringLiteral("StudentDeviation%1").arg(n), signedPercent(standard.deviation(f.k)));
        // Half a step of the ammeter in I, twice that in e/m.
        add(QStringLiteral("StudentStepShare%1").arg(n), texDecimal(100 * kAmmeterStep / f.current(), 2));
        add(QStringLiteral("MaximisedDeviation%1").arg(n), signedPercent(maximised.deviation(f.k)));
    }
    const ProcessedResult &r = standard.result;
    const Rounded rounded = roundUncertainty(r.total / 1e11);
    add(QStringLiteral("StudentMean"), texDecimal(r.mean / 1e11, 4));
    add(QStringLiteral("StudentMeanValue"), QString::number(r.mean / 1e11, 'f', 5));
    add(QStringLiteral("StudentSpread"), texDecimal(r.spread / 1e11, 4));
    add(QStringLiteral("StudentCoefficient"), texDecimal(r.student, 2));
    add(QStringLiteral("StudentRandom"), texDecimal(r.random / 1e11, 4));
    add(QStringLiteral("StudentInstrument"), texDecimal(r.instrument / 1e11, 4));
    add(QStringLiteral("StudentTotal"), texDecimal(r.total / 1e11, 4));
    add(QStringLiteral("StudentResult"),
        QStringLiteral("%1 \\pm %2")
            .arg(texDecimal(r.mean / 1e11, rounded.decimals), texDecimal(rounded.uncertainty, rounded.decimals)));
    add(QStringLiteral("StudentRelative"), texDecimal(100 * r.total / r.mean, 2));
    add(QStringLiteral("StudentDeviation"), signedPercent(r.mean / kTableValue - 1));
    add(QStringLiteral("MaximisedDeviation"), signedPercent(maximised.result.mean / kTableValue - 1));
    add(QStringLiteral("MaximisedScreenSide"), QString::number(maximised.screenSide));

    // The plot: the currents against k and the line the processing draws,
    // I = k I1 with I1 the first focusing's current the mean e/m gives.
    QString points;
    for (const FocusingReadings &f : standard.used())
        points += QStringLiteral("(%1,%2)").arg(f.k).arg(f.current(), 0, 'f', 4);
    add(QStringLiteral("StudentPoints"), points);
    const double slope = standard.focusings.front().current() *
        std::sqrt(specificCharge(standard.bench, 1, standard.focusings.front().current()) / r.mean);
    add(QStringLiteral("StudentSlope"), QString::number(slope, 'f', 5));
    add(QStringLiteral("StudentSlopeText"), texDecimal(slope, 4));

    // The calculator at I' of the first focusing, and the same current in
    // the procedure's formula.
    add(QStringLiteral("StudentCalculatorCurrent"), texDecimal(standard.calculatorCurrent, 3));
    add(QStringLiteral("StudentCalculatorText"), texEscaped(standard.calculatorText));
    bool shown = false;
    const double calculated = QLocale().toDouble(standard.calculatorText.section(QLatin1Char(' '), 0, 0), &shown);
    if (!shown) throw std::runtime_error("cannot read the calculator's result");
    add(QStringLiteral("StudentCalculatorValue"), texDecimal(calculated / 1e11, 3));
    const double distance = standard.bench.fieldDistance;
    const double factor = std::pow(distance / (distance + standard.bench.plateLength / 2), 2);
    add(QStringLiteral("StudentCalculatorFactor"), texDecimal(factor, 4));
    add(QStringLiteral("StudentFormulaAtCalculator"),
        texDecimal(specificCharge(standard.bench, 1, standard.calculatorCurrent) / 1e11, 3));
    return tex;
}

// Offscreen, on the student's own screen, one device pixel per pixel.
QTemporaryFile &desktop()
{
    static QTemporaryFile file;
    if (!file.open()) throw std::runtime_error("cannot write the desktop's description");
    file.write(R"({"windowFrameMargins": false,
                  "screens": [{"name": "student", "x": 0, "y": 0, "width": 1920, "height": 1080,
                               "logicalDpi": 96, "logicalBaseDpi": 96}]})");
    file.flush();
    return file;
}

}  // namespace

int main(int argc, char **argv)
{
    std::optional<QSize> outer;
    QString folderPath;
    if (argc == 3 && std::string(argv[1]) == "--outer") {
        int w = 0, h = 0;
        if (std::sscanf(argv[2], "%dx%d", &w, &h) == 2) outer = QSize(w, h);
    } else if (argc == 2) {
        folderPath = QString::fromLocal8Bit(argv[1]);
    }
    if (!outer && folderPath.isEmpty()) {
        std::fprintf(stderr, "usage: emlab_automated_student <folder> | --outer WxH\n");
        return 2;
    }

    int status = 0;
    try {
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + desktop().fileName().toLocal8Bit());
        for (const char *scaling : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING"})
            qunsetenv(scaling);
        QApplication app(argc, argv);
        initialiseApplication(app);
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        const FailingDialogs failing;

        if (outer) {
            print(study(Window::Given, *outer));
            return 0;
        }
        const QDir folder(folderPath);
        if (!QDir().mkpath(folder.path())) throw std::runtime_error("cannot make the folder");
        const Study standard = study(Window::Standard);
        print(standard);
        const Study maximised = study(Window::Maximised);
        print(maximised);
        QString tex = worked(standard, maximised);
        for (int k : {1, 3}) savePictures(folder, standard.focusings[std::size_t(k - 1)], tex);
        if (!standard.calculatorPicture.save(folder.filePath(QStringLiteral("calculator.png"))))
            throw std::runtime_error("cannot write calculator.png");
        writeTextFile(folder, QStringLiteral("student-numbers.tex"), tex);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "emlab_automated_student: %s\n", e.what());
        status = 1;
    }
    return status;
}
