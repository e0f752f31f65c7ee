#include "schedules/CTourTravel.h"

#include "models/CLocationMM.h"

#include <cmath>
#include <string>

#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "platform/MessageSink.h"
#include "schedules/ScheduleBounds.h"

namespace {

constexpr int kDistanceColumn = 3;
constexpr int kAutoTimeColumn = 5;
constexpr int kTransitOpenColumn = 7;
constexpr int kTransitTimeColumn = 8;
constexpr double kShortestLeg = 2.0;
constexpr double kShareOfTimeLeft = 0.95;
constexpr int kLeastTransitSum = 2;

}  // namespace

double CTourTravel::WalkMinutes(double distance)
{
    return distance <= 2.0 ? std::floor(distance / 0.05) : std::floor(distance / 0.15);
}

void CTourTravel::CloseCarModesForNonDriver(const CPersonObject& person, std::vector<int>& closed)
{
    if (person.GetValue14() == 0.0) {
        closed.push_back(kDriveAlone);
        closed.push_back(kDriveWithPassenger);
    }
}

bool CTourTravel::TransitAvailable(CInputDataManager& data, int origin, double time)
{
    // Reused across calls: the list of every destination is long.
    thread_local std::vector<int> zones;
    thread_local std::vector<double> values;
    data.GetLOSAllDestinations(zones, values, kTransitOpenColumn, time, origin);
    if (values.empty())
        return false;
    double sum = 0.0;
    for (double v : values)
        sum = std::trunc(sum + v);
    return sum >= kLeastTransitSum;
}

void CTourTravel::ListPlaceCandidates(CInputDataManager& data, int origin, double time, float target,
                                      std::vector<int>& candidates)
{
    if (const auto* sorted = data.GetCachedSortedDestinations(kAutoTimeColumn, time, origin)) {
        CLocationMM::SelectCandidateWindow(*sorted, candidates, target);
        return;
    }
    thread_local std::vector<int> zones;
    thread_local std::vector<double> values;
    data.GetLOSAllDestinations(zones, values, kAutoTimeColumn, time, origin);
    CLocationMM::SelectCandidateWindow(zones, values, candidates, target);
}

double CTourTravel::ClosingLegTravelTime(CInputDataManager& data, int mode, int origin, int destination,
                                         double departure, double timeLeft, const ClosingLegRules& rules)
{
    double minutes = kShortestLeg;
    switch (mode) {
        case kDriveAlone:
        case kPassenger:
        case kDriveWithPassenger:
        case kTransit: {
            thread_local std::vector<int> to(1);
            thread_local std::vector<double> values;
            to[0] = destination;
            data.GetLOS(values, mode == kTransit ? kTransitTimeColumn : kAutoTimeColumn, departure, origin, to);
            minutes = values.empty() ? 0.0 : values.front();
            if (rules.floorBeforeCompare)
                minutes = std::floor(minutes);
            minutes = schedule_bounds::AtLeast(minutes, kShortestLeg);
            break;
        }
        case kWalk: {
            double distance = 0.0;
            data.GetZone2Zone(distance, kDistanceColumn, origin, destination);
            minutes = WalkMinutes(distance);
            if (rules.walkAtLeastTwo)
                minutes = schedule_bounds::AtLeast(minutes, kShortestLeg);
            break;
        }
        default:
            // No level-of-service column serves this mode: the shortest leg.
            if (rules.reportUnknownMode)
                MessageSink::Post("Tourmode " + std::to_string(mode));
            break;
    }
    if (minutes > timeLeft)
        minutes = schedule_bounds::ShareOfTimeLeft(kShareOfTimeLeft, timeLeft);
    return std::floor(minutes);
}
