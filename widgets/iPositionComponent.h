// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The value behind a position instrument: a real position inside a range, the
// running maximum and minimum of that position with their notifications, and
// the settings of the two peak pointers that show them.
#include "widgets/iVCLComponent.h"

// Fraction of the range [min, max] that v lies at: 1 above the maximum, 0 at
// or below the minimum and on an empty or inverted range.
double PositionFraction(double positionMin, double positionMax, double v);

class TiPositionComponent : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(double Position READ Position WRITE setPosition)
    Q_PROPERTY(double PositionMax READ PositionMax WRITE setPositionMax)
    Q_PROPERTY(double PositionMin READ PositionMin WRITE setPositionMin)
    Q_PROPERTY(double CurrentMax READ CurrentMax WRITE setCurrentMax)
    Q_PROPERTY(double CurrentMin READ CurrentMin WRITE setCurrentMin)
    Q_PROPERTY(bool MinMaxFixed READ MinMaxFixed WRITE setMinMaxFixed)
    Q_PROPERTY(bool ShowMaxPointer READ ShowMaxPointer WRITE setShowMaxPointer)
    Q_PROPERTY(bool ShowMinPointer READ ShowMinPointer WRITE setShowMinPointer)
    Q_PROPERTY(int MinMaxPointerSize READ MinMaxPointerSize WRITE setMinMaxPointerSize)
    Q_PROPERTY(int MinMaxPointerMargin READ MinMaxPointerMargin WRITE setMinMaxPointerMargin)
    Q_PROPERTY(TColor MaxPointerColor READ MaxPointerColor WRITE setMaxPointerColor)
    Q_PROPERTY(TColor MinPointerColor READ MinPointerColor WRITE setMinPointerColor)
    Q_PROPERTY(bool MinMaxUserCanMove READ MinMaxUserCanMove WRITE setMinMaxUserCanMove)

public:
    explicit TiPositionComponent(QWidget *parent = nullptr);
    ~TiPositionComponent() override;

    double Position() const { return GetPosition(); }
    void setPosition(double value) { SetPosition(value); }
    double PositionMax() const { return positionMax_; }
    void setPositionMax(double value) { SetPositionMax(value); }
    double PositionMin() const { return positionMin_; }
    void setPositionMin(double value) { SetPositionMin(value); }
    double CurrentMax() const { return currentMax_; }
    void setCurrentMax(double value) { SetCurrentMax(value); }
    double CurrentMin() const { return currentMin_; }
    void setCurrentMin(double value) { SetCurrentMin(value); }
    bool MinMaxFixed() const { return minMaxFixed_; }
    void setMinMaxFixed(bool value);

    bool ShowMaxPointer() const { return showMaxPointer_; }
    void setShowMaxPointer(bool value);
    bool ShowMinPointer() const { return showMinPointer_; }
    void setShowMinPointer(bool value);
    int MinMaxPointerSize() const { return minMaxPointerSize_; }
    void setMinMaxPointerSize(int value);
    int MinMaxPointerMargin() const { return minMaxPointerMargin_; }
    void setMinMaxPointerMargin(int value);
    TColor MaxPointerColor() const { return maxPointerColor_; }
    void setMaxPointerColor(TColor value);
    TColor MinPointerColor() const { return minPointerColor_; }
    void setMinPointerColor(TColor value);
    bool MinMaxUserCanMove() const { return minMaxUserCanMove_; }
    void setMinMaxUserCanMove(bool value);

    // Both limits at once; no check that the minimum lies below the maximum.
    void SetRange(double newMax, double newMin);
    virtual void SetCurrentMax(double value);
    virtual void SetCurrentMin(double value);
    double PositionToFraction(double value) const;

signals:
    void PositionChange(QObject *Sender);
    void CurrentMaxChange(QObject *Sender);
    void CurrentMinChange(QObject *Sender);
    void PositionOverMax(QObject *Sender);
    void PositionUnderMin(QObject *Sender);

protected:
    virtual double GetPosition() const;
    virtual void SetPosition(double value);
    virtual void PositionChanged() {}
    virtual void SetPositionMin(double value);
    virtual void SetPositionMax(double value);
    virtual void ClampPointersToRange();

    // Where the position is kept: the gauge keeps it in its first pointer,
    // whose change makes the repaint request.
    virtual double StoredPosition() const = 0;
    virtual void StorePosition(double value) = 0;

    // Writes the maximum without any range logic, as a stored layout's
    // extra entry does.
    void AssignPositionMaxDirectly(double value) { positionMax_ = value; }

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
