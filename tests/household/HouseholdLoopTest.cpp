// One worker thread's household loop on a generated region, on both
// databases: the trace lines, sampling, cancellation and what it releases, a
// failing table load, an exception while households are processed, household
// types without a simulator, output files that do not open, the file names of
// a thread, and the person lines against the persons loaded.

#include "LoopTestRegion.h"

#include "household/CHouseholdLoop.h"
#include "household/COutputFileSet.h"
#include "platform/NumberText.h"
#include "support/RecordingMessageSink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

using Event = RecordingRunProgress::Event;
using LoopFiles::Keys;
using LoopFiles::Lines;

constexpr int kZones = 9;
constexpr int kHouseholds = 30;

std::string TraceLine(long long id) { return "Type1,," + NumberText::Integer(id); }

int CountContaining(const RecordingMessageSink& sink, const std::string& part) {
    int n = 0;
    for (const auto& text : sink.Texts())
        if (text.find(part) != std::string::npos) ++n;
    return n;
}

class HouseholdLoopTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        region = std::make_unique<LoopTestRegion>(GetParam(), kZones, kHouseholds);
        ids = region->HouseholdIdsInZoneOrder();
        ASSERT_EQ(ids.size(), static_cast<size_t>(kHouseholds));
        out = region->Folder() / "out";
        std::filesystem::create_directories(out);
        loop = std::make_unique<SingleLoop>(region->Connect());
        loop->SetShare(0, kHouseholds);
        loop->SetOutputFolder(out);
    }

    std::vector<std::string> File(const std::string& name) { return Lines(out / (name + "1")); }
    std::vector<std::string> Trace() { return Lines(region->Folder() / CHouseholdLoop::kTraceFile); }

    // Keys of the adult or child lines the households would have, in the order given.
    std::vector<std::string> ExpectedKeys(const std::vector<long long>& households, bool adults) {
        std::vector<std::string> keys;
        for (long long id : households) {
            auto own = region->PersonKeys(id, adults);
            keys.insert(keys.end(), own.begin(), own.end());
        }
        return keys;
    }

    RecordingMessageSink messages;
    std::unique_ptr<LoopTestRegion> region;
    std::vector<long long> ids;
    std::filesystem::path out;
    std::unique_ptr<SingleLoop> loop;
};

TEST_P(HouseholdLoopTest, SimulatesEveryHouseholdOfThePageAndReportsOnce) {
    loop->Run();

    const auto events = loop->progress.Events();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0].kind, Event::Clock);
    EXPECT_EQ(events[1].kind, Event::Status);
    EXPECT_EQ(events[1].text, "Simulation in\tprogress ...");
    EXPECT_EQ(loop->progress.Count(Event::Update, 0), kHouseholds);
    EXPECT_EQ(loop->progress.Count(Event::Finished), 1);
    EXPECT_EQ(events.back().kind, Event::Finished);
    EXPECT_EQ(events.back().thread, 0);
    EXPECT_FALSE(events.back().failed);

    // One trace line per household read, in page order.
    std::vector<std::string> expectedTrace;
    for (long long id : ids) expectedTrace.push_back(TraceLine(id));
    EXPECT_EQ(Trace(), expectedTrace);

    // Every person loaded has exactly one line, adults and children apart, in
    // page order and person order.
    EXPECT_EQ(Keys(File("Adults.out")), ExpectedKeys(ids, true));
    EXPECT_EQ(Keys(File("Children.out")), ExpectedKeys(ids, false));
    EXPECT_TRUE(messages.Texts().empty()) << messages.Texts().front();

    // Nothing of the last household stays linked to the model system.
    EXPECT_EQ(loop->models.m_pHousehold, nullptr);
    EXPECT_EQ(loop->models.m_pHouseholdObject, nullptr);
}

TEST_P(HouseholdLoopTest, ThreadPagesItsShareAndNamesItsFilesByThreadNumber) {
    SingleLoop fourth(region->Connect(), 3);
    fourth.SetShare(10, 12);
    fourth.SetOutputFolder(out);
    fourth.Run();

    std::vector<std::string> expectedTrace;
    for (size_t i = 10; i < 22; ++i) expectedTrace.push_back(TraceLine(ids[i]));
    EXPECT_EQ(Trace(), expectedTrace);
    EXPECT_EQ(fourth.progress.Count(Event::Update, 3), 12);
    EXPECT_EQ(fourth.progress.Count(Event::Finished, 3), 1);

    // Thread index 3 writes the ten files with the number 4 appended, and no other.
    std::set<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(out)) written.insert(entry.path().filename().string());
    std::set<std::string> expected;
    for (const auto name : COutputFileSet::DefaultOutputNames()) expected.insert(std::string(name) + "4");
    EXPECT_EQ(written, expected);
    EXPECT_EQ(Keys(Lines(out / "Adults.out4")),
              ExpectedKeys(std::vector<long long>(ids.begin() + 10, ids.begin() + 22), true));
}

