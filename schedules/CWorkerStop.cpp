#include "schedules/CWorkerStop.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "data/CRecordLine.h"
#include "data/InputColumns.h"
#include "modelsystem/CModelSystem.h"
#include "schedules/CPattern.h"
#include "schedules/CTour.h"
#include "schedules/ScheduleBounds.h"
#include "schedules/StopClampTables.h"

CWorkerStop::CWorkerStop(CInputDataManager* manager, CTour* tour) : CStop(manager, tour) {}

CWorkerStop::~CWorkerStop() = default;

namespace {

// Tour positions whose first stop starts at the workplace: the work-to-home
// commute and the work-based tours.
bool StartsAtWorkplace(int position) { return position == 0 || (position >= 5 && position <= 7); }

}  // namespace

void CWorkerStop::Generate(CPersonObject* person, CModelSystem* models, CHouseholdObject* household,
                           CHouseholdCoordinator* simulator) {
    const int position = m_pTour->GetPosition();
    StopModels stopModels;
    if (position == 0) {
        stopModels = {models->m_pWHCommuteStopActivityType, models->m_pWHCommuteStopActivityDuration,
                      models->m_pWHCommuteStopTravelTime, models->m_pWHCommuteStopLocationAutoMode,
                      models->m_pWorkerStopLocationWalkMode};
    } else if (position == 1) {
        stopModels = {models->m_pHWCommuteStopActivityType, models->m_pHWCommuteStopActivityDuration,
                      models->m_pHWCommuteStopTravelTime, models->m_pHWCommuteStopLocationAutoMode,
                      models->m_pWorkerStopLocationWalkMode};
    } else if (position >= 2 && position <= 4) {
        stopModels = {models->m_pBWTourStopActivityType, models->m_pBWTourStopActivityDuration,
                      models->m_pBWTourStopTravelTime, models->m_pBWTourStopLocationAutoMode,
                      models->m_pWorkerStopLocationWalkMode};
    } else if (position >= 5 && position <= 7) {
        stopModels = {models->m_pWBTourStopActivityType, models->m_pWBTourStopActivityDuration,
                      models->m_pWBTourStopTravelTime, models->m_pWBTourStopLocationAutoMode,
                      models->m_pWorkerStopLocationWalkMode};
    } else if (position >= 8 && position <= 10) {
        stopModels = {models->m_pAWTourStopActivityType, models->m_pAWTourStopActivityDuration,
                      models->m_pAWTourStopTravelTime, models->m_pAWTourStopLocationAutoMode,
                      models->m_pWorkerStopLocationWalkMode};
    } else {
        throw std::logic_error("A worker stop was generated on a tour in position " + std::to_string(position) +
                               ", which is not a position of the worker pattern (0 to 10).");
    }

    TourOrigin origin{CRecordLine::TruncateToInt(household->GetValue(InputColumns::kHomeZone)), kHomeActivity};
    if (StartsAtWorkplace(position)) {
        origin.zone = person->GetValue2() == 1.0 ? person->GetActivityZone()
                                                 : std::max(person->GetValue6(), person->GetValue52());
        origin.activityType = kWorkActivity;
    }
    GenerateWith(stopModels, origin, person, simulator);
}

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
