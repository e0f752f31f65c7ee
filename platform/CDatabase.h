#pragma once
// One ODBC connection to the input database. Each worker thread owns one; a
// connection is never shared between threads while it is in use.

#include <memory>
#include <string>
#include <vector>

class CDatabase {
public:
    CDatabase();
    ~CDatabase();
    CDatabase(const CDatabase&) = delete;
    CDatabase& operator=(const CDatabase&) = delete;

    // Connects with an ODBC connect string ("Driver=SQLite3;Database=..." or
    // "Driver={PostgreSQL Unicode};Server=...;Database=...;Uid=...;Pwd=...;").
    // Read-only unless asked otherwise. A read-only connection never creates a
    // database: a SQLite file that does not exist is a DbError saying so.
    // Throws DbError on failure.
    void OpenEx(const std::string& connect, bool readOnly = true);
    void Close();
    bool IsOpen() const { return m_hdbc != nullptr; }

    // The connect string completed by the driver manager.
    const std::string& GetConnect() const { return m_connect; }
    // The catalog (database) name the connection is in.
    std::string GetDatabaseName() const;
    // Name of the driver, lower case ("psqlodbcw.so", "libsqlite3odbc.so").
    const std::string& DriverName() const { return m_driver; }
    bool IsPostgreSQL() const;
    bool IsSQLite() const;

    // Runs a statement that returns no rows. Throws DbError.
    void ExecuteSQL(const std::string& sql);
    // Explicit transactions (auto-commit is on outside them).
    void BeginTrans();
    void CommitTrans();
    void Rollback();

    // Raw connection handle (SQLHDBC) for the recordsets of this layer.
    void* Handle() const { return m_hdbc; }

    // Statement handles (SQLHSTMT) of this connection that no recordset uses,
    // closed and kept for the next query: the driver manager serializes the
    // allocation and freeing of statements across every connection of the
    // process, so ten threads that allocated one per query would wait on each
    // other. A recordset takes one from here and gives it back when it closes,
    // unless the connection was closed first (the list is then gone, and the
    // disconnect freed the statement).
    using IdleStatements = std::vector<void*>;
    std::shared_ptr<IdleStatements> GetIdleStatements() const { return m_idle; }
    static constexpr std::size_t kIdleStatementLimit = 4;

    // The file a SQLite connect string names when it does not exist; empty for
    // a file that exists and for connect strings of other drivers.
    static std::string MissingSQLiteFile(const std::string& connect);

private:
    void* m_hdbc = nullptr;
    std::shared_ptr<IdleStatements> m_idle;
    std::string m_connect;
    std::string m_driver;
};
