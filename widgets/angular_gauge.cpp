// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/angular_gauge.h"

#include "toolkit/rounding.h"
#include "toolkit/vector_state.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <cmath>
#include <numbers>

AngularGauge::AngularGauge(QWidget *parent)
    : GaugeInstrument(parent), label1_(new DialLabel(-15, -35, this)), label2_(new DialLabel(-15, -20, this))
{
    // The labels are drawn at every paint, over the background layer.
    connect(label1_, &DialLabel::changed, this, &AngularGauge::invalidateBackground);
    connect(label2_, &DialLabel::changed, this, &AngularGauge::invalidateBackground);
    resize(150, 150);
    scale()->setTickLabelMargin(15);
    createBackgroundPicture();
}

AngularGauge::~AngularGauge() = default;

void AngularGauge::setPointerMargin(int v)
{
    if (GaugePointer *p = firstPointer()) p->setMargin(v);
}

void AngularGauge::setPointerColor(TColor v)
{
    if (GaugePointer *p = firstPointer()) p->setColor(v);
}

void AngularGauge::setPointerSize(int v)
{
    if (GaugePointer *p = firstPointer()) p->setSize(v);
}

void AngularGauge::setPointerStyle(GaugePointer::Style v)
{
    if (GaugePointer *p = firstPointer()) p->setStyle(v);
}

DialGeometry AngularGauge::dialGeometry(TextMeasurer measure) const
{
    if (!measure) measure = [this](const QString &text) { return measureTickLabel(text); };
    return DialGeometry(*this, std::move(measure));
}

// The same measure as the canvas's text extent in the tick label font.
QSize AngularGauge::measureTickLabel(const QString &text) const
{
    const QFont &font = scale()->tickLabelFont().font;
    if (!labelMetrics_ || !(labelMetricsFont_ == font)) {
        labelMetrics_.emplace(font);
        labelMetricsFont_ = font;
        labelSizes_.clear();
    }
    QSize size;
    if (const auto known = labelSizes_.constFind(text); known != labelSizes_.cend()) {
        size = *known;
    } else {
        size = QSize(labelMetrics_->horizontalAdvance(text), labelMetrics_->height());
        if (labelSizes_.size() >= 256) labelSizes_.clear();  // customised labels may vary without end
        labelSizes_.insert(text, size);
    }
    // Qt's string hash can leave the AVX upper halves in use, and the dial's
    // angle arithmetic follows (toolkit/vector_state.h).
    settleVectorState();
    return size;
}

double AngularGauge::positionToDegrees(double value) const
{
    return dialGeometry().positionToDegrees(value);
}

QPoint AngularGauge::centerPoint() const
{
    DialGeometry g = dialGeometry();
    if (autoSize_) g.setArcRadius(g.autoSizeRadius());
    return g.centerPoint();
}

QSize AngularGauge::minimumSizeHint() const
{
    const GaugeScale &s = *scale();
    const QSize label = measureTickLabel(tickLabelText(s.tickMajorCount() - 1));
    const int band = s.tickMargin() + s.tickMajorLength() + s.tickLabelMargin() + 4;
    const int side = 2 * band + hubSize_ + 2 * qMax(label.width(), label.height());
    return QSize(side, side);
}

void AngularGauge::paintContents(Canvas &canvas)
{
    DialGeometry g = dialGeometry();
    if (autoSize_) {
        scale()->adoptArcRadius(g.autoSizeRadius());
        g.setArcRadius(scale()->arcRadius());
    }
    const QPoint center = g.centerPoint();
    lastCenter_ = center;
    if (cachedDrawing()) {
        QImage &cache = backgroundCache();
        // A cache made anew at another size holds nothing of ours yet.
        if (backgroundStale() || cache.size() != cacheDrawnSize_) {
            Canvas layer(cache);
            layer.setBrushStyle(BrushStyle::Solid);
            drawBackgroundLayer(layer, g, center);
            clearBackgroundStale();
            cacheDrawnSize_ = cache.size();
        }
        drawBackgroundCache(canvas);
    } else {
        drawBackgroundLayer(canvas, g, center);
    }
    drawDynamicLayer(canvas, g, center);
}

