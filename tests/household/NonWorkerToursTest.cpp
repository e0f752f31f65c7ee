// The tours a non-working parent fits around the school pick-up: one before
// it, in the home stay that precedes it, and one after the day's last tour.

#include "EscortTestWorld.h"

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

class NonWorkerTours : public ::testing::TestWithParam<std::string> {
protected:
    // The parent, who shops, picks both children up at `pickUp`; the tour
    // decisions always say yes.
    static void PickUpAt(EscortTestWorld& world, double pickUp) {
        CPersonObject* adult = world.Adult();
        adult->SetFlag(3, true);
        EscortTestWorld::Answers(*world.models.m_pNonWorkersDecisionToUndertakeIndependentTourBeforePickup, true);
        CEpisodeRecord episode(world.Child(1), pickUp, world.OtherZone());
        episode.AddChild(world.Child(2));
        episode.m_pAdult = adult;
        world.simulator.m_pickUpEpisodes.push_back(episode);
        world.simulator.SimulateNonWorkerEscortTours(adult, &world.Household(), &world.models);
    }
    static void Simulate(EscortTestWorld& world) {
        world.simulator.SimulateNonWorkerTours(world.Adult(), &world.Household(), &world.models, &world.simulator);
    }
    static double Departure(const CTour& tour) { return tour.GetStopByNumber(1)->GetDepartureTime(); }
    static double Return(const CTour& tour) {
        const CStop& home = *tour.GetStops().back();
        return home.GetDepartureTime() + home.GetTravelTime();
    }
};

TEST_P(NonWorkerTours, ToursBeforeAndAfterThePickUpFitTheDayInOrder) {
    EscortTestWorld world(GetParam());
    PickUpAt(world, 880.0);
    CNWPattern* day = world.Adult()->GetNWPattern();
    ASSERT_EQ(day->GetTourCount(), 1);
    CTour* pickUp = day->GetNthTour(1);
    const double leaveForPickUp = Departure(*pickUp);
    const double homeStay = pickUp->GetPreTourTime();

    Simulate(world);
    ASSERT_EQ(day->GetTourCount(), 3);
    // Sorted by departure and renumbered: before, pick-up, after.
    const CTour* before = day->GetNthTour(1);
    const CTour* after = day->GetNthTour(3);
    EXPECT_EQ(day->GetNthTour(2), pickUp);
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(day->GetNthTour(k)->GetPosition(), k);

    // The tour before stays in the home stay before the pick-up; the pick-up
    // keeps its departure and now waits at home from that tour's return.
    EXPECT_DOUBLE_EQ(before->GetWindowStart(), 0.0);
    EXPECT_LE(before->GetPreTourTime(), homeStay);
    EXPECT_LE(Return(*before), leaveForPickUp);
    EXPECT_DOUBLE_EQ(Departure(*pickUp), leaveForPickUp);
    EXPECT_DOUBLE_EQ(pickUp->GetWindowStart(), Return(*before));
    EXPECT_DOUBLE_EQ(pickUp->GetPreTourTime(), leaveForPickUp - Return(*before));

    // The tour after starts from the pick-up tour's return.
    EXPECT_DOUBLE_EQ(after->GetWindowStart(), Departure(*pickUp) + pickUp->GetDuration());
    EXPECT_DOUBLE_EQ(Departure(*after), after->GetWindowStart() + after->GetPreTourTime());

    for (const CTour* tour : {before, after}) {
        EXPECT_GE(tour->GetPreTourTime(), 0.0);
        EXPECT_EQ(tour->GetStops().back()->GetActivityType(), 12);
        EXPECT_EQ(tour->GetStops().back()->GetZone(), world.HomeZone());
        for (const auto& stop : tour->GetStops()) {
            EXPECT_GE(stop->GetTravelTime(), 0.0);
            EXPECT_GE(stop->GetActivityDuration(), 0.0);
        }
    }
    EXPECT_EQ(world.simulator.GetCurrentPerson(), nullptr);
}

TEST_P(NonWorkerTours, NoTourAfterALateLastTour) {
    EscortTestWorld world(GetParam());
    PickUpAt(world, 1436.0);
    CNWPattern* day = world.Adult()->GetNWPattern();
    CTour* pickUp = day->GetNthTour(1);
    ASSERT_GE(Departure(*pickUp) + pickUp->GetDuration(), 1440.0);

    Simulate(world);
    // The tour before the pick-up, none after it.
    ASSERT_EQ(day->GetTourCount(), 2);
    EXPECT_EQ(day->GetNthTour(2), pickUp);
}

TEST_P(NonWorkerTours, APatternOfFourToursGetsNoFurtherTour) {
    EscortTestWorld world(GetParam());
    CNWPattern* day = world.Adult()->GetNWPattern();
    for (int k = 0; k < 3; ++k) {
        auto tour = std::make_unique<CNWorkerTour>(day->GetDataManager(), day);
        tour->SetPreTourTime(60.0);
        tour->AppendStop(0, 30.0, 60.0 + 120.0 * k, 10.0, world.HomeZone(), world.OtherZone(), 18);
        tour->AppendStop(12, 0.0, 100.0 + 120.0 * k, 10.0, world.OtherZone(), world.HomeZone(), 0);
        day->AddTour(std::move(tour));
    }
    PickUpAt(world, 880.0);
    ASSERT_EQ(day->GetTourCount(), 4);

    Simulate(world);
    EXPECT_EQ(day->GetTourCount(), 4);
}

INSTANTIATE_TEST_SUITE_P(Db, NonWorkerTours, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
