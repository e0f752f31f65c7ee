// The vehicle steps of the per-household driver (steps 3 and 4) and the
// evaluations they use; the work is done by the thread's vehicle simulation
// (vehicles/CHouseholdVehicles).

#include "household/CHouseholdCoordinator.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "vehicles/CHouseholdVehicles.h"

namespace {

const std::vector<double>* MakeRow(const std::vector<std::vector<double>>* rows, int make) {
    if (!rows || make < 0 || static_cast<std::size_t>(make) >= rows->size()) return nullptr;
    return &(*rows)[static_cast<std::size_t>(make)];
}

}  // namespace

void CHouseholdCoordinator::SimulateVehicleHoldings() {
    if (!m_pHouseholdObject || !m_pModelSystem) return;
    CHouseholdVehicles::ForThisThread().SimulateFleet(*m_pHouseholdObject, m_pDataManager, *m_pModelSystem);
}

void CHouseholdCoordinator::SimulateVehicleMakesAndDrivers() {
    if (!m_pHouseholdObject || !m_pModelSystem) return;
    CHouseholdVehicles::ForThisThread().AssignMakesAndDrivers(*m_pHouseholdObject, m_pDataManager, *m_pModelSystem);
}

void CHouseholdCoordinator::SimulateVehicleFleet(CHouseholdObject* household, int attempt) {
    if (!household || !m_pModelSystem) return;
    CVehicleFleetSimulator& fleet = CHouseholdVehicles::ForThisThread().Fleet();
    fleet.Prepare(*household, m_pDataManager, *m_pModelSystem);
    fleet.Simulate(attempt, household->m_vehicles);
}

void CHouseholdCoordinator::EvaluateVehicleMakeAlternatives(const std::vector<int>& candidates,
                                                            const CVariableSet& terms,
                                                            std::vector<std::vector<double>>& matrix, int type,
                                                            int group) {
    const auto* rows = m_pDataManager ? m_pDataManager->GetVehicleMakeRows(type * 10 + group) : nullptr;
    CVehicleMakeAndDriver::EvaluateVehicleMakeAlternatives(candidates, terms, matrix, rows);
}

void CHouseholdCoordinator::EvaluatePrimaryDriverAlternatives(const std::vector<int>& candidates,
                                                              const CVariableSet& terms,
                                                              std::vector<std::vector<double>>& matrix, int type,
                                                              int group, int make) {
    matrix.clear();
    if (!m_pHouseholdObject) return;
    const auto* rows = m_pDataManager ? m_pDataManager->GetVehicleMakeRows(type * 10 + group) : nullptr;
    CVehicleMakeAndDriver::EvaluatePrimaryDriverAlternatives(candidates, terms, matrix, *m_pHouseholdObject,
                                                             MakeRow(rows, make));
}
