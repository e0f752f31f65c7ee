// The application object without windows: Data > Input on the sample region,
// the order of the refusals, model load, save and edit across the ten model
// systems, and runs that are cancelled and started again.

#include "AppTestSupport.h"
#include "LoopTestRegion.h"

#include "app/CTolvarApp.h"
#include "app/CommandIds.h"
#include "app/ModelEditDispatch.h"
#include "models/CRegressMM.h"
#include "modelsystem/CEditorRegistry.h"
#include "support/RecordingMessageSink.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <fstream>
#include <stdexcept>

namespace {

using AppTest::FakeDialogs;
using AppTest::ParametersOf;

const std::string kInputMissing = "ERROR: input data not loaded properly.  Cannot proceed with simulation.";
const std::string kModelMissing =
    "ERROR: model parameters file not loaded properly.  Cannot proceed with simulation.";
const std::string kRunActive = "A simulation run is still in progress. Wait until all of its threads have ended.";

// Every model system holds the parameters of system 0.
void ExpectSystemsEqual(CTolvarApp& app) {
    const std::string master = ParametersOf(*app.Systems()[0]);
    for (CModelSystem* system : app.Systems()) EXPECT_EQ(ParametersOf(*system), master);
}

class TolvarAppTest : public ::testing::Test {
protected:
    void TearDown() override { CEditorRegistry::Clear(); }
    RecordingMessageSink messages;
    FakeDialogs dialogs;
};

TEST_F(TolvarAppTest, RunWithoutInputNamesOnlyTheInput) {
    CTolvarApp app(dialogs);
    EXPECT_TRUE(app.OnCommand(CommandIds::kSimulationRun));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{kInputMissing});
    EXPECT_EQ(app.GetRun(), nullptr);
    EXPECT_FALSE(app.OnCommand(57665));  // Exit belongs to the window
    EXPECT_TRUE(app.CanExit());
}

TEST_F(TolvarAppTest, LoadIsAllOrNothingAndFailuresAreReported) {
    CTolvarApp app(dialogs);
    dialogs.loadPath = AppTest::SampleModelFile().string();
    app.OnModelsLoad();
    ASSERT_TRUE(app.IsModelLoaded()) << (messages.Texts().empty() ? "" : messages.Texts().front());
    EXPECT_EQ(app.GetViewSettings().configFile, *dialogs.loadPath);
    ExpectSystemsEqual(app);
    const std::string loaded = ParametersOf(*app.Systems()[0]);

    // A file that is not XML: the parser's description, then the application's
    // one message; models, flag and view line keep the good load.
    const std::filesystem::path broken = std::filesystem::temp_directory_path() / "tolvar-app-broken.tvm";
    std::ofstream(broken) << "<Configuration><ModelConfig id=";
    dialogs.loadPath = broken.string();
    app.OnModelsLoad();
    ASSERT_EQ(messages.Texts().size(), 2u);
    EXPECT_NE(messages.Texts()[0].find("is not well-formed XML"), std::string::npos) << messages.Texts()[0];
    EXPECT_EQ(messages.Texts()[1], "Problem, model file not loaded properly");
    EXPECT_TRUE(app.IsModelLoaded());
    EXPECT_EQ(app.GetViewSettings().configFile, AppTest::SampleModelFile().string());
    EXPECT_EQ(ParametersOf(*app.Systems()[0]), loaded);
    ExpectSystemsEqual(app);

    // Cancelled: nothing happens.
    messages.Clear();
    dialogs.loadPath.reset();
    app.OnModelsLoad();
    EXPECT_TRUE(messages.Texts().empty());

    // Save: a file that cannot be written is said; a written one reads back.
    dialogs.savePath = "/nonexistent-folder/models.tvm";
    app.OnModelsSave();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Problem, model file not saved: /nonexistent-folder/models.tvm"});
    messages.Clear();
    const std::filesystem::path saved = std::filesystem::temp_directory_path() / "tolvar-app-saved.tvm";
    dialogs.savePath = saved.string();
    app.OnModelsSave();
    EXPECT_TRUE(messages.Texts().empty());
    CModelSystem reread;
    ASSERT_TRUE(CModelParameterFile().LoadXml(saved.string(), reread));
    EXPECT_EQ(ParametersOf(reread), loaded);
    std::filesystem::remove(broken);
    std::filesystem::remove(saved);
}

