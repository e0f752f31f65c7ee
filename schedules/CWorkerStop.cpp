#include "schedules/CWorkerStop.h"

CWorkerStop::CWorkerStop(CInputDataManager* manager, CTour* tour) : CStop(manager, tour) {}

CWorkerStop::~CWorkerStop() = default;

// Stop generation for workers' tours is supplied by the stop-generation step;
// until then a stop keeps the values its tour gave it.
void CWorkerStop::Generate(CPersonObject*, CModelSystem*, CHouseholdObject*, CHouseholdCoordinator*) {}
