#include "LoopTestRegion.h"

#include "data/CHouseholdObject.h"
#include "household/CHouseholdCoordinator.h"
#include "household/CHouseholdLoop.h"
#include "household/COutputFileSet.h"
#include "household/HouseholdSimulatorFactory.h"
#include "household/CThreadSets.h"
#include "platform/CRecordset.h"
#include "platform/NumberText.h"
#include "tools/SampleRegionGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

// ---- RecordingRunProgress ----

void RecordingRunProgress::StartClock() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_events.push_back({Event::Clock, -1, false, {}});
}

void RecordingRunProgress::SetStatusText(const std::string& text) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_events.push_back({Event::Status, -1, false, text});
}

bool RecordingRunProgress::UpdateProgress(int threadIndex) {
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_updates;
    if (m_throwAt > 0 && m_updates == m_throwAt) throw std::runtime_error("progress display failed");
    if (m_cancelAt > 0 && m_updates >= m_cancelAt) return false;
    m_events.push_back({Event::Update, threadIndex, false, {}});
    return true;
}

void RecordingRunProgress::ThreadFinished(int threadIndex, bool failed) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_events.push_back({Event::Finished, threadIndex, failed, {}});
}

std::vector<RecordingRunProgress::Event> RecordingRunProgress::Events() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_events;
}

int RecordingRunProgress::Count(Event::Kind kind, int thread) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(std::count_if(m_events.begin(), m_events.end(), [&](const Event& e) {
        return e.kind == kind && (thread < 0 || e.thread == thread);
    }));
}

// ---- LoopTestRegion ----

LoopTestRegion::LoopTestRegion(const std::string& kind, int zones, int households)
    : m_db(TestDatabase::Create(kind)) {
    SampleRegionGenerator::Options options;
    options.zones = zones;
    options.households = households;
    options.seed = 5;
    {
        CDatabase writer;
        writer.OpenEx(m_db->Connect(), false);
        SampleRegionGenerator(options).Write(writer);
    }
    static std::atomic<int> counter{0};
    m_folder = std::filesystem::temp_directory_path() /
               ("tolvar-loop-" + NumberText::Integer(getpid()) + "-" + NumberText::Integer(counter++));
    std::filesystem::remove_all(m_folder);
    std::filesystem::create_directories(m_folder);
    m_previousFolder = std::filesystem::current_path();
    std::filesystem::current_path(m_folder);
}

LoopTestRegion::~LoopTestRegion() {
    std::error_code ignored;
    std::filesystem::current_path(m_previousFolder, ignored);
    std::filesystem::remove_all(m_folder, ignored);
}

std::vector<long long> LoopTestRegion::HouseholdIdsInZoneOrder() {
    CDatabase reader;
    reader.OpenEx(m_db->Connect());
    CRecordset rs(&reader);
    rs.Open("SELECT hid FROM households ORDER BY zone_id, hid");
    std::vector<long long> ids;
    for (; !rs.IsEOF(); rs.MoveNext()) ids.push_back(static_cast<long long>(rs.GetDouble(0)));
    return ids;
}

std::vector<std::string> LoopTestRegion::PersonKeys(long long householdId, bool adults) {
    CDatabase reader;
    reader.OpenEx(m_db->Connect());
    CRecordset rs(&reader);
    rs.Open("SELECT hid, pnum FROM persons WHERE hid = " + NumberText::Integer(householdId) + " AND age " +
            (adults ? ">= 16" : "< 16") + " ORDER BY pnum");
    std::vector<std::string> keys;
    for (; !rs.IsEOF(); rs.MoveNext())
        keys.push_back(NumberText::Integer(static_cast<long long>(rs.GetDouble(0))) + "\t" +
                       NumberText::Integer(static_cast<long long>(rs.GetDouble(1))));
    return keys;
}

// ---- SingleLoop ----

SingleLoop::SingleLoop(const std::string& connect, int threadIndex) {
    connection.OpenEx(connect);
    models.SetDataManager(&manager);
    models.m_pDatabase = &connection;
    models.SetProgressDialog(&progress, threadIndex);
}

void SingleLoop::SetShare(int first, int count) {
    models.m_nFirstHousehold = first;
    models.m_nHouseholdCount = count;
}

void SingleLoop::SetOutputFolder(const std::filesystem::path& folder) {
    CThreadSets::SetDefaultOutputNames(models, folder.string(), models.m_nThreadIndex);
}

void SingleLoop::Run() {
    CHouseholdLoop::ResetTraceFile();
    models.RunHouseholdLoop();
}

void SingleLoop::SimulateEach(unsigned count, bool schedules, const std::function<void(CHouseholdObject&)>& check) {
    ASSERT_TRUE(manager.LoadTables(&connection));
    ASSERT_TRUE(manager.LoadHouseholdIdPage(0, count));
    COutputFileSet streams;
    while (CHouseholdObject* household = manager.LoadNextHousehold()) {
        household->SortPersonsByNumber();
        auto simulator = CreateHouseholdSimulator(household->GetHouseholdType(), &models);
        ASSERT_NE(simulator, nullptr);
        models.m_pHouseholdObject = household;
        models.m_pHousehold = simulator.get();
        models.PassSettingsToHousehold();
        simulator->SetHousehold(household);
        manager.SetOriginZone(household->GetHomeZone());
        simulator->SimulateHousehold(streams);
        if (schedules) simulator->GeneratePersonSchedules();
        models.m_pHousehold = nullptr;
        models.m_pHouseholdObject = nullptr;
        check(*household);
    }
}

// ---- LoopFiles ----

namespace LoopFiles {

std::string SampleModelFile() {
    const char* source = std::getenv("TOLVAR_SOURCE_DIR");
    return (std::filesystem::path(source ? source : "..") / "sample" / "tolvar-sample.tvm").string();
}

std::vector<std::string> Lines(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> Keys(const std::vector<std::string>& lines) {
    std::vector<std::string> keys;
    for (const auto& line : lines) {
        const auto first = line.find('\t');
        const auto second = first == std::string::npos ? first : line.find('\t', first + 1);
        keys.push_back(line.substr(0, second));
    }
    return keys;
}

std::vector<std::string> Sorted(std::vector<std::string> lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::vector<std::string> SortedLinesOfTenThreads(const std::filesystem::path& folder, const std::string& name) {
    std::vector<std::string> all;
    for (int thread = 1; thread <= 10; ++thread) {
        auto lines = Lines(folder / (name + NumberText::Integer(thread)));
        all.insert(all.end(), lines.begin(), lines.end());
    }
    return Sorted(all);
}

}  // namespace LoopFiles
