// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// Closed-form present value of the discretely sampled geometric-average
// option described by Parameters, with fixingCount fixings at i*T/n.
double AnalyticGeometricPrice(int32_t fixingCount);
