// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// Work that several threads share: each calls Work() once, and it returns
// when nothing is left for that thread to do.
class SharedWork {
public:
    virtual void Work() = 0;

protected:
    ~SharedWork() = default;
};

// The threads that compute paths besides the window's. They are started when
// a run first asks for them and kept, waiting and touching nothing, between
// runs, so a run allocates nothing and starts no thread; they end with the
// process. Called from the window's thread only, one work at a time.
namespace PathWorkers {

// Has `count` workers call work.Work(), and returns at once with the number
// that do: fewer only where the system had no more threads to give.
int32_t Start(SharedWork& work, int32_t count);

// Returns once every worker given the work has come back from Work().
void Finish();

}  // namespace PathWorkers
