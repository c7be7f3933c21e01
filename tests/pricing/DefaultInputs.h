// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

#include "pricing/PricingParameters.h"

// The window's default inputs: spot 5, strike 5, 6 months, rate 0.03,
// volatility 0.4, no dividend, 126 fixings, call on the geometric average.
inline PricingParameters DefaultInputs(int32_t iterations = 8)
{
    PricingParameters p;
    p.spot = 5.0;
    p.strike = 5.0;
    p.maturity = 0.5;
    p.rate = 0.03;
    p.volatility = 0.4;
    p.dividendYield = 0.0;
    p.fixingCount = 126;
    p.pathCount = iterations * 1024;
    return p;
}
