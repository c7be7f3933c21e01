#pragma once

#include <bit>
#include <cstdint>

// sum + term as the engine adds into its double accumulators: formed in
// extended precision, then rounded to double where it is stored.
//
// When the binary exponents of two normal doubles differ by at most
// ExactGap, their exact sum needs at most 64 significant bits (53 + 10 + a
// carry), so the extended sum is exact and its rounding to double equals the
// correctly rounded double addition. Only wider gaps, zeros and subnormals
// take the x87 path; the result is identical either way, but the double
// addition avoids a round trip through memory on the accumulator's chain.
inline double AddRounded(double sum, double term)
{
    constexpr int32_t ExactGap = 10;
    constexpr int ExponentShift = 52;
    constexpr uint64_t ExponentMask = 0x7ff;
    const int32_t sumExponent = static_cast<int32_t>((std::bit_cast<uint64_t>(sum) >> ExponentShift) & ExponentMask);
    const int32_t termExponent = static_cast<int32_t>((std::bit_cast<uint64_t>(term) >> ExponentShift) & ExponentMask);
    const int32_t gap = sumExponent - termExponent;
    if (sumExponent != 0 && termExponent != 0 && gap <= ExactGap && gap >= -ExactGap) {
        return sum + term;
    }
    return static_cast<double>(static_cast<long double>(sum) + term);
}
