#include "widgets/iAngularGauge.h"

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
    TiDialGeometry g;
    g.PositionMin = PositionMin();
    g.PositionMax = PositionMax();
    g.ArcRangeDegrees = arcRangeDegrees_;
    g.ArcStartDegrees = arcStartDegrees_;
    g.ReverseScale = reverseScale_;
    return ::PositionToDegrees(g, value);
}

QPoint TiAngularGauge::GetCenterPoint(Canvas &canvas)
{
    canvas.setFont(TickLabelFont().Font, TickLabelFont().Color);
    lastCenter_ = DialCenterPoint(Geometry());
    return lastCenter_;
}

void TiAngularGauge::CalcAutoSizeRadius(Canvas &canvas)
{
    canvas.setFont(TickLabelFont().Font, TickLabelFont().Color);
    // Stored without a repaint request: the paint that asks is under way.
    arcRadius_ = AutoSizeRadius(Geometry());
}

TRect TiAngularGauge::GetTickLabelRect(Canvas &canvas, int index, QPoint center)
{
    canvas.setFont(TickLabelFont().Font, TickLabelFont().Color);
    return TickLabelRect(Geometry(), index, center);
}

void TiAngularGauge::PaintContents(Canvas &canvas)
{
    if (autoSize_) CalcAutoSizeRadius(canvas);
    const QPoint center = GetCenterPoint(canvas);
    if (CachedDrawing()) {
        QImage &cache = GetBackgroundCache();
        // A cache made anew at another size holds nothing of ours yet.
        if (BackgroundChanged() || cache.size() != cacheDrawnSize_) {
            Canvas layer(cache);
            layer.setBrushStyle(BrushStyle::Solid);
            drawBackgroundLayer(layer, center);
            ClearBackgroundChanged();
            cacheDrawnSize_ = cache.size();
        }
        DrawBackgroundCache(canvas);
    } else {
        drawBackgroundLayer(canvas, center);
    }
    drawDynamicLayer(canvas, center);
}

void TiAngularGauge::drawBackgroundLayer(Canvas &canvas, QPoint center)
{
    ++backgroundLayerDraws_;
    PaintBackground(canvas, BackGroundColor());
    DrawPanelFace(canvas);
    DrawSections(canvas, center);
    DrawArcs(canvas, center);
    DrawTicks(canvas, center);
}

