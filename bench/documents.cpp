// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/documents.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QStringList documentFolders()
{
    QStringList folders{
        QDir::current().absoluteFilePath(QStringLiteral("Files")),
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../share/emlab/Files"))};
    for (const QString &data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders << QDir(data).absoluteFilePath(QStringLiteral("emlab/Files"));
    QStringList unique;
    for (const QString &folder : folders) {
        const QString clean = QDir::cleanPath(folder);
        if (!unique.contains(clean)) unique << clean;
    }
    return unique;
}

QString findDocument(const QString &name, const QStringList &folders)
{
    for (const QString &folder : folders) {
        const QFileInfo document(QDir(folder).filePath(name));
        if (document.isFile()) return document.absoluteFilePath();
    }
    return QString();
}

QString documentMissingText(const QString &name, const QStringList &folders)
{
    QStringList shown;
    for (const QString &folder : folders) shown << QDir::toNativeSeparators(folder);
    return QStringLiteral("Документ «%1» не найден. Он искался в папках:\n%2").arg(name, shown.join(QLatin1Char('\n')));
}

QString documentNotOpenedText(const QString &name, const QString &path)
{
    return QStringLiteral("Документ «%1» не удалось открыть: для файла %2 не нашлось программы просмотра PDF.")
        .arg(name, QDir::toNativeSeparators(path));
}
