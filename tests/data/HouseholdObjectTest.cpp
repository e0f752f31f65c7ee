// The household and person rows: member queries, the adult cursor, the kept
// child counts, flags, single-activity durations and the activity zone.

#include "InputTables.h"

#include "data/CCommuteLOSRecord.h"
#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "platform/CDatabase.h"
#include "schedules/CWPattern.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class HouseholdObjectTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        db = TestDatabase::Create(GetParam());
        InputTables::Create(*db);
        // Household 9 in zone 5 (first in zone order): members aged 40, 10 and 35.
        db->Execute("INSERT INTO households VALUES (9, 0, 2, 5, 0, 12, 0, 0, 0, 3)");
        db->Execute("INSERT INTO persons VALUES " + InputTables::PersonRow(9, 1, 1, 0, 20, 1, 40) + ", " +
                    InputTables::PersonRow(9, 2, 0, 1, 20, 0, 10) + ", " +
                    InputTables::PersonRow(9, 3, 1, 1, 30, 1, 35, 44, 17));
        connection.OpenEx(db->Connect());
        ASSERT_TRUE(manager.CheckTables(&connection));
        manager.LoadHouseholdIdPage(0, 1);
        household = manager.LoadNextHousehold();
        ASSERT_NE(household, nullptr);
        ASSERT_EQ(household->GetId(), 9);
        ASSERT_EQ(household->GetPersonCount(), 3);
        adult = household->GetPerson(1);
        child = household->GetPerson(2);
        other = household->GetPerson(3);
    }
    std::unique_ptr<TestDatabase> db;
    CDatabase connection;
    CInputDataManager manager;
    CHouseholdObject* household = nullptr;
    CPersonObject* adult = nullptr;
    CPersonObject* child = nullptr;
    CPersonObject* other = nullptr;
};

TEST_P(HouseholdObjectTest, NextAdultWalksTheAdultsAndStopsAtTheEnd) {
    EXPECT_EQ(household->NextAdult(), adult);
    EXPECT_EQ(household->NextAdult(), other);
    EXPECT_EQ(household->NextAdult(), nullptr);
    EXPECT_EQ(household->NextAdult(), nullptr);
    household->ResetAdultCursor();
    EXPECT_EQ(household->NextAdult(), adult);
}

TEST_P(HouseholdObjectTest, ChildCountsAreCountedOnceAndKept) {
    EXPECT_EQ(household->CountNonSchoolGoingChildren(), 1);
    child->SetFlag(0, true);
    EXPECT_EQ(household->CountSchoolGoingChildren(), 1);
    EXPECT_EQ(household->CountNonSchoolGoingChildren(), 1);  // kept from before the flag changed
    child->SetFlag(0, false);
    EXPECT_EQ(household->CountSchoolGoingChildren(), 1);
}

TEST_P(HouseholdObjectTest, QueriesAboutTheOtherMembers) {
    for (int k : {0, 3, 4, 5, 6, 7}) EXPECT_FALSE(household->AnotherMemberHasFlag(child, k)) << k;
    EXPECT_FALSE(household->AnotherAdultWorks(adult));
    other->SetFlag(0, true);
    EXPECT_TRUE(household->AnotherAdultWorks(adult));
    EXPECT_FALSE(household->AnotherAdultWorks(other));
    child->SetFlag(0, true);  // a child at school is not a working adult
    EXPECT_FALSE(household->AnotherAdultWorks(other));

    EXPECT_TRUE(household->AnotherMemberHasFlag(child, 0));
    EXPECT_FALSE(household->AnotherMemberHasFlag(child, 4));
    adult->SetFlag(3, true);
    EXPECT_TRUE(household->AnotherMemberShops(child));
    EXPECT_FALSE(household->AnotherMemberShops(adult));

    EXPECT_EQ(household->CountFemaleWorkers(), 1);     // person 3
    EXPECT_EQ(household->CountFemaleNonWorkers(), 1);  // person 1
}

