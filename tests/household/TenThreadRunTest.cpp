// Ten household loops run side by side through the per-thread sets write, all
// files together, exactly the lines one loop writes over every household: a
// household's output never depends on the thread that ran it. Also the
// division of the households among the threads and the shared trace file.

#include "LoopTestRegion.h"

#include "household/CHouseholdLoop.h"
#include "household/COutputFileSet.h"
#include "household/CThreadSets.h"
#include "platform/NumberText.h"
#include "support/RecordingMessageSink.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

using Event = RecordingRunProgress::Event;
using LoopFiles::Lines;
using LoopFiles::Sorted;
using LoopFiles::SortedLinesOfTenThreads;

constexpr int kHouseholds = 63;  // shares of 6, the tenth thread 9

class TenThreadRunTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        region = std::make_unique<LoopTestRegion>(GetParam(), 9, kHouseholds);
        ten = region->Folder() / "ten";
        one = region->Folder() / "one";
        std::filesystem::create_directories(ten);
        std::filesystem::create_directories(one);
    }

    // The ten loops without start delay; the trace file is left as it was
    // before the run.
    void RunTenThreads(double rate, RecordingRunProgress& progress) {
        CThreadSets sets;
        ASSERT_TRUE(sets.OpenInput(region->Connect()));
        ASSERT_EQ(sets.GetHouseholdCount(), kHouseholds);
        sets.SetOutputFolder(ten.string());
        sets.SetSampleRate(rate);
        sets.StartRun(&progress, std::chrono::milliseconds(0));
        sets.WaitForRun();
    }

    std::vector<std::string> Trace() { return Lines(region->Folder() / CHouseholdLoop::kTraceFile); }

    RecordingMessageSink messages;
    std::unique_ptr<LoopTestRegion> region;
    std::filesystem::path ten;
    std::filesystem::path one;
};

TEST_P(TenThreadRunTest, TenThreadsWriteTheLinesOfOneThreadOverAllHouseholds) {
    // Lines left from an earlier run must go: the run empties the trace once.
    {
        std::ofstream stale(region->Folder() / CHouseholdLoop::kTraceFile);
        stale << "stale line\n";
    }
    RecordingRunProgress progress;
    RunTenThreads(1.0, progress);
    const auto tenTrace = Trace();

    // Every thread reported its end once, none failed, each counted its share.
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(progress.Count(Event::Finished, i), 1) << "thread " << i;
        EXPECT_EQ(progress.Count(Event::Update, i), i < 9 ? 6 : 9) << "thread " << i;
    }
    for (const auto& e : progress.Events()) EXPECT_FALSE(e.kind == Event::Finished && e.failed);

    SingleLoop single(region->Connect());
    single.SetShare(0, kHouseholds);
    single.SetOutputFolder(one);
    single.Run();
    const auto oneTrace = Trace();

    for (const auto name : COutputFileSet::DefaultOutputNames()) {
        const auto expected = Sorted(Lines(one / (std::string(name) + "1")));
        EXPECT_EQ(SortedLinesOfTenThreads(ten, std::string(name)), expected) << name;
    }
    EXPECT_FALSE(Lines(one / "Adults.out1").empty());

    // The shared trace: whole lines only, one per household, none left from before.
    ASSERT_EQ(tenTrace.size(), static_cast<size_t>(kHouseholds));
    const std::regex line("Type1,,[0-9]+");
    for (const auto& text : tenTrace) EXPECT_TRUE(std::regex_match(text, line)) << text;
    EXPECT_EQ(Sorted(tenTrace), Sorted(oneTrace));
    EXPECT_TRUE(messages.Texts().empty()) << messages.Texts().front();
}

TEST_P(TenThreadRunTest, SamplingOfEachThreadDoesNotDependOnTheOthers) {
    RecordingRunProgress progress;
    RunTenThreads(0.5, progress);

    // The same ten shares run one after another, each with its own loop.
    for (int i = 0; i < 10; ++i) {
        SingleLoop alone(region->Connect(), i);
        alone.SetShare(i * 6, i < 9 ? 6 : 9);
        alone.SetOutputFolder(one);
        alone.models.SetSampleRate(0.5);
        alone.Run();
    }
    for (const char* name : {"Adults.out", "Children.out", "activity.out"})
        EXPECT_EQ(SortedLinesOfTenThreads(ten, name), SortedLinesOfTenThreads(one, name)) << name;
    const int sampled = progress.Count(Event::Update);
    EXPECT_GT(sampled, 0);
    EXPECT_LT(sampled, kHouseholds);
}

INSTANTIATE_TEST_SUITE_P(Db, TenThreadRunTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

// ---- The division of the households and the connections ----

TEST(ThreadSetsDivision, FirstNineThreadsTakeTheIntegerShareAndTheTenthTheRest) {
    CThreadSets sets;
    sets.DivideHouseholds(1005);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(sets.Models(i).m_nFirstHousehold, i * 100);
        EXPECT_EQ(sets.Models(i).m_nHouseholdCount, 100);
    }
    EXPECT_EQ(sets.Models(9).m_nFirstHousehold, 900);
    EXPECT_EQ(sets.Models(9).m_nHouseholdCount, 105);

    sets.DivideHouseholds(7);  // fewer than ten: the tenth thread takes all
    for (int i = 0; i < 9; ++i) EXPECT_EQ(sets.Models(i).m_nHouseholdCount, 0);
    EXPECT_EQ(sets.Models(9).m_nFirstHousehold, 0);
    EXPECT_EQ(sets.Models(9).m_nHouseholdCount, 7);
}

TEST(ThreadSetsOutput, EveryThreadGetsTheDefaultNamesWithItsNumberInTheFolder) {
    CThreadSets sets;
    sets.SetOutputFolder("/data/run");
    EXPECT_EQ(sets.Models(0).m_outputFileNames[CModelSystem::kAdultsFile], "/data/run/Adults.out1");
    EXPECT_EQ(sets.Models(9).m_outputFileNames[CModelSystem::kVehiclesFile], "/data/run/Vehicles.out10");
    EXPECT_EQ(sets.Models(4).m_outputFileNames[CModelSystem::kChildStudentsFile], "/data/run/ChildStudents.out5");
    EXPECT_EQ(sets.Models(4).m_outputFileNames[CModelSystem::kWorkersFile], "/data/run/workers.out5");
}

TEST_P(TenThreadRunTest, OpeningTheInputAgainClosesTheConnectionsFirst) {
    CThreadSets sets;
    ASSERT_TRUE(sets.OpenInput(region->Connect()));
    EXPECT_TRUE(messages.Texts().empty());
    ASSERT_TRUE(sets.OpenInput(region->Connect()));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Current connection has been closed, select new connection."});
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(sets.Connection(i).IsOpen()) << i;
    EXPECT_TRUE(sets.IsInputLoaded());
}

TEST(ThreadSetsInput, AConnectionThatDoesNotOpenLeavesTheInputUnloaded) {
    RecordingMessageSink messages;
    CThreadSets sets;
    EXPECT_FALSE(sets.OpenInput("Driver=NoSuchDriver;Database=nowhere;"));
    EXPECT_FALSE(sets.IsInputLoaded());
    EXPECT_FALSE(messages.Texts().empty());
}

}  // namespace
