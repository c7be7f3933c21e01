// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cfloat>
#include <limits>

// The engine's arithmetic: intermediates in the 80-bit x87 extended format
// (64-bit significand, rounding to nearest), every stored value a double
// evaluated in SSE2 registers. Its results are reproducible to the last bit
// only where all of this holds, so any other target stops the build here.
#if !defined(__x86_64__) || !defined(__SSE2__)
#error "Kvantelo's arithmetic needs an x86-64 target with SSE2 and the x87 unit"
#endif
#if defined(__FAST_MATH__)
#error "-ffast-math reorders and contracts the specified roundings; build without it"
#endif
// Double arithmetic must round to double at each operation, not be carried
// in x87 registers (as -mfpmath=387 would do).
static_assert(FLT_EVAL_METHOD == 0, "double arithmetic must be evaluated in double precision (SSE2)");
static_assert(std::numeric_limits<double>::is_iec559 && std::numeric_limits<double>::digits == 53,
              "double must be the IEEE 754 binary64 format");
static_assert(std::numeric_limits<long double>::digits == 64 && std::numeric_limits<long double>::max_exponent == 16384,
              "long double must be the 80-bit x87 extended format");
static_assert(std::numeric_limits<long double>::round_style == std::round_to_nearest,
              "extended arithmetic must round to nearest");

// The engine's one narrowing: an extended value rounded to the nearest
// double, ties to even. Every place where an extended intermediate becomes a
// stored double goes through here, so that a search finds them all; an
// implicit conversion (or an `auto` in its place) would silently keep the
// value extended or round it at another step.
constexpr double RoundToDouble(long double value)
{
    return static_cast<double>(value);
}
