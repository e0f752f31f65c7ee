#include "schedules/CNWPattern.h"

#include <utility>

#include "schedules/CStop.h"
#include "schedules/CTour.h"

CNWPattern::CNWPattern(CInputDataManager* manager, CPersonObject* person)
    : CPattern(person), m_pDataManager(manager)
{
}

CNWPattern::~CNWPattern() = default;

// The non-worker's own tours are drawn by the non-worker pattern simulation;
// until it is supplied the pattern keeps the tours the household added.
void CNWPattern::Simulate(CPersonObject*, CModelSystem*, CHouseholdObject*, CHouseholdCoordinator*) {}

void CNWPattern::OnPatternDone() {}

// The schedule lines are written by the schedule output step; until it is
// supplied the pattern writes nothing.
void CNWPattern::WriteOutput(int, int, COutputFileSet&) {}

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
