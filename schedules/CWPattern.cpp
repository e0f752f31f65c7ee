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
#include "household/CCurrentPersonScope.h"
#include "household/DecisionKey.h"
#include "models/CMNLogitMM.h"
#include "models/COrdProbitMM.h"
#include "models/CRegressMM.h"
#include "schedules/CTourTravel.h"
#include "schedules/ScheduleBounds.h"
#include "schedules/ScheduleTime.h"

#include <cmath>
#include <cstdint>
#include <vector>

CWPattern::CWPattern(CInputDataManager* manager, CPersonObject* person)
    : CPattern(person), m_pDataManager(manager)
{
    m_tours.resize(kSlotCount);
}

CWPattern::~CWPattern() = default;

namespace {

// Activity codes of the closing legs and of a stop's origin.
constexpr int kBackHome = 12;
constexpr int kBackAtWork = 13;
constexpr int kChildBackHome = 14;
// The latest departure of an after-work closing leg with capped departures.
constexpr double kLatestClosingDeparture = 1439.0;
// A before-work tour with this many minutes or fewer left gets one stop.
constexpr double kShortBeforeWorkWindow = 50.0;
// Offsets of the count and tour keys of each period: hid + 3 x pid + offset,
// and hid + 3 x pid + k + offset for tour k.
constexpr std::uint32_t kAfterWorkKey = 1;
constexpr std::uint32_t kWorkBasedKey = 2;
constexpr std::uint32_t kBeforeWorkKey = 3;

}  // namespace

void CWPattern::Simulate(CPersonObject* person, CModelSystem* models, CHouseholdObject* household,
                         CHouseholdCoordinator* simulator)
{
    if (m_nAfterWorkTourCount > 0)
        m_bAfterWorkToursPresent = true;
    if (!HasOwnActivities(*person))
        return;
    BlockOptions options;
    options.runAfterWork = !m_bAfterWorkToursPresent;
    SimulateBlocks(*person, *models, *household, simulator, options);
}

void CWPattern::SimulateBlocks(CPersonObject& person, CModelSystem& models, CHouseholdObject& household,
                               CHouseholdCoordinator* simulator, const BlockOptions& options)
{
    CCurrentPersonScope current(simulator, &person);
    const double workEnd = m_dWorkStart + m_dWorkDuration;

    if (options.runAfterWork) {
        const double available = schedule_time::kMinutesInDay - (workEnd + GetWorkToHomeDuration());
        SimulatePeriod(Period::AfterWork, available, schedule_time::kMinutesInDay, person, models, household,
                       simulator, options);
    }

    // The stay at work before the work-to-home commute: what the work-based
    // tours leave of the work duration.
    const PeriodResult workBased =
        SimulatePeriod(Period::WorkBased, m_dWorkDuration, workEnd, person, models, household, simulator, options);
    // Tours from work are back by the work end (SimulatePeriod drops one that
    // is not), so the stay is never negative; the commute leaves at the work end.
    if (CTour* commute = GetTourAt(kWorkToHomeSlot)) {
        commute->SetPreTourTime(std::max(0.0, workBased.remaining));
        if (options.setWorkToHomeWindowStart)
            commute->SetWindowStart(workBased.lastArrival >= 0.0 ? workBased.lastArrival : m_dWorkStart);
    }

    // The stay at home before the home-to-work commute: from the last return
    // of a before-work tour, or from the start of the day.
    const double leaveForWork = GetLeaveHomeForWork();
    const PeriodResult beforeWork = SimulatePeriod(Period::BeforeWork, leaveForWork, leaveForWork, person, models,
                                                   household, simulator, options);
    if (CTour* commute = GetTourAt(kHomeToWorkSlot)) {
        const double departure = CommuteFirstDeparture(kHomeToWorkSlot);
        // Before-work tours are back before it leaves: never a negative stay.
        commute->SetPreTourTime(std::max(0.0, beforeWork.lastArrival >= 0.0 ? departure - beforeWork.lastArrival
                                                                            : departure));
    }
}