TEST_F(TolvarAppTest, EditsReachAllTenSystemsAndEditorFailuresStayInside) {
    CTolvarApp app(dialogs);
    ModelEditCommands::InstallHandler([&app](int id) { return app.OnEditModel(id); });
    CEditorRegistry::Install<CRegressMM>([](const CRegressMM&, CRegressMM::Parameters& edited) {
        edited.terms.Add(30000, 1.5);
        edited.variance = 0.25;
        return true;
    });
    // Before any Load: the initial parameters are edited and copied.
    const std::string before = ParametersOf(*app.Systems()[0]);
    EXPECT_TRUE(ModelEditCommands::Run(32913));  // "Home Stay Duration before Tour 2", as a flow chart would
    EXPECT_NE(ParametersOf(*app.Systems()[0]), before);
    ExpectSystemsEqual(app);
    EXPECT_EQ(app.Systems()[7]->HomeStayDurationBeforeTour(2).m_dVariance, 0.25);

    CEditorRegistry::Install<CRegressMM>([](const CRegressMM&, CRegressMM::Parameters&) -> bool {
        throw std::runtime_error("no such field");
    });
    const std::string edited = ParametersOf(*app.Systems()[0]);
    EXPECT_FALSE(app.OnCommand(32951));  // "Household Annual Mileage"
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0],
              "The editor of \"Household Annual Mileage\" failed: no such field. The model is unchanged.");
    EXPECT_EQ(ParametersOf(*app.Systems()[0]), edited);
    ExpectSystemsEqual(app);
    EXPECT_FALSE(ModelEditCommands::Run(4242));  // not a command
    ModelEditCommands::InstallHandler(nullptr);
}

class TolvarAppRegionTest : public ::testing::TestWithParam<std::string> {
protected:
    void TearDown() override { CEditorRegistry::Clear(); }
    RecordingMessageSink messages;
    FakeDialogs dialogs;
};

TEST_P(TolvarAppRegionTest, DataInputDividesTheHouseholdsAndReconnects) {
    LoopTestRegion region(GetParam(), 9, 63);
    CTolvarApp app(dialogs);
    int viewChanges = 0;
    app.SetViewListener([&] { ++viewChanges; });

    dialogs.connection = region.Connect();
    app.OnDataInput();
    ASSERT_TRUE(app.IsInputLoaded());
    EXPECT_TRUE(messages.Texts().empty()) << messages.Texts().front();
    EXPECT_EQ(app.GetHouseholdCount(), 63);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(app.Systems()[i]->m_nFirstHousehold, i * 6);
        EXPECT_EQ(app.Systems()[i]->m_nHouseholdCount, i < 9 ? 6 : 9);
        EXPECT_EQ(app.Systems()[i]->m_pDatabase, &app.Sets().Connection(i));
    }
    EXPECT_EQ(app.GetViewSettings().inputDatabase.rfind("Loaded ", 0), 0u);
    EXPECT_EQ(app.GetViewSettings().databaseType, GetParam());
    EXPECT_EQ(viewChanges, 1);

    // A cancelled dialog keeps the connection.
    dialogs.connection.reset();
    app.OnDataInput();
    EXPECT_TRUE(app.IsInputLoaded());
    EXPECT_TRUE(app.Sets().Connection(0).IsOpen());
    EXPECT_TRUE(messages.Texts().empty());

    // A second connection closes the ten first, once.
    dialogs.connection = region.Connect();
    app.OnDataInput();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Current connection has been closed, select new connection."});
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(app.Sets().Connection(i).IsOpen()) << i;

    // One that fails leaves no input and no stale name in the view.
    messages.Clear();
    dialogs.connection = "Driver=NoSuchDriver;Database=nowhere;";
    app.OnDataInput();
    EXPECT_FALSE(app.IsInputLoaded());
    EXPECT_EQ(app.GetViewSettings().inputDatabase, "Unspecified");
    EXPECT_FALSE(messages.Texts().empty());

    // Without a model file the run names the model file.
    dialogs.connection = region.Connect();
    app.OnDataInput();
    messages.Clear();
    app.OnSimulationRun();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{kModelMissing});
}

