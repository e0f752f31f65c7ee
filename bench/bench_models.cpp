// Model evaluations as the household simulation makes them, on one household
// of a generated region: a 20-term regression predicted at stop level (terms
// evaluated through the stop's back-links, then a normal draw), a multinomial
// logit over five alternatives at stop level, and a location draw over 100
// candidate zones.

#include "bench/BenchmarkRegion.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "models/CLocationMM.h"
#include "models/CMNLogitMM.h"
#include "models/CRegressMM.h"
#include "models/CVariableSet.h"
#include "modelsystem/CModelSystem.h"
#include "platform/CDatabase.h"
#include "schedules/CNWPattern.h"
#include "schedules/CNWorkerTour.h"
#include "schedules/CStop.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// One household of the region with a non-worker pattern of one tour of one
// stop for its first member, as the simulation would have it at a stop-level
// decision.
class StopWorld {
public:
    StopWorld() {
        m_connection.OpenEx(BenchmarkRegion::Get(25, 200).Connect());
        if (!m_manager.LoadTables(&m_connection)) throw std::runtime_error("the benchmark region did not load");
        m_models.SetDataManager(&m_manager);
        m_models.m_pDatabase = &m_connection;
        m_manager.LoadHouseholdIdPage(0, 1);
        m_household = m_manager.LoadNextHousehold();
        if (!m_household) throw std::runtime_error("the benchmark region has no household");
        m_models.m_pHouseholdObject = m_household;
        m_manager.SetOriginZone(m_household->GetHomeZone());
        CPersonObject* person = m_household->GetPerson(1);
        person->SetFlag(0, false);
        person->CreatePattern();
        auto* pattern = dynamic_cast<CNWPattern*>(person->GetPattern());
        auto tour = std::make_unique<CNWorkerTour>(&m_manager, pattern);
        tour->SetStopCount(1);
        tour->CreateStops();
        pattern->AddTour(std::move(tour));
        m_stop = pattern->GetNthTour(1)->GetStopByNumber(1);
    }
    ~StopWorld() { m_connection.Close(); }

    CModelSystem& Models() { return m_models; }
    CStop* Stop() { return m_stop; }

private:
    CDatabase m_connection;
    CInputDataManager m_manager;
    CModelSystem m_models;
    CHouseholdObject* m_household = nullptr;
    CStop* m_stop = nullptr;
};

StopWorld& World() {
    static StopWorld world;
    return world;
}

// Twenty terms across the sources a stop-level model reads: household
// columns, person columns, home-zone and activity-zone attributes, and the
// constant.
void AddTwentyTerms(CVariableSet& terms) {
    const int ids[20] = {30000, 1, 2, 4, 6, 7, 10002, 10003, 10007, 10008,
                         10010, 20002, 20003, 20008, 20009, 20010, 40002, 40003, 40008, 40010};
    for (int i = 0; i < 20; ++i) terms.Add(ids[i], 0.01 * (i + 1));
}

void RegressionAtStop(benchmark::State& state) {
    StopWorld& world = World();
    auto* model = world.Models().CreateModel<CRegressMM>("Benchmark regression");
    AddTwentyTerms(model->m_terms);
    model->SetVariance(2.0);
    world.Models().ReseedStream(11);
    for (auto _ : state) benchmark::DoNotOptimize(model->Predict(world.Stop()));
}
BENCHMARK(RegressionAtStop);

void MultinomialLogitAtStop(benchmark::State& state) {
    static const std::map<int, std::string> alternatives = {
        {0, "Shopping"}, {1, "Social or recreational"}, {2, "Other activity"}, {3, "Eat out activity"},
        {4, "Serving others"}};
    StopWorld& world = World();
    auto* model = world.Models().CreateModel<CMNLogitMM>("Benchmark logit", &alternatives);
    const int ids[6] = {30000, 1, 10008, 20003, 40002, 6};
    for (int alternative = 1; alternative < 5; ++alternative) {
        CVariableSet terms;
        for (int k = 0; k < 6; ++k) terms.Add(ids[k], 0.05 * alternative - 0.01 * k);
        model->m_utilityFunctions[alternative] = terms;
    }
    world.Models().ReseedStream(12);
    for (auto _ : state) {
        model->ComputeValues(world.Stop());
        model->SetUnavailable({});
        benchmark::DoNotOptimize(model->Draw());
    }
}
BENCHMARK(MultinomialLogitAtStop);

void LocationDraw(benchmark::State& state) {
    const int candidates = static_cast<int>(state.range(0));
    StopWorld& world = World();
    auto* model = world.Models().CreateModel<CLocationMM>("Benchmark location");
    for (int k = 0; k < 8; ++k) model->m_terms.Add(20000 + k, 0.1 - 0.03 * k);
    std::vector<int> zones;
    CLocationMM::Matrix values(8);
    for (int j = 0; j < candidates; ++j) {
        zones.push_back(j + 1);
        for (int k = 0; k < 8; ++k) values[k].push_back(0.5 + ((j * 7 + k * 13) % 17) / 4.0);
    }
    world.Models().ReseedStream(13);
    for (auto _ : state) benchmark::DoNotOptimize(model->Draw(zones, values));
}
BENCHMARK(LocationDraw)->Arg(100)->Arg(1000);

}  // namespace

BENCHMARK_MAIN();
