#include "platform/CRecordset.h"

#include "platform/CDatabase.h"
#include "platform/DbError.h"
#include "platform/NumberText.h"
#include "platform/OdbcHandles.h"

#include <cmath>
#include <strings.h>

using OdbcHandles::Succeeded;

namespace {

SQLHSTMT Hstmt(void* handle) { return static_cast<SQLHSTMT>(handle); }

bool IsCharacterType(SQLSMALLINT type) {
    switch (type) {
        case SQL_CHAR:
        case SQL_VARCHAR:
        case SQL_LONGVARCHAR:
        case SQL_WCHAR:
        case SQL_WVARCHAR:
        case SQL_WLONGVARCHAR:
            return true;
        default:
            return false;
    }
}

// A catalog argument: empty means "not given" and is passed as a null pointer.
SQLCHAR* Arg(const std::string& text) { return text.empty() ? nullptr : (SQLCHAR*)text.c_str(); }
SQLSMALLINT ArgLength(const std::string& text) { return text.empty() ? 0 : SQL_NTS; }

}  // namespace

CRecordset::CRecordset(CDatabase* db) : m_pDatabase(db) {}

CRecordset::~CRecordset() { Close(); }

void CRecordset::Close() {
    if (m_hstmt) {
        // Closed and kept for the connection's next query while the
        // connection is open and keeps few; otherwise freed. A connection
        // closed first freed its statements as it disconnected: the handle
        // is gone and must not be touched.
        const std::shared_ptr<std::vector<void*>> idle = m_idle.lock();
        if (idle && idle->size() < CDatabase::kIdleStatementLimit &&
            Succeeded(SQLFreeStmt(Hstmt(m_hstmt), SQL_CLOSE)))
            idle->push_back(m_hstmt);
        else if (idle)
            SQLFreeHandle(SQL_HANDLE_STMT, Hstmt(m_hstmt));
        m_hstmt = nullptr;
        m_idle.reset();
    }
    m_eof = true;
    m_columns.clear();
    m_row.clear();
}

namespace {

thread_local long long t_statements = 0;

}  // namespace

long long CRecordset::StatementsOnThisThread() { return t_statements; }

void CRecordset::Prepare() {
    Close();
    ++t_statements;
    if (!m_pDatabase || !m_pDatabase->IsOpen()) throw DbError("The recordset has no open database.");
    const std::shared_ptr<CDatabase::IdleStatements> idle = m_pDatabase->GetIdleStatements();
    if (idle && !idle->empty()) {
        m_hstmt = idle->back();
        idle->pop_back();
    } else {
        SQLHSTMT hstmt = SQL_NULL_HSTMT;
        if (!Succeeded(SQLAllocHandle(SQL_HANDLE_STMT, static_cast<SQLHDBC>(m_pDatabase->Handle()), &hstmt)))
            OdbcHandles::Throw(SQL_HANDLE_DBC, m_pDatabase->Handle(), "Cannot allocate a statement");
        m_hstmt = hstmt;
    }
    m_idle = idle;
}

void CRecordset::FailAndClose() {
    try {
        OdbcHandles::Throw(SQL_HANDLE_STMT, m_hstmt, "");
    } catch (...) {
        Close();
        throw;
    }
}

void CRecordset::Open(const std::string& sql) {
    Prepare();
    std::string text = sql;
    if (!m_strFilter.empty()) text += " WHERE " + m_strFilter;
    if (!m_strSort.empty()) text += " ORDER BY " + m_strSort;
    SQLRETURN rc = SQLExecDirect(Hstmt(m_hstmt), (SQLCHAR*)text.c_str(), static_cast<SQLINTEGER>(text.size()));
    if (!Succeeded(rc) && rc != SQL_NO_DATA) FailAndClose();
    Fetch();
}

void CRecordset::OpenTables(const std::string& qualifier, const std::string& owner, const std::string& table,
                            const std::string& type) {
    Prepare();
    SQLRETURN rc;
    do {
        rc = SQLTables(Hstmt(m_hstmt), Arg(qualifier), ArgLength(qualifier), Arg(owner), ArgLength(owner), Arg(table),
                       ArgLength(table), Arg(type), ArgLength(type));
    } while (rc == SQL_STILL_EXECUTING);
    if (!Succeeded(rc)) FailAndClose();
    Fetch();
}

void CRecordset::OpenColumns(const std::string& qualifier, const std::string& owner, const std::string& table) {
    Prepare();
    SQLRETURN rc;
    do {
        rc = SQLColumns(Hstmt(m_hstmt), Arg(qualifier), ArgLength(qualifier), Arg(owner), ArgLength(owner), Arg(table),
                        ArgLength(table), nullptr, 0);
    } while (rc == SQL_STILL_EXECUTING);
    if (!Succeeded(rc)) FailAndClose();
    Fetch();
}

namespace {

// Some drivers give NULL for text in a numeric column that does not read as a
// number; asked again for the value as text, they give the text itself. True,
// with the cell filled, when the field holds such text.
bool ReadTextOfNullNumber(SQLHSTMT hstmt, SQLUSMALLINT column, std::string& text) {
    char buffer[256];
    SQLLEN indicator = 0;
    const SQLRETURN rc = SQLGetData(hstmt, column, SQL_C_CHAR, buffer, sizeof buffer, &indicator);
    if (!Succeeded(rc) || indicator == SQL_NULL_DATA) return false;
    const size_t got = (indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(sizeof buffer))
                           ? sizeof buffer - 1
                           : static_cast<size_t>(indicator);
    text.assign(buffer, got);
    return true;
}

// The number a text reads as (0.0 for text that is not a number), and whether
// it is one.
void ReadNumberText(const std::string& text, double& number, bool& notANumber) {
    number = 0.0;
    notANumber = !NumberText::Parse(text, number) || std::isnan(number);
}

}  // namespace

