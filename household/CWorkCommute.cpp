#include "household/CWorkCommute.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "data/LOSColumns.h"
#include "household/CCurrentPersonScope.h"
#include "household/CHouseholdCoordinator.h"
#include "household/CJointActivityRecord.h"
#include "household/DecisionKey.h"
#include "models/CMNLogitMM.h"
#include "models/COrdProbitMM.h"
#include "modelsystem/CModelSystem.h"
#include "schedules/CPattern.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/CTourTravel.h"
#include "schedules/CWPattern.h"
#include "schedules/ScheduleBounds.h"
#include "schedules/ScheduleTime.h"

namespace {

constexpr double kShortestLeg = 2.0;
constexpr double kShareOfTimeLeft = 0.95;
// Walking or cycling is closed beyond this distance to work.
constexpr double kLongestWalkDistance = 10.0;
// A joint activity this close after the arrival from work is reached directly.
constexpr double kDirectSlack = 15.0;
// Without own activities a worker with more than this before the joint
// activity goes home first.
constexpr double kGoHomeFirstSlack = 120.0;
// Minutes at the school to drop off or pick up the children.
constexpr double kEscortStop = 5.0;

// Activity codes.
constexpr int kDropOffAtSchool = 10;
constexpr int kPickUpAtSchool = 11;
constexpr int kBackHome = 12;
constexpr int kBackAtWork = 13;
constexpr int kChildRideHome = 14;
constexpr int kChildRideToSchool = 15;
constexpr int kAtWork = 17;
constexpr int kAtHome = 18;
constexpr int kAtSchool = 19;

int SchoolZone(const CPersonObject& person)
{
    return std::max(person.GetValue6(), person.GetValue52());
}

bool ByWalkOrTransit(int mode)
{
    return mode == CTourTravel::kWalk || mode == CTourTravel::kTransit;
}

// Where a tour's last stop ends: its departure + travel time + activity
// duration, its zone and its activity.
struct LegOrigin {
    double time;
    int zone;
    int activity;
};

LegOrigin EndOfLastStop(const CTour& tour, const LegOrigin& withoutStops)
{
    const CStop* last = tour.GetStopByNumber(static_cast<int>(tour.GetStops().size()));
    if (last == nullptr)
        return withoutStops;
    return {last->GetDepartureTime() + last->GetTravelTime() + last->GetActivityDuration(), last->GetZone(),
            last->GetActivityType()};
}

// Fills a stop that the commute sets in full (escort stops).
void FillStop(CStop& stop, int activity, double duration, double departure, double travel, int originZone, int zone,
              int originActivity)
{
    stop.SetActivityType(activity);
    stop.SetActivityDuration(duration);
    stop.SetDepartureTime(departure);
    stop.SetTravelTime(travel);
    stop.SetOriginZone(originZone);
    stop.SetZone(zone);
    stop.SetOriginActivityType(originActivity);
    stop.SetRemainingWindow(schedule_time::kMinutesInDay - departure);
    stop.SetTimeLeft(schedule_time::kMinutesInDay - departure - duration);
}

}  // namespace

CWorkCommute::CWorkCommute(CHouseholdCoordinator& simulator)
    : m_simulator(simulator),
      m_models(*simulator.GetModelSystem()),
      m_data(*simulator.GetDataManager()),
      m_destination(1)
{
}

int CWorkCommute::WorkZoneRule1(const CPersonObject& person)
{
    return person.GetFlag(1) ? SchoolZone(person) : person.GetActivityZone();
}

int CWorkCommute::WorkZoneRule2(const CPersonObject& person)
{
    const double employed = person.GetValue2();
    const bool student = person.GetFlag(1);
    if ((employed != 0.0 && employed != 1.0) || (employed != 0.0 && student))
        return WorkZoneRule1(person);
    return employed != 0.0 ? person.GetActivityZone() : (student ? SchoolZone(person) : 0);
}

int CWorkCommute::WorkZoneRule3(const CPersonObject& person)
{
    return person.GetValue3() == 0.0 ? person.GetActivityZone() : SchoolZone(person);
}

