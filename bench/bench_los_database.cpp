// Level-of-service lookups that go to the database (the origin is not the
// cached one) on the benchmark region of 1,000 zones and 50,000 households,
// from one thread and from ten at once, each thread with its own connection as
// the worker threads have: one destination, 51 destinations, every
// destination sorted by travel time, and a person's full commute record. Then
// the 12 x 51 location-choice matrix from the origin cache and from the
// database, with the number of SQL statements each call sends.
//
// The region is the one TOLVAR_BENCH_CONNECT names (SQLite or PostgreSQL),
// else it is generated into a temporary SQLite file first (about 30 s):
//   tolvar-sample-region --zones 1000 --households 50000 --seed 1 --sqlite FILE
//   TOLVAR_BENCH_CONNECT="Driver=SQLite3;Database=FILE;" tolvar-bench-los-database

#include "bench/BenchmarkRegion.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "models/CLocationVariableMatrix.h"
#include "platform/CDatabase.h"
#include "platform/CRecordset.h"

#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kZones = 1000;
constexpr int kHouseholds = 50000;
constexpr int kAutoTime = 5;
constexpr int kCandidates = 51;

// One thread's connection and input-data manager, with the tables loaded and
// the first household of the thread's own page in hand. The "Database"
// benchmarks switch the thread's lookup memo off, so every lookup is a
// query; the "Memo" ones ask again and again from 16 origins, as the stops
// of a thread's households do from workplaces and popular zones.
class DatabaseWorld {
public:
    explicit DatabaseWorld(int thread) {
        m_connection.OpenEx(BenchmarkRegion::ConnectOrGenerate(kZones, kHouseholds));
        if (!m_manager.LoadTables(&m_connection)) throw std::runtime_error("the benchmark region did not load");
        m_manager.LoadHouseholdIdPage(static_cast<unsigned>(thread) * 5000u, 1);
        m_household = m_manager.LoadNextHousehold();
        m_manager.CloseHouseholdRecordset();
        if (m_household == nullptr || m_household->GetPersonCount() == 0)
            throw std::runtime_error("the benchmark region has no household with persons");
    }
    ~DatabaseWorld() { m_connection.Close(); }
    CInputDataManager& Manager() { return m_manager; }
    CHouseholdObject* Household() { return m_household; }

private:
    CDatabase m_connection;
    CInputDataManager m_manager;
    CHouseholdObject* m_household = nullptr;
};

DatabaseWorld& World(int thread) {
    static std::mutex mutex;
    static std::array<std::unique_ptr<DatabaseWorld>, 16> worlds;
    std::lock_guard<std::mutex> lock(mutex);
    auto& world = worlds.at(static_cast<size_t>(thread));
    if (!world) world = std::make_unique<DatabaseWorld>(thread);
    return *world;
}

// Origins walk through the zones, a different start per thread; the manager
// holds no cache, so every lookup is a query.
int Origin(int thread, long long step) { return static_cast<int>((thread * 97 + step * 13) % kZones) + 1; }

std::vector<int> Destinations(int origin, int count) {
    std::vector<int> destinations;
    for (int j = 0; j < count; ++j) destinations.push_back((origin + j * 19) % kZones + 1);
    return destinations;
}

// Origins repeating within a set of 16.
int RepeatedOrigin(int thread, long long step) { return Origin(thread, step % 16); }

void Lookups(benchmark::State& state, int destinationCount, bool memo = false) {
    CInputDataManager& manager = World(state.thread_index()).Manager();
    manager.ClearLOSCaches();
    manager.SetLookupMemo(memo);
    std::vector<double> values;
    long long step = 0;
    for (auto _ : state) {
        const int origin = memo ? RepeatedOrigin(state.thread_index(), step++) : Origin(state.thread_index(), step++);
        manager.GetLOS(values, kAutoTime, 480.0, origin, Destinations(origin, destinationCount));
        benchmark::DoNotOptimize(values.data());
    }
    state.SetItemsProcessed(state.iterations());
}

void DatabaseOneDestination(benchmark::State& state) { Lookups(state, 1); }
BENCHMARK(DatabaseOneDestination)->Threads(1)->Threads(10)->UseRealTime()->Unit(benchmark::kMicrosecond);

void Database51Destinations(benchmark::State& state) { Lookups(state, kCandidates); }
BENCHMARK(Database51Destinations)->Threads(1)->Threads(10)->UseRealTime()->Unit(benchmark::kMicrosecond);

