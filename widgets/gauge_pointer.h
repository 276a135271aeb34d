// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pointers of a gauge: small records owned by a list that reports every
// insertion, change and removal to its owner.
#include "toolkit/colors.h"

#include <QObject>
#include <functional>
#include <vector>

class GaugePointerList;

class GaugePointer {
    Q_GADGET
public:
    // How a pointer is drawn; a value outside the list draws nothing.
    enum class Style { ArrowLine, Arrow, Line, Triangle };
    Q_ENUM(Style)

    // A new pointer's settings.
    static constexpr int kDefaultSize = 10;
    static constexpr TColor kDefaultColor = clBlack;
    static constexpr Style kDefaultStyle = Style::Triangle;

    // Destroying a pointer takes it out of its list.
    ~GaugePointer();
    GaugePointer(const GaugePointer &) = delete;
    GaugePointer &operator=(const GaugePointer &) = delete;

    int size() const { return size_; }
    void setSize(int v) { assign(size_, v); }
    int margin() const { return margin_; }
    void setMargin(int v) { assign(margin_, v); }
    TColor color() const { return color_; }
    void setColor(TColor v) { assign(color_, v); }
    Style style() const { return style_; }
    void setStyle(Style v) { assign(style_, v); }
    double position() const { return position_; }
    void setPosition(double v) { assign(position_, v); }

    GaugePointerList &list() const { return *list_; }

private:
    friend class GaugePointerList;
    explicit GaugePointer(GaugePointerList &list) : list_(&list) {}

    template <class T>
    void assign(T &field, T value)
    {
        if (field == value) return;
        field = value;
        changed();
    }
    void changed();

    GaugePointerList *list_;
    int size_ = kDefaultSize;
    int margin_ = 0;
    TColor color_ = kDefaultColor;
    Style style_ = kDefaultStyle;
    double position_ = 0;
};

class GaugePointerList {
public:
    using Handler = std::function<void(GaugePointer *)>;

    // All three handlers are required; a missing one throws
    // std::invalid_argument ("OnChange event handler can not be null", ...).
    GaugePointerList(Handler onChange, Handler onInsert, Handler onRemove);
    ~GaugePointerList();
    GaugePointerList(const GaugePointerList &) = delete;
    GaugePointerList &operator=(const GaugePointerList &) = delete;

    GaugePointer *add();
    int count() const { return int(items_.size()); }
    // The pointer at `index`, or nullptr for an index outside the list.
    GaugePointer *at(int index) const;
    void clear();

private:
    friend class GaugePointer;
    void removing(GaugePointer *pointer);

    Handler onChange_;
    Handler onInsert_;
    Handler onRemove_;
    std::vector<GaugePointer *> items_;
};
