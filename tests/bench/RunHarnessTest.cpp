// The tolvar-run harness: its command line, its atomic run progress, its
// message lines, and whole runs on a generated region on both databases.

#include "bench/CAtomicRunProgress.h"
#include "bench/CHarnessMessageSink.h"
#include "bench/RunHarness.h"
#include "bench/RunHarnessOptions.h"

#include "household/COutputFileSet.h"
#include "modelsystem/CModelParameterFile.h"
#include "modelsystem/CModelSystem.h"
#include "platform/CDatabase.h"
#include "platform/CRecordset.h"
#include "platform/NumberText.h"
#include "support/RecordingMessageSink.h"
#include "support/TestDatabase.h"
#include "tools/SampleRegionGenerator.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// ---- Command line ----

RunHarnessOptions Parsed(const std::vector<std::string>& arguments, bool expectOk = true) {
    RunHarnessOptions options;
    EXPECT_EQ(options.Parse(arguments), expectOk) << options.Error();
    return options;
}

TEST(RunHarnessOptions, TakesEveryOptionInBothSpellings) {
    auto options = Parsed({"--connect", "Driver=SQLite3;Database=a.db;", "--model", "m.tvm", "--out", "/tmp/o",
                           "--sample-rate", "0.25"});
    EXPECT_EQ(options.connect, "Driver=SQLite3;Database=a.db;");
    EXPECT_EQ(options.model, "m.tvm");
    EXPECT_EQ(options.out, "/tmp/o");
    EXPECT_DOUBLE_EQ(options.sampleRate, 0.25);

    // "=" form; the connect string keeps its own '=' signs.
    options = Parsed({"--connect=Driver=SQLite3;Database=b.db;", "--sample-rate=1"});
    EXPECT_EQ(options.connect, "Driver=SQLite3;Database=b.db;");
    EXPECT_DOUBLE_EQ(options.sampleRate, 1.0);
    EXPECT_EQ(options.out, ".");
    EXPECT_TRUE(options.model.empty());
    EXPECT_EQ(options.losMemory, COriginColumnStore::kDefaultBudget);

    EXPECT_EQ(Parsed({"--connect", "c", "--los-memory", "64"}).losMemory, std::size_t{64} << 20);
    EXPECT_EQ(Parsed({"--connect", "c", "--los-memory=0"}).losMemory, COriginColumnStore::kUnbounded);
}

TEST(RunHarnessOptions, RefusesWrongArgumentsWithAReason) {
    struct Case {
        std::vector<std::string> arguments;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {{}, "--connect is required"},
        {{"--out", "x"}, "--connect is required"},
        {{"--connect"}, "--connect needs a value"},
        {{"--connect", ""}, "--connect needs a non-empty ODBC connect string"},
        {{"--connect", "c", "--threads", "1"}, "unknown argument \"--threads\""},
        {{"--connect", "c", "extra"}, "unknown argument \"extra\""},
        {{"--connect", "c", "--sample-rate", "half"}, "--sample-rate \"half\" is not a number"},
        {{"--connect", "c", "--sample-rate", "1.5"}, "--sample-rate 1.5 is outside 0 to 1"},
        {{"--connect", "c", "--sample-rate", "-0.1"}, "--sample-rate -0.1 is outside 0 to 1"},
        {{"--connect", "c", "--sample-rate", "nan"}, "--sample-rate \"nan\" is not a number"},
        {{"--connect", "c", "--out", ""}, "--out needs a folder"},
        {{"--connect", "c", "--decisions", "no"}, "--decisions takes on or off"},
        {{"--connect", "c", "--loops", "2"}, "--loops takes 1 or 10"},
        {{"--connect", "c", "--model"}, "--model needs a value"},
        {{"--connect", "c", "--los-memory", "-1"}, "--los-memory takes a whole number of megabytes"},
        {{"--connect", "c", "--los-memory", "1.5"}, "--los-memory takes a whole number of megabytes"},
    };
    for (const auto& c : cases) {
        RunHarnessOptions options;
        EXPECT_FALSE(options.Parse(c.arguments)) << c.reason;
        EXPECT_EQ(options.Error().rfind(c.reason, 0), 0u) << options.Error();
    }
}

