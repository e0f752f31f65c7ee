// Input data a modeller can get wrong, on both databases: each fault ends in a
// message naming the table, the column and the key, never in a wrong value.

#include "InputTables.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "platform/CDatabase.h"
#include "platform/NumberText.h"
#include "support/RecordingMessageSink.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <cmath>
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
    // Loads the input tables of a fresh database with one change by two
    // managers that share their messages, as a run's threads do; whether they loaded.
    bool LoadChanged(const std::string& change) {
        auto fresh = TestDatabase::Create(GetParam());
        InputTables::Create(*fresh);
        fresh->Execute(change);
        CDatabase own;
        own.OpenEx(fresh->Connect());
        CInputDataManager first;
        CInputDataManager second;
        second.SetInputMessages(&first.GetInputMessages());
        messages.Clear();
        const bool loaded = first.LoadTables(&own);
        EXPECT_EQ(second.LoadTables(&own), loaded);
        return loaded;
    }
    void ExpectOneMessageNaming(const std::vector<std::string>& parts) const {
        ASSERT_EQ(messages.Texts().size(), 1u) << ::testing::PrintToString(messages.Texts());
        for (const std::string& part : parts)
            EXPECT_NE(messages.Texts()[0].find(part), std::string::npos) << part << " in " << messages.Texts()[0];
    }
    // Column 5 of the level-of-service pair 10 -> 20 at a time, from the
    // database and then from the cache of zone 10.
    static std::vector<double> FromBothPaths(CInputDataManager& manager, double time) {
        std::vector<double> fromDatabase;
        std::vector<double> fromCache;
        manager.GetLOS(fromDatabase, 5, time, 10, {20});
        manager.SetOriginZone(10);
        manager.GetLOS(fromCache, 5, time, 10, {20});
        fromDatabase.insert(fromDatabase.end(), fromCache.begin(), fromCache.end());
        return fromDatabase;
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
        EXPECT_FALSE(LoadChanged(c.update));
        ExpectOneMessageNaming(c.named);
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

TEST_P(UnsoundInputTest, NarrowPersonsAndZonesTablesFailOnceEachNamingTheirWidthAndTheWidestColumnRead) {
    db->Execute("DROP TABLE persons");
    db->Execute("CREATE TABLE persons (hid DOUBLE PRECISION, pnum DOUBLE PRECISION, employed DOUBLE PRECISION)");
    db->Execute("INSERT INTO persons VALUES (1, 1, 0)");
    for (int c = 4; c < 44; ++c)  // zones one column short of the 45 read
        db->Execute("ALTER TABLE zones ADD COLUMN c" + NumberText::Integer(c) + " DOUBLE PRECISION DEFAULT 0");
    CInputDataManager first;
    CInputDataManager second;
    second.SetInputMessages(&first.GetInputMessages());
    ASSERT_TRUE(Load(first));
    ASSERT_TRUE(Load(second));
    EXPECT_FALSE(first.CheckRowWidths());
    EXPECT_FALSE(second.CheckRowWidths());
    EXPECT_EQ(Count({"\"persons\" has 3 columns", "up to position 58 (59 columns)"}), 1);
    EXPECT_EQ(Count({"\"zones\" has 44 columns", "up to position 44 (45 columns)"}), 1);
    EXPECT_EQ(messages.Texts().size(), 2u);
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
    EXPECT_EQ(FromBothPaths(manager, 480.0), (std::vector<double>{0.0, 0.0}));
    EXPECT_EQ(Count({"\"los_am\"", "autotime (5)", "origin 10, destination 20", "nan"}), 1);
    EXPECT_EQ(messages.Texts().size(), 1u);
}

TEST_P(UnsoundInputTest, WhatTheTablesHoldAsAWholeIsNamedOnceForTheManagersOfARun) {
    struct Case {
        std::string change;
        bool loads;
        std::vector<std::string> named;
    };
    const bool sqlite = !db->IsPostgreSQL();
    const Case cases[] = {
        {"DELETE FROM zones", false, {"\"zones\" holds no rows"}},
        {"DELETE FROM zone2zone", false, {"\"zone2zone\" holds no rows"}},
        {"DELETE FROM los_day", false, {"\"los_day\" named in losdir holds no rows"}},
        {"DELETE FROM losdir", false, {"(losdir) holds no rows"}},
        {"DELETE FROM VehicleMake", true, {"holds no rows: every vehicle gets make -1"}},
        {"DELETE FROM households", true, {"\"households\" holds no rows"}},
        {"DELETE FROM persons", true, {"\"persons\" holds no rows"}},
        {"ALTER TABLE VehicleMake RENAME COLUMN age TO grp", false, {"needs the columns type and age"}},
        {"INSERT INTO losdir VALUES (540, 'los_day')", true, {"end_t 540: \"los_am\" by \"los_day\" of row 3"}},
        {"INSERT INTO losdir VALUES (-5, 'los_day')", true, {"NULL or negative", "row 3 (end_t -5) of table"}},
        // Text in a key column is possible in SQLite only.
        {std::string("UPDATE persons SET hid = ") + (sqlite ? "'x5'" : "5.5") + " WHERE hid = 5", true,
         {"1 row whose hid names no household", sqlite ? "hid \"x5\" (person 1)" : "hid 5.5 (person 1)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        EXPECT_EQ(LoadChanged(c.change), c.loads);
        ExpectOneMessageNaming(c.named);
    }
}

TEST_P(UnsoundInputTest, LookupsOfMissingPairsAreCountedOnEveryPathAndReportedByTheLastManagerOfTheRun) {
    CInputDataManager cached;
    CInputDataManager queried;
    queried.SetInputMessages(&cached.GetInputMessages());
    cached.GetInputMessages().SetManagerCount(2);
    ASSERT_TRUE(Load(cached));
    ASSERT_TRUE(Load(queried));
    std::vector<double> values;
    cached.SetOriginZone(10);
    cached.GetLOS(values, 5, 480.0, 10, {30, 20});
    EXPECT_EQ(values, (std::vector<double>{0.0, 12.5}));
    double value = -1.0;
    queried.GetZone2Zone(value, 3, 20, 30);  // the store of origin columns
    EXPECT_EQ(value, 0.0);
    queried.SetLookupMemo(false);
    queried.GetLOS(values, 5, 480.0, 20, {10});  // the database
    queried.GetZone2Zone(value, 3, 30, 10);
    EXPECT_EQ(value, 0.0);
    cached.EndRun();
    EXPECT_TRUE(messages.Texts().empty());
    queried.EndRun();
    EXPECT_EQ(Count({"\"los_am\" holds no row for 2 lookups", "origin 10, destination 30"}), 1);
    EXPECT_EQ(Count({"\"zone2zone\" holds no row for 2 lookups", "origin 20, destination 30"}), 1);
    EXPECT_EQ(messages.Texts().size(), 2u);
}

TEST_P(UnsoundInputTest, InfiniteValuesAreKeptAndReportedOncePerTableAndColumn) {
    const bool postgres = db->IsPostgreSQL();
    db->Execute(std::string("UPDATE los_day SET autotime = ") + (postgres ? "'Infinity'" : "1e999"));
    db->Execute(std::string("UPDATE households SET income = ") + (postgres ? "'-Infinity'" : "-1e999"));
    CInputDataManager manager;
    ASSERT_TRUE(Load(manager));
    EXPECT_EQ(FromBothPaths(manager, 1000.0), (std::vector<double>{HUGE_VAL, HUGE_VAL}));
    manager.LoadHouseholdIdPage(0, 5);
    for (int n = 0; n < 2; ++n) EXPECT_EQ(manager.LoadNextHousehold()->GetValue(7), -HUGE_VAL);
    manager.CloseHouseholdRecordset();
    EXPECT_EQ(Count({"\"los_day\" holds an infinite value", "autotime (5)", "origin 10, destination 20: inf"}), 1);
    EXPECT_EQ(Count({"\"households\" holds an infinite value", "income (7)", "household 2: -inf"}), 1);
    EXPECT_EQ(messages.Texts().size(), 2u) << ::testing::PrintToString(messages.Texts());
}

TEST_P(UnsoundInputTest, NullValuesReadZeroAndAreReportedOncePerTableAndColumnWithTheFirstKey) {
    db->Execute("UPDATE persons SET age = NULL WHERE hid = 5");
    db->Execute("UPDATE zones SET jobs = NULL");
    db->Execute("INSERT INTO VehicleMake VALUES (4, 1, 1, NULL), (4, 1, 2, NULL)");
    db->Execute("UPDATE los_am SET autotime = NULL");
    db->Execute("UPDATE zone2zone SET distance = NULL WHERE orig_zon = 20");
    CInputDataManager manager;
    ASSERT_TRUE(Load(manager));
    EXPECT_EQ(FromBothPaths(manager, 480.0), (std::vector<double>{0.0, 0.0}));
    double distance = -1.0;
    manager.GetZone2Zone(distance, 3, 20, 20);
    EXPECT_EQ(distance, 0.0);
    manager.LoadHouseholdIdPage(3, 1);  // household 5, of one person
    EXPECT_EQ(manager.LoadNextHousehold()->GetPerson(1)->GetValue(8), 0.0);
    manager.CloseHouseholdRecordset();
    EXPECT_EQ(Count({"\"persons\" holds an empty value (NULL) in column age (8), first at household 5, person 1. "
                     "Such values read as 0.0."}), 1);
    EXPECT_EQ(Count({"\"zones\"", "(NULL) in column jobs (2), first at zone 10."}), 1);
    EXPECT_EQ(Count({"(NULL) in column share (3), first at row 6."}), 1);
    EXPECT_EQ(Count({"\"los_am\"", "(NULL) in column autotime (5), first at origin 10, destination 20."}), 1);
    EXPECT_EQ(Count({"\"zone2zone\"", "(NULL) in column distance (3), first at origin 20, destination 10."}), 1);
    EXPECT_EQ(messages.Texts().size(), 5u) << ::testing::PrintToString(messages.Texts());
}

INSTANTIATE_TEST_SUITE_P(Db, UnsoundInputTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
