#include "household/CHouseholdWithChildren.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "household/CWorkCommute.h"
#include "platform/NumberText.h"
#include "schedules/CPattern.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"

#include <stdexcept>
#include <string>

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

// The episodes are built from the children's school commutes once the school
// escort simulation is in place; until then the lists stay empty.
void CHouseholdWithChildren::BuildEscortEpisodes() {}

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
