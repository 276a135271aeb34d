// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/labeled_edit.h"

#include "toolkit/visible_text.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QValidator>

namespace {

// Takes every text, with its bidirectional controls shown by their code.
class DirectionControlsShown final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override
    {
        const QString shown = visibleDirectionControls(input);
        if (shown.size() != input.size()) {
            pos = int(visibleDirectionControls(input.left(pos)).size());
            input = shown;
        }
        return Acceptable;
    }
};

}  // namespace

TEdit::TEdit(QWidget *parent) : QLineEdit(parent)
{
    // A number reads left to right, also in a right-to-left window ("-5", not "5-").
    setLayoutDirection(Qt::LeftToRight);
    setValidator(new DirectionControlsShown(this));
    connect(this, &QLineEdit::textChanged, this, &TEdit::boundUndoHistory);
}

QString TEdit::typedText(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Backspace: return QString(QChar(8));
    case Qt::Key_Tab: return QString(QChar(9));
    case Qt::Key_Return:
    case Qt::Key_Enter: return QString(QChar(13));
    case Qt::Key_Escape: return QString(QChar(27));
    default: break;
    }
    // The field's own editing shortcuts type nothing: select all, copy, cut,
    // paste, undo and redo work as in any field, whatever the filter lets in.
    for (const QKeySequence::StandardKey editing :
         {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste, QKeySequence::Undo,
          QKeySequence::Redo, QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine})
        if (event.matches(editing)) return QString();
    const Qt::KeyboardModifiers mods = event.modifiers();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier)) {
        // Ctrl+letter types the control character of that letter.
        if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
            return QString(QChar(char16_t(event.key() - Qt::Key_A + 1)));
        return QString();
    }
    QString text = event.text();
    // Delete and the like arrive with a control code as text but type nothing.
    if (text.isEmpty() || text.front().category() == QChar::Other_Control) return QString();
    return text;
}

QString TEdit::filtered(const QString &typed) const
{
    QString passed;
    for (QChar key : typed) {
        onKeyPress_(key);
        if (!key.isNull()) passed += key;
    }
    return passed;
}

void TEdit::keyPressEvent(QKeyEvent *e)
{
    const QString typed = onKeyPress_ ? typedText(*e) : QString();
    if (typed.isEmpty()) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    const QString passed = filtered(typed);
    if (passed == typed) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    if (passed.isEmpty()) {
        e->accept();
        return;
    }
    // The filter replaced or discarded characters: type what it let through.
    QKeyEvent replaced(e->type(), 0, Qt::NoModifier, passed);
    QLineEdit::keyPressEvent(&replaced);
    e->setAccepted(replaced.isAccepted());
}

void TEdit::inputMethodEvent(QInputMethodEvent *e)
{
    const QString committed = e->commitString();
    if (!onKeyPress_ || committed.isEmpty()) {
        QLineEdit::inputMethodEvent(e);
        return;
    }
    // An input method types text; a control character in it is no key press.
    QString typed;
    for (const QChar c : committed)
        if (c.category() != QChar::Other_Control) typed += c;
    const QString passed = filtered(typed);
    if (passed == committed) {
        QLineEdit::inputMethodEvent(e);
        return;
    }
    // The text being composed stays on show; of the committed text only what
    // the filter let through goes in, and where nothing does, nothing that
    // the input method meant to replace goes either.
    QInputMethodEvent replaced(e->preeditString(), e->attributes());
    if (!passed.isEmpty()) replaced.setCommitString(passed, e->replacementStart(), e->replacementLength());
    QLineEdit::inputMethodEvent(&replaced);
    e->setAccepted(replaced.isAccepted());
}

// QLineEdit keeps every character that a change removes or inserts in its
// undo history, for good: each paste of a long text would hold a megabyte
// more. A change puts there at most the characters of the text before and
// after it (and a few markers). Once the changes since the history was last
// dropped may have put more than `budget` characters there, it is dropped:
// typing a number never comes near that, while a long paste cannot be undone.
void TEdit::boundUndoHistory(const QString &text)
{
    constexpr qsizetype budget = 4096;
    undoLoad_ += lengthBefore_ + text.size();
    lengthBefore_ = text.size();
    if (undoLoad_ <= budget) return;
    undoLoad_ = 0;
    // Setting the same text drops the history and the selection, nothing else.
    const int start = selectionStart(), length = selectionLength(), cursor = cursorPosition();
    setText(text);
    if (length > 0 && cursor == start)
        setSelection(start + length, -length);
    else if (length > 0)
        setSelection(start, length);
    else
        setCursorPosition(cursor);
}

TLabeledEdit::TLabeledEdit(QWidget *parent) : TEdit(parent), label_(new TLabel(QString(), parent))
{
    placeLabel();
}

void TLabeledEdit::setLabelSpacing(int spacing)
{
    labelSpacing_ = spacing;
    placeLabel();
}

void TLabeledEdit::placeLabel()
{
    label_->move(x(), y() - label_->height() - labelSpacing_);
}

void TLabeledEdit::setVisible(bool visible)
{
    TEdit::setVisible(visible);
    label_->setVisible(visible);
}

void TLabeledEdit::moveEvent(QMoveEvent *e)
{
    TEdit::moveEvent(e);
    placeLabel();
}

void TLabeledEdit::resizeEvent(QResizeEvent *e)
{
    TEdit::resizeEvent(e);
    placeLabel();
}

void TLabeledEdit::changeEvent(QEvent *e)
{
    TEdit::changeEvent(e);
    if (e->type() == QEvent::EnabledChange) label_->setEnabled(isEnabled());
}
