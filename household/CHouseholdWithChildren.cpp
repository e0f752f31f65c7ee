#include "household/CHouseholdWithChildren.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "household/CWorkCommute.h"
#include "platform/NumberText.h"
#include "schedules/CPattern.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/CWPattern.h"

#include <algorithm>
#include <cmath>
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
    constexpr int kAutoTimeColumn = 5;
    double travel = 0.0;
    if (manager != nullptr) {
        std::vector<double> values;
        manager->GetLOS(values, kAutoTimeColumn, time, from, std::vector<int>(1, to));
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

// The children's own activities and travel are filled in with the child travel
// simulation; until then these steps leave the children's patterns as they are.
void CHouseholdWithChildren::DecideChildIndependentActivity() {}
void CHouseholdWithChildren::FindChildInJointActivity() {}
void CHouseholdWithChildren::SimulateChildSchoolCommute(CPersonObject*, CHouseholdObject*, CModelSystem*) {}
void CHouseholdWithChildren::SimulateChildDiscretionaryTour(CPersonObject*, CHouseholdObject*, CModelSystem*,
                                                            CHouseholdCoordinator*) {}

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

// The non-worker's escort tours and day are filled in with the non-worker
// tour simulation; until then the patterns keep the tours they hold.
void CHouseholdWithChildren::SimulateNonWorkerEscortTours(CPersonObject*, CHouseholdObject*, CModelSystem*) {}
void CHouseholdWithChildren::SimulateNonWorkerDay(CPersonObject*, CHouseholdObject*, CModelSystem*,
                                                  CHouseholdCoordinator*) {}

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
