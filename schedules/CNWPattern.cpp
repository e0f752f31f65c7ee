#include "schedules/CNWPattern.h"

#include <algorithm>
#include <utility>

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "data/CRecordLine.h"
#include "household/COutputFileSet.h"
#include "schedules/CScheduleLine.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/ScheduleTime.h"
#include "household/CCurrentPersonScope.h"
#include "household/DecisionKey.h"
#include "models/CMNLogitMM.h"
#include "models/COrdProbitMM.h"
#include "models/CRegressMM.h"
#include "modelsystem/CModelSystem.h"
#include "schedules/CNWorkerTour.h"
#include "schedules/CTourTravel.h"
#include "schedules/ScheduleBounds.h"

#include <cmath>
#include <cstdint>
#include <memory>

CNWPattern::CNWPattern(CInputDataManager* manager, CPersonObject* person)
    : CPattern(person), m_pDataManager(manager)
{
}

CNWPattern::~CNWPattern() = default;

namespace {

// Per-tour models exist for tours 1 to 4: a day holds at most four tours.
constexpr int kMostTours = CModelSystem::kTourCount;
constexpr int kBackHome = 12;

// Minute of a tour's first departure: its first stop's departure, or, for a
// tour still without stops, where its window and home stay put it.
double FirstDeparture(const CTour& tour)
{
    if (const CStop* first = tour.GetStopByNumber(1))
        return first->GetDepartureTime();
    return tour.GetWindowStart() + tour.GetPreTourTime();
}

}  // namespace

int CNWPattern::ToursToAdd(int drawn, int present)
{
    int n = drawn;
    if (present + n > kMostTours)
        n -= present;
    // A draw of 5 with no tour present would still ask for a fifth tour.
    return std::min(n, kMostTours - present);
}

void CNWPattern::Simulate(CPersonObject* person, CModelSystem* models, CHouseholdObject* household,
                          CHouseholdCoordinator* simulator)
{
    if (!HasOwnActivities(*person))
        return;
    CCurrentPersonScope current(simulator, person);
    const int present = GetTourCount();
    m_nToursBeforeSimulation = present;

    const std::uint32_t pid = decision_key::Pid(*person);
    decision_key::Reseed(*models, *household, 3 * pid);
    const int n = ToursToAdd(models->m_pNumberOfToursNW->Choose(this), present);
    m_nDrawnTourCount = n;

    double available = schedule_time::kMinutesInDay;
    if (!m_tours.empty()) {
        CTour& last = *m_tours.back();
        available = schedule_time::kMinutesInDay - FirstDeparture(last) - last.GetDuration();
    }

    const int homeZone = household->GetHomeZone();
    CTourTravel::ClosingLegRules legRules;
    legRules.walkAtLeastTwo = true;
    for (int k = 1; k <= n; ++k) {
        // No time is left for this tour: it is not made (nor any later one).
        if (!(available > 0.0))
            continue;
        AddTour(std::make_unique<CNWorkerTour>(m_pDataManager, this));
        auto& tour = static_cast<CNWorkerTour&>(*m_tours.back());
        decision_key::Reseed(*models, *household, 3 * pid + static_cast<std::uint32_t>(k) + 1);
        tour.SetWindowLength(available);

        CMNLogitMM& modeModel = models->ModeForTour(k);
        modeModel.ComputeValues(this);
        m_closedModes.clear();
        CTourTravel::CloseCarModesForNonDriver(*person, m_closedModes);
        if (!CTourTravel::TransitAvailable(*m_pDataManager, homeZone, tour.GetWindowStart()))
            m_closedModes.push_back(CTourTravel::kTransit);
        modeModel.SetUnavailable(m_closedModes);
        const int drawnMode = modeModel.Draw();
        tour.SetMode(drawnMode);

        // The count is drawn whatever the mode, so the stream does not depend on it.
        int stops = models->NumberOfStopsInTour(k).Choose(&tour);
        if (drawnMode == CTourTravel::kTransit)
            stops = 1;
        tour.SetStopCount(stops);
        tour.CreateStops();
        tour.SetSlack(available);

        double stay = schedule_bounds::ExpMinutes(models->HomeStayDurationBeforeTour(k).Predict(&tour));
        stay = tour.ClampHomeStay(stay, n);
        stay = std::floor(tour.ClampHomeStay(stay, n));
        tour.SetPreTourTime(stay);
        tour.SetWindowLength(available - stay);

        for (int j = 1; j <= stops; ++j) {
            tour.SetStopWindow(j);
            tour.SetStopDeparture(j);
            decision_key::Reseed(*models, *household,
                                 pid + static_cast<std::uint32_t>(k) + static_cast<std::uint32_t>(j));
            tour.GetStopByNumber(j)->Generate(person, models, household, simulator);
        }

        const CStop* last = tour.GetStopByNumber(stops);
        if (last == nullptr)
            continue;
        const double leave = last->GetDepartureTime() + last->GetTravelTime() + last->GetActivityDuration();
        // The drawn mode sets the return, even when a stop switched the tour from transit.
        const double travel = CTourTravel::ClosingLegTravelTime(*m_pDataManager, drawnMode, last->GetZone(), homeZone,
                                                                leave, last->GetTimeLeft(), legRules);
        tour.AppendStop(kBackHome, 0.0, leave, travel, last->GetZone(), homeZone, last->GetActivityType());
        available = schedule_time::kMinutesInDay - (travel + leave);
        tour.GetDuration();
    }
}

