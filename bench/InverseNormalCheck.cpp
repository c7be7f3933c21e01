// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Compares InverseCumulativeNormalBlock with InverseCumulativeNormal bit for
// bit, with every central evaluation this processor supports, on
// - every value the pseudo-random source can deliver, k / (2^31 - 1) for
//   k = 0 .. 2^31 - 1, rounded as the source rounds it;
// - every Sobol coordinate, k * 2^-31 for k = 1 .. 2^31 - 1;
// - generated arguments (default 10^9, or the count given as the argument):
//   full 53-bit fractions, the ends of the central region, the tails down to
//   the smallest double and the neighbourhood of 0.5.
// Prints the mismatches of each set, and for the AVX2 evaluation the share of
// central values it leaves to the extended evaluation, per region. The exit
// status is 1 if any value differs.
#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "bench/ThreadTime.h"
#include "random/AcklamApproximation.h"
#include "random/CentralNormalAvx2.h"
#include "random/InverseNormalBlock.h"
#include "random/NormalDistribution.h"
#include "random/PseudoRandom.h"
#include "tests/random/InverseNormalArguments.h"

namespace {

constexpr int32_t BatchSize = 1 << 16;
constexpr int64_t GridSize = int64_t{1} << 31;
constexpr int64_t DefaultGenerated = 1000000000;
// Regions of |u - 0.5| for the fallback shares, each 0.025 wide.
constexpr int Regions = 20;
constexpr double RegionWidth = 0.025;

struct FallbackShares {
    int64_t central[Regions] = {};
    int64_t fallbacks[Regions] = {};
};

int RegionOf(double q) {
    const int region = static_cast<int>(std::fabs(q) / RegionWidth);
    return region < Regions ? region : Regions - 1;
}

// Mismatches of every supported evaluation on one batch.
int64_t MismatchesOf(const std::vector<double>& uniforms) {
    const int32_t count = static_cast<int32_t>(uniforms.size());
    static std::vector<double> expected(BatchSize), normals(BatchSize);
    for (int32_t i = 0; i < count; ++i) {
        expected[i] = InverseCumulativeNormal(uniforms[i]);
    }
    int64_t mismatches = 0;
    for (const CentralEvaluation evaluation : {CentralEvaluation::Staged, CentralEvaluation::Avx2Fma}) {
        if (!Supports(evaluation)) {
            continue;
        }
        InverseCumulativeNormalBlock(evaluation, count, uniforms.data(), normals.data());
        for (int32_t i = 0; i < count; ++i) {
            if (std::bit_cast<uint64_t>(normals[i]) != std::bit_cast<uint64_t>(expected[i])) {
                if (mismatches < 10) {
                    std::printf("  mismatch (%s): u = %a gives %a, not %a\n",
                                evaluation == CentralEvaluation::Staged ? "Staged" : "Avx2Fma", uniforms[i],
                                normals[i], expected[i]);
                }
                ++mismatches;
            }
        }
    }
    return mismatches;
}

void CountFallbacks(const std::vector<double>& uniforms, FallbackShares& shares) {
    static std::vector<double> q(BatchSize), out(BatchSize);
    static std::vector<int32_t> fallbacks(BatchSize);
    int32_t count = 0;
    for (const double u : uniforms) {
        if (u >= Acklam::PLow && u <= Acklam::PHigh) {
            q[count++] = u - 0.5;
            ++shares.central[RegionOf(u - 0.5)];
        }
    }
    const int32_t fallbackCount = CentralNormalsAvx2Fma(count, q.data(), out.data(), fallbacks.data());
    for (int32_t k = 0; k < fallbackCount; ++k) {
        ++shares.fallbacks[RegionOf(q[fallbacks[k]])];
    }
}

// Runs batches filled by fill(first, batch) over `total` arguments.
template <typename Fill>
int64_t CheckSet(const char* name, int64_t total, Fill fill, FallbackShares* shares) {
    const double start = ThreadNanoseconds();
    std::vector<double> uniforms(BatchSize);
    int64_t mismatches = 0;
    for (int64_t first = 0; first < total; first += BatchSize) {
        uniforms.resize(static_cast<size_t>(std::min<int64_t>(BatchSize, total - first)));
        fill(first, uniforms);
        mismatches += MismatchesOf(uniforms);
        if (shares != nullptr) {
            CountFallbacks(uniforms, *shares);
        }
    }
    std::printf("%s: %" PRId64 " arguments, %" PRId64 " mismatches (%.0f s)\n", name, total, mismatches,
                (ThreadNanoseconds() - start) / 1e9);
    std::fflush(stdout);
    return mismatches;
}

double Generated(std::mt19937_64& bits) {
    const uint64_t b = bits();
    return HardInverseNormalArgument(b, static_cast<double>(b >> 11) * 0x1p-53);
}

}  // namespace

int main(int argc, char** argv) {
    const int64_t generated = argc > 1 ? std::strtoll(argv[1], nullptr, 10) : DefaultGenerated;
    std::printf("central evaluation selected at start-up: %s\n",
                SelectedCentralEvaluation() == CentralEvaluation::Avx2Fma ? "Avx2Fma" : "Staged");
    const bool fast = Supports(CentralEvaluation::Avx2Fma);
    FallbackShares shares;
    int64_t mismatches = 0;
    mismatches += CheckSet(
        "pseudo-random grid", GridSize,
        [](int64_t first, std::vector<double>& uniforms) {
            for (size_t i = 0; i < uniforms.size(); ++i) {
                uniforms[i] = static_cast<double>(first + static_cast<int64_t>(i)) * UniformScale;
            }
        },
        fast ? &shares : nullptr);
    mismatches += CheckSet("Sobol grid", GridSize - 1, [](int64_t first, std::vector<double>& uniforms) {
        for (size_t i = 0; i < uniforms.size(); ++i) {
            uniforms[i] = static_cast<double>(first + 1 + static_cast<int64_t>(i)) * 0x1p-31;
        }
    }, nullptr);
    std::mt19937_64 bits(20240602);
    mismatches += CheckSet("generated", generated, [&bits](int64_t, std::vector<double>& uniforms) {
        for (double& u : uniforms) {
            u = Generated(bits);
        }
    }, nullptr);
    std::printf("total mismatches: %" PRId64 "\n", mismatches);
    if (fast) {
        std::printf("Avx2Fma fallbacks on the pseudo-random grid, by |u - 0.5| (tails: always extended):\n");
        int64_t central = 0, fallbacks = 0;
        for (int region = 0; region < Regions; ++region) {
            central += shares.central[region];
            fallbacks += shares.fallbacks[region];
            std::printf("  [%.3f, %.3f): %7.3f %%\n", region * RegionWidth, (region + 1) * RegionWidth,
                        100.0 * static_cast<double>(shares.fallbacks[region]) /
                            static_cast<double>(shares.central[region]));
        }
        std::printf("  whole central region: %.3f %%\n",
                    100.0 * static_cast<double>(fallbacks) / static_cast<double>(central));
    }
    return mismatches == 0 ? 0 : 1;
}
