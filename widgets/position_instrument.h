// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The value behind a position instrument: a real position inside a range, the
// running maximum and minimum of that position with their notifications, and
// the settings of the two peak pointers that show them.
#include "widgets/instrument_widget.h"

// Fraction of the range [min, max] that v lies at: 1 above the maximum, 0 at
// or below the minimum and on an empty or inverted range.
double positionFraction(double positionMin, double positionMax, double v);

class PositionInstrument : public InstrumentWidget {
    Q_OBJECT
    // The position in its range.
    Q_PROPERTY(double position READ position WRITE setPosition NOTIFY positionChanged)
    Q_PROPERTY(double positionMax READ positionMax WRITE setPositionMax NOTIFY rangeChanged)
    Q_PROPERTY(double positionMin READ positionMin WRITE setPositionMin NOTIFY rangeChanged)
    // The running maximum and minimum of the position.
    Q_PROPERTY(double currentMax READ currentMax WRITE setCurrentMax NOTIFY currentMaxChanged)
    Q_PROPERTY(double currentMin READ currentMin WRITE setCurrentMin NOTIFY currentMinChanged)
    Q_PROPERTY(bool minMaxFixed READ minMaxFixed WRITE setMinMaxFixed NOTIFY minMaxFixedChanged)
    // The peak pointers that show them.
    Q_PROPERTY(bool showMaxPointer READ showMaxPointer WRITE setShowMaxPointer NOTIFY showMaxPointerChanged)
    Q_PROPERTY(bool showMinPointer READ showMinPointer WRITE setShowMinPointer NOTIFY showMinPointerChanged)
    Q_PROPERTY(int minMaxPointerSize READ minMaxPointerSize WRITE setMinMaxPointerSize NOTIFY minMaxPointerSizeChanged)
    Q_PROPERTY(
        int minMaxPointerMargin READ minMaxPointerMargin WRITE setMinMaxPointerMargin NOTIFY minMaxPointerMarginChanged)
    // Their colours, and whether the user may drag them.
    Q_PROPERTY(TColor maxPointerColor READ maxPointerColor WRITE setMaxPointerColor NOTIFY maxPointerColorChanged)
    Q_PROPERTY(TColor minPointerColor READ minPointerColor WRITE setMinPointerColor NOTIFY minPointerColorChanged)
    Q_PROPERTY(bool minMaxUserCanMove READ minMaxUserCanMove WRITE setMinMaxUserCanMove NOTIFY minMaxUserCanMoveChanged)

public:
    explicit PositionInstrument(QWidget *parent = nullptr);
    ~PositionInstrument() override;

    double position() const { return storedPosition(); }
    void setPosition(double value);
    double positionMax() const { return positionMax_; }
    virtual void setPositionMax(double value);
    double positionMin() const { return positionMin_; }
    virtual void setPositionMin(double value);
    double currentMax() const { return currentMax_; }
    void setCurrentMax(double value);
    double currentMin() const { return currentMin_; }
    void setCurrentMin(double value);
    bool minMaxFixed() const { return minMaxFixed_; }
    void setMinMaxFixed(bool value);

    bool showMaxPointer() const { return showMaxPointer_; }
    void setShowMaxPointer(bool value);
    bool showMinPointer() const { return showMinPointer_; }
    void setShowMinPointer(bool value);
    int minMaxPointerSize() const { return minMaxPointerSize_; }
    void setMinMaxPointerSize(int value);
    int minMaxPointerMargin() const { return minMaxPointerMargin_; }
    void setMinMaxPointerMargin(int value);
    TColor maxPointerColor() const { return maxPointerColor_; }
    void setMaxPointerColor(TColor value);
    TColor minPointerColor() const { return minPointerColor_; }
    void setMinPointerColor(TColor value);
    bool minMaxUserCanMove() const { return minMaxUserCanMove_; }
    void setMinMaxUserCanMove(bool value);

    // Both limits at once; no check that the minimum lies below the maximum.
    void setRange(double newMin, double newMax);
    double positionToFraction(double value) const;

signals:
    void positionChanged(double position);
    void rangeChanged(double positionMin, double positionMax);
    void currentMaxChanged(double currentMax);
    void currentMinChanged(double currentMin);
    // The position went above the running maximum (or below the minimum),
    // which only happens while the two are fixed.
    void positionOverMax(double position);
    void positionUnderMin(double position);
    void minMaxFixedChanged(bool value);
    void showMaxPointerChanged(bool value);
    void showMinPointerChanged(bool value);
    void minMaxPointerSizeChanged(int value);
    void minMaxPointerMarginChanged(int value);
    void maxPointerColorChanged(TColor value);
    void minPointerColorChanged(TColor value);
    void minMaxUserCanMoveChanged(bool value);

protected:
    // Where the position is kept: the gauge keeps it in its first pointer,
    // whose change makes the repaint request. Without a place to keep it the
    // position reads as the minimum and storing it fails.
    virtual double storedPosition() const = 0;
    virtual bool storePosition(double value) = 0;
    virtual void clampPointersToRange() = 0;

    // Writes the maximum without any range logic, as a stored layout's
    // extra entry does.
    void assignPositionMaxDirectly(double value) { positionMax_ = value; }

private:
    double positionMax_ = 100;
    double positionMin_ = 0;
    double currentMax_ = 0;
    double currentMin_ = 0;
    bool minMaxFixed_ = false;
    bool showMaxPointer_ = false;
    bool showMinPointer_ = false;
    int minMaxPointerSize_ = 8;
    int minMaxPointerMargin_ = 0;
    TColor maxPointerColor_ = clAqua;
    TColor minPointerColor_ = clYellow;
    bool minMaxUserCanMove_ = false;
};
