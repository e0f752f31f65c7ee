#include "schedules/CWorkerTour.h"

#include <cmath>
#include <vector>

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "household/DecisionKey.h"
#include "models/CMNLogitMM.h"
#include "models/COrdProbitMM.h"
#include "models/CRegressMM.h"
#include "modelsystem/CModelSystem.h"
#include "schedules/CPattern.h"
#include "schedules/CTourTravel.h"
#include "schedules/CWPattern.h"
#include "schedules/CWorkerStop.h"
#include "schedules/ScheduleBounds.h"
#include "schedules/TourBoundTables.h"

CWorkerTour::CWorkerTour(CInputDataManager* manager, CPattern* pattern) : CTour(manager, pattern) {}

CWorkerTour::~CWorkerTour() = default;

void CWorkerTour::CreateStops()
{
    for (int number = 1; number <= m_nStopCount; ++number) {
        auto stop = std::make_unique<CWorkerStop>(m_pDataManager, this);
        stop->SetStopNumber(number);
        m_stops.push_back(std::move(stop));
    }
}

void CWorkerTour::AppendStop(int activityType, double activityDuration, double departure,
                             double travelTime, int originZone, int zone, int originActivityType)
{
    AppendFilledStop(std::make_unique<CWorkerStop>(m_pDataManager, this), activityType,
                     activityDuration, departure, travelTime, originZone, zone, originActivityType);
}

double CWorkerTour::ClampHomeStay(double, int)
{
    return 0.0;
}

double CWorkerTour::ClampPreTourTime(double minutes) const
{
    int periodCount = 0;
    if (m_pPattern != nullptr) {
        if (m_nPosition >= CWPattern::kFirstAfterWorkSlot)
            periodCount = m_pPattern->GetAfterWorkTourCount();
        else if (m_nPosition >= CWPattern::kFirstWorkBasedSlot)
            periodCount = m_pPattern->GetWorkBasedTourCount();
        else
            periodCount = m_pPattern->GetBeforeWorkTourCount();
    }
    return schedule_bounds::ClampPercent(
        minutes, m_dSlack, tour_bound_tables::WorkerPreTourBounds(m_nPosition, periodCount, m_nStopCount));
}

double CWorkerTour::ClampTourDuration(double minutes) const
{
    return schedule_bounds::ClampPercent(minutes, m_dWindowLength,
                                         tour_bound_tables::WorkerTourDurationBounds(m_nPosition, m_nStopCount));
}

void CWorkerTour::SimulateTour(CPersonObject* person, CModelSystem* models, CHouseholdObject* household)
{
    decision_key::Reseed(*models, *household, decision_key::Pid(*person) + static_cast<std::uint32_t>(m_nPosition));

    const bool workBased = m_nPosition >= CWPattern::kFirstWorkBasedSlot && m_nPosition < CWPattern::kFirstAfterWorkSlot;
    const bool afterWork = m_nPosition >= CWPattern::kFirstAfterWorkSlot;
    CMNLogitMM& modeModel = *(afterWork ? models->m_pAWTourMode : workBased ? models->m_pWBTourMode : models->m_pBWTourMode);
    COrdProbitMM& stopModel = *(afterWork ? models->m_pAWTourNumberOfStops
                                          : workBased ? models->m_pWBTourNumberOfStops : models->m_pBWTourNumberOfStops);
    CRegressMM& durationModel =
        *(afterWork ? models->m_pAWTourDuration : workBased ? models->m_pWBTourDuration : models->m_pBWTourDuration);
    CRegressMM& stayModel = *(afterWork ? models->m_pAWHomeStay : workBased ? models->m_pWBWorkStay : models->m_pBWHomeStay);

    modeModel.ComputeValues(this);
    std::vector<int> closed;
    bool carsClosed = person->GetValue14() == 0.0;
    if (workBased && !carsClosed) {
        // Without a car at work a work-based tour cannot be driven.
        const CWPattern* pattern = person->GetWPattern();
        const int commuteMode = pattern != nullptr ? pattern->GetHomeToWorkTourMode() : -1;
        carsClosed = commuteMode != CTourTravel::kDriveAlone && commuteMode != CTourTravel::kDriveWithPassenger;
    }
    if (carsClosed)
        closed.insert(closed.end(), {CTourTravel::kDriveAlone, CTourTravel::kDriveWithPassenger});
    if (!CTourTravel::TransitAvailable(*m_pDataManager, household->GetHomeZone(), m_dWindowStart))
        closed.push_back(CTourTravel::kTransit);
    modeModel.SetUnavailable(closed);
    m_nMode = modeModel.Draw();
    m_nStopCount = stopModel.Choose(this);
    CreateStops();

    m_dDuration = std::floor(ClampTourDuration(schedule_bounds::ExpMinutes(durationModel.Predict(this))));
    SetSlackFromDuration();
    m_dPreTourTime = std::floor(ClampPreTourTime(schedule_bounds::ExpMinutes(stayModel.Predict(this))));
}
