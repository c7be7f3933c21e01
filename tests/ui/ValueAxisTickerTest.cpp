// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ValueAxisTicker.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

struct Ticks {
    QVector<double> ticks;
    QVector<double> subTicks;
    QVector<QString> labels;
};

Ticks Generate(double lower, double upper)
{
    ValueAxisTicker ticker;
    Ticks result;
    ticker.generate(QCPRange(lower, upper), QLocale::c(), QLatin1Char('g'), 6, result.ticks, &result.subTicks,
                    &result.labels);
    return result;
}

// The labels of a range, joined for readable failures.
std::string Labels(double lower, double upper)
{
    return Generate(lower, upper).labels.join(QLatin1Char('|')).toStdString();
}

TEST(ValueAxisTicker, LabelsStayAtLeastAHundredthApart)
{
    for (const auto& [lower, upper] : {std::pair{0.9, 1.1}, {0.31, 0.34}, {0.3195, 0.3205}, {-0.05, 0.05}}) {
        const Ticks t = Generate(lower, upper);
        ASSERT_FALSE(t.ticks.isEmpty()) << lower;
        EXPECT_EQ(t.labels.size(), t.ticks.size());
        for (int i = 0; i < t.ticks.size(); ++i) {
            EXPECT_GE(t.ticks[i], lower) << lower;
            EXPECT_LE(t.ticks[i], upper) << lower;
            EXPECT_NEAR(t.ticks[i] * 100.0, std::round(t.ticks[i] * 100.0), 1e-9) << t.ticks[i];
            if (i > 0) {
                EXPECT_GE(t.ticks[i] - t.ticks[i - 1], 0.01 - 1e-12) << lower;
            }
        }
    }
    EXPECT_EQ(Labels(0.3195, 0.3205), "0.32");
}

TEST(ValueAxisTicker, ARangeWithoutAHundredthGetsOneLabelAtItsCentre)
{
    // A press of 2000 x 1024 paths: the estimate plus and minus 100 standard
    // deviations of 0.000005.
    const Ticks pressed = Generate(0.324283, 0.325283);
    ASSERT_EQ(pressed.ticks.size(), 1);
    EXPECT_DOUBLE_EQ(pressed.ticks[0], 0.324783);
    EXPECT_EQ(Labels(0.324283, 0.325283), "0.32478");
    EXPECT_TRUE(pressed.subTicks.isEmpty());
    // Two decimals beyond the span's first significant digit.
    EXPECT_EQ(Labels(0.3211, 0.3299), "0.32550");
    EXPECT_EQ(Labels(-0.4569, -0.4561), "-0.456500");
    EXPECT_EQ(Labels(0.32478, 0.3247801), "0.324780050");
    // No more decimals than a double carries.
    EXPECT_EQ(Labels(1.001, 1.001 + 1e-14), "1.001000000000005");
}

}  // namespace
