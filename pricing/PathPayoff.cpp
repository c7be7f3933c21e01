#include "pricing/PathPayoff.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "pricing/PricingParameters.h"
#include "pricing/RoundedSum.h"

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
void LogPriceRatios(const double* path, double drift, int32_t n, double* ratios)
{
    const long double extendedDrift = drift;
    for (int32_t i = 0; i < n; ++i) {
        ratios[i] = static_cast<double>(FixingIndices[i] * extendedDrift + path[i]);
    }
}

void PriceRatios(const double* logRatios, int32_t n, double* ratios)
{
    for (int32_t i = 0; i < n; ++i) {
        ratios[i] = std::exp(logRatios[i]);
    }
}

double GeometricMean(double sumOfLogs, int32_t n)
{
    return static_cast<double>(std::exp(static_cast<long double>(sumOfLogs) / n) * Parameters.spot);
}

// The multiplication by S0 precedes the division by n.
double ArithmeticMean(double sumOfRatios, int32_t n)
{
    return static_cast<double>(static_cast<long double>(Parameters.spot) * sumOfRatios / n);
}

// Per-path scratch of the sums, on the stack: nothing is allocated.
struct FixingBuffers {
    double logRatios[MaxFixingCount];
    double ratios[MaxFixingCount];
    double partialSums[MaxFixingCount + 1];
};

// Both means read the log-price ratios already in the buffers.
double GeometricMeanOf(FixingBuffers& buffers, int32_t n)
{
    return GeometricMean(SumRounded(buffers.logRatios, n, buffers.partialSums), n);
}

double ArithmeticMeanOf(FixingBuffers& buffers, int32_t n)
{
    PriceRatios(buffers.logRatios, n, buffers.ratios);
    return ArithmeticMean(SumRounded(buffers.ratios, n, buffers.partialSums), n);
}

}  // namespace

double GeometricAverage(const double* path, double drift)
{
    const int32_t n = Parameters.fixingCount;
    FixingBuffers buffers;
    LogPriceRatios(path, drift, n, buffers.logRatios);
    return GeometricMeanOf(buffers, n);
}

double ArithmeticAverage(const double* path, double drift)
{
    const int32_t n = Parameters.fixingCount;
    FixingBuffers buffers;
    LogPriceRatios(path, drift, n, buffers.logRatios);
    return ArithmeticMeanOf(buffers, n);
}

BothAverages GeometricAndArithmeticAverages(const double* path, double drift)
{
    const int32_t n = Parameters.fixingCount;
    FixingBuffers buffers;
    LogPriceRatios(path, drift, n, buffers.logRatios);
    // A braced list is evaluated left to right.
    return {GeometricMeanOf(buffers, n), ArithmeticMeanOf(buffers, n)};
}

double Payoff(double average)
{
    long double d = static_cast<long double>(average) - Parameters.strike;
    if (Parameters.optionClass == OptionClass::Put) {
        d = -d;
    }
    return d >= 0.0L ? static_cast<double>(d) : 0.0;
}
