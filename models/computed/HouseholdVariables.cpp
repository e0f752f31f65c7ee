#include "models/computed/HouseholdVariables.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "data/InputColumns.h"
#include "models/computed/ComputedVariableHelpers.h"
#include "platform/MessageSink.h"

using namespace ComputedVariableHelpers;

namespace {

// Children (under 16) going to school / not going to school; 0 without a household.
int SchoolGoing(const Frame& f) { return f.household != nullptr ? f.household->CountSchoolGoingChildren() : 0; }
int NonSchoolGoing(const Frame& f) {
    return f.household != nullptr ? f.household->CountNonSchoolGoingChildren() : 0;
}

// Adults going to work or school, as the household simulation counted them.
int Workers(const Frame& f) { return f.household != nullptr ? f.household->GetWorkOrSchoolAdultCount() : 0; }
// Household column 1 (as int) less the workers.
int NonWorkers(const Frame& f) {
    if (f.household == nullptr) return 0;
    return static_cast<int>(HouseholdColumn(f.household, 1)) - Workers(f);
}
int FemaleNonWorkers(const Frame& f) { return f.household != nullptr ? f.household->CountFemaleNonWorkers() : 0; }
int FemaleWorkers(const Frame& f) { return f.household != nullptr ? f.household->CountFemaleWorkers() : 0; }

// Person column 35: 1.0 for a mother of the household.
double MotherColumn(const Frame& f) { return PersonColumn(f.person, InputColumns::kMother); }
bool IsMother(const Frame& f) { return MotherColumn(f) != 0.0; }

// The number of school-going children for a mother, 0 for anyone else. The
// mother column should be 1 or 0; another value is reported and then used as
// it stands.
double SchoolGoingChildrenOfMother(const Frame& f) {
    if (f.person == nullptr) return 0.0;
    const double mother = MotherColumn(f);
    if (mother != 1.0 && mother != 0.0)
        MessageSink::Post("Problem: Person table's mother value is not 1 or 0", MessageIcon::Warning);
    return mother * SchoolGoing(f);
}

// Multiple school-going children, for a male person.
double MultipleSchoolGoingChildrenMale(const Frame& f) {
    if (SchoolGoing(f) <= 1 || f.person == nullptr) return 0.0;
    return Indicator(f.person->GetValue7() == 0);
}

// Another adult member (other than the person in hand) goes to work or school.
// At the household level there is no person to leave out: any adult counts.
double AnotherAdultWorks(const Frame& f) {
    return f.household != nullptr ? Indicator(f.household->AnotherAdultWorks(f.person)) : 0.0;
}

constexpr ComputedVariableDefinition kRows[] = {
    ComputedVariableRow(30000, [](const Frame&) { return 1.0; }),

    // Children in the household.
    ComputedVariableRow(30005, [](const Frame& f) { return static_cast<double>(SchoolGoing(f)); }),
    ComputedVariableRow(30006, [](const Frame& f) { return Indicator(SchoolGoing(f) >= 2); }),
    ComputedVariableRow(30182, [](const Frame& f) { return Indicator(SchoolGoing(f) == 1); }),
    ComputedVariableRow(30183, [](const Frame& f) { return Indicator(SchoolGoing(f) >= 1); }),
    ComputedVariableRow(30184, [](const Frame& f) { return Indicator(SchoolGoing(f) >= 2); }),
    ComputedVariableRow(30261, [](const Frame& f) { return Indicator(f.household != nullptr && SchoolGoing(f) == 0); }),
    ComputedVariableRow(30008, [](const Frame& f) { return Indicator(NonSchoolGoing(f) == 1); }),
    ComputedVariableRow(30009, [](const Frame& f) { return Indicator(NonSchoolGoing(f) >= 1); }),
    ComputedVariableRow(30010, SchoolGoingChildrenOfMother),
    ComputedVariableRow(30011, [](const Frame& f) { return MotherColumn(f) * NonSchoolGoing(f); }),
    ComputedVariableRow(30185, [](const Frame& f) { return Indicator(SchoolGoing(f) == 1 && IsMother(f)); }),
    ComputedVariableRow(30186, [](const Frame& f) { return Indicator(SchoolGoing(f) > 1 && IsMother(f)); }),
    ComputedVariableRow(30187, [](const Frame& f) { return Indicator(NonSchoolGoing(f) == 1 && IsMother(f)); }),
    ComputedVariableRow(30188, [](const Frame& f) { return Indicator(NonSchoolGoing(f) > 0 && IsMother(f)); }),
    ComputedVariableRow(30189, [](const Frame& f) { return Indicator(NonSchoolGoing(f) > 1 && IsMother(f)); }),
    ComputedVariableRow(30190, [](const Frame& f) { return Indicator(SchoolGoing(f) > 0 && IsMother(f)); }),
    ComputedVariableRow(30060, MultipleSchoolGoingChildrenMale),

    // Workers and non-workers.
    ComputedVariableRow(30020, [](const Frame& f) { return static_cast<double>(Workers(f)); }),
    ComputedVariableRow(30021, [](const Frame& f) { return Indicator(Workers(f) >= 2); }),
    ComputedVariableRow(30192, [](const Frame& f) { return Indicator(Workers(f) == 1); }),
    ComputedVariableRow(30193, [](const Frame& f) { return Indicator(Workers(f) >= 1); }),
    ComputedVariableRow(30022, [](const Frame& f) { return static_cast<double>(NonWorkers(f)); }),
    ComputedVariableRow(30194, [](const Frame& f) { return Indicator(NonWorkers(f) == 1); }),
    ComputedVariableRow(30195, [](const Frame& f) { return Indicator(NonWorkers(f) >= 1); }),
    ComputedVariableRow(30196, [](const Frame& f) { return Indicator(NonWorkers(f) >= 2); }),
    ComputedVariableRow(30023, [](const Frame& f) { return static_cast<double>(FemaleNonWorkers(f)); }),
    ComputedVariableRow(30024, [](const Frame& f) { return Indicator(FemaleNonWorkers(f) >= 1); }),
    ComputedVariableRow(30197, [](const Frame& f) { return Indicator(FemaleNonWorkers(f) == 1); }),
    ComputedVariableRow(30198, [](const Frame& f) { return Indicator(FemaleNonWorkers(f) >= 2); }),
    ComputedVariableRow(30058, [](const Frame& f) { return static_cast<double>(FemaleWorkers(f)); }),
    ComputedVariableRow(30059, [](const Frame& f) { return Indicator(FemaleWorkers(f) >= 1); }),
    ComputedVariableRow(30016, AnotherAdultWorks),

    // Attributes of the home zone.
    ComputedVariableRow(30061, [](const Frame& f) { return HomeZoneColumn(f, InputColumns::kZoneShopDistance); }),
    ComputedVariableRow(30062, [](const Frame& f) { return HomeZoneColumn(f, InputColumns::kZoneRetailServiceAccess); }),
    ComputedVariableRow(30333, [](const Frame& f) { return HomeZoneColumn(f, InputColumns::kZoneShopTravelTime); }),
    ComputedVariableRow(30334, [](const Frame& f) { return HomeZoneColumn(f, InputColumns::kZoneShopTravelCost); }),
    ComputedVariableRow(30335, [](const Frame& f) { return HomeZoneColumn(f, InputColumns::kZoneShopRetailAccess); }),
};

}  // namespace

ComputedVariableRows HouseholdVariableRows() { return kRows; }
