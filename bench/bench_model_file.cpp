// Models > Load: reading a model-parameter file into the ten model systems of
// a run. The file is the one TOLVAR_BENCH_MODEL names, or else the bundled
// sample model-parameter file.

#include "modelsystem/CModelParameterFile.h"
#include "modelsystem/CModelSystem.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::string ModelFile() {
    if (const char* path = std::getenv("TOLVAR_BENCH_MODEL"); path && *path) return path;
    return TOLVAR_SAMPLE_MODEL_FILE;
}

void LoadIntoTenModelSystems(benchmark::State& state) {
    const std::string path = ModelFile();
    std::vector<std::unique_ptr<CModelSystem>> owned;
    std::vector<CModelSystem*> systems;
    for (int i = 0; i < 10; ++i) {
        owned.push_back(std::make_unique<CModelSystem>());
        systems.push_back(owned.back().get());
    }
    for (auto _ : state) {
        CModelParameterFile file;
        if (!file.LoadXml(path, systems)) state.SkipWithError("the model file did not load");
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
}
BENCHMARK(LoadIntoTenModelSystems)->Unit(benchmark::kMillisecond);

void BuildModelSystem(benchmark::State& state) {
    for (auto _ : state) {
        CModelSystem models;
        benchmark::DoNotOptimize(models.GetModels().size());
    }
}
BENCHMARK(BuildModelSystem)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