double CWorkCommute::Los(int column, double time, int origin, int destination)
{
    m_destination[0] = destination;
    m_data.GetLOS(m_values, column, time, origin, m_destination);
    return m_values.empty() ? 0.0 : m_values.front();
}

double CWorkCommute::TravelTime(int origin, int destination, int mode, double time)
{
    m_destination[0] = destination;
    return m_simulator.GetTravelTime(origin, m_destination, mode, time);
}

double CWorkCommute::DirectLegTime(int mode, int origin, int destination, double time)
{
    switch (mode) {
        case CTourTravel::kWalk: {
            double distance = 0.0;
            m_data.GetZone2Zone(distance, LOSColumns::kDistance, origin, destination);
            return CTourTravel::WalkMinutes(distance);
        }
        case CTourTravel::kDriveAlone:
        case CTourTravel::kPassenger:
        case CTourTravel::kDriveWithPassenger:
            return std::floor(Los(LOSColumns::kAutoTime, time, origin, destination));
        case CTourTravel::kTransit:
            return std::floor(Los(LOSColumns::kTransitInVehicleTime, time, origin, destination));
        default:
            // No level-of-service column serves this mode: the shortest leg.
            return kShortestLeg;
    }
}

void CWorkCommute::SimulateWorkToHome(CPersonObject& person, CHouseholdObject& household)
{
    CWPattern* pattern = person.GetWPattern();
    if (pattern == nullptr)
        return;
    CCurrentPersonScope current(&m_simulator, &person);
    const int home = household.GetHomeZone();
    const double workStart = pattern->GetWorkStart();
    const double workEnd = workStart + pattern->GetWorkDuration();

    // The last joint activity the person reaches on their own.
    CJointActivityRecord* joint = nullptr;
    for (CJointActivityRecord& record : household.m_jointActivities) {
        if (record.TravelsApart(person))
            joint = &record;
    }

    CMNLogitMM& modeModel = *m_models.m_pWHCommuteMode;
    modeModel.ComputeValues(pattern);
    m_closedModes.clear();
    double distance = 0.0;
    m_data.GetZone2Zone(distance, LOSColumns::kDistance, joint != nullptr ? joint->m_nZone : home,
                        WorkZoneRule2(person));
    if (distance > kLongestWalkDistance)
        m_closedModes.push_back(CTourTravel::kWalk);
    const int activityZone = person.GetActivityZone();
    if (Los(LOSColumns::kTransitAvailable, workStart, home, activityZone) != 1.0
        || Los(LOSColumns::kTransitAvailable, workEnd, activityZone, home) != 1.0)
        m_closedModes.push_back(CTourTravel::kTransit);
    CTourTravel::CloseCarModesForNonDriver(person, m_closedModes);
    modeModel.SetUnavailable(m_closedModes);
    decision_key::Reseed(m_models, household, 3 * decision_key::Pid(person));
    const int mode = modeModel.Draw();
    pattern->SetWorkToHomeTourMode(mode);

    if (joint == nullptr) {
        SimulateWorkToHomeStops(person, household);
        return;
    }

    CTour& commute = *pattern->GetTourAt(CWPattern::kWorkToHomeSlot);
    const int work = WorkZoneRule3(person);
    const double jointEnd = joint->m_dStartTime + joint->m_dDuration;
    double toJoint = TravelTime(work, joint->m_nZone, mode, workEnd);

    // Straight from work to the joint activity, then home. The person leaves
    // the activity at its end, or on arrival when arriving after it ended.
    auto direct = [&] {
        const double back = TravelTime(joint->m_nZone, home, mode, workEnd);
        const double arrival = workEnd + toJoint;
        const double leave = std::max(jointEnd, arrival);
        pattern->SetWorkToHomeDuration(leave + back - workEnd);
        commute.SetStopCount(0);
        commute.AppendStop(joint->m_nActivityType, leave - arrival, workEnd, toJoint, work, joint->m_nZone, kAtWork);
        commute.AppendStop(kBackHome, 0.0, leave, back, joint->m_nZone, home, joint->m_nActivityType);
        commute.SetJointRecordIndex(joint->m_nId);
        commute.SetJointTravelCode(0);
    };

    if (joint->m_dStartTime - (workEnd + toJoint) <= kDirectSlack) {
        direct();
    } else if (!CPattern::HasOwnActivities(person)) {
        double toHome = TravelTime(work, home, mode, workEnd);
        const double fromHome = TravelTime(home, joint->m_nZone, CTourTravel::kPassenger, workEnd);
        if (joint->m_dStartTime - (toJoint + workEnd) <= kGoHomeFirstSlack
            || joint->m_dStartTime - workEnd - toHome - fromHome <= 0.0) {
            direct();
        } else {
            // Home first: the person joins the others on the joint tour.
            joint->SetPersonMark(person, 1);
            joint->SetTravelsApart(person, false);
            pattern->SetWorkToHomeDuration(toHome);
            pattern->SetWorkToHomeStopCount(0);
            const double latest = schedule_time::kMinutesInDay - (workStart + pattern->GetWorkToHomeDuration());
            if (toHome > latest)
                toHome = latest;
            commute.AppendStop(kBackHome, 0.0, workEnd, toHome, work, home, kAtWork);
            pattern->SetWorkToHomeDuration(toHome);
        }
    } else {
        // Own stops on the way, as long as they leave time to reach the joint
        // activity by its start. The stream goes on from the mode draw.
        const int stops = m_models.m_pWHNumberOfStops->Choose(pattern) - 1;
        pattern->SetWorkToHomeStopCount(stops);
        commute.SetJointRecordIndex(joint->m_nId);
        commute.SetJointTravelCode(0);
        commute.CreateStops();
        if (stops > 0) {
            commute.SetWindowLength(joint->m_dStartTime - workEnd);
            for (int k = 1; k <= stops; ++k) {
                commute.SetStopWindow(k);
                pattern->SetWorkToHomeStopDeparture(k);
                CStop& stop = *commute.GetStopByNumber(k);
                stop.Generate(&person, &m_models, &household, &m_simulator);
                const double end = stop.GetDepartureTime() + stop.GetTravelTime() + stop.GetActivityDuration();
                if (end + TravelTime(stop.GetZone(), joint->m_nZone, mode, end) > joint->m_dStartTime) {
                    commute.SetStopCount(k - 1);
                    break;
                }
            }
            commute.TrimStops();
        }
        const LegOrigin from = EndOfLastStop(commute, {workEnd, work, kAtWork});
        toJoint = TravelTime(from.zone, joint->m_nZone, mode, from.time);
        const double back = TravelTime(joint->m_nZone, home, mode, from.time + toJoint);
        const double arrival = from.time + toJoint;
        const double leave = std::max(jointEnd, arrival);
        pattern->SetWorkToHomeDuration(leave + back - workEnd);
        commute.AppendStop(joint->m_nActivityType, leave - arrival, from.time, toJoint, from.zone, joint->m_nZone,
                           from.activity);
        commute.AppendStop(kBackHome, -1.0, leave, back, joint->m_nZone, home, joint->m_nActivityType);
    }
    commute.SetPreTourTime(pattern->GetWorkDuration());
    commute.SetWindowStart(workStart);
}

