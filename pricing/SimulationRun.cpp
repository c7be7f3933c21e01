// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pricing/SimulationRun.h"

#include <cstdint>

#include "pricing/AnalyticPrice.h"
#include "pricing/BatchEstimate.h"
#include "pricing/CheckedObserver.h"
#include "pricing/ControlVariate.h"
#include "pricing/PathPayoff.h"
#include "pricing/PathPipeline.h"
#include "pricing/PathSimulation.h"
#include "pricing/ResultsGrid.h"
#include "pricing/RoundedSum.h"
#include "random/ExtendedPrecision.h"

namespace {

constexpr RgbColour QuasiColour{255, 0, 0};
constexpr RgbColour PseudoColour{0, 0, 255};
constexpr int64_t FullProgress = 100;

RgbColour ColourOf(GeneratorKind kind)
{
    return kind == GeneratorKind::Quasi ? QuasiColour : PseudoColour;
}

// The undiscounted payoff of a path. With the control variate the geometric
// payoff of the same path corrects the arithmetic one towards its known
// expectation.
class RunPayoff final : public PathEvaluation {
public:
    RunPayoff(double driftPerStep, double expectedGeometricPayoff, double coefficient)
        : drift(driftPerStep), expectedGeometric(expectedGeometricPayoff), beta(coefficient)
    {
    }

    void Evaluate(const double* path, PathResult& result) const override { result.payoff = PayoffOf(path); }

private:
    double PayoffOf(const double* path) const
    {
        if (Parameters.averageKind == AverageKind::Geometric) {
            return Payoff(GeometricAverage(path, drift));
        }
        if (!Parameters.useControlVariate) {
            return Payoff(ArithmeticAverage(path, drift));
        }
        const BothAverages averages = GeometricAndArithmeticAverages(path, drift);
        const double arithmetic = Payoff(averages.arithmetic);
        const double geometric = Payoff(averages.geometric);
        return RoundToDouble(arithmetic + (static_cast<long double>(expectedGeometric) - geometric) * beta);
    }

    const double drift;
    const double expectedGeometric;
    const double beta;
};

}  // namespace

void RunSequence(RunObserver& observer)
{
    for (const GeneratorKind kind : {GeneratorKind::Pseudo, GeneratorKind::Quasi}) {
        if (Parameters.useControlVariate) {
            controlVariateCoefficients[static_cast<int32_t>(kind)] = EstimateControlVariateCoefficient(kind, observer);
        }
        RunSimulation(kind, observer);
    }
}

void RunSimulation(GeneratorKind kind, RunObserver& window)
{
    const RunSetUp run = SetUpRun();
    CheckedObserver observer(window);
    const int32_t pathCount = Parameters.pathCount;
    const int32_t m = run.pathsPerBatch;
    const double discount = discountFactor(Parameters);
    const RgbColour colour = ColourOf(kind);

    observer.ClearSeries(kind);
    const double analytic = AnalyticGeometricPrice(Parameters.fixingCount);
    if (Parameters.averageKind == AverageKind::Geometric) {
        observer.SetCell(AnalyticColumn, ValueRow, CellText(analytic));
    }
    const double expectedGeometric = RoundToDouble(static_cast<long double>(analytic) / discount);
    const double beta = controlVariateCoefficients[static_cast<int32_t>(kind)];
    const RunPayoff payoff(run.drift, expectedGeometric, beta);

    // Everything from here to the last report happens on this thread in path
    // order, only the paths themselves are computed ahead: the sums, and so
    // every reported value, are those of one thread whatever the count.
    PathPipeline paths(kind, pathCount, payoff);
    double total = 0.0;
    int32_t k = 0;
    BatchEstimate estimate;
    for (int32_t q = 0; q < BatchCount; ++q) {
        double batchSum = 0.0;
        for (int32_t i = 0; i < m; ++i) {
            // Share of the paths already finished; 64-bit so that 100 times
            // the largest path count cannot overflow.
            const int64_t finished = static_cast<int64_t>(q) * m + i;
            observer.SetProgress(static_cast<int32_t>(finished * FullProgress / pathCount));
            const PathResult& path = paths.Take();
            // The path's faults end the press at the report below, as when
            // this thread computed it.
            RaiseFloatingPointFaults(path.faults);
            const double y = path.payoff;
            batchSum = AddRounded(batchSum, y);
            k += 1;
            total = AddRounded(total, y);
            // The running discounted mean over every path of the run so far.
            // It discounts the total before dividing by k, while the batch
            // mean below divides by m first: each order is the defined one,
            // and swapping either changes the last bits of what is shown.
            observer.AddPoint(kind, k, RoundToDouble(static_cast<long double>(total) * discount / k), colour);
        }
        estimate.AddBatchMean(RoundToDouble(static_cast<long double>(batchSum) / m * discount));
    }
    estimate.Report(kind, observer);
    observer.SetProgress(0);
}
