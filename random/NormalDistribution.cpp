#include "random/NormalDistribution.h"

#include <cmath>

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

// Acklam's rational approximation, each the nearest double to its decimal,
// highest power first. The denominators end in their constant term 1.
constexpr double CentralNumerator[] = {-39.69683028665376, 220.9460984245205, -275.9285104469687,
                                       138.357751867269,   -30.66479806614716, 2.506628277459239};
constexpr double CentralDenominator[] = {-54.47609879822406, 161.5858368580409,  -155.6989798598866,
                                         66.80131188771972,  -13.28068155288572, 1.0};
constexpr double TailNumerator[] = {-0.007784894002430293, -0.3223964580411365, -2.400758277161838,
                                    -2.549732539343734,    4.374664141464968,   2.938163982698783};
constexpr double TailDenominator[] = {0.007784695709041462, 0.3224671290700398, 2.445134137142996,
                                      3.754408661907416,    1.0};

constexpr double PLow = 0.02425;
constexpr double PHigh = RoundToDouble(1.0L - PLow);

// Arguments outside (0, 1) are moved just inside, so the pseudo-random
// source's rare exact 0 and 1 still give finite, symmetric values.
constexpr double SmallestArgument = 0x1p-32;
constexpr double LargestArgument = 1.0 - 0x1p-32;

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

// The tail quotient in q = sqrt(-2 ln p), p the probability of the tail.
long double TailQuotient(double q) {
    return Horner(TailNumerator, q) / Horner(TailDenominator, q);
}

// The logarithm, the doubling and the root each round to double.
double TailVariable(double tailProbability) {
    return std::sqrt(-2.0 * std::log(tailProbability));
}

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
    // Quiet comparisons: a NaN argument must not raise the invalid flag.
    if (!(std::isgreater(u, 0.0) && std::isless(u, 1.0))) {
        u = std::isgreaterequal(u, 1.0) ? LargestArgument : SmallestArgument;
    }
    if (u < PLow) {
        const double q = TailVariable(u);
        return RoundToDouble(TailQuotient(q));
    }
    if (u <= PHigh) {
        const double q = u - 0.5;
        const double r = RoundToDouble(static_cast<long double>(q) * q);
        return RoundToDouble(Horner(CentralNumerator, r) * q / Horner(CentralDenominator, r));
    }
    const double q = TailVariable(1.0 - u);
    // The numerator is negated before the division.
    return RoundToDouble(-Horner(TailNumerator, q) / Horner(TailDenominator, q));
}
