// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pricing/BatchEstimate.h"

#include <cmath>

#include "pricing/ResultsGrid.h"
#include "pricing/RoundedSum.h"
#include "random/ExtendedPrecision.h"

namespace {

// Half-width of the value-axis range, in standard deviations.
constexpr long double AxisHalfWidth = 100.0L;

}  // namespace

void BatchEstimate::AddBatchMean(double batchMean)
{
    // The square stays extended until it is added and stored.
    sumOfSquares = RoundToDouble(sumOfSquares + static_cast<long double>(batchMean) * batchMean);
    sumOfMeans = AddRounded(sumOfMeans, batchMean);
}

double BatchEstimate::Value() const
{
    return RoundToDouble(static_cast<long double>(sumOfMeans) / BatchCount);
}

double BatchEstimate::StandardDeviation() const
{
    const long double value = Value();
    const long double variance =
        (static_cast<long double>(sumOfSquares) / BatchCount - value * value) / (BatchCount - 1);
    // Equal batch means can leave the difference a rounding error below 0:
    // their spread is then 0, not the root of a negative number.
    return variance > 0.0L ? RoundToDouble(std::sqrt(variance)) : 0.0;
}

void BatchEstimate::Report(GeneratorKind kind, CheckedObserver& observer) const
{
    const double value = Value();
    const double deviation = StandardDeviation();
    observer.SetCell(KindColumn(kind), ValueRow, CellText(value));
    observer.SetCell(KindColumn(kind), StandardDeviationRow, CellText(deviation));
    // Lowering the minimum first keeps minimum <= maximum at every call, so an
    // axis that refuses crossing bounds accepts all three.
    observer.SetValueAxisMinimum(-1.0);
    observer.SetValueAxisMaximum(RoundToDouble(value + AxisHalfWidth * deviation));
    observer.SetValueAxisMinimum(RoundToDouble(value - AxisHalfWidth * deviation));
}