TEST_P(TolvarAppRegionTest, MissingInputTablesGiveOneWarningAtDataInput) {
    auto db = TestDatabase::Create(GetParam());
    db->Execute("CREATE TABLE households (hid INTEGER, zone_id INTEGER)");
    db->Execute("INSERT INTO households VALUES (1, 1)");
    CTolvarApp app(dialogs);
    dialogs.connection = db->Connect();
    app.OnDataInput();
    EXPECT_TRUE(app.IsInputLoaded());
    EXPECT_EQ(app.GetHouseholdCount(), 1);
    // The data layer names each missing table; the application warns once.
    ASSERT_FALSE(messages.Messages().empty());
    EXPECT_EQ(messages.Messages().back().icon, MessageIcon::Warning);
    const auto& texts = messages.Texts();
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                            [](const std::string& t) { return t.find("input tables") != std::string::npos; }),
              1);
    EXPECT_NE(texts.back().find("input tables"), std::string::npos);
}

TEST_P(TolvarAppRegionTest, CancelledRunRefusesCommandsUntilItsThreadsReturnAndASecondRunCountsAfresh) {
    LoopTestRegion region(GetParam(), 25, 200);
    CTolvarApp app(dialogs);
    dialogs.connection = region.Connect();
    dialogs.loadPath = AppTest::SampleModelFile().string();
    dialogs.outputFolder = (region.Folder() / "out").string();
    std::filesystem::create_directories(*dialogs.outputFolder);
    app.OnDataInput();
    app.OnModelsLoad();
    app.OnDataOutput();
    ASSERT_TRUE(messages.Texts().empty()) << messages.Texts().front();

    // First run: long start delays; cancelled once a household is counted.
    app.SetStartDelay(std::chrono::milliseconds(400));
    std::vector<std::string> refusals;
    bool exitAllowed = true;
    dialogs.onRun = [&](CRunState& run) {
        ASSERT_TRUE(AppTest::WaitFor([&] { return run.Processed() > 0 || run.AllReturned(); }));
        app.OnDataInput();
        app.OnModelsLoad();
        app.OnEditModel(32951);
        app.OnSimulationRun();
        exitAllowed = app.CanExit();
        refusals = messages.Texts();
        run.Cancel();
        // The threads still in their delays stop waiting: nowhere near the 4 seconds of the last delay.
        EXPECT_TRUE(AppTest::WaitFor([&] { return run.AllReturned(); }, std::chrono::seconds(3)));
    };
    app.OnSimulationRun();
    EXPECT_EQ(refusals, std::vector<std::string>(5, kRunActive));
    EXPECT_FALSE(exitAllowed);
    CRunState* first = app.GetRun();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->IsCancelled());
    EXPECT_LT(first->Processed(), 200);
    EXPECT_FALSE(app.IsRunActive());
    EXPECT_TRUE(app.CanExit());

    // Second run: its own state, counted from zero, completes over every household.
    messages.Clear();
    app.SetStartDelay(std::chrono::milliseconds(0));
    dialogs.onRun = nullptr;
    app.OnSimulationRun();
    CRunState* second = app.GetRun();
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->IsCompleted());
    EXPECT_FALSE(second->IsCancelled());
    EXPECT_EQ(second->Processed(), 200);
    EXPECT_EQ(second->FailedThreads(), 0);
    EXPECT_EQ(second->Update({}).caption, "Simulation Completed Successfully");
    EXPECT_TRUE(messages.Texts().empty()) << messages.Texts().front();
}

INSTANTIATE_TEST_SUITE_P(Db, TolvarAppRegionTest, ::testing::ValuesIn(TestDatabase::Kinds()),
                         TestDatabase::KindName);

}  // namespace
