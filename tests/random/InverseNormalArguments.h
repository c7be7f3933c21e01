// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cmath>
#include <cstdint>

// Arguments of the inverse normal where its evaluations are hardest to agree
// on, shared by the differential test and the long check of
// bench/InverseNormalCheck.cpp. Bits 0-1 of choice pick the kind, bit 2 a
// side, the higher bits a scale; fraction is uniform in [0, 1).
// - a full 53-bit fraction;
// - within 0.08 of either end of the central region, where the polynomials
//   cancel and the fast evaluation most often leaves a value to x87;
// - the tails, from their bound down to the smallest double;
// - the neighbourhood of 0.5, down to 2^-60 from it.
inline double HardInverseNormalArgument(uint64_t choice, double fraction)
{
    constexpr double CentralLow = 0.02425;
    constexpr double CentralHigh = 0.97575;
    constexpr double EndWidth = 0.08;
    constexpr int HalfScales = 60;
    const bool firstSide = (choice & 4) != 0;
    switch (choice & 3) {
    case 0: return fraction;
    case 1: return firstSide ? CentralLow + EndWidth * fraction : CentralHigh - EndWidth * fraction;
    case 2: {
        const double tail = std::exp2(-1074.0 * fraction * fraction) * CentralLow;
        return firstSide ? tail : 1.0 - tail;
    }
    default: return 0.5 + (fraction - 0.5) * std::exp2(-static_cast<double>((choice >> 3) % HalfScales));
    }
}
