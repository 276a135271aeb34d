// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A panel: a coloured area with up to two one-pixel bevels, an outer one and
// an inner one, each raised (light top and left, shadow bottom and right),
// lowered (the reverse) or absent. Other controls sit on it.
#include "toolkit/colors.h"

#include <QWidget>

enum class TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public QWidget {
    Q_OBJECT
public:
    explicit TPanel(QWidget *parent = nullptr);

    TColor Color() const { return color_; }
    void setColor(TColor color);
    TBevelCut BevelOuter() const { return outer_; }
    void setBevelOuter(TBevelCut cut);
    TBevelCut BevelInner() const { return inner_; }
    void setBevelInner(TBevelCut cut);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    TColor color_ = clBtnFace;
    TBevelCut outer_ = TBevelCut::bvRaised;
    TBevelCut inner_ = TBevelCut::bvNone;
};
