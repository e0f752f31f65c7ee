// Computed variables from index 340 of the household's joint activities and of
// the time around escort and joint activities, on hand-built households with
// joint-activity records and a household simulator with fixed escort times.

#include <gtest/gtest.h>

#include "Variables340Fixtures.h"

using namespace Variables340Fixtures;

namespace {

// Members: 1 mother 40 (works 480-1020, drops off), 2 father 45 (works
// 420-1080), 3 school child 10 (500-890), 4 toddler 4, 5 grandfather 70
// (non-worker). Records: 0 social of 1, 3, 4 (1 travels apart); 1 maintenance
// of 2 and 5; 2 shopping with a participant set far wider than the household.
class Joint340Test : public Rows340Test {
protected:
    void SetUp() override {
        household = Rows().Household({{0, 9}, {kSize, 5}, {kHomeZoneColumn, 10}});
        mother = Rows().AddPerson(*household, {{kAge, 40}, {kFemale, 1}, {kEmployed, 1}, {kWorkZone, 20}}, {0});
        father = Rows().AddPerson(*household, {{kAge, 45}, {kEmployed, 1}, {kWorkZone, 25}}, {0});
        child = Rows().AddPerson(*household, {{kAge, 10}, {kStudent, 1}, {6, 30}}, {0, 1});
        toddler = Rows().AddPerson(*household, {{kAge, 4}});
        grandfather = Rows().AddPerson(*household, {{kAge, 70}});
        MakeWorkerPattern(mother, 480, 540);
        MakeWorkerPattern(father, 420, 660);
        MakeWorkerPattern(child, 500, 390);
        toddler->CreatePattern();
        grandfather->CreatePattern();
        mother->m_bDropsOffChildren = 1;

        CJointActivityRecord social({true, false, true, true, false}, 1, 60.0);
        social.m_dStartTime = 1100.0;
        social.m_dEndTime = 1200.0;
        social.m_nZone = 30;
        social.SetTravelsApart(1, true);
        CJointActivityRecord maintenance({false, true, false, false, true}, 9, 45.0);
        maintenance.m_dStartTime = 900.0;
        maintenance.m_dEndTime = 1000.0;
        CJointActivityRecord shopping(std::vector<bool>(40, true), 0, 20.0);
        household->m_jointActivities = {social, maintenance, shopping};
    }

    Frame Of(CPersonObject* person) { return PersonFrame(household.get(), person); }
    Frame Current(int index) {
        household->m_nCurrentJointRecord = index;
        return FrameOf(household.get());
    }

