// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A free text on a dial, such as the quantity it measures. The dial has two.
#include "widgets/gauge_scale.h"
#include "widgets/instrument_part.h"

#include <QString>

class DialLabel : public InstrumentPart {
    Q_OBJECT
    Q_PROPERTY(bool visible READ isVisible WRITE setVisible NOTIFY changed)
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY changed)
    Q_PROPERTY(InstrumentFont font READ font WRITE setFont NOTIFY changed)
    Q_PROPERTY(VerticalAlignment alignVertical READ alignVertical WRITE setAlignVertical NOTIFY changed)
    Q_PROPERTY(HorizontalAlignment alignHorizontal READ alignHorizontal WRITE setAlignHorizontal NOTIFY changed)
    Q_PROPERTY(int offsetX READ offsetX WRITE setOffsetX NOTIFY changed)
    Q_PROPERTY(int offsetY READ offsetY WRITE setOffsetY NOTIFY changed)

public:
    // Centred on the dial's pivot, or against the widget's edge; the offsets
    // move the text from there.
    enum class VerticalAlignment { Center, Top, Bottom };
    Q_ENUM(VerticalAlignment)
    enum class HorizontalAlignment { Center, Left, Right };
    Q_ENUM(HorizontalAlignment)

    DialLabel(int offsetX, int offsetY, QObject *parent) : InstrumentPart(parent), offsetX_(offsetX), offsetY_(offsetY)
    {}

    bool isVisible() const { return visible_; }
    void setVisible(bool v) { assign(visible_, v); }
    QString text() const { return text_; }
    void setText(const QString &v) { assign(text_, v); }
    const InstrumentFont &font() const { return font_; }
    void setFont(const InstrumentFont &v) { assign(font_, v); }
    VerticalAlignment alignVertical() const { return alignVertical_; }
    void setAlignVertical(VerticalAlignment v) { assign(alignVertical_, v); }
    HorizontalAlignment alignHorizontal() const { return alignHorizontal_; }
    void setAlignHorizontal(HorizontalAlignment v) { assign(alignHorizontal_, v); }
    int offsetX() const { return offsetX_; }
    void setOffsetX(int v) { assign(offsetX_, v); }
    int offsetY() const { return offsetY_; }
    void setOffsetY(int v) { assign(offsetY_, v); }

private:
    bool visible_ = false;
    QString text_;
    InstrumentFont font_;
    VerticalAlignment alignVertical_ = VerticalAlignment::Center;
    HorizontalAlignment alignHorizontal_ = HorizontalAlignment::Center;
    int offsetX_;
    int offsetY_;
};
