// The household's joint activities on hand-built households of the small test
// region: who travels apart, when and where each activity takes place (and
// which ones are dropped), the tours of every participant, the joint tour's
// vehicle and the joint discretionary tour.

#include <gtest/gtest.h>

#include "household/WorkerDay.h"

#include "data/CPersonObject.h"
#include "household/CJointActivityRecord.h"
#include "household/SingleWChildrenHH.h"
#include "models/CBLogitMM.h"
#include "models/CMNLogitMM.h"
#include "models/CRegressMM.h"
#include "schedules/CNWPattern.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/CWPattern.h"
#include "schedules/CWorkerTour.h"

#include <cmath>
#include <vector>

namespace {

constexpr int kHome = WorkerDay::kHomeZone;

// A record of the given participants (person numbers) among `members`.
CJointActivityRecord Record(int members, const std::vector<int>& participants, int activity, double duration) {
    std::vector<bool> set(static_cast<std::size_t>(members), false);
    for (int p : participants) set[static_cast<std::size_t>(p - 1)] = true;
    return CJointActivityRecord(set, activity, duration);
}

// The records numbered by position, with the times of a new record.
void Give(CHouseholdObject& household, std::vector<CJointActivityRecord> records) {
    for (std::size_t k = 0; k < records.size(); ++k) {
        records[k].m_nId = static_cast<int>(k) + 1;
        records[k].m_dStartTime = records[k].m_dEndTime = 0.0;
    }
    household.m_jointActivities = std::move(records);
}

std::vector<int> Apart(const CJointActivityRecord& record) {
    std::vector<int> apart;
    for (int p = 1; p <= record.GetMemberCount(); ++p)
        if (record.TravelsApart(p)) apart.push_back(p);
    return apart;
}

class JointActivitiesTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { day = std::make_unique<WorkerDay>(GetParam()); }
    CPersonObject& Person(int k) { return *day->household->GetPerson(k); }
    void FixSeparateTravel(bool apart) {
        day->models.m_pSeparateTravelOrJointTravel->m_terms.Clear();
        day->models.m_pSeparateTravelOrJointTravel->m_terms.Add(30000, apart ? 60.0 : -60.0);
    }
    std::unique_ptr<WorkerDay> day;
};

TEST_P(JointActivitiesTest, OnlyAWorkerTravelsApartOnceAndNeverLeavesChildrenOrTheCarBehind) {
    // Workers 1, 2 and 5, a non-worker 3 who holds vehicle 0, a child 4.
    day->Load({WorkerDay::Person(1, true, 40), WorkerDay::Person(2, true, 38), WorkerDay::Person(3, false, 35),
               WorkerDay::Person(4, false, 10), WorkerDay::Person(5, true, 45)});
    for (int k : {1, 2, 5}) Person(k).SetFlag(0, true);
    CHouseholdObject& household = *day->household;
    auto arrange = [&](bool apart, int vehicleOf3) {
        Person(3).m_nVehicle = vehicleOf3;
        FixSeparateTravel(apart);
        Give(household, {Record(5, {1, 3}, 0, 60), Record(5, {1, 2, 3}, 1, 60), Record(5, {2, 4}, 2, 60),
                         Record(5, {4, 5}, 3, 60)});
        day->simulator->SimulateJointTravelArrangement(&household);
        std::vector<std::vector<int>> sets;
        for (const CJointActivityRecord& record : household.m_jointActivities) sets.push_back(Apart(record));
        return sets;
    };
    // 1 goes from work to its first activity, 2 to its first (not to its
    // second); 5 would leave child 4 without an adult.
    EXPECT_EQ(arrange(true, 0), (std::vector<std::vector<int>>{{1}, {2}, {}, {}}));
    EXPECT_EQ(arrange(false, 0), (std::vector<std::vector<int>>(4)));
    // Nobody who leaves from home drives: everyone goes from home.
    EXPECT_EQ(arrange(true, -1), (std::vector<std::vector<int>>(4)));
}

