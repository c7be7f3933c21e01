// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include <algorithm>
#include <cmath>
#include <iterator>

#include <gtest/gtest.h>

#include "DefaultInputs.h"
#include "pricing/PathPayoff.h"

namespace {

TEST(PathAverages, FlatPathGivesTheSpot)
{
    Parameters = DefaultInputs();
    double path[MaxFixingCount] = {};
    EXPECT_DOUBLE_EQ(GeometricAverage(path, 0.0), 5.0);
    EXPECT_DOUBLE_EQ(ArithmeticAverage(path, 0.0), 5.0);
}

TEST(PathAverages, TwoFixingsCarryOneAndTwoStepsOfDrift)
{
    Parameters = DefaultInputs();
    Parameters.fixingCount = 2;
    // Entries at index n and beyond must not be read.
    double path[MaxFixingCount];
    std::fill(std::begin(path), std::end(path), 1e300);
    path[0] = 0.1;
    path[1] = 0.2;
    EXPECT_NEAR(GeometricAverage(path, 0.01), 5.0 * std::exp(0.33 / 2), 1e-14);
    EXPECT_NEAR(GeometricAverage(path, 0.01), 5.896966, 5e-7);
    EXPECT_NEAR(ArithmeticAverage(path, 0.01), 5.0 * (std::exp(0.11) + std::exp(0.22)) / 2, 1e-14);
    EXPECT_NEAR(ArithmeticAverage(path, 0.01), 5.905887, 5e-7);
}

TEST(Payoff, CallAndPutAroundTheStrike)
{
    Parameters = DefaultInputs();
    Parameters.optionClass = OptionClass::Call;
    EXPECT_EQ(Payoff(6.0), 1.0);
    EXPECT_EQ(Payoff(5.0), 0.0);
    EXPECT_EQ(Payoff(4.0), 0.0);
    Parameters.optionClass = OptionClass::Put;
    EXPECT_EQ(Payoff(4.0), 1.0);
    EXPECT_EQ(Payoff(5.0), 0.0);
    EXPECT_EQ(Payoff(6.0), 0.0);
}

}  // namespace
