// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Standard normal distribution function and its inverse, both closed-form
// approximations of fixed cost.

// Abramowitz-Stegun 26.2.17, evaluated entirely in 80-bit extended precision.
// Saturates to exactly 0 or 1 for large |x| without raising any
// floating-point flag.
long double CumulativeNormal(long double x);

// Acklam's rational approximation. Arguments outside the open interval (0, 1)
// are taken as 2^-32 (u <= 0) or 1 - 2^-32 (u >= 1), so every uniform gives a
// finite value and no caller needs a check.
double InverseCumulativeNormal(double u);
