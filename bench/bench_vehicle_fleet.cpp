// The vehicle steps of the per-household driver on the sample region (25
// zones, 200 households, seed 1; or every household of the database
// TOLVAR_BENCH_CONNECT names) with the bundled sample model file (or the file
// TOLVAR_BENCH_MODEL names): time per household of the fleet step (all
// its attempts) and of the make and primary-driver step. Before the
// benchmarks the program prints how many attempts the households needed and
// the fleet sizes they got, households without a driver candidate apart.

#include "bench/BenchmarkRegion.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "data/CRecordLine.h"
#include "models/CRegressMM.h"
#include "modelsystem/CModelParameterFile.h"
#include "modelsystem/CModelSystem.h"
#include "platform/CDatabase.h"
#include "vehicles/CHouseholdVehicles.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>

namespace {

constexpr int kZones = 25;
constexpr int kHouseholds = 200;

std::string ModelFile() {
    if (const char* path = std::getenv("TOLVAR_BENCH_MODEL"); path && *path) return path;
    return TOLVAR_SAMPLE_MODEL_FILE;
}

// One worker thread's data and models, paging through the region's households.
class FleetWorld {
public:
    FleetWorld() {
        m_connection.OpenEx(BenchmarkRegion::ConnectOrGenerate(kZones, kHouseholds));
        if (!m_manager.LoadTables(&m_connection)) throw std::runtime_error("the region did not load");
        m_models.SetDataManager(&m_manager);
        m_models.m_pDatabase = &m_connection;
        CModelParameterFile file;
        if (!file.LoadXml(ModelFile(), m_models)) throw std::runtime_error("the model file did not load");
    }
    ~FleetWorld() {
        m_manager.CloseHouseholdRecordset();
        m_connection.Close();
    }

    // The next household with its annual mileage as the driver sets it
    // (reseed hid + 10, exp of the prediction, at most 64.0); null at the end.
    CHouseholdObject* Next() {
        if (!m_paged) {
            m_manager.LoadHouseholdIdPage(0, static_cast<unsigned>(m_manager.CountHouseholds()));
            m_paged = true;
        }
        CHouseholdObject* household = m_manager.LoadNextHousehold();
        if (!household) {
            m_paged = false;
            return nullptr;
        }
        m_models.m_pHouseholdObject = household;
        m_models.ReseedStream(CRecordLine::OutputHouseholdId(household->GetValue(0)) + 10u);
        household->m_dAnnualMileage = std::min(std::exp(m_models.m_pHouseholdAnnualMileage->Predict(household)), 64.0);
        return household;
    }
    // The next household, starting over after the last.
    CHouseholdObject* NextCycling() {
        CHouseholdObject* household = Next();
        return household ? household : Next();
    }

    CInputDataManager& Manager() { return m_manager; }
    CModelSystem& Models() { return m_models; }

private:
    CDatabase m_connection;
    CInputDataManager m_manager;
    CModelSystem m_models;
    bool m_paged = false;
};

FleetWorld& World() {
    static FleetWorld world;
    return world;
}

bool HasDriverCandidate(const CHouseholdObject& household) {
    return std::any_of(household.GetPersons().begin(), household.GetPersons().end(),
                       [](const auto& p) { return p->GetValues().size() > 4 && p->GetValue(4) != 0.0; });
}

void PrintDistribution() {
    FleetWorld& world = World();
    std::map<int, int> attempts, attemptsWithoutCandidate, sizes;
    int households = 0, withinTen = 0, withCandidate = 0;
    while (CHouseholdObject* household = world.Next()) {
        ++households;
        const int n = CHouseholdVehicles::ForThisThread().SimulateFleet(*household, &world.Manager(), world.Models());
        ++sizes[static_cast<int>(household->m_vehicles.size())];
        if (!HasDriverCandidate(*household)) {
            ++attemptsWithoutCandidate[n];
            continue;
        }
        ++withCandidate;
        ++attempts[n];
        if (n <= 10) ++withinTen;
    }
    std::printf("households %d, with a driver candidate %d, of which within 10 attempts %d (%.1f %%)\n", households,
                withCandidate, withinTen, withCandidate ? 100.0 * withinTen / withCandidate : 0.0);
    std::printf("attempts (households with a driver candidate):");
    for (const auto& [n, count] : attempts) std::printf(" %d:%d", n, count);
    std::printf("\nattempts (households without a driver candidate):");
    for (const auto& [n, count] : attemptsWithoutCandidate) std::printf(" %d:%d", n, count);
    std::printf("\nfleet sizes:");
    for (const auto& [n, count] : sizes) std::printf(" %d:%d", n, count);
    std::printf("\n");
}

void FleetStep(benchmark::State& state) {
    FleetWorld& world = World();
    CHouseholdVehicles& vehicles = CHouseholdVehicles::ForThisThread();
    for (auto _ : state) {
        CHouseholdObject* household = world.NextCycling();
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(vehicles.SimulateFleet(*household, &world.Manager(), world.Models()));
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(FleetStep)->UseManualTime()->Unit(benchmark::kMicrosecond);

void MakeAndDriverStep(benchmark::State& state) {
    FleetWorld& world = World();
    CHouseholdVehicles& vehicles = CHouseholdVehicles::ForThisThread();
    for (auto _ : state) {
        CHouseholdObject* household = world.NextCycling();
        vehicles.SimulateFleet(*household, &world.Manager(), world.Models());
        const auto start = std::chrono::steady_clock::now();
        vehicles.AssignMakesAndDrivers(*household, &world.Manager(), world.Models());
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(MakeAndDriverStep)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    PrintDistribution();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
