#include "household/CHouseholdWithoutChildren.h"

#include "data/CPersonObject.h"
#include "schedules/CNWPattern.h"

CHouseholdWithoutChildren::CHouseholdWithoutChildren(CModelSystem* models) : CHouseholdCoordinator(models) {}

CHouseholdWithoutChildren::~CHouseholdWithoutChildren() = default;

// No children, so nobody escorts and nobody is escorted.
bool CHouseholdWithoutChildren::IsDropOffAdult(const CPersonObject*) { return false; }
bool CHouseholdWithoutChildren::IsPickUpAdult(const CPersonObject*) { return false; }
bool CHouseholdWithoutChildren::IsJointDiscretionaryAdult(const CPersonObject*) { return false; }
bool CHouseholdWithoutChildren::IsInDropOffEpisode(const CPersonObject*) { return false; }
bool CHouseholdWithoutChildren::IsInPickUpEpisode(const CPersonObject*) { return false; }
double CHouseholdWithoutChildren::GetTimeAfterDropOff(const CPersonObject*) { return -1.0; }
double CHouseholdWithoutChildren::GetAvailableTimeAfterPickUp(const CPersonObject*) { return -1.0; }
void CHouseholdWithoutChildren::SetJointDiscretionaryTour(CTour*) {}
void CHouseholdWithoutChildren::BuildEscortEpisodes() {}
void CHouseholdWithoutChildren::DecideChildIndependentActivity() {}
void CHouseholdWithoutChildren::FindChildInJointActivity() {}

void CHouseholdWithoutChildren::SimulateWHCommute(CPersonObject* person, CHouseholdObject* household) {
    SimulateWorkToHomeCommute(person, household);
}

void CHouseholdWithoutChildren::SimulateHWCommute(CPersonObject* person, CHouseholdObject* household) {
    SimulateHomeToWorkCommute(person, household);
}

void CHouseholdWithoutChildren::SimulateNonWorkerEscortTours(CPersonObject*, CHouseholdObject*, CModelSystem*) {}
void CHouseholdWithoutChildren::SimulateChildSchoolCommute(CPersonObject*, CHouseholdObject*, CModelSystem*) {}
void CHouseholdWithoutChildren::SimulateJointDiscretionaryTour(CPersonObject*, CHouseholdObject*, CModelSystem*,
                                                               CHouseholdCoordinator*) {}

void CHouseholdWithoutChildren::SimulateNonWorkerDay(CPersonObject* person, CHouseholdObject* household,
                                                     CModelSystem* models, CHouseholdCoordinator* simulator) {
    // A person who goes to work or school has no non-worker pattern.
    if (person == nullptr || person->GetFlag(0)) return;
    if (CNWPattern* pattern = person->GetNWPattern()) pattern->Simulate(person, models, household, simulator);
}

void CHouseholdWithoutChildren::SimulateChildDiscretionaryTour(CPersonObject*, CHouseholdObject*, CModelSystem*,
                                                               CHouseholdCoordinator*) {}
void CHouseholdWithoutChildren::AddChildToJointDiscretionaryTour(CPersonObject*, CHouseholdObject*, CModelSystem*,
                                                                 CHouseholdCoordinator*) {}
