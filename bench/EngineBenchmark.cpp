// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Cost per path of a main run, as a multiple of the n inverse-normal calls
// every path must make. Each ratio is taken against inverse-normal calls
// timed right after the run it describes, in the same process, and both in
// CPU time of the thread, so a change of load on the machine between
// benchmarks does not enter the ratio.
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/ThreadTime.h"
#include "pricing/ControlVariate.h"
#include "pricing/PathPayoff.h"
#include "pricing/PathSimulation.h"
#include "pricing/PathThreadCount.h"
#include "pricing/PricingParameters.h"
#include "pricing/SimulationRun.h"
#include "random/BrownianBridge.h"
#include "random/InverseNormalBlock.h"
#include "random/NormalDistribution.h"
#include "random/PseudoRandom.h"

namespace {

constexpr uint32_t BenchmarkSeed = 20240601u;
constexpr int32_t UniformCount = 1 << 16;
// Inverse-normal calls timed as the reference of one ratio.
constexpr int64_t ReferenceCalls = int64_t{1} << 24;

// Uniforms as the pseudo-random source yields them, so the share of tail
// evaluations is the one a run sees.
const std::vector<double>& BenchmarkUniforms()
{
    static const std::vector<double> uniforms = [] {
        SeedRandom(BenchmarkSeed);
        std::vector<double> values(UniformCount);
        for (double& u : values) {
            u = Random31() * UniformScale;
        }
        return values;
    }();
    return uniforms;
}

void InverseNormalCalls(int64_t rounds)
{
    const std::vector<double>& uniforms = BenchmarkUniforms();
    for (int64_t round = 0; round < rounds; ++round) {
        for (const double u : uniforms) {
            benchmark::DoNotOptimize(InverseCumulativeNormal(u));
        }
    }
}

double InverseNormalNanoseconds()
{
    const double start = ThreadNanoseconds();
    InverseNormalCalls(ReferenceCalls / UniformCount);
    return (ThreadNanoseconds() - start) / ReferenceCalls;
}

void InverseNormal(benchmark::State& state)
{
    const double start = ThreadNanoseconds();
    for (auto _ : state) {
        InverseNormalCalls(1);
    }
    const double calls = static_cast<double>(state.iterations()) * UniformCount;
    state.counters["ns_per_call"] = (ThreadNanoseconds() - start) / calls;
}

enum class PayoffKind { Geometric, Arithmetic, ArithmeticWithControlVariate };

// The market data of every benchmark that prices, at n fixings.
PricingParameters BenchmarkParameters(int32_t n, int32_t pathCount)
{
    return {5.0, 5.0, 0.5, 0.03, 0.4, 0.0, n, pathCount};
}

// Records a component's cost per path, and that cost as a share of the n
// inverse-normal calls of a path: the shares of a path's parts add up to
// its ratio, less what joining them costs.
void ReportPathCost(benchmark::State& state, int32_t n, double start)
{
    const double pathNanoseconds = (ThreadNanoseconds() - start) / static_cast<double>(state.iterations());
    state.counters["ns_per_path"] = pathNanoseconds;
    state.counters["ratio"] = pathNanoseconds / (n * InverseNormalNanoseconds());
}

// The n normals of a path in one block, as the bridge forms them, with a
// given evaluation of the central region.
void NormalBlock(benchmark::State& state, CentralEvaluation evaluation)
{
    if (!Supports(evaluation)) {
        state.SkipWithError("the processor does not support this evaluation");
        return;
    }
    const int32_t n = static_cast<int32_t>(state.range(0));
    const std::vector<double>& uniforms = BenchmarkUniforms();
    static double normals[MaxBridgePoints];
    const int32_t pathsInBuffer = UniformCount / n;
    int32_t next = 0;
    const double start = ThreadNanoseconds();
    for (auto _ : state) {
        InverseCumulativeNormalBlock(evaluation, n, uniforms.data() + next * n, normals);
        benchmark::DoNotOptimize(normals[0]);
        next = next + 1 == pathsInBuffer ? 0 : next + 1;
    }
    ReportPathCost(state, n, start);
}

// The bare bridge over the same uniforms: its ratio less that of the block
// of normals with the selected evaluation is the share of its
// extended-precision combining loop.
void Bridge(benchmark::State& state)
{
    const int32_t n = static_cast<int32_t>(state.range(0));
    const std::vector<double>& uniforms = BenchmarkUniforms();
    static double path[MaxBridgePoints];
    PathScale = 0.4;
    const int32_t pathsInBuffer = UniformCount / n;
    int32_t next = 0;
    const double start = ThreadNanoseconds();
    for (auto _ : state) {
        BrownianBridgePath(n, uniforms.data() + next * n, path);
        benchmark::DoNotOptimize(path[0]);
        next = next + 1 == pathsInBuffer ? 0 : next + 1;
    }
    ReportPathCost(state, n, start);
}

// One source call per path, as a run makes it.
void Source(benchmark::State& state, GeneratorKind kind)
{
    const int32_t n = static_cast<int32_t>(state.range(0));
    Parameters.fixingCount = n;
    SeedGenerators(BenchmarkSeed);
    const UniformSource source = UniformSourceOf(kind);
    static double buffer[MaxFixingCount];
    const double start = ThreadNanoseconds();
    for (auto _ : state) {
        source(buffer);
        benchmark::DoNotOptimize(buffer[0]);
    }
    ReportPathCost(state, n, start);
}

// An average and its payoff over paths built beforehand from the same
// uniforms, with the main runs' market data.
void Average(benchmark::State& state, PayoffKind payoff)
{
    const int32_t n = static_cast<int32_t>(state.range(0));
    Parameters = BenchmarkParameters(n, 16384);
    const double drift = driftPerStep(Parameters);
    PathScale = terminalStandardDeviation(Parameters);
    const int32_t pathsInBuffer = UniformCount / n;
    std::vector<double> paths(static_cast<size_t>(pathsInBuffer) * n);
    for (int32_t p = 0; p < pathsInBuffer; ++p) {
        BrownianBridgePath(n, BenchmarkUniforms().data() + p * n, paths.data() + p * n);
    }
    int32_t next = 0;
    const double start = ThreadNanoseconds();
    for (auto _ : state) {
        const double* path = paths.data() + next * n;
        benchmark::DoNotOptimize(payoff == PayoffKind::Geometric ? Payoff(GeometricAverage(path, drift))
                                                             : Payoff(ArithmeticAverage(path, drift)));
        next = next + 1 == pathsInBuffer ? 0 : next + 1;
    }
    ReportPathCost(state, n, start);
}

// Keeps what a run reports in storage allocated once, as a window would.
class StoringObserver : public RunObserver {
public:
    explicit StoringObserver(int32_t pathCount) : x(pathCount), y(pathCount) {}
    void SetProgress(int32_t percent) override { progress = percent; }
    void ClearSeries(GeneratorKind) override { count = 0; }
    void AddPoint(GeneratorKind, double px, double py, RgbColour) override
    {
        x[count] = px;
        y[count] = py;
        ++count;
    }
    void SetCell(int32_t, int32_t, const std::string& text) override { cell = text; }
    void SetValueAxisMinimum(double value) override { minimum = value; }
    void SetValueAxisMaximum(double value) override { maximum = value; }

private:
    std::vector<double> x, y;
    size_t count = 0;
    int32_t progress = 0;
    std::string cell;
    double minimum = 0.0, maximum = 0.0;
};

// Paths of a main run at n fixings: some 20 ms of one thread's work.
int32_t MainRunPaths(int32_t n)
{
    return n >= 512 ? 2048 : 16384;
}

// Paths of a main run spread over threads: some 150 ms of one thread's work,
// as a press that is worth spreading; each run also pays once for waking
// the workers, about a millisecond on these virtual machines.
int32_t ThreadedRunPaths(int32_t n)
{
    return 8 * MainRunPaths(n);
}

// The inputs of a main run at n fixings, the seeded generators and, with the
// control variate, the pilot's coefficient; the run done once, which builds
// the bridge table outside the timing.
void PrepareMainRun(GeneratorKind kind, PayoffKind payoff, int32_t n, int32_t pathCount, StoringObserver& observer)
{
    Parameters = BenchmarkParameters(n, pathCount);
    Parameters.averageKind = payoff == PayoffKind::Geometric ? AverageKind::Geometric : AverageKind::Arithmetic;
    Parameters.useControlVariate = payoff == PayoffKind::ArithmeticWithControlVariate;
    SeedGenerators(BenchmarkSeed);
    if (Parameters.useControlVariate) {
        controlVariateCoefficients[static_cast<int32_t>(kind)] = EstimateControlVariateCoefficient(kind, observer);
    }
    RunSimulation(kind, observer);
}

// One thread: the window's computes every path, and its processor time is
// the run's.
void MainRun(benchmark::State& state, GeneratorKind kind, PayoffKind payoff)
{
    const int32_t n = static_cast<int32_t>(state.range(0));
    SetPathThreadCount(1);
    StoringObserver observer(MainRunPaths(n));
    PrepareMainRun(kind, payoff, n, MainRunPaths(n), observer);

    const double start = ThreadNanoseconds();
    for (auto _ : state) {
        RunSimulation(kind, observer);
    }
    const double paths = static_cast<double>(state.iterations()) * Parameters.pathCount;
    const double pathNanoseconds = (ThreadNanoseconds() - start) / paths;
    state.counters["ns_per_path"] = pathNanoseconds;
    state.counters["ratio"] = pathNanoseconds / (n * InverseNormalNanoseconds());
}

double WallNanoseconds()
{
    return static_cast<double>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
}

// The same run on one thread and on range(1) threads, in turns, in wall-clock
// time: `speedup` is the one-thread time over the threaded one, measured in
// one sitting, `ns_per_path` the threaded time of a path.
void ThreadedMainRun(benchmark::State& state, GeneratorKind kind, PayoffKind payoff)
{
    const int32_t n = static_cast<int32_t>(state.range(0));
    const auto threads = static_cast<int32_t>(state.range(1));
    StoringObserver observer(ThreadedRunPaths(n));
    SetPathThreadCount(threads);
    PrepareMainRun(kind, payoff, n, ThreadedRunPaths(n), observer);  // starts the workers outside the timing
    double oneThread = 0.0;
    double threaded = 0.0;
    for (auto _ : state) {
        SetPathThreadCount(1);
        double start = WallNanoseconds();
        RunSimulation(kind, observer);
        oneThread += WallNanoseconds() - start;
        SetPathThreadCount(threads);
        start = WallNanoseconds();
        RunSimulation(kind, observer);
        threaded += WallNanoseconds() - start;
    }
    state.counters["ns_per_path"] = threaded / (static_cast<double>(state.iterations()) * Parameters.pathCount);
    state.counters["speedup"] = oneThread / threaded;
}

void RegisterMainRuns()
{
    const struct {
        const char* name;
        GeneratorKind kind;
        PayoffKind payoff;
    } runs[] = {
        {"Pseudo/Geometric", GeneratorKind::Pseudo, PayoffKind::Geometric},
        {"Quasi/Geometric", GeneratorKind::Quasi, PayoffKind::Geometric},
        {"Pseudo/Arithmetic", GeneratorKind::Pseudo, PayoffKind::Arithmetic},
        {"Quasi/Arithmetic", GeneratorKind::Quasi, PayoffKind::Arithmetic},
        {"Pseudo/ArithmeticControlVariate", GeneratorKind::Pseudo, PayoffKind::ArithmeticWithControlVariate},
        {"Quasi/ArithmeticControlVariate", GeneratorKind::Quasi, PayoffKind::ArithmeticWithControlVariate},
    };
    benchmark::RegisterBenchmark("InverseCumulativeNormal", InverseNormal);
    benchmark::RegisterBenchmark("InverseCumulativeNormalBlock/Staged", NormalBlock, CentralEvaluation::Staged)
        ->Arg(126)
        ->Arg(1024);
    benchmark::RegisterBenchmark("InverseCumulativeNormalBlock/Avx2Fma", NormalBlock, CentralEvaluation::Avx2Fma)
        ->Arg(126)
        ->Arg(1024);
    benchmark::RegisterBenchmark("BrownianBridgePath", Bridge)->Arg(126)->Arg(1024);
    benchmark::RegisterBenchmark("UniformSource/Pseudo", Source, GeneratorKind::Pseudo)->Arg(126)->Arg(1024);
    benchmark::RegisterBenchmark("UniformSource/Quasi", Source, GeneratorKind::Quasi)->Arg(126)->Arg(1024);
    benchmark::RegisterBenchmark("PathAverage/Geometric", Average, PayoffKind::Geometric)->Arg(126)->Arg(1024);
    benchmark::RegisterBenchmark("PathAverage/Arithmetic", Average, PayoffKind::Arithmetic)->Arg(126)->Arg(1024);
    for (const auto& run : runs) {
        benchmark::RegisterBenchmark((std::string("MainRun/") + run.name).c_str(), MainRun, run.kind, run.payoff)
            ->Arg(126)
            ->Arg(1024)
            ->Unit(benchmark::kMillisecond);
    }
    for (const auto& run : runs) {
        benchmark::RegisterBenchmark((std::string("ThreadedMainRun/") + run.name).c_str(), ThreadedMainRun,
                                     run.kind, run.payoff)
            ->Args({126, 2})
            ->Args({1024, 2})
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
    }
}

const bool registered = (RegisterMainRuns(), true);

}  // namespace
