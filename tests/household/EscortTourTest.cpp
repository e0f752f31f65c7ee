// The school escort tours of a non-working parent and the children's rides
// they fill, on a hand-built household of a generated region.

#include "EscortTestWorld.h"
#include "WorkerDay.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "household/CEpisodeRecord.h"
#include "household/CJointActivityRecord.h"
#include "household/CoupleNoChildrenHH.h"
#include "models/CRegressMM.h"
#include "schedules/CNWPattern.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/CWPattern.h"

#include <gtest/gtest.h>

namespace {

class EscortTours : public ::testing::TestWithParam<std::string> {};

// A car tour from home that reaches the school at the episode's time, stays 5
// minutes, chains every later leg from the stop before and ends at home.
void ExpectEscortTour(const CTour& tour, int activity, double time, const EscortTestWorld& world) {
    EXPECT_EQ(tour.GetMode(), 0);
    ASSERT_EQ(static_cast<int>(tour.GetStops().size()), tour.GetStopCount());
    const CStop* school = tour.GetStopByNumber(1);
    EXPECT_EQ(school->GetActivityType(), activity);
    EXPECT_EQ(school->GetActivityDuration(), 5.0);
    EXPECT_EQ(school->GetOriginActivityType(), 18);
    EXPECT_EQ(school->GetZone(), world.OtherZone());
    EXPECT_EQ(school->GetDepartureTime() + school->GetTravelTime(), time);
    WorkerDay::ExpectChained(tour, "escort tour", true);
    const CStop& home = *tour.GetStops().back();
    EXPECT_EQ(home.GetActivityType(), 12);
    EXPECT_EQ(home.GetZone(), world.HomeZone());
    EXPECT_EQ(tour.GetDurationField(), home.GetDepartureTime() + home.GetTravelTime() - school->GetDepartureTime());
}

TEST_P(EscortTours, OneParentTakesTheChildrenToSchoolAndBringsThemHome) {
    EscortTestWorld world(GetParam());
    world.AddEpisode(world.simulator.m_dropOffEpisodes, 480.0);
    world.AddEpisode(world.simulator.m_pickUpEpisodes, 880.0);
    CPersonObject* adult = world.Adult();
    world.simulator.SimulateNonWorkerEscortTours(adult, &world.Household(), &world.models);

    CNWPattern* day = adult->GetNWPattern();
    ASSERT_EQ(day->GetTourCount(), 2);
    const CTour* dropOff = day->GetNthTour(1);
    const CTour* pickUp = day->GetNthTour(2);
    EXPECT_EQ(world.simulator.m_dropOffEpisodes.front().m_pTour, dropOff);
    EXPECT_EQ(world.simulator.m_pickUpEpisodes.front().m_pTour, pickUp);
    EXPECT_EQ(adult->m_bDropsOffChildren + adult->m_bPicksUpChildren, 2);
    // Without activities of the parent's own: the school and the way home.
    ASSERT_EQ(dropOff->GetStopCount(), 2);
    ASSERT_EQ(pickUp->GetStopCount(), 2);
    ExpectEscortTour(*dropOff, 10, 480.0, world);
    ExpectEscortTour(*pickUp, 11, 880.0, world);
    const CStop* morning = dropOff->GetStopByNumber(1);
    const CStop* morningHome = dropOff->GetStopByNumber(2);
    EXPECT_EQ(morning->GetTimeLeft(), 1440.0 - (485.0 + morningHome->GetTravelTime()));
    EXPECT_EQ(morningHome->GetActivityDuration(), 0.0);
    // The afternoon tour waits at home from the morning's return; after it the
    // parent is home for the rest of the day.
    EXPECT_EQ(pickUp->GetWindowStart(), morningHome->GetDepartureTime() + morningHome->GetTravelTime());
    const CStop* back = pickUp->GetStopByNumber(2);
    EXPECT_EQ(back->GetActivityDuration(), 1440.0 - back->GetDepartureTime() - back->GetTravelTime());

    // The children's own step, after the parent's, keeps the parent's legs and
    // takes the parent's vehicle.
    adult->m_nVehicle = 3;
    for (int i = 1; i <= 2; ++i) {
        world.simulator.SimulateChildSchoolCommute(world.Child(i), &world.Household(), &world.models);
        CWPattern* school = world.Child(i)->GetWPattern();
        const CTour* out = school->GetTourAt(CWPattern::kHomeToWorkSlot);
        const CTour* home = school->GetTourAt(CWPattern::kWorkToHomeSlot);
        ASSERT_EQ(out->GetStopCount(), 1);
        ASSERT_EQ(home->GetStopCount(), 1);
        const CStop* ride = out->GetStopByNumber(1);
        EXPECT_EQ(ride->GetDepartureTime(), morning->GetDepartureTime());
        EXPECT_EQ(ride->GetTravelTime(), morning->GetTravelTime());
        EXPECT_EQ(ride->GetActivityType(), 15);
        EXPECT_EQ(ride->GetActivityDuration(), 400.0);
        // The ride home is the parent's leg after the school, numbered as the parent's.
        const CStop* rideHome = home->GetStopByNumber(1);
        EXPECT_EQ(rideHome->GetStopNumber(), 2);
        EXPECT_EQ(rideHome->GetOriginActivityType(), 19);
        EXPECT_EQ(rideHome->GetDepartureTime(), 885.0);
        EXPECT_EQ(rideHome->GetTravelTime(), back->GetTravelTime());
        EXPECT_EQ(school->GetWorkToHomeDuration(), back->GetDepartureTime() + back->GetTravelTime() - 885.0);
        EXPECT_EQ(out->GetEscortOrVehicleId(), 3);
        EXPECT_EQ(home->GetEscortOrVehicleId(), 3);
    }
}

TEST_P(EscortTours, OwnStopsAfterTheDropOffFitBeforeTheJointActivityOrThePickUp) {
    // start of the parent's joint activity, pick-up by the parent, window of the own stops.
    const double cases[][3] = {{600.0, 0, 115.0}, {450.0, 0, 0.0}, {600.0, 1, (880.0 - 485.0) * 0.9}};
    for (const auto& c : cases) {
        EscortTestWorld world(GetParam());
        CPersonObject* adult = world.Adult();
        adult->SetFlag(3, true);
        CJointActivityRecord joint(std::vector<bool>(3, true), 0, 60.0);
        joint.m_dStartTime = c[0];
        world.Household().m_jointActivities.push_back(joint);
        world.AddEpisode(world.simulator.m_dropOffEpisodes, 480.0);
        if (c[1] == 1) world.AddEpisode(world.simulator.m_pickUpEpisodes, 880.0);
        adult->GetNWPattern()->AddSchoolDropOffTour(adult, &world.Household(), &world.models, &world.simulator);

        const CTour* tour = adult->GetNWPattern()->GetNthTour(1);
        ASSERT_GE(tour->GetStopCount(), 3);
        ExpectEscortTour(*tour, 10, 480.0, world);
        EXPECT_EQ(tour->GetStopByNumber(2)->GetRemainingWindow(), c[2]) << "joint start " << c[0];
    }
}

TEST_P(EscortTours, PickUpDurationIsMeasuredOnceTheTourIsWhole) {
    EscortTestWorld world(GetParam());
    world.Adult()->SetFlag(3, true);
    world.AddEpisode(world.simulator.m_pickUpEpisodes, 880.0);
    // The own stops read the time left after the pick-up, which asks for the
    // pick-up tour's duration while the tour is still being built.
    world.models.TourStopActivityDuration(1).m_terms.Add(30149, 0.0);
    world.simulator.SimulateNonWorkerEscortTours(world.Adult(), &world.Household(), &world.models);
    const CTour* pickUp = world.Adult()->GetNWPattern()->GetNthTour(1);
    ASSERT_GE(pickUp->GetStopCount(), 3);
    ExpectEscortTour(*pickUp, 11, 880.0, world);
}

TEST_P(EscortTours, NoTourWithoutAnEpisodeOfThePerson) {
    EscortTestWorld world(GetParam());
    CPersonObject* adult = world.Adult();
    CNWPattern* day = adult->GetNWPattern();
    day->AddSchoolDropOffTour(adult, &world.Household(), &world.models, &world.simulator);
    day->AddSchoolPickUpTour(adult, &world.Household(), &world.models, &world.simulator);
    // Episodes served by nobody or by someone else.
    world.AddEpisode(world.simulator.m_dropOffEpisodes, 480.0);
    world.AddEpisode(world.simulator.m_pickUpEpisodes, 880.0);
    world.simulator.m_dropOffEpisodes.front().m_pAdult = nullptr;
    world.simulator.m_pickUpEpisodes.front().m_pAdult = world.Child(1);
    world.simulator.SimulateNonWorkerEscortTours(adult, &world.Household(), &world.models);
    // A simulator without children has no episodes.
    CoupleNoChildrenHH withoutChildren(&world.models);
    day->AddSchoolDropOffTour(adult, &world.Household(), &world.models, &withoutChildren);
    EXPECT_EQ(day->GetTourCount(), 0);
    EXPECT_EQ(adult->m_bDropsOffChildren + adult->m_bPicksUpChildren, 0);
}

INSTANTIATE_TEST_SUITE_P(Db, EscortTours, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
