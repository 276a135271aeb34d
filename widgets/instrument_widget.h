// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The base of every instrument widget. A widget owns every pixel of its client
// area: each paint draws a complete frame off-screen through paintContents and
// copies it in one step, and the platform never erases the background.
// Property changes become repaint requests, which an update batch or a
// frame-rate limit can hold back. The base also paints the common background
// (a colour or a stretched picture) with an optional 3-D border and keeps a
// background cache for widgets whose static parts are costly to draw.
#include "toolkit/canvas.h"
#include "toolkit/colors.h"

#include <QDebug>
#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <exception>
#include <functional>
#include <memory>

class InstrumentWidget : public QWidget {
    Q_OBJECT
    Q_PROPERTY(TColor backgroundColor READ backgroundColor WRITE setBackgroundColor NOTIFY backgroundColorChanged)
    Q_PROPERTY(BorderStyle borderStyle READ borderStyle WRITE setBorderStyle NOTIFY borderStyleChanged)
    Q_PROPERTY(bool cachedDrawing READ cachedDrawing WRITE setCachedDrawing NOTIFY cachedDrawingChanged)
    Q_PROPERTY(int offsetX READ offsetX WRITE setOffsetX NOTIFY offsetXChanged)
    Q_PROPERTY(int offsetY READ offsetY WRITE setOffsetY NOTIFY offsetYChanged)
    Q_PROPERTY(int updateFrameRate READ updateFrameRate WRITE setUpdateFrameRate NOTIFY updateFrameRateChanged)
    Q_PROPERTY(bool autoFrameRate READ autoFrameRate WRITE setAutoFrameRate NOTIFY autoFrameRateChanged)

public:
    // The 3-D edge around the client area; both edges are two pixels wide.
    enum class BorderStyle { None, Raised, Lowered };
    Q_ENUM(BorderStyle)

    using Clock = std::chrono::steady_clock;
    using ClockFunction = std::function<Clock::time_point()>;

    explicit InstrumentWidget(QWidget *parent = nullptr);
    ~InstrumentWidget() override;

    TColor backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(TColor value);
    BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle value);
    bool cachedDrawing() const { return cachedDrawing_; }
    void setCachedDrawing(bool value);
    int offsetX() const { return offsetX_; }
    void setOffsetX(int value);
    int offsetY() const { return offsetY_; }
    void setOffsetY(int value);
    int updateFrameRate() const { return updateFrameRate_; }
    void setUpdateFrameRate(int value);
    bool autoFrameRate() const { return autoFrameRate_; }
    void setAutoFrameRate(bool value);

    // The background picture exists only once a widget asks for it; while it
    // is wider than 0 pixels it replaces the colour fill and the border.
    void createBackgroundPicture();
    const QImage *backgroundPicture() const { return backgroundPicture_.get(); }
    void setBackgroundPicture(const QImage &picture);

    // Repaint requests.
    void invalidateContents();
    void invalidateBackground();
    void beginUpdate();
    void endUpdate();

    // Loading scope: while open, automatic sizing is skipped, positions are
    // stored unclamped and no notifications fire; closing it runs loaded().
    void beginLoading();
    void endLoading();
    bool isLoading() const { return loading_; }

    // The background cache, made on demand at the widget's size.
    QImage &backgroundCache();
    void drawBackgroundCache(Canvas &canvas);
    void clearBackgroundStale() { backgroundStale_ = false; }
    bool backgroundStale() const { return backgroundStale_; }

    // (width div 2 + offsetX, height div 2 + offsetY); the dial places its
    // pivot by its drawing instead.
    virtual QPoint centerPoint() const;

    // Sets position and size through the bounds-change rule: the same bounds
    // do nothing; otherwise the cache follows and the background is stale.
    void setBounds(int left, int top, int width, int height);

    // The time source of the frame-rate limit: the steady clock, unless
    // another is given (an empty function restores it). The last repaint
    // counts as made now on the new clock.
    void setClock(ClockFunction clock);

signals:
    void backgroundColorChanged(TColor value);
    void borderStyleChanged(InstrumentWidget::BorderStyle value);
    void cachedDrawingChanged(bool value);
    void offsetXChanged(int value);
    void offsetYChanged(int value);
    void updateFrameRateChanged(int value);
    void autoFrameRateChanged(bool value);

protected:
    // Draws a complete frame of the widget's size, as every paint does, at
    // the device's resolution. Throws whatever paintContents throws.
    QImage paintFrame();
    // A bitmap of the widget's size for the device the widget is shown on:
    // logical pixels times the device pixel ratio.
    QImage newBitmap() const;

    virtual void paintContents(Canvas &canvas) = 0;
    virtual void paintBackground(Canvas &canvas, TColor color);
    virtual void loaded() {}

    // Runs `step` of an event handler; a failure is logged with the widget's
    // name and dropped, so that no exception crosses Qt's event dispatch.
    template <class Step>
    bool guarded(const char *what, Step step)
    {
        try {
            step();
            return true;
        } catch (const std::exception &e) {
            qWarning().noquote() << objectName() << what << "failed:" << e.what();
        } catch (...) {
            qWarning().noquote() << objectName() << what << "failed";
        }
        return false;
    }

    // Stores `value` in `field` when it differs; says whether it did.
    template <class T>
    static bool assign(T &field, const T &value)
    {
        if (field == value) return false;
        field = value;
        return true;
    }

    // What a changed setting asks to be repainted: the moving parts only, or
    // the background layer too.
    enum class Repaint { Contents, Background };
    // Stores a setting that changed, makes its repaint request and reports
    // the new value through `notify`; an unchanged one does nothing.
    template <class Widget, class T>
    void changeSetting(T &field, const T &value, Repaint repaint, void (Widget::*notify)(T))
    {
        if (!assign(field, value)) return;
        if (repaint == Repaint::Background) {
            invalidateBackground();
        } else {
            invalidateContents();
        }
        emit(static_cast<Widget *>(this)->*notify)(value);
    }

    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void moveEvent(QMoveEvent *) override;
    void changeEvent(QEvent *) override;

private:
    void requestThrottled();
    void repaintNow();
    void boundsChanged();
    Clock::time_point now() const;

    TColor backgroundColor_ = clBtnFace;
    BorderStyle borderStyle_ = BorderStyle::None;
    bool cachedDrawing_ = true;
    int offsetX_ = 0;
    int offsetY_ = 0;
    int updateFrameRate_ = 60;
    bool autoFrameRate_ = false;
    bool updating_ = false;
    bool contentsPending_ = false;
    bool backgroundPending_ = false;
    bool backgroundStale_ = true;
    bool loading_ = false;
    ClockFunction clock_;
    Clock::time_point lastRepaint_;
    // Flushes a repaint that the frame-rate limit held back once its
    // interval has passed, so the last value set always reaches the screen.
    QTimer heldRepaint_;
    std::unique_ptr<QImage> backgroundPicture_;
    QImage backgroundCache_;
};
