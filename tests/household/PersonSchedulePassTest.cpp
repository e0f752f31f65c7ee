// The person schedule pass on hand-built households: the schedule order, the
// closing stay of every tour of worker and non-worker patterns, and the
// vehicle-use intervals of drive tours.

#include "household/HouseholdRows.h"
#include "support/TestDatabase.h"

#include "data/CPersonObject.h"
#include "household/CHouseholdCoordinator.h"
#include "household/CoupleNoChildrenHH.h"
#include "schedules/CNWPattern.h"
#include "schedules/CNWorkerTour.h"
#include "schedules/CStop.h"
#include "schedules/CWPattern.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using HouseholdRows::Person;

class PersonSchedulePass : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { db = TestDatabase::Create(GetParam()); }
    std::unique_ptr<TestDatabase> db;
};

// A stop appended to the tour: activity type, duration, departure, travel time.
CStop* Stop(CTour& tour, int type, double duration, double departure, double travel) {
    tour.AppendStop(type, duration, departure, travel, 1, 2, 18);
    return tour.GetStopByNumber(tour.GetStopCount());
}

TEST_P(PersonSchedulePass, MembersWithAVehicleComeFirstEachInPersonOrder) {
    auto household = HouseholdRows::Load(*db, {61, 2, 2, 500, 0, 9},
                                         {Person(61, 1, 0, 40, 0), Person(61, 2, 0, 41, 0), Person(61, 3, 0, 12, 0),
                                          Person(61, 4, 0, 19, 0)});
    household->GetPerson(2)->m_nVehicle = 0;
    household->GetPerson(4)->m_nVehicle = 1;
    CHouseholdCoordinator::OrderPersonsForSchedule(*household);
    CHouseholdCoordinator::OrderPersonsForSchedule(*household);  // a second pass starts afresh
    EXPECT_EQ(household->m_personOrder, (std::vector<int>{2, 4, 1, 3}));
    EXPECT_EQ(household->m_vehicleUse.size(), 2u);
}

TEST_P(PersonSchedulePass, PersonsAreOrderedByPersonNumberWhateverTheRowOrder) {
    auto household = HouseholdRows::Load(*db, {62, 2, 2, 500, 0, 9},
                                         {Person(62, 3, 0, 40, 0), Person(62, 1, 0, 41, 0), Person(62, 2, 0, 12, 0)});
    EXPECT_TRUE(household->SortPersonsByNumber());
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(household->GetPerson(k)->GetPersonNumber(), k);

    auto second = TestDatabase::Create(GetParam());  // one household per database
    auto gaps = HouseholdRows::Load(*second, {63, 2, 2, 500, 0, 9},
                                    {Person(63, 4, 1, 40, 0), Person(63, 2, 0, 41, 0), Person(63, 4, 0, 12, 0)});
    EXPECT_FALSE(gaps->SortPersonsByNumber());
    EXPECT_EQ(gaps->GetPerson(1)->GetPersonNumber(), 2);
    EXPECT_EQ(gaps->GetPerson(2)->GetValue(7), 1.0);  // equal numbers keep their read order
    EXPECT_EQ(gaps->GetPerson(3)->GetValue(7), 0.0);
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(gaps->GetPerson(k)->GetPosition(), k);
}

