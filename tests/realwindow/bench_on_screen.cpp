// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_on_screen.h"

#include "trace_model.h"
#include "wait.h"

bool sameColour(QRgb a, QRgb b)
{
    return (a & 0xFFFFFF) == (b & 0xFFFFFF);
}

BenchOnScreen::BenchOnScreen(const XSession &x) : x(x), process(x), input(x), screen(x) {}

QString BenchOnScreen::start(BenchProcess::Documents documents)
{
    watch_ = std::make_unique<ClientListWatch>(x);
    const QString failure = process.start(documents);
    return failure.isEmpty() ? locate() : failure;
}

QList<XWindow> BenchOnScreen::boxes() const
{
    QList<XWindow> found;
    for (const XId id : watch_->clients()) {
        auto known = known_.find(id);
        if (known == known_.end()) {
            const XWindow w = screen.properties(id);
            if (!w.id) continue;  // gone already
            known = known_.insert(id, w);
        }
        if (known->pid == process.pid() && known->modal()) found << *known;
    }
    return found;
}

QString BenchOnScreen::locate(bool measureScreen)
{
    // Two looks in a row must agree: the program may lay itself out again
    // a moment after the window manager has placed the window.
    QString failure;
    QRect lastClient;
    int lastSide = 0, lastMenuHeight = 0;
    const bool found = waitFor([&] {
        window = screen.window(process.window());
        if (!window.id) {
            failure = "the main window has gone";
            return false;
        }
        // The panels follow the outer size alone; the screen's side is settled below.
        plan = planBench(window.outer().size(), ruleScreenSide(window.outer().size()));
        const QImage image = shot();
        if (!findMenuHeight(image)) {
            failure = "no grey source panel where the layout puts it; screenshot " + keepScreenshot(image, "locate");
            return false;
        }
        screenSide = measureScreen ? measureScreenSide(image) : ruleScreenSide(window.outer().size());
        if (screenSide <= 0) {
            failure = "no dark screen on the oscilloscope panel; screenshot " + keepScreenshot(image, "locate");
            return false;
        }
        plan = planBench(window.outer().size(), screenSide);
        snapReadouts(image);
        menuItems_.clear();
        for (const QRect &item : menuBarItems(image)) menuItems_ << item.translated(-window.client.topLeft());
        const bool settled = window.client == lastClient && screenSide == lastSide && menuHeight == lastMenuHeight;
        lastClient = window.client;
        lastSide = screenSide;
        lastMenuHeight = menuHeight;
        failure = "the window did not settle";
        return settled;
    });
    return found ? QString() : failure;
}

void BenchOnScreen::follow()
{
    window = screen.window(process.window());
    const QSize outer = window.outer().size();
    plan = planBench(outer, ruleScreenSide(outer));
    const QImage image = shot();
    const int measured = measureScreenSide(image);
    screenSide = measured > 0 ? measured : ruleScreenSide(outer);
    plan = planBench(outer, screenSide);
    snapReadouts(image);
}

bool BenchOnScreen::findMenuHeight(const QImage &image)
{
    // The source panel is grey from its top edge, 10 below the surface
    // under the menu; its middle column stays clear of the lamp, the
    // ammeter and the switch for 15 rows.
    const int x = window.client.left() + plan.sourcePanel.center().x();
    auto grey = [&](int y) { return image.valid(x, y) && sameColour(image.pixel(x, y), kGrey); };
    for (int y = window.client.top(); y < window.client.top() + 100; ++y) {
        if (grey(y) && grey(y + 1) && grey(y + 2) && grey(y + 3)) {
            menuHeight = y - window.client.top() - plan.sourcePanel.top();
            return true;
        }
    }
    return false;
}

int BenchOnScreen::measureScreenSide(const QImage &image) const
{
    // The dark disc fills the square screen image but for its 1-pixel
    // outline. Counting only pixels whose neighbours are all dark too leaves
    // out the odd dark pixel of smoothed text and shrinks the disc by one
    // more pixel each side.
    const QRect panel = onScreen(plan.scopePanel).adjusted(1, 1, -1, -1) & image.rect().adjusted(1, 1, -1, -1);
    auto dark = [&](int x, int y) { return sameColour(image.pixel(x, y), kDark); };
    QRect disc;
    for (int y = panel.top(); y <= panel.bottom(); ++y)
        for (int x = panel.left(); x <= panel.right(); ++x)
            if (dark(x, y) && dark(x - 1, y) && dark(x + 1, y) && dark(x, y - 1) && dark(x, y + 1))
                disc |= QRect(x, y, 1, 1);
    if (disc.isEmpty() || disc.width() != disc.height()) return -1;
    // Where the plan puts the screen's left edge, give or take the pixel by
    // which the program may place its panel just after a maximise (it may
    // lay out with the window frame's width from before).
    if (std::abs(disc.left() - 2 - (onScreen(plan.scopePanel).left() + 10)) > 1) return -1;
    return disc.width() + 4;
}

