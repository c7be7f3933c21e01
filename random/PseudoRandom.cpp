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

int32_t Random31() {
    const uint64_t state = (static_cast<uint64_t>(RandomState.high) << 32 | RandomState.low) * Multiplier64 + Increment;
    RandomState.low = static_cast<uint32_t>(state);
    RandomState.high = static_cast<uint32_t>(state >> 32);
    return static_cast<int32_t>(RandomState.high & 0x7FFFFFFFu);
}

void PseudoUniformSource(double* buffer) {
    const int32_t n = Parameters.fixingCount;
    for (int32_t j = 0; j < n; ++j) {
        // One double multiplication: the exact product rounded once.
        buffer[j] = Random31() * UniformScale;
    }
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
