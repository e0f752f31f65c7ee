#include "schedules/CNWorkerStop.h"

CNWorkerStop::CNWorkerStop(CInputDataManager* manager, CTour* tour) : CStop(manager, tour) {}

CNWorkerStop::~CNWorkerStop() = default;

// Stop generation for non-workers' tours is supplied by the stop-generation
// step; until then a stop keeps the values its tour gave it.
void CNWorkerStop::Generate(CPersonObject*, CModelSystem*, CHouseholdObject*, CHouseholdCoordinator*) {}
