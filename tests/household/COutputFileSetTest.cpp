// The ten output streams of a worker thread: names with the thread number,
// the workers / child-students swap, whole lines, closing and failures.

#include "household/COutputFileSet.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class OutputFileSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() / "tolvar-tests" /
                ("out_" + std::to_string(getpid()) + "_" + info->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // The default names of a thread, in the folder.
    std::vector<std::string> Names(int threadIndex) const {
        std::vector<std::string> names;
        for (auto name : COutputFileSet::DefaultOutputNames()) names.push_back((m_dir / name).string());
        return COutputFileSet::NamesForThread(names, threadIndex);
    }

    fs::path m_dir;
};

TEST(OutputFileNames, EachNameGetsTheThreadNumber) {
    const std::vector<std::string> names{"Adults.out", "x/Children.out"};
    EXPECT_EQ(COutputFileSet::NamesForThread(names, 0), (std::vector<std::string>{"Adults.out1", "x/Children.out1"}));
    EXPECT_EQ(COutputFileSet::NamesForThread(names, 9), (std::vector<std::string>{"Adults.out10", "x/Children.out10"}));
}

TEST(OutputFileNames, DefaultsInTheOrderTheyAreChosen) {
    const auto& names = COutputFileSet::DefaultOutputNames();
    const std::vector<std::string> expected{"Adults.out", "Children.out", "ChildStudents.out", "workers.out",
                                            "nonworkers.out", "tours.out", "stops.out", "activity.out",
                                            "NOGO.out", "Vehicles.out"};
    ASSERT_EQ(names.size(), expected.size());
    for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(names[i], expected[i]);
}

TEST(OutputFileNames, StreamsTwoAndThreeSwapTheirNames) {
    EXPECT_EQ(COutputFileSet::NameIndexOfStream(COutputFileSet::kWorkers), 3);
    EXPECT_EQ(COutputFileSet::NameIndexOfStream(COutputFileSet::kChildStudents), 2);
    for (int k : {0, 1, 4, 5, 6, 7, 8, 9}) EXPECT_EQ(COutputFileSet::NameIndexOfStream(k), k);
    EXPECT_THROW(COutputFileSet::NameIndexOfStream(10), std::out_of_range);
}

TEST_F(OutputFileSetTest, EachStreamWritesToItsFile) {
    {
        COutputFileSet streams;
        for (int k = 0; k < COutputFileSet::kStreamCount; ++k) EXPECT_FALSE(streams.IsOpen(k));
        streams.Open(Names(2));
        EXPECT_TRUE(streams.IsOutputEnabled());
        EXPECT_TRUE(streams.ClosedStreams().empty());
        for (int k = 0; k < COutputFileSet::kStreamCount; ++k)
            EXPECT_TRUE(streams.WriteLine(k, "stream\t" + std::to_string(k)));
        EXPECT_TRUE(streams.Close());
        EXPECT_FALSE(streams.HasWriteErrors());
    }
    const std::vector<std::pair<std::string, int>> fileOfStream{
        {"Adults.out3", 0}, {"Children.out3", 1}, {"workers.out3", 2}, {"ChildStudents.out3", 3},
        {"nonworkers.out3", 4}, {"tours.out3", 5}, {"stops.out3", 6}, {"activity.out3", 7},
        {"NOGO.out3", 8}, {"Vehicles.out3", 9}};
    for (const auto& [file, k] : fileOfStream)
        EXPECT_EQ(ReadFile(m_dir / file), "stream\t" + std::to_string(k) + "\n") << file;
}

TEST_F(OutputFileSetTest, ClosingFlushesEveryLine) {
    COutputFileSet streams;
    streams.Open(Names(0));
    std::string expected;
    for (int i = 0; i < 2000; ++i) {
        const std::string line = "line " + std::to_string(i) + "\t0\t1";
        ASSERT_TRUE(streams.WriteLine(COutputFileSet::kStops, line));
        expected += line + "\n";
    }
    streams.Get(COutputFileSet::kTours) << "piece";
    streams[COutputFileSet::kTours] << "wise\n";
    EXPECT_TRUE(streams.Close());
    // Still in scope: the files are complete once the set is closed.
    EXPECT_EQ(ReadFile(m_dir / "stops.out1"), expected);
    EXPECT_EQ(ReadFile(m_dir / "tours.out1"), "piecewise\n");
    EXPECT_FALSE(streams.IsOpen(COutputFileSet::kStops));
    EXPECT_FALSE(streams.WriteLine(COutputFileSet::kStops, "after close"));
    EXPECT_EQ(ReadFile(m_dir / "stops.out1"), expected);
}

