// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/up_down.h"

#include "toolkit/accessible_roles.h"

#include <QEvent>
#include <QMouseEvent>
#include <QToolButton>
#include <algorithm>

namespace {

QToolButton *makeArrow(QWidget *pair, Qt::ArrowType type, const char *name)
{
    auto *arrow = new QToolButton(pair);
    arrow->setObjectName(QLatin1String(name));
    arrow->setArrowType(type);
    arrow->setFocusPolicy(Qt::NoFocus);
    // Qt's repeat has a fixed pace: no acceleration however long it is held.
    arrow->setAutoRepeat(true);
    arrow->setAutoRepeatDelay(400);
    arrow->setAutoRepeatInterval(100);
    return arrow;
}

}  // namespace

TUpDown::TUpDown(Qt::Orientation orientation, QWidget *parent) : QWidget(parent), orientation_(orientation)
{
    setFocusPolicy(Qt::NoFocus);
    InstallControlAccessibility();
    const bool horizontal = orientation == Qt::Horizontal;
    next_ = makeArrow(this, horizontal ? Qt::RightArrow : Qt::UpArrow, "next");
    prev_ = makeArrow(this, horizontal ? Qt::LeftArrow : Qt::DownArrow, "previous");
    for (QToolButton *arrow : {next_, prev_}) arrow->installEventFilter(this);
    // A press and every repeat of it step once.
    connect(next_, &QToolButton::pressed, this, [this] { step(TUDBtnType::btNext); });
    connect(prev_, &QToolButton::pressed, this, [this] { step(TUDBtnType::btPrev); });
    resize(sizeHint());
}

QSize TUpDown::sizeHint() const
{
    return orientation_ == Qt::Horizontal ? QSize(32, 17) : QSize(17, 32);
}

int TUpDown::clamped(int value) const
{
    return std::clamp(value, std::min(min_, max_), std::max(min_, max_));
}

void TUpDown::setMin(int value)
{
    setRange(value, max_);
}

void TUpDown::setMax(int value)
{
    setRange(min_, value);
}

void TUpDown::setRange(int min, int max)
{
    min_ = min;
    max_ = max;
    position_ = clamped(position_);
}

void TUpDown::setPosition(int value)
{
    position_ = clamped(value);
}

void TUpDown::setArrowNames(const QString &next, const QString &previous)
{
    next_->setAccessibleName(next);
    prev_->setAccessibleName(previous);
}

QRect TUpDown::arrowRect(TUDBtnType button) const
{
    // The two halves split the control evenly; the second half takes the odd pixel.
    if (orientation_ == Qt::Horizontal) {
        const int half = width() / 2;
        return button == TUDBtnType::btPrev ? QRect(0, 0, half, height()) : QRect(half, 0, width() - half, height());
    }
    const int half = height() / 2;
    return button == TUDBtnType::btNext ? QRect(0, 0, width(), half) : QRect(0, half, width(), height() - half);
}

void TUpDown::resizeEvent(QResizeEvent *)
{
    next_->setGeometry(arrowRect(TUDBtnType::btNext));
    prev_->setGeometry(arrowRect(TUDBtnType::btPrev));
}

void TUpDown::step(TUDBtnType button)
{
    if (!armed_) return;
    // Next moves toward Max, previous toward Min; past either end nothing moves.
    const long long target = button == TUDBtnType::btNext ? (long long)position_ + 1 : (long long)position_ - 1;
    if (target < std::min(min_, max_) || target > std::max(min_, max_)) return;
    position_ = int(target);
    emit Click(button);
}

void TUpDown::letGo()
{
    armed_ = false;
    next_->setDown(false);
    prev_->setDown(false);
}

bool TUpDown::eventFilter(QObject *watched, QEvent *event)
{
    if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        armed_ = true;
    return QWidget::eventFilter(watched, event);
}

bool TUpDown::event(QEvent *e)
{
    // A modal window now owns the mouse: the release will never reach the
    // arrow, which would otherwise go on repeating behind (and inside) it.
    // Disabling lets go as well, so that re-enabling never resumes a repeat.
    if (e->type() == QEvent::WindowBlocked || (e->type() == QEvent::EnabledChange && !isEnabled())) letGo();
    return QWidget::event(e);
}
