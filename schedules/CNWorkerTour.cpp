#include "schedules/CNWorkerTour.h"

#include <cmath>

#include "schedules/CNWorkerStop.h"

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

// The home-stay bounds of non-workers' tours are supplied with the non-worker
// tour rules; until then the stay passes unbounded, in whole minutes.
double CNWorkerTour::ClampHomeStay(double minutes, int)
{
    return std::floor(minutes);
}

// The single-tour simulation of a non-worker's tour is supplied with the
// non-worker tour rules; the non-worker pattern simulation draws its tours
// itself.
void CNWorkerTour::SimulateTour(CPersonObject*, CModelSystem*, CHouseholdObject*) {}
