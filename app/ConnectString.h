#pragma once
// Builds the ODBC connect string of the connection dialog from its fields.
// A value that holds ';', '{', '}' or blanks at its ends is braced ('}'
// doubled inside), so that it reaches the driver whole. The password is never
// part of the string the dialog shows: it is added only to the string that
// opens the connection, and nothing keeps it.

#include <string>

namespace ConnectString {

// What the dialog's fields say; empty fields are left out.
struct SFields {
    std::string dataSource;  // DSN of a listed data source; when set, the driver fields are not used
    std::string driver;      // driver description as the driver manager lists it
    std::string database;    // database name, or the database file of a file-based driver
    std::string server;
    std::string port;
    std::string user;
};

// The value as a connect-string attribute value, braced when it needs it.
std::string Quote(const std::string& value);
// "DSN=...;" or "Driver=...;Server=...;Port=...;Database=...;Uid=...;", without the password.
std::string Build(const SFields& fields);
// The connect string with ";Pwd=<password>" added, unless the password is
// empty or the string already names one (the string has the last word).
std::string WithPassword(const std::string& connect, const std::string& password);
// Whether the driver is a file-based SQLite driver (its fields are a file).
bool IsSQLiteDriver(const std::string& driver);

}  // namespace ConnectString
