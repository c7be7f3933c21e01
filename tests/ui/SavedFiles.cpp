// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SavedFiles.h"

#include <bit>
#include <charconv>

#include <QDir>
#include <QFile>

#include "ui/ConvergenceLine.h"
#include "ui/SaveFileChoice.h"

namespace {

template <class Number>
std::optional<Number> ReadWhole(const QByteArray& field)
{
    Number value{};
    const char* end = field.constData() + field.size();
    const auto [last, error] = std::from_chars(field.constData(), end, value);
    if (error != std::errc() || last != end) return std::nullopt;
    return value;
}

}  // namespace

void AnswerSaveDialogsWith(const QString& name, std::function<void()> meanwhile)
{
    SetSaveFileChooser([name, meanwhile](QWidget*, const SaveFileKinds&) {
        if (meanwhile) meanwhile();
        return name;
    });
}

ConvergenceRows ReadConvergenceCsv(const QString& fileName)
{
    ConvergenceRows read;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        read.wellFormed = false;
        return read;
    }
    QList<QByteArray> lines = file.readAll().split('\n');
    // The last line end leaves an empty piece.
    if (lines.isEmpty() || !lines.back().isEmpty()) read.wellFormed = false;
    if (!lines.isEmpty()) lines.removeLast();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (!line.endsWith('\r')) read.wellFormed = false;
        line.chop(1);
        if (i == 0) {
            read.heading = QString::fromUtf8(line);
            continue;
        }
        const QList<QByteArray> fields = line.split(',');
        const std::optional<int64_t> paths = fields.size() == 3 ? ReadWhole<int64_t>(fields[0]) : std::nullopt;
        if (!paths) {
            read.wellFormed = false;
            continue;
        }
        read.paths.push_back(*paths);
        for (const auto& [field, column] : {std::pair{fields[1], &read.quasi}, std::pair{fields[2], &read.pseudo}}) {
            const std::optional<double> value = ReadWhole<double>(field);
            if (!field.isEmpty() && !value) read.wellFormed = false;
            column->push_back(value);
        }
    }
    return read;
}

int64_t FirstRowUnlike(const std::vector<std::optional<double>>& column, const ConvergenceLine& line)
{
    for (std::size_t row = 0; row < column.size(); ++row) {
        const int32_t index = static_cast<int32_t>(row);
        if (index >= line.PointCount()) {
            if (column[row]) return index;
            continue;
        }
        const double expected = line.data()->at(index)->value;
        if (!column[row] || std::bit_cast<uint64_t>(*column[row]) != std::bit_cast<uint64_t>(expected)) return index;
    }
    return -1;
}

QStringList DirectoryEntries(const QString& path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}
