#include "pricing/PathPayoff.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "pricing/PricingParameters.h"
#include "pricing/RoundedSum.h"

// The fixings are added in increasing order into double sums.

namespace {

// x_i = ln(S(t_i) / S0) = i * drift + path[i-1] for i = 1..n, formed in
// extended precision and rounded once (the first fixing carries one step of
// drift). The product i * drift (i <= 1024 < 2^11, so at most 64 significant
// bits) is exact in extended precision; it is formed here as the exact
// extended sum of i * high and i * low, where high keeps the upper 42
// significant bits of drift and low the other 11 bits, so that both products
// are exact doubles and no extended multiplication or conversion of i is
// needed per fixing.
void LogPriceRatios(const double* path, double drift, int32_t n, double* ratios)
{
    constexpr uint64_t LowBitsMask = (uint64_t{1} << 11) - 1;
    const double high = std::bit_cast<double>(std::bit_cast<uint64_t>(drift) & ~LowBitsMask);
    const double low = drift - high;
    for (int32_t i = 0; i < n; ++i) {
        const double fixing = i + 1;
        ratios[i] = static_cast<double>(static_cast<long double>(fixing * high) + fixing * low + path[i]);
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

}  // namespace

double GeometricAverage(const double* path, double drift)
{
    const int32_t n = Parameters.fixingCount;
    FixingBuffers buffers;
    LogPriceRatios(path, drift, n, buffers.logRatios);
    return GeometricMean(SumRounded(buffers.logRatios, n, buffers.partialSums), n);
}

double ArithmeticAverage(const double* path, double drift)
{
    const int32_t n = Parameters.fixingCount;
    FixingBuffers buffers;
    LogPriceRatios(path, drift, n, buffers.logRatios);
    PriceRatios(buffers.logRatios, n, buffers.ratios);
    return ArithmeticMean(SumRounded(buffers.ratios, n, buffers.partialSums), n);
}

BothAverages GeometricAndArithmeticAverages(const double* path, double drift)
{
    const int32_t n = Parameters.fixingCount;
    FixingBuffers buffers;
    LogPriceRatios(path, drift, n, buffers.logRatios);
    PriceRatios(buffers.logRatios, n, buffers.ratios);
    return {GeometricMean(SumRounded(buffers.logRatios, n, buffers.partialSums), n),
            ArithmeticMean(SumRounded(buffers.ratios, n, buffers.partialSums), n)};
}

double Payoff(double average)
{
    long double d = static_cast<long double>(average) - Parameters.strike;
    if (Parameters.optionClass == OptionClass::Put) {
        d = -d;
    }
    return d >= 0.0L ? static_cast<double>(d) : 0.0;
}