void TiAngularGauge::drawDynamicLayer(Canvas &canvas, QPoint center)
{
    DrawLabels(canvas, center);
    DrawMinMaxPointers(canvas, center);
    for (int i = 0; i < Pointers().Count(); ++i) {
        const TiGaugePointer *p = Pointers().Items(i);
        DrawPointer(canvas, center, p->Position(), p->Style(), p->Size(), p->Margin(), p->Color(), false, nullptr);
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
    canvas.ellipse(TRect{panelFaceSize_, panelFaceSize_, w - panelFaceSize_, h - panelFaceSize_});
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

void TiAngularGauge::DrawSections(Canvas &canvas, QPoint center)
{
    const double r1 = double(arcRadius_) + TickMargin() + (showInnerArcRadius_ ? 1 : 0);
    const double r2 = double(arcRadius_) + TickMargin() + TickMajorLength() - (showOuterArcRadius_ ? 1 : 0);
    for (const TiSectionSpan &span : GetSectionSpans())
        DrawArcBand(canvas, r1, r2, span.Color, center, PositionToDegrees(span.Start), PositionToDegrees(span.End));
}

void TiAngularGauge::DrawArcs(Canvas &canvas, QPoint center)
{
    const double a1 = PositionToDegrees(PositionMin()), a2 = PositionToDegrees(PositionMax());
    const double inner = double(arcRadius_) + TickMargin();
    if (showInnerArcRadius_) DrawArcBand(canvas, inner, inner, TickMajorColor(), center, a1, a2);
    const double outer = inner + TickMajorLength();
    if (showOuterArcRadius_) DrawArcBand(canvas, outer, outer, TickMajorColor(), center, a1, a2);
}

void TiAngularGauge::DrawTicks(Canvas &canvas, QPoint center)
{
    canvas.setBrushStyle(BrushStyle::Clear);
    const int rin = arcRadius_ + TickMargin();
    const int rout = rin + TickMajorLength();
    const double minorLength = TickMinorLength();
    double ms = rin, me = rin + minorLength;
    if (TickMinorAlignment() == itmnaCenter) {
        ms = (rin + rout) / 2.0 - minorLength / 2;
        me = (rin + rout) / 2.0 + minorLength / 2;
    } else if (TickMinorAlignment() == itmnaOutside) {
        ms = rout;
        me = rout - minorLength;
    }
    const double lo = TickRangeLo(), hi = TickRangeHi();
    const int count = TickMajorCount();
    const double step = (hi - lo) / (count - 1);
    const double minorStep = step / (TickMinorCount() + 1);
    auto minorTick = [&](double w) {
        const double a = PositionToDegrees(w);
        const QPoint from = PolarPoint(center, me, a), to = PolarPoint(center, ms, a);
        canvas.moveTo(from.x(), from.y());
        canvas.lineTo(to.x(), to.y());
    };

    for (int i = 0; i < count; ++i) {
        const double v = i * step + lo;
        if (ShowTicksMajor()) {
            canvas.setPenColor(TickMajorColor());
            const double a = PositionToDegrees(v);
            const QPoint from = PolarPoint(center, rout, a), to = PolarPoint(center, rin, a);
            canvas.moveTo(from.x(), from.y());
            canvas.lineTo(to.x(), to.y());
        }
        if (ShowTickLabels()) {
            canvas.setFont(TickLabelFont().Font, TickLabelFont().Color);
            const QString text = GetTickLabelText(i);
            canvas.textCentered(GetTickLabelRect(canvas, i, center), text);
        }
        if (ShowTicksMinor() && i < count - 1) {
            canvas.setPenColor(TickMinorColor());
            for (int k = 1; k <= TickMinorCount(); ++k) minorTick(i * step + lo + k * minorStep);
        }
    }

    // Ticks rounded inside a fixed range leave room at its ends, which
    // minor ticks of the same spacing fill. The count is bounded in case
    // the spacing is vanishingly small against the range.
    if (TickRangeIsOwn() && ShowTicksMinor() && minorStep > 0 && std::isfinite(minorStep)) {
        constexpr int kMaxExtra = 10000;
        canvas.setPenColor(TickMinorColor());
        for (int k = 1; k <= kMaxExtra && hi + k * minorStep <= PositionMax(); ++k) minorTick(hi + k * minorStep);
        for (int k = 1; k <= kMaxExtra && lo - k * minorStep >= PositionMin(); ++k) minorTick(lo - k * minorStep);
    }
}

void TiAngularGauge::DrawLabels(Canvas &canvas, QPoint center)
{
    auto draw = [&](const QString &text, const TiFont &font, TiAlignmentVertical av, TiAlignmentHorizontal ah,
                    int offsetX, int offsetY) {
        canvas.setFont(font.Font, font.Color);
        canvas.setBrushStyle(BrushStyle::Clear);
        const QSize size = canvas.textExtent(text);
        int y = offsetY;
        if (av == iavCenter) y = center.y() + offsetY - size.height() / 2;
        else if (av == iavBottom) y = offsetY + height() - size.height();
        int x = offsetX;
        if (ah == iahCenter) x = center.x() + offsetX - size.width() / 2;
        else if (ah == iahRight) x = offsetX + width() - size.width();
        // A label placed well off the widget (as the bench's is) leaves no
        // pixel; skipping it spares the text shaping. The margin of one text
        // height allows for glyphs reaching past their box.
        const int m = size.height();
        if (x >= canvas.width() + m || y >= canvas.height() + m || x + size.width() <= -m || y + size.height() <= -m)
            return;
        canvas.textOut(x, y, text);
    };
    if (showLabel1_)
        draw(label1Text_, label1Font_, label1AlignVertical_, label1AlignHorizontal_, label1OffsetX_, label1OffsetY_);
    if (showLabel2_)
        draw(label2Text_, label2Font_, label2AlignVertical_, label2AlignHorizontal_, label2OffsetX_, label2OffsetY_);
}

void TiAngularGauge::DrawMinMaxPointers(Canvas &canvas, QPoint center)
{
    if (ShowMaxPointer())
        DrawPointer(canvas, center, CurrentMax(), minMaxPointerStyle_, MinMaxPointerSize(), MinMaxPointerMargin(),
                    MaxPointerColor(), false, &maxPointerRect_);
    if (ShowMinPointer())
        DrawPointer(canvas, center, CurrentMin(), minMaxPointerStyle_, MinMaxPointerSize(), MinMaxPointerMargin(),
                    MinPointerColor(), false, &minPointerRect_);
}

void TiAngularGauge::DrawPointer(Canvas &canvas, QPoint center, double value, int style, int size, int margin,
                                 TColor color, bool outward, TRect *hitRect)
{
    TiDialGeometry g;
    g.PositionMin = PositionMin();
    g.PositionMax = PositionMax();
    g.ArcRadius = arcRadius_;
    g.ArcRangeDegrees = arcRangeDegrees_;
    g.ArcStartDegrees = arcStartDegrees_;
    g.ReverseScale = reverseScale_;
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

void LoadBenchDial(TiAngularGauge &dial)
{
    dial.BeginLoading();
    dial.SetBounds(dial.x(), dial.y(), 201, 161);
    dial.setBackGroundColor(clGray);
    dial.setBorderStyle(ibsRaised);
    dial.setPositionMax(100);
    dial.setCurrentMax(10);
    dial.setMaxPointerColor(clBlue);
    dial.setTickMajorCount(11);
    dial.setTickMinorAlignment(itmnaCenter);
    dial.setTickMargin(10);
    dial.setTickLabelMargin(10);
    dial.setTickLabelFont(MakeFont(QStringLiteral("MS Sans Serif"), 11, clWhite));
    dial.setSectionEnd1(50);
    dial.setSectionEnd2(75);
    dial.setLabel1Text(QStringLiteral("U"));
    dial.setLabel1Font(MakeFont(QStringLiteral("Times New Roman"), 21, clWindowText, true));
    dial.setLabel2Text(QString());
    dial.setHubSize(5);
    dial.setHubColor(clWhite);
    dial.setShowInnerArcRadius(true);
    dial.setShowLabel1(true);
    dial.setShowLabel2(true);
    dial.setAutoCenter(true);
    dial.setAutoSize(true);
    dial.setOuterMargin(5);
    dial.setPanelFaceStyle(ipfsNone);

    TiGaugeStoredEntries entries;
    entries.PositionMax_2 = 100;
    entries.SectionEnd1_2 = 50;
    entries.SectionEnd2_2 = 75;
    TiStoredPointer pointer;
    pointer.Size = 10;
    pointer.Margin = 10;
    pointer.Color = clBlack;
    pointer.Style = iagpsArrowLine;
    entries.Pointers = std::vector<TiStoredPointer>{pointer};
    dial.ReadStoredEntries(entries);
    dial.EndLoading();
}
