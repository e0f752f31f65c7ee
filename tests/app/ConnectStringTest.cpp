// The connect string of the connection dialog: values that would break it are
// braced, the password is added only to the string that connects, and a
// string the user edited has the last word; then the dialog filled as a user
// would.

#include "app/CConnectionDialog.h"
#include "app/ConnectString.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

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

TEST(ConnectionDialogTest, SQLiteFieldsMakeTheStringAndThePasswordStaysOut) {
    CConnectionDialog dialog;
    const int sqlite = dialog.DriverBox()->findText("SQLite", Qt::MatchContains);
    if (sqlite < 0) GTEST_SKIP() << "no SQLite ODBC driver installed";
    dialog.DriverBox()->setCurrentIndex(sqlite);
    const std::string driver = dialog.DriverBox()->currentText().toStdString();

    QTest::keyClicks(dialog.FileField(), "/data/region;1.sqlite");
    QTest::keyClicks(dialog.UserField(), "modeller");
    QTest::keyClicks(dialog.PasswordField(), "secret");
    const std::string prefix = driver.find(' ') == std::string::npos ? "Driver=" + driver : "Driver={" + driver + "}";
    const std::string shown = prefix + ";Database={/data/region;1.sqlite};Uid=modeller;";
    EXPECT_EQ(dialog.ConnectField()->text().toStdString(), shown);
    EXPECT_EQ(dialog.GetConnectString(), shown + "Pwd=secret;");

    // The user's own string stands, with its own password.
    dialog.ConnectField()->setText("DSN=Region;PWD=typed;");
    EXPECT_EQ(dialog.GetConnectString(), "DSN=Region;PWD=typed;");
}

}  // namespace
