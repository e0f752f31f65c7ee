#include "schedules/CStop.h"

#include <cmath>

#include "data/CInputDataManager.h"
#include "household/COutputFileSet.h"
#include "schedules/CScheduleLine.h"

CStop::CStop(CInputDataManager* manager, CTour* tour) : m_pTour(tour), m_pDataManager(manager) {}

CStop::~CStop() = default;

namespace {

// Zone-to-zone column holding the distance between two zones.
constexpr int kDistanceColumn = 3;

}  // namespace

void CStop::Write(int householdId, int personNumber, int tourPosition, COutputFileSet& streams) const
{
    // The distance of the leg; a pair the table does not hold reads 0.0, and
    // so does every leg when there is no data manager to ask.
    double distance = 0.0;
    if (m_pDataManager != nullptr)
        m_pDataManager->GetZone2Zone(distance, kDistanceColumn, m_nOriginZone, m_nZone);

    CScheduleLine stopLine(householdId, personNumber);
    stopLine.Int(tourPosition)
        .Int(m_nStopNumber)
        .Int(m_nActivityType)
        .Floored(m_dDepartureTime)
        .Floored(m_dTravelTime)
        .Floored(m_dActivityDuration)
        .Int(m_nZone)
        .Int(m_nOriginZone)
        .Double(distance)
        .Int(m_nOriginActivityType);

    // The activity starts on arrival: the whole minutes of departure and trip.
    CScheduleLine activityLine(householdId, personNumber);
    activityLine.Int(m_nActivityType)
        .Double(std::floor(m_dDepartureTime) + std::floor(m_dTravelTime))
        .Floored(m_dActivityDuration)
        .Int(m_nZone);

    stopLine.WriteTo(streams, COutputFileSet::kStops);
    activityLine.WriteTo(streams, COutputFileSet::kActivity);
}
