#include "household/CHouseholdWithChildren.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "data/LOSColumns.h"
#include "household/CCurrentPersonScope.h"
#include "household/CJointActivityRecord.h"
#include "household/CWorkCommute.h"
#include "household/DecisionKey.h"
#include "household/SchoolCommuteTimeBounds.h"
#include "models/CBLogitMM.h"
#include "models/CLocationMM.h"
#include "models/CRegressMM.h"
#include "modelsystem/CModelSystem.h"
#include "platform/NumberText.h"
#include "schedules/CNWPattern.h"
#include "schedules/CNWorkerTour.h"
#include "schedules/CPattern.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/CWPattern.h"
#include "schedules/CWorkerTour.h"
#include "schedules/ScheduleBounds.h"
#include "schedules/ScheduleTime.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Departure of the tour's first stop, the moment the tour leaves; false when
// the tour or its first stop does not exist yet.
bool FirstDeparture(const CTour* tour, double& departure) {
    if (tour == nullptr) return false;
    const CStop* first = tour->GetStopByNumber(1);
    if (first == nullptr) return false;
    departure = first->GetDepartureTime();
    return true;
}

// The school mode of a child's commute that makes an escort episode.
constexpr int kDrivenByParent = 4;

// Where an escorting adult works or studies: a student's school zone is the
// larger of its two school-zone columns.
int WorkOrSchoolZone(const CPersonObject& adult) {
    if (adult.GetFlag(1)) return std::max(adult.GetValue6(), adult.GetValue52());
    return adult.GetActivityZone();
}

// Whole minutes of the drive between two zones at a time of day (auto travel
// time), never below 2 minutes; a missing value counts as 0.
double EscortTravelTime(CInputDataManager* manager, int from, int to, double time) {
    double travel = 0.0;
    if (manager != nullptr) {
        std::vector<double> values;
        manager->GetLOS(values, LOSColumns::kAutoTime, time, from, std::vector<int>(1, to));
        if (!values.empty()) travel = values.front();
    }
    if (!(travel >= 2.0)) travel = 2.0;
    return std::floor(travel);
}

const CEpisodeRecord& At(const CHouseholdWithChildren::EpisodeList& list, int i) {
    if (i < 0 || i >= static_cast<int>(list.size()))
        throw std::out_of_range("escort episode " + NumberText::Integer(i) + " of " +
                                NumberText::Integer(static_cast<long long>(list.size())));
    return list[static_cast<size_t>(i)];
}

}  // namespace

CHouseholdWithChildren::CHouseholdWithChildren(CModelSystem* models) : CHouseholdCoordinator(models) {}

CHouseholdWithChildren::~CHouseholdWithChildren() = default;

bool CHouseholdWithChildren::ServesSingleEpisode(const EpisodeList& list, const CPersonObject* person) {
    return list.size() == 1 && person != nullptr && list.front().m_pAdult == person;
}

bool CHouseholdWithChildren::InSingleEpisode(const EpisodeList& list, const CPersonObject* person) {
    return list.size() == 1 && list.front().HasChild(person);
}

bool CHouseholdWithChildren::IsDropOffAdult(const CPersonObject* person) {
    return ServesSingleEpisode(m_dropOffEpisodes, person);
}

bool CHouseholdWithChildren::IsPickUpAdult(const CPersonObject* person) {
    return ServesSingleEpisode(m_pickUpEpisodes, person);
}

bool CHouseholdWithChildren::IsJointDiscretionaryAdult(const CPersonObject* person) {
    return ServesSingleEpisode(m_jointDiscretionaryEpisodes, person);
}

bool CHouseholdWithChildren::IsInDropOffEpisode(const CPersonObject* person) {
    return InSingleEpisode(m_dropOffEpisodes, person);
}

bool CHouseholdWithChildren::IsInPickUpEpisode(const CPersonObject* person) {
    return InSingleEpisode(m_pickUpEpisodes, person);
}

