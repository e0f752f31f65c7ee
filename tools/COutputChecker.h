#pragma once
// Checks a run's output as a whole: the ten files of every thread, read back
// against the input households and persons. Every line is checked for its
// fields and number format; the files are checked against each other (one
// person line, one at-home line and the right pattern line per person, the
// stop lines of each tour, the activity line of each stop, vehicle indices);
// the schedules for chaining of zones, activities and times within tours, for
// tours of one person that overlap, for the bounds of times and tour counts,
// for the activity flags of the stops, the tours' vehicle ids and the school
// escorts. Used by the tolvar-check-output program and by the tests of every
// region.

#include "household/COutputFileSet.h"

#include <array>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

class CDatabase;

class COutputChecker {
public:
    // Rules, in the order the report lists them (names in OutputCheckRules.cpp).
    enum Rule {
        kFieldCount,          // a line has the fields of its file
        kNumberFormat,        // every field is written as its kind is written
        kLineEnd,             // lines end with one "\n"
        kPersonLines,         // one person line per input person, in the file of its age
        kAtHomeLines,         // one at-home line per person, first of its activity lines
        kAtHomeFields,        // activity 18, arrival 0, time at home in the day, the home zone
        kPatternLines,        // workers, child-student and non-worker lines for the right persons
        kTourLines,           // tour lines per person as its pattern line counts them
        kStopLines,           // stop lines per tour = its stop count, numbered in order
        kActivityLines,       // one activity line per stop, equal to the stop's values
        kVehicleIndices,      // a household's vehicle lines are numbered 0..n-1
        kVehicleFields,       // type 1-9, group 1-6, distinct pairs, distinct drivers, -1 drivers last
        kZoneChaining,        // a stop's origin zone is the previous stop's zone
        kActivityChaining,    // a stop's origin activity is the previous stop's activity
        kTimeChaining,        // a stop departs when the previous one has ended (floored fields)
        kFirstStopOrigin,     // a tour starts at home, at work or (a child's ride home) at school
        kTimeBounds,          // no negative time, tours leaving within the day
        kTourCountBounds,     // at most 4 non-worker tours, 2 before-work and 2 work-based
        kNonWorkerTourOrder,  // a non-worker's tours leave in the order of the day
        kTourOverlap,         // a person's tours do not overlap: each ends by the time the next leaves
        kActivityFlag,        // a stop of activity 0-9 has its person flag set
        kTourVehicleId,       // a driven tour names the driver's vehicle, others -1
        kDropOffAdult,        // the drop-off field of an adult and its escort stop agree
        kPickUpAdult,         // the pick-up field of an adult and its escort stop agree
        kSchoolTimes,         // a child student's commutes meet the school times
        kJointTourShape,      // a joint tour: two stops from home back home, at most two a person
        kJointTourGroup,      // the tours of a joint activity share place, times and vehicle
        kSampledHouseholds,   // a household the replayed sample keeps has lines, one it skips has none
        kRuleCount
    };
    static const char* RuleName(Rule rule);

    struct InputHousehold {
        long long id = 0;
        int homeZone = 0;
        int vehicles = 0;  // the input fleet size (column 2)
    };
    struct InputPerson {
        long long household = 0;
        int number = 0;
        double age = 0.0;
        bool employed = false;  // column 2 not 0
    };
    // One thread's ten files as text, in stream order (COutputFileSet).
    using ThreadTexts = std::array<std::string, COutputFileSet::kStreamCount>;

    struct Violation {
        long count = 0;
        std::vector<std::string> examples;  // the first few, each with its line
    };
    struct Figures {
        long households = 0;
        long persons = 0;
        long tours = 0;
        long stops = 0;
        long vehicles = 0;
        long fleetSizeDiffers = 0;  // households whose vehicle lines differ from column 2
    };

    // Input: the households and persons tables of the database (by column
    // position), and the household ids in the order the run pages them (home
    // zone, then id). False, with the reason, when they cannot be read.
    bool ReadInput(CDatabase& database, std::string& error);
    void AddHousehold(const InputHousehold& household);
    void AddPerson(const InputPerson& person);

    // Checks a sampled run: replays the run's sampling draw at `rate` over the
    // pages of its household loops (ten, or one over every household), each
    // loop starting its draw afresh and drawing once per household read. Only
    // the households the replay keeps are checked and counted; the others must
    // have no lines. Without a call every household is taken as simulated.
    void ReplaySample(double rate, bool singleLoop);

    // Output: the files "<name><thread>" of the folder for every thread whose
    // Adults file exists; the number of threads read (0 for a folder that
    // cannot be read).
    int ReadRunFolder(const std::filesystem::path& folder);
    void AddThread(const ThreadTexts& texts);

    // Runs every rule over what was added; true when none is violated.
    bool Check();
    const Violation& ViolationOf(Rule rule) const { return m_violations[rule]; }
    const Figures& GetFigures() const { return m_figures; }
    // Each violated rule with its count and first examples, then the figures;
    // the last line says so when every rule holds.
    std::string Report() const;

private:
    using Fields = std::vector<double>;
    using PersonKey = std::pair<long long, int>;
    struct Stop {
        Fields f;
        std::string text;
    };
    struct Tour {
        Fields f;
        std::string text;
        std::vector<Stop> stops;
    };
    struct PersonOutput {
        int personLines = 0;
        bool adultFile = false;
        Fields person;
        std::string personText;
        int patternLines = 0;
        int patternStream = -1;
        Fields pattern;
        std::string patternText;
        int atHomeLines = 0;
        Fields atHome;
        std::string atHomeText;
        std::vector<Tour> tours;
    };
    struct VehicleLine {
        Fields f;
        std::string text;
    };

    void Violate(Rule rule, const std::string& example);
    std::vector<std::pair<Fields, std::string>> ParseStream(const std::string& text, int stream);
    PersonOutput& Output(const Fields& f) { return m_outputs[{static_cast<long long>(f[0]), static_cast<int>(f[1])}]; }
    void ReadThreadSchedules(const std::vector<std::pair<Fields, std::string>>& tours,
                             const std::vector<std::pair<Fields, std::string>>& stops,
                             const std::vector<std::pair<Fields, std::string>>& activities);
    void CheckPerson(const InputPerson& input, const InputHousehold* household, PersonOutput& output);
    void CheckTour(const InputPerson& input, const PersonOutput& output, const Tour& tour, bool childCommute);
    void CheckTourOverlap(const PersonOutput& output);
    void CheckEscorts(const InputHousehold& household, const std::vector<const InputPerson*>& members);
    void CheckJointTours(const InputHousehold& household, const std::vector<const InputPerson*>& members);
    void CheckVehicles(const InputHousehold& household, const std::vector<VehicleLine>& lines);


    bool HasLines(long long household, const std::vector<const InputPerson*>& members);

    std::map<long long, InputHousehold> m_households;
    std::vector<long long> m_pageOrder;
    bool m_sampleReplayed = false;
    std::set<long long> m_skipped;  // households the replayed sample skips
    std::map<PersonKey, InputPerson> m_persons;
    std::map<PersonKey, int> m_positions;  // 1-based position in the household by person number
    std::map<PersonKey, PersonOutput> m_outputs;
    std::map<long long, std::vector<VehicleLine>> m_vehicleLines;
    std::array<Violation, kRuleCount> m_violations;
    Figures m_figures;
};
