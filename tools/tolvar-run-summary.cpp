// tolvar-run-summary: the README's table of a run's day (tours and trips per
// person, mode and activity shares, start times) from its output folder.

#include "tools/CRunSummary.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2 || std::string(argv[1]) == "--help") {
        std::fputs("Usage: tolvar-run-summary OUTPUT_FOLDER\n"
                   "\n"
                   "Prints the Markdown table of the run whose files (Adults.out1 ... Vehicles.out10)\n"
                   "are in OUTPUT_FOLDER.\n",
                   argc == 2 ? stdout : stderr);
        return argc == 2 ? 0 : 2;
    }
    CRunSummary summary;
    if (!summary.ReadRunFolder(argv[1])) {
        std::fprintf(stderr, "tolvar-run-summary: no output files in \"%s\"\n", argv[1]);
        return 1;
    }
    const std::string table = summary.MarkdownTable();
    std::fwrite(table.data(), 1, table.size(), stdout);
    return 0;
}
