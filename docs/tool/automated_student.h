// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A student at the bench who knows only what a student knows: the window's
// controls by what they are, the picture on the oscilloscope screen and the
// numbers the read-outs and fields show. It clicks the arrows one press at a
// time, looks at the screen after every press and writes down the ammeter's
// reading where the computer procedure's rule says so. It never sees the
// model's turn angle or any other inner value of the program, so what it
// measures is what a careful student at the same window measures.
#include "common/bench_driver.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <map>

// The installation's parameters as the bench shows them, in SI units: the
// three fields and the plate length read-out.
struct InstallationReadings {
    double anodeVoltage = 0;   // V
    double turnsPerMetre = 0;  // 1/m
    double fieldDistance = 0;  // m, the "l" field: from the plates' screen-side edge
    double plateLength = 0;    // m
};

// What the student writes down at one focusing.
struct FocusingReadings {
    int k = 0;
    double lower = 0;  // I', A: the first lowest trace, approaching from below
    double upper = 0;  // I'', A: the first lowest trace, approaching from above
    double current() const { return (lower + upper) / 2; }
    // The centre of the screen, kCentreSide pixels square, at each ammeter
    // reading of the approach from below, in milliamperes: the pictures of
    // the rule come from here.
    std::map<int, QImage> centres;
    static constexpr int kCentreSide = 20;
};

// The box of the trace's pixels on a picture of the screen, or of a part of it.
QRect traceBounds(const QImage &screen);

class AutomatedStudent {
public:
    // `bench` is the program's bench window, shown at the size under study.
    explicit AutomatedStudent(QWidget &bench);

    // Waits until the window has laid itself out after a change of its size.
    void waitForLayout() const;
    // Oscilloscope, regulator (waiting for its dial, as the switch tells),
    // current source; then the ripple down to zero.
    void switchOn();
    InstallationReadings readInstallation() const;
    // The first focusing by the procedure's rule: wide steps up from zero
    // until the trace has shrunk and grows again, five wide steps back, then
    // the approach in narrow steps.
    FocusingReadings findFirstFocusing();
    // The k-th focusing: from 0.05 A below k times the first focusing's
    // current, the approach in narrow steps.
    FocusingReadings findFocusing(int k, double firstCurrent);

    // Sets the ammeter to `milliamps` with the arrows.
    void setCurrent(int milliamps);
    // The calculator's text for k at the present current: the lamp shows the
    // calculator (once), k is typed into its field, its button pressed.
    QString calculate(int k);
    // The screen's side as the window shows it, in pixels.
    int screenSide() const;
    // Pictures of a part of the window as its pixels are.
    QImage grabCalculator() const;

    double ammeter() const;

private:
    FocusingReadings approach(int k);
    QRect traceBox() const;
    QImage centreCrop() const;
    enum class Direction { Up, Down };
    void fineStep(Direction direction);
    void waitFor(const QWidget &control) const;

    BenchDriver bench_;
    QWidget *screen_;
    QWidget *ammeter_;
    QToolButton *coarseUp_, *coarseDown_, *fineUp_, *fineDown_;
    int lineThickness_ = 0;  // the sweep line's width before any current flows
    bool calculatorShown_ = false;
};
