#pragma once
// One household of the small level-of-service region (zones 1 to 7) with a
// thread's data manager, model system and household simulator wired up as
// the household loop wires them, for the schedule and commute tests. The
// models start empty; the helpers below fix a model's outcome so that a test
// knows what each draw gives.

#include "support/TestDatabase.h"

#include "data/CInputDataManager.h"
#include "household/CGenericHousehold.h"
#include "modelsystem/CModelSystem.h"
#include "platform/CDatabase.h"

#include <memory>
#include <string>
#include <vector>

class COrdProbitMM;
class CTour;
class CRegressMM;
class CMNLogitMM;
class CWPattern;
class CNWPattern;

class WorkerDay {
public:
    static constexpr int kHomeZone = 4;
    static constexpr int kWorkZone = 6;
    static constexpr double kHouseholdId = 7001.0;

    explicit WorkerDay(const std::string& kind);
    ~WorkerDay();

    // A person row of 53 columns: person number, employed (column 2),
    // student (column 3), work zone (column 5), age (column 8), may drive
    // (column 14); the rest 0.
    static std::vector<double> Person(int number, bool employed, double age, bool driver = true);
    // Loads the household (home zone kHomeZone) with these members and makes
    // it the simulator's current one.
    CHouseholdObject& Load(const std::vector<std::vector<double>>& persons);

    // A member who goes to work (flag 0) with the given activity flags, a
    // worker pattern with both commutes, and the work start and duration.
    CWPattern& MakeWorker(int number, const std::vector<int>& activityFlags, double start, double duration);
    // A member who stays home, with the given activity flags and a non-worker pattern.
    CNWPattern& MakeNonWorker(int number, const std::vector<int>& activityFlags);

    // Fixes a model's outcome: an ordered probit's category, a regression's
    // whole minutes after exp, a multinomial logit's alternative.
    static void FixCategory(COrdProbitMM& model, int category);
    static void FixMinutes(CRegressMM& model, double minutes);
    static void FixChoice(CMNLogitMM& model, int alternative);
    // Every count, stay and mode model of the worker's and the non-worker's
    // tours fixed: one tour per period (categories `tours`), `stops` stops,
    // stays of `stay` minutes, mode `mode`.
    void FixTourModels(int tours, int stops, double stay, int mode);

    // The auto time of the test region from o to d at a time of day (the
    // directory's tables end at 360, 540, 960 and 1440).
    static double AutoTime(int o, int d, double time);
    // Arrival at the end of the tour's last leg.
    static double Arrival(const CTour& tour);
    // Every stop after the first leaves when the one before it ends, from its
    // zone and activity; with `fromWindow` the first leaves at the window
    // start + the stay before the tour.
    static void ExpectChained(const CTour& tour, const std::string& what, bool fromWindow);

    std::unique_ptr<TestDatabase> db;
    CDatabase connection;
    CInputDataManager data;
    CModelSystem models;
    std::unique_ptr<CGenericHousehold> simulator;
    std::unique_ptr<CHouseholdObject> household;
};
