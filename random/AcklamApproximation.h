// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cmath>

#include "random/ExtendedPrecision.h"

// Acklam's rational approximation of the inverse normal distribution, the
// pieces shared by its one-value definition (InverseCumulativeNormal) and its
// block evaluation: coefficients, region bounds, the argument clamp, the tail
// variable and the extended-precision Horner scheme.
namespace Acklam {

// Each the nearest double to its decimal, highest power first. The
// denominators end in their constant term 1.
inline constexpr double CentralNumerator[] = {-39.69683028665376, 220.9460984245205, -275.9285104469687,
                                              138.357751867269,   -30.66479806614716, 2.506628277459239};
inline constexpr double CentralDenominator[] = {-54.47609879822406, 161.5858368580409,  -155.6989798598866,
                                                66.80131188771972,  -13.28068155288572, 1.0};
inline constexpr double TailNumerator[] = {-0.007784894002430293, -0.3223964580411365, -2.400758277161838,
                                           -2.549732539343734,    4.374664141464968,   2.938163982698783};
inline constexpr double TailDenominator[] = {0.007784695709041462, 0.3224671290700398, 2.445134137142996,
                                             3.754408661907416,    1.0};

// Both bounds belong to the central region.
inline constexpr double PLow = 0.02425;
inline constexpr double PHigh = RoundToDouble(1.0L - PLow);

// Arguments outside (0, 1) are moved just inside, so the pseudo-random
// source's rare exact 0 and 1 still give finite, symmetric values.
inline constexpr double SmallestArgument = 0x1p-32;
inline constexpr double LargestArgument = 1.0 - 0x1p-32;

// Quiet comparisons: a NaN argument must not raise the invalid flag.
inline double ClampedArgument(double u) {
    if (!(std::isgreater(u, 0.0) && std::isless(u, 1.0))) {
        return std::isgreaterequal(u, 1.0) ? LargestArgument : SmallestArgument;
    }
    return u;
}

// ((c[0] x + c[1]) x + ...) x + c[N-1] in extended precision: the double
// coefficients widen, and no step rounds to double.
template <int N>
long double Horner(const double (&coefficients)[N], long double x) {
    long double value = coefficients[0];
    for (int i = 1; i < N; ++i) {
        value = value * x + coefficients[i];
    }
    return value;
}

// The central quotient in q = u - 0.5 and r = q * q.
inline long double CentralQuotient(double q, double r) {
    return Horner(CentralNumerator, r) * q / Horner(CentralDenominator, r);
}

// r = q * q as the extended product rounded to double.
inline double CentralSquare(double q) {
    return RoundToDouble(static_cast<long double>(q) * q);
}

// The tail quotient in q = sqrt(-2 ln p), p the probability of the tail.
inline long double TailQuotient(double q) {
    return Horner(TailNumerator, q) / Horner(TailDenominator, q);
}

// The logarithm, the doubling and the root each round to double.
inline double TailVariable(double tailProbability) {
    return std::sqrt(-2.0 * std::log(tailProbability));
}

}  // namespace Acklam
