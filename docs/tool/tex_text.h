// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers and texts as the lab documents print them, and the files of TeX
// definitions the documents' tools write for the documents' build.
#include <QDir>
#include <QString>

// The Russian decimal comma, braced so that formulas set it without the
// space after a punctuation comma.
QString texDecimal(double value, int decimals);
// Text that TeX must print as it stands.
QString texEscaped(const QString &text);
// \newcommand\<name>{<body>} on a line of its own.
QString texMacro(const QString &name, const QString &body);
// Writes `text` as UTF-8; a failure throws.
void writeTextFile(const QDir &folder, const QString &name, const QString &text);
