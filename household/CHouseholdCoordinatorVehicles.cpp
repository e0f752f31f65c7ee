// The vehicle steps of the per-household driver (steps 3 and 4) and the
// evaluations they use. Until the vehicle simulation lands the fleet step is
// skipped whole: household column 2 and the adults' column 14 keep their input
// values, no retry runs, and no vehicle gets a make or a driver.

#include "household/CHouseholdCoordinator.h"

void CHouseholdCoordinator::SimulateVehicleHoldings() {}

void CHouseholdCoordinator::SimulateVehicleMakesAndDrivers() {}

void CHouseholdCoordinator::SimulateVehicleFleet(CHouseholdObject*, int) {}

void CHouseholdCoordinator::EvaluateVehicleMakeAlternatives(const std::vector<int>&, const CVariableSet&,
                                                            std::vector<std::vector<double>>& matrix, int, int) {
    matrix.clear();
}

void CHouseholdCoordinator::EvaluatePrimaryDriverAlternatives(const std::vector<int>&, const CVariableSet&,
                                                              std::vector<std::vector<double>>& matrix, int, int,
                                                              int) {
    matrix.clear();
}
