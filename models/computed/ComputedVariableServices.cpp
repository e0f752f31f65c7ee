#include "models/computed/ComputedVariableServices.h"

#include <vector>

#include "data/CInputDataManager.h"
#include "modelsystem/CModelSystem.h"

namespace ComputedVariableServices {

CHouseholdCoordinator* CurrentSimulator(const CVariableEvaluator::Frame& frame) {
    return frame.owner != nullptr ? frame.owner->m_pHousehold : nullptr;
}

double LevelOfService(CInputDataManager* manager, int column, double time, int origin, int destination) {
    if (manager == nullptr) return 0.0;
    std::vector<double> values;
    manager->GetLOS(values, column, time, origin, {destination});
    return values.empty() ? 0.0 : values.front();
}

double ZoneToZone(CInputDataManager* manager, int column, int origin, int destination) {
    if (manager == nullptr) return 0.0;
    double value = 0.0;
    manager->GetZone2Zone(value, column, origin, destination);
    return value;
}

}  // namespace ComputedVariableServices
