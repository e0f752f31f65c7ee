#include "schedules/CStop.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>

#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "household/CHouseholdCoordinator.h"
#include "household/COutputFileSet.h"
#include "models/CLocationMM.h"
#include "models/CLocationWalkMM.h"
#include "models/CMNLogitMM.h"
#include "models/CRegressMM.h"
#include "schedules/CScheduleLine.h"
#include "schedules/CTour.h"
#include "schedules/ScheduleBounds.h"

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

namespace {

// The person flag that opens each activity type, by activity code.
struct ActivityFlagRow {
    int activityType;
    int flag;
};
constexpr ActivityFlagRow kActivityFlags[] = {
    {0, 3}, {1, 4}, {2, 5}, {3, 6}, {4, 7}, {5, 9}, {6, 10}, {7, 8}, {8, 2}, {9, 11},
};

// Level-of-service columns of the zone choice.
constexpr int kAutoTimeColumn = 5;
constexpr int kTransitAvailableColumn = 7;
constexpr int kTransitInVehicleColumn = 8;
constexpr int kTransitOutOfVehicleColumn = 9;
// A destination counts as reached by transit above this availability.
constexpr double kTransitAvailable = 0.05;

// Tour modes of the zone choice.
constexpr int kDriveAlone = 0;
constexpr int kPassenger = 1;
constexpr int kWalkBike = 2;
constexpr int kTransit = 3;
constexpr int kDriveWithPassenger = 7;

bool IsAutoMode(int mode) { return mode == kDriveAlone || mode == kPassenger || mode == kDriveWithPassenger; }

// Scratch of stop generation, per thread, so that no stop allocates once the
// buffers have grown.
struct StopGenerationBuffers {
    std::vector<int> closedTypes;
    std::vector<int> origin{0};
    std::vector<double> values;
    std::vector<int> zones;
    std::vector<double> column8;
    std::vector<double> column9;
    std::vector<std::pair<double, int>> transit;
    std::vector<int> transitZones;
    std::vector<double> transitValues;
    std::vector<int> candidates;
    std::vector<std::vector<double>> matrix;
};
thread_local StopGenerationBuffers t_buffers;

// Sets the simulator's current person for the location variables and puts
// the previous one back afterwards.
class CurrentPersonScope {
public:
    CurrentPersonScope(CHouseholdCoordinator* simulator, CPersonObject* person)
        : m_simulator(simulator), m_previous(simulator ? simulator->GetCurrentPerson() : nullptr) {
        if (m_simulator) m_simulator->SetCurrentPerson(person);
    }
    ~CurrentPersonScope() {
        if (m_simulator) m_simulator->SetCurrentPerson(m_previous);
    }
    CurrentPersonScope(const CurrentPersonScope&) = delete;
    CurrentPersonScope& operator=(const CurrentPersonScope&) = delete;

private:
    CHouseholdCoordinator* m_simulator;
    CPersonObject* m_previous;
};

}  // namespace

double CStop::SearchTolerance(double budget, int activityType) {
    if (activityType == 0 || activityType == 2 || activityType == 4) return budget > 20.0 ? budget - 8.0 : 0.6 * budget;
    return budget > 24.0 ? budget - 6.0 : 0.75 * budget;
}

void CStop::ListUnavailableActivityTypes(const CPersonObject& person, std::vector<int>& closed) {
    closed.clear();
    for (const ActivityFlagRow& row : kActivityFlags)
        if (!person.GetFlag(row.flag)) closed.push_back(row.activityType);
}

bool CStop::ListTransitCandidates(CInputDataManager& manager, int origin, double time, double tolerance,
                                  std::vector<int>& candidates) {
    StopGenerationBuffers& buffers = t_buffers;
    candidates.clear();
    manager.GetLOSAllDestinations(buffers.zones, buffers.values, kTransitAvailableColumn, time, origin);
    manager.GetLOS(buffers.column8, kTransitInVehicleColumn, time, origin, buffers.zones);
    manager.GetLOS(buffers.column9, kTransitOutOfVehicleColumn, time, origin, buffers.zones);
    buffers.transit.clear();
    for (std::size_t i = 0; i < buffers.zones.size(); ++i)
        if (buffers.values[i] > kTransitAvailable)
            buffers.transit.emplace_back(buffers.column8[i] + buffers.column9[i], buffers.zones[i]);
    if (buffers.transit.empty()) return false;

    std::sort(buffers.transit.begin(), buffers.transit.end());
    buffers.transitZones.clear();
    buffers.transitValues.clear();
    for (const auto& [value, zone] : buffers.transit) {
        buffers.transitValues.push_back(value);
        buffers.transitZones.push_back(zone);
    }
    CLocationMM::SelectCandidateWindow(buffers.transitZones, buffers.transitValues, candidates,
                                       static_cast<float>(tolerance));
    if (candidates.empty()) candidates = buffers.transitZones;
    return true;
}

