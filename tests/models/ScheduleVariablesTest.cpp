// Computed variables of the person's commutes, the pattern and tour in hand,
// the stop in hand, the activity counters and a child's discretionary tour, on
// hand-built patterns, tours and stops; and a sweep of every definition over
// every level of hand-built households.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "data/CCommuteLOSRecord.h"
#include "models/computed/StopVariables.h"
#include "schedules/CNWPattern.h"
#include "schedules/CNWorkerTour.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/CWPattern.h"
#include "schedules/CWorkerTour.h"
#include "ComputedVariableFixtures.h"

using namespace ComputedVariableFixtures;

namespace {

constexpr int kHomeZone = 10;

// A worker with both commutes, a household of one worker and one non-worker.
class ScheduleTest : public RowTest {
protected:
    void SetUp() override {
        household = Rows().Household({{0, 9}, {1, 2}, {3, kHomeZone}});
        worker = Rows().AddPerson(*household, {{kAge, 40}, {kEmployed, 1}, {kWorkZone, 20}}, {0});
        nonWorker = Rows().AddPerson(*household, {{kAge, 70}, {kFemale, 1}});
        worker->CreatePattern();
        nonWorker->CreatePattern();
        wp = dynamic_cast<CWPattern*>(worker->GetPattern());
        np = dynamic_cast<CNWPattern*>(nonWorker->GetPattern());
        ASSERT_NE(wp, nullptr);
        ASSERT_NE(np, nullptr);
        wp->SetWorkStart(480);
        wp->SetWorkDuration(540);
        wp->SetWorkToHomeTourMode(0);
        wp->SetHomeToWorkTourMode(7);
        wp->SetWorkToHomeDuration(40);
        wp->SetHomeToWorkDuration(30);
        GiveStops(wp->GetTourAt(0), 3, {0, 0, 12});
        GiveStops(wp->GetTourAt(1), 1, {13});
    }

    CVariableEvaluator::Frame WorkerAt(CTour* tour = nullptr, CStop* stop = nullptr) {
        return FrameOf(household.get(), worker, wp, tour, stop);
    }
    CVariableEvaluator::Frame NonWorkerAt(CTour* tour = nullptr, CStop* stop = nullptr) {
        return FrameOf(household.get(), nonWorker, np, tour, stop);
    }
    // Appends a tour (mode not set) whose stops have the activity types listed,
    // the last of them usually the return home.
    CTour* AddNonWorkerTour(const std::vector<int>& activityTypes) {
        return ComputedVariableFixtures::AddNonWorkerTour(np, -1, static_cast<int>(activityTypes.size()), activityTypes);
    }

