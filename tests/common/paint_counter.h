// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Counts the paints a widget gets on the screen. The widget's window is shown
// (offscreen) when the counter is made; take() lets Qt deliver every pending
// repaint request first, so several requests before a paint give one paint,
// as they do on a real screen, and a request held back gives none.
#include <QObject>
#include <QPointer>
#include <QWidget>

class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget &widget);
    // The paints since the counter was made or last taken.
    int take();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> widget_;
    int paints_ = 0;
};