TEST_P(HouseholdLoopTest, EmptyPageReportsFinishedAndLeavesEmptyFiles) {
    loop->SetShare(0, 0);
    loop->Run();
    EXPECT_EQ(loop->progress.Count(Event::Update), 0);
    EXPECT_EQ(loop->progress.Count(Event::Finished, 0), 1);
    EXPECT_TRUE(Trace().empty());
    for (const auto name : COutputFileSet::DefaultOutputNames()) {
        const auto path = out / (std::string(name) + "1");
        ASSERT_TRUE(std::filesystem::exists(path)) << path;
        EXPECT_EQ(std::filesystem::file_size(path), 0u) << path;
    }
}

TEST_P(HouseholdLoopTest, SampleRateZeroTracesEveryHouseholdButSimulatesNone) {
    loop->models.SetSampleRate(0.0);
    loop->Run();
    EXPECT_EQ(Trace().size(), ids.size());
    EXPECT_EQ(loop->progress.Count(Event::Update), 0);
    EXPECT_EQ(loop->progress.Count(Event::Finished, 0), 1);
    EXPECT_TRUE(File("Adults.out").empty());
    EXPECT_TRUE(File("Children.out").empty());
    EXPECT_TRUE(File("activity.out").empty());
}

TEST_P(HouseholdLoopTest, SampleRateHalfFollowsTheThreadsOwnDrawsAndRepeatsRunByRun) {
    loop->models.SetSampleRate(0.5);
    loop->Run();

    // The households sampled: those whose draw, in page order, is below half of 32767.
    CModelSystem other;
    CHouseholdLoop reference(other);
    std::vector<long long> sampled;
    for (long long id : ids)
        if (reference.DrawSampleInteger() < 0.5 * 32767.0) sampled.push_back(id);
    ASSERT_GT(sampled.size(), 0u);
    ASSERT_LT(sampled.size(), ids.size());

    EXPECT_EQ(Trace().size(), ids.size());
    EXPECT_EQ(loop->progress.Count(Event::Update), static_cast<int>(sampled.size()));
    EXPECT_EQ(Keys(File("Adults.out")), ExpectedKeys(sampled, true));
    EXPECT_EQ(Keys(File("Children.out")), ExpectedKeys(sampled, false));

    // The next run draws afresh: the same households again.
    const auto firstAdults = File("Adults.out");
    loop->Run();
    EXPECT_EQ(File("Adults.out"), firstAdults);
}

TEST(HouseholdLoopSampling, DrawsTheClassicRuntimeSequence) {
    // The first numbers of the classic runtime generator from its default seed.
    CModelSystem models;
    CHouseholdLoop loop(models);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected) EXPECT_EQ(loop.DrawSampleInteger(), value);
    // Rate 1.0 takes every household without a draw; the sequence goes on
    // where it stood.
    EXPECT_TRUE(loop.SampleHousehold(1.0));
    CHouseholdLoop fresh(models);
    for (int i = 0; i < 10; ++i) fresh.DrawSampleInteger();
    EXPECT_EQ(loop.DrawSampleInteger(), fresh.DrawSampleInteger());
    // Rate 0.0 skips every household, whatever the draw.
    for (int i = 0; i < 100; ++i) EXPECT_FALSE(loop.SampleHousehold(0.0));
}

TEST_P(HouseholdLoopTest, CancelStopsAtTheNextHouseholdAndReleasesIt) {
    loop->progress.CancelAt(4);  // three households simulated, the fourth cancelled
    loop->Run();

    const std::vector<long long> done(ids.begin(), ids.begin() + 3);
    EXPECT_EQ(Keys(File("Adults.out")), ExpectedKeys(done, true));
    EXPECT_EQ(Keys(File("Children.out")), ExpectedKeys(done, false));
    EXPECT_EQ(Trace().size(), 4u);  // the cancelled household was read
    EXPECT_EQ(loop->progress.Count(Event::Update), 3);
    EXPECT_EQ(loop->progress.Count(Event::Finished), 0);
    EXPECT_EQ(CountContaining(messages, "simulation cancelled"), 1);

    // The household just read, the cache and the links are gone.
    EXPECT_EQ(loop->manager.GetCurrentHousehold(), nullptr);
    EXPECT_EQ(loop->manager.GetCurrentOriginZone(), -1);
    EXPECT_EQ(loop->models.m_pHousehold, nullptr);
    EXPECT_EQ(loop->models.m_pHouseholdObject, nullptr);
}

