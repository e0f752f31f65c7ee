// A schoolchild's rides to and from school, bounded by the school mode, and a
// child's discretionary tour, on a hand-built household of the generated region.

#include "EscortTestWorld.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "household/CEpisodeRecord.h"
#include "models/CBLogitMM.h"
#include "models/CRegressMM.h"
#include "schedules/CNWPattern.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/CWPattern.h"

#include <gtest/gtest.h>

namespace {

class ChildTravel : public ::testing::TestWithParam<std::string> {};

TEST_P(ChildTravel, RideTimesAreBoundedByTheSchoolModeAndMeetTheSchoolDay) {
    struct Case {
        int mode;
        double predicted;
        double toHome;    // minutes of the ride home
        double toSchool;  // minutes of the ride to school
    };
    const Case cases[] = {
        {6, 80.0, 60.0, 65.0}, {6, 1.0, 10.0, 10.0}, {2, 80.0, 35.0, 30.0}, {2, 1.0, 3.0, 4.0},
        {4, 80.0, 45.0, 30.0}, {5, 2.0, 5.0, 3.0},   {5, 20.0, 20.0, 20.0}, {3, 20.0, 3.0, 3.0},
    };
    for (const Case& c : cases) {
        EscortTestWorld world(GetParam());
        EscortTestWorld::Predicts(*world.models.m_pSchoolToHomeCommuteTime, c.predicted);
        EscortTestWorld::Predicts(*world.models.m_pHomeToSchoolCommuteTime, c.predicted);
        CPersonObject* child = world.Child(1);
        CWPattern* school = child->GetWPattern();
        school->SetWorkToHomeTourMode(c.mode);
        school->SetHomeToWorkTourMode(c.mode);
        world.simulator.SimulateChildSchoolCommute(child, &world.Household(), &world.models);
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", predicted " << c.predicted);

        const CTour* home = school->GetTourAt(CWPattern::kWorkToHomeSlot);
        ASSERT_EQ(home->GetStopCount(), 1);
        const CStop* back = home->GetStopByNumber(1);
        EXPECT_DOUBLE_EQ(back->GetTravelTime(), c.toHome);
        EXPECT_DOUBLE_EQ(school->GetWorkToHomeDuration(), c.toHome);
        EXPECT_DOUBLE_EQ(back->GetDepartureTime(), 880.0);
        EXPECT_DOUBLE_EQ(back->GetRemainingWindow(), 560.0);
        EXPECT_EQ(back->GetActivityType(), 14);
        EXPECT_EQ(back->GetOriginActivityType(), 19);
        EXPECT_EQ(back->GetOriginZone(), world.OtherZone());
        EXPECT_EQ(back->GetZone(), world.HomeZone());
        EXPECT_DOUBLE_EQ(home->GetPreTourTime(), 400.0);
        EXPECT_DOUBLE_EQ(home->GetWindowStart(), 480.0);

        const CTour* out = school->GetTourAt(CWPattern::kHomeToWorkSlot);
        ASSERT_EQ(out->GetStopCount(), 1);
        const CStop* ride = out->GetStopByNumber(1);
        EXPECT_DOUBLE_EQ(ride->GetTravelTime(), c.toSchool);
        EXPECT_DOUBLE_EQ(ride->GetDepartureTime() + ride->GetTravelTime(), 480.0);
        EXPECT_DOUBLE_EQ(out->GetPreTourTime(), ride->GetDepartureTime());
        EXPECT_EQ(ride->GetActivityType(), 15);
        EXPECT_EQ(ride->GetOriginZone(), world.HomeZone());
        EXPECT_EQ(ride->GetZone(), world.OtherZone());
    }
}

TEST_P(ChildTravel, AnEscortedChildKeepsTheAdultsLegsAndTakesItsVehicle) {
    EscortTestWorld world(GetParam());
    CPersonObject* adult = world.Adult();
    adult->m_nVehicle = 3;
    CPersonObject* child = world.Child(1);
    CEpisodeRecord pickUp(child, 880.0, world.OtherZone());
    pickUp.m_pAdult = adult;
    world.simulator.m_pickUpEpisodes.push_back(pickUp);
    world.simulator.SimulateChildSchoolCommute(child, &world.Household(), &world.models);

    CWPattern* school = child->GetWPattern();
    const CTour* home = school->GetTourAt(CWPattern::kWorkToHomeSlot);
    EXPECT_EQ(home->GetEscortOrVehicleId(), 3);
    EXPECT_TRUE(home->GetStops().empty());
    // The morning ride is the child's own.
    EXPECT_EQ(school->GetTourAt(CWPattern::kHomeToWorkSlot)->GetStopCount(), 1);
    EXPECT_EQ(school->GetTourAt(CWPattern::kHomeToWorkSlot)->GetEscortOrVehicleId(), -1);

    // A child outside the episode rides alone both ways.
    world.simulator.SimulateChildSchoolCommute(world.Child(2), &world.Household(), &world.models);
    EXPECT_EQ(world.Child(2)->GetWPattern()->GetTourAt(CWPattern::kWorkToHomeSlot)->GetStopCount(), 1);
}

