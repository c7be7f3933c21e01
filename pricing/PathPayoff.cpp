#include "pricing/PathPayoff.h"

#include <cmath>
#include <cstdint>

#include "pricing/PricingParameters.h"
#include "pricing/RoundedSum.h"

// The fixings are added in increasing order into double sums.

namespace {

// ln(S(t_i) / S0) at fixing i (1-based, so the first fixing carries one step
// of drift), formed in extended precision and rounded once.
inline double LogPriceRatio(const double* path, double drift, int32_t i)
{
    return static_cast<double>(i * static_cast<long double>(drift) + path[i - 1]);
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

}  // namespace

double GeometricAverage(const double* path, double drift)
{
    const int32_t n = Parameters.fixingCount;
    double sum = 0.0;
    for (int32_t i = 1; i <= n; ++i) {
        sum = AddRounded(sum, LogPriceRatio(path, drift, i));
    }
    return GeometricMean(sum, n);
}

double ArithmeticAverage(const double* path, double drift)
{
    const int32_t n = Parameters.fixingCount;
    double sum = 0.0;
    for (int32_t i = 1; i <= n; ++i) {
        sum = AddRounded(sum, std::exp(LogPriceRatio(path, drift, i)));
    }
    return ArithmeticMean(sum, n);
}

double Payoff(double average)
{
    long double d = static_cast<long double>(average) - Parameters.strike;
    if (Parameters.optionClass == OptionClass::Put) {
        d = -d;
    }
    return d >= 0.0L ? static_cast<double>(d) : 0.0;
}
