#include "schedules/CJointDiscretionaryTour.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "household/CCurrentPersonScope.h"
#include "household/CHouseholdCoordinator.h"
#include "household/CHouseholdWithChildren.h"
#include "household/DecisionKey.h"
#include "models/CLocationMM.h"
#include "models/CRegressMM.h"
#include "schedules/CNWPattern.h"
#include "schedules/CNWorkerTour.h"
#include "schedules/CPattern.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/CTourTravel.h"
#include "schedules/CWPattern.h"
#include "schedules/CWorkerTour.h"
#include "schedules/ScheduleBounds.h"
#include "schedules/ScheduleTime.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

using schedule_bounds::AtLeast;
using schedule_bounds::Clamp;

constexpr double kEarliestDeparture = 375.0;
constexpr double kLatestDeparture = 1080.0;
constexpr double kShortestActivity = 15.0;
constexpr double kLongestActivity = 210.0;
constexpr double kShortestTrip = 2.0;
constexpr double kLongestTrip = 35.0;
constexpr int kBackHome = 12;

// Scratch of the place draw.
struct PlaceBuffers {
    std::vector<int> candidates;
    std::vector<std::vector<double>> matrix;
};
thread_local PlaceBuffers t_place;

// Fills a child's two stops from the adult's tour.
void CopyAdultTimes(CTour& child, CTour& adult, int home, int returnActivity)
{
    const CStop& out = *adult.GetStopByNumber(1);
    const CStop& back = *adult.GetStopByNumber(adult.GetStopCount());
    child.SetMode(CTourTravel::kDriveAlone);
    child.SetStopCount(2);
    child.CreateStops();
    child.SetDuration(adult.GetDuration());
    CStop& first = *child.GetStopByNumber(1);
    first.SetDepartureTime(out.GetDepartureTime());
    first.SetActivityDuration(out.GetActivityDuration());
    first.SetTravelTime(out.GetTravelTime());
    first.SetActivityType(CJointDiscretionaryTour::kChildActivity);
    first.SetOriginZone(home);
    first.SetZone(out.GetZone());
    first.SetOriginActivityType(CJointDiscretionaryTour::kFromHome);
    CStop& second = *child.GetStopByNumber(2);
    second.SetDepartureTime(back.GetDepartureTime());
    second.SetActivityDuration(back.GetActivityDuration());
    second.SetTravelTime(back.GetTravelTime());
    second.SetActivityType(returnActivity);
    second.SetOriginZone(out.GetZone());
    second.SetZone(home);
    second.SetOriginActivityType(CJointDiscretionaryTour::kChildActivity);
}

}  // namespace

double CJointDiscretionaryTour::ClampStart(double v, double earliest)
{
    return AtLeast(Clamp(std::max(v, earliest), kEarliestDeparture, kLatestDeparture), earliest);
}

bool CJointDiscretionaryTour::BuildAdultTour(CTour& tour, double earliest, const Rules& rules,
                                             CHouseholdObject& household, CModelSystem& models,
                                             CHouseholdCoordinator* simulator)
{
    CPattern& pattern = *tour.GetPattern();
    CCurrentPersonScope current(simulator, pattern.GetPerson());
    const int home = household.GetHomeZone();
    decision_key::Reseed(models, household, 1);
    tour.SetMode(CTourTravel::kDriveAlone);
    tour.SetStopCount(1);
    tour.CreateStops();
    tour.SetWindowLength(schedule_time::kMinutesInDay - earliest);

    const double start = std::floor(ClampStart(std::exp(rules.departure->Predict(&pattern)), earliest));
    const double window = schedule_time::kMinutesInDay - start;
    tour.SetPreTourTime(start - earliest);
    tour.SetWindowLength(window);
    CStop& stop = *tour.GetStopByNumber(1);
    stop.SetDepartureTime(start);
    stop.SetRemainingWindow(window);
    stop.SetActivityType(kAdultActivity);
    stop.SetOriginActivityType(kFromHome);

    const double predictedActivity = schedule_bounds::ExpMinutes(rules.duration->Predict(&tour));
    double activity = std::floor(Clamp(predictedActivity, kShortestActivity, kLongestActivity));
    stop.SetActivityDuration(activity);
    stop.SetTimeLeft(window - activity);

    const double predicted = rules.travel->Predict(&pattern);
    const double trip = std::floor(Clamp(rules.travelFromExp ? schedule_bounds::ExpMinutes(predicted)
                                                             : std::floor(predicted),
                                         kShortestTrip, kLongestTrip));
    stop.SetTravelTime(trip);

    PlaceBuffers& buffers = t_place;
    CInputDataManager& data = *household.GetDataManager();
    CTourTravel::ListPlaceCandidates(data, home, start, static_cast<float>(trip), buffers.candidates);
    buffers.matrix.clear();
    if (!buffers.candidates.empty())
        simulator->ComputeLocationVariables(home, buffers.candidates, rules.location->m_terms.m_variableIds,
                                            buffers.matrix, &stop);
    const int zone = rules.location->Draw(buffers.candidates, buffers.matrix);
    if (zone == -1)
        return false;
    stop.SetOriginZone(home);
    stop.SetZone(zone);

    // Late in the day the activity gives way so that the tour ends by
    // midnight; it never becomes negative.
    if (rules.fitInDay && start + trip + activity > schedule_time::kMinutesInDay) {
        activity = AtLeast(schedule_time::kMinutesInDay - start - 2.0 * trip, 0.0);
        stop.SetActivityDuration(activity);
    }
    const double leave = start + trip + activity;
    double back = trip;
    if (rules.returnByAutoTime)
        back = CTourTravel::ClosingLegTravelTime(data, CTourTravel::kDriveAlone, zone, home, leave,
                                                 stop.GetTimeLeft(), CTourTravel::ClosingLegRules{});
    tour.AppendStop(kBackHome, 0.0, leave, back, zone, home, kAdultActivity);
    tour.GetDuration();
    return true;
}

void CJointDiscretionaryTour::AddChildTours(CTour& adultTour, const Rules& rules, CHouseholdObject& household,
                                            CHouseholdCoordinator* simulator)
{
    auto* withChildren = dynamic_cast<CHouseholdWithChildren*>(simulator);
    if (withChildren == nullptr || withChildren->m_jointDiscretionaryEpisodes.empty())
        return;
    const int home = household.GetHomeZone();
    CInputDataManager* data = household.GetDataManager();
    for (CPersonObject* child : withChildren->m_jointDiscretionaryEpisodes.front().m_children) {
        if (child == nullptr)
            continue;
        // The tour created is the one filled, wherever the pattern puts it.
        CTour* tour = nullptr;
        if (child->GetFlag(0)) {
            CWPattern* pattern = child->GetWPattern();
            if (pattern == nullptr)
                continue;
            auto created = std::make_unique<CWorkerTour>(data, pattern);
            tour = created.get();
            pattern->AddAfterWorkTour(std::move(created));
        } else {
            CNWPattern* pattern = child->GetNWPattern();
            if (pattern == nullptr)
                continue;
            auto created = std::make_unique<CNWorkerTour>(data, pattern);
            tour = created.get();
            pattern->AddTour(std::move(created));
        }
        CopyAdultTimes(*tour, adultTour, home, rules.childReturnActivity);
    }
}
