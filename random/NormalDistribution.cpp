// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "random/NormalDistribution.h"

#include <cmath>

#include "random/AcklamApproximation.h"
#include "random/ExtendedPrecision.h"

namespace {

// Abramowitz-Stegun 26.2.17, each the nearest extended value to its decimal.
constexpr long double P = 0.2316419L;
constexpr long double B1 = 0.319381530L;
constexpr long double B2 = -0.356563782L;
constexpr long double B3 = 1.781477937L;
constexpr long double B4 = -1.821255978L;
constexpr long double B5 = 1.330274429L;

// 2*pi rounded to double; its square root is taken in extended precision.
constexpr double TwoPi = 6.283185307179586;

// From |x| of about 9.3 on, s / d is below half an extended ulp of 1, so the
// formula already yields exactly 1 (or 0). Returning those values early for
// larger |x| keeps exp far from overflow and raises no flag; values are
// unchanged.
constexpr long double SaturationBound = 40.0L;

}  // namespace

long double CumulativeNormal(long double x) {
    const long double a = x > 0 ? x : -x;
    if (a > SaturationBound) {
        return x > 0 ? 1.0L : 0.0L;
    }
    const long double k = 1.0L / (1.0L + P * a);
    const long double k2 = k * k;
    const long double k3 = k * k2;
    const long double k4 = k * k3;
    const long double k5 = k * k4;
    const long double s = B1 * k + B2 * k2 + B3 * k3 + B4 * k4 + B5 * k5;
    // Divides by sqrt(2 pi) e^(a^2/2) rather than multiplying by the density:
    // the rounding of that quotient is part of the result.
    const long double d = std::sqrt(static_cast<long double>(TwoPi)) * std::exp(a * a * 0.5L);
    const long double r = 1.0L - s / d;
    return x >= 0 ? r : 1.0L - r;
}

double InverseCumulativeNormal(double u) {
    using namespace Acklam;
    u = ClampedArgument(u);
    if (u < PLow) {
        const double q = TailVariable(u);
        return RoundToDouble(TailQuotient(q));
    }
    if (u <= PHigh) {
        const double q = u - 0.5;
        return RoundToDouble(CentralQuotient(q, CentralSquare(q)));
    }
    const double q = TailVariable(1.0 - u);
    // The numerator is negated before the division.
    return RoundToDouble(-Horner(TailNumerator, q) / Horner(TailDenominator, q));
}
