// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SavedFiles.h"

#include <bit>
#include <charconv>

#include <QDir>
#include <QFile>

#include "ui/ConvergenceLine.h"
#include "ui/SaveFileChoice.h"

void AnswerSaveDialogsWith(const QString& name, std::function<void()> meanwhile)
{
    SetSaveFileChooser([name, meanwhile](QWidget*, const SaveFileKinds&) {
        if (meanwhile) meanwhile();
        return name;
    });
}

QByteArrayList CsvLines(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QByteArrayList lines = file.readAll().split('\n');
    lines.removeLast();  // after the last line end
    for (QByteArray& line : lines) {
        if (!line.endsWith('\r')) return {};
        line.chop(1);
    }
    return lines;
}

int64_t FirstRowUnlike(const QByteArrayList& lines, int field, const ConvergenceLine& line)
{
    for (qsizetype row = 0; row + 1 < lines.size(); ++row) {
        const QByteArrayList fields = lines[row + 1].split(',');
        if (fields.size() != 3 || fields[0] != QByteArray::number(row + 1)) return row;
        const QByteArray& text = fields[field];
        if (row >= line.PointCount()) {
            if (!text.isEmpty()) return row;
            continue;
        }
        double value = 0.0;
        const auto [end, error] = std::from_chars(text.constData(), text.constData() + text.size(), value);
        const double expected = line.data()->at(static_cast<int>(row))->value;
        if (error != std::errc() || end != text.constData() + text.size() ||
            std::bit_cast<uint64_t>(value) != std::bit_cast<uint64_t>(expected))
            return row;
    }
    return -1;
}

QStringList DirectoryEntries(const QString& path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}
