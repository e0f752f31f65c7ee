// Input data a modeller can get wrong, on both databases: each fault ends in a
// message naming the table, the column and the key, never in a wrong value.

#include "InputTables.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "platform/CDatabase.h"
#include "support/RecordingMessageSink.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

class UnsoundInputTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        db = TestDatabase::Create(GetParam());
        InputTables::Create(*db);
    }
    bool Load(CInputDataManager& manager) {
        if (!connection.IsOpen()) connection.OpenEx(db->Connect());
        return manager.LoadTables(&connection);
    }
    // The messages that contain every one of the parts.
    int Count(std::initializer_list<std::string> parts) const {
        int n = 0;
        for (const std::string& text : messages.Texts()) {
            bool all = true;
            for (const std::string& part : parts) all = all && text.find(part) != std::string::npos;
            n += all ? 1 : 0;
        }
        return n;
    }
    // Ids of the households the page gives, loaded one by one.
    static std::vector<long long> LoadPage(CInputDataManager& manager, unsigned offset, unsigned limit) {
        std::vector<long long> ids;
        manager.LoadHouseholdIdPage(offset, limit);
        while (CHouseholdObject* household = manager.LoadNextHousehold()) ids.push_back(household->GetId());
        manager.CloseHouseholdRecordset();
        return ids;
    }
    std::unique_ptr<TestDatabase> db;
    CDatabase connection;
    RecordingMessageSink messages;
};

TEST_P(UnsoundInputTest, KeysThatAreNoZoneSkipTheHouseholdAndTextReadsZeroReportedOnce) {
    // Household 2 has no home zone (it sorts last); person 1 of household 4
    // no work zone; ages of "old" in households 5 and 1. Page order 4, 3, 5, 1, 2.
    db->Execute("UPDATE households SET zone_id = 'NaN' WHERE hid = 2");
    db->Execute("UPDATE persons SET workzone = 1e12 WHERE hid = 4");
    if (db->IsPostgreSQL()) db->Execute("ALTER TABLE persons ALTER COLUMN age TYPE VARCHAR(20)");
    db->Execute("UPDATE persons SET age = 'old' WHERE (hid = 5 OR hid = 1) AND pnum = 1");
    CInputDataManager manager;
    ASSERT_TRUE(Load(manager));
    messages.Clear();

    manager.LoadHouseholdIdPage(0, 5);
    std::vector<long long> loaded;
    while (CHouseholdObject* household = manager.LoadNextHousehold()) {
        loaded.push_back(household->GetId());
        for (const auto& person : household->GetPersons()) {
            if (person->GetPersonNumber() != 1.0) continue;
            EXPECT_EQ(person->GetValue(8), 0.0) << household->GetId();
        }
    }
    EXPECT_EQ(loaded, (std::vector<long long>{3, 5, 1}));
    EXPECT_EQ(Count({"Household 2 skipped", "zone_id (3)", "households", "nan"}), 1);
    EXPECT_EQ(Count({"Household 4 skipped", "workzone (5)", "persons", "household 4, person 1", "1e+12"}), 1);
    // Once per table and column, with the key of the first row.
    EXPECT_EQ(Count({"persons", "age (8)", "household 5, person 1", "\"old\"", "read as 0.0"}), 1);
    EXPECT_EQ(messages.Texts().size(), 3u) << ::testing::PrintToString(messages.Texts());
    manager.CloseHouseholdRecordset();
}

