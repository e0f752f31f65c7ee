// The two work commutes: the direct legs, the way through a joint activity
// reached from work, and the school escort variants of the drop-off and
// pick-up adults, on hand-built households of the small test region.

#include <gtest/gtest.h>

#include "data/LOSRegion.h"
#include "household/WorkerDay.h"

#include "data/CPersonObject.h"
#include "household/CWorkCommute.h"
#include "models/CMNLogitMM.h"
#include "models/COrdProbitMM.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/CWPattern.h"

#include <cmath>

namespace {

constexpr int kHome = WorkerDay::kHomeZone;
constexpr int kWork = WorkerDay::kWorkZone;

constexpr auto Arrival = &WorkerDay::Arrival;
constexpr auto AutoTime = &WorkerDay::AutoTime;

const CStop& StopOf(CWPattern& pattern, int slot, int k) { return *pattern.GetTourAt(slot)->GetStopByNumber(k); }

void ExpectChained(const CTour& tour) { WorkerDay::ExpectChained(tour, "commute", false); }

class WorkCommuteTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        day = std::make_unique<WorkerDay>(GetParam());
        WorkerDay::FixChoice(*day->models.m_pWHCommuteMode, 0);
    }
    std::unique_ptr<WorkerDay> day;
};

TEST_P(WorkCommuteTest, WithoutActivitiesEachWayIsOneLegThatMeetsTheWorkTimes) {
    day->Load({WorkerDay::Person(1, true, 40)});
    CWPattern& pattern = day->MakeWorker(1, {}, 480.0, 480.0);
    CPersonObject& person = *day->household->GetPerson(1);
    day->simulator->SimulateWHCommute(&person, day->household.get());
    day->simulator->SimulateHWCommute(&person, day->household.get());

    ASSERT_EQ(pattern.GetWorkToHomeStopCount(), 1);
    ASSERT_EQ(pattern.GetHomeToWorkStopCount(), 1);
    const CStop& home = StopOf(pattern, CWPattern::kWorkToHomeSlot, 1);
    EXPECT_EQ(home.GetActivityType(), 12);
    EXPECT_DOUBLE_EQ(home.GetDepartureTime(), 960.0);
    EXPECT_DOUBLE_EQ(home.GetTravelTime(), std::max(2.0, std::floor(AutoTime(kWork, kHome, 960.0))));
    EXPECT_DOUBLE_EQ(pattern.GetWorkToHomeDuration(), home.GetTravelTime());
    EXPECT_DOUBLE_EQ(pattern.GetTourAt(CWPattern::kWorkToHomeSlot)->GetPreTourTime(), 480.0);

    const CStop& work = StopOf(pattern, CWPattern::kHomeToWorkSlot, 1);
    EXPECT_EQ(work.GetActivityType(), 13);
    EXPECT_EQ(work.GetOriginActivityType(), 18);
    EXPECT_DOUBLE_EQ(work.GetDepartureTime() + work.GetTravelTime(), 480.0);
    EXPECT_DOUBLE_EQ(pattern.GetTourAt(CWPattern::kHomeToWorkSlot)->GetPreTourTime(), work.GetDepartureTime());
    EXPECT_EQ(pattern.GetHomeToWorkTourMode(), 0);
}

TEST_P(WorkCommuteTest, ALegLongerThanTheWorkStartLeavesAtMidnight) {
    day->Load({WorkerDay::Person(1, true, 40)});
    CWPattern& pattern = day->MakeWorker(1, {}, 2.5, 480.0);
    CPersonObject& person = *day->household->GetPerson(1);
    day->simulator->SimulateWHCommute(&person, day->household.get());
    day->simulator->SimulateHWCommute(&person, day->household.get());
    EXPECT_DOUBLE_EQ(StopOf(pattern, CWPattern::kHomeToWorkSlot, 1).GetDepartureTime(), 0.0);
}

