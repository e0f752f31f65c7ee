#include "models/computed/PersonVariables.h"

#include <algorithm>

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "household/CHouseholdCoordinator.h"
#include "models/computed/ComputedVariableHelpers.h"
#include "models/computed/ComputedVariableServices.h"

using namespace ComputedVariableHelpers;

namespace {

// The escort role or time of a person as the household simulator reports it:
// slot 0 drops children off, 1 picks them up, 2 joint discretionary activity
// with children (each 1.0 / 0.0), 5 time after the drop-off, 6 time available
// after the pick-up. 0.0 without a simulator or a person.
double EscortSlotValue(CHouseholdCoordinator* simulator, const CPersonObject* person, int slot) {
    if (simulator == nullptr || person == nullptr) return 0.0;
    switch (slot) {
    case 0: return Indicator(simulator->IsDropOffAdult(person));
    case 1: return Indicator(simulator->IsPickUpAdult(person));
    case 2: return Indicator(simulator->IsJointDiscretionaryAdult(person));
    case 5: return simulator->GetTimeAfterDropOff(person);
    case 6: return simulator->GetAvailableTimeAfterPickUp(person);
    default: return 0.0;
    }
}

template <int Slot>
double EscortSlot(const Frame& f) {
    return EscortSlotValue(ComputedVariableServices::CurrentSimulator(f), f.person, Slot);
}

template <int K>
double Flag(const Frame& f) {
    return Indicator(PersonFlag(f.person, K));
}

template <int K, int L>
double BothFlags(const Frame& f) {
    return Indicator(PersonFlag(f.person, K) && PersonFlag(f.person, L));
}

// A worker or student that is female.
double FemaleWorker(const Frame& f) {
    return Indicator(WorksOrStudies(f) && f.person->GetValue7() != 0);
}

// An adult (16 or older) that is employed and has a work-related activity.
double AdultWorkRelated(const Frame& f) {
    if (f.person == nullptr || f.person->IsChild()) return 0.0;
    return Indicator(PersonColumn(f.person, 2) != 0.0 && PersonFlag(f.person, 2));
}

double AnyIndependentActivity(const Frame& f) {
    for (int k = 2; k <= 7; ++k)
        if (PersonFlag(f.person, k)) return 1.0;
    return 0.0;
}

double AnotherMemberShops(const Frame& f) {
    return f.household != nullptr ? Indicator(f.household->AnotherMemberShops(f.person)) : 0.0;
}

bool IsStudentGoing(const Frame& f) { return PersonColumn(f.person, 3) != 0.0 && WorksOrStudies(f); }

// The school zone (larger of person columns 6 and 52) is the home zone.
double SchoolInHomeZone(const Frame& f) {
    if (f.household == nullptr || !IsStudentGoing(f)) return 0.0;
    return Indicator(std::max(f.person->GetValue6(), f.person->GetValue52()) == f.homeZone);
}

// zone2zone column from the home zone to the person's activity zone.
template <int Column>
double HomeToActivityZone(const Frame& f) {
    if (f.household == nullptr || f.person == nullptr) return 0.0;
    return ComputedVariableServices::ZoneToZone(f.manager, Column, f.homeZone, f.person->GetActivityZone());
}

constexpr ComputedVariableDefinition kRows[] = {
    ComputedVariableRow(30012, Flag<0>),
    ComputedVariableRow(30088, FemaleWorker),

    // Activity flags.
    ComputedVariableRow(30029, AdultWorkRelated),
    ComputedVariableRow(30041, Flag<3>),
    ComputedVariableRow(30042, AnotherMemberShops),
    ComputedVariableRow(30043, Flag<5>),
    ComputedVariableRow(30044, Flag<4>),
    ComputedVariableRow(30045, Flag<6>),
    ComputedVariableRow(30046, Flag<7>),
    ComputedVariableRow(30047, BothFlags<3, 5>),
    ComputedVariableRow(30048, BothFlags<3, 4>),
    ComputedVariableRow(30049, BothFlags<3, 6>),
    ComputedVariableRow(30050, BothFlags<3, 7>),
    ComputedVariableRow(30051, BothFlags<5, 4>),
    ComputedVariableRow(30052, BothFlags<5, 6>),
    ComputedVariableRow(30053, BothFlags<5, 7>),
    ComputedVariableRow(30054, BothFlags<4, 6>),
    ComputedVariableRow(30055, BothFlags<4, 7>),
    ComputedVariableRow(30056, BothFlags<6, 7>),
    ComputedVariableRow(30057, AnyIndependentActivity),

    // Escort roles, from the household simulator.
    ComputedVariableRow(30038, EscortSlot<0>),
    ComputedVariableRow(30147, EscortSlot<0>),
    ComputedVariableRow(30039, EscortSlot<1>),
    ComputedVariableRow(30146, EscortSlot<1>),
    ComputedVariableRow(30040, EscortSlot<2>),
    ComputedVariableRow(30148, EscortSlot<5>),
    ComputedVariableRow(30149, EscortSlot<6>),

    // School zone.
    ComputedVariableRow(30158, SchoolInHomeZone),
    ComputedVariableRow(30159, HomeToActivityZone<2>),
    ComputedVariableRow(30160, HomeToActivityZone<3>),
};

}  // namespace

ComputedVariableRows PersonVariableRows() { return kRows; }
