// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/WindowPlacement.h"

#include <gtest/gtest.h>

namespace {

constexpr QPoint Wanted(313, 408);
// The designed client area in a frame of one pixel with a 20-pixel title.
constexpr QSize Frame(799, 437);
constexpr QSize FrameExtra(2, 21);
constexpr QSize Designed(797, 416);

TEST(PlaceInside, KeepsThePlaceWhereTheFrameFits)
{
    EXPECT_EQ(PlaceInside(QRect(0, 0, 1280, 1024), Wanted, Frame), Wanted);
    // Exactly flush with the right and bottom edges still fits.
    EXPECT_EQ(PlaceInside(QRect(0, 0, 313 + 799, 408 + 437), Wanted, Frame), Wanted);
}

TEST(PlaceInside, MovesTheFrameInsideAsLittleAsNeeded)
{
    EXPECT_EQ(PlaceInside(QRect(0, 0, 1024, 768), Wanted, Frame), QPoint(1024 - 799, 768 - 437));
    // Twice the pixel density on 1920 x 1080: 960 x 540 logical pixels.
    EXPECT_EQ(PlaceInside(QRect(0, 0, 960, 540), Wanted, Frame), QPoint(960 - 799, 540 - 437));
    // Only one axis short: the other keeps its place.
    EXPECT_EQ(PlaceInside(QRect(0, 0, 1024, 1024), Wanted, Frame), QPoint(1024 - 799, 408));
    // A panel along the top, and a screen that lies right of another.
    EXPECT_EQ(PlaceInside(QRect(1920, 30, 1280, 994), Wanted, Frame), QPoint(1920, 408));
    EXPECT_EQ(PlaceInside(QRect(-1280, 0, 1280, 1024), Wanted, Frame), QPoint(-799, 408));
}

TEST(PlaceInside, PutsAFrameLargerThanTheAreaAtItsTopLeft)
{
    EXPECT_EQ(PlaceInside(QRect(0, 0, 640, 400), Wanted, Frame), QPoint(0, 0));
    // Larger along one axis only: inside along the other.
    EXPECT_EQ(PlaceInside(QRect(10, 24, 640, 1000), Wanted, Frame), QPoint(10, 408));
    EXPECT_EQ(PlaceInside(QRect(10, 24, 1000, 400), Wanted, Frame), QPoint(10 + 1000 - 799, 24));
}

TEST(MinimumClientSize, IsTheDesignUnlessTheScreenIsSmaller)
{
    EXPECT_EQ(MinimumClientSize(QRect(0, 0, 1024, 768), Designed, FrameExtra), Designed);
    EXPECT_EQ(MinimumClientSize(QRect(0, 0, 799, 437), Designed, FrameExtra), Designed);
    EXPECT_EQ(MinimumClientSize(QRect(0, 0, 640, 480), Designed, FrameExtra), QSize(638, 416));
    EXPECT_EQ(MinimumClientSize(QRect(0, 0, 400, 300), Designed, FrameExtra), QSize(398, 279));
}

}  // namespace
