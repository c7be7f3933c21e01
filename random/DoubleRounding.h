// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <immintrin.h>

// Whether an exact value T = s + error, with s the correctly rounded double
// of T and error exact in double, also gives s when it is first rounded to
// the 64-bit significand of the x87 format and then to double. The two
// roundings part only where the 64-bit result lands exactly on a midpoint
// between two doubles.
//
// For a normal s they agree when either |error| < ulp(s) * (1/2 - 2^-12),
// which leaves T more than half a 64-bit step (ulp(s) / 2^11) away from both
// midpoints s +- ulp(s)/2, or |error| is ulp(s)/2 itself, a tie already on
// the 64-bit grid (the only grid point in between). Below a power of two s
// the grid and the doubles are twice as fine, but T then lies within
// ulp(s)/4 of s, and a 64-bit result on the midpoint s - ulp(s)/4 rounds to
// the even neighbour, s. Zero and subnormal s pass as ties with ulp 0, and
// below 2^-1010 the margin is inexact: a caller whose T can lie there must
// know that T is exact in extended precision (a sum of two doubles is: a
// multiple of 2^-1074 with at most 64 significant bits). Requires finite s
// and error.
//
// Used for the engine's sums (pricing/RoundedSum.h, guarded by
// tests/pricing/RoundedSumTest.cpp) and the inverse normal's squares
// (random/CentralNormalAvx2.cpp, whose tests include arguments where the
// two roundings part). One lane per value, all bits set where s is kept.
inline __m128d DoubleRoundingKeeps(__m128d s, __m128d error) {
    const __m128d exponentBits = _mm_castsi128_pd(_mm_set1_epi64x(0x7ff0000000000000ll));
    const __m128d signBit = _mm_set1_pd(-0.0);
    // ulp(1)/2 and ulp(1) * (1/2 - 2^-12), to be scaled by 2^exponent(s).
    const __m128d halfUlpOfOne = _mm_set1_pd(0x1p-53);
    const __m128d marginOfOne = _mm_set1_pd(0x1p-53 - 0x1p-64);
    // 2^exponent(s), and 0 for a zero or subnormal s.
    const __m128d binade = _mm_and_pd(s, exponentBits);
    const __m128d size = _mm_andnot_pd(signBit, error);
    const __m128d clearOfMidpoints = _mm_cmplt_pd(size, _mm_mul_pd(binade, marginOfOne));
    const __m128d onTheGrid = _mm_cmpeq_pd(size, _mm_mul_pd(binade, halfUlpOfOne));
    return _mm_or_pd(clearOfMidpoints, onTheGrid);
}

// The same test on four values, for code compiled for AVX2.
[[gnu::target("avx2")]] inline __m256d DoubleRoundingKeeps(__m256d s, __m256d error) {
    const __m256d exponentBits = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7ff0000000000000ll));
    const __m256d signBit = _mm256_set1_pd(-0.0);
    const __m256d halfUlpOfOne = _mm256_set1_pd(0x1p-53);
    const __m256d marginOfOne = _mm256_set1_pd(0x1p-53 - 0x1p-64);
    const __m256d binade = _mm256_and_pd(s, exponentBits);
    const __m256d size = _mm256_andnot_pd(signBit, error);
    const __m256d clearOfMidpoints = _mm256_cmp_pd(size, _mm256_mul_pd(binade, marginOfOne), _CMP_LT_OQ);
    const __m256d onTheGrid = _mm256_cmp_pd(size, _mm256_mul_pd(binade, halfUlpOfOne), _CMP_EQ_OQ);
    return _mm256_or_pd(clearOfMidpoints, onTheGrid);
}
