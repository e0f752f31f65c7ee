// The per-household driver on hand-built households: each decision restarts
// the thread's stream from the key of its rule (household id, low 32 bits,
// plus the decision's offset, by 1-based person position), whatever the
// thread; the zero-non-work gate ends the driver before the serve-passenger
// decisions.

#include "LoopTestRegion.h"
#include "household/HouseholdRows.h"
#include "support/TestDatabase.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "household/CoupleNoChildrenHH.h"
#include "household/COutputFileSet.h"
#include "data/CRecordLine.h"
#include "models/CRandomStreams.h"
#include "models/CRegressMM.h"
#include "modelsystem/CModelSystem.h"
#include "schedules/CWPattern.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

using HouseholdRows::Person;

// Household ids above 2^32: only the low 32 bits enter a key.
constexpr double kHigh = 4294967296.0;

// The first uniform of a thread's stream after reseeding with key.
double FirstUniform(int thread, std::uint32_t key) {
    CRandomStreams::ReseedStream(thread, key);
    return CRandomStreams::DrawUniform(thread);
}

// A binary logit without terms says yes when its uniform is below 0.5.
bool EmptyLogitSaysYes(int thread, std::uint32_t key) { return FirstUniform(thread, key) < 0.5; }

// The first base at or after `from` for which the yes/no answers of the
// given offsets are not all equal, so that a wrong key shows.
std::uint32_t MixedBase(std::uint32_t from, const std::vector<std::uint32_t>& offsets) {
    for (std::uint32_t base = from;; ++base) {
        int yes = 0;
        for (const std::uint32_t offset : offsets) yes += EmptyLogitSaysYes(0, base + offset) ? 1 : 0;
        if (yes != 0 && yes != static_cast<int>(offsets.size())) return base;
    }
}

class HouseholdDriver : public ::testing::TestWithParam<std::string> {};

TEST_P(HouseholdDriver, WorkAndSchoolDecisionsUseTheKeyOfThePersonsPosition) {
    const std::uint32_t base = MixedBase(1000, {1, 2, 3, 4});
    const double id = kHigh + base;
    std::vector<std::vector<bool>> flagsByThread;
    for (const int thread : {2, 8}) {
        auto db = TestDatabase::Create(GetParam());
        // Rows come in another order than their numbers; the loader sorts them.
        auto household = HouseholdRows::Load(*db, {id, 1, 0, 500, 0, 9, 0, 0, 0, 6},
                                             {Person(id, 4, 0, 50, 0), Person(id, 2, 0, 22, 0),
                                              Person(id, 6, 0, 7, 0), Person(id, 1, 0, 40, 0),
                                              Person(id, 5, 0, 60, 0), Person(id, 3, 0, 9, 0)});
        ASSERT_TRUE(household->SortPersonsByNumber());
        household->GetPerson(1)->SetValue(2, 1.0);  // employed
        household->GetPerson(2)->SetValue(3, 1.0);  // an adult student
        household->GetPerson(3)->SetValue(3, 1.0);  // an enrolled child
        household->GetPerson(4)->SetValue(2, 1.9);  // employed: the integer part is 1
        household->GetPerson(5)->SetFlag(2, true);  // not employed: loses the work-related flag

        CModelSystem models;
        models.m_nThreadIndex = thread;
        CoupleNoChildrenHH simulator(&models);
        simulator.SetHousehold(household.get());
        simulator.SimulateWorkAndSchoolParticipation();
        EXPECT_EQ(simulator.GetCurrentPerson(), nullptr);

        const bool works1 = EmptyLogitSaysYes(thread, base + 1);
        const bool studies2 = EmptyLogitSaysYes(thread, base + 2);
        const bool counted3 = EmptyLogitSaysYes(thread, base + 3);
        const bool works4 = EmptyLogitSaysYes(thread, base + 4);
        std::vector<bool> flags;
        for (int k = 1; k <= 6; ++k)
            for (const int f : {0, 1}) flags.push_back(household->GetPerson(k)->GetFlag(f));
        EXPECT_EQ(flags, (std::vector<bool>{works1, false, studies2, studies2, true, true, works4, false, false, false,
                                            false, false}));
        EXPECT_FALSE(household->GetPerson(5)->GetFlag(2));
        EXPECT_EQ(household->GetWorkOrSchoolAdultCount(), works1 + studies2 + works4);
        EXPECT_EQ(household->GetSchoolGoingMemberCount(), studies2 + counted3);
        for (int k = 1; k <= 6; ++k) {
            const CPersonObject& person = *household->GetPerson(k);
            EXPECT_EQ(dynamic_cast<CWPattern*>(person.GetPattern()) != nullptr, person.GetFlag(0) || person.GetFlag(1));
        }
        flagsByThread.push_back(flags);
    }
    EXPECT_EQ(flagsByThread[0], flagsByThread[1]);
}

