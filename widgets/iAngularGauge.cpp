// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/iAngularGauge.h"

#include "toolkit/rounding.h"

#include <QFontMetrics>
#include <cmath>
#include <numbers>

TiAngularGauge::TiAngularGauge(QWidget *parent)
    : TiGaugeComponent(parent)
{
    resize(150, 150);
    setTickLabelMargin(15);
    CreateBackGroundPicture();
}

TiAngularGauge::~TiAngularGauge() = default;

TiDialGeometry TiAngularGauge::Geometry(TiTextMeasurer measurer)
{
    TiDialGeometry g;
    g.Width = width();
    g.Height = height();
    g.OffsetX = OffsetX();
    g.OffsetY = OffsetY();
    g.PositionMin = PositionMin();
    g.PositionMax = PositionMax();
    g.ArcRadius = arcRadius_;
    g.ArcRangeDegrees = arcRangeDegrees_;
    g.ArcStartDegrees = arcStartDegrees_;
    g.ReverseScale = reverseScale_;
    g.TickMargin = TickMargin();
    g.TickMajorLength = TickMajorLength();
    g.TickMinorLength = TickMinorLength();
    g.TickLabelMargin = TickLabelMargin();
    g.TickMajorCount = TickMajorCount();
    g.HubSize = hubSize_;
    g.AutoCenter = autoCenter_;
    g.AutoSize = autoSize_;
    g.OuterMargin = outerMargin_;
    g.TickLabelAlignment = tickLabelAlignment_;
    g.TickValue = [this](int i) { return GetTickValue(i); };
    g.TickLabelText = [this](int i) { return GetTickLabelText(i); };
    if (measurer) {
        g.Measure = std::move(measurer);
    } else {
        g.Measure = [this](const QString &text) { return measureTickLabel(text); };
    }
    return g;
}

// The same measure as the canvas's text extent in the tick label font.
QSize TiAngularGauge::measureTickLabel(const QString &text)
{
    const QFont &font = TickLabelFont().Font;
    if (!labelMetrics_ || !(labelMetricsFont_ == font)) {
        labelMetrics_.emplace(font);
        labelMetricsFont_ = font;
        labelSizes_.clear();
    }
    const auto known = labelSizes_.constFind(text);
    if (known != labelSizes_.cend()) return *known;
    const QSize size(labelMetrics_->horizontalAdvance(text), labelMetrics_->height());
    if (labelSizes_.size() >= 256) labelSizes_.clear();  // customised labels may vary without end
    labelSizes_.insert(text, size);
    return size;
}

double TiAngularGauge::PositionToDegrees(double value)
{
    return ::PositionToDegrees(Geometry(), value);
}

QPoint TiAngularGauge::GetCenterPoint(Canvas &)
{
    TiDialGeometry g = Geometry();
    if (autoSize_) g.ArcRadius = AutoSizeRadius(g);
    return DialCenterPoint(g);
}

void TiAngularGauge::PaintContents(Canvas &canvas)
{
    TiDialGeometry g = Geometry();
    if (autoSize_) {
        // Stored without a repaint request: the paint that asks is under way.
        arcRadius_ = AutoSizeRadius(g);
        g.ArcRadius = arcRadius_;
    }
    const QPoint center = DialCenterPoint(g);
    lastCenter_ = center;
    if (CachedDrawing()) {
        QImage &cache = GetBackgroundCache();
        // A cache made anew at another size holds nothing of ours yet.
        if (BackgroundChanged() || cache.size() != cacheDrawnSize_) {
            Canvas layer(cache);
            layer.setBrushStyle(BrushStyle::Solid);
            drawBackgroundLayer(layer, g, center);
            ClearBackgroundChanged();
            cacheDrawnSize_ = cache.size();
        }
        DrawBackgroundCache(canvas);
    } else {
        drawBackgroundLayer(canvas, g, center);
    }
    drawDynamicLayer(canvas, g, center);
}

void TiAngularGauge::drawBackgroundLayer(Canvas &canvas, const TiDialGeometry &g, QPoint center)
{
    PaintBackground(canvas, BackGroundColor());
    DrawPanelFace(canvas);
    DrawSections(canvas, g, center);
    DrawArcs(canvas, g, center);
    DrawTicks(canvas, g, center);
}

void TiAngularGauge::drawDynamicLayer(Canvas &canvas, const TiDialGeometry &g, QPoint center)
{
    DrawLabels(canvas, center);
    DrawMinMaxPointers(canvas, g, center);
    for (int i = 0; i < Pointers().Count(); ++i) {
        const TiGaugePointer *p = Pointers().Items(i);
        DrawPointer(canvas, g, center, p->Position(), p->Style(), p->Size(), p->Margin(), p->Color(), false, nullptr);
    }
    DrawHub(canvas, center);
}

