// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One character cell of a seven-segment read-out as a widget of its own: a
// glyph filling its client area, or any pattern of the seven segments.
#include "widgets/seven_segment_widget.h"

class SevenSegmentCharacter : public SevenSegmentWidget {
    Q_OBJECT
    Q_PROPERTY(SevenSegmentGlyph::Code glyph READ glyph WRITE setGlyph NOTIFY glyphChanged)
    Q_PROPERTY(char character READ character WRITE setCharacter NOTIFY glyphChanged)
    Q_PROPERTY(bool useSegmentBits READ useSegmentBits WRITE setUseSegmentBits NOTIFY useSegmentBitsChanged)
    Q_PROPERTY(bool segAOn READ segAOn WRITE setSegAOn NOTIFY segmentBitsChanged)
    Q_PROPERTY(bool segBOn READ segBOn WRITE setSegBOn NOTIFY segmentBitsChanged)
    Q_PROPERTY(bool segCOn READ segCOn WRITE setSegCOn NOTIFY segmentBitsChanged)
    Q_PROPERTY(bool segDOn READ segDOn WRITE setSegDOn NOTIFY segmentBitsChanged)
    Q_PROPERTY(bool segEOn READ segEOn WRITE setSegEOn NOTIFY segmentBitsChanged)
    Q_PROPERTY(bool segFOn READ segFOn WRITE setSegFOn NOTIFY segmentBitsChanged)
    Q_PROPERTY(bool segGOn READ segGOn WRITE setSegGOn NOTIFY segmentBitsChanged)
    Q_PROPERTY(quint8 segmentBits READ segmentBits WRITE setSegmentBits NOTIFY segmentBitsChanged)

public:
    explicit SevenSegmentCharacter(QWidget *parent = nullptr);
    ~SevenSegmentCharacter() override;

    SevenSegmentGlyph::Code glyph() const { return glyph_; }
    void setGlyph(SevenSegmentGlyph::Code value);
    char character() const { return charForGlyph(glyph_); }
    void setCharacter(char c) { setGlyph(glyphForChar(c)); }

    bool useSegmentBits() const { return useSegmentBits_; }
    void setUseSegmentBits(bool value);
    bool segAOn() const { return segmentOn(SevenSegmentGlyph::SegmentA); }
    void setSegAOn(bool on) { setSegmentOn(SevenSegmentGlyph::SegmentA, on); }
    bool segBOn() const { return segmentOn(SevenSegmentGlyph::SegmentB); }
    void setSegBOn(bool on) { setSegmentOn(SevenSegmentGlyph::SegmentB, on); }
    bool segCOn() const { return segmentOn(SevenSegmentGlyph::SegmentC); }
    void setSegCOn(bool on) { setSegmentOn(SevenSegmentGlyph::SegmentC, on); }
    bool segDOn() const { return segmentOn(SevenSegmentGlyph::SegmentD); }
    void setSegDOn(bool on) { setSegmentOn(SevenSegmentGlyph::SegmentD, on); }
    bool segEOn() const { return segmentOn(SevenSegmentGlyph::SegmentE); }
    void setSegEOn(bool on) { setSegmentOn(SevenSegmentGlyph::SegmentE, on); }
    bool segFOn() const { return segmentOn(SevenSegmentGlyph::SegmentF); }
    void setSegFOn(bool on) { setSegmentOn(SevenSegmentGlyph::SegmentF, on); }
    bool segGOn() const { return segmentOn(SevenSegmentGlyph::SegmentG); }
    void setSegGOn(bool on) { setSegmentOn(SevenSegmentGlyph::SegmentG, on); }
    quint8 segmentBits() const { return segmentBits_; }
    void setSegmentBits(quint8 bits);  // always repaints

    // Natural cell size of the current glyph.
    int glyphWidth() const { return glyphWidthAt(segmentSize()); }
    int glyphHeight() const { return glyphHeightAt(segmentSize()); }

signals:
    void glyphChanged(SevenSegmentGlyph::Code value);
    void useSegmentBitsChanged(bool value);
    void segmentBitsChanged(quint8 bits);

protected:
    QSize extentFor(int segmentSize) const override;
    void paintContents(Canvas &canvas) override;

private:
    int glyphWidthAt(int segmentSize) const;
    int glyphHeightAt(int segmentSize) const;
    bool segmentOn(SevenSegmentGlyph::Segment bit) const { return (segmentBits_ & bit) != 0; }
    void setSegmentOn(SevenSegmentGlyph::Segment bit, bool on);

    SevenSegmentGlyph::Code glyph_ = SevenSegmentGlyph::Code::Digit0;
    bool useSegmentBits_ = false;
    quint8 segmentBits_ = 0;
};
