// Damage seeded into a generated region run with the sample model, on both
// databases: each damaged household is skipped with a message naming it,
// every other household is written exactly as from the sound region, and ten
// threads report each finding once, as one loop does.

#include "LoopTestRegion.h"

#include "household/CThreadSets.h"
#include "modelsystem/CModelParameterFile.h"
#include "platform/CRecordset.h"
#include "platform/NumberText.h"
#include "support/RecordingMessageSink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kHouseholds = 30;

using Output = std::map<std::string, std::vector<std::string>>;

// Every output line of the folder by household id, each with its file's name
// less the thread number.
Output LinesByHousehold(const std::filesystem::path& folder) {
    Output output;
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
        const std::string name = file.path().filename().string();
        const std::string kind = name.substr(0, name.find_last_not_of("0123456789") + 1);
        for (const std::string& line : LoopFiles::Lines(file.path()))
            output[line.substr(0, line.find_first_of("\t,"))].push_back(kind + ":" + line);
    }
    for (auto& [id, lines] : output) std::sort(lines.begin(), lines.end());
    return output;
}

class DamagedInputTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        region = std::make_unique<LoopTestRegion>(GetParam(), 9, kHouseholds);
        const char* source = std::getenv("TOLVAR_SOURCE_DIR");
        model = (std::filesystem::path(source ? source : "..") / "sample" / "tolvar-sample.tvm").string();
    }
    std::filesystem::path Folder(const std::string& name) {
        std::filesystem::create_directories(region->Folder() / name);
        return region->Folder() / name;
    }
    // One loop over every household; the households it simulated.
    int RunOneLoop(const std::string& folder) {
        SingleLoop loop(region->Connect());
        EXPECT_TRUE(loop.models.LoadXml(model));
        loop.SetShare(0, kHouseholds);
        loop.SetOutputFolder(Folder(folder));
        loop.Run();
        return loop.progress.Count(RecordingRunProgress::Event::Update);
    }
    // The ten threads of a run, from connecting to the end of the run.
    void RunTenThreads(const std::string& folder) {
        CThreadSets sets;
        ASSERT_TRUE(sets.OpenInput(region->Connect()));
        std::vector<CModelSystem*> systems;
        for (int i = 0; i < CThreadSets::kThreadCount; ++i) systems.push_back(&sets.Models(i));
        ASSERT_TRUE(CModelParameterFile().LoadXml(model, systems));
        sets.SetOutputFolder(Folder(folder).string());
        RecordingRunProgress progress;
        sets.StartRun(&progress, std::chrono::milliseconds(0));
        sets.WaitForRun();
    }
    void Execute(const std::string& sql) { region->Database().Execute(sql); }
    // The first household, in id order, with a member of the condition, that no earlier call took.
    std::string Take(const std::string& condition) {
        CDatabase reader;
        reader.OpenEx(region->Connect());
        CRecordset rows(&reader);
        rows.Open("SELECT hid FROM persons WHERE " + condition + " ORDER BY hid");
        for (; !rows.IsEOF(); rows.MoveNext()) {
            const std::string id = NumberText::Integer(static_cast<long long>(rows.GetDouble(0)));
            if (std::find(taken.begin(), taken.end(), id) == taken.end()) return taken.emplace_back(id);
        }
        ADD_FAILURE() << "no household with " << condition;
        return "0";
    }
    int Count(const std::string& part) const {
        const auto texts = messages.Texts();
        return static_cast<int>(
            std::count_if(texts.begin(), texts.end(), [&](const std::string& t) { return t.find(part) != t.npos; }));
    }

    RecordingMessageSink messages;
    std::unique_ptr<LoopTestRegion> region;
    std::string model;
    std::vector<std::string> taken;
};

TEST_P(DamagedInputTest, DamagedHouseholdsAreSkippedAndNamedAndEveryOtherIsWrittenUnchanged) {
    ASSERT_EQ(RunOneLoop("sound"), kHouseholds);
    Output expected = LinesByHousehold(Folder("sound"));

    // Zones that are not zones where the day reads them: a worker's work zone,
    // a school child's school zone, a home zone. A non-worker's old work zone
    // of -1 is never read. A NULL id, and an id that truncates to another
    // household's.
    const std::string worker = Take("employed = 1");
    const std::string child = Take("age < 16 AND student = 1");
    const std::string home = Take("hid > 0");
    const std::string idle = Take("employed = 0 AND student = 0 AND age >= 16");
    const std::string other = Take("hid > 0");
    const std::string nullId = Take("hid > 0");
    const std::string fraction = Take("hid > 0");
    Execute("UPDATE persons SET work_zone = 99 WHERE employed = 1 AND hid = " + worker);
    Execute("UPDATE persons SET school_zone = 99 WHERE age < 16 AND student = 1 AND hid = " + child);
    Execute("UPDATE households SET zone_id = 99 WHERE hid = " + home);
    Execute("UPDATE persons SET work_zone = -1 WHERE employed = 0 AND student = 0 AND hid = " + idle);
    for (const char* table : {"households", "persons"}) {
        Execute(std::string("UPDATE ") + table + " SET hid = NULL WHERE hid = " + nullId);
        Execute(std::string("UPDATE ") + table + " SET hid = " + other + ".5 WHERE hid = " + fraction);
    }
    messages.Clear();
    EXPECT_EQ(RunOneLoop("damaged"), kHouseholds - 5);

    for (const char* column : {"zone_id (3) of the households", "work_zone (5) of the persons",
                               "school_zone (6) of the persons"})
        EXPECT_EQ(Count(column), 1) << column;
    EXPECT_EQ(Count("holds 2 rows whose hid is NULL or not a whole number"), 1);
    EXPECT_EQ(Count(other + ".5 (zone_id"), 1);
    EXPECT_EQ(Count("whose hid names no household"), 1);  // the persons of the NULL id
    EXPECT_EQ(messages.Texts().size(), 5u) << ::testing::PrintToString(messages.Texts());
    for (const std::string& id : {worker, child, home, nullId, fraction}) expected.erase(id);
    EXPECT_EQ(LinesByHousehold(Folder("damaged")), expected);
}

TEST_P(DamagedInputTest, TenThreadsReportEachFindingOnceAndWriteWhatOneLoopWrites) {
    Execute("DELETE FROM zone2zone WHERE orig_zon = 2 AND dest_zon <> 2");
    Execute("UPDATE households SET zone_id = 99 WHERE hid = " + Take("hid > 0"));
    // With a NULL id the households count 29; the shares must still cover each of them.
    const std::string nullId = Take("hid > 0");
    for (const char* table : {"households", "persons"})
        Execute(std::string("UPDATE ") + table + " SET hid = NULL WHERE hid = " + nullId);
    RunOneLoop("one");
    const std::vector<std::string> once = LoopFiles::Sorted(messages.Texts());
    EXPECT_EQ(Count("\"zone2zone\" holds no row for"), 1);

    messages.Clear();
    RunTenThreads("ten");
    EXPECT_EQ(LoopFiles::Sorted(messages.Texts()), once);
    EXPECT_EQ(LinesByHousehold(Folder("ten")), LinesByHousehold(Folder("one")));
}

TEST_P(DamagedInputTest, AMissingInputTableIsNamedOnceFromConnectingToTheEndOfTheRun) {
    Execute("DROP TABLE zone2zone");
    RunTenThreads("ten");
    ASSERT_EQ(messages.Texts().size(), 1u) << ::testing::PrintToString(messages.Texts());
    EXPECT_NE(messages.Texts()[0].find("\"zone2zone\" does not exist"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Db, DamagedInputTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
