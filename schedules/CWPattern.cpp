#include "schedules/CWPattern.h"

#include <algorithm>

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "data/CRecordLine.h"
#include "household/CHouseholdCoordinator.h"
#include "household/COutputFileSet.h"
#include "modelsystem/CModelSystem.h"
#include "schedules/CScheduleLine.h"
#include "schedules/CStop.h"
#include "schedules/CWorkerTour.h"

CWPattern::CWPattern(CInputDataManager* manager, CPersonObject* person)
    : CPattern(person), m_pDataManager(manager)
{
    m_tours.resize(kSlotCount);
}

CWPattern::~CWPattern() = default;

// The worker's own tours are drawn by the worker pattern simulation; this
// pattern is complete as the household left it until that step is supplied.
void CWPattern::Simulate(CPersonObject*, CModelSystem*, CHouseholdObject*, CHouseholdCoordinator*) {}

int CWPattern::GetTourCount() const
{
    return m_nBeforeWorkTourCount + m_nWorkBasedTourCount + m_nAfterWorkTourCount + 2;
}

void CWPattern::OnPatternDone() {}

void CWPattern::WriteOutput(int householdId, int personNumber, COutputFileSet& streams)
{
    const CPersonObject* person = m_pPerson;
    if (person == nullptr)
        return;
    const CHouseholdObject* household = person->GetHousehold();

    if (!person->IsChild()) {
        CScheduleLine line(householdId, personNumber);
        line.Double(m_dWorkStart)
            .Double(m_dWorkStart + m_dWorkDuration)
            .Int(m_nBeforeWorkTourCount)
            .Int(m_nWorkBasedTourCount)
            .Int(m_nAfterWorkTourCount);
        line.WriteTo(streams, COutputFileSet::kWorkers);
    } else {
        // Whether the child rides in the household's school drop-off and
        // pick-up episodes; with no household simulator current there are no
        // episodes to ride in.
        CHouseholdCoordinator* simulator = nullptr;
        if (m_pDataManager != nullptr && m_pDataManager->GetModelSystem() != nullptr)
            simulator = m_pDataManager->GetModelSystem()->m_pHousehold;
        const bool inDropOff = simulator != nullptr && simulator->IsInDropOffEpisode(person);
        const bool inPickUp = simulator != nullptr && simulator->IsInPickUpEpisode(person);

        CScheduleLine line(householdId, personNumber);
        line.Double(m_dWorkStart).Double(m_dWorkStart + m_dWorkDuration).Flag(inDropOff).Flag(inPickUp);
        line.WriteTo(streams, COutputFileSet::kChildStudents);
    }

    // Time at home before the day's first departure: the stay before the first
    // before-work tour, or before the commute when there is none.
    const CTour* firstTour = GetTourAt(kFirstBeforeWorkSlot);
    if (firstTour == nullptr)
        firstTour = GetTourAt(kHomeToWorkSlot);
    const int timeAtHome = firstTour != nullptr ? CRecordLine::TruncateToInt(firstTour->GetPreTourTime()) : -1;
    CScheduleLine::AtHome(householdId, personNumber, timeAtHome, household != nullptr ? household->GetHomeZone() : -1)
        .WriteTo(streams, COutputFileSet::kActivity);

    // The tours in the order of the day. A period's count above its three
    // slots writes the three slots only, and an empty slot writes nothing.
    auto writePeriod = [&](int firstSlot, int count) {
        const int written = std::min(count, kToursPerPeriod);
        for (int k = 0; k < written; ++k) {
            if (CTour* tour = GetTourAt(firstSlot + k))
                tour->Write(householdId, personNumber, streams);
        }
    };
    auto writeSlot = [&](int slot) {
        if (CTour* tour = GetTourAt(slot))
            tour->Write(householdId, personNumber, streams);
    };
    writePeriod(kFirstBeforeWorkSlot, m_nBeforeWorkTourCount);
    writeSlot(kHomeToWorkSlot);
    writePeriod(kFirstWorkBasedSlot, m_nWorkBasedTourCount);
    writeSlot(kWorkToHomeSlot);
    writePeriod(kFirstAfterWorkSlot, m_nAfterWorkTourCount);
}

// The worker's joint discretionary tour is built by the joint-tour step; until
// it is supplied the pattern gets no tour here.
void CWPattern::AddJointTour(CHouseholdObject*, CModelSystem*, CHouseholdCoordinator*) {}

// A worker's joint activities become after-work tours in the worker
// simulation with joint activities, not here.
void CWPattern::AddJointActivityTours(CPersonObject*, CHouseholdObject*, CModelSystem*,
                                      CHouseholdCoordinator*)
{
}

// A worker's tours stand in fixed slots and are never reordered.
void CWPattern::SortToursByDeparture() {}

void CWPattern::CreateCommuteTours()
{
    for (int slot : {kWorkToHomeSlot, kHomeToWorkSlot}) {
        auto tour = std::make_unique<CWorkerTour>(m_pDataManager, this);
        tour->SetPosition(slot);
        m_tours[static_cast<std::size_t>(slot)] = std::move(tour);
    }
}

