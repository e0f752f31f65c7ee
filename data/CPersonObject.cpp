#include "data/CPersonObject.h"

#include "data/CCommuteLOSRecord.h"
#include "platform/CRecordset.h"
#include "schedules/CNWPattern.h"
#include "schedules/CWPattern.h"

#include <algorithm>
#include <stdexcept>

std::vector<std::string> CPersonObject::s_columnNames;

std::vector<std::string>& CPersonObject::ColumnNameArray() const { return s_columnNames; }

CPersonObject::CPersonObject(const CRecordset& recordset, CHouseholdObject* household, CInputDataManager* manager)
    : m_pHousehold(household),
      m_values(static_cast<size_t>(recordset.GetODBCFieldCount()), 0.0),
      m_pCommuteRecord(std::make_unique<CCommuteLOSRecord>()),
      m_pManager(manager) {
    for (size_t c = 0; c < m_values.size(); ++c) m_values[c] = recordset.GetDouble(static_cast<int>(c));
}

CPersonObject::CPersonObject(CInputDataManager* manager)
    : m_pCommuteRecord(std::make_unique<CCommuteLOSRecord>()), m_pManager(manager) {}

// The pattern goes first: it and its tours may still refer to the person.
CPersonObject::~CPersonObject() { m_pPattern.reset(); }

long long CPersonObject::GetHouseholdId() const { return static_cast<long long>(GetValue(0)); }

int CPersonObject::GetActivityZone() const {
    if (static_cast<int>(GetValue(3)) == 0) return static_cast<int>(GetValue(5));
    if (static_cast<int>(GetValue(2)) == 0) return std::max(GetValue6(), GetValue52());
    return static_cast<int>(GetValue(5));
}

double CPersonObject::GetActivityDuration(int activityType) const {
    if (activityType < 0 || activityType >= kActivityTypeCount) return 0.0;
    return m_activityDurations[static_cast<size_t>(activityType)];
}

void CPersonObject::SetActivityDuration(int activityType, double minutes) {
    if (activityType < 0 || activityType >= kActivityTypeCount)
        throw std::out_of_range("no single-activity duration for this activity code");
    m_activityDurations[static_cast<size_t>(activityType)] = minutes;
}

void CPersonObject::CreatePattern() {
    if (m_flags[0] != 1 && m_flags[1] != 1) {
        m_pPattern = std::make_unique<CNWPattern>(m_pManager, this);
    } else {
        auto pattern = std::make_unique<CWPattern>(m_pManager, this);
        pattern->CreateCommuteTours();
        m_pPattern = std::move(pattern);
    }
}

CWPattern* CPersonObject::GetWPattern() const {
    return GetFlag(0) ? dynamic_cast<CWPattern*>(m_pPattern.get()) : nullptr;
}

CNWPattern* CPersonObject::GetNWPattern() const {
    return GetFlag(0) ? nullptr : dynamic_cast<CNWPattern*>(m_pPattern.get());
}

void CPersonObject::SetCommuteRecord(std::unique_ptr<CCommuteLOSRecord> record) {
    if (record) m_pCommuteRecord = std::move(record);
}
