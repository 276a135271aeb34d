// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/accessible_roles.h"

#include <QAccessibleWidget>
#include <QWidget>
#include <mutex>

namespace {

// Qt names the object's classes from the most derived one up.
QAccessibleInterface *controlFactory(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget) return nullptr;
    if (className == QLatin1String("TImage")) return new QAccessibleWidget(widget, QAccessible::Graphic);
    if (className == QLatin1String("TPanel")) return new QAccessibleWidget(widget, QAccessible::Pane);
    if (className == QLatin1String("TUpDown")) return new QAccessibleWidget(widget, QAccessible::Grouping);
    return nullptr;
}

}  // namespace

void InstallControlAccessibility()
{
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(controlFactory); });
}
