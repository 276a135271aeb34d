// SPDX-License-Identifier: GPL-3.0-or-later
// The bench window's stored layout, its creation, the layout pass and the
// screen routines.
#include "bench/bench_window.h"

#include "bench/bench_layout.h"
#include "bench/bench_window_start.h"
#include "bench/oscilloscope_screen.h"
#include "bench/stored_layout.h"
#include "model/beam_trace.h"
#include "toolkit/handler.h"
#include "toolkit/image_control.h"
#include "toolkit/labeled_edit.h"
#include "toolkit/local_time.h"
#include "toolkit/panel.h"
#include "toolkit/work_area.h"
#include "widgets/angular_gauge.h"
#include "widgets/seven_segment_display.h"

#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace {

// Designed client size, and the smallest outer size the window accepts.
constexpr QSize kDesignClient(719, 579);
constexpr QSize kMinimumOuter(650, 550);

// How long a window's moves and state changes must have stopped before the
// system command that caused them counts as complete: longer than the gap
// between the moves of a drag, or between the parts of a maximise, and too
// short to notice.
constexpr int kSystemCommandSettleMs = 100;

QPushButton *makeSwitch(QWidget *parent, const char *name, QSize size, const QString &hint)
{
    auto *b = new QPushButton(QStringLiteral("On/Off"), parent);
    b->setObjectName(QLatin1String(name));
    b->setFont(benchSerifFont(16, true));
    b->setCursor(Qt::PointingHandCursor);
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::NoFocus);
    b->resize(size);
    return b;
}

TLabeledEdit *makeParameterField(QWidget *parent, const char *name, TColor background, const QString &caption,
                                 const QString &hint)
{
    auto *e = new TLabeledEdit(parent);
    e->setObjectName(QLatin1String(name));
    QPalette p = e->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Base, toQColor(background));
        p.setColor(g, QPalette::Text, toQColor(clLime));
    }
    // Disabled while the oscilloscope runs: the digits dim but stay readable.
    p.setColor(QPalette::Disabled, QPalette::Text, toQColor(clGreen));
    e->setPalette(p);
    e->setFont(benchSerifFont(16, true));
    e->setToolTip(hint);
    e->resize(kBenchDesign.parameterField);

    TLabel *label = e->EditLabel();
    label->setObjectName(QLatin1String(name) + QStringLiteral("Label"));
    QPalette lp = label->palette();
    lp.setColor(QPalette::WindowText, toQColor(clBlack));
    label->setPalette(lp);
    label->setFont(benchSerifFont(13, true));
    label->setCaption(caption);
    e->placeLabel();
    return e;
}

TLabel *makeLabel(QWidget *parent, const char *name, const QString &caption)
{
    auto *l = new TLabel(caption, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

SevenSegmentDisplay *makeReadout(QWidget *parent, const char *name, BenchReadout which)
{
    auto *r = new SevenSegmentDisplay(parent);
    r->setObjectName(QLatin1String(name));
    loadBenchReadout(*r, which);
    return r;
}

QTimer *makeTimer(QObject *owner, const char *name, int intervalMs)
{
    auto *t = new QTimer(owner);
    t->setObjectName(QLatin1String(name));
    t->setInterval(intervalMs);
    return t;
}

TUpDown *makeArrows(QWidget *parent, const char *name, Qt::Orientation o, QSize size, int min, int max, int pos)
{
    auto *u = new TUpDown(o, parent);
    u->setObjectName(QLatin1String(name));
    u->resize(size);
    u->setRange(min, max);
    u->setPosition(pos);
    return u;
}

TPanel *makePanel(QWidget *parent, const char *name, TBevelCut outer, TBevelCut inner)
{
    auto *p = new TPanel(parent);
    p->setObjectName(QLatin1String(name));
    p->setColor(clGray);
    p->setBevelOuter(outer);
    p->setBevelInner(inner);
    return p;
}

void place(QWidget *w, const QRect &r)
{
    w->setGeometry(r);
}

void place(InstrumentWidget *w, const QRect &r)
{
    w->setBounds(r.x(), r.y(), r.width(), r.height());
}

}  // namespace

BenchWindow::BenchWindow(Clock clock, QWidget *parent) : QMainWindow(parent), clock_(std::move(clock))
{
    setObjectName(QStringLiteral("benchWindow"));
    setWindowTitle(applicationTitle());
    setFont(benchSerifFont(16, false));
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(cl3DLight));
    setPalette(p);
    setAutoFillBackground(true);

    createMenu();
    createStatusBar();
    createControls();
    nameControls();
    connectHandlers();
    resize(kDesignClient.width(), menuBar()->sizeHint().height() + kDesignClient.height());
    keepMinimumOuterSize();

    setStartState();
    created_ = true;
}

