// SPDX-License-Identifier: GPL-3.0-or-later
// The bench window's stored layout, its creation, the layout pass and the
// screen routines.
#include "bench/bench_window.h"

#include "bench/bench_accessible_names.h"
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
    b->setFont(BenchSerifFont(16, true));
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
    e->setFont(BenchSerifFont(16, true));
    e->setToolTip(hint);
    e->resize(kBenchDesign.labeledEdit);

    TLabel *label = e->EditLabel();
    label->setObjectName(QLatin1String(name) + QStringLiteral("Label"));
    QPalette lp = label->palette();
    lp.setColor(QPalette::WindowText, toQColor(clBlack));
    label->setPalette(lp);
    label->setFont(BenchSerifFont(13, true));
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
    LoadBenchReadout(*r, which);
    return r;
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

} // namespace

TForm1::TForm1(Clock clock, QWidget *parent)
    : QMainWindow(parent), clock_(std::move(clock))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(ApplicationTitle());
    setFont(BenchSerifFont(16, false));
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(cl3DLight));
    setPalette(p);
    setAutoFillBackground(true);

    createMenu();
    createStatusBar();
    createControls();
    NameBenchControls(*this);
    connectHandlers();
    resize(kDesignClient.width(), menuBar()->sizeHint().height() + kDesignClient.height());
    keepMinimumOuterSize();

    FormCreate();
    created_ = true;
}

TForm1::~TForm1() = default;

void TForm1::setInformationWindows(TFRaz *credits, TForm_o_programe *about)
{
    credits_ = credits;
    about_ = about;
}

QSize TForm1::outerSize() const
{
    // The window manager may change its frame after the window's last move or
    // resize (a maximised window loses its borders); the window system knows
    // the frame now, the widget only as it was then.
    if (const QWindow *window = windowHandle()) return window->frameGeometry().size();
    return frameGeometry().size();
}

void TForm1::keepMinimumOuterSize()
{
    // The frame is the window manager's; only the inner size can be limited.
    setMinimumSize(kMinimumOuter - (outerSize() - size()));
}

// Centred on the work area where the window fits. Where it does not, it takes
// what the work area allows (not below its smallest size) from the area's top
// left, so that the title bar, the menu and the status bar stay on the screen.
void TForm1::placeOnWorkArea()
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

