// SPDX-License-Identifier: GPL-3.0-or-later
#include "automated_student.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QToolButton>

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace {

// The bench's controls by their object names: the one place that knows them.
namespace Names {
    constexpr const char *ClientArea = "clientArea";
    constexpr const char *Screen = "screen";
    constexpr const char *ScopeSwitch = "scopeSwitch";
    constexpr const char *RegulatorSwitch = "regulatorSwitch";
    constexpr const char *SourceSwitch = "sourceSwitch";
    constexpr const char *Ammeter = "ammeter";
    constexpr const char *CoarseArrows = "coarseCurrentArrows";  // 0.01 A a press
    constexpr const char *FineArrows = "fineCurrentArrows";      // 0.001 A a press
    constexpr const char *RippleArrows = "rippleArrows";
    constexpr const char *RippleReadout = "rippleReadout";
    constexpr const char *VoltageField = "anodeVoltageField";
    constexpr const char *TurnsField = "turnDensityField";
    constexpr const char *DistanceField = "driftLengthField";
    constexpr const char *PlateReadout = "plateLengthReadout";
    constexpr const char *SourcePanel = "sourcePanel";
    constexpr const char *SourceLamp = "sourceLamp";
    constexpr const char *CalculatorButton = "calculateButton";
    constexpr const char *CalculatorResult = "specificChargeField";
    constexpr const char *CalculatorTurns = "helixTurnsField";
}  // namespace Names

// How far back the approach from below starts: five presses of the wide arrow.
constexpr int kApproachPresses = 5;
// More narrow presses than any approach needs: a rule that never stops is a fault.
constexpr int kMostPresses = 400;
// The ammeter shows less than 10 A; a focusing not found below that is a fault.
constexpr double kTopCurrent = 9.9;

void key(QWidget &target, int code, const QString &text = QString())
{
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
    QApplication::sendEvent(&target, &press);
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
    QApplication::sendEvent(&target, &release);
}

// A read-out's number as its cells show it, the way a screen reader says it:
// the digits with the locale's separator, then the unit.
double shownNumber(QWidget &readout)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(&readout);
    const QString said = face ? face->text(QAccessible::Value) : QString();
    bool ok = false;
    const double value = QLocale().toDouble(said.section(QLatin1Char(' '), 0, 0), &ok);
    if (!ok) throw std::runtime_error("cannot read " + readout.objectName().toStdString() + ": " + said.toStdString());
    return value;
}

double fieldNumber(const BenchDriver &bench, const char *name)
{
    bool ok = false;
    const double value = QLocale().toDouble(bench.find<QLineEdit>(name)->text(), &ok);
    if (!ok) throw std::runtime_error(std::string("cannot read the field ") + name);
    return value;
}

// The trace is the bright green on the dark screen; the lamp is red, the
// screen's surround grey.
bool isTrace(QRgb pixel)
{
    return qGreen(pixel) > qRed(pixel) + 60 && qGreen(pixel) > qBlue(pixel) + 60;
}

// How long the trace looks: the diagonal of its box, the length of a line
// whichever way it is turned.
double length(const QRect &box)
{
    return std::hypot(box.width(), box.height());
}

}  // namespace

AutomatedStudent::AutomatedStudent(QWidget &bench)
    : bench_(bench),
      screen_(bench_.find(Names::Screen)),
      ammeter_(bench_.find(Names::Ammeter)),
      coarseUp_(arrowOf(bench_.find<TUpDown>(Names::CoarseArrows), TUDBtnType::btNext)),
      coarseDown_(arrowOf(bench_.find<TUpDown>(Names::CoarseArrows), TUDBtnType::btPrev)),
      fineUp_(arrowOf(bench_.find<TUpDown>(Names::FineArrows), TUDBtnType::btNext)),
      fineDown_(arrowOf(bench_.find<TUpDown>(Names::FineArrows), TUDBtnType::btPrev))
{}

