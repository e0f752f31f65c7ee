// A thread's page of household ids in zone order, and the households loaded
// one by one with their persons, on both databases.

#include "InputTables.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "platform/CDatabase.h"
#include "schedules/CNWPattern.h"
#include "schedules/CWPattern.h"
#include "support/RecordingMessageSink.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

class HouseholdLoadTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        db = TestDatabase::Create(GetParam());
        InputTables::Create(*db);
        connection.OpenEx(db->Connect());
        ASSERT_TRUE(manager.LoadTables(&connection));
    }
    std::unique_ptr<TestDatabase> db;
    CDatabase connection;
    RecordingMessageSink messages;
    CInputDataManager manager;
};

TEST_P(HouseholdLoadTest, CountsTheHouseholds) { EXPECT_EQ(manager.CountHouseholds(), 5); }

TEST_P(HouseholdLoadTest, IdPageFollowsZoneThenIdWithOffsetAndLimit) {
    // Zones: 1 -> 30, 2 -> 10, 3 -> 20, 4 -> 10, 5 -> 20.
    manager.LoadHouseholdIdPage(0, 5);
    EXPECT_EQ(manager.GetHouseholdIds(), (std::vector<long long>{2, 4, 3, 5, 1}));
    manager.LoadHouseholdIdPage(1, 3);
    EXPECT_EQ(manager.GetHouseholdIds(), (std::vector<long long>{4, 3, 5}));
    manager.LoadHouseholdIdPage(4, 10);
    EXPECT_EQ(manager.GetHouseholdIds(), (std::vector<long long>{1}));
    manager.LoadHouseholdIdPage(5, 10);
    EXPECT_TRUE(manager.GetHouseholdIds().empty());
    manager.CloseHouseholdRecordset();
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_P(HouseholdLoadTest, EachPageStartsAfreshAndReportsWhenUsedUp) {
    manager.LoadHouseholdIdPage(0, 2);
    ASSERT_NE(manager.LoadNextHousehold(), nullptr);
    ASSERT_NE(manager.LoadNextHousehold(), nullptr);
    EXPECT_EQ(manager.LoadNextHousehold(), nullptr);
    EXPECT_EQ(manager.GetCurrentHousehold(), nullptr);
    EXPECT_EQ(manager.LoadNextHousehold(), nullptr);

    // The next run's page begins at its own first id.
    manager.LoadHouseholdIdPage(2, 2);
    EXPECT_EQ(manager.GetHouseholdIds(), (std::vector<long long>{3, 5}));
    CHouseholdObject* household = manager.LoadNextHousehold();
    ASSERT_NE(household, nullptr);
    EXPECT_EQ(household->GetId(), 3);
    manager.CloseHouseholdRecordset();
}

TEST_P(HouseholdLoadTest, LoadsTheHouseholdWithItsPersonsInTheirOrder) {
    manager.LoadHouseholdIdPage(4, 1);
    CHouseholdObject* household = manager.LoadNextHousehold();
    ASSERT_NE(household, nullptr);
    EXPECT_EQ(manager.GetCurrentHousehold(), household);
    EXPECT_EQ(household->GetId(), 1);
    EXPECT_EQ(household->GetColumnCountOfRow(), 10);
    EXPECT_EQ(household->GetHomeZone(), 30);
    EXPECT_EQ(household->GetHouseholdType(), 7);
    EXPECT_EQ(household->GetValue2(), 1);
    EXPECT_EQ(household->GetValue(7), 50.0);
    EXPECT_EQ(household->GetDataManager(), &manager);

    ASSERT_EQ(household->GetPersonCount(), 3);
    for (int n = 1; n <= 3; ++n) {
        CPersonObject* person = household->GetPerson(n);
        ASSERT_NE(person, nullptr);
        EXPECT_EQ(person->GetPersonNumber(), n);
        EXPECT_EQ(person->GetHouseholdId(), 1);
        EXPECT_EQ(person->GetHousehold(), household);
        EXPECT_EQ(person->GetDataManager(), &manager);
        EXPECT_EQ(person->GetColumnCountOfRow(), 53);
    }
    EXPECT_EQ(household->GetPerson(0), nullptr);
    EXPECT_EQ(household->GetPerson(4), nullptr);
    EXPECT_TRUE(household->GetPerson(2)->IsChild());
    EXPECT_EQ(household->GetPerson(1)->GetValue7(), 1);
}

TEST_P(HouseholdLoadTest, HouseholdTypeThatIsNotWholeBecomesZero) {
    manager.LoadHouseholdIdPage(0, 1);  // household 2, type 3.5
    CHouseholdObject* household = manager.LoadNextHousehold();
    ASSERT_NE(household, nullptr);
    EXPECT_EQ(household->GetId(), 2);
    EXPECT_EQ(household->GetValue(5), 0.0);
    EXPECT_EQ(household->GetHouseholdType(), 0);
}

TEST_P(HouseholdLoadTest, HouseholdWithoutPersons) {
    manager.LoadHouseholdIdPage(2, 1);  // household 3
    CHouseholdObject* household = manager.LoadNextHousehold();
    ASSERT_NE(household, nullptr);
    EXPECT_EQ(household->GetId(), 3);
    EXPECT_EQ(household->GetPersonCount(), 0);
    EXPECT_EQ(household->NextAdult(), nullptr);
    EXPECT_EQ(household->CountSchoolGoingChildren(), 0);
    EXPECT_EQ(household->CountNonSchoolGoingChildren(), 0);
    EXPECT_EQ(household->CountFemaleWorkers(), 0);
    EXPECT_EQ(household->CountFemaleNonWorkers(), 0);
    EXPECT_EQ(household->GetLongestOtherWorkDuration(nullptr), 0.0);
}

TEST_P(HouseholdLoadTest, IdWithoutAHouseholdRowIsSkippedWithAMessage) {
    manager.LoadHouseholdIdPage(0, 3);  // 2, 4, 3
    manager.CloseHouseholdRecordset();
    db->Execute("DELETE FROM households WHERE hid = 4");
    CHouseholdObject* household = manager.LoadNextHousehold();
    ASSERT_NE(household, nullptr);
    EXPECT_EQ(household->GetId(), 2);
    EXPECT_TRUE(messages.Texts().empty());
    household = manager.LoadNextHousehold();
    ASSERT_NE(household, nullptr);
    EXPECT_EQ(household->GetId(), 3);
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find("4"), std::string::npos);
    EXPECT_EQ(manager.LoadNextHousehold(), nullptr);
}

