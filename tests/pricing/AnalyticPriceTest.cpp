// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "DefaultInputs.h"
#include "pricing/AnalyticPrice.h"

namespace {

std::string SixDecimals(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%f", value);
    return text;
}

double Price(OptionClass optionClass)
{
    Parameters.optionClass = optionClass;
    return AnalyticGeometricPrice(Parameters.fixingCount);
}

TEST(PricingParameters, DerivedQuantitiesOfTheDefaultInputs)
{
    PricingParameters p = DefaultInputs(8);
    EXPECT_DOUBLE_EQ(timeStep(p), 0.5 / 126);
    EXPECT_DOUBLE_EQ(driftPerStep(p), (0.03 - 0.08) * 0.5 / 126);
    EXPECT_DOUBLE_EQ(discountFactor(p), std::exp(-0.015));
    EXPECT_DOUBLE_EQ(terminalStandardDeviation(p), 0.4 * std::sqrt(0.5));
    EXPECT_EQ(pathsPerBatch(p), 512);
    p.pathCount = 1024;
    EXPECT_EQ(pathsPerBatch(p), 64);
    p.dividendYield = 0.03;
    EXPECT_DOUBLE_EQ(driftPerStep(p), (0.03 - 0.03 - 0.08) * 0.5 / 126);
}

TEST(AnalyticGeometricPrice, ReproducesKnownPricesToSixDecimals)
{
    struct Row {
        double spot, strike, maturity, rate, volatility, dividendYield;
        int fixingCount;
        const char* call;
        const char* put;
    };
    const Row rows[] = {
        {5, 5, 0.5, 0.03, 0.4, 0, 126, "0.324783", "0.320381"},
        {5, 5, 0.5, 0.03, 0.4, 0.03, 126, "0.305263", "0.337989"},
        {100, 100, 1, 0.05, 0.2, 0, 12, "5.940192", "3.651726"},
    };
    for (const Row& row : rows) {
        Parameters = {row.spot, row.strike, row.maturity, row.rate, row.volatility, row.dividendYield,
                      row.fixingCount, 1024};
        EXPECT_EQ(SixDecimals(Price(OptionClass::Call)), row.call) << "spot " << row.spot << " q " << row.dividendYield;
        EXPECT_EQ(SixDecimals(Price(OptionClass::Put)), row.put) << "spot " << row.spot << " q " << row.dividendYield;
    }
}

// Call - Put is the discounted expected geometric average minus the
// discounted strike; the moments of the log-average are summed here over the
// fixing dates instead of taken from the closed form.
TEST(AnalyticGeometricPrice, SatisfiesPutCallParity)
{
    const PricingParameters inputs[] = {
        DefaultInputs(),
        {5, 4, 0.5, 0.03, 0.4, 0.03, 126, 1024},
        {100, 120, 2, 0.05, 0.25, 0.01, 2, 1024},
        {100, 90, 1, -0.01, 0.6, 0.02, 1024, 1024},
    };
    for (const PricingParameters& input : inputs) {
        Parameters = input;
        const int n = input.fixingCount;
        const double dt = input.maturity / n;
        double mean = 0.0;
        double variance = 0.0;
        for (int i = 1; i <= n; ++i) {
            mean += (input.rate - input.dividendYield - 0.5 * input.volatility * input.volatility) * i * dt / n;
            for (int j = 1; j <= n; ++j) {
                variance += input.volatility * input.volatility * std::min(i, j) * dt / (double(n) * n);
            }
        }
        const double forward = input.spot * std::exp(mean + 0.5 * variance);
        const double expected = std::exp(-input.rate * input.maturity) * (forward - input.strike);
        EXPECT_NEAR(Price(OptionClass::Call) - Price(OptionClass::Put), expected, 1e-9 * input.spot)
            << "n = " << n;
    }
}

}  // namespace
