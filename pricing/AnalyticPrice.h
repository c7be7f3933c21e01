#pragma once

#include <cstdint>

// Closed-form present value of the discretely sampled geometric-average
// option described by Parameters, with fixingCount fixings at i*T/n.
double AnalyticGeometricPrice(int32_t fixingCount);
