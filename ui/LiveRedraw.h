// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

#include <QElapsedTimer>

// Paces the redraws of the chart and the progress bar during a run, which
// lets the event loop turn only at these redraws. Due() is called once per
// path; it looks at the clock only every CallsPerCheck calls, so its cost
// per path is an increment and a test.
class LiveRedraw {
public:
    // About five and a half redraws a second: at least 4 even when a check
    // comes late (1024 paths of 1024 fixings take some 15 ms), and few enough
    // that the few milliseconds of one redraw stay a small share of the run.
    static constexpr int64_t IntervalMilliseconds = 180;
    static constexpr uint32_t CallsPerCheck = 1024;

    void Start();
    bool Due()
    {
        if (++calls % CallsPerCheck != 0) return false;
        return clock.isValid() && clock.elapsed() >= nextDue;
    }
    // To be called after each redraw.
    void Redrawn() { nextDue = clock.elapsed() + IntervalMilliseconds; }

private:
    QElapsedTimer clock;
    int64_t nextDue = IntervalMilliseconds;
    uint32_t calls = 0;
};
