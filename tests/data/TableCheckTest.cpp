// The check of the six input tables through the table catalog, the loading of
// losdir, zones and VehicleMake, and the registration of column names, on both
// databases.

#include "InputTables.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "platform/CDatabase.h"
#include "support/RecordingMessageSink.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <thread>

namespace {

std::vector<std::string> Lower(std::vector<std::string> names) {
    for (auto& name : names)
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return names;
}

std::vector<std::string> HouseholdNames() {
    std::vector<std::string> names;
    CHouseholdObject(nullptr).GetColumnNames(names);
    return Lower(names);
}

const std::vector<std::string> kHouseholdColumns{"hid", "h1", "vehicles", "zone_id", "h4",
                                                 "hhtype", "h6", "income", "h8", "npersons"};

class TableCheckTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { db = TestDatabase::Create(GetParam()); }
    void Connect() { connection.OpenEx(db->Connect()); }
    // Clears the class-wide name arrays so that a test sees only its own registrations.
    static void ForgetNames() {
        CHouseholdObject(nullptr).SetColumnNames({});
        CPersonObject(nullptr).SetColumnNames({});
        CZoneData().SetColumnNames({});
        CZone2ZoneData().SetColumnNames({});
        CVehMData().SetColumnNames({});
        CLOSData().SetColumnNames({});
    }
    std::unique_ptr<TestDatabase> db;
    CDatabase connection;
    RecordingMessageSink messages;
};

TEST_P(TableCheckTest, AllSixTablesPassAndRegisterTheirColumnsInCatalogOrder) {
    ForgetNames();
    InputTables::Create(*db);
    Connect();
    CInputDataManager manager;
    EXPECT_TRUE(manager.CheckTables(&connection));
    EXPECT_EQ(manager.GetDatabase(), &connection);
    EXPECT_EQ(HouseholdNames(), kHouseholdColumns);
    std::vector<std::string> names;
    CPersonObject(nullptr).GetColumnNames(names);
    ASSERT_EQ(names.size(), 53u);
    EXPECT_EQ(Lower(names)[8], "age");
    manager.GetZoneNames().GetColumnNames(names);
    EXPECT_EQ(Lower(names), (std::vector<std::string>{"zid", "area", "jobs", "density"}));
    manager.GetZone2ZoneNames().GetColumnNames(names);
    EXPECT_EQ(Lower(names), (std::vector<std::string>{"orig_zon", "dest_zon", "adjacent", "distance"}));
    manager.GetVehicleMakeNames().GetColumnNames(names);
    EXPECT_EQ(Lower(names), (std::vector<std::string>{"type", "age", "maketype", "share"}));
    // The check alone neither loads tables nor registers level-of-service names.
    EXPECT_TRUE(manager.GetLOSDirectory().empty());
    EXPECT_EQ(manager.GetLOSNames().GetColumnCount(), 0);
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_P(TableCheckTest, VehicleMakeCreatedLastStillPasses) {
    InputTables::Create(*db, /*withVehicleMake=*/false);
    db->Execute("CREATE TABLE VehicleMake (type DOUBLE PRECISION, age DOUBLE PRECISION)");
    Connect();
    CInputDataManager manager;
    EXPECT_TRUE(manager.CheckTables(&connection));
}

TEST_P(TableCheckTest, AMissingTableFailsTheCheckAndTheLoad) {
    InputTables::Create(*db, /*withVehicleMake=*/false);
    Connect();
    CInputDataManager manager;
    EXPECT_FALSE(manager.CheckTables(&connection));
    EXPECT_FALSE(manager.LoadTables(&connection));
    // The other tables were still walked and loaded.
    EXPECT_EQ(manager.GetZoneTable().size(), 3u);
}

TEST_P(TableCheckTest, TableNamesMatchInAnyLetterCase) {
    ForgetNames();
    // PostgreSQL folds these unquoted names to lower case, as it does those of the queries.
    for (const char* table : {"HOUSEHOLDS", "PERSONS", "LOSDIR", "ZONES", "ZONE2ZONE", "VEHICLEMAKE"})
        db->Execute(std::string("CREATE TABLE ") + table + " (hid DOUBLE PRECISION, zid DOUBLE PRECISION)");
    Connect();
    CInputDataManager manager;
    EXPECT_TRUE(manager.CheckTables(&connection));
    EXPECT_EQ(HouseholdNames(), (std::vector<std::string>{"hid", "zid"}));
}

TEST_P(TableCheckTest, OnPostgreSQLATableOnlyUnderAQuotedNameWithCapitalsFailsTheLoadNamingIt) {
    if (!db->IsPostgreSQL()) GTEST_SKIP() << "SQLite finds a table whatever the letter case of its name";
    InputTables::Create(*db, /*withVehicleMake=*/false);
    db->Execute("CREATE TABLE \"VehicleMake\" (type DOUBLE PRECISION, age DOUBLE PRECISION)");
    db->Execute("ALTER TABLE los_am RENAME TO \"Los_Am\"");
    Connect();
    CInputDataManager manager;
    EXPECT_FALSE(manager.LoadTables(&connection));
    ASSERT_EQ(messages.Texts().size(), 2u) << ::testing::PrintToString(messages.Texts());
    EXPECT_NE(messages.Texts()[0].find("\"VehicleMake\" exists only under a quoted name"), std::string::npos);
    EXPECT_NE(messages.Texts()[1].find("\"Los_Am\" named in losdir exists only under a quoted"), std::string::npos);
}

TEST_P(TableCheckTest, ATableInAnotherSchemaCountsOnceAndLendsNoColumns) {
    if (!db->IsPostgreSQL()) GTEST_SKIP() << "SQLite has no schemas";
    ForgetNames();
    InputTables::Create(*db);
    // Listed before the public tables by the catalog.
    db->Execute("CREATE SCHEMA aaa");
    db->Execute("CREATE TABLE aaa.households (x DOUBLE PRECISION, y DOUBLE PRECISION)");
    db->Execute("CREATE TABLE aaa.zone2zone (x DOUBLE PRECISION)");
    db->Execute("CREATE TABLE aaa.los_am (x DOUBLE PRECISION)");
    Connect();
    CInputDataManager manager;
    EXPECT_TRUE(manager.CheckTables(&connection));
    EXPECT_EQ(HouseholdNames(), kHouseholdColumns);
    ASSERT_TRUE(manager.LoadTables(&connection));
    std::vector<std::string> names;
    manager.GetZone2ZoneNames().GetColumnNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"orig_zon", "dest_zon", "adjacent", "distance"}));
    manager.GetLOSNames().GetColumnNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"orig_zon", "dest_zon", "c2", "adjacent", "c4", "autotime"}));
}