void AutomatedStudent::waitFor(const QWidget &control) const
{
    QElapsedTimer clock;
    clock.start();
    while (!control.isEnabled()) {
        if (clock.elapsed() > 20000) throw std::runtime_error("the source switch stayed disabled");
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

void AutomatedStudent::waitForLayout() const
{
    QElapsedTimer still;
    still.start();
    QSize last = screen_->size();
    while (still.elapsed() < 400) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        if (screen_->size() != last) {
            last = screen_->size();
            still.restart();
        }
    }
}

void AutomatedStudent::switchOn()
{
    bench_.click(Names::ScopeSwitch);
    bench_.click(Names::RegulatorSwitch);
    QWidget *source = bench_.find(Names::SourceSwitch);
    waitFor(*source);
    BenchDriver::leftClick(source);
    // Before any current flows the trace is the vertical sweep line: its
    // width is the line's thickness.
    lineThickness_ = traceBox().width();
    QWidget *ripple = bench_.find(Names::RippleReadout);
    for (int press = 0; shownNumber(*ripple) > 0; ++press) {
        if (press == 10) throw std::runtime_error("the ripple does not go down to zero");
        bench_.press(Names::RippleArrows, TUDBtnType::btPrev);
    }
}

InstallationReadings AutomatedStudent::readInstallation() const
{
    InstallationReadings r;
    r.anodeVoltage = fieldNumber(bench_, Names::VoltageField);
    r.turnsPerMetre = fieldNumber(bench_, Names::TurnsField) * 100;
    r.fieldDistance = fieldNumber(bench_, Names::DistanceField) / 100;
    r.plateLength = shownNumber(*bench_.find(Names::PlateReadout)) / 100;
    return r;
}

double AutomatedStudent::ammeter() const
{
    return shownNumber(*ammeter_);
}

int AutomatedStudent::screenSide() const
{
    return screen_->width();
}

QRect traceBounds(const QImage &screen)
{
    QRect box;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            if (isTrace(screen.pixel(x, y))) box |= QRect(x, y, 1, 1);
    return box;
}

QRect AutomatedStudent::traceBox() const
{
    const QRect box = traceBounds(screen_->grab().toImage());
    if (box.isEmpty()) throw std::runtime_error("no trace on the screen");
    return box;
}

// The trace near a focusing fits in the screen's centre.
QImage AutomatedStudent::centreCrop() const
{
    const QImage screen = screen_->grab().toImage();
    const int side = FocusingReadings::kCentreSide;
    return screen.copy(screen.width() / 2 - side / 2, screen.height() / 2 - side / 2, side, side);
}

// One press of a narrow arrow. At either end of its hundred steps the
// narrow pair does nothing; the procedure then takes 0.01 A with the wide
// pair and nine steps back with the narrow one.
void AutomatedStudent::fineStep(Direction direction)
{
    const bool up = direction == Direction::Up;
    const double before = ammeter();
    BenchDriver::leftClick(up ? fineUp_ : fineDown_);
    if (ammeter() != before) return;
    BenchDriver::leftClick(up ? coarseUp_ : coarseDown_);
    for (int i = 0; i < 9; ++i) BenchDriver::leftClick(up ? fineDown_ : fineUp_);
}

FocusingReadings AutomatedStudent::findFirstFocusing()
{
    // Wide steps up: the trace turns and shrinks to a small spot at the
    // centre, shorter than a tenth of the screen, then grows again. Stop at
    // the first step at which the spot grew, and go five wide steps back,
    // below the focusing.
    const double spot = screenSide() / 10.0;
    double previous = length(traceBox());
    for (;;) {
        if (ammeter() > kTopCurrent) throw std::runtime_error("no focusing below 10 A");
        BenchDriver::leftClick(coarseUp_);
        const double now = length(traceBox());
        if (previous <= spot && now > previous) break;
        previous = now;
    }
    for (int i = 0; i < kApproachPresses; ++i) BenchDriver::leftClick(coarseDown_);
    return approach(1);
}

FocusingReadings AutomatedStudent::findFocusing(int k, double firstCurrent)
{
    setCurrent(int(std::lround((k * firstCurrent - kApproachPresses * 0.01) * 1000)));
    return approach(k);
}

FocusingReadings AutomatedStudent::approach(int k)
{
    // Narrow steps up. The trace gets lower, stays at its lowest for some
    // steps (a round dot, or a flat horizontal smudge), then stands up as a
    // vertical dash: I' is the first reading of the lowest trace.
    FocusingReadings readings;
    readings.k = k;
    struct Step {
        double current;
        int height;
    };
    std::vector<Step> steps;
    int lowest = INT_MAX;
    for (;;) {
        if (int(steps.size()) > kMostPresses) throw std::runtime_error("the trace never stood up as a dash");
        fineStep(Direction::Up);
        const int height = traceBox().height();
        readings.centres[int(std::lround(ammeter() * 1000))] = centreCrop();
        if (!steps.empty() && height > lowest && steps.back().height == lowest) break;
        lowest = std::min(lowest, height);
        steps.push_back({ammeter(), height});
    }
    if (lowest > lineThickness_ + 1) throw std::runtime_error("the trace never got as low as the line is thick");
    const auto first = std::find_if(steps.begin(), steps.end(), [&](const Step &s) { return s.height == lowest; });
    if (first == steps.begin()) {
        // The approach began inside the lowest traces: again, from 0.05 A lower.
        setCurrent(int(std::lround(first->current * 1000)) - 1 - 10 * kApproachPresses);
        return approach(k);
    }
    readings.lower = first->current;

    // One wide step up, over the dash; then narrow steps down: I'' is the
    // first reading at which the dash has shrunk to the lowest trace.
    BenchDriver::leftClick(coarseUp_);
    for (int press = 0; traceBox().height() > lowest; ++press) {
        if (press > kMostPresses) throw std::runtime_error("the dash never shrank to the lowest trace");
        fineStep(Direction::Down);
    }
    readings.upper = ammeter();
    return readings;
}

void AutomatedStudent::setCurrent(int milliamps)
{
    while (int(std::lround(ammeter() * 1000)) - milliamps >= 10) BenchDriver::leftClick(coarseDown_);
    while (milliamps - int(std::lround(ammeter() * 1000)) >= 10) BenchDriver::leftClick(coarseUp_);
    while (int(std::lround(ammeter() * 1000)) > milliamps) fineStep(Direction::Down);
    while (int(std::lround(ammeter() * 1000)) < milliamps) fineStep(Direction::Up);
}

QString AutomatedStudent::calculate(int k)
{
    if (!calculatorShown_) {
        bench_.click(Names::SourceLamp);
        calculatorShown_ = true;
    }
    QLineEdit *turns = bench_.find<QLineEdit>(Names::CalculatorTurns);
    key(*turns, Qt::Key_End);
    while (!turns->text().isEmpty()) key(*turns, Qt::Key_Backspace, QStringLiteral("\b"));
    key(*turns, Qt::Key_0 + k, QString::number(k));
    bench_.click(Names::CalculatorButton);
    return bench_.find<QLineEdit>(Names::CalculatorResult)->text();
}

QImage AutomatedStudent::grabCalculator() const
{
    QRect area;
    for (const char *name :
         {Names::SourcePanel, Names::CalculatorButton, Names::CalculatorResult, Names::CalculatorTurns})
        area |= bench_.find(name)->geometry();
    return bench_.find(Names::ClientArea)->grab(area.adjusted(-6, -6, 6, 6)).toImage();
}
