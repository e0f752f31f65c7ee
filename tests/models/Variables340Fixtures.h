#pragma once
// The shared decision makers of the computed-variable tests (households and
// persons from scratch-database rows, hand-built patterns, tours and stops, a
// household simulator with set escort times), the columns the tests of the
// variables from index 340 set, and the rows of those variables' four groups.

#include <vector>

#include "ComputedVariableFixtures.h"
#include "models/computed/Variables340.h"

namespace Variables340Fixtures {

// Households and persons from scratch-database rows, and the evaluation of one
// variable through the definition table, as for every computed variable.
using ComputedVariableFixtures::Columns;
using ComputedVariableFixtures::FrameOf;
using ComputedVariableFixtures::PersonFrame;
using ComputedVariableFixtures::RowFactory;
using ComputedVariableFixtures::Value;
// Hand-built patterns, tours and stops, and a simulator with set escort times.
using ComputedVariableFixtures::AddNonWorkerTour;
using ComputedVariableFixtures::GiveStops;
using ComputedVariableFixtures::MakeWorkerPattern;
using ComputedVariableFixtures::ScriptedSimulator;
using Frame = CVariableEvaluator::Frame;
using Rows340Test = ComputedVariableFixtures::RowTest;

// Person columns.
using ComputedVariableFixtures::kAge;
using ComputedVariableFixtures::kEmployed;
using ComputedVariableFixtures::kFather;
using ComputedVariableFixtures::kFemale;
using ComputedVariableFixtures::kMother;
using ComputedVariableFixtures::kStudent;
using ComputedVariableFixtures::kWorkZone;
inline constexpr int kPersonNumber = 1;
inline constexpr int kParent = 9;
// Household columns.
inline constexpr int kSize = 1;
inline constexpr int kVehicles = 2;
inline constexpr int kHomeZoneColumn = 3;
inline constexpr int kIncome = 7;
inline constexpr int kSingle = 9;

// The rows of the four groups, in one list.
inline std::vector<ComputedVariableDefinition> AllRows340() {
    std::vector<ComputedVariableDefinition> rows;
    for (ComputedVariableRows group : {HouseholdPersonVariable340Rows(), JointActivityVariable340Rows(),
                                       ScheduleVariable340Rows(), CommuteZoneVariable340Rows()})
        rows.insert(rows.end(), group.begin(), group.end());
    return rows;
}

}  // namespace Variables340Fixtures
