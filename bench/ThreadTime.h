// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <time.h>

// Processor time of the calling thread. Unlike the wall clock it leaves out
// the time the thread waits for the other work of a busy machine, so figures
// taken at different loads can still be compared.
inline double ThreadNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

inline double ThreadMilliseconds()
{
    return ThreadNanoseconds() / 1e6;
}
