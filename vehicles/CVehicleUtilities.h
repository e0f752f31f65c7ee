#pragma once
// The baseline utilities of the 54 vehicle alternatives of a household: the
// utility constants of type and group, the household terms, the member-band
// terms counted once per member in the band, and the driver log-sum term.
// Computed once per household; the fleet's attempts only redraw the random
// parts.

#include "vehicles/CDriverLogSum.h"
#include "vehicles/CVehiclePersonSummary.h"
#include "vehicles/VehicleAlternatives.h"
#include "vehicles/VehicleUtilityTable.h"

#include <array>
#include <span>

class CVehicleUtilities {
public:
    // The household values the utility terms multiply, by VehicleHouseholdValue
    // (entry One is 1.0).
    using HouseholdValues = std::array<double, kVehicleHouseholdValueCount>;

    // out[k] = baseline utility of alternative k. `b` holds the 82 coefficients
    // of IDs 38001 to 38082 and `d` the 34 of IDs 90001 to 90034; a shorter
    // vector reads 0.0 beyond its end.
    void Compute(std::span<const double> b, std::span<const double> d, const HouseholdValues& household,
                 std::span<const CVehiclePersonSummary> members, std::span<double, VehicleAlternatives::kCount> out);

    // The number of members in each band of the member-band terms.
    static std::array<int, kVehicleMemberBandCount> CountBands(std::span<const CVehiclePersonSummary> members);

private:
    CDriverLogSum m_logSum;
};
