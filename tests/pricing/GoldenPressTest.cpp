// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Fixed-seed presses whose every reported value must stay bit-identical. The
// fingerprints were taken from the engine before any of its loops were
// rearranged for speed: a faster summation, bridge or source that rounds one
// intermediate differently changes a payoff bit and so a fingerprint.
#include <bit>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DefaultInputs.h"
#include "RecordingObserver.h"
#include "pricing/ControlVariate.h"
#include "pricing/SimulationRun.h"
#include "random/PseudoRandom.h"

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
    for (const RecordedCall& call : observer.calls) {
        fingerprint.Add(static_cast<uint64_t>(call.operation));
        fingerprint.Add(static_cast<uint64_t>(call.kind));
        fingerprint.Add(static_cast<uint64_t>(call.integer));
        fingerprint.Add(static_cast<uint64_t>(call.row));
        fingerprint.Add(call.x);
        fingerprint.Add(call.y);
        fingerprint.Add(call.text);
    }
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
    for (const GoldenCase& golden : Cases) {
        const uint64_t fingerprint = FingerprintOfPress(golden);
        char text[32];
        std::snprintf(text, sizeof text, "0x%016llxull", static_cast<unsigned long long>(fingerprint));
        EXPECT_EQ(fingerprint, golden.fingerprint) << golden.name << " now gives " << text;
    }
}

}  // namespace
