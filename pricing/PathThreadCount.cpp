// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pricing/PathThreadCount.h"

#include <sched.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* CountVariable = "KVANTELO_THREADS";

int32_t threadCount = 0;  // 0 until settled

// Every processor the process may run on: its affinity, not the machine's
// processor count, which a container or taskset may restrict.
int32_t ProcessorsOfThisProcess()
{
    cpu_set_t processors;
    CPU_ZERO(&processors);
    if (sched_getaffinity(0, sizeof processors, &processors) != 0) {
        return 1;
    }
    return std::clamp(CPU_COUNT(&processors), 1, MaxPathThreads);
}

int32_t CountFromEnvironment()
{
    const int32_t processors = ProcessorsOfThisProcess();
    const char* text = std::getenv(CountVariable);
    // An empty value is as good as none: the way a shell unsets it for one command.
    if (text == nullptr || *text == '\0') {
        return processors;
    }
    const int32_t asked = ParsePathThreadCount(text);
    if (asked == 0) {
        std::fprintf(stderr, "kvantelo: %s=%s ignored: not a whole number from 1 to %d; using %d threads\n",
                     CountVariable, text, MaxPathThreads, processors);
        return processors;
    }
    return asked;
}

}  // namespace

int32_t PathThreadCount()
{
    if (threadCount == 0) {
        threadCount = CountFromEnvironment();
    }
    return threadCount;
}

void SetPathThreadCount(int32_t count)
{
    threadCount = std::clamp(count, 1, MaxPathThreads);
}

int32_t ParsePathThreadCount(const char* text)
{
    // Digits only: no sign, blank, exponent or fraction; leading zeros are
    // still the same whole number. Counting stops past the limit, so a long
    // text cannot overflow.
    int32_t count = 0;
    const char* digit = text;
    for (; *digit >= '0' && *digit <= '9'; ++digit) {
        count = std::min(count * 10 + (*digit - '0'), MaxPathThreads + 1);
    }
    if (digit == text || *digit != '\0' || count < 1 || count > MaxPathThreads) {
        return 0;
    }
    return count;
}
