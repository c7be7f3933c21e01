// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

class ConvergenceLine;

// Saving as a user does, with the file dialog answered by the test.

// Every save dialog from now on answers name; before answering, each calls
// meanwhile (when given), which may arrange what happens during the write.
void AnswerSaveDialogsWith(const QString& name, std::function<void()> meanwhile = {});

// A saved convergence CSV as read back; a field left empty reads as nothing.
struct ConvergenceRows {
    QString heading;
    std::vector<int64_t> paths;
    std::vector<std::optional<double>> quasi;
    std::vector<std::optional<double>> pseudo;
    // Every row ends in CRLF and has three fields that read whole.
    bool wellFormed = true;
};
ConvergenceRows ReadConvergenceCsv(const QString& fileName);

// The first row where column differs bit for bit from the line's values, the
// rows beyond the line's points being empty; -1 where none does.
int64_t FirstRowUnlike(const std::vector<std::optional<double>>& column, const ConvergenceLine& line);

// The names in a directory, hidden ones (a temporary file) included.
QStringList DirectoryEntries(const QString& path);
