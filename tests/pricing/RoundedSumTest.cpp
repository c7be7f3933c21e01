// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include <algorithm>
#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <random>

#include <gtest/gtest.h>

#include "pricing/RoundedSum.h"

namespace {

constexpr int32_t MaxTerms = 64;

// A random double in [1, 2) times 2^exponent, of either sign.
double RandomDouble(std::mt19937_64& bits, int exponent)
{
    const double mantissa = std::bit_cast<double>(0x3ff0000000000000ull | (bits() >> 12));
    return std::ldexp((bits() & 1) != 0 ? -mantissa : mantissa, exponent);
}

// The double addition must round exactly as the extended sum rounded to
// double. Beyond an exponent gap of 10 a double rounding differs from a
// single one about once in 2^11 sums, so a margin set too wide fails here.
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

double ExtendedSum(double a, double b)
{
    return static_cast<double>(static_cast<long double>(a) + b);
}

void ExpectExtendedSum(double a, double b)
{
    ASSERT_EQ(std::bit_cast<uint64_t>(AddRounded(a, b)), std::bit_cast<uint64_t>(ExtendedSum(a, b)))
        << std::hexfloat << a << " + " << b;
}

// Terms that put the exact sum within a few 64-bit steps of a midpoint
// between doubles, where the double rounding and a single one part; the
// shortcut must hand each of them to the extended addition or agree with it.
TEST(AddRounded, EqualsTheExtendedSumNearMidpoints)
{
    std::mt19937_64 bits(2024);
    std::uniform_int_distribution<int> steps(-40, 40);
    std::uniform_int_distribution<int> tinyExponent(-30, -1);
    for (int sample = 0; sample < 300000; ++sample) {
        const double a = RandomDouble(bits, static_cast<int>(bits() % 9) - 4);
        const double halfUlp = (std::nextafter(std::fabs(a), INFINITY) - std::fabs(a)) / 2;
        const double offset = std::ldexp(halfUlp, -11) * steps(bits) + std::ldexp(halfUlp, tinyExponent(bits) - 11);
        const double sign = (bits() & 1) != 0 ? -1.0 : 1.0;
        ExpectExtendedSum(a, sign * (halfUlp + offset));
        ExpectExtendedSum(a, sign * (3 * halfUlp + offset));
    }
}

// Powers of two, where the binade below is twice as fine, zeros of either
// sign, subnormals and the largest doubles.
TEST(AddRounded, EqualsTheExtendedSumAtBinadeEdgesAndExtremes)
{
    const double edges[] = {1.0, -1.0, 0x1p-1022, 0x1p-1000, 0x1p+1000, 0x1.fffffffffffffp+1023, 0.0, -0.0,
                            0x1p-1074, 0x1.8p-1060, 0x1.fffffffffffffp-1, 0x1.0000000000001p0};
    const double terms[] = {0x1p-54, -0x1p-54, 0x1.0000000001p-54, -0x1.0000000001p-54, 0x1.fffp-55, -0x1.fffp-55,
                            0x1p-66, -0x1p-66, 0x1.8p-65, -0x1.8p-65, 0x1p-1074, -0.0, 0.0, 0x1p+970, -0x1p+970};
    for (const double a : edges) {
        for (const double t : terms) {
            ExpectExtendedSum(a, t * (std::fabs(a) > 0x1p-900 ? std::fabs(a) : 1.0));
            ExpectExtendedSum(a, t);
            ExpectExtendedSum(t, a);
        }
    }
}

// An infinite term takes the extended route untouched: the shortcut's error
// term would raise the invalid flag where the addition itself raises none.
TEST(AddRounded, InfiniteTermsRaiseNoInvalidFlag)
{
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_EQ(AddRounded(1.0, INFINITY), INFINITY);
    EXPECT_EQ(AddRounded(-INFINITY, 2.0), -INFINITY);
    EXPECT_EQ(std::fetestexcept(FE_INVALID), 0);
}

}  // namespace

namespace {

// The chained sum with its after-the-fact check must equal AddRounded term
// by term, for odd and even counts, including chains whose running sum is
// pushed near a midpoint by a tiny term, and chains that cancel to zero; the
// terms it formed must be left in the buffer for later readers.
TEST(SumRoundedOf, EqualsAddRoundedTermByTermAndKeepsTheTerms)
{
    std::mt19937_64 bits(77);
    double terms[MaxTerms];
    double formed[MaxTerms];
    double partialSums[MaxTerms + 1];
    for (int sample = 0; sample < 20000; ++sample) {
        const int32_t n = 1 + static_cast<int32_t>(bits() % MaxTerms);
        double expected = 0.0;
        for (int32_t i = 0; i < n; ++i) {
            const double halfUlp = (std::nextafter(std::fabs(expected), INFINITY) - std::fabs(expected)) / 2;
            switch (bits() % 4) {
            case 0: terms[i] = halfUlp * (1.0 + std::ldexp(static_cast<double>(bits() % 64) - 32, -12)); break;
            case 1: terms[i] = -expected; break;
            default: terms[i] = RandomDouble(bits, static_cast<int>(bits() % 40) - 20); break;
            }
            expected = AddRounded(expected, terms[i]);
        }
        const double sum = SumRoundedOf(n, [&terms](int32_t i) { return terms[i]; }, formed, partialSums);
        ASSERT_EQ(std::bit_cast<uint64_t>(sum), std::bit_cast<uint64_t>(expected)) << "sample " << sample;
        ASSERT_TRUE(std::equal(terms, terms + n, formed)) << "sample " << sample;
    }
}

TEST(SumRoundedOf, InfiniteTermRaisesNoInvalidFlag)
{
    const double terms[] = {1.0, INFINITY, 2.0};
    double formed[3];
    double partialSums[4];
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_EQ(SumRoundedOf(3, [&terms](int32_t i) { return terms[i]; }, formed, partialSums), INFINITY);
    EXPECT_EQ(std::fetestexcept(FE_INVALID), 0);
}

}  // namespace
