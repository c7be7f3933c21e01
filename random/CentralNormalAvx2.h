// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// The central region of the inverse normal distribution in double-double
// arithmetic on AVX2 + FMA, for processors that have both (the caller
// checks). For k < count, q[k] = u - 0.5 of a central argument u, or +0.0
// for a slot the caller fills otherwise. Writes out[k] for every k < count:
// InverseCumulativeNormal(u), bit for bit, except at the k it lists in
// fallbacks (in increasing order), whose out[k] the caller must replace with
// the extended-precision evaluation. Returns the number of fallbacks.
int32_t CentralNormalsAvx2Fma(int32_t count, const double* q, double* out, int32_t* fallbacks);
