// SPDX-License-Identifier: GPL-3.0-or-later
// Makes what the lab documents show of the program from the program itself:
// a bench window, driven offscreen through its controls as a student drives
// it (found by their object names, clicked and pressed with the mouse, the
// ramp advanced tick by tick as the tests do), is grabbed into PNG pictures,
// and the numbers of the documents' worked example and trace figure are read
// from the bench and its model. Written into one folder, which the
// documents' build reads:
//
//   emlab_doc_pictures <folder>
//
// Any error box the bench raises on the way fails the run: a picture of a
// bench in an unexpected state must not reach the documents.
#include "bench/bench_window.h"
#include "bench/info_windows.h"
#include "common/bench_driver.h"
#include "emlab_version.h"
#include "model/beam_trace.h"
#include "model/specific_charge.h"
#include "toolkit/decimal_format.h"
#include "toolkit/dialogs.h"
#include "toolkit/image_control.h"
#include "toolkit/labeled_edit.h"
#include "toolkit/panel.h"
#include "widgets/angular_gauge.h"
#include "widgets/seven_segment_display.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace {

// Fails the run on any box: the documents show a bench that raised none.
class FailingDialogs final : public DialogService {
public:
    void showError(const QString &message) override { fail(QStringLiteral("error box: ") + message); }
    void showMessage(const QString &text) override { fail(QStringLiteral("message box: ") + text); }
    bool askWarningYesNo(const QString &text) override
    {
        fail(QStringLiteral("question: ") + text);
        return false;
    }
    bool shellOpen(const QString &path) override { fail(QStringLiteral("open: ") + path); }

private:
    [[noreturn]] static void fail(const QString &what) { throw std::runtime_error(what.toStdString()); }
};

// The trace's green pen, as the screen draws it.
bool isTraceGreen(QRgb pixel)
{
    return qRed(pixel) == 0 && qGreen(pixel) == 128 && qBlue(pixel) == 0;
}

// The bounding box of the trace's green pixels on the screen picture.
QRect greenBox(const QImage &screen)
{
    QRect box;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            if (isTraceGreen(screen.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

// Numbers as the documents print them: the Russian decimal comma, braced so
// that formulas set it without the space after a punctuation comma.
QString decimal(double value, int decimals)
{
    return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), QStringLiteral("{,}"));
}

QString amperes(int milliamps) { return decimal(milliamps / 1000.0, 3); }

// Text that TeX must print as it stands.
QString texEscaped(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QStringLiteral("\\textbackslash{}"); break;
        case '{': case '}': case '$': case '&': case '#': case '_': case '%':
            out += QLatin1Char('\\') + c;
            break;
        case '~': out += QStringLiteral("\\textasciitilde{}"); break;
        case '^': out += QStringLiteral("\\textasciicircum{}"); break;
        default: out += c;
        }
    }
    return out;
}

// A result of the calculator, kept on one line.
QString resultText(const QString &text)
{
    return texEscaped(text).replace(QLatin1Char(' '), QLatin1Char('~'));
}

QString macro(const QString &name, const QString &body)
{
    return QStringLiteral("\\newcommand\\%1{%2}\n").arg(name, body);
}

// The number of a focusing, k = 1..4, as letters: TeX names have no digits.
QString kName(int k)
{
    return QString(QLatin1Char(char('A' + k - 1)));
}

class PictureBench : public BenchDriver {
public:
    explicit PictureBench(BenchWindow::Clock clock) : BenchDriver(form_), form_(std::move(clock))
    {
        form_.show();
        QCoreApplication::processEvents();
    }

    BenchWindow &form() { return form_; }

    void save(const QImage &image, const QString &name)
    {
        if (!image.save(folder_.filePath(name)))
            throw std::runtime_error("cannot write " + name.toStdString());
    }
    void setFolder(const QDir &folder) { folder_ = folder; }

