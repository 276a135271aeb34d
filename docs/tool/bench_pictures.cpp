// SPDX-License-Identifier: GPL-3.0-or-later
// Makes what the lab documents show of the program from the program itself:
// a bench window, driven offscreen through its handlers as a student drives
// it, is grabbed into PNG pictures, and the numbers of the theory's trace
// figure are read from the bench's model. (The worked example and the
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
#include "emlab_version.h"
#include "model/beam_trace.h"
#include "toolkit/image_control.h"
#include "toolkit/labeled_edit.h"
#include "toolkit/panel.h"
#include "widgets/iAngularGauge.h"
#include "widgets/iSevenSegmentDisplay.h"

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

class PictureBench {
public:
    explicit PictureBench(TForm1::Clock clock) : form_(std::move(clock))
    {
        form_.show();
        QCoreApplication::processEvents();
    }

    TForm1 &form() { return form_; }

    void save(const QImage &image, const QString &name)
    {
        if (!image.save(folder_.filePath(name)))
            throw std::runtime_error("cannot write " + name.toStdString());
    }
    void setFolder(const QDir &folder) { folder_ = folder; }

    void rampUp(int ticks)
    {
        form_.knopka2Click();
        for (int i = 0; i < ticks && form_.Timer2->isActive(); ++i)
            form_.Timer2Timer();
    }

    const QImage &screen() const { return form_.Image1->picture(); }

private:
    TForm1 form_;
    QDir folder_;
};

// The trace's points in centimetres on the screen for a turn angle, from the
// program's own trace model, without ripple.
QString traceCoordinates(LabState lab, double plateLengthCm, double current)
{
    BeginTrace(lab, TraceSettings{0.0, 0.0, plateLengthCm});
    QString points;
    for (int i = 0; i < kTracePointCount; i += 2) {
        TracePoint(lab, i, current, 800);
        points += QStringLiteral("(%1,%2)").arg(lab.PointX, 0, 'f', 3).arg(lab.PointY, 0, 'f', 3);
    }
    return points;
}

void makePictures(PictureBench &bench)
{
    TForm1 &form = bench.form();
    // No field shows a text cursor or a focus frame in the pictures.
    if (QWidget *focused = QApplication::focusWidget()) focused->clearFocus();
    bench.save(form.grab().toImage(), QStringLiteral("bench-start.png"));

    form.knopka1Click();
    bench.save(form.Panel2->grab().toImage(), QStringLiteral("scope-on.png"));

    // Halfway up the ramp: the dial at 45, the warm-up line growing.
    bench.rampUp(45);
    bench.save(form.grab().toImage(), QStringLiteral("warmup.png"));
    for (int i = 0; i < 1000 && form.Timer2->isActive(); ++i)
        form.Timer2Timer();
    form.knopka3Click();

    // 0.2 A (twenty presses of the wide arrow) with the start ripple, then
    // without it.
    for (int i = 0; i < 20; ++i)
        form.sh_vprmClick(TUDBtnType::btNext);
    bench.save(bench.screen(), QStringLiteral("trace-ripple.png"));
    while (form.Fmax1->Value() > 0)
        form.UpDown1Click(TUDBtnType::btPrev);
    bench.save(bench.screen(), QStringLiteral("trace-plain.png"));
}

// The trace turning and shrinking as the electrons turn further between the
// plates' middle and the screen, from the model: one panel per angle, in
// centimetres on the 8 cm screen. At 2 pi the trace is at its lowest, a dot;
// past it, a vertical dash.
void writeTraceFigure(const LabState &start, QString &numbers)
{
    LabState lab = start;
    const double plateCm = 0.5;
    // The turn angle grows in proportion to the current plus the model's
    // small offset; the model gives the angle over l at 1 A, and the plates'
    // half length adds d / 2 to the way.
    BeginTrace(lab, TraceSettings{0.0, 0.0, plateCm});
    TracePoint(lab, 0, 1.0 - 0.0001, 800);
    const double perAmpere = lab.TurnAngle * (1 + plateCm / 100.0 / (2 * start.DriftLength));
    struct Panel {
        double theta;
        const char *label;
    };
    const double pi = std::numbers::pi;
    const Panel panels[] = {
        {0.0, "0"}, {pi / 2, "\\pi/2"}, {pi, "\\pi"}, {3 * pi / 2, "3\\pi/2"}, {2 * pi, "2\\pi"}, {2.1 * pi, "2{,}1\\pi"},
    };
    QString figure;
    for (const Panel &p : panels) {
        const double shown = std::max(p.theta / perAmpere - 0.0001, 0.0);
        figure += QStringLiteral("\\TracePanel{%1}{%2}{%3}\n")
                      .arg(QString::fromLatin1(p.label), TexDecimal(shown, 3), traceCoordinates(start, plateCm, shown));
    }
    numbers += TexMacro(QStringLiteral("TraceTurningPanels"), QStringLiteral("%\n") + figure);
}

void writeDepartment(const QDir &folder)
{
    QStringList title;
    for (const QString &line : DepartmentLines(QStringLiteral("title page")))
        title << TexEscaped(line);
    QString tex = QStringLiteral("%% Written by the build from resources/department/department.txt.\n");
    tex += TexMacro(QStringLiteral("DepartmentTitleLines"), title.join(QStringLiteral("\\\\\n")));
    tex += TexMacro(QStringLiteral("DepartmentCity"), TexEscaped(DepartmentLines(QStringLiteral("city")).value(0)));
    WriteTextFile(folder, QStringLiteral("department.tex"), tex);
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
    const FailingDialogs failing;

    int status = 0;
    try {
        PictureBench bench([released] { return released; });
        bench.setFolder(folder);
        QString numbers = QStringLiteral("%% Written by the build from the bench itself.\n");
        makePictures(bench);
        writeTraceFigure(bench.form().Lab, numbers);
        WriteTextFile(folder, QStringLiteral("bench-numbers.tex"), numbers);
        writeDepartment(folder);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "emlab_doc_pictures: %s\n", e.what());
        status = 1;
    }
    return status;
}
