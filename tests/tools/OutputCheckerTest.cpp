// The output checker on one hand-written household whose files hold every
// rule: the good files pass, and each seeded fault is reported under its own
// rule (and, where one fault breaks two rules, only under those).

#include "tools/COutputChecker.h"
#include "tools/CRunSummary.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

using Rule = COutputChecker::Rule;
using Files = std::array<std::vector<std::string>, COutputFileSet::kStreamCount>;

// Household 1 at home zone 5 with one vehicle driven by person 1: a worker
// (1), a non-worker who drops the child off at school (2) and a child student
// (3) who is driven to school at 480 and rides home at 900. Persons 1 and 2
// go to a joint activity in zone 6 in the evening, in the vehicle.
Files GoodFiles() {
    Files f;
    f[COutputFileSet::kAdults] = {"1\t1\t1\t1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0",
                                  "1\t2\t0\t0\t1\t0\t0\t1\t0\t0\t0\t0\t0\t0\t0\t0"};
    f[COutputFileSet::kChildren] = {"1\t3\t1\t0\t0"};
    f[COutputFileSet::kWorkers] = {"1\t1\t480\t1020\t0\t0\t1"};
    f[COutputFileSet::kChildStudents] = {"1\t3\t480\t900\t1\t0"};
    f[COutputFileSet::kNonWorkers] = {"1\t2\t2"};
    f[COutputFileSet::kTours] = {"1\t1\t1\t450\t0\t30\t1\t0\t0\t0",  "1\t1\t0\t540\t0\t5\t1\t0\t0\t0",
                                 "1\t1\t8\t0\t0\t90\t2\t1\t2\t0",    "1\t2\t0\t460\t0\t80\t3\t0\t0\t0",
                                 "1\t2\t1\t485\t1\t90\t2\t1\t2\t0",  "1\t3\t1\t460\t4\t20\t1\t0\t0\t2",
                                 "1\t3\t0\t420\t3\t20\t1\t0\t0\t-1"};
    f[COutputFileSet::kStops] = {"1\t1\t1\t1\t13\t450\t30\t540\t7\t5\t3.5\t18",
                                 "1\t1\t0\t1\t12\t1020\t5\t420\t5\t7\t3.5\t17",
                                 "1\t1\t8\t1\t5\t1025\t15\t60\t6\t5\t2\t18",
                                 "1\t1\t8\t2\t12\t1100\t15\t325\t5\t6\t2\t5",
                                 "1\t2\t0\t1\t10\t460\t20\t5\t8\t5\t2.5\t18",
                                 "1\t2\t0\t2\t0\t485\t10\t30\t9\t8\t1.5\t10",
                                 "1\t2\t0\t3\t12\t525\t15\t915\t5\t9\t2\t0",
                                 "1\t2\t1\t1\t5\t1025\t15\t60\t6\t5\t2\t18",
                                 "1\t2\t1\t2\t12\t1100\t15\t325\t5\t6\t2\t5",
                                 "1\t3\t1\t1\t19\t460\t20\t420\t8\t5\t2.5\t18",
                                 "1\t3\t0\t1\t12\t900\t20\t520\t5\t8\t2.5\t19"};
    f[COutputFileSet::kActivity] = {"1\t1\t18\t0\t450\t5",   "1\t1\t13\t480\t540\t7", "1\t1\t12\t1025\t420\t5",
                                    "1\t1\t5\t1040\t60\t6",   "1\t1\t12\t1115\t325\t5", "1\t2\t18\t0\t460\t5",
                                    "1\t2\t10\t480\t5\t8",    "1\t2\t0\t495\t30\t9",    "1\t2\t12\t540\t915\t5",
                                    "1\t2\t5\t1040\t60\t6",   "1\t2\t12\t1115\t325\t5", "1\t3\t18\t0\t460\t5",
                                    "1\t3\t19\t480\t420\t8",  "1\t3\t12\t920\t520\t5"};
    f[COutputFileSet::kVehicles] = {"1\t0\t3\t2\t-1\t1\t12000"};
    return f;
}

