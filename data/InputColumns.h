#pragma once
// Positions of the households and persons columns that the simulation's own
// code reads (columns a model file names through variable IDs come on top).
// The tables are read by position, so a table narrower than its widest
// column read cannot be simulated: the table load checks the widths against
// the widest of the columns listed here. Code that reads a column of either
// table names it here, so the check grows with the readers.

#include <algorithm>

namespace InputColumns {

// households
constexpr int kHouseholdId = 0;
constexpr int kAdultCount = 1;
constexpr int kVehicleCount = 2;
constexpr int kHomeZone = 3;
constexpr int kHouseholdType = 5;
constexpr int kIncome = 7;
constexpr int kPersonCount = 9;  // number of members, compared with the persons rows

inline constexpr int kHouseholdColumnsRead[] = {kHouseholdId, kAdultCount, kVehicleCount, kHomeZone,
                                                kHouseholdType, kIncome, kPersonCount};
constexpr int kWidestHouseholdColumn = std::ranges::max(kHouseholdColumnsRead);

// persons
constexpr int kPersonHouseholdId = 0;
constexpr int kPersonNumber = 1;
constexpr int kEmployed = 2;
constexpr int kStudent = 3;
constexpr int kLicence = 4;
constexpr int kWorkZone = 5;
constexpr int kSchoolZone = 6;
constexpr int kFemale = 7;
constexpr int kAge = 8;
constexpr int kParent = 9;
constexpr int kUsBorn = 10;
constexpr int kWhite = 11;
constexpr int kEnglishAtHome = 12;
constexpr int kDisabled = 13;
constexpr int kVehiclesPerAdult = 14;
constexpr int kWorksAtHome = 24;
constexpr int kMother = 35;
constexpr int kFather = 36;
constexpr int kCollegeZone = 52;
constexpr int kSomeCollege = 56;
constexpr int kBachelor = 57;
constexpr int kPostgraduate = 58;

inline constexpr int kPersonColumnsRead[] = {
    kPersonHouseholdId, kPersonNumber, kEmployed,      kStudent,   kLicence,          kWorkZone,
    kSchoolZone,        kFemale,       kAge,           kParent,    kUsBorn,           kWhite,
    kEnglishAtHome,     kDisabled,     kVehiclesPerAdult, kWorksAtHome, kMother,     kFather,
    kCollegeZone,       kSomeCollege,  kBachelor,      kPostgraduate};
constexpr int kWidestPersonColumn = std::ranges::max(kPersonColumnsRead);

}  // namespace InputColumns
