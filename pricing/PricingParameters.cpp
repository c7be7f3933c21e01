// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pricing/PricingParameters.h"

#include <cmath>

#include "random/ExtendedPrecision.h"

namespace {

// Kept in extended precision so that driftPerStep rounds only once.
long double ExtendedTimeStep(const PricingParameters& p)
{
    return static_cast<long double>(p.maturity) / p.fixingCount;
}

}  // namespace

double discountFactor(const PricingParameters& p)
{
    return RoundToDouble(std::exp(-static_cast<long double>(p.rate) * p.maturity));
}

double timeStep(const PricingParameters& p)
{
    return RoundToDouble(ExtendedTimeStep(p));
}

double driftPerStep(const PricingParameters& p)
{
    const long double variance = static_cast<long double>(p.volatility) * p.volatility;
    const long double drift = (static_cast<long double>(p.rate) - p.dividendYield) - variance * 0.5L;
    return RoundToDouble(drift * ExtendedTimeStep(p));
}

double terminalStandardDeviation(const PricingParameters& p)
{
    return RoundToDouble(std::sqrt(static_cast<long double>(p.maturity)) * p.volatility);
}

int32_t pathsPerBatch(const PricingParameters& p)
{
    return p.pathCount / BatchCount;
}
