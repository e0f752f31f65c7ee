#include "bench/RunHarnessOptions.h"

#include "platform/NumberText.h"

#include <array>
#include <cmath>

namespace {

// Takes the value of one option into the options; false with the reason when
// the value is wrong.
using TakeValue = bool (*)(RunHarnessOptions& options, const std::string& value, std::string& why);

struct SOptionRow {
    CCommandLine::SOption option;
    TakeValue take;
};

bool TakeConnect(RunHarnessOptions& options, const std::string& value, std::string& why) {
    if (value.empty()) why = "--connect needs a non-empty ODBC connect string";
    options.connect = value;
    return why.empty();
}

bool TakeModel(RunHarnessOptions& options, const std::string& value, std::string& why) {
    if (value.empty()) why = "--model needs a file name";
    options.model = value;
    return why.empty();
}

bool TakeOut(RunHarnessOptions& options, const std::string& value, std::string& why) {
    if (value.empty()) why = "--out needs a folder";
    options.out = value;
    return why.empty();
}

bool TakeSampleRate(RunHarnessOptions& options, const std::string& value, std::string& why) {
    double rate = 0.0;
    if (!NumberText::Parse(value, rate) || !std::isfinite(rate))
        why = "--sample-rate \"" + value + "\" is not a number";
    else if (rate < 0.0 || rate > 1.0)
        why = "--sample-rate " + value + " is outside 0 to 1 (1 simulates every household)";
    options.sampleRate = rate;
    return why.empty();
}

bool TakeDecisions(RunHarnessOptions& options, const std::string& value, std::string& why) {
    if (value != "on" && value != "off") why = "--decisions takes on or off, not \"" + value + "\"";
    options.decisions = value == "on";
    return why.empty();
}

bool TakeLoops(RunHarnessOptions& options, const std::string& value, std::string& why) {
    if (value != "1" && value != "10") why = "--loops takes 1 or 10, not \"" + value + "\"";
    options.singleLoop = value == "1";
    return why.empty();
}

bool TakeLOSMemory(RunHarnessOptions& options, const std::string& value, std::string& why) {
    long long megabytes = 0;
    if (!NumberText::Parse(value, megabytes) || megabytes < 0 || megabytes > (1LL << 40))
        why = "--los-memory takes a whole number of megabytes (0: no bound), not \"" + value + "\"";
    options.losMemory =
        megabytes <= 0 ? COriginColumnStore::kUnbounded : static_cast<std::size_t>(megabytes) << 20;
    return why.empty();
}

bool TakeTimers(RunHarnessOptions& options, const std::string&, std::string&) {
    options.timers = true;
    return true;
}

const std::string kLOSMemoryHelp =
    "memory budget of the level-of-service columns held for the run, in megabytes (default " +
    NumberText::Integer(static_cast<long long>(COriginColumnStore::kDefaultBudget >> 20)) + "; 0: no bound)";

const std::array<SOptionRow, 8> kOptionRows = {{
    {{"--connect", "STRING",
      "ODBC connect string of the input database (required),\n"
      "for example \"Driver=SQLite3;Database=/tmp/region.db;\""},
     TakeConnect},
    {{"--model", "FILE", "model-parameter file (XML) loaded into the ten model systems"}, TakeModel},
    {{"--out", "FOLDER",
      "folder of the output files, created when missing (default: the working "
      "directory); each thread writes Adults.out1 ... Vehicles.out10 there"},
     TakeOut},
    {{"--sample-rate", "RATE", "fraction of the households simulated, 0 to 1 (default 1)"}, TakeSampleRate},
    {{"--decisions", "on|off",
      "off: load every household and write its person lines without the "
      "household decisions (the benchmark's load-and-write pass)"},
     TakeDecisions},
    {{"--loops", "1|10",
      "10 (default): the ten household loops on their threads;\n"
      "1: one loop over every household, writing the files of thread 1"},
     TakeLoops},
    {{"--los-memory", "MB", kLOSMemoryHelp}, TakeLOSMemory},
    {{"--timers", "",
      "after the run, the figures of the level-of-service columns held (columns "
      "read, dropped and read again, hit rate, peak size) and the section timer's "
      "report: calls and milliseconds of each timed section (the lookups), all "
      "threads together"},
     TakeTimers},
}};

std::vector<CCommandLine::SOption> OptionsOfRows() {
    std::vector<CCommandLine::SOption> options;
    for (const SOptionRow& row : kOptionRows) options.push_back(row.option);
    return options;
}

constexpr std::array<CCommandLine::SExitStatus, 2> kExitStatuses = {{
    {0, "every thread finished"},
    {1, "the input database, the model file or the output folder failed, or a thread failed or did not finish"},
}};

}  // namespace

const CCommandLine::SProgram& RunHarnessOptions::Program() {
    static const std::vector<CCommandLine::SOption> options = OptionsOfRows();
    static const CCommandLine::SProgram program{
        kProgram,
        "--connect STRING [--model FILE] [--out FOLDER]\n"
        "[--sample-rate RATE] [--decisions on|off] [--loops 1|10]\n"
        "[--los-memory MB] [--timers]",
        "Runs a simulation without a window: the ten household loops of the run, and "
        "prints the households processed, the wall time, the peak memory and the households per second.",
        options,
        0,
        "The trace file debug1.txt is written to the working directory; messages go "
        "to standard error.",
        kExitStatuses,
    };
    return program;
}

bool RunHarnessOptions::Fail(const std::string& message) {
    m_error = message;
    return false;
}

bool RunHarnessOptions::Parse(const std::vector<std::string>& arguments) {
    *this = RunHarnessOptions();
    CCommandLine commandLine(Program());
    if (!commandLine.Parse(arguments, m_help, m_error)) return false;
    if (m_help) return true;
    for (const CCommandLine::SGiven& given : commandLine.Given()) {
        for (const SOptionRow& row : kOptionRows) {
            std::string why;
            if (row.option.name == given.name && !row.take(*this, given.value, why)) return Fail(why);
        }
    }
    if (!commandLine.Has("--connect")) return Fail("--connect is required");
    return true;
}
