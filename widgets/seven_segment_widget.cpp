// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/seven_segment_widget.h"

#include <QAccessible>
#include <algorithm>

SevenSegmentWidget::SevenSegmentWidget(QWidget *parent, const SevenSegmentLook &look, int segmentMargin,
                                       int maxSegmentSize)
    : InstrumentWidget(parent), look_(look), segmentMargin_(segmentMargin), maxSegmentSize_(maxSegmentSize)
{
    setBackgroundColor(clBlack);
}

void SevenSegmentWidget::applyAutoSize()
{
    if (!autoSize_ || isLoading()) return;
    const QSize extent = extentFor(look_.segmentSize);
    setBounds(x(), y(), extent.width(), extent.height());
}

void SevenSegmentWidget::setSegmentColor(TColor value)
{
    changeSetting(look_.segmentColor, value, Repaint::Contents, &SevenSegmentWidget::segmentColorChanged);
}

void SevenSegmentWidget::setSegmentOffColor(TColor value)
{
    changeSetting(look_.segmentOffColor, value, Repaint::Contents, &SevenSegmentWidget::segmentOffColorChanged);
}

void SevenSegmentWidget::setAutoSegmentOffColor(bool value)
{
    changeSetting(look_.autoSegmentOffColor, value, Repaint::Contents, &SevenSegmentWidget::autoSegmentOffColorChanged);
}

void SevenSegmentWidget::setShowOffSegments(bool value)
{
    changeSetting(look_.showOffSegments, value, Repaint::Contents, &SevenSegmentWidget::showOffSegmentsChanged);
}

void SevenSegmentWidget::setPowerOff(bool value)
{
    if (!assign(look_.powerOff, value)) return;
    invalidateContents();
    if (isLoading()) return;
    emit powerOffChanged(value);
    // A screen reader hears the power state as the read-out's description.
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

// The size, margin and separation are compared as given, then held in range.
void SevenSegmentWidget::setSegmentSize(int value)
{
    if (look_.segmentSize == value) return;
    const int before = look_.segmentSize;
    look_.segmentSize = std::clamp(value, 1, maxSegmentSize_);
    invalidateContents();
    applyAutoSize();
    if (look_.segmentSize != before) emit segmentSizeChanged(look_.segmentSize);
}

void SevenSegmentWidget::setSegmentSeparation(int value)
{
    if (look_.segmentSeparation == value) return;
    const int before = look_.segmentSeparation;
    look_.segmentSeparation = std::max(value, 0);
    invalidateContents();
    if (look_.segmentSeparation != before) emit segmentSeparationChanged(look_.segmentSeparation);
}

void SevenSegmentWidget::setSegmentMargin(int value)
{
    if (segmentMargin_ == value) return;
    const int before = segmentMargin_;
    segmentMargin_ = std::max(value, 0);
    invalidateContents();
    applyAutoSize();
    if (segmentMargin_ != before) emit segmentMarginChanged(segmentMargin_);
}

void SevenSegmentWidget::setAutoSize(bool value)
{
    if (!assign(autoSize_, value)) return;
    applyAutoSize();
    invalidateContents();
    emit autoSizeChanged(value);
}
