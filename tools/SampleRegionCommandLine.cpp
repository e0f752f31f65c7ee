#include "tools/SampleRegionCommandLine.h"

#include "platform/NumberText.h"

#include <array>

namespace {

bool ParseCount(const std::string& text, long long low, long long high, long long& value) {
    long long parsed = 0;
    if (!NumberText::Parse(text, parsed) || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

}  // namespace

bool SampleRegionCommandLine::Fail(const std::string& message) {
    m_error = message;
    return false;
}

bool SampleRegionCommandLine::Parse(const std::vector<std::string>& arguments) {
    *this = SampleRegionCommandLine();
    CCommandLine commandLine(Program());
    if (!commandLine.Parse(arguments, m_help, m_error)) return false;
    if (m_help) return true;
    bool zonesGiven = false, householdsGiven = false, seedGiven = false;
    for (const CCommandLine::SGiven& given : commandLine.Given()) {
        const std::string& option = given.name;
        const std::string& value = given.value;
        long long number = 0;
        if (option == "--zones") {
            if (zonesGiven) return Fail("--zones is given twice");
            if (!ParseCount(value, 1, SampleRegionGenerator::kMaxZones, number))
                return Fail("--zones takes a whole number from 1 to " +
                            NumberText::Integer(SampleRegionGenerator::kMaxZones) + ", not \"" + value + "\"");
            m_options.zones = static_cast<int>(number);
            zonesGiven = true;
        } else if (option == "--households") {
            if (householdsGiven) return Fail("--households is given twice");
            if (!ParseCount(value, 0, SampleRegionGenerator::kMaxHouseholds, number))
                return Fail("--households takes a whole number from 0 to " +
                            NumberText::Integer(SampleRegionGenerator::kMaxHouseholds) + ", not \"" + value + "\"");
            m_options.households = static_cast<int>(number);
            householdsGiven = true;
        } else if (option == "--seed") {
            if (seedGiven) return Fail("--seed is given twice");
            if (!ParseCount(value, 0, INT64_MAX, number))
                return Fail("--seed takes a whole number of 0 or more, not \"" + value + "\"");
            m_options.seed = static_cast<std::uint64_t>(number);
            seedGiven = true;
        } else if (!m_sqliteFile.empty() || !m_connect.empty()) {
            return Fail("give the database once: either --sqlite FILE or --connect \"ODBC connect string\"");
        } else if (option == "--sqlite") {
            if (value.empty()) return Fail("--sqlite needs a file name");
            if (value.find_first_of(";{}") != std::string::npos)
                return Fail("the SQLite file name may not contain ';', '{' or '}'");
            m_sqliteFile = value;
        } else {
            if (value.empty()) return Fail("--connect needs an ODBC connect string");
            m_connect = value;
        }
    }
    if (m_sqliteFile.empty() && m_connect.empty())
        return Fail("say where to write the region: --sqlite FILE or --connect \"ODBC connect string\"");
    return true;
}

std::string SampleRegionCommandLine::ConnectString() const {
    if (!m_sqliteFile.empty()) return "Driver=SQLite3;Database=" + m_sqliteFile + ";";
    return m_connect;
}

std::string SampleRegionCommandLine::TargetName() const {
    return m_sqliteFile.empty() ? std::string("the ODBC data source") : m_sqliteFile;
}

const CCommandLine::SProgram& SampleRegionCommandLine::Program() {
    static const std::string zones = "number of zones, 1 to " +
                                     NumberText::Integer(SampleRegionGenerator::kMaxZones) + " (default 25)";
    static const std::string households = "number of households, 0 to " +
                                          NumberText::Integer(SampleRegionGenerator::kMaxHouseholds) +
                                          " (default 200)";
    static const std::array<CCommandLine::SOption, 5> options = {{
        {"--zones", "N", zones},
        {"--households", "M", households},
        {"--seed", "S", "seed of the region; the same seed gives the same data (default 1)"},
        {"--sqlite", "FILE", "write to an SQLite database file (created when missing)"},
        {"--connect", "STRING", "write through an ODBC connect string (PostgreSQL or another ODBC database)"},
    }};
    static constexpr std::array<CCommandLine::SExitStatus, 2> statuses = {{
        {0, "the region was written"},
        {1, "the database could not be opened or written"},
    }};
    static const CCommandLine::SProgram program{
        kProgram,
        "[--zones N] [--households M] [--seed S]\n"
        "(--sqlite FILE | --connect STRING)",
        "Writes a synthetic region (households, persons, zones, zone2zone, losdir, "
        "VehicleMake and one level-of-service table per period) to the database. "
        "Tables of those names are dropped first.",
        options,
        0,
        "",
        statuses,
    };
    return program;
}
