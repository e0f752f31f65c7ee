#include "schedules/CNWorkerTour.h"

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "household/DecisionKey.h"
#include "models/CMNLogitMM.h"
#include "models/COrdProbitMM.h"
#include "models/CRegressMM.h"
#include "modelsystem/CModelSystem.h"
#include "schedules/CNWorkerStop.h"
#include "schedules/CPattern.h"
#include "schedules/CTourTravel.h"
#include "schedules/ScheduleBounds.h"
#include "schedules/TourBoundTables.h"

CNWorkerTour::CNWorkerTour(CInputDataManager* manager, CPattern* pattern) : CTour(manager, pattern) {}

CNWorkerTour::~CNWorkerTour() = default;

void CNWorkerTour::CreateStops()
{
    m_stops.clear();
    for (int number = 1; number <= m_nStopCount; ++number) {
        auto stop = std::make_unique<CNWorkerStop>(m_pDataManager, this);
        stop->SetStopNumber(number);
        m_stops.push_back(std::move(stop));
    }
}

void CNWorkerTour::AppendStop(int activityType, double activityDuration, double departure,
                              double travelTime, int originZone, int zone, int originActivityType)
{
    AppendFilledStop(std::make_unique<CNWorkerStop>(m_pDataManager, this), activityType,
                     activityDuration, departure, travelTime, originZone, zone, originActivityType);
}

double CNWorkerTour::ClampHomeStay(double minutes, int tourCount)
{
    return schedule_bounds::ClampPercent(
        minutes, m_dSlack, tour_bound_tables::NonWorkerHomeStayBounds(m_nPosition, tourCount, m_nStopCount));
}

double CNWorkerTour::ClampTourDuration(double minutes) const
{
    if (m_nPosition == 1) {
        const int tourCount = m_pPattern != nullptr ? m_pPattern->GetTourCount() : 0;
        const auto* bounds = tour_bound_tables::NonWorkerFirstTourDurationMinutes(tourCount, m_nStopCount);
        if (bounds == nullptr)
            return std::floor(minutes);
        return std::floor(schedule_bounds::Clamp(minutes, bounds->low, bounds->high));
    }
    return schedule_bounds::ClampPercent(minutes, m_dWindowLength,
                                         tour_bound_tables::NonWorkerTourDurationPercent(m_nPosition, m_nStopCount));
}

void CNWorkerTour::SimulateTour(CPersonObject* person, CModelSystem* models, CHouseholdObject* household)
{
    decision_key::Reseed(*models, *household, decision_key::Pid(*person) + static_cast<std::uint32_t>(m_nPosition));

    // The per-tour models exist for tours 1 to 4; the accessors refuse others.
    CMNLogitMM& modeModel = models->ModeForTour(m_nPosition);
    modeModel.ComputeValues(this);
    std::vector<int> closed;
    CTourTravel::CloseCarModesForNonDriver(*person, closed);
    if (!CTourTravel::TransitAvailable(*m_pDataManager, household->GetHomeZone(), m_dWindowStart))
        closed.push_back(CTourTravel::kTransit);
    modeModel.SetUnavailable(closed);
    m_nMode = modeModel.Draw();

    m_nStopCount = models->NumberOfStopsInTour(m_nPosition).Choose(this);
    CreateStops();

    m_dDuration = std::floor(
        ClampTourDuration(schedule_bounds::ExpMinutes(models->DurationOfTour(m_nPosition).Predict(this))));
    SetSlackFromDuration();
    m_dPreTourTime = std::floor(
        ClampHomeStay(schedule_bounds::ExpMinutes(models->HomeStayDurationBeforeTour(m_nPosition).Predict(this)), 1));
}
