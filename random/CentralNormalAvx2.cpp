// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "random/CentralNormalAvx2.h"

#include <immintrin.h>

#include "random/AcklamApproximation.h"
#include "random/DoubleRounding.h"

// Claim: where this evaluation keeps a value, it is the double that the
// extended-precision evaluation of InverseCumulativeNormal returns for the
// same central argument.
//
// Why it holds. With e = 2^-64, the unit roundoff of the 64-bit significand:
// 1. q = u - 0.5 is the same double subtraction. The extended r is q*q
//    rounded to 64 bits and then to double; the exact product is p + err
//    (p the double product, err its error by FMA), and the value is kept
//    only where DoubleRoundingKeeps shows that both roundings give p.
// 2. Each extended Horner step v_i = RN(RN(v_(i-1) r) + c_i) errs by a_i in
//    the product P_i and b_i in the sum S_i, |a_i| <= e |P_i|,
//    |b_i| <= e |S_i|, and the last step's value errs by
//    sum_i (a_i + b_i) r^(n-i). Over the central range every v_i has the
//    sign opposite to v_(i-1), so P_i and S_i have opposite signs and
//    |P_i| + |S_i| = |S_i - P_i| = |c_i + b_i|, whence
//    |a_i| + |b_i| <= e |c_i| / (1 - e): numerator and denominator lie
//    within e' M(r) of their exact values N and D, e' = e / (1 - e),
//    M(r) = sum_(i>=1) |c_i| r^(n-i) (Horner on the absolute values of all
//    but the leading coefficient).
// 3. The product by q and the quotient add one rounding each, so the 64-bit
//    quotient X lies within |x| (rN + rD + 2e)(1 + 2^-40) of the exact
//    quotient x = N q / D, with rN = e' MN / |N| and rD = e' MD / |D|,
//    whenever these are below 2^-50 (as they are wherever a value is kept,
//    step 5).
// 4. The double-double evaluation gives x within
//    2^-100 |x| (MN / |N| + MD / |D| + 1): each step's sum s = c_i + p is
//    split exactly, as |p| < 2^(exponent(c_i) + 1), and every other
//    operation rounds a part at least 2^52 times smaller than the value. Its
//    result hi + lo has hi = RN(hi + lo).
// 5. The bound B of step 3 is formed with a slack of 2^-10, which covers the
//    double-double error, e' against e, the roundings in B itself and the
//    use of hi, 1 / D and the double M for their exact counterparts. Where
//    |lo| + B < ulp(hi) / 2 and hi is not a power of two, every value
//    within B of hi + lo, X among them, rounds to hi; otherwise the caller
//    evaluates in extended precision. q = 0 gives +0 in both.
// The sign pattern and the exponent bounds of steps 2 and 4 hold, with
// margins far beyond every rounding error, by interval arithmetic over the
// whole central range: CentralNormalAvx2.HornerStepsAlternateAndSplitExactly.
// The agreement with InverseCumulativeNormal is checked by
// CentralNormalAvx2.KeptValuesMatchAndMostAreKept and
// InverseCumulativeNormalBlock.*, and by bench/InverseNormalCheck.cpp on
// every uniform either source can deliver and 10^9 generated arguments.

namespace {

// e of step 2.
constexpr double UnitRoundoff = 0x1p-64;
constexpr double Slack = 1.0 + 0x1p-10;
constexpr double HalfUlpOfOne = 0x1p-53;

constexpr int Lanes = 4;
// Vectors evaluated side by side: each double-double step depends on the
// last, so one vector alone would wait on latencies.
constexpr int Groups = 2;
constexpr int BlockValues = Lanes * Groups;

using Vectors = __m256d[Groups];

// The absolute values of all but the leading coefficient: M(r) of step 2.
template <int N>
struct BoundCoefficients {
    double values[N - 1];
    constexpr explicit BoundCoefficients(const double (&coefficients)[N]) : values{} {
        for (int i = 1; i < N; ++i) {
            values[i - 1] = coefficients[i] < 0 ? -coefficients[i] : coefficients[i];
        }
    }
};

constexpr BoundCoefficients NumeratorBound(Acklam::CentralNumerator);
constexpr BoundCoefficients DenominatorBound(Acklam::CentralDenominator);

[[gnu::target("avx2,fma"), gnu::always_inline]] inline __m256d Magnitude(__m256d x) {
    return _mm256_andnot_pd(_mm256_set1_pd(-0.0), x);
}

// The polynomial in double-double: value hi + lo, lo left unnormalised (it
// stays about 2^-52 times smaller than hi).
template <int N>
[[gnu::target("avx2,fma"), gnu::always_inline]] inline void DoubleDoubleHorner(const double (&coefficients)[N],
                                                                                const Vectors& x, Vectors& hi,
                                                                                Vectors& lo) {
#pragma GCC unroll 8
    for (int g = 0; g < Groups; ++g) {
        hi[g] = _mm256_set1_pd(coefficients[0]);
        lo[g] = _mm256_setzero_pd();
    }
#pragma GCC unroll 8
    for (int i = 1; i < N; ++i) {
        const __m256d c = _mm256_set1_pd(coefficients[i]);
#pragma GCC unroll 8
        for (int g = 0; g < Groups; ++g) {
            const __m256d p = _mm256_mul_pd(hi[g], x[g]);
            const __m256d productError = _mm256_fmsub_pd(hi[g], x[g], p);
            const __m256d s = _mm256_add_pd(c, p);
            // Exact: the exponent of p does not exceed that of c.
            const __m256d sumError = _mm256_sub_pd(p, _mm256_sub_pd(s, c));
            lo[g] = _mm256_add_pd(_mm256_fmadd_pd(lo[g], x[g], productError), sumError);
            hi[g] = s;
        }
    }
}

template <int N>
[[gnu::target("avx2,fma"), gnu::always_inline]] inline __m256d DoubleHorner(const double (&coefficients)[N],
                                                                            __m256d x) {
    __m256d value = _mm256_set1_pd(coefficients[0]);
#pragma GCC unroll 8
    for (int i = 1; i < N; ++i) {
        value = _mm256_fmadd_pd(value, x, _mm256_set1_pd(coefficients[i]));
    }
    return value;
}

// Evaluates BlockValues arguments; returns the mask of those not kept.
[[gnu::target("avx2,fma")]] unsigned EvaluateBlock(const double* qs, double* out) {
    const __m256d exponentBits = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7ff0000000000000ll));
    Vectors q, r, squareKept;
