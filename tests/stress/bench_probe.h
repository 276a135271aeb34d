// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared by the stress suites: a bench window in a known state, snapshots of
// everything a handler could change (every LabState field, every control's
// enabled, visible and powered state, texts, read-out values, the dial, the
// timers and the two pictures), and the list of what differs between two
// snapshots. Tests state what a step may change; everything else must stay.
#include "common/up_down_arrows.h"
#include "bench/bench_window.h"
#include "model/lab_state.h"
#include "toolkit/image_control.h"
#include "toolkit/labeled_edit.h"
#include "toolkit/panel.h"
#include "toolkit/text_label.h"
#include "toolkit/up_down.h"
#include "widgets/iAngularGauge.h"
#include "widgets/iSevenSegmentDisplay.h"

#include <QAbstractEventDispatcher>
#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace probe {

// Every field of LabState by name, as doubles (the integers convert exactly).
// clang-format cannot lay out macro calls in a macro: the list keeps its lines.
// clang-format off
#define PROBE_LAB_FIELDS(X)                                                                                      \
    X(ScopeOn) X(RegulatorOn) X(SourceOn) X(CalcShown) X(PixelsPerCm) X(ScreenHalfCm) X(SweepAmplitudeCm)        \
    X(WarmupStep) X(AnodeVoltage) X(TurnsPerMetre) X(DriftLength) X(PlateLength) X(RippleAmplitude)              \
    X(ElectronCharge) X(ElectronMass) X(Mu0) X(TwoPi) X(BeamSpeed) X(PhaseShift) X(TraceSteps) X(AngleStep)       \
    X(TraceIndex) X(SweepAngle) X(RippleFactor) X(EffectiveCurrent) X(Induction) X(CyclotronFrequency)           \
    X(TurnAngle) X(PlateTerm) X(TurnFactorY) X(TurnFactorX) X(RadiusRatio) X(SweepOffset) X(HelixRadius)         \
    X(PointX) X(PointY) X(PixelX) X(PixelY) X(PixelY2) X(HelixTurns) X(SpecificCharge)
// clang-format on

inline std::map<std::string, double> labFields(const LabState &lab)
{
    std::map<std::string, double> m;
#define PROBE_TAKE(name) m[#name] = double(lab.name);
    PROBE_LAB_FIELDS(PROBE_TAKE)
#undef PROBE_TAKE
    return m;
}

// Bitwise equality, so that -0 and 0 or two NaNs are told apart honestly.
inline bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

inline QString describe(double v) { return QString::number(v, 'g', 17); }

struct Snapshot {
    std::map<std::string, double> lab;
    std::map<std::string, QString> controls;  // name -> a readable state

    // Names whose entries differ (both maps), with both values.
    QStringList differences(const Snapshot &after) const
    {
        QStringList out;
        for (const auto &[name, v] : lab) {
            const double w = after.lab.at(name);
            if (!sameBits(v, w)) out << QString("Lab.%1: %2 -> %3").arg(name.c_str(), describe(v), describe(w));
        }
        for (const auto &[name, v] : controls) {
            const QString w = after.controls.at(name);
            if (v != w) out << QString("%1: %2 -> %3").arg(name.c_str(), v.left(80), w.left(80));
        }
        return out;
    }
};

