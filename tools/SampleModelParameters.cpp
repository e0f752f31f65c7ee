#include "tools/SampleModelParameters.h"

#include "models/CBLogitMM.h"
#include "models/CHazardMM.h"
#include "models/CLocationMM.h"
#include "models/CMNLogitMM.h"
#include "models/CMdcevMM.h"
#include "models/COrdProbitMM.h"
#include "models/CRegressMM.h"
#include "models/CStartAndEndTimeMM.h"
#include "modelsystem/CModelSystem.h"

#include <cmath>
#include <initializer_list>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace SampleModelParameters {

namespace {

// Variable IDs used below (source x 10000 + column or computed index).
constexpr int kConstant = 30000;            // constant(one)
constexpr int kWorker = 30012;              // worker
constexpr int kWorkDuration = 30015;        // work-based duration
constexpr int kHouseholdVehicles = 2;       // households.num_vehicles
constexpr int kHouseholdIncome = 7;         // households.income, thousands
constexpr int kHouseholdPersons = 9;        // households.num_persons
constexpr int kPersonEmployed = 10002;      // persons.employed
constexpr int kPersonLicence = 10004;       // persons.license
constexpr int kPersonFemale = 10007;        // persons.female
constexpr int kPersonAge = 10008;           // persons.age
constexpr int kPersonTransitPass = 10042;   // persons.transit_pass
constexpr int kZoneLandMix = 20027;         // zones.land_mix of the home zone
constexpr int kZoneTransit = 20018;         // zones.transit of the home zone

using Terms = std::vector<std::pair<int, double>>;

CVariableSet MakeTerms(const Terms& terms) {
    CVariableSet set;
    for (const auto& [id, coefficient] : terms) set.Add(id, coefficient);
    return set;
}

// A regression in log-minutes: the prediction's exponential is the minutes.
Terms LogMinutes(double minutes, Terms more = {}) {
    Terms terms{{kConstant, std::round(std::log(minutes) * 1000.0) / 1000.0}};
    terms.insert(terms.end(), more.begin(), more.end());
    return terms;
}

struct Regression {
    Terms terms;
    double variance;
};

// Utility terms of the stop and tour location choices (zone-pair variables).
const Terms kStopLocationTerms{
    {30165, -0.08},  // auto travel time to the stop
    {30167, -0.12},  // distance to the ultimate destination
    {30170, 0.4},    // same zone as the origin
    {30172, 0.6},    // ln(zonal retail + service employment)
};

const std::map<std::string, Regression>& Regressions() {
    static const std::map<std::string, Regression> table = [] {
        std::map<std::string, Regression> t;
        // Vehicles and work and school times.
        t["Household Annual Mileage"] = {{{kConstant, 2.2}, {kHouseholdVehicles, 0.15}, {kHouseholdIncome, 0.002}}, 0.2};
        t["Adult's school Start time"] = {LogMinutes(420.0), 0.05};
        t["Adult's School End time"] = {LogMinutes(300.0), 0.08};
        t["Children's school duration"] = {LogMinutes(390.0), 0.02};
        t["School to home commute time"] = {LogMinutes(12.0), 0.25};
        t["Home to school commute time"] = {LogMinutes(12.0), 0.25};
        // Child discretionary tours.
        t["Departure time from home for discretionary tour"] = {LogMinutes(660.0), 0.04};
        t["Activity duration at discretionary stop"] = {LogMinutes(60.0), 0.4};
        t["Travel time to discretionary stop"] = {LogMinutes(10.0), 0.3};
        // Joint activities.
        t["Joint activity Start time MDCEV"] = {LogMinutes(780.0), 0.03};
        t["Joint Activity Duration MDCEV"] = {LogMinutes(90.0), 0.3};
        t["Joint activity travel time to stop MDCEV"] = {LogMinutes(15.0), 0.3};
        t["Worker's Joint activity departure time from home"] = {LogMinutes(930.0), 0.01};
        t["Non Worker's Joint activity departure time from home"] = {LogMinutes(720.0), 0.03};
        t["Worker's Joint activity duration at stop"] = {LogMinutes(75.0), 0.3};
        t["Non Worker's Joint activity duration at stop"] = {LogMinutes(90.0), 0.3};
        // Taken in minutes, not as a logarithm.
        t["Worker's Joint activity travel time to stop"] = {{{kConstant, 14.0}}, 16.0};
        t["Non Worker's Joint activity travel time to stop"] = {LogMinutes(14.0), 0.3};
        // Worker tours and stays.
        t["BW Home Stay"] = {LogMinutes(60.0), 0.3};
        t["WB Work Stay"] = {LogMinutes(150.0), 0.2};
        t["AW Home Stay"] = {LogMinutes(90.0), 0.3};
        t["BW Tour Duration"] = {LogMinutes(75.0), 0.3};
        t["WB Tour Duration"] = {LogMinutes(45.0), 0.3};
        t["AW Tour Duration"] = {LogMinutes(100.0), 0.3};
        t["WH Commute Duration"] = {LogMinutes(35.0), 0.2};
        t["HW Commute Duration"] = {LogMinutes(30.0), 0.2};
        // Stops of commutes and worker tours.
        for (const char* kind : {"WH Commute", "HW Commute", "BW Tour", "WB Tour", "AW Tour"}) {
            const bool commute = std::string(kind).find("Commute") != std::string::npos;
            t[std::string(kind) + " Stop Activity Duration"] = {LogMinutes(commute ? 25.0 : 40.0), 0.4};
            t[std::string(kind) + " Stop Travel Time"] = {LogMinutes(12.0), 0.3};
        }
        // Non-worker tours.
        for (int tour = 1; tour <= 4; ++tour) {
            const std::string k = std::to_string(tour);
            t["Duration of Tour " + k] = {LogMinutes(tour == 1 ? 120.0 : 90.0), 0.3};
            t["Home Stay Duration before Tour " + k] = {
                LogMinutes(tour == 1 ? 150.0 : 100.0, {{kPersonAge, 0.002}}), 0.3};
            t["Tour " + k + " Stop Activity Duration"] = {LogMinutes(45.0), 0.4};
            t["Tour " + k + " Stop Travel Time"] = {LogMinutes(12.0), 0.3};
        }
        return t;
    }();
    return table;
}

const std::map<std::string, Terms>& BinaryLogits() {
    static const std::map<std::string, Terms> table = [] {
        std::map<std::string, Terms> t;
        t["Decision to go to Work"] = {{kConstant, 1.8}, {kPersonAge, 0.005}};
        t["Decision to go to School"] = {{kConstant, 2.5}};
        t["Adult's Decision to go to school"] = {{kConstant, 1.0}, {kPersonAge, -0.01}};
        t["Allocation of drop off episode to parent"] = {{kConstant, -0.2}, {kPersonFemale, 0.5}};
        t["Allocation of pick up episode to parent"] = {{kConstant, -0.1}, {kPersonFemale, 0.6}};
        t["Decision of child to undertake independent discretionary activity"] = {{kConstant, -1.6},
                                                                                  {kPersonAge, 0.05}};
        t["HH Shopping Activity Generation"] = {{kConstant, -0.4}, {kHouseholdPersons, 0.15}};
        t["Shopping Activity Allocation"] = {{kConstant, -0.2}, {kPersonFemale, 0.4}};
        t["Individual Other. Bus. Activity Generation"] = {{kConstant, -0.8}, {kPersonAge, 0.005}};
        t["Individual Social Activity Generation"] = {{kConstant, -1.0}, {kWorker, -0.3}};
        t["Individual Eat-out Activity Generation"] = {{kConstant, -1.4}, {kHouseholdIncome, 0.004}};
        t["Individual Serve-pax Activity Generation"] = {{kConstant, -1.5}, {kPersonLicence, 0.6}};
        t["Non Worker's Decision to undertake independent tour before pickup"] = {{kConstant, -1.0}};
        t["Non Worker's Decision to undertake independent tour after pickup"] = {{kConstant, -0.8}};
        // True chooses walking or cycling, false a ride.
        t["Mode for discretionary tour"] = {{kConstant, 0.3}, {kZoneLandMix, 0.8}};
        t["Separate travel or joint travel"] = {{kConstant, 0.2}};
        t["Zero Non-work Duration Households"] = {{kConstant, -1.5}, {kHouseholdPersons, -0.2}};

        // Coefficient holders read by ID. Fractional split of the free time:
        // 37001-37013 and 37023-37024 for the non-work share, 37014-37022
        // for the third alternative.
        t["FRACTION_SPLIT"] = {
            {37001, -0.4}, {37002, 0.1},   {37003, 0.05}, {37004, -0.05}, {37005, 0.02}, {37006, -0.1},
            {37007, 0.1},  {37008, 0.15},  {37009, 0.2},  {37010, 0.2},   {37011, 0.1},  {37012, -0.6},
            {37013, -0.3}, {37014, -1.2},  {37015, 0.05}, {37016, 0.05},  {37017, 0.05}, {37018, 0.1},
            {37019, 0.1},  {37020, 0.1},   {37021, -0.4}, {37022, -0.2},  {37023, 0.01}, {37024, 0.01}};
        // Vehicle holdings: 82 characteristic coefficients (38001-38082), the
        // translation constants of vehicle types 1 to 9 (38083-38091: cars
        // most common, pickups and vans rarer) and of groups 1 to 5
        // (38092-38096). Calibrated on the sample region (25 zones, 200
        // households, seed 1) so that nine households in ten with a licensed
        // member draw their number of vehicles within ten attempts: every
        // alternative is unlikely on its own (utility constants near -5),
        // large translation constants keep the fleet small, and each adult
        // without column 7 raises every type's utility by 0.5. Income enters
        // no utility.
        Terms vehicle;
        for (int j = 0; j < 82; ++j) {
            const double magnitude = 0.05 + 0.05 * (j % 5);
            const double small = (j % 3 == 1 ? -magnitude : magnitude) / 4.0;
            const bool typeConstant = j < 9;
            const bool adultWithoutColumn7 = j == 14 || j == 15 || (j >= 17 && j <= 22);
            const bool income = j >= 71;
            double value = small;
            if (typeConstant) value = 2.0 * small - 5.0;
            if (adultWithoutColumn7) value = 0.5;
            if (income) value = 0.0;
            vehicle.emplace_back(38001 + j, value);
        }
        const double typeConstants[9] = {3.0, 2.7, 2.5, 2.2, 2.1, 1.9, 1.7, 1.4, 1.0};
        for (int j = 0; j < 9; ++j) vehicle.emplace_back(38083 + j, typeConstants[j]);
        const double groupConstants[5] = {0.3, 0.2, 0.1, 0.0, -0.1};
        for (int j = 0; j < 5; ++j) vehicle.emplace_back(38092 + j, groupConstants[j]);
        t["vehicleMDCEV"] = vehicle;
        // Driver log-sum: 31 coefficients of driver characteristics
        // (90001-90031) and the three scales (90032-90034), never 0.
        Terms driver;
        for (int j = 0; j < 31; ++j) driver.emplace_back(90001 + j, (j % 2 == 0 ? 0.2 : -0.1) + 0.01 * (j % 7));
        driver.emplace_back(90032, 0.8);
        driver.emplace_back(90033, 0.6);
        driver.emplace_back(90034, 1.0);
        t["LogSum Primary Driver"] = driver;
        return t;
    }();
    return table;
}

// Location-type choices over candidate zones, vehicle makes, drivers and vehicles.
const std::map<std::string, Terms>& LocationModels() {
    static const std::map<std::string, Terms> table = [] {
        std::map<std::string, Terms> t;
        for (const char* kind : {"WH Commute", "HW Commute", "BW Tour", "WB Tour", "AW Tour"})
            t[std::string(kind) + " Stop Location (Auto mode)"] = kStopLocationTerms;
        for (int tour = 1; tour <= 4; ++tour)
            t["Tour " + std::to_string(tour) + " Stop Location (by Auto Mode)"] = kStopLocationTerms;
        t["Location choice for discretionary stop"] = {{30165, -0.15}, {30170, 0.8}, {30177, 0.3}};
        t["Worker's Joint activity location of stop"] = kStopLocationTerms;
        t["Non Worker's Joint activity location of stop"] = kStopLocationTerms;
        // Zone attributes of the candidate zones.
        t["Joint Activity Location MDCEV"] = {{kZoneLandMix, 0.8}, {kZoneTransit, 0.2}};
        // Columns of the make rows: miles per gallon, price (thousands),
        // market share; horsepower per litre.
        t["Vehicle Make"] = {{60005, 0.03}, {60014, -0.02}, {60016, 2.0}, {30709, 0.01}};
        // Workers drive the everyday cars, seniors less the large ones.
        t["Primary Driver"] = {{30741, 0.8}, {30742, 0.5}, {30744, 0.3}, {30701, -0.2}, {30745, 0.2}};
        // Length of the vehicle for large groups on long trips.
        t["Joint Tour Vehicle"] = {{30740, 0.02}};
        return t;
    }();
    return table;
}

// Ordered probits: a constant and ascending thresholds, one fewer than the
// model's categories (category 1 is none).
struct Probit {
    Terms terms;
    std::vector<double> thresholds;
};

const std::map<std::string, Probit>& OrderedProbits() {
    static const std::map<std::string, Probit> table = [] {
        std::map<std::string, Probit> t;
        t["WH Number of Stops"] = {{{kConstant, 0.0}, {kPersonFemale, 0.1}}, {0.7, 1.6}};
        t["HW Number of Stops"] = {{{kConstant, 0.0}}, {1.0, 1.9}};
        t["Number of Tours After Work"] = {{{kConstant, 0.0}, {kHouseholdPersons, -0.05}}, {0.6, 1.7}};
        t["Number of Tours Based at Work"] = {{{kConstant, 0.0}}, {1.1, 2.1}};
        t["Number of Tours Before Work"] = {{{kConstant, 0.0}}, {1.3, 2.3}};
        t["BW Tour Number of Stops"] = {{{kConstant, 0.0}}, {-0.3, 0.9, 1.6, 2.2}};
        t["WB Tour Number of Stops"] = {{{kConstant, 0.0}}, {-0.2, 1.0, 1.7, 2.3}};
        t["AW Tour Number of Stops"] = {{{kConstant, 0.0}}, {-0.4, 0.8, 1.5, 2.1}};
        t["Number of Tours NW"] = {{{kConstant, 0.0}, {kPersonAge, -0.003}}, {-0.6, 0.5, 1.3, 2.0}};
        for (int tour = 1; tour <= 4; ++tour)
            t["Number of Stops in Tour " + std::to_string(tour)] = {{{kConstant, 0.0}}, {-0.3, 0.9, 1.6, 2.2}};
        t["Number of Stops After Pickup or Dropoff"] = {{{kConstant, 0.0}}, {0.5, 1.4, 2.1}};
        return t;
    }();
    return table;
}

// Hazard durations: interval starts in minutes and the cumulative baseline
// hazard at each, with a constant of 0 and a heterogeneity variance of 0.5.
struct Hazard {
    std::vector<double> starts;
    std::vector<double> parameters;
};

const std::map<std::string, Hazard>& Hazards() {
    static const std::map<std::string, Hazard> table = {
        // Start of the school day, minutes after the day's start (about 7:15 to 8:30).
        {"Children's school Start time", {{255.0, 270.0, 285.0, 300.0, 315.0}, {0.05, 0.6, 2.5, 8.0, 30.0}}},
        // Length of the school day, minutes after its start.
        {"Children's school End time", {{330.0, 360.0, 380.0, 400.0, 420.0}, {0.05, 0.6, 2.5, 8.0, 30.0}}},
        {"Work Duration", {{360.0, 420.0, 480.0, 510.0, 540.0, 600.0}, {0.03, 0.3, 1.5, 4.0, 10.0, 40.0}}},
    };
    return table;
}

// Multinomial logits: the utility of each alternative; the lowest is the base.
std::map<int, Terms> AdultModeUtilities() {
    return {{0, {{kConstant, 0.0}, {kHouseholdVehicles, 0.4}}},
            {1, {{kConstant, -1.6}}},
            {2, {{kConstant, -2.2}, {kZoneLandMix, 1.0}}},
            {3, {{kConstant, -2.6}, {kPersonTransitPass, 1.5}, {kZoneTransit, 0.5}}},
            {7, {{kConstant, -1.3}, {kHouseholdPersons, 0.1}}}};
}

std::map<int, Terms> SchoolModeUtilities() {
    return {{2, {{kConstant, -0.6}, {kPersonAge, 0.05}}},
            {4, {{kConstant, 0.0}}},
            {5, {{kConstant, -1.2}}},
            {6, {{kConstant, 0.1}, {kPersonAge, 0.02}}}};
}

std::map<int, Terms> ActivityTypeUtilities() {
    return {{0, {{kConstant, 0.0}}},
            {1, {{kConstant, -0.4}}},
            {2, {{kConstant, -0.2}}},
            {3, {{kConstant, -0.6}, {kHouseholdIncome, 0.004}}},
            {4, {{kConstant, -0.8}, {kPersonLicence, 0.4}}},
            {5, {{kConstant, -1.2}}},
            {6, {{kConstant, -1.3}, {kPersonAge, -0.01}}},
            {7, {{kConstant, -1.0}}},
            {8, {{kConstant, -1.5}, {kPersonEmployed, 1.2}}},
            {9, {{kConstant, -0.3}}}};
}

void FillLogit(CMNLogitMM& model) {
    std::map<int, Terms> utilities;
    const auto& names = model.m_alternativeNames;
    // The tables differ in size: four school modes, five adult and tour modes
    // (with 7), ten activity types.
    if (names.size() == 4 && names.count(6) != 0)
        utilities = SchoolModeUtilities();
    else if (names.size() == 5 && names.count(7) != 0)
        utilities = AdultModeUtilities();
    else
        utilities = ActivityTypeUtilities();
    model.m_utilityFunctions.clear();
    for (const auto& [id, name] : names) {
        const auto found = utilities.find(id);
        if (found == utilities.end())
            throw std::logic_error("sample model file: no utility for alternative " + std::to_string(id) + " of " +
                                   model.m_name);
        model.m_utilityFunctions[id] = MakeTerms(found->second);
    }
    model.m_nAlternatives = static_cast<int>(model.m_utilityFunctions.size());
    model.m_nBaseAlternative = names.empty() ? 0 : names.begin()->first;
}

// Household activity generation. "MDCEV" (households under six persons): the
// constants of the joint types 0 to 7, the member-count terms; satiation
// values: nine log-gammas by type, then four group-size shifts. "MDCEV2":
// the constants of its types; nine gammas used as they are.
void FillMdcev(CMdcevMM& model) {
    if (model.m_name == "MDCEV") {
        model.m_terms = MakeTerms({{35001, -2.4},
                                   {35002, -2.0},
                                   {35003, -2.8},
                                   {35004, -2.6},
                                   {35005, -3.0},
                                   {35006, -3.2},
                                   {35007, -3.0},
                                   {35008, -2.9},
                                   {35037, 0.1},
                                   {35078, -0.3},
                                   {35079, -0.6},
                                   {35080, -0.9},
                                   {35081, -1.2}});
        model.m_satiationValues = {4.0, 4.2, 3.8, 4.0, 3.6, 4.4, 4.2, 4.0, 3.9, -0.1, -0.2, -0.3, -0.4};
    } else {
        model.m_terms = MakeTerms({{36001, -2.4},
                                   {36002, -2.0},
                                   {36003, -2.8},
                                   {36004, -2.6},
                                   {36005, -3.0},
                                   {36006, -3.2},
                                   {36007, -3.0},
                                   {36008, -2.9},
                                   {36010, 0.1}});
        model.m_satiationValues = {55.0, 65.0, 45.0, 55.0, 35.0, 80.0, 65.0, 55.0, 50.0};
    }
}

// The work start and end time: arrivals peak about five hours after the
// day's start (8:00), departures about fourteen (17:00); longer commutes
// weigh against a pair.
const Terms kWorkTimeTerms{
    {30264, 2.4},   // sin(2 pi arrival / 24)
    {30267, 0.65},  // cos(2 pi arrival / 24)
    {30270, -1.25}, // sin(2 pi departure / 24)
    {30273, -2.2},  // cos(2 pi departure / 24)
    {kWorkDuration, 1.0},
    {30017, -0.02},  // work to home auto time in the departure band
    {30018, -0.02},  // home to work auto time in the arrival band
};

}  // namespace

