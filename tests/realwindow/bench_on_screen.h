// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One run of the program on a display, with the student's hands and eyes:
// where the main window lies (client origin and frame from the X server, the
// menu bar's height from the first grey row of the source panel), the plan of
// the controls on top of it, and the steps every scenario needs: clicking a
// control, reading a read-out or a pixel, counting and answering boxes,
// switching the instruments on.
#include "bench_plan.h"
#include "bench_process.h"
#include "readout_reader.h"
#include "x_input.h"
#include "x_readback.h"

#include <QHash>
#include <QImage>
#include <QRgb>
#include <functional>
#include <memory>
#include <optional>

inline constexpr QRgb kGrey = qRgb(128, 128, 128);
inline constexpr QRgb kDark = qRgb(70, 70, 70);
inline constexpr QRgb kRed = qRgb(255, 0, 0);
inline constexpr QRgb kGreen = qRgb(0, 128, 0);
inline constexpr QRgb kLime = qRgb(0, 255, 0);
inline constexpr QRgb kBlack = qRgb(0, 0, 0);

// The bench's caption, which its window and its own boxes carry.
inline const QString kBenchTitle = QStringLiteral("Определение удельного заряда электрона");

bool sameColour(QRgb a, QRgb b);

// A pixel a stage must show: of a control of the plan, at (x, y) from its top-left corner.
struct PixelCheck {
    QRect control;
    int x, y;
    QRgb colour;
    QString what;
};

class BenchOnScreen {
public:
    explicit BenchOnScreen(const XSession &x);

    // Starts the program and finds its window and controls on the screen;
    // empty when all went well.
    QString start(BenchProcess::Documents documents = BenchProcess::Documents::InTheStartFolder);
    // Reads the window's place and the layout again (after a resize or a
    // maximise), the screen's side by the layout's rule or, with
    // `measureScreen`, measured on the screen.
    QString locate(bool measureScreen = false);
    // The same without waiting, keeping the menu bar's height: the screen's
    // side measured where the screen shows, by the rule where it is covered.
    void follow();

    const XSession &x;
    BenchProcess process;
    XInput input;
    XReadback screen;

    // What locate() found.
    XWindow window;
    int menuHeight = 0;
    int screenSide = 0;
    BenchPlan plan;

    // A point or rectangle of the plan on the screen.
    QPoint origin() const { return window.client.topLeft() + QPoint(0, menuHeight); }
    QRect onScreen(QRect planned) const { return planned.translated(origin()); }
    QPoint centre(QRect planned) const { return onScreen(planned).center(); }
    // The arrows of a pair: right or upper (next), left or lower (previous),
    // 6 pixels in from the pair's outer edge, clear of the fine pair over the coarse one.
    QPoint nextArrow(QRect pair) const;
    QPoint previousArrow(QRect pair) const;

    void click(QRect planned) const { input.click(centre(planned)); }
    QImage shot() const { return screen.screenshot(); }
    // A pixel of a control, at (dx, dy) from its top-left corner.
    QRgb pixel(const QImage &shot, QRect planned, int dx, int dy) const;
    // The checks a screenshot fails, each with what it shows instead.
    QStringList mismatches(const QImage &shot, const QList<PixelCheck> &checks) const;
    // Takes screenshots until every pixel is as expected (the server may lag
    // behind a busy machine); the mismatches otherwise. The last screenshot
    // is kept under the stage's name either way.
    QStringList expectPixels(const QString &stage, const QList<PixelCheck> &checks) const;
    // A push button's caption is black while it is enabled, greyed out while not.
    bool looksEnabled(const QImage &shot, QRect button) const;

    std::optional<double> ammeter(const QImage &shot) const;
    std::optional<double> ripple(const QImage &shot) const;
    std::optional<double> phase(const QImage &shot) const;

    // The program's modal boxes, from the window manager's client list.
    QList<XWindow> boxes() const;
    // Waits until exactly `count` modal boxes are open.
    bool waitForBoxes(int count) const;
    // Waits until at least one is.
    bool waitForABox() const;
    // Gives a box the keyboard focus and presses a key in it.
    void answer(const XWindow &box, const QString &key) const;

    // The first of the program's windows that `wanted` accepts, once there is one (id 0: none came).
    XWindow waitForWindow(const std::function<bool(const XWindow &)> &wanted) const;

    // The titles of the menu bar ("Файл", "Помощь") where their text shows.
    QList<QRect> menuBarItems(const QImage &shot) const;
    // Opens a menu of the menu bar with the mouse and goes on with keys in it.
    void chooseFromMenu(int item, const QStringList &keys) const;

    // Types into a parameter field after clearing it.
    void retype(QRect field, const QString &digits) const;
    // Oscilloscope, regulator (until its warm-up line is complete) and source
    // on, each checked on the screen; empty when all went well.
    QString switchOnToSource() const;
    // The screen image's centre, and a pixel of the screen image.
    int screenCentre() const { return screenSide / 2; }
    QRgb screenPixel(const QImage &shot, int x, int y) const { return pixel(shot, plan.screen, x, y); }

private:
    bool findMenuHeight(const QImage &shot);
    int measureScreenSide(const QImage &shot) const;
    void snapReadouts(const QImage &shot);

    // Where the menu bar's titles lie, relative to the client's top-left corner.
    QList<QRect> menuItems_;
    // The windows seen so far with their properties, which do not change.
    mutable std::unique_ptr<ClientListWatch> watch_;
    mutable QHash<XId, XWindow> known_;
};
