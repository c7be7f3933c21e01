// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

#include "pricing/PricingParameters.h"

// Where the run writes into the results grid, and how a number looks there.
constexpr int32_t AnalyticColumn = 1;
constexpr int32_t ValueRow = 1;
constexpr int32_t StandardDeviationRow = 2;

// Quasi writes column 2, Pseudo column 3.
constexpr int32_t KindColumn(GeneratorKind kind)
{
    return static_cast<int32_t>(kind) + 2;
}

// "%f": fixed point with six digits after the point, and always a point,
// whatever locale the toolkit has switched the C library to.
std::string CellText(double value);
