// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A property named by its path from an object: "value", or "scale.arcRadius"
// for a property of the object that the "scale" property holds.
#include <QByteArray>
#include <QObject>
#include <QVariant>

struct PropertyAt {
    QObject *owner = nullptr;
    QByteArray name;
    QVariant read() const { return owner->property(name.constData()); }
    bool write(const QVariant &value) const { return owner->setProperty(name.constData(), value); }
};

inline PropertyAt propertyAt(QObject &root, const QByteArray &path)
{
    PropertyAt at{&root, path};
    for (qsizetype dot = at.name.indexOf('.'); dot >= 0 && at.owner; dot = at.name.indexOf('.')) {
        at.owner = at.owner->property(at.name.left(dot).constData()).value<QObject *>();
        at.name = at.name.mid(dot + 1);
    }
    return at;
}
