// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pricing/ControlVariate.h"

#include <cstdint>

#include "pricing/CheckedObserver.h"
#include "pricing/FloatingPointFault.h"
#include "pricing/PathPayoff.h"
#include "pricing/PathPipeline.h"
#include "pricing/PathSimulation.h"
#include "pricing/RoundedSum.h"
#include "random/ExtendedPrecision.h"

double controlVariateCoefficients[2] = {0.0, 0.0};

namespace {

// Both payoffs of a pilot path.
class PilotPayoffs final : public PathEvaluation {
public:
    explicit PilotPayoffs(double driftPerStep) : drift(driftPerStep) {}

    void Evaluate(const double* path, PathResult& result) const override
    {
        const BothAverages averages = GeometricAndArithmeticAverages(path, drift);
        result.geometricPayoff = Payoff(averages.geometric);
        result.payoff = Payoff(averages.arithmetic);
    }

private:
    const double drift;
};

// Sums of the undiscounted payoffs: the discount factor would cancel in the
// slope, and the main run applies beta to undiscounted payoffs too.
struct PilotSums {
    double arithmeticTimesGeometric = 0.0;
    double arithmetic = 0.0;
    double geometric = 0.0;
    double geometricSquared = 0.0;
};

}  // namespace

double EstimateControlVariateCoefficient(GeneratorKind kind, RunObserver& window)
{
    const RunSetUp run = SetUpRun();
    CheckedObserver observer(window);
    const int32_t m = run.pathsPerBatch;
    const PilotPayoffs payoffs(run.drift);

    PathPipeline paths(kind, m, payoffs);
    PilotSums sums;
    for (int32_t j = 0; j < m; ++j) {
        const PathResult& path = paths.Take();
        // Kept with the sums' own flags until the pilot's end.
        RaiseFloatingPointFaults(path.faults);
        const double yG = path.geometricPayoff;
        const double yA = path.payoff;
        // The products stay extended until they are added and stored.
        sums.arithmeticTimesGeometric =
            RoundToDouble(sums.arithmeticTimesGeometric + static_cast<long double>(yA) * yG);
        sums.arithmetic = AddRounded(sums.arithmetic, yA);
        sums.geometric = AddRounded(sums.geometric, yG);
        sums.geometricSquared = RoundToDouble(sums.geometricSquared + static_cast<long double>(yG) * yG);
        observer.PilotPathDone();
    }

    // Plain (divide-by-m) moments: the factor cancels in the slope.
    const double meanAG = RoundToDouble(static_cast<long double>(sums.arithmeticTimesGeometric) / m);
    const double meanA = RoundToDouble(static_cast<long double>(sums.arithmetic) / m);
    const double meanG = RoundToDouble(static_cast<long double>(sums.geometric) / m);
    const double meanGG = RoundToDouble(static_cast<long double>(sums.geometricSquared) / m);
    const double covariance = RoundToDouble(meanAG - static_cast<long double>(meanA) * meanG);
    const double variance = RoundToDouble(meanGG - static_cast<long double>(meanG) * meanG);

    // A pilot whose geometric payoffs have no spread (every one 0 far out of
    // the money; rounding can even leave the difference below 0) carries no
    // information on the slope: run without adjustment instead of dividing
    // by zero.
    const double beta = variance > 0.0 ? RoundToDouble(static_cast<long double>(covariance) / variance) : 0.0;
    // The pilot reports nothing: a fault in it ends the press here, before
    // the main run of its kind.
    CheckFloatingPointFaults();
    return beta;
}
