#pragma once
// Process-wide section timer: counts how often and for how long named stretches
// of code run (the level-of-service lookups of every worker thread time
// themselves with it). Each section accumulates the clock readings of its stops
// minus those of its starts, in milliseconds since the program started, and the
// number of its stops. Totals are shared by all threads; one lock guards each
// whole operation.

#include <string>

class CSectionTimer {
public:
    // Subtracts the current clock reading from the section's elapsed total.
    static void StartTimer(std::string section);
    // Adds the current clock reading to the section's elapsed total and counts
    // one completed timing of the section.
    static void StopTimer(std::string section);
    // One line per section in ascending name order:
    // "<name> called <calls> times ; time = <elapsed, 6 decimals>\n".
    static std::string ReportTimers();

    // Current totals of one section (0 calls and 0.0 for a section never used).
    static int Calls(const std::string& section);
    static double Elapsed(const std::string& section);

    // Empty hooks that the lookups call; they do nothing.
    static void NoOp(void*) {}
    static void NoOp(double) {}
};