BenchWindow::~BenchWindow() = default;

void BenchWindow::setInformationWindows(CreditsWindow *credits, AboutWindow *about)
{
    credits_ = credits;
    about_ = about;
}

QSize BenchWindow::outerSize() const
{
    // The window manager may change its frame after the window's last move or
    // resize (a maximised window loses its borders); the window system knows
    // the frame now, the widget only as it was then.
    if (const QWindow *window = windowHandle()) return window->frameGeometry().size();
    return frameGeometry().size();
}

void BenchWindow::keepMinimumOuterSize()
{
    // The frame is the window manager's; only the inner size can be limited.
    setMinimumSize(kMinimumOuter - (outerSize() - size()));
}

// Centred on the work area where the window fits. Where it does not, it takes
// what the work area allows (not below its smallest size) from the area's top
// left, so that the title bar, the menu and the status bar stay on the screen.
void BenchWindow::placeOnWorkArea()
{
    const QRect area = workArea(this);
    const QSize now = outerSize();
    const QSize outer = now.boundedTo(area.size()).expandedTo(kMinimumOuter);
    if (outer != now) resize(outer - (now - size()));
    const QPoint origin = centredOrigin(area, outer);
    // Placed by its frame's corner, as a window manager places a window; a
    // move() on a window shown would place its inner corner from then on.
    if (windowHandle())
        windowHandle()->setFramePosition(origin);
    else
        move(origin);
}