    // The screen and, four times enlarged pixel for pixel, its centre, where
    // the trace near a focusing is too small to make out on paper.
    void saveScreen(const QString &name)
    {
        const QImage &picture = screen();
        save(picture, name + QStringLiteral(".png"));
        const int side = 41;
        const QRect centre(picture.width() / 2 - side / 2, picture.height() / 2 - side / 2, side, side);
        save(picture.copy(centre).scaled(4 * side, 4 * side, Qt::IgnoreAspectRatio, Qt::FastTransformation),
             name + QStringLiteral("-zoom.png"));
    }

    void rampUp(int ticks)
    {
        click(QStringLiteral("regulatorSwitch"));
        for (int i = 0; i < ticks; ++i)
            tick(QStringLiteral("rampUpTimer"));
    }

    // The ammeter to `milliamps` through the two current adjusters, as a
    // student clicks them: 0.01 A steps, then 0.001 A steps. The fine pair
    // climbs at most 100 steps above its start, so past that a coarse step
    // up is followed by nine fine steps down.
    void setCurrent(int milliamps)
    {
        while (milliamps_ != milliamps) {
            const int up = milliamps - milliamps_;
            if (up >= 10 || up <= -10) {
                press(kCoarse, up > 0 ? TUDBtnType::btNext : TUDBtnType::btPrev);
                milliamps_ += up > 0 ? 10 : -10;
            } else if (up > 0 && fine_ == 100) {
                press(kCoarse, TUDBtnType::btNext);
                press(kFine, TUDBtnType::btPrev, 9);
                fine_ -= 9;
                milliamps_ += 1;
            } else if (up < 0 && fine_ == 0) {
                press(kCoarse, TUDBtnType::btPrev);
                press(kFine, TUDBtnType::btNext, 9);
                fine_ += 9;
                milliamps_ -= 1;
            } else {
                press(kFine, up > 0 ? TUDBtnType::btNext : TUDBtnType::btPrev);
                fine_ += up > 0 ? 1 : -1;
                milliamps_ += up > 0 ? 1 : -1;
            }
        }
    }

    // The calculator's text for helix turn number k at the present current.
    QString calculate(int k)
    {
        find<QLineEdit>(QStringLiteral("helixTurnsField"))->setText(QString::number(k));
        click(QStringLiteral("calculateButton"));
        return find<QLineEdit>(QStringLiteral("specificChargeField"))->text();
    }

    const QImage &screen() const { return find<TImage>(QStringLiteral("screen"))->picture(); }
    // The part of the window's surface under the menu that the named
    // controls (all lying on that surface) cover.
    QRect areaOf(std::initializer_list<const char *> names) const
    {
        QRect area;
        for (const char *name : names)
            area |= find(QLatin1String(name))->geometry();
        return area;
    }

private:
    static inline const QString kCoarse = QStringLiteral("coarseCurrentArrows");
    static inline const QString kFine = QStringLiteral("fineCurrentArrows");

    BenchWindow form_;
    QDir folder_;
    int milliamps_ = 0;
    int fine_ = 0;  // the fine adjuster's position, 0..100
};

// One focusing as a student finds it on this screen, with the ripple at 0:
// raising the current, the line shrinks to a dot (dotFrom..dotTo), which
// then stands up as a short vertical dash; the dash the trace shows where the
// electrons turn exactly k times is seen from dashFrom to dashTo.
struct Focusing {
    int k = 0;
    int exact = 0;  // mA, the ammeter's step nearest to a turn angle of 2 pi k
    int dotFrom = 0, dotTo = 0;
    int dashFrom = 0, dashTo = 0;
};

struct Scan {
    std::vector<QRect> boxes;   // green box per mA
    std::vector<double> turns;  // turn angle per mA, radians
};

