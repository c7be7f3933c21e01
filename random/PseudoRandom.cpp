// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "random/PseudoRandom.h"

#include <chrono>

#include "pricing/PricingParameters.h"
#include "random/SobolGenerator.h"

RandomStateRecord RandomState;

void SeedRandom(uint32_t seed) {
    RandomState.low = seed;
    RandomState.high = 0;
    Random15();
}

int32_t Random15() {
    RandomState.low = RandomState.low * Multiplier32 + Increment;
    return static_cast<int32_t>((RandomState.low >> 16) & 0x7FFFu);
}

namespace {

// Steps 1 to 4 at once from one state: S -> S * M^k + (M^(k-1) + ... + 1) * c
// (mod 2^64).
struct Leap {
    uint64_t multiplier;
    uint64_t increment;
};

constexpr Leap LeapAfter(Leap leap)
{
    return {leap.multiplier * Multiplier64, leap.increment * Multiplier64 + Increment};
}

constexpr Leap OneStep{Multiplier64, Increment};
constexpr Leap TwoSteps = LeapAfter(OneStep);
constexpr Leap ThreeSteps = LeapAfter(TwoSteps);
constexpr Leap FourSteps = LeapAfter(ThreeSteps);

constexpr uint64_t Advance(uint64_t state, Leap leap)
{
    return state * leap.multiplier + leap.increment;
}

// Bits 32 ... 62 of the state; bit 63 and the low word never reach a value.
int32_t Draw(uint64_t state) {
    return static_cast<int32_t>((state >> 32) & 0x7FFFFFFFu);
}

// The value of a state in [0, 1]: one double multiplication, the exact
// product rounded once.
double UniformOf(uint64_t state) {
    return Draw(state) * UniformScale;
}

}  // namespace

uint64_t PseudoPosition() {
    return static_cast<uint64_t>(RandomState.high) << 32 | RandomState.low;
}

void SetPseudoPosition(uint64_t state) {
    RandomState.low = static_cast<uint32_t>(state);
    RandomState.high = static_cast<uint32_t>(state >> 32);
}

uint64_t PseudoStateAfter(uint64_t state, uint64_t steps) {
    // The leap of 2^b steps is the one of 2^(b-1) steps applied twice.
    Leap power = OneStep;
    for (; steps != 0; steps >>= 1) {
        if ((steps & 1u) != 0) {
            state = Advance(state, power);
        }
        power = {power.multiplier * power.multiplier, power.increment * power.multiplier + power.increment};
    }
    return state;
}

int32_t Random31() {
    const uint64_t state = Advance(PseudoPosition(), OneStep);
    SetPseudoPosition(state);
    return Draw(state);
}

void PseudoUniformSource(double* buffer) {
    uint64_t state = PseudoPosition();
    PseudoUniforms(state, Parameters.fixingCount, buffer);
    SetPseudoPosition(state);
}

void PseudoUniforms(uint64_t& position, int32_t n, double* buffer) {
    // A local copy stays in a register through the loop.
    uint64_t state = position;
    int32_t j = 0;
    // Values in fours: all come from the same state, so their multiplications
    // overlap instead of forming one chain. The values and their order are
    // exactly those of successive single steps.
    for (; j + 3 < n; j += 4) {
        const uint64_t first = Advance(state, OneStep);
        const uint64_t second = Advance(state, TwoSteps);
        const uint64_t third = Advance(state, ThreeSteps);
        state = Advance(state, FourSteps);
        buffer[j] = UniformOf(first);
        buffer[j + 1] = UniformOf(second);
        buffer[j + 2] = UniformOf(third);
        buffer[j + 3] = UniformOf(state);
    }
    for (; j < n; ++j) {
        state = Advance(state, OneStep);
        buffer[j] = UniformOf(state);
    }
    position = state;
}

void SeedGenerators(uint32_t seconds) {
    SeedRandom(seconds);
    nextSobolIndex = Random15();
}

void SeedGenerators() {
    // system_clock counts from 1970-01-01 00:00:00 UTC; the seed is the low
    // 32 bits of the whole seconds.
    const auto seconds = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    SeedGenerators(static_cast<uint32_t>(seconds.time_since_epoch().count()));
}
