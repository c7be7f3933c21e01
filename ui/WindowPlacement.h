// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a window goes on a screen whose available area (the screen less its
// panels) is given, all in the window system's logical pixels.

// The top-left corner of a frame of frameSize that asks for wanted: wanted
// itself when the frame fits there; otherwise moved, along each axis as
// little as needed, so that the frame lies inside the area; along an axis
// where the frame is larger than the area, at the area's left or top edge.
QPoint PlaceInside(const QRect& available, QPoint wanted, QSize frameSize);

// The least client size a user can shrink the window to: its designed size,
// or on a screen too small for that (with frameExtra, the frame's own width
// and height) the client area that fits the available area.
QSize MinimumClientSize(const QRect& available, QSize designed, QSize frameExtra);
