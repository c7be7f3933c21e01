// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

#include "pricing/PathThreadCount.h"

namespace {

TEST(PathThreadCount, TakesOnlyWholeNumbersFromOneToTheLimit)
{
    EXPECT_EQ(ParsePathThreadCount("1"), 1);
    EXPECT_EQ(ParsePathThreadCount("8"), 8);
    EXPECT_EQ(ParsePathThreadCount("007"), 7);
    EXPECT_EQ(ParsePathThreadCount("256"), 256);
    for (const char* refused : {"", "0", "257", "-1", "+2", " 2", "2 ", "2x", "1.5", "1e2", "0x10",
                                "99999999999999999999999999", "\xd9\xa2"}) {
        EXPECT_EQ(ParsePathThreadCount(refused), 0) << refused;
    }
}

// Each case starts the test program anew, so the count is settled from the
// environment it sets.
class PathThreadCountFromEnvironment : public testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }

    static void ReportCount(const char* value)
    {
        setenv("KVANTELO_THREADS", value, 1);
        std::fprintf(stderr, "count %d\n", PathThreadCount());
        std::exit(0);
    }
};

TEST_F(PathThreadCountFromEnvironment, AValidCountIsUsedQuietly)
{
    EXPECT_EXIT(ReportCount("3"), testing::ExitedWithCode(0), "^count 3\n$");
}

TEST_F(PathThreadCountFromEnvironment, AnInvalidCountIsIgnoredWithOneLine)
{
    EXPECT_EXIT(ReportCount("many"), testing::ExitedWithCode(0),
                "^kvantelo: KVANTELO_THREADS=many ignored: not a whole number from 1 to 256; using [0-9]+ "
                "threads\ncount [0-9]+\n$");
}

}  // namespace
