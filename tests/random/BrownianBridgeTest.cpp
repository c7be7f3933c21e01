// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "pricing/PricingParameters.h"
#include "random/BrownianBridge.h"
#include "random/NormalDistribution.h"
#include "random/PseudoRandom.h"

namespace {

std::vector<double> Path(int32_t n, const std::vector<double>& uniforms) {
    std::vector<double> path(n);
    EXPECT_EQ(BrownianBridgePath(n, uniforms.data(), path.data()), 0);
    return path;
}

std::vector<int32_t> BuildOrder(int32_t n) {
    Path(n, std::vector<double>(n, 0.5));
    return {BridgeTable.point, BridgeTable.point + n};
}

struct Step {
    int32_t point, left, right;
    double leftWeight, rightWeight, stdDev;
};

void ExpectTable(int32_t n, const std::vector<Step>& steps) {
    PathScale = 1.0;
    BuildOrder(n);
    for (int32_t j = 0; j < n; ++j) {
        const Step& s = steps[j];
        EXPECT_EQ(BridgeTable.point[j], s.point) << "n " << n << ", step " << j;
        EXPECT_NEAR(BridgeTable.stdDev[j], s.stdDev, 5e-8) << "n " << n << ", step " << j;
        if (j > 0) {
            EXPECT_EQ(BridgeTable.leftPoint[j], s.left) << "n " << n << ", step " << j;
            EXPECT_EQ(BridgeTable.rightPoint[j], s.right) << "n " << n << ", step " << j;
            EXPECT_DOUBLE_EQ(BridgeTable.leftWeight[j], s.leftWeight) << "n " << n << ", step " << j;
            EXPECT_DOUBLE_EQ(BridgeTable.rightWeight[j], s.rightWeight) << "n " << n << ", step " << j;
        }
    }
}

TEST(BridgeTable, WorkedExamples) {
    ExpectTable(5, {{5, 0, 0, 0, 0, 1},
                    {2, 0, 5, 3 / 5., 2 / 5., 0.4898979},
                    {1, 0, 2, 1 / 2., 1 / 2., 0.3162278},
                    {3, 2, 5, 2 / 3., 1 / 3., 0.3651484},
                    {4, 3, 5, 1 / 2., 1 / 2., 0.3162278}});
    const double third = 0.2357023, fourth = 0.2041241;
    ExpectTable(12, {{12, 0, 0, 0, 0, 1},
                     {6, 0, 12, .5, .5, 0.5},
                     {3, 0, 6, .5, .5, 0.3535534},
                     {9, 6, 12, .5, .5, 0.3535534},
                     {1, 0, 3, 2 / 3., 1 / 3., third},
                     {4, 3, 6, 2 / 3., 1 / 3., third},
                     {7, 6, 9, 2 / 3., 1 / 3., third},
                     {10, 9, 12, 2 / 3., 1 / 3., third},
                     {2, 1, 3, .5, .5, fourth},
                     {5, 4, 6, .5, .5, fourth},
                     {8, 7, 9, .5, .5, fourth},
                     {11, 10, 12, .5, .5, fourth}});
}

TEST(BridgeTable, BuildOrders) {
    using Order = std::vector<int32_t>;
    EXPECT_EQ(BuildOrder(2), (Order{2, 1}));
    EXPECT_EQ(BuildOrder(3), (Order{3, 1, 2}));
    EXPECT_EQ(BuildOrder(4), (Order{4, 2, 1, 3}));
    EXPECT_EQ(BuildOrder(6), (Order{6, 3, 1, 4, 2, 5}));
    EXPECT_EQ(BuildOrder(7), (Order{7, 3, 1, 5, 2, 4, 6}));
    EXPECT_EQ(BuildOrder(8), (Order{8, 4, 2, 6, 1, 3, 5, 7}));
    EXPECT_EQ(BuildOrder(10), (Order{10, 5, 2, 7, 1, 3, 6, 8, 4, 9}));
    const Order large = BuildOrder(1024);
    EXPECT_EQ(Order(large.begin(), large.begin() + 10), (Order{1024, 512, 256, 768, 128, 384, 640, 896, 64, 192}));
}

// Every step builds a new point strictly between its two nearest built
// neighbours, with the conditional law of a Brownian bridge.
TEST(BridgeTable, EveryStepIsAValidBridgeStepForEveryN) {
    PathScale = 0.7;
    for (int32_t n = 2; n <= MaxBridgePoints; ++n) {
        BuildOrder(n);
        std::vector<int32_t> builtAt(n + 1, n);
        builtAt[0] = -1;
        builtAt[n] = 0;
        for (int32_t j = 1; j < n; ++j) {
            const int32_t m = BridgeTable.point[j], l = BridgeTable.leftPoint[j], r = BridgeTable.rightPoint[j];
            ASSERT_TRUE(0 <= l && l < m && m < r && r <= n) << n << ", " << j;
            ASSERT_EQ(builtAt[m], n) << "built twice: " << n << ", " << m;
            ASSERT_TRUE(builtAt[l] < j && builtAt[r] < j) << n << ", " << j;
            for (int32_t p = l + 1; p < r; ++p) {
                ASSERT_EQ(builtAt[p], n) << "neighbour not nearest: " << n << ", " << j;
            }
            builtAt[m] = j;
            ASSERT_NEAR(BridgeTable.leftWeight[j], double(r - m) / (r - l), 1e-16);
            ASSERT_NEAR(BridgeTable.rightWeight[j], double(m - l) / (r - l), 1e-16);
            const double variance = 0.49 * (r - m) * (m - l) / (double(r - l) * n);
            ASSERT_NEAR(BridgeTable.stdDev[j], std::sqrt(variance), 1e-15) << n << ", " << j;
        }
    }
}

// From an independent evaluation that rounds every step as required; rounding
// the root's argument differently, or taking the root in double, changes it.
TEST(BridgeTable, RoundsTheStandardDeviationAsRequired) {
    PathScale = 0.3;
    BuildOrder(777);
    const int32_t* step = std::find(BridgeTable.point, BridgeTable.point + 777, 679);
    EXPECT_EQ(BridgeTable.stdDev[step - BridgeTable.point], 0x1.33c9d6a70e94ep-4);
}

TEST(BrownianBridgePath, RefusesBadCountsReadingAndWritingNothing) {
    Path(7, std::vector<double>(7, 0.3));
    const BridgeTableRecord before = BridgeTable;
    for (int32_t n : {1, 0, -1, INT32_MIN, 1025, INT32_MAX}) {
        EXPECT_EQ(BrownianBridgePath(n, nullptr, nullptr), -1) << n;
        EXPECT_EQ(std::memcmp(&before, &BridgeTable, sizeof before), 0) << n;
    }
    EXPECT_EQ(Path(1024, std::vector<double>(1024, 0.3)).size(), 1024u);
}

TEST(BrownianBridgePath, KnownPaths) {
    PathScale = 0.4;
    const std::vector<double> path = Path(2, {0.8, 0.1});
    EXPECT_DOUBLE_EQ(path[1], 0.4 * InverseCumulativeNormal(0.8));
    EXPECT_DOUBLE_EQ(path[0], InverseCumulativeNormal(0.1) * 0.2 + path[1] / 2);
    EXPECT_EQ(Path(12, std::vector<double>(12, 0.5)), std::vector<double>(12, 0.0));
    // Exact result of an independent evaluation with extended intermediates;
    // double intermediates change both interior points.
    PathScale = 0.3;
    EXPECT_EQ(Path(3, {0x1.b870b5604de79p-1, 0x1.754bd5d1ec5bep-3, 0x1.af66201a12c66p-1}),
              (std::vector<double>{-0.02009412309480783, 0.27525853391392796, 0.32441258998360006}));
}

TEST(BrownianBridgePath, AUniformMovesOnlyItsPointAndLaterOnes) {
    PathScale = 1.0;
    std::vector<double> uniforms = {0.6, 0.2, 0.9, 0.35, 0.7, 0.45, 0.1, 0.55, 0.8, 0.3, 0.65, 0.25};
    const std::vector<double> base = Path(12, uniforms);
    for (int32_t j = 0; j < 12; ++j) {
        std::vector<double> changed = uniforms;
        changed[j] = 0.999;
        const std::vector<double> path = Path(12, changed);
        for (int32_t earlier = 0; earlier < j; ++earlier) {
            const int32_t p = BridgeTable.point[earlier] - 1;
            EXPECT_EQ(path[p], base[p]) << "uniform " << j << " moved point " << p + 1;
        }
        EXPECT_NE(path[BridgeTable.point[j] - 1], base[BridgeTable.point[j] - 1]) << j;
    }
}

TEST(BrownianBridgePath, RebuildsOnEveryKeyChangeWithoutChangingPaths) {
    BridgeTable = BridgeTableRecord{};
    PathScale = 1.0;
    const std::vector<double> uniforms = {0.3, 0.6, 0.1, 0.95, 0.5};
    const std::vector<double> first = Path(5, uniforms);
    EXPECT_EQ(BridgeTable.tablePointCount, 5);
    Path(4, uniforms);
    EXPECT_EQ(Path(5, uniforms), first);

    PathScale = 0.2;
    Path(5, uniforms);
    const BridgeTableRecord small = BridgeTable;
    PathScale = 0.3;
    Path(5, uniforms);
    EXPECT_EQ(BridgeTable.tableScale, 0.3);
    for (int32_t j = 0; j < 5; ++j) {
        EXPECT_NEAR(BridgeTable.stdDev[j], 1.5 * small.stdDev[j], 1e-15) << j;
        EXPECT_EQ(BridgeTable.point[j], small.point[j]);
        EXPECT_EQ(BridgeTable.leftWeight[j], small.leftWeight[j]);
    }
}

// Deterministic (fixed seed); 400000 paths put the sampling error of each
// correlation near 0.0016 and of each relative variance near 0.0022, far
// inside the tolerances, while a swapped weight or a wrong stdDev moves some
// moment by 5% or more.
TEST(BrownianBridgePath, TwelvePointPathsHaveBrownianCovariances) {
    constexpr int32_t n = 12, paths = 400000;
    PathScale = 0.3;
    Parameters.fixingCount = n;
    SeedRandom(20240601);
    double sums[n] = {}, products[n][n] = {};
    for (int32_t p = 0; p < paths; ++p) {
        double uniforms[n], path[n];
        PseudoUniformSource(uniforms);
        BrownianBridgePath(n, uniforms, path);
        for (int32_t i = 0; i < n; ++i) {
            sums[i] += path[i];
            for (int32_t k = 0; k <= i; ++k) {
                products[i][k] += path[i] * path[k];
            }
        }
    }
    for (int32_t i = 0; i < n; ++i) {
        EXPECT_NEAR(sums[i] / paths, 0.0, 0.01 * 0.3) << i;
        for (int32_t k = 0; k <= i; ++k) {
            const double covariance = products[i][k] / paths - sums[i] / paths * sums[k] / paths;
            const double expected = 0.09 * (k + 1) / n;
            const double scale = 0.09 * std::sqrt((i + 1.0) * (k + 1.0)) / n;
            EXPECT_NEAR(covariance, expected, (i == k ? 0.012 : 0.01) * scale) << "points " << i + 1 << ", " << k + 1;
        }
    }
}

}  // namespace
