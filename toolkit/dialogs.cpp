#include "toolkit/dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace {

// A message quoting a pasted text can be enormous; the box shows its ends.
QString forDisplay(const QString &message)
{
    constexpr qsizetype limit = 400;
    if (message.size() <= limit) return message;
    return message.left(limit / 2) + QStringLiteral(" … ") + message.right(limit / 2);
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

    void shellOpen(const QString &path) override
    {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::current().absoluteFilePath(path)));
    }
};

QtDialogs qtDialogs;
DialogService *current = &qtDialogs;

} // namespace

DialogService &dialogs()
{
    return *current;
}

void setDialogs(DialogService *service)
{
    current = service ? service : &qtDialogs;
}
