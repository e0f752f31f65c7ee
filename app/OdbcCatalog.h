#pragma once
// What the ODBC driver manager knows, for the connection dialog and the view:
// the data sources it lists (user sources, then system sources), the drivers
// it lists, and the database type of an open connection.

#include <string>
#include <vector>

class CDatabase;

namespace OdbcCatalog {

struct SDataSource {
    std::string name;
    std::string driver;  // the driver's description as the manager lists it
    bool system = false;
};

// User data sources first, then system data sources, each in the manager's order.
std::vector<SDataSource> DataSources();
// Descriptions of the installed drivers, in the manager's order.
std::vector<std::string> Drivers();
// The type of the database the connection is open on ("PostgreSQL",
// "SQLite", ...); empty when it is closed or the driver does not say.
std::string DatabaseType(const CDatabase& connection);

}  // namespace OdbcCatalog
