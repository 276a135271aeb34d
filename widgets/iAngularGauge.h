// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The round dial: a scale on a circular arc around a pivot, with major and
// minor ticks, tick labels, coloured sections, arc lines, two free text
// labels, pointers on a hub and two peak pointers for the running maximum
// and minimum. Static parts are drawn into a cached background layer; the
// labels, pointers and hub are drawn over a copy of it at every paint.
#include "widgets/iAngularGaugeGeometry.h"
#include "widgets/iGaugeComponent.h"

#include <QFontMetrics>
#include <QHash>
#include <optional>

class TiAngularGauge : public TiGaugeComponent {
    Q_OBJECT
    Q_PROPERTY(int ArcRadius READ ArcRadius WRITE setArcRadius)
    Q_PROPERTY(int ArcRangeDegrees READ ArcRangeDegrees WRITE setArcRangeDegrees)
    Q_PROPERTY(int ArcStartDegrees READ ArcStartDegrees WRITE setArcStartDegrees)
    Q_PROPERTY(QString Label1Text READ Label1Text WRITE setLabel1Text)
    Q_PROPERTY(TiTypes::TiAlignmentVertical Label1AlignVertical READ Label1AlignVertical WRITE setLabel1AlignVertical)
    Q_PROPERTY(TiTypes::TiAlignmentHorizontal Label1AlignHorizontal READ Label1AlignHorizontal WRITE setLabel1AlignHorizontal)
    Q_PROPERTY(int Label1OffsetX READ Label1OffsetX WRITE setLabel1OffsetX)
    Q_PROPERTY(int Label1OffsetY READ Label1OffsetY WRITE setLabel1OffsetY)
    Q_PROPERTY(TiFont Label1Font READ Label1Font WRITE setLabel1Font)
    Q_PROPERTY(QString Label2Text READ Label2Text WRITE setLabel2Text)
    Q_PROPERTY(TiTypes::TiAlignmentVertical Label2AlignVertical READ Label2AlignVertical WRITE setLabel2AlignVertical)
    Q_PROPERTY(TiTypes::TiAlignmentHorizontal Label2AlignHorizontal READ Label2AlignHorizontal WRITE setLabel2AlignHorizontal)
    Q_PROPERTY(int Label2OffsetX READ Label2OffsetX WRITE setLabel2OffsetX)
    Q_PROPERTY(int Label2OffsetY READ Label2OffsetY WRITE setLabel2OffsetY)
    Q_PROPERTY(TiFont Label2Font READ Label2Font WRITE setLabel2Font)
    Q_PROPERTY(int HubSize READ HubSize WRITE setHubSize)
    Q_PROPERTY(TColor HubColor READ HubColor WRITE setHubColor)
    Q_PROPERTY(TiTypes::TiAngularGaugePointerStyle MinMaxPointerStyle READ MinMaxPointerStyle WRITE setMinMaxPointerStyle)
    Q_PROPERTY(int PointerMargin READ PointerMargin WRITE setPointerMargin)
    Q_PROPERTY(TColor PointerColor READ PointerColor WRITE setPointerColor)
    Q_PROPERTY(int PointerSize READ PointerSize WRITE setPointerSize)
    Q_PROPERTY(TiTypes::TiAngularGaugePointerStyle PointerStyle READ PointerStyle WRITE setPointerStyle)
    Q_PROPERTY(bool ShowInnerArcRadius READ ShowInnerArcRadius WRITE setShowInnerArcRadius)
    Q_PROPERTY(bool ShowOuterArcRadius READ ShowOuterArcRadius WRITE setShowOuterArcRadius)
    Q_PROPERTY(bool ShowHub READ ShowHub WRITE setShowHub)
    Q_PROPERTY(bool ShowLabel1 READ ShowLabel1 WRITE setShowLabel1)
    Q_PROPERTY(bool ShowLabel2 READ ShowLabel2 WRITE setShowLabel2)
    Q_PROPERTY(bool AutoCenter READ AutoCenter WRITE setAutoCenter)
    Q_PROPERTY(TiTypes::TiLabelAlignment TickLabelAlignment READ TickLabelAlignment WRITE setTickLabelAlignment)
    Q_PROPERTY(bool ReverseScale READ ReverseScale WRITE setReverseScale)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
    Q_PROPERTY(int OuterMargin READ OuterMargin WRITE setOuterMargin)
    Q_PROPERTY(TiTypes::TiPanelFaceStyle PanelFaceStyle READ PanelFaceStyle WRITE setPanelFaceStyle)
    Q_PROPERTY(TColor PanelFaceOuterColor READ PanelFaceOuterColor WRITE setPanelFaceOuterColor)
    Q_PROPERTY(TColor PanelFaceInnerColor READ PanelFaceInnerColor WRITE setPanelFaceInnerColor)
    Q_PROPERTY(int PanelFaceSize READ PanelFaceSize WRITE setPanelFaceSize)

public:
    explicit TiAngularGauge(QWidget *parent = nullptr);
    ~TiAngularGauge() override;

