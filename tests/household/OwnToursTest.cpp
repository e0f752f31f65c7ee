// The worker's three tour blocks and the non-worker's own tours on hand-built
// members of the small test region: how many tours are made, the keys of
// their draws, their windows, and how their stops chain.

#include <gtest/gtest.h>

#include "data/LOSRegion.h"
#include "household/WorkerDay.h"

#include "data/CPersonObject.h"
#include "household/DecisionKey.h"
#include "models/CMNLogitMM.h"
#include "models/COrdProbitMM.h"
#include "schedules/CNWPattern.h"
#include "schedules/CNWorkerTour.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/CWPattern.h"
#include "schedules/CWorkerTour.h"

#include <cmath>
#include <memory>

namespace {

constexpr auto Arrival = &WorkerDay::Arrival;

void ExpectChained(const CTour& tour, const std::string& what, bool ownTour = true) {
    WorkerDay::ExpectChained(tour, what, ownTour);
}

class OwnToursTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        day = std::make_unique<WorkerDay>(GetParam());
        day->Load({WorkerDay::Person(1, true, 40), WorkerDay::Person(2, false, 70)});
        worker = day->household->GetPerson(1);
        WorkerDay::FixChoice(*day->models.m_pWHCommuteMode, 0);
        WorkerDay::FixCategory(*day->models.m_pWHNumberOfStops, 1);
        WorkerDay::FixCategory(*day->models.m_pHWNumberOfStops, 1);
    }
    // The worker's commutes, then (when `own`) the worker's own tours.
    CWPattern& SimulateWorker(double start, double duration, bool own = true) {
        CWPattern& pattern = day->MakeWorker(1, {3}, start, duration);
        day->simulator->SimulateWHCommute(worker, day->household.get());
        day->simulator->SimulateHWCommute(worker, day->household.get());
        if (own) pattern.SimulateInHousehold(worker, &day->models, day->household.get(), day->simulator.get());
        return pattern;
    }
    std::unique_ptr<WorkerDay> day;
    CPersonObject* worker = nullptr;
};

TEST_P(OwnToursTest, EachPeriodsToursChainInsideTheirWindows) {
    day->FixTourModels(2, 2, 30.0, 0);
    CWPattern& pattern = SimulateWorker(480.0, 480.0);
    ASSERT_TRUE(pattern.GetBeforeWorkTourCount() == 1 && pattern.GetWorkBasedTourCount() == 1 &&
                pattern.GetAfterWorkTourCount() == 1);
    for (int slot : {0, 1, 2, 5, 8})
        ExpectChained(*pattern.GetTourAt(slot), "slot " + std::to_string(slot), slot >= 2);

    CTour& beforeWork = *pattern.GetTourAt(2);
    CTour& workBased = *pattern.GetTourAt(5);
    CTour& afterWork = *pattern.GetTourAt(8);
    EXPECT_DOUBLE_EQ(beforeWork.GetWindowStart(), 0.0);
    EXPECT_DOUBLE_EQ(workBased.GetWindowStart(), 480.0);
    EXPECT_DOUBLE_EQ(afterWork.GetWindowStart(), pattern.GetArrivalHomeAfterWork());
    for (CTour* tour : {&beforeWork, &workBased, &afterWork}) {
        EXPECT_EQ(tour->GetStopCount(), 3);
        EXPECT_EQ(tour->GetStopByNumber(1)->GetOriginActivityType(), tour == &workBased ? 17 : 18);
    }
    EXPECT_EQ(workBased.GetStopByNumber(1)->GetOriginZone(), WorkerDay::kWorkZone);
    EXPECT_EQ(workBased.GetStopByNumber(3)->GetActivityType(), 13);
    EXPECT_EQ(workBased.GetStopByNumber(3)->GetZone(), WorkerDay::kWorkZone);
    EXPECT_EQ(afterWork.GetStopByNumber(3)->GetZone(), WorkerDay::kHomeZone);

    // The stays before the commutes: the work left after the work-based tour,
    // the time at home between the before-work tour and the commute.
    EXPECT_DOUBLE_EQ(pattern.GetTourAt(0)->GetPreTourTime(), 960.0 - Arrival(workBased));
    EXPECT_DOUBLE_EQ(pattern.GetTourAt(1)->GetPreTourTime(),
                     pattern.GetTourAt(1)->GetStopByNumber(1)->GetDepartureTime() - Arrival(beforeWork));
}

