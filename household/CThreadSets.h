#pragma once
// The ten per-thread sets of a simulation run: connection i, input-data
// manager i and model system i are used only by worker thread i. The set
// opens the input database for all ten threads, divides the households among
// them in home-zone order, hands out the run settings and runs the ten
// household loops side by side; the ten managers share one store of origin
// columns per run. The window and the headless run harness both
// drive a run through it.

#include "data/CInputMessages.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class CDatabase;
class CInputDataManager;
class CModelSystem;
class COriginColumnStore;
class CRunProgress;

class CThreadSets {
public:
    static constexpr int kThreadCount = 10;

    // Ten closed connections, ten managers and ten model systems, each model
    // system linked both ways with the manager of its index.
    CThreadSets();
    ~CThreadSets();
    CThreadSets(const CThreadSets&) = delete;
    CThreadSets& operator=(const CThreadSets&) = delete;

    // Connects every thread to the input database: closes open connections,
    // opens connection 0 read-only with the connect string and 1 to 9 with the
    // same string less every "ODBC;", counts the households, divides them and
    // checks the input tables. Returns whether connection 0 opened.
    bool OpenInput(const std::string& connect);
    bool IsInputLoaded() const { return m_bInputLoaded; }
    // Whether the last OpenInput read the household count (and so divided the
    // households afresh).
    bool IsHouseholdCountRead() const { return m_bCountRead; }
    long GetHouseholdCount() const { return m_nHouseholdCount; }

    // Gives model system i the first index and count of its share: count / 10
    // to each of threads 0 to 8, the rest to thread 9.
    void DivideHouseholds(long count);

    // Reads the number of households of the input database on the connection
    // ("SELECT count(hid) FROM households"). False, with the message posted,
    // when the query fails or gives no row; count is then left as it was.
    static bool ReadHouseholdCount(CDatabase& connection, long& count);
    // Gives one model system the ten default output names in the folder, each
    // followed by the thread number (thread index + 1).
    static void SetDefaultOutputNames(CModelSystem& models, const std::string& folder, int threadIndex);

    // Output paths: the ten default names (or the given ones, in the order
    // Adults, Children, ChildStudents, workers, nonworkers, tours, stops,
    // activity, NOGO, Vehicles) in the folder, each followed by the thread number.
    void SetOutputFolder(const std::string& folder);
    // Whether any thread has an output name: without one a run writes nothing.
    bool HasOutputNames() const;
    void SetSampleRate(double rate);
    // The benchmark switch of every model system (CModelSystem::SetDecisions).
    void SetDecisions(bool on);

    // Starts the ten household loops, thread i after (i + 1) x startDelay, and
    // returns at once; WaitForRun joins them. The run reports unsound input
    // afresh, each finding once for all threads (the first run after
    // OpenInput leaves out what the table check there has reported).
    void StartRun(CRunProgress* progress, std::chrono::milliseconds startDelay);
    void WaitForRun();

    CDatabase& Connection(int i) { return *m_connections.at(i); }
    CInputDataManager& Manager(int i) { return *m_managers.at(i); }
    CModelSystem& Models(int i) { return *m_models.at(i); }
    // The origin columns of the last run started (null before the first).
    const COriginColumnStore* ColumnStore() const { return m_pColumns.get(); }
    // The memory budget of the origin columns of the runs started from now
    // on, in bytes (COriginColumnStore::kDefaultBudget unless set).
    void SetColumnBudget(std::size_t bytes) { m_nColumnBudget = bytes; }

private:
    void CloseConnections();
    std::array<std::unique_ptr<CDatabase>, kThreadCount> m_connections;
    std::array<std::unique_ptr<CInputDataManager>, kThreadCount> m_managers;
    std::array<std::unique_ptr<CModelSystem>, kThreadCount> m_models;
    // The origin columns shared by the ten managers, made afresh for every run.
    std::unique_ptr<COriginColumnStore> m_pColumns;
    std::size_t m_nColumnBudget;
    std::vector<std::thread> m_workers;
    // Messages about unsound input, posted once per run for all ten threads.
    CInputMessages m_inputMessages;
    // Whether no run has started since the last OpenInput.
    bool m_bInputJustChecked = false;
    bool m_bInputLoaded = false;
    bool m_bCountRead = false;
    long m_nHouseholdCount = 0;
};
