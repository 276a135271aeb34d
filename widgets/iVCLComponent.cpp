// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/iVCLComponent.h"

TiVCLComponent::TiVCLComponent(QWidget *parent)
    : TiComponent(parent)
{
}

TiVCLComponent::~TiVCLComponent()
{
    destroying_ = true;
}

void TiVCLComponent::Lock()
{
    if (!destroying_) lock_.lock();
}

void TiVCLComponent::Unlock()
{
    if (!destroying_) lock_.unlock();
}