    std::unique_ptr<CHouseholdObject> household;
    CPersonObject* mother = nullptr;
    CPersonObject* father = nullptr;
    CPersonObject* child = nullptr;
    CPersonObject* toddler = nullptr;
    CPersonObject* grandfather = nullptr;
};

TEST_P(Joint340Test, ThePersonsJointActivities) {
    EXPECT_EQ(Value(30539, Of(mother)), 80.0);
    EXPECT_EQ(Value(30540, Of(mother)), 1.0);
    EXPECT_EQ(Value(30542, Of(mother)), 60.0);
    EXPECT_EQ(Value(30543, Of(mother)), 20.0);
    EXPECT_EQ(Value(30541, Of(mother)), 0.0);
    EXPECT_EQ(Value(30539, Of(father)), 65.0);
    EXPECT_EQ(Value(30541, Of(father)), 45.0);
    EXPECT_EQ(Value(30544, Of(father)), 0.0);
    EXPECT_EQ(Value(30545, Of(father)), 0.0);
    household->m_jointActivities.pop_back();
    EXPECT_EQ(Value(30540, Of(toddler)), 1.0);
    EXPECT_EQ(Value(30539, Of(toddler)), 60.0);
    household->m_jointActivities.erase(household->m_jointActivities.begin());
    EXPECT_EQ(Value(30540, Of(toddler)), 0.0);
    EXPECT_EQ(Value(30539, Of(toddler)), 0.0);
}

TEST_P(Joint340Test, APersonNumberOutsideOneToNCountsByItsPosition) {
    // Members numbered 12 and -1 stand at positions 6 and 7: the wide record,
    // with bits for 40 members, holds them; the others, with five bits, do not.
    CPersonObject* stray = Rows().AddPerson(*household, {{kPersonNumber, 12}, {kAge, 30}});
    CPersonObject* unnumbered = Rows().AddPerson(*household, {{kPersonNumber, -1}, {kAge, 30}});
    EXPECT_EQ(Value(30540, Of(stray)), 1.0);
    EXPECT_EQ(Value(30539, Of(stray)), 20.0);
    EXPECT_EQ(Value(30540, Of(unnumbered)), 1.0);
    household->m_jointActivities.pop_back();
    EXPECT_EQ(Value(30540, Of(stray)), 0.0);
    EXPECT_EQ(Value(30539, Of(stray)), 0.0);
}

TEST_P(Joint340Test, TheRecordBeingScheduled) {
    Frame f = Current(0);
    EXPECT_EQ(Value(30548, f), 0.0);
    EXPECT_EQ(Value(30549, f), 1.0);
    EXPECT_EQ(Value(30550, f), 1.0);
    EXPECT_EQ(Value(30551, f), 3.0);
    EXPECT_EQ(Value(30552, f), 1.0);
    EXPECT_EQ(Value(30553, f), 1.0);
    EXPECT_EQ(Value(30554, f), 1.0);
    EXPECT_EQ(Value(30555, f), 1020.0);
    EXPECT_EQ(Value(30556, f), 0.0);
    EXPECT_EQ(Value(30557, f), 1.0);

    f = Current(1);
    EXPECT_EQ(Value(30548, f), 1.0);
    EXPECT_EQ(Value(30551, f), 2.0);
    EXPECT_EQ(Value(30555, f), 1080.0);
    EXPECT_EQ(Value(30553, f), 0.0);
    EXPECT_EQ(Value(30554, f), 1.0);
    household->m_jointActivities[1].SetTravelsApart(2, true);
    household->m_jointActivities[1].SetTravelsApart(5, true);
    EXPECT_EQ(Value(30554, f), 0.0);  // every participant travels apart

    // Bits beyond the household are not members: five participants, not 40.
    f = Current(2);
    EXPECT_EQ(Value(30551, f), 5.0);
    EXPECT_EQ(Value(30556, f), 1.0);
    EXPECT_EQ(Value(30558, f), 0.0);
}

TEST_P(Joint340Test, AgeFifteenIsAChildForTheChildCounts) {
    CPersonObject* fifteen = Rows().AddPerson(*household, {{kAge, 15}}, {0});
    fifteen->m_bDropsOffChildren = 1;
    CJointActivityRecord record({false, false, false, false, false, true}, 3, 30.0);
    household->m_jointActivities = {record};
    const Frame f = Current(0);
    EXPECT_EQ(Value(30550, f), 1.0);
    EXPECT_EQ(Value(30552, f), 0.0);
    EXPECT_EQ(Value(30553, f), 0.0);
    EXPECT_EQ(Value(30559, f), 1.0);
}

TEST_P(Joint340Test, NoCurrentRecordGivesZero) {
    const std::vector<int> current = {30548, 30549, 30550, 30551, 30552, 30553, 30554, 30555,
                                      30556, 30557, 30558, 30559};
    for (int index : {3, -1, 100}) {
        const Frame f = Current(index);
        for (int id : current) EXPECT_EQ(Value(id, f), 0.0) << "index " << index << " id " << id;
    }
    household->m_jointActivities.clear();
    const Frame f = Current(0);
    for (int id : current) EXPECT_EQ(Value(id, f), 0.0) << id;
}

TEST_P(Joint340Test, HouseholdWithoutMembersHasNoJointActivityType) {
    auto empty = Rows().Household({});
    empty->m_jointActivities.push_back(CJointActivityRecord({true, true}, 0, 10.0));
    const Frame f = FrameOf(empty.get());
    for (int id : {30551, 30556, 30557, 30558, 30559}) EXPECT_EQ(Value(id, f), 0.0) << id;
}

// --- Time around escort and joint activities -------------------------------------

class Availability340Test : public Joint340Test {
protected:
    void SetUp() override {
        Joint340Test::SetUp();
        household->m_jointActivities.resize(1);  // the social activity of 1, 3 and 4 only
        auto* pattern = dynamic_cast<CNWPattern*>(grandfather->GetPattern());
        ASSERT_NE(pattern, nullptr);
        AddNonWorkerTour(pattern, 4, 2, {10, 12})->SetWindowStart(450.0);
        simulator.afterDropOff = 600.0;
        simulator.afterPickUp = 500.0;
    }
    ScriptedSimulator simulator;
};

TEST_P(Availability340Test, FromTheDropOffToThePickUp) {
    grandfather->m_bDropsOffChildren = 1;
    grandfather->m_bPicksUpChildren = 1;
    const Frame f = Of(grandfather);
    EXPECT_EQ(Variables340::AvailableTimeBeforeTour(f, &simulator), 150.0);
    EXPECT_EQ(Variables340::AvailableTimeAfterTour(f, &simulator), 500.0);
    grandfather->m_bDropsOffChildren = 0;
    EXPECT_EQ(Variables340::AvailableTimeBeforeTour(f, &simulator), 600.0);
}

TEST_P(Availability340Test, AJointActivityOverridesThePickUp) {
    grandfather->m_bDropsOffChildren = 1;
    grandfather->m_bPicksUpChildren = 1;
    household->m_jointActivities[0].SetParticipant(5, true);
    const Frame f = Of(grandfather);
    EXPECT_EQ(Variables340::AvailableTimeBeforeTour(f, &simulator), 1100.0 - 450.0);
    EXPECT_EQ(Variables340::AvailableTimeAfterTour(f, &simulator), 1440.0 - 1200.0);
    // The joint activity needs no simulator.
    EXPECT_EQ(Variables340::AvailableTimeAfterTour(f, nullptr), 240.0);
}

TEST_P(Availability340Test, MissingObjectsGiveZero) {
    // Drops off, but the pattern holds no first tour.
    toddler->m_bDropsOffChildren = 1;
    EXPECT_EQ(Variables340::AvailableTimeBeforeTour(Of(toddler), &simulator), 0.0);
    // Picks up without a household simulator (and in no joint activity).
    grandfather->m_bPicksUpChildren = 1;
    EXPECT_EQ(Variables340::AvailableTimeBeforeTour(Of(grandfather), nullptr), 0.0);
    EXPECT_EQ(Variables340::AvailableTimeAfterTour(Of(grandfather), nullptr), 0.0);
    EXPECT_EQ(Value(30730, Of(grandfather)), 0.0);
    EXPECT_EQ(Value(30731, Of(grandfather)), 0.0);
    // Drops off with the pattern of the other kind (a worker pattern).
    father->m_bDropsOffChildren = 1;
    EXPECT_EQ(Variables340::AvailableTimeBeforeTour(Of(father), &simulator), 0.0);
    // No person in hand.
    EXPECT_EQ(Variables340::AvailableTimeAfterTour(FrameOf(household.get()), &simulator), 0.0);
}

TEST_P(Availability340Test, NoEscortAndNoJointActivityGivesZero) {
    EXPECT_EQ(Variables340::AvailableTimeBeforeTour(Of(grandfather), &simulator), 0.0);
    EXPECT_EQ(Variables340::AvailableTimeAfterTour(Of(grandfather), &simulator), 0.0);
}

// --- Time from the work end to the joint activity ----------------------------------

struct LookupLog {
    int calls = 0;
    int column = -1;
    double time = -1.0;
    int origin = -1;
    int destination = -1;
};
LookupLog g_log;

double FakeAutoTime(CInputDataManager*, int column, double time, int origin, int destination) {
    ++g_log.calls;
    g_log.column = column;
    g_log.time = time;
    g_log.origin = origin;
    g_log.destination = destination;
    return 25.0;
}

TEST_P(Joint340Test, TimeFromWorkEndToTheJointActivity) {
    g_log = {};
    // The father's activities: the last one wins (the wide record starts at -1
    // and has no zone yet, so no trip is looked up).
    EXPECT_EQ(Variables340::TimeFromWorkEndToJointActivity(Of(father), FakeAutoTime), -1.0 - 1080.0);
    EXPECT_EQ(g_log.calls, 0);
    household->m_jointActivities.pop_back();
    EXPECT_EQ(Variables340::TimeFromWorkEndToJointActivity(Of(father), FakeAutoTime), 900.0 - 1080.0);
    // The mother reaches the social activity on her own: no trip from home.
    EXPECT_EQ(Variables340::TimeFromWorkEndToJointActivity(Of(mother), FakeAutoTime), 1100.0 - 1020.0);
    EXPECT_EQ(g_log.calls, 0);
    // The child goes with the others: the trip from home comes off the start.
    EXPECT_EQ(Variables340::TimeFromWorkEndToJointActivity(Of(child), FakeAutoTime), 1100.0 - 25.0 - 890.0);
    EXPECT_EQ(g_log.calls, 1);
    EXPECT_EQ(g_log.column, 5);
    EXPECT_EQ(g_log.time, 890.0);
    EXPECT_EQ(g_log.origin, 10);
    EXPECT_EQ(g_log.destination, 30);
}

TEST_P(Joint340Test, TimeFromWorkEndWithoutJointActivityOrWork) {
    household->m_jointActivities.clear();
    EXPECT_EQ(Variables340::TimeFromWorkEndToJointActivity(Of(father), FakeAutoTime), 1440.0 - 1080.0);
    EXPECT_EQ(Variables340::TimeFromWorkEndToJointActivity(Of(grandfather), FakeAutoTime), 0.0);
    EXPECT_EQ(Variables340::TimeFromWorkEndToJointActivity(FrameOf(household.get()), FakeAutoTime), 0.0);
    // A worker whose pattern is of the other kind than flag 0 says.
    toddler->SetFlag(0, true);
    EXPECT_EQ(Variables340::TimeFromWorkEndToJointActivity(Of(toddler), FakeAutoTime), 0.0);
}

INSTANTIATE_TEST_SUITE_P(Db, Joint340Test, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);
INSTANTIATE_TEST_SUITE_P(Db, Availability340Test, ::testing::ValuesIn(TestDatabase::Kinds()),
                         TestDatabase::KindName);

}  // namespace
