// Computed variables from index 340 of work and school times, the tours and
// stops of the person's day, the commute level-of-service record and the
// home and work zones, on hand-built patterns, tours and stops.

#include <gtest/gtest.h>

#include "data/CCommuteLOSRecord.h"
#include "Variables340Fixtures.h"

using namespace Variables340Fixtures;

namespace {

// --- Parents' and children's work and school times ---------------------------------

class ParentTimes340Test : public Rows340Test {
protected:
    void SetUp() override {
        household = Rows().Household({{kHomeZoneColumn, 10}});
        father = Rows().AddPerson(*household, {{kAge, 40}, {kEmployed, 1}, {kFather, 1}}, {0});
        mother = Rows().AddPerson(*household, {{kAge, 38}, {kFemale, 1}, {kEmployed, 1}, {kMother, 1}}, {0});
        student = Rows().AddPerson(*household, {{kAge, 9}, {kStudent, 1}}, {0, 1});
        other = Rows().AddPerson(*household, {{kAge, 22}, {kEmployed, 1}}, {0});
        MakeWorkerPattern(father, 450.7, 500);
        MakeWorkerPattern(mother, 400, 300);
        MakeWorkerPattern(student, 450.9, 390);
        MakeWorkerPattern(other, 300, 100);
    }
    Frame Household() { return FrameOf(household.get()); }

    std::unique_ptr<CHouseholdObject> household;
    CPersonObject* father = nullptr;
    CPersonObject* mother = nullptr;
    CPersonObject* student = nullptr;
    CPersonObject* other = nullptr;
};

TEST_P(ParentTimes340Test, DurationsAndStartsTruncated) {
    const Frame f = Household();
    EXPECT_EQ(Value(30671, f), 500.0);
    EXPECT_EQ(Value(30672, f), 300.0);
    EXPECT_EQ(Value(30673, f), 0.0);  // 450 against 450 once both are truncated
    EXPECT_EQ(Value(30674, f), 1.0);
    EXPECT_EQ(Value(30670, f), 0.0);
    MakeWorkerPattern(father, 449.9, 500);
    EXPECT_EQ(Value(30673, f), 1.0);
    EXPECT_EQ(Value(30670, f), 1.0);
}

TEST_P(ParentTimes340Test, WorkEndsAfterSchoolPerParent) {
    // Father 450 + 500 = 950, mother 400 + 300 = 700, school 450 + 390 = 840.
    const Frame f = Household();
    EXPECT_EQ(Value(30675, f), 1.0);
    EXPECT_EQ(Value(30676, f), 0.0);
    MakeWorkerPattern(mother, 400, 441);
    EXPECT_EQ(Value(30676, f), 1.0);
}

TEST_P(ParentTimes340Test, WorkEndsAfterSchoolNeedsAStudentAndAParent) {
    student->SetFlag(0, false);
    EXPECT_EQ(Value(30675, Household()), 0.0);
    EXPECT_EQ(Value(30673, Household()), 0.0);
    student->SetFlag(0, true);
    father->SetFlag(0, false);
    EXPECT_EQ(Value(30675, Household()), 0.0);
    EXPECT_EQ(Value(30671, Household()), 0.0);
}

TEST_P(ParentTimes340Test, FathersSumAsWholeMinutes) {
    CPersonObject* second = Rows().AddPerson(*household, {{kAge, 60}, {kFather, 1}}, {0});
    MakeWorkerPattern(second, 0.6, 10);
    // Starts 450.7 and 0.6: 450 + 0.6 truncates to 450 < 450 (school) fails.
    EXPECT_EQ(Value(30673, Household()), 0.0);
    EXPECT_EQ(Value(30671, Household()), 510.0);
}

TEST_P(ParentTimes340Test, AllWorkersTimes) {
    const Frame f = Household();
    EXPECT_DOUBLE_EQ(Value(30912, f), 500.0 + 300.0 + 390.0 + 100.0);
    EXPECT_DOUBLE_EQ(Value(30913, f), (950.7 + 700.0 + 840.9 + 400.0) / 4.0);
    // A member with flag 0 set but without a worker pattern adds nothing.
    Rows().AddPerson(*household, {{kAge, 30}}, {0});
    EXPECT_DOUBLE_EQ(Value(30912, f), 1290.0);
    auto idle = Rows().Household({});
    Rows().AddPerson(*idle, {{kAge, 30}})->CreatePattern();
    EXPECT_EQ(Value(30913, FrameOf(idle.get())), 0.0);
}

// --- The person's day ---------------------------------------------------------------

// A worker with both commutes, two before-work and two work-based tours, a
// non-worker with two tours, and a school child.
class Day340Test : public Rows340Test {
protected:
    void SetUp() override {
        household = Rows().Household({{kHomeZoneColumn, 10}, {kIncome, 40}});
        worker = Rows().AddPerson(*household, {{kAge, 35}, {kEmployed, 1}, {kWorkZone, 20}}, {0});
        nonWorker = Rows().AddPerson(*household, {{kAge, 50}});
        child = Rows().AddPerson(*household, {{kAge, 9}, {kStudent, 1}}, {0, 1});

        work = MakeWorkerPattern(worker, 480, 540);
        GiveStops(work->GetTourAt(CWPattern::kHomeToWorkSlot), 3, {0, 9, 12});
        GiveStops(work->GetTourAt(CWPattern::kWorkToHomeSlot), 1, {12});
        work->SetBeforeWorkTourCount(2);
        work->CreateBeforeWorkTours();
        GiveStops(work->GetTourAt(2), 2, {9, 9});  // the second 9 is the return
        GiveStops(work->GetTourAt(3), 1, {12});
        work->SetWorkBasedTourCount(2);
        work->CreateWorkBasedTours();
        work->GetTourAt(5)->SetStopCount(4);  // counted, never made
        work->SetAfterWorkTourCount(3);

        nonWorker->CreatePattern();
        day = dynamic_cast<CNWPattern*>(nonWorker->GetPattern());
        AddNonWorkerTour(day, 3, 3, {7, 5, 12});
        AddNonWorkerTour(day, 0, 2, {7, 12})->SetStopCount(6);

        school = MakeWorkerPattern(child, 500, 390);
        school->GetTourAt(CWPattern::kHomeToWorkSlot)->SetMode(2);
        school->GetTourAt(CWPattern::kWorkToHomeSlot)->SetMode(6);
    }
    Frame Of(CPersonObject* person, CTour* tour = nullptr, CStop* stop = nullptr) {
        return FrameOf(household.get(), person, person->GetPattern(), tour, stop);
    }

