#include "pricing/AnalyticPrice.h"

#include <cmath>

#include "pricing/PricingParameters.h"
#include "random/NormalDistribution.h"

// The steps run in a fixed order and each named intermediate is rounded to
// double where it is stored, so the price is reproducible to the last digit;
// only the final combination of the two normal probabilities stays in
// extended precision until the price is returned.
double AnalyticGeometricPrice(int32_t fixingCount)
{
    using Extended = long double;
    const PricingParameters& p = Parameters;
    const Extended spot = p.spot;
    const Extended strike = p.strike;
    const Extended maturity = p.maturity;
    const Extended rate = p.rate;

    const double a = 1.0L / fixingCount;
    const double s2 = static_cast<Extended>(p.volatility) * p.volatility;
    const double nu = (rate - p.dividendYield) - s2 * 0.5L;
    const double muG = (1.0L + a) * nu * 0.5L;
    const double sigmaG2 = (1.0L + a) * s2 * (2.0L + a) * (1.0L / 6.0L);
    const double w = std::sqrt(sigmaG2 * maturity);
    const double qG = (rate - muG) - sigmaG2 * 0.5L;
    const double logMoneyness = std::log(static_cast<double>(spot / strike));
    const double d1 = (logMoneyness + ((rate - qG) + sigmaG2 * 0.5L) * maturity) / w;
    const double d2 = static_cast<Extended>(d1) - w;
    const double discountRate = std::exp(-rate * maturity);
    const double discountYield = std::exp(-static_cast<Extended>(qG) * maturity);

    const Extended spotLeg = spot * discountYield;
    const Extended strikeLeg = strike * discountRate;
    // The put evaluates N at the negated arguments rather than 1 - N(d):
    // the two differ in the last digits because N is an approximation.
    if (p.optionClass == OptionClass::Put) {
        return static_cast<double>(CumulativeNormal(-static_cast<Extended>(d2)) * strikeLeg -
                                   CumulativeNormal(-static_cast<Extended>(d1)) * spotLeg);
    }
    return static_cast<double>(CumulativeNormal(d1) * spotLeg - CumulativeNormal(d2) * strikeLeg);
}
