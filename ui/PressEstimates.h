// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>
#include <vector>

// The Monte Carlo estimate cells of the results grid, each kind's value and
// standard deviation, and which of them the press in progress has written.
// A press that ends before it completes must not leave an earlier press's
// estimates beside its own results, as if it had computed them: the cells
// it did not write are the ones to empty.
class PressEstimates {
public:
    struct Cell {
        int32_t column, row;
    };

    void PressStarted() { written.fill(false); }
    // Notes a cell the press wrote; other cells than the estimates are
    // ignored.
    void Written(int32_t column, int32_t row);
    std::vector<Cell> Unwritten() const;

private:
    static constexpr std::size_t CellCount = 4;
    static const std::array<Cell, CellCount> Cells;
    std::array<bool, CellCount> written{};
};
