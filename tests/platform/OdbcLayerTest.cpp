// The ODBC layer against both drivers: queries with filter and sort, fields by
// position and name, NULLs, text and numbers, the catalogs, errors, threads.

#include "platform/CDatabase.h"
#include "platform/CRecordset.h"
#include "platform/DbError.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <cctype>
#include <set>
#include <thread>

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

class OdbcLayerTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        db = TestDatabase::Create(GetParam());
        db->Execute("CREATE TABLE zones (zid DOUBLE PRECISION, area DOUBLE PRECISION, label VARCHAR(40))");
        db->Execute("INSERT INTO zones VALUES (3, 2.5, 'c'), (1, 0.1, 'a'), (2, NULL, NULL)");
        connection.OpenEx(db->Connect());
    }
    std::unique_ptr<TestDatabase> db;
    CDatabase connection;
};

TEST_P(OdbcLayerTest, QueryWithFilterAndSortReadsFieldsByPositionAndName) {
    CRecordset rs(&connection);
    rs.m_strFilter = "zid >= 2";
    rs.m_strSort = "zid";
    rs.Open("SELECT * FROM zones");
    ASSERT_EQ(rs.GetODBCFieldCount(), 3);
    EXPECT_EQ(Lower(rs.GetFieldName(1)), "area");
    EXPECT_EQ(rs.FindField("AREA"), 1);
    EXPECT_EQ(rs.FindField("nothing"), -1);
    ASSERT_FALSE(rs.IsEOF());
    EXPECT_EQ(rs.GetDouble(0), 2.0);
    EXPECT_TRUE(rs.IsFieldNull(1));
    EXPECT_EQ(rs.GetDouble("Area"), 0.0);
    EXPECT_EQ(rs.GetText(2), "");
    rs.MoveNext();
    ASSERT_FALSE(rs.IsEOF());
    EXPECT_EQ(rs.GetDouble("zid"), 3.0);
    EXPECT_EQ(rs.GetDouble(1), 2.5);
    EXPECT_TRUE(rs.IsTextField(2));
    EXPECT_FALSE(rs.IsTextField(0));
    EXPECT_EQ(rs.GetText("label"), "c");
    rs.MoveNext();
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_THROW(rs.MoveNext(), DbError);
    EXPECT_THROW(rs.GetDouble(0), DbError);
}

// The SQLite driver hands doubles over as text of 15 significant digits, so the
// input data keeps to 15 digits; such values arrive exactly from both drivers.
TEST_P(OdbcLayerTest, NumbersOfFifteenDigitsSurviveTheRoundTripExactly) {
    db->Execute("CREATE TABLE exact (v DOUBLE PRECISION)");
    db->Execute("INSERT INTO exact VALUES (0.1), (1e-300), (123456789.123456), (-2.5e10)");
    CRecordset rs(&connection);
    rs.m_strSort = "v";
    rs.Open("SELECT v FROM exact");
    std::vector<double> seen;
    for (; !rs.IsEOF(); rs.MoveNext()) seen.push_back(rs.GetDouble(0));
    EXPECT_EQ(seen, (std::vector<double>{-2.5e10, 1e-300, 0.1, 123456789.123456}));
}

TEST_P(OdbcLayerTest, CountColumnReadsByPosition) {
    CRecordset rs(&connection);
    rs.Open("SELECT CAST(Count(zid) AS INTEGER)  FROM zones");
    ASSERT_FALSE(rs.IsEOF());
    EXPECT_EQ(rs.GetDouble(0), 3.0);
}

TEST_P(OdbcLayerTest, BadFieldsAndBadSqlThrowWithState) {
    CRecordset rs(&connection);
    rs.Open("SELECT zid FROM zones");
    EXPECT_THROW(rs.GetDouble(5), DbError);
    EXPECT_THROW(rs.GetDouble("missing"), DbError);
    try {
        CRecordset bad(&connection);
        bad.Open("SELECT * FROM no_such_table");
        FAIL() << "no error raised";
    } catch (const DbError& e) {
        EXPECT_FALSE(e.SqlState().empty());
        EXPECT_NE(e.Report().find(e.SqlState()), std::string::npos);
    }
    CRecordset unbound;
    EXPECT_THROW(unbound.Open("SELECT 1"), DbError);
}

