#include "platform/OdbcHandles.h"

#include "platform/DbError.h"

#include <dlfcn.h>

#include <mutex>

namespace OdbcHandles {

namespace {

// The SQLite library keeps process-wide memory statistics behind one lock that
// every allocation takes, which makes ten threads on SQLite databases slower
// than one. The statistics are never read, so they are switched off before the
// SQLite driver first starts the library (the driver loads the same library).
void DisableSQLiteMemoryStatistics() {
    void* library = dlopen("libsqlite3.so.0", RTLD_NOW | RTLD_GLOBAL);
    if (!library) return;
    using ConfigFunction = int (*)(int, ...);
    if (auto config = reinterpret_cast<ConfigFunction>(dlsym(library, "sqlite3_config"))) {
        constexpr int kConfigMemoryStatistics = 9;  // SQLITE_CONFIG_MEMSTATUS
        config(kConfigMemoryStatistics, 0);
    }
    // The library stays loaded for the life of the process.
}

}  // namespace

SQLHENV Environment() {
    static SQLHENV env = [] {
        DisableSQLiteMemoryStatistics();
        SQLHENV handle = SQL_NULL_HENV;
        if (!Succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &handle)))
            throw DbError("Cannot allocate the ODBC environment.");
        SQLSetEnvAttr(handle, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        return handle;
    }();
    return env;
}

void Throw(SQLSMALLINT handleType, SQLHANDLE handle, const std::string& doing) {
    SQLCHAR state[6] = {0};
    SQLINTEGER native = 0;
    SQLCHAR message[2048] = {0};
    SQLSMALLINT length = 0;
    std::string text = doing;
    std::string sqlState;
    if (handle != SQL_NULL_HANDLE &&
        Succeeded(SQLGetDiagRec(handleType, handle, 1, state, &native, message, sizeof message, &length))) {
        sqlState = reinterpret_cast<const char*>(state);
        if (!text.empty()) text += ": ";
        text += reinterpret_cast<const char*>(message);
    }
    throw DbError(text, sqlState, native);
}

}  // namespace OdbcHandles
