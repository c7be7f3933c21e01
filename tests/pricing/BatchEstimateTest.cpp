// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cfenv>

#include <gtest/gtest.h>

#include "RecordingObserver.h"
#include "pricing/BatchEstimate.h"

namespace {

std::vector<RecordedCall> ReportOf(const BatchEstimate& estimate, GeneratorKind kind)
{
    RecordingObserver recorder;
    CheckedObserver observer(recorder);
    estimate.Report(kind, observer);
    return recorder.calls;
}

TEST(BatchEstimate, SpreadOfSixteenBatchMeans)
{
    BatchEstimate estimate;
    for (int q = 0; q < 16; ++q) {
        estimate.AddBatchMean(q < 8 ? 0.30 : 0.32);
    }
    EXPECT_NEAR(estimate.Value(), 0.31, 1e-15);
    EXPECT_NEAR(estimate.StandardDeviation(), 0.002581988897, 1e-12);

    const auto calls = ReportOf(estimate, GeneratorKind::Pseudo);
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].operation, RecordedCall::Cell);
    EXPECT_EQ(calls[0].integer, 3);
    EXPECT_EQ(calls[0].row, 1);
    EXPECT_EQ(calls[0].text, "0.310000");
    EXPECT_EQ(calls[1].integer, 3);
    EXPECT_EQ(calls[1].row, 2);
    EXPECT_EQ(calls[1].text, "0.002582");
    // Lowering the minimum first keeps the bounds ordered at every call.
    EXPECT_EQ(calls[2].operation, RecordedCall::AxisMinimum);
    EXPECT_EQ(calls[2].y, -1.0);
    EXPECT_EQ(calls[3].operation, RecordedCall::AxisMaximum);
    EXPECT_NEAR(calls[3].y, 0.56820, 1e-5);
    EXPECT_EQ(calls[4].operation, RecordedCall::AxisMinimum);
    EXPECT_NEAR(calls[4].y, 0.05180, 1e-5);
}

TEST(BatchEstimate, EqualMeansHaveNoSpreadAndRaiseNoFault)
{
    // 0.1 squared and summed rounds so that the mean of the squares falls
    // below the square of the mean.
    BatchEstimate estimate;
    for (int q = 0; q < 16; ++q) {
        estimate.AddBatchMean(0.1);
    }
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_EQ(estimate.StandardDeviation(), 0.0);
    EXPECT_EQ(std::fetestexcept(FE_INVALID), 0);

    const auto calls = ReportOf(BatchEstimate{}, GeneratorKind::Quasi);
    EXPECT_EQ(calls[0].integer, 2);
    EXPECT_EQ(calls[0].text, "0.000000");
    EXPECT_EQ(calls[1].text, "0.000000");
    EXPECT_EQ(calls[3].y, 0.0);
    EXPECT_EQ(calls[4].y, 0.0);
}

}  // namespace
