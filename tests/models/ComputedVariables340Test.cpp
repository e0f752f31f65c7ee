// The computed variables from index 340 as a whole: the set of defined IDs,
// and an evaluation of every one of them at every level of a varied household
// (and with nothing in hand) without a failure or a value that is not finite.

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "data/CCommuteLOSRecord.h"
#include "platform/CDatabase.h"
#include "tools/SampleRegionGenerator.h"
#include "Variables340Fixtures.h"

using namespace Variables340Fixtures;

namespace {

void Insert(std::set<int>& ids, int first, int last) {
    for (int id = first; id <= last; ++id) ids.insert(id);
}

// The IDs with a definition from index 340, as the variable tables list them.
std::set<int> ExpectedIds() {
    std::set<int> ids;
    // Household composition and income.
    for (int id : {30356, 30357, 30501, 30504, 30505, 30506, 30507, 30510, 30511, 30516, 30914, 30631, 30632,
                   30640, 30698, 30699})
        ids.insert(id);
    Insert(ids, 30611, 30616);
    Insert(ids, 30907, 30911);
    // The person.
    for (int id : {30502, 30503, 30512, 30513, 30517, 30621, 30530, 30531, 30533}) ids.insert(id);
    // Activity participation and single-activity durations.
    Insert(ids, 30520, 30529);
    Insert(ids, 30560, 30567);
    // Joint activities.
    Insert(ids, 30539, 30545);
    Insert(ids, 30548, 30559);
    // Parents' and children's work and school times.
    Insert(ids, 30670, 30676);
    ids.insert(30912);
    ids.insert(30913);
    // Commute level-of-service record.
    for (int id : {30340, 30341}) ids.insert(id);
    Insert(ids, 30574, 30576);
    Insert(ids, 30901, 30906);
    Insert(ids, 30916, 30920);
    // Work or school pattern.
    for (int id : {30571, 30572, 30591, 30592, 30623, 30697}) ids.insert(id);
    Insert(ids, 30596, 30598);
    Insert(ids, 30680, 30683);
    Insert(ids, 30690, 30692);
    // Tours and stops.
    ids.insert(30655);
    Insert(ids, 30684, 30689);
    Insert(ids, 30693, 30696);
    // Escort and joint availability, zones, time to the joint activity.
    for (int id : {30730, 30731, 30650, 30660, 30700, 30359}) ids.insert(id);
    return ids;
}

TEST(ComputedVariables340, DefinedIdsAreExactlyTheListedOnes) {
    std::set<int> defined;
    for (const ComputedVariableDefinition& row : AllRows340()) {
        EXPECT_NE(row.compute, nullptr) << row.index;
        EXPECT_TRUE(defined.insert(row.index + 30000).second) << "defined twice: " << row.index + 30000;
    }
    const std::set<int> expected = ExpectedIds();
    for (int id : expected) EXPECT_TRUE(defined.count(id)) << "missing " << id;
    for (int id : defined) EXPECT_TRUE(expected.count(id)) << "not listed " << id;
    EXPECT_EQ(defined.size(), 131u);
}

TEST(ComputedVariables340, VariablesComputedElsewhereHaveNoRowHere) {
    std::set<int> defined;
    for (const ComputedVariableDefinition& row : AllRows340()) defined.insert(row.index + 30000);
    std::set<int> elsewhere;
    Insert(elsewhere, 30342, 30355);   // zone pairs of candidate zones
    Insert(elsewhere, 30713, 30725);   // zone pairs, 30721 without a definition
    Insert(elsewhere, 30701, 30712);   // primary driver and vehicle make
    Insert(elsewhere, 30732, 30784);   // joint-tour vehicle and primary driver
    Insert(elsewhere, 30801, 30846);   // time of day of the work times
    for (int id : {30915, 30508, 30509, 30514, 30515, 30518, 30532, 30534, 30546, 30547, 30594, 30622, 30651})
        elsewhere.insert(id);
    Insert(elsewhere, 30641, 30644);
    for (int id : elsewhere) EXPECT_FALSE(defined.count(id)) << id;
    for (int id : defined) {
        EXPECT_GE(id, 30340);
        EXPECT_LE(id, 30920);
    }
}

TEST(ComputedVariables340, NothingInHandGivesZeroEverywhere) {
    const Frame empty{};
    for (const ComputedVariableDefinition& row : AllRows340())
        EXPECT_EQ(row.compute(empty), 0.0) << row.index + 30000;
}

// A household of every kind of member, with patterns, tours and stops, joint
// activities (one with bits beyond the household), escort marks and a current
// joint-activity index outside the list.
class Sweep340Test : public Rows340Test {
protected:
    void SetUp() override {
        household = Rows().Household({{0, 77}, {kSize, 2}, {kVehicles, 2}, {kHomeZoneColumn, 10}, {kIncome, 0}});
        CPersonObject* mother = Rows().AddPerson(
            *household, {{kAge, 38}, {kFemale, 1}, {kEmployed, 1}, {kParent, 1}, {kMother, 1}, {kWorkZone, 20}}, {0});
        CPersonObject* father =
            Rows().AddPerson(*household, {{kAge, 70}, {kParent, 1}, {kFather, 1}}, {3, 8});
        CPersonObject* child =
            Rows().AddPerson(*household, {{kAge, 9}, {kStudent, 1}, {6, 30}, {52, 31}}, {0, 1});
        CPersonObject* toddler = Rows().AddPerson(*household, {{kAge, 3}});
        CPersonObject* worker = Rows().AddPerson(*household, {{kAge, 30}, {kEmployed, 1}}, {0});

        CWPattern* work = MakeWorkerPattern(mother, 480, 510);
        GiveStops(work->GetTourAt(1), 3, {0, 9, 12});
        GiveStops(work->GetTourAt(0), 1, {12});
        work->SetBeforeWorkTourCount(2);
        work->CreateBeforeWorkTours();
        GiveStops(work->GetTourAt(2), 2, {9, 12});
        work->SetWorkBasedTourCount(1);
        work->CreateWorkBasedTours();  // its stops are left unmade
        work->GetTourAt(5)->SetStopCount(4);

        father->m_bDropsOffChildren = 1;
        father->m_bPicksUpChildren = 1;
        father->CreatePattern();
        auto* nw = dynamic_cast<CNWPattern*>(father->GetPattern());
        AddNonWorkerTour(nw, 3, 3, {7, 5, 12});
        AddNonWorkerTour(nw, 0, 2, {6, 12});
        nw->GetNthTour(2)->SetStopCount(6);  // more stops counted than made

        CWPattern* school = MakeWorkerPattern(child, 500, 390);
        school->GetTourAt(1)->SetMode(6);
        discretionary = std::make_unique<CNWorkerTour>(nullptr, school);
        discretionary->SetMode(2);
        child->m_pDiscretionaryTour = discretionary.get();

        toddler->CreatePattern();
        worker->CreatePattern();  // a worker pattern whose commutes have no stops

        CJointActivityRecord shared({true, true, true, false}, 5, 90.0);
        shared.m_dStartTime = 1000.0;
        shared.m_dEndTime = 1120.0;
        shared.m_nZone = 30;
        household->m_jointActivities.push_back(shared);
        CJointActivityRecord wide(std::vector<bool>(40, true), 0, 30.0);
        household->m_jointActivities.push_back(wide);
        household->m_nCurrentJointRecord = 1;
    }