void TForm1::createControls()
{
    ClientArea = new QWidget(this);
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    ClientArea->setMouseTracking(true);
    ClientArea->installEventFilter(this);
    setCentralWidget(ClientArea);

    // The oscilloscope panel.
    Panel2 = makePanel(ClientArea, "Panel2", TBevelCut::bvNone, TBevelCut::bvRaised);
    knopka1 = makeSwitch(Panel2, "knopka1", kBenchDesign.knopka1, QStringLiteral("Кнопка включения осциллографа"));
    // Group 1 without all-up: once pressed the switch stays shown pressed.
    knopka1->setCheckable(true);
    knopka1Group = new QButtonGroup(this);
    knopka1Group->setExclusive(true);
    knopka1Group->addButton(knopka1, 1);
    Image1 = new TImage(Panel2);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->resize(kBenchDesign.screen);
    Image1->setPictureSize(kBenchDesign.screen.width(), kBenchDesign.screen.height());
    LabeledEdit1 = makeParameterField(Panel2, "LabeledEdit1", clWindowText, QStringLiteral("U, B"),
                                      QStringLiteral("Анодное напряжение"));
    LabeledEdit2 = makeParameterField(Panel2, "LabeledEdit2", clMenuText, QStringLiteral("n, 1/см"),
                                      QStringLiteral("Число витков на единицу длины соленоида "));
    LabeledEdit3 = makeParameterField(Panel2, "LabeledEdit3", clMenuText, QStringLiteral("l, см"),
                                      QStringLiteral("Расстояние от управляющих пластин до экрана трубки"));
    Label2 = makeLabel(Panel2, "Label2", QStringLiteral("d,cм"));
    Label2->setToolTip(QStringLiteral("Длина управляющих пластин"));
    Dplastin1 = makeReadout(Panel2, "Dplastin1", BenchReadout::Dplastin1);
    Dplastin1->setToolTip(QStringLiteral("Длина отклоняющих пластин"));
    UpDown3 = makeArrows(Panel2, "UpDown3", Qt::Vertical, kBenchDesign.upDown3, 0, 5, 1);

    // The current source panel.
    Panel3 = makePanel(ClientArea, "Panel3", TBevelCut::bvNone, TBevelCut::bvNone);
    Panel3->setMaximumWidth(kBenchDesign.panel3MaxWidth);
    Panel3->setToolTip(QStringLiteral("Источник постоянного тока"));
    Image2 = new TImage(Panel3);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->resize(kBenchDesign.image2);
    amper = makeReadout(Panel3, "amper", BenchReadout::amper);
    amper->setToolTip(QStringLiteral("Окно амперметра"));
    knopka3 = makeSwitch(Panel3, "knopka3", kBenchDesign.knopka3, QStringLiteral("Кнопка включения источника постоянного тока"));
    sh_vprm = makeArrows(Panel3, "sh_vprm", Qt::Horizontal, kBenchDesign.shVprm, -32000, 32000, 0);
    sh_vprm->setCursor(Qt::PointingHandCursor);
    sh_vprm->setToolTip(QStringLiteral("Изменение силы тока на 0,01 А"));
    sh_vprm->setEnabled(false);
    sh_vprm_2 = makeArrows(Panel3, "sh_vprm_2", Qt::Horizontal, kBenchDesign.shVprm2, 0, 100, 0);
    sh_vprm_2->setCursor(Qt::PointingHandCursor);
    sh_vprm_2->setToolTip(QStringLiteral("Изменение силы тока на 0,001 А"));
    sh_vprm_2->setEnabled(false);
    Label1 = makeLabel(Panel3, "Label1", QStringLiteral("Пульсация"));
    Fmax1 = makeReadout(Panel3, "Fmax1", BenchReadout::Fmax1);
    UpDown1 = makeArrows(Panel3, "UpDown1", Qt::Vertical, kBenchDesign.upDown1, 0, 5, 2);
    Label3 = makeLabel(Panel3, "Label3", QStringLiteral("Сдвиг фаз, pi"));
    Faza1 = makeReadout(Panel3, "Faza1", BenchReadout::Faza1);
    UpDown2 = makeArrows(Panel3, "UpDown2", Qt::Vertical, kBenchDesign.upDown2, 0, 10, 8);

    // The regulator: its dial, and the switch panel over the dial's foot.
    transformator = new AngularGauge(ClientArea);
    transformator->setObjectName(QStringLiteral("transformator"));
    LoadBenchDial(*transformator);
    transformator->setToolTip(QStringLiteral("Регулятор напряжения школьный (РНШ)"));
    Panel1 = makePanel(ClientArea, "Panel1", TBevelCut::bvRaised, TBevelCut::bvNone);
    knopka2 = makeSwitch(Panel1, "knopka2", kBenchDesign.knopka2, QStringLiteral("кнопка включения РНШ"));

    // The calculator, hidden until the source lamp is clicked.
    SpeedButton1 = new QToolButton(ClientArea);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->resize(kBenchDesign.speedButton1);
    SpeedButton1->setIcon(QIcon(QStringLiteral(":/icons/calc-em-46.png")));
    SpeedButton1->setIconSize(QSize(46, 46));
    SpeedButton1->setCursor(Qt::PointingHandCursor);
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    SpeedButton1->setVisible(false);
    Edit1 = new TEdit(ClientArea);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->resize(kBenchDesign.edit1);
    Edit1->setVisible(false);
    Edit2 = new TEdit(ClientArea);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->resize(kBenchDesign.edit2);
    Edit2->setText(QStringLiteral("1"));
    Edit2->setToolTip(QStringLiteral("Число шагов винтовой линии(1-4)"));
    Edit2->setVisible(false);

    // Every edit field lets the window's menu shortcuts through.
    for (QLineEdit *edit : {static_cast<QLineEdit *>(LabeledEdit1), static_cast<QLineEdit *>(LabeledEdit2),
                            static_cast<QLineEdit *>(LabeledEdit3), static_cast<QLineEdit *>(Edit1),
                            static_cast<QLineEdit *>(Edit2)})
        edit->installEventFilter(this);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(10);
    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer3->setInterval(10);
    Timer1->start();

    systemCommandSettling_ = new QTimer(this);
    systemCommandSettling_->setSingleShot(true);
    systemCommandSettling_->setInterval(kSystemCommandSettleMs);
}

