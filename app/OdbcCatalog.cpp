#include "app/OdbcCatalog.h"

#include "platform/CDatabase.h"
#include "platform/OdbcHandles.h"

namespace OdbcCatalog {
namespace {

void AppendSources(std::vector<SDataSource>& sources, SQLUSMALLINT first, bool system) {
    SQLCHAR name[SQL_MAX_DSN_LENGTH + 1];
    SQLCHAR driver[512];
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT driverLength = 0;
    SQLUSMALLINT direction = first;
    while (OdbcHandles::Succeeded(SQLDataSources(OdbcHandles::Environment(), direction, name, sizeof name, &nameLength,
                                                 driver, sizeof driver, &driverLength))) {
        sources.push_back({reinterpret_cast<const char*>(name), reinterpret_cast<const char*>(driver), system});
        direction = SQL_FETCH_NEXT;
    }
}

}  // namespace

std::vector<SDataSource> DataSources() {
    std::vector<SDataSource> sources;
    AppendSources(sources, SQL_FETCH_FIRST_USER, false);
    AppendSources(sources, SQL_FETCH_FIRST_SYSTEM, true);
    return sources;
}

std::vector<std::string> Drivers() {
    std::vector<std::string> drivers;
    SQLCHAR description[512];
    SQLCHAR attributes[2048];
    SQLSMALLINT descriptionLength = 0;
    SQLSMALLINT attributesLength = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (OdbcHandles::Succeeded(SQLDrivers(OdbcHandles::Environment(), direction, description, sizeof description,
                                             &descriptionLength, attributes, sizeof attributes, &attributesLength))) {
        drivers.emplace_back(reinterpret_cast<const char*>(description));
        direction = SQL_FETCH_NEXT;
    }
    return drivers;
}

std::string DatabaseType(const CDatabase& connection) {
    if (!connection.IsOpen()) return {};
    SQLCHAR name[256];
    SQLSMALLINT length = 0;
    if (!OdbcHandles::Succeeded(SQLGetInfo(static_cast<SQLHDBC>(connection.Handle()), SQL_DBMS_NAME, name,
                                           sizeof name, &length)))
        return {};
    return reinterpret_cast<const char*>(name);
}

}  // namespace OdbcCatalog
