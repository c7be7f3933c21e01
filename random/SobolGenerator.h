// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

#include "random/SobolDirectionTable.h"

struct SobolStateRecord {
    int32_t integers[SobolDimensionCount] = {};
    int32_t dimensionCount = 0;  // 0 matches no request: the first call rebuilds
    int32_t nextIndex = 0;
};

// Process-wide generator state and the index of the next point the quasi
// source takes; neither is ever reset.
extern SobolStateRecord SobolState;
extern int32_t nextSobolIndex;

// First index the generator refuses: from it on, the Gray-code step to the
// successor would need a 32nd direction row. The quasi source wraps its
// counter back to 1 before reaching it.
constexpr int32_t SobolIndexLimit = 2147483647;

// Writes coordinates 0..dimensionCount-1 of Sobol point `index` into out and
// returns 0. Returns -1, touching nothing, for index <= 0 or
// index >= SobolIndexLimit, and for dimensionCount outside 1..1024.
int32_t GenerateSobolPoint(int32_t index, int32_t dimensionCount, double* out);

// The same with a state of the caller's own instead of SobolState: a worker
// generates its points without touching the process-wide one.
int32_t GenerateSobolPoint(SobolStateRecord& state, int32_t index, int32_t dimensionCount, double* out);

// UniformSource of kind Quasi: one Sobol point of dimension
// Parameters.fixingCount per call, taken from nextSobolIndex.
void QuasiUniformSource(double* buffer);

// The same with the caller's own index and state, which it advances.
void QuasiUniforms(SobolStateRecord& state, int32_t& index, int32_t dimensionCount, double* buffer);

// The index the quasi source hands out `calls` calls after it hands out
// `index`, wrapping as it does.
int32_t SobolIndexAfter(int32_t index, int64_t calls);
