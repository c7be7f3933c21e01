// Cost per path of a main run, as a multiple of the n inverse-normal calls
// every path must make. Each ratio is taken against inverse-normal calls
// timed right after the run it describes, in the same process, and both in
// CPU time of the thread, so a change of load on the machine between
// benchmarks does not enter the ratio.
#include <time.h>

#include <cstdint>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "pricing/ControlVariate.h"
#include "pricing/PricingParameters.h"
#include "pricing/SimulationRun.h"
#include "random/BrownianBridge.h"
#include "random/NormalDistribution.h"
#include "random/PseudoRandom.h"

namespace {

constexpr uint32_t BenchmarkSeed = 20240601u;
constexpr int32_t UniformCount = 1 << 16;
// Inverse-normal calls timed as the reference of one ratio.
constexpr int64_t ReferenceCalls = int64_t{1} << 24;

double ThreadNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e9 + now.tv_nsec;
}

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

// The bare bridge over the same uniforms: the share of a path that is not
// the engine's own.
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
    const double pathNanoseconds = (ThreadNanoseconds() - start) / static_cast<double>(state.iterations());
    state.counters["ns_per_path"] = pathNanoseconds;
    state.counters["ratio"] = pathNanoseconds / (n * InverseNormalNanoseconds());
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

enum class Payoff { Geometric, Arithmetic, ArithmeticWithControlVariate };

void MainRun(benchmark::State& state, GeneratorKind kind, Payoff payoff)
{
    const int32_t n = static_cast<int32_t>(state.range(0));
    Parameters = {5.0, 5.0, 0.5, 0.03, 0.4, 0.0, n, n >= 512 ? 2048 : 16384};
    Parameters.averageKind = payoff == Payoff::Geometric ? AverageKind::Geometric : AverageKind::Arithmetic;
    Parameters.useControlVariate = payoff == Payoff::ArithmeticWithControlVariate;
    SeedGenerators(BenchmarkSeed);
    if (Parameters.useControlVariate) {
        controlVariateCoefficients[static_cast<int32_t>(kind)] = EstimateControlVariateCoefficient(kind);
    }
    StoringObserver observer(Parameters.pathCount);
    RunSimulation(kind, observer);  // builds the bridge table outside the timing

    const double start = ThreadNanoseconds();
    for (auto _ : state) {
        RunSimulation(kind, observer);
    }
    const double paths = static_cast<double>(state.iterations()) * Parameters.pathCount;
    const double pathNanoseconds = (ThreadNanoseconds() - start) / paths;
    state.counters["ns_per_path"] = pathNanoseconds;
    state.counters["ratio"] = pathNanoseconds / (n * InverseNormalNanoseconds());
}

void RegisterMainRuns()
{
    const struct {
        const char* name;
        GeneratorKind kind;
        Payoff payoff;
    } runs[] = {
        {"Pseudo/Geometric", GeneratorKind::Pseudo, Payoff::Geometric},
        {"Quasi/Geometric", GeneratorKind::Quasi, Payoff::Geometric},
        {"Pseudo/Arithmetic", GeneratorKind::Pseudo, Payoff::Arithmetic},
        {"Quasi/Arithmetic", GeneratorKind::Quasi, Payoff::Arithmetic},
        {"Pseudo/ArithmeticControlVariate", GeneratorKind::Pseudo, Payoff::ArithmeticWithControlVariate},
        {"Quasi/ArithmeticControlVariate", GeneratorKind::Quasi, Payoff::ArithmeticWithControlVariate},
    };
    benchmark::RegisterBenchmark("InverseCumulativeNormal", InverseNormal);
    benchmark::RegisterBenchmark("BrownianBridgePath", Bridge)->Arg(126)->Arg(1024);
    for (const auto& run : runs) {
        benchmark::RegisterBenchmark((std::string("MainRun/") + run.name).c_str(), MainRun, run.kind, run.payoff)
            ->Arg(126)
            ->Arg(1024)
            ->Unit(benchmark::kMillisecond);
    }
}

const bool registered = (RegisterMainRuns(), true);

}  // namespace
