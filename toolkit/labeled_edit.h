// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Single-line edit fields with a per-character key filter, and the variant
// with a caption label above it.
//
// The filter sees every character typed into the field, as the classic
// desktop delivers them: printable characters, and the control characters
// backspace (8), tab (9), enter (13), escape (27) and Ctrl+letter (1 to 26)
// where the letter is no editing shortcut.
// Setting the character to 0 discards it. A character typed through the
// input method (a dead key, the Compose key, an input method editor) passes
// the same filter as one typed by its own key; a character beyond the 16-bit
// range reaches it in its two halves. Keys that type nothing (arrows, Delete,
// Home, Shift+Insert, ...) and the field's own editing shortcuts (Ctrl+A,
// Ctrl+C, Ctrl+X, Ctrl+V, Ctrl+Z, ...) never reach the filter, and neither
// does pasted text: a paste through the context menu, Ctrl+V, Shift+Insert,
// the middle button or drag and drop goes into the field as it is.
//
// A field reads left to right in any window and shows the bidirectional
// controls in its text by their code, so that what it shows is in the order
// it holds ("\u202E1400" would read "0041"); it keeps its undo history
// bounded however much is pasted into it.
#include "toolkit/text_label.h"

#include <QLineEdit>
#include <functional>

class TEdit : public QLineEdit {
    Q_OBJECT
public:
    using KeyPressHandler = std::function<void(QChar &key)>;

    explicit TEdit(QWidget *parent = nullptr);

    void setOnKeyPress(KeyPressHandler handler) { onKeyPress_ = std::move(handler); }

    // What a key event types: the control character of the keys that type
    // one, the event's text otherwise; empty when it types nothing.
    static QString typedText(const QKeyEvent &event);

protected:
    void keyPressEvent(QKeyEvent *) override;
    void inputMethodEvent(QInputMethodEvent *) override;

private:
    // The characters of `typed` that the filter lets through, as it left them.
    QString filtered(const QString &typed) const;
    void boundUndoHistory(const QString &text);

    KeyPressHandler onKeyPress_;
    qsizetype lengthBefore_ = 0;  // the text's length before the change under way
    qsizetype undoLoad_ = 0;      // at most this many characters' steps are in the undo history
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
