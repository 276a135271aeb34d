// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/gauge_instrument.h"

#include <algorithm>
#include <cmath>

std::vector<SectionSpan> spansOfSections(double positionMin, double positionMax, int count,
                                         const std::array<double, 4> &ends, const std::array<TColor, 5> &colors)
{
    std::vector<SectionSpan> spans;
    double start = positionMin;
    for (int k = 1; k <= std::clamp(count, 0, 5); ++k) {
        double end = k <= 4 ? ends[std::size_t(k - 1)] : positionMax;
        if (end > positionMax) end = positionMax;
        if (end < positionMin) end = positionMin;
        if (end < start) end = positionMax;
        if (k == count) end = positionMax;
        spans.push_back({start, end, colors[std::size_t(k - 1)]});
        if (end == positionMax) break;
        start = end;
    }
    return spans;
}

GaugeInstrument::GaugeInstrument(QWidget *parent) : ScaleInstrument(parent)
{
    const auto repaint = [this](GaugePointer *) {
        invalidateContents();
        emit pointersChanged();
    };
    pointers_ = std::make_unique<GaugePointerList>(repaint, repaint, repaint);
    pointers_->add();
}

GaugeInstrument::~GaugeInstrument()
{
    // The pointers report their removal while the gauge is still whole.
    pointers_->clear();
}

double GaugeInstrument::storedPosition() const
{
    const GaugePointer *first = pointers_->at(0);
    return first ? first->position() : positionMin();
}

bool GaugeInstrument::storePosition(double value)
{
    // The pointer reports the change, which repaints the moving parts.
    GaugePointer *first = pointers_->at(0);
    if (first) first->setPosition(value);
    return first != nullptr;
}

void GaugeInstrument::clampPointersToRange()
{
    for (int i = 0; i < pointers_->count(); ++i) {
        GaugePointer *p = pointers_->at(i);
        if (p->position() < positionMin()) p->setPosition(positionMin());
        if (p->position() > positionMax()) p->setPosition(positionMax());
    }
}

void GaugeInstrument::setSectionCount(int v)
{
    if (!assign(sectionCount_, std::clamp(v, 0, 5))) return;
    invalidateBackground();
    emit sectionsChanged();
}

void GaugeInstrument::setSectionEnd(int index, double v)
{
    if (!std::isfinite(v) || !assign(sectionEnds_[std::size_t(index)], v)) return;
    invalidateBackground();
    emit sectionsChanged();
}

void GaugeInstrument::setSectionColor(int index, TColor v)
{
    if (!assign(sectionColors_[std::size_t(index)], v)) return;
    invalidateBackground();
    emit sectionsChanged();
}

std::vector<SectionSpan> GaugeInstrument::sectionSpans() const
{
    return spansOfSections(positionMin(), positionMax(), sectionCount_, sectionEnds_, sectionColors_);
}

void GaugeInstrument::readStoredEntries(const GaugeStoredEntries &entries)
{
    assignPositionMaxDirectly(entries.positionMax);
    sectionEnds_[0] = entries.sectionEnd1;
    sectionEnds_[1] = entries.sectionEnd2;
    if (!entries.pointers) return;
    pointers_->clear();
    for (const StoredPointer &stored : *entries.pointers) {
        GaugePointer *p = pointers_->add();
        p->setSize(stored.size);
        p->setMargin(stored.margin);
        p->setColor(stored.color);
        p->setStyle(stored.style);
        p->setPosition(stored.position);
    }
}