void TiAngularGauge::DrawPanelFace(Canvas &canvas)
{
    if (panelFaceStyle_ == ipfsNone) return;
    const int w = width(), h = height();
    canvas.setBrushColor(panelFaceOuterColor_);
    canvas.setPenColor(clWhite);
    canvas.roundRect(TRect{0, 0, w, h}, w / 8, h / 8);
    canvas.setBrushColor(panelFaceInnerColor_);
    canvas.setPenColor(panelFaceInnerColor_);
    canvas.ellipse(TRect{panelFaceSize_, panelFaceSize_, saturate((long long)w - panelFaceSize_),
                         saturate((long long)h - panelFaceSize_)});
}

void TiAngularGauge::DrawArcBand(Canvas &canvas, double r1, double r2, TColor color, QPoint center, double a1,
                                 double a2)
{
    canvas.setPenColor(color);
    canvas.setBrushColor(color);
    const std::vector<QPoint> points = ArcBandPoints(center, r1, r2, a1, a2);
    if (r1 == r2)
        canvas.polyline(points.data(), int(points.size()));
    else
        canvas.polygon(points.data(), int(points.size()));
}

void TiAngularGauge::DrawSections(Canvas &canvas, const TiDialGeometry &g, QPoint center)
{
    const double r1 = double(g.ArcRadius) + g.TickMargin + (showInnerArcRadius_ ? 1 : 0);
    const double r2 = double(g.ArcRadius) + g.TickMargin + g.TickMajorLength - (showOuterArcRadius_ ? 1 : 0);
    for (const TiSectionSpan &span : GetSectionSpans())
        DrawArcBand(canvas, r1, r2, span.Color, center, ::PositionToDegrees(g, span.Start),
                    ::PositionToDegrees(g, span.End));
}

void TiAngularGauge::DrawArcs(Canvas &canvas, const TiDialGeometry &g, QPoint center)
{
    const double a1 = ::PositionToDegrees(g, g.PositionMin), a2 = ::PositionToDegrees(g, g.PositionMax);
    const double inner = double(g.ArcRadius) + g.TickMargin;
    if (showInnerArcRadius_) DrawArcBand(canvas, inner, inner, TickMajorColor(), center, a1, a2);
    const double outer = inner + g.TickMajorLength;
    if (showOuterArcRadius_) DrawArcBand(canvas, outer, outer, TickMajorColor(), center, a1, a2);
}

void TiAngularGauge::DrawTicks(Canvas &canvas, const TiDialGeometry &g, QPoint center)
{
    canvas.setBrushStyle(BrushStyle::Clear);
    // Whole pixels, added up as reals so that no setting can overflow them.
    const double rin = double(g.ArcRadius) + g.TickMargin;
    const double rout = rin + g.TickMajorLength;
    const double minorLength = g.TickMinorLength;
    double ms = rin, me = rin + minorLength;
    if (TickMinorAlignment() == itmnaCenter) {
        ms = (rin + rout) / 2 - minorLength / 2;
        me = (rin + rout) / 2 + minorLength / 2;
    } else if (TickMinorAlignment() == itmnaOutside) {
        ms = rout;
        me = rout - minorLength;
    }
    const double lo = TickRangeLo(), hi = TickRangeHi();
    const int count = g.TickMajorCount;
    const double step = (hi - lo) / (count - 1);
    const double minorStep = step / (TickMinorCount() + 1);
    auto tick = [&](double value, double from, double to) {
        const double a = ::PositionToDegrees(g, value);
        const QPoint outer = PolarPoint(center, from, a), inner = PolarPoint(center, to, a);
        canvas.moveTo(outer.x(), outer.y());
        canvas.lineTo(inner.x(), inner.y());
    };

    for (int i = 0; i < count; ++i) {
        const double v = i * step + lo;
        if (ShowTicksMajor()) {
            canvas.setPenColor(TickMajorColor());
            tick(v, rout, rin);
        }
        if (ShowTickLabels()) {
            canvas.setFont(TickLabelFont().Font, TickLabelFont().Color);
            canvas.textCentered(TickLabelRect(g, i, center), g.TickLabelText(i));
        }
        if (ShowTicksMinor() && i < count - 1) {
            canvas.setPenColor(TickMinorColor());
            for (int k = 1; k <= TickMinorCount(); ++k) tick(i * step + lo + k * minorStep, me, ms);
        }
    }

    // Ticks rounded inside a fixed range leave room at its ends, which
    // minor ticks of the same spacing fill. The count is bounded in case
    // the spacing is vanishingly small against the range.
    if (TickRangeIsOwn() && ShowTicksMinor() && minorStep > 0 && std::isfinite(minorStep)) {
        constexpr int kMaxExtra = 10000;
        canvas.setPenColor(TickMinorColor());
        for (int k = 1; k <= kMaxExtra && hi + k * minorStep <= PositionMax(); ++k) tick(hi + k * minorStep, me, ms);
        for (int k = 1; k <= kMaxExtra && lo - k * minorStep >= PositionMin(); ++k) tick(lo - k * minorStep, me, ms);
    }
}