TEST_P(TableCheckTest, DuplicateInAnotherSchemaDoesNotMakeUpForAMissingTable) {
    if (!db->IsPostgreSQL()) GTEST_SKIP() << "SQLite has no schemas";
    InputTables::Create(*db, /*withVehicleMake=*/false);
    db->Execute("CREATE SCHEMA aaa");
    db->Execute("CREATE TABLE aaa.households (x DOUBLE PRECISION)");
    Connect();
    CInputDataManager manager;
    EXPECT_FALSE(manager.CheckTables(&connection));
}

TEST_P(TableCheckTest, TableNamesThatAreOnlyPatternMatchesLendNoColumns) {
    ForgetNames();
    InputTables::Create(*db);
    // "zone2zone" has no pattern characters, but the level-of-service table
    // name "los_am" matches "losXam" as a catalog search pattern.
    db->Execute("CREATE TABLE losxam (bogus DOUBLE PRECISION)");
    Connect();
    CInputDataManager manager;
    ASSERT_TRUE(manager.LoadTables(&connection));
    std::vector<std::string> names;
    manager.GetLOSNames().GetColumnNames(names);
    EXPECT_EQ(Lower(names), (std::vector<std::string>{"orig_zon", "dest_zon", "c2", "adjacent", "c4", "autotime"}));
}

