#pragma once
// Column layout of the input tables that the sample-region generator writes.
// The simulator reads input rows by column position, so the order of every
// list below is part of the input format (tools/sample-region-schema.md says
// what each column means and which rules the values keep). Only the key
// columns are read by name: hid, zone_id, zid, orig_zon, dest_zon, adjacent,
// end_t, tbname, and VehicleMake's type and age.

#include <array>
#include <string_view>

namespace SampleRegionSchema {

inline constexpr std::string_view kHouseholds = "households";
inline constexpr std::string_view kPersons = "persons";
inline constexpr std::string_view kZones = "zones";
inline constexpr std::string_view kZone2Zone = "zone2zone";
inline constexpr std::string_view kLosDir = "losdir";
inline constexpr std::string_view kVehicleMake = "VehicleMake";

// Periods of the day: one level-of-service table each. A period serves the
// times below its end time (minutes); the last one ends above 1439.
struct Period {
    int endTime;
    std::string_view table;
    double congestion;  // auto travel time over free-flow time
    bool peak;          // tolls are charged in the peaks
};
inline constexpr std::array<Period, 4> kPeriods{{
    {360, "los_early", 1.0, false},
    {540, "los_am", 1.3, true},
    {960, "los_midday", 1.1, false},
    {1440, "los_pm", 1.35, true},
}};

// households
namespace Hh {
enum : int { Id = 0, Adults, Vehicles, Zone, Workers, Type, Children, Income, Students, Persons, Count };
}
inline constexpr std::array<std::string_view, Hh::Count> kHouseholdColumns{
    "hid", "num_adults", "num_vehicles", "zone_id", "num_workers",
    "hh_type", "num_children", "income", "num_students", "num_persons"};

// persons: 59 columns; the ones without a meaning for the simulator are
// spare attributes held at 0.
namespace Pn {
enum : int {
    HouseholdId = 0,
    Number = 1,
    Employed = 2,
    Student = 3,
    License = 4,
    WorkZone = 5,
    SchoolZone = 6,
    Female = 7,
    Age = 8,
    Parent = 9,
    UsBorn = 10,
    White = 11,
    EnglishAtHome = 12,
    Disabled = 13,
    VehiclesPerAdult = 14,
    HighFlexibility = 15,
    WorksAtHome = 24,
    Education = 30,
    Mother = 35,
    Father = 36,
    TransitPass = 42,
    Over40Hours = 48,
    CollegeZone = 52,
    SomeCollege = 56,
    Bachelor = 57,
    Postgraduate = 58,
    Count = 59
};
}
inline constexpr std::array<std::string_view, Pn::Count> kPersonColumns{
    "hid",        "pnum",       "employed",   "student",    "license",    "work_zone",
    "school_zone", "female",    "age",        "parent",     "us_born",    "white",
    "english_home", "disabled", "veh_per_adult", "high_flex", "p16",      "p17",
    "p18",        "p19",        "p20",        "p21",        "p22",        "p23",
    "works_home", "p25",        "p26",        "p27",        "p28",        "p29",
    "edu_level",  "p31",        "p32",        "p33",        "p34",        "mother",
    "father",     "p37",        "p38",        "p39",        "p40",        "p41",
    "transit_pass", "p43",      "p44",        "p45",        "p46",        "p47",
    "work_40plus", "p49",       "p50",        "p51",        "college_zone", "p53",
    "p54",        "p55",        "some_college", "bachelor", "postgrad"};

// zones: 45 columns
namespace Zn {
enum : int {
    Id = 0,
    DistShop = 1,
    Area = 2,
    AccRetailService = 3,
    Households = 4,
    PopAccess = 5,
    CbdCity1 = 6,
    CbdCity2 = 7,
    TotalEmp = 8,
    MedianIncome = 9,
    Population = 10,
    BasicEmp = 11,
    RetailEmp = 12,
    ServiceEmp = 13,
    EducationEmp = 14,
    OtherEmp = 15,
    SchoolEnrol = 16,
    CollegeEnrol = 17,
    TransitService = 18,
    TimeShop = 19,
    CostShop = 20,
    RetailAccessShop = 21,
    ParkingCost = 22,
    X = 23,
    Y = 24,
    Density = 25,
    Intersections = 26,
    LandMix = 27,
    ParkArea = 28,
    FirstWithin10 = 29,  // columns 29 to 44: totals over the zones within 10 minutes
    Count = 45
};
}
inline constexpr std::array<std::string_view, Zn::Count> kZoneColumns{
    "zid",        "dist_shop",   "area",       "acc_retserv", "tot_hh",      "pop_access",
    "cbd_city1",  "cbd_city2",   "tot_emp",    "med_income",  "population",  "basic_emp",
    "retail_emp", "service_emp", "edu_emp",    "other_emp",   "school_enrol", "college_enrol",
    "transit",    "tt_shop",     "tc_shop",    "retacc_shop", "parking_cost", "x_coord",
    "y_coord",    "density",     "intersections", "land_mix", "park_area",   "agr_emp10",
    "tot_emp10",  "ind_emp10",   "whs_emp10",  "ret_emp10",   "trn_emp10",   "fin_emp10",
    "hlth_emp10", "prof_emp10",  "edu_emp10",  "gov_emp10",   "ent_emp10",   "food_emp10",
    "pop10",      "hh10",        "stops10"};

// zone2zone
namespace Zz {
enum : int { Orig = 0, Dest, Adjacent, Distance, Count };
}
inline constexpr std::array<std::string_view, Zz::Count> kZone2ZoneColumns{"orig_zon", "dest_zon", "adjacent",
                                                                           "dist"};

// level-of-service tables (one per period)
namespace Los {
enum : int {
    Orig = 0,
    Dest,
    Intrazonal,
    Adjacent,
    Distance,
    AutoTime,
    AutoTimeFreeFlow,
    TransitAvailable,
    TransitTime,
    TransitWait,
    TransitFare,
    AutoCost,
    ParkingCost,
    Toll,
    Count
};
}
inline constexpr std::array<std::string_view, Los::Count> kLosColumns{
    "orig_zon",  "dest_zon",    "intrazonal",  "adjacent",     "distance",     "auto_time", "auto_time_ff",
    "trn_avail", "trn_time",    "trn_wait",    "trn_fare",     "auto_cost",    "parking_cost", "toll"};

// losdir
inline constexpr std::array<std::string_view, 2> kLosDirColumns{"end_t", "tbname"};

// VehicleMake: 32 columns; rows of one key type x 10 + age stand together.
namespace Vm {
enum : int {
    MakeType = 0,
    Type = 1,
    Age = 2,
    Seats = 3,
    Doors = 4,
    Mpg = 5,
    Weight = 6,
    Length = 7,
    Width = 8,
    Height = 9,
    Cylinders = 10,
    FuelTank = 11,
    EngineSize = 12,
    Horsepower = 13,
    Price = 14,
    Luggage = 15,
    MarketShare = 16,
    FirstDummy = 17,  // columns 17 to 31: 0/1 make features
    Count = 32
};
}
inline constexpr std::array<std::string_view, Vm::Count> kVehicleMakeColumns{
    "maketype",    "type",        "age",        "seats",      "doors",     "mpg",        "weight",
    "length",      "width",       "height",     "cylinders",  "fuel_tank", "engine_size", "horsepower",
    "price",       "luggage",     "market_share", "domestic", "european",  "asian",      "luxury",
    "sporty",      "hybrid",      "suv",        "minivan",    "pickup",    "compact",    "midsize",
    "fullsize",    "wagon",       "convertible", "awd"};

inline constexpr int kVehicleTypes = 9;   // type 1 to 9
inline constexpr int kVehicleGroups = 6;  // age (vehicle group) 1 to 6

}  // namespace SampleRegionSchema
