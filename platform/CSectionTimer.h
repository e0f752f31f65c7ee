#pragma once
// Process-wide section timer: counts how often and for how long named stretches
// of code run (the level-of-service lookups of every worker thread time
// themselves with it). Each section accumulates the clock readings of its stops
// minus those of its starts, in milliseconds since the program started, and the
// number of its stops.
//
// Every thread keeps its own totals, so timing a section takes no lock and
// touches no memory that another thread writes; the totals of all threads
// (those that have ended included) are summed when they are read. A section is
// named once, by its id; the string forms below look the id up first.

#include <string>

class CSectionTimer {
public:
    using SectionId = int;

    // The id of a section, registered on first use (the same name always gives
    // the same id). Takes a lock: call sites that time often keep the id.
    // std::length_error past 256 sections.
    static SectionId Section(const std::string& name);

    // Subtracts the current clock reading from the section's elapsed total.
    static void Start(SectionId section);
    // Adds the current clock reading to the section's elapsed total and counts
    // one completed timing of the section.
    static void Stop(SectionId section);

    // The same by name.
    static void StartTimer(const std::string& section) { Start(Section(section)); }
    static void StopTimer(const std::string& section) { Stop(Section(section)); }

    // One line per section started or stopped at least once, in ascending name
    // order: "<name> called <calls> times ; time = <elapsed, 6 decimals>\n".
    static std::string ReportTimers();

    // Current totals of one section over all threads (0 calls and 0.0 for a
    // section never used).
    static int Calls(const std::string& section);
    static double Elapsed(const std::string& section);

    // Empty hooks that the lookups call; they do nothing.
    static void NoOp(void*) {}
    static void NoOp(double) {}
};