// Runs the whole driver on a household of two adults and a child (none
// works or studies) whose column 9 says `column9` persons; flag 7 starts set.
struct DriverRun {
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<CHouseholdObject> household;
};
DriverRun RunDriver(const std::string& kind, std::uint32_t base, double column9, int thread, CModelSystem& models) {
    DriverRun run{TestDatabase::Create(kind), nullptr};
    const double id = kHigh + base;
    run.household = HouseholdRows::Load(*run.db, {id, 1, 0, 500, 0, 9, 0, 0, 0, column9},
                                        {Person(id, 1, 0, 40, 0), Person(id, 2, 0, 10, 0), Person(id, 3, 0, 38, 0)});
    for (int k = 1; k <= 3; ++k) run.household->GetPerson(k)->SetFlag(7, true);
    models.m_nThreadIndex = thread;
    CoupleNoChildrenHH simulator(&models);
    simulator.SetHousehold(run.household.get());
    COutputFileSet streams;
    simulator.SimulateHousehold(streams);
    EXPECT_EQ(simulator.GetCurrentPerson(), nullptr);
    return run;
}

TEST_P(HouseholdDriver, TheZeroNonWorkGateEndsTheDriverBeforeTheServePassengerDecisions) {
    const int thread = 5;
    // One household that passes the gate (key + 100 says no) and one that stops there.
    std::uint32_t passes = MixedBase(5000, {100, 103});
    while (EmptyLogitSaysYes(0, passes + 100)) passes = MixedBase(passes + 1, {100, 103});
    std::uint32_t stops = 7000;
    while (!EmptyLogitSaysYes(0, stops + 100)) ++stops;

    CModelSystem models;
    // Mileage: e^(V + z) with V = 10 is far above the 64 it is held to.
    models.m_pHouseholdAnnualMileage->m_terms.Add(30000, 10.0);
    ASSERT_TRUE(models.m_pHouseholdAnnualMileage->SetVariance(1.0));

    // Column 9 says five persons: only the three held are asked.
    DriverRun open = RunDriver(GetParam(), passes, 5.0, thread, models);
    EXPECT_EQ(open.household->m_dAnnualMileage, 64.0);
    EXPECT_EQ(open.household->GetPerson(1)->GetFlag(7), EmptyLogitSaysYes(thread, passes + 100));
    EXPECT_TRUE(open.household->GetPerson(2)->GetFlag(7));  // a child keeps its flag
    EXPECT_EQ(open.household->GetPerson(3)->GetFlag(7), EmptyLogitSaysYes(thread, passes + 106));
    for (int k = 1; k <= 3; ++k) EXPECT_NE(open.household->GetPerson(k)->GetPattern(), nullptr);

    DriverRun closed = RunDriver(GetParam(), stops, 3.0, thread, models);
    DriverRun large = RunDriver(GetParam(), passes, 6.0, thread, models);  // six or more: no decision
    for (int k = 1; k <= 3; ++k) {
        EXPECT_TRUE(closed.household->GetPerson(k)->GetFlag(7));
        EXPECT_TRUE(large.household->GetPerson(k)->GetFlag(7));
        EXPECT_NE(closed.household->GetPerson(k)->GetPattern(), nullptr);
    }

    // The mileage of a model without terms: e^z of the household's key + 10.
    CModelSystem plain;
    ASSERT_TRUE(plain.m_pHouseholdAnnualMileage->SetVariance(1.0));
    DriverRun mileage = RunDriver(GetParam(), passes, 3.0, thread, plain);
    CRandomStreams::ReseedStream(thread, passes + 10);
    EXPECT_EQ(mileage.household->m_dAnnualMileage, std::min(64.0, std::exp(CRandomStreams::DrawStandardNormal(thread))));
}

