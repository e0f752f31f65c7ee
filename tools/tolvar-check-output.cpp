// tolvar-check-output: checks the output files of a run against the input
// database and each other; prints each violated rule with its count and first
// examples, then the run's figures.

#include "platform/CCommandLine.h"
#include "platform/CDatabase.h"
#include "platform/DbError.h"
#include "platform/NumberText.h"
#include "tools/COutputChecker.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr std::array<CCommandLine::SOption, 4> kOptions = {{
    {"--connect", "STRING", "ODBC connect string of the run's input database (required)"},
    {"--out", "FOLDER", "folder of the run's output files (required)"},
    {"--sample-rate", "RATE",
     "the run's sample rate, 0 to 1 (default 1): only the households its "
     "sampling draw kept are checked, and the others must have no lines"},
    {"--loops", "1|10", "the run's household loops, as tolvar-run --loops (default 10)"},
}};

constexpr std::array<CCommandLine::SExitStatus, 2> kExitStatuses = {{
    {0, "every rule holds"},
    {1, "a rule is violated, or the input database or the output files could not be read"},
}};

constexpr CCommandLine::SProgram kProgram{
    "tolvar-check-output",
    "--connect STRING --out FOLDER\n"
    "[--sample-rate RATE] [--loops 1|10]",
    "Reads the output files of every thread in FOLDER (Adults.out1 ... Vehicles.out10) "
    "and the households and persons of the input database, and checks every line. "
    "Prints each violated rule with its count and first examples, then the run's "
    "figures; the last line says when every rule holds.",
    kOptions,
    0,
    "",
    kExitStatuses,
};

}  // namespace

int main(int argc, char** argv) {
    CCommandLine commandLine(kProgram);
    int status = 0;
    if (!commandLine.ParseMain(argc, argv, status)) return status;
    const std::string connect = commandLine.Value("--connect");
    const std::string folder = commandLine.Value("--out");
    if (connect.empty() || folder.empty()) return commandLine.Wrong("--connect and --out are required");
    double rate = 1.0;
    const std::string rateText = commandLine.Value("--sample-rate", "1");
    if (!NumberText::Parse(rateText, rate) || !std::isfinite(rate) || rate < 0.0 || rate > 1.0)
        return commandLine.Wrong("--sample-rate takes a number from 0 to 1, not \"" + rateText + "\"");
    const std::string loops = commandLine.Value("--loops", "10");
    if (loops != "1" && loops != "10") return commandLine.Wrong("--loops takes 1 or 10, not \"" + loops + "\"");

    COutputChecker checker;
    CDatabase database;
    std::string error;
    try {
        database.OpenEx(connect, true);
    } catch (const DbError& failure) {
        return commandLine.Fail("the input database could not be opened: " + failure.Report());
    }
    if (!checker.ReadInput(database, error)) return commandLine.Fail("the input could not be read: " + error);
    if (checker.ReadRunFolder(folder) == 0) return commandLine.Fail("no output files in \"" + folder + "\"");
    if (commandLine.Has("--sample-rate")) checker.ReplaySample(rate, loops == "1");
    const bool passed = checker.Check();
    const std::string report = checker.Report();
    std::fwrite(report.data(), 1, report.size(), stdout);
    return passed ? 0 : 1;
}