void AllDestinationsSorted(benchmark::State& state, bool memo) {
    CInputDataManager& manager = World(state.thread_index()).Manager();
    manager.ClearLOSCaches();
    manager.SetLookupMemo(memo);
    std::vector<int> destinations;
    std::vector<double> values;
    long long step = 0;
    for (auto _ : state) {
        const int origin = memo ? RepeatedOrigin(state.thread_index(), step++) : Origin(state.thread_index(), step++);
        manager.GetLOSAllDestinations(destinations, values, kAutoTime, 720.0, origin);
        benchmark::DoNotOptimize(values.data());
    }
    state.SetItemsProcessed(state.iterations());
}

void DatabaseAllDestinationsSorted(benchmark::State& state) { AllDestinationsSorted(state, false); }
BENCHMARK(DatabaseAllDestinationsSorted)->Threads(1)->Threads(10)->UseRealTime()->Unit(benchmark::kMicrosecond);

void MemoOneDestination(benchmark::State& state) { Lookups(state, 1, true); }
BENCHMARK(MemoOneDestination)->Threads(1)->Threads(10)->UseRealTime()->Unit(benchmark::kMicrosecond);

void Memo51Destinations(benchmark::State& state) { Lookups(state, kCandidates, true); }
BENCHMARK(Memo51Destinations)->Threads(1)->Threads(10)->UseRealTime()->Unit(benchmark::kMicrosecond);

void MemoAllDestinationsSorted(benchmark::State& state) { AllDestinationsSorted(state, true); }
BENCHMARK(MemoAllDestinationsSorted)->Threads(1)->Threads(10)->UseRealTime()->Unit(benchmark::kMicrosecond);

// Both directions of a commute and the distance back home: three queries.
void DatabaseFullRecord(benchmark::State& state) {
    DatabaseWorld& world = World(state.thread_index());
    CInputDataManager& manager = world.Manager();
    manager.ClearLOSCaches();
    manager.SetLookupMemo(false);
    CPersonObject* person = world.Household()->GetPerson(1);
    long long step = 0;
    for (auto _ : state) {
        const int home = Origin(state.thread_index(), step++);
        manager.GetLOSRecord(person, home, home % kZones + 1, 480.0, 1020.0);
        benchmark::DoNotOptimize(person->GetCommuteRecord());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(DatabaseFullRecord)->Threads(1)->Threads(10)->UseRealTime()->Unit(benchmark::kMicrosecond);

// Twelve variables of a stop location choice over 51 candidate zones: the
// constant, two zone attributes, and nine level-of-service and zone-to-zone
// variables from the traveller's zone and the tour's ultimate destination.
const std::vector<int> kMatrixVariables = {30000, 20002, 20008, 30165, 30166, 30167,
                                           30169, 30172, 30322, 30342, 30343, 30354};

void LocationMatrix(benchmark::State& state, bool cached, bool memo) {
    DatabaseWorld& world = World(0);
    CInputDataManager& manager = world.Manager();
    manager.SetLookupMemo(memo);
    CHouseholdObject* household = world.Household();
    // The traveller is at home, which is also the tour's ultimate destination:
    // the cache holds the home zone, or another zone.
    const int origin = household->GetHomeZone();
    manager.SetOriginZone(cached ? origin : origin % kZones + 1);
    const std::vector<int> candidates = Destinations(origin, kCandidates);
    CLocationVariableMatrix::Matrix matrix;
    const long long statementsBefore = CRecordset::StatementsOnThisThread();
    for (auto _ : state) {
        CLocationVariableMatrix::ComputeLocationVariables(&manager, household, household->GetPerson(1), origin,
                                                          candidates, kMatrixVariables, matrix, nullptr);
        benchmark::DoNotOptimize(matrix.data());
    }
    state.counters["queries_per_call"] =
        static_cast<double>(CRecordset::StatementsOnThisThread() - statementsBefore) /
        static_cast<double>(state.iterations());
}

void LocationMatrixFromCache(benchmark::State& state) { LocationMatrix(state, true, false); }
BENCHMARK(LocationMatrixFromCache)->Unit(benchmark::kMicrosecond);

void LocationMatrixFromDatabase(benchmark::State& state) { LocationMatrix(state, false, false); }
BENCHMARK(LocationMatrixFromDatabase)->Unit(benchmark::kMicrosecond);

// The same origin again and again: after the first call from the thread's memo.
void LocationMatrixFromMemo(benchmark::State& state) { LocationMatrix(state, false, true); }
BENCHMARK(LocationMatrixFromMemo)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
