// School escort episodes of households with children: how the children's
// school commutes become drop-off and pick-up episodes, and how the single
// parent or one of a couple takes them, with the work times fitted around
// them. Without level-of-service tables every drive takes the 2-minute floor.

#include "household/HouseholdRows.h"
#include "support/TestDatabase.h"

#include "data/CPersonObject.h"
#include "household/CoupleWChildrenHH.h"
#include "household/SingleWChildrenHH.h"
#include "models/CBLogitMM.h"
#include "modelsystem/CModelSystem.h"
#include "schedules/CWPattern.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using HouseholdRows::Person;

constexpr int kDrivenByParent = 4;

std::vector<double> ChildRow(int number, double schoolZone) {
    std::vector<double> row = Person(40, number, 0.0, 10.0, 0.0);
    row[6] = schoolZone;
    return row;
}

CWPattern* GoesOut(CPersonObject* person, double start, double duration, bool school) {
    person->SetFlag(0, true);
    person->SetFlag(1, school);
    person->CreatePattern();
    CWPattern* pattern = person->GetWPattern();
    pattern->SetWorkStart(start);
    pattern->SetWorkDuration(duration);
    return pattern;
}

// Household 40: persons 1 (parent, column 7 zero: parent one) and 2 (parent,
// column 7 set: parent two) as given, then children 3 to 5: 3 and 4 at school
// zone 9 starting 9 minutes apart, 5 at zone 9 starting 10 minutes after 3.
class EscortEpisodes : public ::testing::TestWithParam<std::string> {
protected:
    void Load(bool parentOne, bool parentTwo) {
        db = TestDatabase::Create(GetParam());
        household = HouseholdRows::Load(*db, {40, 2, 1, 7, 0, 12},
                                        {Person(40, 1, 0.0, 40, parentOne ? 1.0 : 0.0),
                                         Person(40, 2, 1.0, 38, parentTwo ? 1.0 : 0.0), ChildRow(3, 9),
                                         ChildRow(4, 9), ChildRow(5, 9)});
        const double starts[3] = {480, 489, 490};
        for (int i = 0; i < 3; ++i) {
            CWPattern* school = GoesOut(household->GetPerson(3 + i), starts[i], 400, true);
            school->SetHomeToWorkTourMode(kDrivenByParent);
            if (i == 0) school->SetWorkToHomeTourMode(kDrivenByParent);
        }
    }
    CPersonObject* P(int n) const { return household->GetPerson(n); }

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<CHouseholdObject> household;
    CModelSystem system;
};

TEST_P(EscortEpisodes, ChildrenOfOneSchoolWithinTenMinutesShareAnEpisode) {
    Load(true, true);
    SingleWChildrenHH simulator(&system);
    simulator.SetHousehold(household.get());
    simulator.BuildEscortEpisodes();
    ASSERT_EQ(simulator.m_dropOffEpisodes.size(), 2u);
    EXPECT_EQ(simulator.m_dropOffEpisodes[0].m_children, (std::vector<CPersonObject*>{P(3), P(4)}));
    EXPECT_EQ(simulator.m_dropOffEpisodes[0].m_time, 480.0);
    EXPECT_EQ(simulator.m_dropOffEpisodes[1].m_children, (std::vector<CPersonObject*>{P(5)}));
    // The pick-up keeps the school end; the child then waits 5 more minutes.
    ASSERT_EQ(simulator.m_pickUpEpisodes.size(), 1u);
    EXPECT_EQ(simulator.m_pickUpEpisodes[0].m_time, 880.0);
    EXPECT_EQ(P(3)->GetWPattern()->GetWorkDuration(), 405.0);
    EXPECT_EQ(simulator.GetCurrentPerson(), nullptr);

    // Two drop-off episodes: nobody takes them; the single pick-up goes to the parent.
    GoesOut(P(1), 300, 560, false);
    simulator.AllocateEscortEpisodes();
    EXPECT_EQ(simulator.m_dropOffEpisodes[0].m_pAdult, nullptr);
    EXPECT_EQ(P(1)->m_bDropsOffChildren, 0);
    EXPECT_TRUE(simulator.IsPickUpAdult(P(1)));
    EXPECT_EQ(P(1)->GetWPattern()->GetWorkDuration(), 880.0 - 2.0 - 300.0);
}

