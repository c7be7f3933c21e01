// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ResultsText.h"

#include <QStringList>

#include "ui/StringGrid.h"

namespace {

constexpr int GridColumnsInView = 4;
constexpr int GridRowsInView = 3;
const QString NoPressDescription = QStringLiteral("No press of Compute has run yet");

}  // namespace

QString ResultsTable(const StringGrid& grid, const std::vector<NamedInput>& inputs)
{
    QStringList lines;
    for (int row = 0; row < GridRowsInView; ++row) {
        QStringList cells;
        for (int column = 0; column < GridColumnsInView; ++column) cells << grid.Cell(column, row);
        lines << cells.join(QLatin1Char('\t'));
    }
    for (const NamedInput& input : inputs) lines << input.name + QLatin1Char('\t') + input.value;
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString ChartDescription(const std::vector<LineSummary>& lines)
{
    if (lines.empty()) return NoPressDescription;
    QStringList parts;
    // A line whose press was stopped or ended by a fault has no estimate in
    // the grid.
    for (const LineSummary& line : lines)
        parts << (line.estimate.isEmpty()
                      ? QStringLiteral("%1: no estimate after %2 paths").arg(line.heading).arg(line.paths)
                      : QStringLiteral("%1: %2 after %3 paths").arg(line.heading, line.estimate).arg(line.paths));
    return parts.join(QStringLiteral("; "));
}
