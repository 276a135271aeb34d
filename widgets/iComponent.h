// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The base of every instrument widget. A widget owns every pixel of its client
// area: each paint draws a complete frame off-screen through PaintContents and
// copies it in one step, and the platform never erases the background.
// Property changes become repaint requests, which an update batch or a
// frame-rate limit can hold back. The base also paints the common background
// (a colour or a stretched picture) with an optional 3-D border and keeps a
// background cache for widgets whose static parts are costly to draw.
#include "toolkit/canvas.h"
#include "toolkit/colors.h"
#include "widgets/iTypes.h"

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <chrono>
#include <functional>
#include <memory>

class TiComponent : public QWidget {
    Q_OBJECT
    Q_PROPERTY(TColor BackGroundColor READ BackGroundColor WRITE setBackGroundColor)
    Q_PROPERTY(TiTypes::TiBevelStyle BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(bool CachedDrawing READ CachedDrawing WRITE setCachedDrawing)
    Q_PROPERTY(int OffsetX READ OffsetX WRITE setOffsetX)
    Q_PROPERTY(int OffsetY READ OffsetY WRITE setOffsetY)
    Q_PROPERTY(int UpdateFrameRate READ UpdateFrameRate WRITE setUpdateFrameRate)
    Q_PROPERTY(bool AutoFrameRate READ AutoFrameRate WRITE setAutoFrameRate)

public:
    using Clock = std::chrono::steady_clock;
    using ClockFunction = std::function<Clock::time_point()>;

    explicit TiComponent(QWidget *parent = nullptr);
    ~TiComponent() override;

    TColor BackGroundColor() const { return backGroundColor_; }
    virtual void setBackGroundColor(TColor value);
    TiBevelStyle BorderStyle() const { return borderStyle_; }
    virtual void setBorderStyle(TiBevelStyle value);
    bool CachedDrawing() const { return cachedDrawing_; }
    virtual void setCachedDrawing(bool value);
    int OffsetX() const { return offsetX_; }
    void setOffsetX(int value);
    int OffsetY() const { return offsetY_; }
    void setOffsetY(int value);
    int UpdateFrameRate() const { return updateFrameRate_; }
    void setUpdateFrameRate(int value);
    bool AutoFrameRate() const { return autoFrameRate_; }
    void setAutoFrameRate(bool value);

    // The background picture exists only once a widget asks for it; while it
    // is wider than 0 pixels it replaces the colour fill and the border.
    void CreateBackGroundPicture();
    const QImage *BackGroundPicture() const { return backGroundPicture_.get(); }
    void setBackGroundPicture(const QImage &picture);

    // Repaint requests.
    void InvalidateContents();
    virtual void InvalidateBackground();
    void BeginUpdate();
    void EndUpdate();

    // Loading scope: while open, automatic sizing is skipped, positions are
    // stored unclamped and no notifications fire; closing it runs Loaded().
    void BeginLoading();
    void EndLoading();
    bool IsLoading() const { return loading_; }

    // The background cache, made on demand at the widget's size.
    QImage &GetBackgroundCache();
    void DrawBackgroundCache(Canvas &canvas);
    void ClearBackgroundChanged() { backgroundChanged_ = false; }
    bool BackgroundChanged() const { return backgroundChanged_; }

    virtual QPoint GetCenterPoint(Canvas &canvas);
    static QPoint PolarPoint(QPoint center, double radius, double degrees);

    // Sets position and size through the bounds-change rule: the same bounds
    // do nothing; otherwise the cache follows and the background is stale.
    void SetBounds(int left, int top, int width, int height);

    // The time source of the frame-rate limit: the steady clock, unless
    // another is given (an empty function restores it). The last repaint
    // counts as made now on the new clock.
    void setClock(ClockFunction clock);

protected:
    // Draws a complete frame of the widget's size, as every paint does, at
    // the device's resolution. Throws whatever PaintContents throws.
    QImage PaintFrame();
    // A bitmap of the widget's size for the device the widget is shown on:
    // logical pixels times the device pixel ratio.
    QImage NewBitmap() const;

    virtual void PaintContents(Canvas &canvas) = 0;
    virtual void PaintBackground(Canvas &canvas, TColor color);
    virtual void PaintBorder(Canvas &canvas);
    virtual void Loaded() {}
    virtual void Lock() = 0;
    virtual void Unlock() = 0;

    virtual void FocusGained();
    virtual void FocusLost();
    virtual void KeyUpHook(int /*key*/, Qt::KeyboardModifiers) {}
    virtual void KeyDownHook(int /*key*/, Qt::KeyboardModifiers) {}
    virtual void KeyPressHook(QString & /*text*/) {}
    virtual void MouseDownHook(Qt::MouseButton, Qt::KeyboardModifiers, int /*x*/, int /*y*/) {}
    virtual void MouseUpHook(Qt::MouseButton, Qt::KeyboardModifiers, int /*x*/, int /*y*/) {}
    virtual void MouseMoveHook(Qt::KeyboardModifiers, int /*x*/, int /*y*/) {}
    virtual void DblClickHook() {}
    virtual bool MouseWheelHook(Qt::KeyboardModifiers, int /*delta*/, QPoint /*pos*/) { return false; }

    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void moveEvent(QMoveEvent *) override;
    void changeEvent(QEvent *) override;
    void keyPressEvent(QKeyEvent *) override;
    void keyReleaseEvent(QKeyEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseDoubleClickEvent(QMouseEvent *) override;
    void wheelEvent(QWheelEvent *) override;
    void focusInEvent(QFocusEvent *) override;
    void focusOutEvent(QFocusEvent *) override;

private:
    void requestThrottled();
    void repaintNow();
    void boundsChanged();
    Clock::time_point now() const;

    TColor backGroundColor_ = clBtnFace;
    TiBevelStyle borderStyle_ = ibsNone;
    bool cachedDrawing_ = true;
    int offsetX_ = 0;
    int offsetY_ = 0;
    int updateFrameRate_ = 60;
    bool autoFrameRate_ = false;
    bool updating_ = false;
    bool contentsPending_ = false;
    bool backgroundPending_ = false;
    bool backgroundChanged_ = true;
    bool loading_ = false;
    ClockFunction clock_;
    Clock::time_point lastRepaint_;
    std::unique_ptr<QImage> backGroundPicture_;
    QImage backgroundCache_;
};