    std::unique_ptr<CHouseholdObject> household;
    CPersonObject* worker = nullptr;
    CPersonObject* nonWorker = nullptr;
    CPersonObject* child = nullptr;
    CWPattern* work = nullptr;
    CWPattern* school = nullptr;
    CNWPattern* day = nullptr;
};

TEST_P(Day340Test, WorkPattern) {
    const Frame f = Of(worker);
    EXPECT_EQ(Value(30571, f), 480.0);
    EXPECT_EQ(Value(30572, f), 1020.0);
    EXPECT_EQ(Value(30591, f), 2.0);
    EXPECT_EQ(Value(30592, f), 0.0);
    EXPECT_EQ(Value(30596, f), 2.0);
    EXPECT_EQ(Value(30597, f), 2.0);
    EXPECT_EQ(Value(30598, f), 3.0);
    EXPECT_EQ(Value(30623, f), 0.0);  // not a student
}

TEST_P(Day340Test, WithoutFlagZeroNothingOfTheWorkPatternIsRead) {
    for (int id : {30571, 30572, 30591, 30592, 30596, 30597, 30598, 30340, 30341, 30574, 30575, 30576})
        EXPECT_EQ(Value(id, Of(nonWorker)), 0.0) << id;
    // A student with flag 1 only holds a worker pattern; flag 0 is what counts.
    CPersonObject* teen = Rows().AddPerson(*household, {{kAge, 14}, {kStudent, 1}}, {1});
    MakeWorkerPattern(teen, 500, 400)->GetTourAt(CWPattern::kHomeToWorkSlot)->SetMode(2);
    for (int id : {30571, 30572, 30623, 30680}) EXPECT_EQ(Value(id, Of(teen)), 0.0) << id;
    // Flag 0 set but the pattern is of the other kind.
    nonWorker->SetFlag(0, true);
    for (int id : {30571, 30572, 30591, 30596, 30690, 30692}) EXPECT_EQ(Value(id, Of(nonWorker)), 0.0) << id;
}

TEST_P(Day340Test, MissingCommuteGivesZero) {
    // A school pattern built without its commute tours has none to read.
    CWPattern bare(nullptr, child);
    bare.SetWorkStart(500);
    bare.SetWorkDuration(390);
    const Frame f = FrameOf(household.get(), child, &bare);
    EXPECT_EQ(Value(30623, f), 890.0);
    for (int id : {30591, 30592, 30680, 30681, 30682, 30683}) EXPECT_EQ(Value(id, f), 0.0) << id;
}

TEST_P(Day340Test, ChildsSchool) {
    const Frame f = Of(child);
    EXPECT_EQ(Value(30623, f), 890.0);
    EXPECT_EQ(Value(30680, f), 1.0);
    EXPECT_EQ(Value(30681, f), 0.0);
    EXPECT_EQ(Value(30682, f), 0.0);
    EXPECT_EQ(Value(30683, f), 1.0);
    child->SetFlag(1, false);
    EXPECT_EQ(Value(30680, f), 0.0);
    EXPECT_EQ(Value(30683, f), 0.0);
}

TEST_P(Day340Test, TourInHandAndItsPeriod) {
    EXPECT_EQ(Value(30690, Of(worker, work->GetTourAt(2))), 1.0);
    EXPECT_EQ(Value(30691, Of(worker, work->GetTourAt(2))), 0.0);
    EXPECT_EQ(Value(30691, Of(worker, work->GetTourAt(3))), 1.0);
    // Work-based tour with two work-based tours: whatever the before-work count.
    work->SetBeforeWorkTourCount(3);
    EXPECT_EQ(Value(30692, Of(worker, work->GetTourAt(5))), 1.0);
    EXPECT_EQ(Value(30697, Of(worker, work->GetTourAt(5))), 0.0);
    EXPECT_EQ(Value(30697, Of(worker, work->GetTourAt(2))), 1.0);
    EXPECT_EQ(Value(30692, Of(worker, work->GetTourAt(1))), 0.0);  // a commute
}

TEST_P(Day340Test, NoTourInHandIsNeverTheEmptySlot) {
    // Slot 2 and 3 of the child's pattern are empty and there is no tour in hand.
    EXPECT_EQ(Value(30690, Of(child)), 0.0);
    EXPECT_EQ(Value(30691, Of(child)), 0.0);
    EXPECT_EQ(Value(30692, Of(child)), 0.0);
    EXPECT_EQ(Value(30697, Of(child)), 0.0);
}

TEST_P(Day340Test, TourAndStopInHand) {
    CTour* first = day->GetNthTour(1);
    EXPECT_EQ(Value(30685, Of(nonWorker, first)), 1.0);
    EXPECT_EQ(Value(30685, Of(nonWorker, day->GetNthTour(2))), 0.0);
    const std::vector<std::pair<int, int>> types = {{30693, 9}, {30694, 7}, {30695, 5}, {30696, 6}};
    CStop* stop = first->GetStopByNumber(1);
    for (auto [id, type] : types) {
        stop->SetActivityType(type);
        EXPECT_EQ(Value(id, Of(nonWorker, first, stop)), 1.0) << id;
        stop->SetActivityType(type == 9 ? 7 : 9);
        EXPECT_EQ(Value(id, Of(nonWorker, first, stop)), 0.0) << id;
    }
    EXPECT_EQ(Value(30693, Of(nonWorker, first)), 0.0);  // no stop in hand
}

TEST_P(Day340Test, ActivityCountersOfAWorker) {
    CTour* commute = work->GetTourAt(CWPattern::kHomeToWorkSlot);
    // Maintenance: commute stop 2 is in hand; before-work stop 1 counts, its
    // return (stop 2) does not; the work-based tour's unmade stops are skipped.
    EXPECT_EQ(Value(30686, Of(worker, commute, commute->GetStopByNumber(2))), 1.0);
    EXPECT_EQ(Value(30686, Of(worker, commute, commute->GetStopByNumber(1))), 2.0);
    EXPECT_EQ(Value(30687, Of(worker, commute, commute->GetStopByNumber(1))), 0.0);
}

TEST_P(Day340Test, ActivityCountersOfANonWorker) {
    CTour* first = day->GetNthTour(1);
    CTour* second = day->GetNthTour(2);
    // Up to tour 1: the visit of stop 1 is the stop in hand.
    EXPECT_EQ(Value(30687, Of(nonWorker, first, first->GetStopByNumber(1))), 0.0);
    EXPECT_EQ(Value(30688, Of(nonWorker, first, first->GetStopByNumber(1))), 1.0);
    // Up to tour 2 (counted six stops, two made).
    EXPECT_EQ(Value(30687, Of(nonWorker, second, second->GetStopByNumber(1))), 1.0);
    EXPECT_EQ(Value(30687, Of(nonWorker, second)), 2.0);
    EXPECT_EQ(Value(30689, Of(nonWorker, second)), 0.0);
    // Without a tour in hand nothing is counted.
    EXPECT_EQ(Value(30687, Of(nonWorker)), 0.0);
    // A tour position beyond the tours held is bounded by them.
    second->SetPosition(9);
    EXPECT_EQ(Value(30687, Of(nonWorker, second)), 2.0);
}

TEST_P(Day340Test, DiscretionaryTour) {
    EXPECT_EQ(Value(30655, Of(child)), 0.0);
    EXPECT_EQ(Value(30684, Of(child)), 0.0);
    CNWorkerTour tour(nullptr, school);
    child->m_pDiscretionaryTour = &tour;
    tour.SetMode(2);
    EXPECT_EQ(Value(30684, Of(child)), 1.0);
    EXPECT_EQ(Value(30655, Of(child)), 0.0);  // no stop made yet
    GiveStops(&tour, 2, {16, 14});
    tour.GetStopByNumber(1)->SetDepartureTime(930.0);
    EXPECT_EQ(Value(30655, Of(child)), 930.0);
    tour.SetMode(5);
    EXPECT_EQ(Value(30684, Of(child)), 0.0);
    child->m_pDiscretionaryTour = nullptr;
}

// --- Commute level-of-service record and zones -------------------------------------

TEST_P(Day340Test, CommuteRecordOfAWorker) {
    CCommuteLOSRecord& r = *worker->GetCommuteRecord();
    r.m_fOutboundAutoCost = 3.0f;
    r.m_fDistance = 7.0f;
    r.m_fReturnTransitCost = 2.5f;
    r.m_fReturnColumn4 = 16.0f;
    r.m_fOutboundAdjacent = 1.0f;
    r.m_fReturnAutoTime = 12.5f;
    const Frame f = Of(worker);
    EXPECT_EQ(Value(30340, f), static_cast<double>(3.0f / 7.0f));
    EXPECT_DOUBLE_EQ(Value(30341, f), 5.0 / 7.0);
    EXPECT_EQ(Value(30574, f), 16.0);
    EXPECT_EQ(Value(30575, f), 1.0);
    EXPECT_EQ(Value(30576, f), 12.5);
}

TEST_P(Day340Test, ZeroCommuteDistanceGivesZeroCostPerDistance) {
    CCommuteLOSRecord& r = *worker->GetCommuteRecord();
    r.m_fOutboundAutoCost = 3.0f;
    r.m_fReturnTransitCost = 2.5f;
    r.m_fDistance = 0.0f;
    EXPECT_EQ(Value(30340, Of(worker)), 0.0);
    EXPECT_EQ(Value(30341, Of(worker)), 0.0);
}

TEST_P(Day340Test, CommuteRecordOfAnyone) {
    CCommuteLOSRecord& r = *nonWorker->GetCommuteRecord();
    const Frame f = Of(nonWorker);
    for (int id : {30901, 30902, 30903, 30904, 30905, 30906, 30916, 30917, 30918, 30919, 30920})
        EXPECT_EQ(Value(id, f), 0.0) << id;  // never filled
    r.m_fOutboundAdjacent = 1.0f;
    r.m_fReturnAutoTime = 10.0f;
    r.m_fReturnColumn6 = 11.0f;
    r.m_fReturnAutoCost = 8.0f;
    r.m_fReturnColumn12 = 13.0f;
    r.m_fReturnColumn13 = 6.0f;
    r.m_fReturnTransitTime = 17.0f;
    r.m_fReturnColumn9 = 18.0f;
    r.m_fReturnTransitCost = 19.0f;
    EXPECT_EQ(Value(30901, f), 1.0);
    EXPECT_EQ(Value(30902, f), 10.0);
    EXPECT_EQ(Value(30903, f), 8.0);
    EXPECT_EQ(Value(30904, f), 17.0);
    EXPECT_EQ(Value(30905, f), 18.0);
    EXPECT_EQ(Value(30906, f), 19.0);
    EXPECT_EQ(Value(30916, f), 11.0);
    EXPECT_EQ(Value(30917, f), 13.0);
    EXPECT_EQ(Value(30918, f), 6.0);
    EXPECT_EQ(Value(30919, f), 8.0 / 40.0);
    EXPECT_EQ(Value(30920, f), 6.0 / 40.0);
    household->SetValue(kIncome, 0.2);  // below the floor of 0.5
    EXPECT_EQ(Value(30919, f), 16.0);
    household->SetValue(kIncome, -3.0);
    EXPECT_EQ(Value(30920, f), 12.0);
}

double FakeDistance(CInputDataManager*, int column, double time, int origin, int destination) {
    if (column != 4 || time != 540.0 || origin != 10) return -1000.0;
    return destination * 0.5;
}

TEST_P(Day340Test, MeanWorkDistanceOfTheEmployed) {
    // Only the worker is employed: zone 20.
    EXPECT_EQ(Variables340::MeanWorkDistance(FrameOf(household.get()), FakeDistance), 10.0);
    Rows().AddPerson(*household, {{kAge, 40}, {kEmployed, 1}, {kWorkZone, 30}});
    EXPECT_EQ(Variables340::MeanWorkDistance(FrameOf(household.get()), FakeDistance), 12.5);
    auto none = Rows().Household({{kHomeZoneColumn, 10}});
    Rows().AddPerson(*none, {{kAge, 40}});
    EXPECT_EQ(Variables340::MeanWorkDistance(FrameOf(none.get()), FakeDistance), 0.0);
}

TEST_P(Day340Test, ZoneValuesWithoutAManagerAreZero) {
    EXPECT_EQ(Value(30650, Of(worker)), 0.0);
    EXPECT_EQ(Value(30660, Of(worker)), 0.0);
    EXPECT_EQ(Value(30700, Of(worker)), 0.0);
    EXPECT_EQ(Value(30650, FrameOf(household.get())), 0.0);  // no person
}

TEST_P(Day340Test, ZoneValuesThroughTheInputData) {
    CInputDataManager& manager = Rows().Manager();
    const Frame f = FrameOf(household.get(), worker, work, nullptr, nullptr, &manager);
    EXPECT_EQ(Value(30650, f), 1.0);  // zone 10 to 20 adjacent
    EXPECT_EQ(Value(30660, f), 2.0);  // at distance 2.0
    // The child's school zone (column 6) is 0: a pair without a row.
    EXPECT_EQ(Value(30660, FrameOf(household.get(), child, school, nullptr, nullptr, &manager)), 0.0);
}

TEST_P(Day340Test, TimeToTheJointActivityThroughTheInputData) {
    CInputDataManager& manager = Rows().Manager();
    CJointActivityRecord record({true}, 1, 60.0);
    record.m_dStartTime = 1100.0;
    record.m_nZone = 20;
    household->m_jointActivities = {record};
    // Work ends at 1020; the auto trip from zone 10 to 20 takes 12.5 minutes.
    EXPECT_EQ(Value(30359, FrameOf(household.get(), worker, work, nullptr, nullptr, &manager)),
              1100.0 - 12.5 - 1020.0);
    EXPECT_EQ(Value(30359, Of(worker)), 1100.0 - 1020.0);  // no input data: no trip
}

INSTANTIATE_TEST_SUITE_P(Db, ParentTimes340Test, ::testing::ValuesIn(TestDatabase::Kinds()),
                         TestDatabase::KindName);
INSTANTIATE_TEST_SUITE_P(Db, Day340Test, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
