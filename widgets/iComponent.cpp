// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/iComponent.h"

#include "toolkit/rounding.h"
#include "widgets/iAccessible.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>
#include <numbers>

TiComponent::TiComponent(QWidget *parent)
    : QWidget(parent), lastRepaint_(now())
{
    // Every pixel is ours: Qt must not erase behind the frame we copy in.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    InstallInstrumentAccessibility();
}

TiComponent::~TiComponent() = default;

TiComponent::Clock::time_point TiComponent::now() const
{
    return clock_ ? clock_() : Clock::now();
}

void TiComponent::setClock(ClockFunction clock)
{
    clock_ = std::move(clock);
    // A time of the old clock means nothing on the new one.
    lastRepaint_ = now();
}

void TiComponent::setBackGroundColor(TColor value)
{
    if (backGroundColor_ == value) return;
    backGroundColor_ = value;
    InvalidateBackground();
}

void TiComponent::setBorderStyle(TiBevelStyle value)
{
    if (borderStyle_ == value) return;
    borderStyle_ = value;
    InvalidateBackground();
}

void TiComponent::setCachedDrawing(bool value)
{
    if (cachedDrawing_ == value) return;
    cachedDrawing_ = value;
    if (!value) backgroundCache_ = QImage();
    InvalidateBackground();
}

void TiComponent::setOffsetX(int value)
{
    if (offsetX_ == value) return;
    offsetX_ = value;
    InvalidateBackground();
}

void TiComponent::setOffsetY(int value)
{
    if (offsetY_ == value) return;
    offsetY_ = value;
    InvalidateBackground();
}

void TiComponent::setUpdateFrameRate(int value)
{
    if (updateFrameRate_ == value) return;
    updateFrameRate_ = value;
    InvalidateBackground();
}

void TiComponent::setAutoFrameRate(bool value)
{
    if (autoFrameRate_ == value) return;
    autoFrameRate_ = value;
    if (value)
        InvalidateBackground();
    else
        EndUpdate();
}

void TiComponent::CreateBackGroundPicture()
{
    if (!backGroundPicture_) backGroundPicture_ = std::make_unique<QImage>();
}

void TiComponent::setBackGroundPicture(const QImage &picture)
{
    CreateBackGroundPicture();
    *backGroundPicture_ = picture;
    InvalidateBackground();
}

void TiComponent::InvalidateContents()
{
    if (updating_) {
        contentsPending_ = true;
        return;
    }
    if (autoFrameRate_) {
        contentsPending_ = true;
        requestThrottled();
        return;
    }
    repaintNow();
}

void TiComponent::InvalidateBackground()
{
    backgroundChanged_ = true;
    if (updating_) {
        backgroundPending_ = true;
        return;
    }
    if (autoFrameRate_) {
        backgroundPending_ = true;
        requestThrottled();
        return;
    }
    repaintNow();
}

void TiComponent::BeginUpdate()
{
    updating_ = true;
}

void TiComponent::EndUpdate()
{
    updating_ = false;
    if (contentsPending_ || backgroundPending_) requestThrottled();
}

void TiComponent::requestThrottled()
{
    if (!autoFrameRate_ || updateFrameRate_ == 0) {
        repaintNow();
        return;
    }
    const auto interval = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / updateFrameRate_));
    if (now() > lastRepaint_ + interval) repaintNow();
}

void TiComponent::repaintNow()
{
    contentsPending_ = false;
    backgroundPending_ = false;
    lastRepaint_ = now();
    update();  // deferred; several requests before the paint give one paint
}

void TiComponent::BeginLoading()
{
    loading_ = true;
}

void TiComponent::EndLoading()
{
    if (!loading_) return;
    loading_ = false;
    Loaded();
}

QImage TiComponent::NewBitmap() const
{
    const qreal ratio = devicePixelRatioF();
    QImage bitmap(qMax(qRound(width() * ratio), 1), qMax(qRound(height() * ratio), 1), QImage::Format_RGB32);
    bitmap.setDevicePixelRatio(ratio);
    return bitmap;
}

QImage &TiComponent::GetBackgroundCache()
{
    const qreal ratio = devicePixelRatioF();
    const QSize size(qMax(qRound(width() * ratio), 1), qMax(qRound(height() * ratio), 1));
    if (backgroundCache_.size() != size || backgroundCache_.devicePixelRatio() != ratio) {
        backgroundCache_ = NewBitmap();
        backgroundCache_.fill(Qt::black);
    }
    return backgroundCache_;
}

void TiComponent::DrawBackgroundCache(Canvas &canvas)
{
    canvas.draw(0, 0, GetBackgroundCache());
}

QPoint TiComponent::GetCenterPoint(Canvas &)
{
    return QPoint(saturate(width() / 2 + (long long)offsetX_), saturate(height() / 2 + (long long)offsetY_));
}

