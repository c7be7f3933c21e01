// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// The one record of every pricing input, overwritten field by field when
// Compute is pressed and only read by the engine. The record itself is
// defined here, inline, so that the uniform sources of random/ can read the
// fixing count without a link dependency on the pricing library; the derived
// quantities below are the pricing library's.

enum class OptionClass { Call, Put };
enum class AverageKind { Geometric, Arithmetic };

// The numeric values are part of the behaviour: a kind indexes its chart line,
// its control-variate coefficient and (plus 2) its results-grid column.
enum class GeneratorKind : int32_t { Quasi = 0, Pseudo = 1 };

constexpr int32_t BatchCount = 16;
constexpr int32_t MaxFixingCount = 1024;
constexpr int32_t MinFixingCount = 2;
// The largest path count in units of 1024 that the window accepts: every
// progress computation of a run, (path index) * 100, stays inside int32_t.
constexpr int32_t MaxIterationCount = 20971;

struct PricingParameters {
    double spot = 0.0;
    double strike = 0.0;
    double maturity = 0.0;  // years
    double rate = 0.0;
    double volatility = 0.0;
    double dividendYield = 0.0;
    int32_t fixingCount = MinFixingCount;
    int32_t pathCount = 0;
    OptionClass optionClass = OptionClass::Call;
    AverageKind averageKind = AverageKind::Geometric;
    bool useControlVariate = false;
};

inline PricingParameters Parameters;

// Derived quantities: pure functions of the record, recomputed by every run so
// they can never be stale. Intermediates are extended precision; each result
// is rounded to double once, when it is returned.
double discountFactor(const PricingParameters& p);
double timeStep(const PricingParameters& p);
double driftPerStep(const PricingParameters& p);
// sigma * sqrt(T), the standard deviation of sigma * W(T): every run stores it
// in the bridge's PathScale.
double terminalStandardDeviation(const PricingParameters& p);
int32_t pathsPerBatch(const PricingParameters& p);
