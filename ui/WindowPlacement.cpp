// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/WindowPlacement.h"

#include <algorithm>

namespace {

// The start of a span of length along [first, first + room): wanted when it
// fits, else the nearest start that fits, and first when none does.
int PlaceAlong(int first, int room, int wanted, int length)
{
    if (length >= room) return first;
    return std::clamp(wanted, first, first + room - length);
}

}  // namespace

QPoint PlaceInside(const QRect& available, QPoint wanted, QSize frameSize)
{
    return {PlaceAlong(available.left(), available.width(), wanted.x(), frameSize.width()),
            PlaceAlong(available.top(), available.height(), wanted.y(), frameSize.height())};
}

QSize MinimumClientSize(const QRect& available, QSize designed, QSize frameExtra)
{
    return designed.boundedTo((available.size() - frameExtra).expandedTo(QSize(1, 1)));
}