TEST_P(ChildTravel, DiscretionaryTourFollowsTheSchoolDayAndReturnsHome) {
    EscortTestWorld world(GetParam());
    EscortTestWorld::Answers(*world.models.m_pModeForDiscretionaryTour, true);
    EscortTestWorld::Predicts(*world.models.m_pDepartureTimeFromHomeForDiscretionaryTour, 300.0);
    EscortTestWorld::Predicts(*world.models.m_pActivityDurationAtDiscretionaryStop, 60.0);
    EscortTestWorld::Predicts(*world.models.m_pTravelTimeToDiscretionaryStop, 12.0);

    // Without the child-independent flag there is no tour.
    CPersonObject* child = world.Child(1);
    CWPattern* school = child->GetWPattern();
    school->SetWorkToHomeDuration(20.0);
    world.simulator.SimulateChildDiscretionaryTour(child, &world.Household(), &world.models, &world.simulator);
    EXPECT_EQ(child->m_pDiscretionaryTour, nullptr);
    EXPECT_EQ(school->GetAfterWorkTourCount(), 0);

    school->SetChildIndependentActivity(true);
    world.simulator.SimulateChildDiscretionaryTour(child, &world.Household(), &world.models, &world.simulator);
    CTour* tour = school->GetTourAt(CWPattern::kFirstAfterWorkSlot);
    ASSERT_NE(tour, nullptr);
    EXPECT_EQ(child->m_pDiscretionaryTour, tour);
    EXPECT_EQ(school->GetAfterWorkTourCount(), 1);
    EXPECT_EQ(tour->GetMode(), 2);
    // A departure before the child is home from school waits for it: 880 + 20.
    EXPECT_DOUBLE_EQ(tour->GetWindowStart(), 900.0);
    EXPECT_DOUBLE_EQ(tour->GetPreTourTime(), 0.0);
    ASSERT_EQ(tour->GetStopCount(), 2);
    const CStop* stop = tour->GetStopByNumber(1);
    const CStop* back = tour->GetStopByNumber(2);
    EXPECT_DOUBLE_EQ(stop->GetDepartureTime(), 900.0);
    EXPECT_DOUBLE_EQ(stop->GetActivityDuration(), 60.0);
    EXPECT_DOUBLE_EQ(stop->GetTravelTime(), 12.0);
    EXPECT_EQ(stop->GetActivityType(), 16);
    EXPECT_EQ(stop->GetOriginZone(), world.HomeZone());
    EXPECT_EQ(back->GetActivityType(), 14);
    EXPECT_EQ(back->GetOriginActivityType(), 16);
    EXPECT_EQ(back->GetOriginZone(), stop->GetZone());
    EXPECT_EQ(back->GetZone(), world.HomeZone());
    EXPECT_DOUBLE_EQ(back->GetDepartureTime(), 972.0);
    EXPECT_DOUBLE_EQ(tour->GetDuration(), 84.0);
    EXPECT_EQ(world.simulator.GetCurrentPerson(), nullptr);
}

TEST_P(ChildTravel, DiscretionaryStopWithoutDestinationsStaysHome) {
    EscortTestWorld world(GetParam());
    EscortTestWorld::Answers(*world.models.m_pModeForDiscretionaryTour, false);
    EscortTestWorld::Predicts(*world.models.m_pDepartureTimeFromHomeForDiscretionaryTour, 1200.0);
    EscortTestWorld::Predicts(*world.models.m_pActivityDurationAtDiscretionaryStop, 30.0);
    EscortTestWorld::Predicts(*world.models.m_pTravelTimeToDiscretionaryStop, 12.0);
    // A home zone of no level-of-service table has no destinations.
    world.Household().SetValue(3, 999.0);

    // A child who does not go to school: a tour of its non-worker pattern.
    CPersonObject* child = world.Child(2);
    child->SetFlag(0, false);
    child->SetFlag(1, false);
    child->CreatePattern();
    child->GetPattern()->SetChildIndependentActivity(true);
    world.simulator.SimulateChildDiscretionaryTour(child, &world.Household(), &world.models, &world.simulator);

    CNWPattern* day = child->GetNWPattern();
    ASSERT_EQ(day->GetTourCount(), 1);
    CTour* tour = day->GetNthTour(1);
    EXPECT_EQ(child->m_pDiscretionaryTour, tour);
    EXPECT_EQ(tour->GetMode(), 5);
    // The departure is bounded to 990 at the latest.
    EXPECT_DOUBLE_EQ(tour->GetPreTourTime(), 990.0);
    EXPECT_EQ(tour->GetStopByNumber(1)->GetZone(), 999);
    EXPECT_EQ(tour->GetStopByNumber(2)->GetOriginZone(), 999);
}

INSTANTIATE_TEST_SUITE_P(Db, ChildTravel, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
