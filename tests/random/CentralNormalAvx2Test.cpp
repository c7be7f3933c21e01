// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "random/AcklamApproximation.h"
#include "random/CentralNormalAvx2.h"
#include "random/InverseNormalBlock.h"
#include "random/NormalDistribution.h"

namespace {

// A closed interval of reals, widened at every operation by far more than
// the rounding of the extended arithmetic that forms it.
struct Interval {
    long double lo, hi;
};

Interval Widened(long double lo, long double hi) {
    constexpr long double Relative = 0x1p-50L;
    constexpr long double Absolute = 0x1p-200L;
    return {lo - std::fabs(lo) * Relative - Absolute, hi + std::fabs(hi) * Relative + Absolute};
}

// v * r for r >= 0.
Interval Times(Interval v, Interval r) {
    return Widened(std::min(v.lo * r.lo, v.lo * r.hi), std::max(v.hi * r.lo, v.hi * r.hi));
}

Interval Plus(Interval v, long double c) {
    return Widened(v.lo + c, v.hi + c);
}

// The facts the fast evaluation's proof rests on, for every r of the
// central region and every Horner step v_i = v_(i-1) r + c_i: v_i is bounded
// away from zero with the sign opposite to v_(i-1), and the product
// |v_(i-1) r| stays below 2^(exponent(c_i) + 1), so that the double-double
// sum splits exactly. Checked by interval arithmetic on pieces covering
// [0, r_max], with margins that dwarf every rounding error involved.
template <int N>
void ExpectAlternatingExactSteps(const double (&coefficients)[N], long double rMax, const char* name) {
    constexpr int Pieces = 1 << 16;
    constexpr long double SignMargin = 0x1p-20L;
    constexpr long double ExponentMargin = 1.0L - 0x1p-20L;
    for (int piece = 0; piece < Pieces; ++piece) {
        const Interval r{rMax * piece / Pieces, rMax * (piece + 1) / Pieces};
        Interval v{coefficients[0], coefficients[0]};
        for (int i = 1; i < N; ++i) {
            const Interval p = Times(v, r);
            const long double limit = 2.0L * std::ldexp(1.0L, std::ilogb(coefficients[i])) * ExponentMargin;
            ASSERT_LT(std::max(std::fabs(p.lo), std::fabs(p.hi)), limit)
                << name << " step " << i << ", r from " << r.lo;
            const Interval s = Plus(p, coefficients[i]);
            const bool previousNegative = v.hi < 0;
            if (previousNegative) {
                ASSERT_GT(s.lo, SignMargin) << name << " step " << i << ", r from " << r.lo;
            } else {
                ASSERT_LT(s.hi, -SignMargin) << name << " step " << i << ", r from " << r.lo;
            }
            v = s;
        }
    }
}

TEST(CentralNormalAvx2, HornerStepsAlternateAndSplitExactly) {
    const double qMax = std::max(0.5 - Acklam::PLow, Acklam::PHigh - 0.5);
    const long double rMax = std::nextafter(qMax * qMax, 1.0);
    ASSERT_LT(Acklam::CentralNumerator[0], 0.0);
    ASSERT_LT(Acklam::CentralDenominator[0], 0.0);
    ExpectAlternatingExactSteps(Acklam::CentralNumerator, rMax, "numerator");
    ExpectAlternatingExactSteps(Acklam::CentralDenominator, rMax, "denominator");
}

// The values the evaluation keeps are the extended evaluation's, the
// fallbacks are listed in order, and the fallbacks stay few: a bound that
// grew loose would hand the work back to the slow evaluation unnoticed by
// the comparisons alone.
TEST(CentralNormalAvx2, KeptValuesMatchAndMostAreKept) {
    if (!Supports(CentralEvaluation::Avx2Fma)) {
        GTEST_SKIP() << "the processor lacks AVX2 or FMA";
    }
    constexpr int32_t Count = 1000;
    constexpr int Batches = 1000;
    std::mt19937_64 bits(31);
    std::vector<double> uniforms(Count), q(Count), out(Count);
    std::vector<int32_t> fallbacks(Count);
    int64_t total = 0, kept = 0, innerKept = 0, inner = 0;
    for (int batch = 0; batch < Batches; ++batch) {
        for (int32_t k = 0; k < Count; ++k) {
            uniforms[k] = Acklam::PLow + (Acklam::PHigh - Acklam::PLow) * ((bits() >> 11) * 0x1p-53);
            q[k] = uniforms[k] - 0.5;
        }
        // Some arguments count at a tail position: q = 0 must be kept as +0.
        q[batch % Count] = 0.0;
        uniforms[batch % Count] = 0.5;
        const int32_t count = Count - batch % 9;
        total += count;
        const int32_t fallbackCount = CentralNormalsAvx2Fma(count, q.data(), out.data(), fallbacks.data());
        ASSERT_TRUE(std::is_sorted(fallbacks.begin(), fallbacks.begin() + fallbackCount));
        ASSERT_TRUE(std::adjacent_find(fallbacks.begin(), fallbacks.begin() + fallbackCount) ==
                    fallbacks.begin() + fallbackCount);
        int32_t next = 0;
        for (int32_t k = 0; k < count; ++k) {
            const bool isInner = std::fabs(q[k]) < 0.25;
            inner += isInner;
            if (next < fallbackCount && fallbacks[next] == k) {
                ++next;
                continue;
            }
            ++kept;
            innerKept += isInner;
            ASSERT_EQ(std::bit_cast<uint64_t>(out[k]), std::bit_cast<uint64_t>(InverseCumulativeNormal(uniforms[k])))
                << std::hexfloat << uniforms[k];
        }
        ASSERT_EQ(next, fallbackCount) << "a fallback at or beyond the count";
    }
    EXPECT_GT(kept, total * 85 / 100);
    EXPECT_GT(innerKept, inner * 99 / 100);
}

}  // namespace
