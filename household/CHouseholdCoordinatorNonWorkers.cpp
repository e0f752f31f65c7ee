// The own tours of an adult who neither works nor goes to school, called by
// the person schedule pass. A person without a pick-up episode or joint
// activities takes the non-worker pattern's own simulation.

#include "household/CHouseholdCoordinator.h"

#include "data/CPersonObject.h"
#include "schedules/CNWPattern.h"

void CHouseholdCoordinator::SimulateNonWorkerTours(CPersonObject* person, CHouseholdObject* household,
                                                   CModelSystem* models, CHouseholdCoordinator* simulator) {
    if (person == nullptr) return;
    if (CNWPattern* pattern = person->GetNWPattern()) pattern->Simulate(person, models, household, simulator);
}
