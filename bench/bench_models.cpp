// Model evaluations as the household simulation makes them, on one household
// of a generated region: a 20-term regression predicted at stop level (terms
// evaluated through the stop's back-links, then a normal draw), a multinomial
// logit over five alternatives at stop level, location draws over 100 and
// 1,000 candidate zones with 8 terms and over 51 with 15 terms, a worker's
// work start-and-end draw with 40 terms, and the household activity choice
// sets of the sample model file's MDCEV models for 5 and 8 persons.

#include "bench/BenchmarkRegion.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "models/CLocationMM.h"
#include "models/CMNLogitMM.h"
#include "models/CMdcevMM.h"
#include "models/CRegressMM.h"
#include "models/CStartAndEndTimeMM.h"
#include "models/CVariableSet.h"
#include "modelsystem/CModelParameterFile.h"
#include "modelsystem/CModelSystem.h"
#include "platform/CDatabase.h"
#include "platform/CRecordset.h"
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
    CInputDataManager& Manager() { return m_manager; }
    CStop* Stop() { return m_stop; }

    // A household of `size` members: the row of the first household with the
    // persons rows of the region in id order, numbered 1 to size. Flag 0 (the
    // day includes work or school) is set for the employed.
    std::unique_ptr<CHouseholdObject> HouseholdOfSize(int size) {
        CRecordset row(&m_connection);
        row.Open("SELECT * FROM households WHERE hid = 1");
        auto household = std::make_unique<CHouseholdObject>(row, &m_manager);
        CRecordset persons(&m_connection);
        persons.Open("SELECT * FROM persons ORDER BY hid, pnum");
        for (int n = 1; n <= size && !persons.IsEOF(); ++n, persons.MoveNext()) {
            household->AddPerson(persons);
            CPersonObject* person = household->GetPersons().back().get();
            person->SetValue(0, 1.0);
            person->SetValue(1, n);
            person->SetFlag(0, person->GetValue2() == 1.0);
        }
        return household;
    }

    // The sample model file's model of that name and class.
    template <typename Model>
    Model& SampleModel(const std::string& name) {
        if (!m_sampleLoaded) {
            CModelParameterFile file;
            if (!file.LoadXml(TOLVAR_SAMPLE_MODEL_FILE, m_models))
                throw std::runtime_error("the sample model file did not load");
            m_sampleLoaded = true;
        }
        for (const auto& model : m_models.GetModels())
            if (model->m_name == name)
                if (auto* found = dynamic_cast<Model*>(model.get())) return *found;
        throw std::runtime_error("no model " + name);
    }

private:
    bool m_sampleLoaded = false;
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

// A stop location over 51 candidates with 15 terms.
void LocationDraw51Candidates15Terms(benchmark::State& state) {
    constexpr int kTerms = 15;
    constexpr int kCandidates = 51;
    StopWorld& world = World();
    auto* model = world.Models().CreateModel<CLocationMM>("Benchmark location, 15 terms");
    for (int k = 0; k < kTerms; ++k) model->m_terms.Add(20000 + k, 0.1 - 0.013 * k);
    std::vector<int> zones;
    CLocationMM::Matrix values(kTerms);
    for (int j = 0; j < kCandidates; ++j) {
        zones.push_back(j + 1);
        for (int k = 0; k < kTerms; ++k) values[k].push_back(0.5 + ((j * 7 + k * 13) % 17) / 4.0);
    }
    world.Models().ReseedStream(14);
    for (auto _ : state) benchmark::DoNotOptimize(model->Draw(zones, values));
}
BENCHMARK(LocationDraw51Candidates15Terms);

// A worker's work start and end time: the commute level of service of the
// four query times both ways, then 40 terms for each start and end pair. The
// terms cycle through the variables the model admits.
void WorkStartAndEndDraw40Terms(benchmark::State& state) {
    StopWorld& world = World();
    const std::vector<int>& admissible =
        world.SampleModel<CStartAndEndTimeMM>("Work-Start-End-Time").GetAdmissibleVariables();
    CStartAndEndTimeMM model(&world.Models(), "Benchmark start and end");
    for (int k = 0; k < 40; ++k)
        model.m_terms.Add(admissible[static_cast<size_t>(k) % admissible.size()], 0.001 * ((k % 7) - 3));
    std::unique_ptr<CHouseholdObject> household = world.HouseholdOfSize(1);
    CPersonObject* worker = household->GetPerson(1);
    worker->SetFlag(0, true);
    worker->CreatePattern();
    world.Manager().SetOriginZone(household->GetHomeZone());
    world.Models().ReseedStream(15);
    const long long statementsBefore = CRecordset::StatementsOnThisThread();
    for (auto _ : state) {
        double start = 0.0, end = 0.0;
        benchmark::DoNotOptimize(model.Draw(worker, start, end));
    }
    state.counters["queries_per_call"] =
        static_cast<double>(CRecordset::StatementsOnThisThread() - statementsBefore) /
        static_cast<double>(state.iterations());
}
BENCHMARK(WorkStartAndEndDraw40Terms)->Unit(benchmark::kMicrosecond);

// The household activity choice set with the sample file's terms: "MDCEV"
// enumerates every group of a 5-person household, "MDCEV2" builds the
// cumulative alternatives of an 8-person one.
void ChoiceSet(benchmark::State& state, const char* modelName, int persons, bool large) {
    StopWorld& world = World();
    const CMdcevMM& model = world.SampleModel<CMdcevMM>(modelName);
    std::unique_ptr<CHouseholdObject> household = world.HouseholdOfSize(persons);
    if (household->GetPersonCount() != persons) state.SkipWithError("the region has too few persons");
    world.Manager().SetOriginZone(household->GetHomeZone());
    for (auto _ : state) {
        auto set = large ? model.BuildChoiceSetLarge(household.get(), &world.Manager())
                         : model.BuildChoiceSet(household.get(), &world.Manager());
        benchmark::DoNotOptimize(set.data());
    }
}

void BuildChoiceSet5Persons(benchmark::State& state) { ChoiceSet(state, "MDCEV", 5, false); }
BENCHMARK(BuildChoiceSet5Persons)->Unit(benchmark::kMicrosecond);

void BuildChoiceSetLarge8Persons(benchmark::State& state) { ChoiceSet(state, "MDCEV2", 8, true); }
BENCHMARK(BuildChoiceSetLarge8Persons)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
