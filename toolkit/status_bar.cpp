#include "toolkit/status_bar.h"

#include <QLabel>

TStatusBar::TStatusBar(QWidget *parent)
    : QStatusBar(parent)
{
}

int TStatusBar::addPanel(int width, Qt::Alignment alignment)
{
    auto *label = new QLabel(this);
    label->setFixedWidth(width);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setContentsMargins(2, 0, 2, 0);
    addWidget(label);
    panels_.push_back(label);
    return int(panels_.size()) - 1;
}

QString TStatusBar::panelText(int index) const
{
    return panels_.at(index)->text();
}

void TStatusBar::setPanelText(int index, const QString &text)
{
    panels_.at(index)->setText(text);
}
