// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "pricing/CheckedObserver.h"
#include "pricing/PricingParameters.h"

// The estimate of a main run and its standard deviation, from the spread of
// its BatchCount discounted batch means, and how they are reported.
class BatchEstimate {
public:
    void AddBatchMean(double batchMean);

    // V: the mean of the batch means.
    double Value() const;

    // s: the standard error of V, sqrt((mean of squares - V^2) / (BatchCount - 1)).
    double StandardDeviation() const;

    // V and s into the kind's grid column, formatted with "%f", then the value
    // axis centred on V with 100 standard deviations on either side.
    void Report(GeneratorKind kind, CheckedObserver& observer) const;

private:
    double sumOfMeans = 0.0;
    double sumOfSquares = 0.0;
};
