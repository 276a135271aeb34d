// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace {

// A box breaks its lines only where a text allows it, at blanks and the
// like; a pasted row of digits would make it wider than the screen. Inside a
// run of more than `longest` characters without a blank, a zero-width space
// after each character lets the line break anywhere (never inside a
// surrogate pair or before a combining mark).
QString breakableAnywhere(const QString &text)
{
    constexpr qsizetype longest = 40;
    QString out;
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype end = i;
        while (end < text.size() && !text[end].isSpace()) ++end;
        const bool longRun = end - i > longest;
        for (; i < end; ++i) {
            out += text[i];
            const bool joined = i + 1 < end && (text[i + 1].isLowSurrogate() || text[i + 1].isMark());
            if (longRun && i + 1 < end && !joined) out += QChar(0x200B);
        }
        while (i < text.size() && text[i].isSpace()) out += text[i++];
    }
    return out;
}

// A message quoting a pasted text can be enormous; the box shows its ends,
// in lines that fit the screen.
QString forDisplay(const QString &message)
{
    constexpr qsizetype limit = 400;
    if (message.size() <= limit) return breakableAnywhere(message);
    // Each end keeps a character beyond 16 bits whole.
    qsizetype head = limit / 2, tail = limit / 2;
    if (message[head - 1].isHighSurrogate()) --head;
    if (message[message.size() - tail].isLowSurrogate()) --tail;
    return breakableAnywhere(message.left(head) + QStringLiteral(" … ") + message.right(tail));
}

// The program's start names the application after its title. No display
// name is set: Qt would append it to every other window's caption.
QString applicationTitle()
{
    return QCoreApplication::applicationName();
}

class QtDialogs final : public DialogService {
public:
    void showError(const QString &message) override
    {
        QMessageBox box(QMessageBox::Critical, applicationTitle(), forDisplay(message), QMessageBox::Ok);
        box.exec();
    }

    void showMessage(const QString &text) override
    {
        QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok);
        box.exec();
    }

    bool askWarningYesNo(const QString &text) override
    {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text);
        QPushButton *yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    }

    bool shellOpen(const QString &path) override
    {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::current().absoluteFilePath(path)));
    }
};

QtDialogs qtDialogs;
DialogService *current = &qtDialogs;

}  // namespace

DialogService &dialogs()
{
    return *current;
}

void setDialogs(DialogService *service)
{
    current = service ? service : &qtDialogs;
}
