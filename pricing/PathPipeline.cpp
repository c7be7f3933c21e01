// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pricing/PathPipeline.h"

#include <algorithm>

#include "pricing/FloatingPointFault.h"
#include "pricing/PathSimulation.h"
#include "pricing/PathThreadCount.h"
#include "random/BrownianBridge.h"
#include "random/PseudoRandom.h"
#include "random/SobolGenerator.h"

namespace {

// A block is 65,536 fixings, about a millisecond of one thread's work (less
// where few fixings make a path cheap): long enough that handing it over
// costs next to nothing, short enough that the window's thread never waits
// long for the block it needs, and that a stop ends the workers at once.
constexpr int64_t FixingsPerBlock = 65536;
constexpr int64_t MinBlockPaths = 64;
constexpr int64_t MaxBlockPaths = 1024;

// When the window's thread has to wait for a block, it waits for this many,
// so that it wakes once for several blocks rather than for each: a wake-up
// costs it about as much as taking the results of a hundred paths.
constexpr int64_t BlocksPerWake = 8;

// How far the workers may run ahead of the window's thread, in blocks: room
// for the event-loop turns of a live redraw, and a bound on what is in flight
// (RingBlocks * MaxBlockPaths results, 3 MiB) whatever the path count.
constexpr int64_t RingBlocks = 128;

// Only one run is in progress at a time, so its results and its copy of the
// uniforms it starts from are static, as every buffer of the engine.
PathResult ringResults[RingBlocks * MaxBlockPaths];
int64_t readyBlock[RingBlocks];
double startUniforms[MaxFixingCount];

// Each thread's copies of what one path needs.
struct PathScratch {
    SobolStateRecord sobol;
    double uniforms[MaxFixingCount];
    double path[MaxFixingCount];
};

}  // namespace

PathPipeline::PathPipeline(GeneratorKind runKind, int32_t paths, const PathEvaluation& pathEvaluation)
    : kind(runKind),
      fixingCount(Parameters.fixingCount),
      pathCount(paths),
      blockPaths(std::clamp(FixingsPerBlock / fixingCount, MinBlockPaths, MaxBlockPaths)),
      blockCount((pathCount + blockPaths - 1) / blockPaths),
      evaluation(pathEvaluation),
      startPseudoState(PseudoPosition()),
      startSobolIndex(nextSobolIndex)
{
    // The workers compute with the rounding and precision of this thread.
    std::fegetenv(&environment);
    std::fill_n(readyBlock, RingBlocks, -1);
    // A source that refuses its index writes nothing, so the first path may
    // use the uniforms left by the path before the run.
    std::copy_n(uniformBuffer, fixingCount, startUniforms);
    // With several threads all path work goes to the workers, and this
    // thread only takes the results; a run of a single block is done here
    // at once rather than handed over.
    const int32_t threads = PathThreadCount();
    if (threads > 1 && blockCount > 1) {
        workers = PathWorkers::Start(*this, static_cast<int32_t>(std::min<int64_t>(threads, blockCount)));
    }
}

PathPipeline::~PathPipeline()
{
    {
        const std::lock_guard lock(mutex);
        stopping = true;
    }
    roomFreed.notify_all();
    if (workers > 0) {
        PathWorkers::Finish();
    }
    LeaveGenerators();
}

const PathResult& PathPipeline::Take()
{
    if (taken == takenBlockEnd) {
        AwaitBlock(taken / blockPaths);
    }
    return takenBlock[taken++ % blockPaths];
}

void PathPipeline::AwaitBlock(int64_t block)
{
    std::unique_lock lock(mutex);
    // Every block before this one is taken: their room is free again.
    freedBlocks = block;
    roomFreed.notify_all();
    if (readyBlock[block % RingBlocks] != block) {
        awaitedFirst = block;
        awaitedEnd = std::min(blockCount, block + BlocksPerWake);
    }
    while (readyBlock[block % RingBlocks] != block) {
        int64_t claimed = 0;
        if (workers == 0 && Claim(claimed)) {
            lock.unlock();
            {
                // This thread's flags belong to the run's own arithmetic,
                // such as the pilot's sums, checked at its end.
                const FaultFlagsKept runFlags;
                ComputeBlock(claimed);
            }
            lock.lock();
            Publish(claimed);
        } else {
            blockReady.wait(lock);
        }
    }
    awaitedEnd = 0;
    takenBlock = ringResults + block % RingBlocks * MaxBlockPaths;
    takenBlockEnd = std::min(pathCount, (block + 1) * blockPaths);
}

void PathPipeline::Work()
{
    std::fesetenv(&environment);
    std::unique_lock lock(mutex);
    while (!stopping) {
        int64_t claimed = 0;
        if (Claim(claimed)) {
            lock.unlock();
            ComputeBlock(claimed);
            lock.lock();
            Publish(claimed);
        } else if (nextBlock == blockCount) {
            return;
        } else {
            roomFreed.wait(lock);
        }
    }
}

bool PathPipeline::Claim(int64_t& block)
{
    if (nextBlock == blockCount || nextBlock >= freedBlocks + RingBlocks) {
        return false;
    }
    block = nextBlock++;
    return true;
}

void PathPipeline::Publish(int64_t block)
{
    readyBlock[block % RingBlocks] = block;
    if (block < awaitedFirst || block >= awaitedEnd) {
        return;
    }
    for (int64_t awaited = awaitedFirst; awaited < awaitedEnd; ++awaited) {
        if (readyBlock[awaited % RingBlocks] != awaited) {
            return;
        }
    }
    blockReady.notify_one();
}

void PathPipeline::ComputeBlock(int64_t block)
{
    const int64_t first = block * blockPaths;
    const int64_t count = std::min(blockPaths, pathCount - first);
    PathResult* const results = ringResults + block % RingBlocks * MaxBlockPaths;
    PathScratch scratch;
    uint64_t pseudoState = PseudoStateAfter(startPseudoState, static_cast<uint64_t>(first) * fixingCount);
    int32_t sobolIndex = SobolIndexAfter(startSobolIndex, first);
    if (first == 0) {
        std::copy_n(startUniforms, fixingCount, scratch.uniforms);
    }
    ClearFloatingPointFaults();
    for (int64_t p = 0; p < count && !stopping.load(std::memory_order_relaxed); ++p) {
        if (kind == GeneratorKind::Pseudo) {
            PseudoUniforms(pseudoState, fixingCount, scratch.uniforms);
        } else {
            QuasiUniforms(scratch.sobol, sobolIndex, fixingCount, scratch.uniforms);
        }
        // The fixing count is clamped into the bridge's range when it is
        // read, so its refusal cannot occur.
        BrownianBridgePath(fixingCount, scratch.uniforms, scratch.path);
        evaluation.Evaluate(scratch.path, results[p]);
        results[p].faults = TakeFloatingPointFaults();
    }
}

void PathPipeline::LeaveGenerators() const
{
    if (taken == 0) {
        return;
    }
    // The process-wide generator goes to the last taken path and draws it
    // once more, as the single thread drew it: that leaves the generator
    // state, the Sobol cache and uniformBuffer as drawing every taken path
    // in turn leaves them.
    const int64_t last = taken - 1;
    if (kind == GeneratorKind::Pseudo) {
        SetPseudoPosition(PseudoStateAfter(startPseudoState, static_cast<uint64_t>(last) * fixingCount));
    } else {
        nextSobolIndex = SobolIndexAfter(startSobolIndex, last);
    }
    UniformSourceOf(kind)(uniformBuffer);
}