Focusing findFocusing(const Scan &scan, int k)
{
    Focusing f;
    f.k = k;
    const double target = 2 * std::numbers::pi * k;
    const int last = int(scan.turns.size()) - 1;
    for (int m = 1; m <= last; ++m)
        if (std::abs(scan.turns[m] - target) < std::abs(scan.turns[f.exact] - target))
            f.exact = m;

    // The dot: the smallest trace in the last tenth of the current below.
    const int from = f.exact - std::max(20, f.exact / 10);
    auto size = [&](int m) { return scan.boxes[m].width() * scan.boxes[m].height(); };
    int smallest = f.exact;
    for (int m = from; m <= f.exact; ++m)
        if (size(m) < size(smallest))
            smallest = m;
    f.dotFrom = f.dotTo = smallest;
    while (f.dotTo + 1 <= f.exact && size(f.dotTo + 1) == size(smallest))
        ++f.dotTo;
    while (f.dotFrom - 1 >= from && size(f.dotFrom - 1) == size(smallest))
        --f.dotFrom;

    // The dash: the run of currents around the exact one whose trace has the
    // same size as there.
    const QSize dash = scan.boxes[f.exact].size();
    f.dashFrom = f.dashTo = f.exact;
    while (f.dashFrom - 1 > f.dotTo && scan.boxes[f.dashFrom - 1].size() == dash)
        --f.dashFrom;
    while (f.dashTo + 1 <= last && scan.boxes[f.dashTo + 1].size() == dash)
        ++f.dashTo;
    return f;
}

// The calculator's formula and format for a current between the ammeter's
// steps, with the bench's parameters.
QString specificChargeText(const LabState &lab, int k, double current)
{
    const double em = computeSpecificCharge(lab, k, current);
    return QString::fromStdString(FormatSpecificCharge(em, ",")) + QStringLiteral(" Кл/кг");
}

// The turn angle of the electrons at `current`, without ripple, from the
// program's own trace model.
double turnAngle(LabState lab, double plateLengthCm, double current)
{
    const TraceSweep sweep = beginTrace(lab, TraceSettings{0.0, 0.0, plateLengthCm});
    return tracePoint(lab, sweep, 0, current, 800).turnAngle;
}

// The trace's points in centimetres on the screen for a turn angle, from the
// program's own trace model, without ripple.
QString traceCoordinates(LabState lab, double plateLengthCm, double current)
{
    const TraceSweep sweep = beginTrace(lab, TraceSettings{0.0, 0.0, plateLengthCm});
    QString points;
    for (int i = 0; i < kTracePointCount; i += 2) {
        const TracePointResult point = tracePoint(lab, sweep, i, current, 800);
        points += QStringLiteral("(%1,%2)").arg(point.x, 0, 'f', 3).arg(point.y, 0, 'f', 3);
    }
    return points;
}

void writeFile(const QDir &folder, const QString &name, const QString &text)
{
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0)
        throw std::runtime_error("cannot write " + name.toStdString());
}

