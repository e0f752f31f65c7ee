// The activity step of the per-household driver (step 9).

#include "household/CHouseholdCoordinator.h"

#include "household/CActivityGenerator.h"
#include "modelsystem/CModelSystem.h"

void CHouseholdCoordinator::GenerateActivities(CHouseholdObject* household, COutputFileSet& streams) {
    if (household == nullptr || m_pModelSystem == nullptr) return;
    m_pModelSystem->ActivityGenerator().Generate(*household, m_pDataManager, streams);
}
