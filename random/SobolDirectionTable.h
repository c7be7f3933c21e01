// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

constexpr int32_t SobolBitCount = 31;        // rows: bits 0..30 of the Gray code
constexpr int32_t SobolDimensionCount = 1024; // columns: one per dimension

// Row-major direction integers: SobolDirectionTable[b][j] = m_(b+1)(j) * 2^(30-b).
// Constant data computed by the compiler, so it is complete before any code
// runs and costs nothing at start-up.
extern const int32_t (&SobolDirectionTable)[SobolBitCount][SobolDimensionCount];

// The primitive polynomial of dimension j, as the integer whose binary digits
// are its coefficients (highest power first), and its degree.
int32_t SobolPolynomial(int32_t dimension);
int32_t SobolDegree(int32_t dimension);
