// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/text_label.h"

#include <QEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <cmath>

int textHeight(const QFont &font)
{
    const QFontMetricsF m(font);
    return int(std::ceil(m.ascent())) + int(std::ceil(m.descent()));
}

TLabel::TLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setMargin(0);
    setIndent(0);
    setContentsMargins(0, 0, 0, 0);
    resize(autoSize());
}

void TLabel::setCaption(const QString &text)
{
    setText(text);
    resize(autoSize());
}

QSize TLabel::autoSize() const
{
    return QSize(QFontMetrics(font()).horizontalAdvance(text()), textHeight(font()));
}

void TLabel::changeEvent(QEvent *e)
{
    QLabel::changeEvent(e);
    if (e->type() == QEvent::FontChange) resize(autoSize());
}
