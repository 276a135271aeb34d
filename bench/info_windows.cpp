// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/info_windows.h"

#include "bench/stored_layout.h"

#include "emlab_version.h"
#include "toolkit/colors.h"
#include "toolkit/work_area.h"

#include <QDate>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPalette>

#include <algorithm>

namespace {

// The department's texts and photographs ship inside the program
// (resources/department/, compiled in through resources/emlab.qrc).
const char *const kDepartmentTexts = ":/department/department.txt";
const char *const kLeadPhoto = ":/department/lead.jpg";
const char *const kProgrammerPhoto = ":/department/programmer.jpg";

// Exactly `count` lines of a section: a department that gives fewer gets
// blank lines, one that gives more loses the extra ones, so the windows keep
// their layout.
QStringList linesOf(const QString &section, qsizetype count)
{
    QStringList lines = departmentLines(section).mid(0, count);
    while (lines.size() < count) lines << QString();
    return lines;
}

// Both windows: tool windows with a small caption and a close box only.
constexpr Qt::WindowFlags kToolWindow =
    Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

void setUpInfoWindow(QWidget *window, int clientWidth, int clientHeight, const QString &caption)
{
    window->setWindowFlags(kToolWindow);
    window->setWindowTitle(caption);
    window->setFixedSize(clientWidth, clientHeight);
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, toQColor(cl3DLight));
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    QFont font(benchSansFamily());
    font.setPixelSize(11);
    window->setFont(font);
    // Closing hides the window; the bench alone decides when the program ends.
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->setAttribute(Qt::WA_QuitOnClose, false);
}

