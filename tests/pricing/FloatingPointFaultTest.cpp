// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cfenv>
#include <cmath>

#include <gtest/gtest.h>

#include "DefaultInputs.h"
#include "RecordingObserver.h"
#include "pricing/FloatingPointFault.h"
#include "pricing/SimulationRun.h"

namespace {

// A press that must fail: returns what the observer received before it did.
std::vector<RecordedCall> FailingPress(const PricingParameters& inputs, const char* message,
                                       RecordingObserver&& observer = RecordingObserver())
{
    Parameters = inputs;
    try {
        RunSequence(observer);
        ADD_FAILURE() << "no fault, expected " << message;
    } catch (const FloatingPointFault& fault) {
        EXPECT_STREQ(fault.what(), message);
    }
    for (const RecordedCall& call : observer.calls) {
        EXPECT_TRUE(std::isfinite(call.x) && std::isfinite(call.y));
    }
    return observer.calls;
}

TEST(FloatingPointFault, ZeroVolatilityDividesByZeroInTheClosedForm)
{
    PricingParameters inputs = DefaultInputs(1);
    inputs.volatility = 0.0;
    const auto calls = FailingPress(inputs, "Floating point division by zero");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].operation, RecordedCall::Clear);
    EXPECT_EQ(calls[0].kind, GeneratorKind::Pseudo);
}

TEST(FloatingPointFault, NegativeSpotIsAnInvalidOperation)
{
    PricingParameters inputs = DefaultInputs(1);
    inputs.spot = -5.0;
    EXPECT_EQ(FailingPress(inputs, "Invalid floating point operation").size(), 1u);
}

// Clears every fault flag whenever the pilot tells it a path is done.
class FlagClearingObserver : public RecordingObserver {
public:
    void PilotPathDone() override { std::feclearexcept(FE_ALL_EXCEPT); }
};

TEST(FloatingPointFault, OverflowEndsThePressWhereItHappens)
{
    // The payoffs fit, the square of the first batch mean does not: the
    // press ends after the 64 paths of that batch.
    PricingParameters inputs = DefaultInputs(1);
    inputs.spot = inputs.strike = 1e307;
    inputs.averageKind = AverageKind::Arithmetic;
    const auto calls = FailingPress(inputs, "Floating point overflow");
    ASSERT_EQ(calls.size(), 1u + 2 * 64);
    EXPECT_EQ(calls.back().operation, RecordedCall::Point);

    // In the pilot, before the main run reports anything, also when the
    // observer clears the flags between the pilot's paths.
    inputs.useControlVariate = true;
    EXPECT_TRUE(FailingPress(inputs, "Floating point overflow").empty());
    EXPECT_TRUE(FailingPress(inputs, "Floating point overflow", FlagClearingObserver()).empty());
}

// The window's toolkit raises flags of its own; they are not the run's.
class FlagRaisingObserver : public RecordingObserver {
public:
    void SetProgress(int32_t percent) override
    {
        Raise();
        RecordingObserver::SetProgress(percent);
    }
    void AddPoint(GeneratorKind kind, double x, double y, RgbColour colour) override
    {
        RecordingObserver::AddPoint(kind, x, y, colour);
        Raise();
    }
    void PilotPathDone() override
    {
        RecordingObserver::PilotPathDone();
        Raise();
    }

private:
    static void Raise()
    {
        volatile long double zero = 0.0L;
        volatile long double x87 = 1.0L / zero;  // through the x87 status word
        static_cast<void>(x87);
        std::feraiseexcept(FE_INVALID | FE_OVERFLOW | FE_DIVBYZERO);
    }
};

TEST(FloatingPointFault, FlagsRaisedOutsideTheRunAreNotFaults)
{
    Parameters = DefaultInputs(1);
    Parameters.averageKind = AverageKind::Arithmetic;
    Parameters.useControlVariate = true;
    std::feraiseexcept(FE_INVALID | FE_DIVBYZERO);
    FlagRaisingObserver observer;
    EXPECT_NO_THROW(RunSequence(observer));
    EXPECT_EQ(observer.calls.size(), 2 * (1 + 2 * 1024 + 6));
    EXPECT_EQ(observer.pilotPathsDone, 2 * 64);
}

}  // namespace
