// Arguments of the tolvar-sample-region program: accepted forms, the target
// database and a clear message for each kind of mistake.

#include "tools/SampleRegionCommandLine.h"

#include <gtest/gtest.h>

namespace {

using Args = std::vector<std::string>;

TEST(SampleRegionCommandLine, ReadsSizeSeedAndSQLiteTarget) {
    SampleRegionCommandLine line;
    ASSERT_TRUE(line.Parse({"--zones", "1000", "--households", "50000", "--seed", "17", "--sqlite", "/tmp/r.db"}))
        << line.Error();
    EXPECT_EQ(line.Options().zones, 1000);
    EXPECT_EQ(line.Options().households, 50000);
    EXPECT_EQ(line.Options().seed, 17u);
    EXPECT_EQ(line.ConnectString(), "Driver=SQLite3;Database=/tmp/r.db;");
    EXPECT_EQ(line.TargetName(), "/tmp/r.db");
    EXPECT_FALSE(line.HelpRequested());
}

TEST(SampleRegionCommandLine, DefaultsToTheSmallRegionAndPassesAConnectStringUnchanged) {
    SampleRegionCommandLine line;
    const std::string connect = "Driver={PostgreSQL Unicode};Server=127.0.0.1;Database=x;Uid=postgres;Pwd=;";
    ASSERT_TRUE(line.Parse({"--connect", connect})) << line.Error();
    EXPECT_EQ(line.Options().zones, 25);
    EXPECT_EQ(line.Options().households, 200);
    EXPECT_EQ(line.Options().seed, 1u);
    EXPECT_EQ(line.ConnectString(), connect);
}

TEST(SampleRegionCommandLine, HelpNeedsNoTarget) {
    SampleRegionCommandLine line;
    ASSERT_TRUE(line.Parse({"--help"}));
    EXPECT_TRUE(line.HelpRequested());
    EXPECT_NE(CCommandLine(SampleRegionCommandLine::Program()).Help().find("--sqlite FILE"), std::string::npos);
}

TEST(SampleRegionCommandLine, RejectsMistakesWithAMessage) {
    const std::vector<std::pair<Args, std::string>> cases{
        {{}, "--sqlite FILE or --connect"},
        {{"--zones", "10"}, "--sqlite FILE or --connect"},
        {{"--sqlite", "a.db", "--connect", "Driver=x"}, "either --sqlite"},
        {{"--sqlite", "a.db", "--sqlite", "b.db"}, "either --sqlite"},
        {{"--zones", "0", "--sqlite", "a.db"}, "--zones takes a whole number from 1"},
        {{"--zones", "3001", "--sqlite", "a.db"}, "--zones takes"},
        {{"--zones", "12.5", "--sqlite", "a.db"}, "not \"12.5\""},
        {{"--zones", "ten", "--sqlite", "a.db"}, "not \"ten\""},
        {{"--households", "-1", "--sqlite", "a.db"}, "--households takes"},
        {{"--seed", "-3", "--sqlite", "a.db"}, "--seed takes"},
        {{"--zones", "5", "--zones", "6", "--sqlite", "a.db"}, "given twice"},
        {{"--sqlite"}, "needs a value"},
        {{"--sqlite", "a;b.db"}, "may not contain"},
        {{"--connect", ""}, "needs an ODBC connect string"},
        {{"--colour", "red", "--sqlite", "a.db"}, "unknown argument \"--colour\""},
    };
    for (const auto& [args, expected] : cases) {
        SampleRegionCommandLine line;
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_FALSE(line.Parse(args)) << joined;
        EXPECT_NE(line.Error().find(expected), std::string::npos) << joined << "-> " << line.Error();
    }
}

TEST(SampleRegionCommandLine, ParsingAgainStartsAfresh) {
    SampleRegionCommandLine line;
    ASSERT_TRUE(line.Parse({"--zones", "9", "--sqlite", "a.db"}));
    EXPECT_FALSE(line.Parse({"--zones", "9"}));
    ASSERT_TRUE(line.Parse({"--connect", "Driver=y"}));
    EXPECT_EQ(line.Options().zones, 25);
    EXPECT_EQ(line.ConnectString(), "Driver=y");
}

}  // namespace
