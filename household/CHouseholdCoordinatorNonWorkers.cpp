// The own tours of an adult who neither works nor goes to school, called by
// the person schedule pass. Until the non-worker tour simulation lands the
// person's pattern keeps the tours the household gave it.

#include "household/CHouseholdCoordinator.h"

void CHouseholdCoordinator::SimulateNonWorkerTours(CPersonObject*, CHouseholdObject*, CModelSystem*,
                                                   CHouseholdCoordinator*) {}
