#include "vehicles/CHouseholdVehicles.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "data/InputColumns.h"
#include "vehicles/VehicleColumns.h"

#include <algorithm>
#include <cmath>

CHouseholdVehicles& CHouseholdVehicles::ForThisThread() {
    thread_local CHouseholdVehicles instance;
    return instance;
}

int CHouseholdVehicles::SimulateFleet(CHouseholdObject& household, CInputDataManager* manager,
                                      CModelSystem& models) {
    const int attempts = m_fleet.SimulateFleet(household, manager, models);
    StoreFleetSize(household);
    return attempts;
}

void CHouseholdVehicles::AssignMakesAndDrivers(CHouseholdObject& household, CInputDataManager* manager,
                                               CModelSystem& models) {
    m_makeAndDriver.Assign(household, manager, models);
}

void CHouseholdVehicles::StoreFleetSize(CHouseholdObject& household) {
    household.SetValue(2, static_cast<double>(household.m_vehicles.size()));
    const double declared = household.GetValue(9);
    const int held = household.GetPersonCount();
    // The loop runs while the count so far is below column 9, bounded by the
    // members actually held.
    int members = 0;
    while (members < held && static_cast<double>(members) < declared) ++members;

    const auto isAdult = [](const CPersonObject& p) { return ColumnOrZero(&p.GetValues(), InputColumns::kAge) >= 16.0; };
    double divisor = household.GetValue(1);
    if (divisor == 0.0) {
        divisor = static_cast<double>(std::count_if(household.GetPersons().begin(), household.GetPersons().end(),
                                                       [&](const auto& p) { return isAdult(*p); }));
    }
    const double share = divisor == 0.0 ? 0.0 : household.GetValue(2) / divisor;
    for (int p = 1; p <= members; ++p) {
        CPersonObject* person = household.GetPerson(p);
        if (isAdult(*person) && person->GetValues().size() > 14) person->SetValue(14, share);
    }
}