double CHouseholdWithChildren::GetTimeAfterDropOff(const CPersonObject* person) {
    CTour* later = nullptr;
    if (IsPickUpAdult(person))
        later = m_pickUpEpisodes.front().m_pTour;
    else if (IsJointDiscretionaryAdult(person))
        later = m_jointDiscretionaryEpisodes.front().m_pTour;
    else
        return -1.0;

    double leaveForLater = 0.0;
    if (!FirstDeparture(later, leaveForLater)) return -1.0;
    if (!IsDropOffAdult(person)) return leaveForLater;

    CTour* dropOff = m_dropOffEpisodes.front().m_pTour;
    double leaveForDropOff = 0.0;
    if (!FirstDeparture(dropOff, leaveForDropOff)) return -1.0;
    return leaveForLater - leaveForDropOff - dropOff->GetDuration();
}

double CHouseholdWithChildren::GetAvailableTimeAfterPickUp(const CPersonObject* person) {
    if (!IsPickUpAdult(person)) return -1.0;
    CTour* pickUp = m_pickUpEpisodes.front().m_pTour;
    double departure = 0.0;
    if (!FirstDeparture(pickUp, departure)) return -1.0;
    return 1440.0 - (departure + pickUp->GetDuration());
}

void CHouseholdWithChildren::SetJointDiscretionaryTour(CTour* tour) {
    if (!m_jointDiscretionaryEpisodes.empty()) m_jointDiscretionaryEpisodes.front().m_pTour = tour;
}

void CHouseholdWithChildren::BuildEscortEpisodes() {
    if (m_pHouseholdObject == nullptr) return;
    for (const auto& person : m_pHouseholdObject->GetPersons()) {
        if (!person->IsChild() || !person->GetFlag(0)) continue;
        CWPattern* school = person->GetWPattern();
        if (school == nullptr) continue;
        SetCurrentPerson(person.get());
        const int zone = person->GetValue6();
        if (school->GetWorkToHomeTourMode() == kDrivenByParent) {
            FindOrAddEpisode(m_pickUpEpisodes, person.get(), school->GetWorkStart() + school->GetWorkDuration(),
                             zone);
            // The parent arrives before the school ends: the child waits a little.
            school->SetWorkDuration(school->GetWorkDuration() + 5.0);
        }
        if (school->GetHomeToWorkTourMode() == kDrivenByParent)
            FindOrAddEpisode(m_dropOffEpisodes, person.get(), school->GetWorkStart(), zone);
    }
    SetCurrentPerson(nullptr);
}

void CHouseholdWithChildren::FindOrAddEpisode(EpisodeList& list, CPersonObject* child, double time, int zone) {
    for (CEpisodeRecord& episode : list) {
        if (episode.m_zone == zone && time - 10.0 < episode.m_time && episode.m_time < time + 10.0) {
            episode.AddChild(child);
            return;
        }
    }
    list.emplace_back(child, time, zone);
}

void CHouseholdWithChildren::StartWorkAfterDropOff(CPersonObject& adult, const CEpisodeRecord& dropOff) const {
    CWPattern* work = adult.GetWPattern();
    if (work == nullptr) return;
    const double travel = EscortTravelTime(m_pDataManager, dropOff.m_zone, WorkOrSchoolZone(adult), dropOff.m_time);
    const double start = dropOff.m_time + 5.0 + travel;
    work->SetWorkStart(start);
    if (start + work->GetWorkDuration() > 1440.0) work->SetWorkDuration(1440.0 - start);
}

bool CHouseholdWithChildren::EndWorkForPickUp(CPersonObject& adult, const CEpisodeRecord& pickUp) const {
    CWPattern* work = adult.GetWPattern();
    if (work == nullptr) return true;
    const double start = work->GetWorkStart();
    if (std::fabs(start + work->GetWorkDuration() - pickUp.m_time) > 60.0) return false;
    const double travel = EscortTravelTime(m_pDataManager, WorkOrSchoolZone(adult), pickUp.m_zone, pickUp.m_time);
    const double duration = pickUp.m_time - travel - start;
    if (!(duration > 0.0)) return false;
    work->SetWorkDuration(duration);
    return true;
}