void AngularGauge::drawBackgroundLayer(Canvas &canvas, const DialGeometry &g, QPoint center)
{
    paintBackground(canvas, backgroundColor());
    drawPanelFace(canvas);
    drawSections(canvas, g, center);
    drawArcs(canvas, g, center);
    drawTicks(canvas, g, center);
}

void AngularGauge::drawDynamicLayer(Canvas &canvas, const DialGeometry &g, QPoint center)
{
    drawLabel(canvas, *label1_, center);
    drawLabel(canvas, *label2_, center);
    drawMinMaxPointers(canvas, g, center);
    for (int i = 0; i < pointers().count(); ++i) {
        const GaugePointer *p = pointers().at(i);
        drawPointer(canvas, g, center, p->position(), p->style(), p->size(), p->margin(), p->color(), false, nullptr);
    }
    drawHub(canvas, center);
}

void AngularGauge::drawPanelFace(Canvas &canvas)
{
    if (panelFaceStyle_ == PanelFaceStyle::None) return;
    const int w = width(), h = height();
    canvas.setBrushColor(panelFaceOuterColor_);
    canvas.setPenColor(clWhite);
    canvas.roundRect(TRect{0, 0, w, h}, w / 8, h / 8);
    canvas.setBrushColor(panelFaceInnerColor_);
    canvas.setPenColor(panelFaceInnerColor_);
    canvas.ellipse(TRect{panelFaceSize_, panelFaceSize_, saturate((long long)w - panelFaceSize_),
                         saturate((long long)h - panelFaceSize_)});
}

void AngularGauge::drawArcBand(Canvas &canvas, double r1, double r2, TColor color, QPoint center, double a1, double a2)
{
    canvas.setPenColor(color);
    canvas.setBrushColor(color);
    const std::vector<QPoint> points = arcBandPoints(center, r1, r2, a1, a2);
    if (r1 == r2)
        canvas.polyline(points.data(), int(points.size()));
    else
        canvas.polygon(points.data(), int(points.size()));
}

void AngularGauge::drawSections(Canvas &canvas, const DialGeometry &g, QPoint center)
{
    const GaugeScale &s = *scale();
    const double r1 = double(g.arcRadius()) + s.tickMargin() + (s.showInnerArcRadius() ? 1 : 0);
    const double r2 = double(g.arcRadius()) + s.tickMargin() + s.tickMajorLength() - (s.showOuterArcRadius() ? 1 : 0);
    for (const SectionSpan &span : sectionSpans())
        drawArcBand(canvas, r1, r2, span.color, center, g.positionToDegrees(span.start), g.positionToDegrees(span.end));
}

void AngularGauge::drawArcs(Canvas &canvas, const DialGeometry &g, QPoint center)
{
    const GaugeScale &s = *scale();
    const double a1 = g.positionToDegrees(positionMin()), a2 = g.positionToDegrees(positionMax());
    const double inner = double(g.arcRadius()) + s.tickMargin();
    if (s.showInnerArcRadius()) drawArcBand(canvas, inner, inner, s.tickMajorColor(), center, a1, a2);
    const double outer = inner + s.tickMajorLength();
    if (s.showOuterArcRadius()) drawArcBand(canvas, outer, outer, s.tickMajorColor(), center, a1, a2);
}