void CWPattern::CreatePeriodTours(int firstSlot, int count)
{
    // Only three slots belong to each period: further tours have no place.
    const int created = std::min(count, kToursPerPeriod);
    for (int k = 1; k <= created; ++k) {
        const int slot = firstSlot + k - 1;
        auto tour = std::make_unique<CWorkerTour>(m_pDataManager, this);
        tour->SetPosition(slot);
        m_tours[static_cast<std::size_t>(slot)] = std::move(tour);
    }
}

void CWPattern::CreateBeforeWorkTours()
{
    CreatePeriodTours(kFirstBeforeWorkSlot, m_nBeforeWorkTourCount);
}

void CWPattern::CreateWorkBasedTours()
{
    CreatePeriodTours(kFirstWorkBasedSlot, m_nWorkBasedTourCount);
}

void CWPattern::CreateAfterWorkTours()
{
    CreatePeriodTours(kFirstAfterWorkSlot, m_nAfterWorkTourCount);
}

void CWPattern::AddAfterWorkTour(std::unique_ptr<CTour> tour)
{
    if (!tour)
        return;
    // With all three after-work slots taken the first one is reused.
    const int index = (m_nAfterWorkTourCount >= 0 && m_nAfterWorkTourCount < kToursPerPeriod)
        ? m_nAfterWorkTourCount
        : 0;
    const int slot = kFirstAfterWorkSlot + index;
    tour->SetPosition(slot);
    m_tours[static_cast<std::size_t>(slot)] = std::move(tour);  // destroys a tour standing there
    m_nAfterWorkTourCount = index + 1;
}

// The commute accessors rely on CreateCommuteTours having filled slots 0 and 1.
// Should a commute be missing, reading it gives the values of an unset tour
// without stops (mode and stop count -1, duration 0.0) and writing it does
// nothing, rather than following an empty slot.

int CWPattern::GetWorkToHomeTourMode() const
{
    const CTour* tour = GetTourAt(kWorkToHomeSlot);
    return tour ? tour->GetMode() : -1;
}

void CWPattern::SetWorkToHomeTourMode(int mode)
{
    if (CTour* tour = GetTourAt(kWorkToHomeSlot))
        tour->SetMode(mode);
}

int CWPattern::GetWorkToHomeStopCount() const
{
    const CTour* tour = GetTourAt(kWorkToHomeSlot);
    return tour ? tour->GetStopCount() : -1;
}

void CWPattern::SetWorkToHomeStopCount(int count)
{
    if (CTour* tour = GetTourAt(kWorkToHomeSlot))
        tour->SetStopCount(count);
}

double CWPattern::GetWorkToHomeDuration()
{
    CTour* tour = GetTourAt(kWorkToHomeSlot);
    return tour ? tour->GetDuration() : 0.0;
}

void CWPattern::SetWorkToHomeDuration(double minutes)
{
    if (CTour* tour = GetTourAt(kWorkToHomeSlot))
        tour->SetDuration(minutes);
}

int CWPattern::GetHomeToWorkTourMode() const
{
    const CTour* tour = GetTourAt(kHomeToWorkSlot);
    return tour ? tour->GetMode() : -1;
}

void CWPattern::SetHomeToWorkTourMode(int mode)
{
    if (CTour* tour = GetTourAt(kHomeToWorkSlot))
        tour->SetMode(mode);
}

int CWPattern::GetHomeToWorkStopCount() const
{
    const CTour* tour = GetTourAt(kHomeToWorkSlot);
    return tour ? tour->GetStopCount() : -1;
}

void CWPattern::SetHomeToWorkStopCount(int count)
{
    if (CTour* tour = GetTourAt(kHomeToWorkSlot))
        tour->SetStopCount(count);
}

double CWPattern::GetHomeToWorkDuration()
{
    CTour* tour = GetTourAt(kHomeToWorkSlot);
    return tour ? tour->GetDuration() : 0.0;
}

void CWPattern::SetHomeToWorkDuration(double minutes)
{
    if (CTour* tour = GetTourAt(kHomeToWorkSlot))
        tour->SetDuration(minutes);
}

double CWPattern::GetArrivalHomeAfterWork()
{
    return m_dWorkStart + m_dWorkDuration + GetWorkToHomeDuration();
}

double CWPattern::GetLeaveHomeForWork()
{
    return m_dWorkStart - GetHomeToWorkDuration();
}

void CWPattern::CreateWorkToHomeStops()
{
    if (CTour* tour = GetTourAt(kWorkToHomeSlot))
        tour->CreateStops();
}

void CWPattern::CreateHomeToWorkStops()
{
    if (CTour* tour = GetTourAt(kHomeToWorkSlot))
        tour->CreateStops();
}

void CWPattern::SetWorkToHomeStopDeparture(int k)
{
    const CTour* tour = GetTourAt(kWorkToHomeSlot);
    if (tour == nullptr)
        return;
    CStop* stop = tour->GetStopByNumber(k);
    if (stop == nullptr)
        return;
    if (k == 1) {
        stop->SetDepartureTime(m_dWorkStart + m_dWorkDuration);
        return;
    }
    const CStop* previous = tour->GetStopByNumber(k - 1);
    stop->SetDepartureTime(previous->GetDepartureTime() + previous->GetActivityDuration()
                           + previous->GetTravelTime());
}