void showFocused(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

QRect photoRectIn(QSize box, QSize photo, bool proportional)
{
    if (photo.isEmpty()) return QRect();
    if (!proportional || (photo.width() <= box.width() && photo.height() <= box.height()))
        return QRect(QPoint(0, 0), photo);
    if (box.isEmpty()) return QRect();
    // However thin the photograph, a pixel of it stays.
    return QRect(QPoint(0, 0), photo.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
}

QStringList departmentSection(const QString &text, const QString &section)
{
    QStringList lines;
    bool inSection = false;
    for (const QString &raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')))
            inSection = line.mid(1, line.size() - 2).trimmed() == section;
        else if (inSection)
            lines << line;
    }
    return lines;
}

QStringList departmentLines(const QString &section)
{
    QFile file(QString::fromLatin1(kDepartmentTexts));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return departmentSection(QString::fromUtf8(file.readAll()), section);
}

QString centredLines(const QStringList &lines)
{
    qsizetype width = 0;
    for (const QString &line : lines) width = std::max(width, line.size());
    width += 4;  // a margin of blanks on both sides of the longest line
    QString text;
    for (const QString &line : lines) {
        const qsizetype pad = width - line.size();
        text +=
            QString(pad / 2, QLatin1Char(' ')) + line + QString(pad - pad / 2, QLatin1Char(' ')) + QLatin1Char('\n');
    }
    text += QString(width, QLatin1Char(' '));
    return text;
}

// ---------------------------------------------------------------------------

PhotoBox::PhotoBox(QWidget *parent) : QWidget(parent) {}

const QImage &PhotoBox::photo() const
{
    if (!decoded_) {
        photo_ = QImage(photoFile_);
        decoded_ = true;
    }
    return photo_;
}

void PhotoBox::setPhotoFile(const QString &fileName)
{
    photoFile_ = fileName;
    photo_ = QImage();
    decoded_ = false;
    update();
}

void PhotoBox::setProportional(bool value)
{
    if (proportional_ == value) return;
    proportional_ = value;
    update();
}

void PhotoBox::paintEvent(QPaintEvent *)
{
    if (photo().isNull()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(photoRect(), photo());
}

// ---------------------------------------------------------------------------

CreditsWindow::CreditsWindow(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("creditsWindow"));
    setUpInfoWindow(this, 322, 387, QStringLiteral("Разработчик"));

    programmerPhoto_ = new PhotoBox(this);
    programmerPhoto_->setObjectName(QStringLiteral("programmerPhoto"));
    programmerPhoto_->setGeometry(80, 31, 177, 226);
    programmerPhoto_->setProportional(true);
    programmerPhoto_->setPhotoFile(QString::fromLatin1(kProgrammerPhoto));

    leadPhoto_ = new PhotoBox(this);
    leadPhoto_->setObjectName(QStringLiteral("leadPhoto"));
    leadPhoto_->setGeometry(72, 32, 185, 233);
    leadPhoto_->setPhotoFile(QString::fromLatin1(kLeadPhoto));

    personText_ = new QLabel(this);
    personText_->setObjectName(QStringLiteral("personText"));
    personText_->setTextFormat(Qt::PlainText);
    // Sized to its text when a person's text is set.
    personText_->move(64, 272);
}

QString CreditsWindow::leadText()
{
    // Full name; academic degree; post and department; institution; city and
    // country; e-mail address.
    return centredLines(linesOf(QStringLiteral("lead"), 6));
}

QString CreditsWindow::programmerText()
{
    // Full name; status as a student of a university.
    return centredLines(linesOf(QStringLiteral("programmer"), 2));
}

void CreditsWindow::showWith(const QString &caption, bool lead, const QString &text)
{
    showFocused(this);
    setWindowTitle(caption);
    leadPhoto_->setVisible(lead);
    programmerPhoto_->setVisible(!lead);
    personText_->setText(text);
    personText_->adjustSize();
}

void CreditsWindow::showLead()
{
    showWith(QStringLiteral("Руководитель проекта"), true, leadText());
}

void CreditsWindow::showProgrammer()
{
    showWith(QStringLiteral("Программист"), false, programmerText());
}

void CreditsWindow::onActivated()
{
    const QSize outer = frameGeometry().size();
    move(centredOrigin(workArea(this), outer));
    programmerPhoto_->move(outer.width() / 2 - programmerPhoto_->width() / 2, programmerPhoto_->y());
    leadPhoto_->move(outer.width() / 2 - leadPhoto_->width() / 2, leadPhoto_->y());
    personText_->move(50, personText_->y());
}

bool CreditsWindow::event(QEvent *e)
{
    const bool handled = QWidget::event(e);
    if (e->type() == QEvent::WindowActivate) onActivated();
    return handled;
}

// ---------------------------------------------------------------------------

AboutWindow::AboutWindow(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("aboutWindow"));
    setUpInfoWindow(this, 537, 162, QStringLiteral("О программе"));

    textLabel_ = new QLabel(this);
    textLabel_->setObjectName(QStringLiteral("aboutText"));
    textLabel_->setTextFormat(Qt::PlainText);
    textLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    textLabel_->setGeometry(8, 16, 520, 130);
    textLabel_->setText(aboutText());
}

QString AboutWindow::aboutText()
{
    QStringList lines{
        QStringLiteral("Программа моделирует выполнение лабораторной работы"),
        QStringLiteral("«Определение удельного заряда электрона"),
        QStringLiteral("методом магнитной фокусировки»"),
        QStringLiteral("Версия " EMLAB_VERSION " от ") +
            QDate::fromString(QStringLiteral(EMLAB_RELEASE_DATE), Qt::ISODate).toString(QStringLiteral("dd.MM.yyyy")),
        QString(),
    };
    lines << departmentLines(QStringLiteral("registration"));
    lines << QStringLiteral("© ") + linesOf(QStringLiteral("author"), 1).first() +
            QStringLiteral(", " EMLAB_RELEASE_YEAR);
    return centredLines(lines);
}

void AboutWindow::centreOnWorkArea()
{
    move(centredOrigin(workArea(this), frameGeometry().size()));
}

void AboutWindow::showAbout()
{
    // Opens centred on the work area, frame included; once open it is left
    // where the user moves it.
    const bool opening = !isVisible();
    showFocused(this);
    if (opening) {
        centreOnWorkArea();
        centrePending_ = true;
    }
}

void AboutWindow::onActivated()
{
    const QSize outer = frameGeometry().size();
    textLabel_->resize(outer.width() - 10, outer.height() - 10);
    textLabel_->move(outer.width() / 2 - textLabel_->width() / 2, 10);
}

bool AboutWindow::event(QEvent *e)
{
    const bool handled = QWidget::event(e);
    if (e->type() == QEvent::WindowActivate) {
        if (centrePending_) {
            centrePending_ = false;
            centreOnWorkArea();
        }
        onActivated();
    }
    return handled;
}
