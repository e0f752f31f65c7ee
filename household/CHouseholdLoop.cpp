#include "household/CHouseholdLoop.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "household/CActivityGenerator.h"
#include "household/CHouseholdCoordinator.h"
#include "household/COutputFileSet.h"
#include "household/CRunProgress.h"
#include "household/HouseholdSimulatorFactory.h"
#include "modelsystem/CModelSystem.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <fstream>
#include <memory>
#include <mutex>
#include <vector>

namespace {

// Appends to the shared trace file are whole lines under this lock.
std::mutex g_traceMutex;

// Clears the model system's link to the current household whichever way a
// household's processing ends.
class CurrentHouseholdGuard {
public:
    explicit CurrentHouseholdGuard(CModelSystem& models) : m_models(models) {}
    ~CurrentHouseholdGuard() {
        m_models.m_pHousehold = nullptr;
        m_models.m_pHouseholdObject = nullptr;
    }
    CurrentHouseholdGuard(const CurrentHouseholdGuard&) = delete;
    CurrentHouseholdGuard& operator=(const CurrentHouseholdGuard&) = delete;

private:
    CModelSystem& m_models;
};

// Clears the model system's link to the current simulator before the
// simulator itself is released (declared after it, so destroyed first).
class CurrentSimulatorGuard {
public:
    explicit CurrentSimulatorGuard(CModelSystem& models) : m_models(models) {}
    ~CurrentSimulatorGuard() { m_models.m_pHousehold = nullptr; }
    CurrentSimulatorGuard(const CurrentSimulatorGuard&) = delete;
    CurrentSimulatorGuard& operator=(const CurrentSimulatorGuard&) = delete;

private:
    CModelSystem& m_models;
};

void ReportException(const char* detail) {
    MessageSink::Post("Caught the exception.", MessageIcon::Error);
    if (detail && *detail) MessageSink::Post(detail, MessageIcon::Error);
}

// Set once a household with person numbers other than 1..n has been reported
// in this run (the warning is given once per run, by whichever thread meets it).
std::atomic<bool> g_personNumbersWarned{false};

std::string ThreadLabel(int threadIndex) {
    return "Thread " + NumberText::Integer(static_cast<long long>(threadIndex) + 1);
}

// The paths of the streams the test picks, in index order, joined by commas.
std::string PathsOf(const COutputFileSet& streams, bool (COutputFileSet::*picked)(int) const) {
    std::string paths;
    for (int k = 0; k < COutputFileSet::kStreamCount; ++k)
        if ((streams.*picked)(k)) paths += (paths.empty() ? "" : ", ") + streams.GetPath(k);
    return paths;
}

// A named file whose lines the thread cannot do without did not open; only
// the NOGO lines may be lost.
bool OpenFailureFailsThread(const COutputFileSet& streams) {
    for (int k = 0; k < COutputFileSet::kStreamCount; ++k)
        if (k != COutputFileSet::kNogo && streams.OpenFailed(k)) return true;
    return false;
}

}  // namespace

CHouseholdLoop::CHouseholdLoop(CModelSystem& models) : m_models(models) {}

void CHouseholdLoop::ResetTraceFile() {
    g_personNumbersWarned.store(false);
    CActivityGenerator::RearmWarnings();
    std::lock_guard<std::mutex> lock(g_traceMutex);
    std::ofstream trace(kTraceFile, std::ios::out | std::ios::trunc);
}

void CHouseholdLoop::Trace(long long householdId) {
    const std::string line = "Type1,," + NumberText::Integer(householdId) + "\n";
    std::lock_guard<std::mutex> lock(g_traceMutex);
    std::ofstream trace(kTraceFile, std::ios::out | std::ios::app | std::ios::binary);
    trace.write(line.data(), static_cast<std::streamsize>(line.size()));
}

void CHouseholdLoop::OrderPersons(CHouseholdObject& household) {
    if (household.SortPersonsByNumber() || g_personNumbersWarned.exchange(true)) return;
    MessageSink::Post("Household " + NumberText::Integer(household.GetId()) +
                          ": the person numbers are not 1 to the number of persons; the persons are simulated in "
                          "ascending order of person number. Further households of this run are not reported.",
                      MessageIcon::Warning);
}

int CHouseholdLoop::DrawSampleInteger() {
    // The classic runtime generator: state x 214013 + 2531011, bits 16 to 30.
    m_sampleState = m_sampleState * 214013u + 2531011u;
    return static_cast<int>((m_sampleState >> 16) & 0x7FFFu);
}

bool CHouseholdLoop::SampleHousehold(double rate) {
    if (rate == 1.0) return true;
    return static_cast<double>(DrawSampleInteger()) < rate * 32767.0;
}

std::string CHouseholdLoop::UnopenedFilesMessage(const COutputFileSet& streams, int threadIndex) {
    const std::string paths = PathsOf(streams, &COutputFileSet::OpenFailed);
    if (paths.empty()) return {};
    return ThreadLabel(threadIndex) + ": these output files could not be opened: " + paths +
           (OpenFailureFailsThread(streams)
                ? ". The thread fails without simulating its households."
                : ". The households are simulated and written; the lines of the files named are lost.");
}

std::string CHouseholdLoop::UnwrittenFilesMessage(const COutputFileSet& streams, int threadIndex) {
    const std::string paths = PathsOf(streams, &COutputFileSet::HasWriteError);
    if (paths.empty()) return {};
    return ThreadLabel(threadIndex) + ": these output files could not be written completely: " + paths +
           ". The thread fails.";
}

