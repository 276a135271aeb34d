// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/iGaugePointer.h"

#include <algorithm>
#include <stdexcept>
#include <string>

TiGaugePointer::~TiGaugePointer()
{
    manager_->removing(this);
}

void TiGaugePointer::changed()
{
    manager_->onChange_(this);
}

TiGaugePointerManager::TiGaugePointerManager(Handler onChange, Handler onInsert, Handler onRemove)
    : onChange_(std::move(onChange)), onInsert_(std::move(onInsert)), onRemove_(std::move(onRemove))
{
    if (!onChange_) throw std::invalid_argument("OnChange event handler can not be null");
    if (!onInsert_) throw std::invalid_argument("OnInsert event handler can not be null");
    if (!onRemove_) throw std::invalid_argument("OnRemove event handler can not be null");
}

TiGaugePointerManager::~TiGaugePointerManager()
{
    Clear();
}

TiGaugePointer *TiGaugePointerManager::Add()
{
    auto *pointer = new TiGaugePointer(*this);
    items_.push_back(pointer);
    onInsert_(pointer);
    onChange_(pointer);
    return pointer;
}

TiGaugePointer *TiGaugePointerManager::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return items_[std::size_t(index)];
}

void TiGaugePointerManager::Clear()
{
    while (!items_.empty()) delete items_.front();
}

void TiGaugePointerManager::removing(TiGaugePointer *pointer)
{
    onRemove_(pointer);
    onChange_(pointer);
    items_.erase(std::remove(items_.begin(), items_.end(), pointer), items_.end());
}
