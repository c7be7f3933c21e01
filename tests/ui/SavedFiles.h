// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>

#include <QByteArrayList>
#include <QString>
#include <QStringList>

class ConvergenceLine;

// Saving as a user does, with the file dialog answered by the test: every
// save dialog from now on answers name, calling meanwhile (when given) first.
void AnswerSaveDialogsWith(const QString& name, std::function<void()> meanwhile = {});

// The lines of a saved file without their CRLF ends; none where a line ends
// otherwise.
QByteArrayList CsvLines(const QString& fileName);

// The first row (from 0, below the heading) whose path count is not row + 1,
// or whose field (1 quasi, 2 pseudo) is not the line's value bit for bit, or
// not empty beyond the line's points; -1 where there is none.
int64_t FirstRowUnlike(const QByteArrayList& lines, int field, const ConvergenceLine& line);

// The names in a directory, hidden ones (a temporary file) included.
QStringList DirectoryEntries(const QString& path);