TEST_P(HouseholdLoopTest, FailingTableLoadReportsTheThreadFinishedAsFailedOnce) {
    region->Database().Execute("DELETE FROM losdir");
    loop->Run();

    const auto events = loop->progress.Events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, Event::Finished);
    EXPECT_EQ(events[0].thread, 0);
    EXPECT_TRUE(events[0].failed);
    EXPECT_FALSE(std::filesystem::exists(out / "Adults.out1"));
    EXPECT_TRUE(Trace().empty());
    EXPECT_FALSE(messages.Texts().empty());  // the input-data manager says why
}

TEST_P(HouseholdLoopTest, UnreadableHouseholdPageReportsTheThreadFinishedAsFailed) {
    // The tables pass their check, but the page query orders by a column that is gone.
    region->Database().Execute("ALTER TABLE households RENAME COLUMN zone_id TO home_zone");
    loop->Run();

    EXPECT_EQ(CountContaining(messages, "Error 4"), 1);
    EXPECT_EQ(loop->progress.Count(Event::Update), 0);
    const auto events = loop->progress.Events();
    ASSERT_FALSE(events.empty());
    EXPECT_TRUE(events.back().kind == Event::Finished && events.back().failed);
    EXPECT_TRUE(Trace().empty());
}

TEST_P(HouseholdLoopTest, ExceptionEndsTheLoopReportsFailedOnceAndKeepsWhatWasWritten) {
    loop->progress.ThrowAt(3);
    loop->Run();

    EXPECT_EQ(CountContaining(messages, "Caught the exception."), 1);
    EXPECT_EQ(loop->progress.Count(Event::Finished), 1);
    const auto events = loop->progress.Events();
    EXPECT_TRUE(events.back().kind == Event::Finished && events.back().failed);
    // The two households before it are written and flushed; nothing after it.
    const std::vector<long long> done(ids.begin(), ids.begin() + 2);
    EXPECT_EQ(Keys(File("Adults.out")), ExpectedKeys(done, true));
    EXPECT_EQ(Trace().size(), 3u);
    EXPECT_EQ(loop->models.m_pHousehold, nullptr);
    EXPECT_EQ(loop->models.m_pHouseholdObject, nullptr);
}

TEST_P(HouseholdLoopTest, HouseholdTypeWithoutSimulatorIsSkippedWithAMessage) {
    const long long tooHigh = ids[2];
    const long long negative = ids[5];
    const long long generic = ids[7];
    region->Database().Execute("UPDATE households SET hh_type = 24 WHERE hid = " + NumberText::Integer(tooHigh));
    region->Database().Execute("UPDATE households SET hh_type = -3 WHERE hid = " + NumberText::Integer(negative));
    region->Database().Execute("UPDATE households SET hh_type = 0 WHERE hid = " + NumberText::Integer(generic));
    loop->Run();

    EXPECT_EQ(CountContaining(messages, "Household " + NumberText::Integer(tooHigh) + " has household type 24"), 1);
    EXPECT_EQ(CountContaining(messages, "Household " + NumberText::Integer(negative) + " has household type -3"), 1);
    EXPECT_EQ(CountContaining(messages, "Why is this a generic hh"), 1);

    // The skipped households write nothing; every other one (the generic one
    // too) writes its own members, none of them through a stale simulator.
    std::vector<long long> written;
    for (long long id : ids)
        if (id != tooHigh && id != negative) written.push_back(id);
    EXPECT_EQ(Keys(File("Adults.out")), ExpectedKeys(written, true));
    EXPECT_EQ(Keys(File("Children.out")), ExpectedKeys(written, false));
    EXPECT_EQ(loop->progress.Count(Event::Finished), 1);
    EXPECT_FALSE(loop->progress.Events().back().failed);
    EXPECT_EQ(loop->models.m_pHousehold, nullptr);
}

TEST_P(HouseholdLoopTest, UnopenableOutputFileIsReportedOnceAndFailsTheThreadBeforeItSimulates) {
    const auto children = out / "Children.out1";
    std::filesystem::create_directories(children);  // a folder cannot be opened as a file
    loop->Run();

    ASSERT_EQ(CountContaining(messages, "could not be opened"), 1);
    EXPECT_EQ(CountContaining(messages, children.string()), 1);
    EXPECT_EQ(CountContaining(messages, "Adults.out1"), 0);
    EXPECT_EQ(loop->progress.Count(Event::Update), 0);
    EXPECT_EQ(loop->progress.Count(Event::Finished), 1);
    EXPECT_TRUE(loop->progress.Events().back().failed);
    EXPECT_TRUE(File("Adults.out").empty());
    EXPECT_TRUE(File("activity.out").empty());
}

