// SPDX-License-Identifier: GPL-3.0-or-later
// The ammeter read-out at its bench size: a full frame of the ammeter showing
// 1.234, against Qt's own seven-segment number of the same size showing the
// same text, each rendered into an image.
#include "bench/stored_layout.h"
#include "harness.h"
#include "widgets/seven_segment_display.h"

#include <QImage>
#include <QLCDNumber>
#include <memory>

namespace {

constexpr int kWidth = 80;
constexpr int kHeight = 28;

// Both read-outs paint through their paint events into an image of their
// size, as Qt's own render does for any widget.
const bench::Register ammeterPaint("ammeter_paint", [] {
    auto ammeter = std::make_shared<SevenSegmentDisplay>();
    loadBenchReadout(*ammeter, BenchReadout::ammeter);
    ammeter->setValue(1.234);
    auto image = std::make_shared<QImage>(kWidth, kHeight, QImage::Format_RGB32);
    return [ammeter, image] { ammeter->render(image.get()); };
});

const bench::Register qlcdnumberPaint("qlcdnumber_paint", [] {
    auto lcd = std::make_shared<QLCDNumber>();
    lcd->setDigitCount(5);
    lcd->display(QStringLiteral("1.234"));
    lcd->resize(kWidth, kHeight);
    auto image = std::make_shared<QImage>(kWidth, kHeight, QImage::Format_RGB32);
    return [lcd, image] { lcd->render(image.get()); };
});

const bench::RegisterRatio ammeterVsQLCDNumber("ammeter_vs_qlcdnumber", "ammeter_paint", "qlcdnumber_paint");

}  // namespace
