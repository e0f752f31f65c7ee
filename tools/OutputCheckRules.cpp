#include "tools/OutputCheckRules.h"

#include "household/COutputFileSet.h"
#include "tools/COutputChecker.h"

#include <array>

namespace output_check {
namespace {

struct FileRow {
    int stream;
    std::string_view kinds;
};

// NOGO lines ("id,duration") are not tab-separated records: not checked.
constexpr std::array<FileRow, COutputFileSet::kStreamCount> kFiles = {{
    {COutputFileSet::kAdults, "UIBBBBBBBBBBBBBB"},
    {COutputFileSet::kChildren, "UIBBB"},
    {COutputFileSet::kWorkers, "UIDDIII"},
    {COutputFileSet::kChildStudents, "UIDDBB"},
    {COutputFileSet::kNonWorkers, "UII"},
    {COutputFileSet::kTours, "UIIFIFIIII"},
    {COutputFileSet::kStops, "UIIIIFFFIIDI"},
    {COutputFileSet::kActivity, "UIIFFI"},
    {COutputFileSet::kNogo, ""},
    {COutputFileSet::kVehicles, "UIIIIID"},
}};

struct RuleRow {
    int rule;
    const char* text;
};

constexpr std::array<RuleRow, COutputChecker::kRuleCount> kRules = {{
    {COutputChecker::kFieldCount, "field count of a line"},
    {COutputChecker::kNumberFormat, "number format of a field"},
    {COutputChecker::kLineEnd, "line end"},
    {COutputChecker::kPersonLines, "one person line per person, in the file of its age"},
    {COutputChecker::kAtHomeLines, "one at-home line per person"},
    {COutputChecker::kAtHomeFields, "at-home line: activity 18, arrival 0, time in the day, home zone"},
    {COutputChecker::kPatternLines, "pattern line of the right kind per person"},
    {COutputChecker::kTourLines, "tour lines per person as its pattern line counts"},
    {COutputChecker::kStopLines, "stop lines per tour, numbered in order"},
    {COutputChecker::kActivityLines, "activity line of each stop"},
    {COutputChecker::kVehicleIndices, "vehicle indices 0..n-1 per household"},
    {COutputChecker::kVehicleFields, "vehicle type, group and primary driver"},
    {COutputChecker::kZoneChaining, "origin zone is the previous stop's zone"},
    {COutputChecker::kActivityChaining, "origin activity is the previous stop's activity"},
    {COutputChecker::kTimeChaining, "departure follows the previous stop's end"},
    {COutputChecker::kFirstStopOrigin, "first stop leaves home, work or school"},
    {COutputChecker::kTimeBounds, "times not negative, tours leaving within the day"},
    {COutputChecker::kTourCountBounds, "tour counts within their bounds"},
    {COutputChecker::kNonWorkerTourOrder, "non-worker tours in the order of the day"},
    {COutputChecker::kTourOverlap, "a person's tours do not overlap in time"},
    {COutputChecker::kActivityFlag, "stop activity with its person flag"},
    {COutputChecker::kTourVehicleId, "tour vehicle id"},
    {COutputChecker::kDropOffAdult, "drop-off adult and its escort stop"},
    {COutputChecker::kPickUpAdult, "pick-up adult and its escort stop"},
    {COutputChecker::kSchoolTimes, "child student's commutes at the school times"},
    {COutputChecker::kJointTourShape, "joint tour from home to its activity and back home"},
    {COutputChecker::kJointTourGroup, "joint tours of one activity share zone, times and vehicle"},
    {COutputChecker::kSampledHouseholds, "households with lines exactly as the sample keeps them"},
}};

// Person flag of each stop activity type 0-9, and the field of that flag in
// an adult's person line (flags 0 and 1 are not activity flags).
constexpr std::array<int, 10> kFlagOfActivity = {3, 4, 5, 6, 7, 9, 10, 8, 2, 11};
constexpr std::array<int, 12> kAdultFieldOfFlag = {-1, -1, 3, 7, 9, 8, 10, 11, 12, 13, 14, 15};

}  // namespace

std::string_view FieldKinds(int stream) {
    for (const auto& row : kFiles)
        if (row.stream == stream) return row.kinds;
    return {};
}

const char* RuleText(int rule) {
    for (const auto& row : kRules)
        if (row.rule == rule) return row.text;
    return "";
}

int AdultFlagFieldOfActivity(int activityType) {
    if (activityType < 0 || activityType > 9) return -1;
    return kAdultFieldOfFlag[static_cast<size_t>(kFlagOfActivity[static_cast<size_t>(activityType)])];
}

}  // namespace output_check