void CWorkCommute::SimulateWorkToHomeStops(CPersonObject& person, CHouseholdObject& household)
{
    CWPattern* pattern = person.GetWPattern();
    if (pattern == nullptr)
        return;
    CCurrentPersonScope current(&m_simulator, &person);
    CTour& commute = *pattern->GetTourAt(CWPattern::kWorkToHomeSlot);
    const int home = household.GetHomeZone();
    const int work = WorkZoneRule1(person);
    const double workStart = pattern->GetWorkStart();
    const double workEnd = workStart + pattern->GetWorkDuration();
    const int mode = pattern->GetWorkToHomeTourMode();

    // The stops end in time for the person's earliest joint activity.
    double available = schedule_time::kMinutesInDay;
    const CJointActivityRecord* earliest = nullptr;
    for (const CJointActivityRecord& record : household.m_jointActivities) {
        if (record.IsParticipant(person) && (earliest == nullptr || record.m_dStartTime < earliest->m_dStartTime))
            earliest = &record;
    }
    if (earliest != nullptr)
        available = earliest->m_dStartTime - Los(LOSColumns::kAutoTime, workEnd, home, earliest->m_nZone);

    if (!CPattern::HasOwnActivities(person) || ByWalkOrTransit(mode)) {
        pattern->SetWorkToHomeStopCount(0);
        double travel = DirectLegTime(mode, work, home, workEnd);
        const double latest = schedule_time::kMinutesInDay - (workStart + pattern->GetWorkToHomeDuration());
        if (travel > latest)
            travel = latest;
        travel = schedule_bounds::AtLeast(travel, kShortestLeg);
        commute.AppendStop(kBackHome, 0.0, workEnd, travel, work, home, kAtWork);
        pattern->SetWorkToHomeDuration(travel);
    } else {
        decision_key::Reseed(m_models, household, 2 * decision_key::Pid(person) + 1);
        const int stops = m_models.m_pWHNumberOfStops->Choose(pattern) - 1;
        pattern->SetWorkToHomeStopCount(stops);
        commute.CreateStops();
        if (stops > 0) {
            commute.SetWindowLength(available - workEnd);
            for (int k = 1; k <= stops; ++k) {
                commute.SetStopWindow(k);
                pattern->SetWorkToHomeStopDeparture(k);
                commute.GetStopByNumber(k)->Generate(&person, &m_models, &household, &m_simulator);
            }
        }
        const LegOrigin from = EndOfLastStop(commute, {workEnd, work, kAtWork});
        double travel = schedule_bounds::AtLeast(DirectLegTime(mode, from.zone, home, from.time), kShortestLeg);
        if (const CStop* last = commute.GetStopByNumber(stops); last != nullptr && stops > 0) {
            if (travel > last->GetTimeLeft())
                travel = schedule_bounds::ShareOfTimeLeft(kShareOfTimeLeft, last->GetTimeLeft());
        } else {
            travel = std::min(travel, schedule_time::kMinutesInDay - (workStart + pattern->GetWorkToHomeDuration()));
        }
        commute.AppendStop(kBackHome, -1.0, from.time, travel, from.zone, home, from.activity);
        pattern->SetWorkToHomeDuration(std::floor(travel) + from.time - workEnd);
    }
    commute.SetPreTourTime(pattern->GetWorkDuration());
    commute.SetWindowStart(workStart);
}