namespace {

using decision_key::Pid;
using decision_key::Reseed;
using schedule_bounds::Clamp;
using schedule_bounds::ExpMinutes;

// The escorting adult of the list's single episode when the child rides in it;
// null when the list does not hold exactly one episode, the child is not in it
// or nobody was found to serve it.
const CPersonObject* SingleEpisodeAdultOf(const CHouseholdWithChildren::EpisodeList& list,
                                          const CPersonObject* child) {
    if (list.size() != 1 || !list.front().HasChild(child)) return nullptr;
    return list.front().m_pAdult;
}

// Activity and origin codes of a child's school rides and discretionary tour.
constexpr int kRideHomeActivity = 14;
constexpr int kRideToSchoolActivity = 15;
constexpr int kDiscretionaryActivity = 16;
constexpr int kAtHomeOrigin = 18;
constexpr int kAtSchoolOrigin = 19;

// Modes of the child's discretionary tour: walk or bike when the logit says
// yes, else driven by someone else.
constexpr int kWalkOrBikeMode = 2;
constexpr int kDrivenByOtherMode = 5;

}  // namespace

double CHouseholdWithChildren::ClampSchoolToHomeTime(double minutes, CPersonObject* child) {
    const CWPattern* pattern = child != nullptr ? child->GetWPattern() : nullptr;
    const int mode = pattern != nullptr ? pattern->GetWorkToHomeTourMode() : -1;
    const auto range = SchoolCommuteTimeBounds::RangeOf(SchoolCommuteTimeBounds::Direction::SchoolToHome, mode);
    if (!range) return SchoolCommuteTimeBounds::kUnboundedModeMinutes;
    return std::floor(Clamp(minutes, range->lower, range->upper));
}

double CHouseholdWithChildren::ClampHomeToSchoolTime(double minutes, CPersonObject* child) {
    const CWPattern* pattern = child != nullptr ? child->GetWPattern() : nullptr;
    const int mode = pattern != nullptr ? pattern->GetHomeToWorkTourMode() : -1;
    const auto range = SchoolCommuteTimeBounds::RangeOf(SchoolCommuteTimeBounds::Direction::HomeToSchool, mode);
    if (!range) return SchoolCommuteTimeBounds::kUnboundedModeMinutes;
    return std::floor(Clamp(minutes, range->lower, range->upper));
}

// A child escorted by an adult rides on the legs the adult's tour or commute
// built; the child's commute only records the adult's vehicle. Otherwise the
// ride time is drawn and bounded by the school mode, and the commute gets a
// single leg. The school zone is read from person column 6.
void CHouseholdWithChildren::SimulateChildSchoolCommute(CPersonObject* child, CHouseholdObject* household,
                                                        CModelSystem* models) {
    CWPattern* pattern = child != nullptr ? child->GetWPattern() : nullptr;
    if (pattern == nullptr || household == nullptr || models == nullptr) return;
    CTour* toHome = pattern->GetTourAt(CWPattern::kWorkToHomeSlot);
    CTour* toSchool = pattern->GetTourAt(CWPattern::kHomeToWorkSlot);
    if (toHome == nullptr || toSchool == nullptr) return;

    const std::uint32_t person = Pid(*child);
    const int home = household->GetHomeZone();
    const int school = child->GetValue6();
    const double start = pattern->GetWorkStart();
    const double duration = pattern->GetWorkDuration();
    const double end = start + duration;

    if (const CPersonObject* adult = SingleEpisodeAdultOf(m_pickUpEpisodes, child)) {
        toHome->SetEscortOrVehicleId(adult->m_nVehicle);
    } else {
        Reseed(*models, *household, 3 * person + 1);
        const double predicted = ExpMinutes(models->m_pSchoolToHomeCommuteTime->Predict(pattern));
        const double ride = std::floor(ClampSchoolToHomeTime(predicted, child));
        pattern->SetWorkToHomeStopCount(1);
        pattern->CreateWorkToHomeStops();
        pattern->SetWorkToHomeDuration(ride);
        CStop* stop = toHome->GetStopByNumber(1);
        stop->SetTravelTime(ride);
        stop->SetActivityType(kRideHomeActivity);
        stop->SetOriginZone(school);
        stop->SetZone(home);
        stop->SetOriginActivityType(kAtSchoolOrigin);
        stop->SetDepartureTime(end);
        stop->SetRemainingWindow(schedule_time::kMinutesInDay - end);
        stop->SetActivityDuration(0.0);
        toHome->SetSlack(0.0);
        toHome->SetPreTourTime(duration);
        toHome->SetWindowStart(start);
    }

    if (const CPersonObject* adult = SingleEpisodeAdultOf(m_dropOffEpisodes, child)) {
        toSchool->SetEscortOrVehicleId(adult->m_nVehicle);
        return;
    }
    Reseed(*models, *household, 3 * person + 2);
    const double predicted = ExpMinutes(models->m_pHomeToSchoolCommuteTime->Predict(pattern));
    const double ride = std::floor(ClampHomeToSchoolTime(predicted, child));
    pattern->SetHomeToWorkStopCount(1);
    pattern->CreateHomeToWorkStops();
    pattern->SetHomeToWorkDuration(ride);
    CStop* stop = toSchool->GetStopByNumber(1);
    stop->SetTravelTime(ride);
    stop->SetActivityType(kRideToSchoolActivity);
    stop->SetOriginZone(home);
    stop->SetZone(school);
    stop->SetOriginActivityType(kAtHomeOrigin);
    stop->SetDepartureTime(start - ride);
    stop->SetRemainingWindow(ride);
    stop->SetActivityDuration(0.0);
    toSchool->SetPreTourTime(start - ride);
}

