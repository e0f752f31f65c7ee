#include "schedules/CNWorkerStop.h"

#include <stdexcept>
#include <string>

#include "data/CHouseholdObject.h"
#include "data/CRecordLine.h"
#include "data/InputColumns.h"
#include "modelsystem/CModelSystem.h"
#include "schedules/CTour.h"
#include "schedules/ScheduleBounds.h"
#include "schedules/StopClampTables.h"

CNWorkerStop::CNWorkerStop(CInputDataManager* manager, CTour* tour) : CStop(manager, tour) {}

CNWorkerStop::~CNWorkerStop() = default;

void CNWorkerStop::Generate(CPersonObject* person, CModelSystem* models, CHouseholdObject* household,
                            CHouseholdCoordinator* simulator) {
    // Only tours 1 to 4 have models; the pattern code never builds a fifth.
    const int tour = m_pTour->GetPosition();
    if (tour < 1 || tour > CModelSystem::kTourCount)
        throw std::logic_error("A non-worker stop was generated on tour " + std::to_string(tour) +
                               "; stop models exist for tours 1 to 4 only.");
    const StopModels stopModels{&models->TourStopActivityType(tour), &models->TourStopActivityDuration(tour),
                                &models->TourStopTravelTime(tour), &models->TourStopLocation(tour),
                                models->m_pNonWorkerStopLocationWalkMode};
    const TourOrigin home{CRecordLine::TruncateToInt(household->GetValue(InputColumns::kHomeZone)), kHomeActivity};
    GenerateWith(stopModels, home, person, simulator);
}

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
