#include "data/CPersonObject.h"

#include "data/CCommuteLOSRecord.h"
#include "data/CInputDataManager.h"
#include "data/CRecordLine.h"
#include "data/InputColumns.h"
#include "data/InputKey.h"
#include "household/CHouseholdCoordinator.h"
#include "household/COutputFileSet.h"
#include "modelsystem/CModelSystem.h"
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

long long CPersonObject::GetHouseholdId() const {
    long long id = 0;
    InputKey::ToInt64(GetValue(0), id);
    return id;
}

int CPersonObject::GetActivityZone() const { return CRecordLine::TruncateToInt(GetValue(ActivityZoneColumn())); }

int CPersonObject::ActivityZoneColumn() const {
    using namespace InputColumns;
    if (CRecordLine::TruncateToInt(GetValue(kStudent)) == 0) return kWorkZone;
    if (CRecordLine::TruncateToInt(GetValue(kEmployed)) == 0) return SchoolZoneColumn();
    return kWorkZone;
}

int CPersonObject::SchoolZoneColumn() const {
    return GetValue52() > GetValue6() ? InputColumns::kCollegeZone : InputColumns::kSchoolZone;
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

bool CPersonObject::WriteOutputRecord(COutputFileSet& streams) {
    const double id = GetValue(0);
    const int number = CRecordLine::TruncateToInt(GetValue(1));
    CPattern* pattern = m_pPattern.get();

    CRecordLine line;
    line.HouseholdId(id).Int(number).Flag(GetFlag(0));
    bool written;
    if (IsChild()) {
        line.Flag(pattern != nullptr && pattern->GetAfterWorkToursPresent())
            .Flag(pattern != nullptr && pattern->GetChildIndependentActivity());
        written = line.WriteTo(streams, COutputFileSet::kChildren);
    } else {
        // The escort answers come from the household's simulator, which the
        // model system holds while the household is simulated and written.
        CHouseholdCoordinator* simulator = nullptr;
        if (m_pManager != nullptr && m_pManager->GetModelSystem() != nullptr)
            simulator = m_pManager->GetModelSystem()->m_pHousehold;
        line.Flag(GetValue(2) == 0.0 ? false : GetFlag(2))
            .Flag(simulator != nullptr && simulator->IsDropOffAdult(this))
            .Flag(simulator != nullptr && simulator->IsPickUpAdult(this))
            .Flag(simulator != nullptr && simulator->IsJointDiscretionaryAdult(this))
            .Flag(GetFlag(3))
            .Flag(GetFlag(5))
            .Flag(GetFlag(4))
            .Flag(GetFlag(6))
            .Flag(GetFlag(7))
            .Flag(GetFlag(8))
            .Flag(GetFlag(9))
            .Flag(GetFlag(10))
            .Flag(GetFlag(11));
        written = line.WriteTo(streams, COutputFileSet::kAdults);
    }
    if (pattern != nullptr)
        pattern->WriteOutput(static_cast<int>(CRecordLine::OutputHouseholdId(id)), number, streams);
    return written;
}