TEST_P(PersonSchedulePass, WorkerToursAreClosedByTheirSlotRules) {
    auto household = HouseholdRows::Load(*db, {64, 1, 0, 500, 0, 9}, {Person(64, 1, 0, 40, 0)});
    CPersonObject& worker = *household->GetPerson(1);
    worker.SetFlag(0, true);
    worker.CreatePattern();
    CWPattern& pattern = *worker.GetWPattern();
    pattern.SetWorkDuration(480.0);
    pattern.SetBeforeWorkTourCount(2);
    pattern.CreateBeforeWorkTours();
    pattern.SetWorkBasedTourCount(1);
    pattern.CreateWorkBasedTours();
    pattern.SetAfterWorkTourCount(1);
    pattern.CreateAfterWorkTours();  // slot 8 stays without stops

    CTour& workToHome = *pattern.GetTourAt(0);
    CTour& homeToWork = *pattern.GetTourAt(1);
    CTour& before1 = *pattern.GetTourAt(2);
    CTour& before2 = *pattern.GetTourAt(3);
    CTour& workBased = *pattern.GetTourAt(5);
    Stop(homeToWork, 13, 5, 400, 30);
    Stop(workToHome, 0, 5, 900, 20);
    CStop* homeLast = Stop(workToHome, 12, 5, 940, 25);
    Stop(before1, 0, 5, 100, 10);
    CStop* before1Last = Stop(before1, 12, 5, 150, 10);
    CStop* before2Last = Stop(before2, 12, 5, 380, 30);  // arrives after leaving for work
    CStop* workBasedLast = Stop(workBased, 13, 5, 700, 15);
    CStop* workLast = homeToWork.GetStopByNumber(1);
    before2.SetPreTourTime(40.0);
    workBased.SetPreTourTime(20.0);
    pattern.GetTourAt(8)->SetPreTourTime(35.0);

    CHouseholdCoordinator::CloseTours(worker);
    EXPECT_EQ(before1Last->GetActivityDuration(), 40.0);      // home stay of slot 3's tour
    EXPECT_EQ(before2Last->GetActivityDuration(), 0.0);       // 400 - 410, never negative
    EXPECT_EQ(workLast->GetActivityDuration(), 20.0);         // home stay of the work-based tour
    EXPECT_EQ(workBasedLast->GetActivityDuration(), 185.0);   // until the work-to-home departure 900
    EXPECT_EQ(homeLast->GetActivityDuration(), 35.0);         // home stay of the after-work tour

    pattern.SetAfterWorkTourCount(0);
    pattern.SetWorkBasedTourCount(0);
    CHouseholdCoordinator::CloseTours(worker);
    EXPECT_EQ(homeLast->GetActivityDuration(), 1440.0 - 965.0);  // home until the end of the day
    EXPECT_EQ(workLast->GetActivityDuration(), 480.0);           // the work duration at work
}

TEST_P(PersonSchedulePass, NonWorkerToursAreClosedInDepartureOrder) {
    auto household = HouseholdRows::Load(*db, {65, 1, 0, 500, 0, 9}, {Person(65, 1, 0, 70, 0)});
    CPersonObject& person = *household->GetPerson(1);
    person.CreatePattern();
    CNWPattern& pattern = *person.GetNWPattern();
    std::vector<CStop*> lasts;
    for (const double departure : {800.0, 300.0, 600.0}) {  // added out of order
        auto tour = std::make_unique<CNWorkerTour>(nullptr, &pattern);
        Stop(*tour, 0, 30, departure, 10);
        lasts.push_back(Stop(*tour, 12, 5, departure + 60, 12));
        tour->SetPreTourTime(departure / 10.0);
        pattern.AddTour(std::move(tour));
    }
    CHouseholdCoordinator::CloseTours(person);
    EXPECT_EQ(pattern.GetNthTour(1)->GetStopByNumber(1)->GetDepartureTime(), 300.0);
    EXPECT_EQ(lasts[1]->GetActivityDuration(), 60.0);                   // tour at 300: home stay of the 600 tour
    EXPECT_EQ(lasts[2]->GetActivityDuration(), 80.0);                   // tour at 600: home stay of the 800 tour
    EXPECT_EQ(lasts[0]->GetActivityDuration(), 1440.0 - (860.0 + 12));  // the last tour ends the day
}

