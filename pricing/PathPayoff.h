#pragma once

// Averages of the fixing prices S0 * exp(i * drift + path[i-1]), i = 1..n,
// with n = Parameters.fixingCount, and the undiscounted payoff of an average.
double GeometricAverage(const double* path, double drift);
double ArithmeticAverage(const double* path, double drift);
double Payoff(double average);