// Reads the result description once, then the next row into the buffer.
void CRecordset::Fetch() {
    SQLHSTMT hstmt = Hstmt(m_hstmt);
    if (m_columns.empty()) {
        SQLSMALLINT count = 0;
        SQLNumResultCols(hstmt, &count);
        m_columns.resize(count);
        for (SQLSMALLINT c = 0; c < count; ++c) {
            SQLCHAR name[512] = {0};
            SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
            SQLULEN size = 0;
            SQLDescribeCol(hstmt, c + 1, name, sizeof name, &nameLength, &type, &size, &digits, &nullable);
            m_columns[c].name = reinterpret_cast<const char*>(name);
            m_columns[c].text = IsCharacterType(type);
        }
        m_row.assign(count, Cell{});
    }
    if (m_columns.empty()) {
        m_eof = true;
        return;
    }
    SQLRETURN rc = SQLFetch(hstmt);
    if (rc == SQL_NO_DATA) {
        m_eof = true;
        return;
    }
    if (!Succeeded(rc)) OdbcHandles::Throw(SQL_HANDLE_STMT, m_hstmt, "Cannot fetch a row");
    m_eof = false;
    for (size_t c = 0; c < m_columns.size(); ++c) {
        Cell& cell = m_row[c];
        SQLUSMALLINT column = static_cast<SQLUSMALLINT>(c + 1);
        SQLLEN indicator = 0;
        if (!m_columns[c].text) {
            double number = 0.0;
            rc = SQLGetData(hstmt, column, SQL_C_DOUBLE, &number, sizeof number, &indicator);
            if (Succeeded(rc)) {
                if (indicator == SQL_NULL_DATA && ReadTextOfNullNumber(hstmt, column, cell.text)) {
                    cell.null = false;
                    cell.textPending = false;
                    ReadNumberText(cell.text, cell.number, cell.notANumber);
                    continue;
                }
                cell.null = indicator == SQL_NULL_DATA;
                cell.number = cell.null ? 0.0 : number;
                cell.notANumber = !cell.null && std::isnan(number);
                cell.text.clear();
                cell.textPending = !cell.null;
                continue;
            }
            // Not convertible to a number (a date, say): read it as text from now on.
            m_columns[c].text = true;
        }
        cell.text.clear();
        cell.textPending = false;
        char buffer[1024];
        for (;;) {
            rc = SQLGetData(hstmt, column, SQL_C_CHAR, buffer, sizeof buffer, &indicator);
            if (rc == SQL_NO_DATA) break;
            if (!Succeeded(rc)) OdbcHandles::Throw(SQL_HANDLE_STMT, m_hstmt, "Cannot read a field");
            if (indicator == SQL_NULL_DATA) break;
            size_t got = (indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(sizeof buffer))
                             ? sizeof buffer - 1
                             : static_cast<size_t>(indicator);
            cell.text.append(buffer, got);
            if (rc == SQL_SUCCESS) break;
        }
        cell.null = indicator == SQL_NULL_DATA;
        ReadNumberText(cell.text, cell.number, cell.notANumber);
        if (cell.null) cell.notANumber = false;
    }
}

void CRecordset::MoveNext() {
    if (!m_hstmt || m_eof) throw DbError("MoveNext past the end of the recordset.");
    Fetch();
}

const std::string& CRecordset::GetFieldName(int index) const {
    if (index < 0 || index >= GetODBCFieldCount()) throw DbError("Field position out of range.");
    return m_columns[index].name;
}

int CRecordset::FindField(const std::string& name) const {
    for (size_t c = 0; c < m_columns.size(); ++c)
        if (strcasecmp(m_columns[c].name.c_str(), name.c_str()) == 0) return static_cast<int>(c);
    return -1;
}

bool CRecordset::IsTextField(int index) const {
    if (index < 0 || index >= GetODBCFieldCount()) throw DbError("Field position out of range.");
    return m_columns[index].text;
}

int CRecordset::Index(const std::string& name) const {
    int index = FindField(name);
    if (index < 0) throw DbError("No field named \"" + name + "\" in the recordset.");
    return index;
}

const CRecordset::Cell& CRecordset::CellAt(int index) const {
    if (m_eof || index < 0 || index >= static_cast<int>(m_row.size()))
        throw DbError(m_eof ? "No current row in the recordset." : "Field position out of range.");
    return m_row[index];
}

bool CRecordset::IsFieldNull(int index) const { return CellAt(index).null; }
bool CRecordset::IsFieldNotANumber(int index) const { return CellAt(index).notANumber; }
double CRecordset::GetDouble(int index) const { return CellAt(index).number; }
const std::string& CRecordset::TextOf(const Cell& cell) const {
    if (cell.textPending) {
        cell.text = NumberText::Shortest(cell.number);
        cell.textPending = false;
    }
    return cell.text;
}

const std::string& CRecordset::GetText(int index) const { return TextOf(CellAt(index)); }
double CRecordset::GetDouble(const std::string& name) const { return CellAt(Index(name)).number; }
const std::string& CRecordset::GetText(const std::string& name) const { return TextOf(CellAt(Index(name))); }
