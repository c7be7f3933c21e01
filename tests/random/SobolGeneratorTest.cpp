// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "pricing/PricingParameters.h"
#include "random/SobolGenerator.h"

namespace {

constexpr double Untouched = -7.0;

std::vector<double> Point(int32_t index, int32_t count) {
    std::vector<double> out(count, Untouched);
    EXPECT_EQ(GenerateSobolPoint(index, count, out.data()), 0);
    return out;
}

TEST(SobolGenerator, FirstEightPointsOfTheFirstFourDimensions) {
    const double expected[8][4] = {
        {0.5, 0.5, 0.5, 0.5},         {0.25, 0.75, 0.25, 0.75},     {0.75, 0.25, 0.75, 0.25},
        {0.375, 0.625, 0.125, 0.875}, {0.875, 0.125, 0.625, 0.375}, {0.125, 0.375, 0.375, 0.125},
        {0.625, 0.875, 0.875, 0.625}, {0.3125, 0.3125, 0.6875, 0.5625}};
    for (int32_t index = 1; index <= 8; ++index) {
        EXPECT_EQ(Point(index, 4), std::vector<double>(expected[index - 1], expected[index - 1] + 4)) << index;
    }
}

TEST(SobolGenerator, RefusesBadArgumentsWithoutTouchingAnything) {
    Point(5, 3);
    const SobolStateRecord before = SobolState;
    const std::pair<int32_t, int32_t> refused[] = {
        {0, 4}, {-1, 4}, {INT32_MIN, 4}, {SobolIndexLimit, 4}, {6, 0}, {6, -1}, {6, 1025}, {6, INT32_MIN}};
    for (const auto& [index, count] : refused) {
        double out[2] = {Untouched, Untouched};
        EXPECT_EQ(GenerateSobolPoint(index, count, out), -1) << index << ", " << count;
        EXPECT_EQ(out[0], Untouched);
        EXPECT_EQ(std::memcmp(&before, &SobolState, sizeof before), 0) << index << ", " << count;
    }
}

TEST(SobolGenerator, CoordinatesAreStrictlyInsideTheUnitIntervalUpToTheLastIndex) {
    for (int32_t index : {1, 2, 1000, SobolIndexLimit - 1}) {
        for (double x : Point(index, 1024)) {
            ASSERT_GT(x, 0.0) << index;
            ASSERT_LT(x, 1.0) << index;
        }
    }
}

// Each dimension's points 1 ... 1023 fall into distinct cells of width 1/1024,
// none into the cell at 0: a single bad direction integer breaks this.
TEST(SobolGenerator, EveryDimensionStratifiesTheFirstPoints) {
    std::vector<uint8_t> occupied(SobolDimensionCount * 1024, 0);
    double point[SobolDimensionCount];
    for (int32_t index = 1; index < 1024; ++index) {
        ASSERT_EQ(GenerateSobolPoint(index, SobolDimensionCount, point), 0);
        for (int32_t j = 0; j < SobolDimensionCount; ++j) {
            const auto cell = static_cast<int32_t>(point[j] * 1024);
            ASSERT_NE(cell, 0) << index << ", " << j;
            ASSERT_EQ(occupied[j * 1024 + cell]++, 0) << index << ", " << j;
        }
    }
}

TEST(SobolGenerator, CacheNeverChangesAValue) {
    std::vector<std::vector<double>> sequential;
    for (int32_t index = 1; index <= 100; ++index) {
        sequential.push_back(Point(index, 40));
    }
    for (int32_t index = 1; index <= 100; ++index) {
        Point(index % 2 ? index + 17 : index, index % 2 ? 40 : 39);
        EXPECT_EQ(Point(index, 40), sequential[index - 1]) << index;
        EXPECT_EQ(Point(index, 40), sequential[index - 1]) << "repeated " << index;
    }
    for (int32_t index = 1; index <= 100; ++index) {
        const std::vector<double> point = Point(index, index % 2 ? 5 : 7);
        EXPECT_EQ(SobolState.dimensionCount, index % 2 ? 5 : 7);
        EXPECT_TRUE(std::equal(point.begin(), point.begin() + 5, sequential[index - 1].begin())) << index;
    }
}

TEST(QuasiUniformSource, TakesConsecutivePointsAndWrapsBeforeTheLimit) {
    Parameters.fixingCount = 6;
    nextSobolIndex = 41;
    for (int32_t index = 41; index < 45; ++index) {
        double buffer[6];
        QuasiUniformSource(buffer);
        EXPECT_EQ(std::vector<double>(buffer, buffer + 6), Point(index, 6));
    }
    EXPECT_EQ(nextSobolIndex, 45);

    double buffer[6] = {Untouched};
    nextSobolIndex = 0;
    QuasiUniformSource(buffer);
    EXPECT_EQ(buffer[0], Untouched);
    EXPECT_EQ(nextSobolIndex, 1);
    QuasiUniformSource(buffer);
    EXPECT_EQ(std::vector<double>(buffer, buffer + 6), Point(1, 6));

    nextSobolIndex = SobolIndexLimit - 1;
    QuasiUniformSource(buffer);
    EXPECT_EQ(std::vector<double>(buffer, buffer + 6), Point(SobolIndexLimit - 1, 6));
    EXPECT_EQ(nextSobolIndex, 1);
    nextSobolIndex = SobolIndexLimit;
    QuasiUniformSource(buffer);
    EXPECT_EQ(nextSobolIndex, 1);

    // A leap of k calls lands where k calls of the source do, across the
    // wrap too, and a private copy of the state gives the same points.
    for (const int32_t start : {0, 1, 41, SobolIndexLimit - 5, SobolIndexLimit - 1}) {
        nextSobolIndex = start;
        SobolStateRecord state;
        int32_t index = start;
        for (int64_t calls = 0; calls < 12; ++calls) {
            EXPECT_EQ(SobolIndexAfter(start, calls), nextSobolIndex) << start << " + " << calls;
            double own[6] = {Untouched};
            double shared[6] = {Untouched};
            QuasiUniforms(state, index, 6, own);
            QuasiUniformSource(shared);
            EXPECT_EQ(std::vector<double>(own, own + 6), std::vector<double>(shared, shared + 6));
        }
    }
    // Whole cycles of the counter, 1 .. limit - 1, bring it back.
    constexpr int64_t Cycle = SobolIndexLimit - 1;
    EXPECT_EQ(SobolIndexAfter(41, 3 * Cycle), 41);
    EXPECT_EQ(SobolIndexAfter(0, 1 + 2 * Cycle), 1);
    EXPECT_EQ(SobolIndexAfter(SobolIndexLimit - 1, Cycle + 1), 1);
}

}  // namespace
