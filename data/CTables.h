#pragma once
// The ODBC table catalog (SQLTables) as a recordset: used to check that the
// input tables exist and to learn how the catalog spells their names.

#include "platform/CRecordset.h"

#include <string>

class CTables : public CRecordset {
public:
    explicit CTables(CDatabase* db = nullptr);

    std::string GetDefaultConnect() const { return "ODBC;"; }
    std::string GetDefaultSQL() const { return "!"; }

    // Calls SQLTables with the parameter strings below (empty = not given),
    // retried while the driver is still executing, and fetches the first row.
    // Throws DbError.
    void Open();
    // Moves to the next catalog row and refreshes the fields.
    void MoveNext();

    // Parameters.
    std::string m_strQualifierParam;
    std::string m_strOwnerParam;
    std::string m_strNameParam;
    std::string m_strTypeParam;

    // Fields of the current row ("table_qualifier", "table_owner",
    // "table_name", "table_type", "remarks"), read by position.
    std::string m_strTableQualifier;
    std::string m_strTableOwner;
    std::string m_strTableName;
    std::string m_strTableType;
    std::string m_strRemarks;

private:
    void ReadFields();
};
