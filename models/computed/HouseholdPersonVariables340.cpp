// Computed variables of the household's composition and income, of the person
// in hand, and of the activities the household activity generation gave the
// person (participation flags and single-activity durations).

#include "models/computed/Variables340.h"

#include "models/computed/Variables340Helpers.h"

using namespace ComputedVariableHelpers;
using namespace Variables340Helpers;

namespace {

// --- Household composition -----------------------------------------------------

bool IsParent(const CPersonObject* member) { return PersonColumn(member, kParentColumn) == 1.0; }

// Age of the household's mother (a parent whose column 7 is non-zero) or father
// (a parent whose column 7 is 0): the first such member in household order;
// 0.0 when there is none.
template <bool Mother>
double ParentAge(const Frame& f) {
    double age = 0.0;
    bool found = false;
    ForEachMember(f, [&](const CPersonObject* member, int) {
        if (found || !IsParent(member) || (Sex(member) != 0) != Mother) return;
        age = Age(member);
        found = true;
    });
    return age;
}

int SchoolGoingChildren(const Frame& f) { return f.household != nullptr ? f.household->CountSchoolGoingChildren() : 0; }
int NonSchoolGoingChildren(const Frame& f) {
    return f.household != nullptr ? f.household->CountNonSchoolGoingChildren() : 0;
}
// Members going to work, as the household simulation counted them.
int Workers(const Frame& f) { return f.household != nullptr ? f.household->GetWorkOrSchoolAdultCount() : 0; }

double NonWorkers(const Frame& f) {
    if (f.household == nullptr) return 0.0;
    return static_cast<int>(HouseholdColumn(f.household, kHouseholdSizeColumn)) - Workers(f);
}

// One adult (column 1 equal to 1) with children under 16.
double SingleParentHousehold(const Frame& f) {
    const int children = CountMembers(f, [](const CPersonObject* m) { return Age(m) < 16.0; });
    return Indicator(static_cast<int>(HouseholdColumn(f.household, kHouseholdSizeColumn)) == 1 && children > 0);
}

// Exactly one woman and one man over 18.
double CoupleInHousehold(const Frame& f) {
    const int women = CountMembers(f, [](const CPersonObject* m) { return Sex(m) != 0 && Age(m) > 18.0; });
    const int men = CountMembers(f, [](const CPersonObject* m) { return Sex(m) == 0 && Age(m) > 18.0; });
    return Indicator(women == 1 && men == 1);
}

double AdultLivingAlone(const Frame& f) {
    return Indicator(MemberCount(f) == 1 && Age(f.household->GetPerson(1)) >= 16.0);
}

template <typename Test>
double MembersWhere(const Frame& f, Test test) {
    return static_cast<double>(CountMembers(f, test));
}

// --- Income ----------------------------------------------------------------------

template <typename Test>
double IncomeIs(const Frame& f, Test test) {
    return Indicator(f.household != nullptr && test(Income(f)));
}

template <int Vehicles>
double VehiclesEqual(const Frame& f) {
    return Indicator(f.household != nullptr && HouseholdColumn(f.household, kVehicleCountColumn) == Vehicles);
}

// --- The person ------------------------------------------------------------------

double PersonAgeIn(const Frame& f, double from, double below) {
    if (f.person == nullptr) return 0.0;
    const double age = Age(f.person);
    return Indicator(from <= age && age < below);
}

// A parent whose column 7 equals the value (0.0 father, 1.0 mother).
template <double Column7>
double IsParentOfSex(const Frame& f) {
    return Indicator(f.person != nullptr && IsParent(f.person) && PersonColumn(f.person, kFemaleColumn) == Column7);
}

template <int K>
double Flag(const Frame& f) {
    return Indicator(PersonFlag(f.person, K));
}

template <int ActivityType>
double SingleActivityDuration(const Frame& f) {
    return f.person != nullptr ? f.person->GetActivityDuration(ActivityType) : 0.0;
}

constexpr ComputedVariableDefinition kRows[] = {
    // Parents' ages.
    ComputedVariableRow(30356, ParentAge<true>),
    ComputedVariableRow(30357, ParentAge<false>),

    // Composition of the household.
    ComputedVariableRow(30504, [](const Frame& f) {
        return Indicator(f.household != nullptr && HouseholdColumn(f.household, kSingleMemberColumn) == 1.0);
    }),
    ComputedVariableRow(30505, [](const Frame& f) { return static_cast<double>(SchoolGoingChildren(f)); }),
    ComputedVariableRow(30506, NonWorkers),
    ComputedVariableRow(30507, SingleParentHousehold),
    ComputedVariableRow(30510, CoupleInHousehold),
    ComputedVariableRow(30511, [](const Frame& f) { return static_cast<double>(Workers(f)); }),
    ComputedVariableRow(30516, [](const Frame& f) {
        return MembersWhere(f, [](const CPersonObject* m) { return PersonFlag(m, 1); });
    }),
    ComputedVariableRow(30631, AdultLivingAlone),
    ComputedVariableRow(30632, [](const Frame& f) { return static_cast<double>(NonSchoolGoingChildren(f)); }),
    ComputedVariableRow(30640, [](const Frame& f) {
        return MembersWhere(f, [](const CPersonObject* m) {
            return Age(m) >= 16.0 && PersonColumn(m, kEmployedColumn) == 1.0;
        });
    }),
    ComputedVariableRow(30698, [](const Frame& f) {
        return MembersWhere(f, [](const CPersonObject* m) { return Age(m) > 65.0; });
    }),
    ComputedVariableRow(30699, [](const Frame& f) {
        return MembersWhere(f, [](const CPersonObject* m) {
            return Sex(m) == 0 && PersonColumn(m, kEmployedColumn) != 0.0;
        });
    }),
    ComputedVariableRow(30911, [](const Frame& f) {
        return MembersWhere(f, [](const CPersonObject* m) { return Sex(m) == 1 && Age(m) >= 16.0; });
    }),

    // Vehicles held.
    ComputedVariableRow(30907, VehiclesEqual<1>),
    ComputedVariableRow(30908, VehiclesEqual<2>),
    ComputedVariableRow(30909, VehiclesEqual<3>),
    ComputedVariableRow(30910, [](const Frame& f) {
        return Indicator(f.household != nullptr && HouseholdColumn(f.household, kVehicleCountColumn) > 3.0);
    }),

    // Income, in thousands.
    ComputedVariableRow(30501, [](const Frame& f) { return Income(f); }),
    ComputedVariableRow(30611, [](const Frame& f) { return IncomeIs(f, [](double i) { return i > 100.0; }); }),
    ComputedVariableRow(30612, [](const Frame& f) {
        return IncomeIs(f, [](double i) { return 25.0 <= i && i <= 100.0; });
    }),
    ComputedVariableRow(30613, [](const Frame& f) {
        return IncomeIs(f, [](double i) { return 100.0 <= i && i <= 150.0; });
    }),
    ComputedVariableRow(30614, [](const Frame& f) { return IncomeIs(f, [](double i) { return i > 150.0; }); }),
    ComputedVariableRow(30615, [](const Frame& f) { return IncomeIs(f, [](double i) { return i < 35.0; }); }),
    ComputedVariableRow(30616, [](const Frame& f) {
        return IncomeIs(f, [](double i) { return 35.0 < i && i < 75.0; });
    }),
    ComputedVariableRow(30914, [](const Frame& f) { return IncomeIs(f, [](double i) { return i <= 35.0; }); }),

    // The person.
    ComputedVariableRow(30502, IsParentOfSex<0.0>),
    ComputedVariableRow(30503, IsParentOfSex<1.0>),
    ComputedVariableRow(30512, [](const Frame& f) { return PersonAgeIn(f, 41.0, 60.0); }),
    ComputedVariableRow(30513, [](const Frame& f) { return PersonAgeIn(f, 26.0, 40.0); }),
    ComputedVariableRow(30517, [](const Frame& f) { return PersonAgeIn(f, 5.0, 15.0); }),
    ComputedVariableRow(30621, [](const Frame& f) { return PersonColumn(f.person, InputColumns::kPostgraduate) + PersonColumn(f.person, InputColumns::kBachelor); }),
    ComputedVariableRow(30530, [](const Frame& f) {
        return Indicator(f.person != nullptr && f.person->m_bPicksUpChildren != 0);
    }),
    ComputedVariableRow(30531, Flag<1>),
    ComputedVariableRow(30533, [](const Frame& f) {
        return Indicator(f.person != nullptr && f.person->m_bDropsOffChildren != 0);
    }),

    // Activity participation.
    ComputedVariableRow(30520, Flag<7>),
    ComputedVariableRow(30521, Flag<11>),
    ComputedVariableRow(30522, Flag<3>),
    ComputedVariableRow(30523, Flag<8>),
    ComputedVariableRow(30524, Flag<4>),
    ComputedVariableRow(30525, Flag<9>),
    ComputedVariableRow(30526, Flag<10>),
    ComputedVariableRow(30527, Flag<6>),
    ComputedVariableRow(30528, Flag<5>),
    ComputedVariableRow(30529, Flag<2>),

    // Single-activity durations, by activity code.
    ComputedVariableRow(30560, SingleActivityDuration<9>),
    ComputedVariableRow(30561, SingleActivityDuration<0>),
    ComputedVariableRow(30562, SingleActivityDuration<7>),
    ComputedVariableRow(30563, SingleActivityDuration<5>),
    ComputedVariableRow(30564, SingleActivityDuration<3>),
    ComputedVariableRow(30565, SingleActivityDuration<1>),
    ComputedVariableRow(30566, SingleActivityDuration<8>),
    ComputedVariableRow(30567, SingleActivityDuration<4>),
};

}  // namespace

ComputedVariableRows HouseholdPersonVariable340Rows() { return kRows; }
