// The connect string of the connection dialog: values that would break it are
// braced, the password is added only to the string that connects, and a
// string the user edited has the last word.

#include "app/ConnectString.h"

#include <gtest/gtest.h>

namespace {

using namespace ConnectString;

TEST(ConnectStringTest, ValuesThatWouldSplitTheStringAreBraced) {
    EXPECT_EQ(Quote("plain"), "plain");
    EXPECT_EQ(Quote("a;b"), "{a;b}");
    EXPECT_EQ(Quote("x}y"), "{x}}y}");
    EXPECT_EQ(Quote(" padded"), "{ padded}");
    EXPECT_EQ(Quote(""), "");

    SFields postgres;
    postgres.driver = "PostgreSQL Unicode";
    postgres.server = "db.example";
    postgres.port = "5432";
    postgres.database = "region;one";
    postgres.user = "modeller";
    EXPECT_EQ(Build(postgres), "Driver={PostgreSQL Unicode};Server=db.example;Port=5432;Database={region;one};Uid=modeller;");

    SFields sqlite;
    sqlite.driver = "SQLite3";
    sqlite.database = "/data/region.sqlite";
    EXPECT_EQ(Build(sqlite), "Driver=SQLite3;Database=/data/region.sqlite;");
    EXPECT_TRUE(IsSQLiteDriver("SQLite3 ODBC Driver"));
    EXPECT_FALSE(IsSQLiteDriver("PostgreSQL Unicode"));

    SFields source;
    source.dataSource = "Region";
    source.driver = "ignored";
    EXPECT_EQ(Build(source), "DSN=Region;");
}

TEST(ConnectStringTest, PasswordIsAddedOnlyWhenTheStringNamesNone) {
    EXPECT_EQ(WithPassword("DSN=Region;", "s;cret"), "DSN=Region;Pwd={s;cret};");
    EXPECT_EQ(WithPassword("DSN=Region", "abc"), "DSN=Region;Pwd=abc;");
    EXPECT_EQ(WithPassword("DSN=Region;", ""), "DSN=Region;");
    // The user typed one into the string: it stands.
    EXPECT_EQ(WithPassword("DSN=Region;PWD=typed;", "field"), "DSN=Region;PWD=typed;");
    EXPECT_EQ(WithPassword("DSN=Region; Password = typed", "field"), "DSN=Region; Password = typed");
    // A key inside a braced value is not a key.
    EXPECT_EQ(WithPassword("Database={a;pwd=x};", "p"), "Database={a;pwd=x};Pwd=p;");
}

}  // namespace