void BenchWindow::createControls()
{
    clientArea_ = new QWidget(this);
    clientArea_->setObjectName(QStringLiteral("clientArea"));
    clientArea_->setMouseTracking(true);
    clientArea_->installEventFilter(this);
    setCentralWidget(clientArea_);

    // The oscilloscope panel.
    scopePanel_ = makePanel(clientArea_, "scopePanel", TBevelCut::bvNone, TBevelCut::bvRaised);
    scopeSwitch_ = makeSwitch(scopePanel_, "scopeSwitch", kBenchDesign.scopeSwitch,
                              QStringLiteral("Кнопка включения осциллографа"));
    // Latching without all-up: once pressed the switch stays shown pressed.
    scopeSwitch_->setCheckable(true);
    auto *latch = new QButtonGroup(this);
    latch->setExclusive(true);
    latch->addButton(scopeSwitch_, 1);
    screen_ = new TImage(scopePanel_);
    screen_->setObjectName(QStringLiteral("screen"));
    screen_->resize(kBenchDesign.screen);
    screen_->setPictureSize(kBenchDesign.screen.width(), kBenchDesign.screen.height());
    anodeVoltageField_ = makeParameterField(scopePanel_, "anodeVoltageField", clWindowText, QStringLiteral("U, B"),
                                            QStringLiteral("Анодное напряжение"));
    turnDensityField_ = makeParameterField(scopePanel_, "turnDensityField", clMenuText, QStringLiteral("n, 1/см"),
                                           QStringLiteral("Число витков на единицу длины соленоида "));
    driftLengthField_ = makeParameterField(scopePanel_, "driftLengthField", clMenuText, QStringLiteral("l, см"),
                                           QStringLiteral("Расстояние от управляющих пластин до экрана трубки"));
    plateLengthLabel_ = makeLabel(scopePanel_, "plateLengthLabel", QStringLiteral("d,cм"));
    plateLengthLabel_->setToolTip(QStringLiteral("Длина управляющих пластин"));
    plateLengthReadout_ = makeReadout(scopePanel_, "plateLengthReadout", BenchReadout::plateLength);
    plateLengthReadout_->setToolTip(QStringLiteral("Длина отклоняющих пластин"));
    plateLengthArrows_ =
        makeArrows(scopePanel_, "plateLengthArrows", Qt::Vertical, kBenchDesign.plateLengthArrows, 0, 5, 1);

    // The current source panel.
    sourcePanel_ = makePanel(clientArea_, "sourcePanel", TBevelCut::bvNone, TBevelCut::bvNone);
    sourcePanel_->setMaximumWidth(kBenchDesign.sourcePanelMaxWidth);
    sourcePanel_->setToolTip(QStringLiteral("Источник постоянного тока"));
    sourceLamp_ = new TImage(sourcePanel_);
    sourceLamp_->setObjectName(QStringLiteral("sourceLamp"));
    sourceLamp_->resize(kBenchDesign.sourceLamp);
    ammeter_ = makeReadout(sourcePanel_, "ammeter", BenchReadout::ammeter);
    ammeter_->setToolTip(QStringLiteral("Окно амперметра"));
    sourceSwitch_ = makeSwitch(sourcePanel_, "sourceSwitch", kBenchDesign.sourceSwitch,
                               QStringLiteral("Кнопка включения источника постоянного тока"));
    coarseCurrentArrows_ = makeArrows(sourcePanel_, "coarseCurrentArrows", Qt::Horizontal,
                                      kBenchDesign.coarseCurrentArrows, -32000, 32000, 0);
    coarseCurrentArrows_->setCursor(Qt::PointingHandCursor);
    coarseCurrentArrows_->setToolTip(QStringLiteral("Изменение силы тока на 0,01 А"));
    coarseCurrentArrows_->setEnabled(false);
    fineCurrentArrows_ =
        makeArrows(sourcePanel_, "fineCurrentArrows", Qt::Horizontal, kBenchDesign.fineCurrentArrows, 0, 100, 0);
    fineCurrentArrows_->setCursor(Qt::PointingHandCursor);
    fineCurrentArrows_->setToolTip(QStringLiteral("Изменение силы тока на 0,001 А"));
    fineCurrentArrows_->setEnabled(false);
    rippleLabel_ = makeLabel(sourcePanel_, "rippleLabel", QStringLiteral("Пульсация"));
    rippleReadout_ = makeReadout(sourcePanel_, "rippleReadout", BenchReadout::ripple);
    rippleArrows_ = makeArrows(sourcePanel_, "rippleArrows", Qt::Vertical, kBenchDesign.rippleArrows, 0, 5, 2);
    phaseLabel_ = makeLabel(sourcePanel_, "phaseLabel", QStringLiteral("Сдвиг фаз, pi"));
    phaseReadout_ = makeReadout(sourcePanel_, "phaseReadout", BenchReadout::phase);
    phaseArrows_ = makeArrows(sourcePanel_, "phaseArrows", Qt::Vertical, kBenchDesign.phaseArrows, 0, 10, 8);

    // The regulator: its dial, and the switch panel over the dial's foot.
    regulatorDial_ = new AngularGauge(clientArea_);
    regulatorDial_->setObjectName(QStringLiteral("regulatorDial"));
    loadBenchDial(*regulatorDial_);
    regulatorDial_->setToolTip(QStringLiteral("Регулятор напряжения школьный (РНШ)"));
    regulatorPanel_ = makePanel(clientArea_, "regulatorPanel", TBevelCut::bvRaised, TBevelCut::bvNone);
    regulatorSwitch_ = makeSwitch(regulatorPanel_, "regulatorSwitch", kBenchDesign.regulatorSwitch,
                                  QStringLiteral("кнопка включения РНШ"));

    // The calculator, hidden until the source lamp is clicked.
    calculateButton_ = new QToolButton(clientArea_);
    calculateButton_->setObjectName(QStringLiteral("calculateButton"));
    calculateButton_->resize(kBenchDesign.calculateButton);
    calculateButton_->setIcon(QIcon(QStringLiteral(":/icons/calc-em-46.png")));
    calculateButton_->setIconSize(QSize(46, 46));
    calculateButton_->setCursor(Qt::PointingHandCursor);
    calculateButton_->setFocusPolicy(Qt::NoFocus);
    calculateButton_->setVisible(false);
    specificChargeField_ = new TEdit(clientArea_);
    specificChargeField_->setObjectName(QStringLiteral("specificChargeField"));
    specificChargeField_->resize(kBenchDesign.specificChargeField);
    specificChargeField_->setVisible(false);
    helixTurnsField_ = new TEdit(clientArea_);
    helixTurnsField_->setObjectName(QStringLiteral("helixTurnsField"));
    helixTurnsField_->resize(kBenchDesign.helixTurnsField);
    helixTurnsField_->setText(QStringLiteral("1"));
    helixTurnsField_->setToolTip(QStringLiteral("Число шагов винтовой линии(1-4)"));
    helixTurnsField_->setVisible(false);

    // Every edit field lets the window's menu shortcuts through.
    for (QLineEdit *edit : clientArea_->findChildren<QLineEdit *>()) edit->installEventFilter(this);

    clockTimer_ = makeTimer(this, "clockTimer", 1000);
    rampUpTimer_ = makeTimer(this, "rampUpTimer", 10);
    rampDownTimer_ = makeTimer(this, "rampDownTimer", 10);
    clockTimer_->start();

    systemCommandSettling_ = new QTimer(this);
    systemCommandSettling_->setSingleShot(true);
    systemCommandSettling_->setInterval(kSystemCommandSettleMs);
}