TEST(RunHarnessOptions, HelpNeedsNothingElse) {
    RunHarnessOptions options;
    ASSERT_TRUE(options.Parse({"--help"}));
    EXPECT_TRUE(options.HelpRequested());
    std::string out, err;
    EXPECT_EQ(RunHarness::Main({"--help"}, out, err), 0);
    EXPECT_NE(out.find("--sample-rate"), std::string::npos);
    EXPECT_TRUE(err.empty());
    EXPECT_EQ(RunHarness::Main({"--sample-rate", "2", "--connect", "c"}, out, err), 2);
    EXPECT_EQ(err.rfind("tolvar-run: --sample-rate 2 is outside 0 to 1", 0), 0u) << err;
}

// ---- Progress and messages ----

TEST(AtomicRunProgress, CountsPerThreadAndStopsEveryThreadAfterTheLimit) {
    CAtomicRunProgress progress;
    progress.CancelAfter(500);
    std::atomic<int> refused{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < 10; ++i)
        threads.emplace_back([&, i] {
            for (int k = 0; k < 100; ++k)
                if (!progress.UpdateProgress(i)) ++refused;
            progress.ThreadFinished(i, i == 4);
        });
    for (auto& t : threads) t.join();

    EXPECT_EQ(progress.Processed(), 500);  // every household counted was allowed to go on
    EXPECT_EQ(refused.load(), 500);
    long sum = 0;
    for (int i = 0; i < 10; ++i) sum += progress.Processed(i);
    EXPECT_EQ(sum, 500);
    EXPECT_TRUE(progress.IsCancelled());
    EXPECT_EQ(progress.FinishedThreads(), 10);
    EXPECT_EQ(progress.FailedThreads(), 1);
    EXPECT_TRUE(progress.ThreadFailed(4));
    EXPECT_FALSE(progress.ThreadFailed(3));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(progress.FinishedReports(i), 1);
}

TEST(AtomicRunProgress, ThreadIndexOutsideTheTenIsCountedOnlyInTheTotal) {
    CAtomicRunProgress progress;
    EXPECT_TRUE(progress.UpdateProgress(10));
    EXPECT_TRUE(progress.UpdateProgress(-1));
    EXPECT_EQ(progress.Processed(), 2);
    EXPECT_EQ(progress.Processed(10), 0);
    progress.Cancel();
    EXPECT_FALSE(progress.UpdateProgress(0));
    EXPECT_EQ(progress.Processed(0), 0);
}

TEST(HarnessMessageSink, OneLinePerMessageTaggedWithTheProgramAndKind) {
    CHarnessMessageSink sink("tolvar-run");
    EXPECT_EQ(sink.Line("Error 2", MessageIcon::Information), "tolvar-run: info: Error 2\n");
    EXPECT_EQ(sink.Line("a\nb", MessageIcon::Error), "tolvar-run: error: a b\n");
    EXPECT_EQ(sink.Line("w", MessageIcon::Warning), "tolvar-run: warning: w\n");
}

// ---- Whole runs ----

class RunHarnessRunTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        db = TestDatabase::Create(GetParam());
        SampleRegionGenerator::Options options;
        options.zones = 9;
        options.households = kHouseholds;
        options.seed = 3;
        {
            CDatabase writer;
            writer.OpenEx(db->Connect(), false);
            SampleRegionGenerator(options).Write(writer);
        }
        static int counter = 0;
        folder = std::filesystem::temp_directory_path() /
                 ("tolvar-harness-" + NumberText::Integer(getpid()) + "-" + NumberText::Integer(counter++));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        previous = std::filesystem::current_path();
        std::filesystem::current_path(folder);  // the trace file goes here
        out = folder / "out";
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }

    long PersonsInDatabase() {
        CDatabase reader;
        reader.OpenEx(db->Connect());
        CRecordset rs(&reader);
        rs.Open("SELECT count(*) FROM persons");
        return static_cast<long>(rs.GetDouble(0));
    }
    static long CountLines(const std::filesystem::path& path) {
        std::ifstream in(path);
        long n = 0;
        for (std::string line; std::getline(in, line);) ++n;
        return n;
    }
    long PersonLines(int firstThread, int lastThread) {
        long n = 0;
        for (int t = firstThread; t <= lastThread; ++t)
            for (const char* name : {"Adults.out", "Children.out"})
                n += CountLines(out / (name + NumberText::Integer(t)));
        return n;
    }

    static constexpr int kHouseholds = 47;
    RecordingMessageSink messages;
    std::unique_ptr<TestDatabase> db;
    std::filesystem::path folder;
    std::filesystem::path previous;
    std::filesystem::path out;
};

TEST_P(RunHarnessRunTest, RunsTheTenLoopsAndReportsTheHouseholds) {
    std::string stdOut, stdErr;
    const int status = RunHarness::Main({"--connect", db->Connect(), "--out", out.string()}, stdOut, stdErr);
    ASSERT_EQ(status, 0) << stdErr;
    EXPECT_EQ(stdOut.rfind("Households processed: 47\nWall time: ", 0), 0u) << stdOut;
    EXPECT_NE(stdOut.find("\nHouseholds per second: "), std::string::npos);
    EXPECT_TRUE(stdErr.empty()) << stdErr;

    // Ten files of each name, in the folder the harness made.
    for (int t = 1; t <= 10; ++t)
        for (const auto name : COutputFileSet::DefaultOutputNames())
            EXPECT_TRUE(std::filesystem::exists(out / (std::string(name) + NumberText::Integer(t)))) << name << t;
    EXPECT_EQ(PersonLines(1, 10), PersonsInDatabase());
    EXPECT_EQ(CountLines(folder / "debug1.txt"), kHouseholds);
    EXPECT_TRUE(messages.Texts().empty()) << messages.Texts().front();
}

TEST_P(RunHarnessRunTest, SampleRateZeroSimulatesNothingAndStillSucceeds) {
    RunHarnessOptions options;
    options.connect = db->Connect();
    options.out = out.string();
    options.sampleRate = 0.0;
    const auto result = RunHarness::Run(options);
    EXPECT_TRUE(result.Succeeded()) << result.error;
    EXPECT_EQ(result.householdsInDatabase, kHouseholds);
    EXPECT_EQ(result.processed, 0);
    EXPECT_EQ(result.finishedThreads, 10);
    EXPECT_EQ(PersonLines(1, 10), 0);
    EXPECT_EQ(CountLines(folder / "debug1.txt"), kHouseholds);
}

TEST_P(RunHarnessRunTest, SingleLoopRunsEveryHouseholdAsThreadZero) {
    RunHarnessOptions options;
    options.connect = db->Connect();
    options.out = out.string();
    const auto result = RunHarness::RunSingleLoop(options);
    EXPECT_TRUE(result.Succeeded()) << result.error;
    EXPECT_EQ(result.threads, 1);
    EXPECT_EQ(result.processed, kHouseholds);
    EXPECT_EQ(PersonLines(1, 1), PersonsInDatabase());
    EXPECT_FALSE(std::filesystem::exists(out / "Adults.out2"));
}

TEST_P(RunHarnessRunTest, FailingThreadsMakeTheRunFail) {
    db->Execute("DELETE FROM losdir");  // no thread can load its tables
    std::string stdOut, stdErr;
    EXPECT_EQ(RunHarness::Main({"--connect", db->Connect(), "--out", out.string()}, stdOut, stdErr), 1);
    EXPECT_NE(stdErr.find("10 of 10 threads failed"), std::string::npos) << stdErr;
    EXPECT_NE(stdOut.find("Households processed: 0"), std::string::npos);
}

