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

CNWPattern::CNWPattern(CInputDataManager* manager, CPersonObject* person)
    : CPattern(person), m_pDataManager(manager)
{
}

CNWPattern::~CNWPattern() = default;

// The non-worker's own tours are drawn by the non-worker pattern simulation;
// until it is supplied the pattern keeps the tours the household added.
void CNWPattern::Simulate(CPersonObject*, CModelSystem*, CHouseholdObject*, CHouseholdCoordinator*) {}

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

// The joint discretionary tour with the household's children is built by the
// joint-tour step; until it is supplied the pattern gets no tour here.
void CNWPattern::AddJointTour(CHouseholdObject*, CModelSystem*, CHouseholdCoordinator*) {}

// The tours of the person's joint activities are built by the joint-tour
// step; until it is supplied the pattern gets no tour here.
void CNWPattern::AddJointActivityTours(CPersonObject*, CHouseholdObject*, CModelSystem*,
                                       CHouseholdCoordinator*)
{
}

namespace {

// Minute of a tour's first departure: its first stop's departure, or, for a
// tour still without stops, where its window and home stay put it.
double FirstDeparture(const CTour& tour)
{
    if (const CStop* first = tour.GetStopByNumber(1))
        return first->GetDepartureTime();
    return tour.GetWindowStart() + tour.GetPreTourTime();
}

}  // namespace

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
