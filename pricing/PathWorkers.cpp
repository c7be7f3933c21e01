// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pricing/PathWorkers.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

class WorkerPool {
public:
    ~WorkerPool()
    {
        {
            const std::lock_guard lock(mutex);
            quitting = true;
        }
        workGiven.notify_all();
        for (std::thread& thread : threads) {
            thread.join();
        }
    }

    int32_t Start(SharedWork& given, int32_t count)
    {
        std::unique_lock lock(mutex);
        try {
            while (static_cast<int32_t>(threads.size()) < count) {
                const auto number = static_cast<int32_t>(threads.size());
                threads.emplace_back([this, number] { Serve(number); });
            }
        } catch (const std::system_error&) {
            // The system has no thread to spare: the threads there are do
            // the work, and the results are the same.
            count = static_cast<int32_t>(threads.size());
        }
        work = &given;
        wanted = count;
        busy = count;
        ++generation;
        lock.unlock();
        workGiven.notify_all();
        return count;
    }

    void Finish()
    {
        std::unique_lock lock(mutex);
        allBack.wait(lock, [this] { return busy == 0; });
        work = nullptr;
    }

private:
    // Worker `number` takes part in every work given to at least number + 1
    // workers; the others skip it.
    void Serve(int32_t number)
    {
        std::unique_lock lock(mutex);
        uint64_t seen = 0;
        for (;;) {
            workGiven.wait(lock, [&] { return quitting || generation != seen; });
            if (quitting) {
                return;
            }
            seen = generation;
            if (number >= wanted) {
                continue;
            }
            SharedWork* const current = work;
            lock.unlock();
            current->Work();
            lock.lock();
            if (--busy == 0) {
                allBack.notify_all();
            }
        }
    }

    std::mutex mutex;
    std::condition_variable workGiven;
    std::condition_variable allBack;
    std::vector<std::thread> threads;
    SharedWork* work = nullptr;
    uint64_t generation = 0;
    int32_t wanted = 0;
    int32_t busy = 0;
    bool quitting = false;
};

// Made on first use and destroyed at exit, after main has returned, which
// ends and joins the waiting threads.
WorkerPool& Pool()
{
    static WorkerPool pool;
    return pool;
}

}  // namespace

namespace PathWorkers {

int32_t Start(SharedWork& work, int32_t count)
{
    return Pool().Start(work, count);
}

void Finish()
{
    Pool().Finish();
}

}  // namespace PathWorkers
