// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/seven_segment_character.h"

#include "toolkit/rounding.h"

#include <algorithm>
#include <climits>

SevenSegmentCharacter::SevenSegmentCharacter(QWidget *parent)
    : SevenSegmentWidget(parent, SevenSegmentLook{}, 2, INT_MAX)
{
    applyAutoSize();
}

SevenSegmentCharacter::~SevenSegmentCharacter() = default;

void SevenSegmentCharacter::setGlyph(SevenSegmentGlyph::Code value)
{
    if (!assign(glyph_, value)) return;
    invalidateContents();
    applyAutoSize();
    emit glyphChanged(value);
}

void SevenSegmentCharacter::setUseSegmentBits(bool value)
{
    changeSetting(useSegmentBits_, value, Repaint::Contents, &SevenSegmentCharacter::useSegmentBitsChanged);
}

void SevenSegmentCharacter::setSegmentOn(SevenSegmentGlyph::Segment bit, bool on)
{
    if (segmentOn(bit) == on) return;
    segmentBits_ = quint8(on ? (segmentBits_ | bit) : (segmentBits_ & ~bit));
    invalidateContents();
    emit segmentBitsChanged(segmentBits_);
}

void SevenSegmentCharacter::setSegmentBits(quint8 bits)
{
    segmentBits_ = quint8(bits & 0x7F);
    invalidateContents();
    emit segmentBitsChanged(segmentBits_);
}

int SevenSegmentCharacter::glyphWidthAt(int segmentSize) const
{
    using enum SevenSegmentGlyph::Code;
    const bool narrow = glyph_ == Period || glyph_ == Colon || glyph_ == Semicolon || glyph_ == Comma;
    return saturate(2LL * segmentMargin() + (narrow ? 2LL : 10LL) * segmentSize);
}

int SevenSegmentCharacter::glyphHeightAt(int segmentSize) const
{
    return saturate(2LL * segmentMargin() + 18LL * segmentSize);
}

QSize SevenSegmentCharacter::extentFor(int segmentSize) const
{
    return QSize(saturate(std::min<long long>(glyphWidthAt(segmentSize) + 1LL, QWIDGETSIZE_MAX)),
                 saturate(std::min<long long>(glyphHeightAt(segmentSize) + 1LL, QWIDGETSIZE_MAX)));
}

void SevenSegmentCharacter::paintContents(Canvas &canvas)
{
    paintBackground(canvas, backgroundColor());
    renderer_.draw(canvas, look(), glyph_, QPoint(0, 0), size(), segmentMargin(),
                   useSegmentBits_ ? std::optional<std::uint8_t>(segmentBits_) : std::nullopt);
}