void CStop::GenerateWith(const StopModels& models, TourOrigin firstStopOrigin, CPersonObject* person,
                         CHouseholdCoordinator* simulator) {
    StopGenerationBuffers& buffers = t_buffers;
    CTour& tour = *m_pTour;

    m_dRemainingWindow = tour.GetWindowLength();
    models.activityType->ComputeValues(this);
    ListUnavailableActivityTypes(*person, buffers.closedTypes);
    models.activityType->SetUnavailable(buffers.closedTypes);
    m_nActivityType = models.activityType->Draw();

    m_dRemainingWindow = tour.GetWindowLength();
    m_dActivityDuration = std::floor(ClampDuration(schedule_bounds::ExpMinutes(models.activityDuration->Predict(this))));
    m_dTimeLeft = m_dRemainingWindow - m_dActivityDuration;

    const double budget = ClampTravelTime(schedule_bounds::ExpMinutes(models.travelTime->Predict(this)));
    m_dTravelTime = budget;
    const double tolerance = SearchTolerance(budget, m_nActivityType);

    tour.SetWindowLength(tour.GetWindowLength() - (budget + m_dActivityDuration));
    if (m_nStopNumber == tour.GetStopCount()) m_dTimeLeft = tour.GetWindowLength();

    if (m_nStopNumber > 1) {
        const CStop* previous = tour.GetStopByNumber(m_nStopNumber - 1);
        if (previous == nullptr)
            throw std::logic_error("Stop " + std::to_string(m_nStopNumber) +
                                   " of a tour was generated without its previous stop.");
        m_nOriginZone = previous->GetZone();
        m_nOriginActivityType = previous->GetActivityType();
    } else {
        m_nOriginZone = firstStopOrigin.zone;
        m_nOriginActivityType = firstStopOrigin.activityType;
    }

    // Unless a zone is found below, the stop stays where its trip starts.
    m_nZone = m_nOriginZone;
    const int origin = m_nOriginZone;
    const double time = m_dDepartureTime;
    // A stop built without the thread's data manager reads the simulator's.
    CInputDataManager* manager = m_pDataManager != nullptr ? m_pDataManager : simulator->GetDataManager();
    int mode = tour.GetMode();
    if (manager == nullptr && (mode == kWalkBike || mode == kTransit || IsAutoMode(mode)))
        throw std::logic_error("A stop was located without an input-data manager.");
    buffers.candidates.clear();

    if (mode == kWalkBike) {
        manager->GetAdjacentZones(origin, buffers.candidates);
        m_nZone = models.walkLocation->Draw(origin, buffers.candidates);
        return;
    }

    if (IsAutoMode(mode) || mode == kTransit) {
        buffers.origin.assign(1, origin);
        manager->GetLOS(buffers.values, mode == kTransit ? kTransitInVehicleColumn : kAutoTimeColumn, time, origin,
                        buffers.origin);
        const double intrazonal = buffers.values.empty() ? 0.0 : buffers.values.front();
        if (std::floor(intrazonal) > budget) return;
    }

    if (mode == kTransit && !ListTransitCandidates(*manager, origin, time, tolerance, buffers.candidates)) {
        mode = kPassenger;
        tour.SetMode(mode);
    }

    if (IsAutoMode(mode)) {
        manager->GetLOSAllDestinations(buffers.zones, buffers.values, kAutoTimeColumn, time, origin);
        CLocationMM::SelectCandidateWindow(buffers.zones, buffers.values, buffers.candidates,
                                           static_cast<float>(tolerance));
    }

    // A mode without a zone rule (escort and household-built codes) has no
    // candidates; the draw still takes its uniform so that the stream keeps
    // its place, and the stop stays at its origin. The matrix is reshaped,
    // not released, by each filling.
    if (!buffers.candidates.empty()) {
        CurrentPersonScope current(simulator, person);
        simulator->ComputeLocationVariables(origin, buffers.candidates, models.location->m_terms.m_variableIds,
                                            buffers.matrix, this);
    }
    const int zone = models.location->Draw(buffers.candidates, buffers.matrix);
    if (zone != -1) m_nZone = zone;
}
