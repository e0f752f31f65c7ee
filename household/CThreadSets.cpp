#include "household/CThreadSets.h"

#include "data/CInputDataManager.h"
#include "data/COriginColumnStore.h"
#include "household/CHouseholdLoop.h"
#include "household/COutputFileSet.h"
#include "household/CRunProgress.h"
#include "modelsystem/CModelSystem.h"
#include "platform/CDatabase.h"
#include "platform/CRecordset.h"
#include "platform/DbError.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"

#include <filesystem>

namespace {

std::string WithoutOdbcPrefix(std::string connect) {
    for (auto at = connect.find("ODBC;"); at != std::string::npos; at = connect.find("ODBC;"))
        connect.erase(at, 5);
    return connect;
}

}  // namespace

CThreadSets::CThreadSets() : m_nColumnBudget(COriginColumnStore::kDefaultBudget) {
    for (int i = 0; i < kThreadCount; ++i) {
        m_connections[i] = std::make_unique<CDatabase>();
        m_managers[i] = std::make_unique<CInputDataManager>();
        m_models[i] = std::make_unique<CModelSystem>();
        m_models[i]->SetDataManager(m_managers[i].get());
        m_managers[i]->SetInputMessages(&m_inputMessages);
    }
    m_inputMessages.SetManagerCount(kThreadCount);
}

CThreadSets::~CThreadSets() {
    WaitForRun();
    CloseConnections();
}

void CThreadSets::CloseConnections() {
    for (auto& connection : m_connections) connection->Close();
}

bool CThreadSets::OpenInput(const std::string& connect) {
    bool anyOpen = false;
    for (auto& connection : m_connections) anyOpen = anyOpen || connection->IsOpen();
    if (anyOpen) {
        CloseConnections();
        m_bInputLoaded = false;
        MessageSink::Post("Current connection has been closed, select new connection.");
    }
    m_bCountRead = false;
    m_inputMessages.Clear();
    m_bInputJustChecked = true;
    for (int i = 0; i < kThreadCount; ++i) m_models[i]->m_pDatabase = m_connections[i].get();

    try {
        m_connections[0]->OpenEx(connect, true);
        m_bInputLoaded = true;
    } catch (const DbError& error) {
        MessageSink::Post(error.Report(), MessageIcon::Error);
        return false;
    }
    // The string that opened connection 0 opens the others. The string the
    // driver manager completes is used only when none was given: some drivers
    // (SQLite's) complete it into one that names no driver and cannot reopen.
    const std::string others = WithoutOdbcPrefix(connect.empty() ? m_connections[0]->GetConnect() : connect);
    for (int i = 1; i < kThreadCount; ++i) {
        try {
            m_connections[i]->OpenEx(others, true);
        } catch (const DbError& error) {
            MessageSink::Post(error.Report(), MessageIcon::Error);
        }
    }

    m_bCountRead = ReadHouseholdCount(*m_connections[0], m_nHouseholdCount);
    if (m_bCountRead) DivideHouseholds(m_nHouseholdCount);
    m_managers[0]->CheckTables(m_connections[0].get());
    return true;
}

bool CThreadSets::ReadHouseholdCount(CDatabase& connection, long& count) {
    try {
        CRecordset rows(&connection);
        rows.Open("SELECT count(hid) FROM households");
        if (rows.IsEOF()) {
            MessageSink::Post("Error opening the Database to retrieve number of households!");
            return false;
        }
        // Read by position: drivers name the count column differently.
        count = static_cast<long>(rows.GetDouble(0));
        return true;
    } catch (const DbError& error) {
        MessageSink::Post("Error reading number of hhids ");
        MessageSink::Post(error.Report(), MessageIcon::Information);
        return false;
    }
}

void CThreadSets::DivideHouseholds(long count) {
    const long share = count / kThreadCount;
    for (int i = 0; i < kThreadCount; ++i) {
        m_models[i]->m_nFirstHousehold = static_cast<int>(i * share);
        m_models[i]->m_nHouseholdCount = static_cast<int>(i < kThreadCount - 1 ? share : count - i * share);
    }
}

void CThreadSets::SetDefaultOutputNames(CModelSystem& models, const std::string& folder, int threadIndex) {
    const auto& defaults = COutputFileSet::DefaultOutputNames();
    for (int k = 0; k < CModelSystem::kOutputFileCount; ++k) {
        const std::filesystem::path path = std::filesystem::path(folder) / std::string(defaults[k]);
        models.m_outputFileNames[k] = path.string() + NumberText::Integer(threadIndex + 1);
    }
}

void CThreadSets::SetOutputFolder(const std::string& folder) {
    for (int i = 0; i < kThreadCount; ++i) SetDefaultOutputNames(*m_models[i], folder, i);
}

bool CThreadSets::HasOutputNames() const {
    for (const auto& models : m_models)
        for (const std::string& name : models->m_outputFileNames)
            if (!name.empty()) return true;
    return false;
}

void CThreadSets::SetSampleRate(double rate) {
    for (auto& models : m_models) models->SetSampleRate(rate);
}

void CThreadSets::SetDecisions(bool on) {
    for (auto& models : m_models) models->SetDecisions(on);
}

void CThreadSets::StartRun(CRunProgress* progress, std::chrono::milliseconds startDelay) {
    WaitForRun();
    CHouseholdLoop::ResetTraceFile();
    // What the check on connecting has just reported, the first run does not repeat.
    if (m_bInputJustChecked)
        m_inputMessages.ClearCounts();
    else
        m_inputMessages.Clear();
    m_bInputJustChecked = false;
    // The managers move to the new store before the last run's store goes.
    auto columns = std::make_unique<COriginColumnStore>(m_nColumnBudget);
    for (auto& manager : m_managers) manager->SetColumnStore(columns.get());
    m_pColumns = std::move(columns);
    for (int i = 0; i < kThreadCount; ++i) m_models[i]->SetProgressDialog(progress, i);
    for (int i = 0; i < kThreadCount; ++i) {
        CModelSystem* models = m_models[i].get();
        CInputDataManager* manager = m_managers[i].get();
        m_workers.emplace_back([models, manager, progress, i, startDelay] {
            const std::chrono::milliseconds delay = startDelay * (i + 1);
            bool start = true;
            if (progress)
                start = progress->WaitToStart(i, delay);
            else if (delay.count() > 0)
                std::this_thread::sleep_for(delay);
            if (start)
                models->RunHouseholdLoop();
            else
                manager->EndRun();
            // The other threads may free the columns this one last held.
            manager->LeaveColumnStore();
            if (progress) progress->WorkerReturned(i);
        });
    }
}

void CThreadSets::WaitForRun() {
    for (auto& worker : m_workers)
        if (worker.joinable()) worker.join();
    m_workers.clear();
}
