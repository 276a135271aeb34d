#pragma once
// A status bar made of fixed-width text panels laid out from the left, each
// with its own alignment, as the bench shows its date and clock.
#include <QStatusBar>
#include <QVector>

class QLabel;

class TStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit TStatusBar(QWidget *parent = nullptr);

    // Adds a panel; returns its index.
    int addPanel(int width, Qt::Alignment alignment);
    int panelCount() const { return int(panels_.size()); }
    QString panelText(int index) const;
    void setPanelText(int index, const QString &text);
    QLabel *panel(int index) const { return panels_.at(index); }

private:
    QVector<QLabel *> panels_;
};
