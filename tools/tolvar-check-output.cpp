// tolvar-check-output: checks the output files of a run against the input
// database and each other; prints each violated rule with its count and first
// examples, then the run's figures. Exit status 0 when no rule is violated,
// 1 when one is, 2 for a bad command line or unreadable input.

#include "platform/CDatabase.h"
#include "platform/DbError.h"
#include "tools/COutputChecker.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "Usage: tolvar-check-output --connect \"ODBC connect string\" --out FOLDER\n"
    "\n"
    "Reads the output files of every thread in FOLDER (Adults.out1 ... Vehicles.out10)\n"
    "and the households and persons of the input database, and checks every line.\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "tolvar-check-output: %s\n%s", message.c_str(), kUsage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string connect;
    std::string folder;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (i + 1 >= arguments.size()) return Fail(arguments[i] + " needs a value");
        if (arguments[i] == "--connect")
            connect = arguments[++i];
        else if (arguments[i] == "--out")
            folder = arguments[++i];
        else
            return Fail("unknown argument \"" + arguments[i] + "\"");
    }
    if (connect.empty() || folder.empty()) return Fail("--connect and --out are required");

    COutputChecker checker;
    CDatabase database;
    std::string error;
    try {
        database.OpenEx(connect, true);
    } catch (const DbError& failure) {
        return Fail("the input database could not be opened: " + failure.Report());
    }
    if (!checker.ReadInput(database, error)) return Fail("the input could not be read: " + error);
    if (checker.ReadRunFolder(folder) == 0) return Fail("no output files in \"" + folder + "\"");
    const bool passed = checker.Check();
    const std::string report = checker.Report();
    std::fwrite(report.data(), 1, report.size(), stdout);
    return passed ? 0 : 1;
}
