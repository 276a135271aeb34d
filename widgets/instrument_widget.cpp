// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/instrument_widget.h"

#include "toolkit/rounding.h"
#include "widgets/instrument_accessibility.h"

#include <QEvent>
#include <QPainter>
#include <cmath>

InstrumentWidget::InstrumentWidget(QWidget *parent) : QWidget(parent), lastRepaint_(now())
{
    // Every pixel is ours: Qt must not erase behind the frame we copy in.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    heldRepaint_.setSingleShot(true);
    // The interval is measured on the widget's clock, so the timer asks the
    // throttle again rather than repainting outright.
    connect(&heldRepaint_, &QTimer::timeout, this, [this] {
        if (!updating_ && (contentsPending_ || backgroundPending_)) requestThrottled();
    });
    installInstrumentAccessibility();
}

InstrumentWidget::~InstrumentWidget() = default;

InstrumentWidget::Clock::time_point InstrumentWidget::now() const
{
    return clock_ ? clock_() : Clock::now();
}

void InstrumentWidget::setClock(ClockFunction clock)
{
    clock_ = std::move(clock);
    // A time of the old clock means nothing on the new one.
    lastRepaint_ = now();
}

void InstrumentWidget::setBackgroundColor(TColor value)
{
    changeSetting(backgroundColor_, value, Repaint::Background, &InstrumentWidget::backgroundColorChanged);
}

void InstrumentWidget::setBorderStyle(BorderStyle value)
{
    changeSetting(borderStyle_, value, Repaint::Background, &InstrumentWidget::borderStyleChanged);
}

void InstrumentWidget::setOffsetX(int value)
{
    changeSetting(offsetX_, value, Repaint::Background, &InstrumentWidget::offsetXChanged);
}

void InstrumentWidget::setOffsetY(int value)
{
    changeSetting(offsetY_, value, Repaint::Background, &InstrumentWidget::offsetYChanged);
}

void InstrumentWidget::setUpdateFrameRate(int value)
{
    changeSetting(updateFrameRate_, value, Repaint::Background, &InstrumentWidget::updateFrameRateChanged);
}

void InstrumentWidget::setCachedDrawing(bool value)
{
    if (!assign(cachedDrawing_, value)) return;
    if (!value) backgroundCache_ = QImage();
    invalidateBackground();
    emit cachedDrawingChanged(value);
}

void InstrumentWidget::setAutoFrameRate(bool value)
{
    if (!assign(autoFrameRate_, value)) return;
    if (value)
        invalidateBackground();
    else
        endUpdate();
    emit autoFrameRateChanged(value);
}

void InstrumentWidget::createBackgroundPicture()
{
    if (!backgroundPicture_) backgroundPicture_ = std::make_unique<QImage>();
}

void InstrumentWidget::setBackgroundPicture(const QImage &picture)
{
    createBackgroundPicture();
    *backgroundPicture_ = picture;
    invalidateBackground();
}

void InstrumentWidget::invalidateContents()
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

void InstrumentWidget::invalidateBackground()
{
    backgroundStale_ = true;
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

void InstrumentWidget::beginUpdate()
{
    updating_ = true;
}

void InstrumentWidget::endUpdate()
{
    updating_ = false;
    if (contentsPending_ || backgroundPending_) requestThrottled();
}

void InstrumentWidget::requestThrottled()
{
    if (!autoFrameRate_ || updateFrameRate_ <= 0) {
        repaintNow();
        return;
    }
    const auto interval =
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / updateFrameRate_));
    const Clock::duration wait = lastRepaint_ + interval - now();
    if (wait < Clock::duration::zero()) {
        repaintNow();
        return;
    }
    // Held back: the timer repaints once the interval is over, unless a later
    // request gets there first.
    if (!heldRepaint_.isActive())
        heldRepaint_.start(int(std::ceil(std::chrono::duration<double, std::milli>(wait).count())) + 1);
}

void InstrumentWidget::repaintNow()
{
    heldRepaint_.stop();
    contentsPending_ = false;
    backgroundPending_ = false;
    lastRepaint_ = now();
    update();  // deferred; several requests before the paint give one paint
}

void InstrumentWidget::beginLoading()
{
    loading_ = true;
}

void InstrumentWidget::endLoading()
{
    if (!loading_) return;
    loading_ = false;
    loaded();
}

QImage InstrumentWidget::newBitmap() const
{
    const qreal ratio = devicePixelRatioF();
    QImage bitmap(qMax(qRound(width() * ratio), 1), qMax(qRound(height() * ratio), 1), QImage::Format_RGB32);
    bitmap.setDevicePixelRatio(ratio);
    return bitmap;
}

QImage &InstrumentWidget::backgroundCache()
{
    const qreal ratio = devicePixelRatioF();
    const QSize size(qMax(qRound(width() * ratio), 1), qMax(qRound(height() * ratio), 1));
    if (backgroundCache_.size() != size || backgroundCache_.devicePixelRatio() != ratio) {
        backgroundCache_ = newBitmap();
        backgroundCache_.fill(Qt::black);
    }
    return backgroundCache_;
}

void InstrumentWidget::drawBackgroundCache(Canvas &canvas)
{
    canvas.draw(0, 0, backgroundCache());
}

QPoint InstrumentWidget::centerPoint() const
{
    return QPoint(saturate(width() / 2 + (long long)offsetX_), saturate(height() / 2 + (long long)offsetY_));
}

void InstrumentWidget::paintBackground(Canvas &canvas, TColor color)
{
    backgroundStale_ = false;
    const TRect all{0, 0, canvas.width(), canvas.height()};
    if (backgroundPicture_ && backgroundPicture_->width() != 0) {
        canvas.stretchDraw(all, *backgroundPicture_);
        return;
    }
    canvas.setBrushColor(color);
    canvas.fillRect(all);
    // The border goes under the contents, which may paint over it.
    if (borderStyle_ != BorderStyle::None) canvas.edge3D(all, borderStyle_ == BorderStyle::Raised);
}

QImage InstrumentWidget::paintFrame()
{
    QImage frame = newBitmap();
    Canvas canvas(frame);
    canvas.setBrushStyle(BrushStyle::Solid);
    paintContents(canvas);
    return frame;
}

void InstrumentWidget::paintEvent(QPaintEvent *)
{
    // A failed frame is not copied: the screen keeps its previous pixels.
    QImage frame;
    if (!guarded("paint", [&] { frame = paintFrame(); })) return;
    QPainter painter(this);
    painter.drawImage(0, 0, frame);
}

void InstrumentWidget::setBounds(int left, int top, int w, int h)
{
    if (geometry() == QRect(left, top, w, h)) return;
    setGeometry(left, top, w, h);
    // A visible widget has had its move and resize events already; a hidden
    // one gets them only when shown, so the rule is applied here.
    if (testAttribute(Qt::WA_PendingMoveEvent) || testAttribute(Qt::WA_PendingResizeEvent)) boundsChanged();
}

void InstrumentWidget::boundsChanged()
{
    backgroundCache();
    invalidateBackground();
}

void InstrumentWidget::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    boundsChanged();
}

void InstrumentWidget::moveEvent(QMoveEvent *e)
{
    QWidget::moveEvent(e);
    boundsChanged();
}

void InstrumentWidget::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::StyleChange) invalidateBackground();
}