bool CHouseholdLoop::CloseStreams(COutputFileSet& streams) const {
    if (streams.Close()) return true;
    MessageSink::Post(UnwrittenFilesMessage(streams, m_models.m_nThreadIndex), MessageIcon::Error);
    return false;
}

void CHouseholdLoop::Run() {
    CInputDataManager* manager = m_models.m_pDataManager;
    CRunProgress* progress = m_models.m_pProgressDlg;
    const int thread = m_models.m_nThreadIndex;
    m_sampleState = 1;

    // The run completes only when every thread reports its end, so every way
    // out below except a cancel reports exactly once.
    auto reportFinished = [&](bool failed) {
        if (progress) progress->ThreadFinished(thread, failed);
    };

    bool loaded = false;
    if (!manager) {
        MessageSink::Post("ERROR: input data not loaded properly.  Cannot proceed with simulation.",
                          MessageIcon::Error);
    } else {
        try {
            // The manager shows its own message when it returns false.
            loaded = manager->LoadTables(m_models.m_pDatabase) && manager->CheckRowWidths();
        } catch (const std::exception& error) {
            ReportException(error.what());
        } catch (...) {
            ReportException(nullptr);
        }
    }
    if (!loaded) {
        reportFinished(true);
        return;
    }

    // Without output names (no output folder chosen) the households are
    // simulated and nothing is written; the run has said so once.
    COutputFileSet streams;
    streams.Open(std::vector<std::string>(m_models.m_outputFileNames.begin(), m_models.m_outputFileNames.end()));
    const bool outputEnabled = streams.IsOutputEnabled();
    const std::string unopened = UnopenedFilesMessage(streams, thread);
    if (OpenFailureFailsThread(streams)) {
        MessageSink::Post(unopened, MessageIcon::Error);
        reportFinished(true);
        return;
    }
    if (!unopened.empty()) MessageSink::Post(unopened, MessageIcon::Warning);

    if (progress) {
        progress->StartClock();
        progress->SetStatusText("Simulation in\tprogress ...");
    }

    Outcome outcome = Outcome::Failed;
    try {
        // A page that could not be read fails the thread (the manager has
        // reported the database error); the households read are not run.
        if (manager->LoadHouseholdIdPage(static_cast<unsigned>(std::max(0, m_models.m_nFirstHousehold)),
                                         static_cast<unsigned>(std::max(0, m_models.m_nHouseholdCount))))
            outcome = ProcessPage(streams, outputEnabled);
    } catch (const std::exception& error) {
        ReportException(error.what());
    } catch (...) {
        ReportException(nullptr);
    }

    if (outcome == Outcome::Cancelled) {
        manager->ReleaseHousehold();
        manager->ClearLOSCaches();
        manager->CloseHouseholdRecordset();
        CloseStreams(streams);
        MessageSink::Post("simulation cancelled");
        return;
    }
    // Lines lost on the way to the disk fail the thread as surely as files
    // that never opened, so the files are closed before the thread reports.
    if (!CloseStreams(streams)) outcome = Outcome::Failed;
    reportFinished(outcome == Outcome::Failed);
    manager->CloseHouseholdRecordset();
}

CHouseholdLoop::Outcome CHouseholdLoop::ProcessPage(COutputFileSet& streams, bool outputEnabled) {
    CInputDataManager* manager = m_models.m_pDataManager;
    CRunProgress* progress = m_models.m_pProgressDlg;
    const int thread = m_models.m_nThreadIndex;
    const double rate = m_models.m_sampleRate;

    while (CHouseholdObject* household = manager->LoadNextHousehold()) {
        CurrentHouseholdGuard guard(m_models);
        m_models.m_pHouseholdObject = household;
        Trace(household->GetId());
        OrderPersons(*household);

        if (!SampleHousehold(rate)) continue;
        if (progress && !progress->UpdateProgress(thread)) return Outcome::Cancelled;
        SimulateOne(*household, streams, outputEnabled);
        // A stream that failed stays failed: the households after it would be
        // simulated for nothing.
        if (streams.HasWriteErrors()) return Outcome::Failed;
    }
    return Outcome::Finished;
}

void CHouseholdLoop::SimulateOne(CHouseholdObject& household, COutputFileSet& streams, bool outputEnabled) {
    const int type = household.GetHouseholdType();
    std::unique_ptr<CHouseholdCoordinator> simulator = CreateHouseholdSimulator(type, &m_models);
    if (!simulator) {
        // No simulator class for the type: the household is not simulated, and
        // no earlier simulator may stand in for it.
        MessageSink::Post("Household " + NumberText::Integer(household.GetId()) + " has household type " +
                              NumberText::Integer(type) + ", which no household simulator handles: skipped.",
                          MessageIcon::Warning);
        return;
    }
    // The simulator stays the current one until the household's records are
    // written, and the link is cleared before the simulator is released.
    CurrentSimulatorGuard current(m_models);
    m_models.m_pHousehold = simulator.get();
    m_models.PassSettingsToHousehold();
    simulator->SetHousehold(&household);

    m_models.m_pDataManager->SetOriginZone(household.GetHomeZone());
    if (m_models.GetDecisions()) {
        simulator->SimulateHousehold(streams);
        simulator->GeneratePersonSchedules();
    }
    if (outputEnabled) household.WriteOutput(streams);
}