CWPattern::PeriodResult CWPattern::SimulatePeriod(Period period, double available, double periodEnd,
                                                  CPersonObject& person, CModelSystem& models,
                                                  CHouseholdObject& household, CHouseholdCoordinator* simulator,
                                                  const BlockOptions& options)
{
    const bool afterWork = period == Period::AfterWork;
    const bool workBased = period == Period::WorkBased;
    const bool beforeWork = period == Period::BeforeWork;
    const int firstSlot = afterWork ? kFirstAfterWorkSlot : workBased ? kFirstWorkBasedSlot : kFirstBeforeWorkSlot;
    const std::uint32_t keyOffset = afterWork ? kAfterWorkKey : workBased ? kWorkBasedKey : kBeforeWorkKey;
    COrdProbitMM& countModel = *(afterWork ? models.m_pNumberOfToursAfterWork
                                           : workBased ? models.m_pNumberOfToursBasedAtWork
                                                       : models.m_pNumberOfToursBeforeWork);
    CMNLogitMM& modeModel =
        *(afterWork ? models.m_pAWTourMode : workBased ? models.m_pWBTourMode : models.m_pBWTourMode);
    COrdProbitMM& stopModel = *(afterWork ? models.m_pAWTourNumberOfStops
                                          : workBased ? models.m_pWBTourNumberOfStops
                                                      : models.m_pBWTourNumberOfStops);
    CRegressMM& stayModel =
        *(afterWork ? models.m_pAWHomeStay : workBased ? models.m_pWBWorkStay : models.m_pBWHomeStay);

    // Where the period's tours start and end, and how their closing legs run.
    const int homeZone = household.GetHomeZone();
    const int origin = workBased ? person.GetActivityZone() : homeZone;
    int closingActivity = workBased ? kBackAtWork : kBackHome;
    if (afterWork && options.capAfterWorkClosing && person.IsChild())
        closingActivity = kChildBackHome;
    CTourTravel::ClosingLegRules legRules;
    legRules.floorBeforeCompare = !afterWork;
    legRules.reportUnknownMode = beforeWork;

    // The first tour's window starts at the arrival home after work, at the
    // arrival at work, or at the start of the day.
    double windowStart = 0.0;
    if (afterWork)
        windowStart = CommuteFirstDeparture(kWorkToHomeSlot) + GetWorkToHomeDuration();
    else if (workBased)
        windowStart = CommuteFirstDeparture(kHomeToWorkSlot) + GetHomeToWorkDuration();

    const std::uint32_t pid = decision_key::Pid(person);
    decision_key::Reseed(models, household, 3 * pid + keyOffset);
    const int count = std::min(countModel.Choose(this) - 1, kToursPerPeriod);
    int& periodCount = afterWork ? m_nAfterWorkTourCount : workBased ? m_nWorkBasedTourCount : m_nBeforeWorkTourCount;
    periodCount = count;
    CreatePeriodTours(firstSlot, count);

    const bool carsClosedAtWork = workBased && GetHomeToWorkTourMode() != CTourTravel::kDriveAlone
                                  && GetHomeToWorkTourMode() != CTourTravel::kDriveWithPassenger;
    const bool walksFromWork =
        workBased && (GetWorkToHomeTourMode() == CTourTravel::kWalk || GetWorkToHomeTourMode() == CTourTravel::kTransit);

    std::vector<int>& closed = m_closedModes;
    PeriodResult result{available, -1.0};
    int made = 0;
    bool periodClosed = false;
    for (int k = 1; k <= count; ++k) {
        const int slot = firstSlot + k - 1;
        auto& held = m_tours[static_cast<std::size_t>(slot)];
        // No time is left for this tour: it is not made (nor any later one).
        if (periodClosed || !(available > 0.0)) {
            held.reset();
            continue;
        }
        const double availableBefore = available;
        CTour& tour = *held;
        tour.SetWindowLength(available);

        modeModel.ComputeValues(this);
        closed.clear();
        CTourTravel::CloseCarModesForNonDriver(person, closed);
        if (carsClosedAtWork)
            closed.insert(closed.end(), {CTourTravel::kDriveAlone, CTourTravel::kDriveWithPassenger});
        if (options.checkTransit && !CTourTravel::TransitAvailable(*m_pDataManager, origin, tour.GetWindowStart()))
            closed.push_back(CTourTravel::kTransit);
        modeModel.SetUnavailable(closed);
        decision_key::Reseed(models, household, 3 * pid + static_cast<std::uint32_t>(k) + keyOffset);
        const int drawnMode = modeModel.Draw();
        // A worker who came without a car walks on tours from work.
        tour.SetMode(walksFromWork ? CTourTravel::kWalk : drawnMode);

        int stops = stopModel.Choose(&tour);
        if (options.oneStopRules
            && (drawnMode == CTourTravel::kTransit || (beforeWork && available <= kShortBeforeWorkWindow)))
            stops = 1;
        tour.SetStopCount(stops);
        tour.CreateStops();
        tour.SetSlack(available);

        auto& workerTour = static_cast<CWorkerTour&>(tour);
        const double stay =
            std::floor(workerTour.ClampPreTourTime(schedule_bounds::ExpMinutes(stayModel.Predict(&tour))));
        tour.SetPreTourTime(stay);
        available -= stay;
        tour.SetWindowLength(available);
        tour.SetWindowStart(windowStart);

        for (int j = 1; j <= stops; ++j) {
            tour.SetStopWindow(j);
            tour.SetStopDeparture(j);
            decision_key::Reseed(models, household,
                                 pid + static_cast<std::uint32_t>(slot) + static_cast<std::uint32_t>(j));
            tour.GetStopByNumber(j)->Generate(&person, &models, &household, simulator);
        }

        const CStop* last = tour.GetStopByNumber(stops);
        if (last == nullptr)
            continue;
        double departure = last->GetDepartureTime() + last->GetTravelTime() + last->GetActivityDuration();
        if (afterWork && options.capAfterWorkClosing)
            departure = std::min(departure, kLatestClosingDeparture);
        const int destination = workBased ? origin : homeZone;
        const double travel = CTourTravel::ClosingLegTravelTime(*m_pDataManager, drawnMode, last->GetZone(),
                                                                destination, departure, last->GetTimeLeft(), legRules);
        tour.AppendStop(closingActivity, 0.0, departure, travel, last->GetZone(), destination,
                        last->GetActivityType());

        const double arrival = tour.GetArrival();
        // Every stop's trip takes at least two minutes, so the stops can use
        // more than the window the stay leaves, and the tour would come back
        // after the commute that ends its period leaves. Such a tour is not
        // made, nor any later one of the period; the draws made for it stand.
        // After work no tour follows at a fixed time: a late return stays.
        if (!afterWork && arrival > periodEnd) {
            held.reset();
            available = availableBefore;
            periodClosed = true;
            continue;
        }
        available = periodEnd - arrival;
        // The next tour's window starts where this one ends.
        windowStart = tour.GetStopByNumber(1)->GetDepartureTime() + tour.GetDuration();
        result.lastArrival = arrival;
        ++made;
    }
    periodCount = made;
    result.remaining = available;
    return result;
}

double CWPattern::CommuteFirstDeparture(int slot)
{
    const CTour* commute = GetTourAt(slot);
    if (const CStop* first = commute != nullptr ? commute->GetStopByNumber(1) : nullptr)
        return first->GetDepartureTime();
    return slot == kWorkToHomeSlot ? m_dWorkStart + m_dWorkDuration : m_dWorkStart - GetHomeToWorkDuration();
}

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
