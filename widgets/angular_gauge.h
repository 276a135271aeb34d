// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The round dial: a scale on a circular arc around a pivot, with major and
// minor ticks, tick labels, coloured sections, arc lines, two free text
// labels, pointers on a hub and two peak pointers for the running maximum
// and minimum. Static parts are drawn into a cached background layer; the
// labels, pointers and hub are drawn over a copy of it at every paint.
#include "widgets/dial_label.h"
#include "widgets/gauge_geometry.h"
#include "widgets/gauge_instrument.h"

#include <QFontMetrics>
#include <QHash>
#include <optional>

class AngularGauge : public GaugeInstrument {
    Q_OBJECT
    // The two free texts.
    Q_PROPERTY(DialLabel *label1 READ label1 CONSTANT)
    Q_PROPERTY(DialLabel *label2 READ label2 CONSTANT)
    // The hub the pointers turn on.
    Q_PROPERTY(int hubSize READ hubSize WRITE setHubSize NOTIFY hubSizeChanged)
    Q_PROPERTY(TColor hubColor READ hubColor WRITE setHubColor NOTIFY hubColorChanged)
    Q_PROPERTY(bool showHub READ showHub WRITE setShowHub NOTIFY showHubChanged)
    // The pointers: the peak pointers' style and the first pointer's settings.
    Q_PROPERTY(GaugePointer::Style minMaxPointerStyle READ minMaxPointerStyle WRITE setMinMaxPointerStyle NOTIFY
                   minMaxPointerStyleChanged)
    Q_PROPERTY(int pointerMargin READ pointerMargin WRITE setPointerMargin NOTIFY pointersChanged)
    Q_PROPERTY(TColor pointerColor READ pointerColor WRITE setPointerColor NOTIFY pointersChanged)
    Q_PROPERTY(int pointerSize READ pointerSize WRITE setPointerSize NOTIFY pointersChanged)
    Q_PROPERTY(GaugePointer::Style pointerStyle READ pointerStyle WRITE setPointerStyle NOTIFY pointersChanged)
    // Where the dial sits and how large it is.
    Q_PROPERTY(bool autoCenter READ autoCenter WRITE setAutoCenter NOTIFY autoCenterChanged)
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize NOTIFY autoSizeChanged)
    Q_PROPERTY(int outerMargin READ outerMargin WRITE setOuterMargin NOTIFY outerMarginChanged)
    // The face behind the scale.
    Q_PROPERTY(PanelFaceStyle panelFaceStyle READ panelFaceStyle WRITE setPanelFaceStyle NOTIFY panelFaceStyleChanged)
    Q_PROPERTY(TColor panelFaceOuterColor READ panelFaceOuterColor WRITE setPanelFaceOuterColor NOTIFY
                   panelFaceOuterColorChanged)
    Q_PROPERTY(TColor panelFaceInnerColor READ panelFaceInnerColor WRITE setPanelFaceInnerColor NOTIFY
                   panelFaceInnerColorChanged)
    Q_PROPERTY(int panelFaceSize READ panelFaceSize WRITE setPanelFaceSize NOTIFY panelFaceSizeChanged)

public:
    // A face behind the scale: none, or a rounded frame around a disc. The
    // picture face is drawn as the standard one.
    enum class PanelFaceStyle { None, Standard, Picture };
    Q_ENUM(PanelFaceStyle)

    explicit AngularGauge(QWidget *parent = nullptr);
    ~AngularGauge() override;

    DialLabel *label1() const { return label1_; }
    DialLabel *label2() const { return label2_; }

    int hubSize() const { return hubSize_; }
    void setHubSize(int v) { full(hubSize_, v, &AngularGauge::hubSizeChanged); }
    TColor hubColor() const { return hubColor_; }
    void setHubColor(TColor v) { full(hubColor_, v, &AngularGauge::hubColorChanged); }
    bool showHub() const { return showHub_; }
    void setShowHub(bool v) { full(showHub_, v, &AngularGauge::showHubChanged); }
    GaugePointer::Style minMaxPointerStyle() const { return minMaxPointerStyle_; }
    void setMinMaxPointerStyle(GaugePointer::Style v)
    {
        full(minMaxPointerStyle_, v, &AngularGauge::minMaxPointerStyleChanged);
    }

    // Pointer 0's settings. Without a pointer they read as a new pointer's
    // and setting them does nothing.
    int pointerMargin() const { return firstPointer() ? firstPointer()->margin() : 0; }
    void setPointerMargin(int v);
    TColor pointerColor() const { return firstPointer() ? firstPointer()->color() : GaugePointer::kDefaultColor; }
    void setPointerColor(TColor v);
    int pointerSize() const { return firstPointer() ? firstPointer()->size() : GaugePointer::kDefaultSize; }
    void setPointerSize(int v);
    GaugePointer::Style pointerStyle() const
    {
        return firstPointer() ? firstPointer()->style() : GaugePointer::kDefaultStyle;
    }
    void setPointerStyle(GaugePointer::Style v);

    bool autoCenter() const { return autoCenter_; }
    void setAutoCenter(bool v) { full(autoCenter_, v, &AngularGauge::autoCenterChanged); }
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool v) { full(autoSize_, v, &AngularGauge::autoSizeChanged); }
    int outerMargin() const { return outerMargin_; }
    void setOuterMargin(int v) { full(outerMargin_, v, &AngularGauge::outerMarginChanged); }
    PanelFaceStyle panelFaceStyle() const { return panelFaceStyle_; }
    void setPanelFaceStyle(PanelFaceStyle v) { full(panelFaceStyle_, v, &AngularGauge::panelFaceStyleChanged); }
    TColor panelFaceOuterColor() const { return panelFaceOuterColor_; }
    void setPanelFaceOuterColor(TColor v) { full(panelFaceOuterColor_, v, &AngularGauge::panelFaceOuterColorChanged); }
    TColor panelFaceInnerColor() const { return panelFaceInnerColor_; }
    void setPanelFaceInnerColor(TColor v) { full(panelFaceInnerColor_, v, &AngularGauge::panelFaceInnerColorChanged); }
    int panelFaceSize() const { return panelFaceSize_; }
    void setPanelFaceSize(int v) { full(panelFaceSize_, v, &AngularGauge::panelFaceSizeChanged); }

    // The dial's geometry as its settings stand. Without a measurer the tick
    // label font's real metrics are used, as the drawing does.
    DialGeometry dialGeometry(TextMeasurer measure = {}) const;

    double positionToDegrees(double value) const;
    // The pivot of the dial, as the next paint places it.
    QPoint centerPoint() const override;

    // The dial's first size, at which its default scale and labels fit; the
    // smallest leaves room for the tick and label bands around the hub.
    QSize sizeHint() const override { return QSize(150, 150); }
    QSize minimumSizeHint() const override;