void TiAngularGauge::DrawLabels(Canvas &canvas, QPoint center)
{
    auto draw = [&](const QString &text, const TiFont &font, TiAlignmentVertical av, TiAlignmentHorizontal ah,
                    int offsetX, int offsetY) {
        canvas.setFont(font.Font, font.Color);
        canvas.setBrushStyle(BrushStyle::Clear);
        // An empty label leaves no pixel; measuring it would still set up
        // its font.
        if (text.isEmpty()) return;
        const QSize size = canvas.textExtent(text);
        long long y = offsetY;
        if (av == iavCenter) y = center.y() + (long long)offsetY - size.height() / 2;
        else if (av == iavBottom) y = (long long)offsetY + height() - size.height();
        long long x = offsetX;
        if (ah == iahCenter) x = center.x() + (long long)offsetX - size.width() / 2;
        else if (ah == iahRight) x = (long long)offsetX + width() - size.width();
        // A label placed well off the widget (as the bench's is) leaves no
        // pixel; skipping it spares the text shaping. The margin of one text
        // height allows for glyphs reaching past their box.
        const long long m = size.height();
        if (x >= canvas.width() + m || y >= canvas.height() + m || x + size.width() <= -m || y + size.height() <= -m)
            return;
        canvas.textOut(int(x), int(y), text);
    };
    if (showLabel1_)
        draw(label1Text_, label1Font_, label1AlignVertical_, label1AlignHorizontal_, label1OffsetX_, label1OffsetY_);
    if (showLabel2_)
        draw(label2Text_, label2Font_, label2AlignVertical_, label2AlignHorizontal_, label2OffsetX_, label2OffsetY_);
}

void TiAngularGauge::DrawMinMaxPointers(Canvas &canvas, const TiDialGeometry &g, QPoint center)
{
    if (ShowMaxPointer())
        DrawPointer(canvas, g, center, CurrentMax(), minMaxPointerStyle_, MinMaxPointerSize(), MinMaxPointerMargin(),
                    MaxPointerColor(), false, &maxPointerRect_);
    if (ShowMinPointer())
        DrawPointer(canvas, g, center, CurrentMin(), minMaxPointerStyle_, MinMaxPointerSize(), MinMaxPointerMargin(),
                    MinPointerColor(), false, &minPointerRect_);
}

void TiAngularGauge::DrawPointer(Canvas &canvas, const TiDialGeometry &g, QPoint center, double value, int style,
                                 int size, int margin, TColor color, bool outward, TRect *hitRect)
{
    const TiPointerShape shape = PointerShape(g, center, value, style, size, margin, outward);
    canvas.setBrushColor(color);
    canvas.setPenColor(color);
    if (shape.HasLine) {
        canvas.moveTo(shape.LineFrom.x(), shape.LineFrom.y());
        canvas.lineTo(shape.LineTo.x(), shape.LineTo.y());
    }
    if (shape.HasTriangle) canvas.polygon(shape.Triangle, 3);
    if (hitRect) *hitRect = shape.HitRect;
}

void TiAngularGauge::DrawHub(Canvas &canvas, QPoint center)
{
    if (!showHub_) return;
    canvas.setPenColor(hubColor_);
    canvas.setBrushColor(hubColor_);
    canvas.ellipse(HubRect(center, hubSize_));
}

// The direction of a point seen from the last pivot, in screen degrees
// (y down, so the negative of the dial's own angles).
double TiAngularGauge::screenAngle(int x, int y) const
{
    return std::atan2(double(y - lastCenter_.y()), double(x - lastCenter_.x())) * 180.0 / std::numbers::pi;
}

void TiAngularGauge::MouseDownHook(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y)
{
    if (!MinMaxUserCanMove() || button != Qt::LeftButton) return;
    const QPoint p(x, y);
    if (ShowMinPointer() && minPointerRect_.contains(p)) {
        draggingMin_ = true;
        dragAngle_ = screenAngle(x, y);
    } else if (ShowMaxPointer() && maxPointerRect_.contains(p)) {
        draggingMax_ = true;
        dragAngle_ = screenAngle(x, y);
    }
    InvalidateContents();
}

void TiAngularGauge::MouseMoveHook(Qt::KeyboardModifiers, int x, int y)
{
    if (!draggingMin_ && !draggingMax_) return;
    // A scale without extent gives the drag nothing to turn.
    if (arcRangeDegrees_ == 0) return;
    double d = screenAngle(x, y);
    if (-d > arcStartDegrees_) d = -arcStartDegrees_;
    double delta = dragAngle_ - d;
    if (delta > 200) delta -= 360;
    if (delta < -200) delta += 360;
    dragAngle_ = d;
    const double change = delta / arcRangeDegrees_ * (PositionMax() - PositionMin());
    if (draggingMax_) {
        SetCurrentMax(reverseScale_ ? CurrentMax() + change : CurrentMax() - change);
        if (CurrentMin() > CurrentMax()) SetCurrentMin(CurrentMax());
    } else {
        SetCurrentMin(reverseScale_ ? CurrentMin() + change : CurrentMin() - change);
        if (CurrentMax() < CurrentMin()) SetCurrentMax(CurrentMin());
    }
}

void TiAngularGauge::MouseUpHook(Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    draggingMin_ = false;
    draggingMax_ = false;
}
