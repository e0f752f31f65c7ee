#pragma once
// Scratch databases for tests. Every database test runs against each kind that
// is available: SQLite always (a file in a temporary folder) and PostgreSQL when
// TOLVAR_PG_CONNECT holds the connect string of a server's maintenance database
// (.ci/start-postgres prints one). With CI set, a missing PostgreSQL is a failure.
//
// Use with a value-parameterised suite:
//   class MyTest : public ::testing::TestWithParam<std::string> {};
//   TEST_P(MyTest, Case) { auto db = TestDatabase::Create(GetParam()); ... }
//   INSTANTIATE_TEST_SUITE_P(Db, MyTest, ::testing::ValuesIn(TestDatabase::Kinds()),
//                            TestDatabase::KindName);

#include <gtest/gtest.h>

#include "platform/CDatabase.h"

#include <memory>
#include <string>
#include <vector>

class TestDatabase {
public:
    // "SQLite" and, when configured, "PostgreSQL".
    static std::vector<std::string> Kinds();
    static std::string KindName(const ::testing::TestParamInfo<std::string>& info);

    // A new, empty database of the kind. PostgreSQL databases are created on
    // the server (unless onServer is false: the test runs createdb) and dropped again by the destructor.
    static std::unique_ptr<TestDatabase> Create(const std::string& kind, bool onServer = true);
    ~TestDatabase();

    const std::string& Kind() const { return m_kind; }
    bool IsPostgreSQL() const { return m_kind == "PostgreSQL"; }
    // ODBC connect string of this database.
    const std::string& Connect() const { return m_connect; }
    // Runs statements on a private writable connection (one at a time).
    void Execute(const std::string& sql);

private:
    TestDatabase() = default;
    std::string m_kind;
    std::string m_connect;
    std::string m_name;  // PostgreSQL database name or SQLite file path
    std::unique_ptr<CDatabase> m_writer;
};