TEST_P(HouseholdLoopTest, UnopenableNogoFileIsReportedButTheLinesAreWritten) {
    const auto nogo = out / "NOGO.out1";
    std::filesystem::create_directories(nogo);
    loop->Run();

    ASSERT_EQ(CountContaining(messages, "could not be opened"), 1);
    EXPECT_EQ(CountContaining(messages, nogo.string()), 1);
    EXPECT_EQ(Keys(File("Adults.out")), ExpectedKeys(ids, true));
}

TEST_P(HouseholdLoopTest, AnUnopenableScheduleFileIsNamedAndStopsTheLines) {
    // Name positions 2 (child students) and 3 (workers) point at files whose
    // folders differ; only the workers' folder is missing, so only stream 2,
    // the workers stream, fails to open.
    loop->models.m_outputFileNames[CModelSystem::kChildStudentsFile] = (out / "cs.out").string();
    loop->models.m_outputFileNames[CModelSystem::kWorkersFile] = (out / "missing" / "wk.out").string();
    loop->Run();

    ASSERT_EQ(CountContaining(messages, "could not be opened"), 1);
    EXPECT_EQ(CountContaining(messages, (out / "missing" / "wk.out").string()), 1);
    EXPECT_TRUE(std::filesystem::exists(out / "cs.out"));
    EXPECT_TRUE(File("Adults.out").empty());  // a person stream is closed: no lines at all
}

TEST_P(HouseholdLoopTest, IdsAbove2To31AreSimulatedAndWrittenAndIdsBeyond32BitsSkipped) {
    // The first household of the page gets an id above 2^31, the second one
    // that the output files cannot hold.
    const long long wide = 3000000000LL;
    const long long tooWide = 5000000000LL;
    for (const char* table : {"households", "persons"}) {
        region->Database().Execute(std::string("UPDATE ") + table + " SET hid = " + NumberText::Integer(wide) +
                                   " WHERE hid = " + NumberText::Integer(ids[0]));
        region->Database().Execute(std::string("UPDATE ") + table + " SET hid = " + NumberText::Integer(tooWide) +
                                   " WHERE hid = " + NumberText::Integer(ids[1]));
    }
    loop->Run();

    std::vector<long long> written = region->HouseholdIdsInZoneOrder();
    written.erase(std::find(written.begin(), written.end(), tooWide));
    EXPECT_EQ(Keys(File("Adults.out")), ExpectedKeys(written, true));
    EXPECT_EQ(Keys(File("Children.out")), ExpectedKeys(written, false));
    ASSERT_FALSE(ExpectedKeys({wide}, true).empty());
    EXPECT_EQ(CountContaining(messages, "Household 5000000000 has an id outside 0 to 4294967295"), 1);
    EXPECT_EQ(messages.Texts().size(), 1u);
    EXPECT_FALSE(loop->progress.Events().back().failed);
}

TEST_P(HouseholdLoopTest, NarrowHouseholdsTableFailsTheThreadNamingItsWidth) {
    region->Database().Execute("DROP TABLE households");
    region->Database().Execute(
        "CREATE TABLE households (hid DOUBLE PRECISION, h1 DOUBLE PRECISION, h2 DOUBLE PRECISION, "
        "zone_id DOUBLE PRECISION)");
    loop->Run();
    EXPECT_EQ(loop->progress.Count(Event::Finished, 0), 1);
    EXPECT_TRUE(loop->progress.Events().back().failed);
    EXPECT_EQ(CountContaining(messages, "\"households\" has 4 columns, but the simulation reads its columns up to "
                                        "position 9"),
              1);
    EXPECT_TRUE(Trace().empty());
}

TEST_P(HouseholdLoopTest, PersonsAreSimulatedInPersonNumberOrderWithOneWarningPerRun) {
    // Numbers n+9 .. 10 in the read order, which no longer follows them.
    region->Database().Execute("UPDATE persons SET pnum = 10 - pnum");
    loop->Run();
    EXPECT_EQ(Keys(File("Adults.out")), ExpectedKeys(ids, true));
    EXPECT_EQ(Keys(File("Children.out")), ExpectedKeys(ids, false));
    int warnings = 0;
    for (const std::string& text : messages.Texts())
        if (text.find("the person numbers are not 1 to the number of persons") != std::string::npos) ++warnings;
    EXPECT_EQ(warnings, 1);
}

INSTANTIATE_TEST_SUITE_P(Db, HouseholdLoopTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
