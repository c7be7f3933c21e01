#include "pricing/ControlVariate.h"

#include <cstdint>

#include "pricing/FloatingPointFault.h"
#include "pricing/PathPayoff.h"
#include "pricing/PathSimulation.h"
#include "random/BrownianBridge.h"

double controlVariateCoefficients[2] = {0.0, 0.0};

namespace {

double pilotPathBuffer[MaxFixingCount];

// Sums of the undiscounted payoffs: the discount factor would cancel in the
// slope, and the main run applies beta to undiscounted payoffs too.
struct PilotSums {
    double arithmeticTimesGeometric = 0.0;
    double arithmetic = 0.0;
    double geometric = 0.0;
    double geometricSquared = 0.0;
};

double AddRounded(double sum, long double term)
{
    return static_cast<double>(sum + term);
}

}  // namespace

double EstimateControlVariateCoefficient(GeneratorKind kind)
{
    ClearFloatingPointFaults();
    const int32_t m = pathsPerBatch(Parameters);
    const double mu = driftPerStep(Parameters);
    PathScale = pathScale(Parameters);
    const UniformSource source = UniformSourceOf(kind);

    PilotSums sums;
    for (int32_t j = 0; j < m; ++j) {
        SimulatePath(source, pilotPathBuffer);
        const long double yG = Payoff(GeometricAverage(pilotPathBuffer, mu));
        const long double yA = Payoff(ArithmeticAverage(pilotPathBuffer, mu));
        sums.arithmeticTimesGeometric = AddRounded(sums.arithmeticTimesGeometric, yA * yG);
        sums.arithmetic = AddRounded(sums.arithmetic, yA);
        sums.geometric = AddRounded(sums.geometric, yG);
        sums.geometricSquared = AddRounded(sums.geometricSquared, yG * yG);
    }

    // Plain (divide-by-m) moments: the factor cancels in the slope.
    const double meanAG = static_cast<long double>(sums.arithmeticTimesGeometric) / m;
    const double meanA = static_cast<long double>(sums.arithmetic) / m;
    const double meanG = static_cast<long double>(sums.geometric) / m;
    const double meanGG = static_cast<long double>(sums.geometricSquared) / m;
    const double covariance = meanAG - static_cast<long double>(meanA) * meanG;
    const double variance = meanGG - static_cast<long double>(meanG) * meanG;

    // A pilot whose geometric payoffs have no spread (every one 0 far out of
    // the money; rounding can even leave the difference below 0) carries no
    // information on the slope: run without adjustment instead of dividing
    // by zero.
    const double beta = variance > 0.0 ? static_cast<long double>(covariance) / variance : 0.0L;
    CheckFloatingPointFaults();
    return beta;
}
