#include "pricing/PathPayoff.h"

#include <cmath>
#include <cstdint>

#include "pricing/PricingParameters.h"
#include "pricing/RoundedSum.h"

// The fixings are added in increasing order into double sums.

namespace {

// Calls visit(x_i) for i = 1..n in increasing order, x_i = ln(S(t_i) / S0) =
// i * drift + path[i-1] formed in extended precision and rounded once (the
// first fixing carries one step of drift). i * drift is accumulated by adding
// drift once per fixing: every multiple k * drift with k <= 1024 < 2^11 has
// at most 53 + 11 = 64 significant bits, so each extended addition is exact
// and equals the product without converting i at every fixing. Starting from
// -0 makes the first step drift itself, with the sign of a zero drift kept.
template <typename Visit>
inline void ForEachLogPriceRatio(const double* path, double drift, int32_t n, Visit visit)
{
    long double steps = -0.0L;
    for (int32_t i = 0; i < n; ++i) {
        steps += drift;
        visit(static_cast<double>(steps + path[i]));
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

}  // namespace

double GeometricAverage(const double* path, double drift)
{
    const int32_t n = Parameters.fixingCount;
    double sum = 0.0;
    ForEachLogPriceRatio(path, drift, n, [&sum](double x) { sum = AddRounded(sum, x); });
    return GeometricMean(sum, n);
}

double ArithmeticAverage(const double* path, double drift)
{
    const int32_t n = Parameters.fixingCount;
    double sum = 0.0;
    ForEachLogPriceRatio(path, drift, n, [&sum](double x) { sum = AddRounded(sum, std::exp(x)); });
    return ArithmeticMean(sum, n);
}

BothAverages GeometricAndArithmeticAverages(const double* path, double drift)
{
    const int32_t n = Parameters.fixingCount;
    double sumOfLogs = 0.0;
    double sumOfRatios = 0.0;
    // Each sum still takes its terms in increasing order; they only share x_i.
    ForEachLogPriceRatio(path, drift, n, [&sumOfLogs, &sumOfRatios](double x) {
        sumOfLogs = AddRounded(sumOfLogs, x);
        sumOfRatios = AddRounded(sumOfRatios, std::exp(x));
    });
    return {GeometricMean(sumOfLogs, n), ArithmeticMean(sumOfRatios, n)};
}

double Payoff(double average)
{
    long double d = static_cast<long double>(average) - Parameters.strike;
    if (Parameters.optionClass == OptionClass::Put) {
        d = -d;
    }
    return d >= 0.0L ? static_cast<double>(d) : 0.0;
}
