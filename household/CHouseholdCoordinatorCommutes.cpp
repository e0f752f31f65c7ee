// The work commutes that both household simulators share.

#include "household/CHouseholdCoordinator.h"

#include "household/CWorkCommute.h"

void CHouseholdCoordinator::SimulateWorkToHomeCommute(CPersonObject* person, CHouseholdObject* household) {
    CWorkCommute(*this).SimulateWorkToHome(*person, *household);
}

void CHouseholdCoordinator::SimulateWHCommuteStops(CPersonObject* person, CHouseholdObject* household) {
    CWorkCommute(*this).SimulateWorkToHomeStops(*person, *household);
}

void CHouseholdCoordinator::SimulateHomeToWorkCommute(CPersonObject* person, CHouseholdObject* household) {
    CWorkCommute(*this).SimulateHomeToWork(*person, *household);
}
