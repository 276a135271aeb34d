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
    QStringList lines = DepartmentLines(section).mid(0, count);
    while (lines.size() < count)
        lines << QString();
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
    QFont font(BenchSansFamily());
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

} // namespace

QRect photoRectIn(QSize box, QSize photo, bool proportional)
{
    if (photo.isEmpty())
        return QRect();
    if (!proportional || (photo.width() <= box.width() && photo.height() <= box.height()))
        return QRect(QPoint(0, 0), photo);
    if (box.isEmpty())
        return QRect();
    // However thin the photograph, a pixel of it stays.
    return QRect(QPoint(0, 0), photo.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
}

QStringList DepartmentSection(const QString &text, const QString &section)
{
    QStringList lines;
    bool inSection = false;
    for (const QString &raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')))
            inSection = line.mid(1, line.size() - 2).trimmed() == section;
        else if (inSection)
            lines << line;
    }
    return lines;
}

QStringList DepartmentLines(const QString &section)
{
    QFile file(QString::fromLatin1(kDepartmentTexts));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return DepartmentSection(QString::fromUtf8(file.readAll()), section);
}

QString centredLines(const QStringList &lines)
{
    qsizetype width = 0;
    for (const QString &line : lines)
        width = std::max(width, line.size());
    width += 4;  // a margin of blanks on both sides of the longest line
    QString text;
    for (const QString &line : lines) {
        const qsizetype pad = width - line.size();
        text += QString(pad / 2, QLatin1Char(' ')) + line + QString(pad - pad / 2, QLatin1Char(' ')) + QLatin1Char('\n');
    }
    text += QString(width, QLatin1Char(' '));
    return text;
}

// ---------------------------------------------------------------------------

TPhotoImage::TPhotoImage(QWidget *parent) : QWidget(parent) {}

const QImage &TPhotoImage::photo() const
{
    if (!decoded_) {
        photo_ = QImage(photoFile_);
        decoded_ = true;
    }
    return photo_;
}

void TPhotoImage::setPhotoFile(const QString &fileName)
{
    photoFile_ = fileName;
    photo_ = QImage();
    decoded_ = false;
    update();
}

void TPhotoImage::setProportional(bool value)
{
    if (proportional_ == value)
        return;
    proportional_ = value;
    update();
}

void TPhotoImage::paintEvent(QPaintEvent *)
{
    if (photo().isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(photoRect(), photo());
}

// ---------------------------------------------------------------------------

TFRaz::TFRaz(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FRaz"));
    setUpInfoWindow(this, 322, 387, QStringLiteral("Разработчик"));

    Image1 = new TPhotoImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(80, 31, 177, 226);
    Image1->setProportional(true);
    Image1->setPhotoFile(QString::fromLatin1(kProgrammerPhoto));

    Image2 = new TPhotoImage(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(72, 32, 185, 233);
    Image2->setPhotoFile(QString::fromLatin1(kLeadPhoto));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    // Sized to its text when a person's text is set.
    Label1->move(64, 272);
}

QString TFRaz::leadText()
{
    // Full name; academic degree; post and department; institution; city and
    // country; e-mail address.
    return centredLines(linesOf(QStringLiteral("lead"), 6));
}

QString TFRaz::programmerText()
{
    // Full name; status as a student of a university.
    return centredLines(linesOf(QStringLiteral("programmer"), 2));
}

void TFRaz::showWith(const QString &caption, bool lead, const QString &text)
{
    showFocused(this);
    setWindowTitle(caption);
    Image2->setVisible(lead);
    Image1->setVisible(!lead);
    Label1->setText(text);
    Label1->adjustSize();
}

void TFRaz::showLead()
{
    showWith(QStringLiteral("Руководитель проекта"), true, leadText());
}

void TFRaz::showProgrammer()
{
    showWith(QStringLiteral("Программист"), false, programmerText());
}

void TFRaz::FormActivate()
{
    const QSize outer = frameGeometry().size();
    move(centredOrigin(workArea(this), outer));
    Image1->move(outer.width() / 2 - Image1->width() / 2, Image1->y());
    Image2->move(outer.width() / 2 - Image2->width() / 2, Image2->y());
    Label1->move(50, Label1->y());
}

bool TFRaz::event(QEvent *e)
{
    const bool handled = QWidget::event(e);
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return handled;
}

// ---------------------------------------------------------------------------

TForm_o_programe::TForm_o_programe(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form_o_programe"));
    setUpInfoWindow(this, 537, 162, QStringLiteral("О программе"));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setGeometry(8, 16, 520, 130);
    Label1->setText(aboutText());
}

QString TForm_o_programe::aboutText()
{
    QStringList lines{
        QStringLiteral("Программа моделирует выполнение лабораторной работы"),
        QStringLiteral("«Определение удельного заряда электрона"),
        QStringLiteral("методом магнитной фокусировки»"),
        QStringLiteral("Версия " EMLAB_VERSION " от ")
            + QDate::fromString(QStringLiteral(EMLAB_RELEASE_DATE), Qt::ISODate).toString(QStringLiteral("dd.MM.yyyy")),
        QString(),
    };
    lines << DepartmentLines(QStringLiteral("registration"));
    lines << QStringLiteral("© ") + linesOf(QStringLiteral("author"), 1).first() + QStringLiteral(", " EMLAB_RELEASE_YEAR);
    return centredLines(lines);
}

void TForm_o_programe::centreOnWorkArea()
{
    move(centredOrigin(workArea(this), frameGeometry().size()));
}

void TForm_o_programe::showAbout()
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

void TForm_o_programe::FormActivate()
{
    const QSize outer = frameGeometry().size();
    Label1->resize(outer.width() - 10, outer.height() - 10);
    Label1->move(outer.width() / 2 - Label1->width() / 2, 10);
}

bool TForm_o_programe::event(QEvent *e)
{
    const bool handled = QWidget::event(e);
    if (e->type() == QEvent::WindowActivate) {
        if (centrePending_) {
            centrePending_ = false;
            centreOnWorkArea();
        }
        FormActivate();
    }
    return handled;
}
