#pragma once
// The terms of the baseline utilities of the 54 vehicle alternatives, as
// constant rows: each row names the position of its coefficient in the
// "vehicleMDCEV" coefficient vector b (variable ID 38001 + position), what the
// coefficient multiplies and the alternatives it belongs to. An alternative's
// utility, before the driver log-sum, is the sum over the rows that contain
// it. A coefficient may stand in several rows: b[15] is the adult term without
// column 7 of type indices 1 and 2, b[25] the infant term of type index 4 and
// of (group index 5, type index 5), b[59] stands in group index 1 and in type
// index 2 of group indices 2 to 5.

#include "vehicles/VehicleAlternatives.h"

#include <span>

// What a household-level coefficient multiplies.
enum class VehicleHouseholdValue {
    One,                       // a utility constant
    HouseholdColumn7,
    MeanCommuteLos,
    WorkerCount,
    AllColumn10,
    AllColumn11,
    AllColumn12,
    AnyColumn58One,
    AnyColumn57OneOrColumn56,
};
inline constexpr int kVehicleHouseholdValueCount = 9;

// Member bands: a band's coefficient is added once for every member in it.
enum class VehicleMemberBand {
    Infant,                // age <= 5
    YoungChild,            // 5 < age <= 10
    OlderChild,            // 10 < age < 16
    Adult,                 // age >= 16
    Senior,                // age > 65
    AdultWithoutColumn7,   // age >= 16 and column 7 clear
    WithoutColumn7,        // column 7 clear, any age
};
inline constexpr int kVehicleMemberBandCount = 7;

struct VehicleHouseholdTerm {
    int coefficient;  // position in b
    VehicleHouseholdValue value;
    VehicleAlternatives::Mask types;
    VehicleAlternatives::Mask groups;
};

struct VehicleMemberBandTerm {
    int coefficient;  // position in b
    VehicleMemberBand band;
    VehicleAlternatives::Mask types;
    VehicleAlternatives::Mask groups;
};

// Utility constants and household terms.
std::span<const VehicleHouseholdTerm> VehicleHouseholdTerms();
// Member-band terms.
std::span<const VehicleMemberBandTerm> VehicleMemberBandTerms();
