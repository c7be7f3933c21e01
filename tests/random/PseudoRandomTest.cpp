// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include <chrono>
#include <cstring>

#include <gtest/gtest.h>

#include "pricing/PricingParameters.h"
#include "random/PseudoRandom.h"
#include "random/SobolGenerator.h"

namespace {

struct SeedExample {
    uint32_t seed;
    int32_t startIndex;
    uint32_t lowAfterStartUp;
    int32_t draws[3];
    double uniforms[3];
};

TEST(PseudoRandom, SeedExamples) {
    const SeedExample examples[] = {
        {0, 346, 22695478, {1410184549, 672584604, 1915668986}, {0.6566683527346088, 0.3131966126678496, 0.892052886491666}},
        {1, 130, 2156045615, {814966984, 1692739505, 1384688514}, {0.37949857505946355, 0.7882432573420197, 0.644795836249737}},
    };
    Parameters.fixingCount = 3;
    for (const SeedExample& example : examples) {
        SeedGenerators(example.seed);
        EXPECT_EQ(nextSobolIndex, example.startIndex);
        EXPECT_EQ(RandomState.low, example.lowAfterStartUp);
        EXPECT_EQ(RandomState.high, 0u);
        const RandomStateRecord startUp = RandomState;
        for (int32_t draw : example.draws) {
            EXPECT_EQ(Random31(), draw);
        }
        RandomState = startUp;
        double buffer[3];
        PseudoUniformSource(buffer);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(buffer[i], example.uniforms[i]) << example.seed << ", " << i;
        }
    }
    SeedGenerators(1000000000u);
    EXPECT_EQ(nextSobolIndex, 2756);
    SeedRandom(0);
    EXPECT_EQ(RandomState.low, 1u);
}

TEST(PseudoRandom, OnlyRandom31TouchesTheHighWord) {
    RandomState = {0x12345678u, 0x9ABCDEF0u};
    Random15();
    EXPECT_EQ(RandomState.high, 0x9ABCDEF0u);
    EXPECT_NE(RandomState.low, 0x12345678u);
    const RandomStateRecord before = RandomState;
    Random31();
    EXPECT_NE(RandomState.low, before.low);
    EXPECT_NE(RandomState.high, before.high);
}

TEST(PseudoUniformSource, BothEndsOfTheUnitIntervalOccur) {
    EXPECT_EQ(UniformScale, 0x1p-31 + 0x1p-62);
    // The multiplier is odd, so it has an inverse modulo 2^64 (Newton steps).
    uint64_t inverse = Multiplier64;
    for (int i = 0; i < 6; ++i) {
        inverse *= 2 - Multiplier64 * inverse;
    }
    Parameters.fixingCount = 1;
    for (const auto& [after, expected] : {std::pair{0x7FFFFFFF00000000ull, 1.0}, std::pair{0x8000000000000000ull, 0.0},
                                          std::pair{0x40000000FFFFFFFFull, 0.5 + 0x1p-32}}) {
        const uint64_t before = (after - Increment) * inverse;
        RandomState = {static_cast<uint32_t>(before), static_cast<uint32_t>(before >> 32)};
        double value = -1.0;
        PseudoUniformSource(&value);
        EXPECT_EQ(value, expected) << std::hex << after;
    }
}

// The source draws several values from one state at a time; for every
// remainder of the count by that grouping, two paths must be exactly the
// successive single steps of one stream.
TEST(PseudoUniformSource, PathsOfEveryLengthContinueOneStream) {
    for (const int32_t n : {2, 3, 5, 126, 1021, 1022, 1023, 1024}) {
        SeedRandom(77);
        double expected[2 * 1024];
        for (int32_t i = 0; i < 2 * n; ++i) {
            expected[i] = Random31() * UniformScale;
        }
        SeedRandom(77);
        Parameters.fixingCount = n;
        double paths[2 * 1024];
        PseudoUniformSource(paths);
        PseudoUniformSource(paths + n);
        EXPECT_EQ(std::memcmp(paths, expected, 2 * n * sizeof(double)), 0) << n;

        // A copy of the state gives the same values, ends 2n steps on and
        // leaves the process-wide state alone.
        SeedRandom(77);
        const uint64_t start = PseudoPosition();
        uint64_t state = start;
        std::memset(paths, 0, sizeof paths);
        PseudoUniforms(state, n, paths);
        PseudoUniforms(state, n, paths + n);
        EXPECT_EQ(std::memcmp(paths, expected, 2 * n * sizeof(double)), 0) << n;
        EXPECT_EQ(state, PseudoStateAfter(start, 2 * static_cast<uint64_t>(n))) << n;
        EXPECT_EQ(PseudoPosition(), start) << n;
    }
}

// A leap of k steps is k steps, from 0 to beyond 2^32, and leaps compose.
TEST(PseudoRandom, LeapsLandWhereSteppingDoes) {
    SeedRandom(2024);
    const uint64_t start = PseudoPosition();
    for (uint64_t steps = 0; steps < 300; ++steps) {
        EXPECT_EQ(PseudoStateAfter(start, steps), PseudoPosition()) << steps;
        Random31();
    }
    // Stepping 2^33 + 5 times one by one takes too long; leaps of 2^32 in
    // turn cover the high bits, checked against one leap of all of it.
    const uint64_t far = (uint64_t{1} << 33) + 5;
    EXPECT_EQ(PseudoStateAfter(start, far),
              PseudoStateAfter(PseudoStateAfter(PseudoStateAfter(start, uint64_t{1} << 32), uint64_t{1} << 32), 5));
    // The full period 2^64 returns, and a step less is the step before.
    SetPseudoPosition(PseudoStateAfter(start, ~uint64_t{0}));
    Random31();
    EXPECT_EQ(PseudoPosition(), start);
}

TEST(SeedGenerators, SeedsFromTheWholeSecondsOfTheClock) {
    const auto now = [] {
        return static_cast<uint32_t>(std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now())
                                         .time_since_epoch()
                                         .count());
    };
    const uint32_t first = now();
    SeedGenerators();
    const uint32_t last = now();
    const RandomStateRecord seeded = RandomState;
    const int32_t index = nextSobolIndex;
    bool matched = false;
    for (uint32_t t = first; t != last + 1; ++t) {
        SeedGenerators(t);
        matched = matched || (RandomState.low == seeded.low && RandomState.high == seeded.high && nextSobolIndex == index);
    }
    EXPECT_TRUE(matched);
}

}  // namespace
