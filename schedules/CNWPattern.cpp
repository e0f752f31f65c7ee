#include "schedules/CNWPattern.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <utility>

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "data/CRecordLine.h"
#include "household/CCurrentPersonScope.h"
#include "household/CEpisodeRecord.h"
#include "household/CHouseholdWithChildren.h"
#include "household/CJointActivityRecord.h"
#include "household/COutputFileSet.h"
#include "household/DecisionKey.h"
#include "models/CMNLogitMM.h"
#include "models/COrdProbitMM.h"
#include "models/CRegressMM.h"
#include "modelsystem/CModelSystem.h"
#include "schedules/CNWorkerTour.h"
#include "schedules/CScheduleLine.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/CTourTravel.h"
#include "schedules/CWPattern.h"
#include "schedules/ScheduleBounds.h"
#include "schedules/ScheduleTime.h"

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
        // The home-stay bounds have no row for some tour numbers and counts
        // (tours added after an escort tour): the stay never runs past the
        // time left, so no tour leaves after the end of the day.
        stay = std::min(stay, std::max(0.0, available));
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

namespace {

// Codes of the escort tours' stops.
constexpr int kDropOffActivity = 10;
constexpr int kPickUpActivity = 11;
constexpr int kHomeActivity = 12;
constexpr int kRideToSchoolActivity = 15;
constexpr int kAtHomeOrigin = 18;
constexpr int kAtSchoolOrigin = 19;
// An escort tour is driven alone; only the children's escorted rides carry
// the escort mode.
constexpr int kDriveAloneMode = 0;
// Minutes spent at the school to hand over or collect the children.
constexpr double kEscortStopMinutes = 5.0;
// The return leg's activity duration that keeps the person at home for the
// rest of the day.
constexpr double kRestOfTheDay = -1.0;

// The escort tour as far as its school stop: added to the pattern, linked to
// the episode, leaving home in time to reach the school at the episode's
// time, with its stop count drawn when the person has activities of their
// own. Returns the tour (owned by the pattern) and the drive to the school.
CTour* StartEscortTour(CNWPattern& pattern, CEpisodeRecord& episode, CPersonObject& person,
                       CHouseholdObject& household, CModelSystem& models, CHouseholdCoordinator& simulator,
                       int schoolActivity, double windowStart, std::uint32_t stopCountKeyOffset, double& drive)
{
    pattern.AddTour(std::make_unique<CNWorkerTour>(pattern.GetDataManager(), &pattern));
    CTour* tour = pattern.GetNthTour(pattern.GetTourCount());
    tour->SetMode(kDriveAloneMode);
    episode.m_pTour = tour;

    const int home = household.GetHomeZone();
    drive = simulator.GetTravelTime(home, {episode.m_zone}, kDriveAloneMode, episode.m_time);
    const double leave = episode.m_time - drive;

    // A return from an earlier tour later than the departure here leaves no
    // wait at home; the departure stands.
    tour->SetWindowStart(windowStart);
    tour->SetPreTourTime(std::max(0.0, leave - windowStart));
    tour->SetStopCount(1);
    tour->CreateStops();
    tour->GetStopByNumber(1)->SetDepartureTime(leave);

    int extraStops = 0;
    if (CPattern::HasOwnActivities(person)) {
        decision_key::Reseed(models, household, decision_key::Pid(person) + stopCountKeyOffset);
        extraStops = models.m_pNumberOfStopsAfterPickupOrDropoff->Choose(tour);
    }
    tour->SetStopCount(extraStops + 1);
    tour->CreateStops();

    CStop* school = tour->GetStopByNumber(1);
    school->SetActivityDuration(kEscortStopMinutes);
    school->SetDepartureTime(leave);
    school->SetTravelTime(drive);
    school->SetOriginZone(home);
    school->SetZone(episode.m_zone);
    school->SetActivityType(schoolActivity);
    school->SetOriginActivityType(kAtHomeOrigin);
    return tour;
}

// The drive home from the tour's last stop, cut to 95 percent of the time the
// last stop leaves when it would not fit; then the tour's duration. The
// duration may have been read (and stored) while the stops were made, so it is
// measured afresh. Returns the arrival home (unfloored departure + drive).
double ReturnHomeFromEscort(CTour& tour, const CPersonObject& person, int home, double homeStay,
                            CHouseholdCoordinator& simulator)
{
    CStop* last = tour.GetStopByNumber(tour.GetStopCount());
    const double leave = last->GetDepartureTime() + last->GetTravelTime() + last->GetActivityDuration();
    double drive = simulator.GetTravelTime(last->GetZone(), {home}, kDriveAloneMode, leave);
    if (!CPattern::HasOwnActivities(person))
        tour.GetStopByNumber(1)->SetTimeLeft(schedule_time::kMinutesInDay - (drive + leave));
    if (drive > last->GetTimeLeft())
        drive = schedule_bounds::ShareOfTimeLeft(0.95, last->GetTimeLeft());
    drive = std::floor(drive);
    tour.AppendStop(kHomeActivity, homeStay, leave, drive, last->GetZone(), home, last->GetActivityType());
    tour.SetDuration(-1.0);
    tour.GetDuration();
    return leave + drive;
}

// The minute the person is back home from the pattern's last tour; 0.0 for a
// pattern without tours.
double ReturnFromLastTour(const CNWPattern& pattern)
{
    const CTour* last = pattern.GetNthTour(pattern.GetTourCount());
    if (last == nullptr || last->GetStops().empty())
        return 0.0;
    return last->GetArrival();
}

// The simulator's escort episodes, when it has children.
CHouseholdWithChildren* WithChildren(CHouseholdCoordinator* simulator)
{
    return dynamic_cast<CHouseholdWithChildren*>(simulator);
}

}  // namespace

