#pragma once
// Forward-only result set over one statement of a CDatabase: a query text with
// an optional filter (" WHERE " + filter) and sort (" ORDER BY " + sort), or the
// ODBC table and column catalogs. The current row is buffered whole, so fields
// can be read in any order and by position or name. Throws DbError.

#include <memory>
#include <string>
#include <vector>

class CDatabase;

class CRecordset {
public:
    explicit CRecordset(CDatabase* db = nullptr);
    virtual ~CRecordset();
    CRecordset(const CRecordset&) = delete;
    CRecordset& operator=(const CRecordset&) = delete;

    void SetDatabase(CDatabase* db) { m_pDatabase = db; }
    CDatabase* GetDatabase() const { return m_pDatabase; }

    // Runs sql [+ " WHERE " + m_strFilter] [+ " ORDER BY " + m_strSort] and
    // fetches the first row.
    void Open(const std::string& sql);
    // SQLTables / SQLColumns; an empty argument is passed as a null pointer.
    // Retried while the driver answers that it is still executing.
    void OpenTables(const std::string& qualifier, const std::string& owner,
                    const std::string& table, const std::string& type);
    void OpenColumns(const std::string& qualifier, const std::string& owner,
                     const std::string& table);

    bool IsOpen() const { return m_hstmt != nullptr; }
    bool IsEOF() const { return m_eof; }
    void MoveNext();
    void Close();

    // Result columns.
    int GetODBCFieldCount() const { return static_cast<int>(m_columns.size()); }
    const std::string& GetFieldName(int index) const;
    // Position of a column by name, case-insensitive; -1 when absent.
    int FindField(const std::string& name) const;
    // True for character columns (the value was sent as text).
    bool IsTextField(int index) const;

    // Fields of the current row. A NULL reads as 0.0 / "". Positions out of
    // range and unknown names throw DbError.
    bool IsFieldNull(int index) const;
    // True for a field that holds a value but not a number: text that does not
    // read as one (it reads as 0.0), or NaN. False for NULL and for numbers,
    // infinities included.
    bool IsFieldNotANumber(int index) const;
    double GetDouble(int index) const;
    const std::string& GetText(int index) const;
    double GetDouble(const std::string& name) const;
    const std::string& GetText(const std::string& name) const;

    // Statements this thread has run through recordsets (queries and catalog
    // calls), counted from the thread's start: what a benchmark reads to tell
    // how many queries a call sends.
    static long long StatementsOnThisThread();

    // Appended to the query text by Open when not empty.
    std::string m_strFilter;
    std::string m_strSort;

private:
    struct Column {
        std::string name;
        bool text = false;
    };
    struct Cell {
        bool null = true;
        bool notANumber = false;
        double number = 0.0;
        // The text of a number read as a number is made when first asked for:
        // most rows are only read as numbers.
        mutable bool textPending = false;
        mutable std::string text;
    };
    const std::string& TextOf(const Cell& cell) const;
    void Prepare();
    // Throws the statement's diagnostic as a DbError after closing the statement.
    [[noreturn]] void FailAndClose();
    void Fetch();
    int Index(const std::string& name) const;
    const Cell& CellAt(int index) const;

    CDatabase* m_pDatabase;
    void* m_hstmt = nullptr;
    // Where the statement goes back when the recordset closes (expired once
    // its connection is closed).
    std::weak_ptr<std::vector<void*>> m_idle;
    bool m_eof = true;
    std::vector<Column> m_columns;
    std::vector<Cell> m_row;
};
