#pragma once
// Positions of the households and persons columns that the simulation gives a
// meaning, and the widest column of each table that it reads. The tables are
// read by position, so a table narrower than its widest column read cannot be
// simulated: the table load checks the widths against these. Code that comes
// to read a wider column raises the width here.

namespace InputColumns {

// households
constexpr int kHouseholdId = 0;
constexpr int kHomeZone = 3;
constexpr int kHouseholdType = 5;
constexpr int kPersonCount = 9;  // number of members, compared with the persons rows
constexpr int kWidestHouseholdColumn = 9;

// persons
constexpr int kPersonHouseholdId = 0;
constexpr int kPersonNumber = 1;
constexpr int kWorkZone = 5;
constexpr int kSchoolZone = 6;
constexpr int kCollegeZone = 52;
constexpr int kWidestPersonColumn = 52;

}  // namespace InputColumns
