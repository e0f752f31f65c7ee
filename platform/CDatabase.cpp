#include "platform/CDatabase.h"

#include "platform/DbError.h"
#include "platform/OdbcHandles.h"

#include <algorithm>
#include <cctype>

using OdbcHandles::Succeeded;

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

SQLHDBC Hdbc(void* handle) { return static_cast<SQLHDBC>(handle); }

}  // namespace

CDatabase::CDatabase() = default;

CDatabase::~CDatabase() { Close(); }

void CDatabase::OpenEx(const std::string& connect, bool readOnly) {
    Close();
    SQLHDBC hdbc = SQL_NULL_HDBC;
    if (!Succeeded(SQLAllocHandle(SQL_HANDLE_DBC, OdbcHandles::Environment(), &hdbc)))
        throw DbError("Cannot allocate an ODBC connection.");
    if (readOnly)
        SQLSetConnectAttr(hdbc, SQL_ATTR_ACCESS_MODE, reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), 0);
    SQLCHAR completed[4096] = {0};
    SQLSMALLINT completedLength = 0;
    SQLRETURN rc = SQLDriverConnect(hdbc, nullptr, (SQLCHAR*)connect.c_str(), SQL_NTS, completed,
                                    sizeof completed, &completedLength, SQL_DRIVER_NOPROMPT);
    if (!Succeeded(rc)) {
        try {
            OdbcHandles::Throw(SQL_HANDLE_DBC, hdbc, "Cannot connect to the database");
        } catch (...) {
            SQLFreeHandle(SQL_HANDLE_DBC, hdbc);
            throw;
        }
    }
    m_hdbc = hdbc;
    m_connect = reinterpret_cast<const char*>(completed);
    SQLCHAR driver[256] = {0};
    SQLSMALLINT driverLength = 0;
    if (Succeeded(SQLGetInfo(hdbc, SQL_DRIVER_NAME, driver, sizeof driver, &driverLength)))
        m_driver = Lower(reinterpret_cast<const char*>(driver));
}

void CDatabase::Close() {
    if (!m_hdbc) return;
    SQLDisconnect(Hdbc(m_hdbc));
    SQLFreeHandle(SQL_HANDLE_DBC, Hdbc(m_hdbc));
    m_hdbc = nullptr;
    m_connect.clear();
    m_driver.clear();
}

std::string CDatabase::GetDatabaseName() const {
    if (!m_hdbc) return {};
    SQLCHAR name[1024] = {0};
    SQLSMALLINT length = 0;
    if (Succeeded(SQLGetInfo(Hdbc(m_hdbc), SQL_DATABASE_NAME, name, sizeof name, &length)))
        return reinterpret_cast<const char*>(name);
    return {};
}

bool CDatabase::IsPostgreSQL() const { return m_driver.find("psqlodbc") != std::string::npos; }

bool CDatabase::IsSQLite() const { return m_driver.find("sqlite") != std::string::npos; }

void CDatabase::ExecuteSQL(const std::string& sql) {
    if (!m_hdbc) throw DbError("The database is not open.");
    SQLHSTMT hstmt = SQL_NULL_HSTMT;
    if (!Succeeded(SQLAllocHandle(SQL_HANDLE_STMT, Hdbc(m_hdbc), &hstmt)))
        OdbcHandles::Throw(SQL_HANDLE_DBC, m_hdbc, "Cannot allocate a statement");
    SQLRETURN rc = SQLExecDirect(hstmt, (SQLCHAR*)sql.c_str(), static_cast<SQLINTEGER>(sql.size()));
    if (!Succeeded(rc) && rc != SQL_NO_DATA) {
        try {
            OdbcHandles::Throw(SQL_HANDLE_STMT, hstmt, "");
        } catch (...) {
            SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
            throw;
        }
    }
    SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
}

void CDatabase::BeginTrans() {
    if (!m_hdbc) throw DbError("The database is not open.");
    if (!Succeeded(SQLSetConnectAttr(Hdbc(m_hdbc), SQL_ATTR_AUTOCOMMIT,
                                     reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0)))
        OdbcHandles::Throw(SQL_HANDLE_DBC, m_hdbc, "Cannot begin a transaction");
}

void CDatabase::CommitTrans() {
    if (!m_hdbc) throw DbError("The database is not open.");
    SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, Hdbc(m_hdbc), SQL_COMMIT);
    SQLSetConnectAttr(Hdbc(m_hdbc), SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
    if (!Succeeded(rc)) OdbcHandles::Throw(SQL_HANDLE_DBC, m_hdbc, "Cannot commit");
}

void CDatabase::Rollback() {
    if (!m_hdbc) return;
    SQLEndTran(SQL_HANDLE_DBC, Hdbc(m_hdbc), SQL_ROLLBACK);
    SQLSetConnectAttr(Hdbc(m_hdbc), SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
}