void makePictures(PictureBench &bench, const LabState &lab, std::vector<Focusing> &focusings, QString &numbers)
{
    BenchWindow &form = bench.form();
    bench.save(form.grab().toImage(), QStringLiteral("bench-start.png"));

    bench.click(QStringLiteral("scopeSwitch"));
    bench.save(bench.find(QStringLiteral("scopePanel"))->grab().toImage(), QStringLiteral("scope-on.png"));

    // Halfway up the ramp: the dial at 45, the warm-up line growing.
    bench.rampUp(45);
    bench.save(form.grab().toImage(), QStringLiteral("warmup.png"));
    bench.runTimer(QStringLiteral("rampUpTimer"));
    bench.click(QStringLiteral("sourceSwitch"));

    // 0.2 A with the start ripple, then without it.
    bench.setCurrent(200);
    bench.save(bench.screen(), QStringLiteral("trace-ripple.png"));
    while (bench.find<SevenSegmentDisplay>(QStringLiteral("rippleReadout"))->value() > 0)
        bench.press(QStringLiteral("rippleArrows"), TUDBtnType::btPrev);
    bench.save(bench.screen(), QStringLiteral("trace-plain.png"));

    // Every step of the ammeter up to past the fourth focusing.
    const double plateCm = bench.find<SevenSegmentDisplay>(QStringLiteral("plateLengthReadout"))->value();
    Scan scan;
    const int top = 1700;
    for (int m = 0; m <= top; ++m) {
        bench.setCurrent(m);
        scan.boxes.push_back(greenBox(bench.screen()));
        scan.turns.push_back(turnAngle(lab, plateCm, m / 1000.0));
    }
    for (int k = 1; k <= 4; ++k)
        focusings.push_back(findFocusing(scan, k));

    const Focusing &first = focusings.front();
    bench.setCurrent((first.dotFrom + first.dotTo) / 2);
    bench.saveScreen(QStringLiteral("focus-dot"));
    bench.setCurrent(first.exact);
    bench.saveScreen(QStringLiteral("focus-dash"));
    // Before the dot the line is still turning.
    const int before = first.dotFrom - (first.exact - first.dotFrom);
    bench.setCurrent(before);
    bench.saveScreen(QStringLiteral("focus-before"));
    numbers += macro(QStringLiteral("BeforeDotCurrent"), amperes(before));

    // The calculator with its result at each focusing.
    bench.click(QStringLiteral("sourceLamp"));
    for (const Focusing &f : focusings) {
        bench.setCurrent(f.exact);
        numbers += macro(QStringLiteral("Exact%1Current").arg(kName(f.k)), amperes(f.exact));
        numbers += macro(QStringLiteral("Exact%1Result").arg(kName(f.k)), resultText(bench.calculate(f.k)));
    }
    bench.setCurrent(first.exact);
    bench.calculate(1);
    QRect calculator = bench.areaOf({"sourcePanel", "calculateButton", "specificChargeField", "helixTurnsField"});
    calculator.adjust(-6, -6, 6, 6);
    bench.save(bench.find(QStringLiteral("clientArea"))->grab(calculator).toImage(), QStringLiteral("calculator.png"));
    numbers += macro(QStringLiteral("ScreenWidthPixels"), QString::number(bench.screen().width()));
}

void writeWorkedExample(const std::vector<Focusing> &focusings, const LabState &lab, QString &numbers)
{
    double sum = 0;
    for (const Focusing &f : focusings) {
        const QString n = kName(f.k);
        const int dot = (f.dotFrom + f.dotTo) / 2;
        const double mean = (f.dashFrom + f.dashTo) / 2000.0;
        numbers += macro(QStringLiteral("Dot%1From").arg(n), amperes(f.dotFrom));
        numbers += macro(QStringLiteral("Dot%1To").arg(n), amperes(f.dotTo));
        numbers += macro(QStringLiteral("Dot%1Mid").arg(n), amperes(dot));
        numbers += macro(QStringLiteral("Dot%1Result").arg(n), resultText(specificChargeText(lab, f.k, dot / 1000.0)));
        numbers += macro(QStringLiteral("Dash%1From").arg(n), amperes(f.dashFrom));
        numbers += macro(QStringLiteral("Dash%1To").arg(n), amperes(f.dashTo));
        numbers += macro(QStringLiteral("Dash%1Mean").arg(n), decimal(mean, 4));
        numbers += macro(QStringLiteral("Dash%1Result").arg(n), resultText(specificChargeText(lab, f.k, mean)));
        sum += computeSpecificCharge(lab, f.k, mean);
    }
    const double average = sum / double(focusings.size());
    numbers += macro(QStringLiteral("DashAverage"), decimal(average / 1e11, 3));
    // Against the accepted value the documents quote, 1.7588e11 C/kg.
    numbers += macro(QStringLiteral("DashAverageDeviation"), decimal(100.0 * (average / 1.7588e11 - 1.0), 1));
    const Focusing &first = focusings.front();
    const double dotFirst = computeSpecificCharge(lab, 1, ((first.dotFrom + first.dotTo) / 2) / 1000.0);
    numbers += macro(QStringLiteral("DotADeviation"), decimal(100.0 * (dotFirst / 1.7588e11 - 1.0), 1));
}

