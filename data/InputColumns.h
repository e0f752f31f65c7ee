#pragma once
// Positions of the households, persons and zones columns that the simulation's
// own code reads (columns a model file names through variable IDs come on
// top), each with what the simulation takes it to hold. The tables are read by
// position, so a table narrower than its widest column read cannot be
// simulated: the table load checks the widths against the widest of the
// columns listed here, whatever the model file. Code that reads a column of
// these tables names it here, so the check, and the list of columns read in
// docs/input-data.md, grow with the readers.

#include <algorithm>
#include <string_view>

namespace InputColumns {

// A column the simulation reads and what it holds.
struct ColumnRead {
    int column;
    std::string_view meaning;
};

// households
constexpr int kHouseholdId = 0;
constexpr int kAdultCount = 1;
constexpr int kVehicleCount = 2;
constexpr int kHomeZone = 3;
constexpr int kHouseholdType = 5;
constexpr int kIncome = 7;
constexpr int kPersonCount = 9;  // number of members, compared with the persons rows

inline constexpr ColumnRead kHouseholdColumnsRead[] = {
    {kHouseholdId, "id"},
    {kAdultCount, "number of adults (members aged 16 or more)"},
    {kVehicleCount, "number of vehicles (the fleet size to draw)"},
    {kHomeZone, "home zone (the same as `zone_id`)"},
    {kHouseholdType, "household type, a whole number 0 to 23 (it chooses the simulator of the household: single, "
                     "couple or other, with or without children; 0 a generic household)"},
    {kIncome, "income in thousands"},
    {kPersonCount, "number of persons (compared with the `persons` rows)"},
};

// persons
constexpr int kPersonHouseholdId = 0;
constexpr int kPersonNumber = 1;
constexpr int kEmployed = 2;
constexpr int kStudent = 3;
constexpr int kLicence = 4;
constexpr int kWorkZone = 5;
constexpr int kSchoolZone = 6;
constexpr int kFemale = 7;
constexpr int kAge = 8;
constexpr int kParent = 9;
constexpr int kUsBorn = 10;
constexpr int kWhite = 11;
constexpr int kEnglishAtHome = 12;
constexpr int kDisabled = 13;
constexpr int kVehiclesPerAdult = 14;
constexpr int kHighWorkFlexibility = 15;
constexpr int kWorksAtHome = 24;
constexpr int kMother = 35;
constexpr int kFather = 36;
constexpr int kLongWorkHours = 48;
constexpr int kCollegeZone = 52;
constexpr int kSomeCollege = 56;
constexpr int kBachelor = 57;
constexpr int kPostgraduate = 58;

inline constexpr ColumnRead kPersonColumnsRead[] = {
    {kPersonHouseholdId, "household id"},
    {kPersonNumber, "person number (1 to n within the household)"},
    {kEmployed, "employed (1)"},
    {kStudent, "student (1)"},
    {kLicence, "driving licence (1)"},
    {kWorkZone, "work zone"},
    {kSchoolZone, "school zone"},
    {kFemale, "female (1)"},
    {kAge, "age (under 16 is a child)"},
    {kParent, "parent (1; it decides who escorts the children)"},
    {kUsBorn, "born in the country (1)"},
    {kWhite, "white (1)"},
    {kEnglishAtHome, "English spoken at home (1)"},
    {kDisabled, "disabled (1)"},
    {kVehiclesPerAdult, "vehicles per adult (0: may not drive; the simulation writes it for each adult)"},
    {kHighWorkFlexibility, "high work flexibility (1)"},
    {kWorksAtHome, "works at home at times (1)"},
    {kMother, "mother (1)"},
    {kFather, "father (1)"},
    {kLongWorkHours, "works more than 40 hours a week (1)"},
    {kCollegeZone, "college zone"},
    {kSomeCollege, "some college (1)"},
    {kBachelor, "bachelor's degree (1)"},
    {kPostgraduate, "postgraduate degree (1)"},
};

// zones (column 0 is the zone id, read by its name zid)
constexpr int kZoneShopDistance = 1;
constexpr int kZoneRetailServiceAccess = 3;
constexpr int kZonePopulationAccess = 5;
constexpr int kZoneFirstCityCbd = 6;
constexpr int kZoneSecondCityCbd = 7;
constexpr int kZoneMedianIncome = 9;
constexpr int kZonePopulation = 10;
constexpr int kZoneRetailJobs = 12;
constexpr int kZoneServiceJobs = 13;
constexpr int kZoneShopTravelTime = 19;
constexpr int kZoneShopTravelCost = 20;
constexpr int kZoneShopRetailAccess = 21;
constexpr int kZoneAgricultureJobsNear = 29;
constexpr int kZoneJobsNear = 30;
constexpr int kZoneRetailJobsNear = 33;
constexpr int kZoneTransportJobsNear = 34;
constexpr int kZoneHealthJobsNear = 36;
constexpr int kZoneProfessionalJobsNear = 37;
constexpr int kZoneEducationJobsNear = 38;
constexpr int kZoneGovernmentJobsNear = 39;
constexpr int kZoneEntertainmentJobsNear = 40;
constexpr int kZoneFoodJobsNear = 41;
constexpr int kZoneTransitStopsNear = 44;

// Who reads a zones column: the household activity generation (of the home
// zone), the computed variables of the home zone, and the location-choice
// variables (of each candidate zone).
enum ZoneReader : unsigned {
    kActivityGeneration = 1,
    kHomeZoneVariables = 2,
    kCandidateZoneVariables = 4,
};

struct ZoneColumnRead {
    int column;
    std::string_view meaning;
    unsigned readers;
};

// "Near": within 10 minutes of the zone by midday auto time.
inline constexpr ZoneColumnRead kZoneColumnsRead[] = {
    {kZoneShopDistance, "distance to the nearest major shopping zone", kHomeZoneVariables},
    {kZoneRetailServiceAccess, "accessibility to retail and service employment",
     kActivityGeneration | kHomeZoneVariables},
    {kZonePopulationAccess, "population accessibility", kActivityGeneration | kCandidateZoneVariables},
    {kZoneFirstCityCbd, "business district of the first city (1)", kActivityGeneration | kCandidateZoneVariables},
    {kZoneSecondCityCbd, "business district of the second city (1)", kCandidateZoneVariables},
    {kZoneMedianIncome, "median household income in dollars", kActivityGeneration},
    {kZonePopulation, "population (its logarithm is taken)", kActivityGeneration | kCandidateZoneVariables},
    {kZoneRetailJobs, "retail employment (the logarithm of retail + service is taken)", kCandidateZoneVariables},
    {kZoneServiceJobs, "service employment", kCandidateZoneVariables},
    {kZoneShopTravelTime, "travel time to the nearest major shopping zone", kHomeZoneVariables},
    {kZoneShopTravelCost, "travel cost to the nearest major shopping zone", kHomeZoneVariables},
    {kZoneShopRetailAccess, "retail access of the nearest major shopping zone", kHomeZoneVariables},
    {kZoneAgricultureJobsNear, "agricultural employment within 10 minutes", kCandidateZoneVariables},
    {kZoneJobsNear, "total employment within 10 minutes", kActivityGeneration},
    {kZoneRetailJobsNear, "retail employment within 10 minutes", kActivityGeneration | kCandidateZoneVariables},
    {kZoneTransportJobsNear, "transportation employment within 10 minutes",
     kActivityGeneration | kCandidateZoneVariables},
    {kZoneHealthJobsNear, "health employment within 10 minutes", kActivityGeneration},
    {kZoneProfessionalJobsNear, "professional employment within 10 minutes", kCandidateZoneVariables},
    {kZoneEducationJobsNear, "education employment within 10 minutes", kActivityGeneration | kCandidateZoneVariables},
    {kZoneGovernmentJobsNear, "government employment within 10 minutes", kActivityGeneration},
    {kZoneEntertainmentJobsNear, "entertainment employment within 10 minutes", kActivityGeneration},
    {kZoneFoodJobsNear, "food employment within 10 minutes", kCandidateZoneVariables},
    {kZoneTransitStopsNear, "transit stops within 10 minutes", kCandidateZoneVariables},
};

// The widest column of a list.
template <typename Row, std::size_t N>
constexpr int Widest(const Row (&columns)[N]) {
    return std::ranges::max(columns, {}, &Row::column).column;
}

constexpr int kWidestHouseholdColumn = Widest(kHouseholdColumnsRead);
constexpr int kWidestPersonColumn = Widest(kPersonColumnsRead);
constexpr int kWidestZoneColumn = Widest(kZoneColumnsRead);

}  // namespace InputColumns
