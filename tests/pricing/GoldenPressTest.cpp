// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Fixed-seed presses whose every reported value must stay bit-identical. The
// fingerprints were taken from the engine before any of its loops were
// rearranged for speed: a faster summation, bridge or source that rounds one
// intermediate differently changes a payoff bit and so a fingerprint.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DefaultInputs.h"
#include "RecordingObserver.h"
#include "pricing/ControlVariate.h"
#include "pricing/FloatingPointFault.h"
#include "pricing/PathSimulation.h"
#include "pricing/PathThreadCount.h"
#include "pricing/SimulationRun.h"
#include "random/PseudoRandom.h"
#include "random/SobolGenerator.h"

namespace {

constexpr uint32_t Seed = 1234567891u;

// 64-bit FNV-1a over every field of every call, doubles by their bits.
class Fingerprint {
public:
    void Add(uint64_t value)
    {
        for (int byte = 0; byte < 8; ++byte, value >>= 8) {
            hash = (hash ^ (value & 0xffu)) * Prime;
        }
    }
    void Add(double value) { Add(std::bit_cast<uint64_t>(value)); }
    void Add(const std::string& text)
    {
        for (const char c : text) {
            Add(static_cast<uint64_t>(static_cast<unsigned char>(c)));
        }
    }
    uint64_t Value() const { return hash; }

private:
    static constexpr uint64_t Prime = 0x100000001b3ull;
    uint64_t hash = 0xcbf29ce484222325ull;
};

struct GoldenCase {
    const char* name;
    int32_t fixingCount;
    int32_t iterations;
    double volatility;
    double maturity;
    double dividendYield;
    OptionClass optionClass;
    AverageKind averageKind;
    bool useControlVariate;
    uint64_t fingerprint;
};

// Path work spread over one thread (the window's alone), two, three, and more
// than this machine's cores: none of it may change a bit of what is reported
// or of where the generators stand afterwards.
constexpr int32_t ThreadCounts[] = {1, 2, 3, 8};

void AddCalls(Fingerprint& fingerprint, const std::vector<RecordedCall>& calls)
{
    for (const RecordedCall& call : calls) {
        fingerprint.Add(static_cast<uint64_t>(call.operation));
        fingerprint.Add(static_cast<uint64_t>(call.kind));
        fingerprint.Add(static_cast<uint64_t>(call.integer));
        fingerprint.Add(static_cast<uint64_t>(call.row));
        fingerprint.Add(call.x);
        fingerprint.Add(call.y);
        fingerprint.Add(call.text);
    }
}

// Everything a press leaves for the next one: both generators, the Sobol
// cache, the last path's uniforms and the coefficients. (Entries beyond the
// press's dimension hold what earlier presses left.)
uint64_t FingerprintOfProcessState()
{
    Fingerprint fingerprint;
    fingerprint.Add(uint64_t{RandomState.low} << 32 | RandomState.high);
    fingerprint.Add(static_cast<uint64_t>(nextSobolIndex));
    fingerprint.Add(static_cast<uint64_t>(SobolState.dimensionCount));
    fingerprint.Add(static_cast<uint64_t>(SobolState.nextIndex));
    for (int32_t j = 0; j < SobolState.dimensionCount; ++j) {
        fingerprint.Add(static_cast<uint64_t>(SobolState.integers[j]));
    }
    for (int32_t j = 0; j < Parameters.fixingCount; ++j) {
        fingerprint.Add(uniformBuffer[j]);
    }
    fingerprint.Add(controlVariateCoefficients[0]);
    fingerprint.Add(controlVariateCoefficients[1]);
    return fingerprint.Value();
}

uint64_t FingerprintOfPress(const GoldenCase& golden)
{
    Parameters = DefaultInputs(golden.iterations);
    Parameters.fixingCount = golden.fixingCount;
    Parameters.volatility = golden.volatility;
    Parameters.maturity = golden.maturity;
    Parameters.dividendYield = golden.dividendYield;
    Parameters.optionClass = golden.optionClass;
    Parameters.averageKind = golden.averageKind;
    Parameters.useControlVariate = golden.useControlVariate;
    controlVariateCoefficients[0] = 0.0;
    controlVariateCoefficients[1] = 0.0;
    SeedGenerators(Seed);
    RecordingObserver observer;
    RunSequence(observer);

    Fingerprint fingerprint;
    AddCalls(fingerprint, observer.calls);
    fingerprint.Add(controlVariateCoefficients[0]);
    fingerprint.Add(controlVariateCoefficients[1]);
    return fingerprint.Value();
}

// Default inputs at the two benchmark sizes, every payoff mode, and harder
// paths: high volatility and a long maturity give sums far from their terms
// and crossing zero, where the extended-then-double roundings differ most
// often from plain double arithmetic.
const GoldenCase Cases[] = {
    {"DefaultGeometric", 126, 2, 0.4, 0.5, 0.0, OptionClass::Call, AverageKind::Geometric, false,
     0x0e2f890b3c3638b4ull},
    {"DefaultArithmetic", 126, 2, 0.4, 0.5, 0.0, OptionClass::Call, AverageKind::Arithmetic, false,
     0x4892d6376eff6707ull},
    {"DefaultControlVariate", 126, 2, 0.4, 0.5, 0.0, OptionClass::Call, AverageKind::Arithmetic, true,
     0x88c8cc6818f31167ull},
    {"LongGeometricPut", 1024, 1, 1.5, 4.0, 0.05, OptionClass::Put, AverageKind::Geometric, false,
     0xbcc57973911f0b6aull},
    {"LongControlVariate", 1024, 1, 0.4, 0.5, 0.0, OptionClass::Call, AverageKind::Arithmetic, true,
     0xca8c272ece72272full},
    {"OddCountArithmeticPut", 777, 1, 0.9, 2.0, 0.02, OptionClass::Put, AverageKind::Arithmetic, false,
     0xc26bb65732eb5951ull},
    {"TwoFixingsControlVariate", 2, 4, 0.4, 0.5, 0.0, OptionClass::Call, AverageKind::Arithmetic, true,
     0x2444a9b6edeb2dd6ull},
};

TEST(GoldenPress, EveryReportedValueKeepsItsBits)
{
    std::vector<uint64_t> oneThreadEnds;
    for (const int32_t threads : ThreadCounts) {
        SetPathThreadCount(threads);
        for (size_t c = 0; c < std::size(Cases); ++c) {
            const GoldenCase& golden = Cases[c];
            const uint64_t fingerprint = FingerprintOfPress(golden);
            char text[32];
            std::snprintf(text, sizeof text, "0x%016llxull", static_cast<unsigned long long>(fingerprint));
            EXPECT_EQ(fingerprint, golden.fingerprint) << golden.name << " now gives " << text << " at "
                                                       << threads << " threads";
            if (threads == 1) {
                oneThreadEnds.push_back(FingerprintOfProcessState());
            } else {
                EXPECT_EQ(FingerprintOfProcessState(), oneThreadEnds[c]) << golden.name << " at " << threads;
            }
        }
    }
}

struct Stopped {};

// Records like its base, and ends the press by throwing, as the window's
// Escape does, when its call number `stopAtCall` comes, or after pilot path
// number `stopAfterPilotPath`, counted from 1.
class StoppingObserver : public RecordingObserver {
public:
    StoppingObserver(size_t stopAtCall, int32_t stopAfterPilotPath)
        : callStop(stopAtCall), pilotStop(stopAfterPilotPath)
    {
    }
    void SetProgress(int32_t percent) override
    {
        StopAtCall();
        RecordingObserver::SetProgress(percent);
    }
    void AddPoint(GeneratorKind kind, double x, double y, RgbColour colour) override
    {
        StopAtCall();
        RecordingObserver::AddPoint(kind, x, y, colour);
    }
    void PilotPathDone() override
    {
        RecordingObserver::PilotPathDone();
        if (pilotPathsDone == pilotStop) throw Stopped{};
    }

private:
    void StopAtCall()
    {
        if (calls.size() == callStop) throw Stopped{};
    }
    size_t callStop;
    int32_t pilotStop;
};

struct PressEnd {
    uint64_t calls;
    uint64_t processState;
    std::string ending;
    bool operator==(const PressEnd&) const = default;
};

std::ostream& operator<<(std::ostream& out, const PressEnd& end)
{
    return out << end.ending << ", calls " << std::hex << end.calls << ", state " << end.processState << std::dec;
}

PressEnd Press(const PricingParameters& inputs, size_t stopAtCall = SIZE_MAX, int32_t stopAfterPilotPath = -1)
{
    Parameters = inputs;
    StoppingObserver observer(stopAtCall, stopAfterPilotPath);
    std::string ending = "completed";
    try {
        RunSequence(observer);
    } catch (const Stopped&) {
        ending = "stopped";
    } catch (const FloatingPointFault& fault) {
        ending = fault.what();
    }
    ending += " after " + std::to_string(observer.calls.size()) + " calls and " +
              std::to_string(observer.pilotPathsDone) + " pilot paths";
    Fingerprint fingerprint;
    AddCalls(fingerprint, observer.calls);
    return {fingerprint.Value(), FingerprintOfProcessState(), ending};
}

// Presses stopped in each main run and in each pilot, before a path and
// after one, and a press that a fault ends mid-run; after each, a full press.
std::vector<PressEnd> StoppedAndFullPresses()
{
    PricingParameters full = DefaultInputs(2);
    full.fixingCount = 1024;  // 64 paths a block: many blocks, also in the pilots
    full.averageKind = AverageKind::Arithmetic;
    full.useControlVariate = true;
    // A put on the arithmetic average far below the asset pays nothing, but
    // a path whose price rises far enough overflows.
    PricingParameters faulting = full;
    faulting.useControlVariate = false;
    faulting.spot = 1e308;
    faulting.optionClass = OptionClass::Put;

    // The same start for each count: the Sobol cache, the uniforms and the
    // coefficients too.
    SeedGenerators(Seed);
    SobolState = SobolStateRecord();
    std::fill_n(uniformBuffer, MaxFixingCount, 0.0);
    controlVariateCoefficients[0] = controlVariateCoefficients[1] = 0.0;
    std::vector<PressEnd> ends;
    const auto pressAndFull = [&](PressEnd end) {
        ends.push_back(end);
        ends.push_back(Press(full));
    };
    pressAndFull(Press(full, SIZE_MAX, 100));        // in the pseudo pilot
    pressAndFull(Press(full, 1 + 2 * 777));          // pseudo main run, before path 777
    pressAndFull(Press(full, 2 + 2 * 1000));         // pseudo main run, after path 1000
    pressAndFull(Press(full, SIZE_MAX, 128 + 70));   // in the quasi pilot
    pressAndFull(Press(full, 4096 + 12 + 1 + 2 * 1500));  // quasi main run
    pressAndFull(Press(faulting));
    return ends;
}

// Where a stop leaves the generators, counted independently: a pseudo path
// is n steps of the congruential generator, a quasi path one Sobol index.
TEST(GoldenPress, AStopLeavesTheGeneratorsAfterThePathsItDrew)
{
    SetPathThreadCount(3);
    PricingParameters inputs = DefaultInputs(2);
    inputs.fixingCount = 1024;
    inputs.averageKind = AverageKind::Arithmetic;
    inputs.useControlVariate = true;
    SeedGenerators(Seed);
    const uint64_t pseudoStart = PseudoPosition();
    const int32_t sobolStart = nextSobolIndex;
    // Before path 777 of the pseudo main run: its pilot's 128 paths and 777.
    EXPECT_EQ(Press(inputs, 1 + 2 * 777).ending, "stopped after 1555 calls and 128 pilot paths");
    const uint64_t pseudoAfterStop = PseudoPosition();
    double left[MaxFixingCount];
    std::copy_n(uniformBuffer, MaxFixingCount, left);
    EXPECT_EQ(nextSobolIndex, sobolStart);
    SetPseudoPosition(pseudoStart);
    double drawn[MaxFixingCount];
    for (int32_t path = 0; path < 128 + 777; ++path) {
        PseudoUniformSource(drawn);
    }
    EXPECT_EQ(pseudoAfterStop, PseudoPosition());
    EXPECT_TRUE(std::equal(drawn, drawn + MaxFixingCount, left));

    // After 70 paths of the quasi pilot, which follows the whole pseudo run.
    SeedGenerators(Seed);
    Press(inputs, SIZE_MAX, 128 + 70);
    EXPECT_EQ(nextSobolIndex, sobolStart + 70);
    EXPECT_EQ(SobolState.nextIndex, sobolStart + 70);
    double lastPoint[MaxFixingCount];
    GenerateSobolPoint(sobolStart + 69, 1024, lastPoint);
    EXPECT_TRUE(std::equal(lastPoint, lastPoint + 1024, uniformBuffer));
}

TEST(GoldenPress, StopsAndFaultsLeaveTheGeneratorsWhereOneThreadDoes)
{
    SetPathThreadCount(1);
    const std::vector<PressEnd> oneThread = StoppedAndFullPresses();
    // Each stops where it is meant to, and the fault comes in the quasi run.
    ASSERT_EQ(oneThread.size(), 12u);
    EXPECT_EQ(oneThread[0].ending, "stopped after 0 calls and 100 pilot paths");
    EXPECT_EQ(oneThread[4].ending, "stopped after 2002 calls and 128 pilot paths");
    EXPECT_EQ(oneThread[6].ending, "stopped after 4103 calls and 198 pilot paths");
    EXPECT_EQ(oneThread[10].ending, "Floating point overflow after 5627 calls and 0 pilot paths");
    for (const int32_t threads : ThreadCounts) {
        SetPathThreadCount(threads);
        EXPECT_EQ(StoppedAndFullPresses(), oneThread) << threads << " threads";
    }
}

}  // namespace
