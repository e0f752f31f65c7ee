#pragma once
// Hand-built decision makers for the tests of the computed variables from
// index 340: households and persons made from rows of a scratch database (one
// per database kind, made once), hand-built patterns, tours and stops, a
// household simulator with fixed escort times, and the evaluation of one
// variable through the rows of the four groups.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "data/InputTables.h"
#include "household/CGenericHousehold.h"
#include "models/CVariableEvaluator.h"
#include "models/computed/Variables340.h"
#include "platform/CDatabase.h"
#include "platform/CRecordset.h"
#include "platform/NumberText.h"
#include "schedules/CNWPattern.h"
#include "schedules/CNWorkerTour.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/CWPattern.h"
#include "support/TestDatabase.h"

namespace Variables340Fixtures {

inline constexpr int kHouseholdColumns = 10;
// Wide enough for columns 57 and 58 (degrees).
inline constexpr int kPersonColumns = 60;

using Columns = std::map<int, double>;
using Frame = CVariableEvaluator::Frame;

// Person columns.
inline constexpr int kPersonNumber = 1;
inline constexpr int kEmployed = 2;
inline constexpr int kStudent = 3;
inline constexpr int kWorkZone = 5;
inline constexpr int kFemale = 7;
inline constexpr int kAge = 8;
inline constexpr int kParent = 9;
inline constexpr int kMother = 35;
inline constexpr int kFather = 36;
// Household columns.
inline constexpr int kSize = 1;
inline constexpr int kVehicles = 2;
inline constexpr int kHomeZoneColumn = 3;
inline constexpr int kIncome = 7;
inline constexpr int kSingle = 9;

class Rows340 {
public:
    explicit Rows340(const std::string& kind) : m_db(TestDatabase::Create(kind)) {
        m_db->Execute(CreateTable("cv340_households", kHouseholdColumns));
        m_db->Execute(CreateTable("cv340_persons", kPersonColumns));
        m_connection.OpenEx(m_db->Connect());
    }

    static Rows340& Of(const std::string& kind) {
        static std::map<std::string, std::unique_ptr<Rows340>> factories;
        auto& factory = factories[kind];
        if (!factory) factory = std::make_unique<Rows340>(kind);
        return *factory;
    }

    std::unique_ptr<CHouseholdObject> Household(const Columns& columns) {
        CRecordset rs(&m_connection);
        Select(rs, "cv340_households", kHouseholdColumns, columns);
        auto household = std::make_unique<CHouseholdObject>(rs, nullptr);
        rs.Close();
        return household;
    }

    // Appends a member (person number = members + 1 unless column 1 is given)
    // with the flags set.
    CPersonObject* AddPerson(CHouseholdObject& household, Columns columns, std::vector<int> flags = {}) {
        columns.emplace(kPersonNumber, household.GetPersonCount() + 1);
        CRecordset rs(&m_connection);
        Select(rs, "cv340_persons", kPersonColumns, columns);
        household.AddPerson(rs);
        rs.Close();
        CPersonObject* person = household.GetPerson(household.GetPersonCount());
        for (int k : flags) person->SetFlag(k, true);
        return person;
    }

    // An input-data manager over the small input tables (home zone 10: zone2zone
    // to zone 20 adjacent at distance 2.0, auto time 12.5), made on first use.
    CInputDataManager& Manager() {
        if (!m_pManager) {
            InputTables::Create(*m_db);
            m_pManager = std::make_unique<CInputDataManager>();
            if (!m_pManager->LoadTables(&m_connection)) ADD_FAILURE() << "input tables not loaded";
        }
        return *m_pManager;
    }

private:
    static std::string ColumnList(int count) {
        std::string list;
        for (int c = 0; c < count; ++c) list += (c ? ", c" : "c") + NumberText::Integer(c);
        return list;
    }
    static std::string CreateTable(const std::string& name, int count) {
        std::string sql = "CREATE TABLE " + name + " (k INTEGER";
        for (int c = 0; c < count; ++c) sql += ", c" + NumberText::Integer(c) + " DOUBLE PRECISION";
        return sql + ")";
    }