QPoint TiComponent::PolarPoint(QPoint center, double radius, double degrees)
{
    const double a = degrees * std::numbers::pi / 180.0;
    return QPoint(saturate(center.x() + (long long)roundEven(radius * std::cos(a))),
                  saturate(center.y() - (long long)roundEven(radius * std::sin(a))));
}

void TiComponent::PaintBackground(Canvas &canvas, TColor color)
{
    backgroundChanged_ = false;
    const TRect all{0, 0, canvas.width(), canvas.height()};
    if (backGroundPicture_ && backGroundPicture_->width() != 0) {
        canvas.stretchDraw(all, *backGroundPicture_);
        return;
    }
    canvas.setBrushColor(color);
    canvas.fillRect(all);
    PaintBorder(canvas);
}

void TiComponent::PaintBorder(Canvas &canvas)
{
    if (borderStyle_ == ibsNone) return;
    canvas.edge3D(TRect{0, 0, canvas.width(), canvas.height()}, borderStyle_ == ibsRaised);
}

QImage TiComponent::PaintFrame()
{
    QImage frame = NewBitmap();
    Canvas canvas(frame);
    canvas.setBrushStyle(BrushStyle::Solid);
    PaintContents(canvas);
    return frame;
}

void TiComponent::paintEvent(QPaintEvent *)
{
    Lock();
    try {
        const QImage frame = PaintFrame();
        QPainter painter(this);
        painter.drawImage(0, 0, frame);
    } catch (...) {
        // A failed frame is dropped: the screen keeps its previous pixels.
    }
    Unlock();
}

void TiComponent::SetBounds(int left, int top, int w, int h)
{
    if (geometry() == QRect(left, top, w, h)) return;
    setGeometry(left, top, w, h);
    // A visible widget has had its move and resize events already; a hidden
    // one gets them only when shown, so the rule is applied here.
    if (testAttribute(Qt::WA_PendingMoveEvent) || testAttribute(Qt::WA_PendingResizeEvent)) boundsChanged();
}

void TiComponent::boundsChanged()
{
    GetBackgroundCache();
    InvalidateBackground();
}

void TiComponent::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    boundsChanged();
}

void TiComponent::moveEvent(QMoveEvent *e)
{
    QWidget::moveEvent(e);
    boundsChanged();
}

void TiComponent::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::StyleChange) InvalidateBackground();
}

// Key handlers first let the toolkit do its part, then run the hook; errors
// raised by the hooks are swallowed, as the mouse handlers' are.
void TiComponent::keyPressEvent(QKeyEvent *e)
{
    QWidget::keyPressEvent(e);
    try {
        KeyDownHook(e->key(), e->modifiers());
        QString text = e->text();
        if (!text.isEmpty()) KeyPressHook(text);
    } catch (...) {
    }
}

void TiComponent::keyReleaseEvent(QKeyEvent *e)
{
    QWidget::keyReleaseEvent(e);
    try {
        KeyUpHook(e->key(), e->modifiers());
    } catch (...) {
    }
}

// Mouse handlers run the hook first, then the toolkit's handling.
void TiComponent::mousePressEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    try {
        MouseDownHook(e->button(), e->modifiers(), p.x(), p.y());
    } catch (...) {
    }
    QWidget::mousePressEvent(e);
}

void TiComponent::mouseReleaseEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    try {
        MouseUpHook(e->button(), e->modifiers(), p.x(), p.y());
    } catch (...) {
    }
    QWidget::mouseReleaseEvent(e);
}

void TiComponent::mouseMoveEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    try {
        MouseMoveHook(e->modifiers(), p.x(), p.y());
    } catch (...) {
    }
    QWidget::mouseMoveEvent(e);
}

void TiComponent::mouseDoubleClickEvent(QMouseEvent *e)
{
    try {
        DblClickHook();
    } catch (...) {
    }
    QWidget::mouseDoubleClickEvent(e);
}

void TiComponent::wheelEvent(QWheelEvent *e)
{
    bool handled = false;
    try {
        handled = MouseWheelHook(e->modifiers(), e->angleDelta().y(), e->position().toPoint());
    } catch (...) {
    }
    if (!handled) QWidget::wheelEvent(e);
}

void TiComponent::FocusGained()
{
    update();
}

void TiComponent::FocusLost()
{
    try {
        MouseUpHook(Qt::LeftButton, Qt::NoModifier, 0, 0);
    } catch (...) {
    }
    update();
}

void TiComponent::focusInEvent(QFocusEvent *e)
{
    QWidget::focusInEvent(e);
    FocusGained();
}

void TiComponent::focusOutEvent(QFocusEvent *e)
{
    QWidget::focusOutEvent(e);
    FocusLost();
}