void CHouseholdWithChildren::DecideChildIndependentActivity() {
    if (m_pHouseholdObject == nullptr || m_pModelSystem == nullptr) return;
    CBLogitMM* decision = m_pModelSystem->m_pDecisionOfChildToUndertakeIndependentDiscretionaryActivity;
    for (const auto& person : m_pHouseholdObject->GetPersons()) {
        CPattern* pattern = person->GetPattern();
        if (!person->IsChild() || pattern == nullptr || pattern->GetAfterWorkToursPresent()) continue;
        Reseed(*m_pModelSystem, *m_pHouseholdObject, 3 * Pid(*person) + 1);
        if (decision->Choose(person.get())) pattern->SetChildIndependentActivity(true);
    }
}

// The reseed of each child outside the joint activities draws nothing; it is
// kept so that the stream stands where the household driver expects it.
void CHouseholdWithChildren::FindChildInJointActivity() {
    if (m_pHouseholdObject == nullptr || m_pModelSystem == nullptr) return;
    for (const auto& person : m_pHouseholdObject->GetPersons()) {
        bool joint = false;
        for (const CJointActivityRecord& record : m_pHouseholdObject->m_jointActivities)
            joint = joint || record.IsParticipant(*person);
        CPattern* pattern = person->GetPattern();
        if (!person->IsChild() || joint || pattern == nullptr) continue;
        Reseed(*m_pModelSystem, *m_pHouseholdObject, 3 * Pid(*person) + 1);
        if (CPattern::HasOwnActivities(*person)) pattern->SetChildIndependentActivity(true);
    }
}

