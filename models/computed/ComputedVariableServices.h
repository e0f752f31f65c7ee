#pragma once
// The computed variables' access to services of other parts of the program:
// the model system's current household simulator and the level-of-service and
// zone-to-zone queries of the input-data manager. Kept in one place so that
// the definitions do not depend on how those services are reached.

#include "models/CVariableEvaluator.h"

class CHouseholdCoordinator;

namespace ComputedVariableServices {

// The household simulator of the household in hand (the owning model
// system's current one); null when there is none.
CHouseholdCoordinator* CurrentSimulator(const CVariableEvaluator::Frame& frame);

// Level-of-service column `column` of the period of `time` from origin to
// destination; 0.0 without a manager.
double LevelOfService(CInputDataManager* manager, int column, double time, int origin, int destination);

// zone2zone column `column` from origin to destination; 0.0 without a manager.
double ZoneToZone(CInputDataManager* manager, int column, int origin, int destination);

}  // namespace ComputedVariableServices
