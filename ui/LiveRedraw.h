#pragma once

#include <cstdint>

#include <QElapsedTimer>

// Paces the redraws of the chart and the progress bar during a run, which
// keeps the event loop waiting until it ends. Due() is called once per
// point; it looks at the clock only every CallsPerCheck calls, so its cost
// per point is an increment and a test.
class LiveRedraw {
public:
    // Ten redraws a second: well inside 4 to 25, and each redraw draws only
    // a few points per pixel column, so the share of the run stays small.
    static constexpr int64_t IntervalMilliseconds = 100;
    static constexpr uint32_t CallsPerCheck = 1024;

    void Start();
    bool Due()
    {
        if (++calls % CallsPerCheck != 0) return false;
        return clock.elapsed() >= nextDue;
    }
    // To be called after each redraw.
    void Redrawn() { nextDue = clock.elapsed() + IntervalMilliseconds; }

private:
    QElapsedTimer clock;
    int64_t nextDue = IntervalMilliseconds;
    uint32_t calls = 0;
};
