#pragma once
// Fixed variable tables of the household activity choice sets (CMdcevMM):
// which household or alternative quantity each variable ID stands for, for
// each alternative type. Types 0 to 7 are activities the household members may
// do together, type 8 an individual activity.
//
// The small-household table covers IDs 35001 to 35084 (households of fewer
// than six persons), the large-household table IDs 36001 to 36053 and 35037
// (six persons or more). An ID that a type does not list has the value 0.0 for
// that type.

namespace MdcevVariableTables {

constexpr int kTypeCount = 9;

// Quantities of an alternative of the small-household choice set.
enum SmallQuantity : signed char {
    kSmallNone = -1,        // the ID does not belong to the type: 0.0
    kSmallOne = 0,          // constant 1.0
    kSmallSchoolChildren,   // school-going children of the household
    kSmallOtherChildren,    // children not going to school
    kSmallZero,             // always 0.0
    kSmallHighIncome,       // income above 100000
    kSmallHighIncomeAlone,  // high income, one member
    kSmallHighIncomeGroup,  // high income, several members
    kSmallVehicles,         // household vehicles
    kSmallLatestWorkEnd,    // largest work start + duration of the household / 1000
    kSmallLongestWork,      // largest work duration of the household / 1000
    kSmallChildrenAlone,    // children among the members, one member
    kSmallChildrenGroup,    // children among the members, several members
    kSmallDropOffMembers,   // members who drop off a child at school
    kSmallFamilyGroup,      // three or more members with a woman and a child
    kSmallZone3,            // home zone column 3
    kSmallZone5,            // home zone column 5
    kSmallTwoMembers,       // 1.0 with 2 members
    kSmallThreeMembers,     // 1.0 with 3 members
    kSmallFourMembers,      // 1.0 with 4 members
    kSmallFiveMembers,      // 1.0 with 5 members
    kSmallGroup,            // 1.0 with more than one member
};

constexpr int kSmallFirstId = 35001;
constexpr int kSmallLastId = 35084;

// The quantity of `id` for alternative type `type`; kSmallNone outside the table.
SmallQuantity SmallQuantityOf(int id, int type);

// Quantities of an alternative of the large-household choice set.
enum LargeQuantity : signed char {
    kLargeNone = -1,       // the ID does not belong to the type: 0.0
    kLargeOne = 0,         // constant 1.0
    kLargeSixOrSeven,      // 1.0 for a household of 6 or 7 persons
    kLargeLowIncome,       // 1.0 when the income is below 35000
    kLargeMiddleIncome,    // 1.0 when the income is 35000 to below 75000
    kLargeFemales,         // women among the persons so far
    kLargeUnder16,         // a person so far under 16
    kLargeAtSchool,        // a person so far going to school
    kLargePickUp,          // a person so far picking up a child
    kLargeDropOff,         // a person so far dropping off a child
    kLargeColumn10,        // a person so far with column 10 equal to 1.0
    kLargeWorkDuration,    // work duration of the latest person with work or school
    kLargeZone3,           // home zone column 3
    kLargeZone6,           // home zone column 6
    kLargeZone9,           // home zone column 9 / 1000
    kLargeZone10,          // home zone column 10 / 1000
    kLargeZone30,          // home zone column 30 / 10000
    kLargeZone34,          // home zone column 34 / 10000
    kLargeZone36,          // home zone column 36 / 10000
    kLargeZone38,          // home zone column 38 / 10000
    kLargeZone39,          // home zone column 39 / 10000
    kLargeZone40,          // home zone column 40 / 10000
};

constexpr int kLargeFirstId = 36001;
constexpr int kLargeLastId = 36053;

// The quantity of `id` for alternative type `type`; kLargeNone outside the table.
LargeQuantity LargeQuantityOf(int id, int type);

}  // namespace MdcevVariableTables
