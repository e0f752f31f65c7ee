#pragma once
// A generated sample region in a scratch database, a scratch working folder
// (the trace file is written to the working directory), a recording run
// progress and one household loop wired up as a worker thread's would be:
// what the household-loop and run tests share.

#include "support/TestDatabase.h"

#include "data/CInputDataManager.h"
#include "household/CRunProgress.h"
#include "modelsystem/CModelSystem.h"
#include "platform/CDatabase.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CHouseholdObject;

// Records what the household loops report; optionally cancels or throws at
// the n-th household counted.
class RecordingRunProgress : public CRunProgress {
public:
    struct Event {
        enum Kind { Clock, Status, Update, Finished } kind;
        int thread = -1;
        bool failed = false;
        std::string text;
    };

    void StartClock() override;
    void SetStatusText(const std::string& text) override;
    bool UpdateProgress(int threadIndex) override;
    void ThreadFinished(int threadIndex, bool failed) override;

    // The n-th call of UpdateProgress (1-based, over all threads) answers
    // "cancelled", and so does every later one.
    void CancelAt(long n) { m_cancelAt = n; }
    // The n-th call of UpdateProgress throws std::runtime_error.
    void ThrowAt(long n) { m_throwAt = n; }

    std::vector<Event> Events() const;
    int Count(Event::Kind kind, int thread = -1) const;

private:
    mutable std::mutex m_mutex;
    std::vector<Event> m_events;
    long m_updates = 0;
    long m_cancelAt = 0;
    long m_throwAt = 0;
};

class LoopTestRegion {
public:
    // A region of the given size (seed 5) in a new database of the kind; the
    // working directory becomes a new scratch folder until destruction.
    LoopTestRegion(const std::string& kind, int zones, int households);
    ~LoopTestRegion();

    TestDatabase& Database() { return *m_db; }
    const std::string& Connect() const { return m_db->Connect(); }
    const std::filesystem::path& Folder() const { return m_folder; }

    // Household ids in the order the loops page them: home zone, then id.
    std::vector<long long> HouseholdIdsInZoneOrder();
    // "hid\tpnum" of the adults (age 16 or more) or children of a household, by person number.
    std::vector<std::string> PersonKeys(long long householdId, bool adults);

private:
    std::unique_ptr<TestDatabase> m_db;
    std::filesystem::path m_folder;
    std::filesystem::path m_previousFolder;
};

// One worker thread's household loop with its own connection, input-data
// manager and model system, reporting to its own recording progress.
class SingleLoop {
public:
    SingleLoop(const std::string& connect, int threadIndex = 0);

    // The thread's share of the households (first index and count).
    void SetShare(int first, int count);
    // The ten default output names in the folder, followed by the thread number.
    void SetOutputFolder(const std::filesystem::path& folder);
    // Empties the trace file and runs the loop.
    void Run();
    // Simulates the first `count` households of the database as the loop
    // does (persons in number order, the simulator of the household's type),
    // the driver alone or with the person schedule pass, writing nothing;
    // `check` sees each household before the next is read.
    void SimulateEach(unsigned count, bool schedules, const std::function<void(CHouseholdObject&)>& check);

    CDatabase connection;
    CInputDataManager manager;
    CModelSystem models;
    RecordingRunProgress progress;
};

namespace LoopFiles {

// The sample model-parameter file of the source tree.
std::string SampleModelFile();

// The lines of a text file (empty when it does not exist).
std::vector<std::string> Lines(const std::filesystem::path& path);
// The first two tab-separated fields of each line ("hid\tpnum").
std::vector<std::string> Keys(const std::vector<std::string>& lines);
// The lines of the files "<name>1" to "<name>10" in the folder, sorted.
std::vector<std::string> SortedLinesOfTenThreads(const std::filesystem::path& folder, const std::string& name);
std::vector<std::string> Sorted(std::vector<std::string> lines);

}  // namespace LoopFiles