TEST_P(OdbcLayerTest, CatalogListsTablesAndColumnsInOrder) {
    db->Execute("CREATE TABLE Persons (hid DOUBLE PRECISION, pid DOUBLE PRECISION, age DOUBLE PRECISION)");
    CRecordset tables(&connection);
    tables.OpenTables("", "", "", "'TABLE'");
    std::set<std::string> names;
    for (; !tables.IsEOF(); tables.MoveNext()) names.insert(Lower(tables.GetText(2)));
    EXPECT_TRUE(names.count("zones"));
    EXPECT_TRUE(names.count("persons"));

    CRecordset columns(&connection);
    columns.OpenColumns("", "", db->IsPostgreSQL() ? "persons" : "Persons");
    std::vector<std::string> order;
    for (; !columns.IsEOF(); columns.MoveNext()) order.push_back(Lower(columns.GetText(3)));
    EXPECT_EQ(order, (std::vector<std::string>{"hid", "pid", "age"}));
}

TEST_P(OdbcLayerTest, ReadOnlyConnectionsAndPerThreadConnectionsWork) {
    std::vector<std::thread> threads;
    std::vector<double> sums(10, 0.0);
    for (int t = 0; t < 10; ++t) {
        threads.emplace_back([&, t] {
            CDatabase own;
            own.OpenEx(db->Connect());
            for (int round = 0; round < 5; ++round) {
                CRecordset rs(&own);
                rs.Open("SELECT zid FROM zones");
                for (; !rs.IsEOF(); rs.MoveNext()) sums[t] += rs.GetDouble(0);
            }
        });
    }
    for (auto& thread : threads) thread.join();
    for (double sum : sums) EXPECT_EQ(sum, 30.0);
}

// Closed statements are kept for the connection's next queries: a kept one
// answers a query of another shape, also after a failed query, and one still
// open when its connection closes (which frees it) is neither freed again nor
// kept for the next connection.
TEST_P(OdbcLayerTest, StatementsKeptForTheNextQueryAnswerAsNewOnes) {
    for (int round = 0; round < 2; ++round) {
        CRecordset outlives(&connection);
        outlives.Open("SELECT zid FROM zones WHERE zid = 1");
        for (int query = 0; query < 6; ++query) {
            CRecordset rs(&connection);
            if (query == 2) {
                EXPECT_THROW(rs.Open("SELECT nothing FROM zones"), DbError);
            }
            rs.Open(query % 2 == 0 ? "SELECT label, zid FROM zones WHERE zid = 3" : "SELECT COUNT(*) FROM zones");
            ASSERT_FALSE(rs.IsEOF());
            if (query % 2 == 0) {
                EXPECT_EQ(rs.GetText(0), "c");
                EXPECT_EQ(rs.GetDouble(1), 3.0);
            } else {
                EXPECT_EQ(rs.GetDouble(0), 3.0);
            }
        }
        EXPECT_EQ(outlives.GetDouble(0), 1.0);
        connection.Close();
        outlives.Close();
        connection.OpenEx(db->Connect());
    }
}

TEST_P(OdbcLayerTest, ConnectionReportsItsDriverAndDatabase) {
    EXPECT_NE(connection.GetConnect(), "");
    EXPECT_EQ(connection.IsPostgreSQL(), db->IsPostgreSQL());
    EXPECT_EQ(connection.IsSQLite(), !db->IsPostgreSQL());
    if (db->IsPostgreSQL()) {
        EXPECT_EQ(connection.GetDatabaseName().rfind("tolvar_t", 0), 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Db, OdbcLayerTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

TEST(OdbcConnection, BadConnectStringThrows) {
    CDatabase db;
    EXPECT_THROW(db.OpenEx("Driver=NoSuchDriver;Database=x;"), DbError);
    EXPECT_FALSE(db.IsOpen());
}

}  // namespace

TEST(OdbcLayerSQLite, AReadOnlyConnectionNeverCreatesAMissingDatabaseFile) {
    const auto file = std::filesystem::temp_directory_path() / "tolvar-tests" / "no-such-input.db";
    std::filesystem::remove(file);
    CDatabase connection;
    try {
        connection.OpenEx("Driver=SQLite3;Database=" + file.string() + ";", true);
        ADD_FAILURE() << "a missing SQLite file was opened";
    } catch (const DbError& error) {
        EXPECT_NE(error.Message().find(file.string() + "\" does not exist"), std::string::npos) << error.Message();
    }
    EXPECT_FALSE(connection.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(file));
}
