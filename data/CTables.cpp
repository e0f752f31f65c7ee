#include "data/CTables.h"

CTables::CTables(CDatabase* db) : CRecordset(db) {}

void CTables::Open() {
    OpenTables(m_strQualifierParam, m_strOwnerParam, m_strNameParam, m_strTypeParam);
    ReadFields();
}

void CTables::MoveNext() {
    CRecordset::MoveNext();
    ReadFields();
}

// The catalog's result columns stand in a fixed order, whatever the driver
// calls them: qualifier, owner, name, type, remarks.
void CTables::ReadFields() {
    std::string* fields[] = {&m_strTableQualifier, &m_strTableOwner, &m_strTableName, &m_strTableType,
                             &m_strRemarks};
    for (int i = 0; i < 5; ++i) {
        if (IsEOF() || i >= GetODBCFieldCount())
            fields[i]->clear();
        else
            *fields[i] = GetText(i).substr(0, 255);
    }
}
