// The school escort tours of a non-working parent and the children's rides
// that they fill, on a hand-built household of the generated region.

#include "EscortTestWorld.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "household/CEpisodeRecord.h"
#include "household/CoupleNoChildrenHH.h"
#include "schedules/CNWPattern.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/CWPattern.h"

#include <gtest/gtest.h>

namespace {

class EscortTours : public ::testing::TestWithParam<std::string> {
protected:
    // Both children dropped off at 480 (and picked up at 880) at the school zone.
    static void AddEpisodes(EscortTestWorld& world, bool dropOff, bool pickUp) {
        const double times[] = {480.0, 880.0};
        CHouseholdWithChildren::EpisodeList* lists[] = {&world.simulator.m_dropOffEpisodes,
                                                        &world.simulator.m_pickUpEpisodes};
        const bool wanted[] = {dropOff, pickUp};
        for (int k = 0; k < 2; ++k) {
            if (!wanted[k]) continue;
            CEpisodeRecord episode(world.Child(1), times[k], world.OtherZone());
            episode.AddChild(world.Child(2));
            episode.m_pAdult = world.Adult();
            lists[k]->push_back(episode);
        }
    }
};

// What every escort tour keeps: a car tour chained from home to the school
// and back, each leg leaving when the previous stop ends.
void ExpectChainedEscortTour(const CTour& tour, int schoolActivity, double episodeTime, int school, int home) {
    EXPECT_EQ(tour.GetMode(), 0);
    ASSERT_GE(tour.GetStopCount(), 2);
    ASSERT_EQ(static_cast<int>(tour.GetStops().size()), tour.GetStopCount());
    const CStop* first = tour.GetStopByNumber(1);
    EXPECT_EQ(first->GetActivityType(), schoolActivity);
    EXPECT_DOUBLE_EQ(first->GetActivityDuration(), 5.0);
    EXPECT_EQ(first->GetOriginActivityType(), 18);
    EXPECT_EQ(first->GetOriginZone(), home);
    EXPECT_EQ(first->GetZone(), school);
    EXPECT_GE(first->GetTravelTime(), 2.0);
    EXPECT_DOUBLE_EQ(first->GetDepartureTime() + first->GetTravelTime(), episodeTime);
    EXPECT_DOUBLE_EQ(tour.GetWindowStart() + tour.GetPreTourTime(), first->GetDepartureTime());
    for (int k = 2; k <= tour.GetStopCount(); ++k) {
        const CStop* previous = tour.GetStopByNumber(k - 1);
        const CStop* stop = tour.GetStopByNumber(k);
        EXPECT_DOUBLE_EQ(stop->GetDepartureTime(), previous->GetDepartureTime() + previous->GetTravelTime() +
                                                       previous->GetActivityDuration());
        EXPECT_EQ(stop->GetOriginZone(), previous->GetZone());
    }
    const CStop* last = tour.GetStopByNumber(tour.GetStopCount());
    EXPECT_EQ(last->GetActivityType(), 12);
    EXPECT_EQ(last->GetZone(), home);
    EXPECT_DOUBLE_EQ(tour.GetDurationField(),
                     last->GetDepartureTime() + last->GetTravelTime() - first->GetDepartureTime());
}

TEST_P(EscortTours, DropOffWithoutActivitiesTakesTheChildrenAlongToSchool) {
    EscortTestWorld world(GetParam());
    AddEpisodes(world, true, false);
    CPersonObject* adult = world.Adult();
    world.simulator.SimulateNonWorkerEscortTours(adult, &world.Household(), &world.models);

    CNWPattern* day = adult->GetNWPattern();
    ASSERT_EQ(day->GetTourCount(), 1);
    const CTour* tour = day->GetNthTour(1);
    EXPECT_EQ(world.simulator.m_dropOffEpisodes.front().m_pTour, tour);
    EXPECT_EQ(adult->m_bDropsOffChildren, 1);
    EXPECT_EQ(adult->m_bPicksUpChildren, 0);
    EXPECT_EQ(tour->GetStopCount(), 2);
    ExpectChainedEscortTour(*tour, 10, 480.0, world.OtherZone(), world.HomeZone());
    const CStop* school = tour->GetStopByNumber(1);
    const CStop* back = tour->GetStopByNumber(2);
    EXPECT_DOUBLE_EQ(back->GetDepartureTime(), 485.0);
    EXPECT_DOUBLE_EQ(back->GetActivityDuration(), 0.0);
    // Without activities the school stop leaves the rest of the day after the return.
    EXPECT_DOUBLE_EQ(school->GetTimeLeft(), 1440.0 - (485.0 + back->GetTravelTime()));

    for (int i = 1; i <= 2; ++i) {
        const CWPattern* pattern = world.Child(i)->GetWPattern();
        const CTour* ride = pattern->GetTourAt(CWPattern::kHomeToWorkSlot);
        ASSERT_EQ(ride->GetStopCount(), 1);
        const CStop* stop = ride->GetStopByNumber(1);
        EXPECT_DOUBLE_EQ(stop->GetDepartureTime(), school->GetDepartureTime());
        EXPECT_DOUBLE_EQ(stop->GetTravelTime(), school->GetTravelTime());
        EXPECT_DOUBLE_EQ(ride->GetPreTourTime(), school->GetDepartureTime());
        EXPECT_DOUBLE_EQ(stop->GetActivityDuration(), 400.0);
        EXPECT_EQ(stop->GetActivityType(), 15);
        EXPECT_EQ(stop->GetZone(), world.OtherZone());
        EXPECT_EQ(stop->GetOriginZone(), world.HomeZone());
        // The pick-up half is left to the afternoon's escort or ride.
        EXPECT_TRUE(pattern->GetTourAt(CWPattern::kWorkToHomeSlot)->GetStops().empty());
    }
}

TEST_P(EscortTours, OneParentDropsOffThenPicksUpAndBringsTheChildrenHome) {
    EscortTestWorld world(GetParam());
    AddEpisodes(world, true, true);
    CPersonObject* adult = world.Adult();
    world.simulator.SimulateNonWorkerEscortTours(adult, &world.Household(), &world.models);

    CNWPattern* day = adult->GetNWPattern();
    ASSERT_EQ(day->GetTourCount(), 2);
    const CTour* dropOff = day->GetNthTour(1);
    const CTour* pickUp = day->GetNthTour(2);
    EXPECT_EQ(world.simulator.m_pickUpEpisodes.front().m_pTour, pickUp);
    EXPECT_EQ(adult->m_bPicksUpChildren, 1);
    ExpectChainedEscortTour(*pickUp, 11, 880.0, world.OtherZone(), world.HomeZone());
    // The afternoon tour waits at home from the return of the morning one.
    const CStop* morningHome = dropOff->GetStopByNumber(2);
    EXPECT_DOUBLE_EQ(pickUp->GetWindowStart(), morningHome->GetDepartureTime() + morningHome->GetTravelTime());
    // After the pick-up the parent stays home for the rest of the day.
    const CStop* back = pickUp->GetStopByNumber(2);
    EXPECT_DOUBLE_EQ(back->GetActivityDuration(), 1440.0 - back->GetDepartureTime() - back->GetTravelTime());
    const double arrival = back->GetDepartureTime() + back->GetTravelTime();

    for (int i = 1; i <= 2; ++i) {
        CWPattern* pattern = world.Child(i)->GetWPattern();
        const CTour* ride = pattern->GetTourAt(CWPattern::kWorkToHomeSlot);
        ASSERT_EQ(ride->GetStopCount(), 1);
        const CStop* stop = ride->GetStopByNumber(1);
        // The child rides the parent's legs after the school, numbered as the parent's.
        EXPECT_EQ(stop->GetStopNumber(), 2);
        EXPECT_EQ(stop->GetActivityType(), 12);
        EXPECT_EQ(stop->GetOriginActivityType(), 19);
        EXPECT_EQ(stop->GetZone(), world.HomeZone());
        EXPECT_DOUBLE_EQ(stop->GetDepartureTime(), 885.0);
        EXPECT_DOUBLE_EQ(stop->GetTravelTime(), back->GetTravelTime());
        EXPECT_DOUBLE_EQ(pattern->GetWorkToHomeDuration(), arrival - 885.0);
        EXPECT_DOUBLE_EQ(ride->GetPreTourTime(), 400.0);
    }
}

TEST_P(EscortTours, NoTourWithoutAnEpisodeOfThePersonOrWithoutChildren) {
    EscortTestWorld world(GetParam());
    CPersonObject* adult = world.Adult();
    // Empty lists: nothing is made and no flag is set.
    world.simulator.SimulateNonWorkerEscortTours(adult, &world.Household(), &world.models);
    adult->GetNWPattern()->AddSchoolDropOffTour(adult, &world.Household(), &world.models, &world.simulator);
    adult->GetNWPattern()->AddSchoolPickUpTour(adult, &world.Household(), &world.models, &world.simulator);
    EXPECT_EQ(adult->GetNWPattern()->GetTourCount(), 0);
    EXPECT_EQ(adult->m_bDropsOffChildren, 0);

    // Episodes served by someone else.
    AddEpisodes(world, true, true);
    world.simulator.m_dropOffEpisodes.front().m_pAdult = nullptr;
    world.simulator.m_pickUpEpisodes.front().m_pAdult = world.Child(1);
    world.simulator.SimulateNonWorkerEscortTours(adult, &world.Household(), &world.models);
    EXPECT_EQ(adult->GetNWPattern()->GetTourCount(), 0);

    // A simulator without children has no episodes to serve.
    CoupleNoChildrenHH withoutChildren(&world.models);
    adult->GetNWPattern()->AddSchoolDropOffTour(adult, &world.Household(), &world.models, &withoutChildren);
    EXPECT_EQ(adult->GetNWPattern()->GetTourCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Db, EscortTours, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
