#pragma once
// The ODBC column catalog (SQLColumns) as a recordset: lists the columns of an
// input table in catalog order, which is also the order of "SELECT *".

#include "platform/CRecordset.h"

#include <string>

class CColumns : public CRecordset {
public:
    explicit CColumns(CDatabase* db = nullptr);

    std::string GetDefaultConnect() const { return "ODBC;"; }
    std::string GetDefaultSQL() const { return "!"; }

    // Calls SQLColumns with the parameter strings below (empty = not given; the
    // column-name argument is always null), retried while the driver is still
    // executing, and fetches the first row. Throws DbError.
    void Open();
    // Moves to the next catalog row and refreshes the fields.
    void MoveNext();

    // Parameters.
    std::string m_strQualifierParam;
    std::string m_strOwnerParam;
    std::string m_strTableNameParam;

    // Fields of the current row, read by position.
    std::string m_strTableQualifier;  // "table_qualifier"
    std::string m_strTableOwner;      // "table_owner"
    std::string m_strTableName;       // "table_name"
    std::string m_strColumnName;      // "column_name"
    int m_nDataType = 0;              // "data_type"
    std::string m_strTypeName;        // "type_name"
    long m_lPrecision = 0;            // "precision"
    long m_lLength = 0;               // "length"
    int m_nScale = 0;                 // "scale"
    int m_nRadix = 0;                 // "radix"
    int m_nNullable = 0;              // "nullable"

private:
    void ReadFields();
};