TEST_P(TableCheckTest, LoadTablesLoadsTheDirectoryZonesAndVehicleMakes) {
    InputTables::Create(*db);
    Connect();
    CInputDataManager manager;
    ASSERT_TRUE(manager.LoadTables(&connection));

    EXPECT_EQ(manager.GetLOSDirectory(), (std::map<int, std::string>{{540, "los_am"}, {1440, "los_day"}}));
    std::vector<std::string> names;
    manager.GetLOSNames().GetColumnNames(names);
    EXPECT_EQ(Lower(names), (std::vector<std::string>{"orig_zon", "dest_zon", "c2", "adjacent", "c4", "autotime"}));

    ASSERT_EQ(manager.GetZoneTable().size(), 3u);
    EXPECT_EQ(manager.GetZoneTable().at(20), (std::vector<double>{2.5, 200, 8}));

    // Key type x 10 + age; the rows of key 35 after another key are dropped.
    const auto& makes = manager.GetVehicleMakeTable();
    ASSERT_EQ(makes.size(), 3u);
    ASSERT_NE(manager.GetVehicleMakeRows(35), nullptr);
    EXPECT_EQ(*manager.GetVehicleMakeRows(35),
              (std::vector<std::vector<double>>{{3, 5, 1, 0.5}, {3, 5, 2, 0.5}}));
    EXPECT_EQ(makes.at(12), (std::vector<std::vector<double>>{{1, 2, 1, 1.0}}));
    EXPECT_EQ(makes.at(21), (std::vector<std::vector<double>>{{2, 1, 4, 0.25}}));
    EXPECT_EQ(manager.GetVehicleMakeRows(99), nullptr);
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_P(TableCheckTest, ZoneValuesByColumnWithZeroForUnknownZonesAndColumns) {
    InputTables::Create(*db);
    Connect();
    CInputDataManager manager;
    ASSERT_TRUE(manager.LoadTables(&connection));
    double value = -1.0;
    manager.GetZoneValue(value, 1, 10);  // column 1 is the first after zid
    EXPECT_EQ(value, 1.5);
    manager.GetZoneValue(value, 3, 30);
    EXPECT_EQ(value, 9.0);
    manager.GetZoneValue(value, 1, 99);
    EXPECT_EQ(value, 0.0);
    value = -1.0;
    manager.GetZoneValue(value, 4, 10);
    EXPECT_EQ(value, 0.0);
    value = -1.0;
    manager.GetZoneValue(value, 0, 10);
    EXPECT_EQ(value, 0.0);

    std::vector<double> values{-5.0};
    manager.GetZoneValues(values, 2, {30, 99, 10, 30});
    EXPECT_EQ(values, (std::vector<double>{-5.0, 300, 0.0, 100, 300}));
}

TEST_P(TableCheckTest, ASecondLoadGivesTheSameTablesAndDropsRowsThatAreGone) {
    InputTables::Create(*db);
    Connect();
    CInputDataManager manager;
    ASSERT_TRUE(manager.LoadTables(&connection));
    const auto directory = manager.GetLOSDirectory();
    const auto zones = manager.GetZoneTable();
    const auto makes = manager.GetVehicleMakeTable();
    ASSERT_TRUE(manager.LoadTables(&connection));
    EXPECT_EQ(manager.GetLOSDirectory(), directory);
    EXPECT_EQ(manager.GetZoneTable(), zones);
    EXPECT_EQ(manager.GetVehicleMakeTable(), makes);

    // The next run sees the tables as they are now.
    db->Execute("DELETE FROM zones WHERE zid = 30");
    db->Execute("DELETE FROM losdir WHERE end_t = 1440");
    db->Execute("UPDATE VehicleMake SET share = 0.75 WHERE type = 1");
    ASSERT_TRUE(manager.LoadTables(&connection));
    EXPECT_EQ(manager.GetZoneTable().count(30), 0u);
    EXPECT_EQ(manager.GetLOSDirectory(), (std::map<int, std::string>{{540, "los_am"}}));
    EXPECT_EQ(manager.GetVehicleMakeTable().at(12), (std::vector<std::vector<double>>{{1, 2, 1, 0.75}}));
}

TEST_P(TableCheckTest, ReloadsAndRepeatedChecksKeepEachColumnOnce) {
    InputTables::Create(*db);
    Connect();
    CInputDataManager first, second;
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(first.CheckTables(&connection));
        EXPECT_TRUE(second.LoadTables(&connection));
    }
    EXPECT_EQ(HouseholdNames(), kHouseholdColumns);
    EXPECT_EQ(first.GetLOSNames().GetColumnCount(), 6);
    EXPECT_EQ(first.GetZoneNames().GetColumnCount(), 4);
}

TEST_P(TableCheckTest, TenThreadsRegisterEachColumnOnce) {
    ForgetNames();
    InputTables::Create(*db);
    std::vector<std::thread> threads;
    std::vector<int> results(10, -1);
    for (int t = 0; t < 10; ++t)
        threads.emplace_back([this, t, &results] {
            CDatabase own;
            own.OpenEx(db->Connect());
            CInputDataManager manager;
            results[static_cast<size_t>(t)] = (t % 2 ? manager.LoadTables(&own) : manager.CheckTables(&own)) ? 1 : 0;
        });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(results, std::vector<int>(10, 1));
    EXPECT_EQ(HouseholdNames(), kHouseholdColumns);
    std::vector<std::string> names;
    CPersonObject(nullptr).GetColumnNames(names);
    EXPECT_EQ(names.size(), 53u);
    CLOSData().GetColumnNames(names);
    EXPECT_EQ(Lower(names), (std::vector<std::string>{"orig_zon", "dest_zon", "c2", "adjacent", "c4", "autotime"}));
    CVehMData().GetColumnNames(names);
    EXPECT_EQ(names.size(), 4u);
}

TEST_P(TableCheckTest, EmptyDirectoryFailsTheLoadWithAMessage) {
    InputTables::Create(*db, true, /*withLosRows=*/false);
    Connect();
    CInputDataManager manager;
    EXPECT_TRUE(manager.CheckTables(&connection));
    EXPECT_FALSE(manager.LoadTables(&connection));
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find("losdir"), std::string::npos);
    EXPECT_EQ(messages.Messages()[0].icon, MessageIcon::Error);
}

