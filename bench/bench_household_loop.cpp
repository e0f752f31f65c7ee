// Whole runs through the run harness: one household loop over every
// household, and the ten loops on ten threads. The database is the one named
// by TOLVAR_BENCH_CONNECT (for example the 1,000-zone benchmark region), or
// else a generated region of 25 zones and 2,000 households. Output files and
// the trace file go to a temporary folder.

#include "bench/BenchmarkRegion.h"
#include "bench/CHarnessMessageSink.h"
#include "bench/RunHarness.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

RunHarnessOptions Options() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / ("tolvar-bench-loop-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        // The trace file is written to the working directory.
        std::filesystem::current_path(path);
        return path;
    }();
    RunHarnessOptions options;
    options.connect = BenchmarkRegion::ConnectOrGenerate(25, 2000);
    options.out = folder.string();
    return options;
}

void Report(benchmark::State& state, const RunHarness::Result& result) {
    if (!result.Succeeded()) state.SkipWithError("the run did not succeed");
    state.counters["households"] = static_cast<double>(result.processed);
    state.counters["households_per_second"] = result.HouseholdsPerSecond();
}

void OneLoop(benchmark::State& state) {
    const RunHarnessOptions options = Options();
    for (auto _ : state) Report(state, RunHarness::RunSingleLoop(options));
}
BENCHMARK(OneLoop)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void TenLoops(benchmark::State& state) {
    const RunHarnessOptions options = Options();
    for (auto _ : state) Report(state, RunHarness::Run(options));
}
BENCHMARK(TenLoops)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    CHarnessMessageSink sink("tolvar-bench-household-loop");
    MessageSink::Install(&sink);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    MessageSink::Install(nullptr);
    return 0;
}
