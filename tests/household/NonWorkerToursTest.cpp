// The tours a non-working parent fits around the school pick-up: one in the
// home stay before it and one after the day's last tour.

#include "EscortTestWorld.h"
#include "WorkerDay.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "household/CEpisodeRecord.h"
#include "models/CBLogitMM.h"
#include "schedules/CNWPattern.h"
#include "schedules/CNWorkerTour.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class NonWorkerTours : public ::testing::TestWithParam<std::string> {};

// The parent, who shops and always decides for a tour, picks the children up.
CNWPattern* PickUpAt(EscortTestWorld& world, double time) {
    world.Adult()->SetFlag(3, true);
    EscortTestWorld::Answers(*world.models.m_pNonWorkersDecisionToUndertakeIndependentTourBeforePickup, true);
    world.AddEpisode(world.simulator.m_pickUpEpisodes, time);
    world.simulator.SimulateNonWorkerEscortTours(world.Adult(), &world.Household(), &world.models);
    return world.Adult()->GetNWPattern();
}

double Leave(const CTour& tour) { return tour.GetStopByNumber(1)->GetDepartureTime(); }

// The k-th (from 0) of the parent's own shopping tours before noon.
void AddMorningTour(EscortTestWorld& world, int k) {
    CNWPattern* day = world.Adult()->GetNWPattern();
    auto tour = std::make_unique<CNWorkerTour>(day->GetDataManager(), day);
    tour->SetPreTourTime(60.0);
    tour->AppendStop(0, 30.0, 60.0 + 120.0 * k, 10.0, world.HomeZone(), world.OtherZone(), 18);
    tour->AppendStop(12, 0.0, 100.0 + 120.0 * k, 10.0, world.OtherZone(), world.HomeZone(), 0);
    day->AddTour(std::move(tour));
}

TEST_P(NonWorkerTours, ToursBeforeAndAfterThePickUpFitTheDayInOrder) {
    EscortTestWorld world(GetParam());
    CNWPattern* day = PickUpAt(world, 880.0);
    CTour* pickUp = day->GetNthTour(1);
    const double leaveForPickUp = Leave(*pickUp);
    const double homeStay = pickUp->GetPreTourTime();
    world.simulator.SimulateNonWorkerTours(world.Adult(), &world.Household(), &world.models, &world.simulator);

    // Sorted by departure and renumbered: before, pick-up, after.
    ASSERT_EQ(day->GetTourCount(), 3);
    const CTour* before = day->GetNthTour(1);
    const CTour* after = day->GetNthTour(3);
    EXPECT_EQ(day->GetNthTour(2), pickUp);
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(day->GetNthTour(k)->GetPosition(), k);
    // The tour before lies in the home stay before the pick-up, which keeps its
    // departure and now waits at home from that tour's return.
    EXPECT_LE(before->GetPreTourTime(), homeStay);
    EXPECT_LE(WorkerDay::Arrival(*before), leaveForPickUp);
    EXPECT_EQ(Leave(*pickUp), leaveForPickUp);
    EXPECT_EQ(pickUp->GetWindowStart(), WorkerDay::Arrival(*before));
    EXPECT_EQ(pickUp->GetPreTourTime(), leaveForPickUp - WorkerDay::Arrival(*before));
    // The tour after starts from the pick-up tour's return.
    EXPECT_EQ(after->GetWindowStart(), WorkerDay::Arrival(*pickUp));
    EXPECT_EQ(Leave(*after), after->GetWindowStart() + after->GetPreTourTime());
    for (const CTour* tour : {before, after}) {
        EXPECT_GE(tour->GetPreTourTime(), 0.0);
        EXPECT_EQ(tour->GetStops().back()->GetZone(), world.HomeZone());
    }
    EXPECT_EQ(world.simulator.GetCurrentPerson(), nullptr);
}

TEST_P(NonWorkerTours, NoTourAfterALateLastTourNorBeyondFourTours) {
    EscortTestWorld late(GetParam());
    CNWPattern* day = PickUpAt(late, 1436.0);
    late.simulator.SimulateNonWorkerTours(late.Adult(), &late.Household(), &late.models, &late.simulator);
    // The tour before the pick-up, none after it.
    ASSERT_EQ(day->GetTourCount(), 2);
    EXPECT_EQ(day->GetNthTour(2)->GetStopByNumber(1)->GetActivityType(), 11);

    EscortTestWorld full(GetParam());
    day = full.Adult()->GetNWPattern();
    for (int k = 0; k < 3; ++k) AddMorningTour(full, k);
    PickUpAt(full, 880.0);
    full.simulator.SimulateNonWorkerTours(full.Adult(), &full.Household(), &full.models, &full.simulator);
    EXPECT_EQ(day->GetTourCount(), 4);
}

TEST_P(NonWorkerTours, NoTourBeforeThePickUpWhenItsHomeStayFillsTheWindow) {
    // After a morning tour, the home stay of a third tour has no bound.
    EscortTestWorld world(GetParam());
    AddMorningTour(world, 0);
    WorkerDay::FixMinutes(world.models.HomeStayDurationBeforeTour(1), 1440.0);
    CNWPattern* day = PickUpAt(world, 880.0);
    CTour* pickUp = day->GetNthTour(2);
    const double windowStart = pickUp->GetWindowStart();
    const double homeStay = pickUp->GetPreTourTime();
    world.simulator.SimulateNonWorkerTours(world.Adult(), &world.Household(), &world.models, &world.simulator);

    // The pick-up keeps its window; the tour after it is still made.
    ASSERT_EQ(day->GetTourCount(), 3);
    EXPECT_EQ(day->GetNthTour(2), pickUp);
    EXPECT_EQ(pickUp->GetWindowStart(), windowStart);
    EXPECT_EQ(pickUp->GetPreTourTime(), homeStay);
    EXPECT_EQ(day->GetNthTour(3)->GetWindowStart(), WorkerDay::Arrival(*pickUp));
}

TEST_P(NonWorkerTours, NoTourBeforeThePickUpWhoseStopsOutlastItsWindow) {
    // After a drop-off, a third tour's home stay leaves a minute: too short for two stops of two-minute trips.
    EscortTestWorld world(GetParam());
    world.AddEpisode(world.simulator.m_dropOffEpisodes, 470.0);
    CNWPattern* day = PickUpAt(world, 880.0);
    CTour* pickUp = day->GetNthTour(2);
    const double windowStart = pickUp->GetWindowStart(), homeStay = pickUp->GetPreTourTime();
    WorkerDay::FixMinutes(world.models.HomeStayDurationBeforeTour(1), homeStay - 1.0);
    WorkerDay::FixCategory(world.models.NumberOfStopsInTour(1), 2);
    world.simulator.SimulateNonWorkerTours(world.Adult(), &world.Household(), &world.models, &world.simulator);
    ASSERT_EQ(day->GetTourCount(), 3);  // drop-off, pick-up and the tour after it
    EXPECT_EQ(pickUp->GetWindowStart(), windowStart);
    EXPECT_EQ(pickUp->GetPreTourTime(), homeStay);
    for (int k = 1; k < 3; ++k) EXPECT_LE(WorkerDay::Arrival(*day->GetNthTour(k)), Leave(*day->GetNthTour(k + 1)));
}

INSTANTIATE_TEST_SUITE_P(Db, NonWorkerTours, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