COutputChecker::ThreadTexts Texts(const Files& files) {
    COutputChecker::ThreadTexts texts;
    for (size_t s = 0; s < files.size(); ++s)
        for (const auto& line : files[s]) texts[s] += line + "\n";
    return texts;
}

COutputChecker Checked(const std::vector<COutputChecker::ThreadTexts>& threads) {
    COutputChecker checker;
    checker.AddHousehold({1, 5, 1});
    checker.AddPerson({1, 1, 40.0, true});
    checker.AddPerson({1, 2, 38.0, false});
    checker.AddPerson({1, 3, 8.0, false});
    for (const auto& texts : threads) checker.AddThread(texts);
    checker.Check();
    return checker;
}

std::set<Rule> Violated(const COutputChecker& checker) {
    std::set<Rule> rules;
    for (int r = 0; r < COutputChecker::kRuleCount; ++r)
        if (checker.ViolationOf(static_cast<Rule>(r)).count > 0) rules.insert(static_cast<Rule>(r));
    return rules;
}

void Set(Files& f, int stream, size_t line, const std::string& text) { f[static_cast<size_t>(stream)].at(line) = text; }

TEST(OutputChecker, GoodFilesPassWithTheirFigures) {
    const auto checker = Checked({Texts(GoodFiles())});
    EXPECT_TRUE(Violated(checker).empty()) << checker.Report();
    EXPECT_EQ(checker.GetFigures().persons, 3);
    EXPECT_EQ(checker.GetFigures().tours, 7);
    EXPECT_EQ(checker.GetFigures().stops, 11);
    EXPECT_EQ(checker.GetFigures().fleetSizeDiffers, 0);
}