void CWorkCommute::SimulateHomeToWork(CPersonObject& person, CHouseholdObject& household)
{
    CWPattern* pattern = person.GetWPattern();
    if (pattern == nullptr)
        return;
    CCurrentPersonScope current(&m_simulator, &person);
    CTour& commute = *pattern->GetTourAt(CWPattern::kHomeToWorkSlot);
    const int home = household.GetHomeZone();
    const int work = WorkZoneRule1(person);
    const double workStart = pattern->GetWorkStart();
    const int mode = pattern->GetWorkToHomeTourMode();

    if (CPattern::HasOwnActivities(person) && !ByWalkOrTransit(mode)) {
        decision_key::Reseed(m_models, household, 2 * decision_key::Pid(person) + 2);
        const int stops = m_models.m_pHWNumberOfStops->Choose(pattern) - 1;
        pattern->SetHomeToWorkStopCount(stops);
        commute.SetMode(mode);
        commute.CreateStops();
        commute.SetWindowLength(workStart);
        commute.SetWindowStart(0.0);
        // The stops are generated as if leaving at the work start, then put
        // in place backwards from the arrival at work.
        for (int k = 1; k <= stops; ++k) {
            commute.SetStopWindow(k);
            CStop& stop = *commute.GetStopByNumber(k);
            stop.SetDepartureTime(workStart);
            stop.Generate(&person, &m_models, &household, &m_simulator);
        }
        const LegOrigin from = EndOfLastStop(commute, {workStart, home, kAtHome});
        double travel = std::floor(schedule_bounds::AtLeast(Los(LOSColumns::kAutoTime, from.time, from.zone, work),
                                                            kShortestLeg));
        const CStop* last = stops > 0 ? commute.GetStopByNumber(stops) : nullptr;
        if (last == nullptr)
            travel = std::min(travel, workStart);
        else if (travel > last->GetTimeLeft())
            travel = schedule_bounds::ShareOfTimeLeft(kShareOfTimeLeft, last->GetTimeLeft());
        commute.AppendStop(kBackAtWork, 0.0, workStart - travel, travel, from.zone, work, from.activity);
        const int held = static_cast<int>(commute.GetStops().size());
        for (int j = held - 1; j >= 1; --j) {
            CStop& stop = *commute.GetStopByNumber(j);
            stop.SetDepartureTime(commute.GetStopByNumber(j + 1)->GetDepartureTime() - stop.GetTravelTime()
                                  - stop.GetActivityDuration());
        }
        pattern->SetHomeToWorkDuration(held == 1 ? travel : workStart - commute.GetStopByNumber(1)->GetDepartureTime());
        return;
    }

    pattern->SetHomeToWorkStopCount(0);
    commute.SetMode(mode);
    // At least the shortest leg, yet never leaving before the day starts.
    double travel = schedule_bounds::AtLeast(DirectLegTime(mode, home, work, workStart), kShortestLeg);
    travel = std::min(travel, std::max(workStart, 0.0));
    commute.AppendStop(kBackAtWork, -1.0, workStart - travel, travel, home, work, kAtHome);
    pattern->SetHomeToWorkDuration(travel);
    commute.SetWindowLength(workStart);
    commute.SetWindowStart(0.0);
    commute.SetPreTourTime(workStart - travel);
}

