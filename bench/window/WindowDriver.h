// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include <QObject>
#include <QString>
#include <QStringList>

#include "bench/ThreadTime.h"
#include "ui/TForm1.h"

// A shown window for one benchmark, driven as a user would: controls are
// filled and buttons clicked, and every figure includes the synchronous
// repaint of the whole window that the user would wait for. Errors the
// window would show are collected instead of opening a modal box.
class WindowDriver {
public:
    WindowDriver();
    ~WindowDriver();

    TForm1& Form() { return *form; }
    const QStringList& Errors() const { return errors; }

    // Iterations [x 1024] and Path segments, as typed into their fields.
    void SetRunSize(int32_t iterations, int32_t segments);

    // Wall-clock milliseconds of action, then of handling what it queued and
    // repainting the whole window at once.
    double MillisecondsToRepaint(const std::function<void()>& action);

    // Clicks Compute and repaints. Besides the time to the repainted window,
    // it counts the chart redraws made during the run (the live redraws, and
    // the queued ones that the event loop's turns at them carry out) and the
    // milliseconds they took.
    struct Press {
        double milliseconds = 0.0;
        // Processor time of the window's thread over the same span.
        double threadMilliseconds = 0.0;
        int32_t liveRedraws = 0;
        double liveRedrawMilliseconds = 0.0;
        // Whether the chart was redrawn after the run, with its final points.
        bool finalRedraw = false;
    };
    Press PressCompute();

    // Milliseconds of one synchronous repaint of the progress bar, which each
    // live redraw does after the chart's.
    double ProgressRepaintMilliseconds();

private:
    std::unique_ptr<TForm1> form;
    QStringList errors;
    bool pressing = false;
    bool redrawnAfterRun = false;
    int32_t redraws = 0;
    int64_t redrawStart = 0;
    int64_t redrawNanoseconds = 0;
    QMetaObject::Connection beforeReplot;
    QMetaObject::Connection afterReplot;
};

// Resident memory of the process, from /proc/self/statm.
int64_t ResidentBytes();