TEST_P(JointActivitiesTest, SchedulingDropsWhatDoesNotFitAndNumbersTheRest) {
    // Worker 1 is home after 1000; 2 and 3 stay home; 4 is a child.
    day->Load({WorkerDay::Person(1, true, 40), WorkerDay::Person(2, false, 38), WorkerDay::Person(3, false, 35),
               WorkerDay::Person(4, false, 9)});
    day->MakeWorker(1, {}, 480.0, 520.0);
    for (int k : {2, 3, 4}) day->MakeNonWorker(k, {});
    CHouseholdObject& household = *day->household;
    WorkerDay::FixMinutes(*day->models.m_pJointActivityTravelTimeToStopMDCEV, 10.0);
    auto schedule = [&](double wait) {
        WorkerDay::FixMinutes(*day->models.m_pJointActivityStartTimeMDCEV, wait);
        Give(household, {Record(4, {1, 2}, 1, 60), Record(4, {2, 3}, 0, 90), Record(4, {2, 4}, 7, 60)});
        day->simulator->ScheduleJointActivities(&household);
        for (std::size_t k = 0; k < household.m_jointActivities.size(); ++k) {
            const CJointActivityRecord& record = household.m_jointActivities[k];
            EXPECT_EQ(record.m_nId, static_cast<int>(k) + 1);
            EXPECT_LE(record.m_dStartTime, 1055.0);
            EXPECT_LE(record.m_dEndTime, 1439.0);
            EXPECT_GE(record.m_dEndTime, record.m_dStartTime + record.m_dDuration + 2.0);
            EXPECT_GE(record.m_nZone, 1);
        }
        return household.m_jointActivities;
    };

    // The worker's activity cannot start by 995; shopping waits 100 minutes
    // after the earliest start (15) and lasts 75 % of that wait; the other
    // activity of 2 starts 15 minutes after shopping ends, plus its wait.
    auto kept = schedule(100.0);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_TRUE(kept[0].IsParticipant(3));
    EXPECT_DOUBLE_EQ(kept[0].m_dStartTime, 115.0);
    EXPECT_DOUBLE_EQ(kept[0].m_dDuration, 75.0);
    EXPECT_DOUBLE_EQ(kept[1].m_dStartTime, kept[0].m_dEndTime + 15.0 + 100.0);

    // Starts are held at 1055; shopping then ends after 1140 and is dropped,
    // which frees the other activity from waiting for it.
    kept = schedule(1300.0);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].m_nActivityType, 7);
    EXPECT_DOUBLE_EQ(kept[0].m_dStartTime, 1055.0);

    // A home zone without destinations gives no place: nothing is kept.
    household.SetValue(3, 2.0);
    day->data.SetOriginZone(2);
    EXPECT_TRUE(schedule(100.0).empty());
}

