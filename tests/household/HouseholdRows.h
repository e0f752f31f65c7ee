#pragma once
// Builds a household with its members for simulator tests: the rows are
// written to a scratch database and read back through the ODBC layer, the way
// the input-data manager reads them.

#include "data/CHouseholdObject.h"

#include <memory>
#include <vector>

class CInputDataManager;

class TestDatabase;

namespace HouseholdRows {

// Person row columns the simulators read.
// 0 household id, 1 person number, 2 employed, 6 school zone, 7 female, 8 age,
// 9 parent, 10 read by the activity choice sets, 52 the second school zone.
constexpr int kPersonColumns = 53;

// One person row: household id, person number, column 7, age, column 9; the
// other columns are 0.
std::vector<double> Person(double householdId, int personNumber, double column7, double age, double column9);

// The household row (columns 0 to 5) and its members, in the order given.
// The person rows are as wide as the first of them; the household and its
// members keep `manager` as their data manager.
std::unique_ptr<CHouseholdObject> Load(TestDatabase& db, const std::vector<double>& household,
                                       const std::vector<std::vector<double>>& persons,
                                       CInputDataManager* manager = nullptr);

}  // namespace HouseholdRows
