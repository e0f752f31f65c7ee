#pragma once
// Which household simulator class simulates a household of each household type
// (column 5 of the household row, 0 to 23).

#include <optional>

enum class HouseholdSimulatorClass {
    Generic,             // CGenericHousehold
    SingleNoChildren,    // SingleNoChildrenHH
    CoupleNoChildren,    // CoupleNoChildrenHH
    OtherNoChildren,     // OtherNoChildrenHH
    SingleWithChildren,  // SingleWChildrenHH
    CoupleWithChildren,  // CoupleWChildrenHH
    OtherWithChildren,   // OtherWChildrenHH
};

namespace HouseholdTypeTable {

constexpr int kTypeCount = 24;

// The simulator class of the household type; none for a type outside 0 to 23.
std::optional<HouseholdSimulatorClass> ClassOfType(int householdType);

}  // namespace HouseholdTypeTable
