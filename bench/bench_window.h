// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bench window: the three instruments of the e/m lab side by side, the
// regulator's dial on the left, the oscilloscope in the middle, the DC source
// on the right with the hidden calculator under it, the main menu on top and
// the status bar with the date and clock at the bottom.
//
// Everything on it is the window's own business: a program shows it, hands it
// the information windows its Help menu opens, and leaves the rest to the
// student. Each handler connected to a signal or timer runs inside
// runHandler, so an error ends it and reaches the user in the default error
// box. The controls carry object names (scopeSwitch, rampUpTimer,
// exitAction, ...) by which accessibility and tests find them.
#include "model/lab_state.h"
#include "toolkit/up_down.h"

#include <QDateTime>
#include <QMainWindow>
#include <functional>

class AboutWindow;
class CreditsWindow;
class QLabel;
class QPushButton;
class QStatusBar;
class QTimer;
class QToolButton;
class TEdit;
class TImage;
class TLabel;
class TLabeledEdit;
class TPanel;
class AngularGauge;
class SevenSegmentDisplay;

class BenchWindow : public QMainWindow {
    Q_OBJECT
public:
    // Where the window reads the date and time for its status bar.
    using Clock = std::function<QDateTime()>;

    // Builds the window from its stored layout and puts it in its start state.
    explicit BenchWindow(Clock clock = &QDateTime::currentDateTime, QWidget *parent = nullptr);
    ~BenchWindow() override;

    // The windows the Help menu shows; the program's start hands them over.
    void setInformationWindows(CreditsWindow *credits, AboutWindow *about);

protected:
    bool event(QEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void moveEvent(QMoveEvent *) override;
    void changeEvent(QEvent *) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // --- Creation and layout (bench_window.cpp).
    void createControls();
    void createMenu();
    void createStatusBar();
    void connectHandlers();
    void nameControls();
    void setStartState();
    void keepMinimumOuterSize();
    QSize outerSize() const;
    void placeOnWorkArea();
    void layOut();
    void onResized();
    void onSystemCommand();
    void layOutAndRepaint();
    bool passMustWait() const;
    void systemCommandSettled();

    // --- The oscilloscope screen.
    void drawTrace();

    // --- The power sequence and the adjusters (bench_window_power.cpp).
    void onScopeSwitchClicked();
    void onRegulatorSwitchClicked();
    void onSourceSwitchClicked();
    void onRampUpTick();
    void onRampDownTick();
    void onCoarseCurrentArrow(TUDBtnType button);
    void onFineCurrentArrow(TUDBtnType button);
    void onRippleArrow(TUDBtnType button);
    void onPhaseArrow(TUDBtnType button);
    void onPlateLengthArrow(TUDBtnType button);
    // A parameter field's key filter: digits and backspace pass.
    static void filterParameterKey(QChar &key);

    // --- The calculator (bench_window_calculator.cpp).
    void onSourceLampClicked();
    void onCalculateClicked();
    // The turn count's key filter: 1 to 9 and backspace pass.
    static void filterHelixTurnsKey(QChar &key);

    // --- Menus, documents and status bar (bench_window_menus.cpp).
    void openDocument(const QString &name);
    void onExitTriggered();
    void onProjectLeadTriggered();
    void onProgrammerTriggered();
    void onAboutTriggered();
    void onClockTick();
    void onSurfaceMouseMove();

    Clock clock_;
    CreditsWindow *credits_ = nullptr;
    AboutWindow *about_ = nullptr;

    // The lab's shared variables, for the whole life of the window.
    LabState lab_;

    QWidget *clientArea_;  // the window's own surface under the menu
    QStatusBar *statusBar_;
    QLabel *datePanel_, *clockPanel_, *hintPanel_;

    TPanel *scopePanel_;
    QPushButton *scopeSwitch_;
    TImage *screen_;
    TLabeledEdit *anodeVoltageField_, *turnDensityField_, *driftLengthField_;
    TLabel *plateLengthLabel_;
    SevenSegmentDisplay *plateLengthReadout_;
    TUpDown *plateLengthArrows_;

    TPanel *sourcePanel_;
    TImage *sourceLamp_;
    SevenSegmentDisplay *ammeter_;
    QPushButton *sourceSwitch_;
    TUpDown *coarseCurrentArrows_, *fineCurrentArrows_;
    TLabel *rippleLabel_;
    SevenSegmentDisplay *rippleReadout_;
    TUpDown *rippleArrows_;
    TLabel *phaseLabel_;
    SevenSegmentDisplay *phaseReadout_;
    TUpDown *phaseArrows_;

    AngularGauge *regulatorDial_;
    TPanel *regulatorPanel_;
    QPushButton *regulatorSwitch_;

    QToolButton *calculateButton_;
    TEdit *specificChargeField_, *helixTurnsField_;

    QTimer *clockTimer_, *rampUpTimer_, *rampDownTimer_;

    bool created_ = false;
    // Placed again once the window manager's frame is known.
    bool placedInFrame_ = false;
    // Restarted by every move and state change; when it runs out the system
    // command is complete and onSystemCommand answers it.
    QTimer *systemCommandSettling_ = nullptr;
    // A pass had to wait (minimised, or a modal box open) and is still due.
    bool passPending_ = false;
};
