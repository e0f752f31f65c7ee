#include "data/CHouseholdObject.h"

#include "data/CPersonObject.h"
#include "data/CRecordLine.h"
#include "data/InputKey.h"
#include "household/COutputFileSet.h"
#include "platform/CRecordset.h"
#include "schedules/CWPattern.h"

#include <algorithm>
#include <cmath>

std::vector<std::string> CHouseholdObject::s_columnNames;

std::vector<std::string>& CHouseholdObject::ColumnNameArray() const { return s_columnNames; }

CHouseholdObject::CHouseholdObject(const CRecordset& recordset, CInputDataManager* manager)
    : m_pManager(manager), m_values(static_cast<size_t>(recordset.GetODBCFieldCount()), 0.0) {
    for (size_t c = 0; c < m_values.size(); ++c) m_values[c] = recordset.GetDouble(static_cast<int>(c));
    // The household type chooses the simulator class: a value that is not a
    // whole number counts as type 0.
    if (m_values.size() > 5) {
        const double type = m_values[5];
        const bool whole = std::trunc(type) == type && type >= -2147483648.0 && type <= 2147483647.0;
        if (!whole) m_values[5] = 0.0;
    }
}

CHouseholdObject::CHouseholdObject(CInputDataManager* manager) : m_pManager(manager) {}

CHouseholdObject::~CHouseholdObject() { DeletePersons(); }

void CHouseholdObject::AddPerson(const CRecordset& recordset) {
    m_persons.push_back(std::make_unique<CPersonObject>(recordset, this, m_pManager));
    m_persons.back()->m_nPosition = GetPersonCount();
}

void CHouseholdObject::DeletePersons() { m_persons.clear(); }

bool CHouseholdObject::SortPersonsByNumber() {
    // A number that is not a number sorts last, so the order stays strict.
    auto key = [](const std::unique_ptr<CPersonObject>& person) {
        const double number = person->GetPersonNumber();
        return std::isnan(number) ? HUGE_VAL : number;
    };
    std::stable_sort(m_persons.begin(), m_persons.end(),
                     [&](const auto& a, const auto& b) { return key(a) < key(b); });
    bool oneToN = true;
    for (int k = 1; k <= GetPersonCount(); ++k) {
        CPersonObject& person = *m_persons[static_cast<size_t>(k - 1)];
        person.m_nPosition = k;
        oneToN = oneToN && person.GetPersonNumber() == static_cast<double>(k);
    }
    return oneToN;
}

long long CHouseholdObject::GetId() const {
    long long id = 0;
    InputKey::ToInt64(GetValue(0), id);
    return id;
}

CPersonObject* CHouseholdObject::GetPerson(int n) const {
    if (n < 1 || n > GetPersonCount()) return nullptr;
    return m_persons[static_cast<size_t>(n - 1)].get();
}

int CHouseholdObject::CountSchoolGoingChildren() {
    if (m_nSchoolGoingChildren < 0)
        m_nSchoolGoingChildren = static_cast<int>(std::count_if(
            m_persons.begin(), m_persons.end(), [](const auto& p) { return p->IsChild() && p->GetFlag(0); }));
    return m_nSchoolGoingChildren;
}

int CHouseholdObject::CountNonSchoolGoingChildren() {
    if (m_nNonSchoolGoingChildren < 0)
        m_nNonSchoolGoingChildren = static_cast<int>(std::count_if(
            m_persons.begin(), m_persons.end(), [](const auto& p) { return p->IsChild() && !p->GetFlag(0); }));
    return m_nNonSchoolGoingChildren;
}

bool CHouseholdObject::AnotherAdultWorks(const CPersonObject* person) const {
    return std::any_of(m_persons.begin(), m_persons.end(), [person](const auto& p) {
        return p.get() != person && !p->IsChild() && p->GetFlag(0);
    });
}

bool CHouseholdObject::AnotherMemberHasFlag(const CPersonObject* person, int k) const {
    return std::any_of(m_persons.begin(), m_persons.end(),
                       [person, k](const auto& p) { return p.get() != person && p->GetFlag(k); });
}

int CHouseholdObject::CountFemaleWorkers() const {
    return static_cast<int>(std::count_if(m_persons.begin(), m_persons.end(), [](const auto& p) {
        return p->GetValue7() != 0 && p->GetFlag(0);
    }));
}

int CHouseholdObject::CountFemaleNonWorkers() const {
    return static_cast<int>(std::count_if(m_persons.begin(), m_persons.end(), [](const auto& p) {
        return p->GetValue7() != 0 && !p->GetFlag(0);
    }));
}

double CHouseholdObject::GetLongestOtherWorkDuration(const CPersonObject* person) const {
    double longest = 0.0;
    for (const auto& p : m_persons) {
        if (p.get() == person || !p->GetFlag(0)) continue;
        if (const CWPattern* pattern = p->GetWPattern()) longest = std::max(longest, pattern->GetWorkDuration());
    }
    return longest;
}

CJointActivityRecord* CHouseholdObject::GetJointActivityRecord(int index) {
    if (index < 1 || index > static_cast<int>(m_jointActivities.size())) return nullptr;
    return &m_jointActivities[static_cast<size_t>(index - 1)];
}

const CJointActivityRecord* CHouseholdObject::GetJointActivityRecord(int index) const {
    return const_cast<CHouseholdObject*>(this)->GetJointActivityRecord(index);
}

CPersonObject* CHouseholdObject::NextAdult() {
    for (int i = m_nNextAdult; i < GetPersonCount(); ++i) {
        CPersonObject* person = m_persons[static_cast<size_t>(i)].get();
        if (!person->IsChild()) {
            m_nNextAdult = i + 1;
            return person;
        }
    }
    return nullptr;
}

bool CHouseholdObject::WriteOutput(COutputFileSet& streams) {
    bool written = true;
    for (const auto& person : m_persons) written = person->WriteOutputRecord(streams) && written;
    const double id = m_values.empty() ? 0.0 : m_values[0];
    for (size_t k = 0; k < m_vehicles.size(); ++k) {
        const CVehicleRecord& vehicle = m_vehicles[k];
        CRecordLine line;
        line.HouseholdId(id)
            .Int(static_cast<long long>(k))
            .Int(vehicle.m_type)
            .Int(vehicle.m_group)
            .Int(vehicle.m_make)
            .Int(vehicle.m_primaryDriver)
            .Double(m_dAnnualMileage);
        written = line.WriteTo(streams, COutputFileSet::kVehicles) && written;
    }
    return written;
}
