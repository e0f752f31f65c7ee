// A schoolchild's rides to and from school, bounded by the school mode, and a
// child's discretionary tour, on a hand-built household of a generated region.

#include "EscortTestWorld.h"
#include "WorkerDay.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
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
    // mode, predicted minutes, ride home, ride to school (the bounds of each mode).
    const double cases[][4] = {{6, 80, 60, 65}, {6, 1, 10, 10}, {2, 80, 35, 30}, {2, 1, 3, 4},
                               {4, 80, 45, 30}, {5, 2, 5, 3},   {5, 20, 20, 20}, {3, 20, 3, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c[0] << ", predicted " << c[1]);
        EscortTestWorld world(GetParam());
        WorkerDay::FixMinutes(*world.models.m_pSchoolToHomeCommuteTime, c[1]);
        WorkerDay::FixMinutes(*world.models.m_pHomeToSchoolCommuteTime, c[1]);
        CWPattern* school = world.Child(1)->GetWPattern();
        school->SetWorkToHomeTourMode(static_cast<int>(c[0]));
        school->SetHomeToWorkTourMode(static_cast<int>(c[0]));
        world.simulator.SimulateChildSchoolCommute(world.Child(1), &world.Household(), &world.models);

        const CTour* home = school->GetTourAt(CWPattern::kWorkToHomeSlot);
        const CTour* out = school->GetTourAt(CWPattern::kHomeToWorkSlot);
        ASSERT_EQ(home->GetStopCount(), 1);
        ASSERT_EQ(out->GetStopCount(), 1);
        const CStop* back = home->GetStopByNumber(1);
        const CStop* ride = out->GetStopByNumber(1);
        EXPECT_EQ(back->GetTravelTime(), c[2]);
        EXPECT_EQ(ride->GetTravelTime(), c[3]);
        // The ride home leaves school at its end; the ride out arrives at its start.
        EXPECT_EQ(back->GetDepartureTime(), 880.0);
        EXPECT_EQ(ride->GetDepartureTime() + ride->GetTravelTime(), 480.0);
        EXPECT_EQ(out->GetPreTourTime(), ride->GetDepartureTime());
        EXPECT_EQ(back->GetOriginZone(), world.OtherZone());
        EXPECT_EQ(back->GetZone(), world.HomeZone());
        EXPECT_EQ(ride->GetZone(), world.OtherZone());
    }
}

TEST_P(ChildTravel, DiscretionaryTourWaitsForTheRideHomeAndStaysHomeWithoutDestinations) {
    EscortTestWorld world(GetParam());
    EscortTestWorld::Answers(*world.models.m_pModeForDiscretionaryTour, true);
    WorkerDay::FixMinutes(*world.models.m_pDepartureTimeFromHomeForDiscretionaryTour, 300.0);
    WorkerDay::FixMinutes(*world.models.m_pActivityDurationAtDiscretionaryStop, 60.0);
    WorkerDay::FixMinutes(*world.models.m_pTravelTimeToDiscretionaryStop, 12.0);
    CPersonObject* child = world.Child(1);
    CWPattern* school = child->GetWPattern();
    school->SetWorkToHomeDuration(20.0);

    // Without the child-independent flag there is no tour.
    world.simulator.SimulateChildDiscretionaryTour(child, &world.Household(), &world.models, &world.simulator);
    EXPECT_EQ(child->m_pDiscretionaryTour, nullptr);

    school->SetChildIndependentActivity(true);
    world.simulator.SimulateChildDiscretionaryTour(child, &world.Household(), &world.models, &world.simulator);
    const CTour* tour = school->GetTourAt(CWPattern::kFirstAfterWorkSlot);
    ASSERT_NE(tour, nullptr);
    EXPECT_EQ(child->m_pDiscretionaryTour, tour);
    EXPECT_EQ(tour->GetMode(), 2);
    ASSERT_EQ(tour->GetStopCount(), 2);
    const CStop* stop = tour->GetStopByNumber(1);
    const CStop* back = tour->GetStopByNumber(2);
    // Leaving at 300 would be before the child is home (880 + 20).
    EXPECT_EQ(stop->GetDepartureTime(), 900.0);
    EXPECT_EQ(back->GetDepartureTime(), 900.0 + 60.0 + 12.0);
    EXPECT_EQ(back->GetOriginZone(), stop->GetZone());
    EXPECT_EQ(back->GetZone(), world.HomeZone());
    EXPECT_EQ(back->GetActivityType(), 14);
    EXPECT_EQ(world.simulator.GetCurrentPerson(), nullptr);

    // A child without school leaves from home by 990 at the latest; from a
    // home zone of no level-of-service table there is no destination, so the
    // stop stays at home.
    WorkerDay::FixMinutes(*world.models.m_pDepartureTimeFromHomeForDiscretionaryTour, 1200.0);
    world.Household().SetValue(3, 999.0);
    child = world.Child(2);
    child->SetFlag(0, false);
    child->SetFlag(1, false);
    child->CreatePattern();
    child->GetPattern()->SetChildIndependentActivity(true);
    world.simulator.SimulateChildDiscretionaryTour(child, &world.Household(), &world.models, &world.simulator);
    tour = child->GetNWPattern()->GetNthTour(1);
    ASSERT_NE(tour, nullptr);
    EXPECT_EQ(tour->GetPreTourTime(), 990.0);
    EXPECT_EQ(tour->GetStopByNumber(1)->GetZone(), 999);
}

INSTANTIATE_TEST_SUITE_P(Db, ChildTravel, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
