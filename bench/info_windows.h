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
QStringList departmentSection(const QString &text, const QString &section);
QStringList departmentLines(const QString &section);

// Lines padded with blanks to one width so that they look centred, each
// ending with a line break, followed by a last line of blanks.
QString centredLines(const QStringList &lines);

// An image box that owns a photograph and shows it as photoRectIn() says.
// The photograph is decoded when it is first needed, not when the program
// starts: most runs never open the credits window.
class PhotoBox : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool proportional READ proportional WRITE setProportional)
public:
    explicit PhotoBox(QWidget *parent = nullptr);

    const QImage &photo() const;
    void setPhotoFile(const QString &fileName);
    bool proportional() const { return proportional_; }
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
// project's lead (the photograph "leadPhoto") or its programmer
// ("programmerPhoto") with a text ("personText").
class CreditsWindow : public QWidget {
    Q_OBJECT
public:
    explicit CreditsWindow(QWidget *parent = nullptr);

    // The menu items "Руководитель проекта" and "Программист": show the window
    // with the focus, or, when it is open already, swap its contents in place.
    void showLead();
    void showProgrammer();

    static QString leadText();
    static QString programmerText();

protected:
    bool event(QEvent *e) override;

private:
    void showWith(const QString &caption, bool lead, const QString &text);
    // Runs on every activation: centres the window on the work area and
    // places the photographs and the text.
    void onActivated();

    PhotoBox *programmerPhoto_;  // shrunk to fit
    PhotoBox *leadPhoto_;        // at its own size
    QLabel *personText_;
};

// The about window: a tool window with the program's purpose and version in
// its one label ("aboutText").
class AboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget *parent = nullptr);

    // The menu item "О программе...": shows the window with the focus. It
    // opens centred on the work area; while it stays open it stays where the
    // user has put it.
    void showAbout();

    static QString aboutText();

protected:
    bool event(QEvent *e) override;

private:
    // Runs on every activation: fits the text label to the window.
    void onActivated();
    void centreOnWorkArea();

    QLabel *textLabel_;
    // Set when the window opens: its frame is known for certain only once it
    // is active, so the centring is made again then.
    bool centrePending_ = false;
};