TEST_P(HouseholdLoadTest, IdPageErrorIsReportedAsError4WithTheErrorsReport) {
    manager.LoadHouseholdIdPage(0, 5);
    CInputDataManager other;
    CDatabase closed;
    ASSERT_FALSE(other.CheckTables(&closed));
    messages.Clear();
    other.LoadHouseholdIdPage(0, 5);
    const auto posted = messages.Messages();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].text, "Error 4");
    EXPECT_EQ(posted[1].icon, MessageIcon::Information);
    EXPECT_TRUE(other.GetHouseholdIds().empty());
    EXPECT_EQ(other.LoadNextHousehold(), nullptr);
    EXPECT_EQ(manager.GetHouseholdIds().size(), 5u);
}

TEST_P(HouseholdLoadTest, ReleaseDeletesTheHouseholdAndLoadingGoesOn) {
    manager.LoadHouseholdIdPage(0, 5);
    ASSERT_NE(manager.LoadNextHousehold(), nullptr);
    manager.ReleaseHousehold();
    EXPECT_EQ(manager.GetCurrentHousehold(), nullptr);
    CHouseholdObject* household = manager.LoadNextHousehold();
    ASSERT_NE(household, nullptr);
    EXPECT_EQ(household->GetId(), 4);
    manager.CloseHouseholdRecordset();
    manager.CloseHouseholdRecordset();
}

TEST_P(HouseholdLoadTest, PersonsGetTheirPatternsByFlagsAndLoseThemWithTheHousehold) {
    manager.LoadHouseholdIdPage(4, 1);
    CHouseholdObject* household = manager.LoadNextHousehold();
    ASSERT_NE(household, nullptr);
    CPersonObject* worker = household->GetPerson(1);
    CPersonObject* pupil = household->GetPerson(2);
    CPersonObject* stayAtHome = household->GetPerson(3);
    worker->SetFlag(0, true);
    pupil->SetFlag(1, true);  // a school flag without the day flag still makes a worker/student day
    for (int n = 1; n <= 3; ++n) household->GetPerson(n)->CreatePattern();

    CWPattern* pattern = worker->GetWPattern();
    ASSERT_NE(pattern, nullptr);
    EXPECT_EQ(pattern->GetPerson(), worker);
    EXPECT_EQ(pattern->GetTours().size(), 11u);
    EXPECT_NE(pattern->GetTourAt(0), nullptr);
    EXPECT_NE(pattern->GetTourAt(1), nullptr);
    EXPECT_EQ(pattern->GetTourAt(2), nullptr);
    EXPECT_EQ(worker->GetNWPattern(), nullptr);

    EXPECT_NE(dynamic_cast<CWPattern*>(pupil->GetPattern()), nullptr);
    EXPECT_EQ(pupil->GetWPattern(), nullptr);  // flag 0 clear
    EXPECT_EQ(pupil->GetNWPattern(), nullptr);  // not a non-worker day either

    CNWPattern* free = stayAtHome->GetNWPattern();
    ASSERT_NE(free, nullptr);
    EXPECT_EQ(free->GetPerson(), stayAtHome);
    EXPECT_EQ(stayAtHome->GetWPattern(), nullptr);
    EXPECT_EQ(free->GetTourCount(), 0);

    // Loading the next household deletes this one with its persons and patterns.
    manager.LoadHouseholdIdPage(0, 1);
    EXPECT_NE(manager.LoadNextHousehold(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Db, HouseholdLoadTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