TEST_P(WorkCommuteTest, ModesClosedByDistanceTransitAndDriving) {
    // Work in zone 50000: far (no walking) and without transit from home.
    auto row = WorkerDay::Person(1, true, 40, false);
    row[5] = 50000;
    day->Load({row});
    CWPattern& pattern = day->MakeWorker(1, {}, 480.0, 480.0);
    CPersonObject& person = *day->household->GetPerson(1);
    for (int preferred : {0, 2, 3, 7}) {
        WorkerDay::FixChoice(*day->models.m_pWHCommuteMode, preferred);
        day->simulator->SimulateWorkToHomeCommute(&person, day->household.get());
        EXPECT_EQ(pattern.GetWorkToHomeTourMode(), 1) << "preferred " << preferred;
    }
}

TEST_P(WorkCommuteTest, AJointActivityReachedFromWork) {
    day->Load({WorkerDay::Person(1, true, 40), WorkerDay::Person(2, false, 38)});
    CWPattern& pattern = day->MakeWorker(1, {}, 480.0, 480.0);
    CPersonObject& person = *day->household->GetPerson(1);
    CJointActivityRecord record({true, true}, 1, 60.0);
    record.m_nId = 1;
    record.m_nZone = 5;
    record.SetTravelsApart(1, true);

    // Starting right after work: straight there, the wait included, then home.
    record.m_dStartTime = 970.0;
    day->household->m_jointActivities = {record};
    day->simulator->SimulateWHCommute(&person, day->household.get());
    CTour& commute = *pattern.GetTourAt(CWPattern::kWorkToHomeSlot);
    ASSERT_EQ(commute.GetStopCount(), 2);
    const CStop& joint = *commute.GetStopByNumber(1);
    const CStop& home = *commute.GetStopByNumber(2);
    EXPECT_EQ(joint.GetZone(), 5);
    EXPECT_DOUBLE_EQ(joint.GetDepartureTime() + joint.GetTravelTime() + joint.GetActivityDuration(), 1030.0);
    EXPECT_DOUBLE_EQ(home.GetDepartureTime(), 1030.0);
    // The commute lasts until the arrival home, so nothing overlaps the activity.
    EXPECT_DOUBLE_EQ(960.0 + commute.GetDuration(), home.GetDepartureTime() + home.GetTravelTime());
    EXPECT_EQ(commute.GetJointRecordIndex(), 1);
    ExpectChained(commute);

    // Starting late, without activities of its own: home first, then with the others.
    record.m_dStartTime = 1200.0;
    day->household->m_jointActivities = {record};
    CWPattern& later = day->MakeWorker(1, {}, 480.0, 480.0);
    day->simulator->SimulateWHCommute(&person, day->household.get());
    const CTour& homeFirst = *later.GetTourAt(CWPattern::kWorkToHomeSlot);
    ASSERT_EQ(homeFirst.GetStopCount(), 1);
    EXPECT_EQ(homeFirst.GetStopByNumber(1)->GetZone(), kHome);
    EXPECT_FALSE(day->household->m_jointActivities[0].TravelsApart(1));
    EXPECT_EQ(day->household->m_jointActivities[0].GetPersonMark(1), 1);
}