    int ArcRadius() const { return arcRadius_; }
    void setArcRadius(int v) { full(arcRadius_, v); }
    int ArcRangeDegrees() const { return arcRangeDegrees_; }
    void setArcRangeDegrees(int v) { full(arcRangeDegrees_, v > 360 ? 360 : v); }
    int ArcStartDegrees() const { return arcStartDegrees_; }
    void setArcStartDegrees(int v) { full(arcStartDegrees_, v); }
    QString Label1Text() const { return label1Text_; }
    void setLabel1Text(const QString &v) { full(label1Text_, v); }
    const TiFont &Label1Font() const { return label1Font_; }
    void setLabel1Font(const TiFont &v) { full(label1Font_, v); }
    TiAlignmentVertical Label1AlignVertical() const { return label1AlignVertical_; }
    void setLabel1AlignVertical(TiAlignmentVertical v) { full(label1AlignVertical_, v); }
    TiAlignmentHorizontal Label1AlignHorizontal() const { return label1AlignHorizontal_; }
    void setLabel1AlignHorizontal(TiAlignmentHorizontal v) { full(label1AlignHorizontal_, v); }
    int Label1OffsetX() const { return label1OffsetX_; }
    void setLabel1OffsetX(int v) { full(label1OffsetX_, v); }
    int Label1OffsetY() const { return label1OffsetY_; }
    void setLabel1OffsetY(int v) { full(label1OffsetY_, v); }
    QString Label2Text() const { return label2Text_; }
    void setLabel2Text(const QString &v) { full(label2Text_, v); }
    const TiFont &Label2Font() const { return label2Font_; }
    void setLabel2Font(const TiFont &v) { full(label2Font_, v); }
    TiAlignmentVertical Label2AlignVertical() const { return label2AlignVertical_; }
    void setLabel2AlignVertical(TiAlignmentVertical v) { full(label2AlignVertical_, v); }
    TiAlignmentHorizontal Label2AlignHorizontal() const { return label2AlignHorizontal_; }
    void setLabel2AlignHorizontal(TiAlignmentHorizontal v) { full(label2AlignHorizontal_, v); }
    int Label2OffsetX() const { return label2OffsetX_; }
    void setLabel2OffsetX(int v) { full(label2OffsetX_, v); }
    int Label2OffsetY() const { return label2OffsetY_; }
    void setLabel2OffsetY(int v) { full(label2OffsetY_, v); }
    int HubSize() const { return hubSize_; }
    void setHubSize(int v) { full(hubSize_, v); }
    TColor HubColor() const { return hubColor_; }
    void setHubColor(TColor v) { full(hubColor_, v); }
    TiAngularGaugePointerStyle MinMaxPointerStyle() const { return minMaxPointerStyle_; }
    void setMinMaxPointerStyle(TiAngularGaugePointerStyle v) { full(minMaxPointerStyle_, v); }

    // Pointer 0's settings; these throw std::out_of_range when the gauge
    // has no pointer.
    int PointerMargin() const { return Pointers().Items(0)->Margin(); }
    void setPointerMargin(int v) { Pointers().Items(0)->setMargin(v); }
    TColor PointerColor() const { return Pointers().Items(0)->Color(); }
    void setPointerColor(TColor v) { Pointers().Items(0)->setColor(v); }
    int PointerSize() const { return Pointers().Items(0)->Size(); }
    void setPointerSize(int v) { Pointers().Items(0)->setSize(v); }
    TiAngularGaugePointerStyle PointerStyle() const { return TiAngularGaugePointerStyle(Pointers().Items(0)->Style()); }
    void setPointerStyle(TiAngularGaugePointerStyle v) { Pointers().Items(0)->setStyle(int(v)); }

