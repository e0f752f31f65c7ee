#pragma once
// Internal helpers of the ODBC layer: the process-wide environment handle and
// the translation of ODBC diagnostics into DbError.

#include <sql.h>
#include <sqlext.h>

#include <string>

namespace OdbcHandles {

// The one ODBC environment of the process (ODBC 3), created on first use.
SQLHENV Environment();

// True for SQL_SUCCESS and SQL_SUCCESS_WITH_INFO.
inline bool Succeeded(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

// Throws DbError with the first diagnostic record of the handle, prefixed by
// what was being done.
[[noreturn]] void Throw(SQLSMALLINT handleType, SQLHANDLE handle, const std::string& doing);

}  // namespace OdbcHandles