void BenchWindow::connectHandlers()
{
    connect(scopeSwitch_, &QPushButton::clicked, this, [this] { onScopeSwitchClicked(); });
    connect(regulatorSwitch_, &QPushButton::clicked, this, [this] { onRegulatorSwitchClicked(); });
    connect(sourceSwitch_, &QPushButton::clicked, this, [this] { onSourceSwitchClicked(); });
    connect(clockTimer_, &QTimer::timeout, this, &BenchWindow::onClockTick);
    connect(rampUpTimer_, &QTimer::timeout, this, &BenchWindow::onRampUpTick);
    connect(rampDownTimer_, &QTimer::timeout, this, &BenchWindow::onRampDownTick);
    connect(systemCommandSettling_, &QTimer::timeout, this, &BenchWindow::systemCommandSettled);
    connect(coarseCurrentArrows_, &TUpDown::Click, this, &BenchWindow::onCoarseCurrentArrow);
    connect(fineCurrentArrows_, &TUpDown::Click, this, &BenchWindow::onFineCurrentArrow);
    connect(rippleArrows_, &TUpDown::Click, this, &BenchWindow::onRippleArrow);
    connect(phaseArrows_, &TUpDown::Click, this, &BenchWindow::onPhaseArrow);
    connect(plateLengthArrows_, &TUpDown::Click, this, &BenchWindow::onPlateLengthArrow);
    for (TLabeledEdit *field : {anodeVoltageField_, turnDensityField_, driftLengthField_})
        field->setOnKeyPress([](QChar &key) { runHandler([&] { filterParameterKey(key); }); });
    connect(sourceLamp_, &TImage::clicked, this, &BenchWindow::onSourceLampClicked);
    connect(calculateButton_, &QToolButton::clicked, this, [this] { onCalculateClicked(); });
    helixTurnsField_->setOnKeyPress([](QChar &key) { runHandler([&] { filterHelixTurnsKey(key); }); });
}

void BenchWindow::setStartState()
{
    runHandler([&] {
        placeOnWorkArea();
        // The parameter fields' start texts, and the values they stand for.
        anodeVoltageField_->setText(QStringLiteral("1400"));
        turnDensityField_->setText(QStringLiteral("155"));
        driftLengthField_->setText(QStringLiteral("10"));
        setStartParameters(lab_);
        // The date of the start, and the clock.
        const QDateTime started = clock_();
        datePanel_->setText(QStringLiteral("Дата: ") + ShortDateText(started.date()));
        clockPanel_->setText(QStringLiteral("Время: ") + LongTimeText(started.time()));
        // Every instrument off, and the controls to match.
        clearPowerFlags(lab_);
        scopeSwitch_->setEnabled(true);
        rippleArrows_->setEnabled(false);
        phaseArrows_->setEnabled(false);
        rippleReadout_->setPowerOff(true);
        phaseReadout_->setPowerOff(true);
        ammeter_->setPowerOff(true);
        plateLengthReadout_->setPowerOff(false);
        regulatorSwitch_->setEnabled(false);
        sourceSwitch_->setEnabled(false);
        ammeter_->setEnabled(false);
        // Last, as it draws the source lamp by the state above.
        layOut();
    });
}

