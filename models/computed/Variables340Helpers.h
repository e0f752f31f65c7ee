#pragma once
// Readers shared by the computed variables of indices 340 to 920: the members
// of the household, the joint-activity records and the person's place in
// them. They follow the rule of every computed variable: what the decision
// maker lacks (no household, no person, no current joint-activity record, a
// member outside the household) reads as nothing (0, false, null).

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "data/InputColumns.h"
#include "household/CJointActivityRecord.h"
#include "models/computed/ComputedVariableHelpers.h"

namespace Variables340Helpers {

using Frame = CVariableEvaluator::Frame;

// Person columns read by these variables.
inline constexpr int kEmployedColumn = InputColumns::kEmployed;
inline constexpr int kStudentColumn = InputColumns::kStudent;
inline constexpr int kFemaleColumn = InputColumns::kFemale;
inline constexpr int kAgeColumn = InputColumns::kAge;
inline constexpr int kParentColumn = InputColumns::kParent;
inline constexpr int kMotherColumn = InputColumns::kMother;
inline constexpr int kFatherColumn = InputColumns::kFather;
// Household columns.
inline constexpr int kHouseholdSizeColumn = InputColumns::kAdultCount;
inline constexpr int kVehicleCountColumn = InputColumns::kVehicleCount;
inline constexpr int kIncomeColumn = InputColumns::kIncome;
inline constexpr int kSingleMemberColumn = InputColumns::kPersonCount;

// Income (thousands) by which costs are divided is never taken below this.
inline constexpr double kIncomeFloor = 0.5;

inline double Age(const CPersonObject* person) {
    return ComputedVariableHelpers::PersonColumn(person, kAgeColumn);
}
// Column 7 as int: 1 (or any non-zero) for a female member, 0 for a male one.
inline int Sex(const CPersonObject* person) {
    return static_cast<int>(ComputedVariableHelpers::PersonColumn(person, kFemaleColumn));
}
inline double Income(const Frame& f) {
    return ComputedVariableHelpers::HouseholdColumn(f.household, kIncomeColumn);
}

// Number of members of the frame's household; 0 without one.
inline int MemberCount(const Frame& f) { return f.household != nullptr ? f.household->GetPersonCount() : 0; }

// Calls visit(member, i) for members i = 1 .. n in household order.
template <typename Visit>
void ForEachMember(const Frame& f, Visit visit) {
    const int n = MemberCount(f);
    for (int i = 1; i <= n; ++i)
        if (CPersonObject* member = f.household->GetPerson(i)) visit(member, i);
}

// Members for which the test holds.
template <typename Test>
int CountMembers(const Frame& f, Test test) {
    int count = 0;
    ForEachMember(f, [&](const CPersonObject* member, int) {
        if (test(member)) ++count;
    });
    return count;
}

// The record at the household's current joint-activity index (0-based in the
// household's list); null without a household or for an index outside the list.
const CJointActivityRecord* CurrentJointRecord(const Frame& f);

// Member i (1-based household position) takes part in the record; members
// beyond the household and bits beyond the record are not participants.
bool MemberTakesPart(const Frame& f, const CJointActivityRecord& record, int i);

// The person in hand takes part in the record (the bit of the person's
// position in the household). False without a person or household.
bool PersonTakesPart(const Frame& f, const CJointActivityRecord& record);

// The first joint-activity record of the household, in list order, in which the
// person in hand takes part; null when there is none.
const CJointActivityRecord* FirstJointRecordOfPerson(const Frame& f);

}  // namespace Variables340Helpers