inline QString pictureKey(const QImage &image)
{
    const QByteArray bytes(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
    return QString("%1x%2:%3").arg(image.width()).arg(image.height()).arg(qHash(bytes));
}

inline Snapshot snapshot(const TForm1 &f)
{
    Snapshot s;
    s.lab = labFields(f.Lab);
    auto flag = [](bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); };
    auto widget = [&](const char *name, const QWidget *w) {
        s.controls[std::string(name) + ".enabled"] = flag(w->isEnabled());
        s.controls[std::string(name) + ".visible"] = flag(w->isVisibleTo(f.window()));
    };
    widget("knopka1", f.knopka1);
    widget("knopka2", f.knopka2);
    widget("knopka3", f.knopka3);
    widget("UpDown1", f.UpDown1);
    widget("UpDown2", f.UpDown2);
    widget("UpDown3", f.UpDown3);
    widget("sh_vprm", f.sh_vprm);
    widget("sh_vprm_2", f.sh_vprm_2);
    widget("SpeedButton1", f.SpeedButton1);
    widget("Edit1", f.Edit1);
    widget("Edit2", f.Edit2);
    const std::pair<const char *, const TLabeledEdit *> fields[] = {
        {"LabeledEdit1", f.LabeledEdit1}, {"LabeledEdit2", f.LabeledEdit2}, {"LabeledEdit3", f.LabeledEdit3}};
    for (const auto &[name, e] : fields) {
        widget(name, e);
        s.controls[std::string(name) + ".text"] = e->text();
    }
    s.controls["Edit1.text"] = f.Edit1->text();
    s.controls["Edit2.text"] = f.Edit2->text();
    const std::pair<const char *, const TiSevenSegmentAnalog *> readouts[] = {
        {"amper", f.amper}, {"Fmax1", f.Fmax1}, {"Faza1", f.Faza1}, {"Dplastin1", f.Dplastin1}};
    for (const auto &[name, r] : readouts) {
        widget(name, r);
        s.controls[std::string(name) + ".Value"] = describe(r->Value());
        s.controls[std::string(name) + ".PowerOff"] = flag(r->PowerOff());
    }
    s.controls["transformator.Position"] = describe(f.transformator->Position());
    s.controls["Timer2.active"] = flag(f.Timer2->isActive());
    s.controls["Timer3.active"] = flag(f.Timer3->isActive());
    const std::pair<const char *, const TUpDown *> arrows[] = {{"UpDown1", f.UpDown1},
                                                               {"UpDown2", f.UpDown2},
                                                               {"UpDown3", f.UpDown3},
                                                               {"sh_vprm", f.sh_vprm},
                                                               {"sh_vprm_2", f.sh_vprm_2}};
    for (const auto &[name, a] : arrows) s.controls[std::string(name) + ".Position"] = QString::number(a->Position());
    s.controls["Image1.picture"] = pictureKey(f.Image1->picture());
    s.controls["Image2.picture"] = pictureKey(f.Image2->picture());
    return s;
}

// The differences that are not in `allowed` (prefix match on the name, so
// "Lab.Trace" allows every trace working value).
inline QStringList unexpectedChanges(const Snapshot &before, const Snapshot &after, const QStringList &allowed)
{
    QStringList out;
    for (const QString &d : before.differences(after)) {
        bool ok = false;
        for (const QString &a : allowed) ok = ok || d.startsWith(a);
        if (!ok) out << d;
    }
    return out;
}

// --- Input as a student gives it.

inline void click(QWidget *button) { QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center()); }

inline void pressArrow(TUpDown *pair, TUDBtnType which)
{
    QTest::mouseClick(arrowOf(pair, which), Qt::LeftButton);
}

// Pastes through the clipboard, as the field's context menu or Shift+Insert
// does: the key filter never sees it.
inline void paste(QLineEdit *field, const QString &text)
{
    field->selectAll();
    field->del();
    QGuiApplication::clipboard()->setText(text);
    field->paste();
}

// The ramp-up run tick by tick until the source switch is free (the dial at
// 90), then to the end of the warm-up line. Returns false if it never ends.
inline bool runRampUp(TForm1 &f, int maxTicks = 1000)
{
    for (int i = 0; i < maxTicks && f.Timer2->isActive(); ++i) f.Timer2Timer();
    return !f.Timer2->isActive();
}

inline bool runRampDown(TForm1 &f, int maxTicks = 1000)
{
    for (int i = 0; i < maxTicks && f.Timer3->isActive(); ++i) f.Timer3Timer();
    return !f.Timer3->isActive();
}

// The timer that repeats a held arrow, if one is running.
inline int repeatTimerId(const QObject *object)
{
    const auto timers = QAbstractEventDispatcher::instance()->registeredTimers(const_cast<QObject *>(object));
    return timers.isEmpty() ? -1 : timers.first().timerId;
}

} // namespace probe
