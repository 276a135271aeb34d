// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/gauge_pointer.h"

#include <algorithm>
#include <stdexcept>

GaugePointer::~GaugePointer()
{
    list_->removing(this);
}

void GaugePointer::changed()
{
    list_->onChange_(this);
}

GaugePointerList::GaugePointerList(Handler onChange, Handler onInsert, Handler onRemove)
    : onChange_(std::move(onChange)), onInsert_(std::move(onInsert)), onRemove_(std::move(onRemove))
{
    if (!onChange_) throw std::invalid_argument("OnChange event handler can not be null");
    if (!onInsert_) throw std::invalid_argument("OnInsert event handler can not be null");
    if (!onRemove_) throw std::invalid_argument("OnRemove event handler can not be null");
}

GaugePointerList::~GaugePointerList()
{
    clear();
}

GaugePointer *GaugePointerList::add()
{
    auto *pointer = new GaugePointer(*this);
    items_.push_back(pointer);
    onInsert_(pointer);
    onChange_(pointer);
    return pointer;
}

GaugePointer *GaugePointerList::at(int index) const
{
    if (index < 0 || index >= count()) return nullptr;
    return items_[std::size_t(index)];
}

void GaugePointerList::clear()
{
    while (!items_.empty()) delete items_.front();
}

void GaugePointerList::removing(GaugePointer *pointer)
{
    onRemove_(pointer);
    onChange_(pointer);
    items_.erase(std::remove(items_.begin(), items_.end(), pointer), items_.end());
}
