#include "schedules/CWPattern.h"

#include "data/CPersonObject.h"

// The worker's tours within the household. The worker's joint activities are
// placed as after-work tours by the joint-activity step; without them the
// worker's own tours are drawn by the three blocks, the after-work block
// included.
void CWPattern::SimulateInHousehold(CPersonObject* person, CModelSystem* models, CHouseholdObject* household,
                                    CHouseholdCoordinator* simulator)
{
    if (!HasOwnActivities(*person))
        return;
    SimulateBlocks(*person, *models, *household, simulator, BlockOptions{});
}
