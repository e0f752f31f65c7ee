#include "schedules/CWPattern.h"

// The worker's tours within the household are built by the worker-pattern
// simulation; until it lands the pattern keeps its commutes only.
void CWPattern::SimulateInHousehold(CPersonObject*, CModelSystem*, CHouseholdObject*, CHouseholdCoordinator*) {}