// The trace turning and shrinking as the turn angle grows, from the model:
// one panel per angle, in centimetres on the 8 cm screen.
void writeTraceFigure(const LabState &start, QString &numbers)
{
    const double plateCm = 0.5;
    // The turn angle grows in proportion to the current plus the model's
    // small offset; the model gives the angle at 1 A.
    const double perAmpere = turnAngle(start, plateCm, 1.0 - 0.0001);
    const double d = plateCm / 100.0, l = start.driftLength;
    struct Panel {
        double theta;
        const char *label;
    };
    // The dot: where sin(theta) + theta d / (2 l) = 0 just below 2 pi.
    double dot = 2 * std::numbers::pi;
    for (int i = 0; i < 60; ++i)
        dot -= (std::sin(dot) + dot * d / (2 * l)) / (std::cos(dot) + d / (2 * l));
    const Panel panels[] = {
        {0.0, "0"},
        {std::numbers::pi / 2, "\\pi/2"},
        {std::numbers::pi, "\\pi"},
        {3 * std::numbers::pi / 2, "3\\pi/2"},
        {dot, ""},
        {2 * std::numbers::pi, "2\\pi"},
    };
    QString figure;
    for (const Panel &p : panels) {
        const double current = p.theta / perAmpere - 0.0001;
        const double shown = std::max(current, 0.0);
        const QString theta = *p.label ? QString::fromLatin1(p.label) : decimal(p.theta / std::numbers::pi, 3) + QStringLiteral("\\pi");
        figure += QStringLiteral("\\TracePanel{%1}{%2}{%3}\n")
                      .arg(theta, decimal(shown, 3), traceCoordinates(start, plateCm, shown));
    }
    numbers += macro(QStringLiteral("TraceTurningPanels"), QStringLiteral("%\n") + figure);
}

void writeDepartment(const QDir &folder)
{
    QStringList title;
    for (const QString &line : departmentLines(QStringLiteral("title page")))
        title << texEscaped(line);
    QString tex = QStringLiteral("%% Written by the build from resources/department/department.txt.\n");
    tex += macro(QStringLiteral("DepartmentTitleLines"), title.join(QStringLiteral("\\\\\n")));
    tex += macro(QStringLiteral("DepartmentCity"), texEscaped(departmentLines(QStringLiteral("city")).value(0)));
    writeFile(folder, QStringLiteral("department.tex"), tex);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: emlab_doc_pictures <folder>\n");
        return 2;
    }
    const QDir folder(args[1]);
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(folder.path()));
        return 1;
    }

    // The documents are Russian: decimal commas, and the date of the release
    // rather than of the build on the status bar.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    const QDateTime released(QDate::fromString(QStringLiteral(EMLAB_RELEASE_DATE), Qt::ISODate), QTime(10, 0));
    FailingDialogs failing;
    setDialogs(&failing);

    int status = 0;
    try {
        PictureBench bench([released] { return released; });
        bench.setFolder(folder);
        // The parameters the bench starts with and the student leaves as they are.
        LabState lab;
        setStartParameters(lab);
        std::vector<Focusing> focusings;
        QString numbers = QStringLiteral("%% Written by the build from the bench itself.\n");
        makePictures(bench, lab, focusings, numbers);
        writeWorkedExample(focusings, lab, numbers);
        writeTraceFigure(lab, numbers);
        writeFile(folder, QStringLiteral("bench-numbers.tex"), numbers);
        writeDepartment(folder);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "emlab_doc_pictures: %s\n", e.what());
        status = 1;
    }
    setDialogs(nullptr);
    return status;
}
