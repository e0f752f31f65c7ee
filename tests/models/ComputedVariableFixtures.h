#pragma once
// Hand-built decision makers for the computed-variable tests: households and
// persons made from rows of a scratch database (one per database kind, made
// once and shared by the tests of the kind), hand-built patterns, tours and
// stops, a household simulator with scripted escort answers, and the
// evaluation of one computed variable for a frame through the definition table.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/InputTables.h"
#include "data/CPersonObject.h"
#include "household/CGenericHousehold.h"
#include "models/CVariableEvaluator.h"
#include "models/ComputedVariableTable.h"
#include "platform/CDatabase.h"
#include "platform/CRecordset.h"
#include "platform/NumberText.h"
#include "schedules/CNWPattern.h"
#include "schedules/CNWorkerTour.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/CWPattern.h"
#include "support/TestDatabase.h"

namespace ComputedVariableFixtures {

inline constexpr int kHouseholdColumns = 10;
// Wide enough for columns 57 and 58 (degrees).
inline constexpr int kPersonColumns = 60;

// Column values by position; positions not given are 0.
using Columns = std::map<int, double>;

// Person columns of the tests.
inline constexpr int kEmployed = 2;
inline constexpr int kStudent = 3;
inline constexpr int kWorkZone = 5;
inline constexpr int kSchoolZone = 6;
inline constexpr int kFemale = 7;
inline constexpr int kAge = 8;
inline constexpr int kMother = 35;
inline constexpr int kFather = 36;

// Makes household and person objects from rows written to a scratch database.
class RowFactory {
public:
    explicit RowFactory(const std::string& kind) : m_db(TestDatabase::Create(kind)) {
        std::string household = "CREATE TABLE cv_households (k INTEGER";
        for (int c = 0; c < kHouseholdColumns; ++c) household += ", c" + NumberText::Integer(c) + " DOUBLE PRECISION";
        m_db->Execute(household + ")");
        std::string person = "CREATE TABLE cv_persons (k INTEGER";
        for (int c = 0; c < kPersonColumns; ++c) person += ", c" + NumberText::Integer(c) + " DOUBLE PRECISION";
        m_db->Execute(person + ")");
        m_connection.OpenEx(m_db->Connect());
    }

    // The factory of a database kind, made on first use.
    static RowFactory& Of(const std::string& kind) {
        static std::map<std::string, std::unique_ptr<RowFactory>> factories;
        auto& factory = factories[kind];
        if (!factory) factory = std::make_unique<RowFactory>(kind);
        return *factory;
    }

    std::unique_ptr<CHouseholdObject> Household(const Columns& columns, CInputDataManager* manager = nullptr) {
        const int key = Insert("cv_households", kHouseholdColumns, columns);
        CRecordset rs(&m_connection);
        rs.m_strFilter = "k = " + NumberText::Integer(key);
        rs.Open("SELECT " + ColumnList(kHouseholdColumns) + " FROM cv_households");
        auto household = std::make_unique<CHouseholdObject>(rs, manager);
        rs.Close();
        return household;
    }

    // Appends a member with the columns given (person number = members + 1
    // unless column 1 is given) and the flags set.
    CPersonObject* AddPerson(CHouseholdObject& household, Columns columns, std::vector<int> flags = {}) {
        columns.emplace(1, household.GetPersonCount() + 1);
        const int key = Insert("cv_persons", kPersonColumns, columns);
        CRecordset rs(&m_connection);
        rs.m_strFilter = "k = " + NumberText::Integer(key);
        rs.Open("SELECT " + ColumnList(kPersonColumns) + " FROM cv_persons");
        household.AddPerson(rs);
        rs.Close();
        CPersonObject* person = household.GetPerson(household.GetPersonCount());
        for (int k : flags) person->SetFlag(k, true);
        return person;
    }