void BenchOnScreen::snapReadouts(const QImage &image)
{
    // The read-outs' places follow labels that size themselves to their
    // text; find each black read-out within a few pixels of its planned
    // place and lay out the arrows beside it by the layout's rules.
    auto snap = [&](QRect &readout) {
        auto is = [&](QPoint p, QRgb colour) { return image.valid(p) && sameColour(image.pixel(p), colour); };
        auto fits = [&](const QRect &r) {
            // Black at the four corners, the grey panel just beside and
            // below them (above lies the caption, whose text may touch it).
            const QPoint across(1, 0), down(0, 1);
            return is(r.topLeft(), kBlack) && is(r.topRight(), kBlack) && is(r.bottomLeft(), kBlack) &&
                is(r.bottomRight(), kBlack) && is(r.topLeft() - across, kGrey) && is(r.bottomLeft() - across, kGrey) &&
                is(r.bottomRight() + across, kGrey) && is(r.bottomRight() + down, kGrey) &&
                is(r.bottomLeft() + down, kGrey);
        };
        // The nearest fit to the planned place.
        for (int distance = 0; distance <= 12; ++distance)
            for (int dy = -6; dy <= 6; ++dy)
                for (int dx = -6; dx <= 6; ++dx)
                    if (std::abs(dx) + std::abs(dy) == distance && fits(onScreen(readout).translated(dx, dy))) {
                        readout.translate(dx, dy);
                        return;
                    }
    };
    snap(plan.rippleReadout);
    snap(plan.phaseReadout);
    snap(plan.plateLengthReadout);
    plan.rippleArrows.moveTopLeft(plan.rippleReadout.topRight() + QPoint(1, 0));
    plan.phaseArrows.moveTopLeft(plan.phaseReadout.topRight() + QPoint(1, 0));
    plan.plateLengthArrows.moveTopLeft(plan.plateLengthReadout.topRight() + QPoint(1 + 10, 0));
}

QPoint BenchOnScreen::nextArrow(QRect pair) const
{
    const QRect r = onScreen(pair);
    return pair.width() > pair.height() ? QPoint(r.right() - 6, r.center().y()) : QPoint(r.center().x(), r.top() + 6);
}

QPoint BenchOnScreen::previousArrow(QRect pair) const
{
    const QRect r = onScreen(pair);
    return pair.width() > pair.height() ? QPoint(r.left() + 6, r.center().y()) : QPoint(r.center().x(), r.bottom() - 6);
}

QRgb BenchOnScreen::pixel(const QImage &image, QRect planned, int dx, int dy) const
{
    const QPoint p = onScreen(planned).topLeft() + QPoint(dx, dy);
    return image.valid(p) ? image.pixel(p) : qRgb(255, 0, 255);
}

QStringList BenchOnScreen::mismatches(const QImage &image, const QList<PixelCheck> &checks) const
{
    QStringList found;
    for (const PixelCheck &c : checks) {
        const QRgb got = pixel(image, c.control, c.x, c.y);
        if (!sameColour(got, c.colour))
            found << QString("%1 at (%2, %3): #%4, expected #%5")
                         .arg(c.what)
                         .arg(c.x)
                         .arg(c.y)
                         .arg(got & 0xFFFFFF, 6, 16, QChar('0'))
                         .arg(c.colour & 0xFFFFFF, 6, 16, QChar('0'));
    }
    return found;
}

QStringList BenchOnScreen::expectPixels(const QString &stage, const QList<PixelCheck> &checks) const
{
    QStringList failures;
    QImage image;
    waitFor(
        [&] {
            image = shot();
            failures = mismatches(image, checks);
            return failures.isEmpty();
        },
        kPatienceMs / 2, 100);
    const QString kept = keepScreenshot(image, stage);
    if (!failures.isEmpty()) failures << "screenshot " + kept;
    return failures;
}