TEST_P(WorkCommuteTest, CommuteStopsChainAndKeepTheirAppointments) {
    WorkerDay::FixCategory(*day->models.m_pWHNumberOfStops, 3);
    WorkerDay::FixCategory(*day->models.m_pHWNumberOfStops, 3);
    day->Load({WorkerDay::Person(1, true, 40), WorkerDay::Person(2, false, 38)});
    CPersonObject& person = *day->household->GetPerson(1);
    CJointActivityRecord later({true, true}, 1, 60.0);
    later.m_nZone = 5;
    later.m_dStartTime = 1300.0;
    CJointActivityRecord earlier = later;
    earlier.m_dStartTime = 1100.0;
    day->household->m_jointActivities = {later, earlier};

    CWPattern& pattern = day->MakeWorker(1, {3}, 480.0, 480.0);
    day->simulator->SimulateWHCommute(&person, day->household.get());
    day->simulator->SimulateHWCommute(&person, day->household.get());
    CTour& toHome = *pattern.GetTourAt(CWPattern::kWorkToHomeSlot);
    CTour& toWork = *pattern.GetTourAt(CWPattern::kHomeToWorkSlot);
    ASSERT_EQ(toHome.GetStopCount(), 3);
    ASSERT_EQ(toWork.GetStopCount(), 3);
    ExpectChained(toHome);
    ExpectChained(toWork);
    // The stops after work fit before the earlier joint activity (less the drive to it).
    EXPECT_DOUBLE_EQ(toHome.GetStopByNumber(1)->GetRemainingWindow(), 1100.0 - AutoTime(kHome, 5, 960.0) - 960.0);
    EXPECT_DOUBLE_EQ(960.0 + pattern.GetWorkToHomeDuration(), Arrival(toHome));
    // The stops before work are planned backwards from the work start.
    EXPECT_DOUBLE_EQ(Arrival(toWork), 480.0);
    EXPECT_GE(toWork.GetStopByNumber(1)->GetDepartureTime(), 0.0);
    EXPECT_DOUBLE_EQ(480.0 - pattern.GetHomeToWorkDuration(), toWork.GetStopByNumber(1)->GetDepartureTime());

    // Own stops on the way to a joint activity reached from work end in time for it.
    CJointActivityRecord apart = earlier;
    apart.m_nId = 1;
    apart.SetTravelsApart(1, true);
    day->household->m_jointActivities = {apart};
    CWPattern& joint = day->MakeWorker(1, {3}, 480.0, 480.0);
    day->simulator->SimulateWHCommute(&person, day->household.get());
    CTour& viaJoint = *joint.GetTourAt(CWPattern::kWorkToHomeSlot);
    ExpectChained(viaJoint);
    const CStop& atJoint = *viaJoint.GetStopByNumber(viaJoint.GetStopCount() - 1);
    EXPECT_EQ(atJoint.GetZone(), 5);
    EXPECT_LE(atJoint.GetDepartureTime() + atJoint.GetTravelTime(), 1100.0);
    EXPECT_DOUBLE_EQ(atJoint.GetDepartureTime() + atJoint.GetTravelTime() + atJoint.GetActivityDuration(), 1160.0);
}

// A parent, a child who goes to school, and the school episodes of the child.
class EscortCommuteTest : public WorkCommuteTest {
protected:
    void SetUp() override {
        WorkCommuteTest::SetUp();
        day->Load({WorkerDay::Person(1, true, 40), WorkerDay::Person(2, false, 10)});
        parent = day->household->GetPerson(1);
        child = day->household->GetPerson(2);
        childPattern = &day->MakeWorker(2, {}, 470.0, 400.0);
    }
    CPersonObject* parent = nullptr;
    CPersonObject* child = nullptr;
    CWPattern* childPattern = nullptr;
};

TEST_P(EscortCommuteTest, TheDropOffAdultTakesTheChildToSchoolOnTheWayToWork) {
    CWPattern& pattern = day->MakeWorker(1, {3}, 540.0, 480.0);
    CWorkCommute::EpisodeList dropOffs{CEpisodeRecord(child, 470.0, 3)};
    dropOffs[0].m_pAdult = parent;
    CWorkCommute commute(*day->simulator);
    commute.SimulateWorkToHomeWithChildren(*parent, *day->household, dropOffs, {});
    commute.SimulateHomeToWorkWithChildren(*parent, *day->household, dropOffs);

    EXPECT_EQ(pattern.GetWorkToHomeTourMode(), 0);
    CTour& tour = *pattern.GetTourAt(CWPattern::kHomeToWorkSlot);
    ASSERT_EQ(tour.GetStopCount(), 2);
    const CStop& school = *tour.GetStopByNumber(1);
    const double toSchool = std::max(2.0, std::floor(AutoTime(kHome, 3, 470.0)));
    EXPECT_EQ(school.GetActivityType(), 10);
    EXPECT_DOUBLE_EQ(school.GetDepartureTime(), 470.0 - toSchool);
    const CStop& work = *tour.GetStopByNumber(2);
    EXPECT_DOUBLE_EQ(work.GetDepartureTime() + work.GetTravelTime(), 540.0);
    EXPECT_DOUBLE_EQ(tour.GetPreTourTime(), school.GetDepartureTime());
    ExpectChained(tour);

    const CStop& ride = *childPattern->GetTourAt(CWPattern::kHomeToWorkSlot)->GetStopByNumber(1);
    EXPECT_EQ(ride.GetActivityType(), 15);
    EXPECT_DOUBLE_EQ(ride.GetDepartureTime(), school.GetDepartureTime());
    EXPECT_DOUBLE_EQ(ride.GetActivityDuration(), 400.0);
}

