#pragma once
// The household being simulated by a worker thread: its `households` row as
// doubles in column order (column 0 the id, 3 the home zone, 5 the household
// type), its members in the order the persons query returned them (owned), and
// the household-level results the simulation keeps on it.

#include "data/CDataObject.h"
#include "data/CRecordLine.h"
#include "household/CJointActivityRecord.h"
#include "household/CVehicleRecord.h"

#include <map>
#include <memory>
#include <vector>

class CRecordset;
class CInputDataManager;
class CPersonObject;
class COutputFileSet;

class CHouseholdObject final : public CDataObject {
public:
    // The household of the recordset's current row.
    CHouseholdObject(const CRecordset& recordset, CInputDataManager* manager);
    // An empty household, used only to register the column names of `households`.
    explicit CHouseholdObject(CInputDataManager* manager);
    ~CHouseholdObject();

    CHouseholdObject(const CHouseholdObject&) = delete;
    CHouseholdObject& operator=(const CHouseholdObject&) = delete;

    // Appends a member built from the recordset's current row, at the last position.
    void AddPerson(const CRecordset& recordset);
    // Puts the members in ascending order of person number (column 1), keeping
    // the read order of equal numbers, and gives each its new position. True
    // when the numbers are then 1 to n, that is equal to the positions.
    bool SortPersonsByNumber();
    // Deletes every member (with its pattern) and empties the list.
    void DeletePersons();

    // Columns by position; the column must exist (std::out_of_range otherwise).
    double GetValue(int column) const { return m_values.at(static_cast<size_t>(column)); }
    void SetValue(int column, double value) { m_values.at(static_cast<size_t>(column)) = value; }
    int GetColumnCountOfRow() const { return static_cast<int>(m_values.size()); }
    const std::vector<double>& GetValues() const { return m_values; }

    // Typed column accessors; int accessors truncate toward zero.
    long long GetId() const;  // column 0
    int GetHomeZone() const { return CRecordLine::TruncateToInt(GetValue(3)); }
    int GetHouseholdType() const { return CRecordLine::TruncateToInt(GetValue(5)); }
    int GetValue1() const { return CRecordLine::TruncateToInt(GetValue(1)); }
    int GetValue2() const { return CRecordLine::TruncateToInt(GetValue(2)); }

    CInputDataManager* GetDataManager() const { return m_pManager; }

    // The member at position n (1-based, CPersonObject::GetPosition); null outside 1..count.
    CPersonObject* GetPerson(int n) const;
    int GetPersonCount() const { return static_cast<int>(m_persons.size()); }
    const std::vector<std::unique_ptr<CPersonObject>>& GetPersons() const { return m_persons; }

    // Member counts that the household simulation sets.
    int GetWorkOrSchoolAdultCount() const { return m_nWorkOrSchoolAdults; }
    void SetWorkOrSchoolAdultCount(int count) { m_nWorkOrSchoolAdults = count; }
    int GetSchoolGoingMemberCount() const { return m_nSchoolGoingMembers; }
    void SetSchoolGoingMemberCount(int count) { m_nSchoolGoingMembers = count; }

    // Children (age < 16) with flag 0 set / clear. Counted on the first call;
    // later calls return the kept count.
    int CountSchoolGoingChildren();
    int CountNonSchoolGoingChildren();

    // A member other than person is an adult with flag 0 set.
    bool AnotherAdultWorks(const CPersonObject* person) const;
    // A member other than person has flag k set (asked for k = 0, 3, 4, 5, 6, 7).
    bool AnotherMemberHasFlag(const CPersonObject* person, int k) const;
    bool AnotherMemberShops(const CPersonObject* person) const { return AnotherMemberHasFlag(person, 3); }

    // Female members (int(column 7) != 0) with flag 0 set / clear.
    int CountFemaleWorkers() const;
    int CountFemaleNonWorkers() const;

    // Largest work duration of the worker patterns of the members other than
    // person that have flag 0 set; 0.0 when there is none.
    double GetLongestOtherWorkDuration(const CPersonObject* person) const;

    // From the cursor on, the next member aged 16 or more; the cursor moves past
    // it. Null, with the cursor unchanged, when none is left.
    CPersonObject* NextAdult();
    void ResetAdultCursor() { m_nNextAdult = 0; }

    // Writes the household's records: each member's line and schedule lines in
    // the order of the person list, then one Vehicles.out line per vehicle
    // record. False when a line of the household's own files was not written.
    bool WriteOutput(COutputFileSet& streams);

    // Joint activity by its 1-based position in the list; null outside it.
    CJointActivityRecord* GetJointActivityRecord(int index);
    const CJointActivityRecord* GetJointActivityRecord(int index) const;

    // Set by the household simulation.
    std::vector<CJointActivityRecord> m_jointActivities;  // joint activities of several members
    std::vector<CVehicleRecord> m_vehicles;               // the fleet, written to Vehicles.out in this order
    double m_dAnnualMileage = 0.0;         // last field of every Vehicles.out line
    std::vector<int> m_personOrder;        // member positions in the order of the per-person pass
    std::vector<std::map<int, int>> m_vehicleUse;  // per vehicle with a driver: start minute -> end minute
    int m_nCurrentJointRecord = 0;         // joint-activity record being arranged or scheduled

protected:
    std::vector<std::string>& ColumnNameArray() const override;

private:
    CInputDataManager* m_pManager = nullptr;
    std::vector<double> m_values;
    std::vector<std::unique_ptr<CPersonObject>> m_persons;
    int m_nWorkOrSchoolAdults = 0;
    int m_nSchoolGoingMembers = 0;
    int m_nSchoolGoingChildren = -1;     // -1: not yet counted
    int m_nNonSchoolGoingChildren = -1;  // -1: not yet counted
    int m_nNextAdult = 0;

    static std::vector<std::string> s_columnNames;
};