    bool ShowInnerArcRadius() const { return showInnerArcRadius_; }
    void setShowInnerArcRadius(bool v) { full(showInnerArcRadius_, v); }
    bool ShowOuterArcRadius() const { return showOuterArcRadius_; }
    void setShowOuterArcRadius(bool v) { full(showOuterArcRadius_, v); }
    bool ShowHub() const { return showHub_; }
    void setShowHub(bool v) { full(showHub_, v); }
    bool ShowLabel1() const { return showLabel1_; }
    void setShowLabel1(bool v) { full(showLabel1_, v); }
    bool ShowLabel2() const { return showLabel2_; }
    void setShowLabel2(bool v) { full(showLabel2_, v); }
    bool AutoCenter() const { return autoCenter_; }
    void setAutoCenter(bool v) { full(autoCenter_, v); }
    TiLabelAlignment TickLabelAlignment() const { return tickLabelAlignment_; }
    void setTickLabelAlignment(TiLabelAlignment v) { full(tickLabelAlignment_, v); }
    bool ReverseScale() const { return reverseScale_; }
    void setReverseScale(bool v) { full(reverseScale_, v); }
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool v) { full(autoSize_, v); }
    int OuterMargin() const { return outerMargin_; }
    void setOuterMargin(int v) { full(outerMargin_, v); }
    TiPanelFaceStyle PanelFaceStyle() const { return panelFaceStyle_; }
    void setPanelFaceStyle(TiPanelFaceStyle v) { full(panelFaceStyle_, v); }
    TColor PanelFaceOuterColor() const { return panelFaceOuterColor_; }
    void setPanelFaceOuterColor(TColor v) { full(panelFaceOuterColor_, v); }
    TColor PanelFaceInnerColor() const { return panelFaceInnerColor_; }
    void setPanelFaceInnerColor(TColor v) { full(panelFaceInnerColor_, v); }
    int PanelFaceSize() const { return panelFaceSize_; }
    void setPanelFaceSize(int v) { full(panelFaceSize_, v); }

    // A snapshot of the settings the geometry needs. Without a measurer the
    // tick label font's real metrics are used, as the drawing does.
    TiDialGeometry Geometry(TiTextMeasurer measurer = {});

    double PositionToDegrees(double value);
    // The pivot of the dial, as the next paint places it.
    QPoint GetCenterPoint(Canvas &canvas) override;

protected:
    // Every step of a paint works from one snapshot of the settings, taken
    // (and given its automatic radius) when the paint begins.
    void PaintContents(Canvas &canvas) override;
    void DrawPanelFace(Canvas &canvas);
    void DrawSections(Canvas &canvas, const TiDialGeometry &g, QPoint center);
    void DrawArcs(Canvas &canvas, const TiDialGeometry &g, QPoint center);
    void DrawArcBand(Canvas &canvas, double r1, double r2, TColor color, QPoint center, double a1, double a2);
    void DrawTicks(Canvas &canvas, const TiDialGeometry &g, QPoint center);
    void DrawLabels(Canvas &canvas, QPoint center);
    void DrawMinMaxPointers(Canvas &canvas, const TiDialGeometry &g, QPoint center);
    void DrawPointer(Canvas &canvas, const TiDialGeometry &g, QPoint center, double value, int style, int size,
                     int margin, TColor color, bool outward, TRect *hitRect);
    void DrawHub(Canvas &canvas, QPoint center);

    void MouseDownHook(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseMoveHook(Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseUpHook(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;

private:
    template <class T>
    void full(T &field, const T &value)
    {
        if (field == value) return;
        field = value;
        InvalidateBackground();
    }
    void drawBackgroundLayer(Canvas &canvas, const TiDialGeometry &g, QPoint center);
    void drawDynamicLayer(Canvas &canvas, const TiDialGeometry &g, QPoint center);
    double screenAngle(int x, int y) const;
    QSize measureTickLabel(const QString &text);

    int arcRadius_ = 60;
    int arcRangeDegrees_ = 90;
    int arcStartDegrees_ = 180;
    QString label1Text_;
    TiFont label1Font_;
    TiAlignmentVertical label1AlignVertical_ = iavCenter;
    TiAlignmentHorizontal label1AlignHorizontal_ = iahCenter;
    int label1OffsetX_ = -15;
    int label1OffsetY_ = -35;
    QString label2Text_;
    TiFont label2Font_;
    TiAlignmentVertical label2AlignVertical_ = iavCenter;
    TiAlignmentHorizontal label2AlignHorizontal_ = iahCenter;
    int label2OffsetX_ = -15;
    int label2OffsetY_ = -20;
    int hubSize_ = 14;
    TColor hubColor_ = clBlack;
    TiAngularGaugePointerStyle minMaxPointerStyle_ = iagpsArrowLine;
    bool showInnerArcRadius_ = false;
    bool showOuterArcRadius_ = false;
    bool showHub_ = true;
    bool showLabel1_ = false;
    bool showLabel2_ = false;
    bool autoCenter_ = true;
    TiLabelAlignment tickLabelAlignment_ = ilaCenter;
    bool reverseScale_ = false;
    bool autoSize_ = false;
    int outerMargin_ = 5;
    TiPanelFaceStyle panelFaceStyle_ = ipfsNone;
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
    std::optional<QFontMetrics> labelMetrics_;
    QFont labelMetricsFont_;
    QHash<QString, QSize> labelSizes_;
};