TEST_P(UnsoundInputTest, KeysOfTheLoadedTablesThatAreNoWholeNumberFailTheLoadNamingThem) {
    struct Case {
        const char* update;
        std::vector<std::string> named;
    };
    const Case cases[] = {
        {"UPDATE zones SET zid = 'NaN' WHERE zid = 20", {"zones", "zid (0)", "nan"}},
        {"UPDATE losdir SET end_t = 1e300 WHERE end_t = 540", {"losdir", "end_t (0)", "los_am", "1e+300"}},
        {"UPDATE VehicleMake SET age = 'Infinity' WHERE type = 1", {"VehicleMake", "age (1)", "inf"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.update);
        auto fresh = TestDatabase::Create(GetParam());
        InputTables::Create(*fresh);
        fresh->Execute(c.update);
        CDatabase own;
        own.OpenEx(fresh->Connect());
        CInputDataManager manager;
        messages.Clear();
        EXPECT_FALSE(manager.LoadTables(&own));
        ASSERT_EQ(messages.Texts().size(), 1u);
        for (const std::string& part : c.named)
            EXPECT_NE(messages.Texts()[0].find(part), std::string::npos) << part << " in " << messages.Texts()[0];
    }
}

TEST_P(UnsoundInputTest, MissingPeriodAndInputTablesAreNamedWhenTheTablesLoad) {
    db->Execute("INSERT INTO losdir VALUES (1200, 'los_evening')");
    CInputDataManager manager;
    EXPECT_FALSE(Load(manager));
    EXPECT_EQ(Count({"\"los_evening\"", "does not exist"}), 1);

    db->Execute("DROP TABLE persons");
    CInputDataManager other;
    EXPECT_FALSE(Load(other));
    EXPECT_EQ(Count({"\"persons\"", "does not exist"}), 1);
}

TEST_P(UnsoundInputTest, NarrowPersonsTableFailsOnceNamingItsWidthAndTheWidestColumnRead) {
    db->Execute("DROP TABLE persons");
    db->Execute("CREATE TABLE persons (hid DOUBLE PRECISION, pnum DOUBLE PRECISION, employed DOUBLE PRECISION)");
    db->Execute("INSERT INTO persons VALUES (1, 1, 0)");
    CInputDataManager first;
    CInputDataManager second;
    second.SetInputMessages(&first.GetInputMessages());
    ASSERT_TRUE(Load(first));
    ASSERT_TRUE(Load(second));
    EXPECT_FALSE(first.CheckRowWidths());
    EXPECT_FALSE(second.CheckRowWidths());
    EXPECT_EQ(Count({"\"persons\" has 3 columns", "up to position 58 (59 columns)"}), 1);
    EXPECT_EQ(messages.Texts().size(), 1u);
}

TEST_P(UnsoundInputTest, DuplicateIdsAreSimulatedOnceByThePageOfTheirFirstRow) {
    // Page order 2, 4, 3, 5, 5', 1, 4': a copy in the same page and one in the next.
    db->Execute("INSERT INTO households VALUES (4, 0, 1, 30, 0, 2, 0, 80, 0, 1), (5, 0, 1, 20, 0, 4, 0, 90, 0, 1)");
    db->Execute("UPDATE households SET npersons = 3 WHERE hid = 3");
    CInputDataManager thread1;
    CInputDataManager thread2;
    thread2.SetInputMessages(&thread1.GetInputMessages());
    ASSERT_TRUE(Load(thread1));
    ASSERT_TRUE(Load(thread2));
    EXPECT_EQ(LoadPage(thread1, 0, 5), (std::vector<long long>{2, 4, 3, 5}));
    EXPECT_EQ(LoadPage(thread2, 5, 2), (std::vector<long long>{1}));
    EXPECT_EQ(Count({"more than once: 4, 5."}), 1);
    // Household 3 says it has 3 members and has none.
    EXPECT_EQ(Count({"Household 3", "gives 3 members", "holds 0"}), 1);
    EXPECT_EQ(messages.Texts().size(), 2u);
}

TEST_P(UnsoundInputTest, ALevelOfServiceValueThatIsNoNumberReadsZeroFromTheDatabaseAndTheCacheAlike) {
    db->Execute("UPDATE los_am SET autotime = 'NaN'");
    CInputDataManager manager;
    ASSERT_TRUE(Load(manager));
    std::vector<double> fromDatabase;
    std::vector<double> fromCache;
    manager.GetLOS(fromDatabase, 5, 480.0, 10, {20});
    manager.SetOriginZone(10);
    manager.GetLOS(fromCache, 5, 480.0, 10, {20});
    EXPECT_EQ(fromDatabase, std::vector<double>{0.0});
    EXPECT_EQ(fromCache, std::vector<double>{0.0});
    EXPECT_EQ(Count({"\"los_am\"", "autotime (5)", "origin 10, destination 20", "nan"}), 1);
    EXPECT_EQ(messages.Texts().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Db, UnsoundInputTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