TEST_P(JointActivitiesTest, EveryParticipantFromHomeGetsTheSameTourToTheActivity) {
    // Worker 1 (home at 1010), non-worker 2 and child 3 (who stays home).
    day->Load({WorkerDay::Person(1, true, 40), WorkerDay::Person(2, false, 38), WorkerDay::Person(3, false, 9)});
    CWPattern& worker = day->MakeWorker(1, {}, 480.0, 530.0);
    for (int k : {2, 3}) day->MakeNonWorker(k, {});
    WorkerDay::FixChoice(*day->models.m_pAWTourMode, 0);
    CHouseholdObject& household = *day->household;
    Give(household, {Record(3, {1, 2, 3}, 1, 60), Record(3, {1, 2, 3}, 0, 40)});
    auto schedule = [&](CJointActivityRecord& record, int zone, double start) {
        record.m_nZone = zone;
        record.m_dStartTime = start;
        record.m_dEndTime = start + record.m_dDuration + 10.0;
    };
    schedule(household.m_jointActivities[0], 6, 1012.0);  // before the worker could leave home
    schedule(household.m_jointActivities[1], 5, 1200.0);
    household.m_jointActivities[1].SetTravelsApart(1, true);

    worker.SimulateInHousehold(&Person(1), &day->models, &household, day->simulator.get());
    for (int k : {2, 3}) day->simulator->CollectPersonJointActivities(&Person(k), &household, &day->models,
                                                                      day->simulator.get());

    EXPECT_EQ(worker.GetAfterWorkTourCount(), 1);
    std::vector<CTour*> tours{worker.GetTourAt(CWPattern::kFirstAfterWorkSlot)};
    for (int k : {2, 3}) {
        CNWPattern& pattern = *Person(k).GetNWPattern();
        ASSERT_EQ(pattern.GetTourCount(), 2);
        tours.push_back(pattern.GetNthTour(1));
        tours.push_back(pattern.GetNthTour(2));
        // The second tour's stay at home starts at the return from the first.
        const CStop& back = *pattern.GetNthTour(1)->GetStopByNumber(2);
        EXPECT_DOUBLE_EQ(pattern.GetNthTour(2)->GetPreTourTime(),
                         pattern.GetNthTour(2)->GetStopByNumber(1)->GetDepartureTime() -
                             (back.GetDepartureTime() + back.GetTravelTime()));
    }
    for (CTour* tour : tours) {
        ASSERT_NE(tour, nullptr);
        const CJointActivityRecord& record = *household.GetJointActivityRecord(tour->GetJointRecordIndex());
        const bool child = tour->GetPattern()->GetPerson()->IsChild();
        ASSERT_EQ(tour->GetStopCount(), 2);
        EXPECT_EQ(tour->GetJointTravelCode(), 2);
        EXPECT_EQ(tour->GetMode(), tour->GetPattern() == &worker ? 0 : 1);
        EXPECT_GE(tour->GetPreTourTime(), 0.0);
        const CStop& stop = *tour->GetStopByNumber(1);
        const CStop& home = *tour->GetStopByNumber(2);
        EXPECT_EQ(stop.GetOriginZone(), kHome);
        EXPECT_EQ(stop.GetOriginActivityType(), 18);
        EXPECT_EQ(stop.GetZone(), record.m_nZone);
        EXPECT_EQ(stop.GetActivityType(), record.m_nActivityType);
        EXPECT_DOUBLE_EQ(stop.GetActivityDuration(), record.m_dDuration);
        // Everyone arrives at the start and leaves at the end.
        EXPECT_DOUBLE_EQ(stop.GetDepartureTime() + stop.GetTravelTime(), record.m_dStartTime);
        EXPECT_DOUBLE_EQ(home.GetDepartureTime(), record.m_dStartTime + record.m_dDuration);
        EXPECT_EQ(home.GetZone(), kHome);
        EXPECT_EQ(home.GetActivityType(), child ? 14 : 12);
    }
    // The worker, home at 1010, leaves late for the activity at 1012: no stay.
    EXPECT_DOUBLE_EQ(tours[0]->GetPreTourTime(), 0.0);
}

TEST_P(JointActivitiesTest, TheVehicleIsOneOfAParticipantDriverFromHome) {
    day->Load({WorkerDay::Person(1, false, 40), WorkerDay::Person(2, false, 45), WorkerDay::Person(3, false, 15.9),
               WorkerDay::Person(4, false, 16.0), WorkerDay::Person(5, false, 30)});
    CHouseholdObject& household = *day->household;
    household.m_vehicles.resize(4);
    for (int k = 1; k <= 4; ++k) Person(k).m_nVehicle = k - 1;  // 3 is too young to be a candidate
    Give(household, {Record(5, {1, 2}, 1, 60), Record(5, {1, 2}, 1, 60), Record(5, {3, 4}, 1, 60),
                     Record(5, {3, 5}, 1, 60)});
    household.m_jointActivities[1].SetTravelsApart(1, true);
    for (CJointActivityRecord& record : household.m_jointActivities) record.m_nZone = 5;
    day->simulator->SimulateJointTourVehicles();
    const auto& records = household.m_jointActivities;
    EXPECT_TRUE(records[0].m_nVehicle == 0 || records[0].m_nVehicle == 1) << records[0].m_nVehicle;
    EXPECT_EQ(records[1].m_nVehicle, 1);  // 1 travels apart
    EXPECT_EQ(records[2].m_nVehicle, 3);
    EXPECT_EQ(records[3].m_nVehicle, -1);
}