TEST_P(TableCheckTest, DirectoryNamingAMissingTableFailsTheLoad) {
    InputTables::Create(*db);
    db->Execute("UPDATE losdir SET tbname = 'los_none' WHERE end_t = 540");
    Connect();
    CInputDataManager manager;
    EXPECT_FALSE(manager.LoadTables(&connection));
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find("los_none"), std::string::npos);
}

TEST_P(TableCheckTest, DirectoryRowWithoutANameFailsTheLoadNamingTheRow) {
    InputTables::Create(*db);
    // Rows come back in insertion order: 1440 los_day, 540 los_am, 2000 NULL.
    db->Execute("INSERT INTO losdir VALUES (2000, NULL)");
    Connect();
    CInputDataManager manager;
    EXPECT_FALSE(manager.LoadTables(&connection));
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find("tbname (1) of row 3 (end_t 2000) holds NULL"), std::string::npos)
        << messages.Texts()[0];
}

TEST_P(TableCheckTest, TableNameThatIsNotAPlainIdentifierFailsTheLoad) {
    InputTables::Create(*db);
    db->Execute("UPDATE losdir SET tbname = 'los_day; DROP TABLE households' WHERE end_t = 1440");
    Connect();
    CInputDataManager manager;
    EXPECT_FALSE(manager.LoadTables(&connection));
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find("not a plain identifier"), std::string::npos);
    EXPECT_EQ(manager.CountHouseholds(), 5);
}

TEST_P(TableCheckTest, ColumnNameThatIsNotAPlainIdentifierFailsTheLoad) {
    InputTables::Create(*db);
    db->Execute("DROP TABLE zone2zone");
    db->Execute("CREATE TABLE zone2zone (orig_zon DOUBLE PRECISION, \"dest zon\" DOUBLE PRECISION)");
    Connect();
    CInputDataManager manager;
    EXPECT_TRUE(manager.CheckTables(&connection));
    EXPECT_FALSE(manager.LoadTables(&connection));
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find("dest zon"), std::string::npos);
}

TEST_P(TableCheckTest, DatabaseErrorsAreReportedWithTheirFixedTexts) {
    CDatabase closed;
    CInputDataManager manager;
    EXPECT_FALSE(manager.CheckTables(&closed));
    EXPECT_FALSE(manager.LoadTables(&closed));
    manager.ReadColumnNames("zones", &manager.GetZoneNames());
    const auto posted = messages.Messages();
    ASSERT_EQ(posted.size(), 6u);
    EXPECT_EQ(posted[0].text, "Error 1");
    EXPECT_EQ(posted[1].icon, MessageIcon::Information);
    EXPECT_EQ(posted[2].text, "Error 2");
    EXPECT_EQ(posted[3].icon, MessageIcon::Error);
    EXPECT_EQ(posted[4].text, "Error 3");
    EXPECT_EQ(posted[5].icon, MessageIcon::Error);
    EXPECT_FALSE(posted[1].text.empty());
}

TEST_P(TableCheckTest, ReadColumnNamesOfAMissingTableKeepsTheEarlierNames) {
    InputTables::Create(*db);
    Connect();
    CInputDataManager manager;
    ASSERT_TRUE(manager.CheckTables(&connection));
    manager.ReadColumnNames("nosuchtable", &manager.GetZoneNames());
    EXPECT_EQ(manager.GetZoneNames().GetColumnCount(), 4);
}

INSTANTIATE_TEST_SUITE_P(Db, TableCheckTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

TEST(PlainIdentifier, AcceptsOnlyLettersDigitsAndUnderscores) {
    EXPECT_TRUE(CInputDataManager::IsPlainIdentifier("los_am"));
    EXPECT_TRUE(CInputDataManager::IsPlainIdentifier("_x9"));
    EXPECT_TRUE(CInputDataManager::IsPlainIdentifier("VehicleMake"));
    EXPECT_FALSE(CInputDataManager::IsPlainIdentifier(""));
    EXPECT_FALSE(CInputDataManager::IsPlainIdentifier("9am"));
    EXPECT_FALSE(CInputDataManager::IsPlainIdentifier("los am"));
    EXPECT_FALSE(CInputDataManager::IsPlainIdentifier("los;drop"));
    EXPECT_FALSE(CInputDataManager::IsPlainIdentifier("public.los"));
    EXPECT_FALSE(CInputDataManager::IsPlainIdentifier("\"los\""));
    EXPECT_FALSE(CInputDataManager::IsPlainIdentifier("lo\xc3\xa9s"));
}

}  // namespace