// The joint discretionary episodes that would give a child a joint tour instead
// are never built, so only the child-independent flag leads to a tour. Nothing
// calls slots 10 and 11 in a run, so in a run the flag stays clear.
void CHouseholdWithChildren::SimulateChildDiscretionaryTour(CPersonObject* child, CHouseholdObject* household,
                                                            CModelSystem* models, CHouseholdCoordinator*) {
    CPattern* pattern = child != nullptr ? child->GetPattern() : nullptr;
    if (pattern == nullptr || household == nullptr || models == nullptr) return;
    if (!pattern->GetChildIndependentActivity()) return;
    CCurrentPersonScope current(this, child);

    Reseed(*models, *household, 4 * Pid(*child));
    const int mode = models->m_pModeForDiscretionaryTour->Choose(child) ? kWalkOrBikeMode : kDrivenByOtherMode;

    // The tour follows the school day of a schoolchild; a child without school
    // may leave from the start of the day.
    CTour* tour = nullptr;
    double windowStart = 0.0;
    if (CWPattern* school = child->GetWPattern()) {
        auto created = std::make_unique<CWorkerTour>(school->GetDataManager(), school);
        tour = created.get();
        school->AddAfterWorkTour(std::move(created));
        // A school day that ends (with the ride home) after midnight leaves no window.
        windowStart = std::min(school->GetArrivalHomeAfterWork(), schedule_time::kMinutesInDay);
    } else if (CNWPattern* day = child->GetNWPattern()) {
        auto created = std::make_unique<CNWorkerTour>(day->GetDataManager(), day);
        tour = created.get();
        day->AddTour(std::move(created));
    } else {
        return;
    }
    tour->SetMode(mode);
    child->m_pDiscretionaryTour = tour;
    tour->SetStopCount(1);
    tour->CreateStops();
    CStop* stop = tour->GetStopByNumber(1);
    stop->SetActivityType(kDiscretionaryActivity);
    stop->SetOriginActivityType(kAtHomeOrigin);
    tour->SetWindowLength(schedule_time::kMinutesInDay - windowStart);
    tour->SetWindowStart(windowStart);

    double departure = ExpMinutes(models->m_pDepartureTimeFromHomeForDiscretionaryTour->Predict(child));
    departure = std::floor(Clamp(departure, 255.0, 990.0));
    if (departure < windowStart) departure = windowStart;
    tour->SetPreTourTime(departure - windowStart);
    tour->SetWindowLength(schedule_time::kMinutesInDay - departure);
    stop->SetDepartureTime(departure);

    double duration = ExpMinutes(models->m_pActivityDurationAtDiscretionaryStop->Predict(child));
    duration = std::min(std::floor(Clamp(duration, 10.0, 345.0)), tour->GetWindowLength());
    stop->SetActivityDuration(duration);
    tour->SetWindowLength(schedule_time::kMinutesInDay - departure - duration);
    tour->SetSlackFromDuration();

    double travel = ExpMinutes(models->m_pTravelTimeToDiscretionaryStop->Predict(child));
    travel = std::min(std::floor(Clamp(travel, 1.0, 35.0)), tour->GetWindowLength());
    stop->SetTravelTime(travel);

    // The zone among those whose auto time from home is near the travel time;
    // with no destination the child stays at home.
    const int home = household->GetHomeZone();
    CLocationMM* location = models->m_pLocationChoiceForDiscretionaryStop;
    m_destinationZones.clear();
    m_destinationTimes.clear();
    m_candidates.clear();
    if (CInputDataManager* manager = GetDataManager())
        manager->GetLOSAllDestinations(m_destinationZones, m_destinationTimes, LOSColumns::kAutoTime, departure, home);
    CLocationMM::SelectCandidateWindow(m_destinationZones, m_destinationTimes, m_candidates,
                                       static_cast<float>(travel));
    ComputeLocationVariables(home, m_candidates, location->m_terms.m_variableIds, m_locationValues, stop);
    const int drawn = location->Draw(m_candidates, m_locationValues);
    const int zone = drawn == -1 ? home : drawn;
    stop->SetOriginZone(home);
    stop->SetZone(zone);

    double back = departure + duration + travel;
    if (back > schedule_time::kMinutesInDay) back -= 100.0;
    tour->AppendStop(kRideHomeActivity, 0.0, back, travel, zone, home, kDiscretionaryActivity);
    tour->GetDuration();
}

// The joint discretionary episode list is never filled, so there are no child
// tours to fit around a joint tour.
void CHouseholdWithChildren::AddChildToJointDiscretionaryTour(CPersonObject*, CHouseholdObject*, CModelSystem*,
                                                              CHouseholdCoordinator*) {}

