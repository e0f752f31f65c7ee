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
class COutputFileSet;

class CHouseholdLoop {
public:
    // Name of the trace file in the working directory: one line per household read.
    static constexpr const char* kTraceFile = "debug1.txt";

    explicit CHouseholdLoop(CModelSystem& models);

    // Runs the loop over the thread's page of households. Every way out but a
    // cancel reports the thread finished exactly once, after its output files
    // are closed (as failed when the tables did not load, households or
    // persons lack a column the simulation reads, a named output file other
    // than "NOGO.out" did not open, an output file could not be written
    // completely, or an exception ended the loop).
    void Run();

    // Empties the trace file and re-arms the once-per-run warnings. Called once
    // per run, before the worker threads start (the loops only append to it).
    static void ResetTraceFile();

    // The sampling draw: integers 0 to 32767 from a generator of the loop's own
    // (the classic runtime generator, seeded 1 at the start of every run), so
    // the households one thread samples never depend on another thread.
    int DrawSampleInteger();

    // Whether the household in hand is simulated at this rate: 1.0 takes every
    // household without a draw; otherwise one draw, and the household is
    // skipped when it is at least rate x 32767.
    bool SampleHousehold(double rate);

    // The message posted when named output files of a thread did not open:
    // their paths, and whether the thread fails (any file but "NOGO.out") or
    // only the NOGO lines are lost. Empty when every named file opened; a
    // stream without a name is no failure (the run was given no output files).
    static std::string UnopenedFilesMessage(const COutputFileSet& streams, int threadIndex);
    // The message posted when opened output files could not be written
    // completely: their paths. Empty when every write succeeded.
    static std::string UnwrittenFilesMessage(const COutputFileSet& streams, int threadIndex);

private:
    enum class Outcome { Finished, Cancelled, Failed };
    Outcome ProcessPage(COutputFileSet& streams, bool outputEnabled);
    // Flushes and closes the streams; false, with the files named, when one
    // could not be written completely.
    bool CloseStreams(COutputFileSet& streams) const;
    void SimulateOne(CHouseholdObject& household, COutputFileSet& streams, bool outputEnabled);
    static void Trace(long long householdId);
    // Puts the household's persons in person-number order, so that a person's
    // position and number agree whatever order the rows came in; warns once per
    // run when the numbers are not 1 to n.
    static void OrderPersons(CHouseholdObject& household);

    CModelSystem& m_models;
    std::uint32_t m_sampleState = 1;
};
