#pragma once
// The vehicle steps of the per-household driver: the fleet (with its repeats
// until the size matches the household's vehicle count), the fleet size
// written back to the household and its members, then every vehicle's make
// and primary driver. One instance per worker thread keeps the buffers and
// the thread's once-only warning about absent coefficients.

#include "vehicles/CVehicleFleetSimulator.h"
#include "vehicles/CVehicleMakeAndDriver.h"

class CHouseholdObject;
class CInputDataManager;
class CModelSystem;

class CHouseholdVehicles {
public:
    // The instance of the calling thread.
    static CHouseholdVehicles& ForThisThread();

    // Fleet step: draws the fleet (up to 101 attempts), sets household column
    // 2 to the fleet size and column 14 of every member aged 16 or more to
    // vehicles per household column 1. Returns the number of attempts made.
    int SimulateFleet(CHouseholdObject& household, CInputDataManager* manager, CModelSystem& models);

    // Make and primary driver of every vehicle, in list order.
    void AssignMakesAndDrivers(CHouseholdObject& household, CInputDataManager* manager, CModelSystem& models);

    // Column 2 := fleet size; for the members 1 to min(column 9, members held)
    // aged 16 or more, column 14 := column 2 / column 1, where a column 1 of
    // 0 is replaced by the number of members aged 16 or more (0.0 when there
    // is none).
    static void StoreFleetSize(CHouseholdObject& household);

    CVehicleFleetSimulator& Fleet() { return m_fleet; }

private:
    CVehicleFleetSimulator m_fleet;
    CVehicleMakeAndDriver m_makeAndDriver;
};
