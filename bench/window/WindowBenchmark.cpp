// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's side of a press: the default press against the bare engine,
// the largest press with its memory and the repaints that follow it, the
// pace and cost of the live redraws, all measured on the real window under
// the offscreen platform. Figures are wall-clock times, as the user waits;
// the default press is also given in processor time of the thread, which
// stays meaningful on a busy machine.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QFileInfo>
#include <QIODevice>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "WindowDriver.h"
#include "pricing/PathThreadCount.h"
#include "pricing/PricingParameters.h"
#include "pricing/RunObserver.h"
#include "pricing/SimulationRun.h"
#include "ui/AtomicFileSave.h"
#include "ui/ConvergenceLine.h"
#include "ui/RadioGroup.h"
#include "ui/KvanteloApplication.h"
#include "ui/SaveFileChoice.h"

namespace {

constexpr int32_t DefaultPaths = 8 * 1024;
constexpr int32_t LargestPaths = MaxIterationCount * 1024;
constexpr int32_t FullSegments = 1024;
// As many points as the full press, much sooner.
constexpr int32_t QuickSegments = 2;
constexpr int64_t MemoryAllowancePerPoint = 40;
constexpr int64_t MemoryAllowanceFixed = int64_t{100} << 20;
constexpr double BytesPerMebibyte = 1 << 20;
constexpr double MillisecondsPerSecond = 1000.0;
// The window is resized by this much and back.
constexpr int ResizeStep = 120;
constexpr double BytesPerMegabyte = 1e6;
// The disk's own speed is measured with blocks of this size, as the CSV
// writer writes.
constexpr int64_t DiskBlockBytes = int64_t{4} << 20;

class SilentObserver final : public RunObserver {
public:
    void SetProgress(int32_t) override {}
    void ClearSeries(GeneratorKind) override {}
    void AddPoint(GeneratorKind, double, double, RgbColour) override {}
    void SetCell(int32_t, int32_t, const std::string&) override {}
    void SetValueAxisMinimum(double) override {}
    void SetValueAxisMaximum(double) override {}
};

struct Span {
    double milliseconds;
    double threadMilliseconds;
};

Span SpanOf(const std::function<void()>& work)
{
    const double threadStart = ThreadMilliseconds();
    const auto start = std::chrono::steady_clock::now();
    work();
    return {std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count(),
            ThreadMilliseconds() - threadStart};
}

// The two main runs of a press with an observer that does nothing, from the
// inputs last read.
void BareEngineRuns()
{
    SilentObserver observer;
    RunSimulation(GeneratorKind::Pseudo, observer);
    RunSimulation(GeneratorKind::Quasi, observer);
}

// Presses beside the bare engine runs of the same inputs, summed.
struct PressesBesideEngine {
    double engineMilliseconds = 0.0;
    double engineThreadMilliseconds = 0.0;
    double pressMilliseconds = 0.0;
    double pressThreadMilliseconds = 0.0;

    // The bare engine runs of the inputs in the window's fields, then a press.
    WindowDriver::Press Press(WindowDriver& driver)
    {
        driver.Form().ReadInputs();
        const Span engine = SpanOf(BareEngineRuns);
        engineMilliseconds += engine.milliseconds;
        engineThreadMilliseconds += engine.threadMilliseconds;
        const WindowDriver::Press press = driver.PressCompute();
        pressMilliseconds += press.milliseconds;
        pressThreadMilliseconds += press.threadMilliseconds;
        return press;
    }