TEST_P(PersonSchedulePass, DriveToursRecordTheirVehicleIntervals) {
    auto household = HouseholdRows::Load(*db, {66, 2, 2, 500, 0, 9},
                                         {Person(66, 1, 0, 40, 0), Person(66, 2, 0, 41, 0)});
    CPersonObject& driver = *household->GetPerson(2);
    driver.m_nVehicle = 1;
    household->GetPerson(1)->m_nVehicle = 0;
    CHouseholdCoordinator::OrderPersonsForSchedule(*household);
    driver.CreatePattern();
    CNWPattern& pattern = *driver.GetNWPattern();
    auto addTour = [&](int mode, double departure, int lastType) {
        auto tour = std::make_unique<CNWorkerTour>(nullptr, &pattern);
        tour->SetMode(mode);
        if (departure >= 0) {
            Stop(*tour, 0, 30, departure, 10);
            Stop(*tour, lastType, 45, departure + 50, 15);
        }
        CTour* added = tour.get();
        pattern.AddTour(std::move(tour));
        return added;
    };
    addTour(0, 300, 1);    // 300 .. 300 + 50 + 15 + 45
    addTour(7, 600, 12);   // back home: the stay does not hold the vehicle
    addTour(7, 300, 2);    // the same start keeps the first end
    CTour* transit = addTour(3, 900, 1);
    addTour(0, -1, 1);     // no stops: nothing to record
    CHouseholdCoordinator::RecordVehicleUse(driver, *household);
    EXPECT_EQ(household->m_vehicleUse[1], (std::map<int, int>{{300, 410}, {600, 665}}));
    EXPECT_TRUE(household->m_vehicleUse[0].empty());
    EXPECT_EQ(transit->GetEscortOrVehicleId(), -1);

    // Without a vehicle of the person's own a tour keeps its index; one outside the list is ignored.
    addTour(0, 100, 1)->SetEscortOrVehicleId(5);
    driver.m_nVehicle = -1;
    CHouseholdCoordinator::RecordVehicleUse(driver, *household);
    EXPECT_EQ(household->m_vehicleUse, (std::vector<std::map<int, int>>{{}, {{300, 410}, {600, 665}}}));
}

// Records the per-person slots the pass calls: slot, person number, and
// whether the person was the simulator's current person during the call.
class RecordingSimulator : public CoupleNoChildrenHH {
public:
    using CoupleNoChildrenHH::CoupleNoChildrenHH;
    void SimulateWHCommute(CPersonObject* p, CHouseholdObject*) override { Record(12, p); }
    void SimulateHWCommute(CPersonObject* p, CHouseholdObject*) override { Record(13, p); }
    void SimulateNonWorkerEscortTours(CPersonObject* p, CHouseholdObject*, CModelSystem*) override { Record(14, p); }
    void SimulateChildSchoolCommute(CPersonObject* p, CHouseholdObject*, CModelSystem*) override { Record(15, p); }
    void SimulateChildDiscretionaryTour(CPersonObject* p, CHouseholdObject*, CModelSystem*,
                                        CHouseholdCoordinator*) override {
        Record(18, p);
    }
    std::vector<std::string> calls;

private:
    void Record(int slot, CPersonObject* p) {
        calls.push_back(std::to_string(slot) + ":" + std::to_string(static_cast<int>(p->GetPersonNumber())) +
                        (GetCurrentPerson() == p ? "" : " (not current)"));
    }
};

TEST_P(PersonSchedulePass, EachMemberGetsTheStepsOfItsKindInScheduleOrder) {
    auto household = HouseholdRows::Load(*db, {67, 2, 1, 500, 0, 9},
                                         {Person(67, 1, 0, 40, 0), Person(67, 2, 0, 41, 0), Person(67, 3, 0, 12, 0),
                                          Person(67, 4, 0, 9, 0)});
    for (const int k : {2, 3}) household->GetPerson(k)->SetFlag(0, true);  // a worker and a pupil
    household->GetPerson(2)->m_nVehicle = 0;
    for (const auto& person : household->GetPersons()) person->CreatePattern();
    RecordingSimulator simulator(nullptr);
    simulator.SetHousehold(household.get());
    simulator.GeneratePersonSchedules();
    EXPECT_EQ(simulator.calls, (std::vector<std::string>{"12:2", "13:2", "14:1", "15:3", "18:3", "18:4"}));
    EXPECT_EQ(simulator.GetCurrentPerson(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Db, PersonSchedulePass, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