TEST_P(EscortCommuteTest, ThePickUpAdultCollectsTheChildAndGoesHomeFirst) {
    CWPattern& pattern = day->MakeWorker(1, {}, 480.0, 360.0);
    CJointActivityRecord record({true, false}, 1, 60.0);
    record.m_nId = 1;
    record.SetTravelsApart(1, true);
    day->household->m_jointActivities = {record};
    CWorkCommute::EpisodeList pickUps{CEpisodeRecord(child, 900.0, 3)};
    pickUps[0].m_pAdult = parent;
    CWorkCommute(*day->simulator).SimulateWorkToHomeWithChildren(*parent, *day->household, {}, pickUps);

    CTour& tour = *pattern.GetTourAt(CWPattern::kWorkToHomeSlot);
    ASSERT_EQ(tour.GetStopCount(), 2);
    const CStop& school = *tour.GetStopByNumber(1);
    EXPECT_EQ(school.GetActivityType(), 11);
    EXPECT_DOUBLE_EQ(school.GetDepartureTime(), 840.0);
    EXPECT_DOUBLE_EQ(school.GetTravelTime(), 60.0);  // the wait for the school end included
    const double back = std::max(2.0, std::floor(AutoTime(3, kHome, 905.0)));
    EXPECT_DOUBLE_EQ(840.0 + pattern.GetWorkToHomeDuration(), 905.0 + back);
    ExpectChained(tour);
    // Nobody is left to reach the joint activity on their own from work.
    EXPECT_FALSE(day->household->m_jointActivities[0].TravelsApart(1));

    const CStop& ride = *childPattern->GetTourAt(CWPattern::kWorkToHomeSlot)->GetStopByNumber(1);
    EXPECT_EQ(ride.GetActivityType(), 14);
    EXPECT_EQ(ride.GetOriginActivityType(), 19);
    EXPECT_DOUBLE_EQ(ride.GetDepartureTime(), 905.0);
    EXPECT_DOUBLE_EQ(ride.GetTravelTime(), back);
}

TEST_P(EscortCommuteTest, APickUpBeforeTheWorkEndNeverGivesANegativeLeg) {
    CWPattern& pattern = day->MakeWorker(1, {}, 480.0, 480.0);
    CWorkCommute::EpisodeList pickUps{CEpisodeRecord(child, 900.0, 3)};
    pickUps[0].m_pAdult = parent;
    CWorkCommute(*day->simulator).SimulateWorkToHomeWithChildren(*parent, *day->household, {}, pickUps);
    const CTour& tour = *pattern.GetTourAt(CWPattern::kWorkToHomeSlot);
    EXPECT_GE(tour.GetStopByNumber(1)->GetTravelTime(), 0.0);
    ExpectChained(tour);
}

TEST_P(EscortCommuteTest, OnlyTheFirstEpisodesAdultEscortsAndChildrenWithoutSchoolAreSkipped) {
    CWPattern& pattern = day->MakeWorker(1, {}, 480.0, 480.0);
    // The child has no worker pattern: nothing is filled for it.
    child->SetFlag(0, false);
    child->CreatePattern();
    CWorkCommute::EpisodeList pickUps{CEpisodeRecord(child, 900.0, 3)};
    pickUps[0].m_pAdult = parent;
    CWorkCommute(*day->simulator).SimulateWorkToHomeWithChildren(*parent, *day->household, {}, pickUps);
    EXPECT_EQ(pattern.GetWorkToHomeStopCount(), 2);

    // With empty lists the parent is nobody's escort: the plain commute.
    CWPattern& other = day->MakeWorker(1, {}, 480.0, 480.0);
    CWorkCommute(*day->simulator).SimulateWorkToHomeWithChildren(*parent, *day->household, {}, {});
    EXPECT_EQ(other.GetWorkToHomeStopCount(), 1);
    EXPECT_EQ(other.GetTourAt(CWPattern::kWorkToHomeSlot)->GetStopByNumber(1)->GetActivityType(), 12);
}

INSTANTIATE_TEST_SUITE_P(Db, WorkCommuteTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);
INSTANTIATE_TEST_SUITE_P(Db, EscortCommuteTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
