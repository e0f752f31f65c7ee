#include "app/CTolvarApp.h"

#include "app/CommandIds.h"
#include "app/ModelEditCommands.h"
#include "app/ModelEditTarget.h"
#include "app/OdbcCatalog.h"
#include "data/CInputDataManager.h"
#include "modelsystem/CModelParameterFile.h"
#include "modelsystem/CModelSystem.h"
#include "platform/CDatabase.h"
#include "platform/MessageSink.h"

#include <exception>
#include <vector>

namespace {

constexpr const char* kRunActive =
    "A simulation run is still in progress. Wait until all of its threads have ended.";

}  // namespace

CTolvarApp::CTolvarApp(CAppDialogs& dialogs) : m_dialogs(dialogs) {}

CTolvarApp::~CTolvarApp() {
    if (m_run) m_run->Cancel();
    m_sets.WaitForRun();
}

std::array<CModelSystem*, CThreadSets::kThreadCount> CTolvarApp::Systems() {
    std::array<CModelSystem*, CThreadSets::kThreadCount> systems{};
    for (int i = 0; i < CThreadSets::kThreadCount; ++i) systems[i] = &m_sets.Models(i);
    return systems;
}

bool CTolvarApp::OnCommand(int commandId) {
    switch (commandId) {
    case CommandIds::kDataInput: OnDataInput(); return true;
    case CommandIds::kDataOutput: OnDataOutput(); return true;
    case CommandIds::kSimulationRun: OnSimulationRun(); return true;
    case CommandIds::kInteractiveUI: OnInteractiveUI(); return true;
    case CommandIds::kModelsSave: OnModelsSave(); return true;
    case CommandIds::kSampleRate: OnSampleRate(); return true;
    case CommandIds::kModelsLoad: OnModelsLoad(); return true;
    case CommandIds::kAppAbout: OnAppAbout(); return true;
    default: return OnEditModel(commandId);
    }
}

bool CTolvarApp::RefusedWhileRunning() {
    if (!IsRunActive()) return false;
    MessageSink::Post(kRunActive, MessageIcon::Warning);
    return true;
}

void CTolvarApp::ViewChanged() {
    if (m_viewListener) m_viewListener();
}

void CTolvarApp::OnDataInput() {
    if (RefusedWhileRunning()) return;
    // A cancelled dialog keeps the connection that is open.
    const std::optional<std::string> connect = m_dialogs.ChooseConnection();
    if (!connect) return;

    // OpenInput also checks the input tables: one warning names those missing,
    // instead of every thread failing on them at the run.
    if (!m_sets.OpenInput(*connect)) {
        // The earlier connections are closed now: the view must not name them.
        m_view.inputDatabase = "Unspecified";
        m_view.databaseType = "Unspecified";
        ViewChanged();
        return;
    }
    CDatabase& connection = m_sets.Connection(0);
    m_view.inputDatabase = "Loaded " + connection.GetDatabaseName();
    const std::string type = OdbcCatalog::DatabaseType(connection);
    m_view.databaseType = type.empty() ? "Unspecified" : type;
    ViewChanged();
}

void CTolvarApp::OnDataOutput() {
    if (RefusedWhileRunning()) return;
    const std::optional<std::string> folder = m_dialogs.ChooseOutputFolder(m_outputFolder);
    if (!folder) return;
    m_outputFolder = *folder;
    m_sets.SetOutputFolder(m_outputFolder);
}

void CTolvarApp::OnSampleRate() {
    if (RefusedWhileRunning()) return;
    const std::optional<int> percent = m_dialogs.ChooseSamplePercent();
    if (!percent) return;
    const double fraction = *percent / 100.0;
    m_sets.SetSampleRate(fraction);
    m_view.sampleFraction = fraction;
    ViewChanged();
}

void CTolvarApp::OnModelsLoad() {
    if (RefusedWhileRunning()) return;
    const std::optional<std::string> path = m_dialogs.ChooseModelFileToLoad();
    if (!path) return;
    // All ten systems or none: a file that fails leaves every system, the
    // loaded flag and the view as the last good load left them.
    const std::array<CModelSystem*, CThreadSets::kThreadCount> systems = Systems();
    // One message says both that the load failed and why.
    CModelParameterFile file;
    file.SetFailuresPosted(false);
    if (!file.LoadXml(*path, std::vector<CModelSystem*>(systems.begin(), systems.end()))) {
        MessageSink::Post("Problem, model file not loaded properly\n" + file.GetLastLoad().failure, MessageIcon::Error);
        return;
    }
    m_bModelLoaded = true;
    m_view.configFile = *path;
    ViewChanged();
}

void CTolvarApp::OnModelsSave() {
    const std::optional<std::string> path = m_dialogs.ChooseModelFileToSave();
    if (!path) return;
    if (!CModelParameterFile().SaveXml(*path, m_sets.Models(0)))
        MessageSink::Post("Problem, model file not saved: " + *path, MessageIcon::Error);
}

void CTolvarApp::OnInteractiveUI() { m_dialogs.ShowFlowChart(); }

void CTolvarApp::OnAppAbout() { m_dialogs.ShowAbout(); }

bool CTolvarApp::OnEditModel(int commandId) {
    const ModelEditCommands::SModelEditCommand* command = ModelEditCommands::Find(commandId);
    if (!command) return false;
    if (RefusedWhileRunning()) return false;
    // Nothing an editor throws may reach the event loop: the master model
    // changes only on a confirmed edit, so it is unchanged here.
    try {
        const std::array<CModelSystem*, CThreadSets::kThreadCount> systems = Systems();
        ModelEditCommands::EditAndPropagate(*command, systems);
        return true;
    } catch (const std::exception& error) {
        MessageSink::Post(std::string("The editor of \"") + command->modelName + "\" failed: " + error.what() +
                              ". The model is unchanged.",
                          MessageIcon::Error);
    } catch (...) {
        MessageSink::Post(std::string("The editor of \"") + command->modelName + "\" failed. The model is unchanged.",
                          MessageIcon::Error);
    }
    return false;
}

void CTolvarApp::OnSimulationRun() {
    if (RefusedWhileRunning()) return;
    if (!m_sets.IsInputLoaded()) {
        MessageSink::Post("ERROR: input data not loaded properly.  Cannot proceed with simulation.",
                          MessageIcon::Error);
        return;
    }
    if (!m_bModelLoaded) {
        MessageSink::Post("ERROR: model parameters file not loaded properly.  Cannot proceed with simulation.",
                          MessageIcon::Error);
        return;
    }
    // Said here once, before the run's clock starts, rather than by each thread.
    if (!m_sets.HasOutputNames())
        MessageSink::Post("No output folder has been chosen with Data > Output, so this run writes no output files.");
    // The threads of the last run have all returned; join them before their
    // state goes.
    m_sets.WaitForRun();
    m_run = std::make_unique<CRunState>(m_sets.GetHouseholdCount());
    m_sets.StartRun(m_run.get(), m_startDelay);
    m_dialogs.ShowRunProgress(*m_run);
    if (m_run->AllReturned()) m_sets.WaitForRun();
}

bool CTolvarApp::CanExit() {
    if (!IsRunActive()) return true;
    MessageSink::Post(kRunActive, MessageIcon::Warning);
    return false;
}
