// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The widget base's platform layer: the re-entrant lock taken around every
// paint. TiCustomComponent is the class every instrument widget derives from.
#include "widgets/iComponent.h"

#include <QRecursiveMutex>

class TiVCLComponent : public TiComponent {
    Q_OBJECT
public:
    explicit TiVCLComponent(QWidget *parent = nullptr);
    ~TiVCLComponent() override;

protected:
    void Lock() override;
    void Unlock() override;

private:
    QRecursiveMutex lock_;
    bool destroying_ = false;
};

class TiCustomComponent : public TiVCLComponent {
    Q_OBJECT
public:
    using TiVCLComponent::TiVCLComponent;
};
