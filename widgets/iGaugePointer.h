// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pointers of a gauge: small records owned by a manager that reports
// every insertion, change and removal to its owner.
#include "toolkit/colors.h"

#include <functional>
#include <vector>

class TiGaugePointerManager;

class TiGaugePointer {
public:
    // Destroying a pointer takes it out of its manager's list.
    ~TiGaugePointer();
    TiGaugePointer(const TiGaugePointer &) = delete;
    TiGaugePointer &operator=(const TiGaugePointer &) = delete;

    int Size() const { return size_; }
    void setSize(int v) { assign(size_, v); }
    int Margin() const { return margin_; }
    void setMargin(int v) { assign(margin_, v); }
    TColor Color() const { return color_; }
    void setColor(TColor v) { assign(color_, v); }
    // An ordinal of the gauge's pointer styles; unknown values draw nothing.
    int Style() const { return style_; }
    void setStyle(int v) { assign(style_, v); }
    double Position() const { return position_; }
    void setPosition(double v) { assign(position_, v); }

    TiGaugePointerManager &Manager() const { return *manager_; }

private:
    friend class TiGaugePointerManager;
    explicit TiGaugePointer(TiGaugePointerManager &manager) : manager_(&manager) {}

    template <class T>
    void assign(T &field, T value)
    {
        if (field == value) return;
        field = value;
        changed();
    }
    void changed();

    TiGaugePointerManager *manager_;
    int size_ = 10;
    int margin_ = 0;
    TColor color_ = clBlack;
    int style_ = 3;
    double position_ = 0;
};

class TiGaugePointerManager {
public:
    using Handler = std::function<void(TiGaugePointer *)>;

    // All three handlers are required; a missing one throws
    // std::invalid_argument ("OnChange event handler can not be null", ...).
    TiGaugePointerManager(Handler onChange, Handler onInsert, Handler onRemove);
    ~TiGaugePointerManager();
    TiGaugePointerManager(const TiGaugePointerManager &) = delete;
    TiGaugePointerManager &operator=(const TiGaugePointerManager &) = delete;

    TiGaugePointer *Add();
    int Count() const { return int(items_.size()); }
    // Throws std::out_of_range for an index outside the list.
    TiGaugePointer *Items(int index) const;
    void Clear();

private:
    friend class TiGaugePointer;
    void removing(TiGaugePointer *pointer);

    Handler onChange_;
    Handler onInsert_;
    Handler onRemove_;
    std::vector<TiGaugePointer *> items_;
};
