#include "data/CColumns.h"

CColumns::CColumns(CDatabase* db) : CRecordset(db) {}

void CColumns::Open() {
    OpenColumns(m_strQualifierParam, m_strOwnerParam, m_strTableNameParam);
    ReadFields();
}

void CColumns::MoveNext() {
    CRecordset::MoveNext();
    ReadFields();
}

// The catalog's result columns stand in a fixed order, whatever the driver
// calls them: qualifier, owner, table, column, data type, type name, precision,
// length, scale, radix, nullable.
void CColumns::ReadFields() {
    const bool row = !IsEOF();
    const int count = GetODBCFieldCount();
    auto text = [&](int i) { return row && i < count ? GetText(i).substr(0, 255) : std::string(); };
    auto number = [&](int i) { return row && i < count ? GetDouble(i) : 0.0; };
    m_strTableQualifier = text(0);
    m_strTableOwner = text(1);
    m_strTableName = text(2);
    m_strColumnName = text(3);
    m_nDataType = static_cast<int>(number(4));
    m_strTypeName = text(5);
    m_lPrecision = static_cast<long>(number(6));
    m_lLength = static_cast<long>(number(7));
    m_nScale = static_cast<int>(number(8));
    m_nRadix = static_cast<int>(number(9));
    m_nNullable = static_cast<int>(number(10));
}
