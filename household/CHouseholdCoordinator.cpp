#include "household/CHouseholdCoordinator.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "household/CEpisodeRecord.h"
#include "household/CHouseholdWithChildren.h"
#include "models/CLocationVariableMatrix.h"

#include <algorithm>
#include <cmath>

CHouseholdCoordinator::CHouseholdCoordinator(CModelSystem* models) : m_pModelSystem(models) {}

CHouseholdCoordinator::~CHouseholdCoordinator() = default;

void CHouseholdCoordinator::SimulateHousehold(COutputFileSet& /*streams*/) {
    if (!m_pHouseholdObject) return;
    for (const auto& person : m_pHouseholdObject->GetPersons())
        if (person && !person->GetPattern()) person->CreatePattern();
}

void CHouseholdCoordinator::GeneratePersonSchedules() {}

void CHouseholdCoordinator::ComputeLocationVariables(int origin, const std::vector<int>& candidates,
                                                     const std::vector<int>& ids,
                                                     std::vector<std::vector<double>>& matrix, CStop* stop) {
    CLocationVariableMatrix::ComputeLocationVariables(m_pDataManager, m_pHouseholdObject, m_pCurrentPerson, origin,
                                                      candidates, ids, matrix, stop);
}

void CHouseholdCoordinator::ComputeZoneAttributeMatrix(int homeZone, const std::vector<int>& candidates,
                                                       const std::vector<int>& ids,
                                                       std::vector<std::vector<double>>& matrix) {
    CLocationVariableMatrix::ComputeZoneAttributeMatrix(m_pDataManager, homeZone, candidates, ids, matrix);
}

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

double CHouseholdCoordinator::GetTravelTime(int origin, const std::vector<int>& destinations, int mode,
                                            double time) const {
    constexpr int kDistanceColumn = 3;
    constexpr int kAutoTimeColumn = 5;
    constexpr int kTransitTimeColumn = 8;
    double v = 0.0;
    if (!destinations.empty() && m_pDataManager != nullptr) {
        // Only the first destination's value is used: ask for that one alone.
        const std::vector<int> first(1, destinations.front());
        std::vector<double> values;
        switch (mode) {
            case 2: {  // Walk/Bike: minutes from the distance
                m_pDataManager->GetZone2ZoneForDestinations(values, kDistanceColumn, origin, first);
                const double d = values.empty() ? 0.0 : values.front();
                v = d <= 2.0 ? std::floor(d / 0.05) : std::floor(d / 0.15);
                break;
            }
            case 0:  // Drive Alone
            case 1:  // Passenger
            case 7:  // Drive With Passenger
                m_pDataManager->GetLOS(values, kAutoTimeColumn, time, origin, first);
                v = values.empty() ? 0.0 : values.front();
                break;
            case 3:  // Transit
                m_pDataManager->GetLOS(values, kTransitTimeColumn, time, origin, first);
                v = values.empty() ? 0.0 : values.front();
                break;
            default:
                break;
        }
    }
    return std::floor(std::max(2.0, v));
}