TEST_P(RunHarnessRunTest, OutputThatCannotBeOpenedOrWrittenFailsItsThreads) {
    // Thread 3 cannot open its vehicles file; thread 5 writes its stops to a
    // device that takes no bytes.
    std::filesystem::create_directories(out / "Vehicles.out3");
    std::filesystem::create_symlink("/dev/full", out / "stops.out5");
    std::string stdOut, stdErr;
    EXPECT_EQ(RunHarness::Main({"--connect", db->Connect(), "--out", out.string()}, stdOut, stdErr), 1);
    EXPECT_EQ(stdErr, "tolvar-run: error: 2 of 10 threads failed\n");
    EXPECT_THAT(messages.Texts(),
                ::testing::UnorderedElementsAre("Thread 3: these output files could not be opened: " +
                                                    (out / "Vehicles.out3").string() +
                                                    ". The thread fails without simulating its households.",
                                                "Thread 5: these output files could not be written completely: " +
                                                    (out / "stops.out5").string() + ". The thread fails."));
}

TEST_P(RunHarnessRunTest, HouseholdsThatCannotBeCountedStopBeforeTheRun) {
    // Without the count no thread has a share; the run must not pass for a
    // successful one over zero households.
    db->Execute("DROP TABLE households");
    std::string stdOut, stdErr;
    EXPECT_EQ(RunHarness::Main({"--connect", db->Connect(), "--out", out.string()}, stdOut, stdErr), 1);
    EXPECT_EQ(stdErr, "tolvar-run: error: the households could not be counted\n");
    EXPECT_TRUE(messages.Contains("Error reading number of hhids "));
    EXPECT_TRUE(stdOut.empty());

    RunHarnessOptions options;
    options.connect = db->Connect();
    options.out = out.string();
    EXPECT_EQ(RunHarness::RunSingleLoop(options).error, "the households could not be counted");
}

TEST_P(RunHarnessRunTest, AModelFileThatCannotBeLoadedStopsBeforeTheRun) {
    std::string stdOut, stdErr;
    EXPECT_EQ(RunHarness::Main({"--connect", db->Connect(), "--out", out.string(), "--model",
                                (folder / "no-such-file.tvm").string()},
                               stdOut, stdErr),
              1);
    EXPECT_NE(stdErr.find("could not be loaded"), std::string::npos) << stdErr;
    EXPECT_TRUE(messages.Contains("Problem, model file not loaded properly"));
    EXPECT_TRUE(stdOut.empty());
    EXPECT_FALSE(std::filesystem::exists(out / "Adults.out1"));
}

TEST_P(RunHarnessRunTest, AModelFileIsLoadedIntoTheTenModelSystemsBeforeTheRun) {
    // A file saved from a model system loads into every system.
    const auto path = folder / "models.tvm";
    {
        CModelSystem source;
        ASSERT_FALSE(source.GetModels().empty());
        ASSERT_TRUE(CModelParameterFile().SaveXml(path.string(), source));
    }
    std::vector<std::unique_ptr<CModelSystem>> owned;
    std::vector<CModelSystem*> systems;
    for (int i = 0; i < 10; ++i) {
        owned.push_back(std::make_unique<CModelSystem>());
        systems.push_back(owned.back().get());
    }
    std::string error;
    EXPECT_TRUE(RunHarness::LoadModelFile(path.string(), systems, error)) << error;

    std::string stdOut, stdErr;
    EXPECT_EQ(RunHarness::Main({"--connect", db->Connect(), "--out", out.string(), "--model", path.string()}, stdOut,
                               stdErr),
              0)
        << stdErr;
    EXPECT_EQ(PersonLines(1, 10), PersonsInDatabase());
}

