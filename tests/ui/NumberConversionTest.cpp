// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/NumberConversion.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseReal, AcceptsTheDefaultFormUnderEveryLocale)
{
    EXPECT_EQ(ParseReal("0.03", "."), 0.03);
    EXPECT_EQ(ParseReal("0.03", ","), 0.03);
    EXPECT_EQ(ParseReal("0,03", ","), 0.03);
    EXPECT_EQ(ParseReal("5", ","), 5.0);
    EXPECT_EQ(ParseReal(" -1.5e2 ", "."), -150.0);
    EXPECT_EQ(ParseReal("+.5", "."), 0.5);
    EXPECT_EQ(ParseReal("7.", "."), 7.0);
    EXPECT_EQ(ParseReal("1E-3", "."), 0.001);
    EXPECT_EQ(ParseReal("2\u066b5", "\u066b"), 2.5);
}

TEST(ParseReal, RefusesWhatIsNotAFiniteNumber)
{
    for (const char* text : {"", " ", "abc", "nan", "NaN", "inf", "-Infinity", "1e999", "-1e999", "0x10", "1.2.3",
                             "1,5", "1e", "1e+", ".", "-", "5 5", "1.5x", "e5", "1,2"})
        EXPECT_FALSE(ParseReal(text, ".").has_value()) << text;
    EXPECT_FALSE(ParseReal("1,2,3", ",").has_value());
    EXPECT_FALSE(ParseReal("1.2,3", ",").has_value());
}

TEST(ParseInteger, AcceptsSigned32BitDecimals)
{
    EXPECT_EQ(ParseInteger("126"), 126);
    EXPECT_EQ(ParseInteger("-2"), -2);
    EXPECT_EQ(ParseInteger("+5"), 5);
    EXPECT_EQ(ParseInteger(" 0 "), 0);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
}

TEST(ParseInteger, RefusesEverythingElse)
{
    for (const char* text : {"", "-", "+", "+-5", "1.5", "0.", "abc", "2147483648", "-2147483649", "1e3", "12a",
                             "0x1F", "5 5"})
        EXPECT_FALSE(ParseInteger(text).has_value()) << text;
}

}  // namespace
