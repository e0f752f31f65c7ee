#include "schedules/CNWorkerStop.h"

#include "schedules/CTour.h"
#include "schedules/ScheduleBounds.h"
#include "schedules/StopClampTables.h"

CNWorkerStop::CNWorkerStop(CInputDataManager* manager, CTour* tour) : CStop(manager, tour) {}

CNWorkerStop::~CNWorkerStop() = default;

void CNWorkerStop::Generate(CPersonObject*, CModelSystem*, CHouseholdObject*, CHouseholdCoordinator*) {}

double CNWorkerStop::ClampDuration(double minutes) {
    return schedule_bounds::ClampStopDuration(
        minutes, m_dRemainingWindow,
        stop_clamp_tables::NonWorkerDurationBounds(m_pTour->GetPosition(), m_pTour->GetStopCount()));
}

double CNWorkerStop::ClampTravelTime(double minutes) {
    return schedule_bounds::ClampStopTravelTime(
        minutes, m_dTimeLeft,
        stop_clamp_tables::NonWorkerTravelTimeBounds(m_pTour->GetPosition(), m_pTour->GetStopCount()));
}