TEST(OutputChecker, EachSeededFaultIsReportedUnderItsRule) {
    using S = COutputFileSet;
    struct Case {
        Rule rule;
        std::function<void(Files&)> seed;
        std::set<Rule> alsoBroken;
    };
    const std::vector<Case> cases = {
        {COutputChecker::kFieldCount, [](Files& f) { Set(f, S::kVehicles, 0, "1\t0\t3\t2\t-1\t1"); },
         {COutputChecker::kJointTourGroup}},
        // A line that breaks its format is left out of the other rules.
        {COutputChecker::kNumberFormat, [](Files& f) { Set(f, S::kWorkers, 0, "1\t1\t480.0\t1020\t0\t0\t1"); },
         {COutputChecker::kPatternLines}},
        {COutputChecker::kNumberFormat, [](Files& f) { Set(f, S::kVehicles, 0, "1\t0\t3\t2\t-1\t1\t1.2e+04"); },
         {COutputChecker::kJointTourGroup}},
        {COutputChecker::kPersonLines, [](Files& f) { f[S::kChildren].clear(); }, {}},
        {COutputChecker::kPersonLines, [](Files& f) { f[S::kChildren].push_back("2\t1\t0\t0\t0"); }, {}},
        {COutputChecker::kAtHomeFields, [](Files& f) { Set(f, S::kActivity, 0, "1\t1\t18\t0\t450\t6"); }, {}},
        {COutputChecker::kPatternLines, [](Files& f) { f[S::kNonWorkers].clear(); }, {}},
        {COutputChecker::kPatternLines, [](Files& f) { f[S::kWorkers].clear(); f[S::kNonWorkers].push_back("1\t1\t2"); },
         {}},
        {COutputChecker::kTourLines, [](Files& f) { Set(f, S::kNonWorkers, 0, "1\t2\t3"); }, {}},
        {COutputChecker::kStopLines, [](Files& f) { Set(f, S::kStops, 5, "1\t2\t0\t3\t0\t485\t10\t30\t9\t8\t1.5\t10"); },
         {}},
        {COutputChecker::kStopLines, [](Files& f) { Set(f, S::kTours, 3, "1\t2\t0\t460\t0\t80\t4\t0\t0\t0"); }, {}},
        {COutputChecker::kActivityLines, [](Files& f) { Set(f, S::kActivity, 7, "1\t2\t0\t496\t30\t9"); }, {}},
        {COutputChecker::kVehicleIndices, [](Files& f) { Set(f, S::kVehicles, 0, "1\t1\t3\t2\t-1\t1\t12000"); }, {}},
        {COutputChecker::kVehicleFields, [](Files& f) { Set(f, S::kVehicles, 0, "1\t0\t10\t2\t-1\t1\t12000"); }, {}},
        {COutputChecker::kVehicleFields,
         [](Files& f) { f[S::kVehicles] = {"1\t0\t3\t2\t-1\t-1\t9", "1\t1\t4\t2\t-1\t1\t9"}; },
         {COutputChecker::kTourVehicleId, COutputChecker::kJointTourGroup}},
        {COutputChecker::kZoneChaining, [](Files& f) { Set(f, S::kStops, 6, "1\t2\t0\t3\t12\t525\t15\t915\t5\t8\t2\t0"); },
         {}},
        {COutputChecker::kActivityChaining,
         [](Files& f) { Set(f, S::kStops, 6, "1\t2\t0\t3\t12\t525\t15\t915\t5\t9\t2\t1"); }, {}},
        {COutputChecker::kTimeChaining,
         [](Files& f) {
             Set(f, S::kStops, 6, "1\t2\t0\t3\t12\t528\t15\t915\t5\t9\t2\t0");
             Set(f, S::kActivity, 8, "1\t2\t12\t543\t915\t5");
         },
         {}},
        {COutputChecker::kFirstStopOrigin,
         [](Files& f) { Set(f, S::kStops, 0, "1\t1\t1\t1\t13\t450\t30\t540\t7\t5\t3.5\t12"); }, {}},
        {COutputChecker::kTimeBounds, [](Files& f) { Set(f, S::kTours, 3, "1\t2\t0\t-1\t0\t80\t3\t0\t0\t0"); }, {}},
        {COutputChecker::kTimeBounds,
         [](Files& f) {
             Set(f, S::kStops, 0, "1\t1\t1\t1\t13\t1441\t30\t540\t7\t5\t3.5\t18");
             Set(f, S::kActivity, 1, "1\t1\t13\t1471\t540\t7");
         },
         {}},
        {COutputChecker::kTourCountBounds, [](Files& f) { Set(f, S::kWorkers, 0, "1\t1\t480\t1020\t3\t0\t1"); },
         {COutputChecker::kTourLines}},
        {COutputChecker::kNonWorkerTourOrder,
         [](Files& f) {
             Set(f, S::kNonWorkers, 0, "1\t2\t3");
             f[S::kTours].insert(f[S::kTours].begin() + 4, "1\t2\t2\t0\t2\t30\t1\t0\t0\t-1");
             f[S::kStops].insert(f[S::kStops].begin() + 7, "1\t2\t2\t1\t0\t100\t10\t10\t9\t5\t1.5\t18");
             f[S::kActivity].insert(f[S::kActivity].begin() + 9, "1\t2\t0\t110\t10\t9");
         },
         {}},
        // The worker is home from work after the joint tour leaves.
        {COutputChecker::kTourOverlap,
         [](Files& f) {
             Set(f, S::kStops, 1, "1\t1\t0\t1\t12\t1020\t6\t420\t5\t7\t3.5\t17");
             Set(f, S::kActivity, 2, "1\t1\t12\t1026\t420\t5");
         },
         {}},
        {COutputChecker::kActivityFlag,
         [](Files& f) { Set(f, S::kAdults, 1, "1\t2\t0\t0\t1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0"); }, {}},
        {COutputChecker::kTourVehicleId, [](Files& f) { Set(f, S::kTours, 0, "1\t1\t1\t450\t0\t30\t1\t0\t0\t1"); }, {}},
        {COutputChecker::kTourVehicleId, [](Files& f) { Set(f, S::kTours, 6, "1\t3\t0\t420\t3\t20\t1\t0\t0\t0"); }, {}},
        {COutputChecker::kDropOffAdult,
         [](Files& f) { Set(f, S::kAdults, 1, "1\t2\t0\t0\t0\t0\t0\t1\t0\t0\t0\t0\t0\t0\t0\t0"); }, {}},
        {COutputChecker::kDropOffAdult, [](Files& f) { Set(f, S::kChildStudents, 0, "1\t3\t480\t900\t0\t0"); }, {}},
        {COutputChecker::kPickUpAdult,
         [](Files& f) { Set(f, S::kAdults, 0, "1\t1\t1\t1\t0\t1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0"); }, {}},
        {COutputChecker::kSchoolTimes,
         [](Files& f) {
             Set(f, S::kStops, 10, "1\t3\t0\t1\t12\t920\t20\t520\t5\t8\t2.5\t19");
             Set(f, S::kActivity, 13, "1\t3\t12\t940\t520\t5");
         },
         {}},
        {COutputChecker::kJointTourShape,
         [](Files& f) {
             Set(f, S::kStops, 8, "1\t2\t1\t2\t13\t1100\t15\t325\t5\t6\t2\t5");
             Set(f, S::kActivity, 10, "1\t2\t13\t1115\t325\t5");
         },
         {}},
        {COutputChecker::kJointTourGroup,
         [](Files& f) {
             Set(f, S::kStops, 7, "1\t2\t1\t1\t5\t1025\t15\t60\t7\t5\t2\t18");
             Set(f, S::kStops, 8, "1\t2\t1\t2\t12\t1100\t15\t325\t5\t7\t2\t5");
             Set(f, S::kActivity, 9, "1\t2\t5\t1040\t60\t7");
         },
         {}},
        {COutputChecker::kJointTourGroup, [](Files& f) { Set(f, S::kTours, 4, "1\t2\t1\t485\t1\t90\t2\t1\t2\t-1"); },
         {}},
    };
    for (const auto& c : cases) {
        Files files = GoodFiles();
        c.seed(files);
        const auto checker = Checked({Texts(files)});
        std::set<Rule> expected = c.alsoBroken;
        expected.insert(c.rule);
        EXPECT_EQ(Violated(checker), expected) << COutputChecker::RuleName(c.rule) << "\n" << checker.Report();
        EXPECT_NE(checker.Report().find(std::string("VIOLATED: ") + COutputChecker::RuleName(c.rule)),
                  std::string::npos);
    }
}

