#include "household/CHouseholdCoordinator.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "household/CEpisodeRecord.h"
#include "household/CHouseholdWithChildren.h"

CHouseholdCoordinator::CHouseholdCoordinator(CModelSystem* models) : m_pModelSystem(models) {}

CHouseholdCoordinator::~CHouseholdCoordinator() = default;

void CHouseholdCoordinator::SetRunSettings(int adultModeCount, int tourModeCount, int activityTypeCount) {
    m_nAdultModes = adultModeCount;
    m_nTourModes = tourModeCount;
    m_nActivityTypes = activityTypeCount;
}

// Asked only of the drop-off adult, who exists only in a household with
// children; any other simulator has no episodes to give.
std::vector<CEpisodeRecord> CHouseholdCoordinator::GetCurrentVector() const {
    if (const auto* withChildren = dynamic_cast<const CHouseholdWithChildren*>(this))
        return withChildren->m_dropOffEpisodes;
    return {};
}

CPersonObject* CHouseholdCoordinator::FindFirstParent() const {
    if (m_pHouseholdObject == nullptr) return nullptr;
    for (const auto& person : m_pHouseholdObject->GetPersons())
        if (person->IsValue9One()) return person.get();
    return nullptr;
}