void CWorkCommute::SimulateWorkToHomeWithChildren(CPersonObject& person, CHouseholdObject& household,
                                                  const EpisodeList& dropOffs, const EpisodeList& pickUps)
{
    const bool dropsOff = !dropOffs.empty() && dropOffs.front().m_pAdult == &person;
    const bool picksUp = !pickUps.empty() && pickUps.front().m_pAdult == &person;
    CWPattern* pattern = person.GetWPattern();
    if ((!dropsOff && !picksUp) || pattern == nullptr) {
        SimulateWorkToHome(person, household);
        return;
    }
    pattern->SetWorkToHomeTourMode(CTourTravel::kDriveAlone);
    pattern->SetHomeToWorkTourMode(CTourTravel::kDriveAlone);

    if (!picksUp) {
        const bool travelsApart =
            std::any_of(household.m_jointActivities.begin(), household.m_jointActivities.end(),
                        [&](const CJointActivityRecord& record) { return record.TravelsApart(person); });
        if (travelsApart)
            SimulateWorkToHome(person, household);
        else
            SimulateWorkToHomeStops(person, household);
        return;
    }

    // The pick-up takes the person home: a joint activity the person was to
    // reach on their own is reached from home with the others.
    for (CJointActivityRecord& record : household.m_jointActivities) {
        if (record.TravelsApart(person)) {
            record.SetPersonMark(person, 1);
            record.SetTravelsApart(person, false);
        }
    }
    SimulatePickUpWorkToHome(person, household, pickUps.front());
}