TEST(OutputChecker, FaultsThatSpanThreadsOrLineEnds) {
    // A person written by two threads has two person and two at-home lines.
    Files second;
    second[COutputFileSet::kActivity] = {"1\t3\t18\t0\t460\t5"};
    EXPECT_EQ(Violated(Checked({Texts(GoodFiles()), Texts(second)})), std::set<Rule>{COutputChecker::kAtHomeLines});

    auto texts = Texts(GoodFiles());
    texts[COutputFileSet::kVehicles].pop_back();
    EXPECT_EQ(Violated(Checked({texts})), std::set<Rule>{COutputChecker::kLineEnd});

    // A fleet other than the household's vehicle count is a figure only.
    Files noVehicle = GoodFiles();
    noVehicle[COutputFileSet::kVehicles].clear();
    Set(noVehicle, COutputFileSet::kTours, 2, "1\t1\t8\t0\t0\t90\t2\t1\t2\t-1");
    Set(noVehicle, COutputFileSet::kTours, 4, "1\t2\t1\t485\t1\t90\t2\t1\t2\t-1");
    Set(noVehicle, COutputFileSet::kTours, 0, "1\t1\t1\t450\t0\t30\t1\t0\t0\t0");
    const auto checker = Checked({Texts(noVehicle)});
    EXPECT_TRUE(Violated(checker).empty()) << checker.Report();
    EXPECT_EQ(checker.GetFigures().fleetSizeDiffers, 1);
}

TEST(OutputChecker, AFolderThatCannotBeReadHoldsNoRun) {
    const std::string unreadable(300, 'a');  // longer than a file name may be
    EXPECT_EQ(COutputChecker().ReadRunFolder(unreadable), 0);
    EXPECT_FALSE(CRunSummary().ReadRunFolder(unreadable));
}

}  // namespace
