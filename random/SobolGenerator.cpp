// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "random/SobolGenerator.h"

#include <algorithm>
#include <bit>

#include "pricing/PricingParameters.h"

SobolStateRecord SobolState;
int32_t nextSobolIndex = 0;

namespace {

// Integer coordinates have 31 bits; the product with 2^-31 is exact.
constexpr double CoordinateScale = 0x1p-31;

// Sets the state's integers to point `index` from scratch: the XOR of the rows
// of the bits set in its Gray code.
void RebuildPoint(SobolStateRecord& state, int32_t index, int32_t dimensionCount) {
    int32_t* integers = state.integers;
    std::fill_n(integers, dimensionCount, 0);
    const auto unsignedIndex = static_cast<uint32_t>(index);
    uint32_t gray = unsignedIndex ^ (unsignedIndex >> 1);
    for (int32_t b = 0; gray != 0; ++b, gray >>= 1) {
        if (gray & 1u) {
            const int32_t* row = SobolDirectionTable[b];
            for (int32_t j = 0; j < dimensionCount; ++j) {
                integers[j] ^= row[j];
            }
        }
    }
    state.dimensionCount = dimensionCount;
    state.nextIndex = index;
}

// The index after `index`: wraps before the limit, so the counter never
// overflows and every index it hands out is one the generator accepts.
int32_t Successor(int32_t index) {
    return index >= SobolIndexLimit - 1 ? 1 : index + 1;
}

}  // namespace

int32_t GenerateSobolPoint(int32_t index, int32_t dimensionCount, double* out) {
    return GenerateSobolPoint(SobolState, index, dimensionCount, out);
}

int32_t GenerateSobolPoint(SobolStateRecord& state, int32_t index, int32_t dimensionCount, double* out) {
    // From SobolIndexLimit on, the step to the successor would need a row for
    // bit 31, which the table does not have.
    if (index <= 0 || index >= SobolIndexLimit || dimensionCount <= 0 ||
        dimensionCount > SobolDimensionCount) {
        return -1;
    }
    if (dimensionCount != state.dimensionCount || index != state.nextIndex) {
        RebuildPoint(state, index, dimensionCount);
    }
    // Gray(a + 1) = Gray(a) XOR 2^z with z the lowest zero bit of a; z <= 30
    // below the limit.
    const int32_t* step = SobolDirectionTable[std::countr_one(static_cast<uint32_t>(index))];
    int32_t* integers = state.integers;
    for (int32_t j = 0; j < dimensionCount; ++j) {
        out[j] = integers[j] * CoordinateScale;
        integers[j] ^= step[j];
    }
    ++state.nextIndex;
    return 0;
}

void QuasiUniformSource(double* buffer) {
    QuasiUniforms(SobolState, nextSobolIndex, Parameters.fixingCount, buffer);
}

void QuasiUniforms(SobolStateRecord& state, int32_t& index, int32_t dimensionCount, double* buffer) {
    const int32_t current = index;
    index = Successor(current);
    // Index 0, where the counter may start, is refused and writes nothing.
    GenerateSobolPoint(state, current, dimensionCount, buffer);
}

int32_t SobolIndexAfter(int32_t index, int64_t calls) {
    // Past the limit the counter runs through 1 .. limit - 1 again and again.
    constexpr int64_t Cycle = SobolIndexLimit - 1;
    const int64_t reached = index + calls;
    return static_cast<int32_t>(reached <= Cycle ? reached : (reached - 1) % Cycle + 1);
}