void CWorkCommute::SimulatePickUpWorkToHome(CPersonObject& person, CHouseholdObject& household,
                                            const CEpisodeRecord& pickUp)
{
    CWPattern& pattern = *person.GetWPattern();
    CTour& commute = *pattern.GetTourAt(CWPattern::kWorkToHomeSlot);
    const int home = household.GetHomeZone();
    const double workEnd = pattern.GetWorkStart() + pattern.GetWorkDuration();
    // A person still at work at the pick-up time collects the children on
    // leaving work (never a negative leg).
    const double pickUpTime = std::max(pickUp.m_time, workEnd);
    const double leaveSchool = pickUpTime + kEscortStop;

    pattern.SetWorkToHomeStopCount(1);
    pattern.CreateWorkToHomeStops();
    FillStop(*commute.GetStopByNumber(1), kPickUpAtSchool, kEscortStop, workEnd, pickUpTime - workEnd,
             person.GetActivityZone(), pickUp.m_zone, kAtWork);
    commute.SetPreTourTime(pattern.GetWorkDuration());
    const double back =
        std::floor(schedule_bounds::AtLeast(Los(LOSColumns::kAutoTime, leaveSchool, pickUp.m_zone, home), kShortestLeg));
    pattern.SetWorkToHomeDuration(leaveSchool + back - workEnd);
    commute.AppendStop(kBackHome, 0.0, leaveSchool, back, pickUp.m_zone, home, kPickUpAtSchool);

    for (CPersonObject* child : pickUp.m_children) {
        CWPattern* childPattern = child != nullptr ? child->GetWPattern() : nullptr;
        if (childPattern == nullptr)
            continue;
        childPattern->SetWorkToHomeStopCount(1);
        childPattern->CreateWorkToHomeStops();
        childPattern->SetWorkToHomeDuration(back);
        CTour& ride = *childPattern->GetTourAt(CWPattern::kWorkToHomeSlot);
        FillStop(*ride.GetStopByNumber(1), kChildRideHome, 0.0, leaveSchool, childPattern->GetWorkToHomeDuration(),
                 pickUp.m_zone, home, kAtSchool);
        ride.SetPreTourTime(childPattern->GetWorkDuration());
    }
}

void CWorkCommute::SimulateHomeToWorkWithChildren(CPersonObject& person, CHouseholdObject& household,
                                                  const EpisodeList& dropOffs)
{
    if (dropOffs.empty() || dropOffs.front().m_pAdult != &person || person.GetWPattern() == nullptr) {
        SimulateHomeToWork(person, household);
        return;
    }
    SimulateDropOffHomeToWork(person, household, dropOffs.front());
}

void CWorkCommute::SimulateDropOffHomeToWork(CPersonObject& person, CHouseholdObject& household,
                                             const CEpisodeRecord& dropOff)
{
    CWPattern& pattern = *person.GetWPattern();
    CTour& commute = *pattern.GetTourAt(CWPattern::kHomeToWorkSlot);
    const int home = household.GetHomeZone();
    const double workStart = pattern.GetWorkStart();

    pattern.SetHomeToWorkStopCount(1);
    pattern.SetHomeToWorkTourMode(CTourTravel::kDriveAlone);
    pattern.CreateHomeToWorkStops();
    const double toSchool =
        std::floor(schedule_bounds::AtLeast(Los(LOSColumns::kAutoTime, dropOff.m_time, home, dropOff.m_zone), kShortestLeg));
    const double leaveHome = dropOff.m_time - toSchool;
    FillStop(*commute.GetStopByNumber(1), kDropOffAtSchool, kEscortStop, leaveHome, toSchool, home, dropOff.m_zone,
             kAtHome);
    const double rest = std::max(0.0, workStart - dropOff.m_time - kEscortStop);
    pattern.SetHomeToWorkDuration(toSchool + kEscortStop + rest);
    commute.SetPreTourTime(leaveHome);
    commute.AppendStop(kBackAtWork, 0.0, dropOff.m_time + kEscortStop, rest, dropOff.m_zone, person.GetActivityZone(),
                       kDropOffAtSchool);

    for (CPersonObject* child : dropOff.m_children) {
        CWPattern* childPattern = child != nullptr ? child->GetWPattern() : nullptr;
        if (childPattern == nullptr)
            continue;
        childPattern->SetHomeToWorkStopCount(1);
        childPattern->CreateHomeToWorkStops();
        childPattern->SetHomeToWorkDuration(toSchool);
        CTour& ride = *childPattern->GetTourAt(CWPattern::kHomeToWorkSlot);
        FillStop(*ride.GetStopByNumber(1), kChildRideToSchool, childPattern->GetWorkDuration(), leaveHome,
                 childPattern->GetHomeToWorkDuration(), home, dropOff.m_zone, kAtHome);
        ride.SetPreTourTime(leaveHome);
    }
}
