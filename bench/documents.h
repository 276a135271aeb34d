// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the lab documents that the "Файл" menu opens are found: in Files/
// under the folder the program was started in (beside a program run from its
// build folder), then in the installed data folder beside the program's own
// (<prefix>/share/emlab/Files for <prefix>/bin/emlab), then in emlab/Files
// under the desktop's data folders. So the installed program finds them
// wherever it is started from, and a folder of one's own comes first.
#include <QString>
#include <QStringList>

// The folders to look in, in that order, each named once.
QStringList documentFolders();

// The path of `name` in the first of `folders` that holds it; empty when none does.
QString findDocument(const QString &name, const QStringList &folders);

// What the bench says when a document is in none of the folders, or when no
// viewer could be started for it.
QString documentMissingText(const QString &name, const QStringList &folders);
QString documentNotOpenedText(const QString &name, const QString &path);