    void Report(benchmark::State& state) const
    {
        state.counters["press_per_engine"] = pressMilliseconds / engineMilliseconds;
        state.counters["press_per_engine_thread"] = pressThreadMilliseconds / engineThreadMilliseconds;
    }
};

// Fails the benchmark unless the press left no error and each line holds one
// point per path.
bool PressSucceeded(benchmark::State& state, WindowDriver& driver, int32_t paths)
{
    if (!driver.Errors().isEmpty()) {
        state.SkipWithError(driver.Errors().join(QStringLiteral("; ")).toStdString().c_str());
        return false;
    }
    for (const GeneratorKind kind : {GeneratorKind::Quasi, GeneratorKind::Pseudo}) {
        if (driver.Form().Series(kind)->PointCount() != paths) {
            state.SkipWithError("a line does not hold one point per path");
            return false;
        }
    }
    return true;
}

// Live redraws per second of the press and their share of its time.
void CountLiveRedraws(benchmark::State& state, WindowDriver& driver, const std::vector<WindowDriver::Press>& presses)
{
    const double progressMilliseconds = driver.ProgressRepaintMilliseconds();
    double pressMilliseconds = 0.0;
    double redrawMilliseconds = 0.0;
    int64_t redraws = 0;
    for (const WindowDriver::Press& press : presses) {
        pressMilliseconds += press.milliseconds;
        redrawMilliseconds += press.liveRedrawMilliseconds + press.liveRedraws * progressMilliseconds;
        redraws += press.liveRedraws;
    }
    state.counters["press_s"] = pressMilliseconds / presses.size() / MillisecondsPerSecond;
    state.counters["redraws_per_s"] = redraws * MillisecondsPerSecond / pressMilliseconds;
    state.counters["redraw_ms"] = redraws > 0 ? redrawMilliseconds / redraws : 0.0;
    state.counters["redraw_share_pct"] = 100.0 * redrawMilliseconds / pressMilliseconds;
}

void DefaultPress(benchmark::State& state)
{
    WindowDriver driver;
    PressesBesideEngine totals;
    for (auto _ : state) {
        const WindowDriver::Press press = totals.Press(driver);
        if (!PressSucceeded(state, driver, DefaultPaths)) return;
        if (!press.finalRedraw) {
            state.SkipWithError("the chart was not redrawn after the press");
            return;
        }
        state.SetIterationTime(press.milliseconds / MillisecondsPerSecond);
    }
    const double presses = static_cast<double>(state.iterations());
    state.counters["press_ms"] = totals.pressMilliseconds / presses;
    state.counters["engine_ms"] = totals.engineMilliseconds / presses;
    totals.Report(state);
}
BENCHMARK(DefaultPress)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

// A press long enough for the live view, whose redraws let the event loop
// turn; arguments Iterations [x 1024] and Path segments. Beside the redraws,
// the press against the bare engine runs gives all that the window costs.
void LiveView(benchmark::State& state)
{
    WindowDriver driver;
    const auto iterations = static_cast<int32_t>(state.range(0));
    driver.SetRunSize(iterations, static_cast<int32_t>(state.range(1)));
    std::vector<WindowDriver::Press> presses;
    PressesBesideEngine totals;
    for (auto _ : state) {
        presses.push_back(totals.Press(driver));
        if (!PressSucceeded(state, driver, iterations * 1024)) return;
        state.SetIterationTime(presses.back().milliseconds / MillisecondsPerSecond);
    }
    CountLiveRedraws(state, driver, presses);
    totals.Report(state);
}
BENCHMARK(LiveView)
    ->ArgNames({"iterations_x1024", "segments"})
    ->Args({256, 126})
    ->Args({64, 1024})
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

// A press on one thread and on range(2) threads in turns, in the real window;
// arguments Iterations [x 1024], Path segments, and 1 for the arithmetic
// average with the control variate. `speedup` is the one-thread wall clock
// from Compute to the repainted window over the threaded one.
// With several threads the window's thread computes no path, so its own
// processor time is all its serial work (the sums, the progress, the points,
// the live redraws); `serial_share_pct` is that time as a share of the
// one-thread press, and `amdahl_N` the speed-up it predicts on N cores.
void ThreadedPress(benchmark::State& state)
{
    WindowDriver driver;
    const auto iterations = static_cast<int32_t>(state.range(0));
    const auto threads = static_cast<int32_t>(state.range(2));
    driver.SetRunSize(iterations, static_cast<int32_t>(state.range(1)));
    if (state.range(3) != 0) {
        driver.Form().RadioGroup3->Item(1)->click();
        driver.Form().CheckBox2->click();
    }
    double oneThread = 0.0;
    double oneThreadProcessor = 0.0;
    double threaded = 0.0;
    double serialProcessor = 0.0;
    for (auto _ : state) {
        SetPathThreadCount(1);
        const WindowDriver::Press single = driver.PressCompute();
        SetPathThreadCount(threads);
        const WindowDriver::Press spread = driver.PressCompute();
        if (!PressSucceeded(state, driver, iterations * 1024)) return;
        oneThread += single.milliseconds;
        oneThreadProcessor += single.threadMilliseconds;
        threaded += spread.milliseconds;
        serialProcessor += spread.threadMilliseconds;
        state.SetIterationTime(spread.milliseconds / MillisecondsPerSecond);
    }
    const double serialShare = serialProcessor / oneThreadProcessor;
    state.counters["speedup"] = oneThread / threaded;
    state.counters["serial_share_pct"] = 100.0 * serialShare;
    for (const int cores : {4, 8, 16}) {
        state.counters["amdahl_" + std::to_string(cores)] = 1.0 / (serialShare + (1.0 - serialShare) / cores);
    }
}
BENCHMARK(ThreadedPress)
    ->ArgNames({"iterations_x1024", "segments", "threads", "control_variate"})
    ->Args({8, 126, 2, 0})
    ->Args({256, 126, 2, 0})
    ->Args({256, 126, 2, 1})
    ->Args({32, 1024, 2, 0})
    ->Args({32, 1024, 2, 1})
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Saves the lines' points as the user does ("Save convergence data…", the
// dialog answered at once) into a file under TMPDIR, and then as many bytes
// of text, already formatted, through the same all-or-nothing save: the
// disk's own time for the file, committed to the disk in both cases.
void MeasureCsvSave(benchmark::State& state, WindowDriver& driver)
{
    const QTemporaryDir directory;
    const QString csv = directory.filePath(QStringLiteral("points.csv"));
    SetSaveFileChooser([&csv](QWidget*, const SaveFileKinds&) { return csv; });
    const double csvSeconds =
        SpanOf([&] { driver.Form().SaveConvergenceData1Click(); }).milliseconds / MillisecondsPerSecond;
    SetSaveFileChooser(nullptr);
    const int64_t bytes = QFileInfo(csv).size();
    QFile::remove(csv);
    if (!driver.Errors().isEmpty() || bytes == 0) {
        state.SkipWithError("the convergence data were not saved");
        return;
    }
    const QByteArray block(DiskBlockBytes, '7');
    const auto writePlainText = [&] {
        SaveAtomically(directory.filePath(QStringLiteral("plain.txt")), [&](QIODevice& file) {
            for (int64_t left = bytes; left > 0; left -= block.size())
                if (!WriteAll(file, block.constData(), std::min<int64_t>(left, block.size()))) return false;
            return true;
        });
    };
    const double diskSeconds = SpanOf(writePlainText).milliseconds / MillisecondsPerSecond;
    state.counters["csv_MB"] = bytes / BytesPerMegabyte;
    state.counters["csv_s"] = csvSeconds;
    state.counters["csv_MB_per_s"] = bytes / BytesPerMegabyte / csvSeconds;
    state.counters["disk_s"] = diskSeconds;
    state.counters["disk_MB_per_s"] = bytes / BytesPerMegabyte / diskSeconds;
    state.counters["csv_beyond_disk_s"] = csvSeconds - diskSeconds;
}

// The largest press the window accepts, then the repaints a user asks for
// afterwards, each timed to the repainted window, and the save of its
// points.
void LargestPress(benchmark::State& state, int32_t segments)
{
    WindowDriver driver;
    TForm1& form = driver.Form();
    driver.SetRunSize(MaxIterationCount, segments);
    const int64_t residentBefore = ResidentBytes();
    std::vector<WindowDriver::Press> presses;
    for (auto _ : state) {
        presses.push_back(driver.PressCompute());
        if (!PressSucceeded(state, driver, LargestPaths)) return;
        state.SetIterationTime(presses.back().milliseconds / MillisecondsPerSecond);
    }
    const int64_t residentAfter = ResidentBytes();
    const int64_t points = 2 * int64_t{LargestPaths};
    state.counters["points"] = static_cast<double>(points);
    state.counters["rss_MiB"] = residentAfter / BytesPerMebibyte;
    state.counters["bytes_per_point"] = static_cast<double>(residentAfter - residentBefore) / points;
    state.counters["rss_per_allowance"] =
        static_cast<double>(residentAfter) / (MemoryAllowancePerPoint * points + MemoryAllowanceFixed);

    const QSize size = form.size();
    const struct {
        const char* name;
        std::function<void()> action;
    } repaints[] = {
        {"zoom_in_ms", [&] { form.Button2->click(); }},
        {"zoom_out_ms", [&] { form.Button3->click(); }},
        {"log_on_ms", [&] { form.CheckBox1->click(); }},
        {"log_off_ms", [&] { form.CheckBox1->click(); }},
        {"resize_ms", [&] { form.resize(size + QSize(ResizeStep, ResizeStep)); }},
        {"resize_back_ms", [&] { form.resize(size); }},
    };
    double slowest = 0.0;
    for (const auto& repaint : repaints) {
        const double milliseconds = driver.MillisecondsToRepaint(repaint.action);
        state.counters[repaint.name] = milliseconds;
        slowest = std::max(slowest, milliseconds);
    }
    state.counters["slowest_repaint_ms"] = slowest;
    if (!PressSucceeded(state, driver, LargestPaths)) return;
    CountLiveRedraws(state, driver, presses);
    MeasureCsvSave(state, driver);
}
BENCHMARK_CAPTURE(LargestPress, quick, QuickSegments)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
// Some fifteen minutes: left out unless a filter names it.
BENCHMARK_CAPTURE(LargestPress, full, FullSegments)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::vector<char*> arguments(argv, argv + argc);
    const bool filtered = std::any_of(arguments.begin(), arguments.end(),
                                      [](const char* a) { return std::strncmp(a, "--benchmark_filter", 18) == 0; });
    static char skipFullPress[] = "--benchmark_filter=-LargestPress/full";
    if (!filtered) arguments.push_back(skipFullPress);
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    KvanteloApplication application(count, arguments.data());
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