TEST_P(JointActivitiesTest, TheJointDiscretionaryTourKeepsItsBoundsAndTakesTheChildAlong) {
    day->Load({WorkerDay::Person(1, false, 40), WorkerDay::Person(2, false, 8), WorkerDay::Person(3, true, 42)});
    CNWPattern& adult = day->MakeNonWorker(1, {});
    CNWPattern& child = day->MakeNonWorker(2, {});
    CModelSystem& models = day->models;
    WorkerDay::FixMinutes(*models.m_pNonWorkersJointActivityDepartureTimeFromHome, 200.0);
    WorkerDay::FixMinutes(*models.m_pWorkersJointActivityDurationAtStop, 300.0);
    WorkerDay::FixMinutes(*models.m_pNonWorkersJointActivityTravelTimeToStop, 50.0);
    SingleWChildrenHH withChildren(&models);
    withChildren.SetDataManager(&day->data);
    withChildren.SetHousehold(day->household.get());
    withChildren.m_jointDiscretionaryEpisodes.emplace_back(&Person(2), 600.0, 5);

    adult.AddJointTour(day->household.get(), &models, &withChildren);
    ASSERT_EQ(adult.GetTourCount(), 1);
    CTour& tour = *adult.GetNthTour(1);
    EXPECT_EQ(withChildren.m_jointDiscretionaryEpisodes.front().m_pTour, &tour);
    const CStop& stop = *tour.GetStopByNumber(1);
    EXPECT_DOUBLE_EQ(stop.GetDepartureTime(), 375.0);  // held within 375 .. 1080
    EXPECT_DOUBLE_EQ(stop.GetActivityDuration(), 210.0);
    EXPECT_DOUBLE_EQ(stop.GetTravelTime(), 35.0);
    EXPECT_DOUBLE_EQ(tour.GetStopByNumber(2)->GetDepartureTime(), 375.0 + 35.0 + 210.0);
    EXPECT_DOUBLE_EQ(tour.GetStopByNumber(2)->GetTravelTime(), 35.0);
    ASSERT_EQ(child.GetTourCount(), 1);
    const CTour& ride = *child.GetNthTour(1);
    EXPECT_EQ(ride.GetStopByNumber(1)->GetActivityType(), 21);
    EXPECT_EQ(ride.GetStopByNumber(1)->GetZone(), stop.GetZone());
    EXPECT_DOUBLE_EQ(ride.GetStopByNumber(2)->GetDepartureTime(), 620.0);
    EXPECT_EQ(ride.GetStopByNumber(2)->GetActivityType(), 14);

    // A worker home at 1400: the activity gives way to the midnight limit
    // and the way back to the time left, neither below 0; a joint activity's
    // tour already in the first after-work slot stays.
    CWPattern& worker = day->MakeWorker(3, {}, 480.0, 920.0);
    worker.AddAfterWorkTour(std::make_unique<CWorkerTour>(&day->data, &worker));
    CTour* joint = worker.GetTourAt(CWPattern::kFirstAfterWorkSlot);
    models.m_pWorkersJointActivityTravelTimeToStop->m_terms.Add(30000, 40.0);  // taken without exp
    models.m_pWorkersJointActivityTravelTimeToStop->m_dVariance = 0.0;
    worker.AddJointTour(day->household.get(), &models, day->simulator.get());
    EXPECT_EQ(worker.GetTourAt(CWPattern::kFirstAfterWorkSlot), joint);
    ASSERT_NE(worker.GetTourAt(CWPattern::kFirstAfterWorkSlot + 1), nullptr);
    const CTour& late = *worker.GetTourAt(CWPattern::kFirstAfterWorkSlot + 1);
    EXPECT_DOUBLE_EQ(late.GetStopByNumber(1)->GetDepartureTime(), 1400.0);
    EXPECT_DOUBLE_EQ(late.GetStopByNumber(1)->GetActivityDuration(), 0.0);
    EXPECT_DOUBLE_EQ(late.GetStopByNumber(2)->GetTravelTime(), 0.0);

    // Without destinations there is no place and no tour.
    day->household->SetValue(3, 2.0);
    adult.AddJointTour(day->household.get(), &models, &withChildren);
    EXPECT_EQ(adult.GetTourCount(), 1);
    EXPECT_EQ(withChildren.m_jointDiscretionaryEpisodes.front().m_pTour, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Db, JointActivitiesTest, ::testing::ValuesIn(TestDatabase::Kinds()),
                         TestDatabase::KindName);

}  // namespace
