#pragma once
// One member of the household being simulated: the member's `persons` row as
// doubles in column order, the twelve activity flags and other marks that the
// household simulation sets, the commute level-of-service record and the
// member's daily pattern (owned).

#include "data/CDataObject.h"
#include "data/CRecordLine.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class CRecordset;
class CInputDataManager;
class CHouseholdObject;
class CTour;
class CPattern;
class CWPattern;
class CNWPattern;
class COutputFileSet;
struct CCommuteLOSRecord;

class CPersonObject final : public CDataObject {
public:
    static constexpr int kFlagCount = 12;
    // Single-activity durations are kept per activity code 0 ("Shopping") to
    // 9 ("Maintenance Activity").
    static constexpr int kActivityTypeCount = 10;

    // The person of the recordset's current row.
    CPersonObject(const CRecordset& recordset, CHouseholdObject* household, CInputDataManager* manager);
    // An empty person, used only to register the column names of `persons`.
    explicit CPersonObject(CInputDataManager* manager);
    ~CPersonObject();

    CPersonObject(const CPersonObject&) = delete;
    CPersonObject& operator=(const CPersonObject&) = delete;

    // Columns by position; the column must exist (std::out_of_range otherwise).
    double GetValue(int column) const { return m_values.at(static_cast<size_t>(column)); }
    void SetValue(int column, double value) { m_values.at(static_cast<size_t>(column)) = value; }
    int GetColumnCountOfRow() const { return static_cast<int>(m_values.size()); }

    // Typed column accessors; int accessors truncate toward zero.
    long long GetHouseholdId() const;                        // column 0
    double GetPersonNumber() const { return GetValue(1); }   // column 1
    // 1-based position in the household's person list, which the loop orders by
    // column 1. Member sets of joint activities, primary drivers and the
    // schedule order count members by position; column 1 is the number written
    // to the output and the one the reseed keys read. The two differ when a
    // household's numbers are not 1 to n. 0 for a person of no household.
    int GetPosition() const { return m_nPosition; }
    double GetValue2() const { return GetValue(2); }         // employed
    double GetValue3() const { return GetValue(3); }         // student
    double GetValue14() const { return GetValue(14); }
    int GetValue6() const { return CRecordLine::TruncateToInt(GetValue(6)); }
    int GetValue7() const { return CRecordLine::TruncateToInt(GetValue(7)); }  // female when non-zero
    bool IsValue9One() const { return GetValue(9) == 1.0; }
    bool IsChild() const { return GetValue(8) < 16.0; }      // column 8 is the age
    int GetValue52() const { return CRecordLine::TruncateToInt(GetValue(52)); }
    // The person's work or school zone: column 5, except for a student who is
    // not employed (column 3 non-zero, column 2 zero), whose zone is the larger
    // of columns 6 and 52.
    int GetActivityZone() const;
    // The column GetActivityZone reads.
    int ActivityZoneColumn() const;
    // The school or college zone's column: the one of columns 6 and 52 that
    // holds the larger zone (6 when they are equal).
    int SchoolZoneColumn() const;

    // Flags 0 to 11 (0: the day includes work or school, 1: goes to school,
    // 2 to 11: activity participations); std::out_of_range for another index.
    bool GetFlag(int k) const { return m_flags.at(static_cast<size_t>(k)) != 0; }
    void SetFlag(int k, bool value) { m_flags.at(static_cast<size_t>(k)) = value ? 1 : 0; }

    // Single-activity duration (minutes) by activity code 0 to 9. Any other code
    // reads 0.0; setting it throws std::out_of_range.
    double GetActivityDuration(int activityType) const;
    void SetActivityDuration(int activityType, double minutes);

    // The daily pattern (owned): a CWPattern when flag 0 or flag 1 is 1, else a
    // CNWPattern. Created once the flags are settled.
    void CreatePattern();
    CPattern* GetPattern() const { return m_pPattern.get(); }
    // The pattern as a worker pattern when flag 0 is set, else null.
    CWPattern* GetWPattern() const;
    // The pattern as a non-worker pattern when flag 0 is clear, else null.
    CNWPattern* GetNWPattern() const;

    // Commute level-of-service record (owned; zero-filled until replaced).
    CCommuteLOSRecord* GetCommuteRecord() const { return m_pCommuteRecord.get(); }
    void SetCommuteRecord(std::unique_ptr<CCommuteLOSRecord> record);

    // Writes the person's line (Children.out for a child, else Adults.out),
    // then hands the same streams to the pattern for the schedule lines. An
    // adult's line carries the answers of the thread's current household
    // simulator (0 without one); a person without a pattern writes 0 for the
    // pattern's flags and no schedule lines. False when a line of the person
    // was not written.
    bool WriteOutputRecord(COutputFileSet& streams);

    CHouseholdObject* GetHousehold() const { return m_pHousehold; }
    CInputDataManager* GetDataManager() const { return m_pManager; }
    const std::vector<double>& GetValues() const { return m_values; }

    // Set by the household simulation.
    CHouseholdObject* m_pHousehold = nullptr;       // back-pointer; null in the empty object
    CTour* m_pDiscretionaryTour = nullptr;          // a child's independent discretionary tour (not owned)
    std::uint8_t m_bPicksUpChildren = 0;            // picks up a child from school
    std::uint8_t m_bDropsOffChildren = 0;           // drops off a child at school
    int m_nVehicle = -1;                            // vehicle of which the person is primary driver; -1 none

protected:
    std::vector<std::string>& ColumnNameArray() const override;

private:
    // The household keeps the position up to date as it adds and orders members.
    friend class CHouseholdObject;
    int m_nPosition = 0;
    std::vector<double> m_values;
    std::unique_ptr<CPattern> m_pPattern;
    std::array<std::uint8_t, kFlagCount> m_flags{};
    std::unique_ptr<CCommuteLOSRecord> m_pCommuteRecord;
    CInputDataManager* m_pManager = nullptr;
    std::array<double, kActivityTypeCount> m_activityDurations{};

    static std::vector<std::string> s_columnNames;
};