void CNWPattern::AddSchoolDropOffTour(CPersonObject* person, CHouseholdObject* household, CModelSystem* models,
                                      CHouseholdCoordinator* simulator)
{
    CHouseholdWithChildren* withChildren = WithChildren(simulator);
    if (person == nullptr || household == nullptr || models == nullptr || withChildren == nullptr
        || withChildren->m_dropOffEpisodes.empty())
        return;
    CEpisodeRecord& episode = withChildren->m_dropOffEpisodes.front();
    person->m_bDropsOffChildren = 1;
    double drive = 0.0;
    CTour* tour = StartEscortTour(*this, episode, *person, *household, *models, *simulator, kDropOffActivity, 0.0,
                                  3, drive);
    const double leave = episode.m_time - drive;

    // The person's own stops fit between the drop-off and the first joint
    // activity of the day, or the pick-up when the same person makes it (with
    // a margin), else the end of the day.
    if (tour->GetStopCount() > 1) {
        double until = schedule_time::kMinutesInDay;
        for (const CJointActivityRecord& record : household->m_jointActivities) {
            if (record.IsParticipant(*person)) {
                until = record.m_dStartTime;
                break;
            }
        }
        double window = until - episode.m_time - kEscortStopMinutes;
        const auto& pickUps = withChildren->m_pickUpEpisodes;
        if (pickUps.size() == 1 && pickUps.front().m_pAdult == person)
            window = (pickUps.front().m_time - episode.m_time - kEscortStopMinutes) * 0.9;
        tour->SetWindowLength(std::max(0.0, window));
    }
    // The stops go on with the stream of the stop-count draw.
    for (int j = 2; j <= tour->GetStopCount(); ++j) {
        tour->SetStopWindow(j);
        tour->SetStopDeparture(j);
        tour->GetStopByNumber(j)->Generate(person, models, household, simulator);
    }
    ReturnHomeFromEscort(*tour, *person, household->GetHomeZone(), 0.0, *simulator);

    // The children ride along to school: one leg leaving with the adult.
    for (CPersonObject* child : episode.m_children) {
        CWPattern* school = child != nullptr ? child->GetWPattern() : nullptr;
        if (school == nullptr)
            continue;
        school->SetHomeToWorkStopCount(1);
        school->CreateHomeToWorkStops();
        school->SetHomeToWorkDuration(drive);
        CTour* ride = school->GetTourAt(CWPattern::kHomeToWorkSlot);
        CStop* stop = ride->GetStopByNumber(1);
        stop->SetDepartureTime(leave);
        ride->SetPreTourTime(leave);
        // The school zone of person column 6, the zone the episodes use too.
        stop->SetZone(child->GetValue6());
        stop->SetOriginZone(household->GetHomeZone());
        stop->SetTravelTime(school->GetHomeToWorkDuration());
        stop->SetActivityType(kRideToSchoolActivity);
        stop->SetOriginActivityType(kAtHomeOrigin);
        stop->SetActivityDuration(school->GetWorkDuration());
    }
}

