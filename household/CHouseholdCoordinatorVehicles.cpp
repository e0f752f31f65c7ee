// The vehicle steps of the per-household driver (steps 3 and 4) and the
// evaluations they use; the work is done by the thread's vehicle simulation
// (vehicles/CHouseholdVehicles).

#include "household/CHouseholdCoordinator.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "household/CJointActivityRecord.h"
#include "vehicles/CHouseholdVehicles.h"

namespace {

const std::vector<double>* MakeRow(const std::vector<std::vector<double>>* rows, int make) {
    if (!rows || make < 0 || static_cast<std::size_t>(make) >= rows->size()) return nullptr;
    return &(*rows)[static_cast<std::size_t>(make)];
}

// Level-of-service column read as the distance of a joint tour, at 9:00.
constexpr int kJointTourDistanceColumn = 4;
constexpr double kJointTourDistanceTime = 540.0;

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

void CHouseholdCoordinator::EvaluateJointTourVehicleAlternatives(const std::vector<int>& candidates,
                                                                 const CVariableSet& terms,
                                                                 std::vector<std::vector<double>>& matrix,
                                                                 CJointActivityRecord record) {
    matrix.clear();
    if (!m_pHouseholdObject) return;
    const CHouseholdObject& household = *m_pHouseholdObject;
    thread_local std::vector<int> place(1);
    thread_local std::vector<double> distances;
    thread_local std::vector<const std::vector<double>*> makeRows;
    place[0] = record.m_nZone;
    distances.clear();
    if (m_pDataManager)
        m_pDataManager->GetLOS(distances, kJointTourDistanceColumn, kJointTourDistanceTime, household.GetHomeZone(),
                               place);
    // A candidate outside the fleet, or a make of -1 or past its key's rows,
    // has no make row.
    makeRows.clear();
    for (int index : candidates) {
        const CVehicleRecord* vehicle = index >= 0 && static_cast<std::size_t>(index) < household.m_vehicles.size()
                                            ? &household.m_vehicles[static_cast<std::size_t>(index)]
                                            : nullptr;
        const auto* rows = vehicle && m_pDataManager
                               ? m_pDataManager->GetVehicleMakeRows(vehicle->m_type * 10 + vehicle->m_group)
                               : nullptr;
        makeRows.push_back(vehicle ? MakeRow(rows, vehicle->m_make) : nullptr);
    }
    CVehicleMakeAndDriver::EvaluateJointTourVehicleAlternatives(makeRows, terms, matrix, record.GetParticipantCount(),
                                                                distances.empty() ? 0.0 : distances.front());
}
