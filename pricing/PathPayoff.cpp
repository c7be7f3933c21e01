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

// Each mean forms its terms as it sums them: the log-price ratios, and their
// exponentials, the price ratios S(t_i) / S0. The geometric mean keeps the
// log-price ratios in the buffers.
double GeometricMeanOf(const LogPriceRatio& logRatioOf, FixingBuffers& buffers, int32_t n)
{
    return GeometricMean(SumRoundedOf(n, logRatioOf, buffers.logRatios, buffers.partialSums), n);
}

template <typename LogRatioOf>
double ArithmeticMeanOf(const LogRatioOf& logRatioOf, FixingBuffers& buffers, int32_t n)
{
    const auto priceRatioOf = [&logRatioOf](int32_t i) { return std::exp(logRatioOf(i)); };
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
    FixingBuffers buffers;
    return ArithmeticMeanOf(LogPriceRatio{path, drift}, buffers, Parameters.fixingCount);
}

BothAverages GeometricAndArithmeticAverages(const double* path, double drift)
{
    const int32_t n = Parameters.fixingCount;
    FixingBuffers buffers;
    const double geometric = GeometricMeanOf({path, drift}, buffers, n);
    // The price ratios from the log-price ratios the geometric mean stored.
    const auto storedLogRatio = [&buffers](int32_t i) { return buffers.logRatios[i]; };
    return {geometric, ArithmeticMeanOf(storedLogRatio, buffers, n)};
}

double Payoff(double average)
{
    long double d = static_cast<long double>(average) - Parameters.strike;
    if (Parameters.optionClass == OptionClass::Put) {
        d = -d;
    }
    return d >= 0.0L ? RoundToDouble(d) : 0.0;
}
