// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pricing/ResultsGrid.h"

#include <charconv>

namespace {

// Enough for the widest double in fixed notation: 309 integer digits, sign,
// point and six decimals.
constexpr int CellTextCapacity = 320;

}  // namespace

std::string CellText(double value)
{
    char text[CellTextCapacity];
    const auto result = std::to_chars(text, text + CellTextCapacity, value, std::chars_format::fixed, 6);
    return std::string(text, result.ptr);
}
