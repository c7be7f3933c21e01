// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>
#include <cfenv>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "pricing/PathWorkers.h"
#include "pricing/PricingParameters.h"

// What one path yields to the window's thread.
struct PathResult {
    double payoff;           // the main run's payoff Y, or the pilot's arithmetic payoff
    double geometricPayoff;  // the pilot's geometric payoff
    int faults;              // the fault flags its computation raised
};

// What is computed from a path's values sigma * W(t_i). Runs on any thread:
// it may read the pricing inputs and write only its result.
class PathEvaluation {
public:
    virtual void Evaluate(const double* path, PathResult& result) const = 0;

protected:
    ~PathEvaluation() = default;
};

// The paths of one run (a pilot or a main run), computed ahead in blocks of
// consecutive paths by the path workers, or with one thread by the window's
// own, and taken by the window's thread one at a time in path order. Each
// block starts its own copies of the generators at its first path, so every
// path gets exactly the uniforms that drawing the paths one after the other
// from the process-wide generators gives; the process-wide state is the
// window thread's alone, read when the run starts and set when it ends. What
// is computed ahead but never taken is dropped.
class PathPipeline final : SharedWork {
public:
    // Reads the kind's generator position, Parameters.fixingCount and
    // uniformBuffer; the bridge table must be prepared for the run.
    PathPipeline(GeneratorKind kind, int32_t pathCount, const PathEvaluation& evaluation);

    // Stops the workers and waits until none works, then leaves the kind's
    // generator and uniformBuffer exactly where drawing the taken paths one
    // after the other leaves them, however the run ended.
    ~PathPipeline();

    PathPipeline(const PathPipeline&) = delete;
    PathPipeline& operator=(const PathPipeline&) = delete;

    // The next path's result, valid until the next call. Its uniforms count
    // as drawn from here on.
    const PathResult& Take();

private:
    void Work() override;
    bool Claim(int64_t& block);
    void Publish(int64_t block);
    void ComputeBlock(int64_t block);
    void AwaitBlock(int64_t block);
    void LeaveGenerators() const;

    const GeneratorKind kind;
    const int32_t fixingCount;
    const int64_t pathCount;
    const int64_t blockPaths;
    const int64_t blockCount;
    const PathEvaluation& evaluation;
    const uint64_t startPseudoState;
    const int32_t startSobolIndex;
    std::fenv_t environment;

    // Shared with the workers: guarded by the mutex, but `stopping`, which a
    // block in progress also polls.
    std::mutex mutex;
    std::condition_variable blockReady;
    std::condition_variable roomFreed;
    int64_t nextBlock = 0;
    int64_t freedBlocks = 0;  // every block below it has been taken
    // The blocks the window's thread waits for, all of them, when
    // awaitedEnd > 0.
    int64_t awaitedFirst = 0;
    int64_t awaitedEnd = 0;
    std::atomic<bool> stopping{false};
    int32_t workers = 0;  // 0: the window's thread computes every block itself

    // The window thread's own.
    int64_t taken = 0;
    int64_t takenBlockEnd = 0;
    const PathResult* takenBlock = nullptr;
};
