// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <limits>

#include <gtest/gtest.h>

#include "random/NormalDistribution.h"

namespace {

constexpr int FaultFlags = FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO;

// True when `value` agrees with the decimal `digits` to its last digit (the
// stated values are partly truncated, partly rounded).
::testing::AssertionResult Agrees(long double value, const char* digits) {
    const long double stated = std::strtold(digits, nullptr);
    const long double unit = std::pow(10.0L, -static_cast<long double>(std::strlen(std::strchr(digits, '.') + 1)));
    if (std::fabs(value - stated) < unit) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << std::setprecision(20) << value << " differs from " << digits;
}

TEST(InverseCumulativeNormal, ReproducesTheApproximationsValues) {
    EXPECT_EQ(InverseCumulativeNormal(0.5), 0.0);
    EXPECT_TRUE(Agrees(InverseCumulativeNormal(0.975), "1.95996398612"));
    EXPECT_TRUE(Agrees(InverseCumulativeNormal(0.025), "-1.95996398612"));
    EXPECT_TRUE(Agrees(InverseCumulativeNormal(0.01), "-2.32634787439"));
    EXPECT_TRUE(Agrees(InverseCumulativeNormal(0.99), "2.32634787439"));
}

TEST(InverseCumulativeNormal, BothRegionBoundsTakeTheCentralFormula) {
    // The tail formula would give -1.97296105353 here.
    EXPECT_TRUE(Agrees(InverseCumulativeNormal(0.02425), "-1.97296104908"));
    EXPECT_TRUE(Agrees(InverseCumulativeNormal(0.97575), "1.97296104908"));
    EXPECT_TRUE(Agrees(InverseCumulativeNormal(std::nextafter(0.02425, 0.0)), "-1.97296105353"));
    EXPECT_TRUE(Agrees(InverseCumulativeNormal(std::nextafter(0.97575, 1.0)), "1.97296105353"));
}

// Exact results of an independent evaluation that rounds every step as
// required. The first differs when r = q * q is rounded straight to double,
// the tail values when the polynomials run in double.
TEST(InverseCumulativeNormal, RoundsExactlyAsRequired) {
    const std::pair<double, double> cases[] = {{0x1.8e20b1d63e9f4p-6, -0x1.f8dac06f00d22p+0},
                                               {0x1.94b529fd41eep-7, -0x1.1f7e43a44d6d1p+1},
                                               {0x1.32649d5f6de95p-6, -0x1.0a69d0f097b43p+1},
                                               {0x1.f556537a0f606p-1, 0x1.04bbeee38d8dbp+1},
                                               {0x1.fc42af090466fp-1, 0x1.38925eda26119p+1}};
    for (const auto& [u, x] : cases) {
        EXPECT_EQ(InverseCumulativeNormal(u), x) << std::hexfloat << u;
    }
}

TEST(InverseCumulativeNormal, IsOddAboutOneHalfWhereOneMinusUIsExact) {
    for (int k = 1; k < 4096; ++k) {
        const double u = k / 8192.0;
        ASSERT_EQ(InverseCumulativeNormal(1.0 - u), -InverseCumulativeNormal(u)) << "u = " << u;
    }
}

TEST(InverseCumulativeNormal, ArgumentsOutsideTheOpenIntervalGiveFiniteClampedValues) {
    const double lowest = InverseCumulativeNormal(0x1p-32);
    const double highest = InverseCumulativeNormal(1.0 - 0x1p-32);
    EXPECT_TRUE(std::isfinite(lowest));
    EXPECT_EQ(highest, -lowest);
    std::feclearexcept(FE_ALL_EXCEPT);
    const double inf = std::numeric_limits<double>::infinity();
    for (double u : {0.0, -0.0, -1e-300, -inf, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(InverseCumulativeNormal(u), lowest) << u;
    }
    for (double u : {1.0, 1.5, inf}) {
        EXPECT_EQ(InverseCumulativeNormal(u), highest) << u;
    }
    EXPECT_EQ(std::fetestexcept(FaultFlags), 0);
}

TEST(CumulativeNormal, ReproducesTheApproximationsValues) {
    EXPECT_TRUE(Agrees(CumulativeNormal(0.0L), "0.50000000052480"));
    EXPECT_TRUE(Agrees(CumulativeNormal(1.0L), "0.84134474043"));
    EXPECT_TRUE(Agrees(CumulativeNormal(-1.0L), "0.15865525956"));
    EXPECT_TRUE(Agrees(CumulativeNormal(1.96L), "0.97500217484"));
}

TEST(CumulativeNormal, SaturatesExactlyWithoutRaisingAFlag) {
    std::feclearexcept(FE_ALL_EXCEPT);
    // From about 9.3 on the formula itself is exactly 1, so a saturation
    // bound anywhere in that range changes no value.
    for (long double x : {9.5L, 20.0L, 39.99L, 40.0L, 40.01L, 150.7L, 151.0L, 1e10L, 1e300L, LDBL_MAX,
                          std::numeric_limits<long double>::infinity()}) {
        EXPECT_EQ(CumulativeNormal(x), 1.0L) << static_cast<double>(x);
        EXPECT_EQ(CumulativeNormal(-x), 0.0L) << static_cast<double>(x);
    }
    EXPECT_EQ(std::fetestexcept(FaultFlags), 0);
    EXPECT_LT(CumulativeNormal(8.0L), 1.0L);
    EXPECT_GT(CumulativeNormal(-8.0L), 0.0L);
}

}  // namespace
