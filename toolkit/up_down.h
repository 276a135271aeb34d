// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An arrow pair (up-down control): two of Qt's auto-repeating arrow buttons
// side by side or one above the other, holding an integer position within a
// range. Each press moves the position by one and is reported as next (the up
// arrow, or the right arrow of a horizontal pair) or previous (down or left),
// but only when the position actually changed: at either end of the range a
// press reports nothing. Holding an arrow repeats the press one step at a
// time, without acceleration. The pair never takes the keyboard focus.
//
// A modal window that opens while an arrow is held (an error box raised by
// the press itself, a question) takes the mouse release for itself, so the
// pair lets go of the arrow as soon as its window is blocked; the arrow steps
// again only after a new press.
#include <QWidget>

class QToolButton;

enum class TUDBtnType { btNext, btPrev };

class TUpDown : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Min READ Min WRITE setMin)
    Q_PROPERTY(int Max READ Max WRITE setMax)
    Q_PROPERTY(int Position READ Position WRITE setPosition)
public:
    explicit TUpDown(Qt::Orientation orientation, QWidget *parent = nullptr);

    Qt::Orientation orientation() const { return orientation_; }

    int Min() const { return min_; }
    void setMin(int value);
    int Max() const { return max_; }
    void setMax(int value);
    void setRange(int min, int max);
    int Position() const { return position_; }
    // Moves the position without reporting a press; held to the range.
    void setPosition(int value);

    // Where the arrow buttons (named "next" and "previous") lie inside the control.
    QRect arrowRect(TUDBtnType button) const;
    // What a screen reader calls the two arrow buttons.
    void setArrowNames(const QString &next, const QString &previous);

    QSize sizeHint() const override;

signals:
    // A press that moved the position.
    void Click(TUDBtnType button);

protected:
    bool event(QEvent *) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *) override;

private:
    void step(TUDBtnType button);
    void letGo();
    int clamped(int value) const;

    Qt::Orientation orientation_;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    QToolButton *next_;
    QToolButton *prev_;
    // Set by a mouse press on an arrow, cleared when a modal window takes the
    // mouse away: only a held arrow that was really pressed steps.
    bool armed_ = false;
};