    std::unique_ptr<CHouseholdObject> household;
    CPersonObject* worker = nullptr;
    CPersonObject* nonWorker = nullptr;
    CWPattern* wp = nullptr;
    CNWPattern* np = nullptr;
};

// --- Commute level of service -------------------------------------------------

TEST_P(ScheduleTest, CommuteTimesAndCostsFromTheRecord) {
    auto record = std::make_unique<CCommuteLOSRecord>();
    record->m_fReturnAutoTime = 20;
    record->m_fOutboundAutoTime = 25;
    record->m_fReturnTransitTime = 50;
    record->m_fOutboundTransitTime = 55;
    record->m_fDistance = 2.0f;
    record->m_fReturnAutoCost = 3;
    record->m_fOutboundAutoCost = 4;
    record->m_fReturnTransitCost = 2.5f;
    worker->SetCommuteRecord(std::move(record));
    const auto f = WorkerAt();
    EXPECT_EQ(Value(30017, f), 20.0);
    EXPECT_EQ(Value(30018, f), 25.0);
    EXPECT_EQ(Value(30019, f), 45.0);
    EXPECT_EQ(Value(30204, f), 25.0);
    EXPECT_EQ(Value(30205, f), 30.0);
    EXPECT_EQ(Value(30206, f), 55.0);
    EXPECT_EQ(Value(30207, f), 50.0);
    EXPECT_EQ(Value(30208, f), 55.0);
    EXPECT_EQ(Value(30209, f), 105.0);
    EXPECT_DOUBLE_EQ(Value(30210, f), 40.0);
    EXPECT_DOUBLE_EQ(Value(30211, f), 40.0);
    EXPECT_DOUBLE_EQ(Value(30212, f), 80.0);
    EXPECT_EQ(Value(30191, f), 2.0);
    EXPECT_EQ(Value(30317, f), 3.0);
    EXPECT_EQ(Value(30321, f), 2.5);
    EXPECT_EQ(Value(30326, f), 4.0);
    EXPECT_EQ(Value(30339, f), 3.5);
}

TEST_P(ScheduleTest, CommuteRecordVariablesNeedFlagZero) {
    auto record = std::make_unique<CCommuteLOSRecord>();
    record->m_fReturnAutoTime = 20;
    record->m_fDistance = 2.0f;
    nonWorker->SetCommuteRecord(std::move(record));
    const auto f = NonWorkerAt();
    for (int id : {30017, 30018, 30019, 30204, 30205, 30206, 30207, 30208, 30209, 30210, 30211, 30212, 30317,
                   30321, 30326, 30339, 30069})
        EXPECT_EQ(Value(id, f), 0.0) << id;
    // The distance is read without the flag test.
    EXPECT_EQ(Value(30191, f), 2.0);
    EXPECT_EQ(Value(30191, FrameOf(household.get())), 0.0);
}

TEST_P(ScheduleTest, CostPerDistanceIsSinglePrecisionAndZeroForZeroDistance) {
    auto record = std::make_unique<CCommuteLOSRecord>();
    record->m_fReturnAutoCost = 0.1f;
    record->m_fOutboundAutoCost = 0.2f;
    record->m_fDistance = 0.3f;
    worker->SetCommuteRecord(std::move(record));
    const float single = (0.1f + 0.2f) / 0.3f;
    EXPECT_EQ(Value(30339, WorkerAt()), static_cast<double>(single));

    auto zero = std::make_unique<CCommuteLOSRecord>();
    zero->m_fReturnAutoCost = 3;
    zero->m_fOutboundAutoCost = 4;
    worker->SetCommuteRecord(std::move(zero));
    EXPECT_EQ(Value(30339, WorkerAt()), 0.0);
    EXPECT_EQ(Value(30210, WorkerAt()), 0.0);
}

TEST_P(ScheduleTest, AutoCommuteTimeAtWorkStartForAnAutoCommuter) {
    CInputDataManager& manager = Rows().Manager();
    const auto f = FrameOf(household.get(), worker, wp, nullptr, nullptr, &manager);
    EXPECT_EQ(Value(30069, f), 12.5);  // home zone 10 to work zone 20, column 5
    wp->SetWorkToHomeTourMode(1);
    EXPECT_EQ(Value(30069, f), 12.5);
    wp->SetWorkToHomeTourMode(3);
    EXPECT_EQ(Value(30069, f), 0.0);
    wp->SetWorkToHomeTourMode(0);
    EXPECT_EQ(Value(30069, WorkerAt()), 0.0);  // no manager to ask
}

TEST_P(ScheduleTest, HomeToActivityZoneFromZoneToZone) {
    CInputDataManager& manager = Rows().Manager();
    const auto f = FrameOf(household.get(), worker, wp, nullptr, nullptr, &manager);
    EXPECT_EQ(Value(30159, f), 1.0);
    EXPECT_EQ(Value(30160, f), 2.0);
    EXPECT_EQ(Value(30160, WorkerAt()), 0.0);
    EXPECT_EQ(Value(30160, FrameOf(household.get(), nullptr, nullptr, nullptr, nullptr, &manager)), 0.0);
}

// --- Commute tours ----------------------------------------------------------------

TEST_P(ScheduleTest, HomeToWorkCommuteMode) {
    EXPECT_EQ(Value(30064, WorkerAt()), 1.0);
    EXPECT_EQ(Value(30063, WorkerAt()), 0.0);
    EXPECT_EQ(Value(30065, WorkerAt()), 1.0);
    wp->SetHomeToWorkTourMode(0);
    EXPECT_EQ(Value(30063, WorkerAt()), 1.0);
    EXPECT_EQ(Value(30065, WorkerAt()), 1.0);
    wp->SetHomeToWorkTourMode(3);
    EXPECT_EQ(Value(30067, WorkerAt()), 1.0);
    EXPECT_EQ(Value(30065, WorkerAt()), 0.0);
    wp->SetHomeToWorkTourMode(1);
    EXPECT_EQ(Value(30066, WorkerAt()), 1.0);
    wp->SetHomeToWorkTourMode(2);
    EXPECT_EQ(Value(30068, WorkerAt()), 1.0);
}

TEST_P(ScheduleTest, ChildsRideToAndFromSchool) {
    wp->SetHomeToWorkTourMode(4);
    wp->SetWorkToHomeTourMode(6);
    EXPECT_EQ(Value(30030, WorkerAt()), 1.0);
    EXPECT_EQ(Value(30031, WorkerAt()), 0.0);
    EXPECT_EQ(Value(30036, WorkerAt()), 1.0);
    EXPECT_EQ(Value(30034, WorkerAt()), 0.0);
    wp->SetHomeToWorkTourMode(5);
    wp->SetWorkToHomeTourMode(2);
    EXPECT_EQ(Value(30031, WorkerAt()), 1.0);
    EXPECT_EQ(Value(30037, WorkerAt()), 1.0);
}

TEST_P(ScheduleTest, CommuteStopsAndTimes) {
    const auto f = WorkerAt();
    EXPECT_EQ(Value(30070, f), 2.0);
    EXPECT_EQ(Value(30071, f), 1.0);
    EXPECT_EQ(Value(30072, f), 0.0);
    EXPECT_EQ(Value(30074, f), 1060.0);
    EXPECT_EQ(Value(30152, f), 1060.0);
    EXPECT_EQ(Value(30075, f), 380.0);
    EXPECT_EQ(Value(30076, f), 540.0);
    EXPECT_EQ(Value(30077, f), 450.0);
    EXPECT_EQ(Value(30150, f), 40.0);
    EXPECT_EQ(Value(30151, f), 30.0);
    wp->SetWorkToHomeStopCount(4);
    EXPECT_EQ(Value(30071, f), 0.0);
}

TEST_P(ScheduleTest, WorkerPatternWithoutCommuteToursGivesZero) {
    // The commutes are not made yet: no stop count of -1 less one, no times
    // from a commute that does not exist.
    CWPattern bare(nullptr, worker);
    bare.SetWorkStart(480);
    bare.SetWorkDuration(540);
    const auto f = FrameOf(household.get(), worker, &bare);
    for (int id : {30063, 30064, 30065, 30030, 30034, 30070, 30071, 30072, 30074, 30075, 30077, 30150, 30151})
        EXPECT_EQ(Value(id, f), 0.0) << id;
    EXPECT_EQ(Value(30076, f), 540.0);
}

TEST_P(ScheduleTest, WorkerPatternVariablesOfANonWorkerAreZero) {
    // Read by the pattern's real class: a non-worker pattern has no commutes.
    for (int id : {30063, 30064, 30066, 30067, 30068, 30084, 30087, 30150, 30151, 30070, 30074})
        EXPECT_EQ(Value(id, NonWorkerAt()), 0.0) << id;
    // A person without flag 0 whose pattern is a worker pattern (a student
    // flagged only as going to school) still has its commutes read.
    worker->SetFlag(0, false);
    EXPECT_EQ(Value(30064, WorkerAt()), 1.0);
    EXPECT_EQ(Value(30070, WorkerAt()), 0.0);  // needs flag 0
}

// --- Periods of the worker pattern -----------------------------------------------------

TEST_P(ScheduleTest, AfterWorkTourInTheFirstSlot) {
    wp->SetAfterWorkTourCount(2);
    wp->CreateAfterWorkTours();
    CTour* first = wp->GetTourAt(8);
    ASSERT_NE(first, nullptr);
    const auto f = WorkerAt(first);
    EXPECT_EQ(Value(30078, f), 1.0);
    EXPECT_EQ(Value(30080, f), 1.0);
    EXPECT_EQ(Value(30081, f), 0.0);
    EXPECT_EQ(Value(30103, f), 1.0);
    EXPECT_EQ(Value(30232, f), 1.0);
    EXPECT_EQ(Value(30082, f), 2.0);
    EXPECT_EQ(Value(30079, f), 2.0);
    EXPECT_EQ(Value(30106, f), 2.0);
    EXPECT_EQ(Value(30107, f), 0.0);
    EXPECT_EQ(Value(30083, f), 0.0);
    EXPECT_EQ(Value(30086, f), 0.0);
    EXPECT_EQ(Value(30081, WorkerAt(wp->GetTourAt(9))), 1.0);
    EXPECT_EQ(Value(30104, WorkerAt(wp->GetTourAt(9))), 1.0);
}

TEST_P(ScheduleTest, WorkBasedAndBeforeWorkTours) {
    wp->SetWorkBasedTourCount(2);
    wp->CreateWorkBasedTours();
    wp->SetBeforeWorkTourCount(1);
    wp->CreateBeforeWorkTours();
    const auto wb = WorkerAt(wp->GetTourAt(6));
    EXPECT_EQ(Value(30086, wb), 1.0);
    EXPECT_EQ(Value(30090, wb), 1.0);
    EXPECT_EQ(Value(30089, wb), 0.0);
    EXPECT_EQ(Value(30091, wb), 2.0);
    EXPECT_EQ(Value(30104, wb), 1.0);
    EXPECT_EQ(Value(30106, wb), 2.0);
    EXPECT_EQ(Value(30107, wb), 0.0);
    EXPECT_EQ(Value(30087, wb), 2.0);
    const auto bw = WorkerAt(wp->GetTourAt(2));
    EXPECT_EQ(Value(30083, bw), 1.0);
    EXPECT_EQ(Value(30085, bw), 1.0);
    EXPECT_EQ(Value(30084, bw), 1.0);
    EXPECT_EQ(Value(30106, bw), 1.0);
    EXPECT_EQ(Value(30107, bw), 1.0);
    EXPECT_EQ(Value(30103, bw), 1.0);
    // A commute lies in no period.
    EXPECT_EQ(Value(30106, WorkerAt(wp->GetTourAt(0))), 0.0);
    EXPECT_EQ(Value(30073, WorkerAt(wp->GetTourAt(0))), 1.0);
    EXPECT_EQ(Value(30073, WorkerAt(wp->GetTourAt(1))), 0.0);
}

TEST_P(ScheduleTest, NoTourInHandIsNeverAnEmptySlot) {
    // Slots 5, 6, 8 and 9 are empty and there is no tour in hand: not "this tour".
    const auto f = WorkerAt();
    for (int id : {30080, 30081, 30089, 30090, 30083, 30086, 30082, 30085, 30091, 30106, 30107, 30073, 30078})
        EXPECT_EQ(Value(id, f), 0.0) << id;
}

// --- Tour in hand ----------------------------------------------------------------------

TEST_P(ScheduleTest, TourTimesModesAndStops) {
    CTour* tour = AddNonWorkerTour({1, 0, 3, 12});
    tour->SetWindowLength(300);
    tour->SetPreTourTime(20);
    tour->GetStopByNumber(1)->SetDepartureTime(600);
    tour->SetMode(7);
    const auto f = NonWorkerAt(tour);
    EXPECT_EQ(Value(30092, f), 300.0);
    EXPECT_EQ(Value(30256, f), 300.0);
    EXPECT_EQ(Value(30105, f), 20.0);
    for (int id : {30108, 30145, 30161}) EXPECT_EQ(Value(id, f), 600.0) << id;
    EXPECT_EQ(Value(30094, f), 1.0);
    EXPECT_EQ(Value(30141, f), 1.0);
    EXPECT_EQ(Value(30095, f), 1.0);
    EXPECT_EQ(Value(30142, f), 1.0);
    EXPECT_EQ(Value(30093, f), 0.0);
    EXPECT_EQ(Value(30098, f), 3.0);
    EXPECT_EQ(Value(30101, f), 1.0);
    EXPECT_EQ(Value(30100, f), 0.0);
    EXPECT_EQ(Value(30164, f), 1.0);
    EXPECT_EQ(Value(30224, f), 1.0);
    EXPECT_EQ(Value(30225, f), 1.0);
    EXPECT_EQ(Value(30257, f), 0.0);
    tour->SetMode(1);
    EXPECT_EQ(Value(30096, f), 1.0);
    EXPECT_EQ(Value(30143, f), 1.0);
    EXPECT_EQ(Value(30142, f), 1.0);
    EXPECT_EQ(Value(30095, f), 0.0);
    tour->SetMode(2);
    EXPECT_EQ(Value(30097, f), 1.0);
    EXPECT_EQ(Value(30144, f), 1.0);
    tour->SetMode(0);
    EXPECT_EQ(Value(30093, f), 1.0);
    EXPECT_EQ(Value(30140, f), 1.0);
}

TEST_P(ScheduleTest, TourWithOnlyTheReturnHome) {
    CTour* tour = AddNonWorkerTour({12});
    const auto f = NonWorkerAt(tour);
    EXPECT_EQ(Value(30098, f), 0.0);
    EXPECT_EQ(Value(30164, f), 0.0);
    EXPECT_EQ(Value(30099, f), 0.0);
}

TEST_P(ScheduleTest, TourVariablesWithoutATourAreZero) {
    CTour* empty = AddNonWorkerTour({});
    for (int id : {30092, 30105, 30108, 30093, 30140, 30098, 30099, 30164, 30258, 30103, 30073}) {
        EXPECT_EQ(Value(id, NonWorkerAt()), 0.0) << id;
        EXPECT_EQ(Value(id, CVariableEvaluator::Frame{}), 0.0) << id;
    }
    // A tour without stops has no first departure.
    EXPECT_EQ(Value(30108, NonWorkerAt(empty)), 0.0);
}

TEST_P(ScheduleTest, EscortStopOpeningANonWorkersTour) {
    CTour* pickUp = AddNonWorkerTour({11, 12});
    EXPECT_EQ(Value(30258, NonWorkerAt(pickUp)), 1.0);
    EXPECT_EQ(Value(30259, NonWorkerAt(pickUp)), 0.0);
    CTour* dropOff = AddNonWorkerTour({10, 12});
    EXPECT_EQ(Value(30259, NonWorkerAt(dropOff)), 1.0);
    // A worker's tour is never counted as an escort tour.
    wp->GetTourAt(1)->GetStopByNumber(1)->SetActivityType(10);
    EXPECT_EQ(Value(30259, WorkerAt(wp->GetTourAt(1))), 0.0);
}

// --- Non-worker pattern ------------------------------------------------------------------

TEST_P(ScheduleTest, NonWorkerToursAndTheirNumbers) {
    CTour* t1 = AddNonWorkerTour({0, 12});
    CTour* t2 = AddNonWorkerTour({0, 1, 12});
    CTour* t3 = AddNonWorkerTour({0, 1, 2, 12});
    np->SetDrawnTourCount(2);
    const auto f1 = NonWorkerAt(t1);
    EXPECT_EQ(Value(30130, f1), 3.0);
    EXPECT_EQ(Value(30131, f1), 0.0);
    EXPECT_EQ(Value(30132, f1), 1.0);
    EXPECT_EQ(Value(30135, f1), 1.0);
    EXPECT_EQ(Value(30260, f1), 1.0);
    EXPECT_EQ(Value(30255, f1), 0.0);
    EXPECT_EQ(Value(30136, f1), 1.0);
    EXPECT_EQ(Value(30137, f1), 0.0);
    EXPECT_EQ(Value(30136, NonWorkerAt(t2)), 0.0);
    EXPECT_EQ(Value(30137, NonWorkerAt(t2)), 1.0);
    EXPECT_EQ(Value(30138, NonWorkerAt(t3)), 1.0);
    EXPECT_EQ(Value(30139, NonWorkerAt(t3)), 0.0);
    // Stops of the first tour.
    EXPECT_EQ(Value(30216, f1), 0.0);
    EXPECT_EQ(Value(30226, f1), 1.0);
    EXPECT_EQ(Value(30227, f1), 0.0);
    EXPECT_EQ(Value(30218, f1), 0.0);
    // No periods in a non-worker's day.
    for (int id : {30219, 30220, 30221, 30222, 30223, 30230, 30231}) EXPECT_EQ(Value(id, f1), 0.0) << id;
}

TEST_P(ScheduleTest, FirstTourWithoutTourInHandOrToursIsZero) {
    // Both "the first tour" and "this tour" are missing.
    EXPECT_EQ(Value(30136, NonWorkerAt()), 0.0);
    AddNonWorkerTour({12});
    EXPECT_EQ(Value(30136, NonWorkerAt()), 0.0);
    EXPECT_EQ(Value(30216, NonWorkerAt()), 1.0);
}

TEST_P(ScheduleTest, WorkToHomeStopVariablesAskForTourZeroAndGiveZero) {
    AddNonWorkerTour({12});
    AddNonWorkerTour({0, 1, 2, 12});
    for (int id : {30213, 30214, 30215}) EXPECT_EQ(Value(id, NonWorkerAt(np->GetNthTour(1))), 0.0) << id;
}

TEST_P(ScheduleTest, NonWorkerPatternVariablesOfAWorkerAreZero) {
    for (int id : {30130, 30131, 30135, 30136, 30216, 30218, 30226, 30255, 30260})
        EXPECT_EQ(Value(id, WorkerAt(wp->GetTourAt(0))), 0.0) << id;
}

// --- Stop in hand ------------------------------------------------------------------------

TEST_P(ScheduleTest, StopNumberActivityAndTimes) {
    CTour* tour = AddNonWorkerTour({8, 0, 2, 1, 3, 12});
    CStop* third = tour->GetStopByNumber(3);
    third->SetRemainingWindow(200);
    third->SetTimeLeft(150);
    third->SetActivityDuration(50);
    third->SetTravelTime(12);
    const auto f = NonWorkerAt(tour, third);
    EXPECT_EQ(Value(30111, f), 1.0);
    EXPECT_EQ(Value(30109, f), 0.0);
    EXPECT_EQ(Value(30116, f), 1.0);
    EXPECT_EQ(Value(30115, f), 0.0);
    EXPECT_EQ(Value(30126, f), 200.0);
    EXPECT_EQ(Value(30127, f), 150.0);
    EXPECT_EQ(Value(30128, f), 50.0);
    EXPECT_EQ(Value(30162, f), 50.0);
    EXPECT_EQ(Value(30129, f), 12.0);
    EXPECT_EQ(Value(30163, f), 12.0);
    const auto first = NonWorkerAt(tour, tour->GetStopByNumber(1));
    EXPECT_EQ(Value(30109, first), 1.0);
    EXPECT_EQ(Value(30228, first), 1.0);
    EXPECT_EQ(Value(30114, first), 1.0);
    EXPECT_EQ(Value(30229, NonWorkerAt(tour, tour->GetStopByNumber(2))), 1.0);
    EXPECT_EQ(Value(30113, NonWorkerAt(tour, tour->GetStopByNumber(5))), 1.0);
    EXPECT_EQ(Value(30118, NonWorkerAt(tour, tour->GetStopByNumber(5))), 1.0);
    EXPECT_EQ(Value(30117, NonWorkerAt(tour, tour->GetStopByNumber(4))), 1.0);
    for (int id : {30109, 30114, 30126, 30128, 30129}) EXPECT_EQ(Value(id, NonWorkerAt(tour)), 0.0) << id;
}

TEST_P(ScheduleTest, WorkerActivityCounterCoversTheDayButNotTheStopInHand) {
    wp->SetAfterWorkTourCount(1);
    wp->CreateAfterWorkTours();
    GiveStops(wp->GetTourAt(8), 3, {0, 4, 0});  // the last is the return: not counted
    CStop* inHand = wp->GetTourAt(0)->GetStopByNumber(1);  // shopping
    const auto f = WorkerAt(wp->GetTourAt(0), inHand);
    EXPECT_EQ(Value(30121, f), 2.0);  // commute stop 2 and after-work stop 1
    EXPECT_EQ(Value(30125, f), 1.0);
    EXPECT_EQ(Value(30120, f), 0.0);
}

TEST_P(ScheduleTest, ActivityCounterStopsAtTheStopsActuallyHeld) {
    wp->SetAfterWorkTourCount(1);
    wp->CreateAfterWorkTours();
    CTour* tour = wp->GetTourAt(8);
    GiveStops(tour, 3, {0, 0, 0});
    tour->SetStopCount(9);  // more stops counted than the three held
    // Commute stops 1 and 2, and the three stops the after-work tour holds.
    EXPECT_EQ(Value(30121, WorkerAt(tour)), 5.0);
}

TEST_P(ScheduleTest, NonWorkerActivityCounterRunsUpToTheTourInHand) {
    CTour* t1 = AddNonWorkerTour({0, 0, 12});
    CTour* t2 = AddNonWorkerTour({0, 12});
    AddNonWorkerTour({0, 0, 0, 12});
    EXPECT_EQ(Value(30121, NonWorkerAt(t2, t2->GetStopByNumber(1))), 2.0);
    EXPECT_EQ(Value(30121, NonWorkerAt(t1, t1->GetStopByNumber(2))), 1.0);
    // A tour in hand whose number lies beyond the tours held.
    t2->SetPosition(40);
    EXPECT_EQ(Value(30121, NonWorkerAt(t2, nullptr)), 6.0);
    // Without a tour in hand there is nothing to count up to.
    EXPECT_EQ(Value(30121, NonWorkerAt()), 0.0);
}

// --- A child's discretionary tour ---------------------------------------------------------

TEST_P(ScheduleTest, ChildsDiscretionaryTour) {
    CNWorkerTour tour(nullptr, np);
    tour.SetMode(5);
    GiveStops(&tour, 2, {16, 14});
    tour.GetStopByNumber(1)->SetDepartureTime(900);
    tour.GetStopByNumber(1)->SetActivityDuration(60);
    tour.GetStopByNumber(1)->SetTravelTime(15);
    nonWorker->m_pDiscretionaryTour = &tour;
    const auto f = NonWorkerAt();
    EXPECT_EQ(Value(30154, f), 1.0);
    EXPECT_EQ(Value(30153, f), 0.0);
    EXPECT_EQ(Value(30155, f), 900.0);
    EXPECT_EQ(DiscretionaryTourDeparture(f), 900.0);
    EXPECT_EQ(Value(30156, f), 60.0);
    EXPECT_EQ(Value(30157, f), 15.0);
    tour.SetMode(2);
    EXPECT_EQ(Value(30153, f), 1.0);
    nonWorker->m_pDiscretionaryTour = nullptr;
    for (int id : {30153, 30154, 30155, 30156, 30157}) EXPECT_EQ(Value(id, f), 0.0) << id;
}

TEST_P(ScheduleTest, DiscretionaryTourWithoutStopsIsZero) {
    CNWorkerTour tour(nullptr, np);
    tour.SetMode(2);
    nonWorker->m_pDiscretionaryTour = &tour;
    EXPECT_EQ(Value(30153, NonWorkerAt()), 1.0);
    for (int id : {30155, 30156, 30157}) EXPECT_EQ(Value(id, NonWorkerAt()), 0.0) << id;
    nonWorker->m_pDiscretionaryTour = nullptr;
}

// --- Every definition, every level ----------------------------------------------------------

TEST_P(ScheduleTest, EveryDefinitionAtEveryLevelIsFinite) {
    // Fill the day: period tours with stops (and one whose stop count runs past
    // its stops), non-worker tours, a discretionary tour.
    wp->SetBeforeWorkTourCount(1);
    wp->SetWorkBasedTourCount(2);
    wp->SetAfterWorkTourCount(3);
    wp->CreateBeforeWorkTours();
    wp->CreateWorkBasedTours();
    wp->CreateAfterWorkTours();
    GiveStops(wp->GetTourAt(2), 2, {0, 12});
    GiveStops(wp->GetTourAt(5), 3, {8, 3, 13});
    wp->GetTourAt(9)->SetStopCount(5);
    AddNonWorkerTour({11, 12});
    AddNonWorkerTour({0, 1, 12})->SetStopCount(7);
    nonWorker->m_pDiscretionaryTour = np->GetNthTour(2);
    CInputDataManager& manager = Rows().Manager();

    auto check = [](const CVariableEvaluator::Frame& f, const char* level) {
        for (int index = 0; index < kComputedVariableIndexCount; ++index) {
            const ComputedVariableDefinition* d = FindComputedVariableDefinition(index);
            if (d == nullptr) continue;
            const double v = d->compute(f);
            EXPECT_TRUE(std::isfinite(v)) << 30000 + index << " at " << level;
        }
    };
    check(CVariableEvaluator::Frame{}, "nothing");
    check(FrameOf(household.get(), nullptr, nullptr, nullptr, nullptr, &manager), "household");
    for (CPersonObject* person : {worker, nonWorker}) {
        CPattern* pattern = person->GetPattern();
        check(FrameOf(household.get(), person, pattern, nullptr, nullptr, &manager), "person");
        for (const auto& tour : pattern->GetTours()) {
            if (!tour) continue;
            check(FrameOf(household.get(), person, pattern, tour.get(), nullptr, &manager), "tour");
            for (const auto& stop : tour->GetStops())
                check(FrameOf(household.get(), person, pattern, tour.get(), stop.get(), &manager), "stop");
        }
    }
    nonWorker->m_pDiscretionaryTour = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Db, ScheduleTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