void BenchWindow::layOut()
{
    // The scale follows the screen as the previous pass left it.
    applyScreenScale(lab_, screen_->width());

    BenchLayoutInput in;
    in.outer = outerSize();
    in.screen = screen_->size();
    in.sourcePanelMaxWidth = sourcePanel_->maximumWidth();
    in.anodeVoltageField = anodeVoltageField_->size();
    in.turnDensityField = turnDensityField_->size();
    in.driftLengthField = driftLengthField_->size();
    in.anodeVoltageCaptionHeight = anodeVoltageField_->EditLabel()->height();
    in.turnDensityCaptionHeight = turnDensityField_->EditLabel()->height();
    in.scopeSwitch = scopeSwitch_->size();
    in.regulatorSwitch = regulatorSwitch_->size();
    in.sourceSwitch = sourceSwitch_->size();
    in.rippleLabel = rippleLabel_->size();
    in.plateLengthLabel = plateLengthLabel_->size();
    in.phaseLabel = phaseLabel_->size();
    in.plateLengthReadout = plateLengthReadout_->size();
    in.ammeter = ammeter_->size();
    in.rippleReadout = rippleReadout_->size();
    in.phaseReadout = phaseReadout_->size();
    in.rippleArrows = rippleArrows_->size();
    in.phaseArrows = phaseArrows_->size();
    in.plateLengthArrows = plateLengthArrows_->size();
    in.coarseCurrentArrows = coarseCurrentArrows_->size();
    in.fineCurrentArrows = fineCurrentArrows_->size();
    in.calculateButton = calculateButton_->size();
    in.specificChargeField = specificChargeField_->size();
    in.helixTurnsField = helixTurnsField_->size();
    const BenchLayout L = computeBenchLayout(in);

    place(scopePanel_, L.scopePanel);
    place(anodeVoltageField_, L.anodeVoltageField);
    place(turnDensityField_, L.turnDensityField);
    place(driftLengthField_, L.driftLengthField);
    for (TLabeledEdit *e : {anodeVoltageField_, turnDensityField_, driftLengthField_}) e->placeLabel();
    place(scopeSwitch_, L.scopeSwitch);
    place(plateLengthLabel_, L.plateLengthLabel);
    place(plateLengthReadout_, L.plateLengthReadout);
    place(plateLengthArrows_, L.plateLengthArrows);
    place(sourcePanel_, L.sourcePanel);
    place(ammeter_, L.ammeter);
    place(coarseCurrentArrows_, L.coarseCurrentArrows);
    place(fineCurrentArrows_, L.fineCurrentArrows);
    place(sourceSwitch_, L.sourceSwitch);
    place(rippleLabel_, L.rippleLabel);
    place(rippleReadout_, L.rippleReadout);
    place(rippleArrows_, L.rippleArrows);
    place(phaseLabel_, L.phaseLabel);
    place(phaseReadout_, L.phaseReadout);
    place(phaseArrows_, L.phaseArrows);
    place(regulatorDial_, L.regulatorDial);
    regulatorDial_->label1()->setOffsetX(L.dialLabelOffsetX);
    regulatorDial_->label1()->setOffsetY(L.dialLabelOffsetY);
    place(regulatorPanel_, L.regulatorPanel);
    place(regulatorSwitch_, L.regulatorSwitch);
    place(calculateButton_, L.calculateButton);
    place(specificChargeField_, L.specificChargeField);
    place(helixTurnsField_, L.helixTurnsField);
    place(sourceLamp_, L.sourceLamp);
    sourceLamp_->setPictureSize(L.sourceLamp.width(), L.sourceLamp.height());
    // The source lamp: off on its grey ground, or the red disc alone.
    paintSourceLamp(*sourceLamp_, lab_.sourceOn, !lab_.sourceOn);
    // The screen last, so that the scale and the fields above followed its previous size.
    place(screen_, L.screen);
    screen_->setPictureSize(L.screen.width(), L.screen.height());
}