// Pairs of more than one row from two home zones, the same from ten loops as from one under the smallest budget.
TEST_P(RunHarnessRunTest, RepeatedZonePairsAreReportedOncePerTableWithTheFirstPair) {
    CDatabase reader;
    reader.OpenEx(db->Connect());
    CRecordset homes(&reader);
    homes.Open("SELECT min(zone_id), max(zone_id) FROM households");
    const std::string low = NumberText::Integer(static_cast<int>(homes.GetDouble(0)));
    const auto repeat = [&](const std::string& table, double origin, const std::string& destinations) {
        db->Execute("INSERT INTO " + table + " SELECT * FROM " + table + " WHERE orig_zon = " +
                    NumberText::Integer(static_cast<int>(origin)) + " AND dest_zon IN (" + destinations + ")");
    };
    repeat("los_am", homes.GetDouble(1), "2, 5");
    repeat("los_am", homes.GetDouble(1), "2");  // a third row of a pair counts once
    repeat("los_am", homes.GetDouble(0), "7");
    repeat("zone2zone", homes.GetDouble(0), "1");
    RunHarnessOptions options;
    options.connect = db->Connect();
    options.out = out.string();
    EXPECT_TRUE(RunHarness::Run(options).Succeeded());
    const std::vector<std::string> tenLoops = messages.Texts();
    messages.Clear();
    options.losMemory = 1;
    EXPECT_TRUE(RunHarness::RunSingleLoop(options).Succeeded());
    EXPECT_EQ(messages.Texts(), tenLoops);
    const std::string first = " read in this run, the first in zone order origin " + low + ", destination ";
    EXPECT_THAT(tenLoops, ::testing::UnorderedElementsAre(
                              ::testing::StartsWith("The table \"los_am\" holds more than one row for 3 zone pairs" +
                                                    first + "7. "),
                              ::testing::StartsWith("The table \"zone2zone\" holds more than one row for 1 zone pair" +
                                                    first + "1. ")));
}

INSTANTIATE_TEST_SUITE_P(Db, RunHarnessRunTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

TEST(RunHarnessRun, AnInputDatabaseThatDoesNotOpenIsReported) {
    RecordingMessageSink messages;
    std::string stdOut, stdErr;
    const auto folder = std::filesystem::temp_directory_path() / ("tolvar-harness-bad-" + NumberText::Integer(getpid()));
    EXPECT_EQ(RunHarness::Main({"--connect", "Driver=NoSuchDriver;", "--out", folder.string()}, stdOut, stdErr), 1);
    EXPECT_EQ(stdErr, "tolvar-run: error: the input database could not be opened\n");
    EXPECT_FALSE(messages.Texts().empty());  // the driver manager's own report
    std::filesystem::remove_all(folder);
}

}  // namespace

namespace {

TEST_P(RunHarnessRunTest, DecisionsOffLoadsAndWritesEveryPersonWithoutSchedules) {
    const char* source = std::getenv("TOLVAR_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    for (const std::string loops : {"10", "1"}) {
        std::filesystem::remove_all(out);
        std::string stdOut, stdErr;
        ASSERT_EQ(RunHarness::Main({"--connect", db->Connect(), "--out", out.string(), "--model",
                                    std::string(source) + "/sample/tolvar-sample.tvm", "--decisions", "off",
                                    "--loops", loops},
                                   stdOut, stdErr),
                  0)
            << stdErr;
        EXPECT_NE(stdOut.find("Households processed: 47"), std::string::npos) << stdOut;
        EXPECT_EQ(PersonLines(1, 10), PersonsInDatabase());
        for (const char* name : {"tours.out", "stops.out", "activity.out", "workers.out", "Vehicles.out"})
            for (int t = 1; t <= 10; ++t) EXPECT_EQ(CountLines(out / (name + NumberText::Integer(t))), 0) << name << t;
        EXPECT_EQ(std::filesystem::exists(out / "Adults.out2"), loops == "10");
    }
}

}  // namespace
