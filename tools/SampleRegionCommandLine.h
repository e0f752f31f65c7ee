#pragma once
// Command line of the tolvar-sample-region program: the size and seed of the
// region and the database to write it to (an SQLite file or an ODBC connect
// string). Kept apart from main() so that its checks can be tested.

#include "platform/CCommandLine.h"
#include "tools/SampleRegionGenerator.h"

#include <string>
#include <vector>

class SampleRegionCommandLine {
public:
    // Parses the arguments that follow the program name. False when they are
    // wrong; Error() then says why. "--help" parses to HelpRequested().
    bool Parse(const std::vector<std::string>& arguments);

    const std::string& Error() const { return m_error; }
    bool HelpRequested() const { return m_help; }
    const SampleRegionGenerator::Options& Options() const { return m_options; }
    // ODBC connect string of the target database (the SQLite driver for --sqlite).
    std::string ConnectString() const;
    // Short name of the target for messages: the SQLite file, or "the ODBC data source".
    std::string TargetName() const;

    static constexpr const char* kProgram = "tolvar-sample-region";
    // The program's description and options, as CCommandLine uses them.
    static const CCommandLine::SProgram& Program();

private:
    bool Fail(const std::string& message);

    SampleRegionGenerator::Options m_options;
    std::string m_sqliteFile;
    std::string m_connect;
    std::string m_error;
    bool m_help = false;
};
