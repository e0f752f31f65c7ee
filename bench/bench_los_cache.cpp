// Level-of-service lookups of a household's home zone: filling the origin
// cache when the home zone changes, and the lookups the simulation answers
// from the cache (one destination, ten destinations, every destination sorted
// by travel time, zone-to-zone distance), also from one thread and from as
// many threads as the machine has cores at once (each with its own
// connection, as the worker threads have).

#include "bench/BenchmarkRegion.h"

#include "data/CInputDataManager.h"
#include "platform/CDatabase.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

constexpr int kZones = 400;
constexpr int kAutoTime = 5;
constexpr int kDistance = 3;

class LOSWorld {
public:
    LOSWorld() {
        m_connection.OpenEx(BenchmarkRegion::Get(kZones, 100).Connect());
        if (!m_manager.LoadTables(&m_connection)) throw std::runtime_error("the benchmark region did not load");
    }
    ~LOSWorld() { m_connection.Close(); }
    CInputDataManager& Manager() { return m_manager; }

private:
    CDatabase m_connection;
    CInputDataManager m_manager;
};

LOSWorld& World() {
    static LOSWorld world;
    return world;
}

void FillOriginCache(benchmark::State& state) {
    CInputDataManager& manager = World().Manager();
    int zone = 1;
    for (auto _ : state) {
        manager.SetOriginZone(zone);
        zone = zone % kZones + 1;
    }
}
BENCHMARK(FillOriginCache)->Unit(benchmark::kMicrosecond);

void CachedLookupOneDestination(benchmark::State& state) {
    CInputDataManager& manager = World().Manager();
    manager.SetOriginZone(17);
    std::vector<double> values;
    std::vector<int> destination(1);
    int d = 1;
    for (auto _ : state) {
        destination[0] = d;
        manager.GetLOS(values, kAutoTime, 480.0, 17, destination);
        benchmark::DoNotOptimize(values.data());
        d = d % kZones + 1;
    }
}
BENCHMARK(CachedLookupOneDestination);

void CachedLookupTenDestinations(benchmark::State& state) {
    CInputDataManager& manager = World().Manager();
    manager.SetOriginZone(17);
    std::vector<double> values;
    std::vector<int> destinations;
    for (int j = 0; j < 10; ++j) destinations.push_back(1 + j * 37 % kZones);
    for (auto _ : state) {
        manager.GetLOS(values, kAutoTime, 1000.0, 17, destinations);
        benchmark::DoNotOptimize(values.data());
    }
}
BENCHMARK(CachedLookupTenDestinations);

void CachedAllDestinationsByTime(benchmark::State& state) {
    CInputDataManager& manager = World().Manager();
    manager.SetOriginZone(17);
    std::vector<int> destinations;
    std::vector<double> values;
    for (auto _ : state) {
        manager.GetLOSAllDestinations(destinations, values, kAutoTime, 720.0, 17);
        benchmark::DoNotOptimize(values.data());
    }
}
BENCHMARK(CachedAllDestinationsByTime)->Unit(benchmark::kMicrosecond);

void CachedZoneToZone(benchmark::State& state) {
    CInputDataManager& manager = World().Manager();
    manager.SetOriginZone(17);
    std::vector<double> values;
    std::vector<int> destinations{3, 90, 211};
    for (auto _ : state) {
        manager.GetZone2ZoneForDestinations(values, kDistance, 17, destinations);
        benchmark::DoNotOptimize(values.data());
    }
}
BENCHMARK(CachedZoneToZone);

void UncachedLookupFromDatabase(benchmark::State& state) {
    CInputDataManager& manager = World().Manager();
    manager.SetOriginZone(17);
    std::vector<double> values;
    std::vector<int> destination{5};
    for (auto _ : state) {
        // Origin 18 is not the cached one: the lookup goes to the database.
        manager.GetLOS(values, kAutoTime, 480.0, 18, destination);
        benchmark::DoNotOptimize(values.data());
    }
}
BENCHMARK(UncachedLookupFromDatabase)->Unit(benchmark::kMicrosecond);

// One world per benchmark thread, made on first use and kept for the program.
LOSWorld& ThreadWorld(int thread) {
    static std::mutex mutex;
    static std::array<std::unique_ptr<LOSWorld>, 64> worlds;
    std::lock_guard<std::mutex> lock(mutex);
    auto& world = worlds.at(static_cast<size_t>(thread));
    if (!world) world = std::make_unique<LOSWorld>();
    return *world;
}

// Processor time per lookup, summed over the threads: with the section timing
// kept per thread it stays near the one-thread figure.
void CachedLookupAcrossThreads(benchmark::State& state) {
    CInputDataManager& manager = ThreadWorld(state.thread_index()).Manager();
    manager.SetOriginZone(17);
    std::vector<double> values;
    std::vector<int> destination(1);
    int d = 1 + state.thread_index();
    for (auto _ : state) {
        destination[0] = d;
        manager.GetLOS(values, kAutoTime, 480.0, 17, destination);
        benchmark::DoNotOptimize(values.data());
        d = d % kZones + 1;
    }
}
BENCHMARK(CachedLookupAcrossThreads)
    ->Threads(1)
    ->Threads(static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));

}  // namespace

BENCHMARK_MAIN();
