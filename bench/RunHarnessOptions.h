#pragma once
// Command line of the tolvar-run harness: the ODBC connect string of the input
// database, the model-parameter file, the output folder and the sample rate.
// Kept apart from main() so that its checks can be tested. The options are
// rows of one table (RunHarnessOptions.cpp): each row names the option, its
// help and how its value is taken.

#include "platform/CCommandLine.h"

#include "data/COriginColumnStore.h"

#include <cstddef>
#include <string>
#include <vector>

class RunHarnessOptions {
public:
    static constexpr const char* kProgram = "tolvar-run";

    // Parses the arguments that follow the program name. False when they are
    // wrong; Error() then says why. "--help" parses to HelpRequested().
    bool Parse(const std::vector<std::string>& arguments);

    const std::string& Error() const { return m_error; }
    bool HelpRequested() const { return m_help; }

    // The program's description and options, as CCommandLine uses them.
    static const CCommandLine::SProgram& Program();

    std::string connect;   // --connect: ODBC connect string (required)
    std::string model;     // --model: model-parameter file (optional)
    std::string out = ".";  // --out: folder of the output files
    double sampleRate = 1.0;  // --sample-rate: fraction of households simulated, 0 to 1
    bool singleLoop = false;  // --loops 1: one household loop over every household (10: the ten threads)
    bool decisions = true;    // --decisions on|off: off loads and writes the households only
    bool timers = false;      // --timers: print the section timer's report after the run
    // --los-memory MB: the memory budget of the origin columns (0: no bound)
    std::size_t losMemory = COriginColumnStore::kDefaultBudget;

private:
    bool Fail(const std::string& message);

    std::string m_error;
    bool m_help = false;
};
