#include "toolkit/labeled_edit.h"

#include <QKeyEvent>

TEdit::TEdit(QWidget *parent)
    : QLineEdit(parent)
{
}

QChar TEdit::typedCharacter(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Backspace: return QChar(8);
    case Qt::Key_Tab: return QChar(9);
    case Qt::Key_Return:
    case Qt::Key_Enter: return QChar(13);
    case Qt::Key_Escape: return QChar(27);
    default: break;
    }
    const Qt::KeyboardModifiers mods = event.modifiers();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier)) {
        // Ctrl+letter types the control character of that letter.
        if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
            return QChar(char16_t(event.key() - Qt::Key_A + 1));
        return QChar();
    }
    const QString text = event.text();
    if (text.isEmpty()) return QChar();
    const QChar c = text.front();
    // Delete and the like arrive with a control code as text but type nothing.
    if (c.category() == QChar::Other_Control) return QChar();
    return c;
}

void TEdit::keyPressEvent(QKeyEvent *e)
{
    QChar key = typedCharacter(*e);
    if (key.isNull() || !onKeyPress_) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    const QChar typed = key;
    onKeyPress_(key);
    if (key.isNull()) {
        e->accept();
        return;
    }
    if (key == typed) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    // The filter replaced the character: type the replacement instead.
    QKeyEvent replaced(e->type(), 0, Qt::NoModifier, QString(key));
    QLineEdit::keyPressEvent(&replaced);
    e->setAccepted(replaced.isAccepted());
}

TLabeledEdit::TLabeledEdit(QWidget *parent)
    : TEdit(parent), label_(new TLabel(QString(), parent))
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
