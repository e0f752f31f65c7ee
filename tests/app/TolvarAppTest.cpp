// The application object without windows: Data > Input on the sample region,
// the order of the refusals, model load, save and edit across the ten model
// systems (runs, cancelled and started again, are driven from the main window).

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
#include <sstream>
#include <stdexcept>

namespace {

using AppTest::FakeDialogs;
using AppTest::ParametersOf;

const std::string kInputMissing = "ERROR: input data not loaded properly.  Cannot proceed with simulation.";
const std::string kModelMissing =
    "ERROR: model parameters file not loaded properly.  Cannot proceed with simulation.";

std::string XmlOf(const CModelModule& model) {
    std::ostringstream out;
    model.WriteXml(out);
    return out.str();
}

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

    // A file that is not XML: models, flag and view line keep the good load.
    const std::filesystem::path broken = std::filesystem::temp_directory_path() / "tolvar-app-broken.tvm";
    std::ofstream(broken) << "<Configuration><ModelConfig id=";
    dialogs.loadPath = broken.string();
    app.OnModelsLoad();
    // One message for the ten systems: the failure, then the parser's reason.
    ASSERT_EQ(messages.Texts().size(), 1u) << ::testing::PrintToString(messages.Texts());
    EXPECT_EQ(messages.Texts()[0].rfind("Problem, model file not loaded properly\n", 0), 0u);
    EXPECT_NE(messages.Texts()[0].find(broken.string()), std::string::npos);
    EXPECT_NE(messages.Texts()[0].find("byte offset"), std::string::npos) << messages.Texts()[0];
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
    bool confirm = true;
    CEditorRegistry::Install<CRegressMM>([&](const CRegressMM&, CRegressMM::Parameters& edited) {
        edited.terms.Add(30000, 1.5);
        edited.variance = 0.25;
        return confirm;
    });
    const auto tour1 = [&app](int system) { return XmlOf(app.Systems()[system]->HomeStayDurationBeforeTour(1)); };
    const std::string tour1Before = tour1(0);
    // Before any Load: the initial parameters are edited and copied.
    const std::string before = ParametersOf(*app.Systems()[0]);
    EXPECT_TRUE(ModelEditCommands::Run(32913));  // "Home Stay Duration before Tour 2", as a flow chart would
    EXPECT_NE(ParametersOf(*app.Systems()[0]), before);
    ExpectSystemsEqual(app);
    EXPECT_EQ(app.Systems()[7]->HomeStayDurationBeforeTour(2).m_dVariance, 0.25);
    for (int system = 0; system < 10; ++system) EXPECT_EQ(tour1(system), tour1Before);  // other tours untouched
    const std::string edited = ParametersOf(*app.Systems()[0]);

    // A cancelled edit (through the other ID of the same model) still brings a
    // system that is out of step back to the master.
    confirm = false;
    app.Systems()[4]->HomeStayDurationBeforeTour(2).m_dVariance = 9.0;
    EXPECT_TRUE(app.OnCommand(223));
    EXPECT_EQ(ParametersOf(*app.Systems()[0]), edited);
    ExpectSystemsEqual(app);

    CEditorRegistry::Install<CRegressMM>([](const CRegressMM&, CRegressMM::Parameters& changed) -> bool {
        changed.terms.Add(10001, 1.0);
        throw std::runtime_error("no such field");
    });
    EXPECT_FALSE(app.OnCommand(32951));  // "Household Annual Mileage"
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0],
              "The editor of \"Household Annual Mileage\" failed: no such field. The model is unchanged.");
    EXPECT_EQ(ParametersOf(*app.Systems()[0]), edited);
    ExpectSystemsEqual(app);
    EXPECT_FALSE(ModelEditCommands::Run(4242));  // not a command
    ModelEditCommands::InstallHandler(nullptr);
}

class TolvarAppRegionTest : public TolvarAppTest, public ::testing::WithParamInterface<std::string> {};

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
    EXPECT_EQ(viewChanges, 1);  // the lines it shows are checked on the main window

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

    // Without Data > Output the run says once that it writes nothing, and goes ahead.
    dialogs.loadPath = AppTest::SampleModelFile().string();
    app.OnModelsLoad();
    messages.Clear();
    app.SetStartDelay(std::chrono::milliseconds(0));
    app.OnSimulationRun();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"No output folder has been chosen with Data > Output, so "
                                                         "this run writes no output files."});
    EXPECT_EQ(app.GetRun()->Processed(), 63);
    EXPECT_EQ(app.GetRun()->FailedThreads(), 0);
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
    // One warning names every missing table.
    ASSERT_EQ(messages.Messages().size(), 1u) << ::testing::PrintToString(messages.Texts());
    EXPECT_EQ(messages.Messages()[0].icon, MessageIcon::Warning);
    for (const char* table : {"persons", "zones", "zone2zone", "losdir", "VehicleMake"})
        EXPECT_NE(messages.Texts()[0].find('"' + std::string(table) + '"'), std::string::npos) << table;
}

INSTANTIATE_TEST_SUITE_P(Db, TolvarAppRegionTest, ::testing::ValuesIn(TestDatabase::Kinds()),
                         TestDatabase::KindName);

}  // namespace
