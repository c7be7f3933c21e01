// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "random/BrownianBridge.h"

#include <algorithm>
#include <cmath>

#include "random/ExtendedPrecision.h"
#include "random/InverseNormalBlock.h"

BridgeTableRecord BridgeTable;
double PathScale = 1.0;

namespace {

// Bisection order: maturity first, then sweeps from left to right that split
// every gap existing when the sweep starts at its midpoint (rounded down).
// Intermediates are extended; each stored value is rounded to double.
void RebuildTable(int32_t n) {
    BridgeTableRecord& table = BridgeTable;
    bool filled[MaxBridgePoints + 1];
    std::fill_n(filled, n + 1, false);
    filled[0] = true;
    filled[n] = true;
    table.point[0] = n;
    table.stdDev[0] = PathScale;
    int32_t cursor = 0;
    for (int32_t j = 1; j < n; ++j) {
        while (filled[cursor]) {
            cursor = cursor == n ? 0 : cursor + 1;
        }
        const int32_t left = cursor - 1;
        int32_t right = cursor + 1;
        while (!filled[right]) {
            ++right;
        }
        const int32_t middle = (cursor + right - 1) >> 1;
        const long double span = right - left;
        table.point[j] = middle;
        table.leftPoint[j] = left;
        table.rightPoint[j] = right;
        table.leftWeight[j] = RoundToDouble((right - middle) / span);
        table.rightWeight[j] = RoundToDouble((middle - left) / span);
        // The stored leftWeight enters, and the root's argument is rounded to
        // double before the extended root is taken.
        const double variance = RoundToDouble(table.leftWeight[j] * static_cast<long double>(middle - left) / n);
        table.stdDev[j] = RoundToDouble(PathScale * std::sqrt(static_cast<long double>(variance)));
        filled[middle] = true;
        // Continue behind the gap just split: its halves wait for the next sweep.
        cursor = right;
    }
    table.tablePointCount = n;
    table.tableScale = PathScale;
}

}  // namespace

void PrepareBridgeTable(int32_t n) {
    // Exact comparison: any change of PathScale must rescale every stdDev.
    if (n >= 2 && n <= MaxBridgePoints &&
        (n != BridgeTable.tablePointCount || PathScale != BridgeTable.tableScale)) {
        RebuildTable(n);
    }
}

int32_t BrownianBridgePath(int32_t n, const double* uniforms, double* path) {
    if (n < 2 || n > MaxBridgePoints) {
        return -1;
    }
    PrepareBridgeTable(n);
    const BridgeTableRecord& table = BridgeTable;
    // All normals first, as one block: the combining loop below is then a
    // few multiply-adds per point.
    double normals[MaxBridgePoints];
    InverseCumulativeNormalBlock(n, uniforms, normals);
    path[n - 1] = RoundToDouble(normals[0] * static_cast<long double>(table.stdDev[0]));
    for (int32_t j = 1; j < n; ++j) {
        const int32_t left = table.leftPoint[j];
        // Point 0, the path start, is 0 and not stored.
        const long double leftTerm = left != 0 ? table.leftWeight[j] * static_cast<long double>(path[left - 1]) : 0.0L;
        path[table.point[j] - 1] = RoundToDouble(
            (normals[j] * static_cast<long double>(table.stdDev[j]) +
             table.rightWeight[j] * static_cast<long double>(path[table.rightPoint[j] - 1])) + leftTerm);
    }
    return 0;
}
