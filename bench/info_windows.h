// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two small information windows beside the bench: the credits window,
// which shows one of two photographs with a short text, and the about window.
// Both are created hidden at start and are hidden, not destroyed, when the
// user closes them; neither keeps the program running once the bench closes.
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>

class QLabel;

// Where a photograph lands in its box: at its own size from the top left, or,
// when proportional and larger than the box, shrunk to fit the box with its
// proportions kept (still from the top left). A photograph that fits is never
// enlarged.
QRect photoRectIn(QSize box, QSize photo, bool proportional);

// The department's own texts (resources/department/department.txt): the
// lines of one [section] of such a text, trimmed, without comments (# ...) and
// empty lines; and the lines of a section of the text compiled into the
// program.
QStringList DepartmentSection(const QString &text, const QString &section);
QStringList DepartmentLines(const QString &section);

// Lines padded with blanks to one width so that they look centred, each
// ending with a line break, followed by a last line of blanks.
QString centredLines(const QStringList &lines);

// An image box that owns a photograph and shows it as photoRectIn() says.
// The photograph is decoded when it is first needed, not when the program
// starts: most runs never open the credits window.
class TPhotoImage : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Proportional READ Proportional WRITE setProportional)
public:
    explicit TPhotoImage(QWidget *parent = nullptr);

    const QImage &photo() const;
    void setPhotoFile(const QString &fileName);
    bool Proportional() const { return proportional_; }
    void setProportional(bool value);
    QRect photoRect() const { return photoRectIn(size(), photo().size(), proportional_); }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QString photoFile_;
    mutable QImage photo_;
    mutable bool decoded_ = false;
    bool proportional_ = false;
};

// The credits window: a fixed-size tool window that shows either the
// project's lead (Image2) or its programmer (Image1) with a text in Label1.
class TFRaz : public QWidget {
    Q_OBJECT
public:
    explicit TFRaz(QWidget *parent = nullptr);

    // The menu items "Руководитель проекта" and "Программист": show the window
    // with the focus, or, when it is open already, swap its contents in place.
    void showLead();
    void showProgrammer();

    // Runs on every activation: centres the window on the work area and
    // places the photographs and the text.
    void FormActivate();

    static QString leadText();
    static QString programmerText();

    TPhotoImage *Image1;  // the programmer's photograph, shrunk to fit
    TPhotoImage *Image2;  // the lead's photograph, at its own size
    QLabel *Label1;

protected:
    bool event(QEvent *e) override;

private:
    void showWith(const QString &caption, bool lead, const QString &text);
};

// The about window: a tool window with the program's purpose and version.
class TForm_o_programe : public QWidget {
    Q_OBJECT
public:
    explicit TForm_o_programe(QWidget *parent = nullptr);

    // The menu item "О программе...": shows the window with the focus. It
    // opens centred on the work area; while it stays open it stays where the
    // user has put it.
    void showAbout();

    // Runs on every activation: fits the text label to the window.
    void FormActivate();

    static QString aboutText();

    QLabel *Label1;

protected:
    bool event(QEvent *e) override;

private:
    void centreOnWorkArea();
    // Set when the window opens: its frame is known for certain only once it
    // is active, so the centring is made again then.
    bool centrePending_ = false;
};
