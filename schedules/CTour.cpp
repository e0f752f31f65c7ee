#include "schedules/CTour.h"

#include <cmath>

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
