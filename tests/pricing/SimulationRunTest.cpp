// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "DefaultInputs.h"
#include "RecordingObserver.h"
#include "pricing/AnalyticPrice.h"
#include "pricing/ControlVariate.h"
#include "pricing/SimulationRun.h"
#include "random/PseudoRandom.h"
#include "random/SobolGenerator.h"

namespace {

constexpr uint32_t Seed = 1000000000u;

struct RunResult {
    double value, deviation;
};

// V and s as the run reported them: the cells, cross-checked with the axis
// bounds V +- 100 s for the digits "%f" drops.
RunResult ResultOf(const std::vector<RecordedCall>& calls, GeneratorKind kind)
{
    const int32_t column = static_cast<int32_t>(kind) + 2;
    for (size_t c = 0; c + 5 < calls.size(); ++c) {
        if (calls[c].operation == RecordedCall::Cell && calls[c].integer == column && calls[c].row == 1) {
            const double maximum = calls[c + 3].y;
            const double minimum = calls[c + 4].y;
            const RunResult result{(maximum + minimum) / 2, (maximum - minimum) / 200};
            EXPECT_NEAR(std::stod(calls[c].text), result.value, 5e-7);
            EXPECT_NEAR(std::stod(calls[c + 1].text), result.deviation, 5e-7);
            return result;
        }
    }
    ADD_FAILURE() << "no result for kind " << column - 2;
    return {};
}

std::vector<RecordedCall> Press(const PricingParameters& inputs)
{
    Parameters = inputs;
    RecordingObserver observer;
    RunSequence(observer);
    return observer.calls;
}

// Checks the calls of one main run starting at calls[c] and moves c past them.
void ExpectMainRun(const std::vector<RecordedCall>& calls, size_t& c, GeneratorKind kind, bool geometric)
{
    const int32_t n = Parameters.pathCount;
    const RgbColour colour = kind == GeneratorKind::Quasi ? RgbColour{255, 0, 0} : RgbColour{0, 0, 255};
    EXPECT_EQ(calls[c].operation, RecordedCall::Clear);
    EXPECT_EQ(calls[c++].kind, kind);
    if (geometric) {
        EXPECT_EQ(calls[c].operation, RecordedCall::Cell);
        EXPECT_EQ(calls[c].integer, 1);
        EXPECT_EQ(calls[c++].text, "0.324783");
    }
    for (int32_t path = 0; path < n; ++path) {
        ASSERT_EQ(calls[c].operation, RecordedCall::Progress) << "path " << path;
        ASSERT_EQ(calls[c++].integer, int64_t{path} * 100 / n);
        ASSERT_EQ(calls[c].operation, RecordedCall::Point);
        ASSERT_EQ(calls[c].kind, kind);
        ASSERT_EQ(calls[c].x, path + 1.0);
        ASSERT_TRUE(calls[c].colour.red == colour.red && calls[c].colour.blue == colour.blue);
        ++c;
    }
    const double lastPoint = calls[c - 1].y;
    for (int row = 1; row <= 2; ++row, ++c) {
        EXPECT_EQ(calls[c].operation, RecordedCall::Cell);
        EXPECT_EQ(calls[c].integer, static_cast<int32_t>(kind) + 2);
        EXPECT_EQ(calls[c].row, row);
        const std::string& text = calls[c].text;
        EXPECT_EQ(text.size() - text.find('.'), 7u) << text;
    }
    EXPECT_EQ(calls[c].operation, RecordedCall::AxisMinimum);
    EXPECT_EQ(calls[c++].y, -1.0);
    EXPECT_EQ(calls[c++].operation, RecordedCall::AxisMaximum);
    EXPECT_EQ(calls[c++].operation, RecordedCall::AxisMinimum);
    EXPECT_EQ(calls[c].operation, RecordedCall::Progress);
    EXPECT_EQ(calls[c++].integer, 0);
    // The mean of the batch means is the mean over every path.
    EXPECT_NEAR(ResultOf(calls, kind).value, lastPoint, 1e-12);
}

// An arithmetic run leaves the Analytic cell alone.
TEST(RunSequence, ReportsEveryPathPseudoFirst)
{
    PricingParameters inputs = DefaultInputs(1);
    for (const AverageKind average : {AverageKind::Geometric, AverageKind::Arithmetic}) {
        inputs.averageKind = average;
        const bool geometric = average == AverageKind::Geometric;
        const auto calls = Press(inputs);
        ASSERT_EQ(calls.size(), 2 * ((geometric ? 2 : 1) + 2 * 1024 + 6));
        size_t c = 0;
        ExpectMainRun(calls, c, GeneratorKind::Pseudo, geometric);
        ExpectMainRun(calls, c, GeneratorKind::Quasi, geometric);
        EXPECT_EQ(c, calls.size());
    }
}

// Pilot Pseudo, main Pseudo, pilot Quasi, main Quasi, each continuing its
// kind's stream, and the next press continuing from there.
TEST(RunSequence, ConsumesTheStreamsInOrderAndContinues)
{
    PricingParameters inputs = DefaultInputs(1);
    inputs.fixingCount = 8;
    inputs.averageKind = AverageKind::Arithmetic;
    inputs.useControlVariate = true;
    SeedGenerators(Seed);
    const RandomStateRecord randomStart = RandomState;
    const int32_t sobolStart = nextSobolIndex;

    const auto first = Press(inputs);
    EXPECT_EQ(nextSobolIndex, sobolStart + 64 + 1024);
    const RandomStateRecord randomAfter = RandomState;
    RandomState = randomStart;
    for (int draw = 0; draw < (64 + 1024) * 8; ++draw) {
        Random31();
    }
    EXPECT_EQ(RandomState.low, randomAfter.low);
    EXPECT_EQ(RandomState.high, randomAfter.high);

    const auto second = Press(inputs);
    EXPECT_NE(ResultOf(first, GeneratorKind::Pseudo).value, ResultOf(second, GeneratorKind::Pseudo).value);
    EXPECT_NE(ResultOf(first, GeneratorKind::Quasi).value, ResultOf(second, GeneratorKind::Quasi).value);

    RandomState = randomStart;
    nextSobolIndex = sobolStart;
    RecordingObserver stepwise;
    for (int press = 0; press < 2; ++press) {
        for (const GeneratorKind kind : {GeneratorKind::Pseudo, GeneratorKind::Quasi}) {
            controlVariateCoefficients[static_cast<int>(kind)] = EstimateControlVariateCoefficient(kind, stepwise);
            RunSimulation(kind, stepwise);
        }
    }
    ASSERT_EQ(stepwise.calls.size(), first.size() + second.size());
    for (size_t c = 0; c < stepwise.calls.size(); ++c) {
        const RecordedCall& pressed = c < first.size() ? first[c] : second[c - first.size()];
        ASSERT_EQ(stepwise.calls[c].y, pressed.y) << "call " << c;
    }
}

TEST(RunSequence, GeometricEstimatesConvergeToTheClosedForm)
{
    SeedGenerators(Seed);
    const auto calls = Press(DefaultInputs(8));
    const double analytic = AnalyticGeometricPrice(126);
    const RunResult pseudo = ResultOf(calls, GeneratorKind::Pseudo);
    const RunResult quasi = ResultOf(calls, GeneratorKind::Quasi);
    EXPECT_NEAR(pseudo.value, analytic, 4.5 * pseudo.deviation);
    EXPECT_NEAR(quasi.value, analytic, 4 * quasi.deviation);
    EXPECT_GT(pseudo.deviation, 0.002);
    EXPECT_LT(quasi.deviation, pseudo.deviation / 2);
}

TEST(RunSequence, ControlVariateReducesTheArithmeticSpread)
{
    PricingParameters inputs = DefaultInputs(8);
    inputs.averageKind = AverageKind::Arithmetic;
    SeedGenerators(Seed);
    const auto plain = Press(inputs);

    // beta = 0 turns the correction off exactly: same streams, same payoffs.
    inputs.useControlVariate = true;
    Parameters = inputs;
    SeedGenerators(Seed);
    RecordingObserver unadjusted;
    controlVariateCoefficients[static_cast<int>(GeneratorKind::Pseudo)] = 0.0;
    RunSimulation(GeneratorKind::Pseudo, unadjusted);
    ASSERT_EQ(unadjusted.calls.size(), plain.size() / 2);
    for (size_t c = 0; c < unadjusted.calls.size(); ++c) {
        ASSERT_EQ(unadjusted.calls[c].y, plain[c].y) << "call " << c;
    }

    SeedGenerators(Seed);
    const auto adjusted = Press(inputs);
    for (const GeneratorKind kind : {GeneratorKind::Pseudo, GeneratorKind::Quasi}) {
        EXPECT_LT(ResultOf(adjusted, kind).deviation, ResultOf(plain, kind).deviation / 3);
        EXPECT_NEAR(ResultOf(adjusted, kind).value, ResultOf(plain, kind).value, 4 * ResultOf(plain, kind).deviation);
    }
}

TEST(RunSequence, FarOutOfTheMoneyPilotRunsWithoutAdjustment)
{
    PricingParameters inputs = DefaultInputs(1);
    inputs.strike = 1000.0;
    inputs.averageKind = AverageKind::Arithmetic;
    inputs.useControlVariate = true;
    controlVariateCoefficients[0] = controlVariateCoefficients[1] = 0.5;
    const auto calls = Press(inputs);
    EXPECT_EQ(controlVariateCoefficients[0], 0.0);
    EXPECT_EQ(controlVariateCoefficients[1], 0.0);
    EXPECT_EQ(calls[calls.size() - 6].text, "0.000000");
    EXPECT_EQ(calls[calls.size() - 5].text, "0.000000");
}

}  // namespace
