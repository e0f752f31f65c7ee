#pragma once
// The whole work of one worker thread: loads the thread's input tables, opens
// its ten output files, pages through its share of households in home-zone
// order and, for each household it samples, creates the simulator of the
// household's type, simulates the household, builds every person's schedule
// and writes the household's records. Progress and cancellation go through the
// model system's run-progress link.

#include <cstdint>
#include <string>

class CModelSystem;
class CHouseholdObject;

class CHouseholdLoop {
public:
    // Name of the trace file in the working directory: one line per household read.
    static constexpr const char* kTraceFile = "debug1.txt";

    explicit CHouseholdLoop(CModelSystem& models);

    // Runs the loop over the thread's page of households.
    void Run();

    // Empties the trace file. Called once per run, before the worker threads
    // start (the loops only append to it).
    static void ResetTraceFile();

    // The sampling draw: integers 0 to 32767 from a generator of the loop's own,
    // started afresh for every run, so a household's fate never depends on
    // another thread.
    int DrawSampleInteger();

private:
    enum class Outcome { Finished, Cancelled, Failed };
    Outcome ProcessPage(class COutputFileSet& streams, bool outputEnabled);
    void SimulateOne(CHouseholdObject& household, class COutputFileSet& streams, bool outputEnabled);
    static void Trace(long long householdId);

    CModelSystem& m_models;
    std::uint32_t m_sampleState = 1;
};
