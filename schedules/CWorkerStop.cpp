#include "schedules/CWorkerStop.h"

#include "schedules/CPattern.h"
#include "schedules/CTour.h"
#include "schedules/ScheduleBounds.h"
#include "schedules/StopClampTables.h"

CWorkerStop::CWorkerStop(CInputDataManager* manager, CTour* tour) : CStop(manager, tour) {}

CWorkerStop::~CWorkerStop() = default;

void CWorkerStop::Generate(CPersonObject*, CModelSystem*, CHouseholdObject*, CHouseholdCoordinator*) {}

int CWorkerStop::PeriodTourCount() const {
    const CPattern* pattern = m_pTour->GetPattern();
    const int position = m_pTour->GetPosition();
    if (pattern == nullptr) return 0;
    if (position >= 5 && position <= 7) return pattern->GetWorkBasedTourCount();
    if (position >= 8 && position <= 10) return pattern->GetAfterWorkTourCount();
    return 0;
}

double CWorkerStop::ClampDuration(double minutes) {
    return schedule_bounds::ClampStopDuration(
        minutes, m_dRemainingWindow,
        stop_clamp_tables::WorkerDurationBounds(m_pTour->GetPosition(), PeriodTourCount(), m_pTour->GetStopCount()));
}

double CWorkerStop::ClampTravelTime(double minutes) {
    return schedule_bounds::ClampStopTravelTime(
        minutes, m_dTimeLeft,
        stop_clamp_tables::WorkerTravelTimeBounds(m_pTour->GetPosition(), PeriodTourCount(),
                                                  m_pTour->GetStopCount()));
}