void TForm1::connectHandlers()
{
    connect(knopka1, &QPushButton::clicked, this, [this] { knopka1Click(); });
    connect(knopka2, &QPushButton::clicked, this, [this] { knopka2Click(); });
    connect(knopka3, &QPushButton::clicked, this, [this] { knopka3Click(); });
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);
    connect(Timer3, &QTimer::timeout, this, &TForm1::Timer3Timer);
    connect(systemCommandSettling_, &QTimer::timeout, this, &TForm1::systemCommandSettled);
    connect(sh_vprm, &TUpDown::Click, this, &TForm1::sh_vprmClick);
    connect(sh_vprm_2, &TUpDown::Click, this, &TForm1::sh_vprm_2Click);
    connect(UpDown1, &TUpDown::Click, this, &TForm1::UpDown1Click);
    connect(UpDown2, &TUpDown::Click, this, &TForm1::UpDown2Click);
    connect(UpDown3, &TUpDown::Click, this, &TForm1::UpDown3Click);
    LabeledEdit1->setOnKeyPress([this](QChar &key) { LabeledEdit1KeyPress(key); });
    LabeledEdit2->setOnKeyPress([this](QChar &key) { LabeledEdit2KeyPress(key); });
    LabeledEdit3->setOnKeyPress([this](QChar &key) { LabeledEdit3KeyPress(key); });
    connect(Image2, &TImage::clicked, this, &TForm1::Image2Click);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton3Click(); });
    Edit2->setOnKeyPress([this](QChar &key) { Edit2KeyPress(key); });
}

void TForm1::FormCreate()
{
    runHandler([&] {
        // 1. Centred on the work area.
        placeOnWorkArea();
        // 2. The parameter fields' start texts, 3. and the values they stand for.
        LabeledEdit1->setText(QStringLiteral("1400"));
        LabeledEdit2->setText(QStringLiteral("155"));
        LabeledEdit3->setText(QStringLiteral("10"));
        SetStartParameters(Lab);
        // 4. Date and clock.
        const QDateTime started = clock_();
        statusPanels_[0]->setText(QStringLiteral("Дата: ") + ShortDateText(started.date()));
        statusPanels_[1]->setText(QStringLiteral("Время: ") + LongTimeText(started.time()));
        // 5. Everything off.
        ClearPowerFlags(Lab);
        // 6. The controls' start state.
        knopka1->setEnabled(true);
        UpDown1->setEnabled(false);
        UpDown2->setEnabled(false);
        Fmax1->setPowerOff(true);
        Faza1->setPowerOff(true);
        amper->setPowerOff(true);
        Dplastin1->setPowerOff(false);
        knopka2->setEnabled(false);
        knopka3->setEnabled(false);
        amper->setEnabled(false);
        // 7. Constants, before the layout divides by the screen's width in centimetres.
        SetConstants(Lab);
        // 8.
        Border();
    });
}

void TForm1::Border()
{
    // The scale follows the screen as the previous pass left it.
    ApplyScreenScale(Lab, Image1->width());

    BenchLayoutInput in;
    in.outer = outerSize();
    in.screen = Image1->size();
    in.panel3MaxWidth = Panel3->maximumWidth();
    in.labeledEdit1 = LabeledEdit1->size();
    in.labeledEdit2 = LabeledEdit2->size();
    in.labeledEdit3 = LabeledEdit3->size();
    in.editLabel1Height = LabeledEdit1->EditLabel()->height();
    in.editLabel2Height = LabeledEdit2->EditLabel()->height();
    in.knopka1 = knopka1->size();
    in.knopka2 = knopka2->size();
    in.knopka3 = knopka3->size();
    in.label1 = Label1->size();
    in.label2 = Label2->size();
    in.label3 = Label3->size();
    in.dplastin1 = Dplastin1->size();
    in.amper = amper->size();
    in.fmax1 = Fmax1->size();
    in.faza1 = Faza1->size();
    in.upDown1 = UpDown1->size();
    in.upDown2 = UpDown2->size();
    in.upDown3 = UpDown3->size();
    in.shVprm = sh_vprm->size();
    in.shVprm2 = sh_vprm_2->size();
    in.speedButton1 = SpeedButton1->size();
    in.edit1 = Edit1->size();
    in.edit2 = Edit2->size();
    const BenchLayout L = ComputeBenchLayout(in);

    place(Panel2, L.Panel2);
    place(LabeledEdit1, L.LabeledEdit1);
    place(LabeledEdit2, L.LabeledEdit2);
    place(LabeledEdit3, L.LabeledEdit3);
    for (TLabeledEdit *e : {LabeledEdit1, LabeledEdit2, LabeledEdit3}) e->placeLabel();
    place(knopka1, L.knopka1);
    place(Label2, L.Label2);
    place(Dplastin1, L.Dplastin1);
    place(UpDown3, L.UpDown3);
    place(Panel3, L.Panel3);
    place(amper, L.amper);
    place(sh_vprm, L.sh_vprm);
    place(sh_vprm_2, L.sh_vprm_2);
    place(knopka3, L.knopka3);
    place(Label1, L.Label1);
    place(Fmax1, L.Fmax1);
    place(UpDown1, L.UpDown1);
    place(Label3, L.Label3);
    place(Faza1, L.Faza1);
    place(UpDown2, L.UpDown2);
    place(transformator, L.transformator);
    transformator->label1()->setOffsetX(L.label1OffsetX);
    transformator->label1()->setOffsetY(L.label1OffsetY);
    place(Panel1, L.Panel1);
    place(knopka2, L.knopka2);
    place(SpeedButton1, L.SpeedButton1);
    place(Edit1, L.Edit1);
    place(Edit2, L.Edit2);
    place(Image2, L.Image2);
    Image2->setPictureSize(L.Image2.width(), L.Image2.height());
    // The source lamp: off on its grey ground, or the red disc alone.
    PaintSourceLamp(*Image2, Lab.SourceOn != 0, Lab.SourceOn == 0);
    // The screen last, so that the scale and the fields above followed its previous size.
    place(Image1, L.Image1);
    Image1->setPictureSize(L.Image1.width(), L.Image1.height());
}

