// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pricing/AnalyticPrice.h"

#include <cmath>

#include "pricing/PricingParameters.h"
#include "random/ExtendedPrecision.h"
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

    const double a = RoundToDouble(1.0L / fixingCount);
    const double s2 = RoundToDouble(static_cast<Extended>(p.volatility) * p.volatility);
    const double nu = RoundToDouble((rate - p.dividendYield) - s2 * 0.5L);
    const double muG = RoundToDouble((1.0L + a) * nu * 0.5L);
    const double sigmaG2 = RoundToDouble((1.0L + a) * s2 * (2.0L + a) * (1.0L / 6.0L));
    const double w = RoundToDouble(std::sqrt(sigmaG2 * maturity));
    const double qG = RoundToDouble((rate - muG) - sigmaG2 * 0.5L);
    // The ratio rounds to double before the double-precision logarithm.
    const double logMoneyness = std::log(RoundToDouble(spot / strike));
    const double d1 = RoundToDouble((logMoneyness + ((rate - qG) + sigmaG2 * 0.5L) * maturity) / w);
    const double d2 = RoundToDouble(static_cast<Extended>(d1) - w);
    const double discountRate = RoundToDouble(std::exp(-rate * maturity));
    const double discountYield = RoundToDouble(std::exp(-static_cast<Extended>(qG) * maturity));

    const Extended spotLeg = spot * discountYield;
    const Extended strikeLeg = strike * discountRate;
    // The put evaluates N at the negated arguments rather than 1 - N(d):
    // the two differ in the last digits because N is an approximation.
    if (p.optionClass == OptionClass::Put) {
        return RoundToDouble(CumulativeNormal(-static_cast<Extended>(d2)) * strikeLeg -
                             CumulativeNormal(-static_cast<Extended>(d1)) * spotLeg);
    }
    return RoundToDouble(CumulativeNormal(d1) * spotLeg - CumulativeNormal(d2) * strikeLeg);
}
