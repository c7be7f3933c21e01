// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "random/SobolDirectionTable.h"

namespace {

const auto& Table = SobolDirectionTable;

// m_k of a dimension, k = 1 ... 31.
int64_t DirectionNumber(int32_t k, int32_t j) {
    return Table[k - 1][j] >> (31 - k);
}

// Brute force: step x, x^2, ... modulo the polynomial until 1 comes back.
bool HasFullOrder(int32_t polynomial) {
    const int32_t degree = 31 - __builtin_clz(static_cast<uint32_t>(polynomial));
    int32_t power = 1;
    for (int32_t order = 1; order < (1 << degree); ++order) {
        power <<= 1;
        if (power >> degree) {
            power ^= polynomial;
        }
        if (power == 1) {
            return order == (1 << degree) - 1;
        }
    }
    return false;
}

TEST(SobolDirectionTable, FirstRowsAndColumnsHoldTheKnownValues) {
    std::set<int32_t> rowOne;
    for (int32_t j = 0; j < SobolDimensionCount; ++j) {
        ASSERT_EQ(Table[0][j], 1073741824) << j;
        rowOne.insert(Table[1][j]);
    }
    EXPECT_EQ(rowOne, (std::set<int32_t>{536870912, 1610612736}));
    const int32_t column0[] = {1073741824, 1610612736, 1342177280, 2013265920, 1140850688};
    const int64_t column1[] = {1, 1, 7, 11, 13, 61};
    for (int32_t b = 0; b < 5; ++b) {
        EXPECT_EQ(Table[b][0], column0[b]);
    }
    for (int32_t k = 1; k <= 6; ++k) {
        EXPECT_EQ(DirectionNumber(k, 1), column1[k - 1]);
    }
    EXPECT_EQ(Table[30][0], 1431655765);
}

TEST(SobolDirectionTable, LeadingDimensionsUseTheFixedPolynomialsAndInitialValues) {
    const int32_t polynomials[39] = {3,   7,   11,  13,  19,  25,  37,  59,  47,  61,  55,  41,  67,
                                     97,  91,  109, 103, 115, 131, 193, 137, 145, 143, 241, 157, 185,
                                     167, 229, 171, 213, 191, 253, 203, 211, 239, 247, 285, 369, 299};
    const std::vector<int64_t> initial[18] = {
        {1},           {1, 1},          {1, 3, 7},        {1, 1, 5},           {1, 3, 1, 1},
        {1, 1, 3, 7},  {1, 3, 3, 9, 9}, {1, 3, 7, 13, 3}, {1, 1, 5, 11, 27},   {1, 3, 5, 1, 15},
        {1, 1, 7, 3, 29}, {1, 3, 7, 7, 21}, {1, 1, 1, 9, 23, 37}, {1, 3, 3, 5, 19, 33},
        {1, 1, 3, 13, 11, 7}, {1, 1, 7, 13, 25, 5}, {1, 3, 5, 11, 7, 11}, {1, 1, 1, 3, 13, 39}};
    for (int32_t j = 0; j < 39; ++j) {
        EXPECT_EQ(SobolPolynomial(j), polynomials[j]) << j;
    }
    for (int32_t j = 0; j < 18; ++j) {
        ASSERT_EQ(SobolDegree(j), static_cast<int32_t>(initial[j].size())) << j;
        for (int32_t k = 1; k <= SobolDegree(j); ++k) {
            EXPECT_EQ(DirectionNumber(k, j), initial[j][k - 1]) << j << ", m_" << k;
        }
    }
    const std::map<int32_t, int32_t> spotChecks = {{39, 301},   {52, 529},   {100, 1033},  {160, 2053},
                                                   {336, 4179}, {480, 8219}, {1023, 15273}};
    for (const auto& [dimension, polynomial] : spotChecks) {
        EXPECT_EQ(SobolPolynomial(dimension), polynomial) << dimension;
    }
}

TEST(SobolDirectionTable, EveryEntryIsAnOddDirectionNumberAtItsBit) {
    for (int32_t b = 0; b < SobolBitCount; ++b) {
        for (int32_t j = 0; j < SobolDimensionCount; ++j) {
            const int32_t entry = Table[b][j];
            ASSERT_GT(entry, 0);
            ASSERT_EQ(entry & -entry, 1 << (30 - b)) << "row " << b << ", dimension " << j;
        }
    }
}

TEST(SobolDirectionTable, EveryColumnFollowsItsPolynomialsRecurrence) {
    for (int32_t j = 0; j < SobolDimensionCount; ++j) {
        const int32_t s = SobolDegree(j);
        const int32_t polynomial = SobolPolynomial(j);
        for (int32_t k = s + 1; k <= SobolBitCount; ++k) {
            int64_t expected = (DirectionNumber(k - s, j) << s) ^ DirectionNumber(k - s, j);
            for (int32_t i = 1; i < s; ++i) {
                if ((polynomial >> (s - i)) & 1) {
                    expected ^= DirectionNumber(k - i, j) << i;
                }
            }
            ASSERT_EQ(DirectionNumber(k, j), expected) << "dimension " << j << ", m_" << k;
        }
    }
}

TEST(SobolDirectionTable, PolynomialsAreDistinctPrimitiveAndInTheStatedOrder) {
    std::set<int32_t> used;
    std::map<int32_t, int32_t> perDegree;
    for (int32_t j = 0; j < SobolDimensionCount; ++j) {
        const int32_t polynomial = SobolPolynomial(j);
        ASSERT_TRUE(HasFullOrder(polynomial)) << polynomial;
        ASSERT_TRUE(used.insert(polynomial).second) << polynomial;
        ASSERT_EQ(SobolDegree(j), 31 - __builtin_clz(static_cast<uint32_t>(polynomial)));
        ++perDegree[SobolDegree(j)];
        if (j > 39) {
            ASSERT_LT(SobolPolynomial(j - 1), polynomial) << j;
        }
    }
    const std::map<int32_t, int32_t> expectedCounts = {{1, 1},  {2, 1},  {3, 2},   {4, 2},   {5, 6},
                                                       {6, 6},  {7, 18}, {8, 16},  {9, 48},  {10, 60},
                                                       {11, 176}, {12, 144}, {13, 544}};
    EXPECT_EQ(perDegree, expectedCounts);
    // Ascending within a degree and as many as exist means none is skipped;
    // degree 13 stops at 15273 just before the next primitive one.
    int32_t primitiveUpToLastUsed = 0;
    for (int32_t candidate = (1 << 13) + 1; candidate <= 15273; candidate += 2) {
        primitiveUpToLastUsed += HasFullOrder(candidate);
    }
    EXPECT_EQ(primitiveUpToLastUsed, 544);
    EXPECT_TRUE(HasFullOrder(15287));
    for (int32_t candidate = 15275; candidate < 15287; candidate += 2) {
        EXPECT_FALSE(HasFullOrder(candidate)) << candidate;
    }
}

}  // namespace