    void Select(CRecordset& rs, const std::string& table, int count, const Columns& columns) {
        const int key = ++m_nextKey;
        std::string row = NumberText::Integer(key);
        for (int c = 0; c < count; ++c) {
            const auto it = columns.find(c);
            row += ", " + NumberText::Shortest(it != columns.end() ? it->second : 0.0);
        }
        m_db->Execute("INSERT INTO " + table + " VALUES (" + row + ")");
        rs.m_strFilter = "k = " + NumberText::Integer(key);
        rs.Open("SELECT " + ColumnList(count) + " FROM " + table);
    }

    std::unique_ptr<TestDatabase> m_db;
    CDatabase m_connection;
    std::unique_ptr<CInputDataManager> m_pManager;
    int m_nextKey = 0;
};

// The rows of the four groups, in one list.
inline std::vector<ComputedVariableDefinition> AllRows340() {
    std::vector<ComputedVariableDefinition> rows;
    for (ComputedVariableRows group : {HouseholdPersonVariable340Rows(), JointActivityVariable340Rows(),
                                       ScheduleVariable340Rows(), CommuteZoneVariable340Rows()})
        rows.insert(rows.end(), group.begin(), group.end());
    return rows;
}

// Value of variable `variableId` for the frame, through its row.
inline double Value(int variableId, const Frame& frame) {
    for (const ComputedVariableDefinition& row : AllRows340())
        if (row.index == variableId - 30000) return row.compute(frame);
    ADD_FAILURE() << "no definition for " << variableId;
    return -12345.0;
}

inline Frame FrameOf(CHouseholdObject* household, CPersonObject* person = nullptr, CPattern* pattern = nullptr,
                     CTour* tour = nullptr, CStop* stop = nullptr, CInputDataManager* manager = nullptr) {
    return CVariableEvaluator::MakeFrame(manager, household, person, pattern, tour, stop, nullptr);
}

// The person's own frame at person level (with the person's pattern).
inline Frame PersonFrame(CHouseholdObject* household, CPersonObject* person) {
    return FrameOf(household, person, person->GetPattern());
}

// The person's worker pattern (the person must have flag 0 or flag 1 set and a
// pattern made), with the work or school times.
inline CWPattern* MakeWorkerPattern(CPersonObject* person, double start, double duration) {
    person->CreatePattern();
    auto* pattern = dynamic_cast<CWPattern*>(person->GetPattern());
    if (pattern != nullptr) {
        pattern->SetWorkStart(start);
        pattern->SetWorkDuration(duration);
    }
    return pattern;
}

// Gives the tour `count` stops (the last one the closing return) with the
// activity types given for stops 1, 2, ...
inline void GiveStops(CTour* tour, int count, const std::vector<int>& types) {
    tour->SetStopCount(count);
    tour->CreateStops();
    for (std::size_t k = 0; k < types.size(); ++k)
        if (CStop* stop = tour->GetStopByNumber(static_cast<int>(k) + 1)) stop->SetActivityType(types[k]);
}

// Appends a tour with stops to a non-worker pattern and returns it.
inline CTour* AddNonWorkerTour(CNWPattern* pattern, int mode, int stops, const std::vector<int>& types) {
    auto tour = std::make_unique<CNWorkerTour>(nullptr, pattern);
    tour->SetMode(mode);
    GiveStops(tour.get(), stops, types);
    CTour* raw = tour.get();
    pattern->AddTour(std::move(tour));
    return raw;
}

// A household simulator that answers fixed escort times.
class FixedTimesSimulator : public CGenericHousehold {
public:
    FixedTimesSimulator(double afterDropOff, double afterPickUp)
        : CGenericHousehold(nullptr), m_afterDropOff(afterDropOff), m_afterPickUp(afterPickUp) {}
    double GetTimeAfterDropOff(const CPersonObject*) override { return m_afterDropOff; }
    double GetAvailableTimeAfterPickUp(const CPersonObject*) override { return m_afterPickUp; }

private:
    double m_afterDropOff;
    double m_afterPickUp;
};

class Rows340Test : public ::testing::TestWithParam<std::string> {
protected:
    Rows340& Rows() { return Rows340::Of(GetParam()); }
};

}  // namespace Variables340Fixtures
