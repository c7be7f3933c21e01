// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ConvergenceCsv.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <vector>

#include <QIODevice>

#include "ui/AtomicFileSave.h"

namespace {

constexpr std::string_view Heading = "paths,quasi_random,pseudo_random\r\n";
// Rows are formatted into a buffer of this size and written a block at a
// time: large enough that the write calls cost nothing beside the formatting,
// small enough that progress and Cancel are seen several times a second.
constexpr std::size_t BlockBytes = std::size_t{4} << 20;
// The longest row: a path count and two doubles (at most 24 characters each
// in their shortest form), two commas and the line end.
constexpr std::size_t LongestRow = 20 + 2 * 24 + 2 + 2;

}  // namespace

int64_t ConvergenceCsvRows(const QCPGraphDataContainer& quasi, const QCPGraphDataContainer& pseudo)
{
    return std::max(quasi.size(), pseudo.size());
}

bool WriteConvergenceCsv(QIODevice& device, const QCPGraphDataContainer& quasi, const QCPGraphDataContainer& pseudo,
                         const CsvProgress& progress)
{
    const qsizetype rows = ConvergenceCsvRows(quasi, pseudo);
    const qsizetype quasiRows = quasi.size();
    const qsizetype pseudoRows = pseudo.size();
    const QCPGraphDataContainer& longer = quasiRows >= pseudoRows ? quasi : pseudo;
    const QCPGraphDataContainer::const_iterator keys = longer.constBegin();
    const QCPGraphDataContainer::const_iterator quasiPoints = quasi.constBegin();
    const QCPGraphDataContainer::const_iterator pseudoPoints = pseudo.constBegin();

    std::vector<char> buffer(BlockBytes);
    char* const begin = buffer.data();
    char* const end = begin + buffer.size();
    char* out = std::copy(Heading.begin(), Heading.end(), begin);
    qsizetype row = 0;
    // At least once, for the heading.
    do {
        for (; row < rows && end - out >= static_cast<std::ptrdiff_t>(LongestRow); ++row) {
            // Keys are path counts, whole numbers.
            out = std::to_chars(out, end, static_cast<int64_t>(keys[row].key)).ptr;
            *out++ = ',';
            if (row < quasiRows) out = std::to_chars(out, end, quasiPoints[row].value).ptr;
            *out++ = ',';
            if (row < pseudoRows) out = std::to_chars(out, end, pseudoPoints[row].value).ptr;
            *out++ = '\r';
            *out++ = '\n';
        }
        if (!WriteAll(device, begin, out - begin) || !progress(row)) return false;
        out = begin;
    } while (row < rows);
    return true;
}