void Fill(CModelSystem& system) {
    for (const auto& pointer : system.GetModels()) {
        CModelModule& model = *pointer;
        const std::string& name = model.m_name;
        if (name.empty()) continue;  // the walk rules have no parameters
        if (auto* m = dynamic_cast<CRegressMM*>(&model)) {
            const auto found = Regressions().find(name);
            if (found == Regressions().end()) throw std::logic_error("sample model file: no regression " + name);
            m->m_terms = MakeTerms(found->second.terms);
            m->m_dVariance = found->second.variance;
        } else if (auto* m = dynamic_cast<CBLogitMM*>(&model)) {
            const auto found = BinaryLogits().find(name);
            if (found == BinaryLogits().end()) throw std::logic_error("sample model file: no binary logit " + name);
            m->m_terms = MakeTerms(found->second);
        } else if (auto* m = dynamic_cast<CLocationMM*>(&model)) {
            const auto found = LocationModels().find(name);
            if (found == LocationModels().end()) throw std::logic_error("sample model file: no location model " + name);
            m->m_terms = MakeTerms(found->second);
            m->m_fVariance = 1.0f;
        } else if (auto* m = dynamic_cast<COrdProbitMM*>(&model)) {
            const auto found = OrderedProbits().find(name);
            if (found == OrderedProbits().end() ||
                static_cast<int>(found->second.thresholds.size()) != m->m_nCategoryCount - 1)
                throw std::logic_error("sample model file: no ordered probit of its categories for " + name);
            m->m_terms = MakeTerms(found->second.terms);
            m->m_thresholds = found->second.thresholds;
        } else if (auto* m = dynamic_cast<CHazardMM*>(&model)) {
            const auto found = Hazards().find(name);
            if (found == Hazards().end()) throw std::logic_error("sample model file: no hazard model " + name);
            m->m_terms = MakeTerms({{kConstant, 0.0}});
            m->m_fVariance = 0.5f;
            m->m_nIntervalCount = static_cast<int>(found->second.starts.size()) + 1;
            m->m_intervalStarts = found->second.starts;
            m->m_intervalParameters = found->second.parameters;
        } else if (auto* m = dynamic_cast<CMNLogitMM*>(&model)) {
            FillLogit(*m);
        } else if (auto* m = dynamic_cast<CMdcevMM*>(&model)) {
            FillMdcev(*m);
        } else if (auto* m = dynamic_cast<CStartAndEndTimeMM*>(&model)) {
            m->m_terms = MakeTerms(kWorkTimeTerms);
        } else {
            throw std::logic_error("sample model file: no parameters for " + name);
        }
    }
}

}  // namespace SampleModelParameters
