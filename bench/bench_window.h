// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bench window: the three instruments of the e/m lab side by side, the
// regulator's dial on the left, the oscilloscope in the middle, the DC source
// on the right with the hidden calculator under it, the main menu on top and
// the status bar with the date and clock at the bottom.
//
// The handlers carry the names of the control and the event they serve. Each
// handler connected to a signal or timer runs inside runHandler, so an error
// ends it and reaches the user in the default error box. Tests call the
// handlers directly.
#include "model/lab_state.h"
#include "toolkit/up_down.h"

#include <QDateTime>
#include <QMainWindow>
#include <functional>

class QAction;
class QButtonGroup;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;
class QTimer;
class QToolButton;
class TEdit;
class TFRaz;
class TForm_o_programe;
class TImage;
class TLabel;
class TLabeledEdit;
class TPanel;
class AngularGauge;
class SevenSegmentDisplay;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // Where the window reads the date and time for its status bar.
    using Clock = std::function<QDateTime()>;

    // Builds the window from its stored layout, then runs FormCreate.
    explicit TForm1(Clock clock = &QDateTime::currentDateTime, QWidget *parent = nullptr);
    ~TForm1() override;

    // The windows the Help menu shows; the program's start hands them over.
    void setInformationWindows(TFRaz *credits, TForm_o_programe *about);

    // The outer size the layout works from: frame, caption and menu included.
    QSize outerSize() const;

    // --- The controls, named as in the stored layout.
    QWidget *ClientArea;   // the window's own surface under the menu
    QStatusBar *StatusBar1;  // its panels: labels StatusPanel0 to StatusPanel2

    TPanel *Panel2;        // the oscilloscope
    QPushButton *knopka1;
    QButtonGroup *knopka1Group;
    TImage *Image1;
    TLabeledEdit *LabeledEdit1, *LabeledEdit2, *LabeledEdit3;
    TLabel *Label2;
    SevenSegmentDisplay *Dplastin1;
    TUpDown *UpDown3;

    TPanel *Panel3;        // the DC current source
    TImage *Image2;
    SevenSegmentDisplay *amper;
    QPushButton *knopka3;
    TUpDown *sh_vprm, *sh_vprm_2;
    TLabel *Label1;
    SevenSegmentDisplay *Fmax1;
    TUpDown *UpDown1;
    TLabel *Label3;
    SevenSegmentDisplay *Faza1;
    TUpDown *UpDown2;

    AngularGauge *transformator;   // the voltage regulator's dial
    TPanel *Panel1;
    QPushButton *knopka2;

    QToolButton *SpeedButton1;       // the calculator
    TEdit *Edit1, *Edit2;

    QTimer *Timer1, *Timer2, *Timer3;

    QMenu *N1, *N5, *N13, *N3, *N6;
    QAction *N10, *N15, *N16, *N20, *N17, *N18, *N19, *N4, *N11, *N2, *N8, *N9, *N7;

    // The lab's shared variables, for the whole life of the window.
    LabState Lab;

    // --- Creation and layout.
    void FormCreate();
    void Border();
    void FormResize();
    void WMSysCommand();

    // --- The oscilloscope screen.
    void Zalivka();
    void Off();
    void Lampochka1();
    void Line();

    // --- The power sequence and the adjusters.
    void knopka1Click();
    void knopka2Click();
    void knopka3Click();
    void Timer2Timer();
    void Timer3Timer();
    void sh_vprmClick(TUDBtnType Button);
    void sh_vprm_2Click(TUDBtnType Button);
    void UpDown1Click(TUDBtnType Button);
    void UpDown2Click(TUDBtnType Button);
    void UpDown3Click(TUDBtnType Button);
    void LabeledEdit1KeyPress(QChar &Key);
    void LabeledEdit2KeyPress(QChar &Key);
    void LabeledEdit3KeyPress(QChar &Key);

    // --- The calculator.
    void Image2Click();
    void Edit2KeyPress(QChar &Key);
    void SpeedButton3Click();

    // --- Menus, documents and status bar.
    void N10Click();
    void N15Click();
    void N16Click();
    void N20Click();
    void N17Click();
    void N18Click();
    void N19Click();
    void N4Click();
    void N2Click();
    void N8Click();
    void N9Click();
    void N7Click();
    void Timer1Timer();
    void FormMouseMove();

protected:
    bool event(QEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void moveEvent(QMoveEvent *) override;
    void changeEvent(QEvent *) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createMenu();
    void createStatusBar();
    void connectHandlers();
    void openDocument(const QString &name);
    void keepMinimumOuterSize();
    void placeOnWorkArea();
    void layOutAndRepaint();
    bool passMustWait() const;
    void systemCommandSettled();

    Clock clock_;
    QLabel *statusPanels_[3] = {};
    TFRaz *credits_ = nullptr;
    TForm_o_programe *about_ = nullptr;
    bool created_ = false;
    // Placed again once the window manager's frame is known.
    bool placedInFrame_ = false;
    // Restarted by every move and state change; when it runs out the system
    // command is complete and WMSysCommand answers it.
    QTimer *systemCommandSettling_ = nullptr;
    // A pass had to wait (minimised, or a modal box open) and is still due.
    bool passPending_ = false;
};

// A parameter field's key filter: digits and backspace pass.
void ParameterKeyFilter(QChar &key);