TEST_F(OutputFileSetTest, DestructionClosesTheStreamsLeftOpen) {
    {
        COutputFileSet streams;
        streams.Open(Names(4));
        streams.WriteLine(COutputFileSet::kNogo, "12,30");
        streams.WriteLine(COutputFileSet::kVehicles, "1\t0\t3\t4\t0\t1\t12.5");
    }
    EXPECT_EQ(ReadFile(m_dir / "NOGO.out5"), "12,30\n");
    EXPECT_EQ(ReadFile(m_dir / "Vehicles.out5"), "1\t0\t3\t4\t0\t1\t12.5\n");
}

TEST_F(OutputFileSetTest, OpeningEmptiesAnExistingFile) {
    std::ofstream(m_dir / "Adults.out1") << "old run\n";
    COutputFileSet streams;
    streams.Open(Names(0));
    streams.WriteLine(COutputFileSet::kAdults, "new run");
    streams.Close();
    EXPECT_EQ(ReadFile(m_dir / "Adults.out1"), "new run\n");
}

TEST_F(OutputFileSetTest, AnUnopenableNogoFileLeavesOutputEnabled) {
    auto names = Names(0);
    names[8] = (m_dir / "missing" / "NOGO.out1").string();
    COutputFileSet streams;
    streams.Open(names);
    EXPECT_TRUE(streams.IsOutputEnabled());
    EXPECT_EQ(streams.ClosedStreams(), std::vector<int>{8});
    EXPECT_EQ(streams.GetPath(8), names[8]);
    EXPECT_FALSE(streams.WriteLine(COutputFileSet::kNogo, "1,2"));
    EXPECT_FALSE(streams.HasWriteErrors());
    EXPECT_TRUE(streams.Close());
}

TEST_F(OutputFileSetTest, AnyOtherUnopenableFileDisablesOutput) {
    for (int nameIndex : {0, 2, 3, 7, 9}) {
        auto names = Names(0);
        names[static_cast<size_t>(nameIndex)] = (m_dir / "missing" / "file").string();
        COutputFileSet streams;
        streams.Open(names);
        EXPECT_FALSE(streams.IsOutputEnabled()) << "name " << nameIndex;
        ASSERT_EQ(streams.ClosedStreams().size(), 1u);
        EXPECT_EQ(streams.ClosedStreams().front(), COutputFileSet::NameIndexOfStream(nameIndex));
    }
}

TEST_F(OutputFileSetTest, NoNamesOpenNothing) {
    COutputFileSet streams;
    streams.Open({});
    EXPECT_FALSE(streams.IsOutputEnabled());
    EXPECT_EQ(streams.ClosedStreams().size(), 10u);
    streams.Open(std::vector<std::string>(10));
    EXPECT_EQ(streams.ClosedStreams().size(), 10u);
    EXPECT_FALSE(streams.WriteLine(0, "x"));
    EXPECT_THROW(streams.Get(10), std::out_of_range);
    EXPECT_THROW(streams.WriteLine(-1, "x"), std::out_of_range);
}

TEST_F(OutputFileSetTest, AFailedWriteIsReported) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    auto names = Names(0);
    names[6] = "/dev/full";
    COutputFileSet streams;
    streams.Open(names);
    ASSERT_TRUE(streams.IsOpen(COutputFileSet::kStops));
    std::string line(200, 'x');
    bool allWritten = true;
    for (int i = 0; i < 200; ++i) allWritten = streams.WriteLine(COutputFileSet::kStops, line) && allWritten;
    EXPECT_FALSE(streams.Close() && allWritten);
    EXPECT_TRUE(streams.HasWriteError(COutputFileSet::kStops));
    EXPECT_FALSE(streams.HasWriteError(COutputFileSet::kAdults));
}

}  // namespace