void TForm1::FormResize()
{
    runHandler([&] { layOutAndRepaint(); });
}

void TForm1::WMSysCommand()
{
    // The toolkit has already carried out the command; the bench then lays
    // itself out and repaints the screen as after a resize.
    runHandler([&] { layOutAndRepaint(); });
}

void TForm1::layOutAndRepaint()
{
    passPending_ = false;
    const QSize screenBefore = Image1->size();
    Border();
    // A pass measures the screen before it resizes it. When the screen's size
    // changed, the scale and the fields under the screen still follow the old
    // one; a second pass at the same window size brings them in line at once,
    // instead of leaving the fields hidden and the trace at the wrong scale
    // until the window next moves or resizes.
    if (Image1->size() != screenBefore) Border();
    Zalivka();
    Lampochka1();
    if (Lab.RegulatorOn == 1) Line();
}

// A pass can end in an error box. None is shown over a minimised window, nor
// over (or stacked on) another modal box: the pass waits, and one pass makes
// up for everything that happened meanwhile.
bool TForm1::passMustWait() const
{
    return isMinimized() || QApplication::activeModalWidget();
}

void TForm1::resizeEvent(QResizeEvent *e)
{
    QMainWindow::resizeEvent(e);
    if (!created_) return;
    keepMinimumOuterSize();
    if (passMustWait())
        passPending_ = true;
    else
        FormResize();
}

// The window system reports no system command as such, only its effects: a
// drag moves the window many times, a maximise moves, resizes and changes its
// state. A command is taken as complete once its moves and state changes have
// settled, and then answered with one pass.
void TForm1::moveEvent(QMoveEvent *e)
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

void TForm1::changeEvent(QEvent *e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange && created_) systemCommandSettling_->start();
}

void TForm1::systemCommandSettled()
{
    // A window closed meanwhile (the exit question answered Yes) is done.
    if (!isVisible()) return;
    if (passMustWait())
        passPending_ = true;
    else
        WMSysCommand();
}

bool TForm1::event(QEvent *e)
{
    // The modal box has gone: a pass that waited for it runs now, once.
    if (e->type() == QEvent::WindowUnblocked && passPending_) systemCommandSettling_->start();
    return QMainWindow::event(e);
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ClientArea && event->type() == QEvent::MouseMove) {
        // Only movements over the window's own surface, not over a control.
        const auto *m = static_cast<QMouseEvent *>(event);
        if (!ClientArea->childAt(m->position().toPoint())) FormMouseMove();
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

void TForm1::Zalivka()
{
    ::Zalivka(*Image1);
}

void TForm1::Off()
{
    ::Off(*Image1);
}

void TForm1::Lampochka1()
{
    ::Lampochka1(*Image1, Lab);
}

void TForm1::Line()
{
    ::Line(*Image1, Lab, amper->value(), TraceSettings{Fmax1->value(), Faza1->value(), Dplastin1->value()});
}
