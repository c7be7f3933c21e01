#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

// sum + term as the engine adds into its double accumulators: formed in
// extended precision (64 significant bits), then rounded to double where it
// is stored. That double rounding differs from the correctly rounded double
// sum only when the 64-bit result lands exactly on a midpoint between two
// doubles, so the double addition is taken, with its exact error, whenever
// that is ruled out; the x87 route stays for the rare rest.

// With s the correctly rounded double of T = s + error, the double rounding
// of T gives s as well when s is a normal double and either
// |error| < ulp(s) * (1/2 - 2^-12), which leaves T more than half a 64-bit
// step (ulp(s) / 2^11) away from both midpoints s +- ulp(s)/2, or |error| is
// ulp(s)/2 itself, a tie already on the 64-bit grid (the only grid point in
// between). Below a power of two s the grid and the doubles are twice as
// fine, but T then lies within ulp(s)/4 of s, and a 64-bit result on the
// midpoint s - ulp(s)/4 rounds to the even neighbour, s. A zero s is exact:
// two doubles that do not cancel exactly sum to at least the smallest
// subnormal.
inline bool DoubleRoundingKeeps(double s, double error)
{
    constexpr int ExponentShift = 52;
    constexpr uint64_t ExponentMask = 0x7ff;
    // For the biased exponent e of s, ulp(s)/2 = 2^(e - 1076) has the biased
    // exponent e - 53, and ulp(s) * (1/2 - 2^-12) = 2^(e - 1077) * 1.1111111111b
    // the biased exponent e - 54; both are normal doubles from e = 55 on.
    constexpr uint64_t HalfUlpExponentOffset = 53;
    constexpr uint64_t MarginExponentOffset = 54;
    constexpr uint64_t SmallestExponent = MarginExponentOffset + 1;
    constexpr uint64_t LargestExponent = ExponentMask - 1;
    constexpr uint64_t MarginMantissa = uint64_t{0x3ff} << (ExponentShift - 10);
    const uint64_t bits = std::bit_cast<uint64_t>(s);
    const uint64_t exponent = (bits >> ExponentShift) & ExponentMask;
    if (exponent < SmallestExponent || exponent > LargestExponent) {
        return s == 0.0;
    }
    const double margin = std::bit_cast<double>((exponent - MarginExponentOffset) << ExponentShift | MarginMantissa);
    const double halfUlp = std::bit_cast<double>((exponent - HalfUlpExponentOffset) << ExponentShift);
    const double size = std::fabs(error);
    return size < margin || size == halfUlp;
}

// Kept out of line so that the accumulators of the callers' loops stay in
// SSE registers instead of passing through memory for the x87 unit.
[[gnu::noinline, gnu::cold]] inline double AddExtended(double sum, double term)
{
    return static_cast<double>(static_cast<long double>(sum) + term);
}

inline double AddRounded(double sum, double term)
{
    const double s = sum + term;
    // Knuth's two-sum: the exact error of s in double arithmetic. Computed
    // only for a finite s, so that an infinite term raises no invalid flag
    // the extended addition would not raise.
    if (std::isfinite(s)) {
        const double termPart = s - sum;
        const double sumPart = s - termPart;
        const double error = (sum - sumPart) + (term - termPart);
        if (DoubleRoundingKeeps(s, error)) {
            return s;
        }
    }
    return AddExtended(sum, term);
}
