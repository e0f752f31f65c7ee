// The joint-activity steps of the per-household driver (steps 11 to 13) and of
// the person schedule pass. Until they land the household's joint-activity
// records are neither arranged, scheduled nor given a vehicle, and no joint
// tour is added to a pattern.

#include "household/CHouseholdCoordinator.h"
#include "household/CJointActivityRecord.h"

void CHouseholdCoordinator::SimulateJointTravelArrangement(CHouseholdObject*) {}

void CHouseholdCoordinator::ScheduleJointActivities(CHouseholdObject*) {}

void CHouseholdCoordinator::SimulateJointTourVehicles() {}

void CHouseholdCoordinator::EvaluateJointTourVehicleAlternatives(const std::vector<int>&, const CVariableSet&,
                                                                 std::vector<std::vector<double>>& matrix,
                                                                 CJointActivityRecord) {
    matrix.clear();
}

void CHouseholdCoordinator::CollectPersonJointActivities(CPersonObject*, CHouseholdObject*, CModelSystem*,
                                                         CHouseholdCoordinator*) {}
