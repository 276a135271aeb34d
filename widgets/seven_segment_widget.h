// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the seven-segment character and the numeric read-out share: the look
// of their glyphs, which each widget owns once and hands to its renderer at
// every paint, the margin inside the widget and the automatic size.
#include "widgets/instrument_widget.h"
#include "widgets/seven_segment_renderer.h"

#include <QSize>

class SevenSegmentWidget : public InstrumentWidget {
    Q_OBJECT
    // The colours of lit and unlit segments.
    Q_PROPERTY(TColor segmentColor READ segmentColor WRITE setSegmentColor NOTIFY segmentColorChanged)
    Q_PROPERTY(TColor segmentOffColor READ segmentOffColor WRITE setSegmentOffColor NOTIFY segmentOffColorChanged)
    Q_PROPERTY(bool autoSegmentOffColor READ autoSegmentOffColor WRITE setAutoSegmentOffColor NOTIFY
                   autoSegmentOffColorChanged)
    // Which segments show.
    Q_PROPERTY(bool showOffSegments READ showOffSegments WRITE setShowOffSegments NOTIFY showOffSegmentsChanged)
    Q_PROPERTY(bool powerOff READ powerOff WRITE setPowerOff NOTIFY powerOffChanged)
    // The sizes.
    Q_PROPERTY(int segmentSize READ segmentSize WRITE setSegmentSize NOTIFY segmentSizeChanged)
    Q_PROPERTY(int segmentSeparation READ segmentSeparation WRITE setSegmentSeparation NOTIFY segmentSeparationChanged)
    Q_PROPERTY(int segmentMargin READ segmentMargin WRITE setSegmentMargin NOTIFY segmentMarginChanged)
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize NOTIFY autoSizeChanged)

public:
    const SevenSegmentLook &look() const { return look_; }

    TColor segmentColor() const { return look_.segmentColor; }
    void setSegmentColor(TColor value);
    TColor segmentOffColor() const { return look_.segmentOffColor; }
    void setSegmentOffColor(TColor value);
    bool autoSegmentOffColor() const { return look_.autoSegmentOffColor; }
    void setAutoSegmentOffColor(bool value);
    bool showOffSegments() const { return look_.showOffSegments; }
    void setShowOffSegments(bool value);
    bool powerOff() const { return look_.powerOff; }
    void setPowerOff(bool value);
    int segmentSize() const { return look_.segmentSize; }
    void setSegmentSize(int value);  // held in 1 .. the widget's largest size
    int segmentSeparation() const { return look_.segmentSeparation; }
    void setSegmentSeparation(int value);  // negative values become 0
    int segmentMargin() const { return segmentMargin_; }
    void setSegmentMargin(int value);  // negative values become 0
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool value);

    // The automatic size; the smallest is that of the thinnest segments.
    QSize sizeHint() const override { return extentFor(look_.segmentSize); }
    QSize minimumSizeHint() const override { return extentFor(1); }

signals:
    void segmentColorChanged(TColor value);
    void segmentOffColorChanged(TColor value);
    void autoSegmentOffColorChanged(bool value);
    void showOffSegmentsChanged(bool value);
    void powerOffChanged(bool value);
    void segmentSizeChanged(int value);
    void segmentSeparationChanged(int value);
    void segmentMarginChanged(int value);
    void autoSizeChanged(bool value);

protected:
    SevenSegmentWidget(QWidget *parent, const SevenSegmentLook &look, int segmentMargin, int maxSegmentSize);

    // The size the automatic sizing gives the widget at a segment size.
    virtual QSize extentFor(int segmentSize) const = 0;
    // Resizes to the automatic size when autoSize is on and not loading.
    void applyAutoSize();

    SevenSegmentRenderer renderer_;

private:
    SevenSegmentLook look_;
    int segmentMargin_;
    int maxSegmentSize_;
    bool autoSize_ = true;
};
