// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

#include <emmintrin.h>

#include "random/DoubleRounding.h"
#include "random/ExtendedPrecision.h"

// How the engine adds into its double accumulators, fast and bit for bit.
//
// What is computed: sum + term formed in extended precision (64 significant
// bits) and then rounded to double where it is stored, a double rounding.
//
// The claim: that double rounding of T = a + b equals s = fl(a + b), the
// correctly rounded double sum, unless T lies so close to a midpoint between
// two doubles that its 64-bit rounding lands on the midpoint itself. So the
// double addition is taken whenever that is ruled out, and the x87 addition
// only for the rare rest.
//
// Why it holds, with error = T - s (the two-sum error, exact in double
// arithmetic): random/DoubleRounding.h shows when the 64-bit rounding of
// s + error cannot land on a midpoint. Sums below 2^-1010, where its margin
// is inexact, are multiples of 2^-1074 with at most 64 significant bits,
// exact in extended precision, so s is right there whatever the check says.
//
// What callers must guarantee: the sums they check are finite (an infinite
// or NaN sum would make the error term raise the invalid flag); AddRounded
// and SumRoundedOf test this themselves and take the x87 route otherwise.
//
// Guarded by tests/pricing/RoundedSumTest.cpp: AddRounded against the x87
// sum on random pairs, near midpoints, at binade edges and extremes, with
// infinite terms; SumRoundedOf against AddRounded term by term.

// The check for two sums at once (SSE2 lanes): all bits set in a lane where s
// is the double rounding of a + b.
inline __m128d DoubleRoundingKeeps(__m128d a, __m128d b, __m128d s)
{
    const __m128d bPart = _mm_sub_pd(s, a);
    const __m128d aPart = _mm_sub_pd(s, bPart);
    const __m128d error = _mm_add_pd(_mm_sub_pd(a, aPart), _mm_sub_pd(b, bPart));
    return DoubleRoundingKeeps(s, error);
}

// Kept out of line so that the accumulators of the callers' loops stay in
// SSE registers instead of passing through memory for the x87 unit.
[[gnu::noinline, gnu::cold]] inline double AddExtended(double sum, double term)
{
    return RoundToDouble(static_cast<long double>(sum) + term);
}

inline double AddRounded(double sum, double term)
{
    const double s = sum + term;
    constexpr int FirstLane = 1;
    if (std::isfinite(s) &&
        (_mm_movemask_pd(DoubleRoundingKeeps(_mm_set_sd(sum), _mm_set_sd(term), _mm_set_sd(s))) & FirstLane) != 0) {
        return s;
    }
    return AddExtended(sum, term);
}

// The plain double chain 0.0 + t_0 + ... + t_{n-1} with t_i = termOf(i)
// stored into terms[i] and partialSums[0..n] holding the sum before each
// term and the total. Forming the terms inside the chain lets their work
// overlap its latency.
template <typename TermOf>
double ChainSum(int32_t n, TermOf termOf, double* terms, double* partialSums)
{
    double sum = 0.0;
    for (int32_t i = 0; i < n; ++i) {
        const double term = termOf(i);
        terms[i] = term;
        partialSums[i] = sum;
        sum += term;
    }
    partialSums[n] = sum;
    return sum;
}

// Whether every step of a chain with a finite total rounds as AddRounded
// does; checked two steps at a time. A finite total implies finite partial
// sums and terms, so the check raises no flag.
inline bool ChainRoundsAsExtended(const double* terms, int32_t n, const double* partialSums)
{
    constexpr int AllLanes = 3;
    __m128d keeps = _mm_castsi128_pd(_mm_set1_epi64x(-1));
    int32_t i = 0;
    for (; i + 1 < n; i += 2) {
        keeps = _mm_and_pd(keeps, DoubleRoundingKeeps(_mm_loadu_pd(partialSums + i), _mm_loadu_pd(terms + i),
                                                      _mm_loadu_pd(partialSums + i + 1)));
    }
    // The last of an odd count; the upper lane, 0 + 0, is exact.
    if (i < n) {
        keeps = _mm_and_pd(keeps, DoubleRoundingKeeps(_mm_load_sd(partialSums + i), _mm_load_sd(terms + i),
                                                      _mm_load_sd(partialSums + i + 1)));
    }
    return _mm_movemask_pd(keeps) == AllLanes;
}

// 0.0 + terms[0] + ... + terms[n-1] with AddRounded, one term at a time.
inline double SumTermByTerm(const double* terms, int32_t n)
{
    double sum = 0.0;
    for (int32_t i = 0; i < n; ++i) {
        sum = AddRounded(sum, terms[i]);
    }
    return sum;
}

// 0.0 + t_0 + ... + t_{n-1} with t_i = termOf(i), added in that order with
// AddRounded and stored into terms[i]. The double chain is taken when its
// check passes, and summed again term by term otherwise.
template <typename TermOf>
double SumRoundedOf(int32_t n, TermOf termOf, double* terms, double* partialSums)
{
    const double chained = ChainSum(n, termOf, terms, partialSums);
    if (std::isfinite(chained) && ChainRoundsAsExtended(terms, n, partialSums)) {
        return chained;
    }
    return SumTermByTerm(terms, n);
}
