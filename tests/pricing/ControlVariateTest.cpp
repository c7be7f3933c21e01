// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cstdint>

#include <gtest/gtest.h>

#include "DefaultInputs.h"
#include "RecordingObserver.h"
#include "pricing/ControlVariate.h"
#include "pricing/PathPayoff.h"
#include "random/BrownianBridge.h"
#include "random/PseudoRandom.h"
#include "random/SobolGenerator.h"

namespace {

// The least-squares slope of the arithmetic payoff on the geometric one over
// the next m paths of the stream, by centred sums.
double IndependentSlope(void (*source)(double*), int32_t m)
{
    static double uniforms[MaxFixingCount];
    static double path[MaxFixingCount];
    std::vector<double> a, g;
    const double mu = driftPerStep(Parameters);
    for (int32_t j = 0; j < m; ++j) {
        source(uniforms);
        BrownianBridgePath(Parameters.fixingCount, uniforms, path);
        a.push_back(Payoff(ArithmeticAverage(path, mu)));
        g.push_back(Payoff(GeometricAverage(path, mu)));
    }
    double meanA = 0.0, meanG = 0.0;
    for (int32_t j = 0; j < m; ++j) {
        meanA += a[j] / m;
        meanG += g[j] / m;
    }
    double covariance = 0.0, variance = 0.0;
    for (int32_t j = 0; j < m; ++j) {
        covariance += (a[j] - meanA) * (g[j] - meanG);
        variance += (g[j] - meanG) * (g[j] - meanG);
    }
    return covariance / variance;
}

TEST(ControlVariatePilot, IsTheSlopeOverOneBatchOfTheKindsStream)
{
    Parameters = DefaultInputs(8);
    Parameters.volatility = 0.3;  // the pilot sets the bridge's scale itself
    PathScale = 1.0;
    SeedGenerators(77u);
    const RandomStateRecord random = RandomState;
    const int32_t sobol = nextSobolIndex;

    RecordingObserver observer;
    const double pseudo = EstimateControlVariateCoefficient(GeneratorKind::Pseudo, observer);
    const double quasi = EstimateControlVariateCoefficient(GeneratorKind::Quasi, observer);
    EXPECT_EQ(nextSobolIndex, sobol + 512);
    // Silent but for the end of each path.
    EXPECT_TRUE(observer.calls.empty());
    EXPECT_EQ(observer.pilotPathsDone, 2 * 512);
    EXPECT_GT(pseudo, 0.5);

    RandomState = random;
    nextSobolIndex = sobol;
    EXPECT_NEAR(pseudo, IndependentSlope(PseudoUniformSource, 512), 1e-9);
    EXPECT_NEAR(quasi, IndependentSlope(QuasiUniformSource, 512), 1e-9);
}

}  // namespace
