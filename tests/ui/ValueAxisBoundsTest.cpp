// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ValueAxisBounds.h"

#include <cmath>

#include <gtest/gtest.h>

#include "ui/ErrorDisplay.h"

namespace {

ValueAxisBounds Bounds(double minimum, double maximum)
{
    ValueAxisBounds bounds;
    bounds.SetMinimum(-1.0);
    bounds.SetMaximum(maximum);
    bounds.SetMinimum(minimum);
    return bounds;
}

TEST(ValueAxisBounds, RefusesCrossingBoundsWithTheirMessages)
{
    ValueAxisBounds bounds = Bounds(0.9, 1.1);
    try {
        bounds.SetMinimum(1.2);
        FAIL();
    } catch (const InputError& error) {
        EXPECT_STREQ(error.what(), "Axis Minimum Value must be <= Maximum");
    }
    try {
        bounds.SetMaximum(0.8);
        FAIL();
    } catch (const InputError& error) {
        EXPECT_STREQ(error.what(), "Axis Maximum Value must be >= Minimum");
    }
    EXPECT_THROW(bounds.SetMinimum(NAN), InputError);
    EXPECT_THROW(bounds.SetMaximum(NAN), InputError);
    EXPECT_EQ(bounds.Minimum(), 0.9);
    EXPECT_EQ(bounds.Maximum(), 1.1);
}

TEST(ValueAxisBounds, RunOrderAcceptsAZeroSpan)
{
    const ValueAxisBounds bounds = Bounds(0.0, 0.0);
    EXPECT_EQ(bounds.Minimum(), 0.0);
    EXPECT_EQ(bounds.Maximum(), 0.0);
    const auto shown = bounds.DisplayedRange();
    EXPECT_LT(shown.lower, 0.0);
    EXPECT_GT(shown.upper, 0.0);
    const auto around = Bounds(0.32, 0.32).DisplayedRange();
    EXPECT_DOUBLE_EQ((around.lower + around.upper) / 2, 0.32);
    EXPECT_GT(around.upper - around.lower, 0.02);
}

TEST(ValueAxisBounds, SettingBothTakesARangeAboveBelowOrAcrossTheBounds)
{
    for (const auto& [lower, upper] : {std::pair{1.5, 2.0}, {-3.0, -2.0}, {0.0, 5.0}, {0.95, 0.95}}) {
        ValueAxisBounds bounds = Bounds(0.9, 1.1);
        bounds.Set({lower, upper});
        EXPECT_EQ(bounds.Minimum(), lower) << lower;
        EXPECT_EQ(bounds.Maximum(), upper) << lower;
    }
}

TEST(ValueAxisBounds, ZoomHalvesOrDoublesTheSpanAboutItsCentre)
{
    ValueAxisBounds in = Bounds(0.9, 1.1);
    in.Zoom(0.5);
    EXPECT_NEAR(in.Minimum(), 0.95, 1e-15);
    EXPECT_NEAR(in.Maximum(), 1.05, 1e-15);
    ValueAxisBounds out = Bounds(0.9, 1.1);
    out.Zoom(2.0);
    EXPECT_NEAR(out.Minimum(), 0.8, 1e-15);
    EXPECT_NEAR(out.Maximum(), 1.2, 1e-15);
    ValueAxisBounds still;
    still.Zoom(0.5);
    still.Zoom(2.0);
    EXPECT_EQ(still.Minimum(), 0.0);
    EXPECT_EQ(still.Maximum(), 0.0);
    const auto shown = Bounds(0.9, 1.1).DisplayedRange();
    EXPECT_EQ(shown.lower, 0.9);
    EXPECT_EQ(shown.upper, 1.1);
}

TEST(DisplayedErrorText, AppendsAFullStopAfterCharactersBeyondIt)
{
    EXPECT_EQ(DisplayedErrorText("'abc' is not a valid integer value"), "'abc' is not a valid integer value.");
    EXPECT_EQ(DisplayedErrorText("between 1 and 20971"), "between 1 and 20971.");
    EXPECT_EQ(DisplayedErrorText("'x'"), "'x'");
    EXPECT_EQ(DisplayedErrorText("a/"), "a/.");
    EXPECT_EQ(DisplayedErrorText("Done."), "Done.");
    EXPECT_EQ(DisplayedErrorText("Stop!"), "Stop!");
    EXPECT_EQ(DisplayedErrorText("(see above)"), "(see above)");
    EXPECT_EQ(DisplayedErrorText("a-"), "a-");
    EXPECT_EQ(DisplayedErrorText(""), "");
}

}  // namespace