// The commutes: the escort adults' variants, else those of any household.
void CHouseholdWithChildren::SimulateWHCommute(CPersonObject* person, CHouseholdObject* household) {
    CWorkCommute(*this).SimulateWorkToHomeWithChildren(*person, *household, m_dropOffEpisodes, m_pickUpEpisodes);
}

void CHouseholdWithChildren::SimulateHWCommute(CPersonObject* person, CHouseholdObject* household) {
    CWorkCommute(*this).SimulateHomeToWorkWithChildren(*person, *household, m_dropOffEpisodes);
}

// The drop-off tour comes first, so a person with both escorts makes it first.
void CHouseholdWithChildren::SimulateNonWorkerEscortTours(CPersonObject* person, CHouseholdObject* household,
                                                          CModelSystem* models) {
    CNWPattern* pattern = person != nullptr ? person->GetNWPattern() : nullptr;
    if (pattern == nullptr) return;
    CCurrentPersonScope current(this, person);
    if (!m_dropOffEpisodes.empty() && m_dropOffEpisodes.front().m_pAdult == person)
        pattern->AddSchoolDropOffTour(person, household, models, this);
    if (!m_pickUpEpisodes.empty() && m_pickUpEpisodes.front().m_pAdult == person)
        pattern->AddSchoolPickUpTour(person, household, models, this);
}

// The non-worker's day: the tours around the escort tours for the pick-up
// adult, the pattern's own tours for anyone else.
void CHouseholdWithChildren::SimulateNonWorkerDay(CPersonObject* person, CHouseholdObject* household,
                                                  CModelSystem* models, CHouseholdCoordinator* simulator) {
    SimulateNonWorkerTours(person, household, models, simulator);
}

void CHouseholdWithChildren::SimulateJointDiscretionaryTour(CPersonObject* person, CHouseholdObject* household,
                                                            CModelSystem* models, CHouseholdCoordinator* simulator) {
    if (!IsJointDiscretionaryAdult(person)) return;
    if (CPattern* pattern = person->GetPattern()) pattern->AddJointTour(household, models, simulator);
}

int CHouseholdWithChildren::GetEpisodeCount(const EpisodeList& list) { return static_cast<int>(list.size()); }

const CEpisodeRecord& CHouseholdWithChildren::GetEpisode(const EpisodeList& list, int i) { return At(list, i); }

CPersonObject* CHouseholdWithChildren::GetEpisodePerson(const EpisodeList& list, int i) { return At(list, i).m_pAdult; }

double CHouseholdWithChildren::GetEpisodeTime(const EpisodeList& list, int i) { return At(list, i).m_time; }

int CHouseholdWithChildren::GetEpisodeKey(const EpisodeList& list, int i) { return At(list, i).m_zone; }

CTour* CHouseholdWithChildren::GetEpisodeTour(const EpisodeList& list, int i) { return At(list, i).m_pTour; }

std::vector<CPersonObject*> CHouseholdWithChildren::GetEpisodeChildren(const EpisodeList& list, int i) {
    return At(list, i).m_children;
}

void CHouseholdWithChildren::SetEpisodeAdult(EpisodeList& list, int i, CPersonObject* adult) {
    if (i >= 0 && i < static_cast<int>(list.size())) list[static_cast<size_t>(i)].m_pAdult = adult;
}

void CHouseholdWithChildren::SetEpisodeTour(EpisodeList& list, int i, CTour* tour) {
    if (i >= 0 && i < static_cast<int>(list.size())) list[static_cast<size_t>(i)].m_pTour = tour;
}

int CHouseholdWithChildren::FindEpisodeByAdult(const EpisodeList& list, const CPersonObject* person) {
    // Nobody serves the episodes still without an adult.
    if (person == nullptr) return -1;
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].m_pAdult == person) return static_cast<int>(i);
    return -1;
}

CPersonObject* CHouseholdWithChildren::FindParent(bool zeroColumn7) const {
    if (m_pHouseholdObject == nullptr) return nullptr;
    for (const auto& person : m_pHouseholdObject->GetPersons())
        if (person->IsValue9One() && (person->GetValue7() == 0) == zeroColumn7) return person.get();
    return nullptr;
}
