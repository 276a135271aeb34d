// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/iGaugeComponent.h"

#include <algorithm>
#include <cmath>

std::vector<TiSectionSpan> SectionSpans(double positionMin, double positionMax, int count,
                                        const std::array<double, 4> &ends, const std::array<TColor, 5> &colors)
{
    std::vector<TiSectionSpan> spans;
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

TiGaugeComponent::TiGaugeComponent(QWidget *parent)
    : TiScaleComponent(parent)
{
    pointers_ = std::make_unique<TiGaugePointerManager>(
        [this](TiGaugePointer *) { InvalidateContents(); },
        [this](TiGaugePointer *) { InvalidateContents(); },
        [this](TiGaugePointer *) { InvalidateContents(); });
    pointers_->Add();
}

TiGaugeComponent::~TiGaugeComponent()
{
    // The pointers report their removal while the gauge is still whole.
    pointers_->Clear();
}

double TiGaugeComponent::StoredPosition() const
{
    return pointers_->Items(0)->Position();
}

void TiGaugeComponent::StorePosition(double value)
{
    // The pointer reports the change, which repaints the moving parts.
    pointers_->Items(0)->setPosition(value);
}

void TiGaugeComponent::ClampPointersToRange()
{
    for (int i = 0; i < pointers_->Count(); ++i) {
        TiGaugePointer *p = pointers_->Items(i);
        if (p->Position() < PositionMin()) p->setPosition(PositionMin());
        if (p->Position() > PositionMax()) p->setPosition(PositionMax());
    }
}

void TiGaugeComponent::setSectionCount(int v)
{
    v = std::clamp(v, 0, 5);
    if (sectionCount_ == v) return;
    sectionCount_ = v;
    InvalidateBackground();
}

void TiGaugeComponent::setSectionEnd(int index, double v)
{
    if (!std::isfinite(v) || sectionEnds_[std::size_t(index)] == v) return;
    sectionEnds_[std::size_t(index)] = v;
    InvalidateBackground();
}

void TiGaugeComponent::setSectionColor(int index, TColor v)
{
    if (sectionColors_[std::size_t(index)] == v) return;
    sectionColors_[std::size_t(index)] = v;
    InvalidateBackground();
}

std::vector<TiSectionSpan> TiGaugeComponent::GetSectionSpans() const
{
    return SectionSpans(PositionMin(), PositionMax(), sectionCount_, sectionEnds_, sectionColors_);
}

void TiGaugeComponent::ReadStoredEntries(const TiGaugeStoredEntries &entries)
{
    AssignPositionMaxDirectly(entries.PositionMax_2);
    sectionEnds_[0] = entries.SectionEnd1_2;
    sectionEnds_[1] = entries.SectionEnd2_2;
    if (!entries.Pointers) return;
    pointers_->Clear();
    for (const TiStoredPointer &stored : *entries.Pointers) {
        TiGaugePointer *p = pointers_->Add();
        p->setSize(stored.Size);
        p->setMargin(stored.Margin);
        p->setColor(stored.Color);
        p->setStyle(stored.Style);
        p->setPosition(stored.Position);
    }
}
