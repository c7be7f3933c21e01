// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/PressEstimates.h"

#include "pricing/ResultsGrid.h"

const std::array<PressEstimates::Cell, PressEstimates::CellCount> PressEstimates::Cells = {{
    {KindColumn(GeneratorKind::Quasi), ValueRow},
    {KindColumn(GeneratorKind::Quasi), StandardDeviationRow},
    {KindColumn(GeneratorKind::Pseudo), ValueRow},
    {KindColumn(GeneratorKind::Pseudo), StandardDeviationRow},
}};

void PressEstimates::Written(int32_t column, int32_t row)
{
    for (std::size_t i = 0; i < CellCount; ++i)
        if (Cells[i].column == column && Cells[i].row == row) written[i] = true;
}

std::vector<PressEstimates::Cell> PressEstimates::Unwritten() const
{
    std::vector<Cell> cells;
    for (std::size_t i = 0; i < CellCount; ++i)
        if (!written[i]) cells.push_back(Cells[i]);
    return cells;
}