void CNWPattern::AddSchoolPickUpTour(CPersonObject* person, CHouseholdObject* household, CModelSystem* models,
                                     CHouseholdCoordinator* simulator)
{
    CHouseholdWithChildren* withChildren = WithChildren(simulator);
    if (person == nullptr || household == nullptr || models == nullptr || withChildren == nullptr
        || withChildren->m_pickUpEpisodes.empty())
        return;
    CEpisodeRecord& episode = withChildren->m_pickUpEpisodes.front();
    person->m_bPicksUpChildren = 1;
    const double windowStart = ReturnFromLastTour(*this);
    double drive = 0.0;
    CTour* tour = StartEscortTour(*this, episode, *person, *household, *models, *simulator, kPickUpActivity,
                                  windowStart, 4, drive);

    if (tour->GetStopCount() > 1)
        tour->SetWindowLength(std::max(0.0, schedule_time::kMinutesInDay - episode.m_time - kEscortStopMinutes));
    // Every stop starts over from the same key.
    for (int j = 2; j <= tour->GetStopCount(); ++j) {
        tour->SetStopWindow(j);
        tour->SetStopDeparture(j);
        decision_key::Reseed(*models, *household, decision_key::Pid(*person) + 5);
        tour->GetStopByNumber(j)->Generate(person, models, household, simulator);
    }
    const double arrival = ReturnHomeFromEscort(*tour, *person, household->GetHomeZone(), kRestOfTheDay, *simulator);

    // The children ride home along the adult's stops after the school. The
    // copies keep the adult's stop numbers (2 .. m) and the adult's return-home
    // activity 12, not the 14 of a child's own ride home.
    const int legs = tour->GetStopCount() - 1;
    for (CPersonObject* child : episode.m_children) {
        CWPattern* school = child != nullptr ? child->GetWPattern() : nullptr;
        if (school == nullptr)
            continue;
        school->SetWorkToHomeStopCount(legs);
        school->CreateWorkToHomeStops();
        CTour* ride = school->GetTourAt(CWPattern::kWorkToHomeSlot);
        for (int s = 1; s <= legs; ++s) {
            const CStop* from = tour->GetStopByNumber(s + 1);
            CStop* to = ride->GetStopByNumber(s);
            to->SetActivityType(from->GetActivityType());
            to->SetRemainingWindow(from->GetRemainingWindow());
            to->SetActivityDuration(from->GetActivityDuration());
            to->SetTimeLeft(from->GetRemainingWindow() - from->GetActivityDuration());
            to->SetStopNumber(from->GetStopNumber());
            to->SetOriginZone(from->GetOriginZone());
            to->SetDepartureTime(from->GetDepartureTime());
            to->SetTravelTime(from->GetTravelTime());
            to->SetZone(from->GetZone());
            to->SetOriginActivityType(s == 1 ? kAtSchoolOrigin : from->GetOriginActivityType());
        }
        school->SetWorkToHomeDuration(arrival - kEscortStopMinutes - episode.m_time);
        ride->GetStopByNumber(1)->SetDepartureTime(episode.m_time + kEscortStopMinutes);
        ride->SetPreTourTime(school->GetWorkDuration());
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
