#include "platform/OdbcHandles.h"

#include "platform/DbError.h"

#include <mutex>

namespace OdbcHandles {

SQLHENV Environment() {
    static SQLHENV env = [] {
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
