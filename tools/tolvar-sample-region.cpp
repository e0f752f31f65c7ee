// tolvar-sample-region: writes a synthetic input region to an SQLite file or
// an ODBC data source (see tools/sample-region-schema.md).

#include "platform/CCommandLine.h"
#include "platform/CDatabase.h"
#include "platform/DbError.h"
#include "platform/NumberText.h"
#include "tools/SampleRegionCommandLine.h"
#include "tools/SampleRegionGenerator.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

namespace {

void Print(std::FILE* stream, const std::string& text) { std::fputs(text.c_str(), stream); }

}  // namespace

int main(int argc, char** argv) {
    CCommandLine programLine(SampleRegionCommandLine::Program());
    SampleRegionCommandLine commandLine;
    if (!commandLine.Parse(CCommandLine::Arguments(argc, argv))) return programLine.Wrong(commandLine.Error());
    if (commandLine.HelpRequested()) return programLine.ShowHelp();

    const auto start = std::chrono::steady_clock::now();
    try {
        SampleRegionGenerator generator(commandLine.Options());
        CDatabase db;
        db.OpenEx(commandLine.ConnectString(), false);
        const auto& options = generator.GetOptions();
        Print(stdout, "Writing a region of " + NumberText::Integer(options.zones) + " zones and " +
                          NumberText::Integer(options.households) + " households (seed " +
                          NumberText::Integer(static_cast<long long>(options.seed)) + ") to " +
                          commandLine.TargetName() + " ...\n");
        const auto summary = generator.Write(db);
        db.Close();
        for (const auto& table : summary.tables)
            Print(stdout, "  " + table.table + ": " + NumberText::Integer(table.rows) + " rows\n");
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        Print(stdout, "Done in " + NumberText::Fixed(seconds, 1) + " s.\n");
        return 0;
    } catch (const DbError& error) {
        return programLine.Fail("database error: " + error.Report());
    } catch (const std::exception& error) {
        return programLine.Fail(error.what());
    }
}