    // An input-data manager over the small input tables (zones 10, 20 and 30
    // with columns 1 to 3; from home zone 10, zone2zone to zone 20 adjacent at
    // distance 2.0, auto time 12.5), made on first use. The tables are loaded
    // again on every call: the column names of the input tables are kept
    // process-wide, and another test may have loaded tables of other names.
    CInputDataManager& Manager() {
        if (!m_pManager) {
            InputTables::Create(*m_db);
            m_pManager = std::make_unique<CInputDataManager>();
        }
        if (!m_pManager->LoadTables(&m_connection)) ADD_FAILURE() << "input tables not loaded";
        return *m_pManager;
    }

private:
    static std::string ColumnList(int count) {
        std::string list;
        for (int c = 0; c < count; ++c) list += (c ? ", c" : "c") + NumberText::Integer(c);
        return list;
    }

    int Insert(const std::string& table, int count, const Columns& columns) {
        const int key = ++m_nextKey;
        std::string row = NumberText::Integer(key);
        for (int c = 0; c < count; ++c) {
            const auto it = columns.find(c);
            row += ", " + NumberText::Shortest(it != columns.end() ? it->second : 0.0);
        }
        m_db->Execute("INSERT INTO " + table + " VALUES (" + row + ")");
        return key;
    }

    std::unique_ptr<TestDatabase> m_db;
    CDatabase m_connection;
    std::unique_ptr<CInputDataManager> m_pManager;
    int m_nextKey = 0;
};

// Value of computed variable `variableId` (30000 + index) for the frame; the
// variable must have a definition.
inline double Value(int variableId, const CVariableEvaluator::Frame& frame) {
    const ComputedVariableDefinition* definition = FindComputedVariableDefinition(variableId - 30000);
    if (definition == nullptr) {
        ADD_FAILURE() << "no definition for " << variableId;
        return -12345.0;
    }
    return definition->compute(frame);
}

// The frame of an evaluation at the level of the lowest object given.
inline CVariableEvaluator::Frame FrameOf(CHouseholdObject* household, CPersonObject* person = nullptr,
                                         CPattern* pattern = nullptr, CTour* tour = nullptr, CStop* stop = nullptr,
                                         CInputDataManager* manager = nullptr) {
    return CVariableEvaluator::MakeFrame(manager, household, person, pattern, tour, stop, nullptr);
}

// The person's own frame at person level (with the person's pattern).
inline CVariableEvaluator::Frame PersonFrame(CHouseholdObject* household, CPersonObject* person) {
    return FrameOf(household, person, person->GetPattern());
}

// Makes the person's pattern and, when it is a worker (or school) pattern,
// gives it the work or school start and duration; null otherwise.
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

// A household simulator whose escort answers are set by the test. They hold
// for `adult` (every person while it is null); any other person gets false and
// -1.0, as from a household without escort episodes.
class ScriptedSimulator : public CGenericHousehold {
public:
    ScriptedSimulator() : CGenericHousehold(nullptr) {}
    bool IsDropOffAdult(const CPersonObject* p) override { return For(p) && dropOff; }
    bool IsPickUpAdult(const CPersonObject* p) override { return For(p) && pickUp; }
    bool IsJointDiscretionaryAdult(const CPersonObject* p) override { return For(p) && joint; }
    double GetTimeAfterDropOff(const CPersonObject* p) override { return For(p) ? afterDropOff : -1.0; }
    double GetAvailableTimeAfterPickUp(const CPersonObject* p) override { return For(p) ? afterPickUp : -1.0; }

    const CPersonObject* adult = nullptr;
    bool dropOff = false;
    bool pickUp = false;
    bool joint = false;
    double afterDropOff = -1.0;
    double afterPickUp = -1.0;

private:
    bool For(const CPersonObject* p) const { return adult == nullptr || p == adult; }
};

// Suite base: parameterised over the database kinds.
class RowTest : public ::testing::TestWithParam<std::string> {
protected:
    RowFactory& Rows() { return RowFactory::Of(GetParam()); }
};

}  // namespace ComputedVariableFixtures
