#pragma once
// An arrow pair (up-down control): two arrow buttons side by side or one above
// the other, holding an integer position within a range. Each press moves the
// position by one and is reported as next (the up arrow, or the right arrow of
// a horizontal pair) or previous (down or left), but only when the position
// actually changed: at either end of the range a press reports nothing.
// Holding an arrow repeats the press one step at a time, without acceleration.
// The pair never takes the keyboard focus.
#include <QBasicTimer>
#include <QWidget>

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

    // Auto-repeat timing while an arrow is held, in milliseconds.
    int repeatDelay() const { return repeatDelay_; }
    void setRepeatDelay(int ms) { repeatDelay_ = ms; }
    int repeatInterval() const { return repeatInterval_; }
    void setRepeatInterval(int ms) { repeatInterval_ = ms; }

    // Where the two arrows lie inside the control.
    QRect arrowRect(TUDBtnType button) const;

    QSize sizeHint() const override;

signals:
    // A press that moved the position.
    void Click(TUDBtnType button);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void timerEvent(QTimerEvent *) override;
    void changeEvent(QEvent *) override;

private:
    void press(TUDBtnType button);
    void stopRepeat();
    int clamped(int value) const;

    Qt::Orientation orientation_;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int repeatDelay_ = 400;
    int repeatInterval_ = 100;

    bool held_ = false;
    bool overHeld_ = false;   // the cursor is still over the held arrow
    TUDBtnType heldButton_ = TUDBtnType::btNext;
    QBasicTimer repeat_;
};