TEST_P(HouseholdObjectTest, LongestWorkDurationOfTheOtherWorkers) {
    adult->SetFlag(0, true);
    other->SetFlag(0, true);
    for (int n = 1; n <= 3; ++n) household->GetPerson(n)->CreatePattern();
    adult->GetWPattern()->SetWorkDuration(480.0);
    other->GetWPattern()->SetWorkDuration(300.0);
    EXPECT_EQ(household->GetLongestOtherWorkDuration(other), 480.0);
    EXPECT_EQ(household->GetLongestOtherWorkDuration(adult), 300.0);
    EXPECT_EQ(household->GetLongestOtherWorkDuration(child), 480.0);
    other->SetFlag(0, false);
    EXPECT_EQ(household->GetLongestOtherWorkDuration(adult), 0.0);
}

TEST_P(HouseholdObjectTest, FreshPersonHasClearMarksAndAZeroCommuteRecord) {
    for (int k = 0; k < CPersonObject::kFlagCount; ++k) EXPECT_FALSE(adult->GetFlag(k));
    EXPECT_EQ(adult->m_bPicksUpChildren, 0);
    EXPECT_EQ(adult->m_bDropsOffChildren, 0);
    EXPECT_EQ(adult->m_nVehicle, -1);
    EXPECT_EQ(adult->m_pDiscretionaryTour, nullptr);
    EXPECT_EQ(adult->GetPattern(), nullptr);
    ASSERT_NE(adult->GetCommuteRecord(), nullptr);
    EXPECT_EQ(adult->GetCommuteRecord()->m_fOutboundAutoTime, 0.0f);
    EXPECT_FALSE(adult->GetCommuteRecord()->m_bReturnColumn7);
    EXPECT_THROW(adult->GetFlag(12), std::out_of_range);
    EXPECT_THROW(adult->SetFlag(-1, true), std::out_of_range);

    auto record = std::make_unique<CCommuteLOSRecord>();
    record->m_fDistance = 3.5f;
    adult->SetCommuteRecord(std::move(record));
    EXPECT_EQ(adult->GetCommuteRecord()->m_fDistance, 3.5f);
}

TEST_P(HouseholdObjectTest, SingleActivityDurationsByActivityCode) {
    for (int type = 0; type < CPersonObject::kActivityTypeCount; ++type)
        EXPECT_EQ(adult->GetActivityDuration(type), 0.0);
    adult->SetActivityDuration(9, 45.0);  // maintenance
    adult->SetActivityDuration(0, 30.0);  // shopping
    EXPECT_EQ(adult->GetActivityDuration(9), 45.0);
    EXPECT_EQ(adult->GetActivityDuration(0), 30.0);
    // Codes outside the activity types read nothing and store nothing.
    EXPECT_EQ(adult->GetActivityDuration(10), 0.0);
    EXPECT_EQ(adult->GetActivityDuration(11), 0.0);
    EXPECT_EQ(adult->GetActivityDuration(-1), 0.0);
    EXPECT_THROW(adult->SetActivityDuration(11, 5.0), std::out_of_range);
}

TEST_P(HouseholdObjectTest, ColumnsOutsideTheRowAreRefused) {
    EXPECT_THROW(household->GetValue(10), std::out_of_range);
    EXPECT_THROW(adult->SetValue(53, 1.0), std::out_of_range);
    household->SetValue(2, 4.0);
    EXPECT_EQ(household->GetValue2(), 4);
}

TEST_P(HouseholdObjectTest, ActivityZoneOfWorkersAndStudents) {
    EXPECT_EQ(adult->GetActivityZone(), 20);  // employed, not a student: column 5
    EXPECT_EQ(child->GetActivityZone(), 0);   // student, not employed: larger of columns 6 and 52
    other->SetValue(2, 1.0);                  // employed student: column 5
    EXPECT_EQ(other->GetActivityZone(), 30);
    other->SetValue(2, 0.0);                  // student only: larger of columns 6 and 52
    EXPECT_EQ(other->GetActivityZone(), 44);
    other->SetValue(6, 50.0);
    EXPECT_EQ(other->GetActivityZone(), 50);
}

INSTANTIATE_TEST_SUITE_P(Db, HouseholdObjectTest, ::testing::ValuesIn(TestDatabase::Kinds()),
                         TestDatabase::KindName);

}  // namespace
