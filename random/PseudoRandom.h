// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// 64-bit congruential state; Random15 uses only its low word.
struct RandomStateRecord {
    uint32_t low = 0;
    uint32_t high = 0;
};

extern RandomStateRecord RandomState;

// The multipliers. Random15 steps the low word with 22695477 (0x015A4E35), a
// long-established multiplier of 32-bit congruential generators. Random31
// steps the whole 64-bit state with a multiplier made of that constant's two
// 16-bit halves, 0x015A in the high word and 0x4E35 in the low word; it is
// not 22695477 itself, and the generated numbers depend on exactly this value.
//
// The periods: a congruential step x -> a x + c modulo 2^k has the full
// period 2^k when c is odd and a is 1 modulo 4 (Hull and Dobell), which both
// multipliers are. So the low word under Random15 runs through all 2^32
// values, and the 64-bit state under Random31 through all 2^64; the 31 bits a
// draw returns (bits 32 to 62) repeat after 2^63 steps.
constexpr uint32_t Multiplier32 = 22695477u;                 // Random15
constexpr uint64_t Multiplier64 = 0x0000015A00004E35ull;     // Random31
constexpr uint32_t Increment = 1u;
static_assert(Multiplier32 % 4 == 1 && Multiplier64 % 4 == 1 && Increment % 2 == 1,
              "the congruential steps must keep their full period");
static_assert(Multiplier64 == ((uint64_t{Multiplier32} >> 16) << 32 | (Multiplier32 & 0xFFFFu)),
              "the 64-bit multiplier holds the 16-bit halves of the 32-bit one");
// The double nearest 1 / (2^31 - 1), i.e. 2^-31 + 2^-62.
constexpr double UniformScale = 1.0 / 2147483647.0;

void SeedRandom(uint32_t seed);
int32_t Random15();
int32_t Random31();

// UniformSource of kind Pseudo: Parameters.fixingCount values in [0, 1].
void PseudoUniformSource(double* buffer);

// The same n values from a copy of the state, which they advance by n steps:
// what a worker uses for the paths it is given.
void PseudoUniforms(uint64_t& state, int32_t n, double* buffer);

// RandomState as one 64-bit number, and back.
uint64_t PseudoPosition();
void SetPseudoPosition(uint64_t state);

// The state `steps` Random31 steps after `state`, in O(log steps): the affine
// step composed with itself by repeated squaring.
uint64_t PseudoStateAfter(uint64_t state, uint64_t steps);

// Start-up seeding: the pseudo-random state from the low 32 bits of the given
// calendar time (seconds since 1970-01-01 UTC), then the Sobol start index
// drawn from it. The overload without an argument reads the system clock.
void SeedGenerators(uint32_t seconds);
void SeedGenerators();
