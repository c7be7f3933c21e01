// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "random/InverseNormalBlock.h"
#include "InverseNormalArguments.h"
#include "random/NormalDistribution.h"

namespace {

constexpr int FaultFlags = FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO;
constexpr double PLow = 0.02425;
constexpr double PHigh = 0.97575;

std::vector<CentralEvaluation> SupportedEvaluations() {
    std::vector<CentralEvaluation> evaluations;
    for (const CentralEvaluation evaluation : {CentralEvaluation::Staged, CentralEvaluation::Avx2Fma}) {
        if (Supports(evaluation)) {
            evaluations.push_back(evaluation);
        }
    }
    return evaluations;
}

const char* NameOf(CentralEvaluation evaluation) {
    return evaluation == CentralEvaluation::Staged ? "Staged" : "Avx2Fma";
}

// Every supported evaluation gives, for every argument, the bits of the
// one-value function, and raises no fault flag (NaN and infinite arguments
// included). Reports the first few differences.
void ExpectSameBitsAsOneValueFunction(const std::vector<double>& uniforms) {
    std::vector<double> expected(uniforms.size()), normals(uniforms.size());
    for (size_t i = 0; i < uniforms.size(); ++i) {
        expected[i] = InverseCumulativeNormal(uniforms[i]);
    }
    for (const CentralEvaluation evaluation : SupportedEvaluations()) {
        std::feclearexcept(FE_ALL_EXCEPT);
        InverseCumulativeNormalBlock(evaluation, static_cast<int32_t>(uniforms.size()), uniforms.data(),
                                     normals.data());
        EXPECT_EQ(std::fetestexcept(FaultFlags), 0) << NameOf(evaluation);
        int reported = 0;
        for (size_t i = 0; i < uniforms.size() && reported < 5; ++i) {
            if (std::bit_cast<uint64_t>(normals[i]) != std::bit_cast<uint64_t>(expected[i])) {
                ADD_FAILURE() << NameOf(evaluation) << ": u = " << std::hexfloat << uniforms[i] << " gives "
                              << normals[i] << ", not " << expected[i];
                ++reported;
            }
        }
    }
}

void AddNeighbours(std::vector<double>& uniforms, double centre, int steps) {
    double below = centre, above = centre;
    uniforms.push_back(centre);
    for (int k = 0; k < steps; ++k) {
        below = std::nextafter(below, -1.0);
        above = std::nextafter(above, 2.0);
        uniforms.push_back(below);
        uniforms.push_back(above);
    }
}

// Central arguments u whose r = q * q rounds differently when the product
// is rounded to double at once instead of through the 64-bit significand
// (about one in 20,000).
std::vector<double> ArgumentsWhoseSquareRoundsTwice(int wanted) {
    std::mt19937_64 bits(99);
    std::vector<double> found;
    while (static_cast<int>(found.size()) < wanted) {
        const double u = PLow + (PHigh - PLow) * ((bits() >> 11) * 0x1p-53);
        const double q = u - 0.5;
        if (q * q != static_cast<double>(static_cast<long double>(q) * q)) {
            found.push_back(u);
        }
    }
    return found;
}

TEST(InverseCumulativeNormalBlock, MatchesAtBoundsTailsCentreAndClamps) {
    std::vector<double> uniforms;
    AddNeighbours(uniforms, PLow, 64);
    AddNeighbours(uniforms, PHigh, 64);
    AddNeighbours(uniforms, 0.5, 64);
    AddNeighbours(uniforms, 0.025, 8);
    AddNeighbours(uniforms, 0.975, 8);
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const double u : {0.0, -0.0, -1e-300, -1.0, -inf, nan, -nan, 1.0, 1.0 + 0x1p-52, 1.5, inf,
                           0x1p-1074, 0x1p-1022, 1e-300, 0x1p-32, 1.0 / 2147483647.0, 1e-10, 0.001, 0.01,
                           0.02, 0x1p-53, 1.0 - 0x1p-53, 1.0 - 0x1p-32, 1.0 - 1e-10, 0.99, 0.999}) {
        uniforms.push_back(u);
    }
    for (double u = 0x1p-60; u < PLow; u *= 1.37) {
        uniforms.push_back(u);
        uniforms.push_back(1.0 - u);
    }
    for (const double u : ArgumentsWhoseSquareRoundsTwice(100)) {
        uniforms.push_back(u);
    }
    ExpectSameBitsAsOneValueFunction(uniforms);
}

// 10^7 arguments: the pseudo-random source's grid, full 53-bit fractions,
// the ends of the central region where the fast evaluation most often leaves
// a value to the extended one, the tails down to the smallest double, and
// the neighbourhood of 0.5. The bench tool inverse_normal_check covers 10^9.
TEST(InverseCumulativeNormalBlock, MatchesOnTenMillionGeneratedArguments) {
    constexpr int Batches = 100;
    constexpr int BatchSize = 100000;
    // xorshift64*: cheap enough to leave the time to the evaluations even
    // in an unoptimised build.
    uint64_t state = 20240601;
    std::vector<double> uniforms(BatchSize);
    for (int batch = 0; batch < Batches; ++batch) {
        for (double& u : uniforms) {
            state ^= state >> 12;
            state ^= state << 25;
            state ^= state >> 27;
            const uint64_t b = state * 0x2545F4914F6CDD1Dull;
            // Three in eight from the pseudo-random source's grid.
            u = (b & 7) < 3 ? static_cast<double>(b >> 33) * (1.0 / 2147483647.0)
                            : HardInverseNormalArgument(b >> 3, static_cast<double>(b >> 11) * 0x1p-53);
        }
        ExpectSameBitsAsOneValueFunction(uniforms);
        if (HasFailure()) {
            return;
        }
    }
}

TEST(InverseCumulativeNormalBlock, WritesExactlyCountValuesForAnyCount) {
    std::mt19937_64 bits(5);
    for (const int32_t count : {0, 1, 2, 3, 7, 8, 9, 15, 17, 126, 255, 256, 257, 511, 1024, 1025}) {
        std::vector<double> uniforms(count);
        for (double& u : uniforms) {
            u = (bits() >> 11) * 0x1p-53;
        }
        for (const CentralEvaluation evaluation : SupportedEvaluations()) {
            std::vector<double> normals(count + 1, 1234.5);
            InverseCumulativeNormalBlock(evaluation, count, uniforms.data(), normals.data());
            EXPECT_EQ(normals[count], 1234.5) << NameOf(evaluation) << ", count " << count;
            for (int32_t i = 0; i < count; ++i) {
                ASSERT_EQ(normals[i], InverseCumulativeNormal(uniforms[i])) << NameOf(evaluation) << ", " << i;
            }
        }
    }
}

// Start-up picks the fast evaluation wherever the processor has it.
TEST(InverseCumulativeNormalBlock, StartUpSelectsTheFastestSupportedEvaluation) {
    EXPECT_TRUE(Supports(CentralEvaluation::Staged));
    EXPECT_EQ(SelectedCentralEvaluation(),
              Supports(CentralEvaluation::Avx2Fma) ? CentralEvaluation::Avx2Fma : CentralEvaluation::Staged);
}

}  // namespace