void BenchWindow::onResized()
{
    runHandler([&] { layOutAndRepaint(); });
}

void BenchWindow::onSystemCommand()
{
    // The toolkit has already carried out the command; the bench then lays
    // itself out and repaints the screen as after a resize.
    runHandler([&] { layOutAndRepaint(); });
}

void BenchWindow::layOutAndRepaint()
{
    passPending_ = false;
    const QSize screenBefore = screen_->size();
    layOut();
    // A pass measures the screen before it resizes it. When the screen's size
    // changed, the scale and the fields under the screen still follow the old
    // one; a second pass at the same window size brings them in line at once,
    // instead of leaving the fields hidden and the trace at the wrong scale
    // until the window next moves or resizes.
    if (screen_->size() != screenBefore) layOut();
    repaintScreen(*screen_);
    drawScopeLamp(*screen_, lab_.scopeOn);
    if (lab_.regulatorOn) drawTrace();
}

// A pass can end in an error box. None is shown over a minimised window, nor
// over (or stacked on) another modal box: the pass waits, and one pass makes
// up for everything that happened meanwhile.
bool BenchWindow::passMustWait() const
{
    return isMinimized() || QApplication::activeModalWidget();
}

void BenchWindow::resizeEvent(QResizeEvent *e)
{
    QMainWindow::resizeEvent(e);
    if (!created_) return;
    keepMinimumOuterSize();
    if (passMustWait())
        passPending_ = true;
    else
        onResized();
}

// The window system reports no system command as such, only its effects: a
// drag moves the window many times, a maximise moves, resizes and changes its
// state. A command is taken as complete once its moves and state changes have
// settled, and then answered with one pass.
void BenchWindow::moveEvent(QMoveEvent *e)
{
    QMainWindow::moveEvent(e);
    if (!created_) return;
    // The window manager's frame is known once the window is on screen.
    keepMinimumOuterSize();
    if (!placedInFrame_ && outerSize() != size()) {
        // Placed at creation by its inner size alone: the frame moved it off centre.
        placedInFrame_ = true;
        placeOnWorkArea();
    }
    // Moved behind a modal box: the window's contents do not change with its
    // place, so there is nothing to make up for afterwards.
    if (!QApplication::activeModalWidget()) systemCommandSettling_->start();
}

void BenchWindow::changeEvent(QEvent *e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange && created_) systemCommandSettling_->start();
}

void BenchWindow::systemCommandSettled()
{
    // A window closed meanwhile (the exit question answered Yes) is done.
    if (!isVisible()) return;
    if (passMustWait())
        passPending_ = true;
    else
        onSystemCommand();
}

bool BenchWindow::event(QEvent *e)
{
    // The modal box has gone: a pass that waited for it runs now, once.
    if (e->type() == QEvent::WindowUnblocked && passPending_) systemCommandSettling_->start();
    return QMainWindow::event(e);
}

bool BenchWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == clientArea_ && event->type() == QEvent::MouseMove) {
        // Only movements over the window's own surface, not over a control.
        const auto *m = static_cast<QMouseEvent *>(event);
        if (!clientArea_->childAt(m->position().toPoint())) onSurfaceMouseMove();
        return false;
    }
    if (event->type() == QEvent::ShortcutOverride && qobject_cast<QLineEdit *>(watched)) {
        // An edit field claims keys such as Ctrl+C for itself; the window's
        // menu shortcuts come first.
        const auto *k = static_cast<QKeyEvent *>(event);
        const QKeySequence pressed(k->keyCombination());
        for (const QAction *action : findChildren<QAction *>()) {
            if (!action->shortcut().isEmpty() && action->shortcut().matches(pressed) == QKeySequence::ExactMatch) {
                event->ignore();
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void BenchWindow::drawTrace()
{
    drawBeamTrace(*screen_, lab_, ammeter_->value(),
                  TraceSettings{rippleReadout_->value(), phaseReadout_->value(), plateLengthReadout_->value()});
}
