#include "schedules/CTour.h"

#include <cmath>

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "household/CJointActivityRecord.h"
#include "household/COutputFileSet.h"
#include "schedules/CPattern.h"
#include "schedules/CScheduleLine.h"
#include "schedules/CStop.h"
#include "schedules/ScheduleTime.h"

CTour::CTour(CInputDataManager* manager, CPattern* pattern)
    : m_pDataManager(manager), m_pPattern(pattern)
{
}

CTour::~CTour() = default;

CStop* CTour::GetStopByNumber(int k) const
{
    return GetStopAt(k - 1);
}

CStop* CTour::GetStopAt(int i) const
{
    if (i < 0 || i >= static_cast<int>(m_stops.size()))
        return nullptr;
    return m_stops[static_cast<std::size_t>(i)].get();
}

void CTour::SetStopWindow(int k)
{
    CStop* stop = GetStopByNumber(k);
    if (stop == nullptr)
        return;
    if (k == 1) {
        stop->SetRemainingWindow(m_dWindowLength);
        return;
    }
    const CStop* previous = GetStopByNumber(k - 1);
    stop->SetRemainingWindow(previous->GetRemainingWindow() - previous->GetActivityDuration()
                             - previous->GetTravelTime());
}

void CTour::SetStopDeparture(int k)
{
    CStop* stop = GetStopByNumber(k);
    if (stop == nullptr)
        return;
    if (k == 1) {
        stop->SetDepartureTime(m_dWindowStart + m_dPreTourTime);
        return;
    }
    const CStop* previous = GetStopByNumber(k - 1);
    stop->SetDepartureTime(previous->GetDepartureTime() + previous->GetActivityDuration()
                           + previous->GetTravelTime());
}

double CTour::GetDuration()
{
    // A duration set by a model, or computed once, is never recomputed.
    if (m_dDuration >= 0.0)
        return m_dDuration;
    if (m_stops.empty())
        return 0.0;
    const CStop& first = *m_stops.front();
    const CStop& last = *m_stops.back();
    m_dDuration = last.GetDepartureTime() + last.GetTravelTime() - first.GetDepartureTime();
    return m_dDuration;
}

double CTour::GetArrival() const
{
    if (m_stops.empty())
        return -1.0;
    const CStop& last = *m_stops.back();
    return last.GetDepartureTime() + last.GetTravelTime();
}

void CTour::TrimStops()
{
    while (!m_stops.empty() && static_cast<long long>(m_stops.size()) > m_nStopCount)
        m_stops.pop_back();
}

void CTour::AppendFilledStop(std::unique_ptr<CStop> stop, int activityType, double activityDuration,
                             double departure, double travelTime, int originZone, int zone,
                             int originActivityType)
{
    // A count never set (-1) stands for no stops yet, so the appended stop is
    // stop 1 and the count matches the stops held.
    if (m_nStopCount < 0)
        m_nStopCount = 0;
    ++m_nStopCount;
    stop->SetStopNumber(m_nStopCount);
    stop->SetActivityType(activityType);
    stop->SetOriginZone(originZone);
    stop->SetZone(zone);
    stop->SetOriginActivityType(originActivityType);

    // A negative duration means the rest of the day, counted from the
    // unfloored arrival.
    const double duration = activityDuration < 0.0
        ? std::floor(schedule_time::kMinutesInDay - departure - travelTime)
        : std::floor(activityDuration);
    const double flooredDeparture = std::floor(departure);
    stop->SetActivityDuration(duration);
    stop->SetDepartureTime(flooredDeparture);
    stop->SetTravelTime(std::floor(travelTime));

    const double remainingWindow = schedule_time::kMinutesInDay - flooredDeparture;
    stop->SetRemainingWindow(remainingWindow);
    stop->SetTimeLeft(remainingWindow - duration);

    m_stops.push_back(std::move(stop));
}

namespace {

// Tour modes that bear on the vehicle or escort id.
constexpr int kDriveAloneMode = 0;
constexpr int kEscortMode = 4;
constexpr int kDriveWithPassengerMode = 7;
// A joint activity's vehicle of this value leaves the tour's id as it is.
constexpr int kJointVehicleKeepsId = -2;

}  // namespace

int CTour::SettleVehicleOrEscortId()
{
    const CPersonObject* person = m_pPattern != nullptr ? m_pPattern->GetPerson() : nullptr;
    const int personVehicle = person != nullptr ? person->m_nVehicle : -1;

    int id = -1;
    if (m_nMode == kDriveAloneMode || m_nMode == kDriveWithPassengerMode)
        id = personVehicle == -1 ? 0 : personVehicle;
    if (m_nMode == kEscortMode)
        id = m_nEscortOrVehicleId;

    // A joint tour uses the vehicle chosen for its joint activity. An index
    // that names no record of the household leaves the tour as it is.
    if (m_nJointRecordIndex > 0 && person != nullptr) {
        const CHouseholdObject* household = person->GetHousehold();
        const CJointActivityRecord* record =
            household != nullptr ? household->GetJointActivityRecord(m_nJointRecordIndex) : nullptr;
        if (record != nullptr) {
            if (record->m_nVehicle == personVehicle && personVehicle != -1)
                m_nMode = kDriveWithPassengerMode;
            if (record->m_nVehicle != kJointVehicleKeepsId)
                id = record->m_nVehicle;
        }
    }
    return id;
}

void CTour::Write(int householdId, int personNumber, COutputFileSet& streams)
{
    const int id = SettleVehicleOrEscortId();

    CScheduleLine line(householdId, personNumber);
    line.Int(m_nPosition)
        .Floored(m_dPreTourTime)
        .Int(m_nMode)
        .Floored(m_dDuration)
        .Int(m_nStopCount)
        .Int(m_nJointRecordIndex)
        .Int(m_nJointTravelCode)
        .Int(id);
    line.WriteTo(streams, COutputFileSet::kTours);

    // Stops 1 to the stop count, as far as the tour holds them.
    const int held = static_cast<int>(m_stops.size());
    const int written = m_nStopCount < held ? m_nStopCount : held;
    for (int i = 0; i < written; ++i) {
        if (const CStop* stop = m_stops[static_cast<std::size_t>(i)].get())
            stop->Write(householdId, personNumber, m_nPosition, streams);
    }
}
