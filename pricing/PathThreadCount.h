// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// How many threads compute the paths of a run, the window's own included: 1
// means the window's thread computes every path itself. Whatever the count,
// every reported value is the same.
constexpr int32_t MaxPathThreads = 256;

// The count in force. The first call settles it: KVANTELO_THREADS when it
// holds a whole number from 1 to MaxPathThreads, otherwise (with one line on
// standard error for a value it ignores) every processor this process may
// run on. Read on the window's thread only.
int32_t PathThreadCount();

// Replaces the count, for tests and benchmarks; clamped into 1..MaxPathThreads.
void SetPathThreadCount(int32_t count);

// The count a KVANTELO_THREADS text asks for, or 0 where it is not a whole
// number from 1 to MaxPathThreads.
int32_t ParsePathThreadCount(const char* text);
