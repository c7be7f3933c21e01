// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

#include "DefaultInputs.h"
#include "RecordingObserver.h"
#include "pricing/PathThreadCount.h"
#include "pricing/SimulationRun.h"

namespace {

// Counts every allocation of the process while counting is on.
bool counting = false;
long allocations = 0;

}  // namespace

void* operator new(std::size_t size)
{
    if (counting) {
        ++allocations;
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace {

long AllocationsOfPress(const PricingParameters& inputs)
{
    Parameters = inputs;
    // Preallocated, and cell texts fit the strings' own buffers, so the
    // observer itself allocates nothing.
    RecordingObserver observer;
    observer.calls.reserve(2 * (2 * inputs.pathCount + 8));
    allocations = 0;
    counting = true;
    RunSequence(observer);
    counting = false;
    return allocations;
}

// The path workers are started once for the process, by the first press that
// needs them; after that no press allocates, at any thread count.
TEST(Allocation, NoPathAllocates)
{
    for (const int32_t threads : {1, 2, 3}) {
        SetPathThreadCount(threads);
        PricingParameters inputs = DefaultInputs(2);
        AllocationsOfPress(inputs);
        EXPECT_EQ(AllocationsOfPress(inputs), 0) << threads << " threads";
        inputs.averageKind = AverageKind::Arithmetic;
        EXPECT_EQ(AllocationsOfPress(inputs), 0) << threads << " threads";
        inputs.useControlVariate = true;
        inputs.fixingCount = 1024;
        EXPECT_EQ(AllocationsOfPress(inputs), 0) << threads << " threads";
    }
}

}  // namespace
