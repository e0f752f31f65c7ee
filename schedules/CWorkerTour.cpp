#include "schedules/CWorkerTour.h"

#include "schedules/CWorkerStop.h"

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

// The single-tour simulation of a worker's tour is supplied with the worker
// tour bounds; the worker pattern simulations draw their tours themselves.
void CWorkerTour::SimulateTour(CPersonObject*, CModelSystem*, CHouseholdObject*) {}