void CNWPattern::OnPatternDone() {}

void CNWPattern::WriteOutput(int householdId, int personNumber, COutputFileSet& streams)
{
    const CPersonObject* person = m_pPerson;
    if (person == nullptr)
        return;
    const CHouseholdObject* household = person->GetHousehold();

    // A child who neither works nor goes to school has no non-workers line;
    // its activity and tour lines are written all the same.
    if (!person->IsChild()) {
        CScheduleLine line(householdId, personNumber);
        line.Int(GetTourCount());
        line.WriteTo(streams, COutputFileSet::kNonWorkers);
    }

    // Time at home before the day's first departure: the whole day without
    // tours; otherwise, tour by tour, a tour whose window starts before the
    // value found so far replaces it with the minute its home stay ends.
    int timeAtHome = static_cast<int>(schedule_time::kMinutesInDay);
    if (GetTourCount() != 0) {
        for (const auto& tour : m_tours) {
            if (tour && timeAtHome > tour->GetWindowStart())
                timeAtHome = CRecordLine::TruncateToInt(tour->GetWindowStart() + tour->GetPreTourTime());
        }
    }
    CScheduleLine::AtHome(householdId, personNumber, timeAtHome, household != nullptr ? household->GetHomeZone() : -1)
        .WriteTo(streams, COutputFileSet::kActivity);

    // The tours in order, first to the tour count.
    const int written = std::min(m_nTourCount, static_cast<int>(m_tours.size()));
    for (int i = 0; i < written; ++i) {
        if (CTour* tour = m_tours[static_cast<std::size_t>(i)].get())
            tour->Write(householdId, personNumber, streams);
    }
}

void CNWPattern::SortToursByDeparture()
{
    const std::size_t size = m_tours.size();
    for (std::size_t i = 0; i + 1 < size; ++i) {
        for (std::size_t j = i + 1; j < size; ++j) {
            CTour& earlier = *m_tours[i];
            CTour& later = *m_tours[j];
            if (FirstDeparture(earlier) > FirstDeparture(later)) {
                const int position = earlier.GetPosition();
                earlier.SetPosition(later.GetPosition());
                later.SetPosition(position);
                std::swap(m_tours[i], m_tours[j]);
            }
        }
    }
}

void CNWPattern::RemoveLastTour()
{
    if (m_tours.empty())
        return;
    m_tours.pop_back();
    --m_nTourCount;
}

CTour* CNWPattern::GetNthTour(int k) const
{
    return GetTourByNumber(k);
}

void CNWPattern::AddTour(std::unique_ptr<CTour> tour)
{
    if (!tour)
        return;
    ++m_nTourCount;
    if (m_tours.empty()) {
        tour->SetWindowStart(0.0);
    } else {
        CTour& last = *m_tours.back();
        tour->SetWindowStart(last.GetWindowStart() + last.GetPreTourTime() + last.GetDuration());
    }
    tour->SetPosition(static_cast<int>(m_tours.size()) + 1);
    m_tours.push_back(std::move(tour));
}