signals:
    void hubSizeChanged(int value);
    void hubColorChanged(TColor value);
    void showHubChanged(bool value);
    void minMaxPointerStyleChanged(GaugePointer::Style value);
    void autoCenterChanged(bool value);
    void autoSizeChanged(bool value);
    void outerMarginChanged(int value);
    void panelFaceStyleChanged(AngularGauge::PanelFaceStyle value);
    void panelFaceOuterColorChanged(TColor value);
    void panelFaceInnerColorChanged(TColor value);
    void panelFaceSizeChanged(int value);

protected:
    // Every step of a paint reads the settings where they live; only the
    // automatic radius is found when the paint begins.
    void paintContents(Canvas &canvas) override;

    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    // Every setting of the dial itself redraws its background layer.
    template <class T>
    void full(T &field, const T &value, void (AngularGauge::*notify)(T))
    {
        changeSetting(field, value, Repaint::Background, notify);
    }
    GaugePointer *firstPointer() const { return pointers().at(0); }

    void drawBackgroundLayer(Canvas &canvas, const DialGeometry &g, QPoint center);
    void drawDynamicLayer(Canvas &canvas, const DialGeometry &g, QPoint center);
    void drawPanelFace(Canvas &canvas);
    void drawSections(Canvas &canvas, const DialGeometry &g, QPoint center);
    void drawArcs(Canvas &canvas, const DialGeometry &g, QPoint center);
    void drawArcBand(Canvas &canvas, double r1, double r2, TColor color, QPoint center, double a1, double a2);
    void drawTicks(Canvas &canvas, const DialGeometry &g, QPoint center);
    void drawLabel(Canvas &canvas, const DialLabel &label, QPoint center);
    void drawMinMaxPointers(Canvas &canvas, const DialGeometry &g, QPoint center);
    void drawPointer(Canvas &canvas, const DialGeometry &g, QPoint center, double value, GaugePointer::Style style,
                     int size, int margin, TColor color, bool outward, TRect *hitRect);
    void drawHub(Canvas &canvas, QPoint center);

    void startDrag(QPoint p);
    void drag(QPoint p);
    double screenAngle(QPoint p) const;
    QSize measureTickLabel(const QString &text) const;

    DialLabel *label1_;
    DialLabel *label2_;
    int hubSize_ = 14;
    TColor hubColor_ = clBlack;
    bool showHub_ = true;
    GaugePointer::Style minMaxPointerStyle_ = GaugePointer::Style::ArrowLine;
    bool autoCenter_ = true;
    bool autoSize_ = false;
    int outerMargin_ = 5;
    PanelFaceStyle panelFaceStyle_ = PanelFaceStyle::None;
    TColor panelFaceOuterColor_ = clBlack;
    TColor panelFaceInnerColor_ = clWhite;
    int panelFaceSize_ = 15;

    QPoint lastCenter_;
    TRect maxPointerRect_;
    TRect minPointerRect_;
    bool draggingMin_ = false;
    bool draggingMax_ = false;
    double dragAngle_ = 0;
    QSize cacheDrawnSize_;
    // Sizes of tick label texts in the tick label font: the centre and the
    // radius are recomputed at every paint, and shaping the same texts
    // again would cost most of a position change's repaint.
    mutable std::optional<QFontMetrics> labelMetrics_;
    mutable QFont labelMetricsFont_;
    mutable QHash<QString, QSize> labelSizes_;
};