#pragma GCC unroll 8
    for (int g = 0; g < Groups; ++g) {
        q[g] = _mm256_loadu_pd(qs + Lanes * g);
        r[g] = _mm256_mul_pd(q[g], q[g]);
        squareKept[g] = DoubleRoundingKeeps(r[g], _mm256_fmsub_pd(q[g], q[g], r[g]));
    }
    Vectors numeratorHi, numeratorLo, denominatorHi, denominatorLo;
    DoubleDoubleHorner(Acklam::CentralNumerator, r, numeratorHi, numeratorLo);
    DoubleDoubleHorner(Acklam::CentralDenominator, r, denominatorHi, denominatorLo);
    unsigned rejected = 0;
#pragma GCC unroll 8
    for (int g = 0; g < Groups; ++g) {
        // (N q) / D: the exact product's error, then one correction of the
        // quotient by its remainder.
        const __m256d top = _mm256_mul_pd(numeratorHi[g], q[g]);
        const __m256d topLo =
            _mm256_fmadd_pd(numeratorLo[g], q[g], _mm256_fmsub_pd(numeratorHi[g], q[g], top));
        const __m256d reciprocal = _mm256_div_pd(_mm256_set1_pd(1.0), denominatorHi[g]);
        const __m256d quotient = _mm256_mul_pd(top, reciprocal);
        __m256d remainder = _mm256_fnmadd_pd(quotient, denominatorHi[g], top);
        remainder = _mm256_fnmadd_pd(quotient, denominatorLo[g], _mm256_add_pd(remainder, topLo));
        const __m256d correction = _mm256_mul_pd(remainder, reciprocal);
        const __m256d hi = _mm256_add_pd(quotient, correction);
        const __m256d lo = _mm256_sub_pd(correction, _mm256_sub_pd(hi, quotient));

        // B = slack e ((|q| MN + |hi| MD) / |D| + 2 |hi|), steps 3 and 5.
        const __m256d size = Magnitude(hi);
        const __m256d spread =
            _mm256_fmadd_pd(Magnitude(q[g]), DoubleHorner(NumeratorBound.values, r[g]),
                            _mm256_mul_pd(size, DoubleHorner(DenominatorBound.values, r[g])));
        const __m256d bound = _mm256_mul_pd(_mm256_fmadd_pd(spread, Magnitude(reciprocal), _mm256_add_pd(size, size)),
                                            _mm256_set1_pd(Slack * UnitRoundoff));
        const __m256d binade = _mm256_and_pd(hi, exponentBits);
        const __m256d clearOfMidpoints =
            _mm256_cmp_pd(_mm256_add_pd(Magnitude(lo), bound), _mm256_mul_pd(binade, _mm256_set1_pd(HalfUlpOfOne)),
                          _CMP_LT_OQ);
        const __m256d notPowerOfTwo = _mm256_cmp_pd(size, binade, _CMP_NEQ_OQ);
        const __m256d zero = _mm256_cmp_pd(q[g], _mm256_setzero_pd(), _CMP_EQ_OQ);
        const __m256d kept =
            _mm256_or_pd(_mm256_and_pd(_mm256_and_pd(clearOfMidpoints, notPowerOfTwo), squareKept[g]), zero);
        _mm256_storeu_pd(out + Lanes * g, hi);
        rejected |= static_cast<unsigned>(~_mm256_movemask_pd(kept) & 0xf) << (Lanes * g);
    }
    return rejected;
}

// Appends first + lane for every set bit of `rejected` below `lanes`,
// without branching on the bits (about one block in two has one).
int32_t AppendRejected(unsigned rejected, int32_t first, int32_t lanes, int32_t* fallbacks, int32_t count) {
    for (int32_t lane = 0; lane < lanes; ++lane) {
        fallbacks[count] = first + lane;
        count += static_cast<int32_t>((rejected >> lane) & 1u);
    }
    return count;
}

}  // namespace

int32_t CentralNormalsAvx2Fma(int32_t count, const double* q, double* out, int32_t* fallbacks) {
    int32_t fallbackCount = 0;
    int32_t k = 0;
    for (; k + BlockValues <= count; k += BlockValues) {
        fallbackCount = AppendRejected(EvaluateBlock(q + k, out + k), k, BlockValues, fallbacks, fallbackCount);
    }
    if (k < count) {
        // The last, partial block padded with q = 0, which is always kept.
        double paddedQ[BlockValues] = {};
        double paddedOut[BlockValues];
        const int32_t rest = count - k;
        for (int32_t i = 0; i < rest; ++i) {
            paddedQ[i] = q[k + i];
        }
        fallbackCount = AppendRejected(EvaluateBlock(paddedQ, paddedOut), k, rest, fallbacks, fallbackCount);
        for (int32_t i = 0; i < rest; ++i) {
            out[k + i] = paddedOut[i];
        }
    }
    return fallbackCount;
}
