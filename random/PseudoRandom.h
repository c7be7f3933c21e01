#pragma once

#include <cstdint>

// 64-bit congruential state; Random15 uses only its low word.
struct RandomStateRecord {
    uint32_t low = 0;
    uint32_t high = 0;
};

extern RandomStateRecord RandomState;

constexpr uint32_t Multiplier32 = 22695477u;                 // Random15
constexpr uint64_t Multiplier64 = 0x0000015A00004E35ull;     // Random31
constexpr uint32_t Increment = 1u;
// The double nearest 1 / (2^31 - 1), i.e. 2^-31 + 2^-62.
constexpr double UniformScale = 1.0 / 2147483647.0;

void SeedRandom(uint32_t seed);
int32_t Random15();
int32_t Random31();

// UniformSource of kind Pseudo: Parameters.fixingCount values in [0, 1].
void PseudoUniformSource(double* buffer);

// Start-up seeding: the pseudo-random state from the low 32 bits of the given
// calendar time (seconds since 1970-01-01 UTC), then the Sobol start index
// drawn from it. The overload without an argument reads the system clock.
void SeedGenerators(uint32_t seconds);
void SeedGenerators();
