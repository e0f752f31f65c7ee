// The activity step of the per-household driver (step 9). Until activity
// generation lands the household's activity flags stay as the driver left them
// and no "NOGO.out" line is written.

#include "household/CHouseholdCoordinator.h"

void CHouseholdCoordinator::GenerateActivities(CHouseholdObject*, COutputFileSet&) {}
