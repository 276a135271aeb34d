// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared by the stress suites: snapshots of everything a student can see a
// handler change (every control's enabled, visible and powered state, texts,
// read-out values, the arrows' positions, the dial, the timers and the two
// pictures), and the list of what differs between two snapshots. Tests state
// what a step may change; everything else must stay.
#include "bench/bench_window.h"
#include "common/bench_controls.h"
#include "toolkit/image_control.h"
#include "toolkit/labeled_edit.h"
#include "toolkit/panel.h"
#include "toolkit/text_label.h"
#include "toolkit/up_down.h"
#include "widgets/angular_gauge.h"
#include "widgets/seven_segment_display.h"

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

// Bitwise equality, so that -0 and 0 or two NaNs are told apart honestly.
inline bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

inline QString describe(double v)
{
    return QString::number(v, 'g', 17);
}

struct Snapshot {
    std::map<std::string, QString> controls;  // name -> a readable state

    // Names whose entries differ, with both values.
    QStringList differences(const Snapshot &after) const
    {
        QStringList out;
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

inline Snapshot snapshot(const BenchWindow &window, const BenchControls &c)
{
    Snapshot s;
    auto flag = [](bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); };
    auto widget = [&](const QWidget *w) {
        const std::string name = w->objectName().toStdString();
        s.controls[name + ".enabled"] = flag(w->isEnabled());
        s.controls[name + ".visible"] = flag(w->isVisibleTo(&window));
    };
    for (const QWidget *w : {(QWidget *)c.scopeSwitch, (QWidget *)c.regulatorSwitch, (QWidget *)c.sourceSwitch,
                             (QWidget *)c.calculateButton})
        widget(w);
    for (const TEdit *e : {(TEdit *)c.anodeVoltageField, (TEdit *)c.turnDensityField, (TEdit *)c.driftLengthField,
                           c.specificChargeField, c.helixTurnsField}) {
        widget(e);
        s.controls[e->objectName().toStdString() + ".text"] = e->text();
    }
    for (const SevenSegmentDisplay *r : {c.ammeter, c.rippleReadout, c.phaseReadout, c.plateLengthReadout}) {
        widget(r);
        s.controls[r->objectName().toStdString() + ".Value"] = describe(r->value());
        s.controls[r->objectName().toStdString() + ".PowerOff"] = flag(r->powerOff());
    }
    s.controls["regulatorDial.Position"] = describe(c.regulatorDial->position());
    s.controls["rampUpTimer.active"] = flag(c.rampUpTimer->isActive());
    s.controls["rampDownTimer.active"] = flag(c.rampDownTimer->isActive());
    for (const TUpDown *a :
         {c.rippleArrows, c.phaseArrows, c.plateLengthArrows, c.coarseCurrentArrows, c.fineCurrentArrows}) {
        widget(a);
        s.controls[a->objectName().toStdString() + ".Position"] = QString::number(a->Position());
    }
    s.controls["screen.picture"] = pictureKey(c.screen->picture());
    s.controls["sourceLamp.picture"] = pictureKey(c.sourceLamp->picture());
    return s;
}

// The differences that are not in `allowed` (prefix match on the name, so
// "ammeter." allows every change of the ammeter).
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

inline void click(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

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

// The timer that repeats a held arrow, if one is running.
inline int repeatTimerId(const QObject *object)
{
    const auto timers = QAbstractEventDispatcher::instance()->registeredTimers(const_cast<QObject *>(object));
    return timers.isEmpty() ? -1 : timers.first().timerId;
}

}  // namespace probe