TEST_P(OwnToursTest, TwoToursPerPeriodDrawTheirModesWithTheirOwnKeys) {
    day->FixTourModels(3, 1, 20.0, 0);
    // Equal utilities: each after-work tour's mode follows from its key alone.
    for (auto& [id, terms] : day->models.m_pAWTourMode->m_utilityFunctions) terms.Clear();
    CWPattern& pattern = SimulateWorker(480.0, 480.0);
    EXPECT_EQ(pattern.GetBeforeWorkTourCount(), 2);
    EXPECT_EQ(pattern.GetWorkBasedTourCount(), 2);
    ASSERT_EQ(pattern.GetAfterWorkTourCount(), 2);
    EXPECT_DOUBLE_EQ(pattern.GetTourAt(9)->GetWindowStart(), Arrival(*pattern.GetTourAt(8)));

    CMNLogitMM& modes = *day->models.m_pAWTourMode;
    for (int k = 1; k <= 2; ++k) {
        decision_key::Reseed(day->models, *day->household, 3 * 1 + k + 1);
        modes.SetUnavailable({});
        EXPECT_EQ(pattern.GetTourAt(7 + k)->GetMode(), modes.Draw()) << "after-work tour " << k;
    }
}

TEST_P(OwnToursTest, ATourWithoutTimeLeftIsNotMade) {
    day->FixTourModels(2, 1, 20.0, 0);
    // Work from minute 1 to the end of the day: no time before or after it.
    CWPattern& pattern = SimulateWorker(1.0, 1439.0);
    EXPECT_EQ(pattern.GetBeforeWorkTourCount(), 0);
    EXPECT_EQ(pattern.GetAfterWorkTourCount(), 0);
    EXPECT_TRUE(pattern.GetTourAt(2) == nullptr && pattern.GetTourAt(8) == nullptr);  // emptied slots stay null
    EXPECT_EQ(pattern.GetTourCount(), 3);  // the commutes and the work-based tour
}

TEST_P(OwnToursTest, ATourWhoseStopsOutlastItsWindowIsNotMade) {
    // Twelve minutes before the commute leaves and twelve at work: the stay
    // leaves a window shorter than five stops of two-minute trips.
    day->FixTourModels(2, 5, 20.0, 0);
    const double commute =
        std::max(2.0, std::floor(WorkerDay::AutoTime(WorkerDay::kHomeZone, WorkerDay::kWorkZone, 0.0)));
    CWPattern& pattern = SimulateWorker(commute + 12.0, 12.0, false);
    pattern.Simulate(worker, &day->models, day->household.get(), day->simulator.get());
    EXPECT_EQ(pattern.GetBeforeWorkTourCount(), 0);
    EXPECT_EQ(pattern.GetWorkBasedTourCount(), 0);
    EXPECT_TRUE(pattern.GetTourAt(2) == nullptr && pattern.GetTourAt(5) == nullptr);
    EXPECT_EQ(pattern.GetAfterWorkTourCount(), 1);
    // The commutes wait the whole windows: the work, the time before leaving.
    EXPECT_DOUBLE_EQ(pattern.GetTourAt(0)->GetPreTourTime(), 12.0);
    EXPECT_DOUBLE_EQ(pattern.GetTourAt(1)->GetPreTourTime(), 12.0);
}

TEST_P(OwnToursTest, AfterAWalkOrTransitCommuteWorkBasedToursWalk) {
    day->FixTourModels(2, 1, 20.0, 0);
    WorkerDay::FixChoice(*day->models.m_pWHCommuteMode, 3);
    WorkerDay::FixChoice(*day->models.m_pWBTourMode, 3);
    CWPattern& pattern = SimulateWorker(480.0, 480.0);
    ASSERT_EQ(pattern.GetWorkToHomeTourMode(), 3);
    CTour& tour = *pattern.GetTourAt(5);
    EXPECT_EQ(tour.GetMode(), 2);
    // The way back to work keeps the drawn mode's time: transit, not walking.
    const CStop& last = *tour.GetStopByNumber(1);
    const CStop& closing = *tour.GetStopByNumber(2);
    const double departure = last.GetDepartureTime() + last.GetTravelTime() + last.GetActivityDuration();
    const int table = departure < 540 ? 2 : (departure < 960 ? 3 : 2);
    double expected = std::max(2.0, std::floor(*LOSRegion::LOSValue(table, last.GetZone(), WorkerDay::kWorkZone, 8)));
    if (expected > last.GetTimeLeft()) expected = std::max(0.0, std::floor(0.95 * last.GetTimeLeft()));
    EXPECT_DOUBLE_EQ(closing.GetTravelTime(), expected);
}

