#include "toolkit/up_down.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTimerEvent>
#include <algorithm>

TUpDown::TUpDown(Qt::Orientation orientation, QWidget *parent)
    : QWidget(parent), orientation_(orientation)
{
    setFocusPolicy(Qt::NoFocus);
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

QRect TUpDown::arrowRect(TUDBtnType button) const
{
    // The two halves split the control evenly; the second half takes the odd pixel.
    if (orientation_ == Qt::Horizontal) {
        const int half = width() / 2;
        return button == TUDBtnType::btPrev ? QRect(0, 0, half, height())
                                            : QRect(half, 0, width() - half, height());
    }
    const int half = height() / 2;
    return button == TUDBtnType::btNext ? QRect(0, 0, width(), half)
                                        : QRect(0, half, width(), height() - half);
}

void TUpDown::press(TUDBtnType button)
{
    // Next moves toward Max, previous toward Min; past either end nothing moves.
    const long long target = button == TUDBtnType::btNext ? (long long)position_ + 1 : (long long)position_ - 1;
    if (target < std::min(min_, max_) || target > std::max(min_, max_)) return;
    position_ = int(target);
    emit Click(button);
}

void TUpDown::stopRepeat()
{
    repeat_.stop();
    if (held_) {
        held_ = false;
        update();
    }
}

void TUpDown::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton) {
        e->ignore();
        return;
    }
    const QPoint p = e->position().toPoint();
    heldButton_ = arrowRect(TUDBtnType::btNext).contains(p) ? TUDBtnType::btNext : TUDBtnType::btPrev;
    held_ = true;
    overHeld_ = true;
    update();
    repeat_.start(repeatDelay_, this);
    press(heldButton_);
}

void TUpDown::mouseMoveEvent(QMouseEvent *e)
{
    if (!held_) {
        e->ignore();
        return;
    }
    const bool over = arrowRect(heldButton_).contains(e->position().toPoint());
    if (over != overHeld_) {
        overHeld_ = over;
        update();
    }
}

void TUpDown::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton) {
        e->ignore();
        return;
    }
    stopRepeat();
}

void TUpDown::timerEvent(QTimerEvent *e)
{
    if (e->timerId() != repeat_.timerId()) {
        QWidget::timerEvent(e);
        return;
    }
    // After the first delay the arrow repeats at a steady pace; while the
    // cursor has left the held arrow the repeat pauses.
    repeat_.start(repeatInterval_, this);
    if (held_ && overHeld_) press(heldButton_);
}

void TUpDown::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::EnabledChange && !isEnabled()) stopRepeat();
    QWidget::changeEvent(e);
}

void TUpDown::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    for (const TUDBtnType button : {TUDBtnType::btPrev, TUDBtnType::btNext}) {
        QStyleOptionButton panel;
        panel.initFrom(this);
        panel.rect = arrowRect(button);
        const bool sunken = held_ && overHeld_ && heldButton_ == button;
        panel.state |= sunken ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &panel, &p, this);

        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = panel.rect.adjusted(3, 3, -3, -3);
        if (sunken) arrow.rect.translate(1, 1);
        QStyle::PrimitiveElement element;
        if (orientation_ == Qt::Horizontal)
            element = button == TUDBtnType::btNext ? QStyle::PE_IndicatorArrowRight : QStyle::PE_IndicatorArrowLeft;
        else
            element = button == TUDBtnType::btNext ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown;
        style()->drawPrimitive(element, &arrow, &p, this);
    }
}
