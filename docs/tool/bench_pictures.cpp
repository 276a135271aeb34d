// SPDX-License-Identifier: GPL-3.0-or-later
// Makes what the lab documents show of the program from the program itself:
// a bench window, driven offscreen through its controls as a student drives
// it (found by their object names, clicked and pressed with the mouse, the
// ramp advanced tick by tick as the tests do), is grabbed into PNG pictures,
// and the numbers of the theory's trace figure are read from the bench's
// model. (The worked example and the
// pictures of the focusing are the automated student's.) Written into one
// folder, which the documents' build reads:
//
//   emlab_doc_pictures <folder>
//
// Any error box the bench raises on the way fails the run: a picture of a
// bench in an unexpected state must not reach the documents.
#include "failing_dialogs.h"
#include "tex_text.h"

#include "bench/bench_window.h"
#include "bench/info_windows.h"
#include "common/bench_driver.h"
#include "emlab_version.h"
#include "model/beam_trace.h"
#include "toolkit/image_control.h"
#include "toolkit/labeled_edit.h"
#include "toolkit/panel.h"
#include "widgets/seven_segment_display.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLocale>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <stdexcept>

namespace {

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
        if (!image.save(folder_.filePath(name))) throw std::runtime_error("cannot write " + name.toStdString());
    }
    void setFolder(const QDir &folder) { folder_ = folder; }

    void rampUp(int ticks)
    {
        click(QStringLiteral("regulatorSwitch"));
        for (int i = 0; i < ticks; ++i) tick(QStringLiteral("rampUpTimer"));
    }

    const QImage &screen() const { return find<TImage>(QStringLiteral("screen"))->picture(); }

private:
    BenchWindow form_;
    QDir folder_;
};

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

void makePictures(PictureBench &bench)
{
    BenchWindow &form = bench.form();
    // No field shows a text cursor or a focus frame in the pictures.
    if (QWidget *focused = QApplication::focusWidget()) focused->clearFocus();
    bench.save(form.grab().toImage(), QStringLiteral("bench-start.png"));

    bench.click(QStringLiteral("scopeSwitch"));
    bench.save(bench.find(QStringLiteral("scopePanel"))->grab().toImage(), QStringLiteral("scope-on.png"));

    // Halfway up the ramp: the dial at 45, the warm-up line growing.
    bench.rampUp(45);
    bench.save(form.grab().toImage(), QStringLiteral("warmup.png"));
    bench.runTimer(QStringLiteral("rampUpTimer"));
    bench.click(QStringLiteral("sourceSwitch"));

    // 0.2 A (twenty presses of the wide arrow) with the start ripple, then
    // without it.
    bench.press(QStringLiteral("coarseCurrentArrows"), TUDBtnType::btNext, 20);
    bench.save(bench.screen(), QStringLiteral("trace-ripple.png"));
    while (bench.find<SevenSegmentDisplay>(QStringLiteral("rippleReadout"))->value() > 0)
        bench.press(QStringLiteral("rippleArrows"), TUDBtnType::btPrev);
    bench.save(bench.screen(), QStringLiteral("trace-plain.png"));
}

// The trace turning and shrinking as the electrons turn further between the
// plates' middle and the screen, from the model: one panel per angle, in
// centimetres on the 8 cm screen. At 2 pi the trace is at its lowest, a dot;
// past it, a vertical dash.
void writeTraceFigure(const LabState &start, QString &numbers)
{
    const double plateCm = 0.5;
    // The turn angle grows in proportion to the current plus the model's
    // small offset; the model gives the angle over l at 1 A, and the plates'
    // half length adds d / 2 to the way.
    LabState lab = start;
    const TraceSweep sweep = beginTrace(lab, TraceSettings{0.0, 0.0, plateCm});
    const double perAmpere =
        tracePoint(lab, sweep, 0, 1.0 - 0.0001, 800).turnAngle * (1 + plateCm / 100.0 / (2 * start.driftLength));
    struct Panel {
        double theta;
        const char *label;
    };
    const double pi = std::numbers::pi;
    const Panel panels[] = {
        {0.0, "0"},        {pi / 2, "\\pi/2"},      {pi, "\\pi"}, {3 * pi / 2, "3\\pi/2"},
        {2 * pi, "2\\pi"}, {2.1 * pi, "2{,}1\\pi"},
    };
    QString figure;
    for (const Panel &p : panels) {
        const double shown = std::max(p.theta / perAmpere - 0.0001, 0.0);
        figure += QStringLiteral("\\TracePanel{%1}{%2}{%3}\n")
                      .arg(QString::fromLatin1(p.label), texDecimal(shown, 3), traceCoordinates(start, plateCm, shown));
    }
    numbers += texMacro(QStringLiteral("TraceTurningPanels"), QStringLiteral("%\n") + figure);
}

void writeDepartment(const QDir &folder)
{
    QStringList title;
    for (const QString &line : departmentLines(QStringLiteral("title page"))) title << texEscaped(line);
    QString tex = QStringLiteral("%% Written by the build from resources/department/department.txt.\n");
    tex += texMacro(QStringLiteral("DepartmentTitleLines"), title.join(QStringLiteral("\\\\\n")));
    tex += texMacro(QStringLiteral("DepartmentCity"), texEscaped(departmentLines(QStringLiteral("city")).value(0)));
    writeTextFile(folder, QStringLiteral("department.tex"), tex);
}

}  // namespace

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
    const FailingDialogs failing;

    int status = 0;
    try {
        PictureBench bench([released] { return released; });
        bench.setFolder(folder);
        QString numbers = QStringLiteral("%% Written by the build from the bench itself.\n");
        makePictures(bench);
        // The parameters the bench starts with and the student leaves as they are.
        LabState lab;
        setStartParameters(lab);
        writeTraceFigure(lab, numbers);
        writeTextFile(folder, QStringLiteral("bench-numbers.tex"), numbers);
        writeDepartment(folder);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "emlab_doc_pictures: %s\n", e.what());
        status = 1;
    }
    return status;
}
