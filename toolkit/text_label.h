// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A label that sizes itself to its text whenever the text or the font changes,
// measuring as the classic desktop does: the width of the text, and a height
// of the font's ascent and descent each rounded up to whole pixels (16-pixel
// Times gives 19, 13-pixel bold Times 15).
#include <QLabel>

class TLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLabel(const QString &text = QString(), QWidget *parent = nullptr);

    void setCaption(const QString &text);
    // The size the label takes for its current text and font.
    QSize autoSize() const;

protected:
    void changeEvent(QEvent *) override;
};

// The height of a line of text in this font, ascent and descent rounded up.
int textHeight(const QFont &font);
