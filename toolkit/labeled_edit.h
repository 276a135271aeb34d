#pragma once
// Single-line edit fields with a per-character key filter, and the variant
// with a caption label above it.
//
// The filter sees every character a key press types, as the classic desktop
// delivers them: printable characters, and the control characters backspace
// (8), tab (9), enter (13), escape (27) and Ctrl+letter (1 to 26). Setting the
// character to 0 discards it. Keys that type nothing (arrows, Delete, Home,
// Shift+Insert, ...) never reach the filter, and neither does pasted text: a
// paste through the context menu or Shift+Insert goes into the field as it is.
#include "toolkit/text_label.h"

#include <QLineEdit>
#include <functional>

class TEdit : public QLineEdit {
    Q_OBJECT
public:
    using KeyPressHandler = std::function<void(QChar &key)>;

    explicit TEdit(QWidget *parent = nullptr);

    void setOnKeyPress(KeyPressHandler handler) { onKeyPress_ = std::move(handler); }

    // The character a key event types, or a null QChar when it types none.
    static QChar typedCharacter(const QKeyEvent &event);

protected:
    void keyPressEvent(QKeyEvent *) override;

private:
    KeyPressHandler onKeyPress_;
};

// An edit field whose caption label sits just above it, left-aligned with it,
// LabelSpacing pixels higher. The label shares the field's parent and follows
// the field's position, visibility and enabled state.
class TLabeledEdit : public TEdit {
    Q_OBJECT
public:
    explicit TLabeledEdit(QWidget *parent = nullptr);

    TLabel *EditLabel() const { return label_; }
    int LabelSpacing() const { return labelSpacing_; }
    void setLabelSpacing(int spacing);
    // Puts the label back above the field, e.g. after its caption changed.
    void placeLabel();

    void setVisible(bool visible) override;

protected:
    void moveEvent(QMoveEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void changeEvent(QEvent *) override;

private:
    TLabel *label_;
    int labelSpacing_ = 3;
};
