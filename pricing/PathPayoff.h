// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Averages of the fixing prices S0 * exp(i * drift + path[i-1]), i = 1..n,
// with n = Parameters.fixingCount, and the undiscounted payoff of an average.
double GeometricAverage(const double* path, double drift);
double ArithmeticAverage(const double* path, double drift);
double Payoff(double average);

// Both averages of one path in a single pass, each bit-identical to its own
// function above: the control variate needs the two on every path.
struct BothAverages {
    double geometric;
    double arithmetic;
};
BothAverages GeometricAndArithmeticAverages(const double* path, double drift);
