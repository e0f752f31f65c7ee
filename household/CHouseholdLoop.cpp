#include "household/CHouseholdLoop.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "household/CHouseholdCoordinator.h"
#include "household/COutputFileSet.h"
#include "household/CRunProgress.h"
#include "household/HouseholdSimulatorFactory.h"
#include "modelsystem/CModelSystem.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"

#include <exception>
#include <fstream>
#include <memory>
#include <mutex>
#include <vector>

namespace {

// Appends to the shared trace file are whole lines under this lock.
std::mutex g_traceMutex;

// Clears the model system's links to the current simulator and household
// whichever way a household's processing ends.
class CurrentHouseholdGuard {
public:
    explicit CurrentHouseholdGuard(CModelSystem& models) : m_models(models) {}
    ~CurrentHouseholdGuard() {
        m_models.m_pHousehold = nullptr;
        m_models.m_pHouseholdObject = nullptr;
    }

private:
    CModelSystem& m_models;
};

}  // namespace

CHouseholdLoop::CHouseholdLoop(CModelSystem& models) : m_models(models) {}

void CHouseholdLoop::ResetTraceFile() {
    std::lock_guard<std::mutex> lock(g_traceMutex);
    std::ofstream trace(kTraceFile, std::ios::out | std::ios::trunc);
}

void CHouseholdLoop::Trace(long long householdId) {
    std::string line = "Type1,," + NumberText::Integer(householdId) + "\n";
    std::lock_guard<std::mutex> lock(g_traceMutex);
    std::ofstream trace(kTraceFile, std::ios::out | std::ios::app);
    trace << line;
}

int CHouseholdLoop::DrawSampleInteger() {
    // The classic runtime generator: state x 214013 + 2531011, bits 16 to 30.
    m_sampleState = m_sampleState * 214013u + 2531011u;
    return static_cast<int>((m_sampleState >> 16) & 0x7FFFu);
}

void CHouseholdLoop::Run() {
    CInputDataManager* manager = m_models.m_pDataManager;
    CRunProgress* progress = m_models.m_pProgressDlg;
    const int thread = m_models.m_nThreadIndex;
    m_sampleState = 1;

    if (!manager || !manager->LoadTables(m_models.m_pDatabase)) {
        // The manager has shown its own message; the run must still learn
        // that this thread is done.
        if (progress) progress->ThreadFinished(thread, true);
        return;
    }

    COutputFileSet streams;
    std::vector<std::string> names(m_models.m_outputFileNames.begin(), m_models.m_outputFileNames.end());
    streams.Open(names);
    const bool outputEnabled = streams.IsOutputEnabled();

    if (progress) {
        progress->StartClock();
        progress->SetStatusText("Simulation in\tprogress ...");
    }

    Outcome outcome;
    try {
        manager->LoadHouseholdIdPage(static_cast<unsigned>(m_models.m_nFirstHousehold),
                                     static_cast<unsigned>(m_models.m_nHouseholdCount));
        outcome = ProcessPage(streams, outputEnabled);
    } catch (const std::exception& error) {
        MessageSink::Post("Caught the exception.", MessageIcon::Error);
        MessageSink::Post(error.what(), MessageIcon::Error);
        outcome = Outcome::Failed;
    }

    if (outcome == Outcome::Cancelled) {
        manager->ReleaseHousehold();
        manager->ClearLOSCaches();
        manager->CloseHouseholdRecordset();
        MessageSink::Post("simulation cancelled");
        return;  // the stream block closes the files
    }
    if (progress) progress->ThreadFinished(thread, outcome == Outcome::Failed);
    if (!streams.Close()) MessageSink::Post("An output file could not be written completely.", MessageIcon::Error);
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

        if (rate != 1.0 && static_cast<double>(DrawSampleInteger()) >= rate * 32767.0) continue;
        if (progress && !progress->UpdateProgress(thread)) return Outcome::Cancelled;
        SimulateOne(*household, streams, outputEnabled);
    }
    return Outcome::Finished;
}

void CHouseholdLoop::SimulateOne(CHouseholdObject& household, COutputFileSet& streams, bool outputEnabled) {
    const int type = household.GetHouseholdType();
    std::unique_ptr<CHouseholdCoordinator> simulator = CreateHouseholdSimulator(type, &m_models);
    if (!simulator) {
        MessageSink::Post("Household " + NumberText::Integer(household.GetId()) + " has household type " +
                              NumberText::Integer(type) + ", which no household simulator handles: skipped.",
                          MessageIcon::Warning);
        return;
    }
    m_models.m_pHousehold = simulator.get();
    m_models.PassSettingsToHousehold();
    simulator->SetHousehold(&household);

    m_models.m_pDataManager->SetOriginZone(household.GetHomeZone());
    simulator->SimulateHousehold(streams);
    simulator->GeneratePersonSchedules();
    if (outputEnabled) household.WriteOutput(streams);
}