void AngularGauge::drawTicks(Canvas &canvas, const DialGeometry &g, QPoint center)
{
    const GaugeScale &s = *scale();
    canvas.setBrushStyle(BrushStyle::Clear);
    // Whole pixels, added up as reals so that no setting can overflow them.
    const double rin = double(g.arcRadius()) + s.tickMargin();
    const double rout = rin + s.tickMajorLength();
    const double minorLength = s.tickMinorLength();
    double ms = rin, me = rin + minorLength;
    if (s.tickMinorAlignment() == GaugeScale::TickMinorAlignment::Center) {
        ms = (rin + rout) / 2 - minorLength / 2;
        me = (rin + rout) / 2 + minorLength / 2;
    } else if (s.tickMinorAlignment() == GaugeScale::TickMinorAlignment::Outside) {
        ms = rout;
        me = rout - minorLength;
    }
    const double lo = tickRangeLow(), hi = tickRangeHigh();
    const int count = s.tickMajorCount();
    const double step = (hi - lo) / (count - 1);
    const double minorStep = step / (s.tickMinorCount() + 1);
    auto tick = [&](double value, double from, double to) {
        const double a = g.positionToDegrees(value);
        const QPoint outer = polarPoint(center, from, a), inner = polarPoint(center, to, a);
        canvas.moveTo(outer.x(), outer.y());
        canvas.lineTo(inner.x(), inner.y());
    };

    for (int i = 0; i < count; ++i) {
        const double v = i * step + lo;
        if (s.showTicksMajor()) {
            canvas.setPenColor(s.tickMajorColor());
            tick(v, rout, rin);
        }
        if (s.showTickLabels()) {
            canvas.setFont(s.tickLabelFont().font, s.tickLabelFont().color);
            canvas.textCentered(g.tickLabelRect(i, center), tickLabelText(i));
        }
        if (s.showTicksMinor() && i < count - 1) {
            canvas.setPenColor(s.tickMinorColor());
            for (int k = 1; k <= s.tickMinorCount(); ++k) tick(i * step + lo + k * minorStep, me, ms);
        }
    }

    // Ticks rounded inside a fixed range leave room at its ends, which
    // minor ticks of the same spacing fill. The count is bounded in case
    // the spacing is vanishingly small against the range.
    if (hasOwnTickRange() && s.showTicksMinor() && minorStep > 0 && std::isfinite(minorStep)) {
        constexpr int kMaxExtra = 10000;
        canvas.setPenColor(s.tickMinorColor());
        for (int k = 1; k <= kMaxExtra && hi + k * minorStep <= positionMax(); ++k) tick(hi + k * minorStep, me, ms);
        for (int k = 1; k <= kMaxExtra && lo - k * minorStep >= positionMin(); ++k) tick(lo - k * minorStep, me, ms);
    }
}

void AngularGauge::drawLabel(Canvas &canvas, const DialLabel &label, QPoint center)
{
    if (!label.isVisible()) return;
    canvas.setFont(label.font().font, label.font().color);
    canvas.setBrushStyle(BrushStyle::Clear);
    // An empty label leaves no pixel; measuring it would still set up its
    // font.
    const QString text = label.text();
    if (text.isEmpty()) return;
    const QSize size = canvas.textExtent(text);
    using V = DialLabel::VerticalAlignment;
    using H = DialLabel::HorizontalAlignment;
    long long y = label.offsetY();
    if (label.alignVertical() == V::Center)
        y = center.y() + (long long)label.offsetY() - size.height() / 2;
    else if (label.alignVertical() == V::Bottom)
        y = (long long)label.offsetY() + height() - size.height();
    long long x = label.offsetX();
    if (label.alignHorizontal() == H::Center)
        x = center.x() + (long long)label.offsetX() - size.width() / 2;
    else if (label.alignHorizontal() == H::Right)
        x = (long long)label.offsetX() + width() - size.width();
    // A label placed well off the widget (as the bench's is) leaves no pixel;
    // skipping it spares the text shaping. The margin of one text height
    // allows for glyphs reaching past their box.
    const long long m = size.height();
    if (x >= canvas.width() + m || y >= canvas.height() + m || x + size.width() <= -m || y + size.height() <= -m)
        return;
    canvas.textOut(int(x), int(y), text);
}

void AngularGauge::drawMinMaxPointers(Canvas &canvas, const DialGeometry &g, QPoint center)
{
    if (showMaxPointer())
        drawPointer(canvas, g, center, currentMax(), minMaxPointerStyle_, minMaxPointerSize(), minMaxPointerMargin(),
                    maxPointerColor(), false, &maxPointerRect_);
    if (showMinPointer())
        drawPointer(canvas, g, center, currentMin(), minMaxPointerStyle_, minMaxPointerSize(), minMaxPointerMargin(),
                    minPointerColor(), false, &minPointerRect_);
}