TEST_P(OwnToursTest, AfterWorkToursPlacedBeforeAreKept) {
    day->FixTourModels(2, 1, 20.0, 0);
    CWPattern& pattern = SimulateWorker(480.0, 480.0, false);
    auto joint = std::make_unique<CWorkerTour>(&day->data, &pattern);
    CTour* placed = joint.get();
    pattern.AddAfterWorkTour(std::move(joint));
    pattern.Simulate(worker, &day->models, day->household.get(), day->simulator.get());
    EXPECT_EQ(pattern.GetAfterWorkTourCount(), 1);
    EXPECT_EQ(pattern.GetTourAt(8), placed);
    EXPECT_EQ(pattern.GetWorkBasedTourCount(), 1);
}

TEST_P(OwnToursTest, ANonWorkerDrawingFiveToursMakesAtMostFourInAll) {
    day->FixTourModels(2, 2, 10.0, 0);
    WorkerDay::FixCategory(*day->models.m_pNumberOfToursNW, 5);
    CPersonObject& person = *day->household->GetPerson(2);
    for (int present : {0, 1}) {
        CNWPattern& pattern = day->MakeNonWorker(2, {3});
        if (present == 1) {
            auto escort = std::make_unique<CNWorkerTour>(&day->data, &pattern);
            escort->SetMode(4);
            escort->SetPreTourTime(400.0);
            escort->AppendStop(12, 0.0, 400.0, 20.0, WorkerDay::kHomeZone, 5, 18);
            pattern.AddTour(std::move(escort));
        }
        pattern.Simulate(&person, &day->models, day->household.get(), day->simulator.get());
        EXPECT_EQ(pattern.GetDrawnTourCount(), 4 - present);
        ASSERT_EQ(pattern.GetTourCount(), 4) << present << " present";
        double previousDeparture = -1.0;
        for (int k = present + 1; k <= 4; ++k) {
            CTour& tour = *pattern.GetNthTour(k);
            EXPECT_EQ(tour.GetPosition(), k);
            ExpectChained(tour, "tour " + std::to_string(k));
            EXPECT_GE(tour.GetStopByNumber(1)->GetDepartureTime(), previousDeparture);
            previousDeparture = tour.GetStopByNumber(1)->GetDepartureTime();
            EXPECT_EQ(tour.GetStopByNumber(tour.GetStopCount())->GetActivityType(), 12);
        }
    }
}

TEST_P(OwnToursTest, ASingleTourDrawsItsOwnBoundedDurationAndStay) {
    day->FixTourModels(2, 1, 10.0, 0);
    WorkerDay::FixMinutes(*day->models.m_pBWTourDuration, 600.0);
    CWPattern& pattern = day->MakeWorker(1, {3}, 480.0, 480.0);
    pattern.SetBeforeWorkTourCount(1);
    pattern.CreateBeforeWorkTours();
    auto& tour = static_cast<CWorkerTour&>(*pattern.GetTourAt(2));
    tour.SetWindowLength(400.0);
    tour.SetWindowStart(0.0);
    tour.SimulateTour(worker, &day->models, day->household.get());
    EXPECT_EQ(tour.GetMode(), 0);
    EXPECT_EQ(tour.GetStops().size(), 1u);
    EXPECT_DOUBLE_EQ(tour.GetDurationField(), 198.0);  // at most 49.67 % of the window
    EXPECT_DOUBLE_EQ(tour.GetSlack(), 202.0);
    EXPECT_DOUBLE_EQ(tour.GetPreTourTime(), 44.0);     // at least 22.116 % of the slack

    WorkerDay::FixMinutes(day->models.DurationOfTour(1), 700.0);
    WorkerDay::FixCategory(day->models.NumberOfStopsInTour(1), 2);
    CNWPattern& own = day->MakeNonWorker(2, {3});
    own.AddTour(std::make_unique<CNWorkerTour>(&day->data, &own));
    auto& first = static_cast<CNWorkerTour&>(*own.GetNthTour(1));
    first.SetWindowLength(1000.0);
    first.SimulateTour(day->household->GetPerson(2), &day->models, day->household.get());
    EXPECT_EQ(first.GetStops().size(), 2u);
    EXPECT_DOUBLE_EQ(first.GetDurationField(), 629.0);  // tour 1 of 1, two stops: at most 629 minutes
    EXPECT_DOUBLE_EQ(first.GetPreTourTime(), 52.0);     // at least 14.2361 % of the slack of 371
}

INSTANTIATE_TEST_SUITE_P(Db, OwnToursTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