TEST_P(EscortEpisodes, SingleParentFitsWorkAroundTheEpisodes) {
    Load(false, true);
    SingleWChildrenHH simulator(&system);
    simulator.SetHousehold(household.get());
    simulator.m_dropOffEpisodes.emplace_back(P(3), 1420.0, 9);
    simulator.m_pickUpEpisodes.emplace_back(P(3), 900.0, 9);
    CWPattern* work = GoesOut(P(2), 480, 480, false);
    simulator.AllocateEscortEpisodes();
    // Work starts after the drop-off and the drive, and ends at midnight.
    EXPECT_EQ(work->GetWorkStart(), 1427.0);
    EXPECT_EQ(work->GetWorkDuration(), 13.0);
    // The day now ends far from the pick-up: the episode is dropped, the mark stays.
    EXPECT_TRUE(simulator.m_pickUpEpisodes.empty());
    EXPECT_EQ(P(2)->m_bPicksUpChildren, 1);
    EXPECT_TRUE(simulator.IsDropOffAdult(P(2)));

    // A pick-up that would leave no time at work is dropped the same way.
    SingleWChildrenHH early(&system);
    early.SetHousehold(household.get());
    early.m_pickUpEpisodes.emplace_back(P(3), 40.0, 9);
    work->SetWorkStart(60.0);
    work->SetWorkDuration(0.0);
    early.AllocateEscortEpisodes();
    EXPECT_TRUE(early.m_pickUpEpisodes.empty());
    EXPECT_EQ(work->GetWorkDuration(), 0.0);
}

TEST_P(EscortEpisodes, WithoutAParentTheEpisodesKeepNoAdult) {
    Load(false, false);
    SingleWChildrenHH single(&system);
    CoupleWChildrenHH couple(&system);
    for (CHouseholdWithChildren* simulator : std::vector<CHouseholdWithChildren*>{&single, &couple}) {
        simulator->SetHousehold(household.get());
        simulator->m_dropOffEpisodes.emplace_back(P(3), 480.0, 9);
        simulator->m_pickUpEpisodes.emplace_back(P(3), 900.0, 9);
        simulator->AllocateEscortEpisodes();
        EXPECT_EQ(simulator->m_dropOffEpisodes.front().m_pAdult, nullptr);
        EXPECT_EQ(simulator->m_pickUpEpisodes.front().m_pAdult, nullptr);
    }
}

TEST_P(EscortEpisodes, CoupleHandsTheEpisodeToTheParentWhoCanDrive) {
    Load(true, true);
    // The drop-off model always answers "parent one", the pick-up model "parent two".
    system.m_pAllocationOfDropOffEpisodeToParent->m_terms.Add(30000, 50.0);
    system.m_pAllocationOfPickUpEpisodeToParent->m_terms.Add(30000, -50.0);
    auto allocate = [&](int vehicleOne, int vehicleTwo) {
        auto couple = std::make_unique<CoupleWChildrenHH>(&system);
        couple->SetHousehold(household.get());
        couple->m_dropOffEpisodes.emplace_back(P(3), 480.0, 9);
        couple->m_pickUpEpisodes.emplace_back(P(3), 900.0, 9);
        P(1)->m_nVehicle = vehicleOne;
        P(2)->m_nVehicle = vehicleTwo;
        couple->AllocateEscortEpisodes();
        return couple;
    };
    auto chosen = allocate(0, 1);
    EXPECT_TRUE(chosen->IsDropOffAdult(P(1)));
    EXPECT_TRUE(chosen->IsPickUpAdult(P(2)));
    // Parent one drives nothing: the drop-off goes to parent two, even without a vehicle.
    auto swapped = allocate(-1, -1);
    EXPECT_TRUE(swapped->IsDropOffAdult(P(2)));
    EXPECT_TRUE(swapped->IsPickUpAdult(P(1)));

    // A working parent whose day ends more than an hour from the pick-up gets neither episode nor mark.
    GoesOut(P(2), 480, 481, false);
    P(2)->m_bPicksUpChildren = 0;
    auto rejected = allocate(0, 1);
    EXPECT_TRUE(rejected->m_pickUpEpisodes.empty());
    EXPECT_EQ(P(2)->m_bPicksUpChildren, 0);
    EXPECT_EQ(P(2)->GetWPattern()->GetWorkDuration(), 481.0);
}

INSTANTIATE_TEST_SUITE_P(Db, EscortEpisodes, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
