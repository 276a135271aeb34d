// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared helpers of the bench window's tests: a window with the recording
// dialogs and its controls, sized by its outer size, and pixel probes of the
// screen.
#include "bench/bench_window.h"
#include "common/bench_controls.h"
#include "common/recording_dialogs.h"
#include "toolkit/colors.h"
#include "toolkit/image_control.h"
#include "toolkit/labeled_edit.h"
#include "widgets/angular_gauge.h"

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <memory>
#include <utility>

namespace bench_test {

inline TColor pixel(const TImage &image, int x, int y)
{
    return fromQColor(image.picture().pixelColor(x, y));
}

inline int countPixels(const TImage &image, TColor colour)
{
    const QImage &p = image.picture();
    int n = 0;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            if (fromQColor(p.pixelColor(x, y)) == colour) ++n;
    return n;
}

// The green pixels' horizontal extent: a vertical line has a narrow one.
inline int greenWidth(const TImage &image)
{
    const QImage &p = image.picture();
    int lo = p.width(), hi = -1;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            if (fromQColor(p.pixelColor(x, y)) == clGreen) {
                lo = std::min(lo, x);
                hi = std::max(hi, x);
            }
    return hi < lo ? 0 : hi - lo + 1;
}

// The first and last row with a green pixel in column x; -1 and -1 if none.
inline std::pair<int, int> greenRows(const TImage &image, int x)
{
    const QImage &p = image.picture();
    int first = -1, last = -1;
    for (int y = 0; y < p.height(); ++y)
        if (fromQColor(p.pixelColor(x, y)) == clGreen) {
            if (first < 0) first = y;
            last = y;
        }
    return {first, last};
}

// Whether the screen shows the trace at zero current, the vertical sweep of
// 3.5 cm to either side of the centre, at the scale of its present width:
// 8 cm across. The line's round ends reach up to 2 pixels past its points.
inline bool showsTheSweepAtItsOwnScale(const TImage &screen)
{
    const double centre = screen.width() / 2.0;
    const double reach = 3.5 * screen.width() / 8.0;
    const auto [top, bottom] = greenRows(screen, screen.width() / 2);
    const double expectedTop = std::nearbyint(centre - reach), expectedBottom = std::nearbyint(centre + reach);
    const bool ok =
        top >= expectedTop - 2 && top <= expectedTop && bottom >= expectedBottom && bottom <= expectedBottom + 2;
    if (!ok) qWarning("the sweep spans rows %d to %d, not %g to %g", top, bottom, expectedTop, expectedBottom);
    return ok;
}

// Clicks whatever control lies on top at `pos` of `top`, as a real mouse would.
inline void clickAt(QWidget *top, QPoint pos)
{
    QWidget *w = top->childAt(pos);
    if (!w) w = top;
    QTest::mouseClick(w, Qt::LeftButton, {}, w->mapFrom(top, pos));
}

// Clicks the middle of a control (or a point of it) through the window's
// surface, so that a control lying over it takes the click.
inline void clickThrough(QWidget *clientArea, QWidget *control, QPoint local = QPoint(-1, -1))
{
    const QPoint p = local.x() < 0 ? control->rect().center() : local;
    clickAt(clientArea, control->mapTo(clientArea, p));
}

// Watches Qt's real message boxes, each in its own event loop: counts the
// boxes shown and the most open at once, keeps the last one's caption and
// text, and answers every box after `answerAfterMs`, as a student would.
class RealBoxes : public QObject {
public:
    explicit RealBoxes(int answerAfterMs) : answerAfterMs_(answerAfterMs) { qApp->installEventFilter(this); }
    ~RealBoxes() override { qApp->removeEventFilter(this); }

    int shown = 0, open = 0, mostOpen = 0;
    QString caption, text;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = qobject_cast<QMessageBox *>(watched);
        if (box && event->type() == QEvent::Show) {
            ++shown;
            mostOpen = std::max(mostOpen, ++open);
            caption = box->windowTitle();
            text = box->text();
            QTimer::singleShot(answerAfterMs_, box, &QMessageBox::accept);
        } else if (box && event->type() == QEvent::Hide) {
            --open;
        }
        return false;
    }

private:
    int answerAfterMs_;
};

// Turns every later trace into a failure: n = "00" reaches the lab state when
// the source goes on, and the trace divides by the winding density. Leaves
// the regulator on (so that every layout pass draws the trace) and the source
// off. The source switch's own trace fails on the way: call it with the
// recording dialogs installed.
inline void makeEveryTraceFail(const BenchDriver &d)
{
    d.find<TLabeledEdit>("turnDensityField")->setText(QStringLiteral("00"));
    d.click("scopeSwitch");
    d.click("regulatorSwitch");
    d.runTimer("rampUpTimer");
    d.click("sourceSwitch");
    d.click("sourceSwitch");
}

// The window and the recording dialogs, made before the controls are looked up.
struct OwnedBench {
    explicit OwnedBench(BenchWindow::Clock clock) : owned(std::make_unique<BenchWindow>(std::move(clock))) {}
    RecordingDialogs dialogs;
    std::unique_ptr<BenchWindow> owned;
};

struct Bench : OwnedBench, BenchDriver, BenchControls {
    explicit Bench(BenchWindow::Clock clock = &QDateTime::currentDateTime)
        : OwnedBench(std::move(clock)),
          BenchDriver(*owned),
          BenchControls(static_cast<const BenchDriver &>(*this)),
          window(*owned)
    {}

    BenchWindow &window;

    // The outer size: frame, caption and menu included.
    QSize outerSize() const { return window.frameGeometry().size(); }

    // Gives the window an outer size and lays it out, as the window system's
    // resize does.
    void setOuterSize(int w, int h)
    {
        const QSize before = window.size();
        window.resize(QSize(w, h) - (outerSize() - window.size()));
        QResizeEvent resized(window.size(), before);
        QCoreApplication::sendEvent(&window, &resized);
    }

    void rampUp()
    {
        click("regulatorSwitch");
        runTimer("rampUpTimer");
    }
    void rampDown()
    {
        click("regulatorSwitch");
        runTimer("rampDownTimer");
    }
    // Oscilloscope and regulator on, the ramp run to its end.
    void toRegulatorOn()
    {
        click("scopeSwitch");
        rampUp();
    }
    void toSourceOn()
    {
        toRegulatorOn();
        click("sourceSwitch");
    }
    double dial() const { return regulatorDial->position(); }
};

}  // namespace bench_test
