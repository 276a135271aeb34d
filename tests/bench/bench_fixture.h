// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared helpers of the bench window's tests: a window with the recording
// dialogs, sized by its outer size, and pixel probes of the screen.
#include "bench/bench_window.h"
#include "common/recording_dialogs.h"
#include "toolkit/colors.h"
#include "toolkit/image_control.h"
#include "toolkit/labeled_edit.h"
#include "widgets/angular_gauge.h"

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

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

// Clicks whatever control lies on top at `pos` of `top`, as a real mouse would.
inline void clickAt(QWidget *top, QPoint pos)
{
    QWidget *w = top->childAt(pos);
    if (!w) w = top;
    QTest::mouseClick(w, Qt::LeftButton, {}, w->mapFrom(top, pos));
}

// Clicks the middle of a control through the window, so that a control lying
// over it takes the click.
inline void clickThrough(TForm1 &form, QWidget *control, QPoint local = QPoint(-1, -1))
{
    const QPoint p = local.x() < 0 ? control->rect().center() : local;
    clickAt(form.ClientArea, control->mapTo(form.ClientArea, p));
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
inline void makeEveryTraceFail(TForm1 &form)
{
    form.LabeledEdit2->setText(QStringLiteral("00"));
    form.knopka1Click();
    form.knopka2Click();
    while (form.Timer2->isActive()) form.Timer2Timer();
    form.knopka3Click();
    form.knopka3Click();
}

struct Bench {
    Bench() = default;
    explicit Bench(TForm1::Clock clock) : owned(std::make_unique<TForm1>(std::move(clock))) {}

    RecordingDialogs dialogs;
    std::unique_ptr<TForm1> owned = std::make_unique<TForm1>();
    TForm1 &form = *owned;

    // Gives the window an outer size and lays it out twice, so the scale and
    // the fields follow the new screen size too.
    void setOuterSize(int w, int h)
    {
        const QSize frame = form.outerSize() - form.size();
        form.resize(QSize(w, h) - frame);
        form.FormResize();
        form.FormResize();
    }

    void rampUp()
    {
        form.knopka2Click();
        for (int i = 0; i < 1000 && form.Timer2->isActive(); ++i) form.Timer2Timer();
    }
    void rampDown()
    {
        form.knopka2Click();
        for (int i = 0; i < 1000 && form.Timer3->isActive(); ++i) form.Timer3Timer();
    }
    // Oscilloscope and regulator on, the ramp run to its end.
    void toRegulatorOn()
    {
        form.knopka1Click();
        rampUp();
    }
    void toSourceOn()
    {
        toRegulatorOn();
        form.knopka3Click();
    }
    double dial() const { return form.transformator->position(); }
};

} // namespace bench_test
