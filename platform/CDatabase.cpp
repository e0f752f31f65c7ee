#include "platform/CDatabase.h"

#include "platform/DbError.h"
#include "platform/OdbcHandles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

using OdbcHandles::Succeeded;

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

SQLHDBC Hdbc(void* handle) { return static_cast<SQLHDBC>(handle); }

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The value of one key=value entry of a connect string (key without regard to
// case, braces around the value removed); empty when the string has none.
std::string ConnectValue(const std::string& connect, const std::string& key) {
    size_t start = 0;
    while (start < connect.size()) {
        size_t end = connect.find(';', start);
        if (end == std::string::npos) end = connect.size();
        const std::string entry = connect.substr(start, end - start);
        const size_t equals = entry.find('=');
        if (equals != std::string::npos && Lower(Trimmed(entry.substr(0, equals))) == Lower(key)) {
            std::string value = Trimmed(entry.substr(equals + 1));
            if (value.size() >= 2 && value.front() == '{' && value.back() == '}')
                value = value.substr(1, value.size() - 2);
            return value;
        }
        start = end + 1;
    }
    return {};
}

}  // namespace

std::string CDatabase::MissingSQLiteFile(const std::string& connect) {
    if (Lower(ConnectValue(connect, "Driver")).find("sqlite") == std::string::npos) return {};
    const std::string file = ConnectValue(connect, "Database");
    // An in-memory database and a URI are the driver's to judge.
    if (file.empty() || file == ":memory:" || file.rfind("file:", 0) == 0) return {};
    std::error_code error;
    return std::filesystem::exists(file, error) ? std::string() : file;
}

CDatabase::CDatabase() = default;

CDatabase::~CDatabase() { Close(); }

void CDatabase::OpenEx(const std::string& connect, bool readOnly) {
    Close();
    // The SQLite driver creates a database file that does not exist, even on
    // a read-only connection: the input would then be an empty database.
    if (readOnly) {
        const std::string missing = MissingSQLiteFile(connect);
        if (!missing.empty()) throw DbError("The database file \"" + missing + "\" does not exist.");
    }
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
    m_idle = std::make_shared<IdleStatements>();
    m_connect = reinterpret_cast<const char*>(completed);
    SQLCHAR driver[256] = {0};
    SQLSMALLINT driverLength = 0;
    if (Succeeded(SQLGetInfo(hdbc, SQL_DRIVER_NAME, driver, sizeof driver, &driverLength)))
        m_driver = Lower(reinterpret_cast<const char*>(driver));
}

void CDatabase::Close() {
    if (!m_hdbc) return;
    if (m_idle) {
        for (void* hstmt : *m_idle) SQLFreeHandle(SQL_HANDLE_STMT, static_cast<SQLHSTMT>(hstmt));
        m_idle.reset();
    }
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
