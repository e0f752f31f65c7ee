// The connection dialog filled as a user would: the driver's fields make the
// connect string, the password never appears in it, and a string the user
// typed has the last word.

#include "app/CConnectionDialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

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
