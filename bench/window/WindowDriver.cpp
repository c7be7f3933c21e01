// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowDriver.h"

#include <chrono>
#include <fstream>

#include <QCoreApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <qcustomplot.h>
#include <unistd.h>

#include "ui/ErrorDisplay.h"

namespace {

int64_t SteadyNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

constexpr double NanosecondsPerMillisecond = 1e6;
// Repaints of the progress bar averaged for its figure.
constexpr int32_t ProgressRepaints = 100;

// Posted events, zero timers (the chart's queued redraw) and the update
// requests those post in turn.
void HandleQueuedWork()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
}

}  // namespace

WindowDriver::WindowDriver()
{
    SetErrorSink([this](const QString& text) { errors << text; });
    form = std::make_unique<TForm1>();
    form->show();
    HandleQueuedWork();
    beforeReplot = QObject::connect(form->Chart1, &QCustomPlot::beforeReplot, [this] {
        redrawStart = SteadyNanoseconds();
        if (!pressing) redrawnAfterRun = true;
    });
    afterReplot = QObject::connect(form->Chart1, &QCustomPlot::afterReplot, [this] {
        if (!pressing) return;
        ++redraws;
        redrawNanoseconds += SteadyNanoseconds() - redrawStart;
    });
}

WindowDriver::~WindowDriver()
{
    QObject::disconnect(beforeReplot);
    QObject::disconnect(afterReplot);
    form.reset();
    SetErrorSink(nullptr);
}

void WindowDriver::SetRunSize(int32_t iterations, int32_t segments)
{
    form->Edit9->setText(QString::number(iterations));
    form->Edit1->setText(QString::number(segments));
}

double WindowDriver::MillisecondsToRepaint(const std::function<void()>& action)
{
    const int64_t start = SteadyNanoseconds();
    action();
    HandleQueuedWork();
    form->repaint();
    return (SteadyNanoseconds() - start) / NanosecondsPerMillisecond;
}

WindowDriver::Press WindowDriver::PressCompute()
{
    redraws = 0;
    redrawNanoseconds = 0;
    redrawnAfterRun = false;
    Press press;
    const double threadStart = ThreadMilliseconds();
    press.milliseconds = MillisecondsToRepaint([this] {
        pressing = true;
        form->Button1->click();
        pressing = false;
    });
    press.threadMilliseconds = ThreadMilliseconds() - threadStart;
    press.liveRedraws = redraws;
    press.liveRedrawMilliseconds = redrawNanoseconds / NanosecondsPerMillisecond;
    press.finalRedraw = redrawnAfterRun;
    return press;
}

double WindowDriver::ProgressRepaintMilliseconds()
{
    QProgressBar* bar = form->ProgressBar3;
    const int kept = bar->value();
    const int64_t start = SteadyNanoseconds();
    for (int32_t i = 0; i < ProgressRepaints; ++i) {
        bar->setValue(i % 100);
        bar->repaint();
    }
    const int64_t elapsed = SteadyNanoseconds() - start;
    bar->setValue(kept);
    return elapsed / NanosecondsPerMillisecond / ProgressRepaints;
}

int64_t ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    int64_t sizePages = 0;
    int64_t residentPages = 0;
    statm >> sizePages >> residentPages;
    return residentPages * sysconf(_SC_PAGESIZE);
}