void AngularGauge::drawPointer(Canvas &canvas, const DialGeometry &g, QPoint center, double value,
                               GaugePointer::Style style, int size, int margin, TColor color, bool outward,
                               TRect *hitRect)
{
    const PointerShape shape = g.pointerShape(center, value, style, size, margin, outward);
    canvas.setBrushColor(color);
    canvas.setPenColor(color);
    if (shape.hasLine) {
        canvas.moveTo(shape.lineFrom.x(), shape.lineFrom.y());
        canvas.lineTo(shape.lineTo.x(), shape.lineTo.y());
    }
    if (shape.hasTriangle) canvas.polygon(shape.triangle, 3);
    if (hitRect) *hitRect = shape.hitRect;
}

void AngularGauge::drawHub(Canvas &canvas, QPoint center)
{
    if (!showHub_) return;
    canvas.setPenColor(hubColor_);
    canvas.setBrushColor(hubColor_);
    canvas.ellipse(hubRect(center, hubSize_));
}

// The direction of a point seen from the last pivot, in screen degrees
// (y down, so the negative of the dial's own angles).
double AngularGauge::screenAngle(QPoint p) const
{
    return std::atan2(double(p.y() - lastCenter_.y()), double(p.x() - lastCenter_.x())) * 180.0 / std::numbers::pi;
}

// The peak pointers can be dragged round the scale when the user may move
// them: a press on one's arrow takes it, moves turn it, the release (or the
// loss of the focus) lets it go.
void AngularGauge::startDrag(QPoint p)
{
    if (showMinPointer() && minPointerRect_.contains(p)) {
        draggingMin_ = true;
        dragAngle_ = screenAngle(p);
    } else if (showMaxPointer() && maxPointerRect_.contains(p)) {
        draggingMax_ = true;
        dragAngle_ = screenAngle(p);
    }
    invalidateContents();
}

void AngularGauge::drag(QPoint p)
{
    const GaugeScale &s = *scale();
    // A scale without extent gives the drag nothing to turn.
    if (s.arcRangeDegrees() == 0) return;
    double d = screenAngle(p);
    if (-d > s.arcStartDegrees()) d = -s.arcStartDegrees();
    double delta = dragAngle_ - d;
    if (delta > 200) delta -= 360;
    if (delta < -200) delta += 360;
    dragAngle_ = d;
    const double change = delta / s.arcRangeDegrees() * (positionMax() - positionMin());
    if (draggingMax_) {
        setCurrentMax(s.reverseScale() ? currentMax() + change : currentMax() - change);
        if (currentMin() > currentMax()) setCurrentMin(currentMax());
    } else {
        setCurrentMin(s.reverseScale() ? currentMin() + change : currentMin() - change);
        if (currentMax() < currentMin()) setCurrentMax(currentMin());
    }
}

void AngularGauge::mousePressEvent(QMouseEvent *e)
{
    if (minMaxUserCanMove() && e->button() == Qt::LeftButton)
        guarded("mouse press", [&] { startDrag(e->position().toPoint()); });
    GaugeInstrument::mousePressEvent(e);
}

void AngularGauge::mouseMoveEvent(QMouseEvent *e)
{
    if (draggingMin_ || draggingMax_) guarded("mouse move", [&] { drag(e->position().toPoint()); });
    GaugeInstrument::mouseMoveEvent(e);
}

void AngularGauge::mouseReleaseEvent(QMouseEvent *e)
{
    draggingMin_ = false;
    draggingMax_ = false;
    GaugeInstrument::mouseReleaseEvent(e);
}

void AngularGauge::focusOutEvent(QFocusEvent *e)
{
    GaugeInstrument::focusOutEvent(e);
    draggingMin_ = false;
    draggingMax_ = false;
}
