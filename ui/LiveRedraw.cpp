// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/LiveRedraw.h"

void LiveRedraw::Start()
{
    clock.start();
    nextDue = IntervalMilliseconds;
    calls = 0;
}