bool BenchOnScreen::looksEnabled(const QImage &image, QRect button) const
{
    const QRect r = onScreen(button).adjusted(3, 3, -3, -3) & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qRed(image.pixel(x, y)) < 60 && qGreen(image.pixel(x, y)) < 60 && qBlue(image.pixel(x, y)) < 60)
                return true;
    return false;
}

std::optional<double> BenchOnScreen::ammeter(const QImage &image) const
{
    return readReadout(image, onScreen(plan.ammeter).topLeft(), kAmmeterLook, kLime);
}

std::optional<double> BenchOnScreen::ripple(const QImage &image) const
{
    return readReadout(image, onScreen(plan.rippleReadout).topLeft(), kRippleLook, kLime);
}

std::optional<double> BenchOnScreen::phase(const QImage &image) const
{
    return readReadout(image, onScreen(plan.phaseReadout).topLeft(), kPhaseLook, kLime);
}

bool BenchOnScreen::waitForBoxes(int count) const
{
    return waitFor([&] { return boxes().size() == count; });
}

bool BenchOnScreen::waitForABox() const
{
    return waitFor([&] { return !boxes().isEmpty(); });
}

void BenchOnScreen::answer(const XWindow &box, const QString &key) const
{
    input.xdotool({"windowactivate", "--sync", QString::number(box.id), "key", key});
}

XWindow BenchOnScreen::waitForWindow(const std::function<bool(const XWindow &)> &wanted) const
{
    XWindow found;
    waitFor([&] {
        for (const XWindow &w : screen.windowsOf(process.pid())) {
            if (wanted(w)) {
                found = w;
                return true;
            }
        }
        return false;
    });
    return found;
}

QList<QRect> BenchOnScreen::menuBarItems(const QImage &image) const
{
    // A column of the menu bar is ink where any of its pixels is dark; the
    // columns of one title lie closer together than the gap between titles.
    const QRect bar = QRect(window.client.topLeft(), QSize(window.client.width(), menuHeight)) & image.rect();
    QList<QRect> items;
    int lastInk = -100;
    for (int x = bar.left(); x <= bar.right(); ++x) {
        bool ink = false;
        for (int y = bar.top(); y <= bar.bottom() && !ink; ++y) {
            const QRgb c = image.pixel(x, y);
            ink = qRed(c) < 100 && qGreen(c) < 100 && qBlue(c) < 100;
        }
        if (!ink) continue;
        if (x - lastInk > 8)
            items << QRect(x, bar.top(), 1, bar.height());
        else
            items.last().setRight(x);
        lastInk = x;
    }
    return items;
}

void BenchOnScreen::chooseFromMenu(int item, const QStringList &keys) const
{
    // Where locate() found the titles, or where a screenshot shows them now.
    QRect title = menuItems_.value(item).translated(window.client.topLeft());
    if (menuItems_.isEmpty()) title = menuBarItems(shot()).value(item);
    const QPoint at = title.center();
    input.xdotool(QStringList{"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1", "key",
                              "--delay", "60"} +
                  keys);
}

void BenchOnScreen::retype(QRect field, const QString &digits) const
{
    QStringList keys{"End"};
    for (int i = 0; i < 12; ++i) keys << "BackSpace";
    for (const QChar c : digits) keys << QString(c);
    input.click(centre(field));
    input.keys(keys);
}

QString BenchOnScreen::switchOnToSource() const
{
    auto lampRed = [&](QRect image) { return sameColour(pixel(shot(), image, 7, 7), kRed); };
    click(plan.scopeSwitch);
    if (!waitFor([&] { return lampRed(plan.screen); })) return "the oscilloscope's lamp did not light";
    click(plan.regulatorSwitch);
    // The regulator is on once its warm-up line reaches its full length and the source switch is enabled.
    const int c = screenCentre(), reach = warmupLimit(screenSide) - 1;
    const bool ramped = waitFor([&] {
        const QImage image = shot();
        return sameColour(screenPixel(image, c, c - reach), kGreen) &&
            sameColour(screenPixel(image, c, c + reach), kGreen) && looksEnabled(image, plan.sourceSwitch);
    });
    if (!ramped) return "the regulator's warm-up line did not complete; screenshot " + keepScreenshot(shot(), "ramp");
    click(plan.sourceSwitch);
    if (!waitFor([&] { return lampRed(plan.sourceLamp); })) return "the source's lamp did not light";
    return {};
}
