#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

#include <gtest/gtest.h>

#include "pricing/RoundedSum.h"

namespace {

// A random double in [1, 2) times 2^exponent, of either sign.
double RandomDouble(std::mt19937_64& bits, int exponent)
{
    const double mantissa = std::bit_cast<double>(0x3ff0000000000000ull | (bits() >> 12));
    return std::ldexp((bits() & 1) != 0 ? -mantissa : mantissa, exponent);
}

// The shortcut for close exponents must round exactly as the extended sum
// rounded to double. Beyond a gap of 10 a double rounding differs from a
// single one about once in 2^11 sums, so a threshold set too wide fails here.
TEST(AddRounded, EqualsTheExtendedSumRoundedToDouble)
{
    std::mt19937_64 bits(12345);
    std::uniform_int_distribution<int> exponent(-4, 4);
    std::uniform_int_distribution<int> gap(-16, 16);
    for (int sample = 0; sample < 1000000; ++sample) {
        const int e = exponent(bits);
        const double a = RandomDouble(bits, e);
        const double b = RandomDouble(bits, e - gap(bits));
        const double expected = static_cast<double>(static_cast<long double>(a) + b);
        ASSERT_EQ(std::bit_cast<uint64_t>(AddRounded(a, b)), std::bit_cast<uint64_t>(expected))
            << std::hexfloat << a << " + " << b;
    }
    EXPECT_EQ(AddRounded(0.0, 0.25), 0.25);
    EXPECT_EQ(AddRounded(-0.25, 0.25), 0.0);
}

}  // namespace