    // Every definition at one frame: finite values only.
    void ExpectFinite(const Frame& frame, const std::string& where) {
        for (const ComputedVariableDefinition& row : AllRows340()) {
            const double value = row.compute(frame);
            EXPECT_TRUE(std::isfinite(value)) << where << ": " << row.index + 30000 << " = " << value;
        }
    }

    std::unique_ptr<CHouseholdObject> household;
    std::unique_ptr<CTour> discretionary;
};

TEST_P(Sweep340Test, EveryVariableAtEveryLevelIsFinite) {
    for (int index : {1, 0, 2, 7}) {
        household->m_nCurrentJointRecord = index;
        ExpectFinite(FrameOf(household.get()), "household");
        for (int n = 1; n <= household->GetPersonCount(); ++n) {
            CPersonObject* person = household->GetPerson(n);
            const std::string who = "person " + std::to_string(n);
            ExpectFinite(FrameOf(household.get(), person), who);
            CPattern* pattern = person->GetPattern();
            ExpectFinite(FrameOf(household.get(), person, pattern), who + " pattern");
            for (std::size_t t = 0; pattern != nullptr && t < pattern->GetTours().size(); ++t) {
                CTour* tour = pattern->GetTourAt(static_cast<int>(t));
                if (tour == nullptr) continue;
                ExpectFinite(FrameOf(household.get(), person, pattern, tour), who + " tour");
                for (std::size_t s = 0; s < tour->GetStops().size(); ++s)
                    ExpectFinite(FrameOf(household.get(), person, pattern, tour, tour->GetStopAt(static_cast<int>(s))),
                                 who + " stop");
            }
        }
    }
}

TEST_P(Sweep340Test, ZeroIncomeUsesTheIncomeFloor) {
    CPersonObject* mother = household->GetPerson(1);
    mother->GetCommuteRecord()->m_fReturnAutoCost = 3.0f;
    mother->GetCommuteRecord()->m_fReturnColumn13 = 1.5f;
    const Frame f = PersonFrame(household.get(), mother);
    EXPECT_DOUBLE_EQ(Value(30919, f), 6.0);
    EXPECT_DOUBLE_EQ(Value(30920, f), 3.0);
}

INSTANTIATE_TEST_SUITE_P(Db, Sweep340Test, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

// Every variable at every level for every person of generated sample-region
// households, read through the input-data manager (so the zone and
// level-of-service variables look up real rows): finite values only. Each
// person goes to work or school when employed or a student, with the commute
// record looked up; the others get one tour; all members share a joint activity.
class SampleRegion340Test : public ::testing::TestWithParam<std::string> {};

TEST_P(SampleRegion340Test, EveryVariableOfEveryMemberIsFinite) {
    constexpr int kHouseholds = 12;
    auto db = TestDatabase::Create(GetParam());
    {
        CDatabase writer;
        writer.OpenEx(db->Connect(), false);
        SampleRegionGenerator::Options options;
        options.zones = 9;
        options.households = kHouseholds;
        options.seed = 11;
        SampleRegionGenerator(options).Write(writer);
    }
    CDatabase connection;
    connection.OpenEx(db->Connect());
    CInputDataManager manager;
    ASSERT_TRUE(manager.LoadTables(&connection));
    manager.LoadHouseholdIdPage(0, kHouseholds);
    int households = 0;
    int readZoneRows = 0;  // households whose mean work distance came from real rows
    while (CHouseholdObject* household = manager.LoadNextHousehold()) {
        ++households;
        const int home = household->GetHomeZone();
        manager.SetOriginZone(home);
        const int n = household->GetPersonCount();
        for (int i = 1; i <= n; ++i) {
            CPersonObject* person = household->GetPerson(i);
            const bool student = person->GetValue3() != 0.0;
            person->SetFlag(0, student || person->GetValue2() != 0.0);
            person->SetFlag(1, student);
            person->CreatePattern();
            if (auto* work = dynamic_cast<CWPattern*>(person->GetPattern())) {
                work->SetWorkStart(420.0 + 10.0 * i);
                work->SetWorkDuration(480.0);
                GiveStops(work->GetTourAt(CWPattern::kHomeToWorkSlot), 2, {9, 13});
                manager.GetLOSRecord(person, home, person->GetActivityZone(), 420.0, 900.0);
            } else if (auto* day = dynamic_cast<CNWPattern*>(person->GetPattern())) {
                AddNonWorkerTour(day, 0, 3, {9, 7, 12})->SetPosition(1);
            }
        }
        CJointActivityRecord record(std::vector<bool>(static_cast<std::size_t>(n), true), 1, 60.0);
        record.m_dStartTime = 1080.0;
        record.m_dEndTime = 1170.0;
        record.m_nZone = home;
        household->m_jointActivities.push_back(record);

        const auto expectFinite = [&](const Frame& frame, const std::string& where) {
            for (const ComputedVariableDefinition& row : AllRows340()) {
                const double value = row.compute(frame);
                EXPECT_TRUE(std::isfinite(value)) << where << ": " << row.index + 30000 << " = " << value;
            }
        };
        const std::string hh = "household " + std::to_string(household->GetId());
        expectFinite(FrameOf(household, nullptr, nullptr, nullptr, nullptr, &manager), hh);
        if (Value(30700, FrameOf(household, nullptr, nullptr, nullptr, nullptr, &manager)) > 0.0) ++readZoneRows;
        for (int i = 1; i <= n; ++i) {
            CPersonObject* person = household->GetPerson(i);
            CPattern* pattern = person->GetPattern();
            const std::string who = hh + " person " + std::to_string(i);
            expectFinite(FrameOf(household, person, pattern, nullptr, nullptr, &manager), who);
            for (std::size_t t = 0; t < pattern->GetTours().size(); ++t) {
                CTour* tour = pattern->GetTourAt(static_cast<int>(t));
                if (tour == nullptr) continue;
                expectFinite(FrameOf(household, person, pattern, tour, nullptr, &manager), who + " tour");
                for (std::size_t k = 0; k < tour->GetStops().size(); ++k)
                    expectFinite(FrameOf(household, person, pattern, tour, tour->GetStopAt(static_cast<int>(k)),
                                         &manager),
                                 who + " stop");
            }
        }
    }
    EXPECT_EQ(households, kHouseholds);
    EXPECT_GT(readZoneRows, 0);
}

INSTANTIATE_TEST_SUITE_P(Db, SampleRegion340Test, ::testing::ValuesIn(TestDatabase::Kinds()),
                         TestDatabase::KindName);

}  // namespace
