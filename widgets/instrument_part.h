// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A part of an instrument that keeps settings of its own, such as the dial's
// scale and its labels. Every change of a setting is reported through
// changed(), on which the instrument repaints.
#include <QObject>

class InstrumentPart : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void changed();

protected:
    // Stores `value` and reports the change, when it is one.
    template <class T>
    void assign(T &field, const T &value)
    {
        if (field == value) return;
        field = value;
        emit changed();
    }
};
