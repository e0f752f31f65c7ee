// tolvar-run-summary: the README's table of a run's day (tours and trips per
// person, mode and activity shares, start times) from its output folder.

#include "platform/CCommandLine.h"
#include "tools/CRunSummary.h"

#include <array>
#include <cstdio>
#include <string>

namespace {

constexpr std::array<CCommandLine::SExitStatus, 2> kExitStatuses = {{
    {0, "the table was printed"},
    {1, "the folder holds no output files"},
}};

constexpr CCommandLine::SProgram kProgram{
    "tolvar-run-summary",
    "OUTPUT_FOLDER",
    "Prints a run's day in travel-survey figures (tours and trips per person, persons "
    "without a tour, work starts, mode and activity shares, start times) as a Markdown "
    "table, from the run's files (Adults.out1 ... Vehicles.out10) in OUTPUT_FOLDER.",
    {},
    1,
    "",
    kExitStatuses,
};

}  // namespace

int main(int argc, char** argv) {
    CCommandLine commandLine(kProgram);
    int status = 0;
    if (!commandLine.ParseMain(argc, argv, status)) return status;
    if (commandLine.Operands().empty()) return commandLine.Wrong("the output folder is missing");

    const std::string& folder = commandLine.Operands().front();
    CRunSummary summary;
    if (!summary.ReadRunFolder(folder)) return commandLine.Fail("no output files in \"" + folder + "\"");
    const std::string table = summary.MarkdownTable();
    std::fwrite(table.data(), 1, table.size(), stdout);
    return 0;
}
