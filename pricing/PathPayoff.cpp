// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pricing/PathPayoff.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "pricing/PricingParameters.h"
#include "pricing/RoundedSum.h"
#include "random/ExtendedPrecision.h"

// The fixings are added in increasing order into double sums.

namespace {

// The fixing indices 1..MaxFixingCount as doubles, so that the extended
// product i * drift loads i instead of converting it at every fixing.
constexpr std::array<double, MaxFixingCount> FixingIndices = [] {
    std::array<double, MaxFixingCount> indices{};
    for (int32_t i = 0; i < MaxFixingCount; ++i) {
        indices[i] = i + 1;
    }
    return indices;
}();

// x_i = ln(S(t_i) / S0) = i * drift + path[i-1] for i = 1..n, formed in
// extended precision and rounded once (the first fixing carries one step of
// drift). The product i * drift is exact there: i <= 1024 < 2^11, so it has
// at most 53 + 11 = 64 significant bits.
struct LogPriceRatio {
    const double* path;
    long double drift;
    double operator()(int32_t i) const { return RoundToDouble(FixingIndices[i] * drift + path[i]); }
};

double GeometricMean(double sumOfLogs, int32_t n)
{
    return RoundToDouble(std::exp(static_cast<long double>(sumOfLogs) / n) * Parameters.spot);
}

// The multiplication by S0 precedes the division by n.
double ArithmeticMean(double sumOfRatios, int32_t n)
{
    return RoundToDouble(static_cast<long double>(Parameters.spot) * sumOfRatios / n);
}

// Per-path scratch of the sums, on the stack: nothing is allocated.
struct FixingBuffers {
    double logRatios[MaxFixingCount];
    double ratios[MaxFixingCount];
    double partialSums[MaxFixingCount + 1];
};

// The geometric mean forms the log-price ratios as it sums them, keeping
// them in the buffers: the sum's latency covers the x87 work, and the wait
// of the sum's load right after each x87 store as well.
double GeometricMeanOf(const LogPriceRatio& logRatioOf, FixingBuffers& buffers, int32_t n)
{
    return GeometricMean(SumRoundedOf(n, logRatioOf, buffers.logRatios, buffers.partialSums), n);
}

// The arithmetic mean forms the price ratios S(t_i) / S0, the exponentials
// of log-price ratios already in the buffers, as it sums them. Each
// exponential waits for its argument, so a ratio the x87 unit had only just
// stored would stall it.
double ArithmeticMeanOf(FixingBuffers& buffers, int32_t n)
{
    const auto priceRatioOf = [&buffers](int32_t i) { return std::exp(buffers.logRatios[i]); };
    return ArithmeticMean(SumRoundedOf(n, priceRatioOf, buffers.ratios, buffers.partialSums), n);
}

}  // namespace

double GeometricAverage(const double* path, double drift)
{
    FixingBuffers buffers;
    return GeometricMeanOf({path, drift}, buffers, Parameters.fixingCount);
}

double ArithmeticAverage(const double* path, double drift)
{
    const int32_t n = Parameters.fixingCount;
    FixingBuffers buffers;
    // All log-price ratios in one x87 pass before the first exponential.
    const LogPriceRatio logRatioOf{path, drift};
    for (int32_t i = 0; i < n; ++i) {
        buffers.logRatios[i] = logRatioOf(i);
    }
    return ArithmeticMeanOf(buffers, n);
}

BothAverages GeometricAndArithmeticAverages(const double* path, double drift)
{
    const int32_t n = Parameters.fixingCount;
    FixingBuffers buffers;
    const double geometric = GeometricMeanOf({path, drift}, buffers, n);
    // The price ratios from the log-price ratios the geometric mean stored.
    return {geometric, ArithmeticMeanOf(buffers, n)};
}

double Payoff(double average)
{
    long double d = static_cast<long double>(average) - Parameters.strike;
    if (Parameters.optionClass == OptionClass::Put) {
        d = -d;
    }
    return d >= 0.0L ? RoundToDouble(d) : 0.0;
}
