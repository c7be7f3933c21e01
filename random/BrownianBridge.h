// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

constexpr int32_t MaxBridgePoints = 1024;

// The bridge's construction, cached per (point count, PathScale): step j
// builds `point[j]` from its already-built neighbours. Step 0 builds maturity.
struct BridgeTableRecord {
    int32_t tablePointCount = 0;
    double tableScale = 1.0;
    int32_t leftPoint[MaxBridgePoints] = {};
    int32_t rightPoint[MaxBridgePoints] = {};
    int32_t point[MaxBridgePoints] = {};
    double leftWeight[MaxBridgePoints] = {};
    double rightWeight[MaxBridgePoints] = {};
    double stdDev[MaxBridgePoints] = {};
};

extern BridgeTableRecord BridgeTable;

// volatility * sqrt(maturity); every run sets it before its first path.
extern double PathScale;

// Maps uniforms[0..n-1] to path[0..n-1] = sigma * W(t_i), i = 1..n.
// Returns -1, reading and writing nothing, when n < 2 or n > 1024.
int32_t BrownianBridgePath(int32_t n, const double* uniforms, double* path);

// Brings BridgeTable up to date for n points at the current PathScale, as the
// first path would. Paths built on other threads afterwards only read it,
// as long as neither n nor PathScale changes meanwhile.
void PrepareBridgeTable(int32_t n);