TEST_P(HouseholdDriver, WorkAndSchoolTimesAndModesKeepTheirBoundsOnAGeneratedRegion) {
    LoopTestRegion region(GetParam(), 25, 150);
    SingleLoop loop(region.Connect(), 3);
    ASSERT_TRUE(loop.models.LoadXml(LoopFiles::SampleModelFile()));
    int workers = 0, pupils = 0;
    loop.SimulateEach(150, false, [&](CHouseholdObject& household) {
        int goingAdults = 0;
        for (const auto& person : household.GetPersons()) {
            ASSERT_NE(person->GetPattern(), nullptr);
            if (person->IsChild()) {
                EXPECT_EQ(person->GetFlag(0), person->GetValue(3) == 1.0);
            }
            if (!person->IsChild() && person->GetFlag(0)) ++goingAdults;
            const auto* pattern = dynamic_cast<const CWPattern*>(person->GetPattern());
            if (pattern == nullptr) continue;
            const double start = pattern->GetWorkStart();
            const double duration = pattern->GetWorkDuration();
            EXPECT_EQ(start, std::floor(start));
            EXPECT_EQ(duration, std::floor(duration));
            if (CRecordLine::TruncateToInt(person->GetValue(2)) == 1 && person->GetFlag(0)) {
                ++workers;
                EXPECT_TRUE(start >= 180 && start <= 720 && duration >= 195 && duration <= 721) << start << " " << duration;
                EXPECT_TRUE(start + duration >= 600 && start + duration <= 1200);
            } else if (person->IsChild()) {
                ++pupils;
                EXPECT_TRUE(start >= 245 && start <= 365 && duration >= 255 && duration <= 560) << start << " " << duration;
                double distance = 0.0;
                loop.manager.GetZone2Zone(distance, 3, household.GetHomeZone(),
                                          std::max(person->GetValue6(), person->GetValue52()));
                // A parent drives the child only when some parent is the
                // primary driver of one of the household's vehicles.
                bool parentDrives = household.GetValue(2) >= 1.0;
                parentDrives = parentDrives && std::any_of(household.GetPersons().begin(),
                                                           household.GetPersons().end(), [](const auto& p) {
                                                               return p->IsValue9One() && p->m_nVehicle > -1;
                                                           });
                for (const int mode : {pattern->GetWorkToHomeTourMode(), pattern->GetHomeToWorkTourMode()}) {
                    EXPECT_TRUE(mode == 2 || mode == 5 || mode == 6 || (mode == 4 && parentDrives)) << mode;
                    if (distance > 10.0) {
                        EXPECT_NE(mode, 2);
                    }
                }
            } else {
                EXPECT_TRUE(start >= 220 && start <= 905 && duration >= 94 && duration <= 570) << start << " " << duration;
            }
        }
        EXPECT_EQ(household.GetWorkOrSchoolAdultCount(), goingAdults);
    });
    EXPECT_GT(workers, 0);
    EXPECT_GT(pupils, 0);
}

INSTANTIATE_TEST_SUITE_P(Db, HouseholdDriver, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
