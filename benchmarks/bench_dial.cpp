// SPDX-License-Identifier: GPL-3.0-or-later
// The regulator's dial at the bench's usual size: a position change painted
// over the cached background, a full repaint, and Qt's own dial painting a
// new value of the same size. Ours start, as in the program, after Qt has
// painted.
#include "bench/stored_layout.h"
#include "harness.h"
#include "widgets/angular_gauge.h"

#include <QDial>
#include <QImage>
#include <memory>

namespace {

constexpr int kSide = 183;

// Each dial paints through its paint event into an image of its size.
struct RenderedDial {
    AngularGauge dial;
    QImage image{kSide, kSide, QImage::Format_RGB32};
    void paint() { dial.render(&image); }
};

std::shared_ptr<RenderedDial> benchDial()
{
    auto d = std::make_shared<RenderedDial>();
    loadBenchDial(d->dial);
    d->dial.setBounds(0, 0, kSide, kSide);
    d->dial.label1()->setOffsetX(10 - kSide / 2);
    d->dial.label1()->setOffsetY(kSide / 2 - 10);
    d->paint();
    return d;
}

const bench::Register dialDynamic("dial_dynamic", [] {
    auto d = benchDial();
    auto step = std::make_shared<int>(0);
    return [d, step] {
        bench::afterQtPainting();
        // The ramp's 0..90 swing, one unit per frame.
        *step = (*step + 1) % 91;
        d->dial.setPosition(*step);
        d->paint();
    };
});

const bench::Register dialFull("dial_full", [] {
    auto d = benchDial();
    return [d] {
        bench::afterQtPainting();
        d->dial.invalidateBackground();
        d->paint();
    };
});

const bench::Register qdialPaint("qdial_paint", [] {
    auto dial = std::make_shared<QDial>();
    dial->setRange(0, 100);
    dial->resize(kSide, kSide);
    auto image = std::make_shared<QImage>(kSide, kSide, QImage::Format_RGB32);
    auto step = std::make_shared<int>(0);
    return [dial, image, step] {
        *step = (*step + 1) % 91;
        dial->setValue(*step);
        dial->render(image.get());
    };
});

const bench::RegisterRatio dynamicVsFull("dial_dynamic_vs_full", "dial_dynamic", "dial_full");
const bench::RegisterRatio dynamicVsQDial("dial_dynamic_vs_qdial", "dial_dynamic", "qdial_paint");

}  // namespace
